#include "shell/panels/fine_tune_panel.h"

#include "edit/new_items.h"
#include "edit/selection.h"
#include "edit/tool_mode.h"
#include "model/clipboard.h"
#include "model/rounding.h"
#include "platform/ui_text.h"
#include "render/splines.h"
#include "settings/settings.h"
#include "shell/panels/fine_tune_shared.h"
#include "shell/panels/list_samples.h"
#include "texts/edit_texts.h"
#include "texts/fine_tune_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace vlm {

using namespace fine_tune;

FineTunePanel::Kind FineTunePanel::KindFor(int code)
{
    if (code == 98 || code == 99)
        return Kind::Line;
    if (code >= 300 && code <= 303)
        return Kind::Text;
    if (code == 59)
        return Kind::Multi;
    return Kind::Shape;
}

bool FineTunePanel::IsFineTuneCode(int code)
{
    return code == 59 || code == 99 || code == 301 || (code >= 200 && code <= 299);
}

bool FineTunePanel::IsPanelCode(int code)
{
    return code == 59 || (code >= 98 && code <= 303);
}

FineTunePanel::FineTunePanel(int panelCode, Settings& settings, FineTunePanelHooks hooks, QWidget* parent)
    : ToolPanel(panelCode, parent), settings_(settings), hooks_(std::move(hooks))
{
    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(QString::fromUtf16(u"Fine-tune controls"));
    tabs_->setDocumentMode(true);
    // Both tab captions fit the narrow column.
    tabs_->setUsesScrollButtons(false);
    QFont small = tabs_->tabBar()->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1.5));
    tabs_->tabBar()->setFont(small);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertWidget(layout->count() - 1, tabs_);
    open(panelCode);
}

QWidget* FineTunePanel::control(const QString& label) const
{
    for (QWidget* w : controls_)
        if (w->accessibleName() == label)
            return w;
    return nullptr;
}

SampleComboBox* FineTunePanel::addList(QWidget* page, const char16_t* label)
{
    auto* caption = new QLabel(uiText(label), page);
    auto* box = new SampleComboBox(page);
    box->setAccessibleName(uiText(label));
    caption->setBuddy(box);
    page->layout()->addWidget(caption);
    page->layout()->addWidget(box);
    controls_.push_back(box);
    return box;
}

QComboBox* FineTunePanel::addPlainList(QWidget* page, const char16_t* label)
{
    auto* caption = new QLabel(uiText(label), page);
    auto* box = new QComboBox(page);
    box->setAccessibleName(uiText(label));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
    caption->setBuddy(box);
    page->layout()->addWidget(caption);
    page->layout()->addWidget(box);
    controls_.push_back(box);
    if (std::u16string_view(label) == texts::kLabelShape ||
        std::u16string_view(label) == texts::kLabelSpikes || std::u16string_view(label) == texts::kLabelSides)
        fourthLabel_ = caption;
    return box;
}

void FineTunePanel::open(int code)
{
    setPanelCode(code, false);
    kind_ = KindFor(code);
    fineTune_ = IsFineTuneCode(code);
    continuing_ = code == ToolMode::ContinueSpline || code == ToolMode::ContinueCurve;
    if (kind_ == Kind::Shape && fineTune_ && (IsSplineCode(code) || IsCurveCode(code))) {
        const auto items = SelectedItems(hooks_.sandbox ? hooks_.sandbox() : nullptr);
        setPanelCode(code, !items.empty() && items.front()->rec.d.shapeVariant == VariantOpen);
    }
    build();
    fill();
    // The controls come right below the title, the guidance lines below them.
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->removeWidget(tabs_);
    layout->insertWidget(1, tabs_);
    // The multi-selection panel says the join and split lines as its links.
    for (QLabel* line : lineLabels())
        if (joinLink_ && (line->text() == joinLink_->accessibleDescription() ||
                          line->text() == splitLink_->accessibleDescription()))
            line->hide();
}

void FineTunePanel::updateLinks()
{
    if (!joinLink_)
        return;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const ItemList* list = box ? &box->document().items : nullptr;
    joinLink_->setVisible(list && SelectionCount(*list) >= 2);
    splitLink_->setVisible(list && IsGroupSelected(*list));
}

void FineTunePanel::build()
{
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    controls_.clear();
    styleButtons_.clear();
    justifyButtons_.clear();
    color_ = weight_ = pattern_ = direction_ = fill_ = outline_ = shadow_ = size_ = angle_ = nullptr;
    surface_ = fourth_ = font_ = charset_ = fontWeight_ = nullptr;
    fourthLabel_ = nullptr;
    weightTrack_ = nullptr;
    joinLink_ = splitLink_ = nullptr;

    auto newPage = [this](const char16_t* title) {
        auto* page = new QWidget;
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(2, 4, 2, 4);
        l->setSpacing(2);
        tabs_->addTab(page, uiText(title));
        return page;
    };
    const int code = panelCode();
    QWidget* basics = newPage(kind_ == Kind::Text ? texts::kTabFont : texts::kTabBasics);
    auto connectList = [this](QComboBox* box, void (FineTunePanel::*handler)(int)) {
        connect(box, &QComboBox::activated, this, [this, handler](int position) {
            if (!filling_)
                (this->*handler)(position);
        });
    };
    switch (kind_) {
    case Kind::Line:
        connectList(color_ = addList(basics, texts::kLabelColor), &FineTunePanel::colorChosen);
        connectList(weight_ = addList(basics, texts::kLabelWeight), &FineTunePanel::weightChosen);
        connectList(pattern_ = addList(basics, texts::kLabelPattern), &FineTunePanel::patternChosen);
        connectList(direction_ = addList(basics, texts::kLabelDirection), &FineTunePanel::directionChosen);
        connectList(fill_ = addList(basics, texts::kLabelFillColor), &FineTunePanel::fillChosen);
        connectList(outline_ = addList(basics, texts::kLabelOutlineWeight), &FineTunePanel::outlineChosen);
        break;
    case Kind::Shape:
    case Kind::Multi:
        connectList(color_ = addList(basics, texts::kLabelColor), &FineTunePanel::colorChosen);
        if (kind_ == Kind::Multi)
            connectList(weight_ = addList(basics, texts::kLabelOutlineWeight), &FineTunePanel::weightChosen);
        connectList(fill_ = addList(basics, texts::kLabelFillColor), &FineTunePanel::fillChosen);
        if (kind_ == Kind::Shape) {
            connectList(weight_ = addList(basics, texts::kLabelOutlineWeight), &FineTunePanel::weightChosen);
            const bool sides = code == 199 || code == 299;
            const bool spikes = code == 105 || code == 206;
            const bool shape = IsSplineCode(code) || IsCurveCode(code) || (code >= 201 && code <= 204) ||
                               code == 207 || code == 208;
            if (sides || spikes || shape)
                connectList(fourth_ = addPlainList(basics, sides    ? texts::kLabelSides
                                                           : spikes ? texts::kLabelSpikes
                                                                    : texts::kLabelShape),
                            &FineTunePanel::fourthChosen);
        }
        if (fineTune_ && !continuing_)
            addTurnButtons(basics);
        if (kind_ == Kind::Multi) {
            auto link = [this, basics](const char16_t* line, const char16_t* words,
                                       std::function<void()>* hook) -> QLabel* {
                QString html = uiText(line).toHtmlEscaped();
                html.replace(uiText(words), QString::fromUtf16(u"<a href=\"x\">%1</a>").arg(uiText(words)));
                auto* label = new QLabel(html, basics);
                label->setWordWrap(true);
                label->setTextFormat(Qt::RichText);
                label->setAccessibleName(uiText(words));
                label->setAccessibleDescription(uiText(line));
                connect(label, &QLabel::linkActivated, this, [hook] {
                    if (*hook)
                        (*hook)();
                });
                basics->layout()->addWidget(label);
                return label;
            };
            joinLink_ = link(texts::kJoinLine, texts::kJoinWords, &hooks_.join);
            splitLink_ = link(texts::kSplitLine, texts::kSplitWords, &hooks_.split);
        }
        break;
    case Kind::Text: {
        connectList(color_ = addList(basics, texts::kLabelColor), &FineTunePanel::textColorChosen);
        connectList(font_ = addPlainList(basics, texts::kLabelName), &FineTunePanel::fontChosen);
        connectList(charset_ = addPlainList(basics, texts::kLabelCharacterSet),
                    &FineTunePanel::charsetChosen);
        connectList(size_ = addList(basics, texts::kLabelSize), &FineTunePanel::sizeChosen);
        fontWeight_ = addPlainList(basics, texts::kLabelWeight);
        connect(fontWeight_, &QComboBox::activated, this, [this](int position) {
            if (!filling_ && position >= 0 && position < static_cast<int>(std::size(kFontWeights)))
                fontWeightChosen(kFontWeights[position].value);
        });
        auto* customLabel = new QLabel(uiText(texts::kLabelCustom), basics);
        weightTrack_ = new QSlider(Qt::Horizontal, basics);
        weightTrack_->setRange(1, 9);
        weightTrack_->setPageStep(1);
        weightTrack_->setAccessibleName(uiText(texts::kLabelCustom));
        customLabel->setBuddy(weightTrack_);
        basics->layout()->addWidget(customLabel);
        basics->layout()->addWidget(weightTrack_);
        controls_.push_back(weightTrack_);
        connect(weightTrack_, &QSlider::valueChanged, this, [this](int v) {
            if (!filling_)
                fontWeightChosen(v * 100);
        });
        auto* styleRow = new QWidget(basics);
        auto* sl = new QHBoxLayout(styleRow);
        sl->setContentsMargins(0, 2, 0, 2);
        sl->setSpacing(1);
        const char16_t* styleNames[] = {texts::kButtonBold, texts::kButtonItalic, texts::kButtonUnderline,
                                        texts::kButtonStrikeout};
        const char16_t* styleLetters[] = {u"B", u"I", u"U", u"S"};
        for (int k = 0; k < 4; ++k) {
            auto* b = new QToolButton(styleRow);
            b->setText(uiText(styleLetters[k]));
            b->setToolTip(uiText(styleNames[k]));
            b->setAccessibleName(uiText(styleNames[k]));
            b->setCheckable(true);
            QFont f = b->font();
            f.setBold(k == 0);
            f.setItalic(k == 1);
            f.setUnderline(k == 2);
            f.setStrikeOut(k == 3);
            b->setFont(f);
            sl->addWidget(b);
            styleButtons_.push_back(b);
            controls_.push_back(b);
            connect(b, &QToolButton::toggled, this, [this, k](bool on) {
                if (filling_)
                    return;
                if (k == 0)
                    fontWeightChosen(on ? 700 : 400);
                else
                    styleToggled(OptionItalic + k - 1, on);
            });
        }
        basics->layout()->addWidget(styleRow);
        auto* justifyRow = new QWidget(basics);
        auto* jl = new QHBoxLayout(justifyRow);
        jl->setContentsMargins(0, 2, 0, 2);
        jl->setSpacing(1);
        const char16_t* justifyNames[] = {texts::kButtonLeftJustified, texts::kButtonCenterJustified,
                                          texts::kButtonRightJustified};
        const char16_t* justifyMarks[] = {u"\u2590\u2550", u"\u2550\u2550", u"\u2550\u258C"};
        for (int k = 0; k < 3; ++k) {
            auto* b = new QToolButton(justifyRow);
            b->setText(uiText(justifyMarks[k]));
            b->setToolTip(uiText(justifyNames[k]));
            b->setAccessibleName(uiText(justifyNames[k]));
            b->setCheckable(true);
            b->setAutoExclusive(true);
            jl->addWidget(b);
            justifyButtons_.push_back(b);
            controls_.push_back(b);
            connect(b, &QToolButton::clicked, this, [this, k] {
                if (!filling_)
                    justify(k + 1);
            });
        }
        basics->layout()->addWidget(justifyRow);
        connectList(angle_ = addList(basics, texts::kLabelAngle), &FineTunePanel::angleChosen);
        break;
    }
    }
    static_cast<QVBoxLayout*>(basics->layout())->addStretch(1);
    if (kind_ != Kind::Multi) {
        QWidget* effects = newPage(texts::kTabEffects);
        surface_ = addPlainList(effects, texts::kLabelSurface);
        surface_->addItem(uiText(texts::kSurfaceFlat));
        surface_->addItem(uiText(texts::kSurfaceRound));
        connectList(surface_, &FineTunePanel::surfaceChosen);
        connectList(shadow_ = addList(effects, texts::kLabelShadow), &FineTunePanel::shadowChosen);
        static_cast<QVBoxLayout*>(effects->layout())->addStretch(1);
    }
}

void FineTunePanel::addTurnButtons(QWidget* page)
{
    auto* row = new QWidget(page);
    auto* l = new QHBoxLayout(row);
    l->setContentsMargins(0, 4, 0, 4);
    l->setSpacing(1);
    struct B
    {
        const char16_t* caption;
        const char16_t* name;
        Turn turn;
    } buttons[] = {{texts::kButtonMirror, texts::kButtonMirror, Turn::Mirror},
                   {texts::kButtonFlip, texts::kButtonFlip, Turn::Flip},
                   {u"\u21BA", texts::kRotateCounterClockwise, Turn::CounterClockwise},
                   {u"\u21BB", texts::kRotateClockwise, Turn::Clockwise}};
    for (const B& b : buttons) {
        auto* button = new QToolButton(row);
        button->setText(uiText(b.caption));
        button->setToolTip(b.turn == Turn::Mirror || b.turn == Turn::Flip ? uiText(b.name)
                                                                          : uiText(texts::kButtonRotate));
        button->setAccessibleName(uiText(b.name));
        l->addWidget(button);
        controls_.push_back(button);
        const Turn t = b.turn;
        connect(button, &QToolButton::clicked, this, [this, t] { turn(t); });
    }
    page->layout()->addWidget(row);
}

void FineTunePanel::Refill()
{
    fill();
}

void FineTunePanel::deferRefill()
{
    if (refillPending_)
        return;
    refillPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refillPending_ = false;
        fill();
    });
}

void FineTunePanel::deferShowPanel(int code)
{
    QTimer::singleShot(0, this, [this, code] {
        if (hooks_.showPanel)
            hooks_.showPanel(code);
    });
}

// ---------------------------------------------------------------- filling

void FineTunePanel::fill()
{
    filling_ = true;
    switch (kind_) {
    case Kind::Line:
        fillLine();
        break;
    case Kind::Shape:
        fillShape();
        break;
    case Kind::Text:
        fillText();
        break;
    case Kind::Multi:
        fillMulti();
        break;
    }
    if (continuing_)
        for (QWidget* c : controls_)
            c->setEnabled(false);
    filling_ = false;
}

} // namespace vlm

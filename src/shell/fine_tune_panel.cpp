#include "shell/fine_tune_panel.h"

#include "edit/new_items.h"
#include "edit/selection.h"
#include "edit/tool_mode.h"
#include "model/clipboard.h"
#include "model/rounding.h"
#include "render/splines.h"
#include "settings/settings.h"
#include "shell/list_samples.h"
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

namespace {

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

constexpr std::int32_t kRoundSurface = 127;

struct NamedValue
{
    const char16_t* name;
    int value;
};

const NamedValue kCharsets[] = {
    {texts::kCharsetWestern, 0},
    {texts::kCharsetDefault, 1},
    {texts::kCharsetSymbol, 2},
    {texts::kCharsetJapanese, 128},
    {texts::kCharsetKorean, 129},
    {texts::kCharsetChineseSimplified, 134},
    {texts::kCharsetChineseTraditional, 136},
    {texts::kCharsetGreek, 161},
    {texts::kCharsetTurkish, 162},
    {texts::kCharsetHebrew, 177},
    {texts::kCharsetArabic, 178},
    {texts::kCharsetBaltic, 186},
    {texts::kCharsetCyrillic, 204},
    {texts::kCharsetThai, 222},
    {texts::kCharsetCentralEuropean, 238},
    {texts::kCharsetOem, 255},
};

const NamedValue kFontWeights[] = {
    {texts::kFontThin, 100},   {texts::kFontExtraLight, 200}, {texts::kFontLight, 300},
    {texts::kFontNormal, 400}, {texts::kFontMedium, 500},     {texts::kFontSemiBold, 600},
    {texts::kFontBold, 700},   {texts::kFontExtraBold, 800},  {texts::kFontHeavy, 900},
};

bool IsSplineCode(int code)
{
    return code == 109 || code == 110 || code == 209 || code == 210 || code == 297;
}
bool IsCurveCode(int code)
{
    return code == 111 || code == 112 || code == 211 || code == 212 || code == 298;
}

// The selected Items that are not groups.
std::vector<const Item*> SelectedItems(Sandbox* box)
{
    std::vector<const Item*> out;
    if (!box)
        return out;
    for (const Item& it : box->document().items)
        if (IsSelectedLive(it) && it.rec.d.kind != KindGroup)
            out.push_back(&it);
    return out;
}

int SelectIn(QComboBox* box, int position)
{
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
    return box->currentIndex();
}

} // namespace

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
    auto* caption = new QLabel(Text(label), page);
    auto* box = new SampleComboBox(page);
    box->setAccessibleName(Text(label));
    caption->setBuddy(box);
    page->layout()->addWidget(caption);
    page->layout()->addWidget(box);
    controls_.push_back(box);
    return box;
}

QComboBox* FineTunePanel::addPlainList(QWidget* page, const char16_t* label)
{
    auto* caption = new QLabel(Text(label), page);
    auto* box = new QComboBox(page);
    box->setAccessibleName(Text(label));
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
    tabs_->setMinimumHeight(tabs_->sizeHint().height());
    // In a short column the guidance gives way, never the controls. The
    // multi-selection panel says the join and split lines as its links.
    for (QLabel* line : lineLabels()) {
        line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        if (joinLink_ && (line->text() == joinLink_->accessibleDescription() ||
                          line->text() == splitLink_->accessibleDescription()))
            line->hide();
    }
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
        tabs_->addTab(page, Text(title));
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
                QString html = Text(line).toHtmlEscaped();
                html.replace(Text(words), QString::fromUtf16(u"<a href=\"x\">%1</a>").arg(Text(words)));
                auto* label = new QLabel(html, basics);
                label->setWordWrap(true);
                label->setTextFormat(Qt::RichText);
                label->setAccessibleName(Text(words));
                label->setAccessibleDescription(Text(line));
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
        auto* customLabel = new QLabel(Text(texts::kLabelCustom), basics);
        weightTrack_ = new QSlider(Qt::Horizontal, basics);
        weightTrack_->setRange(1, 9);
        weightTrack_->setPageStep(1);
        weightTrack_->setAccessibleName(Text(texts::kLabelCustom));
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
            b->setText(Text(styleLetters[k]));
            b->setToolTip(Text(styleNames[k]));
            b->setAccessibleName(Text(styleNames[k]));
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
            b->setText(Text(justifyMarks[k]));
            b->setToolTip(Text(justifyNames[k]));
            b->setAccessibleName(Text(justifyNames[k]));
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
        surface_->addItem(Text(texts::kSurfaceFlat));
        surface_->addItem(Text(texts::kSurfaceRound));
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
        button->setText(Text(b.caption));
        button->setToolTip(b.turn == Turn::Mirror || b.turn == Turn::Flip ? Text(b.name)
                                                                          : Text(texts::kButtonRotate));
        button->setAccessibleName(Text(b.name));
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

namespace {

// The weight position a next-item panel shows: its stored position while
// that still names a weight, else "Thin" with the weight 0.
int StoredWeightPosition(const FilledList& l, std::int32_t& tab, double& weight)
{
    if (tab >= 0 && tab < static_cast<int>(l.entries.size()) && tab != l.customizeAt)
        return tab;
    weight = 0.0;
    return 0;
}

// The pattern position of a code: 0..4 directly, an embedded pattern at the
// user entry with the same lengths.
int PatternPosition(const FilledList& l, const Settings& s, const ItemList* items, std::int32_t code)
{
    if (code >= 0 && code <= 4)
        return code;
    const Item* record = items ? FindLinePattern(*items, code) : nullptr;
    if (!record)
        return -1;
    for (std::size_t k = 0; k < l.map.size(); ++k) {
        const auto& mm = s.customPatterns[static_cast<std::size_t>(l.map[k] - 1)].millimetres;
        if (std::equal(mm.begin(), mm.end(), std::begin(record->rec.p.lengths)))
            return l.firstUser + static_cast<int>(k);
    }
    return -1;
}

} // namespace

void FineTunePanel::fillEffects(std::int32_t surface, ShadowBytes shadow, bool mixedShadow)
{
    if (!surface_)
        return;
    surface_->setCurrentIndex(surface == 0 ? 0 : surface == kRoundSurface ? 1 : -1);
    shadow_->setList(FillList(ListKind::Shadows, settings_), settings_, 0);
    SelectIn(shadow_, mixedShadow ? -1 : SelectShadow(shadow_->list(), shadow));
}

void FineTunePanel::fillEffects(const SelectionAttributes& a)
{
    const bool mixed = a.shadowElevation < 0 || a.shadowFade < 0 || a.shadowLightness < 0;
    const ShadowBytes shadow{std::uint8_t(std::max(0, a.shadowElevation)),
                             std::uint8_t(std::max(0, a.shadowFade)),
                             std::uint8_t(std::max(0, a.shadowLightness))};
    fillEffects(a.surface, shadow, mixed);
}

void FineTunePanel::fillLine()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const std::int32_t ink = fineTune_ ? 0 : s.lineColor;
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    if (!fineTune_) {
        weight_->setList(FillList(ListKind::LineWeights, s, RefillTarget::LineWidth), s, ink);
        outline_->setList(FillList(ListKind::LineWeights, s), s, ink);
        pattern_->setList(FillList(ListKind::Patterns, s), s, ink);
        direction_->setList(FillList(ListKind::Directions, s), s, ink);
        SelectIn(color_, SelectValue(color_->list(), s.lineColor));
        SelectIn(weight_, StoredWeightPosition(weight_->list(), s.lineWidthTab, s.lineWidth));
        SelectIn(outline_, StoredWeightPosition(outline_->list(), s.lineOutlineTab, s.lineOutline));
        if (s.linePattern < 0 || s.linePattern >= pattern_->count() ||
            s.linePattern == pattern_->list().customizeAt) {
            s.linePattern = 0;
            s.linePatternTab = 0;
        }
        StorePatternChoice(s, pattern_->list(), s.linePattern);
        SelectIn(pattern_, s.linePattern);
        int dir = s.lineDirectionTab;
        if (dir < 0 || dir >= direction_->count() || dir == direction_->list().customizeAt) {
            dir = 0;
            s.lineDirection = -1.0;
        }
        SelectIn(direction_, dir);
        SelectIn(fill_, SelectValue(fill_->list(), s.lineFill));
        fillEffects(s.liplas, s.shpoly, false);
        return;
    }
    const SelectionAttributes a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    const std::int32_t sample = a.color >= 0 ? a.color : 0;
    weight_->setList(FillList(ListKind::LineWeights, s), s, sample);
    outline_->setList(FillList(ListKind::LineWeights, s), s, sample);
    pattern_->setList(FillList(ListKind::Patterns, s), s, sample);
    direction_->setList(FillList(ListKind::Directions, s), s, sample);
    SelectIn(color_, SelectValue(color_->list(), a.color));
    SelectIn(weight_, SelectValue(weight_->list(), a.weight));
    SelectIn(outline_, SelectValue(outline_->list(), a.outlineWeight));
    SelectIn(pattern_, a.pattern ? PatternPosition(pattern_->list(), s,
                                                   box ? &box->document().items : nullptr, *a.pattern)
                                 : -1);
    SelectIn(direction_, SelectValue(direction_->list(), a.direction));
    SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    fillEffects(a);
}

void FineTunePanel::fillShape()
{
    Settings& s = settings_;
    const int code = panelCode();
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    std::int32_t kind = 0, variant = VariantSolid, sides = s.polysides;
    SelectionAttributes a;
    const Item* continued = continuing_ && box ? ContinuedItem(box->document().items) : nullptr;
    if (continued) {
        const DrawingFields& d = continued->rec.d;
        kind = d.kind;
        variant = d.shapeVariant;
        a.color = d.lineColor;
        a.weight = d.weight;
        a.fill = d.fillColor;
        a.surface = d.surface;
        a.shadowElevation = d.shadowElevation;
        a.shadowFade = d.shadowFade;
        a.shadowLightness = d.shadowLightness;
        weight_->setList(FillList(ListKind::LineWeights, s), s, a.color);
        SelectIn(color_, SelectValue(color_->list(), a.color));
        SelectIn(weight_, SelectValue(weight_->list(), a.weight));
        SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    } else if (fineTune_) {
        a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
        const auto items = SelectedItems(box);
        if (!items.empty()) {
            kind = items.front()->rec.d.kind;
            variant = items.front()->rec.d.shapeVariant;
            sides = items.front()->rec.d.sides;
        }
        weight_->setList(FillList(ListKind::LineWeights, s), s, a.color >= 0 ? a.color : 0);
        SelectIn(color_, SelectValue(color_->list(), a.color));
        SelectIn(weight_, SelectValue(weight_->list(), a.weight));
        SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    } else {
        kind = KindForToolMode(code);
        if (IsSplineCode(code))
            variant = s.polyshape;
        else if (IsCurveCode(code))
            variant = s.bpolyshape;
        weight_->setList(FillList(ListKind::LineWeights, s, RefillTarget::PolyWidth), s, s.polycolor);
        SelectIn(color_, SelectValue(color_->list(), s.polycolor));
        SelectIn(weight_, StoredWeightPosition(weight_->list(), s.polytab, s.polywidth));
        SelectIn(fill_, SelectValue(fill_->list(), s.polyfill));
    }
    const bool fills = kind == 0 || CanFill(kind, variant);
    fill_->setEnabled(fills);
    if (!fills)
        fill_->setCurrentIndex(-1);
    if (fourth_) {
        fourth_->clear();
        if (code == 199 || code == 299 || code == 105 || code == 206) {
            const auto& counts = SideCounts();
            for (int n : counts)
                fourth_->addItem(QString::number(n));
            const auto at = std::find(counts.begin(), counts.end(), sides);
            fourth_->setCurrentIndex(at == counts.end() ? -1 : static_cast<int>(at - counts.begin()));
        } else if (IsSplineCode(code)) {
            for (const char16_t* t : {texts::kOpenSpline, texts::kClosedSpline, texts::kSolidShape})
                fourth_->addItem(Text(t));
            SelectIn(fourth_, variant);
        } else if (IsCurveCode(code)) {
            for (const char16_t* t : {texts::kOpenCurve, texts::kClosedCurve, texts::kOblongShape})
                fourth_->addItem(Text(t));
            SelectIn(fourth_, variant);
        } else if (code == 201 || code == 202) {
            fourth_->addItem(Text(texts::kKindSquare));
            fourth_->addItem(Text(texts::kKindRectangle));
            SelectIn(fourth_, kind == KindSquare ? 0 : 1);
        } else if (code == 203 || code == 204) {
            fourth_->addItem(Text(texts::kKindCircle));
            fourth_->addItem(Text(texts::kKindEllipse));
            SelectIn(fourth_, kind == KindCircle ? 0 : 1);
        } else if (code == 207 || code == 208) {
            fourth_->addItem(Text(texts::kKindArc));
            fourth_->addItem(Text(texts::kKindPie));
            SelectIn(fourth_, kind == KindArc ? 0 : 1);
        }
    }
    if (fineTune_) {
        fillEffects(a);
    } else {
        fillEffects(s.poplas, s.shpoly, false);
    }
}

void FineTunePanel::fillText()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const SelectionAttributes a =
        fineTune_ && box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    SelectIn(color_, SelectValue(color_->list(), fineTune_ ? a.textColor : s.tcolor));

    font_->clear();
    for (const std::u16string& face : s.installedFonts) {
        font_->addItem(QString::fromStdU16String(face));
        font_->setItemData(font_->count() - 1, QFont(QString::fromStdU16String(face)), Qt::FontRole);
    }
    QString face;
    if (fineTune_)
        face = a.fontName ? QString::fromStdString(*a.fontName) : QString();
    else
        face = QString::fromStdU16String(s.tfont);
    font_->setCurrentIndex(face.isEmpty() ? -1 : font_->findText(face, Qt::MatchFixedString));

    charset_->clear();
    for (const NamedValue& c : kCharsets)
        charset_->addItem(Text(c.name), c.value);
    charset_->setCurrentIndex(charset_->findData(fineTune_ ? a.charset : s.tcharset));

    size_->setList(FillList(ListKind::FontSizes, s), s, 0);
    if (fineTune_) {
        SelectIn(size_, SelectValue(size_->list(), a.fontSize));
    } else {
        int at = s.tsizetab;
        if (at < 0 || at >= size_->count() || at == size_->list().customizeAt) {
            at = 4;
            s.tsize = 12;
        }
        SelectIn(size_, at);
    }

    fontWeight_->clear();
    for (const NamedValue& w : kFontWeights)
        fontWeight_->addItem(Text(w.name), w.value);
    const int weight = fineTune_ ? a.fontWeight : s.tbold;
    fontWeight_->setCurrentIndex(fontWeight_->findData(weight));
    weightTrack_->setValue(std::clamp(Round(weight / 100.0), 1, 9));

    // The style flags of the first selected text, or of the Settings.
    std::array<std::uint8_t, 4> options = s.toptions;
    if (fineTune_)
        for (const Item* it : SelectedItems(box))
            if (it->rec.d.kind == KindText) {
                options = {it->rec.d.italic, it->rec.d.underline, it->rec.d.strikeout,
                           it->rec.d.justification};
                break;
            }
    styleButtons_[0]->setChecked(weight >= 700);
    for (int k = 0; k < 3; ++k)
        styleButtons_[static_cast<std::size_t>(k + 1)]->setChecked(options[static_cast<std::size_t>(k)] != 0);
    for (int k = 0; k < 3; ++k)
        justifyButtons_[static_cast<std::size_t>(k)]->setChecked(options[OptionJustification] == k + 1);

    angle_->setList(FillList(ListKind::TextAngles, s), s, 0);
    if (fineTune_) {
        SelectIn(angle_, SelectValue(angle_->list(), a.direction));
    } else {
        int at = s.tangletab;
        if (at < 0 || at >= angle_->count() || at == angle_->list().customizeAt) {
            at = 1;
            s.tangle = 0;
        }
        SelectIn(angle_, at);
    }
    if (fineTune_) {
        fillEffects(a);
    } else {
        fillEffects(s.txplas, s.shtext, false);
    }
}

void FineTunePanel::fillMulti()
{
    Settings& s = settings_;
    Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr;
    const SelectionAttributes a = box ? AggregateSelection(box->document().items) : SelectionAttributes{};
    color_->setList(FillList(ListKind::Colors, s), s, 0);
    fill_->setList(FillList(ListKind::Fills, s), s, 0);
    weight_->setList(FillList(ListKind::LineWeights, s), s, a.color >= 0 ? a.color : 0);
    SelectIn(color_, SelectValue(color_->list(), a.color));
    SelectIn(fill_, SelectValue(fill_->list(), a.fill));
    SelectIn(weight_, SelectValue(weight_->list(), a.weight));
    updateLinks();
}

// ---------------------------------------------------------------- changes

bool FineTunePanel::customizeChosen(SampleComboBox* box, int position, int page)
{
    if (position != box->list().customizeAt)
        return false;
    if (hooks_.customize)
        hooks_.customize(page);
    deferRefill();
    return true;
}

// "Customize..." of a colour list opens the colour dialog; the colour chosen
// there is offered by the lists from then on and is taken as if it had been
// chosen in the list. -1 when nothing is to be taken.
int FineTunePanel::colorPosition(SampleComboBox* box, int position)
{
    if (position != box->list().customizeAt)
        return position;
    const std::optional<std::int32_t> chosen = hooks_.chooseColor ? hooks_.chooseColor() : std::nullopt;
    fill();
    if (!chosen)
        return -1;
    return SelectIn(box, SelectValue(box->list(), *chosen));
}

void FineTunePanel::apply(const FineTuneOperation& op)
{
    if (Sandbox* box = hooks_.sandbox ? hooks_.sandbox() : nullptr)
        FineTuneSelection(*box, op);
}

bool FineTunePanel::carryToTypedText(bool turn)
{
    return !fineTune_ && kind_ == Kind::Text && hooks_.textSettingsChanged && hooks_.textSettingsChanged(turn);
}

void FineTunePanel::afterChange(bool carryToText)
{
    if (carryToText)
        carryToTypedText(false);
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

namespace {
bool Valid(QComboBox* box, int position)
{
    return position >= 0 && position < box->count();
}
} // namespace

void FineTunePanel::colorChosen(int position)
{
    if (!Valid(color_, position))
        return;
    position = colorPosition(color_, position);
    if (position < 0)
        return;
    const std::int32_t c = color_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_) {
        applyWith(ApplyColor, c);
        if (kind_ == Kind::Multi)
            applyWith(ApplyTextColor, c);
    } else if (kind_ == Kind::Line) {
        settings_.lineColor = c;
        settings_.lineFill = FillAfterColorChange(settings_, settings_.lineFill, c);
    } else {
        settings_.polycolor = c;
        settings_.polyfill = FillAfterColorChange(settings_, settings_.polyfill, c);
    }
    afterChange();
}

void FineTunePanel::textColorChosen(int position)
{
    if (!Valid(color_, position))
        return;
    position = colorPosition(color_, position);
    if (position < 0)
        return;
    const std::int32_t c = color_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_)
        applyWith(ApplyTextColor, c);
    else
        settings_.tcolor = c;
    afterChange();
}

void FineTunePanel::weightChosen(int position)
{
    if (!Valid(weight_, position) || customizeChosen(weight_, position, 9))
        return;
    const double mm = weight_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyWeight, mm);
    } else if (kind_ == Kind::Line) {
        settings_.lineWidth = mm;
        settings_.lineWidthTab = position;
    } else {
        settings_.polywidth = mm;
        settings_.polytab = position;
    }
    afterChange();
}

void FineTunePanel::outlineChosen(int position)
{
    if (!Valid(outline_, position) || customizeChosen(outline_, position, 9))
        return;
    const double mm = outline_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyOutlineWeight, mm);
    } else {
        settings_.lineOutline = mm;
        settings_.lineOutlineTab = position;
    }
    afterChange();
}

void FineTunePanel::patternChosen(int position)
{
    if (!Valid(pattern_, position) || customizeChosen(pattern_, position, 10))
        return;
    const FilledList& l = pattern_->list();
    if (!fineTune_) {
        StorePatternChoice(settings_, l, position);
    } else if (position < l.customizeAt) {
        applyWith(ApplyPattern, position);
    } else if (const int entry = EntryAt(l, position)) {
        double lengths[kPatternLengthCount];
        const auto& mm = settings_.customPatterns[static_cast<std::size_t>(entry - 1)].millimetres;
        std::copy(mm.begin(), mm.end(), lengths);
        apply([&lengths](ItemList& items, HistoryCursor& h, const FineTuneContext& x) {
            return ApplyCustomPattern(items, h, x, lengths);
        });
    }
    afterChange();
}

void FineTunePanel::directionChosen(int position)
{
    if (!Valid(direction_, position) || customizeChosen(direction_, position, 11))
        return;
    const double degrees = direction_->list().entries[static_cast<std::size_t>(position)].value;
    if (fineTune_) {
        applyWith(ApplyLineDirection, degrees);
    } else {
        settings_.lineDirection = degrees;
        settings_.lineDirectionTab = position;
    }
    afterChange();
}

void FineTunePanel::fillChosen(int position)
{
    if (!Valid(fill_, position))
        return;
    position = colorPosition(fill_, position);
    if (position < 0)
        return;
    const std::int32_t f = fill_->list().entries[static_cast<std::size_t>(position)].color;
    if (fineTune_)
        applyWith(ApplyFill, f);
    else if (kind_ == Kind::Line)
        settings_.lineFill = f;
    else
        settings_.polyfill = f;
    afterChange();
}

void FineTunePanel::surfaceChosen(int position)
{
    if (!Valid(surface_, position))
        return;
    const std::uint8_t v = position == 0 ? 0 : kRoundSurface;
    if (fineTune_)
        applyWith(ApplySurface, v);
    else
        (kind_ == Kind::Line   ? settings_.liplas
         : kind_ == Kind::Text ? settings_.txplas
                               : settings_.poplas) = v;
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

void FineTunePanel::shadowChosen(int position)
{
    if (!Valid(shadow_, position) || customizeChosen(shadow_, position, 63))
        return;
    const ShadowBytes b = shadow_->list().entries[static_cast<std::size_t>(position)].shadow;
    if (fineTune_) {
        const bool text = kind_ == Kind::Text;
        apply([b, text](ItemList& l, HistoryCursor& h, const FineTuneContext& x) {
            return text ? ApplyTextShadow(l, h, x, b.elevation, b.fade, b.lightness)
                        : ApplyShadow(l, h, x, b.elevation, b.fade, b.lightness);
        });
    } else {
        (kind_ == Kind::Text ? settings_.shtext : settings_.shpoly) = b;
    }
    if (hooks_.changed)
        hooks_.changed();
    deferRefill();
}

void FineTunePanel::fourthChosen(int position)
{
    if (!Valid(fourth_, position))
        return;
    const int code = panelCode();
    if (code == 199 || code == 299 || code == 105 || code == 206) {
        const int n = SideCounts()[static_cast<std::size_t>(position)];
        if (fineTune_)
            applyWith(ApplySides, n);
        else
            settings_.polysides = n;
    } else if (IsSplineCode(code) || IsCurveCode(code)) {
        if (fineTune_) {
            applyWith(ApplySplineShape, position);
            const int next = IsSplineCode(code) ? (position == 2 ? 210 : 209) : (position == 2 ? 212 : 211);
            if (code != 297 && code != 298)
                deferShowPanel(next);
        } else {
            const bool spline = IsSplineCode(code);
            (spline ? settings_.polyshape : settings_.bpolyshape) = position;
            if (position < 2)
                (spline ? settings_.polystate : settings_.bpolystate) = position;
            deferShowPanel(spline ? (position == 2 ? 110 : 109) : (position == 2 ? 112 : 111));
        }
    } else if (fineTune_) {
        std::int32_t kind = 0;
        int next = code;
        if (code == 201 || code == 202) {
            kind = position == 0 ? KindSquare : KindRectangle;
            next = position == 0 ? 201 : 202;
        } else if (code == 203 || code == 204) {
            kind = position == 0 ? KindCircle : KindEllipse;
            next = position == 0 ? 203 : 204;
        } else if (code == 207 || code == 208) {
            kind = position == 0 ? KindArc : KindPie;
            next = position == 0 ? 208 : 207;
        }
        if (kind != 0)
            applyWith(ApplyKind, kind);
        if (next != code)
            deferShowPanel(next);
    }
    afterChange();
}

void FineTunePanel::fontChosen(int position)
{
    if (!Valid(font_, position))
        return;
    const std::u16string face = font_->itemText(position).toStdU16String();
    if (fineTune_)
        applyWith(ApplyFontName, face);
    else
        settings_.tfont = face;
    afterChange();
}

void FineTunePanel::charsetChosen(int position)
{
    if (!Valid(charset_, position))
        return;
    const int c = charset_->itemData(position).toInt();
    if (fineTune_)
        applyWith(ApplyCharset, c);
    else
        settings_.tcharset = c;
    afterChange();
}

void FineTunePanel::sizeChosen(int position)
{
    if (!Valid(size_, position) || customizeChosen(size_, position, 41))
        return;
    const int points = Round(size_->list().entries[static_cast<std::size_t>(position)].value);
    if (fineTune_) {
        applyWith(ApplyTextSize, points);
    } else {
        settings_.tsize = points;
        settings_.tsizetab = position;
    }
    afterChange();
}

void FineTunePanel::fontWeightChosen(int weight)
{
    if (fineTune_)
        applyWith(ApplyFontWeight, weight);
    else
        settings_.tbold = weight;
    afterChange();
}

void FineTunePanel::styleToggled(int option, bool on)
{
    const std::uint8_t v = on ? 1 : 0;
    if (fineTune_)
        applyWith(ApplyTextOption, option, v);
    else
        settings_.toptions[static_cast<std::size_t>(option)] = v;
    afterChange();
}

void FineTunePanel::justify(int value)
{
    const auto v = static_cast<std::uint8_t>(value);
    if (fineTune_)
        applyWith(ApplyTextOption, OptionJustification, v);
    else
        settings_.toptions[OptionJustification] = v;
    afterChange();
}

int FineTunePanel::textDirectionOf(int position) const
{
    return Round(angle_->list().entries[static_cast<std::size_t>(position)].value);
}

void FineTunePanel::angleChosen(int position)
{
    if (!Valid(angle_, position) || customizeChosen(angle_, position, 40))
        return;
    const double degrees = angle_->list().entries[static_cast<std::size_t>(position)].value;
    const int direction = textDirectionOf(position);
    if (fineTune_) {
        applyWith(ApplyTextDirection, direction);
    } else {
        settings_.tangle = Round(10 * degrees);
        settings_.tangletab = position;
        settings_.tdir = direction;
        // The text being typed turns in place within its typing; other
        // selected texts turn as in fine-tune mode, as one undo step.
        if (!carryToTypedText(true))
            applyWith(ApplyTextDirection, direction);
    }
    afterChange(false);
}

void FineTunePanel::turn(Turn t)
{
    applyWith(ApplyTurn, t);
    if (hooks_.changed)
        hooks_.changed();
}

} // namespace vlm

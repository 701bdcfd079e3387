#include "shell/dialogs/page_setup_dialog.h"

#include "output/page_setup_pictures.h"
#include "platform/ui_text.h"
#include "shell/dialogs/page_setup_templates.h"
#include "texts/page_setup_texts.h"
#include "texts/render_texts.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


const char16_t* TypeName(std::int32_t t)
{
    return texts::kDesignTypeNames[t - 1];
}

QLabel* Hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The sample pane, drawn afresh for its size from the session.
class SampleView : public QWidget
{
public:
    SampleView(PageSetupSession& session, QWidget* parent) : QWidget(parent), session_(session)
    {
        setAccessibleName(uiText(texts::kSampleHeading));
        setMinimumSize(220, 260);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        Bitmap pane(width(), height());
        DrawPageSample(pane, session_.pageset(), session_.designType());
        QPainter(this).drawImage(0, 0, pane.image());
    }

private:
    PageSetupSession& session_;
};

constexpr std::int32_t kUnitsInListOrder[3] = {UnitPixels, UnitMillimeters, UnitInches};

} // namespace

// ---- DesignTypeBox ----

DesignTypeBox::DesignTypeBox(PageSetupDialog& page, QWidget* parent) : QWidget(parent), page_(page)
{
    auto* row = new QHBoxLayout(this);
    auto* box = new QGroupBox(uiText(texts::kDesignTypeHeading), this);
    auto* column = new QVBoxLayout(box);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const std::int32_t t = kOfferedDesignTypes[i];
        auto* b = new QToolButton(box);
        b->setText(uiText(TypeName(t)));
        b->setAccessibleDescription(uiText(texts::kDesignTypeDescriptions[t - 1]));
        b->setAutoRaise(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, t] { page_.chooseDesignType(t); });
        column->addWidget(b);
        buttons_[i] = b;
    }
    column->addStretch(1);
    row->addWidget(box);

    picture_ = new QLabel(this);
    picture_->setFixedSize(kDesignPictureWidth, kDesignPictureHeight);
    row->addWidget(picture_, 0, Qt::AlignTop);

    auto* right = new QVBoxLayout;
    description_ = Hint(QString(), this);
    right->addWidget(description_);
    right->addSpacing(12);
    right->addWidget(Hint(uiText(texts::kHintHighlightType), this));
    QString unsure = uiText(texts::kHintUnsure).toHtmlEscaped();
    const QString word = uiText(texts::kHintUnsureWord).toHtmlEscaped();
    unsure.replace(word, QStringLiteral("<b>") + word + QStringLiteral("</b>"));
    QLabel* unsureLabel = Hint(unsure, this);
    unsureLabel->setTextFormat(Qt::RichText);
    right->addWidget(unsureLabel);
    right->addWidget(Hint(uiText(texts::kHintProceed), this));
    right->addStretch(1);
    row->addLayout(right, 1);

    showType(IsDesignType(page_.session().designType()) ? page_.session().designType() : DesignIllustrations);
}

QToolButton* DesignTypeBox::button(std::int32_t designType) const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (kOfferedDesignTypes[i] == designType)
            return buttons_[i];
    return nullptr;
}

void DesignTypeBox::showType(std::int32_t designType)
{
    if (!IsDesignType(designType))
        return;
    shown_ = designType;
    description_->setText(uiText(texts::kDesignTypeDescriptions[designType - 1]));
    picture_->setPixmap(QPixmap::fromImage(DesignTypePicture(designType).image()));
    picture_->setAccessibleName(uiText(TypeName(designType)));
}

bool DesignTypeBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter)
        for (std::size_t i = 0; i < buttons_.size(); ++i)
            if (watched == buttons_[i])
                showType(kOfferedDesignTypes[i]);
    return QWidget::eventFilter(watched, event);
}

// ---- DimensionPanel ----

DimensionPanel::DimensionPanel(PageSetupDialog& page, QWidget* parent) : QWidget(parent), page_(page)
{
    PageSetupSession& s = page_.session();
    auto* outer = new QHBoxLayout(this);
    auto* controls = new QVBoxLayout;
    outer->addLayout(controls, 3);

    auto* top = new QHBoxLayout;
    auto* back = new QPushButton(uiText(texts::kDesignTypeHeading), this);
    back->setAccessibleName(uiText(texts::kDesignTypeHeading));
    connect(back, &QPushButton::clicked, this, [this] { page_.showDesignTypeMenu(); });
    top->addWidget(back);
    auto* heading = new QLabel(uiText(TypeName(s.designType())), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    top->addWidget(heading, 1);
    portrait_ = new QCheckBox(uiText(texts::kPortrait), this);
    landscape_ = new QCheckBox(uiText(texts::kLandscape), this);
    top->addWidget(portrait_);
    top->addWidget(landscape_);
    controls->addLayout(top);
    connect(portrait_, &QCheckBox::clicked, this, [this] { orientationClicked(Portrait); });
    connect(landscape_, &QCheckBox::clicked, this, [this] { orientationClicked(Landscape); });

    auto* lists = new QHBoxLayout;
    auto* quickColumn = new QVBoxLayout;
    quickColumn->addWidget(new QLabel(uiText(texts::kQuickSelect), this));
    quickSelect_ = new QListWidget(this);
    quickSelect_->setAccessibleName(uiText(texts::kQuickSelect));
    quickSelect_->setMinimumWidth(260);
    quickColumn->addWidget(quickSelect_);
    lists->addLayout(quickColumn, 3);
    if (page_.templates() && IsCardDesignType(s.designType())) {
        templates_ = new TemplatesBox(page_, *page_.templates(), this);
        lists->addWidget(templates_, 3);
    }
    auto* unitColumn = new QVBoxLayout;
    unitColumn->addWidget(new QLabel(uiText(texts::kMeasuringUnits), this));
    units_ = new QListWidget(this);
    units_->setAccessibleName(uiText(texts::kMeasuringUnits));
    for (const char16_t* name : {texts::kUnitNamePixels, texts::kUnitNameMillimeters, texts::kUnitNameInches})
        units_->addItem(uiText(name));
    units_->setFixedHeight(units_->sizeHintForRow(0) * 3 + 2 * units_->frameWidth() + 4);
    unitColumn->addWidget(units_);
    unitColumn->addStretch(1);
    lists->addLayout(unitColumn, 1);
    controls->addLayout(lists, 1);

    connect(quickSelect_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0)
            return;
        page_.session().chooseQuickSelect(row);
        refresh();
    });
    connect(units_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0 || row > 2)
            return;
        page_.session().setUnits(kUnitsInListOrder[row]);
        refresh();
    });

    fieldsArea_ = new QWidget(this);
    fieldsGrid_ = new QGridLayout(fieldsArea_);
    fieldsGrid_->setContentsMargins(0, 0, 0, 0);
    controls->addWidget(fieldsArea_);

    auto* right = new QVBoxLayout;
    sample_ = new SampleView(s, this);
    right->addWidget(sample_, 1);
    hints_ = new QVBoxLayout;
    right->addLayout(hints_);
    outer->addLayout(right, 2);

    switch (HintFamilyOf(s.designType())) {
    case HintFamily::Sheet:
        hints_->addWidget(Hint(uiText(texts::kHintSheetPrint), this));
        hints_->addWidget(
            Hint(uiText(texts::kHintSheetMargins) + QLatin1Char(' ') + uiText(texts::kHintSheetOutline), this));
        break;
    case HintFamily::Card:
        hints_->addWidget(Hint(uiText(texts::kHintCardCopies), this));
        hints_->addWidget(Hint(uiText(texts::kHintCardCanvas), this));
        break;
    case HintFamily::Digital:
        hints_->addWidget(Hint(uiText(texts::kHintDigitalSizes), this));
        hints_->addWidget(Hint(uiText(texts::kHintDigitalPixel), this));
        break;
    }
    refresh();
}

void DimensionPanel::buildFields()
{
    while (QLayoutItem* item = fieldsGrid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    fields_.clear();
    labels_.clear();
    rowFold_ = columnFold_ = nullptr;

    const PageSetupSession& s = page_.session();
    layout_ = DimensionLayoutFor(s.designType(), s.units());
    int row = 0;
    for (const auto& [left, right] : layout_) {
        int column = 0;
        for (const DimensionCell& cell : {left, right}) {
            if (cell.kind == DimensionCell::Kind::Text) {
                auto* label = new QLabel(uiText(cell.label), fieldsArea_);
                auto* edit = new QLineEdit(fieldsArea_);
                edit->setAccessibleName(uiText(cell.label));
                label->setBuddy(edit);
                fieldsGrid_->addWidget(label, row, column);
                fieldsGrid_->addWidget(edit, row, column + 1);
                const DimensionText text = cell.text;
                connect(edit, &QLineEdit::textChanged, this, [this, text](const QString& typed) {
                    if (filling_)
                        return;
                    page_.session().setText(text, typed.toStdU16String());
                    afterEdit();
                });
                fields_.emplace_back(text, edit);
                labels_.emplace_back(text, label);
            } else {
                auto* box = new QCheckBox(uiText(cell.label), fieldsArea_);
                fieldsGrid_->addWidget(box, row, column, 1, 2);
                const DimensionCell::Kind kind = cell.kind;
                connect(box, &QCheckBox::toggled, this, [this, kind](bool on) {
                    if (filling_)
                        return;
                    page_.session().setFold(kind, on);
                    afterEdit();
                });
                (kind == DimensionCell::Kind::RowFold ? rowFold_ : columnFold_) = box;
            }
            column += 2;
        }
        ++row;
    }
    fieldsGrid_->setRowStretch(row, 1);
}

void DimensionPanel::refresh()
{
    filling_ = true;
    const PageSetupSession& s = page_.session();
    const std::int32_t orientation = s.pageset().orientation;
    portrait_->setChecked(orientation == Portrait);
    landscape_->setChecked(orientation == Landscape);

    quickSelect_->clear();
    for (const std::u16string& text : s.quickSelectTexts())
        quickSelect_->addItem(QString::fromStdU16String(text));
    quickSelect_->setCurrentRow(s.quickSelectIndex());
    units_->setCurrentRow(IsMeasuringUnit(s.units()) ? s.units() - 1 : -1);

    if (layout_ != DimensionLayoutFor(s.designType(), s.units()) || fields_.empty())
        buildFields();
    if (const miry_t* set = s.currentSet()) {
        for (const auto& [text, edit] : fields_)
            edit->setText(QString::fromStdU16String(set->texts[static_cast<std::size_t>(text)]));
        if (rowFold_)
            rowFold_->setChecked(set->rowFold != 0);
        if (columnFold_)
            columnFold_->setChecked(set->columnFold != 0);
    }
    fieldsArea_->setVisible(s.currentSet() != nullptr);
    sample_->update();
    filling_ = false;
}

void DimensionPanel::afterEdit()
{
    filling_ = true;
    quickSelect_->setCurrentRow(page_.session().quickSelectIndex());
    if (page_.session().quickSelectIndex() < 0)
        quickSelect_->clearSelection();
    filling_ = false;
    sample_->update();
}

void DimensionPanel::orientationClicked(std::int32_t orientation)
{
    if (filling_)
        return;
    page_.session().setOrientation(orientation);
    // A click on the box already checked changes nothing; refreshing puts
    // its tick back.
    refresh();
}

QLineEdit* DimensionPanel::field(DimensionText text) const
{
    for (const auto& [t, edit] : fields_)
        if (t == text)
            return edit;
    return nullptr;
}

QLabel* DimensionPanel::labelOf(DimensionText text) const
{
    for (const auto& [t, label] : labels_)
        if (t == text)
            return label;
    return nullptr;
}

QCheckBox* DimensionPanel::foldBox(DimensionCell::Kind fold) const
{
    return fold == DimensionCell::Kind::RowFold      ? rowFold_
           : fold == DimensionCell::Kind::ColumnFold ? columnFold_
                                                     : nullptr;
}

// ---- PageSetupDialog ----

PageSetupDialog::PageSetupDialog(PageSetupSession session, std::function<void(const PageSetupSession&)> apply,
             std::function<void()> close, TemplateLibrary* templates, QWidget* parent)
    : QWidget(parent), session_(std::move(session)), onApply_(std::move(apply)), onClose_(std::move(close)),
      templates_(templates)
{
    auto* outer = new QVBoxLayout(this);
    stageArea_ = new QVBoxLayout;
    outer->addLayout(stageArea_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    apply_ = new QPushButton(uiText(texts::kApply), this);
    cancel_ = new QPushButton(uiText(texts::kCancel), this);
    apply_->setDefault(true);
    buttons->addWidget(apply_);
    buttons->addWidget(cancel_);
    outer->addLayout(buttons);
    connect(apply_, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { CancelClick(); });

    switchTimer_.setSingleShot(true);
    switchTimer_.setInterval(kSwitchDelayMs);
    connect(&switchTimer_, &QTimer::timeout, this, [this] { switchTimerTimeout(); });
    showStage();
    setMinimumSize(820, 520);
}

void PageSetupDialog::showStage()
{
    if (menu_) {
        stageArea_->removeWidget(menu_);
        menu_->deleteLater();
        menu_ = nullptr;
    }
    if (dimensions_) {
        stageArea_->removeWidget(dimensions_);
        dimensions_->deleteLater();
        dimensions_ = nullptr;
    }
    if (session_.stage() == PageSetupSession::Stage::DesignTypeMenu) {
        menu_ = new DesignTypeBox(*this, this);
        stageArea_->addWidget(menu_);
    } else {
        dimensions_ = new DimensionPanel(*this, this);
        stageArea_->addWidget(dimensions_);
    }
}

void PageSetupDialog::chooseDesignType(std::int32_t designType)
{
    if (!IsDesignType(designType))
        return;
    session_.chooseDesignType(designType);
    if (menu_)
        for (std::int32_t t : kOfferedDesignTypes)
            if (QToolButton* b = menu_->button(t))
                b->setAutoRaise(t != designType); // the chosen one stays raised
    switchTimer_.start();
}

void PageSetupDialog::switchTimerTimeout()
{
    switchTimer_.stop();
    if (session_.stage() == PageSetupSession::Stage::Dimensions && !dimensions_)
        showStage();
}

void PageSetupDialog::showDesignTypeMenu()
{
    switchTimer_.stop();
    session_.showDesignTypeMenu();
    showStage();
}

void PageSetupDialog::ApplyClick()
{
    if (onApply_)
        onApply_(session_);
    if (onClose_)
        onClose_();
}

void PageSetupDialog::CancelClick()
{
    if (onClose_)
        onClose_();
}

} // namespace vlm

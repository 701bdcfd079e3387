#include "shell/dialogs/customize_list_dialogs.h"

#include "platform/ui_text.h"
#include "settings/settings.h"
#include "texts/customize_texts.h"
#include "texts/fine_tune_texts.h"
#include "texts/render_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vlm {

namespace {


QString FromU16(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

QLineEdit* Field(const QString& text, const QString& name, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setAccessibleName(name);
    return field;
}

// A unit list whose choice k (from 0) stands for the unit k + 1.
QComboBox* UnitList(std::initializer_list<const char16_t*> units, std::int32_t current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const char16_t* u : units)
        box->addItem(uiText(u));
    box->setAccessibleName(uiText(texts::kFieldUnits));
    box->setCurrentIndex(current >= 1 && current <= box->count() ? current - 1 : -1);
    return box;
}

// The name row every dialog starts its fields with: typing stores the
// trimmed name and renames the entry's button.
template <class Entry>
QLineEdit* NameRow(QFormLayout* form, QWidget* pane, Entry& e, std::function<void()> renamed)
{
    auto* name = Field(FromU16(e.name), uiText(texts::kLabelName), pane);
    form->addRow(uiText(texts::kLabelName), name);
    QObject::connect(name, &QLineEdit::textChanged, pane, [&e, renamed](const QString& t) {
        e.name = Trimmed(t.toStdU16String());
        renamed();
    });
    return name;
}

} // namespace

// ---------------------------------------------------------------- weights

WeightsDialog::WeightsDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
                       QWidget* parent)
    : CustomizeDialog(
          [this, &settings, saved] {
              SaveWeights(settings, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      copy_(CopyWeights(settings))
{
    build({uiText(texts::kWeightsGuide), uiText(texts::kWhenDone)});
}

QString WeightsDialog::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList WeightsDialog::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custThicknessRec_t& e = *copy_.openEntry();
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    value_ = Field(FromU16(e.valueText), uiText(texts::kFieldThickness), parent);
    form->addRow(uiText(texts::kFieldThickness), value_);
    connect(value_, &QLineEdit::textChanged, parent,
            [&e](const QString& t) { e.valueText = Trimmed(t.toStdU16String()); });
    units_ = UnitList({texts::kUnitNamePixels, texts::kUnitNameMillimeters, texts::kUnitNameInches}, e.units,
                      parent);
    form->addRow(uiText(texts::kFieldUnits), units_);
    connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });
    return {uiText(texts::kWeightNameGuide), uiText(texts::kWeightValueGuide)};
}

// ---------------------------------------------------------------- patterns

PatternsDialog::PatternsDialog(Settings& settings, std::function<void()> saved, std::function<void()> close,
                     QWidget* parent)
    : CustomizeDialog(
          [this, &settings, saved] {
              SavePatterns(settings, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      copy_(CopyPatterns(settings))
{
    build({uiText(texts::kPatternsGuide), uiText(texts::kWhenDone)});
}

QString PatternsDialog::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList PatternsDialog::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custPatternRec_t& e = *copy_.openEntry();
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    units_ = UnitList({texts::kUnitNamePixels, texts::kUnitNameMillimeters, texts::kUnitNameInches}, e.units,
                      parent);
    form->addRow(uiText(texts::kFieldUnits), units_);
    connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });

    // Dashes on the left, spaces on the right, the pairs row by row.
    auto* grid = new QGridLayout;
    pane->addLayout(grid);
    grid->addWidget(new QLabel(uiText(texts::kColumnDash), parent), 0, 0);
    grid->addWidget(new QLabel(uiText(texts::kColumnSpace), parent), 0, 1);
    for (int j = 1; j <= kPatternLengthCount; ++j) {
        const bool dash = j % 2 == 1;
        const QString name = uiText(dash ? texts::kColumnDash : texts::kColumnSpace) + QLatin1Char(' ') +
                             QString::number((j + 1) / 2);
        std::u16string& text = e.valueTexts[static_cast<std::size_t>(j - 1)];
        auto* field = Field(FromU16(text), name, parent);
        grid->addWidget(field, 1 + (j - 1) / 2, dash ? 0 : 1);
        connect(field, &QLineEdit::textChanged, parent,
                [&text](const QString& t) { text = t.toStdU16String(); });
        lengths_[static_cast<std::size_t>(j - 1)] = field;
    }
    return {uiText(texts::kPatternNameGuide), uiText(texts::kPatternValueGuide)};
}

// ---------------------------------------------------------------- directions, angles, sizes

DirectionsDialog::DirectionsDialog(Settings& settings, CustomList list, std::function<void()> saved,
                         std::function<void()> close, QWidget* parent)
    : CustomizeDialog(
          [this, &settings, saved] {
              SaveDirections(settings, list_, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      list_(list), copy_(CopyDirections(settings, list))
{
    build({uiText(list == CustomList::FontSizes ? texts::kSizesGuide : texts::kAnglesGuide)});
}

QString DirectionsDialog::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList DirectionsDialog::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custDirectionRec_t& e = *copy_.openEntry();
    const bool sizes = list_ == CustomList::FontSizes;
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    const QString valueLabel = uiText(sizes ? texts::kLabelSize : texts::kLabelAngle);
    value_ = Field(FromU16(e.valueText), valueLabel, parent);
    form->addRow(valueLabel, value_);
    connect(value_, &QLineEdit::textChanged, parent,
            [&e](const QString& t) { e.valueText = Trimmed(t.toStdU16String()); });
    units_ = nullptr;
    if (!sizes) {
        units_ = UnitList({texts::kUnitDegrees, texts::kUnitRadians}, e.units, parent);
        form->addRow(uiText(texts::kFieldUnits), units_);
        connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });
    }
    switch (list_) {
    case CustomList::FontSizes:
        return {uiText(texts::kSizeNameGuide), uiText(texts::kSizeValueGuide)};
    case CustomList::TextAngles:
        return {uiText(texts::kAngleNameGuide), uiText(texts::kTextAngleValueGuide)};
    default:
        return {uiText(texts::kAngleNameGuide), uiText(texts::kDirectionValueGuide)};
    }
}

} // namespace vlm

#include "shell/customize_list_frames.h"

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

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

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
        box->addItem(Text(u));
    box->setAccessibleName(Text(texts::kFieldUnits));
    box->setCurrentIndex(current >= 1 && current <= box->count() ? current - 1 : -1);
    return box;
}

// The name row every dialog starts its fields with: typing stores the
// trimmed name and renames the entry's button.
template <class Entry>
QLineEdit* NameRow(QFormLayout* form, QWidget* pane, Entry& e, std::function<void()> renamed)
{
    auto* name = Field(FromU16(e.name), Text(texts::kLabelName), pane);
    form->addRow(Text(texts::kLabelName), name);
    QObject::connect(name, &QLineEdit::textChanged, pane, [&e, renamed](const QString& t) {
        e.name = Trimmed(t.toStdU16String());
        renamed();
    });
    return name;
}

} // namespace

// ---------------------------------------------------------------- weights

TThickness::TThickness(Settings& settings, std::function<void()> saved, std::function<void()> close,
                       QWidget* parent)
    : CustomizeFrame(
          [this, &settings, saved] {
              SaveWeights(settings, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      copy_(CopyWeights(settings))
{
    build({Text(texts::kWeightsGuide), Text(texts::kWhenDone)});
}

QString TThickness::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList TThickness::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custThicknessRec_t& e = *copy_.openEntry();
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    value_ = Field(FromU16(e.valueText), Text(texts::kFieldThickness), parent);
    form->addRow(Text(texts::kFieldThickness), value_);
    connect(value_, &QLineEdit::textChanged, parent,
            [&e](const QString& t) { e.valueText = Trimmed(t.toStdU16String()); });
    units_ = UnitList({texts::kUnitNamePixels, texts::kUnitNameMillimeters, texts::kUnitNameInches}, e.units,
                      parent);
    form->addRow(Text(texts::kFieldUnits), units_);
    connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });
    return {Text(texts::kWeightNameGuide), Text(texts::kWeightValueGuide)};
}

// ---------------------------------------------------------------- patterns

TPatterns::TPatterns(Settings& settings, std::function<void()> saved, std::function<void()> close,
                     QWidget* parent)
    : CustomizeFrame(
          [this, &settings, saved] {
              SavePatterns(settings, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      copy_(CopyPatterns(settings))
{
    build({Text(texts::kPatternsGuide), Text(texts::kWhenDone)});
}

QString TPatterns::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList TPatterns::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custPatternRec_t& e = *copy_.openEntry();
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    units_ = UnitList({texts::kUnitNamePixels, texts::kUnitNameMillimeters, texts::kUnitNameInches}, e.units,
                      parent);
    form->addRow(Text(texts::kFieldUnits), units_);
    connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });

    // Dashes on the left, spaces on the right, the pairs row by row.
    auto* grid = new QGridLayout;
    pane->addLayout(grid);
    grid->addWidget(new QLabel(Text(texts::kColumnDash), parent), 0, 0);
    grid->addWidget(new QLabel(Text(texts::kColumnSpace), parent), 0, 1);
    for (int j = 1; j <= kPatternLengthCount; ++j) {
        const bool dash = j % 2 == 1;
        const QString name = Text(dash ? texts::kColumnDash : texts::kColumnSpace) + QLatin1Char(' ') +
                             QString::number((j + 1) / 2);
        std::u16string& text = e.valueTexts[static_cast<std::size_t>(j - 1)];
        auto* field = Field(FromU16(text), name, parent);
        grid->addWidget(field, 1 + (j - 1) / 2, dash ? 0 : 1);
        connect(field, &QLineEdit::textChanged, parent,
                [&text](const QString& t) { text = t.toStdU16String(); });
        lengths_[static_cast<std::size_t>(j - 1)] = field;
    }
    return {Text(texts::kPatternNameGuide), Text(texts::kPatternValueGuide)};
}

// ---------------------------------------------------------------- directions, angles, sizes

TDirections::TDirections(Settings& settings, CustomList list, std::function<void()> saved,
                         std::function<void()> close, QWidget* parent)
    : CustomizeFrame(
          [this, &settings, saved] {
              SaveDirections(settings, list_, copy_);
              if (saved)
                  saved();
          },
          std::move(close), parent),
      list_(list), copy_(CopyDirections(settings, list))
{
    build({Text(list == CustomList::FontSizes ? texts::kSizesGuide : texts::kAnglesGuide)});
}

QString TDirections::entryName(int k) const
{
    return FromU16(copy_.entries[static_cast<std::size_t>(k - 1)].name);
}

QStringList TDirections::fillPane(int k, QVBoxLayout* pane)
{
    copy_.open = k;
    custDirectionRec_t& e = *copy_.openEntry();
    const bool sizes = list_ == CustomList::FontSizes;
    auto* form = new QFormLayout;
    pane->addLayout(form);
    QWidget* parent = pane->parentWidget();
    name_ = NameRow(form, parent, e, [this] { renameOpenButton(); });
    const QString valueLabel = Text(sizes ? texts::kLabelSize : texts::kLabelAngle);
    value_ = Field(FromU16(e.valueText), valueLabel, parent);
    form->addRow(valueLabel, value_);
    connect(value_, &QLineEdit::textChanged, parent,
            [&e](const QString& t) { e.valueText = Trimmed(t.toStdU16String()); });
    units_ = nullptr;
    if (!sizes) {
        units_ = UnitList({texts::kUnitDegrees, texts::kUnitRadians}, e.units, parent);
        form->addRow(Text(texts::kFieldUnits), units_);
        connect(units_, &QComboBox::activated, parent, [&e](int i) { e.units = i + 1; });
    }
    switch (list_) {
    case CustomList::FontSizes:
        return {Text(texts::kSizeNameGuide), Text(texts::kSizeValueGuide)};
    case CustomList::TextAngles:
        return {Text(texts::kAngleNameGuide), Text(texts::kTextAngleValueGuide)};
    default:
        return {Text(texts::kAngleNameGuide), Text(texts::kDirectionValueGuide)};
    }
}

} // namespace vlm

#include "shell/dialogs/grid_options_dialog.h"

#include "platform/ui_text.h"
#include "texts/grid_texts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

namespace {


} // namespace

QString DensityUnitName(std::int32_t unit)
{
    switch (unit) {
    case UnitPixels:
        return uiText(texts::kDensityPixels);
    case UnitMillimeters:
        return uiText(texts::kDensityMillimeters);
    default:
        return uiText(texts::kDensityInches);
    }
}

void AddFrameButtons(QWidget* frame, QBoxLayout* layout, const char16_t* confirm,
                     std::function<void()> onConfirm, std::function<void()> onCancel)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* confirmButton = new QPushButton(uiText(confirm), frame);
    auto* cancelButton = new QPushButton(uiText(texts::kButtonCancel), frame);
    confirmButton->setAccessibleName(confirmButton->text());
    cancelButton->setAccessibleName(cancelButton->text());
    confirmButton->setDefault(true);
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    QObject::connect(confirmButton, &QPushButton::clicked, frame, std::move(onConfirm));
    QObject::connect(cancelButton, &QPushButton::clicked, frame, std::move(onCancel));
}

GridOptionsDialog::GridOptionsDialog(defaults_t options, std::function<void(const defaults_t&)> save,
                                   std::function<void()> close, QWidget* parent)
    : QWidget(parent), options_(std::move(options)), save_(std::move(save)), close_(std::move(close))
{
    if (!IsMeasuringUnit(options_.unit))
        options_.unit = UnitInches;
    auto* outer = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    outer->addLayout(groups);
    const QString densityCaption = uiText(texts::kGridDensity) + QStringLiteral(" (") +
                                   DensityUnitName(options_.unit) + QStringLiteral(")");
    for (int dir = 0; dir < 2; ++dir) {
        const bool h = dir == 0;
        auto* group = new QGroupBox(uiText(h ? texts::kGroupHorizontal : texts::kGroupVertical), this);
        auto* column = new QVBoxLayout(group);
        std::uint8_t* flags[3] = {h ? &options_.gridH : &options_.gridV,
                                  h ? &options_.anchorsH : &options_.anchorsV,
                                  h ? &options_.snapH : &options_.snapV};
        const char16_t* captions[3] = {texts::kShowGridlines, texts::kShowAnchors, texts::kSnapToGrid};
        for (int i = 0; i < 3; ++i) {
            auto* box = new QCheckBox(uiText(captions[i]), group);
            box->setAccessibleName(group->title() + QLatin1Char(' ') + box->text());
            box->setChecked(*flags[i] != 0);
            std::uint8_t* flag = flags[i];
            connect(box, &QCheckBox::toggled, this, [flag](bool on) { *flag = on ? 1 : 0; });
            column->addWidget(box);
            boxes_[dir][i] = box;
        }
        auto* label = new QLabel(densityCaption, group);
        auto* field = new QLineEdit(group);
        label->setBuddy(field);
        field->setAccessibleName(group->title() + QLatin1Char(' ') + densityCaption);
        GridBlock& block = options_.block(options_.unit);
        std::u16string& text = block.texts[h ? GridSpacingX : GridSpacingY];
        field->setText(QString::fromStdU16String(text));
        connect(field, &QLineEdit::textChanged, this,
                [&text](const QString& t) { text = t.toStdU16String(); });
        column->addWidget(label);
        column->addWidget(field);
        column->addStretch(1);
        density_[dir] = field;
        groups->addWidget(group);
    }
    outer->addStretch(1);
    AddFrameButtons(
        this, outer, texts::kButtonSave, [this] { Save(); },
        [this] {
            if (close_)
                close_();
        });
}

void GridOptionsDialog::Save()
{
    if (save_)
        save_(options_);
    if (close_)
        close_();
}

} // namespace vlm

#include "shell/dialogs/export_dialog.h"

#include "output/export_types.h"
#include "platform/ui_text.h"
#include "texts/output_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

ExportDialog::ExportDialog(Choice initial, std::function<void(Choice)> confirmed, std::function<void()> cancelled,
                           QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(uiText(texts::kExportTitle));
    auto* layout = new QVBoxLayout(this);

    auto* typeLabel = new QLabel(uiText(texts::kExportTypeLabel), this);
    types_ = new QComboBox(this);
    types_->setAccessibleName(uiText(texts::kExportTypeLabel));
    typeLabel->setBuddy(types_);
    for (const ExportType& t : exportTypes())
        types_->addItem(uiText(t.name));
    const int count = static_cast<int>(exportTypes().size());
    types_->setCurrentIndex(initial.type >= 0 && initial.type < count ? initial.type : 0);
    layout->addWidget(typeLabel);
    layout->addWidget(types_);

    smooth_ = new QCheckBox(uiText(texts::kExportSmooth), this);
    smooth_->setAccessibleName(uiText(texts::kExportSmooth));
    smooth_->setAccessibleDescription(uiText(texts::kExportSmoothHint));
    smooth_->setChecked(initial.smooth);
    layout->addSpacing(8);
    layout->addWidget(smooth_);
    auto* hint = new QLabel(uiText(texts::kExportSmoothHint) + QLatin1Char(' ') + uiText(texts::kExportExactHint), this);
    hint->setWordWrap(true);
    hint->setAccessibleName(hint->text());
    layout->addWidget(hint);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    continue_ = new QPushButton(uiText(texts::kExportContinue), this);
    continue_->setAccessibleName(uiText(texts::kExportContinue));
    continue_->setDefault(true);
    cancel_ = new QPushButton(uiText(texts::kExportCancel), this);
    cancel_->setAccessibleName(uiText(texts::kExportCancel));
    buttons->addStretch(1);
    buttons->addWidget(continue_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(types_, &QComboBox::currentIndexChanged, this, [this] { typeChanged(); });
    connect(continue_, &QPushButton::clicked, this, [this, confirmed] {
        if (confirmed)
            confirmed(choice());
    });
    connect(cancel_, &QPushButton::clicked, this, [cancelled] {
        if (cancelled)
            cancelled();
    });
    typeChanged();
}

ExportDialog::Choice ExportDialog::choice() const
{
    return {types_->currentIndex(), smooth_->isEnabled() && smooth_->isChecked()};
}

void ExportDialog::typeChanged()
{
    const int i = types_->currentIndex();
    const auto& types = exportTypes();
    smooth_->setEnabled(i >= 0 && i < static_cast<int>(types.size()) && !types[i].vector());
}

} // namespace vlm

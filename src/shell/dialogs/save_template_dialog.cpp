#include "shell/dialogs/save_template_dialog.h"

#include "platform/ui_text.h"
#include "texts/page_setup_texts.h"
#include "texts/template_texts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

SaveTemplateDialog::SaveTemplateDialog(
    std::function<void(const QString&, const QString&, const QString&)> save, QWidget* parent)
    : QDialog(parent), save_(std::move(save))
{
    setWindowTitle(uiText(texts::kSaveTemplateTitle));
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto field = [this, form](const char16_t* label) {
        auto* edit = new QLineEdit(this);
        edit->setAccessibleName(uiText(label));
        form->addRow(uiText(label), edit);
        return edit;
    };
    brand_ = field(texts::kTemplateBrand);
    name_ = field(texts::kTemplateName);
    description_ = field(texts::kTemplateDescription);
    outer->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = new QPushButton(uiText(texts::kSaveTemplateOk), this);
    ok_->setAccessibleName(uiText(texts::kSaveTemplateOk));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(uiText(texts::kCancel), this);
    cancel->setAccessibleName(uiText(texts::kCancel));
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    // A template needs both a brand and a name to be found again.
    const auto enable = [this] {
        ok_->setEnabled(!brand_->text().trimmed().isEmpty() && !name_->text().trimmed().isEmpty());
    };
    connect(brand_, &QLineEdit::textChanged, this, enable);
    connect(name_, &QLineEdit::textChanged, this, enable);
    enable();
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (save_)
            save_(brand_->text(), name_->text(), description_->text());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace vlm

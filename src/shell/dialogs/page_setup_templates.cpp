#include "shell/dialogs/page_setup_templates.h"

#include "platform/ui_text.h"
#include "output/template_writer.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/save_template_dialog.h"
#include "texts/template_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace vlm {

TemplatesBox::TemplatesBox(PageSetupDialog& page, TemplateLibrary& library, QWidget* parent)
    : QWidget(parent), page_(page), library_(library)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(uiText(texts::kTemplates), this);
    column->addWidget(heading);
    search_ = new QLineEdit(this);
    search_->setAccessibleName(uiText(texts::kTemplateSearch));
    search_->setPlaceholderText(uiText(texts::kTemplateSearchHint));
    search_->setClearButtonEnabled(true);
    column->addWidget(search_);
    list_ = new QListWidget(this);
    list_->setAccessibleName(uiText(texts::kTemplates));
    list_->setUniformItemSizes(true); // thousands of rows lay out at once
    list_->setMinimumWidth(240);
    heading->setBuddy(search_);
    column->addWidget(list_, 1);
    save_ = new QPushButton(uiText(texts::kSaveAsTemplate), this);
    save_->setAccessibleName(uiText(texts::kSaveAsTemplate));
    column->addWidget(save_);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setAccessibleName(uiText(texts::kSaveTemplateTitle));
    status_->hide();
    column->addWidget(status_);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        page_.setTemplateSearch(text);
        narrow(text);
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { rowChosen(row); });
    connect(save_, &QPushButton::clicked, this, [this] { page_.askSaveTemplate(); });

    reload();
}

void TemplatesBox::reload()
{
    const bool first = !library_.loaded();
    const TemplateCatalogue& catalogue = library_.catalogue();
    if (first)
        for (const QString& line : catalogue.diagnostics)
            qWarning("%s", qPrintable(line));
    filling_ = true;
    list_->clear();
    for (const LabelTemplate& t : catalogue.templates) {
        auto* item = new QListWidgetItem(TemplateListText(t), list_);
        // A product the page setup cannot hold is shown, greyed, with its
        // reason in its text.
        if (!t.usable())
            item->setFlags(Qt::NoItemFlags);
    }
    shown_.assign(catalogue.templates.size(), 1);
    search_->setText(page_.templateSearch());
    narrow(search_->text());
    const int chosen = page_.chosenTemplate();
    if (chosen >= 0 && chosen < list_->count())
        list_->setCurrentRow(chosen);
    filling_ = false;
}

void TemplatesBox::narrow(const QString& text)
{
    const TemplateCatalogue& catalogue = library_.catalogue();
    const TemplateQuery query(text);
    // Only the rows whose state changes are touched: a keystroke costs a
    // pass over the haystacks, not a relayout of every row.
    for (std::size_t i = 0; i < catalogue.templates.size() && i < shown_.size(); ++i) {
        const char keep = query.matches(catalogue.templates[i]) ? 1 : 0;
        if (keep != shown_[i]) {
            shown_[i] = keep;
            list_->setRowHidden(static_cast<int>(i), !keep);
        }
    }
}

int TemplatesBox::templateAt(int row) const
{
    return row >= 0 && row < list_->count() ? row : -1;
}

int TemplatesBox::visibleCount() const
{
    int n = 0;
    for (char s : shown_)
        n += s;
    return n;
}

void TemplatesBox::rowChosen(int row)
{
    if (filling_ || templateAt(row) < 0)
        return;
    const TemplateCatalogue& catalogue = library_.catalogue();
    const LabelTemplate& t = catalogue.templates[static_cast<std::size_t>(row)];
    if (!t.usable())
        return;
    page_.chooseTemplate(row, t);
}

void TemplatesBox::showStatus(const QString& text)
{
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

} // namespace vlm

// ---- PageSetupDialog: the templates ----

namespace vlm {

void PageSetupDialog::chooseTemplate(int row, const LabelTemplate& t)
{
    const std::int32_t before = session_.designType();
    if (!session_.chooseTemplate(t))
        return;
    chosenTemplate_ = row;
    // A product of another card type is shown on that type's panel; the old
    // panel, whose list sent this, goes once the event is over.
    if (session_.designType() != before)
        showStage();
    else if (dimensions_)
        dimensions_->refresh();
}

void PageSetupDialog::askSaveTemplate()
{
    auto* ask = new SaveTemplateDialog(
        [this](const QString& brand, const QString& name, const QString& description) {
            saveTemplate(brand, name, description);
        },
        this);
    ask->setAttribute(Qt::WA_DeleteOnClose);
    ask->setWindowModality(Qt::WindowModal);
    ask->show();
}

bool PageSetupDialog::saveTemplate(const QString& brand, const QString& name, const QString& description)
{
    TemplatesBox* box = dimensions_ ? dimensions_->templatesBox() : nullptr;
    if (!templates_ || !box)
        return false;
    const miry_t* set = session_.currentSet();
    const std::optional<LabelTemplate> made =
        set ? TemplateFromSet(*set, session_.units(), session_.designType(), brand, name, description)
            : std::nullopt;
    if (!made) {
        box->showStatus(uiText(texts::kTemplateNeedsLength));
        return false;
    }
    QString error;
    const std::optional<QString> path = SaveUserTemplate(templates_->sources().userFolder, *made, error);
    if (!path) {
        box->showStatus(uiText(texts::kTemplateNotSaved) + error);
        return false;
    }
    templates_->reload();
    const TemplateCatalogue& catalogue = templates_->catalogue();
    const LabelTemplate* saved = FindTemplate(catalogue, made->brand + QLatin1Char(' ') + made->part);
    chosenTemplate_ = saved ? static_cast<int>(saved - catalogue.templates.data()) : -1;
    box->reload();
    box->showStatus(uiText(texts::kTemplateSaved) + *path);
    return true;
}

} // namespace vlm

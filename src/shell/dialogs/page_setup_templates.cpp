#include "shell/dialogs/page_setup_templates.h"

#include "platform/ui_text.h"
#include "output/template_writer.h"
#include "shell/dialogs/page_setup_dialog.h"
#include "shell/dialogs/save_template_dialog.h"
#include "texts/template_texts.h"

#include <QAbstractListModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include <algorithm>

namespace vlm {

// The rows the search keeps: a view over the catalogue, reset per keystroke,
// so a narrowed list never lays out the rows it does not show.
class TemplateListModel : public QAbstractListModel
{
public:
    TemplateListModel(TemplateLibrary& library, QObject* parent) : QAbstractListModel(parent), library_(library) {}

    void show(std::vector<int> kept)
    {
        beginResetModel();
        kept_ = std::move(kept);
        endResetModel();
    }
    void reloadTexts()
    {
        texts_.clear();
        for (const LabelTemplate& t : library_.catalogue().templates)
            texts_ << templateListText(t);
    }
    const std::vector<int>& kept() const { return kept_; }
    const LabelTemplate* at(int row) const
    {
        const auto& all = library_.catalogue().templates;
        if (row < 0 || row >= static_cast<int>(kept_.size()))
            return nullptr;
        const int i = kept_[static_cast<std::size_t>(row)];
        return i >= 0 && i < static_cast<int>(all.size()) ? &all[static_cast<std::size_t>(i)] : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(kept_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!at(index.row()) || (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::AccessibleTextRole))
            return {};
        // The tool tip repeats the text, which is wider than the list.
        return texts_.value(kept_[static_cast<std::size_t>(index.row())]);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        const LabelTemplate* t = at(index.row());
        // A product the page setup cannot hold is shown greyed, with its
        // reason in its text.
        return t && t->usable() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    TemplateLibrary& library_;
    std::vector<int> kept_;
    QStringList texts_;
};

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
    model_ = new TemplateListModel(library_, this);
    list_ = new QListView(this);
    list_->setAccessibleName(uiText(texts::kTemplates));
    list_->setUniformItemSizes(true);
    list_->setMinimumWidth(240);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setModel(model_);
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
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { rowChosen(current); });
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
    model_->reloadTexts();
    filling_ = true;
    search_->setText(page_.templateSearch());
    filling_ = false;
    narrow(search_->text());
}

void TemplatesBox::narrow(const QString& text)
{
    filling_ = true;
    model_->show(narrowTemplates(library_.catalogue(), text));
    showChosen();
    filling_ = false;
}

void TemplatesBox::showChosen()
{
    const int row = rowOf(page_.chosenTemplate());
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row, 0);
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list_->scrollTo(index);
}

int TemplatesBox::templateAt(int row) const
{
    return model_->at(row) ? model_->kept()[static_cast<std::size_t>(row)] : -1;
}

int TemplatesBox::rowOf(int templateIndex) const
{
    const auto& kept = model_->kept();
    const auto it = std::lower_bound(kept.begin(), kept.end(), templateIndex);
    return it != kept.end() && *it == templateIndex ? static_cast<int>(it - kept.begin()) : -1;
}

int TemplatesBox::visibleCount() const
{
    return model_->rowCount();
}

QString TemplatesBox::rowText(int row) const
{
    return model_->data(model_->index(row, 0), Qt::DisplayRole).toString();
}

void TemplatesBox::chooseRow(int row)
{
    list_->selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void TemplatesBox::rowChosen(const QModelIndex& index)
{
    const LabelTemplate* t = model_->at(index.row());
    if (filling_ || !t || !t->usable())
        return;
    page_.chooseTemplate(templateAt(index.row()), *t);
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
        set ? templateFromSet(*set, session_.units(), session_.designType(), brand, name, description)
            : std::nullopt;
    if (!made) {
        box->showStatus(uiText(texts::kTemplateNeedsLength));
        return false;
    }
    QString error;
    const std::optional<QString> path = saveUserTemplate(templates_->sources().userFolder, *made, error);
    if (!path) {
        box->showStatus(uiText(texts::kTemplateNotSaved) + error);
        return false;
    }
    templates_->reload();
    const TemplateCatalogue& catalogue = templates_->catalogue();
    const LabelTemplate* saved = findTemplate(catalogue, made->brand + QLatin1Char(' ') + made->part);
    chosenTemplate_ = saved ? static_cast<int>(saved - catalogue.templates.data()) : -1;
    box->reload();
    box->showStatus(uiText(texts::kTemplateSaved) + *path);
    return true;
}

} // namespace vlm

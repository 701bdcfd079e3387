#pragma once

// The "Templates" box of the Page Setup dialog's dimension panel for card
// and label design types: a search field, the list of label and card
// products it narrows as the user types, and "Save as Template...". The
// catalogue is read the first time a box is made; choosing a product and
// saving one are the dialog's (PageSetupDialog::chooseTemplate,
// PageSetupDialog::saveTemplate).

#include "output/template_library.h"

#include <QModelIndex>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace vlm {

class PageSetupDialog;
class TemplateListModel;

class TemplatesBox : public QWidget
{
public:
    TemplatesBox(PageSetupDialog& page, TemplateLibrary& library, QWidget* parent = nullptr);

    QLineEdit* searchField() const { return search_; }
    // One row per template the search keeps, in catalogue order.
    QListView* list() const { return list_; }
    QPushButton* saveButton() const { return save_; }
    QLabel* status() const { return status_; }

    // The catalogue index of a list row (-1 for none), the row of a
    // catalogue index (-1 when the search hides it), and the rows shown.
    int templateAt(int row) const;
    int rowOf(int templateIndex) const;
    int visibleCount() const;
    // The row's text, and choosing it as a click does.
    QString rowText(int row) const;
    void chooseRow(int row);

    // Fills the list from the catalogue again (after a template was saved),
    // keeping the search.
    void reload();
    void showStatus(const QString& text);

private:
    void narrow(const QString& text);
    void rowChosen(const QModelIndex& index);
    void showChosen();

    PageSetupDialog& page_;
    TemplateLibrary& library_;
    QLineEdit* search_ = nullptr;
    QListView* list_ = nullptr;
    TemplateListModel* model_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* status_ = nullptr;
    bool filling_ = false;
};

} // namespace vlm

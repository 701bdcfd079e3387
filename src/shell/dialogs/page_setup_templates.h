#pragma once

// The "Templates" box of the Page Setup dialog's dimension panel for card
// and label design types: a search field, the list of label and card
// products it narrows as the user types, and "Save as Template...". The
// catalogue is read the first time a box is made; choosing a product and
// saving one are the dialog's (PageSetupDialog::chooseTemplate,
// PageSetupDialog::saveTemplate).

#include "output/template_library.h"

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vlm {

class PageSetupDialog;

class TemplatesBox : public QWidget
{
public:
    TemplatesBox(PageSetupDialog& page, TemplateLibrary& library, QWidget* parent = nullptr);

    QLineEdit* searchField() const { return search_; }
    QListWidget* list() const { return list_; }
    QPushButton* saveButton() const { return save_; }
    QLabel* status() const { return status_; }

    // The catalogue index of a list row, and the rows the search keeps.
    int templateAt(int row) const;
    int visibleCount() const;

    // Fills the list from the catalogue again (after a template was saved),
    // keeping the search.
    void reload();
    void showStatus(const QString& text);

private:
    void narrow(const QString& text);
    void rowChosen(int row);

    PageSetupDialog& page_;
    TemplateLibrary& library_;
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<char> shown_; // per row: kept by the search
    bool filling_ = false;
};

} // namespace vlm

#pragma once

// "Print with Data": the data file's columns and first records, a column
// to insert as a ${Field} into the text being typed, and the sheets as
// they will print, one at a time with "Previous sheet" and "Next sheet".
// The sheet shown is drawn when it is asked for; none is kept but it.

#include "output/data_file.h"
#include "output/render_sheet.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vlm {

class MergeDialog : public QWidget
{
public:
    struct Actions
    {
        std::function<void()> chooseFile;
        std::function<void(const QString& column)> insertField;
        std::function<void()> print;
        std::function<void()> close;
    };

    // `document` must outlive the dialog and stay unedited while it shows.
    MergeDialog(Document& document, std::string selection, SheetEnvironment env, Actions actions,
                QWidget* parent = nullptr);
    ~MergeDialog() override;

    // Shows the table read from `path`; a null table shows none.
    void setData(const QString& path, std::shared_ptr<const DataTable> table);
    std::shared_ptr<const DataTable> table() const { return table_; }

    std::size_t sheets() const { return sheets_; }
    std::size_t sheet() const { return sheet_; }
    // Draws sheet `sheet` (0-based, kept within the sheets) into the pane.
    void showSheet(std::size_t sheet);
    const QImage& preview() const { return preview_; }

    QLabel* fileLabel() const { return file_; }
    QListWidget* columnList() const { return columns_; }
    QTableWidget* recordTable() const { return records_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QLabel* sheetLabel() const { return sheetLabel_; }
    QPushButton* printButton() const { return print_; }

private:
    void updateButtons();

    Document& document_;
    std::string selection_;
    SheetEnvironment env_;
    Actions actions_;
    std::shared_ptr<const DataTable> table_;
    std::size_t sheets_ = 0;
    std::size_t sheet_ = 0;
    QImage preview_;
    QLabel* file_ = nullptr;
    QListWidget* columns_ = nullptr;
    QTableWidget* records_ = nullptr;
    QPushButton* insert_ = nullptr;
    QLabel* pane_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QLabel* sheetLabel_ = nullptr;
    QPushButton* print_ = nullptr;
};

} // namespace vlm

#pragma once

// Printing with data: `${Field}` in a text Item stands for the value of the
// column named Field in the record being printed. A name no column has is
// left as typed, so a document printed without data prints as it reads.
// Records fill a card sheet's cells in print order (row by row), first the
// cells the area selection leaves for the first sheet, then every cell of
// as many further sheets as the records need; a design without cells prints
// one record a page.

#include "model/document.h"
#include "model/screen_metrics.h"
#include "output/data_file.h"
#include "platform/font.h"

#include <QPoint>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vlm {

// `text` with every `${Name}` of a column replaced by the record's value;
// line breaks in a value become line separators. Values are not searched
// again for fields.
std::u16string fillFields(std::u16string_view text, const DataTable& table,
                          const std::vector<std::u16string>& record);

// Whether `text` holds a field of the table.
bool hasFields(std::u16string_view text, const DataTable& table);

// The records to print, 1-based and inclusive (0 for `last` is the end),
// each `copies` times in a row.
struct MergeRange
{
    std::size_t first = 1;
    std::size_t last = 0;
    int copies = 1;
};

// The indexes (0-based) of the table's records a range prints, in order,
// copies included.
std::vector<std::size_t> mergeJobs(const DataTable& table, const MergeRange& range);

// One cell of a sheet and the job printed in it.
struct MergeCell
{
    int row = 1; // 1-based
    int column = 1;
    std::size_t job = 0; // index into the jobs
};

// Where each job goes. `firstSheet` are the cells (x = column, y = row,
// 1-based) the first sheet prints, `everySheet` the cells of a whole sheet,
// both in print order.
class MergeLayout
{
public:
    MergeLayout(std::vector<QPoint> firstSheet, std::vector<QPoint> everySheet, std::size_t jobs);

    std::size_t sheets() const { return sheets_; }
    // The cells of sheet `sheet` (0-based) that print a job.
    std::vector<MergeCell> cellsOf(std::size_t sheet) const;

private:
    std::vector<QPoint> first_;
    std::vector<QPoint> every_;
    std::size_t jobs_ = 0;
    std::size_t sheets_ = 0;
};

// The cells of a grid of `rows` x `columns` in print order; with a
// selection, only those it prints.
std::vector<QPoint> gridCells(int rows, int columns, const std::string* selection = nullptr);

// Fills the fields of a document's text Items with one record at a time and
// puts every text back as it was when it goes. The document must not be
// edited meanwhile.
class FieldFiller
{
public:
    FieldFiller(Document& document, const DataTable& table, const ScreenMetrics& screen, int fontQuality);
    ~FieldFiller();
    FieldFiller(const FieldFiller&) = delete;
    FieldFiller& operator=(const FieldFiller&) = delete;

    // Fills in the record. A value that adds lines adds them below: the
    // text's first line stays where it is.
    void fill(const std::vector<std::u16string>& record);
    // Every text as it was (nothing to do when no record is filled in).
    void restore();
    // Whether any text Item holds a field.
    bool any() const { return !slots_.empty(); }

private:
    struct Slot;
    Document& document_;
    const DataTable& table_;
    ScreenMetrics screen_;
    int fontQuality_;
    FontCache fonts_;
    std::vector<Slot> slots_;
    bool filled_ = false;
};

} // namespace vlm

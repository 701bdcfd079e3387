#pragma once

// A document printed with data: its sheets, each cell filled with its
// record, drawn one sheet at a time (nothing of a sheet is kept once the
// next is drawn), and written as a multi-page PDF or one picture per record.

#include "output/data_merge.h"
#include "output/render_sheet.h"
#include "output/vector_files.h"
#include "output/vector_sheet.h"

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace vlm {

// Which cells print which record on each sheet of the document: a card
// sheet's cells on the paper (the selection applies to the first sheet),
// or one record a page for a design without cells.
MergeLayout mergeLayoutOf(const Document& document, const ScreenMetrics& screen, const std::string& selection,
                          std::size_t jobs);

class MergedSheets
{
public:
    // The table must outlive this; the document is left as it was when
    // this goes.
    MergedSheets(Document& document, const DataTable& table, const std::string& selection,
                 const MergeRange& range, const SheetEnvironment& env);

    std::size_t sheets() const { return layout_.sheets(); }
    // How many records (copies counted) the sheets print.
    std::size_t jobs() const { return jobs_.size(); }
    const MergeLayout& layout() const { return layout_; }

    // Readies the document for each cell of sheet `sheet` (0-based).
    CellFiller fillerFor(std::size_t sheet);
    // Fills the document with job `job`'s record.
    void fillJob(std::size_t job);
    void restore() { filler_.restore(); }

    // Draws sheet `sheet` as drawVectorSheet does.
    bool draw(QPainter& painter, std::size_t sheet, const VectorSheetOptions& options = VectorSheetOptions());
    bool addTo(VectorDocumentWriter& writer, std::size_t sheet);

    Document& document() { return document_; }
    const SheetEnvironment& environment() const { return env_; }

private:
    Document& document_;
    const DataTable& table_;
    SheetEnvironment env_;
    std::vector<std::size_t> jobs_;
    MergeLayout layout_;
    FieldFiller filler_;
    std::vector<MergeCell> cells_;
};

// Writes every sheet into the PDF `fileName`; `pages` receives how many.
// Nothing is left of a file that could not be written, and an existing
// file is replaced only once the new one is complete. False with `error`
// when there is no record to print.
bool writeMergedPdf(MergedSheets& sheets, const std::string& fileName, const QString& title,
                    std::string& error, std::size_t* pages = nullptr);

// Paints every sheet on a page of its own of `device` (a printer), whose
// painter starts at the paper's corner with `dpi` pixels an inch: one job.
// False when the job could not be started or ended.
bool paintMergedSheets(MergedSheets& sheets, QPagedPaintDevice& device, double dpi);

// The picture of job `job` (1-based): "OUT.png" gives "OUT-00001.png".
std::string numberedFileName(const std::string& fileName, std::size_t job);

// Writes one picture per record, as "Exact" exports the design (for a card
// design only its first card), to numbered files beside `fileName`. On failure the pictures written so
// far are removed again.
bool writeMergedPictures(MergedSheets& sheets, const std::string& fileName, std::string& error,
                         std::size_t* written = nullptr);

} // namespace vlm

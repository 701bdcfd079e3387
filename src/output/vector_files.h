#pragma once

// Vector sheets written to files: a PDF of one or more pages (each page one
// document's sheet, on its own paper), or one SVG drawing. The PDF has its
// fonts embedded and its text selectable, its pictures stored without loss,
// and the title and creator in its information; nothing is left of a file
// that could not be written, and an existing file is replaced only once the
// new one is complete.

#include "output/vector_sheet.h"

#include <QBuffer>
#include <QString>

#include <memory>
#include <string>

class QPainter;
class QPdfWriter;
class QSvgGenerator;

namespace vlm {

enum class VectorFormat { Pdf, Svg };

// By the file name's extension, compared without case: ".pdf" and ".svg";
// false for any other.
bool vectorFormatOf(const std::string& fileName, VectorFormat& format);

class VectorDocumentWriter
{
public:
    VectorDocumentWriter(VectorFormat format, const QString& title,
                         const VectorSheetOptions& options = VectorSheetOptions());
    ~VectorDocumentWriter();
    VectorDocumentWriter(const VectorDocumentWriter&) = delete;
    VectorDocumentWriter& operator=(const VectorDocumentWriter&) = delete;

    // Draws the document's sheet on a new page. False without a header, and
    // for a second page of an SVG drawing. `fillCell` readies each cell of a
    // page printed with data (vector_sheet.h).
    bool addSheet(Document& document, const std::string& selection, const SheetEnvironment& env,
                  const CellFiller& fillCell = {});

    int pages() const { return pages_; }

    // The file's bytes once every page is in; empty when there is no page.
    QByteArray finish();

private:
    VectorFormat format_;
    QString title_;
    VectorSheetOptions options_;
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> pdf_;
    std::unique_ptr<QSvgGenerator> svg_;
    std::unique_ptr<QPainter> painter_;
    struct Noted;
    std::unique_ptr<Noted> noted_;
    int pages_ = 0;
};

// Writes the document's sheet to `fileName` as a PDF or an SVG drawing; on
// failure `error` says why and no half-written file is left.
bool writeVectorSheet(Document& document, const std::string& selection, const SheetEnvironment& env,
                      const std::string& fileName, VectorFormat format, const QString& title, std::string& error);

} // namespace vlm

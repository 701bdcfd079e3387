#include "output/pdf_sheet_sink.h"

#include "output/pdf_images.h"

namespace vlm {

PdfFileSheetSink::PdfFileSheetSink(const QString& path, const QString& title, int dpi, int width, int height)
    : file_(path), title_(title), dpi_(dpi > 0 ? dpi : 600), width_(width), height_(height)
{
}

PdfFileSheetSink::~PdfFileSheetSink() = default;

bool PdfFileSheetSink::begin()
{
    if (!file_.open(QIODevice::WriteOnly))
        return false;
    writer_ = std::make_unique<RasterPdfWriter>(file_);
    writer_->beginPage(width_ * 72.0 / dpi_, height_ * 72.0 / dpi_, dpi_);
    return true;
}

void PdfFileSheetSink::sendTile(const QImage& tile, int x, int y)
{
    if (writer_)
        writer_->addImage(tile, x, y);
}

bool PdfFileSheetSink::end()
{
    if (!writer_)
        return false;
    const bool written = writer_->finish(title_, QStringLiteral("Vellumora"));
    writer_.reset();
    return written && file_.commit();
}

} // namespace vlm

#pragma once

// A printed sheet sent to a PDF file instead of a printer: one page of the
// sheet's size at the printer's resolution, taking the tiles as a printer
// would and storing each without loss (RasterPdfWriter). The file is
// replaced only once the job has ended well.

#include "output/render_sheet.h"

#include <QSaveFile>
#include <QString>

#include <memory>

namespace vlm {

class RasterPdfWriter;

class PdfFileSheetSink : public SheetSink
{
public:
    PdfFileSheetSink(const QString& path, const QString& title, int dpi, int width, int height);
    ~PdfFileSheetSink() override;

    bool begin() override;
    void sendTile(const QImage& tile, int x, int y) override;
    bool end() override;

private:
    QSaveFile file_;
    QString title_;
    int dpi_;
    int width_;
    int height_;
    std::unique_ptr<RasterPdfWriter> writer_;
};

} // namespace vlm

#include "output/merge_files.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "output/export_picture.h"
#include "output/image_files.h"
#include "output/sheet_layout.h"
#include "texts/merge_texts.h"
#include "texts/output_texts.h"
#include "texts/render_item_texts.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vlm {

namespace {

constexpr int kLayoutDpi = 600;

// A card design's picture is its first card: the sheet's other cells would
// only repeat the record.
Bitmap firstCard(Bitmap picture, const Document& document, const ScreenMetrics& screen)
{
    const Item* header = Header(document.items);
    if (!header || !IsCardDesignType(header->rec.h.designType))
        return picture;
    const SheetDevice device = ScreenDevice(header->rec.h, screen);
    const SheetGeometry g = SheetGeometryOf(header->rec.h, device, screen);
    const QImage& image = picture.image();
    if (device.width < 1 || device.height < 1 || image.isNull())
        return picture;
    const double sx = double(image.width()) / device.width;
    const double sy = double(image.height()) / device.height;
    const QRect cell =
        QRect(static_cast<int>(std::lround(g.originX * sx)), static_cast<int>(std::lround(g.originY * sy)),
              static_cast<int>(std::lround(g.cellWidth * sx)),
              static_cast<int>(std::lround(g.cellHeight * sy))) &
        image.rect();
    if (cell.isEmpty())
        return picture;
    return Bitmap(image.copy(cell));
}

} // namespace

MergeLayout mergeLayoutOf(const Document& document, const ScreenMetrics& screen, const std::string& selection,
                          std::size_t jobs)
{
    std::vector<QPoint> every = vectorSheetCells(document, screen, kLayoutDpi);
    const Item* header = Header(document.items);
    std::vector<QPoint> first;
    if (header && IsCardDesignType(header->rec.h.designType)) {
        for (const QPoint& p : every)
            if (CellPrints(selection, p.y(), p.x(), PrintCellsOf(header->rec.h, screen).columns))
                first.push_back(p);
    } else {
        first = every;
    }
    return MergeLayout(std::move(first), std::move(every), jobs);
}

MergedSheets::MergedSheets(Document& document, const DataTable& table, const std::string& selection,
                           const MergeRange& range, const SheetEnvironment& env)
    : document_(document), table_(table), env_(env), jobs_(mergeJobs(table, range)),
      layout_(mergeLayoutOf(document, env.screen, selection, jobs_.size())),
      filler_(document, table, env.screen, env.fontQuality)
{
}

void MergedSheets::fillJob(std::size_t job)
{
    if (job < jobs_.size())
        filler_.fill(table_.records[jobs_[job]]);
}

CellFiller MergedSheets::fillerFor(std::size_t sheet)
{
    cells_ = layout_.cellsOf(sheet);
    return [this](int row, int column) {
        const auto it = std::find_if(cells_.begin(), cells_.end(),
                                     [&](const MergeCell& c) { return c.row == row && c.column == column; });
        if (it == cells_.end())
            return false;
        fillJob(it->job);
        return true;
    };
}

bool MergedSheets::draw(QPainter& painter, std::size_t sheet, const VectorSheetOptions& options)
{
    if (sheet >= sheets())
        return false;
    const bool drawn = drawVectorSheet(painter, document_, {}, env_, options, {}, fillerFor(sheet));
    filler_.restore();
    return drawn;
}

bool MergedSheets::addTo(VectorDocumentWriter& writer, std::size_t sheet)
{
    if (sheet >= sheets())
        return false;
    const bool added = writer.addSheet(document_, {}, env_, fillerFor(sheet));
    filler_.restore();
    return added;
}

bool writeMergedPdf(MergedSheets& sheets, const std::string& fileName, const QString& title,
                    std::string& error, std::size_t* pages)
{
    if (sheets.sheets() == 0) {
        error = sheets.jobs() == 0 ? texts::kDataNoRecords : texts::kNoPage;
        return false;
    }
    FontCache fonts;
    VectorSheetOptions options;
    options.fonts = &fonts;
    VectorDocumentWriter writer(VectorFormat::Pdf, title, options);
    bool ok = true;
    for (std::size_t s = 0; ok && s < sheets.sheets(); ++s)
        ok = sheets.addTo(writer, s);
    const QByteArray bytes = ok ? writer.finish() : QByteArray();
    QSaveFile file(QString::fromStdString(fileName));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        error = std::string(texts::kCannotWriteFile) + fileName;
        return false;
    }
    if (pages)
        *pages = static_cast<std::size_t>(writer.pages());
    return true;
}

bool paintMergedSheets(MergedSheets& sheets, QPagedPaintDevice& device, double dpi)
{
    if (sheets.sheets() == 0 || !(dpi > 0))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    VectorSheetOptions options;
    FontCache fonts;
    options.fonts = &fonts;
    bool ok = true;
    for (std::size_t s = 0; ok && s < sheets.sheets(); ++s) {
        if (s > 0)
            ok = device.newPage();
        painter.save();
        painter.scale(dpi / options.deviceDpi, dpi / options.deviceDpi);
        ok = ok && sheets.draw(painter, s, options);
        painter.restore();
    }
    return painter.end() && ok;
}

std::string numberedFileName(const std::string& fileName, std::size_t job)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = fileName.size();
    char number[32];
    std::snprintf(number, sizeof number, "-%05zu", job);
    return fileName.substr(0, dot) + number + fileName.substr(dot);
}

bool writeMergedPictures(MergedSheets& sheets, const std::string& fileName, std::string& error,
                         std::size_t* written)
{
    std::vector<std::string> done;
    const auto undo = [&] {
        for (const std::string& f : done)
            QFile::remove(QString::fromStdString(f));
    };
    if (sheets.jobs() == 0) {
        error = texts::kDataNoRecords;
        return false;
    }
    const ExportFormat format = ExportFormatOf(fileName, true);
    for (std::size_t job = 0; job < sheets.jobs(); ++job) {
        sheets.fillJob(job);
        bool tooLarge = false;
        const std::optional<Bitmap> picture =
            ExactPicture(sheets.document(), sheets.environment(), &tooLarge);
        sheets.restore();
        if (!picture) {
            error = tooLarge ? texts::kSheetTooLarge : texts::kNoPage;
            undo();
            return false;
        }
        const std::string name = numberedFileName(fileName, job + 1);
        const Bitmap card = firstCard(*picture, sheets.document(), sheets.environment().screen);
        if (!WriteExport(card, name, format, sheets.environment().screen.dpiX, error)) {
            undo();
            return false;
        }
        done.push_back(name);
    }
    if (written)
        *written = done.size();
    return true;
}

} // namespace vlm

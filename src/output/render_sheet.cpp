#include "output/render_sheet.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/draw_item.h"
#include "render/painted_items.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace vlm {

namespace {

constexpr ColorRef kSheetWhite = RGBRef(255, 255, 255);

// Every painted Item, extending ones included.
void DrawItems(Bitmap& sheet, const DrawContext& ctx, ItemList& items)
{
    Canvas canvas(sheet);
    for (Item* item : PaintedItems(items)) {
        // The sheet keeps no picture cache: a Clip renders from its picture
        // at the device size, and the window's cached rendering stays as it was.
        std::unique_ptr<ItemList> screenCache = std::move(item->cache);
        DrawItem(canvas, ctx, *item, false);
        item->cache = std::move(screenCache);
    }
}

// The part of `r` inside the bitmap.
QRect Inside(const Bitmap& b, const QRect& r)
{
    return r & QRect(0, 0, b.width(), b.height());
}

void FillWhite(Bitmap& sheet, const QRect& r)
{
    const QRect area = Inside(sheet, r);
    if (area.isEmpty())
        return;
    const std::uint32_t white = Bitmap::toArgb(kSheetWhite);
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::fill_n(sheet.row(y) + area.left(), area.width(), white);
}

// The pixels of `source` (sheet coordinates, possibly reaching past the
// edges) copied to the sheet at `source` moved by `shift`.
void CopyCell(Bitmap& sheet, const Bitmap& cell, const QRect& source, QPoint shift)
{
    const QRect dest = Inside(sheet, source.translated(shift));
    for (int y = dest.top(); y <= dest.bottom(); ++y) {
        const int sy = y - shift.y() - source.top();
        const int sx = dest.left() - shift.x() - source.left();
        if (sy < 0 || sy >= cell.height())
            continue;
        // Columns of the source outside the sheet were never drawn: white.
        for (int x = dest.left(); x <= dest.right(); ++x) {
            const int cx = sx + (x - dest.left());
            sheet.row(y)[x] = cx >= 0 && cx < cell.width() ? cell.row(sy)[cx] : Bitmap::toArgb(kSheetWhite);
        }
    }
}

// Copies the first card over the grid and blanks what must not print.
void RepeatCards(Bitmap& sheet, const SheetGeometry& g, const std::string& selection)
{
    const int ox = g.originX;
    const int oy = g.originY;
    const QRect source = firstCellSource(g);
    if ((g.rows > 1 || g.columns > 1) && source.isValid()) {
        // The card is taken out first, so that a destination overlapping the
        // source (negative gaps) still receives the card as it was drawn.
        Bitmap cell(source.width(), source.height(), kSheetWhite);
        if (!cell.isNull()) {
            const QRect drawn = Inside(sheet, source);
            for (int y = drawn.top(); y <= drawn.bottom(); ++y)
                std::memcpy(cell.row(y - source.top()) + (drawn.left() - source.left()),
                            sheet.row(y) + drawn.left(), sizeof(std::uint32_t) * drawn.width());
            // Cells the source does not reach into are white on the card too.
            forEachRepeatedCell(g, source, QSize(sheet.width(), sheet.height()), [&](int r, int c, QPoint shift) {
                if (CellPrints(selection, r, c, g.columns))
                    CopyCell(sheet, cell, source, shift);
                else
                    FillWhite(sheet, source.translated(shift));
            });
        }
    }
    if (!CellPrints(selection, 1, 1, g.columns))
        FillWhite(sheet, QRect(QPoint(0, 0),
                               QPoint(ox + g.cellWidth + g.bleedX - 1, oy + g.cellHeight + g.bleedY - 1)));
    FillWhite(sheet, QRect(0, 0, std::max(0, ox), sheet.height()));
    FillWhite(sheet, QRect(0, 0, sheet.width(), std::max(0, oy)));
}

} // namespace

SheetDevice ExportDevice(const HeaderFields& header, const ScreenMetrics& screen)
{
    const ExportSize e = ExportSizeOf(header, screen);
    SheetDevice d{e.resolutionX, e.resolutionY, e.width, e.height, 0, 0};
    if (header.units == UnitPixels) {
        d.dpiX *= 2.0;
        d.dpiY *= 2.0;
        d.width *= 2;
        d.height *= 2;
    }
    return d;
}

SheetDevice ScreenDevice(const HeaderFields& header, const ScreenMetrics& screen)
{
    const QSize s = ScreenSheetSize(header, screen);
    return SheetDevice{screen.dpiX, screen.dpiY, s.width(), s.height(), 0, 0};
}

SheetDevice PrinterDevice(double dpiX, double dpiY, int physicalWidth, int physicalHeight, int offsetX,
                          int offsetY)
{
    const long long w = static_cast<long long>(physicalWidth) - 2LL * offsetX;
    const long long h = static_cast<long long>(physicalHeight) - 2LL * offsetY;
    return SheetDevice{dpiX,
                       dpiY,
                       static_cast<int>(std::clamp<long long>(w, 0, INT32_MAX)),
                       static_cast<int>(std::clamp<long long>(h, 0, INT32_MAX)),
                       offsetX,
                       offsetY};
}

bool SheetFits(const SheetDevice& device)
{
    // QImage keeps a row's byte count in an int.
    if (device.width < 1 || device.height < 1 || device.width > INT32_MAX / 4)
        return false;
    return static_cast<long long>(device.width) * device.height <= kMaxSheetPixels;
}

std::optional<Bitmap> renderSheet(Document& document, const SheetDevice& device, const std::string& selection,
                                  const SheetEnvironment& env, bool* tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    const Item* header = Header(document.items);
    if (!header)
        return std::nullopt;
    if (!SheetFits(device) || !(device.dpiX > 0) || !(device.dpiY > 0)) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    Bitmap sheet(device.width, device.height, kSheetWhite);
    if (sheet.isNull()) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    const HeaderFields& h = header->rec.h;
    const SheetGeometry g = SheetGeometryOf(h, device, env.screen);

    const RasterEffects effects(env.pictures);
    DrawContext ctx;
    ctx.zoom = g.scaleY;
    ctx.scaleX = g.scaleX;
    ctx.originX = -g.originX;
    ctx.originY = -g.originY;
    ctx.deviceScale = env.screen.dpiY > 0 ? device.dpiY / env.screen.dpiY : 1.0;
    ctx.metrics = env.screen;
    ctx.items = &document.items;
    ctx.lightDirection = h.lightDirection <= 3 ? h.lightDirection : 0;
    ctx.fontQuality = env.fontQuality;
    ctx.effects = &effects;
    DrawItems(sheet, ctx, document.items);

    if (g.cards)
        RepeatCards(sheet, g, selection);
    return sheet;
}

PrintOutcome PrintSheet(Document& document, const SheetDevice& device, const std::string& selection,
                        const SheetEnvironment& env, SheetSink& sink)
{
    if (!Header(document.items))
        return PrintOutcome::NoHeader;
    bool tooLarge = false;
    std::optional<Bitmap> sheet = renderSheet(document, device, selection, env, &tooLarge);
    if (!sheet)
        return tooLarge ? PrintOutcome::TooLarge : PrintOutcome::NoHeader;
    if (!sink.begin())
        return PrintOutcome::JobFailed;
    for (const QRect& tile : SheetTiles(sheet->width(), sheet->height()))
        sink.sendTile(sheet->image().copy(tile), tile.x(), tile.y());
    return sink.end() ? PrintOutcome::Printed : PrintOutcome::JobFailed;
}

} // namespace vlm

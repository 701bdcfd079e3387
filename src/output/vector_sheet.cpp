#include "output/vector_sheet.h"

#include "model/item_list.h"
#include "model/page_setup.h"
#include "model/rounding.h"
#include "output/vector_layers.h"
#include "platform/canvas.h"
#include "render/draw_item.h"
#include "render/painted_items.h"
#include "render/view_extent.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <memory>

namespace vlm {

namespace {

const QColor kPaper(255, 255, 255);

SheetDevice vectorDevice(const HeaderFields& h, const ScreenMetrics& screen, int dpi)
{
    const double w = ToInchesX(h, h.pageDims[DimPaperWidth], screen) * dpi;
    const double ht = ToInchesY(h, h.pageDims[DimPaperHeight], screen) * dpi;
    // A damaged header may ask for anything; a page stays within what a
    // PDF viewer opens.
    constexpr double kMaxSide = 200.0 * 600.0;
    const int width = std::isfinite(w) ? static_cast<int>(std::clamp<double>(Round(w), 1.0, kMaxSide)) : 1;
    const int height = std::isfinite(ht) ? static_cast<int>(std::clamp<double>(Round(ht), 1.0, kMaxSide)) : 1;
    return PrinterDevice(dpi, dpi, width, height, 0, 0);
}

// Whether the Item, shadow and all, lies wholly inside `r` (device pixels).
bool whollyInside(const Item& item, const DrawContext& ctx, const QRect& r)
{
    const PixelRect e = Normalized(
        Unite(PaintExtent(item, ctx.metrics), RepaintExtent(item, ctx.metrics, ctx.lightDirection)));
    const QRect box(ctx.toCanvas(e.left, e.top), ctx.toCanvas(e.right, e.bottom));
    return r.contains(box.normalized().adjusted(-2, -2, 2, 2));
}

// Every painted Item once, as the raster sheet draws them; those wholly
// inside `hidden` are left out, so that a blank cell holds no hidden text.
void drawPass(Canvas& canvas, const DrawContext& ctx, VectorLayers& layers, ItemList& items,
              const QRect& hidden = QRect())
{
    layers.beginPass();
    for (Item* item : PaintedItems(items)) {
        if (!hidden.isEmpty() && whollyInside(*item, ctx, hidden))
            continue;
        // The sheet keeps no picture cache: a Clip renders from its picture,
        // and the window's cached rendering stays as it was.
        std::unique_ptr<ItemList> screenCache = std::move(item->cache);
        // Shaded dashes are shaded by the raster band shader: such a line
        // comes in whole, as a layer.
        if (item->rec.d.kind == KindLine && item->rec.d.role == RoleDrawing && item->rec.d.surface >= 1)
            layers.drawWhole(canvas, ctx, *item);
        else
            DrawItem(canvas, ctx, *item, false);
        item->cache = std::move(screenCache);
    }
}

// The cells of the sheet, in print order: each with its rectangle, bleed
// included, cut to the paper (empty for a cell off the paper).
struct SheetCell
{
    int row = 1;
    int column = 1;
    QRect area;
    QPoint shift;
};

std::vector<SheetCell> sheetCells(const SheetGeometry& g, const QRect& sheet)
{
    std::vector<SheetCell> cells;
    if (!g.cards) {
        cells.push_back({1, 1, sheet, QPoint()});
        return cells;
    }
    const int ox = g.originX;
    const int oy = g.originY;
    const QRect drawable = QRect(QPoint(std::max(0, ox), std::max(0, oy)), sheet.bottomRight()) & sheet;
    const QRect source(QPoint(ox - g.bleedX, oy - g.bleedY),
                       QPoint(ox + g.cellWidth + g.bleedX - 1, oy + g.cellHeight + g.bleedY - 1));
    if (!source.isValid())
        return cells;
    const std::int64_t stepX = std::int64_t{g.cellWidth} + g.columnGap;
    const std::int64_t stepY = std::int64_t{g.cellHeight} + g.rowGap;
    const CellSpan columns = CellsOnSheet(source.left(), source.right(), stepX, g.columns, sheet.width());
    const CellSpan rows = CellsOnSheet(source.top(), source.bottom(), stepY, g.rows, sheet.height());
    for (std::int64_t r = rows.first; r <= rows.last; ++r) {
        for (std::int64_t c = columns.first; c <= columns.last; ++c) {
            const QPoint shift(Clamp32((c - 1) * stepX), Clamp32((r - 1) * stepY));
            const QRect area = source.translated(shift) & drawable & sheet.translated(shift);
            if (!area.isEmpty())
                cells.push_back({static_cast<int>(r), static_cast<int>(c), area, shift});
        }
    }
    return cells;
}

// Each cell draws the document as the filler readies it, in print order.
void drawFilledCells(QPainter& painter, Canvas& canvas, const DrawContext& ctx, VectorLayers& layers,
                     ItemList& items, const SheetGeometry& g, const QRect& sheet, const CellFiller& fillCell)
{
    for (const SheetCell& cell : sheetCells(g, sheet)) {
        if (!fillCell(cell.row, cell.column))
            continue;
        layers.forgetTexts();
        painter.save();
        painter.setClipRect(cell.area, Qt::IntersectClip);
        painter.translate(cell.shift);
        drawPass(canvas, ctx, layers, items);
        painter.restore();
    }
}

} // namespace

std::vector<QPoint> vectorSheetCells(const Document& document, const ScreenMetrics& screen, int dpi)
{
    std::vector<QPoint> cells;
    const Item* header = Header(document.items);
    if (!header || dpi < 1)
        return cells;
    const SheetDevice device = vectorDevice(header->rec.h, screen, dpi);
    const SheetGeometry g = SheetGeometryOf(header->rec.h, device, screen);
    for (const SheetCell& cell : sheetCells(g, QRect(0, 0, device.width, device.height)))
        cells.emplace_back(cell.column, cell.row);
    return cells;
}

QSize vectorSheetSize(const Document& document, const ScreenMetrics& screen, int dpi)
{
    const Item* header = Header(document.items);
    if (!header || dpi < 1)
        return {};
    const SheetDevice d = vectorDevice(header->rec.h, screen, dpi);
    return {d.width, d.height};
}

QSizeF vectorPaperPoints(const Document& document, const ScreenMetrics& screen)
{
    const QSize s = vectorSheetSize(document, screen, 600);
    return s.isEmpty() ? QSizeF() : QSizeF(s.width() * 72.0 / 600.0, s.height() * 72.0 / 600.0);
}

bool drawVectorSheet(QPainter& painter, Document& document, const std::string& selection,
                     const SheetEnvironment& env, const VectorSheetOptions& options,
                     const std::function<void(const QImage&)>& noted, const CellFiller& fillCell)
{
    const Item* header = Header(document.items);
    if (!header || !painter.isActive() || options.deviceDpi < 1)
        return false;
    const HeaderFields& h = header->rec.h;
    const SheetDevice device = vectorDevice(h, env.screen, options.deviceDpi);
    const SheetGeometry g = SheetGeometryOf(h, device, env.screen);
    const bool repeats = g.cards && (g.rows > 1 || g.columns > 1);

    const double dpi = options.deviceDpi;
    VectorLayers layers(env, options.layerDpi / dpi, options.pictureDpiLimit / dpi, repeats, noted);
    DrawContext ctx;
    ctx.zoom = g.scaleY;
    ctx.scaleX = g.scaleX;
    ctx.originX = -g.originX;
    ctx.originY = -g.originY;
    ctx.deviceScale = env.screen.dpiY > 0 ? dpi / env.screen.dpiY : 1.0;
    ctx.metrics = env.screen;
    ctx.items = &document.items;
    ctx.lightDirection = h.lightDirection <= 3 ? h.lightDirection : 0;
    ctx.fontQuality = env.fontQuality;
    ctx.effects = &layers;
    ctx.fonts = options.fonts;

    painter.save();
    const QRect sheet(0, 0, device.width, device.height);
    painter.fillRect(sheet, kPaper);
    Canvas canvas(painter, device.width, device.height);
    if (fillCell) {
        drawFilledCells(painter, canvas, ctx, layers, document.items, g, sheet, fillCell);
        painter.restore();
        return true;
    }
    if (!g.cards) {
        drawPass(canvas, ctx, layers, document.items);
        painter.restore();
        return true;
    }

    const int ox = g.originX;
    const int oy = g.originY;
    // Left of the first column and above the first row the sheet stays blank.
    const QRect drawable = QRect(QPoint(std::max(0, ox), std::max(0, oy)), sheet.bottomRight()) & sheet;
    const QRect firstCell(QPoint(0, 0), QPoint(ox + g.cellWidth + g.bleedX - 1, oy + g.cellHeight + g.bleedY - 1));
    const bool firstPrints = CellPrints(selection, 1, 1, g.columns);
    QRegion first(drawable);
    if (!firstPrints)
        first -= firstCell;
    painter.setClipRegion(first);
    drawPass(canvas, ctx, layers, document.items, firstPrints ? QRect() : firstCell);
    painter.setClipping(false);

    const QRect source = firstCellSource(g);
    if (repeats && source.isValid()) {
        // Each cell shows what the first cell's rectangle shows, bleed
        // included, and covers whatever spilled into it before.
        forEachRepeatedCell(g, source, sheet.size(), [&](int r, int c, QPoint shift) {
            const QRect dest = source.translated(shift) & drawable;
            if (dest.isEmpty())
                return;
            painter.fillRect(dest, kPaper);
            if (!CellPrints(selection, r, c, g.columns))
                return;
            // What lay outside the sheet in the first cell was never drawn.
            painter.setClipRect(dest & sheet.translated(shift));
            painter.translate(shift);
            drawPass(canvas, ctx, layers, document.items);
            painter.resetTransform();
            painter.setClipping(false);
        });
    }
    if (!firstPrints)
        painter.fillRect(firstCell & sheet, kPaper);
    painter.restore();
    return true;
}

} // namespace vlm

#include "output/sheet_layout.h"

#include "model/page_setup.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vlm {

namespace {

constexpr int kMaxExportSide = 32000;

// Round with the result kept to what a pixel count can hold.
int RoundClamped(double v)
{
    if (!std::isfinite(v))
        return 0;
    return Round(std::clamp(v, -1.0e9, 1.0e9));
}

bool IsLandscape(const HeaderFields& h)
{
    return h.orientation == Orientation::Landscape;
}

} // namespace

ExportSize ExportSizeOf(const HeaderFields& h, const ScreenMetrics& screen)
{
    const double w = h.pageDims[DimPaperWidth];
    const double ht = h.pageDims[DimPaperHeight];
    ExportSize e;
    switch (h.units) {
    case UnitPixels:
        e = {screen.dpiX, screen.dpiY, std::max(10, RoundClamped(w)), std::max(10, RoundClamped(ht))};
        break;
    case UnitMillimeters:
        e = {200.0, 200.0, std::max(10, RoundClamped(w / 25.4 * 200.0)),
             std::max(10, RoundClamped(ht / 25.4 * 200.0))};
        break;
    case UnitInches:
        if (w < 2.0 || ht < 2.0)
            e = IsLandscape(h) ? ExportSize{200.0, 200.0, 3300, 2550} : ExportSize{200.0, 200.0, 2550, 3300};
        else
            e = {200.0, 200.0, std::max(10, RoundClamped(w * 200.0)), std::max(10, RoundClamped(ht * 200.0))};
        break;
    default:
        e = IsLandscape(h) ? ExportSize{200.0, 200.0, 3508, 2480} : ExportSize{200.0, 200.0, 2480, 3508};
        break;
    }
    e.width = std::min(e.width, kMaxExportSide);
    e.height = std::min(e.height, kMaxExportSide);
    return e;
}

QSize ScreenSheetSize(const HeaderFields& h, const ScreenMetrics& screen)
{
    const double w = h.pageDims[DimPaperWidth];
    const double ht = h.pageDims[DimPaperHeight];
    double pw = w;
    double ph = ht;
    if (h.units == UnitMillimeters) {
        pw = w / 25.4 * screen.dpiX;
        ph = ht / 25.4 * screen.dpiY;
    } else if (h.units == UnitInches) {
        pw = w * screen.dpiX;
        ph = ht * screen.dpiY;
    }
    return {std::max(1, RoundClamped(pw)), std::max(1, RoundClamped(ph))};
}

QSize DisplaySize(const ExportSize& e, const ScreenMetrics& screen)
{
    const double rx = std::max(1.0, e.resolutionX);
    const double ry = std::max(1.0, e.resolutionY);
    return {RoundClamped(e.width / rx * screen.dpiX), RoundClamped(e.height / ry * screen.dpiY)};
}

double ToInchesX(const HeaderFields& h, double length, const ScreenMetrics& screen)
{
    switch (h.units) {
    case UnitPixels:
        return length / screen.dpiX;
    case UnitMillimeters:
        return length / 25.4;
    default:
        return length;
    }
}

double ToInchesY(const HeaderFields& h, double length, const ScreenMetrics& screen)
{
    return h.units == UnitPixels ? length / screen.dpiY : ToInchesX(h, length, screen);
}

PrintCells PrintCellsOf(const HeaderFields& h, const ScreenMetrics& screen)
{
    PrintCells p;
    p.leftMargin = ToInchesX(h, h.pageDims[DimMarginLeft], screen);
    p.topMargin = ToInchesY(h, h.pageDims[DimMarginTop], screen);
    p.cellWidth = ToInchesX(h, h.pageDims[DimCardWidth], screen);
    p.cellHeight = ToInchesY(h, h.pageDims[DimCardHeight], screen);
    p.columnGap = ToInchesX(h, h.pageDims[DimColumnGap], screen);
    p.rowGap = ToInchesY(h, h.pageDims[DimRowGap], screen);
    p.rows = h.rows;
    p.columns = h.columns;
    if (h.rowFold != 0 && h.rows > 1) {
        p.rows = h.rows / 2;
        p.cellHeight *= 2.0;
    }
    if (h.columnFold != 0 && h.columns > 1) {
        p.columns = h.columns / 2;
        p.cellWidth *= 2.0;
    }
    return p;
}

bool NeedsAreaSelection(const HeaderFields& h, const ScreenMetrics& screen)
{
    if (!IsCardDesignType(h.designType))
        return false;
    const PrintCells p = PrintCellsOf(h, screen);
    return p.rows > 1 || p.columns > 1;
}

SheetGeometry SheetGeometryOf(const HeaderFields& h, const SheetDevice& device, const ScreenMetrics& screen)
{
    SheetGeometry g;
    const PrintCells p = PrintCellsOf(h, screen);
    g.scaleX = device.dpiX / screen.dpiX;
    g.scaleY = device.dpiY / screen.dpiY;
    g.cellWidth = RoundClamped(device.dpiX * p.cellWidth);
    g.cellHeight = RoundClamped(device.dpiY * p.cellHeight);
    g.columnGap = RoundClamped(device.dpiX * p.columnGap);
    g.rowGap = RoundClamped(device.dpiY * p.rowGap);
    g.rows = p.rows;
    g.columns = p.columns;
    g.cards = IsCardDesignType(h.designType);
    if (g.cards) {
        g.originX = RoundClamped(device.dpiX * p.leftMargin) - device.offsetX;
        g.originY = RoundClamped(device.dpiY * p.topMargin) - device.offsetY;
    } else if (h.designType == DesignDigitalImages || h.designType == -DesignDigitalImages) {
        g.originX = 0;
        g.originY = 0;
    } else {
        g.originX = -device.offsetX;
        g.originY = -device.offsetY;
    }
    g.bleedX = g.columnGap > 0 ? std::min(std::abs(g.originX), std::abs(g.columnGap / 2)) : 0;
    g.bleedY = g.rowGap > 0 ? std::min(std::abs(g.originY), std::abs(g.rowGap / 2)) : 0;
    return g;
}

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return -FloorDiv(-a, b);
}

} // namespace

CellSpan CellsOnSheet(std::int64_t first, std::int64_t last, std::int64_t step, int count, int extent)
{
    if (count < 1 || extent < 1 || last < first)
        return {};
    // Cell k (0-based) covers [first + k * step, last + k * step]; it is on
    // the sheet when that reaches into [0, extent - 1].
    std::int64_t from = 0, to = count - 1;
    if (step == 0) {
        if (last < 0 || first > extent - 1)
            return {};
        from = to;
    } else if (step > 0) {
        from = std::max(from, CeilDiv(-last, step));
        to = std::min(to, FloorDiv(extent - 1 - first, step));
    } else {
        from = std::max(from, CeilDiv(extent - 1 - first, step));
        to = std::min(to, FloorDiv(-last, step));
    }
    return {from + 1, to + 1};
}

QRect firstCellSource(const SheetGeometry& g)
{
    return QRect(QPoint(g.originX - g.bleedX, g.originY - g.bleedY),
                 QPoint(g.originX + g.cellWidth + g.bleedX - 1, g.originY + g.cellHeight + g.bleedY - 1));
}

void forEachRepeatedCell(const SheetGeometry& g, QRect source, QSize sheet,
                         const std::function<void(int row, int column, QPoint shift)>& visit)
{
    const std::int64_t stepX = std::int64_t{g.cellWidth} + g.columnGap;
    const std::int64_t stepY = std::int64_t{g.cellHeight} + g.rowGap;
    const CellSpan columns = CellsOnSheet(source.left(), source.right(), stepX, g.columns, sheet.width());
    const CellSpan rows = CellsOnSheet(source.top(), source.bottom(), stepY, g.rows, sheet.height());
    for (std::int64_t c = columns.first; c <= columns.last; ++c) {
        for (std::int64_t r = rows.first; r <= rows.last; ++r) {
            if (c == 1 && r == 1)
                continue;
            visit(static_cast<int>(r), static_cast<int>(c), QPoint(Clamp32((c - 1) * stepX), Clamp32((r - 1) * stepY)));
        }
    }
}

bool CellPrints(const std::string& selection, int row, int column, int columns)
{
    const long long position = column + static_cast<long long>(columns) * (row - 1);
    if (position < 1 || position > static_cast<long long>(selection.size()))
        return true;
    return selection[static_cast<std::size_t>(position - 1)] != 'x';
}

std::string ToggleCell(std::string selection, int row, int column, int columns)
{
    const long long position = column + static_cast<long long>(columns) * (row - 1);
    if (position < 1)
        return selection;
    const auto index = static_cast<std::size_t>(position - 1);
    if (selection.size() <= index)
        selection.resize(index + 1, ' ');
    selection[index] = selection[index] == 'x' ? ' ' : 'x';
    return selection;
}

std::vector<QRect> SheetTiles(int width, int height)
{
    std::vector<QRect> tiles;
    if (width <= 0 || height <= 0)
        return tiles;
    for (int tx = 0; tx <= width / kTileSide; ++tx) {
        for (int ty = 0; ty <= height / kTileSide; ++ty) {
            const int x = tx * kTileSide;
            const int y = ty * kTileSide;
            const int w = std::min(kTileSide, width - x);
            const int h = std::min(kTileSide, height - y);
            if (w > 0 && h > 0)
                tiles.emplace_back(x, y, w, h);
        }
    }
    return tiles;
}

} // namespace vlm

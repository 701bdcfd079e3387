#include "output/print_map.h"

#include "model/rounding.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

// A header length in screen pixels, rounded.
int Pixels(double length, double perUnit)
{
    const double v = length * perUnit;
    return std::isfinite(v) ? Round(std::clamp(v, -1.0e7, 1.0e7)) : 0;
}

} // namespace

PrintMap PrintMapOf(const HeaderFields* header, QSize pane, QSize background)
{
    PrintMap map;
    int paperW = background.width();
    int paperH = background.height();
    int left = 0, top = 0, cellW = paperW, cellH = paperH, rowGap = 0, columnGap = 0;
    if (header) {
        const HeaderFields& h = *header;
        const double px = h.pixelsPerUnitX;
        const double py = h.pixelsPerUnitY;
        paperW = Pixels(h.pageDims[DimPaperWidth], px);
        paperH = Pixels(h.pageDims[DimPaperHeight], py);
        left = Pixels(h.pageDims[DimMarginLeft], px);
        top = Pixels(h.pageDims[DimMarginTop], py);
        double cw = h.pageDims[DimCardWidth];
        double ch = h.pageDims[DimCardHeight];
        map.rows = std::max(1, +h.rows);
        map.columns = std::max(1, +h.columns);
        if (h.rowFold != 0 && h.rows > 1) {
            map.rows = h.rows / 2;
            ch *= 2.0;
        }
        if (h.columnFold != 0 && h.columns > 1) {
            map.columns = h.columns / 2;
            cw *= 2.0;
        }
        cellW = Pixels(cw, px);
        cellH = Pixels(ch, py);
        rowGap = Pixels(h.pageDims[DimRowGap], py);
        columnGap = Pixels(h.pageDims[DimColumnGap], px);
    }
    // A damaged header must not ask for millions of cells.
    map.rows = std::min(map.rows, 1000);
    map.columns = std::min(map.columns, 1000);
    if (paperW <= 0 || paperH <= 0)
        return map;
    const double f =
        std::min(pane.width(), pane.height()) / static_cast<double>(std::max(paperW, paperH)) * 0.9;
    map.picture = QSize(Round(f * paperW) + 2 * map.columns, Round(f * paperH) + 2 * map.rows);
    map.cells.reserve(static_cast<std::size_t>(map.rows) * map.columns);
    int rowTop = Round(f * top);
    for (int r = 0; r < map.rows; ++r) {
        const int rowBottom = rowTop + Round(f * cellH);
        int colLeft = Round(f * left);
        for (int c = 0; c < map.columns; ++c) {
            const int colRight = colLeft + Round(f * cellW);
            map.cells.emplace_back(QPoint(colLeft, rowTop), QPoint(colRight, rowBottom));
            colLeft = colRight + Round(f * columnGap) + 1;
        }
        rowTop = rowBottom + Round(f * rowGap) + 1;
    }
    return map;
}

QPoint PrintMapCellAt(const PrintMap& map, QPoint point)
{
    for (std::size_t i = 0; i < map.cells.size(); ++i)
        if (map.cells[i].contains(point))
            return {static_cast<int>(i) % map.columns + 1, static_cast<int>(i) / map.columns + 1};
    return {};
}

} // namespace vlm

#include "model/grid_line.h"

#include "model/item.h"
#include "model/item_record.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>

namespace vlm {

GridLine MakeGridLine(GridOrientation orientation, std::int32_t position)
{
    GridLine g;
    const std::int64_t p = position;
    if (orientation == GridVertical) {
        const std::int64_t left = p - kAnchorWidth / 2;
        g.anchorRect[0] = Clamp32(left);
        g.anchorRect[1] = 1;
        g.anchorRect[2] = Clamp32(left + kAnchorWidth);
        g.anchorRect[3] = kAnchorHeight + kAnchorStem + 1;
        g.anchorImageRect[2] = kAnchorWidth;
        g.anchorImageRect[3] = kAnchorHeight + kAnchorStem;
    } else {
        const std::int64_t top = p - kAnchorHeight / 2;
        g.anchorRect[0] = 1;
        g.anchorRect[1] = Clamp32(top);
        g.anchorRect[2] = kAnchorWidth + 1 + kAnchorStem;
        g.anchorRect[3] = Clamp32(top + kAnchorHeight);
        g.anchorImageRect[2] = kAnchorWidth + kAnchorStem;
        g.anchorImageRect[3] = kAnchorHeight;
    }
    return g;
}

std::int32_t GridLinePosition(GridOrientation orientation, const GridLine& line)
{
    if (orientation == GridVertical)
        return Clamp32(std::int64_t{line.anchorRect[0]} + kAnchorWidth / 2);
    return Clamp32(std::int64_t{line.anchorRect[1]} + kAnchorHeight / 2);
}

namespace {

// No page has more lines than this; a nonsensical spacing from a damaged
// header must not allocate without bound.
constexpr std::int64_t kMaxGridLines = 10000;

struct AxisGeometry
{
    std::int64_t offset; // page edge, pixels at 100 %
    std::int64_t step;   // one spacing in pixels
    std::int64_t extent; // page length in pixels
    std::int64_t count;  // lines of equal distances
};

AxisGeometry AxisOf(const HeaderFields& h, GridOrientation o)
{
    const bool x = o == GridVertical;
    const double spacing = x ? h.gridSpacingX : h.gridSpacingY;
    const double ppu = x ? h.pixelsPerUnitX : h.pixelsPerUnitY;
    const double area = x ? h.areaWidth : h.areaHeight;
    AxisGeometry g{x ? GridOffsetX(h) : GridOffsetY(h), Round(spacing * ppu), Round(area * ppu), 0};
    if (spacing > 0.0 && std::isfinite(spacing) && std::isfinite(area) && area > 0.0)
        g.count = std::min<std::int64_t>(Trunc(area / spacing), kMaxGridLines);
    g.count = std::max<std::int64_t>(g.count, 0);
    return g;
}

} // namespace

std::int32_t GridOffsetX(const HeaderFields& h)
{
    return Round(h.originX * h.pixelsPerUnitX);
}

std::int32_t GridOffsetY(const HeaderFields& h)
{
    return Round(h.originY * h.pixelsPerUnitY);
}

std::vector<GridLine>& GridLinesOf(Item& grid, GridOrientation orientation)
{
    return orientation == GridVertical ? grid.verticalGridLines : grid.horizontalGridLines;
}

const std::vector<GridLine>& GridLinesOf(const Item& grid, GridOrientation orientation)
{
    return orientation == GridVertical ? grid.verticalGridLines : grid.horizontalGridLines;
}

void FitGridLines(Item& grid, const HeaderFields& h, GridOrientation orientation)
{
    const AxisGeometry g = AxisOf(h, orientation);
    std::vector<GridLine> lines;
    lines.reserve(static_cast<std::size_t>(g.count));
    for (std::int64_t k = 1; k <= g.count; ++k)
        lines.push_back(MakeGridLine(orientation, Clamp32(g.offset + k * g.step)));
    GridLinesOf(grid, orientation) = std::move(lines);
}

void FitGridLines(Item& grid, const HeaderFields& h)
{
    FitGridLines(grid, h, GridVertical);
    FitGridLines(grid, h, GridHorizontal);
}

void ExtendGridLines(Item& grid, const HeaderFields& h, GridOrientation orientation)
{
    const AxisGeometry g = AxisOf(h, orientation);
    if (g.step <= 0)
        return;
    std::vector<GridLine>& lines = GridLinesOf(grid, orientation);
    bool any = false;
    std::int64_t last = 0;
    for (const GridLine& line : lines) {
        if (line.deleted)
            continue;
        const std::int64_t p = GridLinePosition(orientation, line);
        last = any ? std::max(last, p) : p;
        any = true;
    }
    const std::int64_t end = g.offset + g.extent;
    // The first step beyond the last line, without walking the steps before it.
    std::int64_t k = 1;
    if (any && last >= g.offset + g.step)
        k = (last - g.offset) / g.step + 1;
    for (std::int64_t added = 0; added < kMaxGridLines; ++added, ++k) {
        const std::int64_t p = g.offset + k * g.step;
        if (p >= end)
            break;
        lines.push_back(MakeGridLine(orientation, Clamp32(p)));
    }
}

void ShiftGridLines(Item& grid, GridOrientation orientation, std::int32_t delta)
{
    for (GridLine& line : GridLinesOf(grid, orientation)) {
        GridLine moved =
            MakeGridLine(orientation, Clamp32(std::int64_t{GridLinePosition(orientation, line)} + delta));
        moved.deleted = line.deleted;
        line = std::move(moved);
    }
}

} // namespace vlm

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/grid_line.h"

#include <cmath>
#include <cstring>

namespace vlm {
namespace {

std::vector<std::int32_t> Positions(const Item& grid, GridOrientation o)
{
    std::vector<std::int32_t> out;
    for (const GridLine& g : GridLinesOf(grid, o))
        if (!g.deleted)
            out.push_back(GridLinePosition(o, g));
    return out;
}

std::vector<std::int32_t> Steps(std::int32_t from, std::int32_t step, std::int32_t to)
{
    std::vector<std::int32_t> out;
    for (std::int32_t p = from; p <= to; p += step)
        out.push_back(p);
    return out;
}

HeaderFields PixelPage(double width, double height, double spacingX, double spacingY)
{
    HeaderFields h;
    std::memset(&h, 0, sizeof h);
    h.units = 1;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 1.0;
    h.zoom = 1.0;
    h.areaWidth = width;
    h.areaHeight = height;
    h.gridSpacingX = spacingX;
    h.gridSpacingY = spacingY;
    return h;
}

TEST(GridLines, EqualDistancesStartOneSpacingInAndEndOnTheFarEdge)
{
    Item grid;
    HeaderFields h = PixelPage(400, 130, 25, 50);
    FitGridLines(grid, h);
    EXPECT_EQ(Positions(grid, GridVertical), Steps(25, 25, 400)); // 16 lines, the last on the edge
    EXPECT_EQ(Positions(grid, GridHorizontal), (std::vector<std::int32_t>{50, 100}));

    // The lines count from the canvas origin: the page's corner at 100 %
    // comes first, whatever the zoom is now.
    h.originX = 50;
    h.originY = 10;
    h.zoom = 2.0;
    FitGridLines(grid, h, GridVertical);
    EXPECT_EQ(Positions(grid, GridVertical), Steps(75, 25, 450));
    EXPECT_EQ(Positions(grid, GridHorizontal), (std::vector<std::int32_t>{50, 100})); // untouched

    // Inches at 96 dpi: a quarter inch is 24 pixels.
    h = PixelPage(1.0, 1.0, 0.25, 0.3);
    h.units = 3;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0;
    h.originX = 0.2;
    FitGridLines(grid, h);
    EXPECT_EQ(Positions(grid, GridVertical), (std::vector<std::int32_t>{43, 67, 91, 115}));
    EXPECT_EQ(Positions(grid, GridHorizontal), (std::vector<std::int32_t>{29, 58, 87}));
}

TEST(GridLines, NonsensicalSpacingsGiveNoOrBoundedGrids)
{
    Item grid;
    for (double spacing : {0.0, -5.0, std::nan("")}) {
        FitGridLines(grid, PixelPage(400, 400, spacing, spacing));
        EXPECT_TRUE(grid.verticalGridLines.empty()) << spacing;
        ExtendGridLines(grid, PixelPage(400, 400, spacing, spacing), GridVertical);
        EXPECT_TRUE(grid.verticalGridLines.empty()) << spacing;
    }
    FitGridLines(grid, PixelPage(1e9, 1, 1e-6, 1));
    EXPECT_LE(grid.verticalGridLines.size(), 10000u);
    ExtendGridLines(grid, PixelPage(2e9, 1, 1, 1), GridVertical);
    EXPECT_LE(grid.verticalGridLines.size(), 20000u);
}

TEST(GridLines, ExtendingAddsLinesBeyondTheLastOneUpToTheNewEdge)
{
    Item grid;
    HeaderFields h = PixelPage(100, 100, 25, 25);
    FitGridLines(grid, h);
    ASSERT_EQ(Positions(grid, GridVertical), (std::vector<std::int32_t>{25, 50, 75, 100}));
    // A moved line beyond the regular ones and a deleted one far out.
    grid.verticalGridLines[3] = MakeGridLine(GridVertical, 110);
    grid.verticalGridLines.push_back(MakeGridLine(GridVertical, 190));
    grid.verticalGridLines.back().deleted = 1;
    h.areaWidth = 200;
    ExtendGridLines(grid, h, GridVertical);
    EXPECT_EQ(Positions(grid, GridVertical), (std::vector<std::int32_t>{25, 50, 75, 110, 125, 150, 175}));
    // The far edge itself gets no line; nothing changes when the page did not grow.
    ExtendGridLines(grid, h, GridVertical);
    EXPECT_EQ(Positions(grid, GridVertical).size(), 7u);
    EXPECT_EQ(Positions(grid, GridHorizontal), (std::vector<std::int32_t>{25, 50, 75, 100}));

    // Without any line the grid starts one spacing in.
    Item empty;
    ExtendGridLines(empty, h, GridHorizontal);
    EXPECT_EQ(Positions(empty, GridHorizontal), (std::vector<std::int32_t>{25, 50, 75}));
}

TEST(GridLines, ShiftingKeepsDeletedLinesDeleted)
{
    Item grid;
    grid.horizontalGridLines = {MakeGridLine(GridHorizontal, 10), MakeGridLine(GridHorizontal, 40)};
    grid.horizontalGridLines[1].deleted = 1;
    ShiftGridLines(grid, GridHorizontal, -15);
    EXPECT_EQ(GridLinePosition(GridHorizontal, grid.horizontalGridLines[0]), -5);
    EXPECT_EQ(GridLinePosition(GridHorizontal, grid.horizontalGridLines[1]), 25);
    EXPECT_EQ(grid.horizontalGridLines[1].deleted, 1);
}

} // namespace
} // namespace vlm

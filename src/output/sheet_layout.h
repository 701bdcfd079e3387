#pragma once

// Where a sheet's parts fall in device pixels: the export size and
// resolution of a page setup, the print cells of a card sheet, the origin
// and bleed of the first card, which cells the area selection prints, and
// the tiles a printed sheet is sent in. Arithmetic only; drawing is in
// render_sheet.h.

#include "model/item_record.h"
#include "model/screen_metrics.h"

#include <QRect>

#include <cstdint>
#include <functional>

#include <string>
#include <vector>

namespace vlm {

// The resolution (dots per inch) and pixel size the preview and the
// "Smooth" export render a page setup at, before supersampling.
struct ExportSize
{
    double resolutionX = 200.0;
    double resolutionY = 200.0;
    int width = 0;
    int height = 0;
    bool operator==(const ExportSize&) const = default;
};
ExportSize ExportSizeOf(const HeaderFields& header, const ScreenMetrics& screen);

// The paper in screen pixels, each side at least 1 (what "Exact" renders).
QSize ScreenSheetSize(const HeaderFields& header, const ScreenMetrics& screen);

// The preview image: the export size brought back to the screen's resolution.
QSize DisplaySize(const ExportSize& size, const ScreenMetrics& screen);

// The grid of print cells: a folded card prints as one cell holding both
// its panels. Lengths in inches.
struct PrintCells
{
    int rows = 1;
    int columns = 1;
    double cellWidth = 0.0;
    double cellHeight = 0.0;
    double leftMargin = 0.0;
    double topMargin = 0.0;
    double rowGap = 0.0;
    double columnGap = 0.0;
};
PrintCells PrintCellsOf(const HeaderFields& header, const ScreenMetrics& screen);

// A header length of the document's unit in inches (horizontal lengths by
// dpiX, vertical ones by dpiY when the unit is pixels).
double ToInchesX(const HeaderFields& header, double length, const ScreenMetrics& screen);
double ToInchesY(const HeaderFields& header, double length, const ScreenMetrics& screen);

// Whether printing or previewing asks "Prepare Print" first: a card design
// type with more than one print cell.
bool NeedsAreaSelection(const HeaderFields& header, const ScreenMetrics& screen);

// The device a sheet is rendered for.
struct SheetDevice
{
    double dpiX = 96.0;
    double dpiY = 96.0;
    int width = 0; // sheet bitmap size
    int height = 0;
    int offsetX = 0; // the printable area's distance from the paper's corner
    int offsetY = 0;
};

// The layout of one sheet in device pixels.
struct SheetGeometry
{
    double scaleX = 1.0; // device pixels per document pixel
    double scaleY = 1.0;
    int originX = 0; // device position of document point (0, 0)
    int originY = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int columnGap = 0;
    int rowGap = 0;
    int bleedX = 0; // gap carried along each side of a copied cell
    int bleedY = 0;
    int rows = 1;
    int columns = 1;
    bool cards = false;
};
SheetGeometry SheetGeometryOf(const HeaderFields& header, const SheetDevice& device,
                              const ScreenMetrics& screen);

// The cells of one row or column of a grid of `count` cells that reach into
// a sheet `extent` pixels long: the first cell covers [first, last], each
// next one lies `step` further. 1-based; empty (first > last) when none
// does. Where the step is 0 every cell covers the first one's pixels and
// only the last, drawn over all the others, is given.
struct CellSpan
{
    std::int64_t first = 1;
    std::int64_t last = 0;
    bool empty() const { return first > last; }
};
CellSpan CellsOnSheet(std::int64_t first, std::int64_t last, std::int64_t step, int count, int extent);

// The first cell's rectangle on the sheet, its bleed included: what every
// other cell repeats.
QRect firstCellSource(const SheetGeometry& g);
// Calls `visit(row, column, shift)` for every cell but the first (1-based)
// whose copy of `source` reaches into a sheet of `sheet` pixels, `shift`
// being where that copy lies from the source. Only cells reaching into the
// sheet are visited: a grid may claim billions of them.
void forEachRepeatedCell(const SheetGeometry& g, QRect source, QSize sheet,
                         const std::function<void(int row, int column, QPoint shift)>& visit);

// Whether the cell in row r, column c (1-based) of a grid of `columns`
// columns prints: every position but an "x" does, and so does every
// position past the end of the string.
bool CellPrints(const std::string& selection, int row, int column, int columns);

// The selection string with the cell's character toggled between "x" and a
// blank, padded with blanks up to its position first.
std::string ToggleCell(std::string selection, int row, int column, int columns);

// The 512 x 512 tiles of a printed sheet, column by column, cut at its edges.
inline constexpr int kTileSide = 512;
std::vector<QRect> SheetTiles(int width, int height);

} // namespace vlm

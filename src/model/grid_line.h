#pragma once

// One grid line of the GridLines record and the anchor geometry that places
// it. A line's position is not stored on its own: it is the centre of its
// anchor box, so moving the anchor moves the line.

#include <cstdint>
#include <vector>

namespace vlm {

struct HeaderFields;
struct Item;

// The anchor picture is 7 x 7 pixels with a 4-pixel stem; positions are
// written to files through these, so they are fixed rather than configurable.
inline constexpr std::int32_t kAnchorWidth = 7;
inline constexpr std::int32_t kAnchorHeight = 7;
inline constexpr std::int32_t kAnchorStem = 4;

enum GridOrientation : std::int32_t {
    GridVertical = 1,   // a vertical line at an x position
    GridHorizontal = 2, // a horizontal line at a y position
};

struct GridLine
{
    std::uint32_t highlighted = 0;        // 255 while the pointer rests on the anchor; never stored
    std::uint8_t deleted = 0;             // 1: deleted by the user, kept for undo, never drawn or saved
    std::int32_t anchorRect[4] = {};      // left, top, right, bottom, document pixels
    std::int32_t anchorImageRect[4] = {}; // 0, 0, picture width, picture height
    std::vector<std::uint8_t> background; // canvas pixels saved under the drawn anchor
};

// A fresh, visible, unhighlighted line whose anchor is centred on `position`.
GridLine MakeGridLine(GridOrientation orientation, std::int32_t position);

// The position a line stands at (and is written to a file with).
std::int32_t GridLinePosition(GridOrientation orientation, const GridLine& line);

// Line positions count from the canvas origin, Item points from the design
// area's corner: a point at document x lies on a vertical line at x plus
// this offset (the page rectangle's left at 100 %). Likewise for y.
std::int32_t GridOffsetX(const HeaderFields& h);
std::int32_t GridOffsetY(const HeaderFields& h);

// The lines of one orientation of the GridLines record.
std::vector<GridLine>& GridLinesOf(Item& grid, GridOrientation orientation);
const std::vector<GridLine>& GridLinesOf(const Item& grid, GridOrientation orientation);

// Equal distances: the lines of `orientation` are replaced by
// Trunc(area / spacing) lines, the k-th (k = 1..n) one spacing in pixels
// times k after the page's left (top) edge, so none lies on that edge and
// the last one on the far edge when the area is a whole multiple of the
// spacing. Used by "Reset", by the grid options and after a page setup.
void FitGridLines(Item& grid, const HeaderFields& h, GridOrientation orientation);
// Both orientations.
void FitGridLines(Item& grid, const HeaderFields& h);

// After the page grew: lines at every spacing from the page's left (top)
// edge that lie beyond the last line there is, up to but not on the far
// edge, are appended.
void ExtendGridLines(Item& grid, const HeaderFields& h, GridOrientation orientation);

// Every line of `orientation` moves by `delta` pixels (the page's corner
// moved, the lines go with it).
void ShiftGridLines(Item& grid, GridOrientation orientation, std::int32_t delta);

} // namespace vlm

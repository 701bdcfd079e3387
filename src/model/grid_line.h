#pragma once

// One grid line of the GridLines record and the anchor geometry that places
// it. A line's position is not stored on its own: it is the centre of its
// anchor box, so moving the anchor moves the line.

#include <cstdint>
#include <vector>

namespace vlm {

// The anchor picture is 7 x 7 pixels with a 4-pixel stem; positions are
// written to files through these, so they are fixed rather than configurable.
inline constexpr std::int32_t kAnchorWidth = 7;
inline constexpr std::int32_t kAnchorHeight = 7;
inline constexpr std::int32_t kAnchorStem = 4;

enum GridOrientation : std::int32_t {
    GridVertical = 1,   // a vertical line at an x position
    GridHorizontal = 2, // a horizontal line at a y position
};

struct GridLine {
    std::uint32_t highlighted = 0;          // 255 while the pointer rests on the anchor; never stored
    std::uint8_t deleted = 0;               // 1: deleted by the user, kept for undo, never drawn or saved
    std::int32_t anchorRect[4] = {};        // left, top, right, bottom, document pixels
    std::int32_t anchorImageRect[4] = {};   // 0, 0, picture width, picture height
    std::vector<std::uint8_t> background;   // canvas pixels saved under the drawn anchor
};

// A fresh, visible, unhighlighted line whose anchor is centred on `position`.
GridLine MakeGridLine(GridOrientation orientation, std::int32_t position);

// The position a line stands at (and is written to a file with).
std::int32_t GridLinePosition(GridOrientation orientation, const GridLine& line);

} // namespace vlm

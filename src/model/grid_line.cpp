#include "model/grid_line.h"

#include "model/rounding.h"

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

} // namespace vlm

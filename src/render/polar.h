#pragma once

// Small pieces of plane geometry the renderers share: distances, directions
// and points at an angle, all with the y axis pointing down on the canvas and
// angles counted counter-clockwise as if it pointed up.

#include "model/geometry.h"
#include "model/rounding.h"

#include <QPoint>

#include <cmath>
#include <cstdint>

namespace vlm {

inline double Distance(QPoint a, QPoint b)
{
    const double dx = static_cast<double>(a.x()) - b.x();
    const double dy = static_cast<double>(a.y()) - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

inline double DirectionOf(QPoint from, QPoint to)
{
    return Direction(from.x(), from.y(), to.x(), to.y());
}

// A coordinate plus an offset, kept inside the int range: points that come
// from damaged records may sit anywhere.
inline int Offset(int v, std::int32_t d)
{
    return Clamp32(std::int64_t{v} + d);
}

// The point `r` away from `c` in direction `angle`, each offset rounded.
inline QPoint PolarPoint(QPoint c, double angle, double r)
{
    return {Offset(c.x(), Round(std::cos(angle) * r)),
            Clamp32(std::int64_t{c.y()} - Round(std::sin(angle) * r))};
}

} // namespace vlm

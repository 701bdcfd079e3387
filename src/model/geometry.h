#pragma once

#include <cmath>
#include <numbers>

namespace vlm {

// Direction from A to B in radians, 0 <= d < 2*pi, counter-clockwise with y
// pointing up (document y grows downwards). Axis-parallel cases are exact.
inline double Direction(double ax, double ay, double bx, double by)
{
    constexpr double pi = std::numbers::pi;
    if (ay == by)
        return bx < ax ? pi : 0.0;
    if (ax == bx)
        return by > ay ? 3.0 * pi / 2.0 : pi / 2.0;
    double d = std::atan2(ay - by, bx - ax);
    if (d < 0)
        d += 2.0 * pi;
    return d;
}

} // namespace vlm

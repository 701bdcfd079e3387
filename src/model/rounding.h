#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace vlm {

// Every conversion from a real to a pixel goes through these two, so that a
// value lands on the same pixel on screen, on paper and in the file.

// Round to nearest, ties to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline std::int32_t Round(double v)
{
    return static_cast<std::int32_t>(std::nearbyint(v));
}

// Cut toward zero.
inline std::int32_t Trunc(double v)
{
    return static_cast<std::int32_t>(std::trunc(v));
}

} // namespace vlm

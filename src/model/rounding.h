#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace vlm {

// Every conversion from a real to a pixel goes through these two, so that a
// value lands on the same pixel on screen, on paper and in the file.
//
// Values beyond the int32 range saturate and NaN gives 0: records read from a
// damaged file may hold any bit pattern in their reals, and a plain cast of
// such a value has no defined result.

inline std::int32_t SaturateToInt32(double r)
{
    if (r >= 2147483647.0)
        return INT32_MAX;
    if (r <= -2147483648.0)
        return INT32_MIN;
    if (r != r)
        return 0;
    return static_cast<std::int32_t>(r);
}

// Round to nearest, ties to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline std::int32_t Round(double v)
{
    return SaturateToInt32(std::nearbyint(v));
}

// Cut toward zero.
inline std::int32_t Trunc(double v)
{
    return SaturateToInt32(std::trunc(v));
}

// A 64-bit intermediate brought back into the int32 range.
inline std::int32_t Clamp32(std::int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(v));
}

} // namespace vlm

#pragma once

// Pictures of bitmap regions for pixel-exact assertions: one string per row,
// '#' for every pixel that differs from the background, '.' for the rest (or
// a character per colour when a legend is given).

#include "platform/bitmap.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vlm::test {

inline std::vector<std::string> Picture(const Bitmap& bmp, int x0, int y0, int w, int h,
                                        ColorRef background = RGBRef(255, 255, 255))
{
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x)
            row += bmp.pixel(x, y) == background ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

// Each colour of the legend prints as its character; others as '?'.
inline std::vector<std::string> Picture(const Bitmap& bmp, int x0, int y0, int w, int h,
                                        const std::map<ColorRef, char>& legend)
{
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x) {
            auto it = legend.find(bmp.pixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// The smallest rectangle holding every pixel that differs from `background`,
// as {left, top, right, bottom} inclusive; {0, 0, -1, -1} when there is none.
struct Extent
{
    int left = 0, top = 0, right = -1, bottom = -1;
    bool operator==(const Extent&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Extent& e)
{
    return os << '{' << e.left << ", " << e.top << ", " << e.right << ", " << e.bottom << '}';
}

inline Extent InkExtent(const Bitmap& bmp, ColorRef background = RGBRef(255, 255, 255))
{
    Extent e{bmp.width(), bmp.height(), -1, -1};
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            if (bmp.pixel(x, y) != background) {
                e.left = std::min(e.left, x);
                e.top = std::min(e.top, y);
                e.right = std::max(e.right, x);
                e.bottom = std::max(e.bottom, y);
            }
    if (e.right < 0)
        return Extent{};
    return e;
}

} // namespace vlm::test

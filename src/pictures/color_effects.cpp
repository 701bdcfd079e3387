#include "pictures/color_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vlm {

namespace {

inline int Clamp255(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255));
}

// Contrast and lightness move each channel on its own: one table each.
std::array<std::uint8_t, 256> ChannelTable(int contrast, int lightness)
{
    std::array<std::uint8_t, 256> t{};
    for (int x = 0; x < 256; ++x) {
        int v = x;
        if (contrast != 0)
            v = Clamp255(v + (std::int64_t{contrast} * (v - 128)) / 256);
        if (lightness != 0)
            v = Clamp255(std::int64_t{v} + lightness);
        t[x] = static_cast<std::uint8_t>(v);
    }
    return t;
}

} // namespace

void applyColorEffects(Bitmap& bitmap, int saturation, int contrast, int lightness)
{
    if (saturation == 0 && contrast == 0 && lightness == 0)
        return;
    const std::array<std::uint8_t, 256> channel = ChannelTable(contrast, lightness);
    const std::int64_t s = saturation;
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint32_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            const std::uint32_t p = row[x];
            int r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
            if (s != 0) {
                const int l = (std::max({r, g, b}) + std::min({r, g, b})) / 2;
                r = Clamp255(r + (s * (r - l)) / 128);
                g = Clamp255(g + (s * (g - l)) / 128);
                b = Clamp255(b + (s * (b - l)) / 128);
            }
            row[x] = 0xff000000u | (std::uint32_t{channel[r]} << 16) | (std::uint32_t{channel[g]} << 8) |
                     channel[b];
        }
    }
}

} // namespace vlm

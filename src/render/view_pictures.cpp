#include "render/view_pictures.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

int Mix(int a, int b, double t)
{
    return static_cast<int>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

ColorRef MixColor(ColorRef a, ColorRef b, double t)
{
    return RGBRef(Mix(RedOf(a), RedOf(b), t), Mix(GreenOf(a), GreenOf(b), t), Mix(BlueOf(a), BlueOf(b), t));
}

// `along` runs across the ruler, from the page side (0) to the tick edge (1).
Bitmap Strip(int w, int h, bool acrossIsY, ColorRef light, ColorRef dark)
{
    Bitmap b(w, h);
    const int n = acrossIsY ? h : w;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double t = static_cast<double>(acrossIsY ? y : x) / (n - 1);
            // A quick rise at the outer edge, then a long even slope.
            b.setPixel(x, y, MixColor(light, dark, std::pow(t, 1.6)));
        }
    return b;
}

} // namespace

Bitmap RulerShadingStrip(RulerShade shade, ViewDirection direction)
{
    const bool horizontal = direction != ViewDirection::Vertical;
    const int thin = shade == RulerShade::Blank ? 9 : 8;
    const ColorRef light = shade == RulerShade::Blank ? RGBRef(0xF6, 0xF6, 0xF6) : RGBRef(0xFF, 0xFF, 0xEE);
    const ColorRef dark = shade == RulerShade::Blank ? RGBRef(0xC4, 0xC4, 0xC4) : RGBRef(0xF5, 0xEA, 0xB0);
    return horizontal ? Strip(thin, 69, true, light, dark) : Strip(69, thin, false, light, dark);
}

Bitmap AnchorPicture(ViewDirection strip, bool grabbed, int width, int height)
{
    Bitmap b(width, height, RGBRef(0xD8, 0xDC, 0xE4));
    if (width < 1 || height < 1)
        return b;
    const ColorRef rim = grabbed ? RGBRef(0x90, 0x00, 0x00) : RGBRef(0x10, 0x30, 0x90);
    const ColorRef body = grabbed ? RGBRef(0xE0, 0x20, 0x20) : RGBRef(0x30, 0x60, 0xD0);
    const ColorRef shine = grabbed ? RGBRef(0xFF, 0xB0, 0xB0) : RGBRef(0xB0, 0xD0, 0xFF);
    const bool upright = strip != ViewDirection::Vertical;
    const int across = upright ? width : height;
    const int along = upright ? height : width;
    for (int a = 0; a < along; ++a)
        for (int c = 0; c < across; ++c) {
            // Round across (light from the upper left), a lighter cap at the far end.
            const double u = across > 1 ? static_cast<double>(c) / (across - 1) : 0.5;
            const double curve = std::abs(u - 0.3) / 0.7;
            ColorRef colour = MixColor(shine, body, std::min(1.0, curve * 1.3));
            if (c == 0 || c == across - 1 || a == along - 1)
                colour = rim;
            else if (a == 0)
                colour = MixColor(shine, rim, 0.35);
            const int x = upright ? c : a;
            const int y = upright ? a : c;
            b.setPixel(x, y, colour);
        }
    return b;
}

Bitmap BackdropPicture()
{
    constexpr int kSize = 49;
    Bitmap b(kSize, kSize);
    const ColorRef top = RGBRef(0xC6, 0xCE, 0xDA);
    const ColorRef bottom = RGBRef(0xA4, 0xAE, 0xBE);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double t = (0.8 * y + 0.2 * x) / (kSize - 1);
            b.setPixel(x, y, MixColor(top, bottom, t));
        }
    return b;
}

} // namespace vlm

#include "render/shadow_sample.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/resample.h"
#include "render/shadows.h"

#include <QRect>

#include <algorithm>

namespace vlm {

namespace {

constexpr int kSplineFilter = 4;
constexpr ColorRef kSquareColor = 0xFF0000; // blue

// A quiet paper-like background with faint diagonal stripes, so that the
// shadow shows how it darkens what lies below it.
void PaintBackground(Bitmap& b)
{
    for (int y = 0; y < b.height(); ++y) {
        std::uint32_t* row = b.row(y);
        for (int x = 0; x < b.width(); ++x) {
            const bool stripe = ((x + y) / 12) % 2 == 0;
            const int v = stripe ? 236 : 224;
            row[x] = Bitmap::toArgb(RGBRef(v, v, v - 8));
        }
    }
}

} // namespace

int ShadowSampleOffset(int elevation, int dpiY)
{
    return Round(Round(elevation / 8.5) / 96.0 * dpiY);
}

Bitmap MakeShadowSample(int elevation, int fade, int lightness, int lightDirection, int dpiY)
{
    const int w = kShadowSampleWidth;
    const int h = kShadowSampleHeight;
    Bitmap picture(w, h);
    PaintBackground(picture);

    const int side = kShadowSampleSquare;
    const QRect square((w - side) / 2 - 30, (h - side) / 2, side, side);
    const QPoint away = ShadowDirection(lightDirection);
    const int offset = ShadowSampleOffset(std::clamp(elevation, 0, 255), dpiY);

    Bitmap shadow(w, h);
    {
        Canvas c(shadow);
        c.fillRect(square.translated(away.x() * offset, away.y() * offset),
                   ShadowColor(std::clamp(lightness, 0, 255)));
    }
    const int f = std::clamp(fade, 0, 255);
    const int ws = std::max(1, Round(w * 10.0 / (f + 10)));
    const int hs = std::max(1, Round(h * 10.0 / (f + 10)));
    if (ws > 4 && hs > 4 && ws < w && hs < h) {
        Bitmap small(ws, hs);
        resample(shadow, small, kSplineFilter);
        resample(small, shadow, kSplineFilter);
    }
    {
        Canvas c(picture);
        CompositeShadow(c, shadow, QPoint(0, 0));
        c.fillRect(square, kSquareColor);
    }
    return picture;
}

} // namespace vlm

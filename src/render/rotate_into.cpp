#include "model/rounding.h"
#include "render/picture_render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vlm {

void RotateInto(const Bitmap& source, Bitmap& destination, double angle)
{
    const int sw = source.width(), sh = source.height();
    const int dw = destination.width(), dh = destination.height();
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1)
        return;
    const double c = std::cos(angle), s = std::sin(angle);
    const int shiftX = (dw - sw) / 2 + sw / 2;
    const int shiftY = (dh - sh) / 2 + sh / 2;
    for (int j = 0; j < dh; ++j) {
        std::uint32_t* out = destination.row(j);
        const double v = 2.0 * (j - shiftY) + 1.0;
        const double sv = s * v, cv = c * v;
        for (int i = 0; i < dw; ++i) {
            const double u = 2.0 * (i - shiftX) + 1.0;
            // Halving rounds toward zero, as integer division does.
            const int col = sw / 2 + (Round(c * u - sv) - 1) / 2;
            const int row = sh / 2 + (Round(s * u + cv) - 1) / 2;
            if (col >= 0 && col < sw && row >= 0 && row < sh)
                out[i] = source.row(row)[col];
        }
    }
}

void MirrorBitmap(Bitmap& bitmap)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint32_t* r = bitmap.row(y);
        std::reverse(r, r + bitmap.width());
    }
}

void FlipBitmap(Bitmap& bitmap)
{
    const int w = bitmap.width();
    for (int top = 0, bottom = bitmap.height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bitmap.row(top), bitmap.row(top) + w, bitmap.row(bottom));
}

} // namespace vlm

#include "pictures/prepare_picture.h"

#include "render/picture_render.h"

#include <numbers>
#include <utility>

namespace vlm {

Bitmap preparePicture(Bitmap picture, int a, int b, int t)
{
    if (t == 90 || t == 270) {
        const int w = picture.width() & ~1, h = picture.height() & ~1;
        if (w != picture.width() || h != picture.height())
            picture = Bitmap(picture.image().copy(0, 0, w, h));
        Bitmap turned(h, w);
        // a * b * t: a picture mirrored one way turns the other way round.
        const int sign = (a < 0) != (b < 0) ? -1 : 1;
        RotateInto(picture, turned, sign * t * std::numbers::pi / 180.0);
        picture = std::move(turned);
    } else if (t == 180) {
        a = -a;
        b = -b;
    }
    if (a < 0)
        MirrorBitmap(picture);
    if (b < 0)
        FlipBitmap(picture);
    return picture;
}

} // namespace vlm

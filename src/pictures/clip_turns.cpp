#include "pictures/clip_turns.h"

#include "model/item_list.h"
#include "model/rounding.h"

#include <cmath>

namespace vlm {

namespace {

bool QuarterTurned(const DrawingFields& d)
{
    return d.pictureTurn == 90 || d.pictureTurn == 270;
}

// The turned picture's size in picture pixels; nothing when the placement
// scale is 0 and the source rectangle cannot follow.
struct PictureExtent
{
    bool known = false;
    std::int64_t w = 0, h = 0;
};
PictureExtent ExtentOf(const DrawingFields& d)
{
    if (d.placementScale == 0.0)
        return {};
    return {true, Round(d.pictureSize[0] / d.placementScale), Round(d.pictureSize[1] / d.placementScale)};
}

void Finish(Item& clip, const ScreenMetrics& metrics)
{
    clip.cache.reset();
    RealsFromIntegers(clip, metrics);
    RecomputeFromReals(clip, metrics);
}

// Mirrors the source rectangle across `extent` along x (axis 0) or y (1).
void MirrorSource(DrawingFields& d, std::int64_t extent, int axis)
{
    // The record is packed: its fields are read and written by value.
    const std::int64_t a = d.sourceRect[axis], b = d.sourceRect[axis + 2];
    const bool round = d.clipShape == 2;
    d.sourceRect[axis] = Clamp32(extent - (round ? a : b));
    d.sourceRect[axis + 2] = Clamp32(extent - (round ? b : a));
}

void Reflect(Item& clip, const ScreenMetrics& metrics, bool horizontal)
{
    DrawingFields& d = clip.rec.d;
    const PictureExtent e = ExtentOf(d);
    // In the picture's unturned frame a quarter turn swaps the two signs.
    if (horizontal != QuarterTurned(d))
        d.mirrorX = d.mirrorX < 0 ? 1 : -1;
    else
        d.mirrorY = d.mirrorY < 0 ? 1 : -1;
    if (e.known)
        MirrorSource(d, horizontal ? e.w : e.h, horizontal ? 0 : 1);
    Finish(clip, metrics);
}

void Turn(Item& clip, const ScreenMetrics& metrics, bool clockwise)
{
    DrawingFields& d = clip.rec.d;
    const PictureExtent e = ExtentOf(d);
    if (clockwise) {
        d.pictureTurn -= 90;
        if (d.pictureTurn < 0)
            d.pictureTurn += 360;
    } else {
        d.pictureTurn += 90;
        if (d.pictureTurn > 360)
            d.pictureTurn -= 360;
    }
    if (!e.known) {
        Finish(clip, metrics);
        return;
    }
    const std::int32_t pw = d.pictureSize[0];
    d.pictureSize[0] = d.pictureSize[1];
    d.pictureSize[1] = pw;
    const std::int64_t x1 = d.sourceRect[0], y1 = d.sourceRect[1], x2 = d.sourceRect[2], y2 = d.sourceRect[3];
    const std::int64_t turned[4] = {clockwise ? e.h - y1 : y1, clockwise ? x1 : e.w - x1,
                                    clockwise ? e.h - y2 : y2, clockwise ? x2 : e.w - x2};
    for (int i = 0; i < 4; ++i)
        d.sourceRect[i] = Clamp32(turned[i]);
    if (d.clipShape != 2) {
        // The placed box turns about its centre.
        const double cx = (double(d.x1) + d.x2) / 2, cy = (double(d.y1) + d.y2) / 2;
        const std::int64_t w = std::int64_t{d.x2} - d.x1, h = std::int64_t{d.y2} - d.y1;
        d.x1 = Round(cx - h / 2.0);
        d.x2 = Clamp32(d.x1 + h);
        d.y1 = Round(cy - w / 2.0);
        d.y2 = Clamp32(d.y1 + w);
    }
    Finish(clip, metrics);
}

} // namespace

void MirrorClip(Item& clip, const ScreenMetrics& metrics)
{
    Reflect(clip, metrics, true);
}

void FlipClip(Item& clip, const ScreenMetrics& metrics)
{
    Reflect(clip, metrics, false);
}

void TurnClipClockwise(Item& clip, const ScreenMetrics& metrics)
{
    Turn(clip, metrics, true);
}

void TurnClipCounterClockwise(Item& clip, const ScreenMetrics& metrics)
{
    Turn(clip, metrics, false);
}

} // namespace vlm

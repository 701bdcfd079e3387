#pragma once

// Soft shadows: a darkened, blurred copy of an Item's shape cast away from
// the light, as if the Item were lifted off the page, multiplied into the
// canvas pixels below it. Each shadow is made in a small white bitmap around
// the Item's box at the current zoom: the Item is drawn into it with its flat
// renderer in the shadow colour (blue = the lightness), the bitmap is blurred
// by scaling it down and back up, and its blue channel then scales the
// canvas pixels under it.
//
// Every kind casts the shape its flat renderer draws: lines their dashes,
// texts their glyphs, hollow shapes only their outline, Clips their framed
// box or circle.

#include "model/item.h"
#include "model/screen_metrics.h"
#include "platform/bitmap.h"
#include "render/resample.h"
#include "render/shadow_cache.h"
#include "render/units.h"

#include <QPoint>

#include <cstdint>
#include <vector>

namespace vlm {

class Canvas;
struct DrawContext;
struct TextLinePlacement;

// How far the shadow lies from the Item, in canvas pixels, at `zoom`.
int ShadowOffset(double zoom, int elevation, const ScreenMetrics& metrics);

// The shadow's spread factor, 1..5: fade / 30 + 1.
double ShadowSpread(int fade);

// The colour a shadow is drawn in: red and green 0, blue the lightness.
inline constexpr ColorRef ShadowColor(int lightness)
{
    return RGBRef(0, 0, lightness);
}

// The direction the shadow falls for a light direction: +1 or -1 per axis
// (light 0 from the top left casts right and down).
QPoint ShadowDirection(int lightDirection);

// How far the shadow reaches beyond the Item's box, in document pixels; the
// view grows repaint rectangles by it when it is at least 1.
int ShadowReach(const Item& item, const ScreenMetrics& metrics);

// `extent` grown by the Item's ShadowReach on the two sides away from the
// light; unchanged when the reach is below 1.
PixelRect GrownByShadowReach(const PixelRect& extent, const Item& item, const ScreenMetrics& metrics,
                             int lightDirection);

// Bitmaps the shadows work in, kept between Items so that a repaint does
// not allocate two of them per Item. Not shared between threads.
class ShadowScratch
{
public:
    // Without keepCast, every cast gets a bitmap of exactly its own size
    // (what the kept one is tested against).
    explicit ShadowScratch(bool keepCast = true);
    ~ShadowScratch();
    ShadowScratch(const ShadowScratch&) = delete;
    ShadowScratch& operator=(const ShadowScratch&) = delete;

    // A width x height bitmap over the kept memory of `slot` (0 or 1),
    // filled with `fill` and with the resolution of `like`. Valid until the
    // next call for the same slot.
    Bitmap& take(int slot, int width, int height, ColorRef fill, const Bitmap& like);

    // A bitmap at least width x height whose top-left width x height pixels
    // are filled with `fill`, with the resolution of `like`: what a cast is
    // drawn into. The same bitmap serves cast after cast (its paint engine is
    // made once) and grows when a cast needs more; what lies beyond those
    // pixels is left over from earlier casts. Valid until the next call.
    Bitmap& cast(int width, int height, ColorRef fill, const Bitmap& like);

    // A width x height plane of bytes over the kept memory of `slot` (0 to
    // 2), its contents undefined. Valid until the next call for the slot.
    ChannelPlane plane(int slot, int width, int height);

private:
    struct Slot {
        std::vector<std::uint32_t> memory;
        Bitmap bitmap;
    };
    Slot slots_[2];
    bool keepCast_;
    Bitmap cast_;
    std::vector<std::uint8_t> planes_[3];
};

// Blurs a shadow bitmap for `fade`: down to Round(size * 10 / (fade + 10))
// (at least 6 pixels) and back up with the B-spline filter of `resample`.
// On a device `deviceScale` times finer than the screen (a printed sheet)
// the size is divided by that scale as well, so the blur is as wide on
// paper as on the screen at 100 %. Nothing happens at fade 0 or when the
// bitmap is too small to shrink.
void BlurShadow(Bitmap& shadow, int fade, ShadowScratch& scratch, double deviceScale = 1.0);

// What the blue channel of the top-left width x height pixels of a shadow
// bitmap would be after BlurShadow, made without the other two channels,
// byte for byte. The plane lives in the scratch's slot 0 plane.
// With `reach`, it receives where each row can differ from its ends (for
// every row, or none at all).
ChannelPlane BlurredShadowMask(const Bitmap& shadow, int width, int height, int fade, ShadowScratch& scratch,
                               std::vector<RowReach>* reach = nullptr, double deviceScale = 1.0);

// CompositeShadow for a mask of blue values.
void CompositeShadow(Canvas& canvas, const ChannelPlane& mask, QPoint at);

// CompositeShadow for the runs of a kept mask whose `at` lies at `at` on the
// canvas.
void CompositeShadow(Canvas& canvas, const ShadowMaskCache::Mask& mask, QPoint at);

// Multiplies the canvas under `shadow` (its top-left at `at` on the canvas)
// by the shadow's blue channel / 255; pixels whose blue is 255 stay as they
// are.
void CompositeShadow(Canvas& canvas, const Bitmap& shadow, QPoint at);

// Draws the Item's shadow onto the canvas; for a text, the shadow of the one
// line `line` when it is given, else of all its lines. Does nothing when the
// elevation is 0, and for a Clip when the lightness is 0. With a cache, the
// finished mask is kept there and taken from there while nothing it was
// made from has changed.
void DrawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item, const TextLinePlacement* line,
                ShadowScratch& scratch, ShadowMaskCache* cache = nullptr);

// Every byte a shadow's mask is made from: the Item's record, points and
// text, the line pattern it refers to, the text line, and the drawing
// context and canvas (`target`) properties the cast reads. Two equal
// fingerprints give the same mask. A mask that does not depend on where the
// canvas lies on the page (`movable`: the cast is not cut to the canvas)
// leaves the canvas position and size out, so that scrolling and partial
// repaints find it too; text line positions then count from the page.
std::vector<std::uint8_t> ShadowFingerprint(const Bitmap& target, const DrawContext& ctx, const Item& item,
                                            const TextLinePlacement* line, bool movable);

} // namespace vlm

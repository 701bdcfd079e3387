#pragma once

// Clips on a canvas: the full pipeline that turns a stored picture into the
// bitmap of a Clip's box (crop, rescale, colour effects, mirror, frame,
// rotation), the render cache kept inside the Clip, and the outlines drawn in
// its place while dragging, after a zoom change or with pictures switched off.
//
// Decoding and the colour effects belong to the pictures layer, above this
// one: they come in through PictureServices, which that layer implements
// with the program's decoders.

#include "model/item.h"
#include "platform/bitmap.h"
#include "render/draw_item.h"

#include <QPoint>
#include <QRect>

#include <functional>

namespace vlm {

class Canvas;

// A Clip's source picture, decoded and turned and mirrored by the Clip's
// quarter-turn and signs. `reduction` (1, 2, 4 or 8) tells that the picture
// was decoded at that fraction of its size, `enlargement` that a vector
// picture was played at that many times its size (one of them is 1).
struct PreparedPicture
{
    Bitmap bitmap;
    int reduction = 1;
    int enlargement = 1;
};

class PictureServices
{
public:
    virtual ~PictureServices() = default;
    // Decodes `picture` (a Picture record) and turns and mirrors it. The
    // decoder may reduce the picture by up to `maxReduction` when its format
    // can do that cheaply, and plays a vector picture at up to
    // `maxEnlargement` times its size. A failed decode gives a null bitmap.
    virtual PreparedPicture prepare(const Item& picture, int mirrorX, int mirrorY, int quarterTurn,
                                    int maxReduction, int maxEnlargement) const = 0;
    // Saturation, contrast and lightness, in place.
    virtual void applyColorEffects(Bitmap& bitmap, int saturation, int contrast, int lightness) const = 0;
};

// Nearest-neighbour rotation of S about its centre onto D's centre by
// `angle` radians (positive turns counter-clockwise on the screen). Pixels of
// D that no pixel of S lands on keep their value.
void RotateInto(const Bitmap& source, Bitmap& destination, double angle);

// Left to right in place.
void MirrorBitmap(Bitmap& bitmap);
// Top to bottom in place.
void FlipBitmap(Bitmap& bitmap);

// The frame width of a Clip at the context's zoom (0 without a frame).
int FrameWidth(const DrawContext& ctx, const Item& clip);

// Whether the frame is drawn shaded ("Frame 3-D") rather than flat.
bool FrameShaded(const DrawContext& ctx, const Item& clip, int frameWidth);

// Fills the border of `framed` (the picture grown by c on every side) flat in
// the frame colour, or shaded.
void RectFrame(Bitmap& framed, const DrawContext& ctx, const Item& clip, int frameWidth);

// The frame around a round Clip whose circle has its bounding square at
// `box` on the canvas.
void RoundFrame(Canvas& canvas, const DrawContext& ctx, const Item& clip, const QRect& box);

// The full pipeline; refills the Clip's cache. Draws nothing when the
// picture cannot be decoded or the box is 2 x 2 pixels or less.
void RenderPicture(Canvas& canvas, const DrawContext& ctx, Item& clip, const PictureServices& services);

// DrawItem's picture step: from the cache when it holds a rendering, else
// RenderPicture; the outline substitutes in the other modes.
void DrawPicture(Canvas& canvas, const DrawContext& ctx, Item& clip, PictureMode mode,
                 const PictureServices& services);

// The substitutes alone (Quick, Fast, Hidden).
void DrawPictureOutline(Canvas& canvas, const DrawContext& ctx, const Item& clip, PictureMode mode);

// Which reduction of the picture still gives at least `need` pixels where
// `full` pixels of the full-size picture are shown: 8, 4, 2 or 1.
int ReductionFor(int fullWidth, int fullHeight, int needWidth, int needHeight);
// How many times its size a vector picture is played so that `full` of its
// pixels give at least `need` pixels: 1 up to 16.
int enlargementFor(int fullWidth, int fullHeight, int needWidth, int needHeight);

// DrawPicture with `services`, as the shadows-and-shading effects call it.
std::function<void(Canvas&, const DrawContext&, Item&, PictureMode)>
PictureRendererFor(const PictureServices& services);

} // namespace vlm

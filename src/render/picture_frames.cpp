#include "platform/canvas.h"
#include "render/picture_render.h"

namespace vlm {

void RectFrame(Bitmap& framed, const DrawContext& ctx, const Item& clip, int frameWidth)
{
    const int c = frameWidth;
    const int w = framed.width(), h = framed.height();
    if (c <= 0 || w < 2 * c || h < 2 * c)
        return;
    // The shaded "Frame 3-D" border needs the surface ramp of the shading
    // renderer; until that is in, a shaded frame is drawn flat too.
    const ColorRef colour = ctx.paint(clip.rec.d.lineColor);
    Canvas canvas(framed);
    canvas.fillRect(QRect(0, 0, w, c), colour);
    canvas.fillRect(QRect(0, h - c, w, c), colour);
    canvas.fillRect(QRect(0, c, c, h - 2 * c), colour);
    canvas.fillRect(QRect(w - c, c, c, h - 2 * c), colour);
}

void RoundFrame(Canvas& canvas, const DrawContext& ctx, const Item& clip, const QRect& box)
{
    const int c = FrameWidth(ctx, clip);
    if (!clip.rec.d.framed)
        return;
    // A ring around the circle: a wide pen is centred on its path, so the
    // path runs half a pen width outside the picture.
    const int half = c / 2;
    canvas.setPen(ctx.paint(clip.rec.d.lineColor), c);
    canvas.setHollowBrush();
    canvas.ellipse(box.left() - half, box.top() - half, box.left() + box.width() + half,
                   box.top() + box.height() + half);
}

} // namespace vlm

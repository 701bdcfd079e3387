#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/picture_render.h"
#include "render/resample.h"
#include "render/shading.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

// The light's angle for the frames, by light direction.
double FrameLightAngle(int lightDirection)
{
    static constexpr double kAngles[4] = {kPi / 4, 7 * kPi / 4, 3 * kPi / 4, 5 * kPi / 4};
    return kAngles[lightDirection >= 0 && lightDirection <= 3 ? lightDirection : 0];
}

std::vector<std::uint32_t> FrameRamp(const DrawContext& ctx, const Item& clip, int c)
{
    std::vector<std::uint32_t> out;
    for (const ColorRef colour : ShadingRamp(c, clip.rec.d.surface, ctx.paint(clip.rec.d.lineColor)))
        out.push_back(Bitmap::toArgb(colour));
    return out;
}

// Resamples a c x c corner to twice its size and back with the B-spline.
void SoftenCorner(Bitmap& framed, int x, int y, int c)
{
    const Bitmap corner(framed.image().copy(x, y, c, c));
    const Bitmap large = resample(corner, 2 * c, 2 * c, 4);
    const Bitmap back = resample(large, c, c, 4);
    for (int j = 0; j < c; ++j)
        for (int i = 0; i < c; ++i)
            framed.row(y + j)[x + i] = back.row(j)[i];
}

void ShadedRectFrame(Bitmap& framed, const DrawContext& ctx, const Item& clip, int c)
{
    const int w = framed.width(), h = framed.height();
    const std::vector<std::uint32_t> ramp = FrameRamp(ctx, clip, c);
    const double phi = FrameLightAngle(ctx.lightDirection) - clip.rec.d.rotation;
    const int quarter = Trunc(c / 4.0);
    const int shiftX = Round(std::sin(kPi - phi) * quarter);
    const int shiftY = Round(std::sin(kPi / 2 - phi) * quarter);
    // The side borders: column i of either takes ramp row i + shift.
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = framed.row(y);
        for (int i = 0; i < c; ++i) {
            const std::uint32_t v = ramp[ReduceRampRow(i + shiftX, c)];
            row[i] = v;
            row[w - c + i] = v;
        }
    }
    // Top and bottom, each row cut to a 45-degree mitre against the sides.
    for (int r = 0; r < c; ++r) {
        const std::uint32_t v = ramp[ReduceRampRow(r + shiftY, c)];
        std::uint32_t* top = framed.row(r);
        for (int i = r; i <= w - r - 1; ++i)
            top[i] = v;
        std::uint32_t* bottom = framed.row(h - c + r);
        for (int i = c - r; i <= w - c + r - 1; ++i)
            bottom[i] = v;
    }
    if (c > 12) {
        const bool mainDiagonal = ctx.lightDirection == 1 || ctx.lightDirection == 2;
        if (mainDiagonal) {
            SoftenCorner(framed, 0, 0, c);
            SoftenCorner(framed, w - c, h - c, c);
        } else {
            SoftenCorner(framed, w - c, 0, c);
            SoftenCorner(framed, 0, h - c, c);
        }
    }
}

// Calls paint(dx, dy) for every canvas pixel of the ring c pixels wide
// around the clip circle inscribed in `box` and sets the pixel to what it
// returns. A pixel belongs to the ring when its centre lies outside the
// circle (the picture keeps every pixel whose centre lies within it) and at
// most c pixels beyond it; (dx, dy) is that centre less the circle's centre.
template <typename Paint> void PaintRing(Bitmap& target, const QRect& box, int c, Paint&& paint)
{
    const std::int64_t n = box.width();
    const std::int64_t inner = n * n, outer = (n + 2 * c) * (n + 2 * c);
    // Half-pixel units: the circle's centre lies on a pixel corner.
    const std::int64_t jFrom = std::max<std::int64_t>(-c, -std::int64_t{box.top()});
    const std::int64_t jTo = std::min<std::int64_t>(n + c, std::int64_t{target.height()} - box.top());
    const std::int64_t iFrom = std::max<std::int64_t>(-c, -std::int64_t{box.left()});
    const std::int64_t iTo = std::min<std::int64_t>(n + c, std::int64_t{target.width()} - box.left());
    for (std::int64_t j = jFrom; j < jTo; ++j) {
        const std::int64_t v = 2 * j + 1 - n;
        std::uint32_t* row = target.row(static_cast<int>(box.top() + j));
        for (std::int64_t i = iFrom; i < iTo; ++i) {
            const std::int64_t u = 2 * i + 1 - n;
            const std::int64_t d2 = u * u + v * v;
            if (d2 > inner && d2 <= outer)
                row[box.left() + i] = paint(u / 2.0, v / 2.0);
        }
    }
}

void ShadedRing(Canvas& canvas, const DrawContext& ctx, const Item& clip, const QRect& box, int c)
{
    const int outer = box.width() / 2 + c;
    const std::vector<std::uint32_t> ramp = FrameRamp(ctx, clip, c);
    const double lambda = FrameLightAngle(ctx.lightDirection);
    const int quarter = Trunc(c / 4.0);
    PaintRing(canvas.bitmap(), box, c, [&](double dx, double dy) {
        const double psi = std::atan2(-dy, dx);
        const long long ringRow = outer + Round(std::sin(psi - lambda) * quarter) - Round(std::hypot(dx, dy));
        return ramp[ReduceRampRow(ringRow, c)];
    });
}

} // namespace

void RectFrame(Bitmap& framed, const DrawContext& ctx, const Item& clip, int frameWidth)
{
    const int c = frameWidth;
    const int w = framed.width(), h = framed.height();
    if (c <= 0 || w < 2 * c || h < 2 * c)
        return;
    if (FrameShaded(ctx, clip, c)) {
        ShadedRectFrame(framed, ctx, clip, c);
        return;
    }
    const ColorRef colour = ctx.paint(clip.rec.d.lineColor);
    Canvas canvas(framed);
    canvas.fillRect(QRect(0, 0, w, c), colour);
    canvas.fillRect(QRect(0, h - c, w, c), colour);
    canvas.fillRect(QRect(0, c, c, h - 2 * c), colour);
    canvas.fillRect(QRect(w - c, c, c, h - 2 * c), colour);
}

void RoundFrame(Canvas& canvas, const DrawContext& ctx, const Item& clip, const QRect& box)
{
    if (!clip.rec.d.framed)
        return;
    const int c = FrameWidth(ctx, clip);
    if (FrameShaded(ctx, clip, c)) {
        ShadedRing(canvas, ctx, clip, box, c);
        return;
    }
    // Flat: a ring in the frame colour, at least a pixel wide.
    const std::uint32_t colour = Bitmap::toArgb(ctx.paint(clip.rec.d.lineColor));
    PaintRing(canvas.bitmap(), box, std::max(c, 1), [colour](double, double) { return colour; });
}

} // namespace vlm

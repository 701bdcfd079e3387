#include "render/shadows.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "render/draw_item.h"
#include "render/drawn_box.h"
#include "render/pens.h"
#include "render/polar.h"
#include "render/resample.h"
#include "render/shapes.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

// A shadow bitmap larger than this on a side is cut to the part near the
// canvas: only a huge Item at a large zoom, or a damaged record, asks for it.
constexpr int kMaxShadowSide = 4096;
// Beyond this a margin would only come from a damaged weight.
constexpr int kMaxMargin = 4096;

// The B-spline filter: soft, and never overshoots into a ring.
constexpr int kBlurFilter = 4;

int ElevationPixels(int elevation, const ScreenMetrics& metrics)
{
    return Round(Round(elevation / 8.5) / 96.0 * metrics.dpiY);
}

// One channel c of the canvas under a shadow pixel of blue b:
// c + Round((b - 255) * c / 255), which is c - Round((255 - b) * c / 255); the
// quotient never falls on a half, and x div 255 = (x + 1 + (x >> 8)) >> 8 for
// every x that occurs here. Blue 255 leaves the channel as it is.
inline std::uint32_t Darken(std::uint32_t c, std::uint32_t f)
{
    const std::uint32_t x = f * c + 127;
    return c - ((x + 1 + (x >> 8)) >> 8);
}

// The pen that reaches furthest past the drawn points of the Item.
int OutlinePen(const DrawContext& ctx, const Item& item)
{
    const DrawingFields& d = item.rec.d;
    switch (d.kind) {
    case KindLine:
        return std::max(LineWidthAtZoom(ctx.zoom, d.penWidth), PenWidthAtZoom(ctx.zoom, d.outlineWeight, ctx.metrics));
    case KindText:
    case KindClip:
        return 0;
    default:
        return OutlineWidth(ctx, item);
    }
}

// Draws what the Item casts into the shadow bitmap, its drawing context
// already moved to the bitmap and by the shadow's offset.
void CastShape(Canvas& canvas, const DrawContext& ctx, const Item& item, const TextLinePlacement* line,
               QPoint lineShift)
{
    const ColorRef colour = *ctx.substituteColor;
    if (item.rec.d.kind == KindText && line) {
        if (line->font)
            canvas.drawText(*line->font, line->reference + lineShift, line->text, colour);
        return;
    }
    if (item.rec.d.kind == KindClip) {
        bool round = false;
        const std::vector<QPoint> outline = ClipShadowOutline(ctx, item, round);
        canvas.setPen(colour, 1);
        canvas.setSolidBrush(colour);
        if (round)
            canvas.ellipse(outline[0].x(), outline[0].y(), outline[1].x(), outline[1].y());
        else
            canvas.polygon(outline);
        return;
    }
    DrawFlatBody(canvas, ctx, item);
}

} // namespace

int ShadowOffset(double zoom, int elevation, const ScreenMetrics& metrics)
{
    return Round(zoom * ElevationPixels(elevation, metrics));
}

double ShadowSpread(int fade)
{
    return std::clamp(fade / 30.0 + 1.0, 1.0, 5.0);
}

QPoint ShadowDirection(int lightDirection)
{
    switch (lightDirection) {
    case 1:
        return {-1, 1};
    case 2:
        return {1, -1};
    case 3:
        return {-1, -1};
    default:
        return {1, 1};
    }
}

int ShadowReach(const Item& item, const ScreenMetrics& metrics)
{
    const DrawingFields& d = item.rec.d;
    int r = ElevationPixels(d.shadowElevation, metrics) + d.shadowFade;
    if (d.kind == KindClip && d.framed) {
        // A weight read from a damaged record may be anything.
        const double weight = d.weight; // a copy: the record is packed
        const double mm = std::isfinite(weight) ? std::clamp(weight, 0.0, 10000.0) : 0.0;
        r -= PenWidthAtZoom(1.0, mm, metrics);
    }
    return r;
}

PixelRect GrownByShadowReach(const PixelRect& extent, const Item& item, const ScreenMetrics& metrics,
                             int lightDirection)
{
    const int reach = ShadowReach(item, metrics);
    if (reach < 1)
        return extent;
    PixelRect e = extent;
    const QPoint towards = ShadowDirection(lightDirection);
    if (towards.x() < 0)
        e.left = Clamp32(std::int64_t{e.left} - reach);
    else
        e.right = Clamp32(std::int64_t{e.right} + reach);
    if (towards.y() < 0)
        e.top = Clamp32(std::int64_t{e.top} - reach);
    else
        e.bottom = Clamp32(std::int64_t{e.bottom} + reach);
    return e;
}

ShadowScratch::ShadowScratch() = default;
ShadowScratch::~ShadowScratch() = default;

Bitmap& ShadowScratch::take(int slot, int width, int height, ColorRef fill, const Bitmap& like)
{
    Slot& s = slots_[std::clamp(slot, 0, 1)];
    s.bitmap = Bitmap();
    if (width < 1 || height < 1)
        return s.bitmap;
    const std::size_t need = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (s.memory.size() < need)
        s.memory.resize(need);
    QImage image(reinterpret_cast<uchar*>(s.memory.data()), width, height,
                 static_cast<qsizetype>(width) * 4, QImage::Format_RGB32);
    // Glyphs drawn into the bitmap must come out as on the canvas.
    image.setDotsPerMeterX(like.image().dotsPerMeterX());
    image.setDotsPerMeterY(like.image().dotsPerMeterY());
    s.bitmap = Bitmap(std::move(image));
    s.bitmap.fill(fill);
    return s.bitmap;
}

void BlurShadow(Bitmap& shadow, int fade, ShadowScratch& scratch)
{
    if (fade <= 0 || shadow.isNull())
        return;
    const int w = shadow.width();
    const int h = shadow.height();
    int ws = Round(w * 10.0 / (fade + 10));
    int hs = Round(h * 10.0 / (fade + 10));
    if (ws >= w || hs >= h)
        return;
    ws = std::max(ws, 6);
    hs = std::max(hs, 6);
    Bitmap& small = scratch.take(1, ws, hs, RGBRef(0, 0, 0), shadow);
    resample(shadow, small, kBlurFilter);
    resample(small, shadow, kBlurFilter);
}

void CompositeShadow(Canvas& canvas, const Bitmap& shadow, QPoint at)
{
    Bitmap& target = canvas.bitmap();
    const int x0 = std::max(at.x(), 0);
    const int y0 = std::max(at.y(), 0);
    const int x1 = static_cast<int>(std::min<long long>(static_cast<long long>(at.x()) + shadow.width(), target.width()));
    const int y1 = static_cast<int>(std::min<long long>(static_cast<long long>(at.y()) + shadow.height(), target.height()));
    if (x0 >= x1 || y0 >= y1)
        return;
    // Most of a shadow bitmap is white margin: on each row only the stretch
    // between the first and the last shaded pixel is worked on, branch-free
    // (white leaves a pixel as it is), so the canvas around it is not even read.
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* s = shadow.row(y - at.y()) - at.x();
        int lo = x0;
        while (lo < x1 && (s[lo] & 0xffu) == 0xffu)
            ++lo;
        if (lo == x1)
            continue;
        int hi = x1 - 1;
        while ((s[hi] & 0xffu) == 0xffu)
            --hi;
        std::uint32_t* out = target.row(y);
        // The canvas rows under a shadow are rarely in the cache: ask for the
        // next ones while this one is worked on.
        for (int ahead = y + 1; ahead <= y + 2 && ahead < y1; ++ahead) {
            const std::uint32_t* next = target.row(ahead);
            for (int x = lo; x <= hi; x += 16)
                __builtin_prefetch(next + x, 1);
        }
        for (int x = lo; x <= hi; ++x) {
            const std::uint32_t f = 255u - (s[x] & 0xffu);
            const std::uint32_t p = out[x];
            out[x] = 0xff000000u | (Darken((p >> 16) & 0xffu, f) << 16) | (Darken((p >> 8) & 0xffu, f) << 8) |
                     Darken(p & 0xffu, f);
        }
    }
}

void DrawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item, const TextLinePlacement* line,
                ShadowScratch& scratch)
{
    const DrawingFields& d = item.rec.d;
    if (d.shadowElevation == 0)
        return;
    if (d.kind == KindClip && d.shadowLightness == 0)
        return;
    const bool oneLine = d.kind == KindText && line && line->font;
    const std::vector<QPoint> points = oneLine ? TextLineOutline(*line) : DrawnPoints(ctx, item);
    QRect box = BoundsOf(points);
    if (box.isNull())
        return;
    box.setWidth(std::max(box.width(), 10));
    box.setHeight(std::max(box.height(), 10));

    const int offset = ShadowOffset(ctx.zoom, d.shadowElevation, ctx.metrics);
    const double spread = ShadowSpread(d.shadowFade);
    const int margin = std::clamp<long long>(Round(2.0 * offset * spread) + 2LL * OutlinePen(ctx, item), 0, kMaxMargin);
    QRect area = box.adjusted(-margin, -margin, margin, margin);
    const QRect near = QRect(0, 0, canvas.width(), canvas.height()).adjusted(-2 * margin, -2 * margin, 2 * margin,
                                                                               2 * margin);
    if (!area.intersects(QRect(0, 0, canvas.width(), canvas.height())))
        return;
    if (area.width() > kMaxShadowSide || area.height() > kMaxShadowSide)
        area &= near;
    if (area.isEmpty())
        return;

    // The copy moves Round(offset / zoom) document pixels away from the light.
    const double zoom = ctx.zoom > 0 && std::isfinite(ctx.zoom) ? ctx.zoom : 1.0;
    const int move = Round(zoom * Round(offset / zoom));
    const QPoint direction = ShadowDirection(ctx.lightDirection);
    const QPoint shift(direction.x() * move, direction.y() * move);

    Bitmap& shadow = scratch.take(0, area.width(), area.height(), RGBRef(255, 255, 255), canvas.bitmap());
    if (shadow.isNull())
        return;
    {
        DrawContext cast = ctx;
        cast.originX = Clamp32(std::int64_t{ctx.originX} + area.left() - shift.x());
        cast.originY = Clamp32(std::int64_t{ctx.originY} + area.top() - shift.y());
        cast.substituteColor = ShadowColor(d.shadowLightness);
        cast.substituteFill.reset();
        cast.effects = nullptr;
        Canvas c(shadow);
        CastShape(c, cast, item, oneLine ? line : nullptr, shift - area.topLeft());
    }
    BlurShadow(shadow, d.shadowFade, scratch);
    CompositeShadow(canvas, shadow, area.topLeft());
}

} // namespace vlm

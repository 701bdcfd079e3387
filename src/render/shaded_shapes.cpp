#include "render/shaded_shapes.h"

#include "platform/canvas.h"
#include "platform/font.h"
#include "render/draw_item.h"
#include "render/drawn_box.h"
#include "render/pens.h"
#include "render/polar.h"
#include "render/shading.h"
#include "render/shadows.h"
#include "render/shapes.h"
#include "render/splines.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

// The masks of one repaint reuse their memory, like the shadows do.
ShadowScratch& MaskScratch()
{
    thread_local ShadowScratch scratch;
    return scratch;
}

// A black mask over the part of `box` (canvas pixels) that lies on the
// canvas; a null bitmap when none does.
ShadingMask MaskOver(Canvas& canvas, const QRect& box)
{
    ShadingMask mask;
    const QRect on = box & QRect(0, 0, canvas.width(), canvas.height());
    if (on.isEmpty())
        return mask;
    mask.origin = on.topLeft();
    // The mask borrows the scratch memory until the next mask is made.
    mask.bitmap = std::move(MaskScratch().take(0, on.width(), on.height(), kMaskBackground, canvas.bitmap()));
    return mask;
}

// The Item drawn by its flat renderer into the mask: its outline in the
// outline marker, its fill colour in the fill marker ("Solid" is all outline).
void DrawMask(ShadingMask& mask, const DrawContext& ctx, const Item& item)
{
    DrawContext m = ctx;
    m.originX = Clamp32(std::int64_t{ctx.originX} + mask.origin.x());
    m.originY = Clamp32(std::int64_t{ctx.originY} + mask.origin.y());
    m.substituteColor = kMaskOutline;
    m.substituteFill = kMaskFill;
    m.effects = nullptr;
    Canvas c(mask.bitmap);
    DrawFlatBody(c, m, item);
}

ColorRef FillColour(const DrawContext& ctx, const Item& item)
{
    const std::int32_t fill = item.rec.d.fillColor;
    return fill == kFillSolid || fill == kFillClear ? ctx.paint(item.rec.d.lineColor) : ctx.paint(fill);
}

// The pen the flat renderer outlines the shape with.
int ShapePen(const DrawContext& ctx, const Item& item)
{
    return item.rec.d.fillColor == kFillSolid ? 1 : std::max(OutlineWidth(ctx, item), 1);
}

QPoint VertexAt(const DrawContext& ctx, const Item& item, std::size_t i)
{
    return ctx.toCanvas(item.vertices[i].x, item.vertices[i].y);
}

// The Item's mask over `box`, every marked pixel shaded by the dome.
void ShadeMasked(Canvas& canvas, const DrawContext& ctx, const Item& item, int level, const QRect& box,
                 const DomeGeometry& dome)
{
    ShadingMask mask = MaskOver(canvas, box);
    if (mask.bitmap.isNull())
        return;
    DrawMask(mask, ctx, item);
    ShadeDome(canvas, mask, dome, FillColour(ctx, item), ctx.paint(item.rec.d.lineColor), level);
}

// The shape's own pixels take the colours of a dome of diameter d whose box
// starts at discTopLeft.
void ShadeClippedDome(Canvas& canvas, const DrawContext& ctx, const Item& item, int level, QPoint discTopLeft,
                      long long d)
{
    if (d < 2)
        return;
    const int pen = ShapePen(ctx, item);
    const std::vector<QPoint> points = DrawnPoints(ctx, item);
    const QRect box = BoundsOf(points).adjusted(-pen - 1, -pen - 1, pen + 1, pen + 1);
    const int diameter = static_cast<int>(std::min<long long>(d, DrawContext::kCanvasReach));
    DomeGeometry dome;
    dome.highlight = DomeHighlight(discTopLeft, diameter, diameter, ctx.lightDirection);
    dome.rampLength = static_cast<int>(std::min<long long>(pen + std::llround(1.5 * diameter), 1 << 28));
    ShadeMasked(canvas, ctx, item, level, box, dome);
}

// A disc of diameter d around c: its box's top-left.
QPoint DiscAround(QPoint c, long long d)
{
    const long long half = d / 2;
    return {Clamp32(c.x() - half), Clamp32(c.y() - half)};
}

void ShadeCircle(Canvas& canvas, const DrawContext& ctx, const Item& item, int level)
{
    if (item.vertices.size() < 2)
        return;
    const QPoint c = VertexAt(ctx, item, 0);
    const int r = std::min(Round(Distance(c, VertexAt(ctx, item, 1))), DrawContext::kCanvasReach);
    const int d = 2 * r;
    if (d < 2)
        return;
    const int pen = ShapePen(ctx, item);
    const QRect box(QPoint(c.x() - r - pen, c.y() - r - pen), QSize(d + 2 * pen + 1, d + 2 * pen + 1));
    DomeGeometry dome;
    dome.highlight = DomeHighlight(QPoint(c.x() - r, c.y() - r), d, d, ctx.lightDirection);
    dome.rampLength = pen + Round(1.5 * d);
    ShadeMasked(canvas, ctx, item, level, box, dome);
}

void ShadeEllipse(Canvas& canvas, const DrawContext& ctx, const Item& item, int level)
{
    if (item.vertices.size() < 3)
        return;
    const QPoint c = VertexAt(ctx, item, 0);
    const QPoint a = VertexAt(ctx, item, 1);
    const QPoint t = VertexAt(ctx, item, 2);
    const QRect bounds = BoundsOf(EllipseBezier(c, a, t));
    const int w = bounds.width() - 1;
    const int h = bounds.height() - 1;
    if (w < 2 || h < 2)
        return;
    const double ra = Round(Distance(c, a));
    const double rb = Round(Distance(t, PerpendicularFootOnto(c, a)(t)));
    if (ra == 0 || rb == 0)
        return;
    const int pen = ShapePen(ctx, item);
    DomeGeometry dome;
    dome.highlight = DomeHighlight(bounds.topLeft(), w, h, ctx.lightDirection);
    dome.rampLength = pen + std::max(Round(1.5 * w), Round(1.5 * h));
    dome.elliptical = true;
    dome.gain = rb <= ra ? 1.0 - rb / ra : -1.0 - ra / rb;
    dome.direction = DirectionOf(c, a);
    ShadeMasked(canvas, ctx, item, level, bounds.adjusted(-pen - 1, -pen - 1, pen + 1, pen + 1), dome);
}

// Squares and rectangles: a cylinder across the second side.
void ShadeBox(Canvas& canvas, const DrawContext& ctx, const Item& item, int level)
{
    if (item.vertices.size() < 3)
        return;
    const QPoint p1 = VertexAt(ctx, item, 0);
    const QPoint p2 = VertexAt(ctx, item, 1);
    const QPoint p3 = VertexAt(ctx, item, 2);
    BandGeometry band;
    band.length = Round(Distance(p2, p3));
    band.refA = p1;
    band.refB = p2;
    band.theta = DirectionOf(p1, p2);
    double turn = std::fmod(DirectionOf(p2, p3) - band.theta, 2 * kPi);
    if (turn < 0)
        turn += 2 * kPi;
    if (turn <= kPi)
        band.theta = DirectionOf(p2, p1);
    band.lambda = BandLightAngle(ctx.lightDirection);
    const int pen = ShapePen(ctx, item);
    ShadingMask mask = MaskOver(canvas, BoundsOf(DrawnPoints(ctx, item)).adjusted(-pen - 1, -pen - 1, pen + 1, pen + 1));
    if (mask.bitmap.isNull())
        return;
    DrawMask(mask, ctx, item);
    ShadeBand(canvas, mask, band, FillColour(ctx, item), ctx.paint(item.rec.d.lineColor), level);
}

void ShadeTextLine(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                   const TextLinePlacement& line)
{
    const Font& font = *line.font;
    ShadingMask mask = MaskOver(canvas, BoundsOf(TextLineOutline(line)).adjusted(-1, -1, 1, 1));
    if (mask.bitmap.isNull())
        return;
    {
        Canvas c(mask.bitmap);
        c.drawText(font, line.reference - mask.origin, line.text, kMaskFill);
    }
    BandGeometry band;
    band.length = font.ascent() + font.descent();
    band.theta = line.angle;
    band.lambda = TextLightAngle(ctx.lightDirection);
    band.refA = PolarPoint(line.baseline, line.angle - kPi / 2, font.descent());
    band.refB = PolarPoint(band.refA, line.angle, 1000);
    const ColorRef colour = ctx.paint(item.rec.d.textColor);
    ShadeBand(canvas, mask, band, colour, colour, level);
}

bool IsDomeKind(std::int32_t kind)
{
    switch (kind) {
    case KindPolygon:
    case KindStar:
    case KindPie:
    case KindArc:
    case KindTriangle:
    case KindSpline:
    case KindCurve:
        return true;
    default:
        return false;
    }
}

// The disc a clipped dome is cut from, for the kinds that have one.
bool ClippedDisc(const DrawContext& ctx, const Item& item, QPoint& topLeft, long long& d)
{
    const std::size_t n = item.vertices.size();
    const int pen = ShapePen(ctx, item);
    switch (item.rec.d.kind) {
    case KindPolygon:
    case KindPie:
    case KindArc: {
        if (n < 2)
            return false;
        const QPoint c = VertexAt(ctx, item, 0);
        d = std::llround((Distance(c, VertexAt(ctx, item, 1)) + pen) * 2) + 1;
        topLeft = DiscAround(c, d);
        return true;
    }
    case KindStar: {
        if (n < 3)
            return false;
        const QPoint c = VertexAt(ctx, item, 0);
        const double outer = Distance(c, VertexAt(ctx, item, 1));
        const double inner = Distance(c, VertexAt(ctx, item, 2));
        d = std::llround(2 * std::max(outer, inner)) + 2LL * pen;
        topLeft = DiscAround(c, d);
        return true;
    }
    case KindTriangle:
    case KindSpline:
    case KindCurve: {
        // The circle through the corners of the square on the box's top-left.
        const QRect box = BoundsOf(DrawnPoints(ctx, item));
        if (box.isNull())
            return false;
        const long long s = std::max(box.width(), box.height()) - 1LL;
        d = std::llround(s * std::numbers::sqrt2);
        const QPoint centre(Clamp32(box.left() + s / 2), Clamp32(box.top() + s / 2));
        topLeft = DiscAround(centre, d);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

bool DrawShadedBody(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                    const TextLinePlacement* line)
{
    switch (item.rec.d.kind) {
    case KindText:
        if (!line || !line->font)
            return false;
        ShadeTextLine(canvas, ctx, item, level, *line);
        return true;
    case KindCircle:
        ShadeCircle(canvas, ctx, item, level);
        return true;
    case KindEllipse:
        ShadeEllipse(canvas, ctx, item, level);
        return true;
    case KindSquare:
    case KindRectangle:
        ShadeBox(canvas, ctx, item, level);
        return true;
    default: {
        QPoint topLeft;
        long long d = 0;
        if (!IsDomeKind(item.rec.d.kind))
            return false;
        // Too few points for a disc: the flat renderer would draw nothing either.
        if (ClippedDisc(ctx, item, topLeft, d))
            ShadeClippedDome(canvas, ctx, item, level, topLeft, d);
        return true;
    }
    }
}

void DashShader::shadeBand(Canvas& canvas, const DashBand& band, int surface, int lightDirection) const
{
    const int grow = std::max(band.outline, 1) + 1;
    ShadingMask mask = MaskOver(canvas, BoundsOf(band.corners).adjusted(-grow, -grow, grow, grow));
    if (mask.bitmap.isNull())
        return;
    DashBand marked = band;
    marked.lineColor = kMaskOutline;
    if (marked.brush)
        marked.brush = kMaskFill;
    for (QPoint& c : marked.corners)
        c -= mask.origin;
    {
        Canvas c(mask.bitmap);
        DrawFlatBand(c, marked);
    }
    BandGeometry geometry;
    geometry.length = band.width;
    geometry.theta = band.angle;
    geometry.lambda = BandLightAngle(lightDirection);
    geometry.refA = band.corners[0];
    geometry.refB = band.corners[1];
    ShadeBand(canvas, mask, geometry, band.brush.value_or(band.lineColor), band.lineColor, surface);
}

} // namespace vlm

#include "render/shapes.h"

#include "platform/canvas.h"
#include "render/dense_outline.h"
#include "render/draw_item.h"
#include "render/patterned_line.h"
#include "render/pens.h"
#include "render/polar.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

// Half of the Bezier circle constant: a quarter circle of radius r has its
// control points r * 0.5522847 away from the ends.
constexpr double kHalfKappa = 0.27614237;

// One arc point per 0.9 degrees of sweep.
constexpr double kArcStep = kPi / 200.0;

QPoint PerpendicularFoot(QPoint c, QPoint a, QPoint t)
{
    return PerpendicularFootOnto(c, a)(t);
}

} // namespace

std::vector<QPoint> EllipseBezier(QPoint c, QPoint a, QPoint t)
{
    const double theta = DirectionOf(c, a);
    const std::int32_t ra = Round(Distance(c, a));
    const std::int32_t rb = Round(Distance(t, PerpendicularFoot(c, a, t)));
    const std::int32_t kx = Round(2.0 * ra * kHalfKappa);
    const std::int32_t ky = Round(2.0 * rb * kHalfKappa);
    auto at = [&](std::int32_t ox, std::int32_t oy) { return QPoint(Offset(c.x(), ox), Offset(c.y(), oy)); };
    std::vector<QPoint> pts = {
        at(-ra, 0),   at(-ra, -ky), at(-kx, -rb), at(0, -rb), at(kx, -rb), at(ra, -ky), at(ra, 0),
        at(ra, ky),   at(kx, rb),   at(0, rb),    at(-kx, rb), at(-ra, ky), at(-ra, 0),
    };
    for (QPoint& p : pts)
        p = PolarPoint(c, DirectionOf(c, p) + theta, Distance(c, p));
    return pts;
}

std::vector<QPoint> PolygonVertices(QPoint c, QPoint v, int sides)
{
    if (sides < kMinSides || sides > kMaxSides)
        return {};
    const double rho = Distance(c, v);
    const double step = 2.0 * kPi / sides;
    double angle = DirectionOf(c, v);
    std::vector<QPoint> pts;
    pts.reserve(static_cast<std::size_t>(sides));
    pts.push_back(v);
    for (int k = 1; k < sides; ++k) {
        angle += step;
        pts.push_back(PolarPoint(c, angle, rho));
    }
    return pts;
}

std::vector<QPoint> StarVertices(QPoint c, QPoint s, QPoint i, int spikes)
{
    if (spikes < kMinSides || spikes > kMaxSides)
        return {};
    const double outer = Distance(c, s);
    const double inner = Distance(c, i);
    const double step = kPi / spikes;
    double angle = DirectionOf(c, s);
    std::vector<QPoint> pts;
    pts.reserve(2 * static_cast<std::size_t>(spikes));
    pts.push_back(s);
    for (int k = 1; k < 2 * spikes; ++k) {
        angle += step;
        pts.push_back(PolarPoint(c, angle, (k % 2) ? inner : outer));
    }
    return pts;
}

ArcSpan ArcSpanOf(QPoint c, QPoint s, QPoint e)
{
    ArcSpan span;
    span.start = DirectionOf(c, s);
    span.end = DirectionOf(c, e);
    if (span.start > span.end)
        span.end += 2.0 * kPi;
    span.sweep = span.end - span.start;
    if (span.sweep > 2.0 * kPi)
        span.sweep -= 2.0 * kPi;
    span.samples = std::max(2, Round(span.sweep / kArcStep));
    return span;
}

std::vector<QPoint> ArcPoints(QPoint c, QPoint s, QPoint e)
{
    const ArcSpan span = ArcSpanOf(c, s, e);
    const double rho = Distance(c, s);
    const int n = span.samples;
    const double step = span.sweep / (n - 1);

    std::vector<QPoint> pts;
    pts.reserve(static_cast<std::size_t>(n));
    pts.push_back(s);
    double angle = span.start;
    for (int k = 1; k <= n - 2; ++k) {
        angle += step;
        const QPoint p = PolarPoint(c, angle, rho);
        if (p != pts.back())
            pts.push_back(p);
    }
    pts.push_back(PolarPoint(c, span.end, rho));
    return pts;
}

int OutlineWidth(const DrawContext& ctx, const Item& item)
{
    return PenWidthAtZoom(ctx.zoom, item.rec.d.weight, ctx.metrics);
}

void SetShapePenAndBrush(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    const ColorRef line = ctx.paint(item.rec.d.lineColor);
    const std::int32_t fill = item.rec.d.fillColor;
    if (fill == kFillSolid) {
        canvas.setSolidBrush(line);
        canvas.setPen(line, 1);
        return;
    }
    if (fill == kFillClear)
        canvas.setHollowBrush();
    else
        canvas.setSolidBrush(ctx.paintFill(fill));
    canvas.setPen(line, OutlineWidth(ctx, item));
}

namespace {

// The i-th vertex on the canvas; the caller has checked that it exists.
QPoint VertexAt(const DrawContext& ctx, const Item& item, std::size_t i)
{
    return ctx.toCanvas(item.vertices[i].x, item.vertices[i].y);
}

} // namespace

void DrawLine(Canvas& canvas, const DrawContext& ctx, const Item& item, int surfaceLevel)
{
    const DrawingFields& d = item.rec.d;
    LineStroke stroke;
    stroke.lineColor = ctx.paint(d.lineColor);
    stroke.fill = (d.fillColor == kFillSolid || d.fillColor == kFillClear) ? d.fillColor : ctx.paintFill(d.fillColor);
    stroke.widthPx = LineWidthAtZoom(ctx.zoom, d.penWidth);
    stroke.outlinePx = PenWidthAtZoom(ctx.zoom, d.outlineWeight, ctx.metrics);
    stroke.weightMm = d.weight;
    stroke.outlineWeightMm = d.outlineWeight;
    stroke.surface = surfaceLevel;
    stroke.lightDirection = ctx.lightDirection;
    stroke.shader = ctx.effects ? ctx.effects->bandShader() : nullptr;
    const PatternTable pattern = ItemPattern(ctx.items, item, ctx.zoom, ctx.metrics);
    DrawPatternedLine(canvas, ctx.toCanvas(d.x1, d.y1), ctx.toCanvas(d.x2, d.y2), d.angle, pattern, stroke,
                      ctx.metrics);
}

void DrawCircle(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 2)
        return;
    const QPoint c = VertexAt(ctx, item, 0);
    const std::int32_t r = Round(Distance(c, VertexAt(ctx, item, 1)));
    SetShapePenAndBrush(canvas, ctx, item);
    canvas.ellipse(Offset(c.x(), -r), Offset(c.y(), -r), Offset(c.x(), r), Offset(c.y(), r));
}

void DrawEllipse(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 3)
        return;
    const std::vector<QPoint> pts =
        EllipseBezier(VertexAt(ctx, item, 0), VertexAt(ctx, item, 1), VertexAt(ctx, item, 2));
    const Path path = Path::bezierChain(pts, true);
    if (item.rec.d.fillColor == kFillClear) {
        canvas.setPen(ctx.paint(item.rec.d.lineColor), OutlineWidth(ctx, item));
        canvas.strokePath(path);
        return;
    }
    SetShapePenAndBrush(canvas, ctx, item);
    canvas.strokeAndFillPath(path);
}

namespace {

// A polygon or star with its pen and brush; corners that cannot change a
// pixel are left out first, so a million of them cost what the pixels do.
void DrawCorners(Canvas& canvas, const DrawContext& ctx, const Item& item, std::vector<QPoint> pts)
{
    if (pts.empty())
        return;
    const int pen = item.rec.d.fillColor == kFillSolid ? 1 : OutlineWidth(ctx, item);
    ThinOutClosedOutline(pts, canvas.width(), canvas.height(), pen);
    SetShapePenAndBrush(canvas, ctx, item);
    canvas.polygon(pts);
}

} // namespace

void DrawPolygon(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 2)
        return;
    DrawCorners(canvas, ctx, item,
                PolygonVertices(VertexAt(ctx, item, 0), VertexAt(ctx, item, 1), item.rec.d.sides));
}

namespace {

// A star whose spikes stand closer than the pixels: its outline covers the
// band between its radii, widened by the pen, and the fill the disc inside.
void DrawDenseStar(Canvas& canvas, const DrawContext& ctx, const Item& item, QPoint c, double inner,
                   double outer)
{
    const std::int32_t fill = item.rec.d.fillColor;
    const ColorRef line = ctx.paint(item.rec.d.lineColor);
    const int pen = fill == kFillSolid ? 1 : std::max(1, OutlineWidth(ctx, item));
    const double lo = std::min(inner, outer), hi = std::max(inner, outer);
    auto box = [&canvas, c](double r, bool asPen) {
        const int k = Round(r);
        // A pen is drawn about the box edge; a fill stays inside the box.
        const int extra = asPen ? 0 : 1;
        canvas.ellipse(Offset(c.x(), -k), Offset(c.y(), -k), Offset(c.x(), k + extra),
                       Offset(c.y(), k + extra));
    };
    if (fill != kFillClear) {
        canvas.setNullPen();
        canvas.setSolidBrush(fill == kFillSolid ? line : ctx.paint(fill));
        box(lo, false);
    }
    canvas.setHollowBrush();
    canvas.setPen(line, std::min(Canvas::kMaxPenWidth, Round(hi - lo) + pen));
    box((lo + hi) / 2.0, true);
}

} // namespace

void DrawStar(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 3)
        return;
    const QPoint c = VertexAt(ctx, item, 0);
    const double outer = Distance(c, VertexAt(ctx, item, 1)), inner = Distance(c, VertexAt(ctx, item, 2));
    const int spikes = item.rec.d.sides;
    if (spikes >= kMinSides && spikes <= kMaxSides && SpikesDenserThanPixels(inner, outer, spikes)) {
        DrawDenseStar(canvas, ctx, item, c, inner, outer);
        return;
    }
    DrawCorners(canvas, ctx, item,
                StarVertices(VertexAt(ctx, item, 0), VertexAt(ctx, item, 1), VertexAt(ctx, item, 2),
                             item.rec.d.sides));
}

void DrawPie(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 3)
        return;
    const QPoint c = VertexAt(ctx, item, 0);
    const QPoint s = VertexAt(ctx, item, 1);
    std::vector<QPoint> pts = ArcPoints(c, s, VertexAt(ctx, item, 2));
    pts.push_back(c);
    pts.push_back(s);
    SetShapePenAndBrush(canvas, ctx, item);
    canvas.polygon(pts);
}

void DrawArc(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.vertices.size() < 3)
        return;
    const std::vector<QPoint> pts =
        ArcPoints(VertexAt(ctx, item, 0), VertexAt(ctx, item, 1), VertexAt(ctx, item, 2));
    canvas.setPen(ctx.paint(item.rec.d.lineColor), OutlineWidth(ctx, item));
    canvas.setHollowBrush();
    canvas.polyline(pts);
}

} // namespace vlm

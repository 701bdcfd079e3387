#include "render/splines.h"

#include "platform/canvas.h"
#include "render/draw_item.h"
#include "render/polar.h"
#include "render/shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

QPoint PointOf(const Vertex& v)
{
    return {v.x, v.y};
}

// A control `length` away from `p` in direction `angle`, in document pixels.
void PlaceControl(std::int32_t (&control)[2], QPoint p, double length, double angle)
{
    control[0] = Round(p.x() + length * std::cos(angle));
    control[1] = Round(p.y() - length * std::sin(angle));
}

// The controls on both sides of `cur`: its outgoing one (cur's controlA) and
// its incoming one (prev's controlB).
void SmoothAt(Vertex& prev, Vertex& cur, const Vertex& next, double tension)
{
    const QPoint p = PointOf(cur);
    const double a = DirectionOf(p, PointOf(prev));
    const double b = DirectionOf(p, PointOf(next));
    double d = b - a;
    if (d < 0)
        d += 2.0 * kPi;
    const double bisector = a + d / 2.0;
    PlaceControl(cur.controlA, p, tension * Distance(p, PointOf(next)), bisector + kPi / 2.0);
    PlaceControl(prev.controlB, p, tension * Distance(PointOf(prev), p), bisector - kPi / 2.0);
}

bool IsClosedVariant(const Item& item)
{
    return item.rec.d.shapeVariant == VariantClosed || item.rec.d.shapeVariant == VariantSolid;
}

// How many vertices, from the first, own controls that a drawn segment uses:
// an open curve's last vertex starts no segment.
std::size_t VerticesWithSegments(const Item& item)
{
    const std::size_t n = item.vertices.size();
    if (item.rec.d.kind != KindCurve || n < 2)
        return 0;
    return IsClosedVariant(item) ? n : n - 1;
}

QPoint CanvasPoint(const DrawContext& ctx, std::int32_t x, std::int32_t y)
{
    return ctx.toCanvas(x, y);
}

// The stroke of a two-point figure: it has no inside, so "Solid" keeps to
// the thinnest pen like the outline of a solid shape.
void DrawTwoPointLine(Canvas& canvas, const DrawContext& ctx, const Item& item, QPoint a, QPoint b)
{
    const int width = item.rec.d.fillColor == -2 ? 1 : OutlineWidth(ctx, item);
    canvas.setPen(ctx.paint(item.rec.d.lineColor), width);
    canvas.setHollowBrush();
    canvas.line(a, b);
}

} // namespace

void SmoothInterior(Item& item)
{
    std::vector<Vertex>& v = item.vertices;
    const double t = item.rec.d.tension;
    for (std::size_t i = 1; i + 1 < v.size(); ++i)
        SmoothAt(v[i - 1], v[i], v[i + 1], t);
}

void SmoothOpenEnds(Item& item)
{
    std::vector<Vertex>& v = item.vertices;
    const std::size_t n = v.size();
    if (n < 2)
        return;
    const double t = item.rec.d.tension;
    const QPoint first = PointOf(v[0]), second = PointOf(v[1]);
    PlaceControl(v[0].controlA, first, t * Distance(first, second), DirectionOf(first, second));
    const QPoint last = PointOf(v[n - 1]), beforeLast = PointOf(v[n - 2]);
    PlaceControl(v[n - 2].controlB, last, t * Distance(beforeLast, last), DirectionOf(last, beforeLast));
}

void SmoothClosedEnds(Item& item)
{
    std::vector<Vertex>& v = item.vertices;
    const std::size_t n = v.size();
    if (n < 2)
        return;
    const double t = item.rec.d.tension;
    SmoothAt(v[n - 1], v[0], v[1], t);
    SmoothAt(v[n - 2], v[n - 1], v[0], t);
}

void SmoothCurve(Item& item)
{
    if (item.rec.d.kind == KindCurve) {
        SmoothInterior(item);
        if (IsClosedVariant(item))
            SmoothClosedEnds(item);
        else
            SmoothOpenEnds(item);
    }
    if (item.vertices.empty())
        return;
    std::int64_t left = item.vertices[0].x, right = left;
    std::int64_t top = item.vertices[0].y, bottom = top;
    auto take = [&](std::int64_t x, std::int64_t y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    };
    for (const Vertex& v : item.vertices)
        take(v.x, v.y);
    // Controls of no segment are stale (an open curve's last vertex keeps
    // whatever it had) and must not stretch the box.
    const std::size_t withSegments = VerticesWithSegments(item);
    for (std::size_t i = 0; i < withSegments; ++i) {
        take(item.vertices[i].controlA[0], item.vertices[i].controlA[1]);
        take(item.vertices[i].controlB[0], item.vertices[i].controlB[1]);
    }
    DrawingFields& d = item.rec.d;
    d.left = Clamp32(left);
    d.right = Clamp32(right);
    d.top = Clamp32(top);
    d.bottom = Clamp32(bottom);
    d.width = Clamp32(right - left);
    d.height = Clamp32(bottom - top);
}

std::vector<QPoint> CurveBezierPoints(const DrawContext& ctx, const Item& item)
{
    const std::vector<Vertex>& v = item.vertices;
    std::vector<std::size_t> kept; // vertices that do not land on the point before them
    std::vector<QPoint> points;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const QPoint p = CanvasPoint(ctx, v[i].x, v[i].y);
        if (!points.empty() && p == points.back())
            continue;
        kept.push_back(i);
        points.push_back(p);
    }
    std::vector<QPoint> chain;
    if (kept.empty())
        return chain;
    chain.reserve(3 * kept.size() + 1);
    for (std::size_t k = 0; k < kept.size(); ++k) {
        chain.push_back(points[k]);
        // A segment needs an end: the controls of the last kept vertex start
        // a segment only when the figure closes.
        if (k + 1 < kept.size()) {
            const Vertex& w = v[kept[k]];
            chain.push_back(CanvasPoint(ctx, w.controlA[0], w.controlA[1]));
            chain.push_back(CanvasPoint(ctx, w.controlB[0], w.controlB[1]));
        }
    }
    if (IsClosedVariant(item) && kept.size() > 1) {
        const Vertex& last = v.back();
        chain.push_back(CanvasPoint(ctx, last.controlA[0], last.controlA[1]));
        chain.push_back(CanvasPoint(ctx, last.controlB[0], last.controlB[1]));
        chain.push_back(points.front());
    }
    return chain;
}

void DrawSpline(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    const std::vector<Vertex>& v = item.vertices;
    if (v.size() < 2)
        return;
    std::vector<QPoint> pts;
    pts.reserve(v.size() + 1);
    for (const Vertex& w : v)
        pts.push_back(CanvasPoint(ctx, w.x, w.y));
    if (pts.size() == 2) {
        DrawTwoPointLine(canvas, ctx, item, pts[0], pts[1]);
        return;
    }
    const std::int32_t variant = item.rec.d.shapeVariant;
    if (variant == VariantSolid) {
        SetShapePenAndBrush(canvas, ctx, item);
        canvas.polygon(pts);
        return;
    }
    if (variant == VariantClosed && pts.back() != pts.front())
        pts.push_back(pts.front());
    canvas.setPen(ctx.paint(item.rec.d.lineColor), OutlineWidth(ctx, item));
    canvas.setHollowBrush();
    canvas.polyline(pts);
}

void DrawCurve(Canvas& canvas, const DrawContext& ctx, const Item& item, bool showGuides)
{
    const std::vector<Vertex>& v = item.vertices;
    if (v.size() < 2)
        return;
    if (v.size() == 2) {
        DrawTwoPointLine(canvas, ctx, item, CanvasPoint(ctx, v[0].x, v[0].y), CanvasPoint(ctx, v[1].x, v[1].y));
    } else {
        const std::vector<QPoint> chain = CurveBezierPoints(ctx, item);
        if (chain.size() > 1) {
            const ColorRef line = ctx.paint(item.rec.d.lineColor);
            const std::int32_t fill = item.rec.d.fillColor;
            if (item.rec.d.shapeVariant != VariantSolid) {
                canvas.setPen(line, OutlineWidth(ctx, item));
                canvas.setHollowBrush();
                canvas.polyBezier(chain);
            } else if (fill == -1) {
                canvas.setPen(line, OutlineWidth(ctx, item));
                canvas.strokePath(Path::bezierChain(chain, true));
            } else {
                SetShapePenAndBrush(canvas, ctx, item);
                canvas.strokeAndFillPath(Path::bezierChain(chain, true));
            }
        }
    }
    if (!showGuides)
        return;
    canvas.setPen(ctx.guideColor, 1, PenStyle::Dotted);
    for (std::size_t i = 1; i < v.size(); ++i)
        canvas.line(CanvasPoint(ctx, v[i - 1].x, v[i - 1].y), CanvasPoint(ctx, v[i].x, v[i].y));
}

QRect CreationPreviewRect(const Canvas& canvas, const DrawContext& ctx, const Item& item, int markerSize)
{
    const std::vector<Vertex>& v = item.vertices;
    if (v.empty())
        return {};
    QPoint first = CanvasPoint(ctx, v[0].x, v[0].y);
    int left = first.x(), right = left, top = first.y(), bottom = top;
    auto take = [&](QPoint p) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    };
    for (const Vertex& w : v)
        take(CanvasPoint(ctx, w.x, w.y));
    const std::size_t withSegments = VerticesWithSegments(item);
    for (std::size_t i = 0; i < withSegments; ++i) {
        take(CanvasPoint(ctx, v[i].controlA[0], v[i].controlA[1]));
        take(CanvasPoint(ctx, v[i].controlB[0], v[i].controlB[1]));
    }
    const int grow = std::clamp(std::max(markerSize / 2, OutlineWidth(ctx, item)), 0, DrawContext::kCanvasReach);
    const QRect box(QPoint(left - grow, top - grow), QPoint(right + grow, bottom + grow));
    return box & QRect(0, 0, canvas.width(), canvas.height());
}

void DrawCreationPreview(Canvas& canvas, const DrawContext& ctx, const Item& item, int markerSize,
                         const std::function<void()>& restore, const std::function<void(const QRect&)>& take)
{
    if (restore)
        restore();
    const QRect r = CreationPreviewRect(canvas, ctx, item, markerSize);
    if (take && !r.isEmpty())
        take(r);
    if (item.rec.d.kind == KindCurve)
        DrawCurve(canvas, ctx, item, true);
    else
        DrawSpline(canvas, ctx, item);
}

} // namespace vlm

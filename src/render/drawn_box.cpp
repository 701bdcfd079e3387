#include "render/drawn_box.h"

#include "platform/font.h"
#include "render/draw_item.h"
#include "render/pens.h"
#include "render/polar.h"
#include "render/shapes.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

std::vector<QPoint> VerticesOnCanvas(const DrawContext& ctx, const Item& item)
{
    std::vector<QPoint> pts;
    pts.reserve(item.vertices.size());
    for (const Vertex& v : item.vertices)
        pts.push_back(ctx.toCanvas(v.x, v.y));
    return pts;
}

} // namespace

std::vector<QPoint> ClipShadowOutline(const DrawContext& ctx, const Item& item, bool& round)
{
    const DrawingFields& d = item.rec.d;
    const int frame = d.framed ? PenWidthAtZoom(ctx.zoom, d.weight, ctx.metrics) : 0;
    const QPoint a = ctx.toCanvas(d.x1, d.y1);
    const QPoint b = ctx.toCanvas(d.x2, d.y2);
    round = d.clipShape == 2;
    if (round) {
        const int r = std::min<long long>(Round(Distance(a, b)) + static_cast<long long>(frame),
                                          DrawContext::kCanvasReach);
        return {QPoint(a.x() - r, a.y() - r), QPoint(a.x() + r, a.y() + r)};
    }
    const int left = std::min(a.x(), b.x()) - frame, right = std::max(a.x(), b.x()) + frame;
    const int top = std::min(a.y(), b.y()) - frame, bottom = std::max(a.y(), b.y()) + frame;
    std::vector<QPoint> corners = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    const double alpha = std::isfinite(d.rotation) ? d.rotation : 0.0;
    if (alpha != 0.0) {
        const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
        const double c = std::cos(alpha), s = std::sin(alpha);
        for (QPoint& p : corners) {
            // Positive angles turn counter-clockwise on the screen (y down).
            const double x = p.x() - cx, y = p.y() - cy;
            p = QPoint(Round(cx + c * x + s * y), Round(cy - s * x + c * y));
        }
    }
    return corners;
}

std::vector<QPoint> DrawnPoints(const DrawContext& ctx, const Item& item)
{
    const DrawingFields& d = item.rec.d;
    const auto vertex = [&](std::size_t i) { return ctx.toCanvas(item.vertices[i].x, item.vertices[i].y); };
    const std::size_t n = item.vertices.size();
    switch (d.kind) {
    case KindLine:
        return {ctx.toCanvas(d.x1, d.y1), ctx.toCanvas(d.x2, d.y2)};
    case KindCircle: {
        if (n < 2)
            return {};
        const QPoint c = vertex(0);
        const int r = std::min(Round(Distance(c, vertex(1))), DrawContext::kCanvasReach);
        return {QPoint(c.x() - r, c.y() - r), QPoint(c.x() + r, c.y() + r)};
    }
    case KindEllipse:
        return n < 3 ? std::vector<QPoint>{} : EllipseBezier(vertex(0), vertex(1), vertex(2));
    case KindPolygon:
        return n < 2 ? std::vector<QPoint>{} : PolygonVertices(vertex(0), vertex(1), d.sides);
    case KindStar:
        return n < 3 ? std::vector<QPoint>{} : StarVertices(vertex(0), vertex(1), vertex(2), d.sides);
    case KindPie:
    case KindArc: {
        if (n < 3)
            return {};
        std::vector<QPoint> pts = ArcPoints(vertex(0), vertex(1), vertex(2));
        if (d.kind == KindPie)
            pts.push_back(vertex(0));
        return pts;
    }
    case KindCurve:
        return n < 3 ? VerticesOnCanvas(ctx, item) : CurveBezierPoints(ctx, item);
    case KindText: {
        const TextBoxGeometry box = TextBox(item, TextSettingsOf(ctx));
        std::vector<QPoint> pts;
        for (const QPoint& c : box.corners)
            pts.push_back(ctx.toCanvas(c.x(), c.y()));
        return pts;
    }
    case KindClip: {
        bool round = false;
        return ClipShadowOutline(ctx, item, round);
    }
    default:
        return VerticesOnCanvas(ctx, item);
    }
}

std::vector<QPoint> TextLineOutline(const TextLinePlacement& line)
{
    const Font& font = *line.font;
    const int slack = font.averageCharWidth() / 2 + 1;
    const double width = font.textWidth(line.text) + 2.0 * slack;
    const double height = font.ascent() + font.descent();
    const QPoint start = PolarPoint(line.reference, line.angle + std::numbers::pi, slack);
    const QPoint end = PolarPoint(start, line.angle, width);
    const double down = line.angle - std::numbers::pi / 2.0;
    return {start, end, PolarPoint(end, down, height), PolarPoint(start, down, height)};
}

QRect BoundsOf(std::span<const QPoint> points)
{
    if (points.empty())
        return {};
    int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPoint& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace vlm

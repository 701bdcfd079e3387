#include "edit/hit_test.h"

#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/rounding.h"
#include "render/pens.h"
#include "render/shapes.h"
#include "render/splines.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

// Half the weight of a line or outline in document pixels, as its distance
// rule takes it off (nothing for weights of a pixel or less).
int WeightAllowance(const Item& item, const HitView& view)
{
    const double mm = item.rec.d.weight;
    const double px = std::isfinite(mm) ? mm * view.text.metrics.pxPerMmX : 0.0;
    const int w = std::abs(px) < 1e9 ? Round(px) : 0;
    return w > 1 ? w / 2 : 0;
}

// Lines and outlines count from their edge, not their middle: half the
// weight comes off, but a click never gets nearer than 1.
int WithWeight(int t, const Item& item, const HitView& view)
{
    const int allowance = WeightAllowance(item, view);
    return allowance > 0 ? std::max(1, t - allowance) : t;
}

// How far from the drawn middle a point may lie and still come within
// `limit` once `allowance` is taken off; unbounded for no limit.
double Reach(int limit, int allowance)
{
    return limit == kNoHit ? HUGE_VAL : double(limit) + double(allowance) + 1.0;
}

int FootTo(QPointF p, QPointF a, QPointF b)
{
    const auto t = FootDistance(p, a, b);
    return t ? Round(*t) : kNoHit;
}

int HalfPen(const Item& item, const HitView& view)
{
    return PenWidthAtZoom(view.zoom, item.rec.d.weight, view.text.metrics) / 2;
}

bool InsideConvex(QPointF p, const std::array<QPointF, 4>& q)
{
    int sign = 0;
    for (int i = 0; i < 4; ++i) {
        const QPointF a = q[i], b = q[(i + 1) % 4];
        const double c = (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
        const int s = c > 0 ? 1 : (c < 0 ? -1 : 0);
        if (s == 0)
            continue;
        if (sign != 0 && s != sign)
            return false;
        sign = s;
    }
    return true;
}

// Whether the canvas point lies in the text's box at the window's zoom: on
// the baseline from the first to the second point and as high as its lines.
bool InTextBox(const Item& item, QPoint canvas, const HitView& view)
{
    const DrawingFields& d = item.rec.d;
    const int lines = LineCount(item);
    if (lines < 1)
        return false;
    const auto font = MakeFont(item, Round(d.fontSize * view.zoom), false, view.text);
    if (!font)
        return false;
    const double h = double(lines) * font->ascent() + double(lines - 1) * (font->descent() + font->externalLeading());
    const QPointF a(ToCanvasX(view.zoom, view.originX, d.x1), ToCanvasY(view.zoom, view.originY, d.y1));
    const QPointF b(ToCanvasX(view.zoom, view.originX, d.x2), ToCanvasY(view.zoom, view.originY, d.y2));
    const double up = Direction(a.x(), a.y(), b.x(), b.y()) + kPi / 2;
    const std::array<QPointF, 4> box = {a, b, Polar(b, up, h), Polar(a, up, h)};
    return InsideConvex(ToF(canvas), box);
}

int TextDistance(const Item& item, QPoint p, QPoint canvas, const HitView& view)
{
    const DrawingFields& d = item.rec.d;
    int t = FootTo(ToF(p), ToF(FirstPoint(item)), ToF(SecondPoint(item)));
    if (t <= 1)
        return t;
    // The box needs a font; only clicks near the stored box can be inside it.
    const int padX = std::max(8, (d.right - d.left) / 4);
    const int padY = std::max(8, (d.bottom - d.top) / 4);
    const bool boxKnown = d.right > d.left || d.bottom > d.top;
    if (boxKnown && (p.x() < d.left - padX || p.x() > d.right + padX || p.y() < d.top - padY ||
                     p.y() > d.bottom + padY))
        return t;
    if (InTextBox(item, canvas, view))
        t = 1;
    return t;
}

int OutlineDistance(const Item& item, QPoint p, const HitView& view, int limit)
{
    const DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    const std::size_t first = FirstEdgeNode(d.kind);
    if (v.size() <= first)
        return kNoHit;
    const bool closed = d.shapeVariant == 1 || d.shapeVariant == 2;
    const QPointF pf = ToF(p);
    const double reach = Reach(limit, WeightAllowance(item, view));
    int best = kNoHit;
    const std::size_t n = v.size();
    const std::size_t segments = closed ? n - first : n - first - 1;
    for (std::size_t s = 0; s < segments; ++s) {
        const std::size_t i = first + s;
        const std::size_t j = i + 1 < n ? i + 1 : first;
        const Vertex& a = v[i];
        const Vertex& b = v[j];
        int t;
        if (d.kind == KindCurve && n > 2) {
            const QPointF c1(a.controlA[0], a.controlA[1]), c2(a.controlB[0], a.controlB[1]);
            // The curve stays inside the hull of its four points.
            const double lo = std::min({a.x, b.x, a.controlA[0], a.controlB[0]}) - reach;
            const double hi = std::max({a.x, b.x, a.controlA[0], a.controlB[0]}) + reach;
            const double top = std::min({a.y, b.y, a.controlA[1], a.controlB[1]}) - reach;
            const double bottom = std::max({a.y, b.y, a.controlA[1], a.controlB[1]}) + reach;
            if (pf.x() < lo || pf.x() > hi || pf.y() < top || pf.y() > bottom)
                continue;
            t = Round(BezierDistance(pf, ToF(VertexPoint(a)), c1, c2, ToF(VertexPoint(b))));
        } else {
            t = FootTo(pf, ToF(VertexPoint(a)), ToF(VertexPoint(b)));
        }
        if (t != kNoHit)
            best = std::min(best, WithWeight(t, item, view));
    }
    return best;
}

int EllipseDistance(const Item& item, QPoint p)
{
    const QPointF c = ToF(VertexPoint(item.vertices[0]));
    const QPointF end = ToF(VertexPoint(item.vertices[1]));
    const double a = std::hypot(end.x() - c.x(), end.y() - c.y());
    const double b = EllipseMinor(item);
    const QPointF pf = ToF(p);
    const double fromCentre = std::hypot(pf.x() - c.x(), pf.y() - c.y());
    if (Round(a) == Round(b))
        return std::abs(Round(fromCentre) - Round(a));
    const double major = std::max(a, b), minor = std::min(a, b);
    double axis = Direction(c.x(), c.y(), end.x(), end.y());
    if (b > a)
        axis += kPi / 2;
    const double f = std::sqrt(major * major - minor * minor);
    const QPointF f1 = Polar(c, axis, f), f2 = Polar(c, axis, -f);
    const double sum = std::hypot(pf.x() - f1.x(), pf.y() - f1.y()) + std::hypot(pf.x() - f2.x(), pf.y() - f2.y());
    const double diff = 2.0 * major - sum;
    return Round(std::min(diff * diff, 2.0e9));
}

int ArcDistance(const Item& item, QPoint p, double reach)
{
    const QPointF c = ToF(VertexPoint(item.vertices[0]));
    const QPointF s = ToF(VertexPoint(item.vertices[1]));
    const QPointF e = ToF(VertexPoint(item.vertices[2]));
    const QPointF pf = ToF(p);
    const double r = std::hypot(s.x() - c.x(), s.y() - c.y());
    int best = kNoHit;
    if (item.rec.d.kind == KindPie)
        best = std::min(FootTo(pf, c, s), FootTo(pf, c, e));
    // No sample can be nearer than the circle through them.
    const double radial = std::abs(std::hypot(pf.x() - c.x(), pf.y() - c.y()) - r);
    if (radial > reach)
        return best;
    const ArcAngles arc = ArcOf(c, s, e);
    const double alpha = arc.start, extent = arc.sweep;
    const int n = std::max(2, Round(extent / 0.015707963));
    double nearest = HUGE_VAL;
    for (int k = 1; k <= n - 2; ++k) {
        const QPointF q = Polar(c, alpha + k * extent / (n - 1), r);
        nearest = std::min(nearest, std::hypot(pf.x() - q.x(), pf.y() - q.y()));
    }
    if (nearest != HUGE_VAL)
        best = std::min(best, Round(nearest));
    return best;
}

int PictureDistance(const Item& item, QPoint p)
{
    const DrawingFields& d = item.rec.d;
    const QPointF pf = ToF(p);
    if (d.clipShape == 2) {
        const double r = std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1);
        return Round(std::abs(r - std::hypot(pf.x() - d.x1, pf.y() - d.y1)));
    }
    const auto corners = PictureCorners(item);
    int best = kNoHit;
    for (int i = 0; i < 4; ++i)
        best = std::min(best, FootTo(pf, corners[i], corners[(i + 1) % 4]));
    return best;
}

// A cubic Bezier segment as a polyline fine enough that no piece strays
// more than a fraction of a pixel from the curve.
void AppendBezier(std::vector<QPointF>& out, QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    const double hull = std::hypot(c1.x() - a.x(), c1.y() - a.y()) +
                        std::hypot(c2.x() - c1.x(), c2.y() - c1.y()) +
                        std::hypot(b.x() - c2.x(), b.y() - c2.y());
    const int steps = static_cast<int>(std::clamp(std::ceil(hull / 2.0), 8.0, 4096.0));
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps, u = 1.0 - t;
        out.push_back(u * u * u * a + 3.0 * u * u * t * c1 + 3.0 * u * t * t * c2 + t * t * t * b);
    }
}

// The outline of a circle, ellipse, pie or arc as it is drawn, as a polyline.
std::vector<QPointF> RoundOutline(const Item& item)
{
    const auto& v = item.vertices;
    std::vector<QPointF> out;
    if (v.size() < 2)
        return out;
    const QPoint c = VertexPoint(v[0]), first = VertexPoint(v[1]);
    switch (item.rec.d.kind) {
    case KindCircle:
    case KindEllipse: {
        QPoint side;
        if (item.rec.d.kind == KindEllipse && v.size() >= 3) {
            side = VertexPoint(v[2]);
        } else {
            // The circle's radius a quarter turn on from its rim point.
            const QPoint r = first - c;
            side = c + QPoint(r.y(), -r.x());
        }
        const std::vector<QPoint> b = EllipseBezier(c, first, side);
        if (b.empty())
            return out;
        out.push_back(ToF(b[0]));
        for (std::size_t i = 0; i + 3 < b.size(); i += 3)
            AppendBezier(out, ToF(b[i]), ToF(b[i + 1]), ToF(b[i + 2]), ToF(b[i + 3]));
        return out;
    }
    case KindPie:
    case KindArc: {
        if (v.size() < 3)
            return out;
        const bool pie = item.rec.d.kind == KindPie;
        if (pie)
            out.push_back(ToF(c));
        for (QPoint p : ArcPoints(c, first, VertexPoint(v[2])))
            out.push_back(ToF(p));
        if (pie)
            out.push_back(ToF(c));
        return out;
    }
    default:
        return out;
    }
}

int AfterPen(int t, const Item& item, const HitView& view)
{
    return t == kNoHit ? t : std::max(0, t - HalfPen(item, view));
}

} // namespace

int HitDistance(const Item& item, QPoint p, QPoint canvas, const HitView& view, int limit)
{
    const DrawingFields& d = item.rec.d;
    switch (d.kind) {
    case KindLine: {
        const int t = FootTo(ToF(p), ToF(FirstPoint(item)), ToF(SecondPoint(item)));
        return t == kNoHit ? t : WithWeight(t, item, view);
    }
    case KindText:
        return TextDistance(item, p, canvas, view);
    case KindCircle: {
        if (item.vertices.size() < 2)
            return kNoHit;
        const QPointF c = ToF(VertexPoint(item.vertices[0]));
        const QPointF rim = ToF(VertexPoint(item.vertices[1]));
        const double r = std::hypot(rim.x() - c.x(), rim.y() - c.y());
        const double fromCentre = std::hypot(p.x() - c.x(), p.y() - c.y());
        return AfterPen(Round(std::abs(fromCentre - r)), item, view);
    }
    case KindEllipse:
        return item.vertices.size() < 3 ? kNoHit : AfterPen(EllipseDistance(item, p), item, view);
    case KindPie:
    case KindArc:
        return item.vertices.size() < 3
                   ? kNoHit
                   : AfterPen(ArcDistance(item, p, Reach(limit, HalfPen(item, view))), item, view);
    case KindClip:
        return PictureDistance(item, p);
    default:
        if (IsPointListKind(d.kind))
            return OutlineDistance(item, p, view, limit);
        return kNoHit;
    }
}

bool IsAreaSelectable(std::int32_t kind)
{
    return kind == KindText || kind == KindLine || kind == KindClip || (kind >= KindTriangle && kind <= KindShapeRangeEnd);
}

bool InsideArea(const Item& item, const PixelRect& area)
{
    const DrawingFields& d = item.rec.d;
    const int l = std::min(+d.left, +d.right), r = std::max(+d.left, +d.right);
    const int t = std::min(+d.top, +d.bottom), b = std::max(+d.top, +d.bottom);
    return l >= area.left && r <= area.right && t >= area.top && b <= area.bottom;
}

bool PartlyInsideArea(const Item& item, const PixelRect& area, const TextSettings& text)
{
    if (InsideArea(item, area))
        return true;
    const QPointF corners[4] = {QPointF(area.left, area.top), QPointF(area.right, area.top),
                                QPointF(area.right, area.bottom), QPointF(area.left, area.bottom)};
    auto crosses = [&](QPointF a, QPointF b) {
        for (int i = 0; i < 4; ++i)
            if (SegmentsMeet(a, b, corners[i], corners[(i + 1) % 4]))
                return true;
        return false;
    };
    const DrawingFields& d = item.rec.d;
    if (d.kind == KindText) {
        const TextBoxGeometry box = TextBox(item, text);
        for (int i = 0; i < 4; ++i)
            if (crosses(ToF(box.corners[i]), ToF(box.corners[(i + 1) % 4])))
                return true;
        return false;
    }
    if (d.kind == KindClip && d.clipShape != 2) {
        const auto c = PictureCorners(item);
        for (int i = 0; i < 4; ++i)
            if (crosses(c[i], c[(i + 1) % 4]))
                return true;
        return false;
    }
    const std::int32_t k = d.kind;
    if (k == KindCircle || k == KindEllipse || k == KindPie || k == KindArc) {
        // By the outline as drawn: the stored nodes of these kinds are no
        // outline (a circle's lie on one quarter of it).
        const std::vector<QPointF> outline = RoundOutline(item);
        for (std::size_t i = 0; i + 1 < outline.size(); ++i)
            if (crosses(outline[i], outline[i + 1]))
                return true;
        return false;
    }
    if (IsPointListKind(d.kind) && !item.vertices.empty()) {
        const auto& v = item.vertices;
        for (std::size_t i = 0; i < v.size(); ++i)
            if (crosses(ToF(VertexPoint(v[i])), ToF(VertexPoint(v[(i + 1) % v.size()]))))
                return true;
        return false;
    }
    return crosses(ToF(FirstPoint(item)), ToF(SecondPoint(item)));
}

} // namespace vlm

#include "edit/item_geometry.h"

#include "edit/creation.h"
#include "model/geometry.h"
#include "model/item_list.h"
#include "model/rounding.h"
#include "render/pens.h"
#include "render/polar.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

double Cross(QPointF a, QPointF b, QPointF c)
{
    return (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
}

double Length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

QPointF NodeAt(const Item& item, std::size_t i, bool saved)
{
    const Vertex& v = item.vertices[i];
    return saved ? QPointF(v.savedX, v.savedY) : QPointF(v.x, v.y);
}

QPointF MeanOfNodes(const Item& item, bool saved)
{
    QPointF sum;
    for (std::size_t i = 0; i < item.vertices.size(); ++i)
        sum += NodeAt(item, i, saved);
    return item.vertices.empty() ? sum : sum / static_cast<double>(item.vertices.size());
}

double DirectionF(QPointF a, QPointF b)
{
    return Direction(a.x(), a.y(), b.x(), b.y());
}

void BoxOver(DrawingFields& d, double left, double top, double right, double bottom)
{
    d.left = Round(left);
    d.top = Round(top);
    d.right = Round(right);
    d.bottom = Round(bottom);
}

} // namespace

std::optional<double> FootDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double l2 = QPointF::dotProduct(ab, ab);
    if (l2 == 0.0)
        return Length(p - a);
    const double t = QPointF::dotProduct(p - a, ab) / l2;
    if (t < -1e-12 || t > 1.0 + 1e-12)
        return std::nullopt;
    return Length(p - (a + t * ab));
}

double SegmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double l2 = QPointF::dotProduct(ab, ab);
    const double t = l2 == 0.0 ? 0.0 : std::clamp(QPointF::dotProduct(p - a, ab) / l2, 0.0, 1.0);
    return Length(p - (a + t * ab));
}

double BezierDistance(QPointF p, QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    // Flat enough at this step for pointer distances of a few pixels on the
    // curves a page holds.
    constexpr int kSteps = 24;
    double best = Length(p - a);
    QPointF prev = a;
    for (int i = 1; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double u = 1.0 - t;
        const QPointF q = u * u * u * a + 3.0 * u * u * t * c1 + 3.0 * u * t * t * c2 + t * t * t * b;
        best = std::min(best, SegmentDistance(p, prev, q));
        prev = q;
    }
    return best;
}

bool SegmentsMeet(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const double d1 = Cross(c, d, a);
    const double d2 = Cross(c, d, b);
    const double d3 = Cross(a, b, c);
    const double d4 = Cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    auto within = [](QPointF p, QPointF q, QPointF r) {
        return std::min(p.x(), q.x()) <= r.x() && r.x() <= std::max(p.x(), q.x()) &&
               std::min(p.y(), q.y()) <= r.y() && r.y() <= std::max(p.y(), q.y());
    };
    return (d1 == 0 && within(c, d, a)) || (d2 == 0 && within(c, d, b)) || (d3 == 0 && within(a, b, c)) ||
           (d4 == 0 && within(a, b, d));
}

ArcAngles ArcOf(QPointF c, QPointF start, QPointF end)
{
    const double alpha = DirectionF(c, start);
    double beta = DirectionF(c, end);
    if (alpha > beta)
        beta += 2 * kPi;
    return {alpha, beta - alpha};
}

QPoint RotateAbout(QPoint p, QPointF c, double angle)
{
    const double dx = p.x() - c.x();
    const double dy = p.y() - c.y();
    const double cs = std::cos(angle);
    const double sn = std::sin(angle);
    return {Round(c.x() + dx * cs + dy * sn), Round(c.y() - dx * sn + dy * cs)};
}

QPointF ItemCentre(const Item& item, bool saved)
{
    const DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    switch (d.kind) {
    case KindLine:
    case KindText:
        if (saved)
            return QPointF((d.reference[0] + d.reference[2]) / 2.0, (d.reference[1] + d.reference[3]) / 2.0);
        return QPointF((d.x1 + d.x2) / 2.0, (d.y1 + d.y2) / 2.0);
    case KindClip:
        if (saved)
            return d.clipShape == 2 ? QPointF(d.reference[0], d.reference[1])
                                    : QPointF((d.reference[0] + d.reference[2]) / 2.0,
                                              (d.reference[1] + d.reference[3]) / 2.0);
        return d.clipShape == 2 ? QPointF(d.x1, d.y1) : QPointF((d.x1 + d.x2) / 2.0, (d.y1 + d.y2) / 2.0);
    case KindGroup:
        return saved ? QPointF(d.reference[0], d.reference[1]) : QPointF(d.x1, d.y1);
    case KindTriangle:
        if (v.size() >= 3) {
            const QPointF m = (NodeAt(item, 0, saved) + NodeAt(item, 1, saved)) / 2.0;
            return m + (NodeAt(item, 2, saved) - m) / 3.0;
        }
        return MeanOfNodes(item, saved);
    case KindSquare:
    case KindRectangle:
        if (v.size() >= 3)
            return (NodeAt(item, 0, saved) + NodeAt(item, 2, saved)) / 2.0;
        return MeanOfNodes(item, saved);
    case KindCircle:
    case KindEllipse:
    case KindPolygon:
    case KindStar:
    case KindPie:
    case KindArc:
        return v.empty() ? QPointF() : NodeAt(item, 0, saved);
    default:
        return MeanOfNodes(item, saved);
    }
}

double RotationDirection(const Item& item)
{
    const DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    const QPointF c = ItemCentre(item);
    switch (d.kind) {
    case KindLine:
    case KindText:
        return Direction(d.x1, d.y1, d.x2, d.y2) - kPi / 2;
    case KindClip:
        return d.rotation - kPi / 2;
    case KindGroup:
        return d.angle - kPi / 2;
    case KindSquare:
    case KindRectangle:
        return v.size() >= 2 ? DirectionF(NodeAt(item, 0, false), NodeAt(item, 1, false)) - kPi / 2 : -kPi / 2;
    case KindPie:
    case KindArc: {
        if (v.size() < 3)
            return 0.0;
        const ArcAngles arc = ArcOf(c, NodeAt(item, 1, false), NodeAt(item, 2, false));
        return arc.start + arc.sweep / 2;
    }
    case KindPolygon:
    case KindStar:
    case KindEllipse:
        return v.size() >= 2 ? DirectionF(c, NodeAt(item, 1, false)) : 0.0;
    default:
        return v.empty() ? 0.0 : DirectionF(c, NodeAt(item, 0, false));
    }
}

namespace {

std::array<QPointF, 4> CornersOf(double x1, double y1, double x2, double y2, double rotation)
{
    const QPointF c((x1 + x2) / 2.0, (y1 + y2) / 2.0);
    const double l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
    std::array<QPointF, 4> corners = {QPointF(l, t), QPointF(r, t), QPointF(r, b), QPointF(l, b)};
    if (rotation != 0.0) {
        const double cs = std::cos(rotation), sn = std::sin(rotation);
        for (QPointF& p : corners) {
            const double dx = p.x() - c.x(), dy = p.y() - c.y();
            p = QPointF(c.x() + dx * cs + dy * sn, c.y() - dx * sn + dy * cs);
        }
    }
    return corners;
}

} // namespace

std::array<QPointF, 4> PictureCorners(const Item& item)
{
    const DrawingFields& d = item.rec.d;
    return CornersOf(d.x1, d.y1, d.x2, d.y2, d.rotation);
}

std::array<QPointF, 4> SavedPictureCorners(const Item& item)
{
    const DrawingFields& d = item.rec.d;
    return CornersOf(d.reference[0], d.reference[1], d.reference[2], d.reference[3], d.rotationAtGrab);
}

double EllipseMinor(const Item& item)
{
    if (item.vertices.size() < 3)
        return 0.0;
    const QPointF c = NodeAt(item, 0, false), a = NodeAt(item, 1, false), t = NodeAt(item, 2, false);
    const double len = Length(a - c);
    return len == 0.0 ? Length(t - c) : std::abs(Cross(c, a, t)) / len;
}

namespace {

void BoxAround(DrawingFields& d, QPoint c, int half)
{
    d.left = Offset(c.x(), -half);
    d.top = Offset(c.y(), -half);
    d.right = Offset(c.x(), half);
    d.bottom = Offset(c.y(), half);
}

// The box of the kinds built round a centre, as their creation makes it.
void CentredBox(Item& item, const TextSettings& text, int markerSize, double zoom)
{
    DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    const QPoint c = VertexPoint(v[0]), second = VertexPoint(v[1]);
    switch (d.kind) {
    case KindEllipse: {
        const int half = std::max(Round(Distance(c, second) + 1), Round(EllipseMinor(item) + 1));
        BoxAround(d, c, half);
        d.angle = DirectionOf(c, second);
        break;
    }
    case KindStar:
        // The inner points are the odd corners, the first one right after the tip.
        BoxAround(
            d, c,
            std::max(Round(Distance(c, second)), v.size() > 2 ? Round(Distance(c, VertexPoint(v[2]))) : 0));
        break;
    case KindPie:
        if (v.size() >= 3) {
            const int outline = PenWidthAtZoom(zoom, d.weight, text.metrics);
            const Box b = PieBox(c, second, VertexPoint(v[2]), std::max(markerSize / 2, outline));
            d.left = b.left;
            d.top = b.top;
            d.right = b.right;
            d.bottom = b.bottom;
            break;
        }
        BoxAround(d, c, Round(Distance(c, second)));
        break;
    default: // circle, polygon, arc
        BoxAround(d, c, Round(Distance(c, second)));
        break;
    }
}

} // namespace

void RecomputeGeometry(Item& item, const TextSettings& text, int markerSize, double zoom)
{
    DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    switch (d.kind) {
    case KindText:
        d.angle = Direction(d.x1, d.y1, d.x2, d.y2);
        UpdateTextBox(item, text);
        d.length = Round(std::hypot(double(d.width), double(d.height)));
        RealsFromIntegers(item, text.metrics);
        return;
    case KindGroup:
        return;
    case KindClip:
        if (d.clipShape == 2) {
            const int r = Round(std::hypot(double(d.x1) - d.x2, double(d.y1) - d.y2));
            BoxOver(d, d.x1 - r, d.y1 - r, d.x1 + r, d.y1 + r);
        } else {
            BoxOver(d, std::min(+d.x1, +d.x2), std::min(+d.y1, +d.y2), std::max(+d.x1, +d.x2), std::max(+d.y1, +d.y2));
        }
        break;
    case KindLine:
        BoxOver(d, std::min(+d.x1, +d.x2), std::min(+d.y1, +d.y2), std::max(+d.x1, +d.x2), std::max(+d.y1, +d.y2));
        break;
    case KindCircle:
    case KindEllipse:
    case KindPolygon:
    case KindStar:
    case KindPie:
    case KindArc:
        if (v.size() < 2)
            return;
        CentredBox(item, text, markerSize, zoom);
        d.x1 = d.left;
        d.y1 = d.top;
        d.x2 = d.right;
        d.y2 = d.bottom;
        break;
    default: {
        if (v.empty())
            return;
        if (d.kind == KindCurve) {
            SmoothCurve(item);
        } else {
            int l = v[0].x, t = v[0].y, r = v[0].x, b = v[0].y;
            for (const Vertex& n : v) {
                l = std::min(l, n.x);
                r = std::max(r, n.x);
                t = std::min(t, n.y);
                b = std::max(b, n.y);
            }
            d.left = l;
            d.top = t;
            d.right = r;
            d.bottom = b;
        }
        d.x1 = d.left;
        d.y1 = d.top;
        d.x2 = d.right;
        d.y2 = d.bottom;
        break;
    }
    }
    d.width = Clamp32(std::int64_t{d.right} - d.left);
    d.height = Clamp32(std::int64_t{d.bottom} - d.top);
    // An ellipse keeps the length of its first axis, as made.
    d.length = d.kind == KindEllipse ? Round(2 * Distance(VertexPoint(v[0]), VertexPoint(v[1])))
                                     : Round(std::hypot(double(d.width), double(d.height)));
    // Lines draw along their angle and ellipses along their first axis; the
    // other kinds keep what they were made with.
    if (d.kind == KindLine)
        d.angle = Direction(d.x1, d.y1, d.x2, d.y2);
    RealsFromIntegers(item, text.metrics);
}

void SaveDragOrigin(Item& item)
{
    DrawingFields& d = item.rec.d;
    d.reference[0] = d.x1;
    d.reference[1] = d.y1;
    d.reference[2] = d.x2;
    d.reference[3] = d.y2;
    // A group keeps its turn in `angle`; a drag that is called off needs it back.
    d.rotationAtGrab = d.kind == KindGroup ? d.angle : d.rotation;
    for (Vertex& n : item.vertices) {
        n.savedX = n.x;
        n.savedY = n.y;
        std::copy(std::begin(n.controlA), std::end(n.controlA), n.savedControlA);
        std::copy(std::begin(n.controlB), std::end(n.controlB), n.savedControlB);
    }
}

void RestoreDragOrigin(Item& item)
{
    DrawingFields& d = item.rec.d;
    d.x1 = d.reference[0];
    d.y1 = d.reference[1];
    d.x2 = d.reference[2];
    d.y2 = d.reference[3];
    (d.kind == KindGroup ? d.angle : d.rotation) = d.rotationAtGrab;
    for (Vertex& n : item.vertices) {
        n.x = n.savedX;
        n.y = n.savedY;
        std::copy(std::begin(n.savedControlA), std::end(n.savedControlA), n.controlA);
        std::copy(std::begin(n.savedControlB), std::end(n.savedControlB), n.controlB);
    }
}

} // namespace vlm

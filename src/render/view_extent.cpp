#include "render/view_extent.h"

#include "model/rounding.h"
#include "render/pens.h"
#include "render/shadows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vlm {

bool Touches(const PixelRect& a, const PixelRect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

PixelRect Unite(const PixelRect& a, const PixelRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

PixelRect Normalized(const PixelRect& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

PixelRect Grown(const PixelRect& r, int by)
{
    const auto add = [](int v, int d) { return Clamp32(std::int64_t{v} + d); };
    return {add(r.left, -by), add(r.top, -by), add(r.right, by), add(r.bottom, by)};
}

bool IsDrawnKind(std::int32_t kind)
{
    return IsEditableKind(kind);
}

bool HasShadow(const Item& item)
{
    const DrawingFields& d = item.rec.d;
    if (d.shadowElevation == 0)
        return false;
    return d.kind != KindClip || d.shadowLightness != 0;
}

namespace {

PixelRect BoxOf(const Item& item)
{
    const DrawingFields& d = item.rec.d;
    return Normalized({d.left, d.top, d.right, d.bottom});
}

// A weight read from a damaged record may be anything; no allowance is
// bigger than the canvas could show.
double SaneWeight(double mm)
{
    return std::isfinite(mm) ? std::clamp(mm, 0.0, 10000.0) : 0.0;
}

} // namespace

PixelRect PaintExtent(const Item& item, const ScreenMetrics& metrics)
{
    const PixelRect box = BoxOf(item);
    if (item.rec.d.kind == KindText)
        return box;
    const int w = Round(SaneWeight(item.rec.d.weight) * metrics.pxPerMmX);
    return w > 1 ? Grown(box, w) : box;
}

PixelRect RepaintExtent(const Item& item, const ScreenMetrics& metrics, int lightDirection)
{
    PixelRect e = BoxOf(item);
    if (item.rec.d.framed)
        e = Grown(e, PenWidthAtZoom(1.0, SaneWeight(item.rec.d.weight), metrics));
    return GrownByShadowReach(e, item, metrics, lightDirection);
}

namespace {

// Liang-Barsky: does the segment enter the (inclusive) rectangle?
bool SegmentMeetsRect(double x0, double y0, double x1, double y1, const PixelRect& r)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - r.left, r.right - x0, y0 - r.top, r.bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool InsidePolygon(const std::vector<Vertex>& v, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const double yi = v[i].y, yj = v[j].y;
        if ((yi > y) != (yj > y)) {
            const double xCross = v[i].x + (y - yi) * (v[j].x - v[i].x) / (yj - yi);
            if (x < xCross)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

bool OutlineTouches(const Item& item, const PixelRect& rect, const ScreenMetrics& metrics)
{
    const DrawingFields& d = item.rec.d;
    // Half the pen on either side of the geometric outline, and a pixel for rounding.
    const int half = PenWidthAtZoom(1.0, SaneWeight(d.weight), metrics) / 2 + 1;
    const PixelRect r = Grown(Normalized(rect), half);
    switch (d.kind) {
    case KindLine:
        return SegmentMeetsRect(d.x1, d.y1, d.x2, d.y2, r);
    case KindTriangle:
    case KindSquare:
    case KindRectangle: {
        const auto& v = item.vertices;
        if (v.size() < 2)
            return true;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Vertex& a = v[i];
            const Vertex& b = v[(i + 1) % v.size()];
            if (SegmentMeetsRect(a.x, a.y, b.x, b.y, r))
                return true;
        }
        // Away from the outline only a fill can reach the rectangle; only the
        // solid variant of these shapes is filled.
        return d.shapeVariant == 2 && d.fillColor != kFillClear &&
               InsidePolygon(v, (rect.left + rect.right) / 2.0, (rect.top + rect.bottom) / 2.0);
    }
    default:
        return true;
    }
}

} // namespace vlm

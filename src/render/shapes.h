#pragma once

// Lines, arcs and the basic closed shapes: their geometry in canvas pixels,
// and their drawing through the fill-and-outline rule.

#include "model/item.h"

#include <QPoint>

#include <vector>

namespace vlm {

class Canvas;
struct DrawContext;

// Polygons and stars are drawn only with this many sides or spikes.
inline constexpr int kMinSides = 3;
inline constexpr int kMaxSides = 1024000;

// The 13 points of the four Bezier segments of an ellipse with centre c, the
// end of its first axis a, and a point t whose distance from that axis is the
// second semi-axis. The curve starts and ends on the first axis.
std::vector<QPoint> EllipseBezier(QPoint c, QPoint a, QPoint t);

// The corners of a regular polygon with centre c and first corner v;
// empty unless kMinSides <= sides <= kMaxSides.
std::vector<QPoint> PolygonVertices(QPoint c, QPoint v, int sides);

// The 2 * spikes corners of a star with centre c, the tip of its first spike
// s and a point i at its inner radius; the inner corners lie halfway between
// the spikes whatever the direction of i. Empty unless the spike count is in
// kMinSides..kMaxSides.
std::vector<QPoint> StarVertices(QPoint c, QPoint s, QPoint i, int spikes);

// The sweep of an arc with centre c from s counter-clockwise to the
// direction of e: its start and end directions (end >= start, end - start <=
// 2 pi) and how many samples it takes, one per 0.9 degrees, at least 2.
struct ArcSpan {
    double start = 0.0;
    double end = 0.0;
    double sweep = 0.0;
    int samples = 2;
};
ArcSpan ArcSpanOf(QPoint c, QPoint s, QPoint e);

// The arc of radius |cs| from s counter-clockwise to the direction of e, one
// point per 0.9 degrees of sweep; consecutive equal points are dropped.
std::vector<QPoint> ArcPoints(QPoint c, QPoint s, QPoint e);

// Sets pen and brush for a closed shape: "Solid" fills with the line colour
// and outlines with one pixel, so the shape keeps its geometric size; "Clear"
// draws only the outline; a colour fills with it inside the outline.
void SetShapePenAndBrush(Canvas& canvas, const DrawContext& ctx, const Item& item);

// The outline width of a shape at the context's zoom.
int OutlineWidth(const DrawContext& ctx, const Item& item);

// The flat renderers, one per kind.
void DrawLine(Canvas& canvas, const DrawContext& ctx, const Item& item, int surfaceLevel);
void DrawCircle(Canvas& canvas, const DrawContext& ctx, const Item& item);
void DrawEllipse(Canvas& canvas, const DrawContext& ctx, const Item& item);
void DrawPolygon(Canvas& canvas, const DrawContext& ctx, const Item& item);
void DrawStar(Canvas& canvas, const DrawContext& ctx, const Item& item);
void DrawPie(Canvas& canvas, const DrawContext& ctx, const Item& item);
void DrawArc(Canvas& canvas, const DrawContext& ctx, const Item& item);

} // namespace vlm

#pragma once

// Splines (straight segments through their points) and curves (a chain of
// cubic Bezier segments through their points). A curve's controls are derived
// from its points: the smoothing below runs after every change of the points
// or of the shape variant, and the control of vertex i belong to the segment
// from vertex i to the next (for closed and oblong curves the last vertex's
// controls to the closing segment).
//
// Triangles, squares and rectangles are drawn as splines.

#include "model/item.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

namespace vlm {

class Canvas;
struct DrawContext;

// Shape variants of splines and curves.
enum ShapeVariant : std::int32_t { VariantOpen = 0, VariantClosed = 1, VariantSolid = 2 };

// Controls around every point that has two neighbours: the tangent is
// perpendicular to the bisector of the angle the neighbours make, and each
// control lies `tension` times its segment's length from the point.
void SmoothInterior(Item& item);
// Open curves: the first and last segments leave their end points along the
// straight line to the neighbour.
void SmoothOpenEnds(Item& item);
// Closed curves: the first and last points smoothed as interior points of
// the ring.
void SmoothClosedEnds(Item& item);
// All of the above as the shape variant asks, then the bounding box over the
// points and the controls that belong to a drawn segment.
void SmoothCurve(Item& item);

// The Bezier chain DrawCurve draws, in canvas pixels: each vertex's point
// followed by its controls, a vertex landing on the previous point merged
// into it, and for closed shapes the closing segment back to the first point.
std::vector<QPoint> CurveBezierPoints(const DrawContext& ctx, const Item& item);

void DrawSpline(Canvas& canvas, const DrawContext& ctx, const Item& item);
// `showGuides` adds dotted lines between consecutive points, in the guide
// colour, as shown while a curve is being placed.
void DrawCurve(Canvas& canvas, const DrawContext& ctx, const Item& item, bool showGuides);

// The canvas rectangle a spline or curve being created covers: its points
// (and a curve's controls) grown by the larger of half the marker size and
// the pen width, clipped to the canvas.
QRect CreationPreviewRect(const Canvas& canvas, const DrawContext& ctx, const Item& item, int markerSize);

// The preview drawn while the points of a new spline or curve are placed:
// the previous preview is taken off (`restore`), the pixels it will cover are
// saved (`take`), then the Item is drawn, a curve with its guides. The view
// owns the saved pixels; `item` carries the style the new Item will get.
void DrawCreationPreview(Canvas& canvas, const DrawContext& ctx, const Item& item, int markerSize,
                         const std::function<void()>& restore, const std::function<void(const QRect&)>& take);

} // namespace vlm

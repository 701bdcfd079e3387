#pragma once

// The plane geometry the selection tools share: distances to segments and
// Bezier segments, the centre and rotation direction of every kind, and the
// box, size and angle an Item keeps after its points moved. Everything here
// works in document pixels unless a name says otherwise.

#include "model/item.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <QPoint>
#include <QPointF>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace vlm {

// Kinds whose geometry is the vertex list (triangle to curve).
inline bool IsPointListKind(std::int32_t kind) { return kind >= KindTriangle && kind <= KindShapeRangeEnd; }
// Polygons and stars keep their centre as the first node; it is no edge point.
inline std::size_t FirstEdgeNode(std::int32_t kind) { return (kind == KindPolygon || kind == KindStar) ? 1 : 0; }
inline bool IsRoundClip(const Item& item) { return item.rec.d.kind == KindClip && item.rec.d.clipShape == 2; }

inline QPointF ToF(QPoint p) { return QPointF(p.x(), p.y()); }
inline QPoint VertexPoint(const Vertex& v) { return {v.x, v.y}; }
inline QPoint SavedPoint(const Vertex& v) { return {v.savedX, v.savedY}; }
inline QPoint FirstPoint(const Item& item) { return {item.rec.d.x1, item.rec.d.y1}; }
inline QPoint SecondPoint(const Item& item) { return {item.rec.d.x2, item.rec.d.y2}; }

// Distance from p to the segment ab, counted only when the foot of the
// perpendicular lies on the segment (a zero-length segment: the distance to
// its point). Nothing otherwise.
std::optional<double> FootDistance(QPointF p, QPointF a, QPointF b);
// Distance from p to the segment ab, to the nearer end when the foot lies
// outside it.
double SegmentDistance(QPointF p, QPointF a, QPointF b);
// Distance from p to the cubic Bezier segment (a, c1, c2, b).
double BezierDistance(QPointF p, QPointF a, QPointF c1, QPointF c2, QPointF b);
// Whether the segments ab and cd meet (touching counts).
bool SegmentsMeet(QPointF a, QPointF b, QPointF c, QPointF d);

// The point `r` away from `c` in direction `angle` (radians, y up), unrounded.
inline QPointF Polar(QPointF c, double angle, double r)
{
    return {c.x() + std::cos(angle) * r, c.y() - std::sin(angle) * r};
}
// The arc from the direction of `start` counter-clockwise to the direction
// of `end` about `c`: its first direction and its sweep (0 <= sweep < 2 pi).
struct ArcAngles {
    double start = 0.0;
    double sweep = 0.0;
};
ArcAngles ArcOf(QPointF c, QPointF start, QPointF end);

// `p` turned by `angle` about `c`, rounded.
QPoint RotateAbout(QPoint p, QPointF c, double angle);

// The centre a kind turns about and is moved by (Markers 7 and 5), from the
// current points or from the saved ones.
QPointF ItemCentre(const Item& item, bool saved = false);
// The direction the rotation dot of a point-list Item lies in.
double RotationDirection(const Item& item);

// The four corners of a rectangular picture, top-left first and clockwise on
// the screen, turned by its rotation about the box centre.
std::array<QPointF, 4> PictureCorners(const Item& item);
// The same, from the saved first and second point and the rotation at grab.
std::array<QPointF, 4> SavedPictureCorners(const Item& item);

// Second half-axis of an ellipse: the distance of node 3 from the first axis.
double EllipseMinor(const Item& item);

// After the points of an Item moved: its box (by the rules its creation
// follows; a pie's allows for its outline at `zoom`), first and second point
// where they follow the nodes, size, length, angle and real coordinates.
// Texts also get their text box.
void RecomputeGeometry(Item& item, const TextSettings& text, int markerSize, double zoom = 1.0);

// The current geometry becomes the saved one a drag computes from.
void SaveDragOrigin(Item& item);
// The saved geometry becomes the current one again (a drag called off).
void RestoreDragOrigin(Item& item);

} // namespace vlm

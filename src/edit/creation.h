#pragma once

// The geometry of new Items, built from the clicks of a creation sequence.
// Everything is in document pixels with y pointing down; directions are
// radians counter-clockwise as if y pointed up (Direction of geometry.h).

#include <QPoint>

#include <array>
#include <vector>

namespace vlm {

// The line-direction rule: `end` brought onto the line through `start` at
// `degrees` (a preset direction >= 0). Along the axes the end keeps the
// start's y (0, 180) or x (90, 270); steep directions keep the end's y and
// move its x, shallow ones keep its x and move its y. A negative direction
// leaves `end` as it is.
QPoint ApplyPresetDirection(QPoint start, QPoint end, double degrees);

// P1, P2, then P2 and P1 moved |P1P2| a quarter turn counter-clockwise from
// the direction P1 -> P2: on the screen the square lies left of P1 -> P2.
std::array<QPoint, 4> SquareCorners(QPoint p1, QPoint p2);

// The last two corners of a rectangle with the first side P1 -> P2: the
// pointer brought onto the perpendicular through P2 (by the line-direction
// rule), and that point moved back by P2 - P1.
std::array<QPoint, 2> RectangleLastCorners(QPoint p1, QPoint p2, QPoint pointer);

// Centre, rim point R, the point one radius from R at right angles to the
// radius, and the rim point a quarter turn further.
std::array<QPoint, 4> CircleNodes(QPoint centre, QPoint rim);

// Centre, R, then `sides` corners at radius |CR| going round from R in
// steps of 1/sides turn, the last on R. Centre and R only when the count is
// outside 3..1024000.
std::vector<QPoint> PolygonNodes(QPoint centre, QPoint rim, int sides);

// Centre, spike tip S, then 2 * spikes corners from the direction C -> S in
// steps of half a spike, at |CK| for odd and |CS| for even ones (the last
// on S). Centre and S only when the count is outside 3..1024000.
std::vector<QPoint> StarNodes(QPoint centre, QPoint inner, QPoint tip, int spikes);

// The end of a pie or arc: the centre moved |CS| towards `pointer`.
QPoint ArcEnd(QPoint centre, QPoint start, QPoint pointer);

// The bounding box of a pie: C, S and its arc sampled every 0.9 degrees
// (at least two samples) at radius |CS| + 1, grown by one pixel and then by
// `allowance` (the larger of half the Marker box and the outline width).
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
Box PieBox(QPoint centre, QPoint start, QPoint end, int allowance);

// An ellipse from its centre, the end of its first axis and a point giving
// the half width; the longer axis becomes the first one.
struct EllipseNodes {
    QPoint centre;
    QPoint length; // end of the length (longer) axis
    QPoint width;  // the third click, or the end of the width axis after an exchange
    double angle = 0.0;    // direction centre -> length
    int storedLength = 0;  // 2 * |CL| as clicked
    int halfExtent = 0;    // max(a, b): the bounding box is centre +- this
};
EllipseNodes MakeEllipse(QPoint centre, QPoint lengthPoint, QPoint widthPoint);

// A text baseline from its start and end, with the stored angle in tenths of
// a degree. `presetAngle` < 0 takes the angle of the dragged baseline;
// otherwise the end is brought onto that direction and start and end are
// swapped when the result would read against it.
struct TextBaseline {
    QPoint start;
    QPoint end;
    int angle = 0;
};
TextBaseline TextFromClicks(QPoint start, QPoint end, int presetAngle);

// A text started by typing at `at`: no angle when `presetDirection` < 0,
// else `presetAngle`, with the end one character width along it.
TextBaseline TextFromTyping(QPoint at, int presetDirection, int presetAngle, int firstCharWidth);

} // namespace vlm

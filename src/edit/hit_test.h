#pragma once

// How far a click lies from each kind's outline, and the area tests of the
// Ctrl and Shift + Ctrl drags. Distances are whole document pixels; the text
// box of a click is tested on the canvas, the area tests measure texts at
// zoom 1.

#include "model/item.h"
#include "render/text_render.h"
#include "render/units.h"

#include <QPoint>

#include <climits>

namespace vlm {

// What the distance rule needs from the window.
struct HitView {
    double zoom = 1.0;
    int originX = 0;
    int originY = 0;
    TextSettings text;
};

// Returned for an Item the click cannot hit (a group, a record that is not
// drawn, a point beside every segment whose perpendicular foot misses).
inline constexpr int kNoHit = INT_MAX;

// The distance t of the click (document point `p`, canvas point `canvas`)
// from the Item's outline, with the weight and pen allowances of its kind.
// Distances above `limit` may be reported as kNoHit without being worked out.
int HitDistance(const Item& item, QPoint p, QPoint canvas, const HitView& view, int limit = kNoHit);

// The hit tolerance: the Marker box width plus 2, in document pixels.
inline int HitTolerance(int markerWidth) { return markerWidth + 2; }

// Kinds an area drag can select: texts, lines, pictures and the shapes.
bool IsAreaSelectable(std::int32_t kind);
// The Item's bounding box lies within `area` (edges inclusive).
bool InsideArea(const Item& item, const PixelRect& area);
// InsideArea, or the Item's outline crosses one of the area's edges.
bool PartlyInsideArea(const Item& item, const PixelRect& area, const TextSettings& text);

} // namespace vlm

#pragma once

// How far an Item reaches on the page, for deciding what a partial repaint
// must cover: rectangles in document pixels with inclusive edges, the cheap
// box tests and the finer outline test used once a box says "maybe".

#include "model/item.h"
#include "model/screen_metrics.h"
#include "render/units.h"

namespace vlm {

// Edges inclusive: rectangles that only share an edge touch.
bool Touches(const PixelRect& a, const PixelRect& b);
PixelRect Unite(const PixelRect& a, const PixelRect& b);
// Left <= right and top <= bottom.
PixelRect Normalized(const PixelRect& r);
PixelRect Grown(const PixelRect& r, int by);

// Kinds that put pixels on the canvas.
bool IsDrawnKind(std::int32_t kind);
// Whether the Item casts a shadow: any elevation; a Clip also needs a
// lightness, as a lightness of 0 leaves its shadow out.
bool HasShadow(const Item& item);

// The Item's area for painting: its bounding box, grown on every side by its
// weight in pixels when that is above 1. For texts the bounding box is the
// one their text box keeps up to date.
PixelRect PaintExtent(const Item& item, const ScreenMetrics& metrics);

// The Item's area for widening a partial repaint: the bounding box, grown by
// the frame of a framed Item and by its ShadowReach (shadows.h) on the two
// sides away from the light.
PixelRect RepaintExtent(const Item& item, const ScreenMetrics& metrics, int lightDirection);

// Whether the Item's outline meets the rectangle: a segment of a line or of
// a point-list outline crossing or lying in it, or the rectangle lying inside
// a closed shape; boxes for the kinds without a point list. Call after a box
// test: this one walks the Item's points.
bool OutlineTouches(const Item& item, const PixelRect& r, const ScreenMetrics& metrics);

} // namespace vlm

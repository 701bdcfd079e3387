#pragma once

// The points an Item is drawn through, on the canvas: what a shadow's box and
// a dome's disc are measured from. Lines give their two ends, shapes their
// corners, ellipses and curves their Bezier points, arcs and pies their arc
// points, texts the corners of their text box, Clips the corners of their
// (framed, rotated) box or of their circle's box.

#include "model/item.h"

#include <QPoint>
#include <QRect>

#include <span>
#include <vector>

namespace vlm {

struct DrawContext;
struct TextLinePlacement;

std::vector<QPoint> DrawnPoints(const DrawContext& ctx, const Item& item);

// The corners of one text line's glyph cells, turned with the line, with a
// little room for glyphs that lean past their advance. The line has a font.
std::vector<QPoint> TextLineOutline(const TextLinePlacement& line);

// The smallest rectangle holding every point (right and bottom inclusive);
// a null rectangle for no points.
QRect BoundsOf(std::span<const QPoint> points);

// The outline that a Clip casts as its shadow: the framed box turned by its
// rotation, or, for a round Clip, the framed circle (as its four corners).
std::vector<QPoint> ClipShadowOutline(const DrawContext& ctx, const Item& item, bool& round);

} // namespace vlm

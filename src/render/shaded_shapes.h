#pragma once

// The shaded body renderers of the "Round" surface, one per kind: bands
// (line dashes, squares, rectangles, text lines) are shaded across as
// cylinders, every other closed shape as a dome lit from the document's light
// direction, clipped to the shape where it is not a circle or an ellipse.

#include "model/item.h"
#include "render/patterned_line.h"

namespace vlm {

class Canvas;
struct DrawContext;
struct TextLinePlacement;

// Draws the Item's body shaded at `level` (>= 1); for a text, the one line
// `line`. Returns false for kinds that have no shaded renderer (lines, whose
// dashes are shaded by DashShader, and Clips), which then draw flat. A shape
// too small to shade draws nothing and returns true.
bool DrawShadedBody(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                    const TextLinePlacement* line);

// Line dashes 4 pixels wide and more, shaded across the band.
class DashShader : public BandShader
{
public:
    void shadeBand(Canvas& canvas, const DashBand& band, int surface, int lightDirection) const override;
};

} // namespace vlm

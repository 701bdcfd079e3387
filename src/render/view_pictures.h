#pragma once

// The small pictures the document view is dressed with, drawn in code: the
// ruler shading strips, the anchor pictures and the backdrop tile. They are
// stretched to size when used, so only their shading matters.

#include "platform/bitmap.h"
#include "render/view_layout.h"

namespace vlm {

enum class RulerShade {
    Blank,  // silver: the ruler beside the page
    Scaled, // light yellow: the part of the ruler along the page
};

// Blank: 9 x 69 (horizontal ruler) or 69 x 9 (vertical); scaled: 8 x 69 or
// 69 x 8. Shaded across the ruler, darker towards the ticks.
Bitmap RulerShadingStrip(RulerShade shade, ViewDirection direction);

// An anchor: a small cylinder, blue, or red while grabbed or hovered. The
// horizontal strip's anchors stand upright, the vertical strip's lie down.
Bitmap AnchorPicture(ViewDirection strip, bool grabbed, int width, int height);

// The 49 x 49 tile stretched over the viewport behind the page.
Bitmap BackdropPicture();

} // namespace vlm

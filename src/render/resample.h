#pragma once

#include "platform/bitmap.h"

namespace vlm {

// The one rescaler of the program: every picture shown, printed or exported at a
// size other than its own goes through here, so the screen, the preview and the
// paper agree to the byte.
//
// Filters: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 B-spline, 5 Lanczos-3,
// 6 Mitchell; any other number is the box.
//
// The destination keeps its width and height and receives the rescaled source.
// A source or destination narrower or lower than 2 pixels leaves it black.
// The source may be the destination itself.
void resample(const Bitmap& source, Bitmap& destination, int filter);

// Convenience for callers that have no destination yet: a new width x height
// bitmap (a null bitmap when either side is not positive) holding the result.
Bitmap resample(const Bitmap& source, int width, int height, int filter);

} // namespace vlm

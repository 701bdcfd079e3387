#pragma once

#include "platform/bitmap.h"

namespace vlm {

// Turns and mirrors a picture: the result is the picture mirrored left to
// right when a < 0 and top to bottom when b < 0, then turned
// counter-clockwise by t degrees (0, 90, 180, 270 or 360; other values turn
// nothing). A quarter turn first drops an odd last column and row.
Bitmap preparePicture(Bitmap picture, int a, int b, int t);

} // namespace vlm

#pragma once

#include "platform/bitmap.h"

namespace vlm {

// Saturation (-128..512), contrast (-128..512) and lightness (-128..256) of
// a Clip, applied to every pixel in that order; a value of 0 skips its step.
// Values outside their ranges are used as they are.
void applyColorEffects(Bitmap& bitmap, int saturation, int contrast, int lightness);

} // namespace vlm

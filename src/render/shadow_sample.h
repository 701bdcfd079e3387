#pragma once

// The picture of the shadow dialog: a neutral background with a blue
// square lifted off it, its shadow made from a shadow's elevation, fade and
// lightness and cast away from the light.

#include "platform/bitmap.h"

namespace vlm {

inline constexpr int kShadowSampleWidth = 230;
inline constexpr int kShadowSampleHeight = 150;
inline constexpr int kShadowSampleSquare = 100;

// The square's shadow lies Round(Round(elevation / 8.5) / 96 * dpiY) pixels
// from it on both axes; light directions as the documents keep them (0 top
// left .. 3 bottom right).
int ShadowSampleOffset(int elevation, int dpiY);

Bitmap MakeShadowSample(int elevation, int fade, int lightness, int lightDirection, int dpiY);

} // namespace vlm

#pragma once

// JPEG files written by the program: the exports, and pictures re-saved at
// full size when they are inserted.

#include "platform/bitmap.h"

#include <cstdint>
#include <vector>

namespace vlm {

// Baseline (not progressive) JPEG of the bitmap, 24-bit colour; empty when
// it cannot be written.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality = 90);

} // namespace vlm

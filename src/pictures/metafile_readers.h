#pragma once

// The two metafile readers behind DecodeMetafile.

#include "platform/bitmap.h"

#include <cstdint>
#include <span>

namespace vlm::metafile {

bool LooksLikeEmf(std::span<const std::uint8_t> bytes);
Bitmap PlayEmf(std::span<const std::uint8_t> bytes);
Bitmap PlayWmf(std::span<const std::uint8_t> bytes);

} // namespace vlm::metafile

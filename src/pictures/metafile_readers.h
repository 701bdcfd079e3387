#pragma once

// The two metafile readers behind DecodeMetafile.

#include "platform/bitmap.h"

#include <QSize>

#include <cstdint>
#include <cstddef>
#include <span>

namespace vlm::metafile {

bool LooksLikeEmf(std::span<const std::uint8_t> bytes);
Bitmap PlayEmf(std::span<const std::uint8_t> bytes);
Bitmap PlayWmf(std::span<const std::uint8_t> bytes);

// A metafile's records are few for the pictures they draw, yet the bitmap
// they are played onto is as large as the frame in the header says. A file
// may ask for at most this many pixels per byte of it.
inline constexpr double kPixelsPerFileByte = 16384;

// The bitmap size a metafile of `fileBytes` bytes is played at: its natural
// size, shrunk in proportion where that asks for more than the file may.
QSize PlaySize(std::int64_t width, std::int64_t height, std::size_t fileBytes);

} // namespace vlm::metafile

#pragma once

// The picture files the exports write: 24-bit BMP, baseline JPEG, an
// 8-bit icon with white as its transparent colour, and, from the command
// line, PNG and a one-page PDF.

#include "platform/bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vlm {

enum class ExportFormat { Jpeg, Bmp, Ico, Png, Pdf };

// By the name's extension, compared without case: ".bmp" and ".ico" as
// named, anything else JPEG; with `extended` also ".png" and ".pdf".
ExportFormat ExportFormatOf(const std::string& fileName, bool extended);

// A bottom-up 24-bit Windows bitmap file.
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);

// The colour each palette index of an icon stands for.
std::uint32_t IconPaletteColor(int index); // 0x00RRGGBB
// The palette index nearest to a colour.
int IconPaletteIndex(std::uint32_t rgb);

// One 8-bit image in an icon file, white pixels transparent. Null for a
// bitmap larger than 256 pixels either way: the directory keeps each side in
// one byte (0 standing for 256).
std::optional<std::vector<std::uint8_t>> EncodeIco(const Bitmap& bitmap);

// Writes the bitmap in `format`. A PDF gets one page the size of the
// bitmap at `dpi`. On failure the message says why and no file is left
// half-written over an existing one.
bool WriteExport(const Bitmap& bitmap, const std::string& fileName, ExportFormat format, double dpi,
                 std::string& error);

} // namespace vlm

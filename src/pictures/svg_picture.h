#pragma once

// SVG pictures: a description, not pixels. Like a metafile, an SVG is played
// onto a white bitmap, here at the size it is shown or printed at, so that it
// stays sharp at any zoom. Its natural size is its width and height (or its
// viewBox) at 96 pixels per inch.
//
// The bytes are outside data. Before Qt Svg sees them they are read once
// with an XML reader, and a file that could reach outside itself or grow
// while it is read is refused: an entity declared in a document type, an
// href or url() to anything but a fragment or a data: URL, a style sheet
// import, a compressed file.

#include "platform/bitmap.h"

#include <QSizeF>

#include <cstdint>
#include <optional>
#include <span>

namespace vlm {

// Files larger than this are not read as SVG.
inline constexpr std::size_t kMaxSvgBytes = 8u * 1024 * 1024;
// Nor files with more elements than this.
inline constexpr int kMaxSvgElements = 100'000;

struct SvgFacts
{
    // The file passed the reading above and names a size.
    bool usable = false;
    // Its natural size in pixels (96 per inch), when usable.
    QSizeF size;
};

// Reads the file once without playing it.
SvgFacts inspectSvg(std::span<const std::uint8_t> bytes);

struct SvgPlay
{
    Bitmap bitmap;
    int enlargement = 1;
    // The natural size alone has more pixels than any decoder makes.
    bool tooLarge = false;
};

// Plays the picture at `enlargement` times its natural size (lowered to fit
// kMaxPlayedPixels). A null bitmap when the file is refused or does not play.
SvgPlay playSvg(std::span<const std::uint8_t> bytes, int enlargement);

} // namespace vlm

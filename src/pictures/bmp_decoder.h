#pragma once

// What a Windows bitmap's headers promise, read before any pixel is
// allocated, so that a file too short for its rows is refused at once.

#include <cstdint>
#include <optional>
#include <span>

namespace vlm {

struct BmpLayout
{
    std::int64_t width = 0;
    std::int64_t height = 0; // rows, whichever order they are stored in
    bool topDown = false;    // the first stored row is the top one
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t masks[3] = {}; // red, green, blue; 16- and 32-bit pictures only

    std::int64_t pixels() const { return width * height; }
    bool runLength() const { return compression == 1 || compression == 2; }
};

// The headers of a BMP file; none when they are not those of a bitmap or
// the file cannot hold the pixels they announce.
std::optional<BmpLayout> ReadBmpLayout(std::span<const std::uint8_t> bytes);

// A well-formed bitmap with more pixels than any decoder makes.
bool BmpTooLarge(std::span<const std::uint8_t> bytes);

} // namespace vlm

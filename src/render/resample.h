#pragma once

#include "platform/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

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

// One 8-bit channel laid out as rows of bytes, `pitch` bytes apart.
struct ChannelPlane {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::size_t pitch = 0;
};

// The blue channel of `source` rescaled into `destination`: exactly the bytes
// resample() gives the blue channel, for a third of the work. For masks whose
// other channels nobody reads (the shadows).
void resampleBlue(const Bitmap& source, const ChannelPlane& destination, int filter);

// The blue bytes of the top-left destination.width x destination.height
// pixels of `source` (no larger than it) into `destination`.
void copyBlue(const Bitmap& source, const ChannelPlane& destination);

// Where a row of a rescaled plane can differ from its ends: bytes before
// `from` are `lead`, bytes from `to` on are `trail` (from <= to).
struct RowReach {
    int from = 0;
    int to = 0;
    std::uint8_t lead = 0;
    std::uint8_t trail = 0;
};

// The same for a source that is itself one channel. With `reach`, it also
// receives a RowReach for each row of the destination.
void resampleChannel(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                     std::vector<RowReach>* reach = nullptr);

} // namespace vlm

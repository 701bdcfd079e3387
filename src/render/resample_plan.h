#pragma once

// The weights of the rescaler's passes and how they are laid out for its
// kernels: shared by the full-colour passes (resample.cpp) and the
// one-channel ones (resample_channel.cpp). Nothing here is for other callers.

#include "render/resample_kernels.h"

#include <QImage>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vlm::resample_detail {

// Limits within which the vector kernels' single-precision quotient is exact:
// partial sums of 8-bit values below 2^23 in magnitude, and a weight sum that
// is positive and small. Real filters stay far inside them (weight sums near
// 256); anything else takes the portable passes.
constexpr std::int64_t kExactWeightMagnitude = ((std::int64_t{1} << 23) - 1) / 255;
constexpr std::int64_t kExactWeightSum = 8192;

// The contributor lists of one pass. Mirrored indices are merged into the
// weight of the pixel they read, so destination index i reads the count[i]
// consecutive source pixels from start[i] with the weights from offset[i]; a
// sum over merged weights is the same integer as the sum over the list.
struct Contributors {
    std::vector<int> start, count;
    std::vector<std::size_t> offset;
    std::vector<std::int32_t> weights;
    std::vector<std::int64_t> weightSum;
    int maxCount = 0;
    // Every weight fits 16 bits and the sums stay within the limits above: the
    // vector kernels may run.
    bool compact = true;
};

inline float reciprocalOf(std::int64_t weightSum)
{
    return 1.0f / static_cast<float>(weightSum != 0 ? weightSum : 256);
}

#ifdef VLM_RESAMPLE_AVX2

// The horizontal contributors as fixed windows of stride pixels, so that every
// destination pixel runs the same unrolled loop. A window slides left at the
// right edge instead of reading past the row; the extra taps weigh 0.
struct RowPlan {
    int stride = 0;
    bool padded = false; // rows narrower than one window are read through a zero-padded copy
    std::vector<std::int32_t> first, expanded;
    std::vector<float> reciprocal;
};

// The vertical weights in pairs of 16-bit halves, one pair per two source rows.
struct ColumnPlan {
    std::vector<std::size_t> offset;
    std::vector<std::int32_t> pairs;
    std::vector<float> reciprocal;
};

#endif

// The runs of one colour (or one channel's value) at the two ends of a line
// of pixels.
template <class Colour>
struct EndRuns {
    int leadLength = 0;
    Colour leadColour = 0;
    int trailLength = 0;
    Colour trailColour = 0;

    // What two lines share: the shorter runs, where their colours agree.
    EndRuns common(const EndRuns& o) const
    {
        EndRuns c;
        if (leadColour == o.leadColour) {
            c.leadLength = std::min(leadLength, o.leadLength);
            c.leadColour = leadColour;
        }
        if (trailColour == o.trailColour) {
            c.trailLength = std::min(trailLength, o.trailLength);
            c.trailColour = trailColour;
        }
        return c;
    }
};

// The weights of one pass from n to m pixels, and the vector kernels' layout
// of them, made when first asked for.
struct PassPlan {
    Contributors c;
    // For the short cut at plain margins: the furthest source pixel any of
    // destination pixels 0..i reads (exclusive), the nearest one any of
    // pixels i..m-1 reads, and the first and last destination pixels whose
    // weights cancel (m and -1 without one).
    std::vector<int> readsUpTo, readsFrom;
    int firstCancelled = 0, lastCancelled = -1;
    // leadPixels(n) and trailStart(n, n): where a source line of one value
    // leaves off (most lines of a shadow's margin).
    int plainLead = 0, plainTrailStart = 0;
    // For the one-channel passes: 1 / weight sum per destination pixel.
    std::vector<float> reciprocal;

    void planMargins()
    {
        const int m = static_cast<int>(c.count.size());
        reciprocal.resize(static_cast<std::size_t>(m));
        for (int i = 0; i < m; ++i)
            reciprocal[static_cast<std::size_t>(i)] = reciprocalOf(c.weightSum[i]);
        readsUpTo.resize(static_cast<std::size_t>(m));
        readsFrom.resize(static_cast<std::size_t>(m));
        int furthest = 0;
        firstCancelled = m;
        lastCancelled = -1;
        for (int i = 0; i < m; ++i) {
            furthest = std::max(furthest, c.start[i] + c.count[i]);
            readsUpTo[static_cast<std::size_t>(i)] = furthest;
            if (c.weightSum[i] == 0) {
                firstCancelled = std::min(firstCancelled, i);
                lastCancelled = i;
            }
        }
        int nearest = INT32_MAX;
        for (int i = m - 1; i >= 0; --i) {
            nearest = std::min(nearest, c.start[i]);
            readsFrom[static_cast<std::size_t>(i)] = nearest;
        }
    }

    // The destination pixels from 0 that read only source pixels below
    // `lead`, and from m back that read only pixels from n - trail on.
    int leadPixels(int lead) const
    {
        const auto it = std::upper_bound(readsUpTo.begin(), readsUpTo.end(), lead);
        return std::min(static_cast<int>(it - readsUpTo.begin()), firstCancelled);
    }
    int trailStart(int n, int trail) const
    {
        const auto it = std::lower_bound(readsFrom.begin(), readsFrom.end(), n - trail);
        return std::max(static_cast<int>(it - readsFrom.begin()), lastCancelled + 1);
    }
    // For the one-channel passes that skip plain stretches: the destination
    // pixels whose windows can hold both source pixels j and j + 1 lie within
    // touchLo[j]..touchHi[j] (none when touchLo[j] > touchHi[j]); every other
    // one reads a single value on that side of them. Made when first asked for.
    std::vector<int> touchLo, touchHi;
    void planTouches(int n)
    {
        touchLo.resize(static_cast<std::size_t>(std::max(n - 1, 0)));
        touchHi.resize(touchLo.size());
        for (int j = 0; j + 1 < n; ++j) {
            touchLo[static_cast<std::size_t>(j)] =
                static_cast<int>(std::upper_bound(readsUpTo.begin(), readsUpTo.end(), j + 1) - readsUpTo.begin());
            touchHi[static_cast<std::size_t>(j)] =
                static_cast<int>(std::lower_bound(readsFrom.begin(), readsFrom.end(), j + 1) - readsFrom.begin()) - 1;
        }
    }
    // Every destination pixel reads at least one source pixel and no weights
    // cancel: a window of one value then gives that value.
    bool plainWindowsExact() const
    {
        return firstCancelled == static_cast<int>(c.count.size()) &&
               std::none_of(c.count.begin(), c.count.end(), [](int k) { return k <= 0; });
    }
#ifdef VLM_RESAMPLE_AVX2
    std::optional<RowPlan> rows;
    std::optional<ColumnPlan> columns;
    // The one-channel horizontal kernel's layout: windows of byteStride
    // (a multiple of 16) weights, slid left at the right edge like RowPlan's.
    struct ByteRows {
        int stride = 0;
        bool padded = false;
        std::vector<std::int32_t> first;
        std::vector<std::int16_t> weights;
    };
    std::optional<ByteRows> byteRows;
#endif
};

// The source as the passes read it: itself, or its copy in `converted`
// when it is not 32-bit RGB.
inline const QImage& AsTrueColour(const QImage& image, QImage& converted)
{
    if (image.format() == QImage::Format_RGB32)
        return image;
    converted = image.convertToFormat(QImage::Format_RGB32);
    return converted;
}

// The plan of the pass from n to m pixels with `filter`, kept per thread for
// the sizes that recur.
std::shared_ptr<PassPlan> planFor(int n, int m, int filter);

#ifdef VLM_RESAMPLE_AVX2
RowPlan planRows(const Contributors& c, int n);
ColumnPlan planColumns(const Contributors& c);
#endif

// How many pixels from `from` on, stepping by `step` (1 or -1), have the
// colour of the first; colours compare without the unused top byte.
int runLength(const std::uint32_t* row, int n, int from, int step);

} // namespace vlm::resample_detail

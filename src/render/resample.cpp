#include "render/resample.h"

#include "model/rounding.h"
#include "render/resample_kernels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vlm {
namespace {

// Everything that decides a weight is single precision, as it always was: a
// double here would move weights by one now and then and change pictures that
// users have already printed.
constexpr float kPi = 3.14159265358979f;

float sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    const float a = kPi * x;
    return std::sin(a) / a;
}

float filterValue(int filter, float x)
{
    const float t = std::fabs(x);
    switch (filter) {
    case 1:
        return t < 1.0f ? 1.0f - t : 0.0f;
    case 2:
        return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
    case 3:
        if (t < 0.5f)
            return 0.75f - t * t;
        if (t < 1.5f)
            return 0.5f * (t - 1.5f) * (t - 1.5f);
        return 0.0f;
    case 4:
        if (t < 1.0f)
            return t * t * t / 2.0f - t * t + 2.0f / 3.0f;
        if (t < 2.0f)
            return (2.0f - t) * (2.0f - t) * (2.0f - t) / 6.0f;
        return 0.0f;
    case 5:
        return t < 3.0f ? sinc(x) * sinc(x / 3.0f) : 0.0f;
    case 6:
        if (t < 1.0f)
            return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
        if (t < 2.0f)
            return (-(7.0f / 3.0f) * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
        return 0.0f;
    default:
        // Half-open so that a centre exactly between two pixels takes one of them.
        return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f;
    }
}

float filterSupport(int filter)
{
    switch (filter) {
    case 1:
    case 2:
        return 1.0f;
    case 3:
        return 1.5f;
    case 4:
    case 6:
        return 2.0f;
    case 5:
        return 3.0f;
    default:
        return 0.5f;
    }
}

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

Contributors buildContributors(int n, int m, int filter)
{
    Contributors c;
    c.start.resize(m);
    c.count.resize(m);
    c.offset.resize(m);
    c.weightSum.resize(m);

    const float support = filterSupport(filter);
    const float s = static_cast<float>(m - 1) / static_cast<float>(n - 1);
    const bool enlarging = s >= 1.0f;
    const float reach = enlarging ? support : support / s;

    std::vector<std::pair<std::int64_t, std::int32_t>> kept;
    std::vector<std::int32_t> merged;
    for (int i = 0; i < m; ++i) {
        const float centre = static_cast<float>(i) / s;
        const auto lo = static_cast<std::int64_t>(std::floor(centre - reach));
        const auto hi = static_cast<std::int64_t>(std::ceil(centre + reach));
        kept.clear();
        std::int64_t sum = 0;
        std::int64_t first = n;
        std::int64_t last = -1;
        for (std::int64_t j = lo; j <= hi; ++j) {
            const float d = centre - static_cast<float>(j);
            const std::int32_t w = enlarging ? Round(256.0f * filterValue(filter, d))
                                             : Round(256.0f * s * filterValue(filter, d * s));
            if (w == 0)
                continue;
            std::int64_t k = j < 0 ? -j : (j >= n ? 2 * std::int64_t{n} - 1 - j : j);
            // A strong reduction reaches past the mirror image too; the
            // nearest edge pixel stands in for what lies beyond it.
            k = std::clamp<std::int64_t>(k, 0, n - 1);
            kept.emplace_back(k, w);
            sum += w;
            first = std::min(first, k);
            last = std::max(last, k);
        }
        c.weightSum[i] = sum;

        merged.assign(last >= first ? static_cast<std::size_t>(last - first + 1) : 0, 0);
        for (const auto& [k, w] : kept)
            merged[static_cast<std::size_t>(k - first)] += w;
        std::size_t b = 0;
        std::size_t e = merged.size();
        while (b < e && merged[b] == 0)
            ++b;
        while (e > b && merged[e - 1] == 0)
            --e;

        c.start[i] = static_cast<int>(first + static_cast<std::int64_t>(b));
        c.count[i] = static_cast<int>(e - b);
        c.offset[i] = c.weights.size();
        std::int64_t magnitude = 0;
        for (std::size_t k = b; k < e; ++k) {
            c.weights.push_back(merged[k]);
            magnitude += std::abs(std::int64_t{merged[k]});
            if (merged[k] < -32767 || merged[k] > 32767)
                c.compact = false;
        }
        if (magnitude > kExactWeightMagnitude || sum < 0 || sum > kExactWeightSum)
            c.compact = false;
        c.maxCount = std::max(c.maxCount, c.count[i]);
        if (c.count[i] == 0)
            c.start[i] = 0;
    }
    return c;
}

std::uint32_t channelQuotient(std::int64_t sum, std::int64_t weightSum, int shift)
{
    // Where the weights cancel, the sum itself scaled back from 8-bit weights
    // is the value; a negative one, like any negative quotient, is black.
    const std::int64_t q = weightSum != 0 ? sum / weightSum : sum / 256;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(q, 0, 255)) << shift;
}

std::uint32_t finishPixel(const std::int64_t (&sum)[3], std::int64_t weightSum)
{
    return 0xff000000u | channelQuotient(sum[0], weightSum, 0) | channelQuotient(sum[1], weightSum, 8) |
           channelQuotient(sum[2], weightSum, 16);
}

void addWeighted(std::int64_t (&sum)[3], std::int32_t w, std::uint32_t px)
{
    sum[0] += std::int64_t{w} * (px & 0xff);
    sum[1] += std::int64_t{w} * ((px >> 8) & 0xff);
    sum[2] += std::int64_t{w} * ((px >> 16) & 0xff);
}

// Portable passes, used where the vector kernels cannot run.
void horizontalScalar(const Contributors& c, const std::uint32_t* src, std::uint32_t* dst, int x0, int x1)
{
    for (int x = x0; x < x1; ++x) {
        std::int64_t sum[3] = {0, 0, 0};
        const std::int32_t* w = c.weights.data() + c.offset[x];
        const std::uint32_t* p = src + c.start[x];
        for (int k = 0; k < c.count[x]; ++k)
            addWeighted(sum, w[k], p[k]);
        dst[x - x0] = finishPixel(sum, c.weightSum[x]);
    }
}

void verticalScalar(const Contributors& c, int y, const std::uint32_t* const* rows, std::uint32_t* dst,
                    int width)
{
    const std::int32_t* w = c.weights.data() + c.offset[y];
    for (int x = 0; x < width; ++x) {
        std::int64_t sum[3] = {0, 0, 0};
        for (int k = 0; k < c.count[y]; ++k)
            addWeighted(sum, w[k], rows[k][x]);
        dst[x] = finishPixel(sum, c.weightSum[y]);
    }
}

float reciprocalOf(std::int64_t weightSum)
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

RowPlan planRows(const Contributors& c, int n)
{
    RowPlan plan;
    const auto m = c.count.size();
    plan.stride = std::max(4, (c.maxCount + 3) / 4 * 4);
    plan.padded = n < plan.stride;
    plan.first.resize(m);
    plan.expanded.resize(m * static_cast<std::size_t>(plan.stride) * 2);
    plan.reciprocal.resize(m);
    std::vector<std::int16_t> window(static_cast<std::size_t>(plan.stride));
    for (std::size_t i = 0; i < m; ++i) {
        const int first = plan.padded ? 0 : std::min(c.start[i], n - plan.stride);
        std::fill(window.begin(), window.end(), std::int16_t{0});
        for (int k = 0; k < c.count[i]; ++k)
            window[static_cast<std::size_t>(c.start[i] - first + k)] =
                static_cast<std::int16_t>(c.weights[c.offset[i] + static_cast<std::size_t>(k)]);
        plan.first[i] = first;
        resample_detail::expandRowWeights(window.data(), plan.stride,
                                          plan.expanded.data() + i * static_cast<std::size_t>(plan.stride) * 2);
        plan.reciprocal[i] = reciprocalOf(c.weightSum[i]);
    }
    return plan;
}

// The vertical weights in pairs of 16-bit halves, one pair per two source rows.
struct ColumnPlan {
    std::vector<std::size_t> offset;
    std::vector<std::int32_t> pairs;
    std::vector<float> reciprocal;
};

ColumnPlan planColumns(const Contributors& c)
{
    ColumnPlan plan;
    const auto m = c.count.size();
    plan.offset.resize(m);
    plan.reciprocal.resize(m);
    for (std::size_t y = 0; y < m; ++y) {
        plan.offset[y] = plan.pairs.size();
        const std::int32_t* w = c.weights.data() + c.offset[y];
        for (int k = 0; k < c.count[y]; k += 2) {
            const auto low = static_cast<std::uint16_t>(w[k]);
            const auto high = static_cast<std::uint16_t>(k + 1 < c.count[y] ? w[k + 1] : 0);
            plan.pairs.push_back(static_cast<std::int32_t>(low | (static_cast<std::uint32_t>(high) << 16)));
        }
        plan.reciprocal[y] = reciprocalOf(c.weightSum[y]);
    }
    return plan;
}

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
using Margins = EndRuns<std::uint32_t>;

// How many pixels from `from` on, stepping by `step` (1 or -1), have the
// colour of the first; colours compare without the unused top byte.
int runLength(const std::uint32_t* row, int n, int from, int step)
{
    constexpr std::uint32_t kRgb = 0x00ffffffu;
    const std::uint32_t colour = row[from] & kRgb;
    int k = 0;
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(static_cast<int>(kRgb));
    const __m128i want = _mm_set1_epi32(static_cast<int>(colour));
    // Whether pixels p[0..3] all have the colour, as lanes of ones.
    auto same = [&](const std::uint32_t* p) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return _mm_cmpeq_epi32(_mm_and_si128(px, mask), want);
    };
    auto sixteen = [&](const std::uint32_t* p) {
        const __m128i all =
            _mm_and_si128(_mm_and_si128(same(p), same(p + 4)), _mm_and_si128(same(p + 8), same(p + 12)));
        return _mm_movemask_epi8(all) == 0xffff;
    };
    auto four = [&](const std::uint32_t* p) { return _mm_movemask_epi8(same(p)) == 0xffff; };
    // Sixteen pixels a time while they all match, then four; the plain
    // margins are long.
    if (step > 0) {
        while (k + 16 <= n - from && sixteen(row + from + k))
            k += 16;
        while (k + 4 <= n - from && four(row + from + k))
            k += 4;
    } else {
        while (k + 16 <= from + 1 && sixteen(row + from - k - 15))
            k += 16;
        while (k + 4 <= from + 1 && four(row + from - k - 3))
            k += 4;
    }
#endif
    const int limit = step > 0 ? n - from : from + 1;
    while (k < limit && (row[from + step * k] & kRgb) == colour)
        ++k;
    return k;
}

Margins sourceMargins(const std::uint32_t* row, int n)
{
    Margins mg;
    mg.leadLength = runLength(row, n, 0, 1);
    mg.leadColour = 0xff000000u | row[0];
    mg.trailLength = runLength(row, n, n - 1, -1);
    mg.trailColour = 0xff000000u | row[n - 1];
    return mg;
}

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

// Shadows blur thousands of small bitmaps per repaint, most of them of a few
// recurring sizes: the plans of recent passes are kept per thread, so that a
// repaint does not weigh the same filter again for every Item.
std::shared_ptr<PassPlan> planFor(int n, int m, int filter)
{
    // Plans of short passes only, and no more than 16 MB of them (enough for
    // the shadows of a busy page at 200 %): longer passes rarely repeat.
    constexpr int kLongestKept = 1024;
    constexpr std::size_t kKeptBytes = std::size_t{16} << 20;
    auto make = [&] {
        auto plan = std::make_shared<PassPlan>();
        plan->c = buildContributors(n, m, filter);
        plan->planMargins();
        plan->plainLead = plan->leadPixels(n);
        plan->plainTrailStart = plan->trailStart(n, n);
        return plan;
    };
    if (n > kLongestKept || m > kLongestKept)
        return make();
    const std::uint64_t key = (static_cast<std::uint64_t>(n) << 32) | (static_cast<std::uint64_t>(m) << 8) |
                              static_cast<std::uint64_t>(filter & 0xff);
    thread_local std::unordered_map<std::uint64_t, std::shared_ptr<PassPlan>> kept;
    thread_local std::size_t keptBytes = 0;
    if (const auto it = kept.find(key); it != kept.end())
        return it->second;
    auto plan = make();
    // The vector kernels' layouts made later take about twice the weights.
    const std::size_t bytes = 3 * (plan->c.weights.size() + 8 * plan->c.count.size()) * sizeof(std::int32_t);
    if (keptBytes + bytes > kKeptBytes) {
        kept.clear();
        keptBytes = 0;
    }
    kept.emplace(key, plan);
    keptBytes += bytes;
    return plan;
}

void resamplePasses(const QImage& src, std::uint32_t* dstBits, std::size_t dstPitch, int m, int mh, int filter,
                    const resample_detail::Tuning& tuning)
{
    const int n = src.width();
    const int h = src.height();
    const std::shared_ptr<PassPlan> acrossPlan = planFor(n, m, filter);
    const std::shared_ptr<PassPlan> downPlan = planFor(h, mh, filter);
    const Contributors& across = acrossPlan->c;
    const Contributors& down = downPlan->c;

#ifdef VLM_RESAMPLE_AVX2
    const bool useAvx2 = tuning.vectorKernels && across.compact && down.compact && resample_detail::haveAvx2();
    std::vector<std::uint32_t> paddedRows;
    if (useAvx2) {
        if (!acrossPlan->rows)
            acrossPlan->rows = planRows(across, n);
        if (!downPlan->columns)
            downPlan->columns = planColumns(down);
    }
    static const RowPlan noRows;
    static const ColumnPlan noColumns;
    const RowPlan& rowPlan = useAvx2 ? *acrossPlan->rows : noRows;
    const ColumnPlan& columnPlan = useAvx2 ? *downPlan->columns : noColumns;
    if (useAvx2 && rowPlan.padded)
        paddedRows.assign(static_cast<std::size_t>(rowPlan.stride) * 2, 0);
#endif
    const auto* srcBits = src.constBits();
    const auto srcPitch = static_cast<std::size_t>(src.bytesPerLine());
    auto sourceRow = [&](int r) { return reinterpret_cast<const std::uint32_t*>(srcBits + r * srcPitch); };

    // The vertical pass runs row after row and reads only the rows of its
    // windows; those are made by the horizontal pass when first needed and kept
    // in a ring until the windows have moved past them. A reduction so strong
    // that its windows would need more memory than the tuning allows is done in
    // vertical stripes, down to one pixel wide: the ring then holds no more
    // than one column of the source.
    const int ringRows = std::clamp(down.maxCount, 1, h);
    const std::size_t perColumn = static_cast<std::size_t>(ringRows) * sizeof(std::uint32_t);
    const int stripe = static_cast<int>(
        std::clamp<std::size_t>(tuning.ringBytes / perColumn, 1, static_cast<std::size_t>(m)));
    std::vector<std::uint32_t> ring(static_cast<std::size_t>(ringRows) * static_cast<std::size_t>(stripe));
    std::vector<int> slotRow(static_cast<std::size_t>(ringRows));
    std::vector<const std::uint32_t*> rows(static_cast<std::size_t>(down.maxCount) + 1);
    auto ringLine = [&](int r) {
        return ring.data() + static_cast<std::size_t>(r % ringRows) * static_cast<std::size_t>(stripe);
    };
    auto present = [&](int r) { return slotRow[static_cast<std::size_t>(r % ringRows)] == r; };

    // Pictures with plain margins (a shadow's white surroundings, a framed
    // picture's border) need no filtering there: where every pixel a window
    // reads has one colour, the weighted mean is that colour exactly, as long
    // as the weights do not cancel. Each ring row remembers how many of its
    // pixels at either end were made that way, and the vertical pass takes
    // the same short cut where all rows of its window agree.
    std::vector<Margins> slotMargins(static_cast<std::size_t>(ringRows));
    std::vector<const std::uint32_t*> shifted(rows.size());

    for (int x0 = 0; x0 < m; x0 += stripe) {
        const int x1 = std::min(m, x0 + stripe);
        const int width = x1 - x0;
        std::fill(slotRow.begin(), slotRow.end(), -1);
        for (int y = 0; y < mh; ++y) {
            const int start = down.start[y];
            const int count = down.count[y];
            for (int k = 0; k < count; ++k) {
                const int r = start + k;
                if (!present(r)) {
#ifdef VLM_RESAMPLE_AVX2
                    // Two rows at once when the window needs both.
                    const int batch = useAvx2 && k + 1 < count && !present(r + 1) ? 2 : 1;
#else
                    const int batch = 1;
#endif
                    const std::uint32_t* in[2];
                    std::uint32_t* made[2];
                    Margins source = sourceMargins(sourceRow(r), n);
                    for (int b = 0; b < batch; ++b) {
                        in[b] = sourceRow(r + b);
                        if (b > 0)
                            source = source.common(sourceMargins(in[b], n));
                        made[b] = ringLine(r + b);
                        slotRow[static_cast<std::size_t>((r + b) % ringRows)] = r + b;
                    }
                    // The destination pixels at either end that read only margin pixels.
                    const int a = std::clamp(acrossPlan->leadPixels(source.leadLength), x0, x1);
                    const int e = std::clamp(acrossPlan->trailStart(n, source.trailLength), a, x1);
                    for (int b = 0; b < batch; ++b) {
                        std::fill(made[b], made[b] + (a - x0), source.leadColour);
                        std::fill(made[b] + (e - x0), made[b] + width, source.trailColour);
                        slotMargins[static_cast<std::size_t>((r + b) % ringRows)] =
                            Margins{a - x0, source.leadColour, x1 - e, source.trailColour};
                    }
                    if (a < e) {
#ifdef VLM_RESAMPLE_AVX2
                        if (useAvx2) {
                            for (int b = 0; b < batch; ++b) {
                                if (rowPlan.padded) {
                                    auto pad = paddedRows.begin() + b * rowPlan.stride;
                                    std::copy(in[b], in[b] + n, pad);
                                    in[b] = &*pad;
                                }
                                made[b] += a - x0;
                            }
                            resample_detail::horizontalAvx2(
                                in, made, batch, e - a, rowPlan.first.data() + a,
                                rowPlan.expanded.data() + static_cast<std::size_t>(a) * rowPlan.stride * 2,
                                rowPlan.stride, rowPlan.reciprocal.data() + a);
                        } else
#endif
                        {
                            horizontalScalar(across, in[0], made[0] + (a - x0), a, e);
                        }
                    }
                }
                rows[static_cast<std::size_t>(k)] = ringLine(r);
            }
            std::uint32_t* out = dstBits + static_cast<std::size_t>(y) * dstPitch + x0;

            Margins window = slotMargins[static_cast<std::size_t>(start % ringRows)];
            for (int k = 1; k < count; ++k)
                window = window.common(slotMargins[static_cast<std::size_t>((start + k) % ringRows)]);
            if (count == 0 || down.weightSum[y] == 0)
                window = Margins{};
            const int lead = std::min(window.leadLength, width);
            const int tail = std::max(lead, width - window.trailLength);
            std::fill(out, out + lead, window.leadColour);
            std::fill(out + tail, out + width, window.trailColour);
            if (lead >= tail)
                continue;
            for (int k = 0; k < count; ++k)
                shifted[static_cast<std::size_t>(k)] = rows[static_cast<std::size_t>(k)] + lead;
#ifdef VLM_RESAMPLE_AVX2
            if (useAvx2) {
                // An odd window pairs its last row with itself at weight 0.
                if (count % 2 != 0)
                    shifted[static_cast<std::size_t>(count)] = shifted[static_cast<std::size_t>(count) - 1];
                resample_detail::verticalAvx2(shifted.data(), columnPlan.pairs.data() + columnPlan.offset[y],
                                              (count + 1) / 2, columnPlan.reciprocal[y], out + lead, tail - lead);
                continue;
            }
#endif
            verticalScalar(down, y, shifted.data(), out + lead, tail - lead);
        }
    }
}

// ---------------------------------------------------------------------------
// One channel. Channels never mix in the passes above, so the same weights,
// the same 8-bit intermediate and the same quotients give one channel's bytes
// of the full result; the short cut at plain margins is exact, so taking it
// per channel (more often) changes nothing either.

// Quotient of a channel sum by the weight sum, limited to 0..255. Within the
// vector kernels' limits their single-precision form is the exact truncated
// quotient (see divideTruncate); else the integer division of the portable
// passes.
inline std::uint8_t channelValue(std::int64_t sum, std::int64_t weightSum, float reciprocal, bool compact)
{
    std::int64_t q;
    if (compact)
        q = static_cast<std::int32_t>((static_cast<float>(sum) + 0.5f) * reciprocal);
    else
        q = weightSum != 0 ? sum / weightSum : sum / 256;
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(q, 0, 255));
}

inline std::uint8_t byteOf(std::uint8_t v)
{
    return v;
}
inline std::uint8_t byteOf(std::uint32_t px)
{
    return static_cast<std::uint8_t>(px & 0xffu);
}

// How many pixels from `from` on, stepping by `step`, have the value of the first.
template <class Pixel>
int valueRun(const Pixel* row, int n, int from, int step)
{
    const std::uint8_t v = byteOf(row[from]);
    const int limit = step > 0 ? n - from : from + 1;
    int k = 0;
    if constexpr (sizeof(Pixel) == 4) {
        // Whole pixels of one colour first, four at a time.
        k = runLength(reinterpret_cast<const std::uint32_t*>(row), n, from, step);
    } else if (step > 0) {
        std::uint64_t want = 0x0101010101010101ull * v;
        while (k + 8 <= limit) {
            std::uint64_t word;
            std::memcpy(&word, row + from + k, 8);
            if (word != want)
                break;
            k += 8;
        }
    } else {
        std::uint64_t want = 0x0101010101010101ull * v;
        while (k + 8 <= limit) {
            std::uint64_t word;
            std::memcpy(&word, row + from - k - 7, 8);
            if (word != want)
                break;
            k += 8;
        }
    }
    while (k < limit && byteOf(row[from + step * k]) == v)
        ++k;
    return k;
}

using ChannelMargins = EndRuns<std::uint8_t>;

#ifdef VLM_RESAMPLE_AVX2
PassPlan::ByteRows planByteRows(const Contributors& c, int n)
{
    PassPlan::ByteRows plan;
    const auto m = c.count.size();
    plan.stride = std::max(16, (c.maxCount + 15) / 16 * 16);
    plan.padded = n < plan.stride;
    plan.first.resize(m);
    plan.weights.assign(m * static_cast<std::size_t>(plan.stride), 0);
    for (std::size_t i = 0; i < m; ++i) {
        const int first = plan.padded ? 0 : std::min(c.start[i], n - plan.stride);
        plan.first[i] = first;
        std::int16_t* window = plan.weights.data() + i * static_cast<std::size_t>(plan.stride);
        for (int k = 0; k < c.count[i]; ++k)
            window[c.start[i] - first + k] =
                static_cast<std::int16_t>(c.weights[c.offset[i] + static_cast<std::size_t>(k)]);
    }
    return plan;
}
#endif

// The horizontal pass of one row of n pixels into m bytes; `bytes` holds
// room for max(n, the window) bytes.
template <class Pixel>
ChannelMargins channelRow(const PassPlan& plan, const Pixel* src, int n, std::uint8_t* dst, int m,
                          [[maybe_unused]] std::uint8_t* bytes, [[maybe_unused]] bool vectors)
{
    const Contributors& c = plan.c;
    const int lead = valueRun(src, n, 0, 1);
    // A row of one value (most rows of a shadow's margin) is read once.
    const bool plain = lead == n;
    const int trail = plain ? n : valueRun(src, n, n - 1, -1);
    const std::uint8_t leadValue = byteOf(src[0]);
    const std::uint8_t trailValue = byteOf(src[n - 1]);
    const int a = std::clamp(plain ? plan.plainLead : plan.leadPixels(lead), 0, m);
    const int e = std::clamp(plain ? plan.plainTrailStart : plan.trailStart(n, trail), a, m);
    std::fill(dst, dst + a, leadValue);
    std::fill(dst + e, dst + m, trailValue);
#ifdef VLM_RESAMPLE_AVX2
    if (vectors && plan.byteRows && a < e) {
        const PassPlan::ByteRows& rows = *plan.byteRows;
        const std::uint8_t* in;
        if constexpr (sizeof(Pixel) == 1) {
            in = reinterpret_cast<const std::uint8_t*>(src);
            if (rows.padded) {
                std::copy(in, in + n, bytes);
                std::fill(bytes + n, bytes + rows.stride, std::uint8_t{0});
                in = bytes;
            }
        } else if (rows.padded) {
            for (int x = 0; x < n; ++x)
                bytes[x] = byteOf(src[x]);
            std::fill(bytes + n, bytes + rows.stride, std::uint8_t{0});
            in = bytes;
        } else {
            // Only the pixels the windows of a..e-1 read.
            const auto [low, high] = std::minmax_element(rows.first.begin() + a, rows.first.begin() + e);
            const int from = *low;
            const int to = *high + rows.stride;
            for (int x = from; x < to; ++x)
                bytes[x] = byteOf(src[x]);
            in = bytes;
        }
        resample_detail::horizontalBytesAvx2(in, dst + a, e - a, rows.first.data() + a,
                                             rows.weights.data() + static_cast<std::size_t>(a) * rows.stride,
                                             rows.stride, plan.reciprocal.data() + a);
        return ChannelMargins{a, leadValue, m - e, trailValue};
    }
#endif
    const std::int32_t* weights = c.weights.data();
    for (int x = a; x < e; ++x) {
        const std::int32_t* w = weights + c.offset[x];
        const Pixel* p = src + c.start[x];
        const int count = c.count[x];
        std::int64_t sum = 0;
        if (c.compact) {
            std::int32_t s = 0;
            for (int k = 0; k < count; ++k)
                s += w[k] * static_cast<std::int32_t>(byteOf(p[k]));
            sum = s;
        } else {
            for (int k = 0; k < count; ++k)
                sum += std::int64_t{w[k]} * byteOf(p[k]);
        }
        dst[x] = channelValue(sum, c.weightSum[x], plan.reciprocal[static_cast<std::size_t>(x)], c.compact);
    }
    return ChannelMargins{a, leadValue, m - e, trailValue};
}

template <class Accumulator>
void channelColumns(const std::uint8_t* const* rows, const std::int32_t* w, int count, std::int64_t weightSum,
                    float reciprocal, bool compact, std::uint8_t* dst, int width, std::vector<Accumulator>& acc)
{
    acc.assign(static_cast<std::size_t>(width), 0);
    Accumulator* a = acc.data();
    for (int k = 0; k < count; ++k) {
        const std::uint8_t* r = rows[k];
        const Accumulator wk = w[k];
        for (int x = 0; x < width; ++x)
            a[x] += wk * static_cast<Accumulator>(r[x]);
    }
    if (compact) {
        for (int x = 0; x < width; ++x) {
            const auto q = static_cast<std::int32_t>((static_cast<float>(a[x]) + 0.5f) * reciprocal);
            dst[x] = static_cast<std::uint8_t>(std::clamp(q, 0, 255));
        }
    } else {
        for (int x = 0; x < width; ++x)
            dst[x] = channelValue(a[x], weightSum, reciprocal, false);
    }
}

#ifdef VLM_RESAMPLE_AVX2
void sparseChannelPasses(const std::uint8_t* srcBits, std::size_t srcPitch, int n, int h, const ChannelPlane& dst,
                         const PassPlan& acrossPlan, const PassPlan& downPlan, std::vector<RowReach>* reach);
#endif

template <class Pixel>
void channelPasses(const Pixel* srcBits, std::size_t srcPitch, int n, int h, const ChannelPlane& dst, int filter,
                   bool vectorKernels, std::vector<RowReach>* reach)
{
    const int m = dst.width;
    const int mh = dst.height;
    const std::shared_ptr<PassPlan> acrossPlan = planFor(n, m, filter);
    const std::shared_ptr<PassPlan> downPlan = planFor(h, mh, filter);
    const Contributors& down = downPlan->c;
#ifdef VLM_RESAMPLE_AVX2
    const bool vectors = vectorKernels && resample_detail::haveAvx2();
#else
    const bool vectors = false;
    static_cast<void>(vectorKernels);
#endif
#ifdef VLM_RESAMPLE_AVX2
    if (vectors && acrossPlan->c.compact && !acrossPlan->byteRows)
        acrossPlan->byteRows = planByteRows(acrossPlan->c, n);
    const bool vectorColumns = vectors && down.compact;
    if (vectorColumns && !downPlan->columns)
        downPlan->columns = planColumns(down);
    if constexpr (sizeof(Pixel) == 1) {
        if (vectorColumns && acrossPlan->byteRows && acrossPlan->plainWindowsExact() && downPlan->plainWindowsExact()) {
            if (acrossPlan->touchLo.size() + 1 != static_cast<std::size_t>(n))
                acrossPlan->planTouches(n);
            sparseChannelPasses(srcBits, srcPitch, n, h, dst, *acrossPlan, *downPlan, reach);
            return;
        }
    }
#endif
    thread_local std::vector<std::uint8_t> bytes;
    bytes.resize(static_cast<std::size_t>(std::max(n, 16 * (acrossPlan->c.maxCount / 16 + 2))));

    thread_local std::vector<std::uint8_t> middle;
    thread_local std::vector<ChannelMargins> margins;
    thread_local std::vector<signed char> made;
    thread_local std::vector<std::int32_t> acc32;
    thread_local std::vector<std::int64_t> acc64;
    middle.resize(static_cast<std::size_t>(h) * static_cast<std::size_t>(m));
    margins.resize(static_cast<std::size_t>(h));
    made.assign(static_cast<std::size_t>(h), 0);
    auto middleRow = [&](int r) { return middle.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(m); };
    thread_local std::vector<const std::uint8_t*> rows;
    rows.resize(static_cast<std::size_t>(down.maxCount) + 1);

    for (int y = 0; y < mh; ++y) {
        const int start = down.start[y];
        const int count = down.count[y];
        ChannelMargins window;
        for (int k = 0; k < count; ++k) {
            const int r = start + k;
            if (!made[static_cast<std::size_t>(r)]) {
                const Pixel* in = reinterpret_cast<const Pixel*>(reinterpret_cast<const std::uint8_t*>(srcBits) +
                                                                 static_cast<std::size_t>(r) * srcPitch);
                margins[static_cast<std::size_t>(r)] =
                    channelRow(*acrossPlan, in, n, middleRow(r), m, bytes.data(), vectors);
                made[static_cast<std::size_t>(r)] = 1;
            }
            const ChannelMargins& row = margins[static_cast<std::size_t>(r)];
            window = k == 0 ? row : window.common(row);
        }
        if (count == 0 || down.weightSum[y] == 0)
            window = ChannelMargins{};
        std::uint8_t* out = dst.bits + static_cast<std::size_t>(y) * dst.pitch;
        const int lead = std::min(window.leadLength, m);
        const int tail = std::max(lead, m - window.trailLength);
        std::fill(out, out + lead, window.leadColour);
        std::fill(out + tail, out + m, window.trailColour);
        if (reach)
            (*reach)[static_cast<std::size_t>(y)] = RowReach{lead, tail, window.leadColour, window.trailColour};
        if (lead >= tail)
            continue;
        for (int k = 0; k < count; ++k)
            rows[static_cast<std::size_t>(k)] = middleRow(start + k) + lead;
        const float reciprocal = downPlan->reciprocal[static_cast<std::size_t>(y)];
#ifdef VLM_RESAMPLE_AVX2
        if (vectorColumns) {
            // An odd window pairs its last row with itself at weight 0.
            if (count % 2 != 0)
                rows[static_cast<std::size_t>(count)] = rows[static_cast<std::size_t>(count) - 1];
            const ColumnPlan& columns = *downPlan->columns;
            resample_detail::verticalBytesAvx2(rows.data(), columns.pairs.data() + columns.offset[y], (count + 1) / 2,
                                               reciprocal, out + lead, tail - lead);
            continue;
        }
#endif
        const std::int32_t* w = down.weights.data() + down.offset[y];
        if (down.compact)
            channelColumns(rows.data(), w, count, down.weightSum[y], reciprocal, true, out + lead, tail - lead, acc32);
        else
            channelColumns(rows.data(), w, count, down.weightSum[y], reciprocal, false, out + lead, tail - lead,
                           acc64);
    }
}

#ifdef VLM_RESAMPLE_AVX2
// ---------------------------------------------------------------------------
// One channel, skipping what is plain. A shadow's cast is mostly stretches of
// one value (its white margin, the inside of a filled shape, the white inside
// an outline) with a few edges, and a window of one value gives that value
// exactly (the weights sum to the divisor). So each row is worked out only
// where a window straddles two different source pixels, each destination
// row only where a window's rows differ; everything else is copied. The bytes
// are those of the passes above.

// Calls found(j), in order, for every j in 0..n-2 where row[j] != row[j + 1].
template <class Found>
void forEachChange(const std::uint8_t* row, int n, Found found)
{
    int j = 0;
#ifdef __SSE2__
    for (; j + 17 <= n; j += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + j));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + j + 1));
        unsigned bits = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b))) & 0xffffu;
        for (; bits != 0; bits &= bits - 1)
            found(j + __builtin_ctz(bits));
    }
#endif
    for (; j + 1 < n; ++j)
        if (row[j] != row[j + 1])
            found(j);
}

// Sets bit x of `bits` (words of 64) where a[x] != b[x]; true when any is set.
bool differingColumns(const std::uint8_t* a, const std::uint8_t* b, int m, std::uint64_t* bits)
{
    const int words = (m + 63) / 64;
    std::fill(bits, bits + words, std::uint64_t{0});
    std::uint64_t any = 0;
    int x = 0;
#ifdef __SSE2__
    for (; x + 16 <= m; x += 16) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
        const auto unlike = static_cast<std::uint64_t>(~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(p, q))) & 0xffffu);
        bits[x / 64] |= unlike << (x % 64);
        any |= unlike;
    }
#endif
    for (; x < m; ++x)
        if (a[x] != b[x]) {
            bits[x / 64] |= std::uint64_t{1} << (x % 64);
            any = 1;
        }
    return any != 0;
}

// The horizontal pass of one row of bytes, worked out only near its changes.
ChannelMargins sparseRow(const PassPlan& plan, const std::uint8_t* src, int n, std::uint8_t* dst, int m,
                         std::uint8_t* bytes)
{
    const PassPlan::ByteRows& rows = *plan.byteRows;
    const std::uint8_t* in = src;
    if (rows.padded) {
        std::copy(src, src + n, bytes);
        std::fill(bytes + n, bytes + rows.stride, std::uint8_t{0});
        in = bytes;
    }
    const int* start = plan.c.start.data();
    int x = 0; // dst[0..x) is written
    int lo = 0;
    int hi = -1; // the stretch lo..hi still to be worked out, when lo <= hi
    int firstLo = m;
    int lastEnd = 0;
    // A change no window straddles (not with the filters in use) leaves
    // stretches of different values side by side: each byte then reads its own.
    bool mixed = false;
    auto fill = [&](int to) {
        if (mixed) {
            for (; x < to; ++x)
                dst[x] = in[start[x]];
        } else if (to > x) {
            std::memset(dst + x, in[start[x]], static_cast<std::size_t>(to - x));
            x = to;
        }
    };
    auto work = [&] {
        fill(lo);
        resample_detail::horizontalBytesAvx2(in, dst + lo, hi - lo + 1, rows.first.data() + lo,
                                             rows.weights.data() + static_cast<std::size_t>(lo) * rows.stride,
                                             rows.stride, plan.reciprocal.data() + lo);
        firstLo = std::min(firstLo, lo);
        x = hi + 1;
        lastEnd = x;
    };
    // Stretches this close are worked out as one: the bytes between cost
    // less than another call.
    constexpr int kJoin = 8;
    const int* touchLo = plan.touchLo.data();
    const int* touchHi = plan.touchHi.data();
    forEachChange(src, n, [&](int j) {
        const int a = touchLo[j];
        const int b = touchHi[j];
        if (a > b) {
            mixed = true;
            return;
        }
        if (lo <= hi) {
            if (a <= hi + kJoin) {
                hi = std::max(hi, b);
                return;
            }
            work();
        }
        lo = a;
        hi = b;
    });
    if (lo <= hi)
        work();
    fill(m);
    if (mixed)
        return ChannelMargins{0, in[0], 0, in[n - 1]};
    return ChannelMargins{firstLo, in[0], m - lastEnd, in[n - 1]};
}

// Both passes of one channel of bytes as described above; the plans allow it.
void sparseChannelPasses(const std::uint8_t* srcBits, std::size_t srcPitch, int n, int h, const ChannelPlane& dst,
                         const PassPlan& acrossPlan, const PassPlan& downPlan, std::vector<RowReach>* reach)
{
    const int m = dst.width;
    const int mh = dst.height;
    const int words = (m + 63) / 64;
    thread_local std::vector<std::uint8_t> middle;
    thread_local std::vector<ChannelMargins> margins;
    thread_local std::vector<std::uint64_t> unlike;
    thread_local std::vector<char> differs;
    thread_local std::vector<std::uint8_t> bytes;
    middle.resize(static_cast<std::size_t>(h) * static_cast<std::size_t>(m));
    margins.resize(static_cast<std::size_t>(h));
    unlike.resize(static_cast<std::size_t>(h) * static_cast<std::size_t>(words));
    differs.assign(static_cast<std::size_t>(h), 0);
    bytes.resize(static_cast<std::size_t>(std::max(n, acrossPlan.byteRows->stride)));
    auto middleRow = [&](int r) { return middle.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(m); };
    auto unlikeRow = [&](int r) { return unlike.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words); };
    auto sourceRow = [&](int r) { return srcBits + static_cast<std::size_t>(r) * srcPitch; };

    for (int r = 0; r < h; ++r) {
        if (r > 0 && std::memcmp(sourceRow(r), sourceRow(r - 1), static_cast<std::size_t>(n)) == 0) {
            // Rows repeat: the margin, the inside of a filled shape.
            std::memcpy(middleRow(r), middleRow(r - 1), static_cast<std::size_t>(m));
            margins[static_cast<std::size_t>(r)] = margins[static_cast<std::size_t>(r) - 1];
            continue;
        }
        margins[static_cast<std::size_t>(r)] = sparseRow(acrossPlan, sourceRow(r), n, middleRow(r), m, bytes.data());
        if (r > 0)
            differs[static_cast<std::size_t>(r)] = differingColumns(middleRow(r - 1), middleRow(r), m, unlikeRow(r));
    }

    const Contributors& down = downPlan.c;
    const ColumnPlan& columns = *downPlan.columns;
    thread_local std::vector<std::uint64_t> need;
    thread_local std::vector<const std::uint8_t*> rows;
    need.resize(static_cast<std::size_t>(words));
    rows.resize(static_cast<std::size_t>(down.maxCount) + 1);
    for (int y = 0; y < mh; ++y) {
        const int first = down.start[y];
        const int count = down.count[y];
        std::uint8_t* out = dst.bits + static_cast<std::size_t>(y) * dst.pitch;
        std::memcpy(out, middleRow(first), static_cast<std::size_t>(m));
        bool any = false;
        std::fill(need.begin(), need.end(), std::uint64_t{0});
        for (int r = first + 1; r < first + count; ++r)
            if (differs[static_cast<std::size_t>(r)]) {
                const std::uint64_t* u = unlikeRow(r);
                for (int k = 0; k < words; ++k)
                    need[static_cast<std::size_t>(k)] |= u[k];
                any = true;
            }
        int workedFrom = m;
        int workedTo = 0;
        if (any) {
            for (int k = 0; k < count; ++k)
                rows[static_cast<std::size_t>(k)] = middleRow(first + k);
            // An odd window pairs its last row with itself at weight 0.
            if (count % 2 != 0)
                rows[static_cast<std::size_t>(count)] = rows[static_cast<std::size_t>(count) - 1];
            thread_local std::vector<const std::uint8_t*> shifted;
            shifted.resize(rows.size());
            const std::int32_t* pairs = columns.pairs.data() + columns.offset[y];
            const float reciprocal = downPlan.reciprocal[static_cast<std::size_t>(y)];
            auto work = [&](int a, int b) {
                // Whole steps of the kernel's sixteen columns where the row
                // allows: its tail goes one column at a time.
                const int length = std::min(m, (b - a + 15) / 16 * 16);
                b = std::min(m, a + length);
                a = b - length;
                for (int k = 0; k <= count; ++k)
                    shifted[static_cast<std::size_t>(k)] = rows[static_cast<std::size_t>(k)] + a;
                resample_detail::verticalBytesAvx2(shifted.data(), pairs, (count + 1) / 2, reciprocal, out + a,
                                                   b - a);
                workedFrom = std::min(workedFrom, a);
                workedTo = std::max(workedTo, b);
            };
            // The stretches of differing columns, joined across short gaps.
            int a = -1;
            int b = -1;
            for (int k = 0; k < words; ++k) {
                std::uint64_t w = need[static_cast<std::size_t>(k)];
                while (w != 0) {
                    const int from = k * 64 + __builtin_ctzll(w);
                    // The run of set bits from `from`.
                    const std::uint64_t rest = ~(w >> (from - k * 64));
                    const int length = rest == 0 ? 64 - (from - k * 64) : __builtin_ctzll(rest);
                    const int to = from + length;
                    w = to - k * 64 >= 64 ? 0 : w & (~std::uint64_t{0} << (to - k * 64));
                    if (a >= 0 && from <= b + 16) {
                        b = to;
                    } else {
                        if (a >= 0)
                            work(a, b);
                        a = from;
                        b = to;
                    }
                }
            }
            if (a >= 0)
                work(a, b);
        }
        if (reach) {
            // Outside what was worked out the row is a copy of the window's
            // first row, whose ends are known.
            const ChannelMargins& row = margins[static_cast<std::size_t>(first)];
            const int from = std::min({row.leadLength, workedFrom, m});
            const int to = std::max({m - row.trailLength, workedTo, from});
            (*reach)[static_cast<std::size_t>(y)] = RowReach{from, to, row.leadColour, row.trailColour};
        }
    }
}
#endif

// The blue bytes of n x h pixels into rows of bytes outPitch apart.
void blueBytes(const std::uint32_t* bits, std::size_t pitch, int n, int h, std::uint8_t* out, std::size_t outPitch)
{
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* in = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(bits) +
                                                                         static_cast<std::size_t>(y) * pitch);
        std::uint8_t* row = out + static_cast<std::size_t>(y) * outPitch;
        int x = 0;
#ifdef __SSE2__
        const __m128i low = _mm_set1_epi32(0xff);
        auto four = [&](int at) {
            return _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at)), low);
        };
        for (; x + 16 <= n; x += 16) {
            const __m128i words = _mm_packs_epi32(four(x), four(x + 4));
            const __m128i more = _mm_packs_epi32(four(x + 8), four(x + 12));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), _mm_packus_epi16(words, more));
        }
#endif
        for (; x < n; ++x)
            row[x] = static_cast<std::uint8_t>(in[x] & 0xffu);
    }
}

void fillPlane(const ChannelPlane& p, std::uint8_t value, std::vector<RowReach>* reach = nullptr)
{
    for (int y = 0; y < p.height; ++y) {
        std::uint8_t* row = p.bits + static_cast<std::size_t>(y) * p.pitch;
        std::fill(row, row + p.width, value);
    }
    if (reach)
        reach->assign(static_cast<std::size_t>(std::max(p.height, 0)), RowReach{0, 0, value, value});
}

int plainFilter(int filter)
{
    return filter >= 1 && filter <= 6 ? filter : 0;
}

} // namespace

namespace resample_detail {

void resampleChannelReaching(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                             const Tuning& tuning, std::vector<RowReach>* reach);

void resampleBlueTuned(const Bitmap& source, const ChannelPlane& destination, int filter, const Tuning& tuning)
{
    if (destination.bits == nullptr || destination.width < 1 || destination.height < 1)
        return;
    if (destination.width < 2 || destination.height < 2 || source.width() < 2 || source.height() < 2) {
        fillPlane(destination, 0);
        return;
    }
    const QImage* src = &source.image();
    QImage converted;
    if (src->format() != QImage::Format_RGB32) {
        converted = src->convertToFormat(QImage::Format_RGB32);
        src = &converted;
    }
    if (src->isNull()) {
        fillPlane(destination, 0);
        return;
    }
#ifdef VLM_RESAMPLE_AVX2
    if (tuning.vectorKernels && haveAvx2()) {
        // As bytes, the passes can tell plain stretches from edges cheaply.
        thread_local std::vector<std::uint8_t> blue;
        const int n = src->width();
        const int h = src->height();
        blue.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(h));
        blueBytes(reinterpret_cast<const std::uint32_t*>(src->constBits()),
                  static_cast<std::size_t>(src->bytesPerLine()), n, h, blue.data(), static_cast<std::size_t>(n));
        channelPasses(blue.data(), static_cast<std::size_t>(n), n, h, destination, plainFilter(filter), true,
                      nullptr);
        return;
    }
#endif
    channelPasses(reinterpret_cast<const std::uint32_t*>(src->constBits()),
                  static_cast<std::size_t>(src->bytesPerLine()), src->width(), src->height(), destination,
                  plainFilter(filter), tuning.vectorKernels, nullptr);
}

void resampleChannelTuned(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                          const Tuning& tuning)
{
    resampleChannelReaching(source, destination, filter, tuning, nullptr);
}

void resampleChannelReaching(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                             const Tuning& tuning, std::vector<RowReach>* reach)
{
    if (reach)
        reach->clear();
    if (destination.bits == nullptr || destination.width < 1 || destination.height < 1)
        return;
    if (destination.width < 2 || destination.height < 2 || source.bits == nullptr || source.width < 2 ||
        source.height < 2) {
        fillPlane(destination, 0, reach);
        return;
    }
    if (reach)
        reach->resize(static_cast<std::size_t>(destination.height));
    channelPasses(static_cast<const std::uint8_t*>(source.bits), source.pitch, source.width, source.height,
                  destination, plainFilter(filter), tuning.vectorKernels, reach);
}


void resampleTuned(const Bitmap& source, Bitmap& destination, int filter, const Tuning& tuning)
{
    if (&source == &destination) {
        // Clearing the destination first would wipe the source.
        const Bitmap copy(source.image().copy());
        resampleTuned(copy, destination, filter, tuning);
        return;
    }
    if (destination.isNull())
        return;
    QImage& dst = destination.image();
    if (dst.format() != QImage::Format_RGB32)
        dst = dst.convertToFormat(QImage::Format_RGB32);
    const int m = dst.width();
    const int mh = dst.height();
    if (m < 2 || mh < 2 || source.width() < 2 || source.height() < 2) {
        dst.fill(0xff000000u);
        return;
    }

    const QImage* src = &source.image();
    QImage converted;
    if (src->format() != QImage::Format_RGB32) {
        converted = src->convertToFormat(QImage::Format_RGB32);
        src = &converted;
    }
    // bits() detaches a destination that still shares its pixels with the source.
    uchar* bits = dst.bits();
    if (src->isNull() || bits == nullptr) {
        if (bits != nullptr)
            dst.fill(0xff000000u);
        return;
    }
    // Every destination pixel is written below, so the clearing to black that
    // precedes the passes is not repeated here.
    resamplePasses(*src, reinterpret_cast<std::uint32_t*>(bits),
                   static_cast<std::size_t>(dst.bytesPerLine()) / sizeof(std::uint32_t), m, mh,
                   filter >= 1 && filter <= 6 ? filter : 0, tuning);
}

} // namespace resample_detail

void resample(const Bitmap& source, Bitmap& destination, int filter)
{
    resample_detail::resampleTuned(source, destination, filter, resample_detail::Tuning{});
}

void resampleBlue(const Bitmap& source, const ChannelPlane& destination, int filter)
{
    resample_detail::resampleBlueTuned(source, destination, filter, resample_detail::Tuning{});
}

void copyBlue(const Bitmap& source, const ChannelPlane& destination)
{
    if (destination.bits == nullptr || destination.width < 1 || destination.height < 1 ||
        source.image().format() != QImage::Format_RGB32 || destination.width > source.width() ||
        destination.height > source.height())
        return;
    const QImage& image = source.image();
    blueBytes(reinterpret_cast<const std::uint32_t*>(image.constBits()), static_cast<std::size_t>(image.bytesPerLine()),
              destination.width, destination.height, destination.bits, destination.pitch);
}

void resampleChannel(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                     std::vector<RowReach>* reach)
{
    resample_detail::resampleChannelReaching(source, destination, filter, resample_detail::Tuning{}, reach);
}

Bitmap resample(const Bitmap& source, int width, int height, int filter)
{
    Bitmap result(width, height, RGBRef(0, 0, 0));
    resample(source, result, filter);
    return result;
}

} // namespace vlm

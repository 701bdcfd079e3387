#include "render/resample.h"

#include "model/rounding.h"
#include "render/resample_kernels.h"
#include "render/resample_plan.h"

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

using namespace resample_detail;

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

using Margins = EndRuns<std::uint32_t>;

Margins sourceMargins(const std::uint32_t* row, int n)
{
    Margins mg;
    mg.leadLength = runLength(row, n, 0, 1);
    mg.leadColour = 0xff000000u | row[0];
    mg.trailLength = runLength(row, n, n - 1, -1);
    mg.trailColour = 0xff000000u | row[n - 1];
    return mg;
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

} // namespace

namespace resample_detail {

#ifdef VLM_RESAMPLE_AVX2
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

    QImage converted;
    const QImage* src = &AsTrueColour(source.image(), converted);
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

Bitmap resample(const Bitmap& source, int width, int height, int filter)
{
    Bitmap result(width, height, RGBRef(0, 0, 0));
    resample(source, result, filter);
    return result;
}

} // namespace vlm

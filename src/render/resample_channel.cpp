#include "render/resample.h"

#include "render/resample_kernels.h"
#include "render/resample_plan.h"

#include <QImage>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vlm {
namespace {

using namespace resample_detail;

// One channel. Channels never mix in the full-colour passes, so the same weights,
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
    QImage converted;
    const QImage* src = &AsTrueColour(source.image(), converted);
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

} // namespace resample_detail

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
} // namespace vlm

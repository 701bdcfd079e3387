#include "render/resample_kernels.h"

#ifdef VLM_RESAMPLE_AVX2

#include <immintrin.h>

#include <cstring>

#define VLM_AVX2 __attribute__((target("avx2")))

namespace vlm::resample_detail {

namespace {

std::int32_t weightPair(std::int16_t low, std::int16_t high)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}

void fillPair(std::int32_t* out, std::int16_t low, std::int16_t high)
{
    const std::int32_t p = weightPair(low, high);
    out[0] = out[1] = out[2] = out[3] = p;
}

} // namespace

void expandRowWeights(const std::int16_t* w, int stride, std::int32_t* out)
{
    // Eight taps are one 32-byte load of pixels 0..3 | 4..7; each 128-bit half is
    // shuffled into the channel pairs (0,1) and (2,3) of its own four pixels, so
    // the weights come as [pair 0 | pair 2] and [pair 1 | pair 3], each
    // repeated over the four channels. A last group of four taps is one half.
    int k = 0;
    for (; k + 8 <= stride; k += 8, out += 16) {
        fillPair(out, w[k], w[k + 1]);
        fillPair(out + 4, w[k + 4], w[k + 5]);
        fillPair(out + 8, w[k + 2], w[k + 3]);
        fillPair(out + 12, w[k + 6], w[k + 7]);
    }
    if (k + 4 <= stride) {
        fillPair(out, w[k], w[k + 1]);
        fillPair(out + 4, w[k + 2], w[k + 3]);
    }
}

bool haveAvx2()
{
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return supported;
}

namespace {

// Channel sums -> quotient by the divisor whose reciprocal is r, truncated
// toward zero; the two saturating packs that follow limit it to 0..255.
// (n + 1/2) * r in single precision lies strictly between q and q + 1 for the
// sums and divisors the caller admits, so truncating it gives q = n div d
// exactly; a negative sum stays negative and packs to 0.
VLM_AVX2 inline __m256i divideTruncate(__m256i sums, __m256 r)
{
    const __m256 n = _mm256_add_ps(_mm256_cvtepi32_ps(sums), _mm256_set1_ps(0.5f));
    return _mm256_cvttps_epi32(_mm256_mul_ps(n, r));
}

VLM_AVX2 inline __m128i divideTruncate(__m128i sums, __m128 r)
{
    const __m128 n = _mm_add_ps(_mm_cvtepi32_ps(sums), _mm_set1_ps(0.5f));
    return _mm_cvttps_epi32(_mm_mul_ps(n, r));
}

// Pixels 0,1 (and 2,3) of a 128-bit half, widened to 16 bits with the same
// channel of both pixels side by side, ready for a pairwise multiply-add.
VLM_AVX2 inline __m128i pairs01() { return _mm_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1); }
VLM_AVX2 inline __m128i pairs23()
{
    return _mm_setr_epi8(8, -1, 12, -1, 9, -1, 13, -1, 10, -1, 14, -1, 11, -1, 15, -1);
}

// One group of eight taps: pixels 0..3 | 4..7 against the expanded weights.
VLM_AVX2 inline __m256i groupSums(const std::uint8_t* p, __m256i wa, __m256i wb)
{
    const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    return _mm256_add_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(px, _mm256_broadcastsi128_si256(pairs01())), wa),
                            _mm256_madd_epi16(_mm256_shuffle_epi8(px, _mm256_broadcastsi128_si256(pairs23())), wb));
}

// A last group of four taps, added to the low half.
VLM_AVX2 inline __m256i quadSums(const std::uint8_t* p, __m128i wa, __m128i wb)
{
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm256_zextsi128_si256(_mm_add_epi32(_mm_madd_epi16(_mm_shuffle_epi8(px, pairs01()), wa),
                                                _mm_madd_epi16(_mm_shuffle_epi8(px, pairs23()), wb)));
}

// The channel sums of one destination pixel, split over the two halves.
VLM_AVX2 inline __m256i windowSums(const std::uint8_t* p, const std::int32_t* w, int groups, bool quad)
{
    __m256i acc = _mm256_setzero_si256();
    for (int g = 0; g < groups; ++g, p += 32, w += 16)
        acc = _mm256_add_epi32(acc, groupSums(p, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w)),
                                              _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 8))));
    if (quad)
        acc = _mm256_add_epi32(acc, quadSums(p, _mm_loadu_si128(reinterpret_cast<const __m128i*>(w)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4))));
    return acc;
}

// The same for one destination pixel in two source rows, which share the
// weight loads.
VLM_AVX2 inline void windowSums(const std::uint8_t* p, const std::uint8_t* q, const std::int32_t* w, int groups,
                                bool quad, __m256i& accP, __m256i& accQ)
{
    accP = accQ = _mm256_setzero_si256();
    for (int g = 0; g < groups; ++g, p += 32, q += 32, w += 16) {
        const __m256i wa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w));
        const __m256i wb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 8));
        accP = _mm256_add_epi32(accP, groupSums(p, wa, wb));
        accQ = _mm256_add_epi32(accQ, groupSums(q, wa, wb));
    }
    if (quad) {
        const __m128i wa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
        const __m128i wb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4));
        accP = _mm256_add_epi32(accP, quadSums(p, wa, wb));
        accQ = _mm256_add_epi32(accQ, quadSums(q, wa, wb));
    }
}

// Folds, divides and packs the sums of four consecutive destination pixels.
VLM_AVX2 inline void storeFour(__m256i a0, __m256i a1, __m256i a2, __m256i a3, const float* reciprocal,
                               std::uint32_t* dst)
{
    const __m256i s01 =
        _mm256_add_epi32(_mm256_permute2x128_si256(a0, a1, 0x20), _mm256_permute2x128_si256(a0, a1, 0x31));
    const __m256i s23 =
        _mm256_add_epi32(_mm256_permute2x128_si256(a2, a3, 0x20), _mm256_permute2x128_si256(a2, a3, 0x31));
    const __m256 d = _mm256_castps128_ps256(_mm_loadu_ps(reciprocal));
    const __m256i q01 = divideTruncate(s01, _mm256_permutevar8x32_ps(d, _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1)));
    const __m256i q23 = divideTruncate(s23, _mm256_permutevar8x32_ps(d, _mm256_setr_epi32(2, 2, 2, 2, 3, 3, 3, 3)));
    // Halves hold pixels [0 2 0 2] and [1 3 1 3] after the packs.
    const __m256i packed = _mm256_packus_epi16(_mm256_packs_epi32(q01, q23), _mm256_setzero_si256());
    const __m256i out = _mm256_or_si256(_mm256_permutevar8x32_epi32(packed, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)),
                                        _mm256_set1_epi32(static_cast<int>(0xff000000u)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(out));
}

VLM_AVX2 inline std::uint32_t finishOne(__m256i a, float reciprocal)
{
    const __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1));
    __m128i q = divideTruncate(sum, _mm_set1_ps(reciprocal));
    q = _mm_packus_epi16(_mm_packs_epi32(q, q), q);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(q)) | 0xff000000u;
}

VLM_AVX2 void horizontalOneRow(const std::uint8_t* src, std::uint32_t* dst, int count, const std::int32_t* first,
                               const std::int32_t* weights, int stride, const float* reciprocal)
{
    const int groups = stride / 8;
    const bool quad = stride % 8 != 0;
    const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(stride) * 2;
    auto at = [&](int x) { return src + static_cast<std::ptrdiff_t>(first[x]) * 4; };
    // Four pixels at a time share the folding, division and packing.
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        const std::int32_t* w = weights + x * step;
        const __m256i a0 = windowSums(at(x), w, groups, quad);
        const __m256i a1 = windowSums(at(x + 1), w + step, groups, quad);
        const __m256i a2 = windowSums(at(x + 2), w + 2 * step, groups, quad);
        const __m256i a3 = windowSums(at(x + 3), w + 3 * step, groups, quad);
        storeFour(a0, a1, a2, a3, reciprocal + x, dst + x);
    }
    for (; x < count; ++x)
        dst[x] = finishOne(windowSums(at(x), weights + x * step, groups, quad), reciprocal[x]);
}

VLM_AVX2 void horizontalTwoRows(const std::uint8_t* srcP, const std::uint8_t* srcQ, std::uint32_t* dstP,
                                std::uint32_t* dstQ, int count, const std::int32_t* first,
                                const std::int32_t* weights, int stride, const float* reciprocal)
{
    const int groups = stride / 8;
    const bool quad = stride % 8 != 0;
    const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(stride) * 2;
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        __m256i p0, p1, p2, p3, q0, q1, q2, q3;
        const std::int32_t* w = weights + x * step;
        const std::ptrdiff_t f0 = first[x] * 4, f1 = first[x + 1] * 4, f2 = first[x + 2] * 4,
                             f3 = first[x + 3] * 4;
        windowSums(srcP + f0, srcQ + f0, w, groups, quad, p0, q0);
        windowSums(srcP + f1, srcQ + f1, w + step, groups, quad, p1, q1);
        windowSums(srcP + f2, srcQ + f2, w + 2 * step, groups, quad, p2, q2);
        windowSums(srcP + f3, srcQ + f3, w + 3 * step, groups, quad, p3, q3);
        storeFour(p0, p1, p2, p3, reciprocal + x, dstP + x);
        storeFour(q0, q1, q2, q3, reciprocal + x, dstQ + x);
    }
    for (; x < count; ++x) {
        __m256i p, q;
        const std::ptrdiff_t f = first[x] * 4;
        windowSums(srcP + f, srcQ + f, weights + x * step, groups, quad, p, q);
        dstP[x] = finishOne(p, reciprocal[x]);
        dstQ[x] = finishOne(q, reciprocal[x]);
    }
}

} // namespace

VLM_AVX2 void horizontalAvx2(const std::uint32_t* const* src, std::uint32_t* const* dst, int rows, int count,
                             const std::int32_t* first, const std::int32_t* weights, int stride,
                             const float* reciprocal)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(src[0]);
    if (rows == 2)
        horizontalTwoRows(p, reinterpret_cast<const std::uint8_t*>(src[1]), dst[0], dst[1], count, first, weights,
                          stride, reciprocal);
    else
        horizontalOneRow(p, dst[0], count, first, weights, stride, reciprocal);
}

namespace {

// Eight pixels of one destination row, starting at x.
VLM_AVX2 inline void verticalBlock(const std::uint32_t* const* rows, const std::int32_t* pairWeights,
                                   int pairs, __m256 d, std::uint32_t* dst, int x)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
    for (int k = 0; k < pairs; ++k) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[2 * k] + x));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[2 * k + 1] + x));
        const __m256i wk = _mm256_set1_epi32(pairWeights[k]);
        // Bytes of the two rows interleaved: each 16-bit pair below is one
        // channel of one pixel from row a and row b.
        const __m256i lo = _mm256_unpacklo_epi8(a, b);
        const __m256i hi = _mm256_unpackhi_epi8(a, b);
        acc0 = _mm256_add_epi32(acc0, _mm256_madd_epi16(_mm256_unpacklo_epi8(lo, zero), wk));
        acc1 = _mm256_add_epi32(acc1, _mm256_madd_epi16(_mm256_unpackhi_epi8(lo, zero), wk));
        acc2 = _mm256_add_epi32(acc2, _mm256_madd_epi16(_mm256_unpacklo_epi8(hi, zero), wk));
        acc3 = _mm256_add_epi32(acc3, _mm256_madd_epi16(_mm256_unpackhi_epi8(hi, zero), wk));
    }
    // The in-lane packs undo the in-lane unpacks: pixels come back in order.
    const __m256i q01 = _mm256_packs_epi32(divideTruncate(acc0, d), divideTruncate(acc1, d));
    const __m256i q23 = _mm256_packs_epi32(divideTruncate(acc2, d), divideTruncate(acc3, d));
    const __m256i out = _mm256_or_si256(_mm256_packus_epi16(q01, q23),
                                        _mm256_set1_epi32(static_cast<int>(0xff000000u)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x), out);
}

} // namespace

VLM_AVX2 void verticalAvx2(const std::uint32_t* const* rows, const std::int32_t* pairWeights, int pairs,
                           float reciprocal, std::uint32_t* dst, int width)
{
    const __m256 d = _mm256_set1_ps(reciprocal);
    int x = 0;
    for (; x + 8 <= width; x += 8)
        verticalBlock(rows, pairWeights, pairs, d, dst, x);
    if (x == width)
        return;
    if (width >= 8) {
        // Recomputing a few pixels is cheaper than a separate tail loop.
        verticalBlock(rows, pairWeights, pairs, d, dst, width - 8);
        return;
    }
    for (; x < width; ++x) {
        std::int32_t sum[4] = {0, 0, 0, 0};
        for (int k = 0; k < pairs; ++k) {
            const std::uint32_t a = rows[2 * k][x];
            const std::uint32_t b = rows[2 * k + 1][x];
            const auto wa = static_cast<std::int16_t>(pairWeights[k] & 0xffff);
            const auto wb = static_cast<std::int16_t>(static_cast<std::uint32_t>(pairWeights[k]) >> 16);
            for (int c = 0; c < 3; ++c)
                sum[c] += wa * static_cast<std::int32_t>((a >> (8 * c)) & 0xff) +
                          wb * static_cast<std::int32_t>((b >> (8 * c)) & 0xff);
        }
        std::uint32_t px = 0xff000000u;
        for (int c = 0; c < 3; ++c) {
            const auto q = static_cast<std::int32_t>((static_cast<float>(sum[c]) + 0.5f) * reciprocal);
            px |= static_cast<std::uint32_t>(q < 0 ? 0 : (q > 255 ? 255 : q)) << (8 * c);
        }
        dst[x] = px;
    }
}

namespace {

// One destination byte's window: eight partial sums of the taps.
VLM_AVX2 inline __m256i byteWindow(const std::uint8_t* p, const std::int16_t* w, int groups)
{
    __m256i acc = _mm256_setzero_si256();
    for (int g = 0; g < groups; ++g, p += 16, w += 16) {
        const __m256i px = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        acc = _mm256_add_epi32(acc, _mm256_madd_epi16(px, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w))));
    }
    return acc;
}

VLM_AVX2 inline std::uint8_t byteQuotient(std::int32_t sum, float reciprocal)
{
    const auto q = static_cast<std::int32_t>((static_cast<float>(sum) + 0.5f) * reciprocal);
    return static_cast<std::uint8_t>(q < 0 ? 0 : (q > 255 ? 255 : q));
}

} // namespace

VLM_AVX2 void horizontalBytesAvx2(const std::uint8_t* src, std::uint8_t* dst, int count, const std::int32_t* first,
                                  const std::int16_t* weights, int stride, const float* reciprocal)
{
    const int groups = stride / 16;
    int x = 0;
    // Eight destination bytes at a time share the folding and the division.
    for (; x + 8 <= count; x += 8) {
        const std::int16_t* w = weights + static_cast<std::ptrdiff_t>(x) * stride;
        __m256i a[8];
        for (int i = 0; i < 8; ++i)
            a[i] = byteWindow(src + first[x + i], w + static_cast<std::ptrdiff_t>(i) * stride, groups);
        const __m256i h01 = _mm256_hadd_epi32(a[0], a[1]);
        const __m256i h23 = _mm256_hadd_epi32(a[2], a[3]);
        const __m256i h45 = _mm256_hadd_epi32(a[4], a[5]);
        const __m256i h67 = _mm256_hadd_epi32(a[6], a[7]);
        const __m256i h0123 = _mm256_hadd_epi32(h01, h23);
        const __m256i h4567 = _mm256_hadd_epi32(h45, h67);
        // Each half holds pixels 0..3 | 4..7 of one half of the windows.
        const __m256i sums = _mm256_add_epi32(_mm256_permute2x128_si256(h0123, h4567, 0x20),
                                              _mm256_permute2x128_si256(h0123, h4567, 0x31));
        const __m256i q = divideTruncate(sums, _mm256_loadu_ps(reciprocal + x));
        const __m256i packed = _mm256_packus_epi16(_mm256_packs_epi32(q, q), _mm256_setzero_si256());
        const std::uint32_t low = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm256_castsi256_si128(packed)));
        const std::uint32_t high = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm256_extracti128_si256(packed, 1)));
        std::memcpy(dst + x, &low, 4);
        std::memcpy(dst + x + 4, &high, 4);
    }
    for (; x < count; ++x) {
        const __m256i a = byteWindow(src + first[x], weights + static_cast<std::ptrdiff_t>(x) * stride, groups);
        __m128i s4 = _mm_add_epi32(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1));
        s4 = _mm_hadd_epi32(s4, s4);
        s4 = _mm_hadd_epi32(s4, s4);
        dst[x] = byteQuotient(_mm_cvtsi128_si32(s4), reciprocal[x]);
    }
}

VLM_AVX2 void verticalBytesAvx2(const std::uint8_t* const* rows, const std::int32_t* pairWeights, int pairs,
                                float reciprocal, std::uint8_t* dst, int width)
{
    const __m256 r = _mm256_set1_ps(reciprocal);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        // Pixels 0..3 | 8..11 in lo, 4..7 | 12..15 in hi.
        __m256i lo = _mm256_setzero_si256();
        __m256i hi = _mm256_setzero_si256();
        for (int p = 0; p < pairs; ++p) {
            const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p] + x)));
            const __m256i b =
                _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p + 1] + x)));
            const __m256i w = _mm256_set1_epi32(pairWeights[p]);
            lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w));
            hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w));
        }
        const __m256i words = _mm256_packs_epi32(divideTruncate(lo, r), divideTruncate(hi, r));
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(words, words), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm256_castsi256_si128(bytes));
    }
    for (; x < width; ++x) {
        std::int32_t sum = 0;
        for (int p = 0; p < pairs; ++p) {
            const auto low = static_cast<std::int16_t>(pairWeights[p] & 0xffff);
            const auto high = static_cast<std::int16_t>((pairWeights[p] >> 16) & 0xffff);
            sum += low * rows[2 * p][x] + high * rows[2 * p + 1][x];
        }
        dst[x] = byteQuotient(sum, reciprocal);
    }
}

} // namespace vlm::resample_detail

#endif

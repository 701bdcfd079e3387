#include "output/resample_kernels.h"

#ifdef VLM_RESAMPLE_AVX2

#include <immintrin.h>

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
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

namespace {

// Channel sums -> quotient by d, truncated toward zero; the two saturating packs
// that follow limit it to 0..255.
VLM_AVX2 inline __m256i divideTruncate(__m256i sums, __m256 d)
{
    return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(sums), d));
}

VLM_AVX2 inline __m128i divideTruncate(__m128i sums, __m128 d)
{
    return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(sums), d));
}

} // namespace

VLM_AVX2 void horizontalAvx2(const std::uint32_t* src, std::uint32_t* dst, int count,
                             const std::int32_t* first, const std::int32_t* weights, int stride,
                             const float* divisor)
{
    // Pixels 0,1 (and 2,3) of a 128-bit half, widened to 16 bits with the same
    // channel of both pixels side by side, ready for a pairwise multiply-add.
    const __m128i pairs01 = _mm_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
    const __m128i pairs23 = _mm_setr_epi8(8, -1, 12, -1, 9, -1, 13, -1, 10, -1, 14, -1, 11, -1, 15, -1);
    const __m256i pairs01x2 = _mm256_broadcastsi128_si256(pairs01);
    const __m256i pairs23x2 = _mm256_broadcastsi128_si256(pairs23);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000u));
    const int groups = stride / 8;
    const bool quad = stride % 8 != 0;

    for (int x = 0; x < count; ++x) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(src + first[x]);
        const std::int32_t* w = weights + static_cast<std::ptrdiff_t>(x) * stride * 2;
        __m256i acc = _mm256_setzero_si256();
        for (int g = 0; g < groups; ++g, p += 32, w += 16) {
            const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
            const __m256i wa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w));
            const __m256i wb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 8));
            acc = _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(px, pairs01x2), wa));
            acc = _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(px, pairs23x2), wb));
        }
        __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(acc), _mm256_extracti128_si256(acc, 1));
        if (quad) {
            const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i wa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
            const __m128i wb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(px, pairs01), wa));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_shuffle_epi8(px, pairs23), wb));
        }
        __m128i q = divideTruncate(sum, _mm_set1_ps(divisor[x]));
        q = _mm_packs_epi32(q, q);
        q = _mm_packus_epi16(q, q);
        dst[x] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_or_si128(q, opaque)));
    }
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
                           float divisor, std::uint32_t* dst, int width)
{
    const __m256 d = _mm256_set1_ps(divisor);
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
            const auto q = static_cast<std::int32_t>(static_cast<float>(sum[c]) / divisor);
            px |= static_cast<std::uint32_t>(q < 0 ? 0 : (q > 255 ? 255 : q)) << (8 * c);
        }
        dst[x] = px;
    }
}

} // namespace vlm::resample_detail

#endif

#include "render/shadow_composite.h"
#include "render/resample_kernels.h"

#ifdef VLM_RESAMPLE_AVX2

#include <immintrin.h>

#include <cstring>

#define VLM_AVX2 __attribute__((target("avx2")))

namespace vlm::shadow_detail {

bool haveCompositeKernel()
{
    return resample_detail::haveAvx2();
}

namespace {

// c - (f * c + 127) div 255 in 16-bit lanes, the quotient as
// (x + 1 + (x >> 8)) >> 8, exact for every x below 2^16 that occurs.
VLM_AVX2 inline __m256i darken(__m256i c, __m256i f)
{
    const __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(f, c), _mm256_set1_epi16(127));
    const __m256i q = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_srli_epi16(x, 8)), 8);
    return _mm256_sub_epi16(c, q);
}

} // namespace

// Eight pixels whose mask bytes are `eight`, through the lanes `lanes`
// (every lane for a whole block of eight).
VLM_AVX2 inline void darkenEight(std::int64_t eight, std::uint32_t* out, __m256i lanes, bool whole)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i ones = _mm256_set1_epi8(static_cast<char>(0xff));
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    // Each half of the register holds the eight mask bytes; pixel i takes
    // byte i in all four bytes of its word (pixels 0..3 low, 4..7 high).
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, //
                                            4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
    // 255 - b for each pixel, so it unpacks beside the canvas channels
    // exactly as they do.
    const __m256i f = _mm256_xor_si256(_mm256_shuffle_epi8(_mm256_set1_epi64x(eight), spread), ones);
    auto* words = reinterpret_cast<int*>(out);
    const __m256i p = whole ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out)) : _mm256_maskload_epi32(words, lanes);
    const __m256i lo = darken(_mm256_unpacklo_epi8(p, zero), _mm256_unpacklo_epi8(f, zero));
    const __m256i hi = darken(_mm256_unpackhi_epi8(p, zero), _mm256_unpackhi_epi8(f, zero));
    const __m256i darker = _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque);
    if (whole)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), darker);
    else
        _mm256_maskstore_epi32(words, lanes, darker);
}

VLM_AVX2 void darkenRowAvx2(const std::uint8_t* mask, std::uint32_t* out, int count)
{
    const __m256i all = _mm256_set1_epi32(-1);
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        std::int64_t eight;
        std::memcpy(&eight, mask + x, 8);
        // White leaves the canvas as it is.
        if (eight != -1)
            darkenEight(eight, out + x, all, true);
    }
    if (x < count) {
        // The last few pixels through masked lanes; the mask bytes past the
        // count read as white.
        const int left = count - x;
        std::int64_t eight = -1;
        std::memcpy(&eight, mask + x, static_cast<std::size_t>(left));
        const __m256i lanes =
            _mm256_cmpgt_epi32(_mm256_set1_epi32(left), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        darkenEight(eight, out + x, lanes, false);
    }
}

} // namespace vlm::shadow_detail

#else

namespace vlm::shadow_detail {

bool haveCompositeKernel()
{
    return false;
}

void darkenRowAvx2(const std::uint8_t*, std::uint32_t*, int) {}

} // namespace vlm::shadow_detail

#endif

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

VLM_AVX2 void darkenRowAvx2(const std::uint8_t* mask, std::uint32_t* out, int count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i ones = _mm256_set1_epi8(static_cast<char>(0xff));
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    // Each half of the register holds the eight mask bytes; pixel i takes
    // byte i in all four bytes of its word (pixels 0..3 low, 4..7 high).
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, //
                                            4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
    for (int x = 0; x + 8 <= count; x += 8) {
        std::int64_t eight;
        std::memcpy(&eight, mask + x, 8);
        // White leaves the canvas as it is.
        if (eight == -1)
            continue;
        // 255 - b for each pixel, so it unpacks beside the canvas channels
        // exactly as they do.
        const __m256i f = _mm256_xor_si256(_mm256_shuffle_epi8(_mm256_set1_epi64x(eight), spread), ones);
        __m256i* at = reinterpret_cast<__m256i*>(out + x);
        const __m256i p = _mm256_loadu_si256(at);
        const __m256i lo = darken(_mm256_unpacklo_epi8(p, zero), _mm256_unpacklo_epi8(f, zero));
        const __m256i hi = darken(_mm256_unpackhi_epi8(p, zero), _mm256_unpackhi_epi8(f, zero));
        _mm256_storeu_si256(at, _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque));
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

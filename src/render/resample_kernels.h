#pragma once

// The vectorised inner loops of resample(), kept in a translation unit of their
// own that includes no standard containers: its functions are compiled for
// AVX2, and an inline library function instantiated there could otherwise be
// the copy the linker keeps for the whole program.
//
// Both kernels form exactly the sums and quotients of the portable passes:
// 32-bit integer multiply-adds, then a single-precision multiply by the
// reciprocal of the weight sum that gives the exact truncated quotient, limited
// to 0..255. That holds while every partial sum stays below 2^23 in magnitude
// and the weight sum lies in 1..8192; the caller admits nothing else.

#include <cstddef>
#include <cstdint>

namespace vlm {

class Bitmap;
struct ChannelPlane;

namespace resample_detail {

struct Tuning {
    // Off: the portable passes that machines without AVX2 run.
    bool vectorKernels = true;
    // Memory for the rows of the horizontal pass held at one time; less than
    // the windows need splits the work into vertical stripes.
    std::size_t ringBytes = std::size_t{64} << 20;
};

// resample() with its choices exposed, so that the tests can hold every way
// through it to the same bytes.
void resampleTuned(const Bitmap& source, Bitmap& destination, int filter, const Tuning& tuning);

// resampleBlue() and resampleChannel() the same way (ringBytes plays no part).
void resampleBlueTuned(const Bitmap& source, const ChannelPlane& destination, int filter, const Tuning& tuning);
void resampleChannelTuned(const ChannelPlane& source, const ChannelPlane& destination, int filter,
                          const Tuning& tuning);

} // namespace resample_detail
} // namespace vlm

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VLM_RESAMPLE_AVX2 1
#endif

#ifdef VLM_RESAMPLE_AVX2

namespace vlm::resample_detail {

// True when the processor runs the AVX2 kernels below.
bool haveAvx2();

// Lays out one destination pixel's weight window (stride int16 weights, stride a
// multiple of 4) as the horizontal kernel reads it: stride * 2 words at out.
void expandRowWeights(const std::int16_t* window, int stride, std::int32_t* out);

// Horizontal pass over one row, or two rows at once (rows is 1 or 2) that
// share the weight loads: destination pixel x reads the stride source pixels
// from src[r] + first[x] with the expanded weights at
// weights + x * stride * 2 and divides by the weight sum whose reciprocal
// is reciprocal[x].
void horizontalAvx2(const std::uint32_t* const* src, std::uint32_t* const* dst, int rows, int count,
                    const std::int32_t* first, const std::int32_t* weights, int stride, const float* reciprocal);

// Vertical pass for one destination row of width pixels: pair p multiplies
// rows[2p] by the low half of pairWeights[p] and rows[2p + 1] by its high half.
void verticalAvx2(const std::uint32_t* const* rows, const std::int32_t* pairWeights, int pairs,
                  float reciprocal, std::uint32_t* dst, int width);

// One channel of bytes. Horizontal: destination byte x reads the stride
// (a multiple of 16) source bytes from src + first[x] with the 16-bit weights
// at weights + x * stride.
void horizontalBytesAvx2(const std::uint8_t* src, std::uint8_t* dst, int count, const std::int32_t* first,
                         const std::int16_t* weights, int stride, const float* reciprocal);

// Vertical, one destination row of width bytes, the rows paired as in
// verticalAvx2.
void verticalBytesAvx2(const std::uint8_t* const* rows, const std::int32_t* pairWeights, int pairs,
                       float reciprocal, std::uint8_t* dst, int width);

} // namespace vlm::resample_detail

#endif

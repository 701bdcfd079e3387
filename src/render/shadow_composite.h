#pragma once

// The inner loop of the shadow composite, in a translation unit of its own
// that includes no standard containers: it is compiled for AVX2 and chosen at
// run time (see resample_kernels.h for why such code lives apart).

#include <cstdint>

namespace vlm::shadow_detail {

// True when darkenRowAvx2 may run on this processor.
bool haveCompositeKernel();

// out[x] for x in 0..count-1: each colour channel c becomes
// c - Round((255 - mask[x]) * c / 255), the top byte 0xff. The same bytes as
// the portable loop of the composite; nothing outside the count is read or
// written.
void darkenRowAvx2(const std::uint8_t* mask, std::uint32_t* out, int count);

} // namespace vlm::shadow_detail

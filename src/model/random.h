#pragma once

// The one source of random numbers of the model (window and picture
// identifiers). Seeded from the system at start; tests seed it themselves.

#include <cstdint>

namespace vlm {

// A uniformly drawn integer 0 <= r < n (n > 0).
std::int32_t Random(std::int32_t n);
void SeedRandom(std::uint64_t seed);

} // namespace vlm

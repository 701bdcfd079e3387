#include "model/random.h"

#include <random>

namespace vlm {

namespace {

std::mt19937_64& Engine()
{
    static std::mt19937_64 engine{std::random_device{}()};
    return engine;
}

} // namespace

std::int32_t Random(std::int32_t n)
{
    if (n <= 1)
        return 0;
    std::uniform_int_distribution<std::int32_t> pick(0, n - 1);
    return pick(Engine());
}

void SeedRandom(std::uint64_t seed)
{
    Engine().seed(seed);
}

} // namespace vlm

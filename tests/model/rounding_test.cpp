#include <gtest/gtest.h>

#include <numbers>

#include "model/geometry.h"
#include "model/rounding.h"

namespace vlm {
namespace {

TEST(Rounding, RoundTiesToEvenAndTruncTowardZero)
{
    struct Case {
        double v;
        int round;
        int trunc;
    };
    const Case cases[] = {
        {0.5, 0, 0},  {1.5, 2, 1},   {2.5, 2, 2},   {-0.5, 0, 0},  {-1.5, -2, -1},
        {-2.5, -2, -2}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-2.7, -3, -2}, {7.0, 7, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.v), c.round) << c.v;
        EXPECT_EQ(Trunc(c.v), c.trunc) << c.v;
    }
}

TEST(Geometry, DirectionIsCounterClockwiseWithYUpAndExactOnAxes)
{
    constexpr double pi = std::numbers::pi;
    EXPECT_EQ(Direction(0, 0, 10, 0), 0.0);
    EXPECT_EQ(Direction(0, 0, -10, 0), pi);
    EXPECT_EQ(Direction(0, 0, 0, 10), 3 * pi / 2); // below on screen
    EXPECT_EQ(Direction(0, 0, 0, -10), pi / 2);
    EXPECT_EQ(Direction(5, 5, 5, 5), 0.0);
    EXPECT_NEAR(Direction(0, 0, 10, -10), pi / 4, 1e-12);
    EXPECT_NEAR(Direction(0, 0, 10, 10), 7 * pi / 4, 1e-12);
}

} // namespace
} // namespace vlm

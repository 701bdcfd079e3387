#include "render/shadow_sample.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

// The square spans x 35..134 and y 25..124 of the 230 x 150 picture.
constexpr int kLeft = 35, kTop = 25, kRight = 134, kBottom = 124;

int Red(const Bitmap& b, int x, int y)
{
    return RedOf(b.pixel(x, y));
}

TEST(ShadowSample, OffsetFollowsElevationAndScreenResolution)
{
    EXPECT_EQ(ShadowSampleOffset(85, 96), 10);
    EXPECT_EQ(ShadowSampleOffset(85, 144), 15);
    EXPECT_EQ(ShadowSampleOffset(0, 96), 0);
    EXPECT_EQ(ShadowSampleOffset(255, 96), 30);
}

TEST(ShadowSample, TheSquareIsBlueAndItsShadowFallsAwayFromTheLight)
{
    const Bitmap lit = MakeShadowSample(85, 0, 60, 0, 96); // light from the top left
    ASSERT_EQ(lit.width(), kShadowSampleWidth);
    ASSERT_EQ(lit.height(), kShadowSampleHeight);
    EXPECT_EQ(lit.pixel(85, 75), 0xFF0000u); // the square itself
    // Right of and below the square lies its shadow (10 pixels wide), not
    // left of or above it.
    const int shadowRed = Red(lit, kRight + 5, kBottom - 10);
    EXPECT_LT(shadowRed, Red(lit, kLeft - 5, kBottom - 10));
    EXPECT_LT(Red(lit, kLeft + 20, kBottom + 5), Red(lit, kLeft + 20, kTop - 5));
    // The picture below is multiplied by lightness / 255 (about a quarter).
    EXPECT_GT(shadowRed, 45);
    EXPECT_LT(shadowRed, 65);

    const Bitmap other = MakeShadowSample(85, 0, 60, 3, 96); // from the bottom right
    EXPECT_LT(Red(other, kLeft - 5, kTop + 10), Red(other, kRight + 5, kTop + 10));
}

TEST(ShadowSample, FadeSoftensTheEdgeAndNoElevationHidesTheShadow)
{
    const Bitmap sharp = MakeShadowSample(85, 0, 0, 0, 96);
    const Bitmap soft = MakeShadowSample(85, 120, 0, 0, 96);
    // Just outside the shadow's edge: untouched when sharp, darkened when
    // faded.
    const int x = kRight + 10 + 3, y = kTop + 50;
    EXPECT_GT(Red(sharp, x, y), Red(soft, x, y));
    EXPECT_EQ(Red(sharp, kRight + 5, y), 0);

    const Bitmap flat = MakeShadowSample(0, 0, 0, 0, 96);
    const Bitmap none = MakeShadowSample(0, 0, 255, 0, 96);
    EXPECT_EQ(flat.pixel(kRight + 5, y), none.pixel(kRight + 5, y));
}

} // namespace
} // namespace vlm

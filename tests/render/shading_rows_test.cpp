// The shading loops work a row at a time with cheap arithmetic; these hold
// them to the formulas they stand for, pixel for pixel, on masks, bands and
// highlights of every kind: inside and outside the mask, upright, level and
// slanted, short ramps and long ones, and the mask partly off the canvas.

#include <gtest/gtest.h>

#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/polar.h"
#include "render/shading.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace vlm {
namespace {

// A mask of w x h with a random mix of outline, fill and unmarked pixels;
// sparse masks leave long unmarked stretches, like hollow shapes do.
ShadingMask RandomMask(std::mt19937& rng, int w, int h, QPoint origin, bool sparse = false)
{
    ShadingMask mask;
    mask.bitmap = Bitmap(w, h, kMaskBackground);
    mask.origin = origin;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned pick = sparse ? (rng() % 40 == 0 ? rng() % 4 : 4) : rng() % 5;
            if (pick == 0)
                mask.bitmap.setPixel(x, y, kMaskOutline);
            else if (pick < 4)
                mask.bitmap.setPixel(x, y, kMaskFill);
        }
    return mask;
}

Bitmap Page(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, RGBRef(x & 255, y & 255, 99));
    return b;
}

constexpr ColorRef kFill = RGBRef(40, 140, 220);
constexpr ColorRef kLine = RGBRef(200, 30, 60);

TEST(ShadingRows, TheRoundDomeGivesTheFormulasRows)
{
    std::mt19937 rng(4242);
    for (int trial = 0; trial < 60; ++trial) {
        const int w = 1 + static_cast<int>(rng() % 90);
        const int h = 1 + static_cast<int>(rng() % 90);
        const QPoint origin(static_cast<int>(rng() % 100) - 20, static_cast<int>(rng() % 100) - 20);
        const ShadingMask mask = RandomMask(rng, w, h, origin, trial % 3 == 1);
        DomeGeometry dome;
        // Half of the highlights inside the mask, where the distance reaches 0.
        if (trial % 2 == 0)
            dome.highlight = origin + QPoint(static_cast<int>(rng() % static_cast<unsigned>(w)),
                                             static_cast<int>(rng() % static_cast<unsigned>(h)));
        else
            dome.highlight = QPoint(static_cast<int>(rng() % 300) - 100, static_cast<int>(rng() % 300) - 100);
        dome.rampLength = 1 + static_cast<int>(rng() % 200);
        const int level = static_cast<int>(rng() % 256);

        Bitmap actual = Page(120, 110);
        {
            Canvas canvas(actual);
            ShadeDome(canvas, mask, dome, kFill, kLine, level);
        }
        // Row Round(distance) + D div 2, reduced once into the ramp.
        Bitmap expected = Page(120, 110);
        const std::vector<ColorRef> fill = ShadingRamp(dome.rampLength, level, kFill);
        const std::vector<ColorRef> line = ShadingRamp(dome.rampLength, level, kLine);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QPoint at = origin + QPoint(x, y);
                const ColorRef marker = mask.bitmap.pixel(x, y);
                if (at.x() < 0 || at.y() < 0 || at.x() >= 120 || at.y() >= 110 || marker == kMaskBackground)
                    continue;
                const int row = ReduceRampRow(Round(Distance(at, dome.highlight)) + dome.rampLength / 2,
                                              dome.rampLength);
                expected.setPixel(at.x(), at.y(), (marker == kMaskFill ? fill : line)[row]);
            }
        ASSERT_TRUE(actual.image() == expected.image()) << "trial " << trial;
    }
}

TEST(ShadingRows, BandsGiveTheFormulasRowsAtEverySlant)
{
    std::mt19937 rng(777);
    for (int trial = 0; trial < 80; ++trial) {
        const int w = 1 + static_cast<int>(rng() % 80);
        const int h = 1 + static_cast<int>(rng() % 80);
        const QPoint origin(static_cast<int>(rng() % 100) - 20, static_cast<int>(rng() % 100) - 20);
        const ShadingMask mask = RandomMask(rng, w, h, origin, trial % 5 < 2);
        BandGeometry band;
        band.refA = QPoint(static_cast<int>(rng() % 200) - 50, static_cast<int>(rng() % 200) - 50);
        // Upright, level, nearly so and slanted reference sides.
        switch (trial % 4) {
        case 0:
            band.refB = band.refA + QPoint(static_cast<int>(rng() % 5) - 2, 60);
            break;
        case 1:
            band.refB = band.refA + QPoint(70, 0);
            break;
        default:
            band.refB = QPoint(static_cast<int>(rng() % 200) - 50, static_cast<int>(rng() % 200) - 50);
        }
        band.length = 1 + static_cast<int>(rng() % 120);
        band.theta = (rng() % 628) / 100.0;
        band.lambda = BandLightAngle(static_cast<int>(rng() % 4));
        const int level = static_cast<int>(rng() % 256);

        Bitmap actual = Page(110, 100);
        {
            Canvas canvas(actual);
            ShadeBand(canvas, mask, band, kFill, kLine, level);
        }
        // Row L + Round(sin(theta + lambda) * Trunc(L / 4)) - Round(X), X the
        // distance to the perpendicular foot on the reference side.
        Bitmap expected = Page(110, 100);
        const int L = band.length;
        const std::vector<ColorRef> fill = ShadingRamp(L, level, kFill);
        const std::vector<ColorRef> line = ShadingRamp(L, level, kLine);
        const PerpendicularFootOnto foot(band.refA, band.refB);
        const long long base = L + Round(std::sin(band.theta + band.lambda) * Trunc(L / 4.0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QPoint at = origin + QPoint(x, y);
                const ColorRef marker = mask.bitmap.pixel(x, y);
                if (at.x() < 0 || at.y() < 0 || at.x() >= 110 || at.y() >= 100 || marker == kMaskBackground)
                    continue;
                const int row = ReduceRampRow(base - Round(Distance(at, foot(at))), L);
                expected.setPixel(at.x(), at.y(), (marker == kMaskFill ? fill : line)[row]);
            }
        ASSERT_TRUE(actual.image() == expected.image()) << "trial " << trial;
    }
}

TEST(ShadingRows, RampsGiveTheFormulasColours)
{
    std::mt19937 rng(99);
    for (int trial = 0; trial < 300; ++trial) {
        const int length = 1 + static_cast<int>(rng() % 300);
        const int level = trial % 3 == 0 ? 127 : static_cast<int>(rng() % 256);
        const int r = static_cast<int>(rng() % 256), g = static_cast<int>(rng() % 256), b = static_cast<int>(rng() % 256);
        const std::vector<ColorRef> ramp = ShadingRamp(length, level, RGBRef(r, g, b));
        ASSERT_EQ(static_cast<int>(ramp.size()), length);
        const int spread = std::max({std::abs(r - b), std::abs(r - g), std::abs(g - b)});
        const double lift = Round((1.0 - (r + g + b) / 765.0) * (1.0 - spread / 255.0) * 0.75 * (255 - level));
        const double p = std::clamp(36.0 / length, 1.5, 3.0);
        for (int row = 0; row < length; ++row) {
            const double e = std::max(0.0, std::sin((row + 1.0) / length * std::numbers::pi));
            const double k = (std::pow(e, p) * (255 - level) + level) / 255.0;
            auto channel = [&](int c) { return std::clamp(Round((lift + c) * k), 0, 255); };
            ASSERT_EQ(ramp[static_cast<std::size_t>(row)], RGBRef(channel(r), channel(g), channel(b)))
                << "length " << length << " level " << level << " row " << row;
        }
    }
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "render/raster_effects.h"
#include "render/shading.h"
#include "test_pixels.h"

#include <cmath>
#include <vector>

namespace vlm {
namespace {

using test::kWhite;
using test::MakeShape;

constexpr ColorRef kGrey = RGBRef(128, 128, 128);
constexpr ColorRef kDeep = RGBRef(40, 80, 160);

int Brightness(ColorRef c)
{
    return RedOf(c) + GreenOf(c) + BlueOf(c);
}

TEST(ShadingRamp, ValuesWorkedOutByHand)
{
    const ColorRef red = RGBRef(255, 0, 0);
    struct Case {
        int length, level;
        ColorRef colour;
        std::vector<ColorRef> ramp;
    };
    // L = 4 takes the exponent 3: k = (sin^3 * 128 + 127) / 255 is 0.6755, 1,
    // 0.6755, 127 / 255. White and pure red get no lift; black gets
    // Round(0.75 * 128) = 96; the grey 128 gets Round(0.498 * 96) = 48.
    const Case cases[] = {
        {4, 127, kWhite, {RGBRef(172, 172, 172), kWhite, RGBRef(172, 172, 172), RGBRef(127, 127, 127)}},
        {4, 127, red, {RGBRef(172, 0, 0), red, RGBRef(172, 0, 0), RGBRef(127, 0, 0)}},
        {4, 127, 0, {RGBRef(65, 65, 65), RGBRef(96, 96, 96), RGBRef(65, 65, 65), RGBRef(48, 48, 48)}},
        // Level 255 leaves the colour alone all along.
        {3, 255, kDeep, {kDeep, kDeep, kDeep}},
        {1, 127, kWhite, {RGBRef(127, 127, 127)}},
        {0, 127, kWhite, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShadingRamp(c.length, c.level, c.colour), c.ramp) << c.length << " " << c.colour;

    // Grey over 12 rows: the middle row lifted to 176, the ends about half of it.
    const std::vector<ColorRef> grey = ShadingRamp(12, 127, kGrey);
    EXPECT_EQ(grey[5], RGBRef(176, 176, 176));
    EXPECT_EQ(grey[11], RGBRef(88, 88, 88));
}

TEST(ShadingRamp, RowsReduceOnceIntoTheRamp)
{
    EXPECT_EQ(ReduceRampRow(-3, 10), 7);
    EXPECT_EQ(ReduceRampRow(12, 10), 2);
    EXPECT_EQ(ReduceRampRow(5, 10), 5);
    // Whatever damaged geometry produces stays inside.
    EXPECT_EQ(ReduceRampRow(-100, 10), 0);
    EXPECT_EQ(ReduceRampRow(100, 10), 9);
}

Bitmap Draw(Item& item, bool shaded, int light = 0)
{
    const RasterEffects effects;
    DrawContext ctx;
    ctx.effects = &effects;
    ctx.lightDirection = light;
    item.rec.d.surface = shaded ? 127 : 0;
    Bitmap bmp(160, 160);
    {
        Canvas canvas(bmp);
        DrawItem(canvas, ctx, item, false);
    }
    return bmp;
}

std::unique_ptr<Item> Line(int width)
{
    return test::MakeLine({10, 50}, {150, 50}, width, kDeep);
}

TEST(Shading, LinesAreShadedFromFourPixels)
{
    auto thin = Line(3);
    const Bitmap flat3 = Draw(*thin, false);
    const Bitmap round3 = Draw(*thin, true);
    EXPECT_EQ(test::Picture(round3, 0, 0, 160, 160, kWhite), test::Picture(flat3, 0, 0, 160, 160, kWhite));
    for (int y = 47; y <= 52; ++y)
        EXPECT_EQ(round3.pixel(80, y), flat3.pixel(80, y)) << y;

    auto wide = Line(8);
    const Bitmap round8 = Draw(*wide, true);
    // Across the band the colour changes, along it it stays.
    std::vector<ColorRef> across;
    for (int y = 46; y <= 53; ++y)
        across.push_back(round8.pixel(80, y));
    EXPECT_NE(across.front(), across[3]);
    EXPECT_EQ(round8.pixel(40, 48), round8.pixel(120, 48));
    // Lit from above: the upper half is brighter than the lower.
    EXPECT_GT(Brightness(round8.pixel(80, 48)), Brightness(round8.pixel(80, 53)));
}

// The surface changes colours, never which pixels are drawn.
TEST(Shading, EveryKindShadesExactlyItsFlatPixels)
{
    std::vector<std::unique_ptr<Item>> items;
    items.push_back(MakeShape(KindCircle, {{80, 80}, {80, 40}}, kDeep, 1.0, RGBRef(200, 40, 40)));
    items.push_back(MakeShape(KindEllipse, {{80, 80}, {140, 60}, {70, 60}}, kDeep, 0.5, RGBRef(200, 40, 40)));
    items.push_back(MakeShape(KindRectangle, {{20, 30}, {140, 30}, {140, 110}, {20, 110}}, kDeep, 1.0, 0));
    items.push_back(MakeShape(KindSquare, {{30, 30}, {110, 50}, {90, 130}, {10, 110}}, -2, 0.0, kDeep));
    items.push_back(MakeShape(KindTriangle, {{20, 140}, {80, 20}, {140, 140}}, kDeep, 0.5, 0));
    items.push_back(MakeShape(KindSpline, {{20, 20}, {140, 60}, {60, 140}}, -1, 1.0, kDeep));
    items.push_back(MakeShape(KindPolygon, {{80, 80}, {140, 80}}, kDeep, 0.5, 0));
    items.push_back(MakeShape(KindStar, {{80, 80}, {80, 20}, {100, 80}}, -2, 0.0, kDeep));
    items.push_back(MakeShape(KindPie, {{80, 80}, {140, 80}, {80, 20}}, kDeep, 0.5, 0));
    items.push_back(MakeShape(KindArc, {{80, 80}, {140, 80}, {20, 80}}, -1, 1.0, kDeep));
    items[6]->rec.d.sides = 7;
    items[7]->rec.d.sides = 5;
    auto text = test::MakeText(u"Shaded", {10, 100}, {150, 100}, 1, 0, 28);
    text->rec.d.textColor = kDeep;
    items.push_back(std::move(text));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Bitmap flat = Draw(*items[i], false);
        const Bitmap round = Draw(*items[i], true);
        EXPECT_EQ(test::Picture(round, 0, 0, 160, 160, kWhite), test::Picture(flat, 0, 0, 160, 160, kWhite))
            << "kind " << items[i]->rec.d.kind;
        // And the colours did change.
        int changed = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                changed += round.pixel(x, y) != flat.pixel(x, y);
        EXPECT_GT(changed, 20) << "kind " << items[i]->rec.d.kind;
    }
}

TEST(Shading, RoundCircleIsBrightAtTheHighlightAndDarkAtTheOppositeRim)
{
    struct Case {
        int light;
        QPoint highlight; // centre 80 -+ 40 / 6
        QPoint away;      // the quadrant opposite the light
    };
    const Case cases[] = {
        {0, {67, 67}, {1, 1}},
        {1, {93, 67}, {-1, 1}},
        {2, {67, 93}, {1, -1}},
        {3, {93, 93}, {-1, -1}},
    };
    for (const Case& c : cases) {
        auto circle = MakeShape(KindCircle, {{80, 80}, {80, 40}}, -2, 0.0, kGrey);
        const Bitmap bmp = Draw(*circle, true, c.light);
        int brightest = 0, darkest = 1000;
        QPoint brightAt, darkAt;
        for (int y = 40; y < 120; ++y)
            for (int x = 40; x < 120; ++x) {
                const ColorRef p = bmp.pixel(x, y);
                if (p == kWhite)
                    continue;
                if (Brightness(p) > brightest) {
                    brightest = Brightness(p);
                    brightAt = {x, y};
                }
                if (Brightness(p) < darkest) {
                    darkest = Brightness(p);
                    darkAt = {x, y};
                }
            }
        EXPECT_LE((brightAt - c.highlight).manhattanLength(), 4) << c.light << " " << brightAt.x() << "," << brightAt.y();
        const QPoint fromCentre = darkAt - QPoint(80, 80);
        EXPECT_GT(fromCentre.x() * c.away.x(), 0) << c.light << " " << darkAt.x() << "," << darkAt.y();
        EXPECT_GT(fromCentre.y() * c.away.y(), 0) << c.light << " " << darkAt.x() << "," << darkAt.y();
        EXPECT_GT(std::hypot(fromCentre.x(), fromCentre.y()), 32.0) << c.light; // at the rim
        EXPECT_GT(brightest, darkest + 150) << c.light;
    }
}

TEST(Shading, WhiteGetsNoLiftButStillDarkensToItsEdges)
{
    auto circle = MakeShape(KindCircle, {{80, 80}, {80, 40}}, -2, 0.0, kWhite);
    const Bitmap bmp = Draw(*circle, true);
    test::Extent ink = test::InkExtent(bmp);
    EXPECT_EQ(bmp.pixel(67, 67), kWhite); // the highlight: the colour itself, no brighter
    const ColorRef edge = bmp.pixel(110, 100);
    EXPECT_EQ(RedOf(edge), GreenOf(edge));
    EXPECT_EQ(GreenOf(edge), BlueOf(edge));
    EXPECT_LT(RedOf(edge), 200);
    EXPECT_GT(ink.right, 100);
}

TEST(Shading, SquaresShadeAcrossTheirSecondSide)
{
    auto rect = MakeShape(KindRectangle, {{20, 30}, {140, 30}, {140, 110}, {20, 110}}, kDeep, 0.0, kDeep);
    const Bitmap bmp = Draw(*rect, true);
    // The band runs along the first side: rows are even, columns change.
    for (int y = 32; y < 108; y += 7)
        EXPECT_EQ(bmp.pixel(30, y), bmp.pixel(130, y)) << y;
    EXPECT_NE(bmp.pixel(80, 35), bmp.pixel(80, 70));
    // Brighter towards the light, above the middle.
    EXPECT_GT(Brightness(bmp.pixel(80, 60)), Brightness(bmp.pixel(80, 105)));
}

TEST(Shading, ShapesTooSmallToShadeDrawNothing)
{
    auto dot = MakeShape(KindCircle, {{80, 80}, {80, 80}}, -2, 0.0, kDeep);
    EXPECT_EQ(test::InkExtent(Draw(*dot, true)), test::Extent{});
    auto flatEllipse = MakeShape(KindEllipse, {{80, 80}, {120, 80}, {100, 80}}, -2, 0.0, kDeep);
    EXPECT_EQ(test::InkExtent(Draw(*flatEllipse, true)), test::Extent{});
    auto twoPoints = MakeShape(KindRectangle, {{20, 20}, {120, 20}}, -2, 0.0, kDeep);
    EXPECT_EQ(test::InkExtent(Draw(*twoPoints, true)), test::Extent{});
    EXPECT_NE(test::InkExtent(Draw(*twoPoints, false)), test::Extent{});
}

TEST(Shading, QuickAndFastDrawingsAreFlat)
{
    const RasterEffects effects;
    auto circle = MakeShape(KindCircle, {{80, 80}, {80, 40}}, -2, 0.0, kDeep);
    circle->rec.d.surface = 127;
    circle->rec.d.shadowElevation = 85;
    const Bitmap flat = [&] {
        auto same = MakeShape(KindCircle, {{80, 80}, {80, 40}}, -2, 0.0, kDeep);
        return test::Render(*same, {}, 160, 160);
    }();
    struct Case {
        bool quick, fast, shadows, effects3D;
    };
    const Case cases[] = {{true, false, true, true}, {false, true, true, true}, {false, false, false, false}};
    for (const Case& c : cases) {
        DrawContext ctx;
        ctx.effects = &effects;
        ctx.fastPaint = c.fast;
        ctx.showShadows = c.shadows;
        ctx.show3DEffects = c.effects3D;
        const Bitmap bmp = test::Render(*circle, ctx, 160, 160, c.quick);
        EXPECT_EQ(test::Picture(bmp, 0, 0, 160, 160, std::map<ColorRef, char>{{kWhite, '.'}, {kDeep, '#'}}),
                  test::Picture(flat, 0, 0, 160, 160, std::map<ColorRef, char>{{kWhite, '.'}, {kDeep, '#'}}))
            << c.quick << c.fast;
    }
}

} // namespace
} // namespace vlm

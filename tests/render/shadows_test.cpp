#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "render/raster_effects.h"
#include "render/shadow_composite.h"
#include "render/shadows.h"
#include "render/view_extent.h"
#include "test_pixels.h"

#include <cmath>
#include <random>
#include <set>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::kBlack;
using test::kRed;
using test::kWhite;
using test::MakeShape;
using test::Shadow;

// A 30 x 30 "Solid" red square at (40, 40).
std::unique_ptr<Item> Square(std::int32_t fill = -2)
{
    return MakeShape(KindSquare, {{40, 40}, {70, 40}, {70, 70}, {40, 70}}, fill, 0.0, kRed);
}

Bitmap Draw(Item& item, DrawContext ctx = {}, ColorRef background = kWhite, int size = 160)
{
    const RasterEffects effects;
    ctx.effects = &effects;
    Bitmap bmp(size, size, background);
    {
        Canvas canvas(bmp);
        DrawItem(canvas, ctx, item, false);
    }
    return bmp;
}

TEST(Shadows, OffsetAndSpread)
{
    ScreenMetrics m; // 96 dpi
    EXPECT_EQ(ShadowOffset(1.0, 85, m), 10);
    EXPECT_EQ(ShadowOffset(2.0, 85, m), 20);
    EXPECT_EQ(ShadowOffset(1.0, 50, m), 6); // the "Medium" shadow: Round(5.88)
    EXPECT_EQ(ShadowOffset(1.0, 0, m), 0);
    m.dpiY = 120;
    EXPECT_EQ(ShadowOffset(1.0, 85, m), 12); // 10 / 96 * 120 = 12.5, rounded half to even
    EXPECT_DOUBLE_EQ(ShadowSpread(0), 1.0);
    EXPECT_DOUBLE_EQ(ShadowSpread(120), 5.0);
    EXPECT_DOUBLE_EQ(ShadowSpread(255), 5.0);
    EXPECT_DOUBLE_EQ(ShadowSpread(30), 2.0);
}

TEST(Shadows, HardBlackShadowFallsAwayFromTheLight)
{
    struct Case {
        int light;
        Extent ink;
        QPoint shadowPixel;
    };
    // The square covers 40..70; its shadow lies 10 pixels further on.
    const Case cases[] = {
        {0, {40, 40, 80, 80}, {75, 75}},
        {1, {30, 40, 70, 80}, {35, 75}},
        {2, {40, 30, 80, 70}, {75, 35}},
        {3, {30, 30, 70, 70}, {35, 35}},
        {7, {40, 40, 80, 80}, {75, 75}}, // any other value reads as 0
    };
    for (const Case& c : cases) {
        auto item = Square();
        Shadow(*item, 85, 0, 0);
        DrawContext ctx;
        ctx.lightDirection = c.light <= 3 ? c.light : 0;
        const Bitmap bmp = Draw(*item, ctx);
        EXPECT_EQ(InkExtent(bmp), c.ink) << c.light;
        EXPECT_EQ(bmp.pixel(c.shadowPixel.x(), c.shadowPixel.y()), kBlack) << c.light;
        EXPECT_EQ(bmp.pixel(55, 55), kRed) << c.light; // the body is drawn over its shadow
    }
}

TEST(Shadows, ZoomDoublesTheOffset)
{
    auto item = Square();
    Shadow(*item, 85, 0, 0);
    DrawContext ctx;
    ctx.zoom = 2.0;
    const Bitmap bmp = Draw(*item, ctx, kWhite, 220);
    // The square covers 80..140 at 200 %; the shadow 20 further on.
    EXPECT_EQ(InkExtent(bmp), (Extent{80, 80, 160, 160}));
}

TEST(Shadows, LightnessMultipliesTheCanvas)
{
    const ColorRef grey = RGBRef(200, 100, 50);
    struct Case {
        int lightness;
        ColorRef expected;
    };
    // c * b / 255, rounded: 200 * 110 / 255 = 86.27, 100 * 110 / 255 = 43.1, 50 * 110 / 255 = 21.6.
    const Case cases[] = {{0, kBlack}, {110, RGBRef(86, 43, 22)}, {255, grey}};
    for (const Case& c : cases) {
        auto item = Square();
        Shadow(*item, 85, 0, c.lightness);
        const Bitmap bmp = Draw(*item, {}, grey);
        EXPECT_EQ(bmp.pixel(75, 75), c.expected) << c.lightness;
        if (c.lightness == 255) {
            EXPECT_EQ(InkExtent(bmp, grey), (Extent{40, 40, 70, 70}));
        }
    }
}

TEST(Shadows, FadeSoftensAndSpreads)
{
    auto hard = Square();
    Shadow(*hard, 85, 0, 0);
    auto soft = Square();
    Shadow(*soft, 85, 120, 0);
    const Bitmap h = Draw(*hard);
    const Bitmap s = Draw(*soft);

    auto shades = [](const Bitmap& bmp) {
        std::set<ColorRef> seen;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                if (bmp.pixel(x, y) != kRed)
                    seen.insert(bmp.pixel(x, y));
        return seen;
    };
    // Hard-edged: only black and white besides the body.
    EXPECT_EQ(shades(h), (std::set<ColorRef>{kBlack, kWhite}));
    // Soft: greys in between, and the shadow reaches past the hard one.
    EXPECT_GT(shades(s).size(), 10u);
    const Extent hardInk = InkExtent(h);
    const Extent softInk = InkExtent(s);
    EXPECT_GT(softInk.right, hardInk.right);
    EXPECT_GT(softInk.bottom, hardInk.bottom);
    EXPECT_LT(softInk.left, hardInk.left);
}

TEST(Shadows, ClearShapesCastOnlyTheirOutline)
{
    auto hollow = MakeShape(KindSquare, {{20, 20}, {80, 20}, {80, 80}, {20, 80}}, -1, 0.0, kRed);
    Shadow(*hollow, 85, 0, 0);
    auto solid = MakeShape(KindSquare, {{20, 20}, {80, 20}, {80, 80}, {20, 80}}, -2, 0.0, kRed);
    Shadow(*solid, 85, 0, 0);
    const Bitmap h = Draw(*hollow);
    const Bitmap s = Draw(*solid);
    EXPECT_EQ(h.pixel(60, 60), kWhite); // inside both the hollow square and its hollow shadow
    EXPECT_EQ(h.pixel(85, 60), kWhite);
    EXPECT_EQ(h.pixel(90, 60), kBlack); // the shadow of the right edge
    EXPECT_EQ(s.pixel(85, 60), kBlack);
}

TEST(Shadows, LinesCastTheirDashesAndTextsTheirGlyphs)
{
    auto line = test::MakeLine({10, 40}, {150, 40}, 4, kRed);
    line->rec.d.pattern = 2; // dashed
    Shadow(*line, 85, 0, 0);
    const Bitmap bmp = Draw(*line);
    int dark = 0, light = 0;
    for (int x = 20; x < 150; ++x)
        (bmp.pixel(x, 51) == kBlack ? dark : light) += 1;
    EXPECT_GT(dark, 10);
    EXPECT_GT(light, 10);

    auto text = test::MakeText(u"Hi", {20, 60}, {120, 60}, 1, 0, 24);
    Shadow(*text, 85, 0, 0);
    const Bitmap t = Draw(*text);
    const Bitmap flat = test::Render(*text);
    // Every shadow pixel is a glyph pixel moved by (10, 10); the box itself stays clear.
    int shadowPixels = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            if (t.pixel(x, y) == kBlack && flat.pixel(x, y) == kWhite) {
                ++shadowPixels;
                EXPECT_NE(flat.pixel(x - 10, y - 10), kWhite) << x << "," << y;
            }
        }
    EXPECT_GT(shadowPixels, 20);
}

TEST(Shadows, NothingWithoutElevationAndClipsNeedALightness)
{
    auto item = Square();
    Shadow(*item, 0, 120, 0);
    EXPECT_EQ(InkExtent(Draw(*item)), (Extent{40, 40, 70, 70}));

    auto clip = std::make_unique<Item>();
    DrawingFields& d = clip->rec.d;
    d.role = RoleDrawing;
    d.kind = KindClip;
    d.x1 = 40;
    d.y1 = 40;
    d.x2 = 70;
    d.y2 = 70;
    Shadow(*clip, 85, 0, 0);
    EXPECT_EQ(InkExtent(Draw(*clip)), (Extent{})); // lightness 0: no shadow, and no picture renderer
    Shadow(*clip, 85, 0, 50);
    const Bitmap bmp = Draw(*clip);
    EXPECT_EQ(InkExtent(bmp), (Extent{50, 50, 80, 80}));
    EXPECT_EQ(bmp.pixel(60, 60), RGBRef(50, 50, 50));
}

TEST(Shadows, HugeItemsCastOnlyWhatTheCanvasCanShow)
{
    // A page-sized square at a large zoom, or a damaged record: the work
    // bitmap is cut to the canvas instead of covering the whole shape.
    auto item = MakeShape(KindSquare, {{-2000000, -2000000}, {150, -2000000}, {150, 150}, {-2000000, 150}}, -2, 0.0,
                          kRed);
    Shadow(*item, 85, 60, 0);
    const Bitmap bmp = Draw(*item);
    EXPECT_EQ(bmp.pixel(100, 100), kRed);
    // The shadow's soft edge past the right and bottom edges.
    EXPECT_LT(RedOf(bmp.pixel(155, 100)), 128);
    EXPECT_LT(RedOf(bmp.pixel(100, 155)), 128);
}

TEST(Shadows, ReachGrowsRepaintsAwayFromTheLight)
{
    ScreenMetrics m;
    auto item = Square();
    Shadow(*item, 85, 20, 100);
    EXPECT_EQ(ShadowReach(*item, m), 30);
    const PixelRect box{100, 100, 200, 200};
    EXPECT_EQ(GrownByShadowReach(box, *item, m, 0), (PixelRect{100, 100, 230, 230}));
    EXPECT_EQ(GrownByShadowReach(box, *item, m, 1), (PixelRect{70, 100, 200, 230}));
    EXPECT_EQ(GrownByShadowReach(box, *item, m, 2), (PixelRect{100, 70, 230, 200}));
    EXPECT_EQ(GrownByShadowReach(box, *item, m, 3), (PixelRect{70, 70, 200, 200}));

    // A framed Clip's frame takes its share of the reach.
    auto clip = std::make_unique<Item>();
    clip->rec.d.kind = KindClip;
    clip->rec.d.framed = 1;
    clip->rec.d.weight = 2.0; // 8 pixels at 96 dpi
    Shadow(*clip, 85, 0, 100);
    EXPECT_EQ(ShadowReach(*clip, m), 10 - PenWidthAtZoom(1.0, 2.0, m));
    // No reach, no growth.
    Shadow(*clip, 0, 0, 0);
    EXPECT_EQ(GrownByShadowReach(box, *clip, m, 0), box);

    // The view's repaint extent uses it.
    item->rec.d.left = 100;
    item->rec.d.top = 100;
    item->rec.d.right = 200;
    item->rec.d.bottom = 200;
    EXPECT_EQ(RepaintExtent(*item, m, 3), (PixelRect{70, 70, 200, 200}));
}

TEST(Shadows, BlurAndCompositeWorkOnlyWhereTheShadowIs)
{
    ShadowScratch scratch;
    const Bitmap like(1, 1);
    Bitmap& shadow = scratch.take(0, 40, 40, kWhite, like);
    for (int y = 15; y < 25; ++y)
        for (int x = 15; x < 25; ++x)
            shadow.setPixel(x, y, RGBRef(0, 0, 0));
    BlurShadow(shadow, 20, scratch);
    // The blur spreads the dark square, keeps it centred and leaves the far corners white.
    EXPECT_EQ(shadow.pixel(0, 0), kWhite);
    EXPECT_EQ(shadow.pixel(39, 39), kWhite);
    EXPECT_LT(BlueOf(shadow.pixel(20, 20)), 128);
    EXPECT_LT(BlueOf(shadow.pixel(13, 20)), 255);
    EXPECT_EQ(BlueOf(shadow.pixel(13, 20)), BlueOf(shadow.pixel(26, 20)));

    // Composited partly off the canvas: clipped, and white leaves the canvas alone.
    Bitmap canvasBitmap(30, 30, RGBRef(100, 100, 100));
    {
        Canvas canvas(canvasBitmap);
        CompositeShadow(canvas, shadow, {-10, -10});
    }
    EXPECT_EQ(canvasBitmap.pixel(29, 29), RGBRef(100, 100, 100));
    EXPECT_LT(RedOf(canvasBitmap.pixel(10, 10)), 50);

    // A scratch bitmap of another size reuses the memory and starts afresh.
    Bitmap& again = scratch.take(0, 8, 5, kRed, like);
    EXPECT_EQ(again.width(), 8);
    EXPECT_EQ(again.pixel(7, 4), kRed);
}

// DrawShadow blurs and composites only the blue channel; against the full
// bitmap blur and its composite, on the page's colours, for masks with
// margins, glyph-like soft edges, several lightnesses and every kind of fade.
// The composite kernel's last few pixels go through masked lanes: for every
// count, exactly the count's pixels change, and the words after them (whose
// top byte no canvas would have) are neither read into nor written.
TEST(Shadows, TheCompositeKernelKeepsToItsCount)
{
    if (!shadow_detail::haveCompositeKernel())
        GTEST_SKIP() << "no AVX2 here";
    std::mt19937 rng(77);
    for (int count = 0; count <= 40; ++count) {
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(count) + 8);
        for (std::uint8_t& b : mask)
            b = static_cast<std::uint8_t>(rng() % 256);
        std::vector<std::uint32_t> out(static_cast<std::size_t>(count) + 8, 0x12345678u);
        for (int x = 0; x < count; ++x)
            out[static_cast<std::size_t>(x)] = 0xff000000u | (rng() & 0xffffffu);
        std::vector<std::uint32_t> expected = out;
        for (int x = 0; x < count; ++x) {
            const std::uint32_t p = expected[static_cast<std::size_t>(x)];
            const int b = mask[static_cast<std::size_t>(x)];
            std::uint32_t q = 0xff000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int c = static_cast<int>((p >> shift) & 0xffu);
                q |= static_cast<std::uint32_t>(c + static_cast<int>(std::lround((b - 255) * c / 255.0))) << shift;
            }
            expected[static_cast<std::size_t>(x)] = q;
        }
        shadow_detail::darkenRowAvx2(mask.data(), out.data(), count);
        EXPECT_EQ(out, expected) << "count " << count;
    }
}

TEST(Shadows, TheBlueOnlyBlurGivesTheFullBlursShadow)
{
    std::mt19937 rng(1606);
    ShadowScratch scratch;
    ShadowScratch reference;
    const Bitmap like(1, 1);
    const int fades[] = {0, 1, 5, 20, 37, 60, 120, 255};
    for (int fade : fades)
        for (int trial = 0; trial < 12; ++trial) {
            const int w = 1 + static_cast<int>(rng() % 180);
            const int h = 1 + static_cast<int>(rng() % 140);
            const int lightness = static_cast<int>(rng() % 256);
            // The cast bitmap of an earlier, larger cast: what lies beyond
            // this one's pixels must play no part.
            Bitmap& shadow = scratch.cast(w, h, kWhite, like);
            for (int y = 0; y < shadow.height(); ++y)
                for (int x = y < h ? w : 0; x < shadow.width(); ++x)
                    shadow.setPixel(x, y, RGBRef(0, 0, static_cast<int>(rng() % 256)));
            const int x0 = static_cast<int>(rng() % static_cast<unsigned>(w));
            const int y0 = static_cast<int>(rng() % static_cast<unsigned>(h));
            const int x1 = x0 + static_cast<int>(rng() % static_cast<unsigned>(w - x0 + 1));
            const int y1 = y0 + static_cast<int>(rng() % static_cast<unsigned>(h - y0 + 1));
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    // Mostly the shadow colour, some antialiased pixels in between.
                    const int mix = rng() % 4 == 0 ? static_cast<int>(rng() % 256) : 0;
                    shadow.setPixel(x, y, RGBRef(mix, mix, lightness + (255 - lightness) * mix / 255));
                }
            Bitmap& full = reference.take(0, w, h, kWhite, like);
            for (int y = 0; y < h; ++y)
                std::copy(shadow.row(y), shadow.row(y) + w, full.row(y));
            BlurShadow(full, fade, reference);

            const ChannelPlane mask = BlurredShadowMask(shadow, w, h, fade, scratch);
            ASSERT_EQ(mask.width, w);
            ASSERT_EQ(mask.height, h);
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    wrong += mask.bits[static_cast<std::size_t>(y) * mask.pitch + x] != BlueOf(full.pixel(x, y));
            EXPECT_EQ(wrong, 0) << "fade " << fade << ", " << w << "x" << h;

            // Composited onto a busy page partly off its edges.
            Bitmap expected(120, 100, kWhite);
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 120; ++x)
                    expected.setPixel(x, y, RGBRef(x * 2, (x * y) & 255, 255 - y));
            Bitmap actual(expected.image().copy());
            const QPoint at(static_cast<int>(rng() % 160) - 40, static_cast<int>(rng() % 140) - 40);
            {
                Canvas canvas(expected);
                CompositeShadow(canvas, full, at);
            }
            {
                Canvas canvas(actual);
                CompositeShadow(canvas, mask, at);
            }
            EXPECT_TRUE(expected.image() == actual.image()) << "fade " << fade << ", " << w << "x" << h;
        }
}

} // namespace
} // namespace vlm

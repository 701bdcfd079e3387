// Shadow masks kept between repaints: a shadow drawn from the kept mask must
// be the shadow drawn from scratch, byte for byte, and any change to what the
// mask was made from (the Item, its pattern, the zoom, the light) must make
// it anew; scrolling and drawing a piece of the canvas must not.

#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "model/item_list.h"
#include "render/raster_effects.h"
#include "render/shadow_cache.h"
#include "render/pens.h"
#include "render/shadows.h"
#include "render/splines.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace vlm {
namespace {

using test::kBlack;
using test::kRed;
using test::MakeLine;
using test::MakeShape;
using test::Shadow;
using test::MakeText;

// The effects as the window has them, but with every shadow made from
// scratch: the reference the kept masks are held to.
class FromScratch : public RasterEffects
{
public:
    void drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                    const TextLinePlacement* line) const override
    {
        DrawShadow(canvas, ctx, item, line, scratch_);
    }

private:
    mutable ShadowScratch scratch_;
};

// A page that is not plain, so that the multiply shows everywhere.
Bitmap Busy(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, RGBRef((x * 7 + y) & 255, (x * y) & 255, 255 - ((y * 3) & 255)));
    return b;
}

Bitmap Draw(const std::vector<Item*>& items, const ItemEffects& effects, DrawContext ctx, int w = 260, int h = 220)
{
    ctx.effects = &effects;
    Bitmap b = Busy(w, h);
    {
        Canvas canvas(b);
        for (Item* item : items)
            DrawItem(canvas, ctx, *item, false);
    }
    return b;
}

// Draws with the cache twice (making the masks, then taking them) and from
// scratch, and checks all three agree.
void ExpectSameAsFromScratch(const std::vector<Item*>& items, const RasterEffects& cached, const DrawContext& ctx,
                             const char* what)
{
    const FromScratch scratch;
    const Bitmap expected = Draw(items, scratch, ctx);
    EXPECT_TRUE(Draw(items, cached, ctx).image() == expected.image()) << what << ": first drawing";
    EXPECT_TRUE(Draw(items, cached, ctx).image() == expected.image()) << what << ": from the kept masks";
}

struct Page {
    std::vector<std::unique_ptr<Item>> owned;
    std::vector<Item*> items;
    Item* add(std::unique_ptr<Item> item)
    {
        items.push_back(item.get());
        owned.push_back(std::move(item));
        return items.back();
    }
};

// Solid, hollow and coloured shapes, a wide and a dashed line, a curve and a
// two-line text, each with its own shadow; some stand partly off the canvas.
Page VariedPage()
{
    Page p;
    std::mt19937 rng(2107);
    auto shadow = [&](Item* item) {
        Shadow(*item, 10 + static_cast<int>(rng() % 120), static_cast<int>(rng() % 70),
               static_cast<int>(rng() % 256));
        return item;
    };
    shadow(p.add(MakeShape(KindSquare, {{20, 20}, {60, 20}, {60, 60}, {20, 60}})));
    shadow(p.add(MakeShape(KindRectangle, {{90, 30}, {170, 30}, {170, 80}, {90, 80}}, -1, 0.6, kRed)));
    shadow(p.add(MakeShape(KindTriangle, {{40, 120}, {80, 90}, {120, 150}}, RGBRef(30, 160, 90), 0.3)));
    shadow(p.add(MakeShape(KindRectangle, {{-30, 170}, {40, 170}, {40, 250}, {-30, 250}}, RGBRef(200, 10, 10))));
    shadow(p.add(MakeLine({150, 110}, {240, 190}, 6, RGBRef(10, 20, 200))));
    Item* dashed = shadow(p.add(MakeLine({130, 200}, {250, 150}, 2)));
    dashed->rec.d.pattern = PatternDot;
    Item* curve = shadow(p.add(MakeShape(KindCurve, {{150, 20}, {190, 60}, {220, 10}, {255, 70}}, -1, 0.5)));
    SmoothCurve(*curve);
    shadow(p.add(MakeText(u"Shadow\u07EClines", {30, 180}, {150, 180}, 1, 150, 14)));
    return p;
}

TEST(ShadowCache, KeptMasksDrawExactlyWhatScratchDraws)
{
    Page page = VariedPage();
    for (double zoom : {1.0, 2.0, 0.5})
        for (int light = 0; light < 4; ++light) {
            const RasterEffects cached;
            DrawContext ctx;
            ctx.zoom = zoom;
            ctx.lightDirection = light;
            ctx.originX = zoom == 2.0 ? 60 : 0;
            ExpectSameAsFromScratch(page.items, cached, ctx, "varied page");
            // One mask per Item, one per text line; at 200 % some lie beyond
            // the canvas and cast nothing.
            if (zoom <= 1.0) {
                EXPECT_EQ(cached.shadowMasks().size(), page.items.size() + 1) << "zoom " << zoom << " light " << light;
            }
        }
}

// Every cast drawn into a bitmap of exactly its size, as the kept cast
// bitmap is held to.
class FreshCasts : public RasterEffects
{
public:
    void drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                    const TextLinePlacement* line) const override
    {
        ShadowScratch scratch(false);
        DrawShadow(canvas, ctx, item, line, scratch);
    }
};

// The cast bitmap is kept from Item to Item and grows: casts drawn into its
// corner, over what larger and other casts left there, are the casts drawn
// into bitmaps of their own size. In both orders, so that small casts follow
// large ones.
TEST(ShadowCache, CastsInTheKeptBitmapAreCastsInBitmapsOfTheirOwn)
{
    Page page = VariedPage();
    const FreshCasts fresh;
    for (double zoom : {1.0, 2.0, 0.5, 3.0})
        for (int light = 0; light < 4; ++light) {
            DrawContext ctx;
            ctx.zoom = zoom;
            ctx.lightDirection = light;
            ctx.originX = zoom >= 2.0 ? 60 : 0;
            for (bool reversed : {false, true}) {
                std::vector<Item*> items = page.items;
                if (reversed)
                    std::reverse(items.begin(), items.end());
                const FromScratch kept;
                EXPECT_TRUE(Draw(items, kept, ctx).image() == Draw(items, fresh, ctx).image())
                    << "zoom " << zoom << " light " << light << (reversed ? " reversed" : "");
            }
        }
}

TEST(ShadowCache, EveryChangeMakesTheMaskAnew)
{
    Page page = VariedPage();
    Item& square = *page.items[0];
    Item& line = *page.items[4];
    Item& text = *page.items[7];
    const RasterEffects cached;
    DrawContext ctx;
    ExpectSameAsFromScratch(page.items, cached, ctx, "start");
    const ItemRecord squareBefore = square.rec;
    const std::vector<Vertex> squareVerticesBefore = square.vertices;
    const Bitmap before = Draw(page.items, cached, ctx);

    auto check = [&](const char* what) {
        // A change that did not show would prove nothing.
        EXPECT_FALSE(Draw(page.items, FromScratch(), ctx).image() == before.image()) << what << " shows no change";
        ExpectSameAsFromScratch(page.items, cached, ctx, what);
    };

    square.vertices[2].x += 12;
    square.vertices[2].y += 9;
    check("a moved corner");
    square.rec.d.shadowFade = 45;
    check("another fade");
    square.rec.d.shadowLightness = 20;
    check("another lightness");
    line.rec.d.penWidth = 11;
    check("a wider line");
    SetText(text, u"Other\u07ECwords");
    check("another text");
    text.rec.d.fontSize = 20;
    check("a larger font");
    ctx.zoom = 1.5;
    check("a zoom");
    ctx.originX = 17;
    ctx.originY = -9;
    check("a scroll");
    ctx.lightDirection = 3;
    check("another light");

    // Back to how it was, as an undo does: the first drawing comes back.
    square.rec = squareBefore;
    square.vertices = squareVerticesBefore;
    line.rec.d.penWidth = 6;
    SetText(text, u"Shadow\u07EClines");
    text.rec.d.fontSize = 14;
    ctx = DrawContext{};
    ExpectSameAsFromScratch(page.items, cached, ctx, "undone");
    EXPECT_TRUE(Draw(page.items, cached, ctx).image() == before.image());
    // Replaced masks do not pile up.
    EXPECT_EQ(cached.shadowMasks().size(), page.items.size() + 1);
}

TEST(ShadowCache, ScrollsAndPartialRepaintsUseTheMasksWherever)
{
    Page page = VariedPage();
    const RasterEffects cached;
    DrawContext ctx;
    ctx.zoom = 1.5;
    ExpectSameAsFromScratch(page.items, cached, ctx, "start");
    const std::size_t kept = cached.shadowMasks().size();
    const std::size_t bytes = cached.shadowMasks().bytes();
    // Scrolled: the same masks, found again rather than made anew.
    ctx.originX = 23;
    ctx.originY = -31;
    ExpectSameAsFromScratch(page.items, cached, ctx, "scrolled");
    EXPECT_EQ(cached.shadowMasks().size(), kept);
    // A piece of the canvas drawn on its own, as a partial repaint does.
    ctx.originX += 70;
    ctx.originY += 40;
    const FromScratch scratch;
    EXPECT_TRUE(Draw(page.items, cached, ctx, 90, 80).image() == Draw(page.items, scratch, ctx, 90, 80).image());
    EXPECT_EQ(cached.shadowMasks().size(), kept);
    EXPECT_EQ(cached.shadowMasks().bytes(), bytes);
}

TEST(ShadowCache, HugeCastsCutToTheCanvasAreKeptForThatCanvasOnly)
{
    Page page;
    Item* huge = page.add(MakeShape(KindRectangle, {{-5000, 40}, {150, 40}, {150, 160}, {-5000, 160}}, -1, 2.0));
    Shadow(*huge, 85, 30, 40);
    const RasterEffects cached;
    DrawContext ctx;
    ExpectSameAsFromScratch(page.items, cached, ctx, "huge");
    for (int x : {40, -40, -1500}) {
        ctx.originX = x;
        ExpectSameAsFromScratch(page.items, cached, ctx, "huge, scrolled");
    }
}

TEST(ShadowCache, AnEditedLinePatternMakesItsLinesMasksAnew)
{
    ItemList list;
    const double mm[12] = {3.0, 1.0};
    Item& pattern = EmbedLinePattern(list, mm);
    std::unique_ptr<Item> line = MakeLine({20, 60}, {230, 120}, 4);
    line->rec.d.pattern = pattern.rec.d.kind;
    Shadow(*line, 60, 5, 0);
    DrawContext ctx;
    ctx.items = &list;
    const RasterEffects cached;
    const std::vector<Item*> items{line.get()};
    ExpectSameAsFromScratch(items, cached, ctx, "pattern");
    const Bitmap before = Draw(items, cached, ctx);
    pattern.rec.p.lengths[0] = 1.0;
    pattern.rec.p.lengths[1] = 4.0;
    EXPECT_FALSE(Draw(items, FromScratch(), ctx).image() == before.image());
    ExpectSameAsFromScratch(items, cached, ctx, "edited pattern");
}

TEST(ShadowCache, MemoryStaysWithinItsBudget)
{
    Page page = VariedPage();
    std::vector<Item*> shapes;
    for (Item* item : page.items)
        if (item->rec.d.kind != KindText) // texts cast through their lines
            shapes.push_back(item);
    DrawContext ctx;
    ShadowScratch scratch;
    auto draw = [&](ShadowMaskCache* cache) {
        Bitmap b = Busy(260, 220);
        Canvas canvas(b);
        for (Item* item : shapes)
            DrawShadow(canvas, ctx, *item, nullptr, scratch, cache);
        return b;
    };
    const Bitmap expected = draw(nullptr);
    ShadowMaskCache all;
    draw(&all);
    ASSERT_EQ(all.size(), shapes.size());

    // Room for about half the masks: the rest are made each time, and drawn right.
    ShadowMaskCache half(all.bytes() / 2);
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(draw(&half).image() == expected.image()) << "round " << round;
        EXPECT_LE(half.bytes(), all.bytes() / 2);
        EXPECT_GE(half.size(), 1u);
        EXPECT_LT(half.size(), shapes.size());
    }
    half.clear();
    EXPECT_EQ(half.size(), 0u);
    EXPECT_EQ(half.bytes(), 0u);
}

// A gap of exactly kGap white bytes splits a run, one byte less does not,
// wherever the gap falls against the 64-byte words the scan reads; runs keep
// to the row, even where it ends in shaded bytes.
TEST(ShadowCache, RunsSplitAtGapsOfExactlyTheGapLength)
{
    const int k = ShadowMaskCache::kGap;
    for (int first = 0; first < 70; ++first)
        for (int gap : {k - 1, k}) {
            const int width = first + gap + 2;
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * 2, 0xff);
            bytes[static_cast<std::size_t>(first)] = 0;
            bytes[static_cast<std::size_t>(first + gap + 1)] = 0;
            bytes[static_cast<std::size_t>(width + width - 1)] = 9; // the last byte of row 1
            ShadowMaskCache cache;
            const std::vector<std::uint8_t> fingerprint{7};
            const ShadowMaskCache::Mask* kept =
                cache.keep(&cache, 0, fingerprint, ChannelPlane{bytes.data(), width, 2, std::size_t(width)}, {});
            ASSERT_NE(kept, nullptr);
            const std::size_t expected = gap == k ? 3u : 2u;
            ASSERT_EQ(kept->runs.size(), expected) << "first " << first << " gap " << gap;
            EXPECT_EQ(kept->runs[0].x, first);
            EXPECT_EQ(kept->runs[0].length, gap == k ? 1 : gap + 2);
            EXPECT_EQ(kept->runs.back().y, 1);
            EXPECT_EQ(kept->runs.back().x, width - 1);
            EXPECT_EQ(kept->runs.back().length, 1);
        }
}

TEST(ShadowCache, KeptMasksHoldOnlyTheShadedRuns)
{
    using Run = ShadowMaskCache::Run;
    ShadowMaskCache cache;
    std::vector<std::uint8_t> bytes(200 * 30, 0xff);
    ChannelPlane plane{bytes.data(), 200, 30, 200};
    auto set = [&](int x, int y, std::uint8_t v) { bytes[static_cast<std::size_t>(y) * 200 + x] = v; };
    set(7, 5, 10);
    // A gap shorter than kGap stays inside the run, a longer one splits it.
    set(30, 20, 1);
    set(30 + ShadowMaskCache::kGap, 20, 2);
    set(31 + 3 * ShadowMaskCache::kGap, 20, 3);
    set(199, 29, 200);
    const std::vector<std::uint8_t> fingerprint{1, 2, 3};
    int owner = 0;
    cache.keep(&owner, 0, fingerprint, plane, QPoint(-4, 100));
    const ShadowMaskCache::Mask* kept = cache.find(&owner, 0, fingerprint);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->at, QPoint(-4, 100));
    ASSERT_EQ(kept->runs.size(), 4u);
    auto same = [](const Run& a, const Run& b) {
        return a.x == b.x && a.y == b.y && a.length == b.length && a.offset == b.offset;
    };
    const int k = ShadowMaskCache::kGap;
    EXPECT_TRUE(same(kept->runs[0], Run{7, 5, 1, 0}));
    EXPECT_TRUE(same(kept->runs[1], Run{30, 20, k + 1, 1}));
    EXPECT_TRUE(same(kept->runs[2], Run{31 + 3 * k, 20, 1, static_cast<std::uint32_t>(k + 2)}));
    EXPECT_TRUE(same(kept->runs[3], Run{199, 29, 1, static_cast<std::uint32_t>(k + 3)}));
    ASSERT_EQ(kept->bytes.size(), static_cast<std::size_t>(k + 4));
    EXPECT_EQ(kept->bytes[1], 1);
    EXPECT_EQ(kept->bytes[static_cast<std::size_t>(k)], 255);
    EXPECT_EQ(kept->bytes[static_cast<std::size_t>(k + 1)], 2);
    EXPECT_EQ(kept->bytes.back(), 200);
    // Another line of the same owner, another fingerprint: not this mask.
    EXPECT_EQ(cache.find(&owner, 1, fingerprint), nullptr);
    EXPECT_EQ(cache.find(&owner, 0, std::vector<std::uint8_t>{1, 2, 4}), nullptr);
    // A mismatch drops what can never be used again.
    EXPECT_EQ(cache.find(&owner, 0, fingerprint), nullptr);
    EXPECT_EQ(cache.size(), 0u);

    // A shadow white everywhere is kept as nothing to composite.
    std::fill(bytes.begin(), bytes.end(), 0xff);
    cache.keep(&owner, 0, fingerprint, plane, QPoint(0, 0));
    kept = cache.find(&owner, 0, fingerprint);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->runs.empty());
}

// Masks blurred from casts with white margins, kept once with the rows'
// reach from the blur and once reading every byte: the same runs and bytes.
// A reach whose ends are not white is no licence to skip them.
TEST(ShadowCache, KeepingWithTheRowsReachKeepsTheSameRuns)
{
    using Run = ShadowMaskCache::Run;
    std::mt19937 rng(9127);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::vector<std::uint8_t> fingerprint{7};
    int owner = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const int sw = pick(6, 60), sh = pick(6, 40);
        std::vector<std::uint8_t> cast(static_cast<std::size_t>(sw) * sh, 0xff);
        for (int blot = pick(0, 4); blot > 0; --blot) {
            const int x0 = pick(0, sw - 1), y0 = pick(0, sh - 1);
            const int x1 = pick(x0, std::min(sw, x0 + 20)), y1 = pick(y0, std::min(sh, y0 + 12));
            const auto v = static_cast<std::uint8_t>(pick(0, 254));
            for (int y = y0; y < y1; ++y)
                std::fill_n(cast.begin() + static_cast<std::ptrdiff_t>(y) * sw + x0, x1 - x0, v);
        }
        const int w = pick(sw, 3 * sw), h = pick(sh, 3 * sh);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(w) * h);
        const ChannelPlane plane{bytes.data(), w, h, static_cast<std::size_t>(w)};
        std::vector<RowReach> reach;
        resampleChannel(ChannelPlane{cast.data(), sw, sh, static_cast<std::size_t>(sw)}, plane, 4, &reach);
        if (trial % 4 == 0) {
            // Ends said to be of another value than white.
            for (RowReach& r : reach) {
                r.lead = 0xfe;
                r.trail = 0xfe;
                r.from = w / 2;
                r.to = w / 2;
            }
        }
        ShadowMaskCache told, read;
        const ShadowMaskCache::Mask* a = told.keep(&owner, 0, fingerprint, plane, QPoint(3, -2), reach);
        const ShadowMaskCache::Mask* b = read.keep(&owner, 0, fingerprint, plane, QPoint(3, -2));
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(a, told.find(&owner, 0, fingerprint));
        ASSERT_EQ(a->runs.size(), b->runs.size()) << "trial " << trial;
        for (std::size_t i = 0; i < a->runs.size(); ++i) {
            const Run& p = a->runs[i];
            const Run& q = b->runs[i];
            EXPECT_TRUE(p.x == q.x && p.y == q.y && p.length == q.length && p.offset == q.offset)
                << "trial " << trial << " run " << i;
        }
        EXPECT_EQ(a->bytes, b->bytes) << "trial " << trial;
        EXPECT_EQ(told.bytes(), read.bytes());
    }
}

// The composite's vector loop against its portable one, for every pair of
// canvas channel and mask value, and rows of every length and alignment.
TEST(ShadowCache, TheCompositeMultipliesEveryValueExactly)
{
    Bitmap shadow(256, 256);
    std::vector<std::uint8_t> bytes(256 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int b = (x + 3 * y) & 255;
            bytes[static_cast<std::size_t>(y) * 256 + x] = static_cast<std::uint8_t>(b);
            shadow.setPixel(x, y, RGBRef(0, 0, b));
        }
    Bitmap expected(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            expected.setPixel(x, y, RGBRef(x, y, (x * 5 + y) & 255));
    Bitmap actual(expected.image().copy());
    {
        Canvas canvas(expected);
        CompositeShadow(canvas, shadow, QPoint(0, 0));
    }
    {
        Canvas canvas(actual);
        CompositeShadow(canvas, ChannelPlane{bytes.data(), 256, 256, 256}, QPoint(0, 0));
    }
    EXPECT_TRUE(expected.image() == actual.image());
    // Rows cut to 1..40 pixels at odd places, white around them.
    std::mt19937 rng(77);
    for (int trial = 0; trial < 200; ++trial) {
        const int w = 1 + static_cast<int>(rng() % 40);
        std::vector<std::uint8_t> row(64, 0xff);
        Bitmap rowShadow(64, 1, RGBRef(255, 255, 255));
        const int at = static_cast<int>(rng() % 20);
        for (int x = at; x < at + w; ++x) {
            row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(rng() % 256);
            rowShadow.setPixel(x, 0, RGBRef(0, 0, row[static_cast<std::size_t>(x)]));
        }
        Bitmap a(64, 1, RGBRef(static_cast<int>(rng() % 256), 77, 200));
        Bitmap b(a.image().copy());
        {
            Canvas canvas(a);
            CompositeShadow(canvas, rowShadow, QPoint(0, 0));
        }
        {
            Canvas canvas(b);
            CompositeShadow(canvas, ChannelPlane{row.data(), 64, 1, 64}, QPoint(0, 0));
        }
        ASSERT_TRUE(a.image() == b.image()) << "width " << w << " at " << at;
    }
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "render/draw_item.h"
#include "test_pixels.h"

#include <string>
#include <vector>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::MakeShape;
using test::Render;

// Records what DrawItem hands over, in order.
class RecordingEffects : public ItemEffects {
public:
    mutable std::vector<std::string> calls;
    bool shadeHandled = false;

    void drawShadow(Canvas&, const DrawContext&, const Item&, const TextLinePlacement* line) const override
    {
        calls.push_back(line ? "shadow line " + std::to_string(line->line) : "shadow");
    }
    bool drawShaded(Canvas&, const DrawContext&, const Item&, int level, const TextLinePlacement* line) const override
    {
        calls.push_back("shaded " + std::to_string(level) + (line ? " line " + std::to_string(line->line) : ""));
        return shadeHandled;
    }
    void drawPicture(Canvas&, const DrawContext&, Item&, PictureMode mode) const override
    {
        static const char* names[] = {"full", "quick", "fast", "hidden"};
        calls.push_back(std::string("picture ") + names[static_cast<int>(mode)]);
    }
};

TEST(DrawItem, WhichEffectsAreInForce)
{
    struct Case {
        bool quick, fast, show3D, showShadows;
        bool shading, shadow;
    };
    const Case cases[] = {
        {false, false, true, true, true, true},   {true, false, true, true, false, false},
        {false, true, true, true, false, false},  {false, false, false, true, false, true},
        {false, false, true, false, true, false},
    };
    for (const Case& c : cases) {
        DrawContext ctx;
        ctx.fastPaint = c.fast;
        ctx.show3DEffects = c.show3D;
        ctx.showShadows = c.showShadows;
        const EffectsInForce e = DecideEffects(ctx, c.quick);
        EXPECT_EQ(e.shading, c.shading) << c.quick << c.fast << c.show3D << c.showShadows;
        EXPECT_EQ(e.shadow, c.shadow) << c.quick << c.fast << c.show3D << c.showShadows;
    }
}

TEST(DrawItem, ShadowFirstThenShadedOrFlatBody)
{
    struct Case {
        std::uint8_t surface;
        bool quick;
        bool shadeHandled;
        std::vector<std::string> calls;
        bool flatDrawn;
    };
    const Case cases[] = {
        {127, false, false, {"shadow", "shaded 127"}, true}, // the shading declined: flat instead
        {127, false, true, {"shadow", "shaded 127"}, false},
        {0, false, false, {"shadow"}, true},
        {127, true, false, {}, true}, // dragging: neither shadow nor shading
    };
    for (const Case& c : cases) {
        RecordingEffects effects;
        effects.shadeHandled = c.shadeHandled;
        DrawContext ctx;
        ctx.effects = &effects;
        auto rect = MakeShape(KindRectangle, {{10, 10}, {50, 10}, {50, 30}, {10, 30}});
        rect->rec.d.surface = c.surface;
        const Bitmap bmp = Render(*rect, ctx, 120, 120, c.quick);
        EXPECT_EQ(effects.calls, c.calls) << int(c.surface) << c.quick;
        EXPECT_EQ(InkExtent(bmp) != Extent{}, c.flatDrawn) << int(c.surface) << c.quick;
    }
}

TEST(DrawItem, TextShadowsAndShadingGoLineByLineLastLineFirst)
{
    RecordingEffects effects;
    DrawContext ctx;
    ctx.effects = &effects;
    auto text = test::MakeText(u"one\u07ECtwo", {10, 60}, {100, 60});
    text->rec.d.surface = 127;
    Render(*text, ctx);
    const std::vector<std::string> expected = {"shadow line 2", "shaded 127 line 2", "shadow line 1",
                                               "shaded 127 line 1"};
    EXPECT_EQ(effects.calls, expected);
}

TEST(DrawItem, PictureModes)
{
    struct Case {
        bool quick, fast, showPictures;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {false, false, true, {"shadow", "picture full"}},
        {true, false, true, {"picture quick"}},
        {false, true, true, {"picture fast"}},
        {false, false, false, {"picture hidden"}},
    };
    for (const Case& c : cases) {
        RecordingEffects effects;
        DrawContext ctx;
        ctx.effects = &effects;
        ctx.fastPaint = c.fast;
        ctx.showPictures = c.showPictures;
        auto clip = MakeShape(KindClip, {});
        Render(*clip, ctx, 16, 16, c.quick);
        EXPECT_EQ(effects.calls, c.calls) << c.quick << c.fast << c.showPictures;
    }
}

TEST(DrawItem, RecordsThatAreNotDrawnStayInvisible)
{
    RecordingEffects effects;
    DrawContext ctx;
    ctx.effects = &effects;
    auto group = MakeShape(KindGroup, {{10, 10}, {50, 10}, {50, 30}});
    EXPECT_EQ(InkExtent(Render(*group, ctx)), Extent{});
    // A drawable kind code on a record of another role is not an Item.
    auto stray = MakeShape(KindRectangle, {{10, 10}, {50, 10}, {50, 30}, {10, 30}});
    stray->rec.d.role = RolePattern;
    EXPECT_EQ(InkExtent(Render(*stray, ctx)), Extent{});
    EXPECT_TRUE(effects.calls.empty());
}

TEST(DrawItem, SubstituteColourReplacesEveryColour)
{
    // What a shadow casts: the shape in one colour, fill and outline alike.
    const ColorRef shade = RGBRef(0, 0, 100);
    DrawContext ctx;
    ctx.substituteColor = shade;
    auto rect = MakeShape(KindRectangle, {{10, 10}, {70, 10}, {70, 50}, {10, 50}}, test::kBlue, 1.0, test::kRed);
    auto text = test::MakeText(u"Hello", {10, 100}, {100, 100});
    auto line = MakeShape(KindLine, {});
    line->rec.d.x1 = 10;
    line->rec.d.y1 = 80;
    line->rec.d.x2 = 100;
    line->rec.d.y2 = 80;
    line->rec.d.lineColor = test::kRed;
    line->rec.d.penWidth = 6;
    line->rec.d.weight = 1.5;
    line->rec.d.fillColor = test::kBlue;
    for (Item* item : {rect.get(), text.get(), line.get()}) {
        const Bitmap bmp = Render(*item, ctx);
        int painted = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x) {
                const ColorRef p = bmp.pixel(x, y);
                if (p == test::kWhite)
                    continue;
                ++painted;
                EXPECT_EQ(p, shade) << item->rec.d.kind << " at " << x << "," << y;
            }
        EXPECT_GT(painted, 0) << item->rec.d.kind;
    }
}

TEST(DrawItem, LineGoesThroughTheConversions)
{
    // A 1-pixel line at 50 % with the window 2 pixels in: canvas x from
    // 10 / 2 - 2 to 40 / 2 - 2, the last pixel left unset.
    auto line = MakeShape(KindLine, {});
    line->rec.d.x1 = 10;
    line->rec.d.y1 = 20;
    line->rec.d.x2 = 40;
    line->rec.d.y2 = 20;
    line->rec.d.angle = 0.0;
    line->rec.d.penWidth = 1;
    DrawContext ctx;
    ctx.zoom = 0.5;
    ctx.originX = 2;
    EXPECT_EQ(InkExtent(Render(*line, ctx)), (Extent{3, 10, 17, 10}));
}

} // namespace
} // namespace vlm

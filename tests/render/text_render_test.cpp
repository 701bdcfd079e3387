#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "model/rounding.h"
#include "render/text_render.h"
#include "test_pixels.h"

#include <memory>
#include <string>
#include <vector>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::MakeText;
using test::Render;

constexpr char16_t kSep = kLineSeparator;

// Keeps what DrawText decided for each line.
class PlacementRecorder : public ItemEffects {
public:
    struct Seen {
        int line;
        QPoint baseline;
        QPoint reference;
        int pixelSize;
        std::string family;
    };
    mutable std::vector<Seen> lines;

    void drawShadow(Canvas&, const DrawContext&, const Item&, const TextLinePlacement* p) const override
    {
        if (p)
            lines.push_back({p->line, p->baseline, p->reference, p->font->pixelSize(),
                             p->font->family().toStdString()});
    }
    bool drawShaded(Canvas&, const DrawContext&, const Item&, int, const TextLinePlacement*) const override
    {
        return false;
    }
    void drawPicture(Canvas&, const DrawContext&, Item&, PictureMode) const override {}
};

std::vector<PlacementRecorder::Seen> Place(Item& text, double zoom)
{
    PlacementRecorder recorder;
    DrawContext ctx;
    ctx.zoom = zoom;
    ctx.effects = &recorder;
    Render(text, ctx, 200, 200);
    return recorder.lines;
}

TEST(Text, LiberationSansStandsInForArial)
{
    auto text = MakeText(u"x", {0, 0}, {10, 0});
    const std::optional<Font> font = MakeFont(*text, 12, false, TextSettings{});
    ASSERT_TRUE(font);
    ASSERT_EQ(font->family().toStdString(), "Liberation Sans");
    EXPECT_EQ(LineHeight(*text, TextSettings{}), 18); // ascent 14, descent 3, leading 1
}

TEST(Text, ZoomScalesTheFontAndTheLineSpacing)
{
    struct Case {
        double zoom;
        int pixelSize; // 12 points at 96 dpi is 16 pixels
        int spacing;   // Round(18 * zoom)
        QPoint last;   // the stored baseline start on the canvas
    };
    const Case cases[] = {{1.0, 16, 18, {20, 150}}, {0.5, 8, 9, {10, 75}}, {2.0, 32, 36, {40, 300}}};
    for (const Case& c : cases) {
        auto text = MakeText(u"one\u07ECtwo\u07ECthree", {20, 150}, {180, 150});
        const auto seen = Place(*text, c.zoom);
        ASSERT_EQ(seen.size(), 3u);
        // The last line first, on the stored baseline; earlier lines above.
        EXPECT_EQ(seen[0].line, 3);
        EXPECT_EQ(seen[0].baseline, c.last);
        EXPECT_EQ(seen[1].baseline, c.last - QPoint(0, c.spacing));
        EXPECT_EQ(seen[2].baseline, c.last - QPoint(0, 2 * c.spacing));
        EXPECT_EQ(seen[0].pixelSize, c.pixelSize);
    }
}

TEST(Text, JustificationOffsets)
{
    struct Case {
        int justification;
        int box;
        int line;
        double offset;
    };
    const Case cases[] = {
        {1, 100, 40, 0.0},  {2, 100, 40, 30.0},  {3, 100, 40, 60.0}, {2, 100, 41, 29.5},
        {3, 100, 140, 0.0}, {2, 100, 100, 0.0}, {0, 100, 40, 0.0},  {7, 100, 40, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JustificationOffset(c.justification, c.box, c.line), c.offset) << c.justification << " " << c.line;

    // A right-justified line wider than its box starts at the baseline start.
    auto wide = MakeText(u"A line far wider than its box", {30, 100}, {40, 100}, 3);
    EXPECT_EQ(Place(*wide, 1.0).at(0).baseline, QPoint(30, 100));

    // A narrower one ends at the baseline end, whatever the zoom.
    for (double zoom : {1.0, 0.5, 2.0}) {
        auto narrow = MakeText(u"ab", {10, 50}, {90, 50}, 3);
        const int width = Round(zoom * LineWidth(*narrow, 1, zoom, TextSettings{}));
        EXPECT_EQ(Place(*narrow, zoom).at(0).baseline.x() + width, Round(90 * zoom)) << zoom;
    }
}

TEST(Text, MovesAlongTheAngleAreExactOnTheAxes)
{
    struct Case {
        std::int32_t angle;
        QPoint expected;
    };
    const Case cases[] = {{0, {35, 100}},    {900, {10, 75}},   {1800, {-15, 100}}, {2700, {10, 125}},
                          {-900, {10, 125}}, {4500, {10, 75}},  {450, {28, 82}}};
    for (const Case& c : cases)
        EXPECT_EQ(MoveAlongText({10, 100}, 25, c.angle), c.expected) << c.angle;
}

TEST(Text, NinetyDegreesDrawsUpwardsWithEarlierLinesToTheLeft)
{
    auto text = MakeText(u"HHHH\u07ECHHHH", {100, 150}, {100, 20}, 1, 900);
    const auto seen = Place(*text, 1.0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].baseline, QPoint(100, 150));
    EXPECT_EQ(seen[1].baseline, QPoint(82, 150));
    EXPECT_EQ(seen[0].reference, QPoint(86, 150)); // the cell's top is 14 (the ascent) to the left

    auto single = MakeText(u"HHHH", {100, 150}, {100, 20}, 1, 900);
    const Extent ink = InkExtent(Render(*single, DrawContext{}, 200, 200));
    EXPECT_LE(ink.bottom, 150);
    EXPECT_LT(ink.top, 150 - 30); // four letters run up the page
    EXPECT_GE(ink.left, 100 - 14);
    EXPECT_LE(ink.right, 100);
}

TEST(Text, GlyphsSitOnTheBaseline)
{
    auto text = MakeText(u"H", {20, 60}, {120, 60});
    const Extent ink = InkExtent(Render(*text));
    EXPECT_EQ(ink.bottom, 59);
    EXPECT_GE(ink.left, 20);
    EXPECT_LT(ink.top, 50);
}

TEST(Text, FontsThatCannotBeMadeDrawNothing)
{
    for (int size : {0, -12, 100000, INT32_MAX}) {
        auto text = MakeText(u"Hello\u07ECworld", {20, 60}, {120, 60}, 2, 0, size);
        EXPECT_EQ(InkExtent(Render(*text)), Extent{}) << size;
        EXPECT_EQ(LineHeight(*text, TextSettings{}), 0) << size;
        EXPECT_EQ(LineWidth(*text, 1, 1.0, TextSettings{}), 0) << size;
        FitTextBox(*text, true, 1.0, TextSettings{});
        EXPECT_EQ(text->rec.d.x2, 120) << size;
    }
    // 12 points at 1 % round to no size at all.
    auto tiny = MakeText(u"Hello", {20, 60}, {120, 60});
    DrawContext ctx;
    ctx.zoom = 0.01;
    EXPECT_EQ(InkExtent(Render(*tiny, ctx)), Extent{});
}

TEST(Text, BoxStandsBelowTheDescendersAndHoldsEveryLine)
{
    struct Case {
        std::u16string text;
        std::int32_t angle;
        QPoint start, end;
        std::array<QPoint, 4> corners;
    };
    const Case cases[] = {
        {u"Hello", 0, {10, 100}, {110, 100}, {{{10, 103}, {110, 103}, {110, 85}, {10, 85}}}},
        // An empty text is one line high, a lone separator two.
        {u"", 0, {10, 100}, {110, 100}, {{{10, 103}, {110, 103}, {110, 85}, {10, 85}}}},
        {std::u16string(1, kSep), 0, {10, 100}, {110, 100}, {{{10, 103}, {110, 103}, {110, 67}, {10, 67}}}},
        {u"Up", 900, {100, 110}, {100, 10}, {{{103, 110}, {103, 10}, {85, 10}, {85, 110}}}},
    };
    for (const Case& c : cases) {
        auto text = MakeText(c.text, c.start, c.end, 1, c.angle);
        const TextBoxGeometry box = TextBox(*text, TextSettings{});
        EXPECT_EQ(box.corners, c.corners) << c.angle;
    }
    // The bounding box adds half an anchor (7 pixels: 3) on every side.
    auto text = MakeText(u"Hello", {10, 100}, {110, 100});
    UpdateTextBox(*text, TextSettings{});
    EXPECT_EQ(text->rec.d.left, 7);
    EXPECT_EQ(text->rec.d.right, 113);
    EXPECT_EQ(text->rec.d.top, 82);
    EXPECT_EQ(text->rec.d.bottom, 106);
    EXPECT_EQ(text->rec.d.height, 24);
}

TEST(Text, FitTextBoxKeepsTheJustifiedEdge)
{
    const TextSettings settings;
    auto probe = MakeText(u"Hello world", {0, 0}, {1, 0});
    const int w = LineWidth(*probe, 1, 1.0, settings);
    ASSERT_GT(w, 40);

    struct Case {
        int justification;
        std::int32_t angle;
        QPoint start, end;
        bool growOnly;
        QPoint newStart, newEnd;
    };
    const int half = (w - 10) / 2; // even or odd, the centre keeps within a pixel
    const Case cases[] = {
        {1, 0, {100, 50}, {110, 50}, true, {100, 50}, {100 + w, 50}},
        {3, 0, {100, 50}, {110, 50}, true, {110 - w, 50}, {110, 50}},
        {2, 0, {100, 50}, {110, 50}, true, {100 - half, 50}, {110 + half, 50}},
        {1, 900, {100, 150}, {100, 140}, true, {100, 150}, {100, 150 - w}},
        // Wide enough already: grow-only leaves it, a full fit shrinks it.
        {1, 0, {100, 50}, {600, 50}, true, {100, 50}, {600, 50}},
        {1, 0, {100, 50}, {600, 50}, false, {100, 50}, {100 + w, 50}},
        {3, 0, {100, 50}, {600, 50}, false, {600 - w, 50}, {600, 50}},
    };
    for (const Case& c : cases) {
        auto text = MakeText(u"Hello world", c.start, c.end, c.justification, c.angle);
        FitTextBox(*text, c.growOnly, 1.0, settings);
        const DrawingFields& d = text->rec.d;
        EXPECT_NEAR(d.x1, c.newStart.x(), 1) << c.justification << " " << c.angle << " " << c.growOnly;
        EXPECT_EQ(d.y1, c.newStart.y()) << c.justification << " " << c.angle;
        EXPECT_NEAR(d.x2, c.newEnd.x(), 1) << c.justification << " " << c.angle << " " << c.growOnly;
        EXPECT_EQ(d.y2, c.newEnd.y()) << c.justification << " " << c.angle;
        // The stored reals follow a moved baseline, so the new box survives saving.
        if (c.newStart != c.start || c.newEnd != c.end) {
            EXPECT_DOUBLE_EQ(d.x1Real, d.x1 * ScreenMetrics{}.pxPerMmX);
            EXPECT_DOUBLE_EQ(d.x2Real, d.x2 * ScreenMetrics{}.pxPerMmX);
        }
        // The bounding box was recomputed around the new baseline.
        EXPECT_LE(d.left, std::min(d.x1, d.x2) - 3);
        EXPECT_GE(d.right, std::max(d.x1, d.x2) + 3);
    }
}

TEST(Text, EditFrameOutlinesTheTextBox)
{
    auto text = MakeText(u"Hello", {10, 100}, {110, 100});
    Bitmap bmp(200, 200);
    DrawContext ctx;
    {
        Canvas canvas(bmp);
        DrawEditFrame(canvas, ctx, *text);
    }
    const ColorRef silver = RGBRef(192, 192, 192);
    for (QPoint p : {QPoint(10, 103), QPoint(110, 103), QPoint(110, 85), QPoint(10, 85), QPoint(60, 85), QPoint(10, 95)})
        EXPECT_EQ(bmp.pixel(p.x(), p.y()), silver) << p.x() << "," << p.y();
    EXPECT_EQ(bmp.pixel(60, 95), test::kWhite);
}

TEST(Text, LinesReachingInFromOffTheCanvasAreDrawn)
{
    struct Case {
        QPoint start, end;
        std::int32_t angle;
    };
    const Case cases[] = {
        {{-300, 60}, {100, 60}, 0},      // starts far left, runs in
        {{60, 400}, {60, 0}, 900},       // starts far below, runs up
        {{300, 60}, {-100, 60}, 1800},   // starts far right, runs left upside down
        {{-150, 250}, {50, 50}, 450},    // comes in along the diagonal
    };
    const std::u16string words = u"Hello world, hello world, hello world, hello world";
    for (const Case& c : cases) {
        auto text = MakeText(words, c.start, c.end, 1, c.angle);
        EXPECT_NE(InkExtent(Render(*text)), Extent{}) << c.angle;
    }
}

TEST(Text, TextsDrawnWithKeptFontsMatchTextsWithFontsOfTheirOwn)
{
    // Each case differs from the first in one thing a font is made from;
    // drawn in turns through one cache, each must still get its own font.
    const std::u16string words = u"Kept fonts\u07ECsecond line";
    std::vector<std::unique_ptr<Item>> texts;
    texts.push_back(MakeText(words, {10, 80}, {150, 80}));
    texts.push_back(MakeText(words, {10, 80}, {150, 80}, 2));
    texts.push_back(MakeText(words, {10, 80}, {150, 80}, 3));
    texts.push_back(MakeText(words, {40, 150}, {150, 40}, 1, 450));
    texts.push_back(MakeText(words, {10, 80}, {150, 80}, 1, 0, 16));
    for (int k = 0; k < 4; ++k) {
        texts.push_back(MakeText(words, {10, 80}, {150, 80}));
        DrawingFields& d = texts.back()->rec.d;
        if (k == 0)
            d.underline = 1;
        else if (k == 1)
            d.strikeout = 1;
        else if (k == 2)
            d.italic = 1;
        else
            d.fontWeight = 700;
    }
    auto render = [](Item& text, FontCache* fonts, double zoom, int quality) {
        DrawContext ctx;
        ctx.zoom = zoom;
        ctx.fontQuality = quality;
        ctx.fonts = fonts;
        return Render(text, ctx, 200, 200);
    };
    FontCache fonts;
    for (int round = 0; round < 2; ++round) {
        for (double zoom : {1.0, 0.5}) {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const int quality = i % 3 == 0 ? 4 : 2;
                const Bitmap kept = render(*texts[i], &fonts, zoom, quality);
                const Bitmap own = render(*texts[i], nullptr, zoom, quality);
                ASSERT_NE(InkExtent(own), Extent{});
                ASSERT_TRUE(kept.image() == own.image()) << "text " << i << " at " << zoom;
            }
        }
    }
}

TEST(Text, ManyLinesStayLinear)
{
    // A pasted text of a hundred thousand empty lines must not rescan the
    // text once per line.
    std::u16string many(100000, kSep);
    many += u"end";
    auto text = MakeText(many, {10, 100}, {110, 100});
    EXPECT_EQ(LineCount(*text), 100001);
    Render(*text);
    FitTextBox(*text, false, 1.0, TextSettings{});
    EXPECT_GT(text->rec.d.x2, 10);
}

} // namespace
} // namespace vlm

// The window's layout, its rulers and the anchor strips: which scroll bars
// show with what range, which ticks and labels a ruler carries, and where
// anchors are drawn.

#include "view_fixtures.h"

#include "model/page_setup.h"
#include "render/view_page.h"
#include "render/view_ruler.h"

#include <gtest/gtest.h>

namespace vlm::test {
namespace {

TEST(ViewLayout, ScrollBarsShowWhenThePageDoesNotFit)
{
    struct Case {
        const char* name;
        ZoomedPage page;
        bool barX, barY;
        int viewportW, viewportH, maxX, maxY;
    };
    // Client 812 x 612 with 16-pixel bars: 800 x 600 beside the rulers.
    const Case cases[] = {
        {"fits", {50, 50, 450, 350, 400, 300}, false, false, 800, 600, 0, 0},
        {"fits to the last 12 pixels", {0, 0, 788, 588, 788, 588}, false, false, 800, 600, 0, 0},
        {"one pixel too wide", {0, 0, 789, 300, 789, 300}, true, false, 800, 584, 1, 0},
        {"too tall", {0, 0, 400, 2000, 400, 2000}, false, true, 784, 600, 0, 1412},
        // The horizontal bar takes 16 rows, which makes the page too tall as well.
        {"wide, then tall too", {0, 0, 3000, 580, 3000, 580}, true, true, 784, 584, 2244, 24},
        {"3000 pixels both ways", {50, 40, 3050, 3040, 3000, 3000}, true, true, 784, 584, 2294, 2484},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ViewGeometry g = ComputeViewLayout(kClient, 16, c.page);
        EXPECT_EQ(g.scrollBarX.visible, c.barX);
        EXPECT_EQ(g.scrollBarY.visible, c.barY);
        EXPECT_EQ(g.viewport, QRect(12, 12, c.viewportW, c.viewportH));
        EXPECT_EQ(g.rulerX, QRect(12, 0, c.viewportW, 12));
        EXPECT_EQ(g.rulerY, QRect(0, 12, 12, c.viewportH));
        EXPECT_EQ(g.scrollBarX.maximum, c.maxX);
        EXPECT_EQ(g.scrollBarY.maximum, c.maxY);
        EXPECT_EQ(g.panel1Visible, c.barX && c.barY);
        if (c.barX) {
            EXPECT_EQ(g.scrollBarX.pageStep, c.viewportW);
        }
        if (c.barX && c.barY) {
            // Both bars stop short of the corner panel.
            EXPECT_EQ(g.scrollBarX.rect, QRect(12, 596, 784, 16));
            EXPECT_EQ(g.scrollBarY.rect, QRect(796, 12, 16, 584));
            EXPECT_EQ(g.panel1, QRect(796, 596, 16, 16));
        }
    }
}

TEST(ViewLayout, AClientSmallerThanTheRulersLaysOutWithoutNegativeSizes)
{
    const ViewGeometry g = ComputeViewLayout(QSize(5, 5), 16, {0, 0, 100, 100, 100, 100});
    EXPECT_GE(g.viewport.width(), 0);
    EXPECT_GE(g.viewport.height(), 0);
    EXPECT_GE(g.scrollBarX.rect.width(), 0);
}

TEST(ViewLayout, AZoomedPageOf3000PixelsScrollsThroughItsCanvasWindow)
{
    Document doc;
    MakePage(doc, 1500, 1500);
    HeaderOf(doc).zoom = 2.0;
    ApplyHeader(*doc.items.header());
    DocumentView view(doc, TestViewSettings());
    const ViewGeometry& g = view.LayoutView(kClient, 16);
    EXPECT_TRUE(g.scrollBarX.visible && g.scrollBarY.visible);
    EXPECT_EQ(g.scrollBarX.maximum, 3000 - 784 + 12 + 16);
    EXPECT_EQ(view.canvas().width(), kCanvasLimit);
    EXPECT_EQ(view.canvas().height(), kCanvasLimit);

    // Scroll positions beyond the range are held at its end.
    view.ScrollTo(ViewDirection::Vertical, 99999);
    EXPECT_EQ(view.scrollY(), g.scrollBarY.maximum);
    EXPECT_EQ(view.windowOrigin().y(), 1400);
    // A window without room for the page resets hidden bars to 0.
    view.LayoutView(QSize(4000, 4000), 16);
    EXPECT_EQ(view.scrollY(), 0);
    EXPECT_EQ(view.windowOrigin(), QPoint(0, 0));
}

std::vector<QString> LabelTexts(const RulerMarks& m)
{
    std::vector<QString> t;
    for (const RulerLabel& l : m.labels)
        t.push_back(l.text);
    return t;
}

TEST(Ruler, MillimetreLabelsAppearAboveQuarterZoom)
{
    const ScreenMetrics screen;
    const RulerMarks quarter = PlanRuler(UnitMillimeters, 0.25, 0, 800, ViewDirection::Horizontal, screen);
    const RulerMarks half = PlanRuler(UnitMillimeters, 0.5, 0, 800, ViewDirection::Horizontal, screen);
    EXPECT_TRUE(quarter.labels.empty());
    EXPECT_FALSE(quarter.ticks.empty());
    ASSERT_GE(half.labels.size(), 3u);
    EXPECT_EQ(LabelTexts(half)[0], QStringLiteral("10"));
    EXPECT_EQ(LabelTexts(half)[2], QStringLiteral("30"));
    EXPECT_EQ(half.labels[0].position, 19); // Round(0.5 * 96 / 25.4 * 10)

    // The same on the bitmaps: label pixels only at half zoom.
    ViewSettings s = TestViewSettings();
    for (double zoom : {0.25, 0.5}) {
        Bitmap ruler(400, 12);
        BuildRulerBitmap(ruler, UnitMillimeters, zoom, 0, ViewDirection::Horizontal, s);
        const int ink = CountColour(ruler, s.rulerLabelColor);
        if (zoom == 0.25)
            EXPECT_EQ(ink, 0);
        else
            EXPECT_GT(ink, 10);
    }
}

TEST(Ruler, TicksAndLabelsFollowUnitZoomAndOffset)
{
    const ScreenMetrics screen;
    struct Case {
        int units;
        double zoom;
        int offset;
        ViewDirection dir;
        int firstLabelAt;
        const char* firstLabel;
        int majorTicks, allTicks; // over 1000 pixels, every level counted
    };
    const Case cases[] = {
        // Pixels at 100 %: majors every 100, tenths between.
        {UnitPixels, 1.0, 0, ViewDirection::Horizontal, 100, "100", 9, 9 + 99},
        // 1600 pixels into the page: labels go on from there.
        {UnitPixels, 1.0, 1650, ViewDirection::Horizontal, 50, "1700", 10, 10 + 100},
        // Twentieths above 100 %.
        {UnitPixels, 2.0, 0, ViewDirection::Horizontal, 200, "100", 4, 4 + 49 + 99},
        // Fifths only at a quarter.
        {UnitPixels, 0.25, 0, ViewDirection::Horizontal, 25, "100", 39, 39 + 199},
        // Inches at 96 dpi: halves and quarters from above 25 %, eighths above 50 %.
        {UnitInches, 1.0, 0, ViewDirection::Horizontal, 96, "1", 10, 10 + 20 + 41 + 83},
        {UnitInches, 0.2, 0, ViewDirection::Horizontal, 19, "1", 52, 52},
        // Millimetres: eighths only on the horizontal ruler above 100 %.
        {UnitMillimeters, 2.0, 0, ViewDirection::Horizontal, 76, "10", 13, 13 + 26 + 52 + 105},
        {UnitMillimeters, 2.0, 0, ViewDirection::Vertical, 76, "10", 13, 13 + 26 + 52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.units << " at " << c.zoom << " from " << c.offset);
        const RulerMarks m = PlanRuler(c.units, c.zoom, c.offset, 1000, c.dir, screen);
        ASSERT_FALSE(m.labels.empty());
        EXPECT_EQ(m.labels[0].position, c.firstLabelAt);
        EXPECT_EQ(m.labels[0].text, QString::fromLatin1(c.firstLabel));
        int majors = 0;
        for (const RulerTick& t : m.ticks) {
            EXPECT_GE(t.position, 0);
            EXPECT_LT(t.position, 1000);
            majors += t.length == 11;
        }
        EXPECT_EQ(majors, c.majorTicks);
        EXPECT_EQ(static_cast<int>(m.ticks.size()), c.allTicks);
    }
}

TEST(Ruler, ChunkOffsetKeepsTheViewInsideTheScaledBitmap)
{
    struct Case {
        int start, size, scroll, viewport, chunk;
    };
    const Case cases[] = {
        {0, 1500, 700, 800, 0},       // the page fits the bitmap
        {0, 3000, 700, 800, 0},
        {0, 3000, 1700, 800, 1600},   // second block of 800
        {100, 3000, 1700, 800, 1600}, // measured from the page start
        {0, 3000, 1700, 1600, 1700},  // a viewport as long as the bitmap
        {0, 3000, 1700, 2000, 1700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.scroll << " in " << c.viewport);
        const int chunk = RulerChunkOffset(c.start, c.size, c.scroll, c.viewport);
        EXPECT_EQ(chunk, c.chunk);
        const int from = std::max(0, c.scroll - c.start) - chunk;
        EXPECT_GE(from, 0);
        if (c.viewport < kCanvasLimit) {
            EXPECT_LE(from + c.viewport, kCanvasLimit);
        }
    }
}

TEST(Anchors, AnchorsLeftOfTheViewportAreLeftOutButTheirLinesDrawn)
{
    Document doc;
    MakePage(doc, 400, 300);
    HeaderFields& h = HeaderOf(doc);
    h.gridH = h.anchorsH = 1;
    Item& grid = GridOf(doc);
    grid.verticalGridLines = {MakeGridLine(GridVertical, 2), MakeGridLine(GridVertical, 50)};
    grid.verticalGridLines.push_back(MakeGridLine(GridVertical, 80));
    grid.verticalGridLines.back().deleted = 1;
    grid.verticalGridLines.push_back(MakeGridLine(GridVertical, 120));
    grid.verticalGridLines.back().highlighted = 255;
    grid.horizontalGridLines.clear();

    ViewSettings s = TestViewSettings();
    DocumentView view(doc, s);
    view.LayoutView(kClient, 16);

    EXPECT_EQ(view.canvas().pixel(2, 100), kGridLineColor);
    EXPECT_EQ(view.canvas().pixel(50, 100), kGridLineColor);
    EXPECT_EQ(view.canvas().pixel(80, 100), kCanvasColour);

    // The stems tell where anchors were drawn: none at x = 2 (it would start
    // at -1), one at 50, none for the deleted line, a grabbed one at 120.
    const Bitmap& b = view.backdrop();
    EXPECT_NE(b.pixel(2, 9), s.anchorStemColor);
    EXPECT_EQ(b.pixel(50, 9), s.anchorStemColor);
    EXPECT_EQ(b.pixel(50, 11), s.anchorStemColor);
    EXPECT_NE(b.pixel(80, 9), s.anchorStemColor);
    EXPECT_EQ(b.pixel(120, 9), s.grabbedStemColor);

    // Scrolled 30 to the right the line at 50 has its anchor at 17.
    MakePage(doc, 2000, 300);
    HeaderOf(doc).gridH = HeaderOf(doc).anchorsH = 1;
    GridOf(doc).verticalGridLines = {MakeGridLine(GridVertical, 50)};
    view.LayoutView(kClient, 16);
    view.ScrollTo(ViewDirection::Horizontal, 30);
    EXPECT_EQ(view.backdrop().pixel(20, 9), s.anchorStemColor);
    EXPECT_NE(view.backdrop().pixel(50, 9), s.anchorStemColor);

    // Anchors switched off: the strip is clean again.
    HeaderOf(doc).anchorsH = 0;
    view.PaintAnchors(ViewDirection::Horizontal);
    EXPECT_NE(view.backdrop().pixel(20, 9), s.anchorStemColor);
}

} // namespace
} // namespace vlm::test

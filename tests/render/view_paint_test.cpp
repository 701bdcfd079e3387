// What the canvas shows after full and partial repaints: the background and
// page lines under the Items, one Item per stacking number, partial repaints
// that grow over the Items they touch, and the whole canvas when shadows are
// about.

#include "view_fixtures.h"

#include "model/page_setup.h"
#include "model/rounding.h"
#include "render/view_page.h"

#include <gtest/gtest.h>

#include <set>

namespace vlm::test {
namespace {

constexpr ColorRef kRedC = RGBRef(255, 0, 0);
constexpr ColorRef kBlueC = RGBRef(0, 0, 255);
constexpr ColorRef kGreenC = RGBRef(0, 160, 0);
constexpr ColorRef kSmudge = RGBRef(1, 2, 3);

struct ViewFixture : ::testing::Test {
    Document doc;
    RecordingHost host;
    std::unique_ptr<DocumentView> view;

    void open(double w = 400, double h = 300)
    {
        MakePage(doc, w, h);
        view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
        view->LayoutView(kClient, 16);
    }
};

TEST_F(ViewFixture, EmptyPageWithoutDesignTypeIsOnlyTheBackgroundColour)
{
    open();
    ASSERT_EQ(view->canvas().width(), 400);
    EXPECT_EQ(CountColour(view->canvas(), kCanvasColour), 400 * 300);

    // No header at all: nothing to size a canvas by, and nothing breaks.
    Document bare;
    DocumentView empty(bare, TestViewSettings());
    empty.LayoutView(kClient, 16);
    empty.RepaintAll(true);
    empty.RepaintRect(QRect(0, 0, 50, 50));
    empty.BeginSelectionEdit(true);
    EXPECT_TRUE(empty.canvas().isNull());
}

TEST_F(ViewFixture, OnlyTheFirstVisibleItemOfAStackingNumberIsPainted)
{
    MakePage(doc, 400, 300);
    AddBlock(doc, 10, 10, 60, 60, kRedC, 1);
    AddBlock(doc, 30, 30, 90, 90, kBlueC, 1);
    Item& hidden = AddBlock(doc, 100, 10, 150, 60, kGreenC, 2);
    hidden.rec.d.hidden = 255;
    AddBlock(doc, 100, 10, 150, 60, kBlueC, 2);
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    view->LayoutView(kClient, 16);

    EXPECT_EQ(CountColour(view->canvas(), kRedC), 50 * 50);
    EXPECT_EQ(CountColour(view->canvas(), kGreenC), 0);
    EXPECT_EQ(CountColour(view->canvas(), kBlueC), 50 * 50); // the one at 2, behind the hidden one
}

TEST_F(ViewFixture, PartialRepaintGrowsOverTheItemsItTouches)
{
    open();
    AddBlock(doc, 100, 100, 140, 140, kRedC);  // right edge at x = 139
    AddBlock(doc, 130, 130, 200, 200, kBlueC); // above it
    view->RepaintAll(false);
    const Bitmap before = view->canvas();

    Smudge(*view, QRect(0, 0, 400, 300));
    // Touches the red block only along its right edge.
    view->RepaintRect(QRect(139, 100, 20, 10));

    EXPECT_EQ(CountColour(view->canvas(), kRedC), CountColour(before, kRedC));
    EXPECT_EQ(view->canvas().pixel(135, 135), kBlueC); // above the red block, drawn again over it
    EXPECT_EQ(view->canvas().pixel(150, 120), kCanvasColour);
    // Beyond the Items touched nothing was repainted.
    EXPECT_EQ(view->canvas().pixel(190, 190), kSmudge);
    EXPECT_EQ(view->canvas().pixel(350, 20), kSmudge);
    EXPECT_TRUE(host.asked(ViewTimer::Marker));
}

TEST_F(ViewFixture, PartialRepaintsMatchAFullRepaintPixelForPixel)
{
    open(400, 300);
    HeaderOf(doc).gridH = HeaderOf(doc).gridV = 1;
    HeaderOf(doc).designType = DesignIllustrations;
    HeaderOf(doc).pageDims[DimPaperWidth] = 390;
    HeaderOf(doc).pageDims[DimPaperHeight] = 290;
    HeaderOf(doc).pageDims[DimMarginLeft] = 13;
    HeaderOf(doc).pageDims[DimMarginTop] = 11;
    std::uint32_t seed = 12345;
    const auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int i = 0; i < 60; ++i) {
        const int x = next(360), y = next(260);
        const ColorRef colour = RGBRef(next(256), next(256), next(256));
        if (i % 2)
            AddBlock(doc, x, y, x + 5 + next(60), y + 5 + next(60), colour);
        else
            AddLine(doc, {x, y}, {next(400), next(300)}, colour).rec.d.penWidth = 1 + next(5);
    }
    for (double zoom : {1.0, 0.75, 2.0}) {
        SCOPED_TRACE(zoom);
        view->ApplyZoom(zoom);
        view->RepaintAll(false);
        const Bitmap full(view->canvas().image().copy());
        for (int k = 0; k < 25; ++k) {
            const QRect r(next(view->canvas().width()), next(view->canvas().height()), 1 + next(90), 1 + next(90));
            view->RepaintRect(r);
            ASSERT_TRUE(view->canvas().image() == full.image()) << "after repainting " << r.x() << "," << r.y();
        }
    }
}

TEST_F(ViewFixture, DiagonalLinesGrowTheRepaintOnlyWhereTheyPass)
{
    open();
    AddLine(doc, {0, 0}, {299, 299}, kRedC);
    view->RepaintAll(false);
    Smudge(*view, QRect(0, 0, 400, 300));
    // Inside the line's box but far from the line itself: the background
    // is repainted there only.
    view->RepaintRect(QRect(250, 10, 10, 10));
    EXPECT_EQ(view->canvas().pixel(200, 50), kSmudge);
    EXPECT_EQ(view->canvas().pixel(255, 15), kCanvasColour);
    // On the line: the repaint covers all of it.
    view->RepaintRect(QRect(145, 145, 10, 10));
    EXPECT_EQ(view->canvas().pixel(200, 50), kCanvasColour);
    EXPECT_EQ(view->canvas().pixel(10, 10), kRedC);
    EXPECT_EQ(view->canvas().pixel(290, 290), kRedC);
}

TEST_F(ViewFixture, AnyShadowMakesAPartialRepaintCoverTheWholeCanvas)
{
    open();
    AddBlock(doc, 10, 10, 40, 40, kRedC);
    Item& shadowed = AddBlock(doc, 300, 200, 320, 220, kBlueC);
    view->RepaintAll(false);

    Smudge(*view, QRect(0, 0, 400, 300));
    view->RepaintRect(QRect(20, 20, 5, 5));
    EXPECT_EQ(view->canvas().pixel(399, 0), kSmudge);

    shadowed.rec.d.shadowElevation = 40;
    Smudge(*view, QRect(0, 0, 400, 300));
    view->RepaintRect(QRect(20, 20, 5, 5));
    EXPECT_EQ(CountColour(view->canvas(), kSmudge), 0);

    // A hidden (superseded) version with a shadow does not count.
    shadowed.rec.d.hidden = 255;
    Smudge(*view, QRect(0, 0, 400, 300));
    view->RepaintRect(QRect(20, 20, 5, 5));
    EXPECT_EQ(view->canvas().pixel(399, 0), kSmudge);
}

TEST_F(ViewFixture, GridAndPageLinesStayUnderItemsOutsideAPartialRepaint)
{
    MakePage(doc, 400, 300, 50.0);
    HeaderOf(doc).gridH = 1;
    HeaderOf(doc).designType = DesignIllustrations;
    HeaderOf(doc).pageDims[DimPaperWidth] = 345;
    HeaderOf(doc).pageDims[DimPaperHeight] = 250;
    AddBlock(doc, 90, 90, 120, 120, kRedC);   // over the grid line at x = 100
    AddBlock(doc, 335, 200, 355, 240, kBlueC); // over the page edge at x = 345
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    view->LayoutView(kClient, 16);
    ASSERT_EQ(view->canvas().pixel(100, 20), kGridLineColor);
    ASSERT_EQ(view->canvas().pixel(345, 20), kPageLineColor);
    ASSERT_EQ(view->canvas().pixel(100, 100), kRedC);

    view->RepaintRect(QRect(10, 150, 20, 20));
    EXPECT_EQ(view->canvas().pixel(100, 100), kRedC);
    EXPECT_EQ(view->canvas().pixel(345, 220), kBlueC);
    // Where the background was repainted the lines are back under nothing.
    EXPECT_EQ(view->canvas().pixel(10, 160), kCanvasColour);
}

// The columns that carry page lines across the middle of the page.
std::set<int> LineColumns(const Bitmap& b, int y0, int y1)
{
    std::set<int> xs;
    for (int x = 0; x < b.width(); ++x)
        for (int y = y0; y < y1; ++y)
            if (b.pixel(x, y) == kPageLineColor)
                xs.insert(x);
    return xs;
}

TEST_F(ViewFixture, MillimetreBrochureFoldsSitWholeBrochureWidthsFromTheLeftMargin)
{
    MakePage(doc, 100, 100);
    HeaderFields& h = HeaderOf(doc);
    const double ppu = 96.0 / 25.4;
    h.units = UnitMillimeters;
    h.pixelsPerUnitX = h.pixelsPerUnitY = ppu;
    h.areaWidth = 310; // a little wider than the paper, so its right edge shows
    h.areaHeight = 220;
    h.designType = DesignBrochures;
    const auto dim = [&](int i, double v) { h.pageDims[i] = v; }; // packed: no pointers into it
    dim(DimPaperWidth, 297);
    dim(DimPaperHeight, 210);
    dim(DimCardWidth, 92.3);
    dim(DimCardHeight, 190);
    dim(DimMarginLeft, 10);
    dim(DimMarginTop, 10);
    dim(DimMarginRight, 10);
    dim(DimMarginBottom, 10);
    h.columns = 3;
    h.rows = 1;
    h.columnFold = 1;
    ApplyHeader(*doc.items.header());
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    view->LayoutView(kClient, 16);

    const auto px = [&](double mm) { return Round(mm * ppu); };
    const std::set<int> expected = {px(10), px(10 + 92.3), px(10 + 2 * 92.3), px(297 - 10), px(297)};
    EXPECT_EQ(LineColumns(view->canvas(), 200, 400), expected);

    // The folds are dotted, the page edge solid.
    const int fold = px(10 + 92.3);
    EXPECT_LT(CountColour(view->canvas(), kPageLineColor, QRect(fold, 200, 1, 200)), 200);
    EXPECT_GT(CountColour(view->canvas(), kPageLineColor, QRect(fold, 200, 1, 200)), 50);
    EXPECT_EQ(CountColour(view->canvas(), kPageLineColor, QRect(px(297), 200, 1, 200)), 200);
}

TEST(PageDecorations, DamagedCountsAndSizesEndQuickly)
{
    HeaderFields h{};
    h.designType = -DesignBrochures; // a negative type counts by its size
    h.pixelsPerUnitX = h.pixelsPerUnitY = 1.0;
    h.pageDims[DimPaperWidth] = 1e300;
    h.pageDims[DimPaperHeight] = std::numeric_limits<double>::quiet_NaN();
    h.pageDims[DimCardWidth] = 0;
    h.pageDims[DimCardHeight] = 1e-9;
    h.columns = h.rows = INT32_MAX;
    h.columnFold = h.rowFold = 1;
    const auto lines = PageDecorations(h, 1.0, 0, 0, 1600, 1600);
    EXPECT_LT(lines.size(), 20u);
    for (const PageLine& l : lines)
        for (QPoint p : l.points) {
            EXPECT_GE(p.x(), -2);
            EXPECT_LE(p.x(), 1602);
        }
}

TEST_F(ViewFixture, CardPageEdgeDoublesWithTheFoldAndFoldsAreDrawn)
{
    MakePage(doc, 400, 300);
    HeaderFields& h = HeaderOf(doc);
    h.designType = DesignGreetingCards;
    h.pageDims[DimCardWidth] = 150;
    h.pageDims[DimCardHeight] = 100;
    h.columnFold = 1;
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    view->LayoutView(kClient, 16);
    EXPECT_EQ(LineColumns(view->canvas(), 20, 90), (std::set<int>{150, 300}));
    EXPECT_EQ(view->canvas().pixel(200, 100), kPageLineColor); // bottom edge at the card height
    EXPECT_EQ(view->canvas().pixel(200, 150), kCanvasColour);
}

TEST_F(ViewFixture, ZoomRepaintsEvenWhenTheCanvasKeepsItsSize)
{
    MakePage(doc, 2000, 2000);
    AddBlock(doc, 100, 100, 110, 110, kRedC);
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    view->LayoutView(kClient, 16);
    ASSERT_EQ(view->canvas().width(), kCanvasLimit);
    ASSERT_EQ(view->canvas().pixel(105, 105), kRedC);

    view->ApplyZoom(2.0);
    EXPECT_EQ(view->canvas().width(), kCanvasLimit);
    EXPECT_EQ(view->canvas().pixel(205, 205), kRedC);
    EXPECT_EQ(view->canvas().pixel(215, 215), kRedC);
    EXPECT_EQ(view->canvas().pixel(105, 105), kCanvasColour);
    EXPECT_TRUE(host.asked(ViewTimer::Refine));
    EXPECT_FALSE(view->fastPaint());
}

TEST_F(ViewFixture, ScrollingPastTheCanvasWindowShowsTheFarPartOfThePage)
{
    MakePage(doc, 3000, 500);
    AddBlock(doc, 2900, 100, 2950, 150, kRedC);
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    const ViewGeometry& g = view->LayoutView(kClient, 16);
    ASSERT_TRUE(g.scrollBarX.visible);
    EXPECT_EQ(CountColour(view->canvas(), kRedC), 0);

    view->ScrollTo(ViewDirection::Horizontal, 1800);
    EXPECT_EQ(view->windowOrigin().x(), 1400);
    EXPECT_EQ(view->canvasPosition().x(), 1400 - 1800);
    EXPECT_EQ(CountColour(view->canvas(), kRedC), 50 * 50);
    EXPECT_EQ(view->canvas().pixel(2900 - 1400, 100), kRedC);
}

TEST_F(ViewFixture, RefinementAndProgressivePaintingDrawEachItemOnce)
{
    open();
    for (int i = 0; i < 5; ++i)
        AddBlock(doc, 10 + 30 * i, 10, 30 + 30 * i, 30, kRedC);
    AddBlock(doc, 10, 100, 30, 120, kBlueC).rec.d.extending = 255;
    int done = 0;
    view->hooks().progressiveDone = [&] { ++done; };

    view->ScheduleProgressivePaint();
    EXPECT_TRUE(host.asked(ViewTimer::Progressive));
    EXPECT_EQ(CountColour(view->canvas(), kRedC), 0);
    view->RepaintAll(false); // a layout before the timer fires keeps the page bare
    EXPECT_EQ(CountColour(view->canvas(), kRedC), 0);

    view->BeginProgressivePaint();
    int steps = 0;
    while (view->ProgressiveStep())
        ++steps;
    EXPECT_EQ(steps, 5); // the extending Item at the top is passed over
    EXPECT_EQ(CountColour(view->canvas(), kRedC), 5 * 20 * 20);
    EXPECT_EQ(CountColour(view->canvas(), kBlueC), 0);
    EXPECT_EQ(done, 1);

    host.timers.clear();
    view->BeginRefine();
    // A full repaint in between completes the canvas: the pass stops.
    ASSERT_TRUE(view->RefineStep());
    view->RepaintAll(false);
    EXPECT_FALSE(view->RefineStep());

    view->RefineAll();
    EXPECT_TRUE(host.asked(ViewTimer::Marker));
}

TEST_F(ViewFixture, SpeedOptionsRepaintOnlyWhenChanged)
{
    open();
    host.timers.clear();
    view->SetSpeedOptions(SpeedOptions{});
    EXPECT_TRUE(host.timers.empty());
    view->SetSpeedOptions(SpeedOptions{true, false, true});
    EXPECT_TRUE(host.asked(ViewTimer::Marker));
    EXPECT_FALSE(view->drawContext().showShadows);
}

} // namespace
} // namespace vlm::test

// Shadows and the "Round" surface on the document view: drawn by full
// repaints and by the refinement after a zoom, left out of the first pass
// after the zoom, while dragging and when the speed options turn them off.

#include "view_fixtures.h"

#include "model/rounding.h"
#include "render/raster_effects.h"

#include <gtest/gtest.h>

namespace vlm::test {
namespace {

constexpr ColorRef kBlock = RGBRef(0, 0, 255);

struct ViewEffects : ::testing::Test {
    Document doc;
    RecordingHost host;
    RasterEffects effects;
    std::unique_ptr<DocumentView> view;
    Item* block = nullptr;

    void SetUp() override
    {
        MakePage(doc, 400, 300);
        block = &AddBlock(doc, 40, 40, 80, 80, kBlock);
        block->rec.d.shadowElevation = 85;
        block->rec.d.shadowLightness = 0;
        block->rec.d.surface = 127;
        view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
        view->setEffects(&effects);
        view->LayoutView(kClient, 16);
    }

    // At `zoom`: the shadow's pixel 5 past the block's lower right corner,
    // and whether the body shows the flat colour at its middle.
    bool shadowAt(double zoom) const
    {
        const int p = Round(85 * zoom);
        return view->canvas().pixel(p, p) == RGBRef(0, 0, 0);
    }
    bool flatAt(double zoom) const
    {
        const int p = Round(45 * zoom);
        return view->canvas().pixel(p, Round(60 * zoom)) == kBlock;
    }
};

TEST_F(ViewEffects, FullRepaintsDrawShadowAndSurface)
{
    view->RepaintAll(false);
    EXPECT_TRUE(shadowAt(1.0));
    EXPECT_FALSE(flatAt(1.0));
    EXPECT_EQ(view->canvas().pixel(35, 35), kCanvasColour); // light 0: nothing above or left
}

TEST_F(ViewEffects, TheFirstPassAfterAZoomIsPlainAndTheRefinementAddsThem)
{
    view->ApplyZoom(2.0);
    EXPECT_FALSE(shadowAt(2.0));
    EXPECT_TRUE(flatAt(2.0));
    ASSERT_TRUE(host.asked(ViewTimer::Refine));
    view->RefineAll();
    EXPECT_TRUE(shadowAt(2.0));
    EXPECT_FALSE(flatAt(2.0));
}

TEST_F(ViewEffects, SpeedOptionsTurnEachOff)
{
    SpeedOptions options;
    options.showShadows = false;
    view->SetSpeedOptions(options);
    EXPECT_FALSE(shadowAt(1.0));
    EXPECT_FALSE(flatAt(1.0));
    options.showShadows = true;
    options.show3DEffects = false;
    view->SetSpeedOptions(options);
    EXPECT_TRUE(shadowAt(1.0));
    EXPECT_TRUE(flatAt(1.0));
}

TEST_F(ViewEffects, ShadowsFromTheBottomRightGrowPartialRepaintsLeftAndUp)
{
    HeaderOf(doc).lightDirection = 3;
    // No shadow anywhere, but a fade: the reach still widens the repaint.
    block->rec.d.shadowElevation = 0;
    block->rec.d.shadowFade = 20;
    view->RepaintAll(false);
    Smudge(*view, QRect(0, 0, 400, 300));
    view->RepaintRect(QRect(60, 60, 4, 4));
    // The block's box 40..79 grown by 20 to the left and top only.
    EXPECT_NE(view->canvas().pixel(21, 21), RGBRef(1, 2, 3));
    EXPECT_EQ(view->canvas().pixel(18, 18), RGBRef(1, 2, 3));
    EXPECT_EQ(view->canvas().pixel(90, 90), RGBRef(1, 2, 3));
}

} // namespace
} // namespace vlm::test

// The view on a screen with several device pixels per logical pixel: the
// conversions between logical, device and document pixels, a design drawn
// at zoom times the ratio, overlays at their logical size, and every way of
// painting (opening, zooming, scrolling, a change of screen) complete at the
// new density.

#include "view_fixtures.h"

#include "render/device_pixels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vlm::test {
namespace {

constexpr ColorRef kInk = RGBRef(200, 0, 0);
constexpr ColorRef kBlue = RGBRef(0, 0, 255);
constexpr double kRatios[] = {1.0, 1.25, 1.5, 2.0, 3.0};

TEST(DevicePixels, ConversionsRoundTripAndFindThePixelUnderThePointer)
{
    for (double r : kRatios) {
        SCOPED_TRACE(r);
        for (int x : {0, 1, 7, 13, 250, 799}) {
            // Every logical pixel covers whole device pixels, and the pointer
            // anywhere inside it lands on one of them.
            const QRect device = toDeviceRect(QRect(x, x / 2, 1, 1), r);
            EXPECT_GE(device.width(), static_cast<int>(std::floor(r)));
            for (double within : {0.0, 0.3, 0.99}) {
                const QPoint at = toDevicePoint(QPointF(x + within, x / 2 + within), r);
                EXPECT_TRUE(device.contains(at)) << x << " + " << within;
            }
            // Back to logical pixels: the same pixel, never a smaller area.
            EXPECT_TRUE(toLogicalRect(device, r).contains(QRect(x, x / 2, 1, 1)));
            const QRect area(x, 3, 40, 9);
            EXPECT_TRUE(toLogicalRect(toDeviceRect(area, r), r).contains(area));
            if (r == std::floor(r))
                EXPECT_EQ(toLogicalRect(toDeviceRect(area, r), r), area);
        }
        // Parts that touch in device pixels still touch when placed.
        const QRect a = toLogicalPlace(QRect(0, 0, scaledLength(12, r), 5), r);
        const QRect b = toLogicalPlace(QRect(scaledLength(12, r), 0, 100, 5), r);
        EXPECT_EQ(a.right() + 1, b.left());
        EXPECT_EQ(a.width(), 12);
    }
    EXPECT_EQ(toDevicePoint(QPointF(10.5, 3.25), 2.0), QPoint(21, 6));
    EXPECT_EQ(toDevicePoint(QPointF(-0.5, 0.0), 2.0), QPoint(-1, 0)); // left of the canvas stays left of it
    EXPECT_EQ(usableRatio(0.0), 1.0);
    EXPECT_EQ(usableRatio(std::nan("")), 1.0);
    EXPECT_EQ(usableRatio(1e9), 1.0);
}

struct DensityFixture : ::testing::Test {
    Document doc;
    RecordingHost host;
    std::unique_ptr<DocumentView> view;

    void open(double r, double w = 200, double h = 150)
    {
        if (!doc.items.header())
            MakePage(doc, w, h);
        view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
        view->setDeviceRatio(r);
        view->LayoutView(kClient, 16);
    }
};

TEST_F(DensityFixture, DocumentPixelsUnderThePointerAreTheSameAtEveryRatio)
{
    for (double r : kRatios) {
        SCOPED_TRACE(r);
        open(r);
        EXPECT_EQ(view->documentZoom(), 1.0);
        EXPECT_DOUBLE_EQ(view->zoom(), r);
        for (int x : {0, 1, 3, 9, 57, 199}) {
            // Document pixels go to the canvas and back unchanged.
            EXPECT_EQ(view->toDocumentX(view->toCanvasX(x)), x);
            EXPECT_EQ(view->toDocumentY(view->toCanvasY(x / 3)), x / 3);
            // The pointer where the logical pixel x starts: the document
            // pixel it shows at r = 1, or at a fractional ratio the nearest
            // to the device pixel under it (never more than one off).
            const QPoint device = toDevicePoint(QPointF(x, x / 3), r);
            if (r == std::floor(r)) {
                EXPECT_EQ(view->toDocumentX(device.x()), x);
                EXPECT_EQ(view->toDocumentY(device.y()), x / 3);
            } else {
                EXPECT_LE(std::abs(view->toDocumentX(device.x()) - x), 1);
            }
        }
        EXPECT_EQ(view->canvas().width(), scaledLength(200, r));
    }
}

TEST_F(DensityFixture, ALineAt100PercentOnADoubleScreenIsTheLineAt200Percent)
{
    MakePage(doc, 200, 150);
    AddLine(doc, {10, 12}, {170, 95}, kInk);
    AddLine(doc, {20, 140}, {20, 30}, kBlue);
    AddBlock(doc, 60, 60, 90, 75, kBlue);
    open(2.0);

    Document twice;
    MakePage(twice, 200, 150);
    AddLine(twice, {10, 12}, {170, 95}, kInk);
    AddLine(twice, {20, 140}, {20, 30}, kBlue);
    AddBlock(twice, 60, 60, 90, 75, kBlue);
    DocumentView zoomed(twice, TestViewSettings());
    zoomed.LayoutView(kClient, 16);
    zoomed.ApplyZoom(2.0);
    zoomed.RefineAll();

    ASSERT_EQ(view->canvas().width(), zoomed.canvas().width());
    ASSERT_EQ(view->canvas().height(), zoomed.canvas().height());
    ASSERT_EQ(view->windowOrigin(), zoomed.windowOrigin());
    EXPECT_EQ(view->canvas().image(), zoomed.canvas().image());
    EXPECT_GT(CountColour(view->canvas(), kInk), 160);
    EXPECT_EQ(view->zoomedPage().width, zoomed.zoomedPage().width);
    const double stored = HeaderOf(doc).zoom;
    EXPECT_EQ(stored, 1.0) << "the stored zoom is the user's";
}

TEST_F(DensityFixture, OverlaysKeepTheirLogicalSize)
{
    open(2.0);
    EXPECT_EQ(view->settings().markerWidth, 16);
    EXPECT_EQ(view->settings().anchorWidth, 14);
    EXPECT_EQ(view->rulerThickness(), 24);
    EXPECT_EQ(view->rulerXBitmap().height(), 24);
    EXPECT_EQ(view->geometry().viewport.topLeft(), QPoint(24, 24));

    const Marker& m = view->PlaceMarker(1, 1, MarkerFigure::Square, {100, 100});
    // 8 logical pixels and the border: 16 device pixels and the border.
    EXPECT_EQ(MarkerBox(TestViewSettings(), {50, 50}).width(), 8 + 2);
    EXPECT_EQ(m.hitBox.width(), 16 + 2);
    EXPECT_GE(CountColour(view->canvas(), TestViewSettings().markerColor, m.hitBox), 12 * 12);

    // Taken off again, every pixel of the wider border goes with it.
    view->RepaintAll(false);
    const QImage bare = view->canvas().image();
    for (MarkerFigure figure : {MarkerFigure::Square, MarkerFigure::GroupCentre, MarkerFigure::RotationDot})
        view->PlaceMarker(2, 1, figure, {60, 61});
    view->PlaceMarker(2, 2, MarkerFigure::RotationLine, {60, 61}, {90, 140});
    EXPECT_NE(view->canvas().image(), bare);
    view->RemoveMarkers();
    EXPECT_EQ(view->canvas().image(), bare);

    // New settings keep the ratio.
    ViewSettings s = TestViewSettings();
    s.markerWidth = 5;
    view->setSettings(s);
    EXPECT_EQ(view->settings().markerWidth, 10);

    // At 1 nothing is scaled.
    open(1.0);
    EXPECT_EQ(view->settings().markerWidth, 8);
    EXPECT_EQ(view->rulerXBitmap().height(), 12);
}

TEST_F(DensityFixture, AScreenChangeRepaintsEverythingAtTheNewRatio)
{
    MakePage(doc, 200, 150);
    AddBlock(doc, 10, 10, 40, 30, kBlue);
    open(1.0);
    const QImage atOne = view->canvas().image();
    EXPECT_EQ(CountColour(view->canvas(), kBlue), 30 * 20);

    view->setDeviceRatio(2.0);
    EXPECT_EQ(view->canvas().width(), 400);
    EXPECT_EQ(CountColour(view->canvas(), kBlue), 60 * 40);
    EXPECT_EQ(view->backdrop().width(), view->geometry().viewport.width());
    EXPECT_EQ(view->geometry().viewport.width(), 2 * 800);

    view->setDeviceRatio(1.5);
    // 45 x 30 device pixels, give or take a row where edges fall between.
    EXPECT_NEAR(CountColour(view->canvas(), kBlue), 45 * 30, 46);

    view->setDeviceRatio(1.0);
    EXPECT_EQ(view->canvas().image(), atOne) << "back on the first screen, to the pixel";
}

TEST_F(DensityFixture, OpeningZoomingAndScrollingAtRatioTwoShowEveryShape)
{
    MakePage(doc, 1200, 900);
    for (int i = 0; i < 6; ++i)
        AddBlock(doc, 20 + 150 * i, 20 + 100 * i, 60 + 150 * i, 50 + 100 * i, kBlue);
    view = std::make_unique<DocumentView>(doc, TestViewSettings(), &host);
    // Opened: the progressive pass is due when the window reaches its screen.
    view->ScheduleProgressivePaint();
    view->LayoutView(kClient, 16);
    view->setDeviceRatio(2.0);
    EXPECT_EQ(CountColour(view->canvas(), kBlue), 0) << "the Items wait for the pass";
    view->BeginProgressivePaint();
    while (view->ProgressiveStep()) {
    }
    // Every block on the canvas is there in full: its inside in device
    // pixels is blue to the last pixel. Returns how many are on the canvas.
    const auto blocksShown = [&] {
        int on = 0;
        for (int i = 0; i < 6; ++i) {
            const int l = 20 + 150 * i, t = 20 + 100 * i;
            const QRect inside = QRect(QPoint(view->toCanvasX(l), view->toCanvasY(t)),
                                       QPoint(view->toCanvasX(l + 39), view->toCanvasY(t + 29))) &
                                 QRect(0, 0, view->canvas().width(), view->canvas().height());
            if (inside.isEmpty())
                continue;
            ++on;
            EXPECT_EQ(CountColour(view->canvas(), kBlue, inside), inside.width() * inside.height())
                << "block " << i << " at zoom " << view->zoom();
        }
        return on;
    };
    // The canvas reaches past the viewport (1600 x 1200 device pixels):
    // at least four blocks are on it.
    const int onCanvas = blocksShown();
    EXPECT_GE(onCanvas, 4);
    const int afterOpening = CountColour(view->canvas(), kBlue);

    // A screen change in the middle of a pass.
    view->ScheduleProgressivePaint();
    view->RepaintAll(false);
    view->BeginProgressivePaint();
    ASSERT_TRUE(view->ProgressiveStep());
    view->setDeviceRatio(3.0);
    while (view->ProgressiveStep()) {
    }
    EXPECT_GE(blocksShown(), 3);
    view->setDeviceRatio(2.0);
    EXPECT_EQ(blocksShown(), onCanvas);
    EXPECT_EQ(CountColour(view->canvas(), kBlue), afterOpening);

    // Scrolled to the far corner: the last blocks, in device pixels.
    const ScrollBarLayout& bx = view->geometry().scrollBarX;
    const ScrollBarLayout& by = view->geometry().scrollBarY;
    ASSERT_TRUE(bx.visible && by.visible);
    view->ScrollTo(ViewDirection::Horizontal, bx.maximum);
    view->ScrollTo(ViewDirection::Vertical, by.maximum);
    EXPECT_GE(blocksShown(), 2);
    EXPECT_GT(CountColour(view->canvas(), kBlue), 2 * 80 * 60);

    // Zoomed: the blocks at four times the document's size on the canvas.
    view->ApplyZoom(2.0);
    EXPECT_GE(blocksShown(), 1) << "fast-painted";
    view->RefineAll();
    EXPECT_EQ(view->documentZoom(), 2.0);
    EXPECT_DOUBLE_EQ(view->zoom(), 4.0);
    EXPECT_GE(blocksShown(), 1);
}

} // namespace
} // namespace vlm::test

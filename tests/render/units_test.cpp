#include <gtest/gtest.h>

#include "model/document.h"
#include "model/item_record.h"
#include "render/units.h"

#include <cmath>
#include <limits>

namespace vlm {
namespace {

TEST(Units, CanvasAndDocumentConversionsRoundTiesToEven)
{
    struct Case
    {
        double zoom;
        int origin;
        int doc;
        int canvas;
    };
    const Case toCanvas[] = {
        {0.5, 0, 1, 0}, {0.5, 0, 3, 2},  {0.5, 0, 5, 2},          {0.5, 0, -1, 0},         {0.5, 0, -3, -2},
        {1.5, 0, 1, 2}, {3.0, 0, 7, 21}, {1.0, 1400, 3000, 1600}, {2.0, 1600, 100, -1400},
    };
    for (const Case& c : toCanvas) {
        EXPECT_EQ(ToCanvasX(c.zoom, c.origin, c.doc), c.canvas) << c.zoom << " " << c.doc;
        EXPECT_EQ(ToCanvasY(c.zoom, c.origin, c.doc), c.canvas) << c.zoom << " " << c.doc;
    }
    const Case toDocument[] = {
        {0.5, 0, 2, 1}, {0.5, 0, 4, 2},         {2.0, 0, 2, 5},    {2.0, 0, 4, 7},
        {3.0, 0, 1, 4}, {1.0, 1400, 1600, 200}, {0.25, 0, -4, -1},
    };
    for (const Case& c : toDocument) {
        EXPECT_EQ(ToDocumentX(c.zoom, c.origin, c.canvas), c.doc) << c.zoom << " " << c.canvas;
        EXPECT_EQ(ToDocumentY(c.zoom, c.origin, c.canvas), c.doc) << c.zoom << " " << c.canvas;
    }
    EXPECT_EQ(ToCanvasRect(0.5, 10, 20, {1, 3, 5, 7}), (PixelRect{-10, -18, -8, -16}));
    EXPECT_EQ(ToDocumentRect(0.5, 10, 20, {-10, -18, -8, -16}), (PixelRect{0, 4, 4, 8}));
}

TEST(Units, ConversionsSurviveExtremeAndUnusableValues)
{
    EXPECT_EQ(ToCanvasX(3.0, 0, 2147483647), 2147483647);
    EXPECT_EQ(ToCanvasX(3.0, -5, -2147483647 - 1), -2147483647 - 1 + 5);
    EXPECT_EQ(ToCanvasX(1.0, -2147483647 - 1, 2147483647), 2147483647);
    // A zoom that is no factor converts as 100 %.
    for (double z : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(ToDocumentX(z, 0, 40), 40) << z;
        EXPECT_EQ(ToCanvasY(z, 0, 40), 40) << z;
    }
}

TEST(Units, ZoomOfTheDocumentHeader)
{
    Document doc;
    EXPECT_EQ(ZoomOf(doc), 1.0); // no header
    Item& header = NewItem(doc.items, KindDocumentHeader);
    struct Case
    {
        double stored;
        double zoom;
    };
    for (const Case& c :
         {Case{2.0, 2.0}, Case{0.25, 0.25}, Case{0.0, 1.0}, Case{-1.0, 1.0}, Case{std::nan(""), 1.0}}) {
        header.rec.h.zoom = c.stored;
        EXPECT_EQ(ZoomOf(doc), c.zoom) << c.stored;
    }
}

TEST(Units, PixelsFromMmTakeTheirAxis)
{
    const ScreenMetrics m = ScreenMetrics::fromDpi(96, 120);
    EXPECT_EQ(PixelsFromMm(1.0, m, Axis::X), 4); // 3.78
    EXPECT_EQ(PixelsFromMm(1.0, m, Axis::Y), 5); // 4.72
    EXPECT_EQ(PixelsFromMm(2.0, ScreenMetrics{}, Axis::X), 8);
    EXPECT_EQ(PixelsFromMm(0.0, ScreenMetrics{}, Axis::Y), 0);
}

TEST(Units, LengthReadOut)
{
    struct Case
    {
        int units;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1, 1.0, "1 Pixel"},
        {1, 2.0, "2 Pixels"},
        {3, 1.0, "1 Inch"},
        {3, 0.5, "0.5 Inches"},
        {1, 0.00009, "None"},
        {3, 0.0, "None"},
        {2, -3.0, "None"},
        {1, std::nan(""), "None"},
        {2, 25.4, "25 mm"},
        {2, 1.0, "1 mm"},
        {3, 2.10, "2.1 Inches"},
        {3, 2.346, "2.35 Inches"},
        {3, 11.0, "11 Inches"},
        {1, 0.4, "0 Pixels"},
        {1, 2.5, "2 Pixels"},
        // The unit follows the number shown, so a value that shows as 1 reads
        // in the singular.
        {3, 0.999, "1 Inch"},
        {1, 1.4, "1 Pixel"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLength(c.units, c.value).toStdString(), c.text) << c.units << " " << c.value;
}

TEST(Units, ZoomButtonsFollowTheStepTable)
{
    struct Case
    {
        int percent;
        double out;
        double in;
    };
    const Case cases[] = {
        {10, 0.25, 0.5},  {49, 0.25, 0.5},  {50, 0.25, 0.75}, {51, 0.5, 0.75},   {74, 0.5, 0.75},
        {75, 0.5, 1.0},   {76, 0.75, 1.0},  {99, 0.75, 1.0},  {100, 0.75, 1.25}, {101, 1.0, 1.25},
        {124, 1.0, 1.25}, {125, 1.0, 1.5},  {126, 1.25, 1.5}, {150, 1.25, 1.75}, {151, 1.5, 1.75},
        {175, 1.5, 2.0},  {176, 1.75, 2.0}, {199, 1.75, 2.0}, {200, 1.75, 3.0},  {201, 2.0, 3.0},
        {299, 2.0, 3.0},  {300, 2.0, 3.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoomOut(c.percent / 100.0), c.out) << c.percent;
        if (c.percent < 300) {
            EXPECT_EQ(ZoomIn(c.percent / 100.0), c.in) << c.percent;
        }
    }
    EXPECT_EQ(ZoomIn(3.0), 3.0); // nothing above 300 %
    EXPECT_EQ(ZoomIn(3.2), 3.2); // outside the table: unchanged
    EXPECT_EQ(ZoomOut(3.2), 3.2);
    EXPECT_EQ(ZoomIn(0.494), 0.5); // 49 % after rounding
}

TEST(Units, TrackbarAndZoomReadOut)
{
    EXPECT_FALSE(ZoomFromTrackbar(0).has_value()); // releasing at 0 changes nothing
    EXPECT_FALSE(ZoomFromTrackbar(-5).has_value());
    EXPECT_FALSE(ZoomFromTrackbar(301).has_value());
    EXPECT_EQ(ZoomFromTrackbar(49), 0.49);
    EXPECT_EQ(ZoomFromTrackbar(300), 3.0);

    EXPECT_EQ(ZoomLabel(0.49).toStdString(), "49%");
    EXPECT_EQ(ZoomLabel(1.0).toStdString(), "100%");
    EXPECT_EQ(ZoomStepIndex(1.0), 3);
    EXPECT_EQ(ZoomStepIndex(3.0), 8);
    EXPECT_EQ(ZoomStepIndex(0.251), 0); // 25 % after rounding
    EXPECT_EQ(ZoomStepIndex(0.49), -1); // no menu entry is checked
}

TEST(Units, CanvasWindowOfALargePage)
{
    struct Case
    {
        int pageStart, zoomedSize, scroll, viewport;
        CanvasWindowAxis placed;
    };
    const Case cases[] = {
        // A 3000-pixel page scrolled to 1700 with the viewport beyond the
        // first window: the window ends with the page.
        {0, 3000, 1700, 800, {1600, 1400, -1700, -300}},
        // Not scrolled far enough to leave the first window.
        {0, 3000, 100, 800, {1600, 0, -100, -100}},
        // The next block would start right of the viewport: pulled back so
        // the canvas starts at the viewport's edge.
        {0, 5000, 1700, 800, {1600, 1700, -1700, 0}},
        // Page smaller than the limit never moves the window.
        {20, 900, 0, 400, {900, 0, 20, 20}},
        {0, 1200, 1000, 100, {1200, 0, -1000, -1000}},
        // A page margin left of the page shifts every offset.
        {50, 4000, 3300, 1000, {1600, 2400, -3250, -850}},
        // A damaged header with a negative size gives an empty canvas.
        {0, -10, 0, 400, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceCanvasAxis(c.pageStart, c.zoomedSize, c.scroll, c.viewport), c.placed)
            << c.zoomedSize << " scrolled to " << c.scroll;

    HeaderFields h{};
    h.left = 0;
    h.top = 10;
    h.width = 3000;
    h.height = 700;
    const CanvasWindow a = PlaceCanvasWindow(h, 0, 0, 800, 600);
    const CanvasWindow b = PlaceCanvasWindow(h, 1700, 0, 800, 600);
    EXPECT_EQ(b.x.origin, 1400);
    EXPECT_EQ(b.y, a.y);
    EXPECT_TRUE(NeedsFullRepaint(a, b));
    EXPECT_FALSE(NeedsFullRepaint(a, PlaceCanvasWindow(h, 100, 0, 800, 600)));
}

} // namespace
} // namespace vlm

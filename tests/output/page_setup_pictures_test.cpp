#include "output/page_setup_pictures.h"

#include "output/quick_select_catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace vlm {
namespace {

pageset_t Chosen(std::int32_t type, std::int32_t unit, std::int32_t row)
{
    pageset_t ps = InitialPageSetups(unit)[type];
    ps.units = unit;
    EXPECT_TRUE(ApplyQuickSelectRow(type, unit, row, ps.set(unit), ps.orientation));
    return ps;
}

int CountColour(const Bitmap& b, const QRect& r, ColorRef c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += b.pixel(x, y) == c;
    return n;
}

TEST(PageSample, CardSheetsShowEveryPrintCellAndTheCanvasInRed)
{
    const QRect area(0, 0, 300, 300);
    const pageset_t ten = Chosen(DesignBusinessCards, UnitMillimeters, 1);
    SampleLayout s = LayOutSample(ten, DesignBusinessCards, area);
    ASSERT_TRUE(s.shown);
    ASSERT_EQ(s.cells.size(), 10u);
    // A4 scaled so that 297 mm is 0.9 x 300 pixels.
    EXPECT_EQ(s.paper.height(), 270);
    EXPECT_EQ(s.cells[0].left() - s.paper.left(), 28); // 31 mm
    EXPECT_LT(s.cells[0].right(), s.cells[1].left());
    EXPECT_LT(s.cells[1].bottom(), s.cells[2].top());

    // Folding between columns joins two cards into one cell twice as wide.
    const pageset_t fold = Chosen(DesignBusinessCards, UnitMillimeters, 2);
    s = LayOutSample(fold, DesignBusinessCards, area);
    ASSERT_EQ(s.cells.size(), 5u);
    EXPECT_EQ(s.folds.size(), 5u);
    EXPECT_NEAR(s.cells[0].width(), 2 * 74 * 270.0 / 297, 1.0);

    Bitmap pane(300, 340);
    DrawPageSample(pane, ten, DesignBusinessCards);
    const SampleLayout drawn = LayOutSample(ten, DesignBusinessCards, QRect(4, 8, 292, 328));
    ASSERT_EQ(drawn.cells.size(), 10u);
    const QRect first = drawn.cells[0];
    const QRect second = drawn.cells[1];
    EXPECT_GT(CountColour(pane, first, kSampleFirstCardColor), 2 * first.width());
    EXPECT_EQ(CountColour(pane, second, kSampleFirstCardColor), 0);
    EXPECT_GT(CountColour(pane, second, kSampleCardColor), 2 * second.width());
}

TEST(PageSample, BrochuresAreOneSheetFoldedBetweenItsPanels)
{
    const SampleLayout s =
        LayOutSample(Chosen(DesignBrochures, UnitMillimeters, 1), DesignBrochures, QRect(0, 0, 300, 300));
    ASSERT_TRUE(s.shown);
    EXPECT_TRUE(s.cells.empty()) << "the canvas is the whole sheet";
    ASSERT_EQ(s.folds.size(), 2u);
    EXPECT_EQ(s.folds[0].y1(), s.paper.top() + 90); // 99 of 297 mm
    EXPECT_EQ(s.folds[0].x1(), s.paper.left());
    EXPECT_EQ(s.folds[0].x2(), s.paper.right());
}

TEST(PageSample, NothingIsShownForAPaperThatDoesNotParseOrIsZero)
{
    for (const char16_t* width : {u"wide", u"0", u""}) {
        pageset_t ps = Chosen(DesignIllustrations, UnitMillimeters, 4);
        ps.set(UnitMillimeters).texts[TextPaperWidth] = width;
        EXPECT_FALSE(LayOutSample(ps, DesignIllustrations, QRect(0, 0, 200, 200)).shown);
        Bitmap pane(200, 200);
        DrawPageSample(pane, ps, DesignIllustrations);
        // Only the headings are on the pane, no white paper.
        EXPECT_EQ(CountColour(pane, QRect(0, 60, 200, 140), RGBRef(255, 255, 255)), 0)
            << "width text " << std::u16string(width).size();
    }
    pageset_t bad = Chosen(DesignIllustrations, UnitMillimeters, 4);
    bad.units = 0;
    EXPECT_FALSE(LayOutSample(bad, DesignIllustrations, QRect(0, 0, 200, 200)).shown);
}

TEST(PageSample, IllustrationsDrawTheirMarginsAndPixelsTheirActualSize)
{
    const pageset_t a4 = Chosen(DesignIllustrations, UnitMillimeters, 4);
    Bitmap pane(300, 400);
    DrawPageSample(pane, a4, DesignIllustrations);
    // Four red lines across the paper.
    EXPECT_GT(CountColour(pane, QRect(0, 0, 300, 400), kSampleMarginColor), 600);

    pageset_t px = Chosen(DesignDigitalImages, UnitPixels, 1);
    const SampleLayout s = LayOutSample(px, DesignDigitalImages, QRect(0, 0, 600, 600));
    ASSERT_TRUE(s.shown);
    EXPECT_TRUE(s.actualSize);
    EXPECT_EQ(s.paper.size(), QSize(500, 350)) << "landscape: the pair is swapped";
    px.set(UnitPixels).texts[TextPaperWidth] = u"12.5";
    EXPECT_FALSE(LayOutSample(px, DesignDigitalImages, QRect(0, 0, 600, 600)).shown);
}

TEST(DesignTypePicture, EveryTypeHasAPictureOfItsOwn)
{
    std::set<QByteArray> seen;
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t) {
        const Bitmap b = DesignTypePicture(t);
        ASSERT_EQ(b.width(), kDesignPictureWidth);
        ASSERT_EQ(b.height(), kDesignPictureHeight);
        const QImage& img = b.image();
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(img.constBits()), static_cast<int>(img.sizeInBytes())));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kDesignTypeCount));
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "output/render_sheet.h"
#include "sheet_fixtures.h"

namespace vlm {
namespace {

// The soft edge of a shadow along one row: how many pixels lie between
// clearly shaded and clearly clear, right of the Item.
int SoftEdge(const Bitmap& sheet, int row, int from)
{
    int darkest = 255;
    for (int x = from; x < sheet.width(); ++x)
        darkest = std::min(darkest, qGray(sheet.image().pixel(x, row)));
    const int depth = 255 - darkest;
    int soft = 0;
    for (int x = from; x < sheet.width(); ++x) {
        const int d = 255 - qGray(sheet.image().pixel(x, row));
        soft += d > depth / 10 && d < depth * 9 / 10;
    }
    return soft;
}

TEST(PrintedShadow, IsAsSoftOnPaperAsOnTheScreen)
{
    // A grey square casting a "Medium"-like shadow on a 2-inch illustration.
    test::SheetDoc s;
    s.setup(DesignIllustrations, UnitInches, 2, 2);
    Item& box = s.box(QRect(40, 40, 80, 80), RGBRef(128, 128, 128));
    box.rec.d.shadowElevation = 80;
    box.rec.d.shadowFade = 40;
    box.rec.d.shadowLightness = 100;

    const std::optional<Bitmap> screen = renderSheet(s.doc, PrinterDevice(96, 96, 192, 192, 0, 0), "", {});
    const std::optional<Bitmap> print = renderSheet(s.doc, PrinterDevice(384, 384, 768, 768, 0, 0), "", {});
    ASSERT_TRUE(screen && print);
    // Through the middle of the square, from its right edge on.
    const int soft96 = SoftEdge(*screen, 80, 121);
    const int soft384 = SoftEdge(*print, 320, 484);
    ASSERT_GE(soft96, 2);
    // Four times the pixels: the same millimetres.
    EXPECT_NEAR(double(soft384) / soft96, 4.0, 1.2) << soft96 << " and " << soft384;
}

} // namespace
} // namespace vlm

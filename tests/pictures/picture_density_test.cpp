// The picture area on a dense screen: the shown picture made again from the
// decoded pixels at the device ratio, following zoom, mirror and turns.

#include "picture_fixtures.h"
#include "pictures/picture_decoders.h"
#include "pictures/picture_session.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vlm {
namespace {

TEST(PictureSessionDensity, TheSharpPictureComesFromTheDecodedPixels)
{
    const Bitmap source = test::Gradient(200, 100);
    PictureSession s;
    ASSERT_TRUE(s.load(test::QtBytes(source.image(), "BMP"), PictureFormatBmp, QSize(600, 400)));
    s.setZoomPercent(50);
    ASSERT_EQ(s.shown().width(), 100);
    EXPECT_EQ(&s.sharpShown(), &s.shown()) << "at ratio 1 the shown picture itself";

    s.setDeviceRatio(2.0);
    EXPECT_EQ(s.shown().width(), 100) << "shown pixels stay what the outlines use";
    ASSERT_EQ(s.sharpShown().width(), 200);
    ASSERT_EQ(s.sharpShown().height(), 100);
    // Two device pixels per shown pixel at 50 %: the decoded picture itself.
    EXPECT_EQ(s.sharpShown().image().convertToFormat(QImage::Format_RGB32),
              s.decoded().image().convertToFormat(QImage::Format_RGB32));

    s.turnClockwise();
    EXPECT_EQ(s.sharpShown().width(), 100);
    EXPECT_EQ(s.sharpShown().height(), 200);
    s.setDeviceRatio(1.5);
    // Turned, an odd side may lose its last pixel, as the shown one does.
    EXPECT_NEAR(s.sharpShown().width(), s.shown().width() * 1.5, 1.0);
    EXPECT_NEAR(s.sharpShown().height(), s.shown().height() * 1.5, 1.0);
    s.setDeviceRatio(std::nan(""));
    EXPECT_EQ(s.deviceRatio(), 1.0);

    // A failed load leaves nothing to show at any ratio.
    s.setDeviceRatio(2.0);
    EXPECT_FALSE(s.load({1, 2, 3}, PictureFormatBmp, QSize(600, 400)));
    EXPECT_TRUE(s.sharpShown().isNull());
}

} // namespace
} // namespace vlm

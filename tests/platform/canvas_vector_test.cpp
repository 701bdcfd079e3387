#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/font.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPicture>

namespace vlm {
namespace {

// A vector canvas over a painter on an image, so that what it asks the
// painter for can be looked at in pixels.
struct VectorOnImage
{
    QImage image{40, 20, QImage::Format_RGB32};
    QPainter painter;
    VectorOnImage()
    {
        image.fill(Qt::white);
        painter.begin(&image);
    }
    bool black(int x, int y) const { return qGray(image.pixel(x, y)) < 128; }
};

TEST(VectorCanvas, ThinAndDottedPensKeepTheirRhythmAsStrokes)
{
    VectorOnImage v;
    {
        Canvas c(v.painter, 40, 20);
        EXPECT_TRUE(c.isVector());
        EXPECT_TRUE(c.bitmap().isNull());
        EXPECT_EQ(c.width(), 40);
        c.setPen(RGBRef(0, 0, 0), 1, PenStyle::Dotted);
        const QPoint dotted[] = {{0, 5}, {30, 5}};
        c.polyline(dotted);
        c.setPen(RGBRef(0, 0, 0), 0);
        c.line({0, 12}, {30, 12});
        // Wide pens and fills as on a bitmap.
        c.setNullPen();
        c.fillRect(QRect(34, 0, 4, 4), RGBRef(255, 0, 0));
    }
    v.painter.end();
    // 3 on, 3 off along the line, and a plain thin line unbroken.
    int on = 0;
    for (int x = 1; x < 29; ++x) {
        const bool dot = v.black(x, 5) || v.black(x, 4);
        on += dot;
        EXPECT_EQ(dot, (x % 6) < 3) << x;
        EXPECT_TRUE(v.black(x, 12) || v.black(x, 11)) << x;
    }
    EXPECT_GT(on, 10);
    EXPECT_EQ(v.image.pixel(35, 1), qRgb(255, 0, 0));
}

TEST(VectorCanvas, ImagesAndTextReachThePainter)
{
    // A picture records the painter's calls, replayed onto an image.
    QPicture picture;
    QPainter painter(&picture);
    {
        Canvas c(painter, 200, 100);
        QImage dot(2, 2, QImage::Format_ARGB32);
        dot.fill(qRgba(0, 0, 255, 128));
        c.drawImage(QRectF(10, 10, 20, 20), dot);
        FontRequest request;
        request.faceName = QStringLiteral("Arial");
        if (const std::optional<Font> font = Font::make(request, 96))
            c.drawText(*font, QPoint(5, 40), QStringLiteral("Words stay words"), RGBRef(0, 0, 0));
    }
    painter.end();
    QImage out(200, 100, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter replay(&out);
    picture.play(&replay);
    replay.end();
    // Half-transparent blue over white, scaled up without smoothing.
    const QRgb blended = out.pixel(20, 20);
    EXPECT_GT(qBlue(blended), 200);
    EXPECT_GT(qRed(blended), 100);
    EXPECT_LT(qRed(blended), 160);
    EXPECT_EQ(out.pixel(9, 9), qRgb(255, 255, 255));
    bool inked = false;
    for (int x = 5; x < 150; ++x)
        inked = inked || qGray(out.pixel(x, 50)) < 128 || qGray(out.pixel(x, 48)) < 128;
    EXPECT_TRUE(inked);
}

} // namespace
} // namespace vlm

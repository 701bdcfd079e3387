#include <gtest/gtest.h>

#include "output/pdf_images.h"
#include "output/sheet_layout.h"
#include "pdf_tools.h"

#include <QBuffer>
#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <random>

namespace vlm {
namespace {

using test::RunTool;

// Colour noise: anything lossy changes it.
QImage Noise(int w, int h, bool alpha, unsigned seed)
{
    std::mt19937 engine(seed);
    QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned v = engine();
            image.setPixel(x, y, qRgba(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff, alpha ? (x < w / 2 ? 0 : 255) : 255));
        }
    return image;
}

// The images pdfimages extracts, in file order.
std::vector<QImage> Extract(const QString& pdf, const QTemporaryDir& dir)
{
    const QString stem = dir.filePath(QStringLiteral("img"));
    RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, stem});
    std::vector<QImage> images;
    const QStringList names = QDir(dir.path()).entryList({QStringLiteral("img-*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        images.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return images;
}

bool SamePixels(const QImage& a, const QImage& b, int fromX = 0)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = fromX; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff))
                return false;
    return true;
}

TEST(RasterPdf, TilesAreTheSheetByteForByte)
{
    QTemporaryDir dir;
    const QImage sheet = Noise(700, 530, false, 7);
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        RasterPdfWriter pdf(file);
        pdf.beginPage(700 * 72.0 / 300, 530 * 72.0 / 300, 300);
        for (const QRect& tile : SheetTiles(sheet.width(), sheet.height()))
            pdf.addImage(sheet.copy(tile), tile.x(), tile.y());
        ASSERT_TRUE(pdf.finish(QStringLiteral("Sheet (1)"), QStringLiteral("Vellumora")));
    }
    const QStringList rows = test::ImageRows(path);
    ASSERT_EQ(rows.size(), 4) << "poppler-utils is needed to read the PDF back";
    for (const QString& row : rows)
        EXPECT_TRUE(row.contains(QStringLiteral(" image ")) && !row.contains(QStringLiteral("jpeg")))
            << row.toStdString();
    const std::vector<QImage> tiles = Extract(path, dir);
    const std::vector<QRect> cut = SheetTiles(sheet.width(), sheet.height());
    ASSERT_EQ(tiles.size(), cut.size());
    for (std::size_t i = 0; i < cut.size(); ++i)
        EXPECT_TRUE(SamePixels(tiles[i], sheet.copy(cut[i]))) << i;
    // The tiles stand where the sheet has them: a smooth sheet, as the
    // viewer may sample a pixel's neighbour and round a level off.
    QImage smooth(700, 530, QImage::Format_RGB32);
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x)
            smooth.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 80 + (y / 256) * 40));
    const QString placed = dir.filePath(QStringLiteral("placed.pdf"));
    {
        QFile file(placed);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        RasterPdfWriter pdf(file);
        pdf.beginPage(700 * 72.0 / 300, 530 * 72.0 / 300, 300);
        for (const QRect& tile : SheetTiles(smooth.width(), smooth.height()))
            pdf.addImage(smooth.copy(tile), tile.x(), tile.y());
        ASSERT_TRUE(pdf.finish(QStringLiteral("Smooth"), QStringLiteral("Vellumora")));
    }
    const QImage page = test::Rasterise(placed, 300, dir.filePath(QStringLiteral("page")));
    ASSERT_EQ(page.size(), smooth.size());
    qint64 same = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb a = page.pixel(x, y);
            const QRgb b = smooth.pixel(x, y);
            same += std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
                    std::abs(qBlue(a) - qBlue(b)) <= 2;
        }
    EXPECT_GT(double(same) / (page.width() * page.height()), 0.99); // all but the gradient's wraps
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path}).out.simplified();
    EXPECT_TRUE(info.contains(QStringLiteral("Title: Sheet (1)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Page size: 168 x 127.2 pts"))) << info.toStdString();
}

TEST(LosslessPdfImages, QtsJpegStreamsGetTheirPixelsBack)
{
    QTemporaryDir dir;
    const QImage opaque = Noise(64, 48, false, 1);
    const QImage halfClear = Noise(40, 30, true, 2);
    QByteArray bytes;
    LosslessPdfImages noted;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QPageSize::A5));
        QPainter painter(&writer);
        for (const QImage* image : {&opaque, &halfClear, &opaque}) {
            noted.note(*image);
            painter.drawImage(QRectF(10, 10 + image->height() * 2, image->width(), image->height()), *image);
        }
    }
    EXPECT_EQ(noted.count(), 2u);
    QByteArray wrong = bytes;
    LosslessPdfImages mismatched;
    mismatched.note(halfClear);
    mismatched.note(opaque);
    EXPECT_FALSE(mismatched.rewrite(wrong));
    EXPECT_EQ(wrong, bytes);
    QByteArray truncated = bytes.left(bytes.size() / 2);
    EXPECT_FALSE(noted.rewrite(truncated));

    ASSERT_TRUE(noted.rewrite(bytes));
    const QString path = dir.filePath(QStringLiteral("images.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    for (const QString& row : test::ImageRows(path))
        EXPECT_FALSE(row.contains(QStringLiteral("jpeg"))) << row.toStdString();
    const std::vector<QImage> images = Extract(path, dir);
    // Each placement: the opaque image, the other one and its mask, the
    // opaque one again (stored once).
    ASSERT_EQ(images.size(), 4u);
    EXPECT_TRUE(SamePixels(images[0], opaque));
    EXPECT_TRUE(SamePixels(images[1], halfClear, halfClear.width() / 2));
    EXPECT_TRUE(SamePixels(images[3], opaque));
    EXPECT_EQ(bytes.count("/Subtype /Image"), 3);
    EXPECT_TRUE(RunTool(QStringLiteral("pdfinfo"), {path}).out.contains(QStringLiteral("Pages:")));
}

} // namespace
} // namespace vlm

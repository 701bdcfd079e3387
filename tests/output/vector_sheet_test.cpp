#include <gtest/gtest.h>

#include "card_fixtures.h"
#include "output/render_sheet.h"
#include "output/vector_files.h"
#include "pdf_tools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace vlm {
namespace {

using test::RunTool;

SheetEnvironment Env()
{
    return SheetEnvironment{};
}

QString WriteSheet(Document& doc, const QTemporaryDir& dir, const QString& name, const std::string& cells = "")
{
    VectorFormat format = VectorFormat::Pdf;
    const QString path = dir.filePath(name);
    std::string error;
    if (!VectorFormatOf(path.toStdString(), format) ||
        !WriteVectorSheet(doc, cells, Env(), path.toStdString(), format, QStringLiteral("Cards"), error))
        return {};
    return path;
}

TEST(VectorSheet, TenCardsAreOneA4PageOfRealTextWithoutImages)
{
    QTemporaryDir dir;
    Document doc;
    test::TenCardSheet(doc);
    const QString pdf = WriteSheet(doc, dir, QStringLiteral("cards.pdf"));
    ASSERT_FALSE(pdf.isEmpty());

    const test::ToolRun run = RunTool(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(run.ran) << "poppler-utils is needed to read the PDF back";
    const QString info = run.out.simplified();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: 1")));
    EXPECT_TRUE(info.contains(QStringLiteral("Page size: 595 x 842 pts (A4)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title: Cards")));
    EXPECT_TRUE(info.contains(QStringLiteral("Creator: Vellumora")));

    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    for (const std::u16string& line : test::CardLines())
        EXPECT_EQ(text.count(QString::fromStdU16String(line)), 10) << text.toStdString();
    EXPECT_TRUE(test::ImageRows(pdf).isEmpty());
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf}).out;
    EXPECT_TRUE(fonts.simplified().contains(QStringLiteral("Identity-H yes"))) << fonts.toStdString(); // embedded

    // A crossed-out cell prints nothing, not even hidden text.
    const QString some = WriteSheet(doc, dir, QStringLiteral("some.pdf"), "x  x");
    const QString fewer = RunTool(QStringLiteral("pdftotext"), {some, QStringLiteral("-")}).out;
    EXPECT_EQ(fewer.count(QString::fromStdU16String(test::CardLines()[0])), 8) << fewer.toStdString();
}

// The bounding box of the pixels of one colour (within a small tolerance).
QRect ColourBox(const QImage& image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            if (std::abs(qRed(p) - qRed(colour)) <= 6 && std::abs(qGreen(p) - qGreen(colour)) <= 6 &&
                std::abs(qBlue(p) - qBlue(colour)) <= 6)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(VectorSheet, RasterisedPageMatchesTheRasterSheet)
{
    QTemporaryDir dir;
    Document doc;
    test::TenCardSheet(doc);
    const QString pdf = WriteSheet(doc, dir, QStringLiteral("cards.pdf"));
    ASSERT_FALSE(pdf.isEmpty());
    const QImage page = test::Rasterise(pdf, 96, dir.filePath(QStringLiteral("page")));
    ASSERT_EQ(page.size(), QSize(794, 1123));
    const std::optional<Bitmap> raster = renderSheet(doc, PrinterDevice(96, 96, 794, 1123, 0, 0), "", Env());
    ASSERT_TRUE(raster);

    // Each circle has a fill of its own, the frame and the text a colour
    // of their own: each colour's box is where the raster sheet has it.
    std::vector<ColorRef> colours = {RGBRef(0, 90, 160), RGBRef(20, 30, 90)};
    for (int i = 0; i < 40; ++i)
        colours.push_back(RGBRef(200 - i * 4, 60 + i * 3, 40 + i * 5));
    int compared = 0;
    for (ColorRef c : colours) {
        const QRgb rgb = Bitmap::toArgb(c);
        const QRect want = ColourBox(raster->image(), rgb);
        const QRect got = ColourBox(page, rgb);
        ASSERT_FALSE(want.isEmpty());
        ASSERT_FALSE(got.isEmpty()) << "missing Item of colour " << std::hex << rgb;
        EXPECT_LE(std::abs(want.left() - got.left()), 1) << std::hex << rgb;
        EXPECT_LE(std::abs(want.top() - got.top()), 1) << std::hex << rgb;
        EXPECT_LE(std::abs(want.right() - got.right()), 1) << std::hex << rgb;
        EXPECT_LE(std::abs(want.bottom() - got.bottom()), 1) << std::hex << rgb;
        ++compared;
    }
    EXPECT_EQ(compared, 1 + 40 + 1); // one box for all three lines of text
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "card_fixtures.h"
#include "output/render_sheet.h"
#include "output/vector_files.h"
#include "pdf_tools.h"
#include "platform/canvas.h"
#include "render/painted_items.h"

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
    if (!vectorFormatOf(path.toStdString(), format) ||
        !writeVectorSheet(doc, cells, Env(), path.toStdString(), format, QStringLiteral("Cards"), error))
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

namespace vlm {
namespace {

TEST(VectorSheet, ShadowsAndSurfacesAreLosslessImagesStoredOncePerSheet)
{
    QTemporaryDir dir;
    Document doc;
    test::TenCardSheet(doc, true);
    const QString pdf = WriteSheet(doc, dir, QStringLiteral("effects.pdf"));
    ASSERT_FALSE(pdf.isEmpty());
    const QStringList rows = test::ImageRows(pdf);
    ASSERT_FALSE(rows.isEmpty());
    for (const QString& row : rows)
        EXPECT_FALSE(row.contains(QStringLiteral("jpeg"))) << row.toStdString();
    // The frame's shadow and the shaded circle, each with its transparency,
    // stored once and placed in all ten cells.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_LE(file.readAll().count("/Subtype /Image"), 4);

    // The text stays text, and the shadow darkens the page right of and
    // below the frame as on the raster sheet.
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    EXPECT_EQ(text.count(QString::fromStdU16String(test::CardLines()[1])), 10);
    const QImage page = test::Rasterise(pdf, 96, dir.filePath(QStringLiteral("page")));
    const std::optional<Bitmap> raster = renderSheet(doc, PrinterDevice(96, 96, 794, 1123, 0, 0), "", Env());
    ASSERT_TRUE(raster);
    // The frame of the first card ends at x = 57 + 313; its shadow falls
    // right of it and below it, as dark on the page as on the raster sheet.
    auto darkness = [](const QImage& image, const QRect& r) {
        long long sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += 255 - qGray(image.pixel(x, y));
        return sum;
    };
    for (const QRect& strip : {QRect(372, 60, 14, 190), QRect(80, 241, 280, 12)}) {
        const double want = double(darkness(raster->image(), strip));
        const double got = double(darkness(page, strip));
        EXPECT_GT(want, 2000.0);
        EXPECT_NEAR(got / want, 1.0, 0.25) << got << " against " << want;
    }
    // A box out of date (as a file may keep it) does not lose the shadow:
    // the layer also measures the points the frame is drawn through.
    for (Item* item : PaintedItems(doc.items))
        if (item->rec.d.kind == KindRectangle)
            item->rec.d.left = item->rec.d.top = item->rec.d.right = item->rec.d.bottom = 0;
    const QString stale = WriteSheet(doc, dir, QStringLiteral("stale.pdf"));
    const QImage stalePage = test::Rasterise(stale, 96, dir.filePath(QStringLiteral("stale")));
    const QRect strip(372, 60, 14, 190);
    EXPECT_NEAR(double(darkness(stalePage, strip)) / double(darkness(raster->image(), strip)), 1.0, 0.25);
    if (qEnvironmentVariableIsSet("VLM_KEEP")) {
        dir.setAutoRemove(false);
        raster->image().save(dir.filePath(QStringLiteral("raster.png")));
        qWarning("kept in %s", qPrintable(dir.path()));
    }
}

TEST(VectorSheet, SvgDrawingHoldsTheTextAndReadsAsXml)
{
    QTemporaryDir dir;
    Document doc;
    test::TenCardSheet(doc);
    const QString svg = WriteSheet(doc, dir, QStringLiteral("cards.svg"));
    ASSERT_FALSE(svg.isEmpty());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QXmlStreamReader xml(bytes);
    int texts = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            ++texts;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 30);
    EXPECT_EQ(bytes.count("Lantern Street Printing Works"), 10);
    EXPECT_TRUE(bytes.contains("width=\"210.0")) << bytes.left(300).toStdString();
}

TEST(VectorSheet, SeveralSheetsMakeOnePdfOfSeveralPages)
{
    Document cards;
    test::TenCardSheet(cards);
    Document letter;
    test::A4Page(letter, DesignIllustrations);
    Item& header = *letter.items.header();
    header.rec.h.units = UnitInches;
    header.rec.h.pageDims[DimPaperWidth] = 8.5;
    header.rec.h.pageDims[DimPaperHeight] = 11;
    Document noHeader;
    noHeader.items.clear();

    VectorDocumentWriter writer(VectorFormat::Pdf, QStringLiteral("Merged"));
    EXPECT_TRUE(writer.addSheet(cards, "", Env()));
    EXPECT_FALSE(writer.addSheet(noHeader, "", Env()));
    EXPECT_TRUE(writer.addSheet(letter, "", Env()));
    EXPECT_TRUE(writer.addSheet(cards, "xxxxxxxxx", Env()));
    const QByteArray bytes = writer.finish();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("merged.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QString info =
        RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                            QStringLiteral("3"), file.fileName()})
            .out.simplified();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: 3"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Page 2 size: 612 x 792 pts (letter)"))) << info.toStdString();
    const QString text = RunTool(QStringLiteral("pdftotext"), {file.fileName(), QStringLiteral("-")}).out;
    EXPECT_EQ(text.count(QString::fromStdU16String(test::CardLines()[0])), 11);

    VectorDocumentWriter svg(VectorFormat::Svg, QStringLiteral("One"));
    EXPECT_TRUE(svg.addSheet(cards, "", Env()));
    EXPECT_FALSE(svg.addSheet(cards, "", Env())); // an SVG drawing has one page
    EXPECT_FALSE(svg.finish().isEmpty());
    VectorDocumentWriter empty(VectorFormat::Pdf, QStringLiteral("None"));
    EXPECT_TRUE(empty.finish().isEmpty());
}

} // namespace
} // namespace vlm

namespace vlm {
namespace {

TEST(VectorSheet, PicturesComeAsLosslessImagesAndUndecodableOnesAsNothing)
{
    QTemporaryDir dir;
    Document doc;
    test::A4Page(doc, DesignIllustrations);
    Item& clip = NewItem(doc.items, KindClip);
    test::CardBox(clip, 100, 100, 300, 250);
    clip.rec.d.sourceRect[0] = 0;
    clip.rec.d.sourceRect[1] = 0;
    clip.rec.d.sourceRect[2] = 800; // a picture four times finer than the screen
    clip.rec.d.sourceRect[3] = 600;
    SetStackOrder(doc.items, clip, 1);

    // A picture renderer that paints a two-colour checker over the box.
    SheetEnvironment env;
    int asked = 0;
    env.pictures = [&asked](Canvas& c, const DrawContext& ctx, Item& item, PictureMode) {
        ++asked;
        const QPoint a = ctx.toCanvas(item.rec.d.left, item.rec.d.top);
        const QPoint b = ctx.toCanvas(item.rec.d.right, item.rec.d.bottom);
        for (int y = a.y(); y < b.y(); y += 4)
            for (int x = a.x(); x < b.x(); x += 4)
                c.fillRect(QRect(x, y, 4, 4), ((x + y) / 4) % 2 ? RGBRef(200, 30, 30) : RGBRef(30, 30, 200));
    };
    const QString pdf = dir.filePath(QStringLiteral("picture.pdf"));
    std::string error;
    ASSERT_TRUE(writeVectorSheet(doc, "", env, pdf.toStdString(), VectorFormat::Pdf, QStringLiteral("P"), error));
    EXPECT_EQ(asked, 2); // over white and over black
    const QStringList rows = test::ImageRows(pdf);
    ASSERT_EQ(rows.size(), 1);
    const QStringList fields = rows[0].simplified().split(QLatin1Char(' '));
    EXPECT_EQ(fields[8], QStringLiteral("image")); // not jpeg
    EXPECT_GE(fields[3].toInt(), 800);              // the picture's own pixels across
    EXPECT_EQ(fields[5], QStringLiteral("rgb"));

    // A picture that does not decode draws nothing, as on the screen.
    env.pictures = [](Canvas&, const DrawContext&, Item&, PictureMode) {};
    const QString none = dir.filePath(QStringLiteral("none.pdf"));
    ASSERT_TRUE(writeVectorSheet(doc, "", env, none.toStdString(), VectorFormat::Pdf, QStringLiteral("P"), error));
    EXPECT_TRUE(test::ImageRows(none).isEmpty());
}

TEST(VectorSheet, TextInAFaceNotInstalledEmbedsTheFaceDrawn)
{
    QTemporaryDir dir;
    Document doc;
    test::A4Page(doc, DesignIllustrations);
    std::int32_t order = 0;
    Item& t = test::CardText(doc, u"Substituted face", 50, 80, 300, order);
    SetFontName(t, "No Such Face Anywhere");
    const QString pdf = WriteSheet(doc, dir, QStringLiteral("face.pdf"));
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out.contains(QStringLiteral("Substituted face")));
    const QStringList fonts = RunTool(QStringLiteral("pdffonts"), {pdf}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(fonts.size(), 3);
    EXPECT_TRUE(fonts[2].simplified().contains(QStringLiteral(" yes "))) << fonts[2].toStdString();
}

} // namespace
} // namespace vlm

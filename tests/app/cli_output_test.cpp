#include <gtest/gtest.h>

#include "../output/sheet_fixtures.h"
#include "model/document_file.h"
#include "platform/bitmap.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace vlm {
namespace {


struct CliRun
{
    int exitCode = -1;
    QString errors;
};

CliRun Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VLM_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

// A 4 x 4 inch sheet of 2 x 2 one-inch labels, half-inch margins and gaps,
// with a red mark in the first card.
QString WriteCardSheet(const QTemporaryDir& dir)
{
    test::SheetDoc s;
    s.labels(2, 2);
    const QString path = dir.filePath(QStringLiteral("cards.vlmr"));
    return WriteDocument(path.toStdString(), s.doc.items) ? path : QString();
}

bool Reddish(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
}
bool Whitish(QRgb p)
{
    return qRed(p) > 230 && qGreen(p) < 256 && qGreen(p) > 230 && qBlue(p) > 230;
}

TEST(CliOutput, ExportWritesEachFormatAtTheExportSize)
{
    QTemporaryDir dir;
    const QString doc = WriteCardSheet(dir);
    ASSERT_FALSE(doc.isEmpty());
    for (const char* name : {"exact.png", "exact.jpeg", "exact.BMP"}) {
        const QString out = dir.filePath(QString::fromLatin1(name));
        ASSERT_EQ(Cli({QStringLiteral("export"), doc, out}).exitCode, 0) << name;
        const QImage image(out);
        ASSERT_EQ(image.size(), QSize(384, 384)) << name;
        // "Exact" prints every cell.
        EXPECT_TRUE(Reddish(image.pixel(48 + 144 + 20, 48 + 144 + 20))) << name;
    }
    const QString smooth = dir.filePath(QStringLiteral("smooth.png"));
    ASSERT_EQ(Cli({QStringLiteral("export"), QStringLiteral("--mode"), QStringLiteral("smooth"),
                   QStringLiteral("--cells"), QStringLiteral(" x"), doc, smooth})
                  .exitCode,
              0);
    const QImage image(smooth);
    ASSERT_EQ(image.size(), QSize(384, 384));
    EXPECT_TRUE(Reddish(image.pixel(48 + 20, 48 + 20)));
    EXPECT_TRUE(Whitish(image.pixel(48 + 144 + 20, 48 + 20)));
    EXPECT_TRUE(Reddish(image.pixel(48 + 20, 48 + 144 + 20)));

    // Larger than an icon can hold: refused, nothing written.
    const QString ico = dir.filePath(QStringLiteral("big.ico"));
    const CliRun refused = Cli({QStringLiteral("export"), doc, ico});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("256")));
    EXPECT_FALSE(QFile::exists(ico));
    EXPECT_EQ(Cli({QStringLiteral("export"), QStringLiteral("--mode=blurry"), doc, smooth}).exitCode, 2);
}

TEST(CliOutput, PrintWritesTheSheetAsAPdfPage)
{
    QTemporaryDir dir;
    const QString doc = WriteCardSheet(dir);
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    ASSERT_EQ(Cli({QStringLiteral("print"), doc, QStringLiteral("--pdf"), pdf, QStringLiteral("--dpi"),
                   QStringLiteral("200"), QStringLiteral("--cells"), QStringLiteral("  x")})
                  .exitCode,
              0);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    ASSERT_FALSE(pdftoppm.isEmpty()) << "pdftoppm (poppler-utils) is needed to read the PDF back";
    QProcess raster;
    raster.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                            QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(raster.waitForFinished(60000));
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(384, 384));
    EXPECT_TRUE(Reddish(page.pixel(48 + 20, 48 + 20)));
    EXPECT_TRUE(Reddish(page.pixel(48 + 144 + 20, 48 + 20)));
    EXPECT_TRUE(Whitish(page.pixel(48 + 20, 48 + 144 + 20))); // position 3 crossed out
    EXPECT_TRUE(Reddish(page.pixel(48 + 144 + 20, 48 + 144 + 20)));
    EXPECT_TRUE(Whitish(page.pixel(20, 20)));

    EXPECT_EQ(Cli({QStringLiteral("print"), doc}).exitCode, 2);
    const CliRun huge = Cli({QStringLiteral("print"), doc, QStringLiteral("--pdf"), pdf,
                             QStringLiteral("--dpi"), QStringLiteral("9000")});
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_TRUE(huge.errors.contains(QStringLiteral("The page is too large to print at this resolution.")));
}

} // namespace
} // namespace vlm

namespace vlm {
namespace {

QString Tool(const QString& name, const QStringList& args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(name), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(CliOutput, ExportToPdfOrSvgWritesTheVectorSheet)
{
    QTemporaryDir dir;
    const QString doc = WriteCardSheet(dir);
    const QString pdf = dir.filePath(QStringLiteral("cards.PDF"));
    ASSERT_EQ(Cli({QStringLiteral("export"), QStringLiteral("--cells"), QStringLiteral("  x"), doc, pdf}).exitCode, 0);
    const QString info = Tool(QStringLiteral("pdfinfo"), {pdf}).simplified();
    EXPECT_TRUE(info.contains(QStringLiteral("Page size: 288 x 288 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title: cards")));
    // No picture in the design, no image in the file.
    EXPECT_EQ(Tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    Tool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                      QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(384, 384));
    EXPECT_TRUE(Reddish(page.pixel(48 + 20, 48 + 20)));
    EXPECT_TRUE(Whitish(page.pixel(48 + 20, 48 + 144 + 20))); // position 3 crossed out
    EXPECT_TRUE(Reddish(page.pixel(48 + 144 + 20, 48 + 144 + 20)));

    const QString svg = dir.filePath(QStringLiteral("cards.svg"));
    ASSERT_EQ(Cli({QStringLiteral("export"), doc, svg}).exitCode, 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<svg"));

    // A folder that does not exist: an error, and no file.
    const QString nowhere = dir.filePath(QStringLiteral("missing/cards.pdf"));
    const CliRun failed = Cli({QStringLiteral("export"), doc, nowhere});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.errors.contains(QStringLiteral("could not be written")));
}

TEST(CliOutput, PrintedPdfHoldsOnlyLosslessTiles)
{
    QTemporaryDir dir;
    const QString doc = WriteCardSheet(dir);
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    ASSERT_EQ(Cli({QStringLiteral("print"), doc, QStringLiteral("--pdf"), pdf, QStringLiteral("--dpi"),
                   QStringLiteral("300")})
                  .exitCode,
              0);
    const QStringList rows =
        Tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2 + 9); // 1200 x 1200 pixels in tiles of 512
    for (const QString& row : rows.mid(2))
        EXPECT_FALSE(row.contains(QStringLiteral("jpeg"))) << row.toStdString();
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "../output/merge_fixtures.h"
#include "../output/pdf_tools.h"
#include "model/document_file.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vlm {
namespace {

using test::RunTool;

struct MergeRun
{
    int exitCode = -1;
    QString out;
    QString errors;
};

MergeRun Merge(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VLM_CLI_PATH), QStringList{QStringLiteral("merge")} + args);
    MergeRun r;
    if (!p.waitForFinished(120000))
        return r;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.errors = QString::fromLocal8Bit(p.readAllStandardError());
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

QString WriteLabels(const QTemporaryDir& dir)
{
    Document doc;
    test::AddressLabels(doc);
    const QString path = dir.filePath(QStringLiteral("labels.vlmr"));
    return WriteDocument(path.toStdString(), doc.items) ? path : QString();
}

TEST(CliMerge, WritesOnePageASheetWithEveryRecordOnceInReadingOrder)
{
    QTemporaryDir dir;
    const QString labels = WriteLabels(dir);
    const QString csv = WriteFile(dir, QStringLiteral("addresses.csv"), test::AddressCsv(70));
    ASSERT_FALSE(labels.isEmpty());
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    const MergeRun run = Merge({labels, csv, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("3 page(s)")));
    const test::ToolRun info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.ran) << "poppler-utils is needed to read the PDF back";
    EXPECT_TRUE(info.out.simplified().contains(QStringLiteral("Pages: 3")));

    // Label by label, as a reader takes them: each record's three lines
    // once, in order.
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    QStringList lines = text.split(QRegularExpression(QStringLiteral("[\\n\\f]")), Qt::SkipEmptyParts);
    QStringList expected;
    for (int i = 1; i <= 70; ++i) {
        expected << (i % 10 == 0 ? QStringLiteral("Zoë \"Ten\", %1").arg(i)
                                 : QStringLiteral("Name %1").arg(i));
        expected << QStringLiteral("%1 Main Street").arg(i) << QStringLiteral("City %1").arg(i);
    }
    EXPECT_EQ(lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());

    // A range, and the used first row of labels.
    const QString some = dir.filePath(QStringLiteral("some.pdf"));
    ASSERT_EQ(Merge({QStringLiteral("--cells"), QStringLiteral("xxx"), QStringLiteral("--first"),
                     QStringLiteral("28"), QStringLiteral("--last=31"), labels, csv, some})
                  .exitCode,
              0);
    const QString fewer = RunTool(QStringLiteral("pdftotext"), {some, QStringLiteral("-")}).out;
    EXPECT_TRUE(fewer.startsWith(QStringLiteral("Name 28\n"))) << fewer.toStdString();
    EXPECT_TRUE(fewer.contains(QStringLiteral("City 31"))) << fewer.toStdString();
    EXPECT_FALSE(fewer.contains(QStringLiteral("City 32")));
    EXPECT_TRUE(
        RunTool(QStringLiteral("pdfinfo"), {some}).out.simplified().contains(QStringLiteral("Pages: 1")));
}

TEST(CliMerge, PicturesAreNumberedOnePerRecord)
{
    QTemporaryDir dir;
    const QString labels = WriteLabels(dir);
    const QString csv = WriteFile(dir, QStringLiteral("a.csv"), test::AddressCsv(3));
    const MergeRun run = Merge({labels, csv, dir.filePath(QStringLiteral("label.png"))});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // A label each: 2.625 x 1 inches at 96 dpi.
    for (const char* name : {"label-00001.png", "label-00002.png", "label-00003.png"})
        EXPECT_EQ(QImage(dir.filePath(QString::fromLatin1(name))).size(), QSize(252, 96)) << name;
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("label.png"))));
}

TEST(CliMerge, BadInputSaysWhyAndLeavesNoOutput)
{
    QTemporaryDir dir;
    const QString labels = WriteLabels(dir);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const QString good = WriteFile(dir, QStringLiteral("good.csv"), test::AddressCsv(2));
    const struct
    {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{labels, dir.filePath(QStringLiteral("missing.csv")), pdf}, 1, "could not be read"},
        {{labels, WriteFile(dir, QStringLiteral("nul.csv"), QByteArray("Name\nA\0B\n", 9)), pdf},
         1,
         "not a text file"},
        {{labels, WriteFile(dir, QStringLiteral("empty.csv"), QByteArray()), pdf}, 1, "empty"},
        {{labels, WriteFile(dir, QStringLiteral("header.csv"), "Name,Street\n"), pdf}, 1, "no records"},
        {{labels, WriteFile(dir, QStringLiteral("twice.csv"), "Name,Name\nA,B\n"), pdf}, 1, "two columns"},
        {{QStringLiteral("--first"), QStringLiteral("3"), labels, good, pdf},
         2,
         "No record lies in the range"},
        {{QStringLiteral("--first"), QStringLiteral("0"), labels, good, pdf}, 2, "--first needs"},
        {{QStringLiteral("--copies"), QStringLiteral("1.5"), labels, good, pdf}, 2, "--copies needs"},
        {{labels, good, dir.filePath(QStringLiteral("out.svg"))}, 2, "merge writes a PDF"},
        {{labels, good}, 2, "wrong number of arguments"},
        {{dir.filePath(QStringLiteral("none.vlmr")), good, pdf}, 1, ""},
    };
    for (const auto& c : cases) {
        const MergeRun run = Merge(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.says;
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.says))) << run.errors.toStdString();
    }
    EXPECT_EQ(
        QDir(dir.path()).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.svg")}, QDir::Files).size(),
        0);

    // A failed merge leaves an earlier file of that name as it was.
    ASSERT_FALSE(WriteFile(dir, QStringLiteral("out.pdf"), "earlier").isEmpty());
    EXPECT_EQ(
        Merge({labels, WriteFile(dir, QStringLiteral("bin.csv"), QByteArray("\0\0\0", 3)), pdf}).exitCode, 1);
    QFile earlier(pdf);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
}

} // namespace
} // namespace vlm

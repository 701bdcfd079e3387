#include <gtest/gtest.h>

#include "merge_fixtures.h"
#include "output/data_merge.h"
#include "output/merge_files.h"
#include "pdf_tools.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vlm {
namespace {

using test::RunTool;

constexpr char16_t kSep = kLineSeparator;

DataTable Table(const QByteArray& csv)
{
    DataTable table;
    std::string error;
    EXPECT_TRUE(readDataText(csv, table, error)) << error;
    return table;
}

TEST(DataMerge, FieldsAreReplacedAnywhereAndUnknownNamesStayAsTyped)
{
    const DataTable table = Table("Name,City,Note\nAda,Köln,\"two\r\nlines\"\n");
    const std::vector<std::u16string>& ada = table.records[0];
    const struct
    {
        std::u16string text;
        std::u16string filled;
    } cases[] = {
        {u"${Name}", u"Ada"},
        {u"${Name} of ${City}", u"Ada of Köln"},
        {u"Dear ${Name}", u"Dear Ada"},
        {u"${Name}${Name}, ${Name}", u"AdaAda, Ada"},
        {std::u16string(u"${City}") + kSep + u"x ${Name}", std::u16string(u"Köln") + kSep + u"x Ada"},
        {u"${Note}!", std::u16string(u"two") + kSep + u"lines!"},
        {u"${Missing} ${name} ${ Name} $Name {Name}", u"${Missing} ${name} ${ Name} $Name {Name}"},
        {u"${Name", u"${Name"},
        {u"$${Name}}", u"$Ada}"},
        {u"${${Name}}", u"${Ada}"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fillFields(c.text, table, ada), c.filled)
            << QString::fromStdU16String(c.text).toStdString();
        EXPECT_EQ(hasFields(c.text, table), c.filled != c.text);
    }
    // A value that looks like a field is printed as it is.
    const DataTable sly = Table("A,B\n${B},b\n");
    EXPECT_EQ(fillFields(u"${A}", sly, sly.records[0]), u"${B}");
}

TEST(DataMerge, FillingPutsEveryTextBackAndKeepsTheFirstLineInPlace)
{
    Document doc;
    Item& text = test::AddressLabels(doc, u"${Name}");
    const DataTable table = Table("Name\nAda\n\"Ada\nQuill\"\n");
    const ItemRecord before = text.rec;
    {
        FieldFiller filler(doc, table, doc.items.metrics(), 2);
        EXPECT_TRUE(filler.any());
        filler.fill(table.records[0]);
        EXPECT_EQ(text.text, u"Ada");
        EXPECT_EQ(text.rec.d.y1, before.d.y1);
        filler.fill(table.records[1]);
        EXPECT_EQ(text.text, std::u16string(u"Ada") + kSep + u"Quill");
        // The baseline is the last line's: it went down one line.
        EXPECT_GT(text.rec.d.y1, before.d.y1 + 5);
        EXPECT_EQ(text.rec.d.x1, before.d.x1);
        EXPECT_LT(text.rec.d.top, before.d.top + 3);
    }
    EXPECT_EQ(text.text, u"${Name}");
    EXPECT_EQ(std::memcmp(&text.rec, &before, sizeof before), 0);
}

std::vector<std::size_t> JobsOf(const MergeLayout& layout, std::size_t sheet)
{
    std::vector<std::size_t> jobs;
    for (const MergeCell& c : layout.cellsOf(sheet))
        jobs.push_back(c.job);
    return jobs;
}

TEST(DataMerge, RecordsFinishAPartlyUsedSheetThenFillWholeSheetsInPrintOrder)
{
    Document doc;
    test::AddressLabels(doc);
    // The first row and the middle of the second are used up.
    const std::string used = "xxx x";
    const MergeLayout layout = mergeLayoutOf(doc, doc.items.metrics(), used, 30);
    ASSERT_EQ(layout.sheets(), 2u);
    const std::vector<MergeCell> first = layout.cellsOf(0);
    ASSERT_EQ(first.size(), 26u);
    EXPECT_EQ((std::pair{first[0].row, first[0].column}), (std::pair{2, 1}));
    EXPECT_EQ((std::pair{first[1].row, first[1].column}), (std::pair{2, 3}));
    EXPECT_EQ((std::pair{first[2].row, first[2].column}), (std::pair{3, 1}));
    EXPECT_EQ((std::pair{first[25].row, first[25].column}), (std::pair{10, 3}));
    const std::vector<MergeCell> second = layout.cellsOf(1);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ((std::pair{second[0].row, second[0].column}), (std::pair{1, 1}));
    EXPECT_EQ((std::pair{second[3].row, second[3].column}), (std::pair{2, 1}));
    EXPECT_EQ(JobsOf(layout, 1), (std::vector<std::size_t>{26, 27, 28, 29}));
    EXPECT_TRUE(layout.cellsOf(2).empty());

    // A selection that leaves nothing starts on a whole sheet.
    const MergeLayout none = mergeLayoutOf(doc, doc.items.metrics(), std::string(30, 'x'), 31);
    EXPECT_EQ(none.sheets(), 2u);
    EXPECT_EQ(JobsOf(none, 1), (std::vector<std::size_t>{30}));

    // A design without cells prints a record a page, whatever the selection.
    Document page;
    test::A4Page(page, DesignIllustrations);
    const MergeLayout pages = mergeLayoutOf(page, page.items.metrics(), "x", 3);
    EXPECT_EQ(pages.sheets(), 3u);
    EXPECT_EQ(JobsOf(pages, 2), (std::vector<std::size_t>{2}));
}

TEST(DataMerge, PageCountsOfAThirtyUpSheet)
{
    Document doc;
    test::AddressLabels(doc);
    for (const auto& [records, sheets] :
         {std::pair<std::size_t, std::size_t>{0, 0}, {1, 1}, {29, 1}, {30, 1}, {31, 2}, {10000, 334}})
        EXPECT_EQ(mergeLayoutOf(doc, doc.items.metrics(), "", records).sheets(), sheets) << records;
}

TEST(DataMerge, RangeAndCopiesPickTheJobs)
{
    const DataTable table = test::AddressTable(5);
    EXPECT_EQ(mergeJobs(table, {}), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(mergeJobs(table, {2, 3, 2}), (std::vector<std::size_t>{1, 1, 2, 2}));
    EXPECT_EQ(mergeJobs(table, {4, 99, 1}), (std::vector<std::size_t>{3, 4}));
    EXPECT_TRUE(mergeJobs(table, {4, 3, 1}).empty());
    EXPECT_TRUE(mergeJobs(table, {6, 0, 1}).empty());
}

TEST(DataMerge, MergedPdfReadsBackEveryRecordOnceInOrderAtItsLabel)
{
    QTemporaryDir dir;
    Document doc;
    test::AddressLabels(doc);
    const DataTable table = test::AddressTable(65);
    MergedSheets sheets(doc, table, "x", {}, SheetEnvironment{});
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    std::string error;
    std::size_t pages = 0;
    ASSERT_TRUE(writeMergedPdf(sheets, pdf.toStdString(), QStringLiteral("Labels"), error, &pages)) << error;
    EXPECT_EQ(pages, 3u);
    const test::ToolRun info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.ran) << "poppler-utils is needed to read the PDF back";
    EXPECT_TRUE(info.out.simplified().contains(QStringLiteral("Pages: 3")));
    EXPECT_TRUE(info.out.simplified().contains(QStringLiteral("Page size: 612 x 792 pts (letter)")));

    // The document is as it was.
    EXPECT_EQ(FindByKind(doc.items, KindText)->text, u"${Name}\u07EC${Street}\u07EC${City}");

    // In content order, label by label: every record's name once, in order
    // (a text draws its last line first, so only the names are compared).
    const QString text =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}).out;
    QStringList expected;
    for (const auto& r : table.records)
        expected << QString::fromStdU16String(r[0]);
    QStringList names = text.split(QRegularExpression(QStringLiteral("[\\n\\f]")), Qt::SkipEmptyParts);
    names.removeIf([](const QString& l) {
        return l.contains(QStringLiteral("Main Street")) || l.startsWith(QStringLiteral("City"));
    });
    EXPECT_EQ(names.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
    EXPECT_EQ(text.count(QStringLiteral("Main Street")), 65);

    // Bounding boxes: record 1 sits in the second label of the first row,
    // record 30 (the 30th job) in the first label of the second page.
    const QString boxes = RunTool(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                   QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")})
                              .out;
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Name</word>"));
    const QRegularExpressionMatch m = word.match(boxes);
    ASSERT_TRUE(m.hasMatch());
    // Second column starts at 0.1875 + 2.625 + 0.125 inches = 211.5 pt.
    EXPECT_GT(m.captured(1).toDouble(), 211.5);
    EXPECT_LT(m.captured(1).toDouble(), 211.5 + 30);
    EXPECT_LT(m.captured(2).toDouble(), 36 + 72);
}

TEST(DataMerge, EachLabelCastsTheShadowOfItsOwnRecord)
{
    QTemporaryDir dir;
    Document doc;
    Item& text = test::AddressLabels(doc, u"${Name}");
    text.rec.d.shadowElevation = 40;
    text.rec.d.shadowFade = 10;
    text.rec.d.shadowLightness = 120;
    const DataTable table = Table("Name\nAda\nWilhelmina Quill\n");
    MergedSheets sheets(doc, table, "", {}, SheetEnvironment{});
    const QString pdf = dir.filePath(QStringLiteral("shadows.pdf"));
    std::string error;
    ASSERT_TRUE(writeMergedPdf(sheets, pdf.toStdString(), QStringLiteral("S"), error)) << error;
    // Two shadows of different widths, not the first one placed twice.
    QStringList images = test::ImageRows(pdf);
    images.removeIf([](const QString& row) {
        return row.simplified().section(QLatin1Char(' '), 2, 2) != QStringLiteral("image");
    });
    ASSERT_EQ(images.size(), 2) << images.join(u'\n').toStdString();
    EXPECT_NE(images[0].simplified().section(QLatin1Char(' '), 3, 3),
              images[1].simplified().section(QLatin1Char(' '), 3, 3));
}

TEST(DataMerge, NoRecordWritesNoFileAndPicturesAreNumbered)
{
    QTemporaryDir dir;
    Document doc;
    test::AddressLabels(doc);
    const DataTable none = test::AddressTable(0);
    MergedSheets empty(doc, none, "", {}, SheetEnvironment{});
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    std::string error;
    EXPECT_FALSE(writeMergedPdf(empty, pdf.toStdString(), QStringLiteral("None"), error));
    EXPECT_NE(error.find("no records"), std::string::npos);
    EXPECT_FALSE(QFile::exists(pdf));

    EXPECT_EQ(numberedFileName("/a.b/out.png", 7), "/a.b/out-00007.png");
    EXPECT_EQ(numberedFileName("/a.b/out", 123456), "/a.b/out-123456");

    const DataTable three = test::AddressTable(3);
    MergedSheets sheets(doc, three, "", {2, 0, 1}, SheetEnvironment{});
    const QString png = dir.filePath(QStringLiteral("card.png"));
    std::size_t written = 0;
    ASSERT_TRUE(writeMergedPictures(sheets, png.toStdString(), error, &written)) << error;
    EXPECT_EQ(written, 2u);
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("card-00001.png"))).isNull());
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("card-00002.png"))).isNull());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("card-00003.png"))));

    // A failing picture takes the earlier ones with it.
    const QString blocked = dir.filePath(QStringLiteral("sub/x.png"));
    EXPECT_FALSE(writeMergedPictures(sheets, blocked.toStdString(), error));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("sub"))).isEmpty());
}

TEST(DataMerge, WithoutFillerTheSheetIsDrawnAsBeforeAndBlankCellsStayBlank)
{
    Document doc;
    test::AddressLabels(doc, u"Fixed");
    SheetEnvironment env;
    VectorSheetOptions options;
    options.deviceDpi = 40;
    const QSize size = vectorSheetSize(doc, env.screen, options.deviceDpi);
    QImage plain(size, QImage::Format_ARGB32), filled(size, QImage::Format_ARGB32);
    {
        QPainter p(&plain);
        ASSERT_TRUE(drawVectorSheet(p, doc, "", env, options));
    }
    int cells = 0;
    {
        QPainter p(&filled);
        ASSERT_TRUE(drawVectorSheet(p, doc, "", env, options, {}, [&](int, int) {
            ++cells;
            return true;
        }));
    }
    EXPECT_EQ(cells, 30);
    EXPECT_EQ(plain, filled);
    {
        QPainter p(&filled);
        drawVectorSheet(p, doc, "", env, options, {}, [](int, int) { return false; });
    }
    QImage white(size, QImage::Format_ARGB32);
    white.fill(Qt::white);
    EXPECT_EQ(filled, white);
}

} // namespace
} // namespace vlm

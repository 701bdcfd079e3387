#include <gtest/gtest.h>

#include "model/document_file.h"
#include "model/item.h"
#include "model/item_list.h"
#include "model/page_setup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace vlm {
namespace {

const QString kFixtures = QStringLiteral(VLM_TEST_DATA_DIR "/templates");

struct CliResult
{
    int exitCode = -1;
    QString out;
    QString errors;
};

// The command line with the fixture database installed in a data folder of
// its own and the fixture user folder as the user's.
struct TemplatesCli
{
    QTemporaryDir dir;

    TemplatesCli()
    {
        const QString database = dir.filePath(QStringLiteral("share/libglabels-3.0/templates"));
        const QString user = dir.filePath(QStringLiteral("home/vellumora/templates"));
        QDir().mkpath(database);
        QDir().mkpath(user);
        for (const char* name : {"paper-sizes.xml", "sheets.xml", "faults.xml"})
            QFile::copy(kFixtures + QStringLiteral("/database/") + QLatin1String(name),
                        database + QLatin1Char('/') + QLatin1String(name));
        QFile::copy(kFixtures + QStringLiteral("/user/own.xml"), user + QStringLiteral("/own.xml"));
    }

    CliResult operator()(const QStringList& args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("share")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VLM_CLI_PATH), args);
        CliResult r;
        if (!p.waitForFinished(120000))
            return r;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.errors = QString::fromUtf8(p.readAllStandardError());
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return r;
    }
};

TEST(CliTemplates, ListsAndSearchesEverySource)
{
    TemplatesCli cli;
    const CliResult all = cli({QStringLiteral("templates")});
    ASSERT_EQ(all.exitCode, 0) << all.errors.toStdString();
    EXPECT_TRUE(all.out.contains(QStringLiteral("Testa 5160 - Address Labels - 2.625 x 1 in, 3 x 10 (30 per sheet), "
                                                "US Letter\t")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("My Shop Jar 12")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("A8 business cards, 8 per page - Quick select\tbuilt in")));
    // Skipped templates are reported on the error stream, one line each.
    EXPECT_EQ(all.errors.count(QStringLiteral("template skipped")), 7) << all.errors.toStdString();

    const CliResult found = cli({QStringLiteral("templates"), QStringLiteral("--search"), QStringLiteral("5160")});
    ASSERT_EQ(found.exitCode, 0);
    const QStringList lines = found.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << found.out.toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("/share/libglabels-3.0/templates/sheets.xml")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("/home/vellumora/templates/own.xml")));

    const CliResult none = cli({QStringLiteral("templates"), QStringLiteral("--search=nothing like this")});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.errors.contains(QStringLiteral("no template matches")));
}

TEST(CliTemplates, NewWritesTheTemplatesPageSetup)
{
    TemplatesCli cli;
    const QString out = cli.dir.filePath(QStringLiteral("x.vlmr"));
    const CliResult made = cli({QStringLiteral("new"), QStringLiteral("--template"), QStringLiteral("testa 5260"), out});
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    ItemList items;
    struct Quiet final : FilePrompts {
        bool askOpenInvalidFile() override { return false; }
        void warnNewerVersion() override {}
        void reportReadError(const std::string&) override {}
    } prompts;
    ASSERT_TRUE(ReadDocument(out.toStdString(), items, prompts));
    const HeaderFields& h = Header(items)->rec.h;
    EXPECT_EQ(+h.units, UnitInches);
    EXPECT_EQ(+h.designType, DesignLabels);
    EXPECT_EQ(+h.orientation, Portrait);
    const auto dim = [&h](int k) { return h.pageDims[k]; };
    EXPECT_DOUBLE_EQ(dim(DimPaperWidth), 8.5);
    EXPECT_DOUBLE_EQ(dim(DimPaperHeight), 11.0);
    EXPECT_DOUBLE_EQ(dim(DimCardWidth), 2.625);
    EXPECT_DOUBLE_EQ(dim(DimCardHeight), 1.0);
    EXPECT_DOUBLE_EQ(dim(DimMarginLeft), 0.15625);
    EXPECT_DOUBLE_EQ(dim(DimMarginTop), 0.5);
    EXPECT_DOUBLE_EQ(dim(DimColumnGap), 0.15625);
    EXPECT_DOUBLE_EQ(dim(DimRowGap), 0.0);
    EXPECT_EQ(+h.columns, 3);
    EXPECT_EQ(+h.rows, 10);
    EXPECT_DOUBLE_EQ(+h.areaWidth, 2.625) << "the canvas is one label";

    // A business-card product makes a Business Cards design in millimetres.
    const QString cards = cli.dir.filePath(QStringLiteral("cards.vlmr"));
    ASSERT_EQ(cli({QStringLiteral("new"), QStringLiteral("--template=Testa C32011"), cards}).exitCode, 0);
    ItemList cardItems;
    ASSERT_TRUE(ReadDocument(cards.toStdString(), cardItems, prompts));
    EXPECT_EQ(+Header(cardItems)->rec.h.designType, DesignBusinessCards);
    EXPECT_EQ(+Header(cardItems)->rec.h.units, UnitMillimeters);

    // What cannot be made is said, and no file is written.
    const QString never = cli.dir.filePath(QStringLiteral("never.vlmr"));
    const CliResult unknown = cli({QStringLiteral("new"), QStringLiteral("--template"), QStringLiteral("Testa 9999"), never});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.contains(QStringLiteral("no template is called \"Testa 9999\"")));
    const CliResult greyed = cli({QStringLiteral("new"), QStringLiteral("--template"), QStringLiteral("Testa OVERLAP"), never});
    EXPECT_EQ(greyed.exitCode, 2);
    EXPECT_TRUE(greyed.errors.contains(QStringLiteral("its labels overlap")));
    EXPECT_EQ(cli({QStringLiteral("new"), never}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(never));
}

} // namespace
} // namespace vlm

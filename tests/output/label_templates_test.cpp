#include "output/label_templates.h"
#include "output/template_library.h"
#include "output/template_reader.h"
#include "output/template_writer.h"
#include "output/quick_select_catalogue.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vlm {
namespace {

const QString kFixtures = QStringLiteral(VLM_TEST_DATA_DIR "/templates");

TemplateSources FixtureSources(bool builtins = false)
{
    return {kFixtures + QStringLiteral("/database"), kFixtures + QStringLiteral("/user"), builtins};
}

const LabelTemplate* Named(const TemplateCatalogue& c, const char* name)
{
    return findTemplate(c, QString::fromUtf8(name));
}

std::u16string Text(const miry_t& set, DimensionText k)
{
    return set.texts[static_cast<std::size_t>(k)];
}

TEST(TemplateLength, UnitsAndRefusals)
{
    const struct {
        const char* text;
        double points; // < 0: refused
    } cases[] = {
        {"72", 72.0},       {"1in", 72.0},       {" 2.5in ", 180.0}, {"25.4mm", 72.0}, {"2.54cm", 72.0},
        {"1pc", 12.0},      {"9pt", 9.0},        {"3.9e-16pt", 3.9e-16}, {"1e2", 100.0}, {"2em", -1},        {"0", 0.0},         {"-1mm", -1},     {"nan", -1},
        {"inf", -1},        {"1e400", -1},       {"1.2.3mm", -1},    {"5 furlongs", -1}, {"", -1},
        {"mm", -1},         {"200000mm", -1}, // beyond 100 metres
    };
    for (const auto& c : cases) {
        const std::optional<double> v = parseTemplateLength(QString::fromUtf8(c.text));
        if (c.points < 0) {
            EXPECT_FALSE(v.has_value()) << c.text;
        } else {
            ASSERT_TRUE(v.has_value()) << c.text;
            EXPECT_NEAR(*v, c.points, 1e-9) << c.text;
        }
    }
}

TEST(TemplateCatalogue, ReadsTheSoundProductsAndListsTheInexpressibleGreyed)
{
    const TemplateCatalogue c = loadTemplates(FixtureSources());

    const LabelTemplate* sheet = Named(c, "testa 5160");
    ASSERT_NE(sheet, nullptr);
    // The user's own 5160 is read later and wins the name; the database's
    // one is still listed.
    EXPECT_TRUE(sheet->source.endsWith(QStringLiteral("user/own.xml")));
    const auto database5160 = std::find_if(c.templates.begin(), c.templates.end(), [](const LabelTemplate& t) {
        return t.part == QStringLiteral("5160") && t.source.endsWith(QStringLiteral("sheets.xml"));
    });
    ASSERT_NE(database5160, c.templates.end());
    EXPECT_EQ(database5160->paperName, QStringLiteral("US Letter"));
    EXPECT_EQ(database5160->naturalUnit, UnitInches);
    EXPECT_EQ(templateDesignType(*database5160), DesignLabels);
    EXPECT_EQ(templateListText(*database5160),
              QStringLiteral("Testa 5160 - Address Labels - 2.625 x 1 in, 3 x 10 (30 per sheet), US Letter"));

    // The alias is an entry of its own with its base's sheet.
    const LabelTemplate* alias = Named(c, "Testa 5260");
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(alias->equivOf, QStringLiteral("5160"));
    EXPECT_EQ(alias->columns, 3);
    EXPECT_EQ(alias->rows, 10);
    EXPECT_DOUBLE_EQ(alias->width, 2.625 * 72);
    EXPECT_TRUE(templateListText(*alias).endsWith(QStringLiteral(" - same as Testa 5160")));

    const struct {
        const char* name;
        std::int32_t designType;
        double width, height; // mm
        bool usable;
        const char* listEnd;
    } expected[] = {
        {"Testa C32011", DesignBusinessCards, 85, 54, true, "A4"},
        {"Testa R40", DesignLabels, 40, 40, true, "round, laid out by its square"},
        {"Testa E1", DesignLabels, 50.8, 25.4, true, "elliptical, laid out by its bounding box"},
        {"Testa CD2", DesignCdDvdLabels, 117, 117, true, "CD/DVD, laid out by its square"},
        {"Testa ROLL", DesignLabels, 25.4, 12.7, true, "2 x 4 in"},
        {"Testa TWO-LAYOUTS", DesignLabels, 50, 20, false, "not offered: its labels stand in several layouts"},
        {"Testa TWO-SHAPES", DesignLabels, 76.2, 50.8, false, "not offered: it holds labels of several shapes"},
        {"Testa OVERLAP", DesignLabels, 60, 20, false, "not offered: its labels overlap (negative gap)"},
        {"My Shop Jar 12", DesignLabels, 60, 40, true, "A4"},
    };
    for (const auto& e : expected) {
        const LabelTemplate* t = Named(c, e.name);
        ASSERT_NE(t, nullptr) << e.name;
        EXPECT_EQ(templateDesignType(*t), e.designType) << e.name;
        EXPECT_NEAR(t->width / kPointsPerMm, e.width, 1e-9) << e.name;
        EXPECT_NEAR(t->height / kPointsPerMm, e.height, 1e-9) << e.name;
        EXPECT_EQ(t->usable(), e.usable) << e.name;
        EXPECT_TRUE(templateListText(*t).endsWith(QString::fromUtf8(e.listEnd))) << templateListText(*t).toStdString();
    }
    // A layout written over several lines reads like any other.
    const LabelTemplate* round = Named(c, "Testa R40");
    EXPECT_EQ(round->columns, 4);
    EXPECT_EQ(round->rows, 6);
    EXPECT_NEAR(round->columnGap() / kPointsPerMm, 10.0, 1e-9);
    EXPECT_NEAR(round->rowGap() / kPointsPerMm, 5.0, 1e-9);
    // One column: its gap is nothing, whatever dx says.
    EXPECT_EQ(Named(c, "Testa CD2")->columnGap(), 0.0);
}

TEST(TemplateCatalogue, SkipsFaultyTemplatesAndFilesWithOneLineEach)
{
    const TemplateCatalogue c = loadTemplates(FixtureSources());
    EXPECT_NE(Named(c, "Testb GOOD1"), nullptr);
    EXPECT_NE(Named(c, "Testb GOOD2"), nullptr) << "the templates after the faulty ones still load";
    for (const char* gone : {"Testb NEGATIVE", "Testb NAN", "Testb NOPAPER", "Testb NOLAYOUT", "Testb HUGE",
                             "Testb MANY", "Testb ORPHAN"})
        EXPECT_EQ(Named(c, gone), nullptr) << gone;
    for (const LabelTemplate& t : c.templates)
        EXPECT_NE(t.brand, QStringLiteral("Testd")) << "nothing of the entity file is read";

    const auto lines = [&c](const char* needle) {
        return c.diagnostics.filter(QString::fromUtf8(needle)).size();
    };
    EXPECT_EQ(lines("faults.xml"), 7) << c.diagnostics.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines("faults.xml:8: Testb NEGATIVE: a length is not a positive number"), 1);
    EXPECT_EQ(lines("Testb NOPAPER: unknown paper size \"Z9\", template skipped"), 1);
    EXPECT_EQ(lines("Testb MANY: more than 10000 labels on a sheet"), 1);
    EXPECT_EQ(lines("Testb ORPHAN: same as an unknown product NOSUCH"), 1);
    EXPECT_EQ(lines("not-xml.xml"), 1);
    EXPECT_EQ(lines("laughs.xml: declares entities"), 1);
    EXPECT_EQ(lines("vendors.xml"), 0) << "other files of the database are not faults";
    EXPECT_EQ(c.diagnostics.size(), 9);
}

TEST(TemplateReader, RefusesHugeDeepAndDeviceFilesWithoutReadingThem)
{
    QTemporaryDir dir;
    // A 1 GB file that takes no disk: sparse.
    QFile big(dir.filePath(QStringLiteral("big.xml")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(qint64(1) << 30));
    big.close();
    // Elements nested a million deep.
    QFile deep(dir.filePath(QStringLiteral("deep.xml")));
    ASSERT_TRUE(deep.open(QIODevice::WriteOnly));
    deep.write("<Glabels-templates>");
    deep.write(QByteArray("<a>").repeated(1000000));
    deep.close();
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("zero.xml"))));

    const TemplateCatalogue c = loadTemplates({dir.path(), QString(), false});
    EXPECT_TRUE(c.templates.empty());
    ASSERT_EQ(c.diagnostics.size(), 3) << c.diagnostics.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(c.diagnostics[0].endsWith(QStringLiteral("big.xml: larger than 8 MB, file skipped")));
    EXPECT_TRUE(c.diagnostics[1].endsWith(QStringLiteral("deep.xml: not a template file, file skipped")));
    EXPECT_TRUE(c.diagnostics[2].endsWith(QStringLiteral("zero.xml: cannot be read, file skipped")));
}

TEST(TemplateReader, SurvivesTruncatedAndCorruptedFiles)
{
    QFile f(kFixtures + QStringLiteral("/database/sheets.xml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray sound = f.readAll();
    const std::vector<PaperSize> papers = builtinPaperSizes();
    QRandomGenerator random(1234);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = sound.left(random.bounded(sound.size() + 1));
        if (round % 2)
            for (int k = 0; k < 8 && !bytes.isEmpty(); ++k)
                bytes[random.bounded(bytes.size())] = static_cast<char>(random.bounded(256));
        TemplateFile out;
        const std::optional<QString> refused = readTemplateDocument(bytes, QStringLiteral("x.xml"), papers, out);
        for (const LabelTemplate& t : out.templates) {
            if (!t.equivOf.isEmpty())
                continue;
            EXPECT_TRUE(std::isfinite(t.width) && t.width > 0.0);
            EXPECT_TRUE(t.columns >= 1 && t.rows >= 1 && t.columns * t.rows <= kMaxTemplateCells);
        }
        if (refused) {
            EXPECT_TRUE(out.templates.empty()) << "a refused file gives nothing";
        }
    }
}

TEST(TemplateMapping, WritesTheSheetInTheCurrentUnitAndLeavesTheFoldsAlone)
{
    const TemplateCatalogue c = loadTemplates(FixtureSources());
    const LabelTemplate& t = *Named(c, "Testa 5260"); // the alias of the inch sheet
    miry_t set;
    set.rowFold = 1;
    std::int32_t orientation = Landscape;
    ASSERT_TRUE(writeTemplate(t, UnitInches, set, orientation));
    EXPECT_EQ(orientation, Portrait);
    const std::u16string inches[12] = {u"8.5", u"11", u"2.625", u"1", u"0.15625", u"0.5",
                                       u"0.15625", u"0.5", u"10", u"3", u"0", u"0.15625"};
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(Text(set, DimensionText(k)), inches[k]) << k;
    EXPECT_EQ(set.rowFold, 1);
    EXPECT_EQ(set.columnFold, 0);

    miry_t mm;
    ASSERT_TRUE(writeTemplate(t, UnitMillimeters, mm, orientation));
    EXPECT_EQ(Text(mm, TextPaperWidth), u"215.9");
    EXPECT_EQ(Text(mm, TextCardWidth), u"66.675");
    EXPECT_EQ(Text(mm, TextCardHeight), u"25.4");
    EXPECT_NEAR(*parseDimension(Text(mm, TextColumnGap), UnitMillimeters), 3.96875, 1e-4);

    // A paper wider than high is laid out in landscape.
    miry_t roll;
    LabelTemplate wide = *Named(c, "Testa ROLL");
    std::swap(wide.paperWidth, wide.paperHeight);
    ASSERT_TRUE(writeTemplate(wide, UnitInches, roll, orientation));
    EXPECT_EQ(orientation, Landscape);

    // Neither pixels nor a greyed product is written.
    miry_t untouched;
    EXPECT_FALSE(writeTemplate(t, UnitPixels, untouched, orientation));
    EXPECT_FALSE(writeTemplate(*Named(c, "Testa OVERLAP"), UnitMillimeters, untouched, orientation));
    EXPECT_EQ(Text(untouched, TextPaperWidth), u"");
}

TEST(TemplateSearch, NarrowsByBrandPartDescriptionSizeAndCount)
{
    const TemplateCatalogue c = loadTemplates(FixtureSources(true));
    const auto names = [&c](const char* query) {
        QStringList found;
        for (int i : narrowTemplates(c, QString::fromUtf8(query))) {
            const LabelTemplate& t = c.templates[static_cast<std::size_t>(i)];
            found << (t.builtin() ? t.description : t.brand + QLatin1Char(' ') + t.part);
        }
        return found;
    };
    EXPECT_EQ(names("5160"), (QStringList{QStringLiteral("Testa 5160"), QStringLiteral("Testa 5260"),
                                          QStringLiteral("Testa 5160")}));
    EXPECT_EQ(names("testa business"), QStringList{QStringLiteral("Testa C32011")});
    EXPECT_EQ(names("  TESTA \t  Business  "), QStringList{QStringLiteral("Testa C32011")});
    // Sizes: written with blanks or without, an x or the times sign, in
    // either unit.
    for (const char* size : {"85 x 54", "85x54", "85 \u00D7 54"}) {
        const QStringList found = names(size);
        EXPECT_TRUE(found.contains(QStringLiteral("Testa C32011"))) << size;
        EXPECT_TRUE(found.contains(QString::fromUtf8("85 \u00D7 54 business cards, 8 per page"))) << size;
    }
    EXPECT_TRUE(names("66.7 x 25.4").contains(QStringLiteral("Testa 5160")));
    EXPECT_EQ(names("30 per sheet"), (QStringList{QStringLiteral("Testa 5160"), QStringLiteral("Testa 5260"),
                                                  QStringLiteral("Testa 5160")}));
    EXPECT_TRUE(names("zzz").isEmpty());
    EXPECT_EQ(names("").size(), static_cast<qsizetype>(c.templates.size()));
}

TEST(TemplateSaving, TheSavedSetComesBackAsTheSameSheet)
{
    QTemporaryDir home;
    const QString folder = userTemplateFolder(home.path());
    miry_t set;
    const std::u16string texts[12] = {u"210", u"297", u"85", u"54", u"15", u"13.5",
                                      u"", u"", u"5", u"2", u"0", u"10"};
    for (int k = 0; k < 12; ++k)
        set.texts[static_cast<std::size_t>(k)] = texts[k];
    const std::optional<LabelTemplate> made = templateFromSet(set, UnitMillimeters, DesignBusinessCards,
                                                              QStringLiteral(" Our  Shop "),
                                                              QStringLiteral("Cards/<10>"), QStringLiteral("Ours"));
    ASSERT_TRUE(made.has_value());
    QString error;
    const std::optional<QString> path = saveUserTemplate(folder, *made, error);
    ASSERT_TRUE(path.has_value()) << error.toStdString();
    EXPECT_EQ(*path, folder + QStringLiteral("/Our_Shop-Cards__10_.xml"));

    const TemplateCatalogue c = loadTemplates({QString(), folder, false});
    EXPECT_TRUE(c.diagnostics.isEmpty()) << c.diagnostics.join(QLatin1Char('\n')).toStdString();
    const LabelTemplate* back = Named(c, "Our Shop Cards/<10>");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(templateDesignType(*back), DesignBusinessCards);
    miry_t written;
    std::int32_t orientation = Landscape;
    ASSERT_TRUE(writeTemplate(*back, UnitMillimeters, written, orientation));
    for (int k : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11})
        EXPECT_EQ(Text(written, DimensionText(k)), texts[k]) << k;
    EXPECT_EQ(Text(written, TextMarginRight), u"15");
    EXPECT_EQ(orientation, Portrait);

    // Sets that are no sheet are not saved.
    miry_t bad = set;
    bad.texts[TextRows] = u"0";
    EXPECT_FALSE(templateFromSet(bad, UnitMillimeters, DesignLabels, QStringLiteral("a"), QStringLiteral("b"),
                                 QString()));
    bad = set;
    bad.texts[TextCardWidth] = u"wide";
    EXPECT_FALSE(templateFromSet(bad, UnitMillimeters, DesignLabels, QStringLiteral("a"), QStringLiteral("b"),
                                 QString()));
    EXPECT_FALSE(templateFromSet(set, UnitPixels, DesignLabels, QStringLiteral("a"), QStringLiteral("b"), QString()));
    EXPECT_FALSE(templateFromSet(set, UnitMillimeters, DesignLabels, QString(), QStringLiteral("b"), QString()));
}

TEST(TemplateLibrary, ReadsOnceOnFirstUse)
{
    TemplateLibrary library(FixtureSources());
    EXPECT_FALSE(library.loaded());
    const TemplateCatalogue* first = &library.catalogue();
    EXPECT_TRUE(library.loaded());
    EXPECT_EQ(&library.catalogue(), first);
}

// The database the package installs: its size and a few products buyers ask for.
TEST(InstalledTemplates, HoldsTheKnownProducts)
{
    const QString database = installedTemplateDatabase();
    if (database.isEmpty())
        GTEST_SKIP() << "the templates database is not installed";
    const TemplateCatalogue c = loadTemplates({database, QString(), false});
    EXPECT_GE(c.templates.size(), 1700u);
    // The database names one alias whose product it does not hold.
    EXPECT_LE(c.diagnostics.size(), 2) << c.diagnostics.join(QLatin1Char('\n')).toStdString();

    const LabelTemplate* avery = Named(c, "Avery 5160");
    ASSERT_NE(avery, nullptr);
    EXPECT_EQ(avery->paperId, QStringLiteral("US-Letter"));
    EXPECT_EQ(templateDesignType(*avery), DesignLabels);
    miry_t set;
    std::int32_t orientation = 0;
    ASSERT_TRUE(writeTemplate(*avery, UnitInches, set, orientation));
    EXPECT_EQ(Text(set, TextPaperWidth), u"8.5");
    EXPECT_EQ(Text(set, TextPaperHeight), u"11");
    EXPECT_EQ(Text(set, TextCardWidth), u"2.625");
    EXPECT_EQ(Text(set, TextCardHeight), u"1");
    EXPECT_EQ(Text(set, TextColumns), u"3");
    EXPECT_EQ(Text(set, TextRows), u"10");
    EXPECT_EQ(Text(set, TextMarginLeft), u"0.15625");
    EXPECT_EQ(Text(set, TextMarginTop), u"0.5");
    EXPECT_EQ(Text(set, TextColumnGap), u"0.15625");

    const LabelTemplate* herma = Named(c, "Herma 4283");
    ASSERT_NE(herma, nullptr);
    EXPECT_EQ(herma->paperId, QStringLiteral("A4"));
    const LabelTemplate* l7163 = Named(c, "avery l7163");
    ASSERT_NE(l7163, nullptr);
    EXPECT_EQ(l7163->equivOf, QStringLiteral("7163"));
    EXPECT_EQ(l7163->columns * l7163->rows, 14);
    EXPECT_FALSE(narrowTemplates(c, QStringLiteral("avery business")).empty());
}

} // namespace
} // namespace vlm

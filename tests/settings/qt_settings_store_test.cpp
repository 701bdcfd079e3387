#include "platform/qt_settings_store.h"
#include "settings/settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace vlm {

bool operator==(const SettingsStore::Value& a, const SettingsStore::Value& b)
{
    return a.type == b.type && a.integer == b.integer && a.text == b.text;
}

namespace {

namespace keys = settings_keys;
constexpr std::string_view kCS = keys::kCustomSettings;

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("Vellumora/Vellumora.ini")) const
    {
        return dir.filePath(name);
    }
    static void writeFile(const QString& p, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static Settings load(const SettingsStore& store)
    {
        Settings s;
        InitSettings(s, store, ScreenMetrics{});
        return s;
    }

    QTemporaryDir dir;
};

// Every stored value moved off its default, as a long-time user's would be.
Settings everythingChanged()
{
    Settings s;
    s.lineColor = 0x123456;
    s.lineWidth = 0.35;
    s.lineWidthTab = 3;
    s.linePattern = 7;
    s.linePatternTab = 2;
    s.lineFill = 0x00FF00;
    s.lineDirection = 45;
    s.lineDirectionTab = 6;
    s.lineOutline = 0.1;
    s.lineOutlineTab = 2;
    s.tcolor = 0xFF;
    s.tfont = u"Liberation Serif";
    s.tcharset = 238;
    s.tsize = 28;
    s.tsizetab = 12;
    s.tbold = 700;
    s.toptions = {1, 1, 0, 2};
    s.tangle = 900;
    s.tangletab = 3;
    s.tdir = 90;
    s.polycolor = 0x808080;
    s.polyfill = -2;
    s.polywidth = 1.5;
    s.polytab = 4;
    s.polysides = 7;
    s.polyshape = 1;
    s.polystate = 1;
    s.bpolyshape = 2;
    s.bpolystate = 1;
    s.shpoly = {1, 2, 3};
    s.shtext = {4, 5, 6};
    s.shpict = {255, 0, 128};
    s.liplas = 10;
    s.txplas = 20;
    s.poplas = 30;
    s.frplas = 40;
    s.lgtdir = 3;
    s.clframe = 1;
    s.clshadw = 1;
    s.frcolor = 0xABCDEF;
    s.frwidth = 2.25;
    SetDefaultUnit(s, UnitMillimeters);
    s.defaults.angles = 2;
    s.defaults.gridH = 1;
    s.defaults.snapV = 1;
    s.defaults.anchorsH = 0;
    s.defaults.millimetres.texts = {u"5", u"2,5", u"0", u"0", u"297", u"210"};
    s.defaults.inches.texts[GridSpacingX] = u"1/8\"";
    s.defaults.pixels.texts[GridAreaWidth] = u"640";
    ApplyGridTexts(s.defaults, s.screen);
    s.pspage = DesignLabels;
    s.pageSetups[DesignLabels].orientation = Landscape;
    s.pageSetups[DesignLabels].units = UnitInches;
    miry_t& set = s.pageSetups[DesignLabels].set(UnitInches);
    set.quickSelect = -1;
    set.rowFold = 1;
    set.texts[TextCardWidth] = u"2 5/8\"";
    set.texts[TextReserved1] = u"dword:1"; // must stay a text
    set.texts[TextReserved2] = u"sz:x";
    for (int n = 0; n < kRecentFileCount; ++n)
        s.reopen[static_cast<std::size_t>(n)] = u"/home/user/design " + std::u16string(1, u'a' + n) + u".vlmr";
    s.reopen[1] = u"C:\\Users\\\u00c5sa\\=;[x], \"q\".vlmr";
    s.docdir = u"/home/user/Documents";
    s.picidr = u"@pictures";
    s.expdir = u"  padded  ";
    s.picndx = 7;
    s.expndx = 2;
    s.hints.fill(0);
    s.hints[41] = 1;
    s.setupDone = true;

    s.customWidths[0] = {0, 0, 3, u"Quarter", u"1/4", 1, 0};
    s.customWidths[11] = {0, 0, 1, u"Pixel, thin", u"1", 1, 0};
    s.customPatterns[3].name = u"Morse";
    s.customPatterns[3].units = 1;
    s.customPatterns[3].valueTexts = {u"9", u"3", u"3", u"3", u"", u"", u"", u"", u"", u"", u"", u"1"};
    s.customPatterns[3].inUse = 1;
    s.customDirections[5] = {0, 1, u"Down", u"270", 1, 0};
    s.customAngles[0] = {0, 2, u"Pi", u"3,14159", 1, 0};
    s.customSizes[11] = {0, 1, u"Huge", u"96", 1, 0};
    s.customShadows[0] = {u"Long", 200, 10, 0, 1, 1, 1};
    s.customShadows[7].name = u"";
    for (std::int32_t c : {0xFF, 0x00FF00, 0x2FFFFFF, 0})
        AddRecentColor(s, c);
    s.dialogColors[0] = u"FF8000";
    s.dialogColors[15] = u"FFFFFFFF";
    return s;
}

TEST_F(QtSettingsStoreTest, SaveAndLoadThroughTheIniFileGiveBackEveryValue)
{
    const Settings original = everythingChanged();
    {
        auto store = QtSettingsStore::openIniFile(path());
        ASSERT_TRUE(SaveSettings(original, *store));
        ASSERT_TRUE(SaveDialogColors(original, *store));
    }
    // What the file holds, read back the long way, must write exactly the
    // same values again.
    MemorySettingsStore expected;
    SaveSettings(original, expected);
    SaveDialogColors(original, expected);

    auto reopened = QtSettingsStore::openIniFile(path());
    // The file keeps no types, so each value is compared the way the Settings
    // ask for it.
    ASSERT_EQ(reopened->keys().size(), expected.keys().size());
    for (const auto& [key, values] : expected.keys()) {
        ASSERT_EQ(reopened->keys().count(key), 1u) << key;
        EXPECT_EQ(reopened->keys().at(key).size(), values.size()) << key;
        for (const auto& [name, value] : values) {
            if (value.type == SettingsStore::Type::Integer)
                EXPECT_EQ(reopened->readInteger(key, name), value.integer) << key << "/" << name;
            else
                EXPECT_EQ(reopened->readText(key, name), value.text) << key << "/" << name;
        }
    }
    Settings r = load(*reopened);
    LoadDialogColors(r, *reopened);
    MemorySettingsStore again;
    SaveSettings(r, again);
    SaveDialogColors(r, again);
    EXPECT_EQ(again.keys(), expected.keys());

    // A few typed values, checked directly.
    EXPECT_EQ(r.lineWidth, 0.35);
    EXPECT_EQ(r.toptions, original.toptions);
    EXPECT_EQ(r.shpict.elevation, 255);
    EXPECT_EQ(r.defaults.unit, UnitMillimeters);
    EXPECT_EQ(r.defaults.millimetres.values, original.defaults.millimetres.values);
    EXPECT_EQ(r.defaults.inches.values[GridSpacingX], 0.125);
    EXPECT_EQ(r.pageSetups[DesignLabels].units, UnitInches);
    EXPECT_EQ(r.pageSetups[DesignLabels].set(UnitInches).texts, original.pageSetups[DesignLabels].set(UnitInches).texts);
    EXPECT_EQ(r.reopen, original.reopen);
    EXPECT_EQ(r.expdir, u"  padded  ");
    EXPECT_EQ(r.picidr, u"@pictures");
    EXPECT_EQ(r.hints, original.hints);
    EXPECT_TRUE(r.setupDone);
    EXPECT_EQ(r.recentColors, original.recentColors);
    EXPECT_TRUE(r.customWidths[11].inUse);
    EXPECT_EQ(r.customWidths[11].name, u"Pixel, thin");
    EXPECT_EQ(r.customPatterns[3].count, 4);
    EXPECT_NEAR(r.customAngles[0].value, 179.9998, 1e-4);
    EXPECT_EQ(r.customShadows[0].elevation, 200);
    EXPECT_EQ(r.customShadows[7].name, u"");
    EXPECT_EQ(r.dialogColors, original.dialogColors);

    // Integers are plain numbers and texts plain texts, and the file is
    // complete: no staging file is left beside it.
    const QByteArray ini = readFile(path());
    EXPECT_TRUE(ini.contains("\ntsize=28\n"));
    EXPECT_TRUE(ini.contains("\npolyfill=-2\n"));
    EXPECT_TRUE(ini.contains("\ntfont=Liberation Serif\n"));
    EXPECT_FALSE(ini.contains("dword:0"));
    EXPECT_TRUE(ini.contains("[CustomShadows]"));
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("Vellumora.ini")});
}

TEST_F(QtSettingsStoreTest, PlainNumbersAndTheMarkedFormsOfEarlierFilesBothRead)
{
    writeFile(path(), "[CustomSettings]\n"
                      "units=2\n"
                      "tsize=dword:0000000e\n"
                      "lgtdir=dword:FFFFFFFF\n"
                      "tcolor=dword:zz\n"
                      "tbold=dword:123456789\n"
                      "tcharset=-3\n"
                      "polycolor=0x1F\n"
                      "frcolor=2147483648\n"
                      "polyshape=1.0\n"
                      "tangle=seven\n"
                      "lineWidth= 1,5 \n"
                      "tfont=sz:dword:7\n"
                      "docdir=sz:12\n"
                      "picidr=12\n");
    auto store = QtSettingsStore::openIniFile(path());
    EXPECT_EQ(store->readInteger(kCS, "units"), 2);
    EXPECT_EQ(store->readInteger(kCS, "tsize"), 14);
    EXPECT_EQ(store->readInteger(kCS, "lgtdir"), -1);
    EXPECT_EQ(store->read(kCS, "tcolor").type, SettingsStore::Type::Unreadable);
    EXPECT_EQ(store->read(kCS, "tbold").type, SettingsStore::Type::Unreadable);
    EXPECT_EQ(store->readInteger(kCS, "tcharset"), -3);
    EXPECT_EQ(store->readInteger(kCS, "polycolor"), std::nullopt);
    EXPECT_EQ(store->readInteger(kCS, "frcolor"), std::nullopt); // beyond 32 bits signed
    EXPECT_EQ(store->readInteger(kCS, "polyshape"), std::nullopt);
    EXPECT_EQ(store->readText(kCS, "tfont"), u"dword:7");
    // "sz:" keeps a text a text; without it a number is either.
    EXPECT_EQ(store->readInteger(kCS, "docdir"), std::nullopt);
    EXPECT_EQ(store->readText(kCS, "docdir"), u"12");
    EXPECT_EQ(store->readText(kCS, "picidr"), u"12");
    EXPECT_EQ(store->readInteger(kCS, "picidr"), 12);

    const Settings s = load(*store);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_EQ(s.tsize, 14);
    EXPECT_EQ(s.lgtdir, 0);   // -1 fails the load rule
    EXPECT_EQ(s.tbold, 400);  // unreadable: default
    EXPECT_EQ(s.tangle, -10); // not a number: default
    EXPECT_EQ(s.polycolor, 0);
    EXPECT_EQ(s.polyshape, 0);
    EXPECT_EQ(s.tcharset, -3);
    EXPECT_EQ(s.lineWidth, 1.5); // unquoted comma splits the line; it is joined back
    EXPECT_EQ(s.docdir, u"12");
}

TEST_F(QtSettingsStoreTest, AHandEditedFileLoadsByTheRulesAndIsWrittenBackPlain)
{
    writeFile(path(), "[CustomSettings]\n"
                      "polysides=7\n"
                      "units=4\n"
                      "lgtdir=4\n"
                      "liplas=256\n"
                      "lineWidth=\" 1,5 \"\n"
                      "hints=01\n");
    Settings s;
    {
        auto store = QtSettingsStore::openIniFile(path());
        s = load(*store);
        EXPECT_EQ(s.polysides, 7);
        EXPECT_EQ(s.defaults.unit, UnitInches);
        EXPECT_EQ(s.lgtdir, 0);
        EXPECT_EQ(s.liplas, 0);
        EXPECT_EQ(s.lineWidth, 1.5);
        ASSERT_EQ(s.hints.size(), 42u);
        EXPECT_EQ(s.hints[0], 0);
        for (std::size_t i = 1; i < s.hints.size(); ++i)
            EXPECT_EQ(s.hints[i], 1) << i;
        ASSERT_TRUE(SaveSettings(s, *store));
    }
    const QByteArray ini = readFile(path());
    for (const char* line : {"\npolysides=7\n", "\nunits=3\n", "\nlgtdir=0\n", "\nliplas=0\n",
                             "\nlineWidth=1.5\n", "\ntsize=12\n", "\ntangle=-10\n"})
        EXPECT_TRUE(ini.contains(line)) << line;
    EXPECT_TRUE(ini.contains("\nhints=0" + QByteArray(41, '1') + "\n"));
    EXPECT_FALSE(ini.contains("dword:"));
    EXPECT_FALSE(ini.contains("sz:"));
    EXPECT_EQ(load(*QtSettingsStore::openIniFile(path())).polysides, 7);
}

TEST_F(QtSettingsStoreTest, FilesNotReadWholeAreNeverWrittenOver)
{
    // A folder where the file should be.
    QDir().mkpath(path(QStringLiteral("a/Vellumora.ini")));
    auto asFolder = QtSettingsStore::openIniFile(path(QStringLiteral("a/Vellumora.ini")));
    EXPECT_TRUE(asFolder->keys().empty());
    EXPECT_FALSE(SaveSettings(Settings{}, *asFolder));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("a/Vellumora.ini"))).isDir());
    EXPECT_EQ(QDir(path(QStringLiteral("a"))).entryList(QDir::Files), QStringList());

    // Larger than the limit: what its first part holds is read, and the
    // file stays as it was.
    QByteArray huge("[CustomSettings]\nunits=2\npolysides=9\n");
    const QByteArray comment = "; " + QByteArray(1000, '-') + "\n";
    while (huge.size() <= QtSettingsStore::kMaxIniBytes)
        huge.append(comment);
    huge.append("tsize=77\n");
    writeFile(path(), huge);
    auto oversized = QtSettingsStore::openIniFile(path());
    EXPECT_TRUE(oversized->partlyRead());
    const Settings s = load(*oversized);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_EQ(s.polysides, 9);
    EXPECT_NE(s.tsize, 77);
    EXPECT_FALSE(SaveSettings(s, *oversized));
    EXPECT_EQ(readFile(path()), huge);
}

TEST_F(QtSettingsStoreTest, AFileOverAMebibyteIsReadAndSavedAgain)
{
    QByteArray big("[CustomSettings]\nunits=2\npolysides=9\n");
    big.append("; " + QByteArray(3 << 19, '-') + "\n");
    writeFile(path(), big);
    auto store = QtSettingsStore::openIniFile(path());
    EXPECT_FALSE(store->partlyRead());
    Settings s = load(*store);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_EQ(s.polysides, 9);
    s.polysides = 11;
    EXPECT_TRUE(SaveSettings(s, *store));
    EXPECT_EQ(load(*QtSettingsStore::openIniFile(path())).polysides, 11);
}

TEST_F(QtSettingsStoreTest, AFolderThatCannotBeWrittenFailsTheSaveQuietly)
{
    writeFile(path(QStringLiteral("plain-file")), "not a folder");
    auto store = QtSettingsStore::openIniFile(path(QStringLiteral("plain-file/Vellumora/Vellumora.ini")));
    EXPECT_FALSE(SaveSettings(Settings{}, *store));
    EXPECT_EQ(readFile(path(QStringLiteral("plain-file"))), QByteArray("not a folder"));
}

TEST_F(QtSettingsStoreTest, TruncatedAndCorruptedFilesNeverBreakLoading)
{
    {
        auto store = QtSettingsStore::openIniFile(path());
        ASSERT_TRUE(SaveSettings(everythingChanged(), *store));
    }
    const QByteArray good = readFile(path());
    ASSERT_GT(good.size(), 1000);
    std::mt19937 rng(99);
    for (int round = 0; round < 25; ++round) {
        QByteArray bad = good;
        if (round % 2)
            bad.truncate(static_cast<qsizetype>(rng() % static_cast<unsigned>(good.size())));
        for (int flips = 1 + static_cast<int>(rng() % 40); flips > 0; --flips)
            if (!bad.isEmpty())
                bad[static_cast<qsizetype>(rng() % static_cast<unsigned>(bad.size()))] = static_cast<char>(rng());
        // A new name each round: QSettings caches files by name and time.
        const QString p = path(QStringLiteral("fuzz/%1.ini").arg(round));
        writeFile(p, bad);
        auto store = QtSettingsStore::openIniFile(p);
        const Settings s = load(*store);
        EXPECT_TRUE(IsMeasuringUnit(s.defaults.unit));
        EXPECT_TRUE(IsDesignType(s.pspage));
        EXPECT_GE(s.lgtdir, 0);
        EXPECT_LE(s.lgtdir, 3);
        EXPECT_TRUE(SaveSettings(s, *store));
    }
}

TEST_F(QtSettingsStoreTest, TheUserFileLivesInTheConfigFolder)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    const QString p = QtSettingsStore::userIniPath();
    EXPECT_EQ(p, dir.filePath(QStringLiteral("Vellumora/Vellumora.ini")));
#ifndef Q_OS_WIN
    {
        auto store = QtSettingsStore::openUserStore();
        Settings s;
        s.tsize = 9;
        ASSERT_TRUE(SaveSettings(s, *store));
    }
    EXPECT_EQ(load(*QtSettingsStore::openUserStore()).tsize, 9);
#endif
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
} // namespace vlm

#include "platform/memory_settings_store.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace vlm {
namespace {

constexpr std::string_view kCS = settings_keys::kCustomSettings;

SettingsStore::Value integer(std::int32_t v) { return {SettingsStore::Type::Integer, v, {}}; }
SettingsStore::Value text(std::u16string t) { return {SettingsStore::Type::Text, 0, std::move(t)}; }

Settings load(const SettingsStore& store)
{
    Settings s;
    InitSettings(s, store, ScreenMetrics{});
    return s;
}

TEST(InitSettings, AnEmptyStoreGivesInchesAQuarterInchGridAndALetterPage)
{
    const Settings s = load(MemorySettingsStore{});
    const defaults_t& d = s.defaults;
    EXPECT_EQ(d.unit, UnitInches);
    EXPECT_DOUBLE_EQ(d.pixelsPerUnitX, 96.0);
    const auto& in = d.inches.values;
    EXPECT_DOUBLE_EQ(in[GridSpacingX], 0.25);
    EXPECT_DOUBLE_EQ(in[GridSpacingY], 0.25);
    EXPECT_DOUBLE_EQ(in[GridOriginX], 0.2);
    EXPECT_DOUBLE_EQ(in[GridOriginY], 0.2);
    EXPECT_DOUBLE_EQ(in[GridAreaWidth], 8.5);
    EXPECT_DOUBLE_EQ(in[GridAreaHeight], 11);
    EXPECT_EQ(d.anchorsH, 1);
    EXPECT_EQ(d.anchorsV, 1);
    EXPECT_EQ(d.gridH + d.gridV + d.snapH + d.snapV, 0);
    EXPECT_EQ(s.pspage, DesignBrochures);
    EXPECT_EQ(s.toptions[OptionJustification], 1);
    EXPECT_EQ(s.lineFill, -2);
    EXPECT_EQ(s.polyfill, -1);
    EXPECT_FALSE(s.setupDone);
    EXPECT_FALSE(s.ddeins.has_value());
    for (const auto& w : s.customWidths)
        EXPECT_FALSE(w.inUse);
    EXPECT_EQ(s.customWidths[0].name, u"Weight A");
    EXPECT_EQ(s.customPatterns[11].name, u"Pattern L");
    EXPECT_EQ(s.customSizes[1].name, u"Size B");
    EXPECT_EQ(s.customShadows[2].name, u"Shadow C");
    EXPECT_EQ(s.customShadows[2].lightness, 85);
    EXPECT_EQ(std::count(s.hints.begin(), s.hints.end(), 1), kHintFlagCount);
}

TEST(InitSettings, ValuesOutOfRangeOrOfTheWrongTypeKeepTheirDefaults)
{
    struct Case {
        const char* name;
        SettingsStore::Value stored;
    };
    const Case cases[] = {
        {"units", integer(4)},       {"units", integer(0)},        {"units", text(u"2")},
        {"lgtdir", integer(4)},      {"lgtdir", integer(-1)},      {"liplas", integer(256)},
        {"poplas", integer(-1)},     {"clframe", integer(2)},      {"pspage", integer(12)},
        {"pspage", integer(0)},      {"picndx", integer(13)},       {"expndx", integer(5)},
        {"tsize", text(u"14")},      {"lineWidth", integer(3)},    {"tfont", integer(1)},
        {"grid", text(u"63")},       {"hints", integer(0)},        {"pgseta1", integer(4)},
        {"pgsetb2", integer(3)},     {"3pgsetd10", integer(2)},    {"3pgsetf1", integer(5)},
        {"gridx3", integer(1)},      {"setupDone", text(u"1")},    {"lineColor", {SettingsStore::Type::Unreadable, 5, {}}},
    };
    const Settings defaults = load(MemorySettingsStore{});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        store.put(kCS, c.name, c.stored);
        const Settings s = load(store);
        EXPECT_EQ(s.defaults.unit, defaults.defaults.unit);
        EXPECT_EQ(s.lgtdir, 0);
        EXPECT_EQ(s.liplas, 0);
        EXPECT_EQ(s.poplas, 0);
        EXPECT_EQ(s.clframe, 0);
        EXPECT_EQ(s.pspage, DesignBrochures);
        EXPECT_EQ(s.picndx, 12);
        EXPECT_EQ(s.expndx, 1);
        EXPECT_EQ(s.tsize, 12);
        EXPECT_EQ(s.lineWidth, 0.0);
        EXPECT_EQ(s.tfont, u"Arial");
        EXPECT_EQ(s.defaults.gridH, 0);
        EXPECT_EQ(s.hints, defaults.hints);
        EXPECT_EQ(s.pageSetups[1].units, UnitInches);
        EXPECT_EQ(s.pageSetups[2].orientation, Portrait);
        EXPECT_EQ(s.pageSetups[10].set(3).rowFold, 1);
        EXPECT_EQ(s.pageSetups[1].set(3).texts[TextPaperWidth], u"8 1/2");
        EXPECT_EQ(s.defaults.inches.values[GridSpacingX], 0.25);
        EXPECT_FALSE(s.setupDone);
        EXPECT_EQ(s.lineColor, 0);
    }
}

TEST(InitSettings, ValuesWithinTheirRulesAreTaken)
{
    MemorySettingsStore store;
    store.put(kCS, "lgtdir", integer(3));
    store.put(kCS, "liplas", integer(255));
    store.put(kCS, "pspage", integer(11));
    store.put(kCS, "tangle", integer(-450));
    store.put(kCS, "toptions", integer(0x02010100));
    store.put(kCS, "shpoly", integer(0x7F302010));
    store.put(kCS, "grid", integer(0b101001));
    store.put(kCS, "ddeins", integer(0));
    store.put(kCS, "setupDone", integer(1));
    const Settings s = load(store);
    EXPECT_EQ(s.lgtdir, 3);
    EXPECT_EQ(s.liplas, 255);
    EXPECT_EQ(s.pspage, 11);
    EXPECT_EQ(s.tangle, -450);
    EXPECT_EQ(s.toptions, (std::array<std::uint8_t, 4>{0, 1, 1, 2}));
    // The high byte of a shadow value is not part of it.
    EXPECT_EQ(s.shpoly.elevation, 0x10);
    EXPECT_EQ(s.shpoly.fade, 0x20);
    EXPECT_EQ(s.shpoly.lightness, 0x30);
    EXPECT_EQ(s.defaults.gridH, 1);
    EXPECT_EQ(s.defaults.anchorsH, 0);
    EXPECT_EQ(s.defaults.snapH, 1);
    EXPECT_EQ(s.defaults.gridV, 0);
    EXPECT_EQ(s.defaults.anchorsV, 0);
    EXPECT_EQ(s.defaults.snapV, 1);
    EXPECT_EQ(s.ddeins, 0);
    EXPECT_TRUE(s.setupDone);
}

TEST(InitSettings, RealTextsReadWithCommaAndBlanks)
{
    struct Case {
        const char16_t* stored;
        double expected;
    };
    const Case cases[] = {{u" 1,5 ", 1.5}, {u"1 . 5", 1.5}, {u"-0,25", -0.25}, {u"", 0.0}, {u"abc", 0.0},
                          {u"1,5,5", 0.0}, {u"2e-1", 0.2},  {u"nan", 0.0},    {u"1e999", 0.0}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.put(kCS, "lineWidth", text(c.stored));
        store.put(kCS, "lineDirection", text(c.stored));
        const Settings s = load(store);
        EXPECT_DOUBLE_EQ(s.lineWidth, c.expected);
        // Unreadable gives 0 here too, not the default -1.
        EXPECT_DOUBLE_EQ(s.lineDirection, c.expected);
    }
}

TEST(InitSettings, HintsTurnOffOnlyThePagesMarkedZero)
{
    std::vector<int> all(kHintFlagCount);
    std::iota(all.begin(), all.end(), 1);
    struct Case {
        std::u16string stored;
        std::vector<int> off; // 1-based flags expected off
    };
    const Case cases[] = {
        {u"01", {1}},
        {u"", {}},
        {u"1101x0", {3, 6}},
        {std::u16string(50, u'0'), all}, // a longer text only covers the 42 pages
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.put(kCS, "hints", text(c.stored));
        const Settings s = load(store);
        for (int k = 1; k <= kHintFlagCount; ++k) {
            const bool off = std::find(c.off.begin(), c.off.end(), k) != c.off.end();
            EXPECT_EQ(s.hints[static_cast<std::size_t>(k - 1)], off ? 0 : 1)
                << std::string(c.stored.begin(), c.stored.end()) << " flag " << k;
        }
    }
}

TEST(InitSettings, UnitsSetEveryDesignTypeButDigitalImagesAndPerTypeUnitsWin)
{
    MemorySettingsStore store;
    store.put(kCS, "units", integer(UnitMillimeters));
    store.put(kCS, "pgseta4", integer(UnitInches));
    const Settings s = load(store);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_DOUBLE_EQ(s.defaults.pixelsPerUnitX, 96.0 / 25.4);
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t) {
        const std::int32_t expected =
            t == DesignDigitalImages ? UnitPixels : t == DesignBusinessCards ? UnitInches : UnitMillimeters;
        EXPECT_EQ(s.pageSetups[t].units, expected) << t;
    }
}

TEST(InitSettings, GridTextsReplaceTheirRealsOnlyWhenTheyMeasureSomethingDrawable)
{
    struct Case {
        const char* name;
        const char16_t* stored;
        int unit;
        GridValue which;
        double expected;
    };
    const Case cases[] = {
        {"gridx3", u"1/8\"", 3, GridSpacingX, 0.125},
        {"gridy2", u" 2,5 ", 2, GridSpacingY, 2.5},
        {"canvas14", u"300", 1, GridAreaHeight, 300},
        {"canvas21", u"-5", 2, GridOriginX, -5},
        {"gridx1", u"abc", 1, GridSpacingX, 25},          // rejected: previous real
        {"gridx3", u"", 3, GridSpacingX, 0.25},           // rejected
        {"gridx3", u"3/0", 3, GridSpacingX, 0.25},        // a zero spacing draws no grid
        {"gridy1", u"0.1", 1, GridSpacingY, 25},          // finer than half a pixel
        {"canvas33", u"1e9", 3, GridAreaWidth, 8.5},      // beyond any page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        store.put(kCS, c.name, text(c.stored));
        const Settings s = load(store);
        const GridBlock& b = s.defaults.block(c.unit);
        EXPECT_DOUBLE_EQ(b.values[c.which], c.expected);
        // The text is kept as entered either way.
        EXPECT_EQ(b.texts[c.which], c.stored);
    }
}

TEST(InitSettings, PageSetupValuesMapOntoTheirTypeUnitAndText)
{
    MemorySettingsStore store;
    store.put(kCS, "pgsetb5", integer(Landscape));
    store.put(kCS, "2pgsetc5", integer(-1));
    store.put(kCS, "2pgsete5", integer(1));
    store.put(kCS, "2pgsetq5", text(u"21"));
    store.put(kCS, "1pgsets11", text(u"reserved"));
    const Settings s = load(store);
    EXPECT_EQ(s.pageSetups[5].orientation, Landscape);
    const miry_t& mm = s.pageSetups[5].set(UnitMillimeters);
    EXPECT_EQ(mm.quickSelect, -1);
    EXPECT_EQ(mm.columnFold, 1);
    EXPECT_EQ(mm.texts[TextCardHeight], u"21");
    EXPECT_EQ(mm.texts[TextCardWidth], u"37"); // untouched initial text
    EXPECT_EQ(s.pageSetups[11].set(UnitPixels).texts[TextReserved2], u"reserved");
}

TEST(InitSettings, SurvivesAStoreFullOfRandomValues)
{
    std::mt19937 rng(1234);
    const char* names[] = {"units", "grid", "hints", "gridx1", "gridx3", "canvas33", "pspage", "pgseta10",
                           "3pgsetf10", "3pgsetp10", "tsize", "lineWidth", "shpoly", "toptions", "reopen16"};
    const std::string_view lists[] = {settings_keys::kCustomWidths, settings_keys::kCustomPatterns,
                                      settings_keys::kCustomAngles, settings_keys::kCustomSizes,
                                      settings_keys::kCustomShadows, settings_keys::kCustomColors};
    const char* listNames[] = {"nameA", "valueA", "unitsA", "valueA1", "valueA2", "colorA", "nameL", "valueL"};
    auto randomValue = [&]() -> SettingsStore::Value {
        switch (rng() % 3) {
        case 0:
            return integer(static_cast<std::int32_t>(rng()));
        case 1: {
            std::u16string t;
            const std::u16string alphabet = u"0123456789 ,./\"-e+x\u07EC";
            for (unsigned n = rng() % 12; n > 0; --n)
                t += alphabet[rng() % alphabet.size()];
            return text(t);
        }
        default:
            return {SettingsStore::Type::Unreadable, 0, {}};
        }
    };
    for (int round = 0; round < 100; ++round) {
        MemorySettingsStore store;
        for (const char* n : names)
            store.put(kCS, n, randomValue());
        for (auto key : lists)
            for (const char* n : listNames)
                store.put(key, n, randomValue());
        const Settings s = load(store);
        EXPECT_TRUE(IsMeasuringUnit(s.defaults.unit));
        EXPECT_TRUE(IsDesignType(s.pspage));
        for (std::int32_t u = UnitPixels; u <= UnitInches; ++u) {
            const auto& v = s.defaults.block(u).values;
            EXPECT_GT(v[GridSpacingX], 0.0);
            EXPECT_LE(v[GridAreaWidth], MaxLengthInUnit(u));
        }
        for (const auto& a : s.customAngles)
            if (a.inUse) {
                EXPECT_TRUE(a.value >= 0.0 && a.value <= 360.0) << a.value;
            }
        for (std::int32_t c : s.recentColors)
            EXPECT_TRUE(c == kNoColor || (c >= 0 && c <= kMaxRecentColor));
    }
}

} // namespace
} // namespace vlm

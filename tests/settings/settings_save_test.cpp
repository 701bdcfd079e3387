#include "platform/memory_settings_store.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

namespace keys = settings_keys;
constexpr std::string_view kCS = keys::kCustomSettings;

Settings loaded(const SettingsStore& store)
{
    Settings s;
    InitSettings(s, store, ScreenMetrics{});
    return s;
}

TEST(SaveSettings, WritesEveryValueEvenAtItsDefault)
{
    MemorySettingsStore store;
    ASSERT_TRUE(SaveSettings(Settings{}, store));
    const auto& cs = store.keys().at(std::string(kCS));
    for (const char* name : {"lineColor", "lineWidth", "tfont", "tsize", "toptions", "shpoly", "liplas", "lgtdir",
                             "units", "angles", "grid", "gridx1", "gridy3", "canvas34", "pspage", "pgseta11",
                             "pgsetb1", "1pgsetc1", "3pgsetd10", "2pgsete3", "3pgsetf1", "3pgsets11", "reopen1",
                             "reopen16", "docdir", "picndx", "expndx", "hints", "setupDone"})
        EXPECT_TRUE(cs.count(name)) << name;
    EXPECT_FALSE(cs.count("ddeins"));
    EXPECT_EQ(store.readInteger(kCS, "grid"), 18);
    EXPECT_EQ(store.readInteger(kCS, "toptions"), 0x01000000);
    EXPECT_EQ(store.readText(kCS, "hints"), std::u16string(kHintFlagCount, u'1'));
    EXPECT_EQ(store.readText(kCS, "gridx3"), u"0.25");
    EXPECT_EQ(store.readText(kCS, "lineDirection"), u"-1");
    EXPECT_EQ(store.readInteger(kCS, "tsize"), 12);
    // Shadows are written whether offered or not; unused entries of the other
    // lists are not written at all.
    EXPECT_EQ(store.keys().at(std::string(keys::kCustomShadows)).size(), 24u);
    EXPECT_EQ(store.readInteger(keys::kCustomShadows, "valueA"), 0x555555);
    EXPECT_FALSE(store.keys().count(std::string(keys::kCustomWidths)));
}

TEST(SaveSettings, ReadsBackWhatItWrote)
{
    Settings s;
    s.lineWidth = 0.35;
    s.lineDirection = 22.5;
    s.toptions = {1, 0, 1, 2};
    s.shtext = {10, 20, 30};
    s.defaults.gridV = 1;
    s.defaults.snapH = 1;
    s.defaults.millimetres.texts[GridSpacingX] = u"5";
    s.lgtdir = 2;
    s.reopen[0] = u"/home/u/Cards \u00e9t\u00e9.vlmr";
    s.hints[3] = 0;
    s.pageSetups[3].set(UnitMillimeters).texts[TextCardWidth] = u"99";
    s.recentColors[0] = 0x0000FF;
    s.recentColors[1] = 0xFF0000;
    s.customWidths[2] = {0, 0, 2, u"Thick", u"1,2", 1, 1};
    s.customShadows[4].name = u"Soft";
    s.customShadows[4].elevation = 200;
    s.customShadows[4].offered = 1;

    MemorySettingsStore store;
    SaveSettings(s, store);
    const Settings r = loaded(store);
    EXPECT_EQ(r.lineWidth, 0.35);
    EXPECT_EQ(r.lineDirection, 22.5);
    EXPECT_EQ(r.toptions, s.toptions);
    EXPECT_EQ(r.shtext.fade, 20);
    EXPECT_EQ(r.defaults.gridV, 1);
    EXPECT_EQ(r.defaults.snapH, 1);
    EXPECT_EQ(r.defaults.anchorsH, 1);
    EXPECT_EQ(r.defaults.millimetres.values[GridSpacingX], 5.0);
    EXPECT_EQ(r.lgtdir, 2);
    EXPECT_EQ(r.reopen, s.reopen);
    EXPECT_EQ(r.hints, s.hints);
    EXPECT_EQ(r.pageSetups[3].set(UnitMillimeters).texts, s.pageSetups[3].set(UnitMillimeters).texts);
    // Recent colours come back in their slots.
    EXPECT_EQ(r.recentColors[0], 0x0000FF);
    EXPECT_EQ(r.recentColors[1], 0xFF0000);
    EXPECT_EQ(r.recentColors[2], kNoColor);
    EXPECT_TRUE(r.customWidths[2].inUse);
    EXPECT_EQ(r.customWidths[2].name, u"Thick");
    EXPECT_DOUBLE_EQ(r.customWidths[2].millimetres, 1.2);
    EXPECT_FALSE(r.customWidths[2].selectOnRefill);
    EXPECT_EQ(r.customShadows[4].name, u"Soft");
    EXPECT_EQ(r.customShadows[4].elevation, 200);
    EXPECT_EQ(r.customShadows[4].offered, 1);
    EXPECT_EQ(r.customShadows[5].offered, 0);
}

TEST(SaveSettings, AnUnnamedWeightIsNotTakenAndIsGoneAfterTheNextSave)
{
    MemorySettingsStore store;
    const auto W = keys::kCustomWidths;
    auto put = [&](const char* name, SettingsStore::Value v) { store.put(W, name, std::move(v)); };
    auto text = [](const char16_t* t) { return SettingsStore::Value{SettingsStore::Type::Text, 0, t}; };
    auto integer = [](std::int32_t v) { return SettingsStore::Value{SettingsStore::Type::Integer, v, {}}; };
    put("nameA", text(u"  "));
    put("valueA", text(u"2"));
    put("unitsA", integer(2));
    put("nameB", text(u"Hair"));
    put("valueB", text(u"0,1"));
    put("unitsB", integer(2));
    put("nameC", text(u"Bad unit"));
    put("valueC", text(u"2"));
    put("unitsC", integer(4));
    put("nameD", text(u"Zero"));
    put("valueD", text(u"0"));
    put("unitsD", integer(2));
    put("stray", text(u"left by hand"));

    const Settings s = loaded(store);
    EXPECT_FALSE(s.customWidths[0].inUse);
    EXPECT_EQ(s.customWidths[0].name, u"Weight A");
    EXPECT_TRUE(s.customWidths[1].inUse);
    EXPECT_FALSE(s.customWidths[2].inUse);
    EXPECT_FALSE(s.customWidths[3].inUse);

    SaveSettings(s, store);
    const auto& after = store.keys().at(std::string(W));
    EXPECT_EQ(after.size(), 3u);
    EXPECT_TRUE(after.count("nameB"));
    EXPECT_FALSE(after.count("valueA"));
    EXPECT_FALSE(after.count("stray"));
}

TEST(SaveSettings, ListsOfDirectionsSizesAndPatternsTakeOnlyValidEntries)
{
    Settings s;
    s.customDirections[0] = {0, 1, u"Steep", u"-90", 1, 0};
    s.customAngles[1] = {0, 2, u"Half turn", u"3.14159", 1, 0};
    s.customSizes[2] = {0, 1, u"Big", u"-14", 1, 0};
    s.customSizes[3] = {0, 1, u"Odd", u"12.5", 1, 0}; // in use by mistake: must not survive
    s.customPatterns[5].name = u"Dashes";
    s.customPatterns[5].units = 2;
    s.customPatterns[5].valueTexts = {u"2", u"1", u"", u"3"};
    s.customPatterns[5].inUse = 1;
    MemorySettingsStore store;
    SaveSettings(s, store);
    EXPECT_EQ(store.readText(keys::kCustomPatterns, "valueF4"), u"3");

    const Settings r = loaded(store);
    EXPECT_DOUBLE_EQ(r.customDirections[0].value, 270.0);
    EXPECT_NEAR(r.customAngles[1].value, 179.9998, 1e-4);
    EXPECT_EQ(r.customSizes[2].value, 14.0);
    EXPECT_FALSE(r.customSizes[3].inUse);
    EXPECT_TRUE(r.customPatterns[5].inUse);
    EXPECT_EQ(r.customPatterns[5].count, 2);
}

TEST(SaveSettings, AStoreThatRefusesWritesReportsIt)
{
    MemorySettingsStore store;
    store.setWritable(false);
    EXPECT_FALSE(SaveSettings(Settings{}, store));
    EXPECT_TRUE(store.keys().empty());
}

TEST(SaveSettings, KeepsTheShellsFileAssociationValue)
{
    MemorySettingsStore store;
    store.put(kCS, "ddeins", {SettingsStore::Type::Integer, 31, {}});
    Settings s = loaded(store);
    SaveSettings(s, store);
    EXPECT_EQ(store.readInteger(kCS, "ddeins"), 31);
}

TEST(FirstTimeSetup, IsRecordedInTheStoreWithTheChosenUnit)
{
    MemorySettingsStore store;
    Settings s = loaded(store);
    EXPECT_FALSE(s.setupDone);
    ASSERT_TRUE(RecordFirstTimeSetup(s, store, UnitMillimeters));
    const Settings r = loaded(store);
    EXPECT_TRUE(r.setupDone);
    EXPECT_EQ(r.defaults.unit, UnitMillimeters);
    EXPECT_EQ(r.pageSetups[DesignBrochures].units, UnitMillimeters);
    EXPECT_EQ(r.pageSetups[DesignDigitalImages].units, UnitPixels);
}

TEST(ApplyPageSetupForNewFiles, TakesTheUnitOnlyWhenBothPaperTextsParse)
{
    Settings s;
    pagesetArr_t ps = s.pageSetups;
    ps[DesignLabels].units = UnitMillimeters;
    ApplyPageSetupForNewFiles(s, ps, DesignLabels);
    EXPECT_EQ(s.pspage, DesignLabels);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_EQ(s.defaultPaper[UnitMillimeters - 1].height, 297.0);

    ps[DesignPostcards].units = UnitPixels;
    ps[DesignPostcards].set(UnitPixels).texts[TextPaperHeight] = u"tall";
    ApplyPageSetupForNewFiles(s, ps, DesignPostcards);
    EXPECT_EQ(s.pspage, DesignPostcards);
    EXPECT_EQ(s.defaults.unit, UnitMillimeters);
    EXPECT_EQ(s.pageSetups[DesignPostcards].set(UnitPixels).texts[TextPaperHeight], u"tall");
}

} // namespace
} // namespace vlm

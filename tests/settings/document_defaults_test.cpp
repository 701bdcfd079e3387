#include "model/document.h"
#include "model/item_list.h"
#include "platform/memory_settings_store.h"
#include "settings/document_defaults.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

const HeaderFields& initialised(Document& doc, const Settings& s)
{
    InitDocument(doc, DocumentDefaultsFrom(s), OpenDocumentList{});
    const Item* header = Header(doc.items);
    EXPECT_NE(header, nullptr);
    return header->rec.h;
}

TEST(DocumentDefaultsFrom, ANewDocumentFromDefaultSettingsIsALetterBrochureInInches)
{
    Settings s;
    InitSettings(s, MemorySettingsStore{}, ScreenMetrics{});
    Document doc;
    const HeaderFields& h = initialised(doc, s);
    EXPECT_EQ(+h.units, UnitInches);
    EXPECT_DOUBLE_EQ(h.pixelsPerUnitX, 96.0);
    EXPECT_DOUBLE_EQ(h.gridSpacingX, 0.25);
    EXPECT_DOUBLE_EQ(h.gridSpacingY, 0.25);
    EXPECT_DOUBLE_EQ(h.originX, 0.2);
    EXPECT_DOUBLE_EQ(h.originY, 0.2);
    EXPECT_DOUBLE_EQ(h.areaWidth, 8.5);
    EXPECT_DOUBLE_EQ(h.areaHeight, 11.0);
    EXPECT_EQ(+h.anchorsH, 1);
    EXPECT_EQ(+h.anchorsV, 1);
    EXPECT_EQ(+h.gridH + h.gridV + h.snapH + h.snapV, 0);
    EXPECT_EQ(+h.designType, DesignBrochures);
    EXPECT_EQ(+h.rows, 3);
    EXPECT_EQ(+h.columns, 1);
    EXPECT_EQ(+h.rowFold, 1);
    EXPECT_NEAR(h.pageDims[DimCardHeight], 11.0 / 3.0, 1e-12);
    EXPECT_EQ(+h.modified, 0);
    EXPECT_EQ(+h.x1, 19); // Round(0.2 * 96)
    EXPECT_EQ(+h.width, 816);
    EXPECT_EQ(SplitDimensionTexts(Header(doc.items)->text), s.pageSetups[DesignBrochures].set(UnitInches).texts);
}

TEST(DocumentDefaultsFrom, StoredUnitLightAndDesignTypeReachTheDocument)
{
    MemorySettingsStore store;
    const auto cs = settings_keys::kCustomSettings;
    store.put(cs, "units", {SettingsStore::Type::Integer, UnitMillimeters, {}});
    store.put(cs, "lgtdir", {SettingsStore::Type::Integer, 2, {}});
    store.put(cs, "grid", {SettingsStore::Type::Integer, 0b100001, {}});
    store.put(cs, "pspage", {SettingsStore::Type::Integer, DesignGreetingCards, {}});
    Settings s;
    InitSettings(s, store, ScreenMetrics{});
    Document doc;
    const HeaderFields& h = initialised(doc, s);
    EXPECT_EQ(+h.units, UnitMillimeters);
    EXPECT_EQ(+h.lightDirection, 2);
    EXPECT_EQ(+h.gridH, 1);
    EXPECT_EQ(+h.snapV, 1);
    EXPECT_DOUBLE_EQ(h.gridSpacingX, 10.0);
    EXPECT_EQ(+h.designType, DesignGreetingCards);
    // One card of 105 x 148 mm, doubled along the column fold.
    EXPECT_DOUBLE_EQ(h.areaWidth, 210.0);
    EXPECT_DOUBLE_EQ(h.areaHeight, 148.0);

    // Digital images are set up in pixels whatever the default unit; the grid
    // follows the page setup's unit.
    s.pspage = DesignDigitalImages;
    Document web;
    const HeaderFields& w = initialised(web, s);
    EXPECT_EQ(+w.units, UnitPixels);
    EXPECT_DOUBLE_EQ(w.areaWidth, 350.0);
    EXPECT_DOUBLE_EQ(w.gridSpacingX, 25.0);
    EXPECT_EQ(+w.orientation, Landscape);
}

} // namespace
} // namespace vlm

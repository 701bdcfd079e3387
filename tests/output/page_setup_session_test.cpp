#include "output/page_setup_session.h"

#include "model/document.h"
#include "model/item.h"
#include "output/quick_select_catalogue.h"
#include "texts/page_setup_texts.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

struct SessionTest : ::testing::Test
{
    Settings settings{ScreenMetrics::fromDpi(96, 96)};
    Document doc;

    void SetUp() override { InitDocument(doc, DocumentDefaults{}, OpenDocumentList{}); }
    Item& header() { return *doc.items.header(); }
    const miry_t& set(const PageSetupSession& s) { return *s.currentSet(); }
};

TEST_F(SessionTest, NewFilesOpenOnBrochuresFromTheSettingsCopy)
{
    settings.pageSetups[DesignBrochures].units = UnitMillimeters;
    PageSetupSession s(settings.pageSetups);
    EXPECT_EQ(s.stage(), PageSetupSession::Stage::Dimensions);
    EXPECT_EQ(s.designType(), DesignBrochures);
    EXPECT_EQ(s.units(), UnitMillimeters);
    EXPECT_EQ(set(s).texts[TextCardHeight], u"99");
    EXPECT_EQ(s.quickSelectIndex(), 1);
}

TEST_F(SessionTest, ADocumentOpensOnItsOwnTypeWithTheTextsOfItsHeader)
{
    PageSetupSession chosen(settings.pageSetups);
    chosen.chooseDesignType(DesignBusinessCards);
    chosen.setUnits(UnitMillimeters);
    chosen.chooseQuickSelect(6);
    chosen.setText(TextMarginTop, u"26");
    ASSERT_TRUE(chosen.applyTo(header(), PageSetupEnvironmentOf(settings)));

    PageSetupSession s(settings.pageSetups, header());
    EXPECT_EQ(s.stage(), PageSetupSession::Stage::Dimensions);
    EXPECT_EQ(s.designType(), DesignBusinessCards);
    EXPECT_EQ(s.units(), UnitMillimeters);
    EXPECT_EQ(set(s).texts[TextCardWidth], u"85");
    EXPECT_EQ(set(s).texts[TextMarginTop], u"26");
    EXPECT_EQ(s.quickSelectIndex(), -1);
    // Only the header's own type and unit were taken over.
    EXPECT_EQ(s.working()[DesignBusinessCards].set(UnitInches).texts,
              settings.pageSetups[DesignBusinessCards].set(UnitInches).texts);
    EXPECT_EQ(s.working()[DesignLabels].set(UnitMillimeters).texts,
              settings.pageSetups[DesignLabels].set(UnitMillimeters).texts);
}

TEST_F(SessionTest, ADamagedOrientationOrFoldByteOpensAsOneOfTheTwo)
{
    header().rec.h.designType = DesignGreetingCards;
    header().rec.h.units = UnitMillimeters;
    header().rec.h.orientation = 7;
    header().rec.h.rowFold = 9;
    header().rec.h.columnFold = 0;
    PageSetupSession s(settings.pageSetups, header());
    EXPECT_EQ(s.pageset().orientation, Portrait);
    EXPECT_EQ(set(s).rowFold, 1);
    EXPECT_EQ(set(s).columnFold, 0);
    // Turning it to landscape transposes once, as from portrait.
    s.setText(TextMarginLeft, u"1");
    s.setOrientation(Landscape);
    EXPECT_EQ(set(s).texts[TextMarginTop], u"1");
    EXPECT_EQ(set(s).columnFold, 1);
}

TEST_F(SessionTest, AHeaderOfNoKnownTypeOpensOnTheDesignTypeMenu)
{
    for (std::int32_t bad : {0, -4, 12}) {
        header().rec.h.designType = bad;
        PageSetupSession s(settings.pageSetups, header());
        EXPECT_EQ(s.stage(), PageSetupSession::Stage::DesignTypeMenu) << bad;
        EXPECT_FALSE(s.typeChosen());
        // Apply before a type was chosen leaves the document alone.
        const HeaderFields before = header().rec.h;
        EXPECT_FALSE(s.applyTo(header(), PageSetupEnvironmentOf(settings)));
        EXPECT_EQ(+header().rec.h.designType, +before.designType);
        EXPECT_EQ(+header().rec.h.modified, +before.modified);
        s.chooseDesignType(DesignLabels);
        EXPECT_EQ(s.stage(), PageSetupSession::Stage::Dimensions);
        EXPECT_EQ(s.designType(), DesignLabels);
    }
}

TEST_F(SessionTest, EachUnitKeepsItsOwnTexts)
{
    PageSetupSession s(settings.pageSetups);
    s.chooseDesignType(DesignIllustrations);
    s.setUnits(UnitMillimeters);
    s.setText(TextPaperWidth, u"300");
    s.setUnits(UnitInches);
    EXPECT_EQ(set(s).texts[TextPaperWidth], u"8 1/2");
    s.setText(TextPaperWidth, u"9");
    s.setUnits(UnitMillimeters);
    EXPECT_EQ(set(s).texts[TextPaperWidth], u"300");
    s.setUnits(UnitInches);
    EXPECT_EQ(set(s).texts[TextPaperWidth], u"9");
    s.setUnits(7);
    EXPECT_EQ(s.units(), UnitInches);
}

TEST_F(SessionTest, LandscapeTransposesOnlyTheCurrentUnitsSet)
{
    PageSetupSession s(settings.pageSetups);
    s.chooseDesignType(DesignBusinessCards);
    s.setUnits(UnitMillimeters);
    ASSERT_EQ(set(s).texts[TextMarginLeft], u"31");
    const DimensionTexts inches = s.working()[DesignBusinessCards].set(UnitInches).texts;
    s.setOrientation(Landscape);
    EXPECT_EQ(set(s).texts[TextMarginLeft], u"18");
    EXPECT_EQ(set(s).texts[TextMarginTop], u"31");
    EXPECT_EQ(set(s).texts[TextPaperWidth], u"297");
    EXPECT_EQ(set(s).texts[TextRows], u"2");
    EXPECT_EQ(set(s).texts[TextColumns], u"5");
    EXPECT_EQ(s.working()[DesignBusinessCards].set(UnitInches).texts, inches);
    EXPECT_EQ(s.quickSelectIndex(), 4) << "10 vertical cards";
    // Choosing the orientation it already has changes nothing.
    s.setOrientation(Landscape);
    EXPECT_EQ(set(s).texts[TextMarginLeft], u"18");
    s.setOrientation(Portrait);
    EXPECT_EQ(set(s).texts[TextMarginLeft], u"31");
    EXPECT_EQ(s.quickSelectIndex(), 1);
}

TEST_F(SessionTest, EditsKeepTheListSelectionTrue)
{
    PageSetupSession s(settings.pageSetups);
    s.chooseDesignType(DesignBusinessCards);
    s.setUnits(UnitMillimeters);
    s.chooseQuickSelect(0);
    ASSERT_EQ(s.quickSelectIndex(), 0);
    s.setText(TextMarginLeft, u"27");
    EXPECT_EQ(s.quickSelectIndex(), -1);
    s.setText(TextMarginLeft, u"26");
    EXPECT_EQ(s.quickSelectIndex(), 0);
    s.setFold(DimensionCell::Kind::ColumnFold, true);
    EXPECT_EQ(s.quickSelectIndex(), -1);
    s.setFold(DimensionCell::Kind::ColumnFold, false);
    EXPECT_EQ(s.quickSelectIndex(), 0);
    // Choosing a row takes its index without matching: the two Greeting
    // Cards rows with one text stay apart.
    s.chooseDesignType(DesignGreetingCards);
    s.chooseQuickSelect(2);
    EXPECT_EQ(s.quickSelectIndex(), 2);
    EXPECT_EQ(set(s).rowFold, 1);
}

TEST_F(SessionTest, ApplyWritesTheDocumentAndKeepsAFieldWhoseTextFails)
{
    const double width = header().rec.h.pageDims[DimPaperWidth];
    PageSetupSession s(settings.pageSetups, header());
    s.chooseDesignType(DesignBusinessCards);
    s.setUnits(UnitMillimeters);
    s.chooseQuickSelect(7);
    s.setText(TextPaperWidth, u"wide");
    ASSERT_TRUE(s.applyTo(header(), PageSetupEnvironmentOf(settings)));
    const HeaderFields& h = header().rec.h;
    EXPECT_EQ(+h.designType, DesignBusinessCards);
    EXPECT_EQ(+h.units, UnitMillimeters);
    EXPECT_EQ(+h.pageDims[DimPaperWidth], width);
    EXPECT_EQ(+h.pageDims[DimCardWidth], 85.0);
    EXPECT_EQ(+h.rows, 5);
    EXPECT_EQ(+h.columns, 2);
    EXPECT_EQ(+h.areaWidth, 85.0);
    EXPECT_EQ(+h.areaHeight, 54.0);
    EXPECT_NE(+h.modified, 0);
}

TEST_F(SessionTest, ApplyForNewFilesStoresEveryTypeAndTheDefaultPaperOnlyWhenItParses)
{
    PageSetupSession s(settings.pageSetups);
    s.chooseDesignType(DesignLabels);
    s.setUnits(UnitMillimeters);
    s.chooseQuickSelect(3);
    s.applyTo(settings);
    EXPECT_EQ(settings.pspage, DesignLabels);
    EXPECT_EQ(settings.pageSetups[DesignLabels].set(UnitMillimeters).texts[TextCardWidth], u"50");
    EXPECT_EQ(settings.defaults.unit, UnitMillimeters);

    PageSetupSession again(settings.pageSetups);
    again.chooseDesignType(DesignIllustrations);
    again.setUnits(UnitInches);
    again.setText(TextPaperHeight, u"tall");
    again.applyTo(settings);
    EXPECT_EQ(settings.pspage, DesignIllustrations);
    EXPECT_EQ(settings.pageSetups[DesignIllustrations].set(UnitInches).texts[TextPaperHeight], u"tall");
    EXPECT_EQ(settings.defaults.unit, UnitMillimeters) << "the paper did not parse";
}

TEST(DimensionLayout, EachTypeAndUnitShowsItsOwnFields)
{
    using K = DimensionCell::Kind;
    const auto texts = [](std::int32_t t, std::int32_t u) {
        std::vector<std::u16string> labels;
        for (const auto& [l, r] : DimensionLayoutFor(t, u))
            for (const DimensionCell& c : {l, r})
                labels.push_back(c.label);
        return labels;
    };
    using V = std::vector<std::u16string>;
    EXPECT_EQ(texts(DesignLabels, UnitPixels), (V{u"Image width", u"Image height"}));
    EXPECT_EQ(texts(DesignIllustrations, UnitInches), (V{u"Paper width", u"Paper height", u"Left margin",
                                                         u"Top margin", u"Right margin", u"Bottom margin"}));
    EXPECT_EQ(
        texts(DesignLabels, UnitMillimeters),
        (V{u"Paper width", u"Paper height", u"Label width", u"Label height", u"Left margin", u"Top margin",
           u"Columns", u"Rows", u"Column gap", u"Row gap", u"Column fold", u"Row fold"}));
    EXPECT_EQ(texts(DesignTentCards, UnitInches)[2], u"Card width");
    EXPECT_EQ(texts(DesignBrochures, UnitMillimeters),
              (V{u"Paper width", u"Paper height", u"Brochure width", u"Brochure height", u"Left margin",
                 u"Top margin", u"Right margin", u"Bottom margin", u"Columns", u"Rows", u"Column fold",
                 u"Row fold"}));
    EXPECT_EQ(
        texts(DesignDigitalImages, UnitMillimeters),
        (V{u"Paper width", u"Paper height", u"Left margin", u"Top margin", u"Right margin", u"Bottom margin",
           u"Columns", u"Rows", u"Column gap", u"Row gap", u"Column fold", u"Row fold"}));
    EXPECT_TRUE(DimensionLayoutFor(DesignLabels, 0).empty());
    // The fold cells are boxes, everything else a field of its text.
    const auto cards = DimensionLayoutFor(DesignPostcards, UnitMillimeters);
    EXPECT_EQ(cards.back().first.kind, K::ColumnFold);
    EXPECT_EQ(cards.back().second.kind, K::RowFold);
    EXPECT_EQ(cards[3].first.text, TextColumns);
    EXPECT_EQ(cards[3].second.text, TextRows);
}

} // namespace
} // namespace vlm

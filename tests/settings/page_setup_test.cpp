#include "model/page_setup.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vlm {
namespace {

TEST(ParseDimension, AcceptsTheFormsEachUnitKnows)
{
    struct Case {
        const char16_t* text;
        std::int32_t unit;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u"8 1/2", UnitInches, 8.5},
        {u"8-1/2", UnitInches, 8.5},
        {u"8.5", UnitInches, 8.5},
        {u"8,5", UnitInches, 8.5},
        {u"8 1/2\"", UnitInches, 8.5},
        {u"  8 1/2 \" ", UnitInches, 8.5},
        {u"-1 1/4", UnitInches, -1.25},
        {u"3/4", UnitInches, 0.75},
        {u"12", UnitInches, 12.0},
        {u"\"", UnitInches, std::nullopt},
        {u"1/0", UnitInches, std::nullopt},
        {u"0/4", UnitInches, std::nullopt},
        {u"8 1/2 x", UnitInches, std::nullopt},
        {u"a 1/2", UnitInches, std::nullopt},
        {u"8 1/2", UnitMillimeters, std::nullopt},
        {u"8 1/2", UnitPixels, std::nullopt},
        {u"210", UnitMillimeters, 210.0},
        {u"1e2", UnitMillimeters, 100.0},
        {u"", UnitMillimeters, 0.0},
        {u"   ", UnitInches, 0.0},
        {u"12\"", UnitMillimeters, std::nullopt},
        {u"1.2.3", UnitPixels, std::nullopt},
        {u"nan", UnitPixels, std::nullopt},
        {u"inf", UnitInches, std::nullopt},
        {u"1e400", UnitPixels, std::nullopt},
        // Beyond any paper a screen or printer can hold.
        {u"2000000", UnitPixels, std::nullopt},
        {u"99999999999 1/2", UnitInches, std::nullopt},
        {u"8", 4, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)) + " in unit " +
                     std::to_string(c.unit));
        const auto v = parseDimension(c.text, c.unit);
        ASSERT_EQ(v.has_value(), c.expected.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.expected);
        }
    }
    EXPECT_NEAR(*parseDimension(u"3 2/3", UnitInches), 3.0 + 2.0 / 3.0, 1e-12);
}

TEST(DimensionTexts, SplitGivesBackWhatJoinStored)
{
    DimensionTexts texts;
    for (int i = 0; i < kDimensionTextCount; ++i)
        texts[static_cast<std::size_t>(i)] = i % 3 ? std::u16string(u"t") + char16_t(u'a' + i) : u"";
    const std::u16string joined = JoinDimensionTexts(texts);
    EXPECT_EQ(std::count(joined.begin(), joined.end(), kPageFieldSeparator), kDimensionTextCount);
    EXPECT_EQ(SplitDimensionTexts(joined), texts);

    // A short or overlong header text from a file: missing parts are empty,
    // surplus parts are ignored.
    const DimensionTexts two = SplitDimensionTexts(u"8.5\u07EC11");
    EXPECT_EQ(two[TextPaperWidth], u"8.5");
    EXPECT_EQ(two[TextPaperHeight], u"11");
    EXPECT_EQ(two[TextCardWidth], u"");
    std::u16string many;
    for (int i = 0; i < 20; ++i)
        many += u"x\u07EC";
    EXPECT_EQ(SplitDimensionTexts(many)[TextReserved2], u"x");
}

class ApplyPageSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&h, 0, sizeof h);
        h.kind = KindDocumentHeader;
        h.units = UnitInches;
        h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0;
        h.originX = 0.2;
        h.originY = 0.3;
        h.pageDims[DimPaperWidth] = 8.5;
        h.pageDims[DimPaperHeight] = 11;
    }

    static pageset_t mmSet(std::initializer_list<std::pair<DimensionText, const char16_t*>> texts, bool rowFold,
                           bool columnFold)
    {
        pageset_t ps;
        ps.units = UnitMillimeters;
        ps.orientation = Landscape;
        miry_t& set = ps.set(UnitMillimeters);
        set.quickSelect = 3;
        for (const auto& [which, t] : texts)
            set.texts[which] = t;
        set.rowFold = rowFold;
        set.columnFold = columnFold;
        return ps;
    }

    HeaderFields h;
    std::u16string text;
    PageSetupEnvironment env;
};

TEST_F(ApplyPageSetupTest, CardTypesDoubleTheCardAlongEachFold)
{
    struct Case {
        bool rowFold, columnFold;
        double width, height;
    };
    const Case cases[] = {{false, false, 105, 148}, {false, true, 210, 148}, {true, false, 105, 296},
                          {true, true, 210, 296}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rowFold) + std::to_string(c.columnFold));
        SetUp();
        const pageset_t ps = mmSet({{TextPaperWidth, u"210"}, {TextPaperHeight, u"297"}, {TextCardWidth, u"105"},
                                    {TextCardHeight, u"148"}, {TextRows, u"2"}, {TextColumns, u"2"}},
                                   c.rowFold, c.columnFold);
        ASSERT_TRUE(applyPageSetup(h, text, ps, DesignGreetingCards, env, true));
        EXPECT_DOUBLE_EQ(h.areaWidth, c.width);
        EXPECT_DOUBLE_EQ(h.areaHeight, c.height);
        EXPECT_EQ(+h.rowFold, c.rowFold);
        EXPECT_EQ(+h.columnFold, c.columnFold);
    }
    // A stored negative card type is laid out like its positive one; a sheet
    // type takes the paper whatever the folds say.
    SetUp();
    const pageset_t folded = mmSet({{TextPaperWidth, u"210"}, {TextPaperHeight, u"297"}, {TextCardWidth, u"105"},
                                    {TextCardHeight, u"148"}},
                                   true, true);
    applyPageSetup(h, text, folded, -DesignGreetingCards, env, true);
    EXPECT_DOUBLE_EQ(h.areaWidth, 210);
    EXPECT_DOUBLE_EQ(h.areaHeight, 296);
    EXPECT_EQ(+h.designType, -DesignGreetingCards);
    applyPageSetup(h, text, folded, DesignBrochures, env, true);
    EXPECT_DOUBLE_EQ(h.areaWidth, 210);
    EXPECT_DOUBLE_EQ(h.areaHeight, 297);
}

TEST_F(ApplyPageSetupTest, WritesUnitScaleGridAndTextsAndKeepsFieldsWhoseTextFails)
{
    h.rows = 7;
    h.pageDims[DimMarginLeft] = 0.5;
    const pageset_t ps = mmSet({{TextPaperWidth, u"not a number"}, {TextPaperHeight, u"297"},
                                {TextCardWidth, u"74"}, {TextCardHeight, u"52"}, {TextMarginLeft, u"x"},
                                {TextMarginTop, u"18,5"}, {TextRows, u"five"}, {TextColumns, u" 2 "}},
                               false, false);
    ASSERT_TRUE(applyPageSetup(h, text, ps, DesignIllustrations, env, true));

    EXPECT_EQ(+h.units, UnitMillimeters);
    EXPECT_DOUBLE_EQ(h.pixelsPerUnitX, 96.0 / 25.4);
    EXPECT_EQ(+h.designType, DesignIllustrations);
    EXPECT_EQ(+h.orientation, Landscape);
    EXPECT_EQ(+h.quickSelect, 3);
    EXPECT_DOUBLE_EQ(h.pageDims[DimPaperWidth], 8.5); // kept: its text failed
    EXPECT_DOUBLE_EQ(h.pageDims[DimPaperHeight], 297);
    EXPECT_DOUBLE_EQ(h.pageDims[DimMarginLeft], 0.5);
    EXPECT_DOUBLE_EQ(h.pageDims[DimMarginTop], 18.5);
    EXPECT_DOUBLE_EQ(h.pageDims[DimMarginRight], 0.0); // empty text is 0
    EXPECT_EQ(+h.rows, 7);
    EXPECT_EQ(+h.columns, 2);
    EXPECT_DOUBLE_EQ(h.areaWidth, 8.5);
    EXPECT_DOUBLE_EQ(h.areaHeight, 297);
    // The origin stays where it was on screen: 0.2 inch = 5.08 mm.
    EXPECT_NEAR(h.originX, 5.08, 1e-9);
    EXPECT_NEAR(h.originY, 7.62, 1e-9);
    EXPECT_DOUBLE_EQ(h.gridSpacingX, 10.0);
    EXPECT_EQ(+h.modified, 0);
    EXPECT_EQ(SplitDimensionTexts(text), ps.set(UnitMillimeters).texts);

    applyPageSetup(h, text, ps, DesignIllustrations, env, false);
    EXPECT_EQ(+h.modified, 1);
}

TEST_F(ApplyPageSetupTest, DoesNothingForAUnitOutsideTheThree)
{
    pageset_t ps = mmSet({{TextPaperWidth, u"100"}}, false, false);
    ps.units = 0;
    const HeaderFields before = h;
    text = u"old";
    EXPECT_FALSE(applyPageSetup(h, text, ps, DesignPostcards, env, false));
    EXPECT_EQ(std::memcmp(&before, &h, sizeof h), 0);
    EXPECT_EQ(text, u"old");
}

TEST(InitialPageSetups, EveryTypeParsesInItsOwnUnits)
{
    const pagesetArr_t arr = InitialPageSetups(UnitInches);
    EXPECT_EQ(arr[DesignDigitalImages].units, UnitPixels);
    EXPECT_EQ(arr[DesignDigitalImages].orientation, Landscape);
    for (std::int32_t t = 1; t <= kDesignTypeCount; ++t) {
        if (t != DesignDigitalImages) {
            EXPECT_EQ(arr[t].units, UnitInches) << t;
        }
        // Every text a fresh program offers must be a number in its unit.
        for (std::int32_t u = UnitPixels; u <= UnitInches; ++u)
            for (const auto& text : arr[t].set(u).texts)
                EXPECT_TRUE(parseDimension(text, u).has_value()) << "type " << t << " unit " << u;
    }
    // Rows of brochures and labels fill the letter sheet exactly.
    const miry_t& brochure = arr[DesignBrochures].set(UnitInches);
    EXPECT_NEAR(*parseDimension(brochure.texts[TextCardHeight], UnitInches) * 3, 11.0, 1e-12);
    EXPECT_EQ(brochure.rowFold, 1);
    EXPECT_EQ(arr[DesignLabels].set(UnitInches).quickSelect, 6);
    EXPECT_EQ(arr[DesignIllustrations].set(UnitMillimeters).quickSelect, 4);
}

TEST(ParseWholeNumber, TakesOnlyPlainIntegersThatFit)
{
    EXPECT_EQ(ParseWholeNumber(u" -14 "), -14);
    EXPECT_EQ(ParseWholeNumber(u"+3"), 3);
    EXPECT_EQ(ParseWholeNumber(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber(u"-2147483648"), INT32_MIN);
    for (const char16_t* bad : {u"", u"-", u"12.5", u"2147483648", u"99999999999999999999", u"1 2", u"0x10"})
        EXPECT_FALSE(ParseWholeNumber(bad).has_value());
}

} // namespace
} // namespace vlm

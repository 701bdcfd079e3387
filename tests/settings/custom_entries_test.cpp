#include "platform/memory_settings_store.h"
#include "settings/custom_entries.h"
#include "settings/settings.h"
#include "settings/settings_parse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vlm {
namespace {

constexpr double kPxPerMm = 96.0 / 25.4;

TEST(ParseMeasure, DecimalsQuotientsAndTheInchMark)
{
    struct Case {
        const char16_t* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u"0.5", 0.5},   {u" 0,5 ", 0.5}, {u"0.5\"", 0.5}, {u"1/4", 0.25},  {u" 1 / 4 ", 0.25},
        {u"3/0", 0.0},   {u"0/3", 0.0},   {u"1,5/3", 0.5}, {u"-2", -2.0},   {u"", std::nullopt},
        {u"  ", std::nullopt},            {u"\"", std::nullopt},           {u"1/", std::nullopt},
        {u"/4", std::nullopt},            {u"1/4/2", std::nullopt},        {u"abc", std::nullopt},
        {u"0.5\"\"", std::nullopt},       {u"1e308/1e-308", std::nullopt}, {u"inf", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto v = ParseMeasure(c.text);
        ASSERT_EQ(v.has_value(), c.expected.has_value()) << std::u16string_view(c.text).size();
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.expected);
        }
    }
}

TEST(FormatReal, ReadsBackExactlyWithAPoint)
{
    for (double v : {0.0, 0.25, 1.5, -1.0, 1.0 / 3.0, 12345.678, 1e-7, 3.0e20})
        EXPECT_EQ(ParseReal(FormatReal(v)), v);
    EXPECT_EQ(FormatReal(0.25), u"0.25");
    EXPECT_EQ(FormatReal(11), u"11");
}

TEST(ValidateWeight, ConvertsEachUnitAndRefusesZero)
{
    struct Case {
        const char16_t* text;
        std::int32_t units;
        bool accepted;
        double mm;
        std::int32_t px;
    };
    const Case cases[] = {
        {u"1/4", 3, true, 6.35, 24},
        {u"0.5", 3, true, 12.7, 48},
        {u"-2", 2, true, 2.0, 8},
        {u"3", 1, true, 3 / kPxPerMm, 3},
        {u"0.4", 1, true, 0.0, 0}, // below half a pixel: accepted, but nothing
        {u"3/0", 3, false, 0, 0},
        {u"0", 2, false, 0, 0},
        {u"", 2, false, 0, 0},
        {u"thin", 2, false, 0, 0},
        {u"1e7", 2, false, 0, 0}, // no pen is ten kilometres wide
    };
    for (const Case& c : cases) {
        custThicknessRec_t e;
        e.valueText = c.text;
        e.units = c.units;
        ASSERT_EQ(ValidateWeight(e, kPxPerMm), c.accepted) << c.units;
        if (c.accepted) {
            EXPECT_NEAR(e.millimetres, c.mm, 1e-9);
            EXPECT_EQ(e.pixels, c.px);
        }
    }
}

TEST(ValidatePattern, NeedsADashAndASpaceAndCountsTheLeadingLengths)
{
    struct Case {
        std::vector<const char16_t*> lengths;
        bool accepted;
        std::int32_t count;
    };
    const Case cases[] = {
        {{u"2", u"1", u"", u"3"}, true, 2},
        {{u"2", u"1", u"3", u"1"}, true, 4},
        {{u"2", u"1", u"x", u"3"}, true, 2},
        {{u"2", u"1", u"0", u"3"}, true, 2},
        {{u"0", u"1"}, false, 0},
        {{u"2"}, false, 1},
        {{u"2", u""}, false, 1},
        {{u"", u"1"}, false, 0},
    };
    for (const Case& c : cases) {
        custPatternRec_t e;
        e.units = 2;
        for (std::size_t j = 0; j < c.lengths.size(); ++j)
            e.valueTexts[j] = c.lengths[j];
        e.millimetres.fill(99); // stale values from an earlier validation
        EXPECT_EQ(ValidatePattern(e, kPxPerMm), c.accepted) << c.lengths.size();
        EXPECT_EQ(e.count, c.count);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(e.millimetres[0], 2.0);
            EXPECT_DOUBLE_EQ(e.millimetres[1], 1.0);
            EXPECT_EQ(e.pixels[0], 8);
        }
        EXPECT_NE(e.millimetres[11], 99);
    }
}

TEST(ValidateAngle, BringsEveryAngleIntoOneTurn)
{
    struct Case {
        const char16_t* text;
        std::int32_t units;
        std::optional<double> degrees;
    };
    const Case cases[] = {
        {u"-90", 1, 270.0},       {u"450", 1, 90.0},  {u"360", 1, 360.0}, {u"720", 1, 360.0},
        {u"-360", 1, 0.0},        {u"0", 1, 0.0},     {u"3.14159", 2, 179.9998479605},
        {u"1e20", 1, std::fmod(1e20, 360.0)},       {u"", 1, std::nullopt}, {u"north", 1, std::nullopt},
    };
    for (const Case& c : cases) {
        custDirectionRec_t e;
        e.valueText = c.text;
        e.units = c.units;
        ASSERT_EQ(ValidateAngle(e), c.degrees.has_value());
        if (c.degrees) {
            EXPECT_NEAR(e.value, *c.degrees, 1e-9);
            EXPECT_FALSE(std::signbit(e.value));
        }
    }
}

TEST(ValidateFontSize, TakesWholeNumbersOnly)
{
    struct Case {
        const char16_t* text;
        std::optional<double> points;
    };
    const Case cases[] = {{u"12", 12.0},          {u" -14 ", 14.0},           {u"+9", 9.0},
                          {u"12.5", std::nullopt}, {u"", std::nullopt},        {u"12pt", std::nullopt},
                          {u"0", std::nullopt},    {u"-2147483648", std::nullopt}};
    for (const Case& c : cases) {
        custDirectionRec_t e;
        e.valueText = c.text;
        ASSERT_EQ(ValidateFontSize(e), c.points.has_value());
        if (c.points) {
            EXPECT_EQ(e.value, *c.points);
        }
    }
}

TEST(AddRecentColor, NewestFirstNoDuplicatesNoFillCodes)
{
    Settings s;
    for (std::int32_t c = 1; c <= 13; ++c)
        AddRecentColor(s, c);
    EXPECT_EQ(s.recentColors.front(), 13);
    EXPECT_EQ(s.recentColors.back(), 2); // the oldest dropped out
    const auto before = s.recentColors;
    for (std::int32_t ignored : {5, -1, -2, kMaxRecentColor + 1})
        AddRecentColor(s, ignored);
    EXPECT_EQ(s.recentColors, before);
    AddRecentColor(s, kMaxRecentColor);
    EXPECT_EQ(s.recentColors.front(), kMaxRecentColor);
}

} // namespace
} // namespace vlm

#include "settings/custom_edits.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

custThicknessRec_t& Weight(WeightCopy& c, int k)
{
    return c.entries[static_cast<std::size_t>(k - 1)];
}

TEST(SaveWeights, TrimsReadsTheInchMarkAndFlagsOnlyTheOpenValidEntry)
{
    Settings s;
    WeightCopy c = CopyWeights(s);
    Weight(c, 1) = {};
    Weight(c, 1).name = u"  Half inch ";
    Weight(c, 1).valueText = u" 0.5\" ";
    Weight(c, 1).units = 2; // Millimeters chosen, but the mark says inches
    Weight(c, 2).name = u"Quarter";
    Weight(c, 2).valueText = u"1/4";
    Weight(c, 2).units = 3;
    Weight(c, 4).name = u"Gone";
    Weight(c, 4).valueText = u"3/0"; // zero: removed from the lists
    Weight(c, 4).inUse = 1;
    c.open = 1;
    SaveWeights(s, c);

    const custThicknessRec_t& half = s.customWidths[0];
    EXPECT_EQ(half.name, u"Half inch");
    EXPECT_EQ(half.valueText, u"0.5");
    EXPECT_EQ(half.units, 3);
    EXPECT_NEAR(half.millimetres, 12.7, 1e-9);
    EXPECT_EQ(half.inUse, 1);
    EXPECT_EQ(half.selectOnRefill, 1);

    EXPECT_NEAR(s.customWidths[1].millimetres, 6.35, 1e-9);
    EXPECT_EQ(s.customWidths[1].inUse, 1);
    EXPECT_EQ(s.customWidths[1].selectOnRefill, 0); // not the open entry

    // A rejected entry keeps what was typed, so the dialog shows it again.
    EXPECT_EQ(s.customWidths[3].inUse, 0);
    EXPECT_EQ(s.customWidths[3].name, u"Gone");
    EXPECT_EQ(s.customWidths[3].valueText, u"3/0");
    // Untouched default entries ("0") stay out of the lists.
    EXPECT_EQ(s.customWidths[2].inUse, 0);
}

TEST(SaveWeights, AnOpenEntryThatIsRejectedIsNotFlagged)
{
    Settings s;
    WeightCopy c = CopyWeights(s);
    Weight(c, 5).valueText = u"0";
    Weight(c, 5).selectOnRefill = 1;
    c.open = 5;
    SaveWeights(s, c);
    EXPECT_EQ(s.customWidths[4].inUse, 0);
    EXPECT_EQ(s.customWidths[4].selectOnRefill, 0);
}

TEST(SavePatterns, NeedsADashAndASpace)
{
    Settings s;
    PatternCopy c = CopyPatterns(s);
    auto set = [&c](int k, std::initializer_list<const char16_t*> lengths) {
        custPatternRec_t& e = c.entries[static_cast<std::size_t>(k - 1)];
        e.units = 2;
        int j = 0;
        for (const char16_t* t : lengths)
            e.valueTexts[static_cast<std::size_t>(j++)] = t;
    };
    set(1, {u"0", u"1"});            // first dash zero
    set(2, {u"2"});                  // no space
    set(3, {u"2", u"1", u"", u"3"}); // a gap ends the count
    set(4, {u" 1/8\"", u"1/16\""});  // inch marks
    c.open = 3;
    SavePatterns(s, c);
    EXPECT_EQ(s.customPatterns[0].inUse, 0);
    EXPECT_EQ(s.customPatterns[1].inUse, 0);
    EXPECT_EQ(s.customPatterns[2].inUse, 1);
    EXPECT_EQ(s.customPatterns[2].count, 2);
    EXPECT_EQ(s.customPatterns[2].selectOnRefill, 1);
    EXPECT_DOUBLE_EQ(s.customPatterns[2].millimetres[0], 2.0);
    EXPECT_DOUBLE_EQ(s.customPatterns[2].millimetres[1], 1.0);
    EXPECT_DOUBLE_EQ(s.customPatterns[2].millimetres[3], 3.0);

    const custPatternRec_t& inch = s.customPatterns[3];
    EXPECT_EQ(inch.units, 3);
    EXPECT_EQ(inch.valueTexts[0], u"1/8");
    EXPECT_NEAR(inch.millimetres[0], 3.175, 1e-9);
    EXPECT_NEAR(inch.millimetres[1], 1.5875, 1e-9);
    EXPECT_EQ(inch.inUse, 1);
}

TEST(SaveDirections, AnglesTurnIntoOneCircleAndSizesMustBeWhole)
{
    Settings s;
    DirectionCopy d = CopyDirections(s, CustomList::Directions);
    const char16_t* angles[] = {u"-90", u"450", u"", u"0", u"3.14159"};
    for (int k = 0; k < 5; ++k)
        d.entries[static_cast<std::size_t>(k)].valueText = angles[k];
    d.entries[4].units = 2;
    d.open = 4;
    SaveDirections(s, CustomList::Directions, d);
    EXPECT_DOUBLE_EQ(s.customDirections[0].value, 270.0);
    EXPECT_DOUBLE_EQ(s.customDirections[1].value, 90.0);
    EXPECT_EQ(s.customDirections[2].inUse, 0); // empty: removed
    EXPECT_EQ(s.customDirections[3].inUse, 1); // 0 degrees is an angle
    EXPECT_EQ(s.customDirections[3].selectOnRefill, 1);
    EXPECT_NEAR(s.customDirections[4].value, 179.9998, 1e-4);
    // Text angles are a list of their own.
    EXPECT_EQ(s.customAngles[0].inUse, 0);

    DirectionCopy z = CopyDirections(s, CustomList::FontSizes);
    z.entries[0].valueText = u"12.5";
    z.entries[1].valueText = u" -14 ";
    SaveDirections(s, CustomList::FontSizes, z);
    EXPECT_EQ(s.customSizes[0].inUse, 0);
    EXPECT_EQ(s.customSizes[1].inUse, 1);
    EXPECT_DOUBLE_EQ(s.customSizes[1].value, 14.0);
    EXPECT_EQ(s.customSizes[1].valueText, u"-14");
}

TEST(ShadowCopy, TheFirstChangeOffersTheShadowAndTheBoxDecidesAfterwards)
{
    Settings s;
    s.lgtdir = 2;
    ShadowCopy c(s);
    EXPECT_EQ(c.lightDirection(), 2);
    EXPECT_EQ(c.open(), 0);
    c.SetName(u"ignored"); // no entry open yet
    EXPECT_EQ(c.entries()[0].name, s.customShadows[0].name);

    c.Open(2);
    EXPECT_EQ(c.entries()[1].current, 1);
    c.SetName(u"  Long  ");
    EXPECT_EQ(c.entries()[1].name, u"Long");
    EXPECT_EQ(c.entries()[1].offered, 1);
    EXPECT_EQ(c.entries()[1].touched, 1);
    c.SetOffered(false); // unchecking afterwards keeps it out
    c.SetValues(120, 40, 90);
    EXPECT_EQ(c.entries()[1].offered, 0);
    EXPECT_EQ(c.entries()[1].elevation, 120);

    // Checking the box of an untouched shadow offers it; unchecking it at
    // once does not offer it.
    c.Open(3);
    EXPECT_EQ(c.entries()[1].current, 0);
    c.SetOffered(false);
    EXPECT_EQ(c.entries()[2].offered, 0);
    c.Open(4);
    c.SetValues(10, 20, 30);
    EXPECT_EQ(c.entries()[3].offered, 1);

    // Nothing reaches the Settings before Save.
    EXPECT_EQ(s.customShadows[1].name, u"Shadow B");
    c.SetLightDirection(7); // not a direction
    c.SetLightDirection(3);
    c.Save(s);
    EXPECT_EQ(s.lgtdir, 3);
    EXPECT_EQ(s.customShadows[1].name, u"Long");
    EXPECT_EQ(s.customShadows[1].offered, 0);
    EXPECT_EQ(s.customShadows[3].lightness, 30);
    EXPECT_EQ(s.customShadows[3].offered, 1);
}

TEST(ShadowPercentText, RoundsToPercentAndNamesZero)
{
    EXPECT_EQ(ShadowPercentText(85), u"33%");
    EXPECT_EQ(ShadowPercentText(255), u"100%");
    EXPECT_EQ(ShadowPercentText(0), u"None");
    EXPECT_EQ(ShadowPercentText(1), u"None");
    EXPECT_EQ(ShadowPercentText(2), u"1%");
}

} // namespace
} // namespace vlm

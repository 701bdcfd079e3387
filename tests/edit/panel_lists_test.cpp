#include <gtest/gtest.h>

#include "edit/panel_lists.h"

namespace vlm {
namespace {

using EntryRole = ListEntry::Role;

TEST(PanelLists, WeightsMatchWithinATenThousandthAndTheFirstMatchWins)
{
    Settings s;
    auto& e3 = s.customWidths[2];
    e3.inUse = 1;
    e3.millimetres = 0.50004; // the same as "Medium" within the tolerance
    e3.name = u"Mine";
    auto& e5 = s.customWidths[4];
    e5.inUse = 1;
    e5.millimetres = 0.8;
    const FilledList l = FillList(ListKind::LineWeights, s);
    ASSERT_EQ(l.entries.size(), 9u);
    EXPECT_EQ(l.customizeAt, 6);
    EXPECT_EQ(l.entries[7].name, u"Mine");
    EXPECT_EQ(EntryAt(l, 7), 3);
    EXPECT_EQ(EntryAt(l, 8), 5);
    EXPECT_EQ(EntryAt(l, 6), 0);
    EXPECT_EQ(SelectValue(l, 0.50009), 1);
    EXPECT_EQ(SelectValue(l, 0.8), 8);
    EXPECT_EQ(SelectValue(l, 0.8002), -1);
    EXPECT_EQ(SelectValue(l, -1.0), -1); // a mixed weight shows nothing
}

TEST(PanelLists, ColourSwatchesFollowCustomizeAndTheLastMatchOfAGroupCounts)
{
    Settings s;
    s.dialogColors.fill(u"");
    s.dialogColors[0] = u"123456";
    s.dialogColors[1] = u"FFFFFFFF"; // not defined
    s.dialogColors[2] = u"123456";
    s.recentColors.fill(kNoColor);
    s.recentColors[0] = 0x123456;
    s.recentColors[3] = 0x0000FF; // also one of the sixteen
    const FilledList l = FillList(ListKind::Colors, s);
    EXPECT_EQ(l.customizeAt, 16);
    ASSERT_EQ(l.entries.size(), 21u);
    EXPECT_EQ(l.entries[17].role, EntryRole::DialogSwatch);
    EXPECT_TRUE(l.entries[17].name.empty());
    EXPECT_EQ(l.entries[19].role, EntryRole::RecentSwatch);
    EXPECT_EQ(SelectValue(l, 0x0000FF), 9);  // "Red" before its swatch
    EXPECT_EQ(SelectValue(l, 0x123456), 18); // the last dialog swatch
    EXPECT_EQ(SelectValue(l, -1), -1);

    const FilledList fills = FillList(ListKind::Fills, s);
    EXPECT_EQ(fills.customizeAt, 18);
    EXPECT_EQ(SelectValue(fills, -2), 0);
    EXPECT_EQ(SelectValue(fills, -1), 1);
    EXPECT_EQ(SelectValue(fills, 0x0000FF), 11);
    EXPECT_EQ(SelectValue(fills, -3), -1);
}

TEST(PanelLists, FillColoursTheListDoesNotOfferFollowTheNewLineColour)
{
    Settings s;
    s.recentColors.fill(kNoColor);
    s.recentColors[0] = 0x102030;
    EXPECT_EQ(FillAfterColorChange(s, -2, 0xFF), -2);
    EXPECT_EQ(FillAfterColorChange(s, -1, 0xFF), -1);
    EXPECT_EQ(FillAfterColorChange(s, 0x00FFFF, 0xFF), 0x00FFFF);
    EXPECT_EQ(FillAfterColorChange(s, 0x102030, 0xFF), 0x102030);
    EXPECT_EQ(FillAfterColorChange(s, 0x010203, 0xFF), 0xFF);
}

TEST(PanelLists, PatternsMapUserPositionsAndASavedEntryIsConsumedOnce)
{
    Settings s;
    for (int k : {2, 5, 9}) {
        s.customPatterns[static_cast<std::size_t>(k - 1)].inUse = 1;
        s.customPatterns[static_cast<std::size_t>(k - 1)].name = u"P";
    }
    s.customPatterns[8].selectOnRefill = 1;
    FilledList l = FillList(ListKind::Patterns, s);
    ASSERT_EQ(l.entries.size(), 9u);
    EXPECT_EQ(l.entries[5].name, u"Customize...");
    ASSERT_TRUE(l.chosen.has_value());
    EXPECT_EQ(*l.chosen, 8);
    EXPECT_EQ(s.linePattern, 8);
    EXPECT_EQ(s.customPatterns[8].selectOnRefill, 0);
    StorePatternChoice(s, l, 8);
    EXPECT_EQ(s.linePatternTab, 9);
    StorePatternChoice(s, l, 2);
    EXPECT_EQ(s.linePattern, 2);
    EXPECT_EQ(s.linePatternTab, 0);
    StorePatternChoice(s, l, 40);
    EXPECT_EQ(s.linePattern, 0);

    l = FillList(ListKind::Patterns, s);
    EXPECT_FALSE(l.chosen.has_value());
}

TEST(PanelLists, SavedWeightsGoOnlyToTheNextItemTargetButAreClearedAlways)
{
    Settings s;
    s.customWidths[2].inUse = 1;
    s.customWidths[2].millimetres = 1.5;
    s.customWidths[2].selectOnRefill = 1;
    FilledList l = FillList(ListKind::LineWeights, s, RefillTarget::None);
    EXPECT_EQ(s.lineWidthTab, 0);
    EXPECT_EQ(s.customWidths[2].selectOnRefill, 0);

    s.customWidths[2].selectOnRefill = 1;
    l = FillList(ListKind::LineWeights, s, RefillTarget::LineWidth);
    EXPECT_EQ(s.lineWidthTab, 7);
    EXPECT_DOUBLE_EQ(s.lineWidth, 1.5);

    s.customAngles[0].inUse = 1;
    s.customAngles[0].value = 45.0;
    s.customAngles[0].selectOnRefill = 1;
    l = FillList(ListKind::TextAngles, s);
    EXPECT_EQ(s.tangle, 450);
    EXPECT_EQ(s.tdir, 45);
    EXPECT_EQ(s.tangletab, 6);
    EXPECT_EQ(SelectValue(l, 90.0), 2);
    EXPECT_EQ(SelectValue(l, -1.0), 0);
}

TEST(PanelLists, FontSizesAndShadows)
{
    Settings s;
    const FilledList sizes = FillList(ListKind::FontSizes, s);
    EXPECT_EQ(sizes.customizeAt, 16);
    EXPECT_EQ(sizes.entries[4].name, u"12");
    EXPECT_EQ(SelectValue(sizes, 12), 4);
    EXPECT_EQ(SelectValue(sizes, 13), -1);

    s.customShadows[1].offered = 1;
    s.customShadows[1].name = u"Mine";
    const FilledList shadows = FillList(ListKind::Shadows, s);
    ASSERT_EQ(shadows.entries.size(), 6u);
    EXPECT_EQ(SelectShadow(shadows, {50, 20, 110}), 2);
    EXPECT_EQ(SelectShadow(shadows, {85, 85, 85}), 5);
    EXPECT_EQ(SelectShadow(shadows, {1, 2, 3}), -1);
}

} // namespace
} // namespace vlm

#include "guidance/next_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vlm {
namespace {

std::vector<std::u16string> RowLabels(int panel, OptionContext context = {})
{
    std::vector<std::u16string> labels;
    for (int code : OfferedOptions(OptionsForPanel(panel, context)))
        labels.push_back(NextStepLabel(code));
    return labels;
}

std::array<std::uint8_t, kHintFlagCount> AllShown()
{
    std::array<std::uint8_t, kHintFlagCount> hints{};
    hints.fill(1);
    return hints;
}

TEST(NextSteps, TheInsertMenuAndThePlacingPagesOfferNothing)
{
    for (int panel : {20, 205, 213, 296, 1061, 1064, 1070, 1073}) {
        EXPECT_TRUE(OptionsForPanel(panel, {true, true}).none()) << panel;
        EXPECT_TRUE(OfferedOptions(OptionsForPanel(panel, {})).empty()) << panel;
    }
}

TEST(NextSteps, TheLinePageOffersItsFourStepsInOrder)
{
    EXPECT_EQ(RowLabels(1024), (std::vector<std::u16string>{u"Insert new item", u"Draw next line",
                                                            u"Fine-tune this line", u"Move this line"}));
    EXPECT_EQ(RowLabels(1035), (std::vector<std::u16string>{u"Insert new item", u"Start new text",
                                                            u"Fine-tune this text", u"Move this text"}));
}

TEST(NextSteps, OnlyTheFourLowestCodesGetARow)
{
    const OptionSet clip = OptionsForPanel(401, {});
    ASSERT_EQ(clip.count(), 4u);
    OptionSet five = clip;
    five.set(NextStep::FineTuneClip);
    EXPECT_EQ(OfferedOptions(five), (std::vector<int>{1, 47, 48, 50}));
    EXPECT_EQ(OptionInRow(five, 4), 50);
    EXPECT_EQ(OptionInRow(five, 5), 0);
    EXPECT_EQ(OptionInRow(five, 0), 0);
}

TEST(NextSteps, ShapeLabelsAreMadeFromTheCircleLabels)
{
    EXPECT_EQ(RowLabels(1051),
              (std::vector<std::u16string>{u"Insert new item", u"Start new ellipse",
                                           u"Fine-tune this ellipse", u"Move this ellipse"}));
    // The moving page offers the first two only.
    EXPECT_EQ(RowLabels(1052), (std::vector<std::u16string>{u"Insert new item", u"Start new ellipse",
                                                            u"Fine-tune this ellipse"}));
    EXPECT_EQ(RowLabels(1071), (std::vector<std::u16string>{u"Insert new item", u"Start new oblong",
                                                            u"Fine-tune this oblong", u"Move this oblong"}));
    EXPECT_EQ(NextStepLabel(48), u"Fine-tune this clip");
    EXPECT_EQ(NextStepLabel(49), u"Move this clip");
    EXPECT_EQ(NextStepLabel(9), u"Fine-tune");
    EXPECT_EQ(NextStepLabel(29), u"Start new pie");
    for (int code = 1; code <= kNextStepCount; ++code) {
        const std::u16string label = NextStepLabel(code);
        EXPECT_FALSE(label.empty()) << code;
        if (code < 17 || code > 19) {
            EXPECT_EQ(label.find(u"circle"), std::u16string::npos) << code;
        }
    }
    EXPECT_TRUE(NextStepLabel(0).empty());
    EXPECT_TRUE(NextStepLabel(54).empty());
}

TEST(NextSteps, SelectionDependentOptionsFollowTheActiveDocument)
{
    EXPECT_EQ(OfferedOptions(OptionsForPanel(98, {false, false})), std::vector<int>{1});
    EXPECT_EQ(OfferedOptions(OptionsForPanel(98, {true, false})), (std::vector<int>{1, 3}));
    EXPECT_EQ(OfferedOptions(OptionsForPanel(300, {true, false})), std::vector<int>{1});
    EXPECT_EQ(OfferedOptions(OptionsForPanel(302, {true, true})), (std::vector<int>{1, 6}));
    EXPECT_EQ(OfferedOptions(OptionsForPanel(59, {})), (std::vector<int>{1, 52, 53}));
    EXPECT_EQ(OfferedOptions(OptionsForPanel(299, {})), (std::vector<int>{1, 23}));
    // Every hint page without a set of its own offers "Insert new item".
    EXPECT_EQ(OfferedOptions(OptionsForPanel(1028, {})), std::vector<int>{1});
    EXPECT_EQ(OfferedOptions(OptionsForPanel(1077, {})), (std::vector<int>{1, 47, 48, 49}));
}

TEST(NextSteps, MoveThisLineSkipsItsPageWhenThatPageIsNotShown)
{
    auto hints = AllShown();
    NextStepAction a = NextStepActionOf(NextStep::MoveLine, true, hints);
    EXPECT_EQ(a.panel, 1025);
    EXPECT_TRUE(a.entersTool) << "the moving page works with the pointer tool";
    hints[2 - 1] = 0;
    EXPECT_EQ(NextStepActionOf(NextStep::MoveLine, true, hints).panel, 99);
    EXPECT_EQ(NextStepActionOf(NextStep::MoveLine, false, hints).panel, 20);
    // Text the same with flag 5.
    hints[5 - 1] = 0;
    EXPECT_EQ(NextStepActionOf(NextStep::MoveText, true, hints).panel, 301);
    EXPECT_EQ(NextStepActionOf(NextStep::MoveText, false, hints).panel, 20);
    // The shapes' moving pages come regardless of their flags.
    hints.fill(0);
    EXPECT_EQ(NextStepActionOf(25, false, hints).panel, 1054);
}

TEST(NextSteps, EachOptionLeadsToItsKindsPanel)
{
    const auto hints = AllShown();
    struct Case
    {
        int code;
        bool selected;
        int panel;
    };
    const Case cases[] = {
        {1, true, 20},    {2, true, 98},    {3, true, 99},   {3, false, 20},  {5, false, 300},
        {6, true, 301},   {6, false, 20},   {8, true, 100},  {9, false, 200}, {10, false, 1044},
        {23, true, 199},  {24, true, 299},  {26, true, 105}, {38, true, 108}, {39, true, 208},
        {40, true, 1066}, {43, true, 1069}, {44, true, 112}, {48, true, 401}, {49, true, 1078},
    };
    for (const Case& c : cases) {
        const NextStepAction a = NextStepActionOf(c.code, c.selected, hints);
        EXPECT_EQ(a.kind, NextStepAction::Kind::ShowPanel) << c.code;
        EXPECT_EQ(a.panel, c.panel) << c.code;
    }
    EXPECT_EQ(NextStepActionOf(47, true, hints).kind, NextStepAction::Kind::Deferred);
    EXPECT_EQ(NextStepActionOf(47, true, hints).panel, 400);
    EXPECT_EQ(NextStepActionOf(50, true, hints).panel, 510);
    EXPECT_EQ(NextStepActionOf(51, true, hints).panel, 503);
    EXPECT_EQ(NextStepActionOf(52, true, hints).kind, NextStepAction::Kind::JoinItems);
    EXPECT_EQ(NextStepActionOf(52, true, hints).panel, 59);
    EXPECT_EQ(NextStepActionOf(53, true, hints).kind, NextStepAction::Kind::SplitGroup);
    EXPECT_EQ(NextStepActionOf(53, true, hints).panel, 20);
    EXPECT_EQ(NextStepActionOf(0, true, hints).panel, 0);
}

TEST(NextSteps, OnlyTheStepsOnTheLastItemSelectItFirst)
{
    for (int code : {3, 4, 9, 10, 45, 46, 48, 49})
        EXPECT_TRUE(SelectsLastFirst(code)) << code;
    for (int code : {1, 2, 5, 6, 7, 8, 44, 47, 50, 51, 52, 53})
        EXPECT_FALSE(SelectsLastFirst(code)) << code;
}

} // namespace
} // namespace vlm

#include "guidance/hint_pages.h"

#include "platform/memory_settings_store.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vlm {
namespace {

std::string U8(std::u16string_view s)
{
    std::string out;
    for (char16_t c : s)
        out += static_cast<char>(c); // the hint texts are plain ASCII
    return out;
}

std::vector<std::string> Marked(const HintParagraph& p, bool acting)
{
    std::vector<std::string> out;
    for (const KeyRun& r : KeyRunsOf(p))
        if (r.acting == acting)
            out.push_back(U8(std::u16string_view(p.text).substr(r.start, r.length)));
    return out;
}

TEST(HintPages, StarPageFillsEveryTemplateWithItsKind)
{
    Settings s;
    const HintPage page = HintPageFor(1055, s);
    EXPECT_EQ(page.flag, 21);
    EXPECT_EQ(U8(page.paragraphs[0].text), "Click where you want to start another star, or...");
    EXPECT_EQ(U8(page.paragraphs[1].text),
              "Click on Start next star to set the color or outline of the next star, or...");
    EXPECT_EQ(U8(page.paragraphs[2].text), "Click on Fine-tune to change the color or outline of this star.");
    EXPECT_EQ(
        U8(page.paragraphs[3].text),
        "Click on Move this star to adjust the position of this star. Then, move the star by dragging its "
        "center point, or change the shape by moving the end points.");

    EXPECT_FALSE(page.paragraphs[0].acts());
    EXPECT_TRUE(Marked(page.paragraphs[0], true).empty());
    EXPECT_EQ(Marked(page.paragraphs[1], true), std::vector<std::string>{"Start next star"});
    EXPECT_EQ(Marked(page.paragraphs[2], true), std::vector<std::string>{"Fine-tune"});
    EXPECT_EQ(Marked(page.paragraphs[3], true), std::vector<std::string>{"Move this star"});

    // Drawing on, fine-tuning and moving a star.
    EXPECT_EQ(page.paragraphs[1].step.kind, HintStep::Kind::Panel);
    EXPECT_EQ(page.paragraphs[1].step.code, 105);
    EXPECT_EQ(page.paragraphs[2].step.code, 206);
    EXPECT_TRUE(page.paragraphs[2].step.selectLast);
    EXPECT_EQ(page.paragraphs[3].step.code, 1056);
    EXPECT_EQ(page.paragraphs[3].step.fineTune, 206);
}

TEST(HintPages, MovingPagesPickTheirTemplates)
{
    Settings s;
    struct Case
    {
        int page;
        int paragraph;
        const char* text;
    } cases[] = {
        {1044, 1, "To change the shape of the triangle, drag its edge points."},
        {1044, 2, "To rotate the triangle, drag the dot at the end of the line stretching from its center."},
        {1050, 1, "To change the size of the circle, drag one of its edge points."},
        {1056, 3, "Hold down the Ctrl key and move the mouse to select items inside an area."},
        {1066, 1, "To change the size of the arc, drag one of its end points."},
        {1066, 2, "To rotate the arc, drag the dot at the end of the line stretching from its center."},
        {1069, 1, "To change the outline of the curve, drag one of the middle points."},
        {1072, 1, "To change the outline of the oblong, drag one of the edge points."},
        {1078, 0, "To move the clip, drag its center point."},
    };
    for (const Case& c : cases) {
        const HintPage page = HintPageFor(c.page, s);
        EXPECT_EQ(U8(page.paragraphs[static_cast<std::size_t>(c.paragraph)].text), c.text) << c.page;
        for (const HintParagraph& p : page.paragraphs)
            EXPECT_FALSE(p.acts()) << c.page; // moving pages only explain
    }
    EXPECT_EQ(Marked(HintPageFor(1050, s).paragraphs[1], false), std::vector<std::string>{"change the size"});
}

TEST(HintPages, PlacingPagesSayCOnlyWhereItCloses)
{
    Settings s;
    s.polyshape = 0;
    const HintParagraph open = HintPageFor(1061, s).paragraphs[3];
    EXPECT_EQ(U8(open.text),
              "Press 'C' to close the spline and exit. Press the Esc key to erase this spline.");
    EXPECT_EQ(Marked(open, false), (std::vector<std::string>{"close", "erase"}));

    s.polyshape = 1;
    EXPECT_EQ(U8(HintPageFor(1061, s).paragraphs[3].text), "Press the Esc key to erase this spline.");

    // The curve page follows the curve setting, not the spline one.
    s.polyshape = 0;
    s.bpolyshape = 2;
    EXPECT_EQ(U8(HintPageFor(1070, s).paragraphs[3].text), "Press the Esc key to erase this curve.");
    s.bpolyshape = 0;
    EXPECT_NE(U8(HintPageFor(1070, s).paragraphs[3].text).find("'C'"), std::string::npos);

    // Solids and oblongs are closed already, and C does not act while an
    // open figure is being continued.
    for (int shape = 0; shape <= 2; ++shape) {
        s.polyshape = s.bpolyshape = shape;
        for (int code : {1064, 1073, 1074, 1075}) {
            const HintPage page = HintPageFor(code, s);
            for (const HintParagraph& p : page.paragraphs)
                EXPECT_EQ(U8(p.text).find('C'), std::string::npos) << code << " shape " << shape;
        }
    }
    EXPECT_EQ(U8(HintPageFor(1064, s).paragraphs[1].text),
              "Press the Enter key to end the solid at the last turning point.");
    const HintParagraph first = HintPageFor(1064, s).paragraphs[0];
    EXPECT_EQ(Marked(first, false), (std::vector<std::string>{"Shift", "final point"}));
}

TEST(HintPages, EveryFlaggedPageHasTextAndOnlyFlagThirtyThreeIsUnused)
{
    Settings s;
    std::set<int> flags;
    for (int code = kFirstHintPage; code <= kLastHintPage; ++code) {
        const HintPage page = HintPageFor(code, s);
        if (page.flag == 0) {
            for (const HintParagraph& p : page.paragraphs)
                EXPECT_TRUE(p.text.empty()) << code;
            continue;
        }
        flags.insert(page.flag);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_FALSE(page.paragraphs[i].text.empty()) << code << " paragraph " << i + 1;
        for (const HintParagraph& p : page.paragraphs)
            if (p.acts()) {
                EXPECT_FALSE(Marked(p, true).empty()) << code << ": the key phrase must be in its paragraph";
            }
    }
    EXPECT_EQ(flags.size(), 41u);
    EXPECT_EQ(flags.count(33), 0u);
    EXPECT_EQ(*flags.begin(), 1);
    EXPECT_EQ(*flags.rbegin(), 42);
    // The continuing pages are turned off with the placing pages.
    EXPECT_EQ(HintFlagOf(1074), HintFlagOf(1061));
    EXPECT_EQ(HintFlagOf(1075), HintFlagOf(1070));
    EXPECT_EQ(HintFlagOf(1029), 8);
    EXPECT_EQ(HintFlagOf(1067), 0);
    EXPECT_EQ(HintFlagOf(20), 0);
}

TEST(HintPages, ShowNoneThenShowAllWritesFortyTwoOnes)
{
    Settings s;
    s.hints[20] = 0;
    SetAllHints(s, false);
    EXPECT_TRUE(NoHintsOn(s));
    EXPECT_FALSE(AllHintsOn(s));
    EXPECT_FALSE(HintPageOn(s, 1024));
    SetAllHints(s, true);
    EXPECT_TRUE(AllHintsOn(s));
    EXPECT_TRUE(HintPageOn(s, 1055));
    EXPECT_FALSE(HintPageOn(s, 1067)); // no page, whatever the flags say

    MemorySettingsStore store;
    SaveSettings(s, store);
    std::string written;
    for (const auto& [key, values] : store.keys())
        for (const auto& [name, value] : values)
            if (name == "hints" && value.type == SettingsStore::Type::Text)
                written = U8(value.text);
    EXPECT_EQ(written, std::string(42, '1'));
}

TEST(HintPages, FollowUps)
{
    using F = HintFollowUp::Kind;
    struct Case
    {
        int page;
        F kind;
        int code;
    } cases[] = {
        {1024, F::Panel, 98},          {1025, F::FineTune, 99},  {1036, F::FineTune, 301},
        {1072, F::FineTune, 212},      {1054, F::FineTune, 299}, {1028, F::Panel, 43},
        {1042, F::Panel, 43},          {1035, F::Panel, 303},    {1038, F::Panel, 20},
        {1053, F::Panel, 199},         {1065, F::Panel, 108},    {1061, F::Placing, 109},
        {1073, F::Placing, 112},       {1074, F::Placing, 297},  {1075, F::Placing, 298},
        {1076, F::ClipOutlining, 401}, {1077, F::None, 0},       {1078, F::None, 0},
    };
    for (const Case& c : cases) {
        const HintFollowUp f = FollowUpOf(c.page);
        EXPECT_EQ(f.kind, c.kind) << c.page;
        EXPECT_EQ(f.code, c.code) << c.page;
    }
}

TEST(HintPages, PanelsInsteadOfAPageTurnedOff)
{
    EXPECT_EQ(PanelWhenOff(1038), 20);
    EXPECT_EQ(PanelWhenOff(1077), 20);
    EXPECT_EQ(PanelWhenOff(1074), 297);
    EXPECT_EQ(PanelWhenOff(1075), 298);
    for (int page : {1024, 1028, 1043, 1061, 1070, 1078})
        EXPECT_EQ(PanelWhenOff(page), 0) << page;
}

TEST(HintPages, StepsGoWhereTheSelectionAndTheFlagsAllow)
{
    Settings s;
    const HintPage line = HintPageFor(1024, s);
    const HintStep& fineTune = line.paragraphs[2].step;
    const HintStep& move = line.paragraphs[3].step;
    EXPECT_EQ(PanelOfStep(line.paragraphs[1].step, s, false), 98);
    EXPECT_EQ(PanelOfStep(fineTune, s, true), 99);
    EXPECT_EQ(PanelOfStep(fineTune, s, false), 20);
    EXPECT_EQ(PanelOfStep(move, s, false), 1025);
    s.hints[1] = 0; // the line-moving page is off
    EXPECT_EQ(PanelOfStep(move, s, true), 99);
    EXPECT_EQ(PanelOfStep(move, s, false), 20);

    // Text is fine-tuned as it stands; nothing is selected for it.
    const HintPage text = HintPageFor(1035, s);
    EXPECT_FALSE(text.paragraphs[2].step.selectLast);
    EXPECT_EQ(PanelOfStep(text.paragraphs[3].step, s, true), 1036);

    const HintPage deleted = HintPageFor(1038, s);
    EXPECT_EQ(deleted.paragraphs[0].step.kind, HintStep::Kind::Undo);
    EXPECT_EQ(deleted.paragraphs[0].step.raisesButton, 6);
    EXPECT_EQ(deleted.paragraphs[2].step.kind, HintStep::Kind::RaiseOnly);
    EXPECT_EQ(deleted.paragraphs[2].step.raisesButton, 7);
    EXPECT_EQ(PanelOfStep(deleted.paragraphs[2].step, s, true), 0);

    const HintPage picture = HintPageFor(1077, s);
    EXPECT_EQ(PanelOfStep(picture.paragraphs[1].step, s, false), 400);
    s.hints[41] = 0;
    EXPECT_EQ(PanelOfStep(picture.paragraphs[3].step, s, true), 401);

    // The outlining page has no fourth paragraph.
    EXPECT_TRUE(HintPageFor(1076, s).paragraphs[3].text.empty());
}

TEST(HintPages, KeyRuns)
{
    HintParagraph p;
    p.text = u"Move it here, then move it back; Fine-Tune THIS line.";
    p.keyWords = {u"move", u"absent", u"it"};
    p.actingPhrase = u"fine-tune this LINE";
    const std::vector<KeyRun> runs = KeyRunsOf(p);
    ASSERT_EQ(runs.size(), 3u);
    // Bold words keep their letter case: the "Move" at the start is not "move".
    EXPECT_EQ(runs[0].start, 5u); // "it"
    EXPECT_EQ(runs[1].start, 19u);
    EXPECT_FALSE(runs[1].acting);
    EXPECT_EQ(runs[2].start, 33u);
    EXPECT_EQ(runs[2].length, 19u);
    EXPECT_TRUE(runs[2].acting);

    // A bold word inside the key phrase is not marked a second time.
    HintParagraph q;
    q.text = u"Click on Move this line";
    q.actingPhrase = u"Move this line";
    q.keyWords = {u"this"};
    EXPECT_EQ(KeyRunsOf(q).size(), 1u);

    EXPECT_EQ(U8(ReplaceWord(u"a line, a line", u"line", u"pie")), "a pie, a pie");
    EXPECT_EQ(U8(ReplaceWord(u"aaa", u"a", u"aa")), "aaaaaa");
}

} // namespace
} // namespace vlm

#include "shell_fixture.h"

#include "guidance/next_steps.h"
#include "model/item_list.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/guidance_commands.h"
#include "shell/panels/option_row.h"
#include "shell/window/left_column.h"

#include <QLabel>
#include <QToolButton>

namespace vlm::test {
namespace {

// The main window with the editing commands and the guidance box; hint pages
// are shown the way the hint request asks for them.
struct GuidanceShellTest : ShellTest
{
    EditCommands* edit = nullptr;
    GuidanceCommands* guidance = nullptr;
    int joins = 0;

    MainWindow& startGuided()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        guidance = new GuidanceCommands(m, *edit);
        edit->showHintPage = [&m](int page) { m.ShowPanel(page); };
        m.Timer2Timer();
        return m;
    }

    Sandbox& box() { return *edit->activeSandbox(); }

    void drawLine(int y = 20)
    {
        edit->button(17)->click(); // "Insert line"
        click(box(), 20, y);
        click(box(), 80, y + 20);
    }

    QStringList shownRows() const
    {
        QStringList labels;
        for (OptionRow* row : main->leftColumn().optionRows())
            if (!row->isHidden())
                labels << row->label();
        return labels;
    }

    std::size_t selectedCount()
    {
        std::size_t n = 0;
        for (const Item& it : main->activeWindow()->document().items)
            n += IsSelectedLive(it) ? 1 : 0;
        return n;
    }
};

TEST_F(GuidanceShellTest, AfterALineTheRowsOfferItsNextSteps)
{
    MainWindow& m = startGuided();
    drawLine();
    EXPECT_EQ(m.currentPanel(), 1024);
    EXPECT_EQ(shownRows(),
              (QStringList{QStringLiteral("Insert new item"), QStringLiteral("Draw next line"),
                           QStringLiteral("Fine-tune this line"), QStringLiteral("Move this line")}));
    EXPECT_FALSE(m.leftColumn().heading()->isHidden());
    EXPECT_EQ(box().toolMode(), ToolMode::Line) << "the page leaves the line tool at work";

    // The rows overlap by two pixels from the top 40.
    const auto& rows = m.leftColumn().optionRows();
    EXPECT_EQ(rows[0]->geometry().top(), LeftColumn::kOptionRowsTop);
    for (std::size_t k = 1; k < rows.size(); ++k)
        EXPECT_EQ(rows[k]->geometry().top(),
                  rows[k - 1]->geometry().top() + LeftColumn::kOptionRowHeight - 2);

    // The insert menu offers nothing, and has no heading.
    m.ShowPanel(20);
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_TRUE(m.leftColumn().heading()->isHidden());
    EXPECT_TRUE(m.leftColumn().headingIcon()->isHidden());
}

TEST_F(GuidanceShellTest, FineTuneThisLineSelectsItAndBackReturnsToThePage)
{
    MainWindow& m = startGuided();
    drawLine();
    ASSERT_EQ(selectedCount(), 0u);
    guidance->RunOption(3); // "Fine-tune this line"
    EXPECT_EQ(m.currentPanel(), 99);
    EXPECT_EQ(selectedCount(), 1u);
    EXPECT_EQ(box().toolMode(), ToolMode::Pointer);
    EXPECT_TRUE(m.leftColumn().backButton()->isEnabled());
    EXPECT_TRUE(m.leftColumn().backLabelShown());
    EXPECT_FALSE(m.leftColumn().forwardButton()->isEnabled());

    m.leftColumn().backButton()->click();
    EXPECT_EQ(m.currentPanel(), 1024);
    EXPECT_TRUE(m.leftColumn().forwardButton()->isEnabled());
    // Forward selects the line again, deselected meanwhile.
    SelectOnly(m.activeWindow()->document().items, nullptr);
    m.leftColumn().forwardButton()->click();
    EXPECT_EQ(m.currentPanel(), 99);
    EXPECT_EQ(selectedCount(), 1u);
    EXPECT_FALSE(m.leftColumn().forwardButton()->isEnabled());
}

TEST_F(GuidanceShellTest, MoveThisLineGoesStraightToFineTuningWhenItsPageIsOff)
{
    MainWindow& m = startGuided();
    drawLine();
    m.settings().hints[2 - 1] = 0;
    guidance->RunOption(4); // "Move this line"
    EXPECT_EQ(m.currentPanel(), 99);
    EXPECT_EQ(selectedCount(), 1u);

    m.settings().hints[2 - 1] = 1;
    m.ShowPanel(1024);
    guidance->RunOption(4);
    EXPECT_EQ(m.currentPanel(), 1025);
    EXPECT_EQ(box().toolMode(), ToolMode::Pointer) << "the moving page is worked with the pointer";

    // Nothing left to select: the insert menu.
    m.settings().hints[2 - 1] = 0;
    m.ShowPanel(1024);
    box().Undo();
    guidance->RunOption(4);
    EXPECT_EQ(m.currentPanel(), 20);
}

TEST_F(GuidanceShellTest, BackPassesOverAClosedWindowAndEndsAtTheInsertMenu)
{
    MainWindow& m = startGuided();
    drawLine();
    guidance->RunOption(3);                         // fine-tune in the first window
    prompts.answers.push_back(Prompts::Answer::No); // do not save it
    m.CloseCommand();
    flushDeletes();
    m.Timer4Timer(); // the last window went: the insert menu
    ASSERT_TRUE(m.documentWindows().empty());
    m.ShowPanel(98);
    EXPECT_TRUE(guidance->history().CanGoBack());

    guidance->BackCommand(); // 20 of Timer4
    EXPECT_EQ(m.currentPanel(), 20);
    guidance->BackCommand(); // over 99 of the closed window to 1024, then 98
    EXPECT_EQ(m.currentPanel(), 1024);
    guidance->BackCommand();
    EXPECT_EQ(m.currentPanel(), 98);
    guidance->BackCommand();
    EXPECT_EQ(m.currentPanel(), 20);
    EXPECT_FALSE(m.leftColumn().backButton()->isEnabled());
    EXPECT_FALSE(m.leftColumn().backLabelShown());
}

TEST_F(GuidanceShellTest, OneEntryForTheSameNewLinePanelTwice)
{
    MainWindow& m = startGuided();
    const std::size_t before = guidance->history().entries().size();
    edit->ChooseTool(98, false);
    edit->ChooseTool(98, false);
    EXPECT_EQ(guidance->history().entries().size(), before + 1);
    EXPECT_EQ(m.currentPanel(), 98);
}

TEST_F(GuidanceShellTest, HoverMarksFollowThePointerAndEndWithTimer3)
{
    MainWindow& m = startGuided();
    m.show(); // only buttons on screen are raised
    drawLine();
    const auto& rows = m.leftColumn().optionRows();
    guidance->showOptionHover(1);
    EXPECT_TRUE(rows[0]->hoverMark());
    EXPECT_TRUE(m.timer(3).isActive());
    EXPECT_FALSE(edit->button(9)->autoRaise()) << "the pointer button is raised";

    guidance->showOptionHover(3);
    EXPECT_FALSE(rows[0]->hoverMark());
    EXPECT_TRUE(rows[2]->hoverMark());
    EXPECT_TRUE(edit->button(9)->autoRaise());

    m.Timer3Timer();
    for (OptionRow* row : rows)
        EXPECT_FALSE(row->hoverMark());

    // A hint page raises the Undo button through the same way; Timer3 lowers it.
    guidance->raiseToolbarButton(6);
    EXPECT_FALSE(edit->button(6)->autoRaise());
    m.Timer3Timer();
    EXPECT_TRUE(edit->button(6)->autoRaise());
}

TEST_F(GuidanceShellTest, TheToolIsEnteredOnlyWhenTheFlagSaysSo)
{
    MainWindow& m = startGuided();
    edit->ChooseTool(109, true); // a spline
    click(box(), 20, 20);
    click(box(), 60, 40);
    ASSERT_EQ(box().toolMode(), ToolMode::Spline);
    // The placing page leaves the spline being placed alone ...
    m.ShowPanel(1061);
    EXPECT_EQ(box().toolMode(), ToolMode::Spline);
    // ... and so does its way back to the spline panel.
    m.RunDeferred(1061);
    m.Timer1Timer();
    EXPECT_EQ(m.currentPanel(), 109);
    EXPECT_EQ(box().toolMode(), ToolMode::Spline);
    click(box(), 90, 20);
    std::size_t live = 0;
    for (const Item& it : m.activeWindow()->document().items)
        live += IsLive(it) && IsEditableKind(it.rec.d.kind) ? 1 : 0;
    EXPECT_EQ(live, 0u) << "nothing committed: the spline still collects its points";
    EXPECT_EQ(m.currentPanel(), 1061) << "the next turning point asks for the page again";

    // Without the flag a panel of a tool does not change the tool; with it, it does.
    m.ShowPanel(100, ShowPanelFlags().entering(false));
    EXPECT_EQ(box().toolMode(), ToolMode::Spline);
    m.ShowPanel(100);
    EXPECT_EQ(box().toolMode(), ToolMode::Triangle);
    // Skip-if-same leaves a panel already shown alone.
    const std::size_t entries = guidance->history().entries().size();
    m.settings().lineColor = 255;
    m.ShowPanel(100, ShowPanelFlags().skipping());
    EXPECT_EQ(guidance->history().entries().size(), entries);
}

TEST_F(GuidanceShellTest, JoiningFromTheRowsMakesNoHistoryEntry)
{
    MainWindow& m = startGuided();
    drawLine(20);
    drawLine(80);
    for (Item& it : m.activeWindow()->document().items)
        if (IsLive(it))
            it.rec.d.selected = 255;
    // The clipboard commands join; here it is enough to know it ran.
    edit->commands().add({.id = CommandId::JoinItems, .run = [this] { ++joins; }});
    m.ShowPanel(59);
    EXPECT_EQ(shownRows(), (QStringList{QStringLiteral("Insert new item"), QStringLiteral("Join items"),
                                        QStringLiteral("Split group")}));
    const std::size_t entries = guidance->history().entries().size();
    guidance->RunOption(2);
    EXPECT_EQ(joins, 1);
    EXPECT_EQ(m.currentPanel(), 59);
    EXPECT_EQ(guidance->history().entries().size(), entries);
}

} // namespace
} // namespace vlm::test

#include "shell_fixture.h"

#include "shell/edit_commands.h"
#include "shell/left_column.h"
#include "shell/tool_panels.h"
#include "shell/view_widget.h"

#include <QAction>
#include <QToolButton>

namespace vlm::test {
namespace {

// The main window with its editing commands, as the program starts it.
struct EditShellTest : ShellTest {
    EditCommands* edit = nullptr;

    MainWindow& startEditing()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        return m;
    }
};

TEST_F(EditShellTest, AToolChosenWithoutAWindowOpensOneInThatTool)
{
    MainWindow& m = startEditing();
    ASSERT_TRUE(m.documentWindows().empty());
    edit->ChooseTool(105, true);
    EXPECT_EQ(m.settings().defaultToolMode, 105);
    EXPECT_EQ(edit->pressedButton(), 32);
    EXPECT_TRUE(m.timer(2).isActive());
    m.Timer2Timer();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    Sandbox* box = edit->activeSandbox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->toolMode(), 105);
}

TEST_F(EditShellTest, UndoAndRedoAreGreyedUntilThereIsSomethingToDo)
{
    MainWindow& m = startEditing();
    EXPECT_FALSE(edit->undoAction()->isEnabled());
    EXPECT_FALSE(edit->clearAction()->isEnabled()) << "no document";
    m.Timer2Timer();
    EXPECT_TRUE(edit->clearAction()->isEnabled());
    EXPECT_FALSE(edit->button(6)->isEnabled());

    edit->button(17)->click(); // "Insert line"
    Sandbox* box = edit->activeSandbox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->toolMode(), ToolMode::Line);
    EXPECT_EQ(edit->pressedButton(), 17);
    click(*box, 20, 20);
    click(*box, 80, 40);
    EXPECT_TRUE(edit->undoAction()->isEnabled());
    EXPECT_TRUE(edit->button(6)->isEnabled());
    EXPECT_FALSE(edit->button(7)->isEnabled());

    edit->button(6)->click();
    EXPECT_FALSE(edit->undoAction()->isEnabled());
    EXPECT_TRUE(edit->redoAction()->isEnabled());
    EXPECT_EQ(m.currentPanel(), 20);
    EXPECT_EQ(edit->pressedButton(), 9);
    EXPECT_EQ(box->toolMode(), ToolMode::Pointer);

    // With nothing to undo the button does nothing.
    edit->UndoCommand(true);
    EXPECT_TRUE(edit->redoAction()->isEnabled());
}

TEST_F(EditShellTest, ALoadedDocumentStartsWithUndoDisabled)
{
    const QString file = writeDocument("two.vlmr", [](Document& d) {
        Item& line = NewItem(d.items, KindLine);
        SetEditStep(d.items, line, 1);
        SetStackOrder(d.items, line, 1);
    });
    MainWindow& m = startEditing();
    m.OpenDocument(file);
    ASSERT_NE(edit->activeSandbox(), nullptr);
    EXPECT_FALSE(edit->undoAction()->isEnabled());
    EXPECT_FALSE(edit->redoAction()->isEnabled());
}

TEST_F(EditShellTest, TheStackingButtonsShowOnlyWithASelection)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    edit->ChooseTool(101, true);
    Sandbox* box = edit->activeSandbox();
    click(*box, 10, 10);
    click(*box, 40, 10);
    edit->updateSelectionButtons();
    EXPECT_TRUE(edit->button(12)->isHidden());
    SelectLast(m.activeWindow()->document().items);
    edit->updateSelectionButtons();
    EXPECT_FALSE(edit->button(12)->isHidden());
    edit->button(12)->click();
    EXPECT_TRUE(edit->undoAction()->isEnabled());
}

TEST_F(EditShellTest, TheLineToolComesBackWithItsWindow)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    edit->ChooseTool(98, true);
    DocumentWindow* first = m.activeWindow();
    m.NewCommand();
    EXPECT_EQ(m.settings().defaultToolMode, ToolMode::Line) << "recorded when the first window lost the focus";
    EXPECT_EQ(edit->activeSandbox()->toolMode(), ToolMode::Line);
    m.ActivateWindow(first->windowId());
    Sandbox* box = edit->sandboxOf(first);
    ASSERT_TRUE(box->reactivationPending());
    box->ReactivationTimer();
    EXPECT_EQ(m.currentPanel(), 98);
    EXPECT_EQ(edit->pressedButton(), 17);
}

TEST_F(EditShellTest, EveryShapeToolShowsItsOwnPanel)
{
    // Shapes share one range of panel codes; switching between two of them
    // must still show the second one's guidance, not the first's.
    MainWindow& m = startEditing();
    m.Timer2Timer();
    for (int code : {102, 104, 105, 199, 102}) {
        edit->ChooseTool(code, true);
        auto* panel = dynamic_cast<ToolPanel*>(m.leftColumn().currentPanelWidget());
        ASSERT_NE(panel, nullptr) << code;
        EXPECT_EQ(panel->panelCode(), code);
    }
}

TEST_F(EditShellTest, ARepaintBringsTheSelectionMarkersBack)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    edit->ChooseTool(98, true);
    Sandbox* box = edit->activeSandbox();
    click(*box, 20, 20);
    click(*box, 120, 60);
    SelectLast(m.activeWindow()->document().items);
    DocumentView& view = m.activeWindow()->view().view();
    view.RepaintAll(true);
    EXPECT_TRUE(view.markers().items().empty()) << "a full repaint drops the Markers";
    view.MarkerTimer();
    EXPECT_FALSE(view.markers().items().empty()) << "the marker timer places them again";
}

TEST(ToolPanels, TheGuidanceNamesTheKindInEveryTemplate)
{
    struct Case {
        int code;
        const char* title;
        std::vector<const char*> lines;
    };
    const Case cases[] = {
        {105, "Star",
         {"Click where you want to place the star center.",
          "Then, move the mouse and click again to set the size of the star.",
          "Finally, move the mouse and click again to set the length of the spikes."}},
        {107, "Pie",
         {"Click where you want to place the center of the pie.",
          "Then, move the mouse and click again to set the size of the pie.",
          "Finally, move the mouse and click again to set the width of the pie."}},
        {102, "Rectangle",
         {"Select how you want the next rectangle drawn.", "Click where you want to start the rectangle, or...",
          "Hold down the mouse button, move the mouse, and release the button.",
          "Then, move the mouse and click again to make the third point."}},
        {112, "Oblong",
         {"Click where you want to start the oblong.", "Then, click where you want to place the edge points.",
          "Finally, hold down the Shift key and click where you want to end the oblong."}},
        {300, "Text",
         {"Click where you want the text start.",
          "To make a text box, hold down the mouse button, move the mouse, and release the button."}},
        // While the text just made is typed.
        {303, "Text",
         {"Enter the text now.",
          "When done, click on the pointer button (the button with the hand picture) in the upper menu."}},
    };
    for (const Case& c : cases) {
        const ToolGuidance g = ToolGuidanceFor(c.code);
        EXPECT_EQ(g.title, QString::fromUtf8(c.title));
        ASSERT_EQ(g.lines.size(), c.lines.size()) << c.code;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(g.lines[i], QString::fromUtf8(c.lines[i])) << c.code;
    }
    EXPECT_TRUE(ToolGuidanceFor(20).title.isEmpty());
    EXPECT_EQ(PressedButtonFor(302), 18);
    EXPECT_EQ(PressedButtonFor(209), 9);
    EXPECT_EQ(PressedButtonFor(1043), 0);
}

} // namespace
} // namespace vlm::test

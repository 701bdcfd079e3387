#include "shell_fixture.h"

#include "shell/commands/edit_commands.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/left_column.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
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
    edit->refreshCommands();
    EXPECT_FALSE(edit->buttonAction(12)->isVisible());
    SelectLast(m.activeWindow()->document().items);
    edit->refreshCommands();
    EXPECT_TRUE(edit->buttonAction(12)->isVisible());
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

// The buttons of the toolbar in the order they stand.
const int kToolbarButtons[] = {1, 2, 3, 6, 7, 8,  9,  27, 18, 17, 28, 29, 30, 21,
                               22, 23, 24, 31, 25, 26, 32, 33, 34, 13, 12};

TEST_F(EditShellTest, AtTheDefaultSizeEveryButtonIsInTheRowOrInItsExtensionMenu)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    m.show();
    ASSERT_EQ(m.width(), MainWindow::kClientWidth);
    auto reachable = [&](bool selected) {
        edit->refreshCommands();
        QCoreApplication::processEvents();
        auto* row = qobject_cast<QToolBar*>(edit->button(6)->parentWidget());
        ASSERT_NE(row, nullptr);
        QMenu* more = nullptr;
        if (auto* extension = row->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            if (extension->isVisible())
                more = extension->menu();
        for (int number : kToolbarButtons) {
            const bool inRow = edit->button(number)->isVisible();
            // A menu leaves out the actions that are not visible.
            QAction* action = edit->buttonAction(number);
            const bool inMenu = more && action->isVisible() && more->actions().contains(action);
            const bool wanted = selected || (number != 12 && number != 13);
            EXPECT_EQ(inRow || inMenu, wanted)
                << "button " << number << (selected ? " with a selection" : "");
            if (inMenu) { // an entry the menu can show
                EXPECT_FALSE(action->text().isEmpty()) << number;
            }
        }
    };
    reachable(false);
    Item& line = NewItem(m.activeWindow()->document().items, KindLine);
    line.rec.d.selected = 255;
    reachable(true);
}

TEST_F(EditShellTest, TheLeftColumnFollowsTheSelectionNotTheLastTool)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    edit->ChooseTool(102, true); // a rectangle
    Sandbox* box = edit->activeSandbox();
    click(*box, 20, 20);
    click(*box, 120, 20);
    click(*box, 120, 80);
    edit->ChooseTool(112, true); // the oblong tool, then the pointer again
    edit->ChooseTool(PanelCode::Insert, true);
    click(*box, 70, 20); // on the rectangle's first side
    EXPECT_EQ(m.currentPanel(), 202);
    auto* panel = dynamic_cast<ToolPanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    const ToolGuidance expected = SelectionGuidanceFor(202);
    EXPECT_EQ(expected.title, QStringLiteral("Fine-tune"));
    ASSERT_EQ(panel->lineLabels().size(), expected.lines.size());
    for (std::size_t i = 0; i < expected.lines.size(); ++i)
        EXPECT_EQ(panel->lineLabels()[i]->text(), expected.lines[i]);
    EXPECT_EQ(panel->findChild<QLabel*>()->text(), expected.title);
    EXPECT_EQ(edit->pressedButton(), 9);

    // An open spline says how to add points, a closed one how to drag them.
    EXPECT_EQ(SelectionGuidanceFor(209, true).lines[1],
              QStringLiteral("Press Ctrl-A to add more points at the end of the perimeter."));
    EXPECT_EQ(SelectionGuidanceFor(209, false).lines[1],
              QStringLiteral("Drag the points on the perimeter to change the shape."));
    EXPECT_TRUE(SelectionGuidanceFor(105).title.isEmpty());
}

TEST_F(EditShellTest, InsertPictureLeavesThePointerPressedAndTheInsertPanelShown)
{
    MainWindow& m = startEditing();
    m.Timer2Timer();
    for (bool fromMenu : {false, true}) {
        edit->ChooseTool(98, true);
        ASSERT_EQ(edit->pressedButton(), 17);
        if (fromMenu) {
            edit->insertMenu()->actions().front()->trigger(); // "Picture"
        } else {
            edit->button(27)->toggle(); // as assistive tools press it
            EXPECT_EQ(edit->pressedButton(), 27);
        }
        m.Timer1Timer();
        EXPECT_EQ(edit->pressedButton(), 9) << fromMenu;
        EXPECT_EQ(m.currentPanel(), PanelCode::Insert) << fromMenu;
        EXPECT_EQ(edit->activeSandbox()->toolMode(), ToolMode::Pointer) << fromMenu;
    }
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

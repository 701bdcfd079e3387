// The menu bar and the tool frame as the program assembles them: every
// command group attached to one main window, in the order of main().

#include "shell_fixture.h"

#include "edit/clipboard_edit.h"
#include "model/clipboard.h"
#include "platform/ui_text.h"
#include "shell/commands/button_hover.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/customize_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/grid_commands.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/key_routing.h"
#include "shell/window/left_column.h"
#include "shell/window/zoom_controls.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QtTest/QTest>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

namespace vlm::test {
namespace {

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}
QStringList L(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* s : list)
        out << Q(s);
    return out;
}

// Lists compared line by line, readable when they differ.
std::string S(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n')).toStdString();
}

struct RecordingClipboard final : Clipboard
{
    void putImage(const QImage&) override {}
};

struct ToolFrameTest : ShellTest
{
    EditCommands* edit = nullptr;
    ClipboardCommands* clipboard = nullptr;
    RecordingClipboard system;

    MainWindow& startAll()
    {
        MainWindow& m = start();
        auto* pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        new GridCommands(m, *edit);
        new PageSetupCommands(m);
        clipboard = new ClipboardCommands(m, *edit, &system);
        new KeyRouting(m, *edit);
        new CustomizeCommands(m);
        new PrintCommands(m, *edit);
        return m;
    }

    QToolBar* row() const { return edit->toolbar(); }

    // The row's buttons left to right by their hints, "|" for a group bar.
    QStringList rowHints() const
    {
        QStringList out;
        for (QAction* a : row()->actions()) {
            if (a->isSeparator()) {
                out << QStringLiteral("|");
                continue;
            }
            auto* b = qobject_cast<QToolButton*>(row()->widgetForAction(a));
            out << (b ? b->toolTip() : QStringLiteral("?"));
        }
        return out;
    }

    // The hints of the row's buttons that are shown.
    QStringList shownHints() const
    {
        QStringList out;
        for (QAction* a : row()->actions())
            if (!a->isSeparator() && a->isVisible())
                if (auto* b = qobject_cast<QToolButton*>(row()->widgetForAction(a)))
                    out << b->toolTip();
        return out;
    }

    QToolButton* buttonWithHint(const char* hint) const
    {
        for (QToolButton* b : main->findChildren<QToolButton*>())
            if (b->toolTip() == Q(hint))
                return b;
        return nullptr;
    }

    // A menu as lines: caption, shortcut in brackets, submenus indented,
    // "-" for a separator, "[hidden]" and "[off]" for hidden and disabled.
    static void describe(const QMenu* menu, const QString& indent, QStringList& out)
    {
        for (QAction* a : menu->actions()) {
            QString line = indent + (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (!a->shortcut().isEmpty())
                line += QStringLiteral(" (") + a->shortcut().toString(QKeySequence::PortableText) +
                        QLatin1Char(')');
            if (!a->isVisible())
                line += QStringLiteral(" [hidden]");
            else if (!a->isEnabled())
                line += QStringLiteral(" [off]");
            out << line;
            if (a->menu())
                describe(a->menu(), indent + QStringLiteral("  "), out);
        }
    }
    static QStringList describe(const QMenu* menu)
    {
        QStringList out;
        describe(menu, QString(), out);
        return out;
    }

    QMenu* menuNamed(const char* title) const
    {
        for (QAction* a : main->menuBar()->actions())
            if (a->menu() && a->text() == Q(title))
                return a->menu();
        return nullptr;
    }
    QStringList shownMenuTitles() const
    {
        QStringList out;
        for (QAction* a : main->menuBar()->actions())
            if (a->isVisible())
                out << a->text();
        return out;
    }

    ItemList& items() { return main->activeWindow()->document().items; }
    Item& selectedLine()
    {
        Item& it = NewItem(items(), KindLine);
        it.rec.d.selected = 255;
        return it;
    }
};

TEST_F(ToolFrameTest, TheMenuBarReadsInOrderAndWindowComesLast)
{
    MainWindow& m = startAll();
    const QStringList all = L({"File", "Insert", "Edit", "Zoom", "Tools", "Customize", "Window"});
    QStringList titles;
    for (QAction* a : m.menuBar()->actions())
        titles << a->text();
    // A menu added afterwards lands after "Window".
    EXPECT_EQ(titles, all);
    EXPECT_EQ(shownMenuTitles(), QStringList(all.begin(), all.end() - 1)) << "no window, no Window menu";
    m.Timer2Timer();
    EXPECT_EQ(shownMenuTitles(), all);
    ASSERT_EQ(m.menus().window->actions().size(), 1);
    EXPECT_EQ(m.menus().window->actions()[0]->text(), QStringLiteral("Untitled 1"));
    m.CloseCommand();
    flushDeletes();
    EXPECT_EQ(shownMenuTitles(), QStringList(all.begin(), all.end() - 1));
}

TEST_F(ToolFrameTest, TheFileMenuWithoutAndWithADocument)
{
    MainWindow& m = startAll();
    QStringList reopen;
    for (int n = 0; n < kRecentFileCount; ++n)
        reopen << QStringLiteral("   [hidden]");
    reopen << QStringLiteral("  -") << QStringLiteral("  Clear...");
    // The "Current File" entries keep their caption with and without a
    // document. Without one, Page Setup's acts as "New Files" and Grid and
    // Snap's, which needs a document, is off.
    auto expected = [&](bool doc) {
        const QString off = doc ? QString() : QStringLiteral(" [off]");
        QStringList e = L({"New (Ctrl+N)", "Open (Ctrl+O)", "Reopen [off]"});
        e << reopen;
        e << QStringLiteral("Save (Ctrl+S)") + off << QStringLiteral("Save As") + off
          << QStringLiteral("Close") + off << Q("-") << Q("Page Setup") << Q("  Current File") << Q("  -")
          << Q("  New Files") << Q("Grid and Snap") << QStringLiteral("  Current File") + off << Q("  -")
          << Q("  New Files") << Q("-") << QStringLiteral("Print Preview") + off
          << QStringLiteral("Print (Ctrl+P)") + off << Q("-") << Q("Export [hidden]") << Q("  Exact")
          << Q("  Smooth") << Q("Screenshot [hidden]") << Q("-") << Q("Exit");
        return e;
    };
    // The two lines around the hidden Export and Screenshot show as one.
    auto linesAroundHiddenShowOnce = [&] {
        const QList<QAction*> entries = m.menus().file->actions();
        const QAction* exit = m.menus().entry(CommandId::Exit);
        const qsizetype at = entries.indexOf(exit);
        return at >= 4 && entries[at - 1]->isSeparator() && entries[at - 4]->isSeparator() &&
               m.menus().file->actionGeometry(entries[at - 1]).isEmpty() !=
                   m.menus().file->actionGeometry(entries[at - 4]).isEmpty();
    };
    auto titleOfCurrentFile = [&](QAction* entry) {
        entry->trigger();
        const QString title = m.wideWindow().windowTitle();
        const bool shown = m.wideWindow().isVisible();
        m.wideWindow().reject();
        flushDeletes();
        return shown ? title : QString();
    };
    EXPECT_EQ(S(describe(m.menus().file)), S(expected(false)));
    EXPECT_TRUE(linesAroundHiddenShowOnce());
    EXPECT_EQ(titleOfCurrentFile(m.menus().entry(CommandId::PageSetupCurrent)), Q("Page Setup - New Files"));
    m.Timer2Timer();
    EXPECT_EQ(S(describe(m.menus().file)), S(expected(true)));
    EXPECT_EQ(titleOfCurrentFile(m.menus().entry(CommandId::PageSetupCurrent)), Q("Page Setup - Untitled 1"));
    EXPECT_EQ(titleOfCurrentFile(m.menus().entry(CommandId::GridAndSnapCurrent)), Q("Grid and Snap - Untitled 1"));
    m.CloseCommand();
    flushDeletes();
    m.Timer4Timer();
    EXPECT_EQ(S(describe(m.menus().file)), S(expected(false))) << "after the last window closed";
    EXPECT_EQ(titleOfCurrentFile(m.menus().entry(CommandId::PageSetupCurrent)), Q("Page Setup - New Files"));
}

TEST_F(ToolFrameTest, InsertEditZoomToolsAndCustomizeMenus)
{
    MainWindow& m = startAll();
    EXPECT_EQ(S(describe(menuNamed("Insert"))),
              S(L({"Picture", "Text", "Line", "Arc", "Spline", "Curve", "Triangle", "Square", "Rectangle",
                   "Circle", "Pie", "Ellipse", "Polygon", "Star", "Solid", "Oblong"})));
    const QStringList editNoDocument =
        L({"Undo (Ctrl+Z) [off]", "Redo (Ctrl+Alt+Z) [off]", "-", "Clear Undo and Redo [off]", "-",
           "Cut (Ctrl+Del) [off]", "Copy (Ctrl+Ins) [off]", "Paste (Shift+Ins) [off]", "-",
           "Copy to Clipboard [hidden]", "Join Items [off]", "Split Group [off]"});
    EXPECT_EQ(S(describe(menuNamed("Edit"))), S(editNoDocument));
    EXPECT_EQ(S(describe(m.menus().zoom)),
              S(L({"25%", "50%", "75%", "100%", "125%", "150%", "175%", "200%", "300%"})));
    EXPECT_TRUE(m.menus().zoomEntries[3]->isChecked());
    EXPECT_EQ(S(describe(menuNamed("Tools"))), S(L({"Grid",
                                                    "  None",
                                                    "  Horizontal",
                                                    "  Vertical",
                                                    "  Both",
                                                    "  -",
                                                    "  Customize...",
                                                    "  Reset [off]",
                                                    "    Horizontal",
                                                    "    Vertical",
                                                    "    Both [off]",
                                                    "  -",
                                                    "  Anchors [off]",
                                                    "    None",
                                                    "    Horizontal",
                                                    "    Vertical",
                                                    "    Both",
                                                    "Snap",
                                                    "  None",
                                                    "  Horizontal",
                                                    "  Vertical",
                                                    "  Both",
                                                    "-",
                                                    "Speed"})));
    ASSERT_NE(menuNamed("Customize"), nullptr);
    ASSERT_FALSE(menuNamed("Customize")->actions().isEmpty());
    EXPECT_EQ(menuNamed("Customize")->actions()[0]->text(), QStringLiteral("Colors"));

    // With a document and one selected line: Cut and Copy, not Join or Split.
    m.Timer2Timer();
    EXPECT_TRUE(edit->clearAction()->isEnabled());
    selectedLine();
    edit->refreshCommands();
    QStringList withLine = editNoDocument;
    // The states are read from the document at the refresh: the line added
    // straight into the list is a step Undo can take back.
    withLine[0] = Q("Undo (Ctrl+Z)");
    withLine[3] = Q("Clear Undo and Redo");
    withLine[5] = Q("Cut (Ctrl+Del)");
    withLine[6] = Q("Copy (Ctrl+Ins)");
    EXPECT_EQ(S(describe(menuNamed("Edit"))), S(withLine));
    selectedLine();
    edit->refreshCommands();
    withLine[10] = Q("Join Items");
    EXPECT_EQ(S(describe(menuNamed("Edit"))), S(withLine)) << "two selected Items can be joined";
}

TEST_F(ToolFrameTest, TheRowHoldsFourGroupsInOrder)
{
    startAll();
    const QStringList expected = L({"Create a new file",
                                    "Open an existing file",
                                    "Save the file",
                                    "Print the picture",
                                    "Undo the last edit",
                                    "Redo the last undo",
                                    "Repaint the screen",
                                    "|",
                                    "Select an item",
                                    "Insert picture",
                                    "Insert text",
                                    "Insert line",
                                    "Insert arc",
                                    "Insert spline",
                                    "Insert curve",
                                    "Insert triangle",
                                    "Insert square",
                                    "Insert rectangle",
                                    "Insert circle",
                                    "Insert pie",
                                    "Insert ellipse",
                                    "Insert polygon",
                                    "Insert star",
                                    "Insert solid",
                                    "Insert oblong",
                                    "|",
                                    "Gridlines",
                                    "Snap",
                                    "Place the selected item on top of other objects",
                                    "Place the selected item behind other objects",
                                    "Join items",
                                    "Split group",
                                    "|",
                                    "Erase the selected item",
                                    "Copy to clipboard",
                                    "Paste from clipboard"});
    EXPECT_EQ(rowHints(), expected);
    // Every button shows a picture and is named by its hint.
    for (QAction* a : row()->actions())
        if (auto* b = qobject_cast<QToolButton*>(row()->widgetForAction(a))) {
            EXPECT_FALSE(b->icon().isNull()) << b->toolTip().toStdString();
            EXPECT_EQ(b->accessibleName(), b->toolTip());
        }
    EXPECT_FALSE(main->zoomControls().zoomInButton()->icon().isNull());
    EXPECT_FALSE(main->zoomControls().zoomOutButton()->icon().isNull());
}

TEST_F(ToolFrameTest, SelectionButtonsFollowTheSelection)
{
    MainWindow& m = startAll();
    const QStringList selectionHints =
        L({"Place the selected item on top of other objects", "Place the selected item behind other objects",
           "Join items", "Split group", "Erase the selected item", "Copy to clipboard",
           "Paste from clipboard"});
    auto shownOf = [&] {
        QStringList out;
        for (const QString& h : shownHints())
            if (selectionHints.contains(h))
                out << h;
        return out;
    };
    EXPECT_EQ(shownOf(), QStringList()) << "no document";
    m.Timer2Timer();
    EXPECT_EQ(shownOf(), QStringList()) << "nothing selected";

    Item& first = selectedLine();
    edit->refreshCommands();
    EXPECT_EQ(shownOf(),
              QStringList({selectionHints[0], selectionHints[1], selectionHints[4], selectionHints[5]}));

    selectedLine();
    edit->refreshCommands();
    EXPECT_EQ(shownOf(), QStringList({selectionHints[0], selectionHints[1], selectionHints[2],
                                      selectionHints[4], selectionHints[5]}))
        << "two ungrouped Items can be joined";

    // Joined they are one group: split, not join.
    ASSERT_TRUE(JoinSelection(*edit->activeSandbox()));
    edit->refreshCommands();
    EXPECT_EQ(shownOf(), QStringList({selectionHints[0], selectionHints[1], selectionHints[3],
                                      selectionHints[4], selectionHints[5]}));

    // Copying makes the paste button appear; it stays without a selection.
    buttonWithHint("Copy to clipboard")->click();
    SelectOnly(items(), nullptr);
    edit->refreshCommands();
    EXPECT_EQ(shownOf(), QStringList({selectionHints[6]}));
    (void)first;
}

TEST_F(ToolFrameTest, TheFileButtonsCreateOpenAndSave)
{
    MainWindow& m = startAll();
    buttonWithHint("Create a new file")->click();
    ASSERT_EQ(m.documentWindows().size(), 1u);
    buttonWithHint("Create a new file")->click();
    ASSERT_EQ(m.documentWindows().size(), 2u);

    const QString saved = path("drawing.vlmr");
    modify(m.activeWindow());
    prompts.saveAnswers.push_back(saved);
    buttonWithHint("Save the file")->click();
    EXPECT_FALSE(modified(m.activeWindow()));
    ASSERT_TRUE(QFile::exists(saved));

    // Blanks around the chosen name do not matter; a cancelled dialog opens nothing.
    prompts.openAnswers.push_back(std::nullopt);
    buttonWithHint("Open an existing file")->click();
    EXPECT_EQ(m.documentWindows().size(), 2u);
    prompts.openAnswers.push_back(QStringLiteral("  ") + saved + QStringLiteral(" "));
    buttonWithHint("Open an existing file")->click();
    ASSERT_EQ(m.documentWindows().size(), 3u);
    EXPECT_EQ(m.activeWindow()->caption(), QStringLiteral("drawing"));
}

TEST_F(ToolFrameTest, AHoveredButtonStaysRaisedUntilAnotherOrTheTimer)
{
    MainWindow& m = startAll();
    m.Timer2Timer();
    m.show();
    m.resize(1600, MainWindow::kClientHeight); // room for every button in the row
    QCoreApplication::processEvents();
    ButtonHover& hover = edit->hover();
    QToolButton* line = buttonWithHint("Insert line");
    QToolButton* star = buttonWithHint("Insert star");
    ASSERT_TRUE(line && star);
    EXPECT_EQ(hover.timer().interval(), 5000);

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(line, &enter);
    EXPECT_EQ(hover.raisedButton(), line);
    EXPECT_FALSE(line->autoRaise()) << "drawn raised";
    EXPECT_TRUE(hover.timer().isActive());

    QCoreApplication::sendEvent(star, &enter);
    EXPECT_EQ(hover.raisedButton(), star);
    EXPECT_TRUE(line->autoRaise()) << "the first one is flat again";

    // The pointer over the row's background lowers all.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(row(), &move);
    EXPECT_EQ(hover.raisedButton(), nullptr);
    EXPECT_TRUE(star->autoRaise());
    // So does the background around the zoom controls.
    QCoreApplication::sendEvent(star, &enter);
    QCoreApplication::sendEvent(m.zoomControls().percentLabel(), &move);
    EXPECT_EQ(hover.raisedButton(), nullptr);

    // The timer lowers it, and so does the main window's Timer3.
    QCoreApplication::sendEvent(line, &enter);
    fire(hover.timer());
    EXPECT_EQ(hover.raisedButton(), nullptr);
    QCoreApplication::sendEvent(m.zoomControls().zoomInButton(), &enter);
    EXPECT_EQ(hover.raisedButton(), m.zoomControls().zoomInButton());
    m.Timer3Timer();
    EXPECT_EQ(hover.raisedButton(), nullptr);
    EXPECT_TRUE(m.zoomControls().zoomInButton()->autoRaise());

    // Hidden and greyed buttons are skipped.
    QToolButton* erase = buttonWithHint("Erase the selected item");
    ASSERT_FALSE(erase->isVisible());
    QCoreApplication::sendEvent(erase, &enter);
    EXPECT_EQ(hover.raisedButton(), nullptr);
    QToolButton* undo = edit->button(6);
    ASSERT_FALSE(undo->isEnabled());
    QCoreApplication::sendEvent(undo, &enter);
    EXPECT_EQ(hover.raisedButton(), nullptr);

    // A raised button that goes out of sight does not stay raised.
    selectedLine();
    edit->refreshCommands();
    QCoreApplication::processEvents();
    ASSERT_TRUE(erase->isVisible());
    QCoreApplication::sendEvent(erase, &enter);
    EXPECT_EQ(hover.raisedButton(), erase);
    SelectOnly(items(), nullptr);
    edit->refreshCommands();
    EXPECT_EQ(hover.raisedButton(), nullptr);
    EXPECT_TRUE(erase->autoRaise());
}

TEST_F(ToolFrameTest, InsertPanelRowsShowPicturesRaiseAndWaitForTheirCommand)
{
    MainWindow& m = startAll();
    m.Timer2Timer();
    m.show();
    QCoreApplication::processEvents();
    auto* panel = dynamic_cast<InsertPanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    for (int i = 0; i < static_cast<int>(InsertRows().size()); ++i)
        EXPECT_FALSE(panel->rowPicture(i).isNull()) << "row " << i;

    EXPECT_EQ(panel->raisedRow(), -1);
    panel->RowEntered(13);
    EXPECT_EQ(panel->raisedRow(), 13);
    panel->RowEntered(2);
    EXPECT_EQ(panel->raisedRow(), 2);
    EXPECT_EQ(panel->hoverTimer().interval(), 5000);
    EXPECT_TRUE(panel->hoverTimer().isActive());
    fire(panel->hoverTimer());
    EXPECT_EQ(panel->raisedRow(), -1);

    // A press on the star row's picture waits 100 ms for Timer1; presses
    // before it has run are ignored.
    QWidget* starRow = nullptr;
    for (QWidget* w : panel->findChildren<QWidget*>())
        if (w->accessibleName() == QStringLiteral("Star"))
            starRow = w;
    ASSERT_NE(starRow, nullptr);
    QWidget* picture = starRow->childAt(QPoint(9, 9));
    ASSERT_NE(picture, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(9, 9), picture->mapToGlobal(QPointF(9, 9)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &press);
    EXPECT_EQ(m.pendingCommand(), 105);
    EXPECT_TRUE(m.timer(1).isActive());
    EXPECT_EQ(m.timer(1).interval(), 100);
    panel->RowPressed(2);
    EXPECT_EQ(m.pendingCommand(), 105) << "the line row waits";
    m.Timer1Timer();
    EXPECT_EQ(m.currentPanel(), 105);
    EXPECT_EQ(edit->pressedButton(), 32) << "the star button, not the pointer";
}

} // namespace
} // namespace vlm::test

namespace vlm::test {
namespace {

// A keyboard user reaches every row with Tab, in the order shown, and
// chooses it with Space or Enter as a click would; a screen reader hears
// each row as a button named by its caption.
TEST(InsertPanelKeys, RowsAreButtonsReachedByTabAndPressedBySpaceOrEnter)
{
    std::vector<int> chosen;
    InsertPanel panel([&chosen](int code) { chosen.push_back(code); });
    std::vector<QAbstractButton*> rows;
    for (QWidget* w = panel.nextInFocusChain(); w != &panel; w = w->nextInFocusChain())
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && (b->focusPolicy() & Qt::TabFocus))
            rows.push_back(b);
    ASSERT_EQ(rows.size(), InsertRows().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString caption = uiText(InsertRows()[i].caption);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(rows[i]);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Button) << caption.toStdString();
        EXPECT_EQ(a->text(QAccessible::Name), caption);
        ASSERT_NE(a->actionInterface(), nullptr);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        EXPECT_FALSE(rows[i]->focusPolicy() & Qt::ClickFocus) << "a click leaves the keyboard where it was";
    }
    QTest::keyClick(rows[2], Qt::Key_Space);
    QTest::keyClick(rows[13], Qt::Key_Return);
    QTest::keyClick(rows[0], Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(rows[5], Qt::Key_A);
    EXPECT_EQ(chosen, (std::vector<int>{98, 105, 400}));
}

} // namespace
} // namespace vlm::test

#include "shell_fixture.h"

#include "shell/commands/clipboard_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/hint_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/key_routing.h"
#include "shell/window/left_column.h"
#include "shell/window/view_widget.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>

namespace vlm::test {
namespace {

struct KeyShellTest : ShellTest {
    EditCommands* edit = nullptr;
    ClipboardCommands* clip = nullptr;
    KeyRouting* routing = nullptr;

    MainWindow& startEditing()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        clip = new ClipboardCommands(m, *edit);
        routing = new KeyRouting(m, *edit);
        m.Timer2Timer();
        return m;
    }


    DocumentKeys& keys() { return *main->activeWindow()->keys(); }

    // A key press as Qt delivers it: key-down first, then its characters.
    void press(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        if (!keys().keyDown(e))
            keys().character(e);
    }
    bool takesFirst(int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::ShortcutOverride, key, mods, text);
        return keys().takesFirst(e);
    }

    Item* text()
    {
        for (Item& it : main->activeWindow()->document().items)
            if (IsLive(it) && it.rec.d.kind == KindText)
                return &it;
        return nullptr;
    }
};

TEST_F(KeyShellTest, KeysAndInputMethodTextReachTheTextBeingTyped)
{
    MainWindow& m = startEditing();
    edit->ChooseTool(300, false);
    Sandbox& box = *edit->activeSandbox();
    click(box, 100, 100);
    EXPECT_FALSE(takesFirst(Qt::Key_Z, QStringLiteral("\x1a"), Qt::ControlModifier)) << "nothing typed yet: Undo";
    press(Qt::Key_H, QStringLiteral("H"));
    ASSERT_NE(text(), nullptr);
    press(Qt::Key_I, QStringLiteral("i"));
    press(Qt::Key_Return, QStringLiteral("\r"));
    // A composed text arrives whole, a character outside the BMP included.
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf16(u"日本\U0001F600"));
    EXPECT_TRUE(keys().inputMethod(composed));
    press(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(text()->text, u"Hi\u07EC日本");
    EXPECT_EQ(edit->keysOf(m.activeWindow())->caret(), (Caret{2, 3}));

    // While typing, Delete and the letters go to the text before any
    // menu shortcut; Ctrl with a letter still runs the menus.
    EXPECT_TRUE(takesFirst(Qt::Key_Delete, {}, Qt::ControlModifier));
    EXPECT_TRUE(takesFirst(Qt::Key_A, QStringLiteral("a")));
    EXPECT_FALSE(takesFirst(Qt::Key_S, QStringLiteral("\x13"), Qt::ControlModifier));
    EXPECT_FALSE(takesFirst(Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier)) << "Copy";

    // The text panel says what to do now.
    auto* panel = dynamic_cast<ToolPanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    ASSERT_FALSE(panel->lineLabels().empty());
    EXPECT_EQ(panel->lineLabels()[0]->text(), QStringLiteral("Enter the text now."));
    press(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(panel->lineLabels()[0]->text(), QStringLiteral("Click where you want the text start."));
    EXPECT_EQ(text()->text, u"Hi\u07EC日本");
}

TEST_F(KeyShellTest, TheTextPanelReachesTheTextBeingTyped)
{
    MainWindow& m = startEditing();
    edit->ChooseTool(300, false);
    Sandbox& box = *edit->activeSandbox();
    click(box, 100, 100);
    press(Qt::Key_H, QStringLiteral("H"));
    press(Qt::Key_I, QStringLiteral("i"));
    ASSERT_NE(text(), nullptr);
    const std::int32_t step = NextEditStep(m.activeWindow()->document().items);
    auto* panel = dynamic_cast<FineTunePanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    ASSERT_FALSE(panel->fineTune());
    auto* size = dynamic_cast<QComboBox*>(panel->control(QStringLiteral("Size")));
    ASSERT_NE(size, nullptr);
    emit size->activated(8); // 24 points
    EXPECT_EQ(+text()->rec.d.fontSize, m.settings().tsize);
    EXPECT_EQ(NextEditStep(m.activeWindow()->document().items), step);
    EXPECT_TRUE(edit->keysOf(m.activeWindow())->caretBlinking());
    // Typing goes on in the larger text.
    press(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(text()->text, u"Hia");
}

TEST_F(KeyShellTest, CtrlAShowsTheShapePanelOfTheContinuation)
{
    MainWindow& m = startEditing();
    new HintCommands(m, *edit); // decides between the page and the panel
    m.settings().hints[26] = 0; // the turning-point page would cover the panel
    m.settings().polyshape = 0;
    edit->ChooseTool(109, false);
    Sandbox& box = *edit->activeSandbox();
    for (QPoint p : {QPoint(60, 60), QPoint(160, 80), QPoint(220, 160)}) {
        CanvasMouse move = At(p.x(), p.y());
        move.button = MouseButton::None;
        box.Image1MouseMove(move);
        click(box, p.x(), p.y());
    }
    press(Qt::Key_Return, QStringLiteral("\r"));
    edit->ChooseTool(20, false);
    Item* spline = nullptr;
    for (Item& it : m.activeWindow()->document().items)
        if (IsLive(it) && it.rec.d.kind == KindSpline)
            spline = &it;
    ASSERT_NE(spline, nullptr);
    SelectOnly(m.activeWindow()->document().items, spline);
    m.ShowPanel(209);
    press(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    ASSERT_EQ(m.currentPanel(), 297);
    auto* panel = dynamic_cast<FineTunePanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->continuing());
    auto* shape = dynamic_cast<QComboBox*>(panel->control(QStringLiteral("Shape")));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->currentText(), QStringLiteral("Open Spline"));
    EXPECT_FALSE(shape->isEnabled()) << "the continued spline keeps its look";
    EXPECT_EQ(panel->control(QStringLiteral("Mirror")), nullptr);
    ASSERT_FALSE(panel->lineLabels().empty());
    EXPECT_EQ(panel->lineLabels()[0]->text(), QStringLiteral("Then, click where you want to place the turning points."));
}

TEST_F(KeyShellTest, APopupPageTakesTheKeysUntilItCloses)
{
    MainWindow& m = startEditing();
    edit->ChooseTool(300, false);
    click(*edit->activeSandbox(), 100, 100);
    CanvasKeys* canvas = edit->keysOf(m.activeWindow());
    ASSERT_TRUE(canvas->keyboardEnabled());
    m.wideWindow().showFrame(new QLabel, QStringLiteral("Page"));
    EXPECT_FALSE(canvas->keyboardEnabled());
    press(Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(text(), nullptr) << "the canvas ignored the key";
    m.wideWindow().close();
    EXPECT_TRUE(canvas->keyboardEnabled());
    press(Qt::Key_X, QStringLiteral("x"));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->text, u"x");
}

// Nothing hands the keyboard back when a dialog closes on a bare X server:
// the window below takes it again itself, so shortcuts work at once.
TEST_F(KeyShellTest, AClosedDialogGivesTheKeyboardBackToTheWindowBelow)
{
    MainWindow& m = startEditing();
    m.show();
    m.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &m);
    QWidget* canvas = &m.activeWindow()->view();

    const auto showAndClose = [](QWidget* parent) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Vellumora"), QStringLiteral("?"), QMessageBox::Ok, parent);
        box.show();
        box.activateWindow();
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &box);
        box.accept();
        QCoreApplication::processEvents();
    };
    showAndClose(&m);
    EXPECT_EQ(QApplication::activeWindow(), &m);
    EXPECT_TRUE(canvas->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == canvas);

    // Over a popup page, the page gets it back, and the document after it.
    m.wideWindow().showFrame(new QLabel, QStringLiteral("Page"));
    QCoreApplication::processEvents();
    showAndClose(&m.wideWindow());
    EXPECT_EQ(QApplication::activeWindow(), &m.wideWindow());
    m.wideWindow().close();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &m);
}

// The session ends (a termination signal, the system shutting down) with a
// page still showing: the popup hides as the main window goes, and nothing
// may reach the half-destroyed main window then.
TEST_F(KeyShellTest, TheMainWindowGoesWithAPopupPageShowing)
{
    MainWindow& m = startEditing();
    m.show();
    m.wideWindow().showFrame(new QLabel, QStringLiteral("Page"));
    ASSERT_TRUE(m.wideWindow().isVisible());
    m.EndSession();
    main.reset(); // under the sanitizers a call into the gone window ends the run here
    SUCCEED();
}

TEST_F(KeyShellTest, CtrlLettersBecomeTheirControlCharacters)
{
    for (int key : {Qt::Key_A, Qt::Key_D, Qt::Key_I}) {
        const QKeyEvent e(QEvent::KeyPress, key, Qt::ControlModifier, QString());
        EXPECT_EQ(CharactersOf(e), std::u32string(1, char32_t(key - Qt::Key_A + 1)));
    }
    const QKeyEvent plain(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(CharactersOf(plain), U"a");
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter), Vk::Return);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_PageDown), Vk::PageDown);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F1), 0);
}

TEST_F(KeyShellTest, EscDuringAPastePlacementTakesThePasteAway)
{
    MainWindow& m = startEditing();
    edit->ChooseTool(98, true);
    Sandbox& box = *edit->activeSandbox();
    click(box, 40, 40);
    click(box, 140, 40);
    edit->ChooseTool(20, false);
    SelectLast(m.activeWindow()->document().items);
    clip->CopyCommand();
    clip->PasteCommand();
    ASSERT_EQ(box.toolMode(), ToolMode::PastePlacement);
    press(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(box.toolMode(), ToolMode::Pointer);
    int lines = 0;
    for (Item& it : m.activeWindow()->document().items)
        lines += IsLive(it) && it.rec.d.kind == KindLine ? 1 : 0;
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(m.pendingCommand(), MainWindow::kDefaultPanel);
}

TEST_F(KeyShellTest, ADoubleClickOnAPictureHandsItToThePictureDialog)
{
    MainWindow& m = startEditing();
    ItemList& list = m.activeWindow()->document().items;
    Item& clipItem = NewItem(list, KindClip);
    clipItem.rec.d.x1 = 50;
    clipItem.rec.d.y1 = 50;
    clipItem.rec.d.x2 = 150;
    clipItem.rec.d.y2 = 120;
    SetStackOrder(list, clipItem, MaxStackOrder(list) + 1);
    // The picture dialog's command opens the Clip the double-click selected.
    Item* opened = nullptr;
    m.commands().add({.id = CommandId::EditPicture, .run = [&] {
                          for (Item& it : m.activeWindow()->document().items)
                              if (IsSelectedLive(it))
                                  opened = &it;
                      }});
    DocumentView& view = m.activeWindow()->view().view();
    const QPoint at(view.toCanvasX(100), view.toCanvasY(80));
    Sandbox& box = *edit->activeSandbox();
    box.Image1DblClick(At(at.x(), at.y()));
    CanvasKeys* canvas = edit->keysOf(m.activeWindow());
    ASSERT_TRUE(canvas->doubleClickPending());
    canvas->DoubleClickDelayTimer();
    EXPECT_EQ(opened, &clipItem);
    EXPECT_EQ(clipItem.rec.d.selected, 255);
}

} // namespace
} // namespace vlm::test

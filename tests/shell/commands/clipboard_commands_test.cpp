#include "shell_fixture.h"

#include "edit/selection_tool.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QToolButton>

namespace vlm::test {
namespace {

struct RecordingClipboard final : Clipboard {
    void putImage(const QImage& image) override { images.push_back(image); }
    std::vector<QImage> images;
};

struct ClipboardShellTest : ShellTest {
    EditCommands* edit = nullptr;
    ClipboardCommands* clip = nullptr;
    RecordingClipboard system;

    MainWindow& startEditing()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        clip = new ClipboardCommands(m, *edit, &system);
        m.Timer2Timer();
        return m;
    }

    // An area selection with a Ctrl drag, in canvas pixels.
    static void outline(Sandbox& box, QPoint from, QPoint to)
    {
        box.Image1MouseDown(At(from.x(), from.y(), true));
        box.Image1MouseMove(At(to.x(), to.y(), true));
        box.Image1MouseUp(At(to.x(), to.y(), true));
    }

    ItemList& items() { return main->activeWindow()->document().items; }

    // Two lines drawn with the line tool, then the pointer tool again.
    void drawTwoLines()
    {
        edit->ChooseTool(98, true);
        Sandbox& box = *edit->activeSandbox();
        click(box, 40, 40);
        click(box, 140, 40);
        click(box, 40, 90);
        click(box, 140, 120);
        edit->ChooseTool(20, false);
    }

    std::vector<Item*> live(std::int32_t kind)
    {
        std::vector<Item*> found;
        for (Item& it : items())
            if (IsLive(it) && it.rec.d.kind == kind)
                found.push_back(&it);
        return found;
    }

    bool shown(int button) const { return clip->buttonAction(button)->isVisible(); }
};

TEST_F(ClipboardShellTest, CopyPasteTwiceJoinAndUndoAsAUserDoesIt)
{
    MainWindow& m = startEditing();
    drawTwoLines();
    EXPECT_FALSE(clip->copyAction()->isEnabled());
    EXPECT_FALSE(shown(ClipboardCommands::CopyButton));
    EXPECT_FALSE(clip->pasteAction()->isEnabled());
    EXPECT_FALSE(shown(ClipboardCommands::PasteButton));

    Sandbox& box = *edit->activeSandbox();
    DocumentView& view = m.activeWindow()->view().view();
    const QPoint a(view.toCanvasX(20), view.toCanvasY(20)), b(view.toCanvasX(200), view.toCanvasY(200));
    outline(box, a, b);
    ASSERT_EQ(live(KindLine).size(), 2u);
    EXPECT_TRUE(clip->copyAction()->isEnabled());
    EXPECT_TRUE(shown(ClipboardCommands::EraseButton));
    EXPECT_TRUE(shown(ClipboardCommands::JoinButton)) << "two Items selected";
    EXPECT_FALSE(shown(ClipboardCommands::SplitButton));
    EXPECT_EQ(m.currentPanel(), 99) << "two lines: the line panel";

    clip->button(ClipboardCommands::CopyButton)->click();
    EXPECT_TRUE(clip->pasteAction()->isEnabled());
    EXPECT_TRUE(shown(ClipboardCommands::PasteButton));
    ASSERT_EQ(system.images.size(), 1u) << "other programs get a picture of the copy";
    EXPECT_GE(system.images[0].width(), 100);
    EXPECT_EQ(system.images[0].pixel(0, 0), qRgb(255, 255, 255));

    for (int round = 1; round <= 2; ++round) {
        clip->PasteCommand();
        EXPECT_EQ(box.toolMode(), SelectionMode::PastePlacement);
        EXPECT_EQ(m.currentPanel(), 99);
    }
    // The next click puts the second set down where it was pasted.
    const std::vector<Item*> lines = live(KindLine);
    ASSERT_EQ(lines.size(), 6u);
    edit->pointerOf(m.activeWindow())->endPastePlacement();
    for (int i = 0; i < 2; ++i) {
        for (int set = 1; set <= 2; ++set) {
            EXPECT_EQ(+lines[2 * set + i]->rec.d.x1, lines[i]->rec.d.x1 + 10) << set;
            EXPECT_EQ(+lines[2 * set + i]->rec.d.y2, lines[i]->rec.d.y2 + 10) << set;
        }
    }

    clip->JoinCommand();
    ASSERT_EQ(live(KindGroup).size(), 1u);
    EXPECT_TRUE(shown(ClipboardCommands::SplitButton));
    EXPECT_TRUE(clip->splitAction()->isEnabled());
    edit->UndoCommand(false);
    EXPECT_TRUE(live(KindGroup).empty());
    for (Item* line : live(KindLine))
        EXPECT_EQ(+line->rec.d.groupId, 0);
    EXPECT_EQ(live(KindLine).size(), 6u) << "the paste stays";
}

TEST_F(ClipboardShellTest, CutRemovesTheSelectionAndOneUndoBringsItBack)
{
    MainWindow& m = startEditing();
    drawTwoLines();
    SelectLast(items());
    edit->refreshCommands();
    clip->button(ClipboardCommands::EraseButton)->click();
    EXPECT_EQ(live(KindLine).size(), 1u);
    EXPECT_FALSE(clip->cutAction()->isEnabled());
    EXPECT_FALSE(shown(ClipboardCommands::EraseButton));
    EXPECT_FALSE(clip->pasteAction()->isEnabled()) << "Cut does not fill the clipboard";
    EXPECT_EQ(m.pendingCommand(), MainWindow::kDefaultPanel);
    edit->UndoCommand(false);
    EXPECT_EQ(live(KindLine).size(), 2u);
}

TEST_F(ClipboardShellTest, TheClipboardOutlivesTheWindowItCameFrom)
{
    MainWindow& m = startEditing();
    drawTwoLines();
    for (Item* line : live(KindLine))
        line->rec.d.selected = 255;
    clip->CopyCommand();
    prompts.answers.push_back(Prompts::Answer::No); // do not save
    m.CloseCommand();
    flushDeletes();
    ASSERT_TRUE(m.documentWindows().empty());
    EXPECT_TRUE(clip->pasteAction()->isEnabled());
    clip->PasteCommand(); // no window: nothing happens

    m.NewCommand();
    clip->PasteCommand();
    EXPECT_EQ(live(KindLine).size(), 2u);
    EXPECT_EQ(+live(KindLine)[0]->rec.d.x1, m.activeWindow()->view().view().toDocumentX(40) + 10);
}

TEST_F(ClipboardShellTest, ThePanelFollowsThePastedKinds)
{
    MainWindow& m = startEditing();
    drawTwoLines();
    edit->ChooseTool(300, false);
    Sandbox& box = *edit->activeSandbox();
    click(box, 200, 200);
    click(box, 300, 200);
    ASSERT_EQ(live(KindText).size(), 1u);
    SetText(*live(KindText)[0], u"Hello");
    edit->ChooseTool(20, false);
    live(KindText)[0]->rec.d.selected = 255;
    live(KindLine)[0]->rec.d.selected = 255;
    clip->CopyCommand();
    clip->PasteCommand();
    EXPECT_EQ(m.currentPanel(), 59) << "a text and a line: the multi-selection panel";
}

TEST_F(ClipboardShellTest, CopyToClipboardTakesTheOutlinedAreaOnly)
{
    MainWindow& m = startEditing();
    drawTwoLines();
    Sandbox& box = *edit->activeSandbox();
    click(box, 300, 300);
    clip->editMenuShown();
    EXPECT_FALSE(clip->copyToClipboardEnabled()) << "a click outlines nothing";
    EXPECT_FALSE(clip->copyToClipboardAction()->isVisible());

    outline(box, {30, 30}, {130, 80});
    clip->editMenuShown();
    EXPECT_TRUE(clip->copyToClipboardEnabled());
    clip->CopyToClipboardCommand();
    EXPECT_TRUE(system.images.empty()) << "the copy waits for the marker timer";
    m.activeWindow()->view().markerTimerTimeout();
    ASSERT_EQ(system.images.size(), 1u);
    EXPECT_EQ(system.images[0].size(), QSize(100, 50));
}

} // namespace
} // namespace vlm::test

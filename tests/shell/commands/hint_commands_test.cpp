#include "shell_fixture.h"

#include "shell/commands/clipboard_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/help_commands.h"
#include "shell/commands/hint_commands.h"
#include "shell/dialogs/popup_window.h"
#include "shell/panels/hint_panel.h"
#include "shell/window/hook_chain.h"
#include "shell/window/left_column.h"

#include <QAction>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace vlm::test {
namespace {

struct HintShellTest : ShellTest
{
    EditCommands* edit = nullptr;
    HintCommands* hints = nullptr;
    HelpCommands* help = nullptr;
    ClipboardCommands* clip = nullptr;
    std::vector<int> rows; // hover marks asked of the option rows
    std::vector<int> shownPanels; // every panel ShowPanel showed

    MainWindow& startHints()
    {
        MainWindow& m = start();
        edit = new EditCommands(m);
        clip = new ClipboardCommands(m, *edit);
        hints = new HintCommands(m, *edit);
        help = new HelpCommands(m);
        m.hooks().showOptionHover = [this](int row) { rows.push_back(row); };
        m.hooks().selectLast = [this] { SelectLast(main->activeWindow()->document().items); };
        RunAfter(m.hooks().panelShown, [this](int code) { shownPanels.push_back(code); });
        m.Timer2Timer();
        return m;
    }

    // A new open spline with its first two points placed.
    Sandbox& startSpline()
    {
        main->settings().polystate = 0;
        edit->ChooseTool(109, true);
        Sandbox& box = *edit->activeSandbox();
        click(box, 20, 20);
        click(box, 60, 30);
        return box;
    }

    void drawLine(int y = 40)
    {
        edit->ChooseTool(98, true);
        Sandbox& box = *edit->activeSandbox();
        click(box, 40, y);
        click(box, 140, y);
    }

    // The deferred command runs now, as Timer1 would run it.
    int runDeferred()
    {
        const int code = main->pendingCommand();
        main->Timer1Timer();
        return code;
    }

    // The page asked for shows now, as at the end of its 100 ms.
    int showRequested()
    {
        const int page = hints->requestedPage();
        hints->PageTimer();
        return page;
    }

    QString paragraph(int i) const { return hints->panel()->paragraphBox(i)->text(); }
    bool flag(int k) const { return main->settings().hints[static_cast<std::size_t>(k - 1)] != 0; }
    void setFlag(int k, bool on) { main->settings().hints[static_cast<std::size_t>(k - 1)] = on ? 1 : 0; }
};

TEST_F(HintShellTest, ALineShowsItsPageAfterTimerOneWhileThePageIsOn)
{
    MainWindow& m = startHints();
    drawLine();
    EXPECT_EQ(hints->requestedPage(), 1024);
    EXPECT_EQ(m.pendingCommand(), 0);
    showRequested();
    EXPECT_EQ(m.currentPanel(), 1024);
    ASSERT_NE(hints->panel(), nullptr);
    EXPECT_EQ(m.leftColumn().currentPanelWidget(), hints->panel());
    EXPECT_TRUE(paragraph(0).startsWith(QStringLiteral("Click where you want to start another line, or...")));
    EXPECT_TRUE(paragraph(1).contains(QStringLiteral("<u>Draw next line</u>")));
    EXPECT_FALSE(hints->panel()->checkBox()->isChecked());

    // Turned off, the line panel simply stays for the next line.
    setFlag(1, false);
    drawLine(80);
    EXPECT_EQ(hints->requestedPage(), 0);
    EXPECT_EQ(m.pendingCommand(), 0);
    EXPECT_EQ(m.currentPanel(), 98);
}

TEST_F(HintShellTest, APageAfterDrawingLeavesTheToolForTheNextFigure)
{
    MainWindow& m = startHints();
    Sandbox& box = startSpline();
    click(box, 90, 60);
    CanvasMouse last = At(120, 30);
    last.shift = true;
    box.Image1MouseDown(last);
    box.Image1MouseUp(last);
    EXPECT_EQ(showRequested(), 1059);
    EXPECT_EQ(m.currentPanel(), 1059);
    EXPECT_EQ(box.toolMode(), 109) << "the page invites the next spline";

    // Asked for again while shown, the page brings back its paragraphs
    // without another history entry.
    hints->ParagraphClicked(1);
    ASSERT_TRUE(hints->panel()->paragraphBox(1)->isHidden());
    m.Timer1Timer();
    m.ShowPanel(1059);
    const auto entries = shownPanels.size();
    hints->panel()->hideParagraph(1);
    edit->showHintPage(1059);
    showRequested();
    EXPECT_FALSE(hints->panel()->paragraphBox(1)->isHidden());
    EXPECT_EQ(shownPanels.size(), entries);
}

TEST_F(HintShellTest, ShowNoneStopsThePagesAndShowAllBringsThemBack)
{
    startHints();
    emit help->hintsMenu()->aboutToShow(); // the checks are read as the menu opens
    EXPECT_TRUE(help->showAllAction()->isChecked());
    EXPECT_FALSE(help->showNoneAction()->isChecked());

    help->showNoneAction()->trigger();
    EXPECT_TRUE(help->showNoneAction()->isChecked());
    EXPECT_FALSE(help->showAllAction()->isChecked());
    drawLine();
    EXPECT_EQ(hints->requestedPage(), 0);

    // One page back on: neither item is checked when the menu opens.
    setFlag(3, true);
    emit help->hintsMenu()->aboutToShow(); // the checks are read as the menu opens
    EXPECT_FALSE(help->showNoneAction()->isChecked());
    EXPECT_FALSE(help->showAllAction()->isChecked());

    help->showAllAction()->trigger();
    drawLine(80);
    EXPECT_EQ(hints->requestedPage(), 1024);
    main.reset(); // the Settings are written as the window goes
    const auto value = store.read("CustomSettings", "hints");
    EXPECT_EQ(value.text, std::u16string(42, u'1'));
}

TEST_F(HintShellTest, AfterADeletionOrAPictureThePageOrTheInsertMenu)
{
    MainWindow& m = startHints();
    drawLine();
    showRequested();
    SelectLast(m.activeWindow()->document().items);
    clip->CutCommand();
    EXPECT_EQ(hints->requestedPage(), 1038);
    showRequested();
    EXPECT_EQ(m.currentPanel(), 1038);

    drawLine(80);
    showRequested();
    setFlag(6, false);
    SelectLast(m.activeWindow()->document().items);
    clip->CutCommand();
    EXPECT_EQ(m.pendingCommand(), MainWindow::kDefaultPanel);
    runDeferred();

    edit->showHintPage(1077);
    EXPECT_EQ(hints->requestedPage(), 1077);
    showRequested();
    EXPECT_EQ(m.currentPanel(), 1077);
    setFlag(41, false);
    edit->showHintPage(1077);
    EXPECT_EQ(m.pendingCommand(), MainWindow::kDefaultPanel);
    runDeferred();

    // Continuing a spline: its page, or the continuation panel at once.
    edit->showHintPage(1074);
    EXPECT_EQ(m.currentPanel(), 1074);
    setFlag(27, false);
    edit->showHintPage(1074);
    EXPECT_EQ(m.currentPanel(), 297);

    // The grid pages leave the panel alone when they are off.
    setFlag(3, false);
    edit->showHintPage(1028);
    EXPECT_EQ(m.pendingCommand(), 0);
    EXPECT_EQ(hints->requestedPage(), 0);
}

TEST_F(HintShellTest, PlacingPagesComeAtOnceAndKeepTheFigure)
{
    MainWindow& m = startHints();
    Sandbox& box = startSpline();
    EXPECT_EQ(m.currentPanel(), 1061);
    EXPECT_EQ(m.pendingCommand(), 0);
    EXPECT_TRUE(paragraph(3).contains(QStringLiteral("'C'")));
    const auto shown = [this] {
        return std::count(shownPanels.begin(), shownPanels.end(), 1061);
    };
    click(box, 90, 60);
    click(box, 120, 30);
    EXPECT_EQ(shown(), 1) << "every point asks again; the page is shown once";

    std::vector<int> kept;
    hints->showPanelKeepingTool = [&kept](int code) { kept.push_back(code); };
    hints->panel()->checkBox()->setChecked(true);
    EXPECT_FALSE(flag(27));
    EXPECT_EQ(m.pendingCommand(), 0) << "not through Timer1, which would enter the tool again";
    EXPECT_TRUE(kept.empty()) << "100 ms later";
    ASSERT_TRUE(hints->stepPending());
    hints->stepTimer();
    EXPECT_EQ(kept, std::vector<int>{109});
    EXPECT_EQ(box.toolMode(), 109);

    // Off now: the next points ask in vain.
    click(box, 150, 60);
    EXPECT_EQ(shown(), 1);
}

TEST_F(HintShellTest, TheBoxTurnsOnlyItsPageOffAndMovesOn)
{
    MainWindow& m = startHints();
    m.ShowPanel(1024);
    QCheckBox* box = hints->panel()->checkBox();
    box->setChecked(true);
    EXPECT_FALSE(flag(1));
    EXPECT_TRUE(flag(2));
    EXPECT_EQ(runDeferred(), 98);
    m.ShowPanel(1024);
    EXPECT_TRUE(box->isChecked()) << "a page shown again while off shows its box checked";
    EXPECT_EQ(m.pendingCommand(), 0);
    box->setChecked(false);
    EXPECT_TRUE(flag(1));
    EXPECT_EQ(m.pendingCommand(), 0) << "unchecking only turns the page on";
    // The label beside the box takes clicks for it.
    QTest::mouseClick(hints->panel()->checkLabel(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(flag(1));
    EXPECT_EQ(runDeferred(), 98);
    box->setChecked(false);

    struct Case
    {
        int page;
        int flag;
        bool selected;
        int next;
    } cases[] = {
        {1025, 2, false, 20}, {1025, 2, true, 99},   {1056, 22, true, 206}, {1036, 5, false, 20},
        {1028, 3, false, 43}, {1035, 4, false, 303}, {1038, 6, false, 20},  {1057, 23, false, 107},
        {1077, 41, true, 0},  {1078, 42, true, 0},
    };
    drawLine();
    showRequested();
    for (const Case& c : cases) {
        ItemList& items = m.activeWindow()->document().items;
        if (c.selected)
            SelectLast(items);
        else
            SelectOnly(items, nullptr);
        setFlag(c.flag, true);
        m.ShowPanel(c.page);
        box->setChecked(true);
        EXPECT_FALSE(flag(c.flag)) << c.page;
        EXPECT_EQ(m.pendingCommand(), c.next) << c.page;
        runDeferred();
    }
}

TEST_F(HintShellTest, HoverMarksTheStepAndAClickTakesIt)
{
    MainWindow& m = startHints();
    drawLine();
    showRequested();
    ASSERT_EQ(m.currentPanel(), 1024);
    hints->PointerOverParagraph(2);
    EXPECT_EQ(rows.back(), 3);
    EXPECT_TRUE(paragraph(2).contains(QStringLiteral("#0000ff")));
    EXPECT_FALSE(paragraph(1).contains(QStringLiteral("#0000ff")));
    EXPECT_TRUE(m.timer(3).isActive());
    hints->PointerOverParagraph(3);
    EXPECT_EQ(rows.back(), 4);
    EXPECT_FALSE(paragraph(2).contains(QStringLiteral("#0000ff")))
        << "the others go back to their plain look";
    hints->PointerOverParagraph(0); // explains only
    EXPECT_EQ(rows.back(), 0);
    EXPECT_FALSE(paragraph(3).contains(QStringLiteral("#0000ff")));

    // "Fine-tune this line" selects the line and shows its fine-tune panel.
    hints->ParagraphClicked(2);
    EXPECT_TRUE(hints->panel()->paragraphBox(2)->isHidden());
    EXPECT_NE(FirstSelected(m.activeWindow()->document().items), nullptr);
    EXPECT_EQ(runDeferred(), 99);

    // "Move this line" goes to the moving page while it is on, else to the
    // fine-tune panel; with nothing to select, to the insert menu.
    m.ShowPanel(1024);
    EXPECT_FALSE(hints->panel()->paragraphBox(2)->isHidden()) << "a page shown again shows every paragraph";
    hints->ParagraphClicked(3);
    EXPECT_EQ(runDeferred(), 1025);
    setFlag(2, false);
    m.ShowPanel(1024);
    hints->ParagraphClicked(3);
    EXPECT_EQ(runDeferred(), 99);
    m.hooks().selectLast = nullptr;
    SelectOnly(m.activeWindow()->document().items, nullptr);
    m.ShowPanel(1024);
    hints->ParagraphClicked(3);
    EXPECT_EQ(runDeferred(), 20);
    m.ShowPanel(1024);
    hints->ParagraphClicked(0);
    EXPECT_EQ(m.pendingCommand(), 0);
    EXPECT_FALSE(hints->panel()->paragraphBox(0)->isHidden());
}

TEST_F(HintShellTest, ThePageWidgetPassesThePointerAndClicksOn)
{
    MainWindow& m = startHints();
    drawLine();
    showRequested();
    QLabel* third = hints->panel()->paragraphBox(2);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(third, &enter);
    EXPECT_EQ(rows.back(), 3);
    EXPECT_EQ(hints->panel()->hovered(), 2);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(third, &leave);
    EXPECT_EQ(rows.back(), 0);
    EXPECT_EQ(hints->panel()->hovered(), -1);

    third->resize(100, 40);
    QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(third->isHidden());
    EXPECT_EQ(m.pendingCommand(), 99);
}

TEST_F(HintShellTest, TheDeletionPageRaisesUndoAndRedoAndUndoes)
{
    MainWindow& m = startHints();
    m.show(); // only buttons on screen are raised
    drawLine();
    showRequested();
    ItemList& items = m.activeWindow()->document().items;
    SelectLast(items);
    clip->CutCommand();
    showRequested();
    ASSERT_EQ(m.currentPanel(), 1038);
    const auto lines = [&items] {
        int n = 0;
        for (const Item& it : items)
            n += IsLive(it) && it.rec.d.kind == KindLine ? 1 : 0;
        return n;
    };
    ASSERT_EQ(lines(), 0);

    hints->PointerOverParagraph(0);
    EXPECT_FALSE(edit->button(6)->autoRaise());
    EXPECT_EQ(rows.back(), 0) << "a toolbar button, not an option row";
    hints->PointerOverParagraph(2);
    EXPECT_TRUE(edit->button(6)->autoRaise());
    // Nothing to redo yet: the greyed Redo button is pointed at, never raised.
    EXPECT_FALSE(edit->button(7)->isEnabled());
    EXPECT_TRUE(edit->button(7)->autoRaise());
    hints->PointerOverParagraph(0);
    m.Timer3Timer();
    EXPECT_TRUE(edit->button(6)->autoRaise());

    hints->ParagraphClicked(2); // Redo is only pointed at
    EXPECT_EQ(m.pendingCommand(), 0);
    EXPECT_FALSE(hints->panel()->paragraphBox(2)->isHidden());
    hints->ParagraphClicked(0);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(runDeferred(), 20);
}

TEST_F(HintShellTest, ThePlacingPageFollowsTheSplineSettingWhenShown)
{
    MainWindow& m = startHints();
    m.settings().polyshape = 0;
    m.ShowPanel(1061);
    EXPECT_TRUE(paragraph(3).contains(QStringLiteral("'C'")));
    m.settings().polyshape = 1;
    m.ShowPanel(1064);
    m.ShowPanel(1061);
    EXPECT_FALSE(paragraph(3).contains(QStringLiteral("'C'")));
    EXPECT_TRUE(paragraph(3).contains(QStringLiteral("Esc")));
}

TEST_F(HintShellTest, HelpIsTheLastMenuAndAboutNamesTheRelease)
{
    MainWindow& m = startHints();
    const QList<QAction*> menus = m.menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.back()->text(), QStringLiteral("Help"));
    const QList<QAction*> items = help->helpMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->menu(), help->hintsMenu());
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("About"));

    help->aboutAction()->trigger();
    QWidget* frame = m.wideWindow().frame();
    ASSERT_NE(frame, nullptr);
    QStringList texts;
    for (QLabel* l : frame->findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Vellumora")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(QStringLiteral("Version ") + HelpCommands::Version())
                    .hasMatch());
    EXPECT_TRUE(texts.contains(QStringLiteral("Version ") + HelpCommands::Version()));
    m.wideWindow().reject();
}

} // namespace
} // namespace vlm::test

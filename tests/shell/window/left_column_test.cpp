// The left column and the tool frame as a person sees them: the main window
// shown (on the offscreen screen) with every command group attached, and
// the geometry its layouts give each panel, control and button.

#include "shell_fixture.h"

#include "edit/clipboard_edit.h"
#include "model/item_list.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/customize_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/grid_commands.h"
#include "shell/commands/guidance_commands.h"
#include "shell/commands/hint_commands.h"
#include "shell/commands/page_setup_commands.h"
#include "shell/commands/picture_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/panels/option_row.h"
#include "shell/window/key_routing.h"
#include "shell/window/left_column.h"
#include "shell/window/zoom_controls.h"
#include "texts/edit_texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace vlm::test {
namespace {

struct NoClipboard final : Clipboard
{
    void putImage(const QImage&) override {}
};

struct ColumnTest : ShellTest
{
    EditCommands* edit = nullptr;
    NoClipboard system;

    // The window as main() assembles it, shown, with one document open.
    MainWindow& startShown()
    {
        MainWindow& m = start();
        auto* pictures = new PictureCommands(m);
        edit = new EditCommands(m);
        pictures->attach(*edit);
        new GridCommands(m, *edit);
        new PageSetupCommands(m);
        new ClipboardCommands(m, *edit, &system);
        new KeyRouting(m, *edit);
        new CustomizeCommands(m);
        new PrintCommands(m, *edit);
        auto* hints = new HintCommands(m, *edit);
        new GuidanceCommands(m, *edit);
        (void)hints;
        m.show();
        m.Timer2Timer();
        settle();
        return m;
    }

    // Posted layout work done, without waiting on any timer.
    static void settle()
    {
        for (int i = 0; i < 4; ++i)
            QCoreApplication::sendPostedEvents(nullptr, 0);
    }

    ItemList& items() { return main->activeWindow()->document().items; }
    Item& selected(std::int32_t kind)
    {
        Item& it = NewItem(items(), kind);
        it.rec.d.selected = 255;
        return it;
    }

    QRect inWindow(const QWidget* w) const { return QRect(w->mapTo(main.get(), QPoint(0, 0)), w->size()); }

    // Every shown control of the current panel has the room it asks for,
    // every wrapped line the height its width needs, and the panel is no
    // wider than the column's view of it.
    void expectLaidOut(int code)
    {
        LeftColumn& column = main->leftColumn();
        QWidget* panel = column.currentPanelWidget();
        ASSERT_NE(panel, nullptr) << code;
        EXPECT_LE(panel->width(), column.panelScroller()->viewport()->width()) << code;
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            const std::string what = std::to_string(code) + " " +
                                     (w->accessibleName().isEmpty() ? std::string(w->metaObject()->className())
                                                                    : w->accessibleName().toStdString());
            const QRect r(w->mapTo(panel, QPoint(0, 0)), w->size());
            EXPECT_TRUE(panel->rect().contains(r)) << what;
            if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap() && !label->text().isEmpty()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width())) << what;
            } else if (qobject_cast<QComboBox*>(w) || qobject_cast<QSlider*>(w)) {
                EXPECT_GE(w->height(), w->sizeHint().height()) << what;
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << what;
            } else if (qobject_cast<QAbstractButton*>(w)) {
                EXPECT_GE(w->height(), w->sizeHint().height()) << what;
                EXPECT_GE(w->width(), w->sizeHint().width()) << what;
            }
        }
    }

    // The label of the current panel that reads `text`, or null.
    QLabel* lineReading(const QString& text) const
    {
        for (QLabel* l : main->leftColumn().currentPanelWidget()->findChildren<QLabel*>())
            if (l->text() == text)
                return l;
        return nullptr;
    }
};

TEST_F(ColumnTest, EveryPanelGivesItsTextsAndControlsTheRoomTheyAskFor)
{
    MainWindow& m = startShown();
    std::vector<int> codes = {20, 98, 99, 109, 111, 297, 298, 300, 301, 302, 303, 1024, 1043, 1061, 1077};
    for (int code = 100; code <= 112; ++code)
        codes.push_back(code);
    for (int code = 199; code <= 212; ++code)
        codes.push_back(code);
    codes.push_back(299);
    for (int code : codes) {
        m.ShowPanel(code);
        settle();
        expectLaidOut(code);
    }
    // The multi-selection panel with both its links shown.
    Item& a = selected(KindLine);
    selected(KindRectangle);
    ASSERT_TRUE(JoinSelection(*edit->activeSandbox()));
    selected(KindCircle);
    (void)a;
    m.ShowPanel(59);
    settle();
    auto* multi = dynamic_cast<FineTunePanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(multi, nullptr);
    multi->updateLinks();
    settle();
    EXPECT_TRUE(multi->joinLink()->isVisible());
    EXPECT_TRUE(multi->splitLink()->isVisible());
    expectLaidOut(59);
}

TEST_F(ColumnTest, TheLinePanelShowsItsGuidanceAtTheDefaultSize)
{
    MainWindow& m = startShown();
    m.ShowPanel(98);
    settle();
    QLabel* first = lineReading(QString::fromUtf16(texts::kGuideStartLine));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_GE(first->height(), first->heightForWidth(first->width()));
    // Seen without scrolling: inside the part of the column that shows.
    QScrollArea* scroller = m.leftColumn().panelScroller();
    const QRect shown(first->mapTo(scroller->viewport(), QPoint(0, 0)), first->size());
    EXPECT_TRUE(scroller->viewport()->rect().contains(shown));

    // A shape's fine-tune panel says what it is for.
    selected(KindRectangle);
    m.ShowPanel(202);
    settle();
    QLabel* change = lineReading(QString::fromUtf16(texts::kGuideChangeSelected));
    ASSERT_NE(change, nullptr);
    EXPECT_TRUE(change->isVisible());
    EXPECT_GE(change->height(), change->heightForWidth(change->width()));
}

TEST_F(ColumnTest, TheTextPanelKeepsItsControlsAfterAToolChange)
{
    MainWindow& m = startShown();
    for (int code : {300, 100, 98, 300, 109, 300}) {
        edit->ChooseTool(code, false);
        settle();
    }
    ASSERT_EQ(m.currentPanel(), 300);
    expectLaidOut(300);
}

TEST_F(ColumnTest, TurnButtonsShowTheirWholeCaptions)
{
    MainWindow& m = startShown();
    selected(KindRectangle);
    m.ShowPanel(202);
    settle();
    auto* panel = dynamic_cast<FineTunePanel*>(m.leftColumn().currentPanelWidget());
    ASSERT_NE(panel, nullptr);
    auto* mirror = qobject_cast<QToolButton*>(panel->control(QStringLiteral("Mirror")));
    ASSERT_NE(mirror, nullptr);
    EXPECT_GE(mirror->width(), mirror->sizeHint().width());
    EXPECT_GE(mirror->width(), mirror->fontMetrics().horizontalAdvance(mirror->text()));
    // The whole column stays inside the window.
    EXPECT_TRUE(m.rect().contains(inWindow(&m.leftColumn())));
}

TEST_F(ColumnTest, BackIsOneButtonWithItsLabelBeforeForward)
{
    MainWindow& m = startShown();
    LeftColumn& column = m.leftColumn();
    QToolButton* back = column.backButton();
    QToolButton* forward = column.forwardButton();
    EXPECT_FALSE(column.backLabelShown()) << "nothing to go back to";
    m.ShowPanel(98);
    settle();
    ASSERT_TRUE(back->isEnabled());
    EXPECT_TRUE(column.backLabelShown());
    EXPECT_EQ(back->text(), QStringLiteral("Back"));
    EXPECT_EQ(back->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    // The arrows are as large as the toolbar's pictures, and the label is
    // part of the Back button: clicking anywhere on it goes back.
    const QSize picture = edit->button(1)->iconSize();
    EXPECT_EQ(back->iconSize(), picture);
    EXPECT_EQ(forward->iconSize(), picture);
    EXPECT_FALSE(back->icon().isNull());
    EXPECT_FALSE(forward->icon().isNull());
    EXPECT_GE(back->width(), back->sizeHint().width());
    EXPECT_GE(back->height(), back->sizeHint().height());
    EXPECT_LT(back->x(), forward->x()) << "Back stands before forward";
    EXPECT_TRUE(column.guidanceBox()->rect().contains(
        QRect(back->mapTo(column.guidanceBox(), QPoint(0, 0)), back->size())));
}

TEST_F(ColumnTest, EveryToolbarButtonIsOnScreenFrom1024PixelsOn)
{
    MainWindow& m = startShown();
    m.resize(1024, 740);
    // A group and a line selected: every selection button is due, and after
    // a copy the paste button too.
    selected(KindLine);
    selected(KindRectangle);
    ASSERT_TRUE(JoinSelection(*edit->activeSandbox()));
    selected(KindLine);
    QToolBar* row = edit->toolbar();
    edit->refreshCommands();
    for (QToolButton* b : row->findChildren<QToolButton*>())
        if (b->toolTip() == QStringLiteral("Copy to clipboard"))
            b->click();
    edit->refreshCommands();
    settle();
    int shown = 0;
    for (QAction* a : row->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        QWidget* b = row->widgetForAction(a);
        ASSERT_NE(b, nullptr);
        const std::string what = b->toolTip().toStdString();
        EXPECT_TRUE(b->isVisible()) << what;
        EXPECT_TRUE(m.rect().contains(inWindow(b))) << what;
        ++shown;
    }
    EXPECT_GE(shown, 32);
    QStringList due = {QStringLiteral("Erase the selected item"), QStringLiteral("Copy to clipboard"),
                       QStringLiteral("Place the selected item on top of other objects"),
                       QStringLiteral("Place the selected item behind other objects"), QStringLiteral("Join items")};
    for (QToolButton* b : row->findChildren<QToolButton*>())
        if (b->isVisible())
            due.removeAll(b->toolTip());
    EXPECT_TRUE(due.isEmpty()) << due.join(QStringLiteral(", ")).toStdString();
    for (QToolButton* b : row->findChildren<QToolButton*>())
        if (b->objectName() == QLatin1String("qt_toolbar_ext_button"))
            EXPECT_FALSE(b->isVisible()) << "nothing is left over for the overflow menu";
    for (QWidget* zoom : {static_cast<QWidget*>(m.zoomControls().zoomInButton()),
                          static_cast<QWidget*>(m.zoomControls().zoomOutButton())})
        EXPECT_TRUE(m.rect().contains(inWindow(zoom)));
    EXPECT_LE(m.toolFrameWidthNeeded(), 1024);
}

} // namespace
} // namespace vlm::test

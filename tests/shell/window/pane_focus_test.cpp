// F6 moves the keyboard between the canvas and the left column; Tab stays the
// canvas's own key.

#include "shell_fixture.h"

#include "shell/commands/edit_commands.h"
#include "shell/window/key_routing.h"
#include "shell/window/left_column.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

namespace vlm::test {
namespace {

TEST_F(ShellTest, F6MovesTheKeyboardBetweenTheCanvasAndTheLeftColumn)
{
    MainWindow& m = start();
    auto* edit = new EditCommands(m);
    new KeyRouting(m, *edit);
    m.Timer2Timer();
    ASSERT_NE(m.activeWindow(), nullptr);

    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    auto* hidden = new QPushButton(QStringLiteral("Hidden"));
    auto* first = new QPushButton(QStringLiteral("First"));
    auto* second = new QPushButton(QStringLiteral("Second"));
    layout->addWidget(hidden);
    layout->addWidget(first);
    layout->addWidget(second);
    hidden->hide();
    m.leftColumn().showPanelWidget(panel);

    m.show();
    m.activateWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &m);
    QWidget* canvas = &m.activeWindow()->view();
    canvas->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), canvas);

    // Pressed on the canvas, F6 reaches the first visible control of the
    // column (the key is not the canvas's).
    QTest::keyClick(canvas, Qt::Key_F6);
    QCoreApplication::processEvents();
    QWidget* reached = QApplication::focusWidget();
    ASSERT_NE(reached, nullptr);
    EXPECT_TRUE(m.leftColumn().isAncestorOf(reached));
    EXPECT_NE(reached, hidden);

    // Shift+F6 from the column goes back to the canvas of the front document.
    QTest::keyClick(reached, Qt::Key_F6, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), canvas);

    auto* action = m.findChild<QAction*>(QStringLiteral("nextPane"));
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->text().isEmpty()) << "the action has a name a screen reader can read";
}

} // namespace
} // namespace vlm::test

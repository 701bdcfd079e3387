// A document window on a screen with two device pixels per logical pixel:
// the parts laid out as on any screen, the pointer handed to the editing
// layer in device pixels, and a Marker grabbed where it is drawn.

#include "shell_fixture.h"

#include "shell/commands/edit_commands.h"
#include "shell/window/view_widget.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace vlm::test {
namespace {

struct DenseScreenTest : ShellTest {
    static void send(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
};

TEST_F(DenseScreenTest, AMarkerIsGrabbedWhereItIsDrawn)
{
    MainWindow& m = start();
    auto* edit = new EditCommands(m);
    m.Timer2Timer();
    DocumentWindow* window = m.activeWindow();
    ASSERT_NE(window, nullptr);
    ViewWidget& widget = window->view();
    const QRect viewportAtOne = widget.viewport()->geometry();
    widget.setDeviceRatio(2.0);
    DocumentView& view = widget.view();
    ASSERT_EQ(view.deviceRatio(), 2.0);
    EXPECT_EQ(view.documentZoom(), 1.0);
    // The window's parts stay where they were; only their pixels are finer.
    EXPECT_EQ(widget.viewport()->geometry(), viewportAtOne);
    EXPECT_EQ(widget.rulerX()->height(), 12);

    edit->ChooseTool(98, true);
    Sandbox* box = edit->activeSandbox();
    ASSERT_NE(box, nullptr);
    // Canvas pixels are device pixels: the line runs 10,10 to 60,30 in the document.
    click(*box, view.toCanvasX(10), view.toCanvasY(10));
    click(*box, view.toCanvasX(60), view.toCanvasY(30));
    Item* line = FindVisibleByKind(window->document().items, KindLine);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->rec.d.x1, 10);
    EXPECT_EQ(line->rec.d.x2, 60);
    EXPECT_EQ(line->rec.d.y2, 30);

    box->EnterToolMode(PanelCode::LineFineTune); // the pointer tool
    SelectLast(window->document().items);
    view.RepaintAll(true);
    view.MarkerTimer();
    const MarkerOverlay::ItemMarkers* placed = view.markers().find(line->rec.d.sequence);
    ASSERT_NE(placed, nullptr);
    ASSERT_FALSE(placed->markers.empty());
    // The Marker at the far end, drawn 16 device pixels wide: 8 logical ones.
    const Marker* end = nullptr;
    for (const Marker& marker : placed->markers)
        if (marker.at == QPoint(view.toCanvasX(60), view.toCanvasY(30)))
            end = &marker;
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->hitBox.width(), 18);

    // Grabbed 3 logical pixels off its centre, where the pointer sees it.
    const QPointF grab = (QPointF(end->at + view.canvasPosition()) / 2.0) + QPointF(3.25, -2.75);
    QWidget* viewport = widget.viewport();
    send(viewport, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, grab + QPointF(10, 5), Qt::LeftButton);
    send(viewport, QEvent::MouseMove, grab + QPointF(20, 10), Qt::LeftButton);
    send(viewport, QEvent::MouseButtonRelease, grab + QPointF(20, 10), Qt::NoButton);
    line = FindVisibleByKind(window->document().items, KindLine);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->rec.d.x1, 10) << "the other end stays";
    EXPECT_NEAR(line->rec.d.x2, 80, 2);
    EXPECT_NEAR(line->rec.d.y2, 40, 2);
}

} // namespace
} // namespace vlm::test

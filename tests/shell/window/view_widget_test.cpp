// The document view's widget: its parts placed from the layout, scroll bars
// driving the canvas window, the mouse handed on in the right coordinates,
// and the one-shot timers.

#include "shell/window/view_widget.h"

#include "model/document.h"
#include "model/item_list.h"

#include <QMouseEvent>
#include <QCoreApplication>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vlm {
namespace {

struct Recorder : CanvasInput {
    std::vector<std::string> calls;
    void note(const char* what, const CanvasMouse& m)
    {
        calls.push_back(std::string(what) + " " + std::to_string(m.x) + "," + std::to_string(m.y) +
                        (m.shift ? " shift" : ""));
    }
    void Image1MouseDown(const CanvasMouse& m) override { note("down", m); }
    void Image1MouseMove(const CanvasMouse& m) override { note("move", m); }
    void Image1MouseUp(const CanvasMouse& m) override { note("up", m); }
    void background1MouseDown(const CanvasMouse& m) override { note("strip down", m); }
    void rulerXMouseDown(const CanvasMouse& m) override { note("rulerX down", m); }
};

void Send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers mods = {})
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, mods);
    QCoreApplication::sendEvent(w, &e);
}

void MakePage(Document& doc, double w, double h, double zoom)
{
    DocumentDefaults d;
    d.units = 1;
    d.pixelsPerUnitX = d.pixelsPerUnitY = 1.0;
    d.blocks[0] = {25.0, 25.0, 20.0, 30.0, w, h};
    d.zoom = zoom;
    InitDocument(doc, d, OpenDocumentList{});
}

TEST(ViewWidget, LaysOutAZoomedPageOf3000PixelsWithBothScrollBars)
{
    Document doc;
    MakePage(doc, 1500, 1500, 2.0);
    ViewWidget w(doc, ViewSettings{});
    w.resize(812, 612);
    w.relayout();
    const int t = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    EXPECT_EQ(w.corner1()->geometry(), QRect(0, 0, 12, 12));
    EXPECT_EQ(w.viewport()->geometry(), QRect(12, 12, 800 - t, 600 - t));
    EXPECT_EQ(w.rulerX()->geometry(), QRect(12, 0, 800 - t, 12));
    ASSERT_FALSE(w.ScrollBarX()->isHidden());
    ASSERT_FALSE(w.ScrollBarY()->isHidden());
    EXPECT_FALSE(w.Panel1()->isHidden());
    // The page runs from 40 to 3040 across and 60 to 3060 down.
    EXPECT_EQ(w.ScrollBarX()->maximum(), 3040 - (800 - t) + 12 + t);
    EXPECT_EQ(w.ScrollBarY()->maximum(), 3060 - (600 - t) + 12 + t);
    EXPECT_EQ(w.ScrollBarX()->pageStep(), 800 - t);

    // Moving a bar moves the canvas window with it.
    w.ScrollBarX()->setValue(1800);
    EXPECT_EQ(w.view().scrollX(), 1800);
    EXPECT_EQ(w.view().windowOrigin().x(), 1400);

    // A bigger window has room for everything: the bars go.
    w.resize(4000, 4000);
    w.relayout();
    EXPECT_TRUE(w.ScrollBarX()->isHidden());
    EXPECT_TRUE(w.Panel1()->isHidden());
    EXPECT_EQ(w.view().scrollX(), 0);
}

TEST(ViewWidget, MouseReachesTheEditingLayerInCanvasPixels)
{
    Document doc;
    MakePage(doc, 300, 200, 1.0);
    ViewWidget w(doc, ViewSettings{});
    w.resize(612, 412);
    w.relayout();
    QWidget* viewport = w.viewport();
    const QPoint canvasAt = w.view().canvasPosition();
    ASSERT_EQ(canvasAt, QPoint(20, 30));

    // Without an editing layer the mouse is ignored.
    Send(viewport, QEvent::MouseButtonPress, canvasAt + QPoint(5, 5), Qt::LeftButton);
    Send(viewport, QEvent::MouseButtonRelease, canvasAt + QPoint(5, 5), Qt::NoButton);

    Recorder r;
    w.setCanvasInput(&r);
    Send(viewport, QEvent::MouseButtonPress, canvasAt + QPoint(10, 7), Qt::LeftButton, Qt::ShiftModifier);
    // A drag leaving the canvas stays with it.
    Send(viewport, QEvent::MouseMove, QPoint(5, 5), Qt::LeftButton);
    Send(viewport, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    // Outside the canvas a press belongs to the anchor strips.
    Send(viewport, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    Send(viewport, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    Send(w.rulerX(), QEvent::MouseButtonPress, QPoint(33, 4), Qt::LeftButton);

    const std::vector<std::string> expected = {"down 10,7 shift", "move -15,-25", "up -15,-25", "strip down 5,5",
                                               "rulerX down 33,4"};
    EXPECT_EQ(r.calls, expected);
}

TEST(ViewWidget, RepaintsAndZoomStartTheirTimers)
{
    Document doc;
    MakePage(doc, 300, 200, 1.0);
    ViewWidget w(doc, ViewSettings{});
    w.resize(612, 412);
    w.relayout();
    w.repaintRect(QRect(0, 0, 10, 10));
    EXPECT_TRUE(w.markerTimerActive());

    int placed = 0;
    w.view().hooks().placeMarkers = [&] { ++placed; };
    w.markerTimerTimeout();
    EXPECT_EQ(placed, 1);

    w.setZoom(2.0);
    EXPECT_EQ(w.view().canvas().width(), 600);
    EXPECT_TRUE(w.refineTimerActive());
    w.refineTimerTimeout();
    while (w.passRunning())
        w.paintStepTimeout();

    int done = 0;
    w.view().hooks().progressiveDone = [&] { ++done; };
    w.scheduleProgressivePaint();
    EXPECT_TRUE(w.progressiveTimerActive());
    w.progressiveTimerTimeout();
    while (w.passRunning())
        w.paintStepTimeout();
    EXPECT_EQ(done, 1);

    w.beginClose();
    EXPECT_FALSE(w.markerTimerActive() || w.refineTimerActive() || w.progressiveTimerActive());
}

TEST(ViewWidget, OnADenseScreenThePartsStayAndThePointerArrivesInDevicePixels)
{
    Document doc;
    MakePage(doc, 300, 200, 1.0);
    ViewWidget w(doc, ViewSettings{});
    w.resize(612, 412);
    w.relayout();
    const QRect viewportAtOne = w.viewport()->geometry();
    for (double r : {1.5, 2.0, 3.0}) {
        SCOPED_TRACE(r);
        w.setDeviceRatio(r);
        EXPECT_EQ(w.view().deviceRatio(), r);
        EXPECT_EQ(w.viewport()->geometry(), viewportAtOne);
        EXPECT_EQ(w.rulerX()->geometry(), QRect(12, 0, viewportAtOne.width(), 12));
        EXPECT_EQ(w.view().canvas().width(), static_cast<int>(300 * r));
    }
    w.setDeviceRatio(2.0);
    const QPoint canvasAt = w.view().canvasPosition();
    ASSERT_EQ(canvasAt, QPoint(40, 60));

    Recorder rec;
    w.setCanvasInput(&rec);
    // Logical 20 + 10 across is device 60, 20 into the canvas.
    Send(w.viewport(), QEvent::MouseButtonPress, QPoint(30, 37), Qt::LeftButton);
    Send(w.viewport(), QEvent::MouseButtonRelease, QPoint(30, 37), Qt::NoButton);
    Send(w.viewport(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    Send(w.rulerX(), QEvent::MouseButtonPress, QPoint(33, 4), Qt::LeftButton);
    const std::vector<std::string> expected = {"down 20,14", "up 20,14", "strip down 10,10", "rulerX down 66,8"};
    EXPECT_EQ(rec.calls, expected);

    // Scroll positions are device pixels too: a zoomed page scrolls as far.
    w.setZoom(4.0);
    ASSERT_FALSE(w.ScrollBarX()->isHidden());
    EXPECT_EQ(w.ScrollBarX()->maximum(), w.view().geometry().scrollBarX.maximum);
    w.ScrollBarX()->setValue(500);
    EXPECT_EQ(w.view().scrollX(), 500);

    // Back on an ordinary screen, as if it had never left.
    w.setDeviceRatio(1.0);
    w.setZoom(1.0);
    EXPECT_EQ(w.viewport()->geometry(), viewportAtOne);
    EXPECT_EQ(w.view().canvasPosition(), QPoint(20, 30));
    EXPECT_EQ(w.view().canvas().width(), 300);
}

} // namespace
} // namespace vlm

#pragma once

// The content of a document window: the corner square, the two rulers, the
// viewport with the backdrop and the page canvas, the scroll bars and the
// panel between them. Everything it shows is painted by its DocumentView;
// the widget lays itself out from the view's geometry, scrolls, runs the
// view's one-shot timers and hands the mouse to the editing layer.

#include "render/document_view.h"
#include "render/raster_effects.h"
#include "render/view_input.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QScrollBar;

namespace vlm {

class ViewPane;

class ViewWidget : public QWidget {
public:
    static constexpr int kTimerMs = 100;

    ViewWidget(Document& document, const ViewSettings& settings, QWidget* parent = nullptr);
    ~ViewWidget() override;

    DocumentView& view() { return *view_; }
    const DocumentView& view() const { return *view_; }

    // The editing layer; null ignores the mouse.
    void setCanvasInput(CanvasInput* input) { input_ = input; }
    CanvasInput* canvasInput() const { return input_; }

    // Draws at this device pixel ratio from now on instead of the screen's
    // (0: the screen's again). Tests use it; the screen's ratio is followed
    // when the window is shown or moves to another screen.
    void setDeviceRatio(double ratio);
    // Lays the view out for the current size (after a page change).
    void relayout();
    // Zoom applied to this window: fast-painted at once, refined 100 ms later.
    void setZoom(double zoom);
    void repaintAll(bool showMarkers);
    void repaintRect(const QRect& canvasRect);
    // After a load: the Items appear one by one 100 ms from now.
    void scheduleProgressivePaint();
    // Closing: no more layout, timers stopped.
    void beginClose();

    // The wheel with Ctrl held: whole notches (positive away from the user)
    // at a point of the viewport (device pixels, as the view's coordinates).
    // Without a receiver the wheel scrolls.
    std::function<void(int notches, QPoint viewportPoint)> onCtrlWheel;
    // A context menu asked for over the canvas (right button or menu key):
    // the canvas point and the screen point.
    std::function<void(QPoint canvasPoint, QPoint globalPoint)> onContextMenu;

    // Timer handlers; tests call them instead of waiting.
    void markerTimerTimeout();
    void refineTimerTimeout();
    void progressiveTimerTimeout();
    // One slice of a running refinement or progressive pass; false when done.
    bool paintStepTimeout();

    bool markerTimerActive() const { return markerTimer_.isActive(); }
    bool refineTimerActive() const { return refineTimer_.isActive(); }
    bool progressiveTimerActive() const { return progressiveTimer_.isActive(); }
    bool passRunning() const { return pass_ != Pass::None; }

    // The window's parts, named as the window names them.
    QWidget* corner1() const;
    QWidget* rulerX() const;
    QWidget* rulerY() const;
    QWidget* viewport() const; // Panel0
    QScrollBar* ScrollBarX() const { return scrollBarX_; }
    QScrollBar* ScrollBarY() const { return scrollBarY_; }
    QWidget* Panel1() const { return panel1_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class Host;
    enum class Pass { None, Refine, Progressive };

    void applyGeometry();
    void followScreen();
    void scrolled(ViewDirection direction, int position);

    std::unique_ptr<Host> host_;
    // Shadows and the "Round" surface of the Items this window shows.
    std::unique_ptr<RasterEffects> effects_;
    std::unique_ptr<DocumentView> view_;
    CanvasInput* input_ = nullptr;

    ViewPane* corner1_ = nullptr;
    ViewPane* rulerX_ = nullptr;
    ViewPane* rulerY_ = nullptr;
    ViewPane* viewport_ = nullptr;
    QScrollBar* scrollBarX_ = nullptr;
    QScrollBar* scrollBarY_ = nullptr;
    QWidget* panel1_ = nullptr;

    QTimer markerTimer_;
    QTimer refineTimer_;
    QTimer progressiveTimer_;
    QTimer stepTimer_; // drives a pass slice by slice, the event loop running between
    Pass pass_ = Pass::None;
    bool applyingGeometry_ = false;
    double forcedRatio_ = 0.0; // 0: the screen's
    int wheelZoomRest_ = 0; // of a smooth wheel, less than a notch so far

    friend class ViewPane;
};

} // namespace vlm

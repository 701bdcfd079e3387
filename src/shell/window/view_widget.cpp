#include "shell/window/view_widget.h"

#include "pictures/picture_services.h"
#include "render/device_pixels.h"
#include "render/picture_render.h"
#include "render/resample.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace vlm {

namespace {

// A pass gives the event loop a turn after this long, so input is never
// held up by more than a few Items.
constexpr qint64 kPassSliceMs = 12;

constexpr int kWheelStep = 40;

CanvasMouse ToCanvasMouse(const QMouseEvent& e, QPoint at)
{
    CanvasMouse m;
    m.x = at.x();
    m.y = at.y();
    switch (e.button()) {
    case Qt::LeftButton:
        m.button = MouseButton::Left;
        break;
    case Qt::RightButton:
        m.button = MouseButton::Right;
        break;
    case Qt::MiddleButton:
        m.button = MouseButton::Middle;
        break;
    default:
        m.button = MouseButton::None;
        break;
    }
    m.leftHeld = (e.buttons() & Qt::LeftButton) != 0;
    m.rightHeld = (e.buttons() & Qt::RightButton) != 0;
    m.shift = (e.modifiers() & Qt::ShiftModifier) != 0;
    m.ctrl = (e.modifiers() & Qt::ControlModifier) != 0;
    m.alt = (e.modifiers() & Qt::AltModifier) != 0;
    return m;
}

} // namespace

// One visual part of the window, painted from the view's bitmaps.
class ViewPane : public QWidget {
public:
    enum class Part { Corner, RulerX, RulerY, Viewport };

    ViewPane(ViewWidget& owner, Part part) : QWidget(&owner), owner_(owner), part_(part)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        const DocumentView& v = owner_.view();
        switch (part_) {
        case Part::Corner:
            p.fillRect(rect(), QColor(0xE4, 0xE4, 0xE4));
            break;
        case Part::RulerX:
            showBitmap(p, v.rulerXBitmap(), QPoint(), event->rect());
            break;
        case Part::RulerY:
            showBitmap(p, v.rulerYBitmap(), QPoint(), event->rect());
            break;
        case Part::Viewport:
            showBitmap(p, v.backdrop(), QPoint(), event->rect());
            showBitmap(p, v.canvas(), v.canvasPosition(), event->rect());
            break;
        }
    }

    void mousePressEvent(QMouseEvent* e) override { dispatch(e, Phase::Down); }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        const DocumentView& v = owner_.view();
        const QRect canvas(v.canvasPosition(), QSize(v.canvas().width(), v.canvas().height()));
        const double ratio = v.deviceRatio();
        // The menu key has no pointer position: the middle of the canvas shown.
        const QPoint at = e->reason() == QContextMenuEvent::Mouse ? toDevicePoint(e->pos(), ratio)
                                                                  : (canvas & toDeviceRect(rect(), ratio)).center();
        if (part_ != Part::Viewport || !owner_.onContextMenu || !canvas.contains(at)) {
            e->ignore();
            return;
        }
        owner_.onContextMenu(at - canvas.topLeft(), mapToGlobal(QPointF(at) / ratio).toPoint());
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override { dispatch(e, Phase::Move); }
    void mouseReleaseEvent(QMouseEvent* e) override { dispatch(e, Phase::Up); }
    // The second press of a double-click is a press first.
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        dispatch(e, Phase::Down);
        dispatch(e, Phase::Double);
    }

private:
    enum class Phase { Down, Move, Up, Double };

    // Shows the part of `bitmap` (device pixels, its top left at `at` in
    // device pixels of this pane) that falls in the logical area `dirty`.
    void showBitmap(QPainter& p, const Bitmap& bitmap, QPoint at, const QRect& dirty) const
    {
        const double ratio = owner_.view().deviceRatio();
        const QRect placed(at, QSize(bitmap.width(), bitmap.height()));
        if (ratio == 1.0) {
            const QRect shown = placed & dirty;
            if (!shown.isEmpty())
                p.drawImage(shown.topLeft(), bitmap.image(), shown.translated(-at));
            return;
        }
        // One device pixel of the bitmap on each device pixel of the screen.
        const QRect shown = placed & toDeviceRect(dirty, ratio);
        if (shown.isEmpty())
            return;
        const QRectF target(shown.x() / ratio, shown.y() / ratio, shown.width() / ratio, shown.height() / ratio);
        p.drawImage(target, bitmap.image(), shown.translated(-at));
    }
    enum class Target { None, Canvas, Backdrop };

    void dispatch(QMouseEvent* e, Phase phase)
    {
        CanvasInput* input = owner_.canvasInput();
        if (!input)
            return;
        // The editing layer sees device pixels, as the canvas has them.
        const double ratio = owner_.view().deviceRatio();
        const QPoint at = ratio == 1.0 ? e->position().toPoint() : toDevicePoint(e->position(), ratio);
        if (phase == Phase::Double) {
            const DocumentView& v = owner_.view();
            const QRect canvas(v.canvasPosition(), QSize(v.canvas().width(), v.canvas().height()));
            if (part_ == Part::Viewport && canvas.contains(at))
                input->Image1DblClick(ToCanvasMouse(*e, at - canvas.topLeft()));
            return;
        }
        switch (part_) {
        case Part::Corner:
            return;
        case Part::RulerX: {
            const CanvasMouse m = ToCanvasMouse(*e, at);
            phase == Phase::Down ? input->rulerXMouseDown(m)
                : phase == Phase::Move ? input->rulerXMouseMove(m) : input->rulerXMouseUp(m);
            return;
        }
        case Part::RulerY: {
            const CanvasMouse m = ToCanvasMouse(*e, at);
            phase == Phase::Down ? input->rulerYMouseDown(m)
                : phase == Phase::Move ? input->rulerYMouseMove(m) : input->rulerYMouseUp(m);
            return;
        }
        case Part::Viewport:
            break;
        }
        const DocumentView& v = owner_.view();
        const QRect canvas(v.canvasPosition(), QSize(v.canvas().width(), v.canvas().height()));
        // A gesture stays with the part it started on until the button is
        // released, wherever the pointer goes meanwhile.
        Target target = captured_;
        if (target == Target::None)
            target = canvas.contains(at) ? Target::Canvas : Target::Backdrop;
        if (phase == Phase::Down)
            captured_ = target;
        else if (phase == Phase::Up || e->buttons() == Qt::NoButton)
            captured_ = Target::None;
        if (target == Target::Canvas) {
            const CanvasMouse m = ToCanvasMouse(*e, at - canvas.topLeft());
            phase == Phase::Down ? input->Image1MouseDown(m)
                : phase == Phase::Move ? input->Image1MouseMove(m) : input->Image1MouseUp(m);
        } else {
            const CanvasMouse m = ToCanvasMouse(*e, at);
            phase == Phase::Down ? input->background1MouseDown(m)
                : phase == Phase::Move ? input->background1MouseMove(m) : input->background1MouseUp(m);
        }
    }

    ViewWidget& owner_;
    Part part_;
    Target captured_ = Target::None;
};

class ViewWidget::Host : public ViewHost {
public:
    explicit Host(ViewWidget& w) : w_(w) {}

    void startTimer(ViewTimer which) override
    {
        switch (which) {
        case ViewTimer::Marker:
            w_.markerTimer_.start();
            break;
        case ViewTimer::Refine:
            w_.refineTimer_.start();
            break;
        case ViewTimer::Progressive:
            w_.progressiveTimer_.start();
            break;
        }
    }
    void canvasChanged(const QRect& r) override
    {
        if (w_.viewport_)
            w_.viewport_->update(toLogicalRect(r.translated(w_.view_->canvasPosition()), w_.view_->deviceRatio()));
    }
    void backdropChanged() override
    {
        if (w_.viewport_)
            w_.viewport_->update();
    }
    void rulerChanged(ViewDirection d) override
    {
        ViewPane* ruler = d == ViewDirection::Vertical ? w_.rulerY_ : w_.rulerX_;
        if (ruler)
            ruler->update();
    }

private:
    ViewWidget& w_;
};

ViewWidget::ViewWidget(Document& document, const ViewSettings& settings, QWidget* parent)
    : QWidget(parent), host_(std::make_unique<Host>(*this))
{
    // Clips are drawn with the program's decoders.
    effects_ = std::make_unique<RasterEffects>(PictureRendererFor(PictureServicesInstance()));
    view_ = std::make_unique<DocumentView>(document, settings, host_.get());
    view_->setEffects(effects_.get());
    view_->hooks().stretch = [](const Bitmap& source, Bitmap& destination) { resample(source, destination, 4); };
    view_->setDeviceRatio(devicePixelRatioF());

    corner1_ = new ViewPane(*this, ViewPane::Part::Corner);
    rulerX_ = new ViewPane(*this, ViewPane::Part::RulerX);
    rulerY_ = new ViewPane(*this, ViewPane::Part::RulerY);
    viewport_ = new ViewPane(*this, ViewPane::Part::Viewport);
    scrollBarX_ = new QScrollBar(Qt::Horizontal, this);
    scrollBarY_ = new QScrollBar(Qt::Vertical, this);
    panel1_ = new QWidget(this);
    panel1_->setAutoFillBackground(true);
    scrollBarX_->hide();
    scrollBarY_->hide();
    panel1_->hide();
    scrollBarX_->setSingleStep(kWheelStep / 2);
    scrollBarY_->setSingleStep(kWheelStep / 2);
    connect(scrollBarX_, &QScrollBar::valueChanged, this,
            [this](int v) { scrolled(ViewDirection::Horizontal, v); });
    connect(scrollBarY_, &QScrollBar::valueChanged, this, [this](int v) { scrolled(ViewDirection::Vertical, v); });

    for (QTimer* t : {&markerTimer_, &refineTimer_, &progressiveTimer_}) {
        t->setSingleShot(true);
        t->setInterval(kTimerMs);
    }
    stepTimer_.setSingleShot(true);
    stepTimer_.setInterval(0);
    connect(&markerTimer_, &QTimer::timeout, this, [this] { markerTimerTimeout(); });
    connect(&refineTimer_, &QTimer::timeout, this, [this] { refineTimerTimeout(); });
    connect(&progressiveTimer_, &QTimer::timeout, this, [this] { progressiveTimerTimeout(); });
    connect(&stepTimer_, &QTimer::timeout, this, [this] { paintStepTimeout(); });
}

ViewWidget::~ViewWidget()
{
    beginClose();
}

QWidget* ViewWidget::corner1() const
{
    return corner1_;
}

QWidget* ViewWidget::rulerX() const
{
    return rulerX_;
}

QWidget* ViewWidget::rulerY() const
{
    return rulerY_;
}

QWidget* ViewWidget::viewport() const
{
    return viewport_;
}

void ViewWidget::setDeviceRatio(double ratio)
{
    forcedRatio_ = ratio;
    followScreen();
}

void ViewWidget::followScreen()
{
    const double ratio = usableRatio(forcedRatio_ > 0.0 ? forcedRatio_ : devicePixelRatioF());
    if (ratio == view_->deviceRatio())
        return;
    view_->setDeviceRatio(ratio);
    scrollBarX_->setSingleStep(scaledLength(kWheelStep / 2, ratio));
    scrollBarY_->setSingleStep(scaledLength(kWheelStep / 2, ratio));
    applyGeometry();
}

void ViewWidget::relayout()
{
    view_->LayoutView(size(), style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    applyGeometry();
}

void ViewWidget::applyGeometry()
{
    const ViewGeometry& g = view_->geometry();
    // The view lays itself out in device pixels.
    const double ratio = view_->deviceRatio();
    applyingGeometry_ = true;
    corner1_->setGeometry(toLogicalPlace(g.corner1, ratio));
    rulerX_->setGeometry(toLogicalPlace(g.rulerX, ratio));
    rulerY_->setGeometry(toLogicalPlace(g.rulerY, ratio));
    viewport_->setGeometry(toLogicalPlace(g.viewport, ratio));
    const auto place = [ratio](QScrollBar* bar, const ScrollBarLayout& layout, int value) {
        bar->setVisible(layout.visible);
        if (!layout.visible)
            return;
        bar->setGeometry(toLogicalPlace(layout.rect, ratio));
        bar->setRange(0, layout.maximum);
        bar->setPageStep(layout.pageStep);
        bar->setValue(value);
    };
    place(scrollBarX_, g.scrollBarX, view_->scrollX());
    place(scrollBarY_, g.scrollBarY, view_->scrollY());
    panel1_->setVisible(g.panel1Visible);
    if (g.panel1Visible)
        panel1_->setGeometry(toLogicalPlace(g.panel1, ratio));
    applyingGeometry_ = false;
    viewport_->update();
    rulerX_->update();
    rulerY_->update();
}

void ViewWidget::scrolled(ViewDirection direction, int position)
{
    if (applyingGeometry_)
        return;
    view_->ScrollTo(direction, position);
    viewport_->update();
}

void ViewWidget::setZoom(double zoom)
{
    // A pass of the old zoom would draw over the new canvas.
    stepTimer_.stop();
    pass_ = Pass::None;
    view_->ApplyZoom(zoom);
    applyGeometry();
}

void ViewWidget::repaintAll(bool showMarkers)
{
    view_->RepaintAll(showMarkers);
}

void ViewWidget::repaintRect(const QRect& canvasRect)
{
    view_->RepaintRect(canvasRect);
}

void ViewWidget::scheduleProgressivePaint()
{
    stepTimer_.stop();
    pass_ = Pass::None;
    view_->ScheduleProgressivePaint();
}

void ViewWidget::beginClose()
{
    view_->setClosing(true);
    for (QTimer* t : {&markerTimer_, &refineTimer_, &progressiveTimer_, &stepTimer_})
        t->stop();
    pass_ = Pass::None;
}

void ViewWidget::markerTimerTimeout()
{
    view_->MarkerTimer();
}

void ViewWidget::refineTimerTimeout()
{
    view_->BeginRefine();
    pass_ = Pass::Refine;
    paintStepTimeout();
}

void ViewWidget::progressiveTimerTimeout()
{
    view_->BeginProgressivePaint();
    pass_ = Pass::Progressive;
    paintStepTimeout();
}

bool ViewWidget::paintStepTimeout()
{
    QElapsedTimer clock;
    clock.start();
    while (pass_ != Pass::None) {
        const bool more = pass_ == Pass::Refine ? view_->RefineStep() : view_->ProgressiveStep();
        if (!more) {
            pass_ = Pass::None;
            return false;
        }
        if (clock.elapsed() >= kPassSliceMs) {
            stepTimer_.start();
            return true;
        }
    }
    return false;
}

bool ViewWidget::event(QEvent* event)
{
    // Moved to another screen, or its scaling changed: draw at the new density.
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show)
        followScreen();
    return QWidget::event(event);
}

void ViewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void ViewWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if ((event->modifiers() & Qt::ControlModifier) && onCtrlWheel) {
        wheelZoomRest_ += delta.y() != 0 ? delta.y() : delta.x();
        const int notches = wheelZoomRest_ / 120;
        wheelZoomRest_ -= notches * 120;
        if (notches != 0)
            onCtrlWheel(notches, toDevicePoint(event->position() - QPointF(viewport_->pos()), view_->deviceRatio()));
        event->accept();
        return;
    }
    const bool sideways = (event->modifiers() & Qt::ShiftModifier) != 0 || delta.y() == 0;
    QScrollBar* bar = sideways ? scrollBarX_ : scrollBarY_;
    const int amount = sideways && delta.x() != 0 ? delta.x() : delta.y();
    if (!bar->isVisible() || amount == 0) {
        event->ignore();
        return;
    }
    // Scroll positions are device pixels: the same distance on every screen.
    bar->setValue(bar->value() - scaledLength(amount * kWheelStep / 120, view_->deviceRatio()));
    event->accept();
}

} // namespace vlm

#include "edit/sandbox.h"

#include "edit/creation.h"
#include "edit/new_items.h"
#include "platform/canvas.h"
#include "render/pens.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numbers>

namespace vlm {

namespace {

bool IsPointerGestureMode(int mode)
{
    switch (mode) {
    case ToolMode::AreaSelection:
    case ToolMode::TextDrag:
    case ToolMode::ShapeDrag:
    case ToolMode::CircleDrag:
    case ToolMode::EllipseDrag:
    case ToolMode::PictureDrag:
    case ToolMode::PastePlacement:
    case ToolMode::GroupRotation:
    case ToolMode::LineDrag:
        return true;
    default:
        return false;
    }
}

Qt::KeyboardModifiers ModifiersOf(const CanvasMouse& m)
{
    Qt::KeyboardModifiers mods;
    if (m.shift)
        mods |= Qt::ShiftModifier;
    if (m.ctrl)
        mods |= Qt::ControlModifier;
    if (m.alt)
        mods |= Qt::AltModifier;
    return mods;
}

} // namespace

Sandbox::Sandbox(Document& document, DocumentView& view, Settings& settings, SandboxHooks hooks)
    : document_(document), view_(view), settings_(settings), hooks_(std::move(hooks)),
      scratch_(document.items.metrics())
{
    toolMode_ = StartingToolMode(settings_.defaultToolMode);
    pressHold_.setSingleShot(true);
    pressHold_.setInterval(kPressHoldDelayMs);
    QObject::connect(&pressHold_, &QTimer::timeout, &pressHold_, [this] { PressHoldDelayTimer(); });
    reactivation_.setSingleShot(true);
    reactivation_.setInterval(kReactivationDelayMs);
    QObject::connect(&reactivation_, &QTimer::timeout, &reactivation_, [this] { ReactivationTimer(); });
    // Every drag of the selection starts its edit step through the view.
    view_.hooks().beginEdit = [this] {
        BeginEditCopies(document_.items, history_);
        UpdateUndoCommands();
    };
}

Sandbox::~Sandbox() = default;

void Sandbox::DetachFromView() { view_.hooks().beginEdit = nullptr; }

// ---- Tool mode ----

int Sandbox::toolMode() const
{
    if (pointer_ && pointer_->toolMode() != ToolMode::Pointer)
        return pointer_->toolMode();
    return toolMode_;
}

bool Sandbox::pointerOwnsEvents() const
{
    const int mode = toolMode();
    return mode == ToolMode::Pointer || IsPointerGestureMode(mode);
}

void Sandbox::EnterToolMode(int code)
{
    if (code == PanelCode::EndTextEditing) {
        if (hooks_.endTextEditing)
            hooks_.endTextEditing();
        SelectOnly(document_.items, nullptr);
        view_.RepaintAll(false);
        return;
    }
    const int mode = ToolModeForPanel(code);
    if (mode < 0)
        return;
    switch (code) {
    case PanelCode::Spline: settings_.polyshape = settings_.polystate; break;
    case PanelCode::Solid: settings_.polyshape = VariantSolid; break;
    case PanelCode::Curve: settings_.bpolyshape = settings_.bpolystate; break;
    case PanelCode::Oblong: settings_.bpolyshape = VariantSolid; break;
    default: break;
    }
    leaveCreation();
    // A panel shown by the pointer tool itself (after a click selected or
    // deselected) must not break off the gesture that showed it.
    if (pointer_ && pointer_->toolMode() != ToolMode::Pointer && mode != ToolMode::Pointer)
        pointer_->cancel();
    toolMode_ = pointer_ && pointer_->toolMode() != ToolMode::Pointer ? pointer_->toolMode() : mode;
    if (mode == ToolMode::Line && hooks_.lineGuidance)
        hooks_.lineGuidance(1);
    // The Markers of the selection are put on again, where they belong.
    view_.RemoveMarkers();
    view_.MarkerTimer();
}

void Sandbox::ResetCreationState()
{
    if (IsSplineFamily(toolMode_) && !creationPoints_.empty())
        return;
    // A text being typed ends its own way (Esc, a press elsewhere, a tool).
    if (toolMode_ == ToolMode::Text || toolMode_ == ToolMode::TextEdit)
        return;
    erasePreview();
    resetCreation();
}

void Sandbox::PointerModeChanged(int mode)
{
    toolMode_ = mode;
    if (mode == ToolMode::Pointer)
        resetCreation();
}

// ---- Pointer preprocessing ----

// A drag of the pointer tool: its moves and its release put things where
// the grid says.
bool Sandbox::pointerDragging() const
{
    if (!pointer_)
        return false;
    const int mode = pointer_->toolMode();
    return mode != ToolMode::Pointer && mode != ToolMode::AreaSelection;
}

QPoint Sandbox::snappedCanvas(QPoint canvas) const
{
    QPoint document(view_.toDocumentX(canvas.x()), view_.toDocumentY(canvas.y()));
    if (!snap_)
        return canvas;
    document = snap_(document);
    return {view_.toCanvasX(document.x()), view_.toCanvasY(document.y())};
}

Sandbox::Pointer Sandbox::preprocess(int x, int y, bool snap)
{
    Pointer p;
    p.canvas = snap ? snappedCanvas({x, y}) : QPoint(x, y);
    p.document = {view_.toDocumentX(p.canvas.x()), view_.toDocumentY(p.canvas.y())};
    moveRulerCursors(p.canvas);
    return p;
}

void Sandbox::moveRulerCursors(QPoint canvas)
{
    const QPoint at = canvas + view_.canvasPosition();
    bool changed = false;
    for (ViewDirection dir : {ViewDirection::Horizontal, ViewDirection::Vertical}) {
        Bitmap& ruler = view_.rulerBitmap(dir);
        SaveUnder& under = view_.rulerHover(dir);
        changed |= under.restore(ruler);
        if (ruler.isNull())
            continue;
        const QRect line = dir == ViewDirection::Horizontal ? QRect(at.x(), 0, 1, ruler.height())
                                                            : QRect(0, at.y(), ruler.width(), 1);
        if (!line.intersects(QRect(0, 0, ruler.width(), ruler.height())))
            continue;
        under.take(ruler, line);
        Canvas c(ruler);
        c.fillRect(line, RGBRef(255, 0, 0));
        changed = true;
    }
    if (changed && hooks_.rulersChanged)
        hooks_.rulersChanged();
}

// ---- Canvas events ----

void Sandbox::Image1MouseDown(const CanvasMouse& m)
{
    ignoreUntilPress_ = false;
    if (m.button != MouseButton::Left)
        return;
    if (hooks_.pressFirst && hooks_.pressFirst({m.x, m.y})) {
        ignoreUntilPress_ = true; // its release belongs to it too
        return;
    }
    // A solid being placed takes its points from releases only: its presses
    // must not start the hold timer that would end the figure.
    if (toolMode_ == ToolMode::Solid && clickCount_ > 0 && !m.ctrl)
        return;
    if (m.ctrl && !pointerOwnsEvents()) {
        leaveCreation();
        toolMode_ = ToolMode::Pointer;
    }
    // The pointer tool hit-tests the Markers and outlines where they are
    // drawn, which may well be between two GridLines; only a drag that
    // press starts snaps.
    const bool pointerPress = pointerOwnsEvents();
    const Pointer p = preprocess(m.x, m.y, !pointerPress);
    pressPoint_ = p.document;
    pressCanvas_ = p.canvas;
    outlined_ = QRect(p.canvas, QSize(0, 0));

    if (pointerPress) {
        if (pointer_)
            pointer_->mouseDown(p.canvas, snappedCanvas(p.canvas), ModifiersOf(m));
        return;
    }
    view_.RemoveMarkers();
    switch (toolMode_) {
    case ToolMode::Text:
        if (clickCount_ != 1) {
            if (hooks_.endTextEditing)
                hooks_.endTextEditing();
            SelectOnly(document_.items, nullptr);
            view_.RepaintAll(false);
            clickCount_ = 0;
        }
        break;
    case ToolMode::TextEdit:
        if (hooks_.endTextEditing)
            hooks_.endTextEditing();
        toolMode_ = ToolMode::Pointer;
        return;
    default:
        if (IsShapeMode(toolMode_) && clickCount_ > 0)
            return;
        break;
    }
    holdArmed_ = true;
    pressHold_.start();
}

void Sandbox::PressHoldDelayTimer()
{
    pressHold_.stop();
    if (!holdArmed_)
        return;
    holdArmed_ = false;
    if (clickCount_ != 0)
        return;
    switch (toolMode_) {
    case ToolMode::Line:
    case ToolMode::Text:
    case ToolMode::Circle:
    case ToolMode::Star:
    case ToolMode::Pie:
    case ToolMode::Arc:
    case ToolMode::Polygon:
        firstPoint_ = pressPoint_;
        break;
    case ToolMode::Triangle:
    case ToolMode::Square:
    case ToolMode::Rectangle:
    case ToolMode::Ellipse:
    case ToolMode::Spline:
    case ToolMode::Solid:
    case ToolMode::Curve:
    case ToolMode::Oblong:
        firstPoint_ = pressPoint_;
        creationPoints_.assign(2, pressPoint_);
        break;
    default:
        return;
    }
    clickCount_ = 1;
    if (toolMode_ == ToolMode::Line && hooks_.lineGuidance)
        hooks_.lineGuidance(2);
}

void Sandbox::Image1MouseMove(const CanvasMouse& m)
{
    if (ignoreUntilPress_)
        return;
    const Pointer p = preprocess(m.x, m.y, !pointerOwnsEvents() || pointerDragging());
    lastMove_ = p.document;
    if (pointerOwnsEvents()) {
        if (toolMode() == ToolMode::AreaSelection)
            outlined_ = QRect(QPoint(std::min(pressCanvas_.x(), p.canvas.x()), std::min(pressCanvas_.y(), p.canvas.y())),
                              QSize(std::abs(p.canvas.x() - pressCanvas_.x()), std::abs(p.canvas.y() - pressCanvas_.y())));
        if (pointer_)
            pointer_->mouseMove(p.canvas, ModifiersOf(m));
        return;
    }
    if (clickCount_ > 0)
        drawPreview(p.document);
}

void Sandbox::Image1MouseUp(const CanvasMouse& m)
{
    pressHold_.stop();
    holdArmed_ = false;
    if (ignoreUntilPress_ || m.button != MouseButton::Left)
        return;
    if (pointerOwnsEvents()) {
        // A drag ends where its last move put things, not a pixel beside.
        const QPoint at = pointerDragging() ? snappedCanvas({m.x, m.y}) : QPoint(m.x, m.y);
        moveRulerCursors(at);
        if (pointer_)
            pointer_->mouseUp(at, ModifiersOf(m));
        return;
    }
    const Pointer p = preprocess(m.x, m.y, true);
    lastMove_ = p.document;
    click(p.document, m.shift);
}

void Sandbox::Image1DblClick(const CanvasMouse& m)
{
    // A drag its second press began has no release to end it.
    if (pointer_ && pointer_->toolMode() != ToolMode::Pointer && pointer_->toolMode() != ToolMode::PastePlacement)
        pointer_->cancel();
    ignoreUntilPress_ = true;
    if (hooks_.doubleClick)
        hooks_.doubleClick({m.x, m.y});
}

// ---- History ----

void Sandbox::BeginEdit(bool redraw)
{
    bool any = false;
    for (const Item& it : document_.items)
        any = any || IsSelectedLive(it);
    if (!any)
        return;
    view_.RemoveMarkers();
    view_.BeginSelectionEdit(redraw);
}

void Sandbox::Undo() { historyStep(UndoLastAction); }

void Sandbox::Redo() { historyStep(RedoNextAction); }

void Sandbox::historyStep(bool (*step)(ItemList&, HistoryCursor&))
{
    leaveCreation();
    if (pointer_ && pointer_->toolMode() != ToolMode::Pointer)
        pointer_->cancel();
    toolMode_ = ToolMode::Pointer;
    EditStep edit(*this);
    edit.removeMarkersNow();
    SelectOnly(document_.items, nullptr);
    edit.changed({.selection = true});
    if (step(document_.items, edit.cursor())) {
        // What is shown is no longer what was saved.
        edit.markModified();
        edit.repaintAll(false);
        edit.changed({.items = true});
    }
}

void Sandbox::ClearUndoRedo()
{
    leaveCreation();
    EditStep edit(*this);
    ClearHistory(document_.items, edit.cursor());
    edit.removeMarkers();
    edit.repaintAll(false);
}

bool Sandbox::CanUndo() { return vlm::CanUndo(document_.items, history_); }

bool Sandbox::CanRedo() { return vlm::CanRedo(document_.items, history_); }

void Sandbox::UpdateUndoCommands()
{
    DocumentChange change;
    change.history = true;
    documentChanged_.notify(change);
}

void Sandbox::placeSelected(bool behind)
{
    leaveCreation();
    EditStep edit(*this);
    const std::int32_t moved = behind ? vlm::PlaceSelectedBehind(document_) : vlm::PlaceSelectedOnTop(document_);
    edit.cursor().undone = 0; // the command discarded the redo part
    if (moved > 0) {
        edit.removeMarkers();
        edit.repaintAll(true);
        edit.changed({.items = true});
    }
}

void Sandbox::PlaceSelectedBehind() { placeSelected(true); }

void Sandbox::PlaceSelectedOnTop() { placeSelected(false); }

// ---- Window activation ----

void Sandbox::Activated()
{
    UpdateUndoCommands();
    if (toolMode_ == ToolMode::Line || toolMode_ == ToolMode::Text)
        reactivation_.start();
}

void Sandbox::Deactivated()
{
    reactivation_.stop();
    settings_.defaultToolMode = toolMode();
}

void Sandbox::ReactivationTimer()
{
    reactivation_.stop();
    if (!hooks_.showPanel)
        return;
    if (toolMode_ == ToolMode::Line)
        hooks_.showPanel(PanelCode::LineTool);
    else if (toolMode_ == ToolMode::Text)
        hooks_.showPanel(PanelCode::TextTool);
}

} // namespace vlm

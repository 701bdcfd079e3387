#include "edit/selection_tool.h"

#include "edit/item_geometry.h"
#include "edit/markers.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "platform/canvas.h"
#include "render/view_overlay.h"

#include <algorithm>
#include <numbers>

namespace vlm {

struct SelectionTool::State {
    Document& document;
    DocumentView& view;
    SelectionToolHooks hooks;

    int mode = SelectionMode::Pointer;
    std::int32_t code = 0;
    QPoint press;           // canvas
    QPoint placedAt;        // canvas: where a paste placement holds the Items now
    bool pendingClick = false;
    // The canvas without the Items being dragged, copied back before every
    // preview frame.
    Bitmap clean;

    State(Document& d, DocumentView& v, SelectionToolHooks h) : document(d), view(v), hooks(std::move(h)) {}

    void setMode(int m)
    {
        mode = m;
        if (hooks.toolModeChanged)
            hooks.toolModeChanged(m);
    }

    bool dragging() const
    {
        return mode != SelectionMode::Pointer && mode != SelectionMode::Area;
    }

    void drawPreview(QPoint pointer)
    {
        view.RestoreRubberBand();
        if (view.canvas().isNull())
            return;
        view.canvas() = clean;
        const DrawContext ctx = view.drawContext();
        ItemList& list = document.items;
        const Item* guided = nullptr;
        {
            Canvas c(view.canvas());
            for (Item* item : list.withStackOrderIn(1, std::max(MaxStackOrder(list), 1))) {
                if (!IsSelectedLive(*item))
                    continue;
                DrawItem(c, ctx, *item, true);
                const DrawingFields& d = item->rec.d;
                if (d.kind == KindText)
                    DrawEditFrame(c, ctx, *item);
                const double preset = d.kind == KindText ? d.textDirection : (d.kind == KindLine ? d.direction : -1.0);
                if (!guided && (code == 1 || code == 2) && preset >= 0)
                    guided = item;
            }
        }
        view.canvasChanged(QRect(0, 0, view.canvas().width(), view.canvas().height()));
        if (guided) {
            const DrawingFields& d = guided->rec.d;
            const QPoint end = code == 1 ? QPoint(d.x1, d.y1) : QPoint(d.x2, d.y2);
            const double preset = d.kind == KindText ? d.textDirection : d.direction;
            view.DrawDirectionGuide({view.toCanvasX(end.x()), view.toCanvasY(end.y())}, pointer,
                                    preset * std::numbers::pi / 180.0);
        }
    }

    // The canvas shows everything but the selection; the selection's
    // current geometry is what the drag computes from.
    void startPreview()
    {
        clean = view.canvas();
        for (Item& item : document.items)
            if (IsSelectedLive(item))
                SaveDragOrigin(item);
    }

    void finish()
    {
        view.RestoreRubberBand();
        if (!clean.isNull())
            view.canvas() = clean;
        clean = Bitmap();
        view.RepaintAll(false);
        PlaceSelectionMarkers(view);
        setMode(SelectionMode::Pointer);
    }

    void showPanel(bool deselected)
    {
        ShowSelectionPanel(document.items, deselected, hooks.showPanel, hooks.shownPanel);
    }

    void setCursor(Qt::CursorShape shape)
    {
        if (hooks.setCursor)
            hooks.setCursor(shape);
    }
};

SelectionTool::SelectionTool(Document& document, DocumentView& view, SelectionToolHooks hooks)
    : s_(std::make_unique<State>(document, view, std::move(hooks)))
{
}

SelectionTool::~SelectionTool() = default;

void SelectionTool::setHooks(SelectionToolHooks hooks)
{
    s_->hooks = std::move(hooks);
}

int SelectionTool::toolMode() const
{
    return s_->mode;
}

namespace {

// Drag modes in which a mixed selection can only be moved.
bool KindSpecificMode(int mode)
{
    return mode == SelectionMode::TextDrag || (mode >= 46 && mode <= 50) || mode == SelectionMode::PictureDrag ||
           mode == SelectionMode::LineDrag;
}

} // namespace

void SelectionTool::mouseDown(QPoint canvasPoint, QPoint dragFrom, Qt::KeyboardModifiers modifiers)
{
    State& s = *s_;
    s.pendingClick = false;
    // A press while pasted Items are being placed does nothing: they follow
    // the pointer until the release.
    if (s.mode != SelectionMode::Pointer)
        return;
    s.press = canvasPoint;
    if (modifiers & Qt::ControlModifier) {
        if (!(modifiers & Qt::ShiftModifier)) {
            s.view.RemoveMarkers();
            SelectOnly(s.document.items, nullptr);
        }
        s.setMode(SelectionMode::Area);
        return;
    }
    const auto hit = MarkerHitTest(s.view, canvasPoint);
    if (!hit) {
        s.pendingClick = true;
        return;
    }
    s.press = dragFrom;
    s.code = hit->code;
    // Dragging a group by its centre moves every member, whatever its kind
    // would make of the centre code.
    if (hit->item->rec.d.kind == KindGroup && s.code == MarkerCode::GroupCentre)
        s.code = kMoveGroupCode;
    if (KindSpecificMode(hit->mode) && !IsUniformSelection(s.document.items))
        s.code = MarkerCode::Centre;
    s.view.BeginSelectionEdit(false);
    s.startPreview();
    s.setMode(hit->mode);
    s.setCursor(hit->cursor);
    s.drawPreview(dragFrom);
}

void SelectionTool::mouseMove(QPoint canvasPoint, Qt::KeyboardModifiers modifiers)
{
    State& s = *s_;
    switch (s.mode) {
    case SelectionMode::Pointer:
        hover(canvasPoint);
        return;
    case SelectionMode::Area: {
        s.view.RestoreRubberBand();
        const PixelRect area = s.view.toDocumentRect(SaveBoxOf(s.press, canvasPoint));
        AreaSelect(s.view, area, (modifiers & Qt::ShiftModifier) != 0);
        DrawAreaRectangle(s.view, s.press, canvasPoint);
        return;
    }
    case SelectionMode::PastePlacement:
        s.placedAt = canvasPoint;
        DragSelection(s.view, s.press, canvasPoint, true, MarkerCode::Centre, false);
        s.drawPreview(canvasPoint);
        return;
    default:
        DragSelection(s.view, s.press, canvasPoint, true, s.code, false);
        s.drawPreview(canvasPoint);
        return;
    }
}

void SelectionTool::mouseUp(QPoint canvasPoint, Qt::KeyboardModifiers modifiers)
{
    State& s = *s_;
    if (s.mode == SelectionMode::Area) {
        s.view.RestoreRubberBand();
        s.showPanel(false);
        s.setMode(SelectionMode::Pointer);
        return;
    }
    if (s.dragging()) {
        DragSelection(s.view, s.press, canvasPoint, true, s.code, true);
        s.finish();
        return;
    }
    if (s.mode == SelectionMode::Pointer && s.pendingClick) {
        s.pendingClick = false;
        const ClickResult r = ClickSelect(s.view, canvasPoint, (modifiers & Qt::ShiftModifier) != 0);
        s.showPanel(r.deselected);
    }
}

Qt::CursorShape SelectionTool::hover(QPoint canvasPoint)
{
    const Qt::CursorShape shape = HoverCursor(s_->view, canvasPoint);
    s_->setCursor(shape);
    return shape;
}

void SelectionTool::beginPastePlacement(QPoint canvasPoint)
{
    const QPoint centre = SelectionCentre(s_->document.items);
    beginPastePlacement(canvasPoint, QPoint(s_->view.toCanvasX(centre.x()), s_->view.toCanvasY(centre.y())));
}

bool SelectionTool::endPastePlacement()
{
    State& s = *s_;
    if (s.mode != SelectionMode::PastePlacement)
        return false;
    DragSelection(s.view, s.press, s.placedAt, true, MarkerCode::Centre, true);
    s.finish();
    return true;
}

void SelectionTool::beginPastePlacement(QPoint canvasPoint, QPoint grabPoint)
{
    State& s = *s_;
    if (s.mode != SelectionMode::Pointer)
        return;
    DocumentView& v = s.view;
    v.RemoveMarkers();
    v.RestoreRubberBand();
    // The canvas without the pasted Items, which then follow the pointer.
    const QRect all(0, 0, v.canvas().width(), v.canvas().height());
    v.PaintBackground(all);
    v.PaintItemsIn(v.toDocumentRect(all), true);
    s.startPreview();
    s.press = grabPoint;
    s.placedAt = canvasPoint;
    s.code = MarkerCode::Centre;
    s.setMode(SelectionMode::PastePlacement);
    DragSelection(v, s.press, canvasPoint, true, MarkerCode::Centre, false);
    s.drawPreview(canvasPoint);
}

void SelectionTool::cancel()
{
    State& s = *s_;
    if (s.mode == SelectionMode::Area) {
        s.view.RestoreRubberBand();
        s.setMode(SelectionMode::Pointer);
        return;
    }
    if (!s.dragging())
        return;
    // Back to where the drag began.
    const DragSettings settings = DragSettingsOf(s.view);
    for (Item& item : s.document.items) {
        if (!IsSelectedLive(item))
            continue;
        RestoreDragOrigin(item);
        RecomputeGeometry(item, settings.text, settings.markerSize, settings.zoom);
    }
    s.finish();
}

} // namespace vlm

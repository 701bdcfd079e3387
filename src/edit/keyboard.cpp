#include "edit/keyboard.h"

#include "edit/clipboard_edit.h"
#include "edit/edit_step.h"
#include "edit/fine_tune.h"
#include "edit/item_geometry.h"
#include "edit/markers.h"
#include "edit/new_items.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/splines.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vlm {

namespace {

bool IsContinuation(int mode) { return mode == ToolMode::ContinueSpline || mode == ToolMode::ContinueCurve; }

bool IsSplineOrCurve(const Item& item)
{
    return item.rec.d.kind == KindSpline || item.rec.d.kind == KindCurve;
}

// After the nodes of a spline or curve changed: the controls of a curve,
// the box and the rest of the derived geometry.
void Reshape(Item& item, const DragSettings& settings)
{
    for (Vertex& v : item.vertices) {
        v.savedX = v.x;
        v.savedY = v.y;
    }
    if (item.rec.d.kind == KindCurve)
        SmoothCurve(item);
    RecomputeGeometry(item, settings.text, settings.markerSize);
}

// Where the perpendicular from p meets the line through a and b.
QPoint FootOnLine(QPoint p, QPoint a, QPoint b)
{
    const double dx = double(b.x()) - a.x(), dy = double(b.y()) - a.y();
    if (std::abs(dx) <= 2.0)
        return {a.x(), p.y()};
    const double slope = dy / dx;
    if (std::abs(dy) < 1.0 || std::abs(slope) < 0.0001)
        return {p.x(), a.y()};
    const double t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / (dx * dx + dy * dy);
    return {Round(a.x() + t * dx), Round(a.y() + t * dy)};
}

} // namespace

int VirtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return Vk::Back;
    case Qt::Key_Tab: return Vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Vk::Return;
    case Qt::Key_Escape: return Vk::Escape;
    case Qt::Key_PageUp: return Vk::PageUp;
    case Qt::Key_PageDown: return Vk::PageDown;
    case Qt::Key_End: return Vk::End;
    case Qt::Key_Home: return Vk::Home;
    case Qt::Key_Left: return Vk::Left;
    case Qt::Key_Up: return Vk::Up;
    case Qt::Key_Right: return Vk::Right;
    case Qt::Key_Down: return Vk::Down;
    case Qt::Key_Delete: return Vk::Delete;
    case Qt::Key_C: return Vk::C;
    default: return 0;
    }
}

CanvasKeys::CanvasKeys(Sandbox& window, SelectionTool& pointer, CanvasKeyHooks hooks)
    : window_(window), pointer_(pointer), hooks_(std::move(hooks))
{
    blink_.setInterval(kCaretBlinkMs);
    QObject::connect(&blink_, &QTimer::timeout, &blink_, [this] { CaretBlinkTimer(); });
    doubleClick_.setSingleShot(true);
    doubleClick_.setInterval(kDoubleClickDelayMs);
    QObject::connect(&doubleClick_, &QTimer::timeout, &doubleClick_, [this] { DoubleClickDelayTimer(); });

    SandboxHooks& h = window_.hooks();
    h.textStarted = [this](Item& text) { startTyping(text); };
    h.endTextEditing = [this] { textEditingEnded(); };
    h.pressFirst = [this](QPoint p) { return PlaceCaret(p); };
    h.doubleClick = [this](QPoint p) { DoubleClick(p); };
    h.commitContinuation = [this](const std::vector<QPoint>& nodes) { CommitContinuation(nodes); };
    h.cancelContinuation = [this] { CancelContinuation(false); };
}

CanvasKeys::~CanvasKeys()
{
    SandboxHooks& h = window_.hooks();
    h.textStarted = nullptr;
    h.endTextEditing = nullptr;
    h.pressFirst = nullptr;
    h.doubleClick = nullptr;
    h.commitContinuation = nullptr;
    h.cancelContinuation = nullptr;
}

// ---- Helpers ----

Item* CanvasKeys::singleSelected() const { return SingleSelected(window_.document().items); }

Item* CanvasKeys::singleText() const
{
    Item* only = nullptr;
    for (Item& it : window_.document().items) {
        if (!IsSelectedLive(it) || it.rec.d.kind != KindText)
            continue;
        if (only)
            return nullptr;
        only = &it;
    }
    return only;
}

Item* CanvasKeys::typedText() const
{
    const int mode = window_.toolMode();
    const bool typing = (mode == ToolMode::Text && window_.clickCount() == 2) || mode == ToolMode::TextEdit;
    return typing ? singleText() : nullptr;
}

TextEditContext CanvasKeys::editContext() const
{
    const DragSettings s = DragSettingsOf(window_.view());
    return {s.text, s.zoom, s.markerSize};
}

QPoint CanvasKeys::pointerCanvas() const
{
    const QPoint p = window_.lastPointer();
    return {window_.view().toCanvasX(p.x()), window_.view().toCanvasY(p.y())};
}

void CanvasKeys::guidance(TextGuidance g)
{
    if (hooks_.textGuidance)
        hooks_.textGuidance(g);
}

bool CanvasKeys::deleteSelection()
{
    if (!DeleteSelection(window_))
        return false;
    if (hooks_.selectionDeleted)
        hooks_.selectionDeleted();
    return true;
}

bool CanvasKeys::TakesKeyFirst(int vk, bool printable, bool ctrl) const
{
    if (!keyboardEnabled_ || (ctrl && vk == Vk::C))
        return false;
    const int mode = window_.toolMode();
    const bool typing = (mode == ToolMode::Text && window_.clickCount() >= 1) || mode == ToolMode::TextEdit;
    const bool building = window_.clickCount() > 0 || IsContinuation(mode) || mode == ToolMode::PastePlacement;
    if (typing && (printable || vk != 0))
        return true;
    return building && vk != 0;
}

// ---- Key-down ----

bool CanvasKeys::HandleKeyDown(int vk)
{
    if (!keyboardEnabled_)
        return false;
    switch (vk) {
    case Vk::Back:
        window_.RemoveTurningPoint();
        return false;
    case Vk::Return:
        window_.FinishFigure();
        return false;
    case Vk::C:
        window_.CloseFigure();
        return false;
    case Vk::Escape:
        escape();
        return false;
    case Vk::Delete: {
        if (hooks_.deleteHighlightedAnchor && hooks_.deleteHighlightedAnchor())
            return false;
        const int mode = window_.toolMode();
        if ((mode == ToolMode::Text && window_.clickCount() == 2) || mode == ToolMode::TextEdit) {
            editText(DeleteAtCaret);
            return false;
        }
        deleteSelection();
        return false;
    }
    default: break;
    }
    if (!blink_.isActive())
        return false;
    CaretKey key;
    switch (vk) {
    case Vk::PageUp: key = CaretKey::TextStart; break;
    case Vk::Home: key = CaretKey::Home; break;
    case Vk::PageDown: key = CaretKey::TextEnd; break;
    case Vk::End: key = CaretKey::End; break;
    case Vk::Left: key = CaretKey::Left; break;
    case Vk::Right: key = CaretKey::Right; break;
    case Vk::Up: key = CaretKey::Up; break;
    case Vk::Down: key = CaretKey::Down; break;
    default: return false;
    }
    Item* text = singleText();
    if (!text && key != CaretKey::TextStart && key != CaretKey::Home)
        return false;
    HideCaret();
    if (text)
        MoveCaret(*text, caret_, key);
    else
        caret_ = key == CaretKey::TextStart ? Caret{1, 1} : Caret{caret_.line, 1};
    DrawCaret();
    return true;
}

bool CanvasKeys::escape()
{
    const int mode = window_.toolMode();
    const int clicks = window_.clickCount();
    if ((mode == ToolMode::Line || mode == ToolMode::Text) && clicks == 1) {
        window_.AbandonCreation();
        return true;
    }
    if (mode == ToolMode::Text && clicks == 2)
        return window_.EndTyping();
    if (mode == ToolMode::PastePlacement) {
        pointer_.cancel();
        deleteSelection();
        return true;
    }
    if (IsShapeMode(mode))
        return window_.CancelFigure();
    if (IsContinuation(mode)) {
        window_.EndContinuation();
        CancelContinuation(true);
        return true;
    }
    if (mode == ToolMode::LineDrag && singleSelected()) {
        cancelLineDrag();
        return true;
    }
    return false;
}

void CanvasKeys::cancelLineDrag()
{
    // The drag works on copies its BeginEdit made: the copies are put back
    // where the drag began, then leave the history, and the versions they
    // replaced are shown again, selected as before. The release finds the
    // pointer idle and applies nothing.
    pointer_.cancel();
    ItemList& list = window_.document().items;
    std::vector<std::int32_t> originals;
    for (const Item& it : list)
        if (IsSelectedLive(it) && it.rec.d.predecessor != 0)
            originals.push_back(+it.rec.d.predecessor);
    EditStep edit(window_);
    edit.removeMarkersNow();
    if (!originals.empty() && UndoLastAction(list, edit.cursor()))
        DiscardRedo(list, edit.cursor());
    SelectOnly(list, nullptr);
    for (std::int32_t sequence : originals)
        if (Item* original = BySequence(list, sequence); original && IsLive(*original))
            original->rec.d.selected = 255;
    edit.repaintAll(true);
    edit.changed({.selection = true, .items = true});
}

// ---- Characters ----

bool CanvasKeys::HandleChar(char32_t c)
{
    if (!keyboardEnabled_)
        return false;
    const int mode = window_.toolMode();
    if (mode == ToolMode::Text && window_.clickCount() == 1) {
        // Only a character that can stay in the text starts one.
        if (!IsTypable(c) && !IsLineBreak(c))
            return false;
        if (!window_.StartTypedText(c))
            return false;
    }
    const bool typing = (window_.toolMode() == ToolMode::Text && window_.clickCount() == 2) ||
                        window_.toolMode() == ToolMode::TextEdit;
    if (typing) {
        if (c == 8)
            editText(DeleteBeforeCaret);
        else if (IsLineBreak(c))
            editText(BreakLine);
        else if (IsTypable(c))
            editText([c](Item& item, Caret& caret, const TextEditContext& ctx) {
                return InsertCharacter(item, caret, c, ctx);
            });
        // Other control characters are taken and dropped: no font draws them.
        return true;
    }
    if (mode != ToolMode::Pointer)
        return false;
    switch (c) {
    case 1: return ContinueFigure();
    case 4: DeleteTurningPoint(); return false;
    case 9: InsertTurningPoint(); return false;
    default: return false;
    }
}

bool CanvasKeys::editText(const std::function<bool(Item&, Caret&, const TextEditContext&)>& edit)
{
    Item* text = singleText();
    if (!text)
        return false;
    DocumentView& view = window_.view();
    HideCaret();
    view.RemoveMarkers();
    const TextEditContext ctx = editContext();
    const DrawingFields& d = text->rec.d;
    const QRect before = view.toCanvasRect(PixelRect{d.left, d.top, d.right, d.bottom});
    const bool changed = edit(*text, caret_, ctx);
    if (changed) {
        // A key typed is an edit step of its own: the guard marks the
        // document, repaints where the text was and is, and tells the shell.
        EditStep step(window_);
        step.markModified();
        const QRect after = view.toCanvasRect(PixelRect{d.left, d.top, d.right, d.bottom});
        const QRect area = (before | after).adjusted(-2, -2, 2, 2) & QRect(0, 0, view.canvas().width(), view.canvas().height());
        if (!area.isEmpty())
            step.repaintRect(area);
        step.changed({.items = true});
    }
    DrawCaret();
    return changed;
}

// ---- Typing and the caret ----

void CanvasKeys::startTyping(Item&)
{
    inPlace_ = false;
    caret_ = {1, 1};
    DrawCaret();
    guidance(TextGuidance::Typing);
}

void CanvasKeys::textEditingEnded()
{
    HideCaret();
    caret_ = {1, 1};
    if (inPlace_) {
        inPlace_ = false;
        window_.view().RepaintAll(true);
    }
    guidance(TextGuidance::FineTune);
}

void CanvasKeys::EndInPlaceEdit()
{
    if (window_.toolMode() == ToolMode::TextEdit)
        window_.EnterToolMode(PanelCode::Insert); // leaves mode 37 through textEditingEnded
}

void CanvasKeys::DrawCaret()
{
    Item* text = singleText();
    DocumentView& view = window_.view();
    if (!text || view.canvas().isNull()) {
        blink_.start();
        return;
    }
    if (caretShown_)
        caretUnder_.restore(view.canvas());
    const CaretGeometry g = CaretLine(*text, caret_, editContext());
    const QPoint bottom(view.toCanvasX(Round(g.bottom.x())), view.toCanvasY(Round(g.bottom.y())));
    const QPoint top(view.toCanvasX(Round(g.top.x())), view.toCanvasY(Round(g.top.y())));
    const int width = view.zoom() > 1.0 ? 2 : 1;
    const QRect area = SaveBoxOf(bottom, top).adjusted(-1 - width, -1 - width, 1 + width, 1 + width);
    caretUnder_.take(view.canvas(), area);
    {
        Canvas c(view.canvas());
        c.setPen(text->rec.d.textColor, width);
        c.line(bottom, top);
    }
    view.canvasChanged(area);
    caretShown_ = true;
    blink_.start();
}

void CanvasKeys::HideCaret()
{
    blink_.stop();
    DocumentView& view = window_.view();
    const QRect r = caretUnder_.rect();
    if (caretUnder_.restore(view.canvas()))
        view.canvasChanged(r);
    caretShown_ = false;
}

void CanvasKeys::CaretBlinkTimer()
{
    if (caretShown_) {
        DocumentView& view = window_.view();
        const QRect r = caretUnder_.rect();
        if (caretUnder_.restore(view.canvas()))
            view.canvasChanged(r);
        caretShown_ = false;
        return;
    }
    DrawCaret();
}

bool CanvasKeys::PlaceCaret(QPoint canvasPoint)
{
    if (!blink_.isActive())
        return false;
    Item* text = singleText();
    if (!text)
        return false;
    DocumentView& view = window_.view();
    const TextEditContext ctx = editContext();
    QPolygon box;
    for (QPoint corner : TextBox(*text, ctx.text).corners)
        box << QPoint(view.toCanvasX(corner.x()), view.toCanvasY(corner.y()));
    if (!box.containsPoint(canvasPoint, Qt::OddEvenFill)) {
        caret_ = {1, 1};
        return false;
    }
    HideCaret();
    caret_ = CaretNearest(*text, {view.toDocumentX(canvasPoint.x()), view.toDocumentY(canvasPoint.y())}, ctx);
    DrawCaret();
    return true;
}

// ---- Next-text settings ----

bool CanvasKeys::CarryTextSettings(bool turn)
{
    if (!typedText())
        return false;
    const Settings& s = window_.settings();
    editText([&s, turn](Item& text, Caret&, const TextEditContext& ctx) {
        TakeTextSettings(text, s);
        if (turn)
            TurnTextTo(text, s.tdir);
        FitTextBox(text, true, ctx.zoom, ctx.text);
        RecomputeGeometry(text, ctx.text, ctx.markerSize);
        return true;
    });
    return true;
}

// ---- Double-click ----

void CanvasKeys::DoubleClick(QPoint canvasPoint)
{
    doubleClickAt_ = canvasPoint;
    doubleClick_.start();
}

void CanvasKeys::DoubleClickDelayTimer()
{
    doubleClick_.stop();
    DocumentView& view = window_.view();
    ItemList& list = window_.document().items;
    if (singleText()) {
        Item* text = nullptr;
        {
            EditStep edit(window_);
            window_.BeginEdit(false);
            text = singleText();
            window_.EnterInPlaceEdit();
            inPlace_ = true;
            edit.removeMarkers();
            edit.repaintAll(false);
            edit.changed({.items = true});
        }
        guidance(TextGuidance::InPlaceEditing);
        if (text)
            caret_ = CaretAtEnd(*text);
        DrawCaret();
        return;
    }
    const QPointF p(view.toDocumentX(doubleClickAt_.x()), view.toDocumentY(doubleClickAt_.y()));
    Item* found = nullptr;
    for (Item& it : list) {
        if (!IsLive(it) || it.rec.d.kind != KindClip)
            continue;
        QPolygonF outline;
        if (it.rec.d.rotation != 0.0) {
            for (QPointF corner : PictureCorners(it))
                outline << corner;
        } else {
            outline = QPolygonF(QRectF(QPointF(it.rec.d.x1, it.rec.d.y1), QPointF(it.rec.d.x2, it.rec.d.y2)).normalized());
        }
        if (outline.containsPoint(p, Qt::OddEvenFill) && (!found || it.rec.d.stackOrder > found->rec.d.stackOrder))
            found = &it;
    }
    if (!found)
        return;
    view.RemoveMarkers();
    SelectOnly(list, found);
    view.MarkerTimer();
    // The left column follows the new selection: the clip panel.
    ShowSelectionPanel(list, false, hooks_.showPanel, hooks_.shownPanel);
    if (hooks_.openPictureDialog)
        hooks_.openPictureDialog(*found);
}

// ---- Point commands ----

bool CanvasKeys::ContinueFigure()
{
    if (window_.toolMode() != ToolMode::Pointer)
        return false;
    if (hooks_.shownPanel) {
        const int shown = hooks_.shownPanel();
        if (shown < 209 || shown > 212)
            return false;
    }
    Item* item = singleSelected();
    if (!item || !IsSplineOrCurve(*item) || item->rec.d.shapeVariant != VariantOpen || item->vertices.size() < 2)
        return false;
    std::vector<QPoint> nodes;
    for (const Vertex& v : item->vertices)
        nodes.push_back(VertexPoint(v));
    DocumentView& view = window_.view();
    view.RemoveMarkers();
    item->rec.d.extending = 255;
    continued_ = item;
    SelectOnly(window_.document().items, nullptr);
    view.RepaintAll(false);
    window_.BeginContinuation(*item, std::move(nodes), window_.lastPointer());
    const bool spline = item->rec.d.kind == KindSpline;
    // The continuing page covers the continuation panel; with the page off
    // the guidance shows that panel itself.
    if (hooks_.requestHintPage) {
        hooks_.requestHintPage(spline ? 1074 : 1075);
    } else if (hooks_.showPanel) {
        const int code = spline ? ToolMode::ContinueSpline : ToolMode::ContinueCurve;
        if (!hooks_.shownPanel || hooks_.shownPanel() != code)
            hooks_.showPanel(code);
    }
    return true;
}

void CanvasKeys::CommitContinuation(const std::vector<QPoint>& nodes)
{
    Item* item = std::exchange(continued_, nullptr);
    if (!item)
        return;
    ItemList& list = window_.document().items;
    item->rec.d.extending = 0;
    SelectOnly(list, item);
    if (nodes.size() < 2) {
        deleteSelection();
        if (hooks_.showPanel)
            hooks_.showPanel(PanelCode::Insert);
        return;
    }
    window_.BeginEdit(false);
    Item* now = SingleSelected(list);
    if (!now)
        return;
    std::vector<Vertex> vertices;
    for (QPoint p : nodes) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        vertices.push_back(v);
    }
    {
        EditStep edit(window_);
        now->vertices = std::move(vertices);
        Reshape(*now, DragSettingsOf(window_.view()));
        edit.repaintAll(true);
        edit.changed({.items = true});
    }
    if (hooks_.showPanel) {
        const bool solid = now->rec.d.shapeVariant == VariantSolid;
        hooks_.showPanel(now->rec.d.kind == KindSpline ? (solid ? 210 : 209) : (solid ? 212 : 211));
    }
}

void CanvasKeys::CancelContinuation(bool viaPanelTimer)
{
    Item* item = std::exchange(continued_, nullptr);
    if (!item)
        return;
    item->rec.d.extending = 0;
    const DragSettings s = DragSettingsOf(window_.view());
    RecomputeGeometry(*item, s.text, s.markerSize);
    window_.view().RepaintAll(false);
    if (viaPanelTimer && hooks_.schedulePanel)
        hooks_.schedulePanel(PanelCode::Insert);
}

bool CanvasKeys::DeleteTurningPoint()
{
    if (window_.toolMode() != ToolMode::Pointer)
        return false;
    Item* item = singleSelected();
    if (!item || !IsSplineOrCurve(*item))
        return false;
    const auto hit = MarkerHitTest(window_.view(), pointerCanvas());
    if (!hit || hit->item != item || hit->mode != ToolMode::ShapeDrag || hit->code >= 0)
        return false;
    const std::size_t k = static_cast<std::size_t>(-hit->code);
    if (k < 1 || k > item->vertices.size())
        return false;
    if (item->vertices.size() <= 2)
        return deleteSelection(); // undoable, unlike taking it out of the list
    window_.BeginEdit(false);
    Item* now = SingleSelected(window_.document().items);
    if (!now || k > now->vertices.size())
        return false;
    EditStep edit(window_);
    now->vertices.erase(now->vertices.begin() + static_cast<std::ptrdiff_t>(k - 1));
    Reshape(*now, DragSettingsOf(window_.view()));
    edit.repaintAll(true);
    edit.changed({.items = true});
    return true;
}

bool CanvasKeys::InsertTurningPoint()
{
    if (window_.toolMode() != ToolMode::Pointer)
        return false;
    Item* item = singleSelected();
    if (!item || !IsSplineOrCurve(*item) || item->vertices.empty())
        return false;
    window_.BeginEdit(false);
    Item* now = SingleSelected(window_.document().items);
    if (!now)
        return false;
    const QPoint p = window_.lastPointer();
    const std::size_t n = now->vertices.size();
    const bool closed = now->rec.d.shapeVariant != VariantOpen;
    std::size_t after = 0;
    QPoint foot;
    double best = -1.0;
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const QPoint a = VertexPoint(now->vertices[i]);
        const QPoint b = VertexPoint(now->vertices[(i + 1) % n]);
        const QPoint f = FootOnLine(p, a, b);
        const double d = std::hypot(double(f.x()) - p.x(), double(f.y()) - p.y());
        if (best < 0 || d < best) {
            best = d;
            after = i;
            foot = f;
        }
    }
    Vertex v;
    const QPoint at = now->rec.d.kind == KindSpline && best >= 0 ? foot : p;
    v.x = at.x();
    v.y = at.y();
    EditStep edit(window_);
    now->vertices.insert(now->vertices.begin() + static_cast<std::ptrdiff_t>(std::min(after + 1, n)), v);
    Reshape(*now, DragSettingsOf(window_.view()));
    edit.repaintAll(true);
    edit.changed({.items = true});
    return true;
}

} // namespace vlm

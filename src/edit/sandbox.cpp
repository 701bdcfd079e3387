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

constexpr int kFillerMargin = 2;

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

// The hint page shown after a turning point is placed, by tool.
int TurningPointPage(int mode)
{
    switch (mode) {
    case ToolMode::Spline:
    case ToolMode::ContinueSpline: return 1061;
    case ToolMode::Solid: return 1064;
    case ToolMode::Curve:
    case ToolMode::ContinueCurve: return 1070;
    case ToolMode::Oblong: return 1073;
    default: return 0;
    }
}

std::array<QPoint, 4> RectangleNodes(const std::vector<QPoint>& pts, QPoint pointer)
{
    const auto last = RectangleLastCorners(pts[0], pts[1], pointer);
    return {pts[0], pts[1], last[0], last[1]};
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

Sandbox::Pointer Sandbox::preprocess(int x, int y, bool snap)
{
    Pointer p;
    p.canvas = {x, y};
    if (snap) {
        p.document = {view_.toDocumentX(x), view_.toDocumentY(y)};
        if (snap_)
            p.document = snap_(p.document);
        p.canvas = {view_.toCanvasX(p.document.x()), view_.toCanvasY(p.document.y())};
    } else {
        p.document = {view_.toDocumentX(x), view_.toDocumentY(y)};
    }
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
    const Pointer p = preprocess(m.x, m.y, true);
    pressPoint_ = p.document;
    pressCanvas_ = p.canvas;
    outlined_ = QRect(p.canvas, QSize(0, 0));

    if (m.ctrl && !pointerOwnsEvents()) {
        leaveCreation();
        toolMode_ = ToolMode::Pointer;
    }
    if (pointerOwnsEvents()) {
        if (pointer_)
            pointer_->mouseDown(p.canvas, ModifiersOf(m));
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
    const Pointer p = preprocess(m.x, m.y, true);
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
        moveRulerCursors({m.x, m.y});
        if (pointer_)
            pointer_->mouseUp({m.x, m.y}, ModifiersOf(m));
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

// ---- Creation sequences ----

void Sandbox::click(QPoint p, bool shift)
{
    const int mode = toolMode_;
    if (IsSplineFamily(mode)) {
        clickSplineFamily(p, shift);
        return;
    }
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    const int cc = clickCount_;
    std::vector<QPoint>& pts = creationPoints_;
    switch (mode) {
    case ToolMode::Line: {
        if (cc == 0) {
            firstPoint_ = p;
            clickCount_ = 1;
            if (hooks_.lineGuidance)
                hooks_.lineGuidance(2);
            return;
        }
        const QPoint start = firstPoint_;
        const QPoint end = ApplyPresetDirection(start, p, settings_.lineDirection);
        commitItem([&](ItemList& l) -> Item& { return BuildLine(l, ctx, start, end); }, 1024);
        if (hooks_.lineGuidance)
            hooks_.lineGuidance(1);
        return;
    }
    case ToolMode::Text: {
        if (cc == 0) {
            firstPoint_ = p;
            clickCount_ = 1;
            return;
        }
        if (cc != 1)
            return;
        const TextBaseline baseline = TextFromClicks(firstPoint_, p, settings_.tangle);
        const TextSettings text = textSettings();
        commitItem([&](ItemList& l) -> Item& { return BuildText(l, ctx, baseline, text); }, 0);
        return;
    }
    case ToolMode::Triangle:
    case ToolMode::Rectangle:
    case ToolMode::Ellipse:
        if (cc == 0) {
            firstPoint_ = p;
            pts.assign(2, p);
            clickCount_ = 1;
            return;
        }
        if (pts.size() < 2)
            return;
        if (cc == 1) {
            if (p == pts[0])
                return;
            secondPoint_ = p;
            pts[1] = p;
            if (mode == ToolMode::Rectangle) {
                const auto nodes = RectangleNodes(pts, p);
                pts.assign(nodes.begin(), nodes.end());
            } else {
                pts.push_back(p);
            }
            clickCount_ = 2;
            return;
        }
        if (mode == ToolMode::Triangle) {
            pts.back() = p;
            const std::vector<QPoint> nodes(pts.begin(), pts.begin() + 3);
            commitItem([&](ItemList& l) -> Item& { return BuildPointShape(l, ctx, KindTriangle, VariantSolid, nodes); },
                       1043);
        } else if (mode == ToolMode::Rectangle) {
            const auto nodes = RectangleNodes(pts, p);
            commitItem([&](ItemList& l) -> Item& { return BuildPointShape(l, ctx, KindRectangle, VariantSolid, nodes); },
                       1047);
        } else {
            if (p == pts[0] || p == pts[1])
                return;
            const QPoint c = pts[0], len = pts[1];
            commitItem([&](ItemList& l) -> Item& { return BuildEllipse(l, ctx, c, len, p); }, 1051);
        }
        return;
    case ToolMode::Square:
        if (cc == 0) {
            firstPoint_ = p;
            pts.assign(2, p);
            clickCount_ = 1;
            return;
        }
        if (pts.empty())
            return;
        {
            const auto corners = SquareCorners(pts[0], p);
            commitItem([&](ItemList& l) -> Item& { return BuildPointShape(l, ctx, KindSquare, VariantSolid, corners); },
                       1045);
        }
        return;
    case ToolMode::Circle:
    case ToolMode::Polygon:
        if (cc == 0) {
            firstPoint_ = p;
            clickCount_ = 1;
            return;
        }
        if (p == firstPoint_)
            return;
        {
            const QPoint c = firstPoint_;
            if (mode == ToolMode::Circle)
                commitItem([&](ItemList& l) -> Item& { return BuildCircle(l, ctx, c, p); }, 1049);
            else
                commitItem([&](ItemList& l) -> Item& { return BuildPolygon(l, ctx, c, p); }, 1053);
        }
        return;
    case ToolMode::Star:
    case ToolMode::Pie:
    case ToolMode::Arc:
        if (cc == 0) {
            firstPoint_ = p;
            clickCount_ = 1;
            return;
        }
        if (cc == 1) {
            if (p == firstPoint_)
                return;
            secondPoint_ = p;
            clickCount_ = 2;
            return;
        }
        if (p == secondPoint_)
            return;
        {
            const QPoint c = firstPoint_, s = secondPoint_;
            if (mode == ToolMode::Star)
                commitItem([&](ItemList& l) -> Item& { return BuildStar(l, ctx, c, s, p); }, 1055);
            else
                commitItem([&](ItemList& l) -> Item& { return BuildPieOrArc(l, ctx, KindForToolMode(mode), c, s, p); },
                           mode == ToolMode::Pie ? 1057 : 1065);
        }
        return;
    default:
        return;
    }
}

void Sandbox::clickSplineFamily(QPoint p, bool shift)
{
    if (clickCount_ == 0) {
        if (shift)
            return;
        firstPoint_ = p;
        creationPoints_.assign(2, p);
        clickCount_ = 1;
        return;
    }
    if (creationPoints_.empty())
        return;
    creationPoints_.back() = p;
    if (shift) {
        CommitPointList();
        return;
    }
    creationPoints_.push_back(p);
    drawPreview(p);
    if (hooks_.requestHintPage)
        hooks_.requestHintPage(TurningPointPage(toolMode_));
}

bool Sandbox::CommitPointList()
{
    if (!IsSplineFamily(toolMode_) || creationPoints_.empty())
        return false;
    if (toolMode_ == ToolMode::ContinueSpline || toolMode_ == ToolMode::ContinueCurve) {
        erasePreview();
        const std::vector<QPoint> nodes = creationPoints_;
        EndContinuation();
        if (hooks_.commitContinuation)
            hooks_.commitContinuation(nodes);
        resetCreation();
        return true;
    }
    const std::int32_t kind = KindForToolMode(toolMode_);
    const std::int32_t variant = kind == KindSpline ? settings_.polyshape : settings_.bpolyshape;
    const std::vector<QPoint> nodes = creationPoints_;
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    commitItem([&](ItemList& l) -> Item& { return BuildPointShape(l, ctx, kind, variant, nodes); },
               hintPageAfterCreation());
    return true;
}

void Sandbox::FinishTyping()
{
    if (toolMode_ != ToolMode::Text && toolMode_ != ToolMode::TextEdit)
        return;
    leaveCreation();
    if (toolMode_ == ToolMode::TextEdit)
        toolMode_ = ToolMode::Pointer; // editing in place ends with it
}

Item* Sandbox::CommitTypedText(int firstCharWidth)
{
    if (toolMode_ != ToolMode::Text || clickCount_ != 1)
        return nullptr;
    const TextBaseline baseline = TextFromTyping(firstPoint_, settings_.tdir, settings_.tangle, firstCharWidth);
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    const TextSettings text = textSettings();
    commitItem([&](ItemList& l) -> Item& { return BuildText(l, ctx, baseline, text); }, 0);
    return document_.items.tail();
}

int Sandbox::hintPageAfterCreation() const
{
    switch (toolMode_) {
    case ToolMode::Spline:
    case ToolMode::Solid: return settings_.polyshape == VariantSolid ? 1062 : 1059;
    case ToolMode::Curve:
    case ToolMode::Oblong: return settings_.bpolyshape == VariantSolid ? 1071 : 1068;
    default: return 0;
    }
}

TextSettings Sandbox::textSettings() const { return TextSettingsOf(view_.drawContext()); }

void Sandbox::commitItem(const std::function<Item&(ItemList&)>& build, int hintPage)
{
    erasePreview();
    ItemList& list = document_.items;
    DiscardRedo(list, history_);
    UpdateUndoCommands();
    const std::int32_t step = NextEditStep(list);
    const std::int32_t order = MaxStackOrder(list) + 1;
    Item& item = build(list);
    SetEditStep(list, item, step);
    SetStackOrder(list, item, order);
    UpdateUndoCommands();

    const DrawingFields& d = item.rec.d;
    const int grow = LineWidthAtZoom(view_.zoom(), d.penWidth) +
                     PenWidthAtZoom(view_.zoom(), d.outlineWeight, list.metrics()) + kFillerMargin;
    view_.RepaintRect(view_.toCanvasRect(PixelRect{d.left, d.top, d.right, d.bottom}).adjusted(-grow, -grow, grow, grow));

    creationPoints_.clear();
    if (d.kind == KindText) {
        // The text box waits for its characters.
        SelectOnly(list, &item);
        clickCount_ = 2;
        if (hooks_.textStarted)
            hooks_.textStarted(item);
    } else {
        SelectOnly(list, nullptr);
        clickCount_ = 0;
    }
    if (hintPage != 0 && hooks_.requestHintPage)
        hooks_.requestHintPage(hintPage);
}

// ---- Previews ----

Item* Sandbox::buildFigure(ItemList& list, QPoint p)
{
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    std::vector<QPoint>& pts = creationPoints_;
    const int mode = toolMode_;
    if (IsSplineFamily(mode)) {
        if (pts.empty())
            return nullptr;
        pts.back() = p;
        if (mode == ToolMode::ContinueSpline || mode == ToolMode::ContinueCurve)
            return &BuildContinuationPreview(list, ctx, continued_, pts);
        const std::int32_t kind = KindForToolMode(mode);
        const std::int32_t variant = kind == KindSpline ? settings_.polyshape : settings_.bpolyshape;
        return &BuildPointShape(list, ctx, kind, variant, pts);
    }
    switch (mode) {
    case ToolMode::Line:
        return &BuildLine(list, ctx, firstPoint_, ApplyPresetDirection(firstPoint_, p, settings_.lineDirection));
    case ToolMode::Text:
        if (clickCount_ != 1)
            return nullptr;
        return &BuildText(list, ctx, TextFromClicks(firstPoint_, p, settings_.tangle), textSettings());
    case ToolMode::Triangle:
        if (pts.size() < 2)
            return nullptr;
        pts.back() = p;
        return &BuildPointShape(list, ctx, KindTriangle, VariantSolid, pts);
    case ToolMode::Square:
        if (pts.empty())
            return nullptr;
        return &BuildPointShape(list, ctx, KindSquare, VariantSolid, SquareCorners(pts[0], p));
    case ToolMode::Rectangle:
        if (pts.size() < 2)
            return nullptr;
        if (clickCount_ == 1) {
            const QPoint side[] = {pts[0], p};
            return &BuildPointShape(list, ctx, KindRectangle, VariantSolid, side);
        }
        {
            const auto nodes = RectangleNodes(pts, p);
            pts.assign(nodes.begin(), nodes.end());
        }
        return &BuildPointShape(list, ctx, KindRectangle, VariantSolid, pts);
    case ToolMode::Ellipse:
        if (pts.size() < 2)
            return nullptr;
        return clickCount_ == 1 ? &BuildEllipse(list, ctx, pts[0], p, p) : &BuildEllipse(list, ctx, pts[0], pts[1], p);
    case ToolMode::Circle:
        return &BuildCircle(list, ctx, firstPoint_, p);
    case ToolMode::Polygon:
        return &BuildPolygon(list, ctx, firstPoint_, p);
    case ToolMode::Star:
        return &BuildStar(list, ctx, firstPoint_, clickCount_ == 1 ? p : secondPoint_, p);
    case ToolMode::Pie:
    case ToolMode::Arc:
        return &BuildPieOrArc(list, ctx, KindForToolMode(mode), firstPoint_, clickCount_ == 1 ? p : secondPoint_, p);
    default:
        return nullptr;
    }
}

void Sandbox::drawPreview(QPoint p)
{
    erasePreview();
    scratch_.clear();
    Item* figure = buildFigure(scratch_, p);
    if (!figure || view_.canvas().isNull())
        return;
    DrawContext ctx = view_.drawContext();
    ctx.items = &scratch_;
    const DrawingFields& d = figure->rec.d;
    const QRect whole(0, 0, view_.canvas().width(), view_.canvas().height());

    std::vector<QPoint> outline;
    QRect area;
    if (d.kind == KindText) {
        for (QPoint corner : TextBox(*figure, TextSettingsOf(ctx)).corners)
            outline.push_back(ctx.toCanvas(corner.x(), corner.y()));
        for (QPoint q : outline)
            area |= QRect(q, QSize(1, 1));
        area.adjust(-kFillerMargin, -kFillerMargin, kFillerMargin, kFillerMargin);
    } else {
        const int grow = LineWidthAtZoom(ctx.zoom, d.penWidth) + PenWidthAtZoom(ctx.zoom, d.outlineWeight, ctx.metrics) +
                         view_.settings().markerWidth + kFillerMargin;
        area = view_.toCanvasRect(PixelRect{d.left, d.top, d.right, d.bottom})
                   .normalized()
                   .adjusted(-grow, -grow, grow, grow);
    }
    area &= whole;
    if (area.isEmpty())
        return;
    preview_.take(view_.canvas(), area);
    {
        Canvas c(view_.canvas());
        if (d.kind == KindText) {
            c.setPen(view_.settings().guidePenColor, 1, PenStyle::Dotted);
            c.setHollowBrush();
            c.polygon(outline);
        } else if (d.kind == KindCurve) {
            DrawCurve(c, ctx, *figure, true);
        } else {
            DrawItem(c, ctx, *figure, true);
        }
    }
    view_.canvasChanged(area);
    if (d.kind == KindLine && settings_.lineDirection >= 0) {
        const QPoint end = ctx.toCanvas(d.x2, d.y2);
        const QPoint pointer = ctx.toCanvas(p.x(), p.y());
        view_.DrawDirectionGuide(end, pointer, settings_.lineDirection * std::numbers::pi / 180.0);
    }
}

void Sandbox::erasePreview()
{
    // The direction guide lies over the preview: it comes off first.
    view_.RestoreRubberBand();
    const QRect r = preview_.rect();
    if (preview_.restore(view_.canvas()))
        view_.canvasChanged(r);
}

void Sandbox::resetCreation()
{
    clickCount_ = 0;
    firstPoint_ = secondPoint_ = QPoint();
    creationPoints_.clear();
    holdArmed_ = false;
    pressHold_.stop();
}

void Sandbox::leaveCreation()
{
    erasePreview();
    if (toolMode_ == ToolMode::ContinueSpline || toolMode_ == ToolMode::ContinueCurve) {
        // The continued Item must not stay hidden behind a continuation that
        // no longer runs.
        EndContinuation();
        if (hooks_.cancelContinuation)
            hooks_.cancelContinuation();
    }
    if ((toolMode_ == ToolMode::Text || toolMode_ == ToolMode::TextEdit) && hooks_.endTextEditing)
        hooks_.endTextEditing();
    resetCreation();
}

void Sandbox::AbandonCreation()
{
    erasePreview();
    resetCreation();
    ignoreUntilPress_ = true;
    if (toolMode_ == ToolMode::Line && hooks_.lineGuidance)
        hooks_.lineGuidance(1);
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
    view_.RemoveMarkers();
    SelectOnly(document_.items, nullptr);
    afterHistoryChange(step(document_.items, history_));
}

void Sandbox::afterHistoryChange(bool changed)
{
    if (changed) {
        // What is shown is no longer what was saved.
        SetModified(document_.items, true);
        view_.RepaintAll(false);
    }
    UpdateUndoCommands();
}

void Sandbox::ClearUndoRedo()
{
    leaveCreation();
    ClearHistory(document_.items, history_);
    view_.RemoveMarkers();
    view_.RepaintAll(false);
    UpdateUndoCommands();
}

bool Sandbox::CanUndo() { return vlm::CanUndo(document_.items, history_); }

bool Sandbox::CanRedo() { return vlm::CanRedo(document_.items, history_); }

void Sandbox::UpdateUndoCommands()
{
    if (hooks_.undoCommandsChanged)
        hooks_.undoCommandsChanged(CanUndo(), CanRedo());
}

void Sandbox::placeSelected(bool behind)
{
    leaveCreation();
    const std::int32_t moved = behind ? vlm::PlaceSelectedBehind(document_) : vlm::PlaceSelectedOnTop(document_);
    history_.undone = 0; // the command discarded the redo part
    if (moved > 0) {
        view_.RemoveMarkers();
        view_.RepaintAll(true);
    }
    UpdateUndoCommands();
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

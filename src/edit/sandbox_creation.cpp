// Creating Items by clicks: the creation sequences of every tool and the
// previews drawn while a figure is being placed.

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

// Previews are erased with this much room around their pen.
constexpr int kFillerMargin = 2;

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
    Item* made = nullptr;
    {
        EditStep edit(*this);
        DiscardRedo(list, edit.cursor());
        const std::int32_t step = NextEditStep(list);
        const std::int32_t order = MaxStackOrder(list) + 1;
        Item& item = build(list);
        SetEditStep(list, item, step);
        SetStackOrder(list, item, order);
        edit.changed({.items = true});

        const DrawingFields& d = item.rec.d;
        const int grow = LineWidthAtZoom(view_.zoom(), d.penWidth) +
                         PenWidthAtZoom(view_.zoom(), d.outlineWeight, list.metrics()) + kFillerMargin;
        edit.repaintRect(
            view_.toCanvasRect(PixelRect{d.left, d.top, d.right, d.bottom}).adjusted(-grow, -grow, grow, grow));
        made = &item;
    }
    Item& item = *made;

    creationPoints_.clear();
    if (item.rec.d.kind == KindText) {
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

} // namespace vlm

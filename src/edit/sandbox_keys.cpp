// The keys that act on a figure under construction in a document window:
// Backspace, Enter, C and Esc in the creation tools, the text started by
// typing, and the continuation of an open spline or curve.

#include "edit/creation.h"
#include "edit/new_items.h"
#include "edit/sandbox.h"
#include "render/splines.h"
#include "render/text_render.h"

namespace vlm {

namespace {

bool IsContinuation(int mode) { return mode == ToolMode::ContinueSpline || mode == ToolMode::ContinueCurve; }

// The hint-page flag (1-based) of the turning-point page that covers a
// spline tool's panel.
int TurningPointFlag(int mode)
{
    switch (mode) {
    case ToolMode::Spline: return 27;  // page 1061
    case ToolMode::Solid: return 30;   // page 1064
    case ToolMode::Curve: return 36;   // page 1070
    case ToolMode::Oblong: return 39;  // page 1073
    default: return 0;
    }
}

} // namespace

Item& BuildContinuationPreview(ItemList& list, const BuildContext& ctx, const DrawingFields& continued,
                               std::span<const QPoint> nodes)
{
    Item& it = BuildPointShape(list, ctx, continued.kind, continued.shapeVariant, nodes);
    DrawingFields& d = it.rec.d;
    d.lineColor = continued.lineColor;
    d.fillColor = continued.fillColor;
    d.weight = continued.weight;
    d.penWidth = continued.penWidth;
    d.outlineWeight = continued.outlineWeight;
    d.pattern = continued.pattern;
    d.tension = continued.tension;
    SmoothCurve(it); // again, with the Item's own tension
    return it;
}

bool Sandbox::RemoveTurningPoint()
{
    if (!IsSplineFamily(toolMode_) || creationPoints_.empty())
        return false;
    std::vector<QPoint>& pts = creationPoints_;
    pts.pop_back();
    if (!pts.empty())
        pts.back() = lastMove_;
    if (pts.size() >= 2) {
        drawPreview(lastMove_);
        return true;
    }
    pts.clear();
    erasePreview();
    clickCount_ = 0;
    if (IsContinuation(toolMode_)) {
        // Too few points to continue with: the continued Item comes back as
        // it was, as Esc would bring it.
        EndContinuation();
        if (hooks_.cancelContinuation)
            hooks_.cancelContinuation();
        if (hooks_.showPanel)
            hooks_.showPanel(PanelCode::Insert);
        return true;
    }
    if (hooks_.showPanel) {
        const bool spline = toolMode_ == ToolMode::Spline || toolMode_ == ToolMode::Solid;
        if (spline)
            hooks_.showPanel(settings_.polyshape == VariantSolid ? PanelCode::Solid : PanelCode::Spline);
        else
            hooks_.showPanel(settings_.bpolyshape == VariantSolid ? PanelCode::Oblong : PanelCode::Curve);
    }
    return true;
}

bool Sandbox::FinishFigure()
{
    if (!IsSplineFamily(toolMode_) || creationPoints_.size() <= 1)
        return false;
    creationPoints_.pop_back();
    if (creationPoints_.size() >= 2)
        return CommitPointList();
    erasePreview();
    if (IsContinuation(toolMode_)) {
        const std::vector<QPoint> nodes = creationPoints_;
        EndContinuation();
        if (hooks_.commitContinuation)
            hooks_.commitContinuation(nodes); // too few: the continued Item goes
    }
    resetCreation();
    return true;
}

bool Sandbox::CloseFigure()
{
    const bool spline = toolMode_ == ToolMode::Spline && settings_.polyshape == VariantOpen;
    const bool curve = toolMode_ == ToolMode::Curve && settings_.bpolyshape == VariantOpen;
    if ((!spline && !curve) || creationPoints_.size() <= 3)
        return false;
    creationPoints_.pop_back();
    const std::vector<QPoint> nodes = creationPoints_;
    const std::int32_t kind = spline ? KindSpline : KindCurve;
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    commitItem([&](ItemList& l) -> Item& { return BuildPointShape(l, ctx, kind, VariantClosed, nodes); },
               spline ? 1059 : 1068);
    return true;
}

bool Sandbox::CancelFigure()
{
    if (!IsShapeMode(toolMode_))
        return false;
    erasePreview();
    resetCreation();
    ignoreUntilPress_ = true;
    view_.RepaintAll(true);
    const int flag = TurningPointFlag(toolMode_);
    if (flag > 0 && settings_.hints[flag - 1] != 0 && hooks_.showPanel)
        hooks_.showPanel(toolMode_);
    return true;
}

Item* Sandbox::StartTypedText(char32_t first)
{
    if (toolMode_ != ToolMode::Text || clickCount_ != 1)
        return nullptr;
    // The box is one character long: measure that character in the text's
    // own font, as the text would be made.
    const BuildContext ctx{settings_, view_.zoom(), view_.settings().markerWidth};
    const TextSettings text = textSettings();
    ItemList probe(document_.items.metrics());
    Item& sample = BuildText(probe, ctx, TextFromTyping(firstPoint_, -1, 0, 0), text);
    std::u16string s;
    if (first > 0xFFFF) {
        s.push_back(static_cast<char16_t>(0xD800 + ((first - 0x10000) >> 10)));
        s.push_back(static_cast<char16_t>(0xDC00 + ((first - 0x10000) & 0x3FF)));
    } else {
        s.push_back(static_cast<char16_t>(first));
    }
    SetText(sample, s);
    return CommitTypedText(LineWidth(sample, 1, 1.0, text));
}

bool Sandbox::EndTyping()
{
    if (toolMode_ != ToolMode::Text || clickCount_ != 2)
        return false;
    if (hooks_.endTextEditing)
        hooks_.endTextEditing();
    clickCount_ = 0;
    ignoreUntilPress_ = true;
    return true;
}

void Sandbox::BeginContinuation(const Item& continued, std::vector<QPoint> nodes, QPoint pointer)
{
    leaveCreation();
    continued_ = continued.rec.d;
    const std::int32_t kind = continued_.kind;
    creationPoints_ = std::move(nodes);
    creationPoints_.push_back(pointer);
    firstPoint_ = creationPoints_.front();
    toolMode_ = kind == KindCurve ? ToolMode::ContinueCurve : ToolMode::ContinueSpline;
    clickCount_ = 1;
    lastMove_ = pointer;
    drawPreview(pointer);
}

void Sandbox::EnterInPlaceEdit()
{
    leaveCreation();
    toolMode_ = ToolMode::TextEdit;
    clickCount_ = 0;
}

void Sandbox::EndContinuation()
{
    if (!IsContinuation(toolMode_))
        return;
    erasePreview();
    toolMode_ = ToolMode::Pointer;
    clickCount_ = 0;
    continued_ = DrawingFields{};
}

} // namespace vlm

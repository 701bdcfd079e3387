#include "render/draw_item.h"

#include "render/shapes.h"
#include "render/splines.h"
#include "render/text_render.h"
#include "render/units.h"

#include <algorithm>

namespace vlm {

int DrawContext::toCanvasX(int x) const
{
    return std::clamp(ToCanvasX(scaleX > 0.0 ? scaleX : zoom, originX, x), -kCanvasReach, kCanvasReach);
}

int DrawContext::toCanvasY(int y) const
{
    return std::clamp(ToCanvasY(zoom, originY, y), -kCanvasReach, kCanvasReach);
}

EffectsInForce DecideEffects(const DrawContext& ctx, bool quick)
{
    const bool full = !quick && !ctx.fastPaint;
    return EffectsInForce{full && ctx.show3DEffects, full && ctx.showShadows};
}

PictureMode DecidePictureMode(const DrawContext& ctx, bool quick)
{
    if (ctx.fastPaint)
        return PictureMode::Fast;
    if (quick)
        return PictureMode::Quick;
    return ctx.showPictures ? PictureMode::Full : PictureMode::Hidden;
}

int EffectiveSurface(const Item& item, const EffectsInForce& effects)
{
    return effects.shading ? item.rec.d.surface : 0;
}

namespace {

using FlatRenderer = void (*)(Canvas&, const DrawContext&, const Item&);

// The flat renderer of a shape kind; null for every other kind.
FlatRenderer FlatRendererOf(std::int32_t kind)
{
    switch (kind) {
    case KindTriangle:
    case KindSquare:
    case KindRectangle:
    case KindSpline:
        return DrawSpline;
    case KindCircle:
        return DrawCircle;
    case KindEllipse:
        return DrawEllipse;
    case KindPolygon:
        return DrawPolygon;
    case KindStar:
        return DrawStar;
    case KindPie:
        return DrawPie;
    case KindArc:
        return DrawArc;
    case KindCurve:
        return [](Canvas& canvas, const DrawContext& ctx, const Item& item) { DrawCurve(canvas, ctx, item, false); };
    default:
        return nullptr;
    }
}

} // namespace

void DrawFlatBody(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    if (item.rec.d.role != RoleDrawing)
        return;
    const std::int32_t kind = item.rec.d.kind;
    if (kind == KindText)
        DrawText(canvas, ctx, item, 0, false);
    else if (kind == KindLine)
        DrawLine(canvas, ctx, item, 0);
    else if (const FlatRenderer flat = FlatRendererOf(kind))
        flat(canvas, ctx, item);
}

void DrawItem(Canvas& canvas, const DrawContext& ctx, Item& item, bool quick)
{
    // Only drawing records are painted; a header or a pattern record that
    // happens to carry a drawable kind code is not an Item to show.
    if (item.rec.d.role != RoleDrawing)
        return;
    const std::int32_t kind = item.rec.d.kind;
    const EffectsInForce effects = DecideEffects(ctx, quick);

    if (kind == KindClip) {
        if (!ctx.effects)
            return;
        const PictureMode mode = DecidePictureMode(ctx, quick);
        if (mode == PictureMode::Full && effects.shadow)
            ctx.effects->drawShadow(canvas, ctx, item, nullptr);
        ctx.effects->drawPicture(canvas, ctx, item, mode);
        return;
    }
    const FlatRenderer flat = FlatRendererOf(kind);
    if (kind != KindText && kind != KindLine && !flat)
        return;

    const int surface = EffectiveSurface(item, effects);
    if (kind == KindText) {
        // Text casts its shadow line by line, each just before the line.
        DrawText(canvas, ctx, item, surface, effects.shadow);
        return;
    }
    if (effects.shadow && ctx.effects)
        ctx.effects->drawShadow(canvas, ctx, item, nullptr);
    if (kind == KindLine) {
        DrawLine(canvas, ctx, item, surface);
        return;
    }
    if (surface >= 1 && ctx.effects && ctx.effects->drawShaded(canvas, ctx, item, surface, nullptr))
        return;
    flat(canvas, ctx, item);
}

} // namespace vlm

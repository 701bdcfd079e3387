#include "render/raster_effects.h"

namespace vlm {

RasterEffects::RasterEffects(PictureRenderer pictures) : pictures_(std::move(pictures)) {}

void RasterEffects::drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                               const TextLinePlacement* line) const
{
    DrawShadow(canvas, ctx, item, line, scratch_, &masks_);
}

bool RasterEffects::drawShaded(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                               const TextLinePlacement* line) const
{
    return DrawShadedBody(canvas, ctx, item, level, line);
}

void RasterEffects::drawPicture(Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) const
{
    if (pictures_)
        pictures_(canvas, ctx, item, mode);
}

} // namespace vlm

#pragma once

// The effects DrawItem hands over to, as the screen and the command line draw
// them: soft shadows (shadows.h), the "Round" surface (shaded_shapes.h) and,
// through a renderer handed in, pictures. One instance per window or per
// rendering; it keeps the shadows' work bitmaps between Items and their
// finished masks between repaints, so it is used from one thread at a time.

#include "render/draw_item.h"
#include "render/shadow_cache.h"
#include "render/shaded_shapes.h"
#include "render/shadows.h"

#include <functional>

namespace vlm {

class RasterEffects : public ItemEffects
{
public:
    using PictureRenderer = std::function<void(Canvas&, const DrawContext&, Item&, PictureMode)>;

    // Without a picture renderer, Clips draw nothing (their shadows still do).
    explicit RasterEffects(PictureRenderer pictures = {});

    void setPictureRenderer(PictureRenderer pictures) { pictures_ = std::move(pictures); }

    void drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                    const TextLinePlacement* line) const override;
    bool drawShaded(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                    const TextLinePlacement* line) const override;
    void drawPicture(Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) const override;
    const BandShader* bandShader() const override { return &dashes_; }

    // The shadow masks kept between repaints.
    ShadowMaskCache& shadowMasks() const { return masks_; }

private:
    PictureRenderer pictures_;
    DashShader dashes_;
    mutable ShadowScratch scratch_;
    mutable ShadowMaskCache masks_;
};

} // namespace vlm

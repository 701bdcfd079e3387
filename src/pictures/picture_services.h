#pragma once

// What the renderers need from this layer to draw Clips: the decoders,
// preparePicture and the colour effects, behind the renderer's
// PictureServices.

#include "render/picture_render.h"

#include <cstdint>
#include <mutex>

namespace vlm {

class StandardPictureServices : public PictureServices
{
public:
    PreparedPicture prepare(const Item& picture, int mirrorX, int mirrorY, int quarterTurn,
                            int maxReduction, int maxEnlargement) const override;
    void applyColorEffects(Bitmap& bitmap, int saturation, int contrast, int lightness) const override;

private:
    // The last picture prepared: Clips cut from one picture (the usual
    // case) are decoded once per paint rather than once each.
    struct Last
    {
        std::size_t hash = 0; // of the bytes: a freed picture's address may be reused
        std::size_t size = 0;
        std::int32_t format = 0;
        int mirrorX = 0, mirrorY = 0, turn = 0, reduction = 0, enlargement = 0;
        PreparedPicture prepared;
    };
    mutable std::mutex mutex_;
    mutable Last last_;
};

// The program's one instance.
const StandardPictureServices& PictureServicesInstance();

} // namespace vlm

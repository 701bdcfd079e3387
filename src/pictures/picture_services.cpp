#include "pictures/picture_services.h"

#include "pictures/color_effects.h"
#include "pictures/picture_decoders.h"
#include "pictures/prepare_picture.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace vlm {

PreparedPicture StandardPictureServices::prepare(const Item& picture, int mirrorX, int mirrorY,
                                                 int quarterTurn, int maxReduction, int maxEnlargement) const
{
    if (picture.rec.d.kind != KindPicture || picture.pictureData.empty())
        return {};
    const std::int32_t format = picture.rec.d.clipShape;
    // Only JPEG decodes smaller; for the others every reduction is full size.
    const int reduction = format == PictureFormatJpeg ? maxReduction : 1;
    // Only vector pictures play larger; pixels are never made up.
    const int enlargement = isVectorPicture(format) ? std::clamp(maxEnlargement, 1, kMaxEnlargement) : 1;
    // The bytes' ends and length stand for them: hashing whole pictures on
    // every paint would cost more than it saves.
    const std::vector<std::uint8_t>& data = picture.pictureData;
    const std::size_t sample = std::min<std::size_t>(data.size(), 4096);
    const auto* bytes = reinterpret_cast<const char*>(data.data());
    const std::size_t hash =
        std::hash<std::string_view>{}(std::string_view(bytes, sample)) ^
        (std::hash<std::string_view>{}(std::string_view(bytes + data.size() - sample, sample)) << 1) ^
        static_cast<std::size_t>(picture.rec.d.pictureId);
    std::lock_guard lock(mutex_);
    if (last_.hash == hash && last_.size == picture.pictureData.size() && last_.format == format &&
        last_.mirrorX == mirrorX && last_.mirrorY == mirrorY && last_.turn == quarterTurn &&
        last_.reduction == reduction && last_.enlargement == enlargement)
        return last_.prepared;
    DecodedPicture decoded = DecodePicture(picture.pictureData, format, reduction, enlargement);
    PreparedPicture out;
    if (decoded.bitmap.width() >= 2 && decoded.bitmap.height() >= 2) {
        out.bitmap = preparePicture(std::move(decoded.bitmap), mirrorX, mirrorY, quarterTurn);
        out.reduction = decoded.reduction;
        out.enlargement = decoded.enlargement;
    }
    last_ = Last{hash, picture.pictureData.size(), format, mirrorX, mirrorY, quarterTurn, reduction, enlargement, out};
    return out;
}

void StandardPictureServices::applyColorEffects(Bitmap& bitmap, int saturation, int contrast,
                                                int lightness) const
{
    vlm::applyColorEffects(bitmap, saturation, contrast, lightness);
}

const StandardPictureServices& PictureServicesInstance()
{
    static const StandardPictureServices instance;
    return instance;
}

} // namespace vlm

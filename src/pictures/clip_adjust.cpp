#include "pictures/clip_adjust.h"

#include "model/rounding.h"
#include "texts/picture_texts.h"

#include <vector>

namespace vlm {

namespace {

bool IsSelectedClip(const Item& it)
{
    return IsSelectedLive(it) && it.rec.d.kind == KindClip;
}

} // namespace

std::u16string EffectSliderLabel(int p)
{
    int percent = 0;
    if (p < 0)
        percent = Round(p * 100.0 / -128.0);
    else if (p > 0)
        percent = Round(p * 100.0 / 512.0);
    if (percent == 0)
        return texts::kNormal;
    std::string s = std::to_string(percent);
    std::u16string out = p < 0 ? u"-" : u"";
    out.append(s.begin(), s.end());
    out += u'%';
    return out;
}

std::int32_t StoredLightness(int slider)
{
    return slider <= 0 ? slider : slider / 2;
}

int LightnessSlider(std::int32_t stored)
{
    return stored > 0 ? 2 * stored : stored;
}

int EditSelectedClips(ItemList& list, HistoryCursor& cursor, const std::function<void(Item&)>& change)
{
    bool any = false;
    for (const Item& it : list)
        any = any || IsSelectedClip(it);
    if (!any)
        return 0;
    BeginEditCopies(list, cursor);
    int n = 0;
    for (Item& it : list)
        if (IsSelectedClip(it)) {
            change(it);
            it.cache.reset();
            ++n;
        }
    SetModified(list, true);
    return n;
}

int ApplyClipColors(ItemList& list, HistoryCursor& cursor, int saturation, int contrast, int lightnessSlider)
{
    return EditSelectedClips(list, cursor, [&](Item& clip) {
        clip.rec.d.colorEffects[0] = saturation;
        clip.rec.d.colorEffects[1] = contrast;
        clip.rec.d.colorEffects[2] = StoredLightness(lightnessSlider);
    });
}

std::optional<std::int64_t> CommonClipValue(const ItemList& list,
                                            const std::function<std::int64_t(const Item&)>& of)
{
    std::optional<std::int64_t> common;
    for (const Item& it : list) {
        if (!IsSelectedClip(it))
            continue;
        const std::int64_t v = of(it);
        if (common && *common != v)
            return std::nullopt;
        common = v;
    }
    return common;
}

} // namespace vlm

#pragma once

// The clip panel's changes of the selected Clips: colour effects, frame,
// frame colour, shadow and frame 3-D, each one step of the undo history.

#include "model/item_list.h"
#include "model/undo.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vlm {

inline constexpr int kEffectSliderMin = -128;
inline constexpr int kEffectSliderMax = 512;

// The label under a colour slider at position p: "Normal", "-50%", "59%".
std::u16string EffectSliderLabel(int p);

// Lightness is kept halved when positive; these convert between the
// slider's position and the stored value.
std::int32_t StoredLightness(int slider);
int LightnessSlider(std::int32_t stored);

// Changes every selected live Clip of `list` as one edit: the selected
// Items are replaced by editable copies, `change` runs on each Clip among
// them and the Clip's rendered cache goes. Returns the Clips changed.
int EditSelectedClips(ItemList& list, HistoryCursor& cursor, const std::function<void(Item&)>& change);

// The three colour values from the sliders.
int ApplyClipColors(ItemList& list, HistoryCursor& cursor, int saturation, int contrast, int lightnessSlider);

// A value all selected live Clips share, or none when they differ (or no
// Clip is selected).
std::optional<std::int64_t> CommonClipValue(const ItemList& list,
                                            const std::function<std::int64_t(const Item&)>& of);

} // namespace vlm

#pragma once

// What the fine-tune panel's files share: the lists' fixed entries and the
// small look-ups every part of the panel uses. Internal to the panel.

#include "edit/sandbox.h"
#include "edit/selection.h"
#include "model/item.h"
#include "texts/fine_tune_texts.h"

#include <QComboBox>

#include <cstdint>
#include <vector>

namespace vlm::fine_tune {

inline constexpr std::int32_t kRoundSurface = 127;

struct NamedValue
{
    const char16_t* name;
    int value;
};

inline const NamedValue kCharsets[] = {
    {texts::kCharsetWestern, 0},
    {texts::kCharsetDefault, 1},
    {texts::kCharsetSymbol, 2},
    {texts::kCharsetJapanese, 128},
    {texts::kCharsetKorean, 129},
    {texts::kCharsetChineseSimplified, 134},
    {texts::kCharsetChineseTraditional, 136},
    {texts::kCharsetGreek, 161},
    {texts::kCharsetTurkish, 162},
    {texts::kCharsetHebrew, 177},
    {texts::kCharsetArabic, 178},
    {texts::kCharsetBaltic, 186},
    {texts::kCharsetCyrillic, 204},
    {texts::kCharsetThai, 222},
    {texts::kCharsetCentralEuropean, 238},
    {texts::kCharsetOem, 255},
};

inline const NamedValue kFontWeights[] = {
    {texts::kFontThin, 100},   {texts::kFontExtraLight, 200}, {texts::kFontLight, 300},
    {texts::kFontNormal, 400}, {texts::kFontMedium, 500},     {texts::kFontSemiBold, 600},
    {texts::kFontBold, 700},   {texts::kFontExtraBold, 800},  {texts::kFontHeavy, 900},
};

inline bool IsSplineCode(int code)
{
    return code == 109 || code == 110 || code == 209 || code == 210 || code == 297;
}
inline bool IsCurveCode(int code)
{
    return code == 111 || code == 112 || code == 211 || code == 212 || code == 298;
}

// The selected Items that are not groups.
inline std::vector<const Item*> SelectedItems(Sandbox* box)
{
    std::vector<const Item*> out;
    if (!box)
        return out;
    for (const Item& it : box->document().items)
        if (IsSelectedLive(it) && it.rec.d.kind != KindGroup)
            out.push_back(&it);
    return out;
}

inline int SelectIn(QComboBox* box, int position)
{
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
    return box->currentIndex();
}

} // namespace vlm::fine_tune

#include "render/pens.h"

#include "model/rounding.h"
#include "texts/render_texts.h"

#include <algorithm>

namespace vlm {

namespace {

std::int32_t Times(std::int64_t k, int w)
{
    return Clamp32(k * w);
}

PatternTable Table(std::initializer_list<std::int32_t> lengths)
{
    PatternTable t;
    t.count = static_cast<int>(lengths.size());
    t.lengths.fill(0);
    std::copy(lengths.begin(), lengths.end(), t.lengths.begin());
    return t;
}

// Lengths already in pixels, scaled by the zoom when it is not 1.
PatternTable Zoomed(PatternTable t, double zoom)
{
    if (zoom != 1.0)
        for (int i = 0; i < t.count; ++i)
            t.lengths[i] = Round(zoom * t.lengths[i]);
    return t;
}

} // namespace

int PenWidthAtZoom(double zoom, double weightMm, const ScreenMetrics& metrics)
{
    return std::max(Round(zoom), Round(zoom * weightMm * metrics.pxPerMmY));
}

int LineWidthAtZoom(double zoom, int widthPx)
{
    return std::max(1, Round(zoom * widthPx));
}

PatternTable BuiltInPattern(int code, int w)
{
    // "Center" and "Phantom" have no floor of their own: below one pixel
    // every dash would be empty and the line would vanish at small zooms.
    const int wc = std::max(w, 1);
    const std::int32_t gap = Times(2, wc) <= 2 ? 3 : Times(2, wc);
    switch (code) {
    case PatternDot:
        return Table({std::max(w, 1), std::max(Times(2, w), 1)});
    case PatternDash: {
        const std::int32_t dash = Times(6, w);
        const std::int32_t space = Times(2, w);
        return Table({dash <= 4 ? 6 : dash, space <= 0 ? 2 : space});
    }
    case PatternCenter:
        return Table({Times(6, wc), gap, Times(2, wc), gap});
    case PatternPhantom:
        return Table({Times(6, wc), gap, Times(2, wc), gap, Times(2, wc), gap});
    default:
        return PatternTable{};
    }
}

PatternTable ItemPattern(const ItemList* items, const Item& item, double zoom, const ScreenMetrics& metrics)
{
    const DrawingFields& d = item.rec.d;
    if (d.pattern >= PatternDot && d.pattern <= PatternPhantom) {
        const int base = std::max(1, Round(d.weight * metrics.pxPerMmY));
        return BuiltInPattern(d.pattern, Round(base * zoom));
    }
    const Item* record = items && d.pattern < 0 ? FindLinePattern(*items, d.pattern) : nullptr;
    if (!record)
        return PatternTable{};
    const PatternFields& p = record->rec.p;
    PatternTable t;
    t.count = std::clamp(p.count, 0, kPatternMaxLengths);
    t.lengths.fill(0);
    for (int i = 0; i < t.count; ++i)
        t.lengths[i] = Round(metrics.pxPerMmX * p.lengths[i]);
    return Zoomed(t, zoom);
}

PatternTable RubberBandPattern(int code, int w, std::span<const custPatternRec_t> userPatterns, double zoom,
                               double distance)
{
    if (code >= PatternSolid && code <= PatternPhantom)
        return BuiltInPattern(code, w);
    const int index = code - 6;
    if (index >= 0 && index < kCustomEntryCount && static_cast<std::size_t>(index) < userPatterns.size()) {
        const custPatternRec_t& user = userPatterns[index];
        PatternTable t;
        t.count = std::clamp(user.count, 0, kPatternMaxLengths);
        t.lengths.fill(0);
        std::copy_n(user.pixels.begin(), t.count, t.lengths.begin());
        return Zoomed(t, zoom);
    }
    return Table({Clamp32(std::int64_t{Round(distance)} + 32)});
}

const std::array<NamedWeight, 6> kLineWeights = {{
    {texts::kWeightThin, 0.0},
    {texts::kWeightMedium, 0.5},
    {texts::kWeightThick, 1.0},
    {texts::kWeightHeavy, 2.0},
    {texts::kWeightWide, 3.0},
    {texts::kWeightBroad, 5.0},
}};

const std::array<NamedWeight, 7> kFrameWeights = {{
    {texts::kWeightNone, 0.0},
    {texts::kWeightThin, 0.1},
    {texts::kWeightMedium, 0.5},
    {texts::kWeightThick, 1.0},
    {texts::kWeightHeavy, 2.0},
    {texts::kWeightWide, 3.0},
    {texts::kWeightBroad, 5.0},
}};

const std::array<NamedColor, 16> kBuiltInColors = {{
    {texts::kColorBlack, 0x000000},
    {texts::kColorMaroon, 0x000080},
    {texts::kColorGreen, 0x008000},
    {texts::kColorOlive, 0x008080},
    {texts::kColorNavy, 0x800000},
    {texts::kColorPurple, 0x800080},
    {texts::kColorTeal, 0x808000},
    {texts::kColorGray, 0x808080},
    {texts::kColorSilver, 0xC0C0C0},
    {texts::kColorRed, 0x0000FF},
    {texts::kColorLime, 0x00FF00},
    {texts::kColorYellow, 0x00FFFF},
    {texts::kColorBlue, 0xFF0000},
    {texts::kColorFuchsia, 0xFF00FF},
    {texts::kColorAqua, 0xFFFF00},
    {texts::kColorWhite, 0xFFFFFF},
}};

const std::array<NamedFill, 18> kBuiltInFills = [] {
    std::array<NamedFill, 18> fills{};
    fills[0] = {texts::kFillSolid, kFillSolid};
    fills[1] = {texts::kFillClear, kFillClear};
    for (std::size_t i = 0; i < kBuiltInColors.size(); ++i)
        fills[i + 2] = {kBuiltInColors[i].name, kBuiltInColors[i].color};
    return fills;
}();

const std::array<const char16_t*, 5> kPatternNames = {
    texts::kPatternSolid,  texts::kPatternDot,     texts::kPatternDash,
    texts::kPatternCenter, texts::kPatternPhantom,
};

} // namespace vlm

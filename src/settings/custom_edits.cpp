#include "settings/custom_edits.h"

#include "model/rounding.h"
#include "settings/settings.h"
#include "texts/customize_texts.h"
#include "texts/render_texts.h"

#include <algorithm>

namespace vlm {

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// An inch mark anywhere in the text: the marks go and the unit is Inches.
void TakeInchMarks(std::u16string& text, std::int32_t& units)
{
    if (text.find(u'"') == std::u16string::npos)
        return;
    std::erase(text, u'"');
    units = UnitInches;
}

// The steps every list shares: each entry of the copy, trimmed, replaces
// the Settings entry and is offered when `validate` accepts it there.
template <class Entry, class Prepare, class Validate>
void SaveEntries(std::array<Entry, kCustomEntryCount>& target, const CustomListCopy<Entry>& copy,
                 Prepare prepare, Validate validate)
{
    for (int k = 1; k <= kCustomEntryCount; ++k) {
        Entry e = copy.entries[static_cast<std::size_t>(k - 1)];
        e.inUse = 0;
        e.selectOnRefill = 0;
        e.name = Trimmed(e.name);
        prepare(e);
        Entry& saved = target[static_cast<std::size_t>(k - 1)];
        saved = std::move(e);
        if (validate(saved)) {
            saved.inUse = 1;
            saved.selectOnRefill = k == copy.open ? 1 : 0;
        }
    }
}

} // namespace

std::u16string Trimmed(std::u16string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return std::u16string(text.substr(b, e - b));
}

std::array<custDirectionRec_t, kCustomEntryCount>& DirectionEntries(Settings& s, CustomList list)
{
    switch (list) {
    case CustomList::TextAngles:
        return s.customAngles;
    case CustomList::FontSizes:
        return s.customSizes;
    default:
        return s.customDirections;
    }
}

WeightCopy CopyWeights(const Settings& s)
{
    WeightCopy c;
    c.entries = s.customWidths;
    return c;
}

PatternCopy CopyPatterns(const Settings& s)
{
    PatternCopy c;
    c.entries = s.customPatterns;
    return c;
}

DirectionCopy CopyDirections(Settings& s, CustomList list)
{
    DirectionCopy c;
    c.entries = DirectionEntries(s, list);
    return c;
}

void SaveWeights(Settings& s, const WeightCopy& copy)
{
    const double pxPerMm = s.screen.pxPerMmX;
    SaveEntries(
        s.customWidths, copy,
        [](custThicknessRec_t& e) {
            e.valueText = Trimmed(e.valueText);
            TakeInchMarks(e.valueText, e.units);
        },
        [pxPerMm](custThicknessRec_t& e) { return ValidateWeight(e, pxPerMm); });
}

void SavePatterns(Settings& s, const PatternCopy& copy)
{
    const double pxPerMm = s.screen.pxPerMmX;
    SaveEntries(
        s.customPatterns, copy,
        [](custPatternRec_t& e) {
            e.valueTexts[0] = Trimmed(e.valueTexts[0]);
            TakeInchMarks(e.valueTexts[0], e.units);
        },
        [pxPerMm](custPatternRec_t& e) { return ValidatePattern(e, pxPerMm); });
}

void SaveDirections(Settings& s, CustomList list, const DirectionCopy& copy)
{
    const bool sizes = list == CustomList::FontSizes;
    SaveEntries(
        DirectionEntries(s, list), copy, [](custDirectionRec_t& e) { e.valueText = Trimmed(e.valueText); },
        [sizes](custDirectionRec_t& e) { return sizes ? ValidateFontSize(e) : ValidateAngle(e); });
}

// ---------------------------------------------------------------- shadows

ShadowCopy::ShadowCopy(const Settings& s) : entries_(s.customShadows)
{
    light_ = s.lgtdir >= 0 && s.lgtdir <= 3 ? s.lgtdir : 0;
    for (auto& e : entries_)
        e.current = 0;
}

const custShadowRec_t* ShadowCopy::openEntry() const
{
    return open_ >= 1 && open_ <= kCustomEntryCount ? &entries_[static_cast<std::size_t>(open_ - 1)]
                                                    : nullptr;
}

custShadowRec_t* ShadowCopy::shown()
{
    return open_ >= 1 && open_ <= kCustomEntryCount ? &entries_[static_cast<std::size_t>(open_ - 1)]
                                                    : nullptr;
}

void ShadowCopy::Open(int k)
{
    if (k < 1 || k > kCustomEntryCount)
        return;
    for (auto& e : entries_)
        e.current = 0;
    open_ = k;
    entries_[static_cast<std::size_t>(k - 1)].current = 1;
}

void ShadowCopy::touch(custShadowRec_t& e)
{
    if (!e.touched)
        e.offered = 1;
    e.touched = 1;
}

void ShadowCopy::SetValues(int elevation, int fade, int lightness)
{
    custShadowRec_t* e = shown();
    if (!e)
        return;
    e->elevation = std::clamp(elevation, 0, 255);
    e->fade = std::clamp(fade, 0, 255);
    e->lightness = std::clamp(lightness, 0, 255);
    touch(*e);
}

void ShadowCopy::SetName(std::u16string_view name)
{
    custShadowRec_t* e = shown();
    if (!e)
        return;
    e->name = Trimmed(name);
    touch(*e);
}

void ShadowCopy::SetOffered(bool offered)
{
    custShadowRec_t* e = shown();
    if (!e)
        return;
    touch(*e);
    e->offered = offered ? 1 : 0;
}

void ShadowCopy::SetLightDirection(int direction)
{
    if (direction >= 0 && direction <= 3)
        light_ = direction;
}

void ShadowCopy::Save(Settings& s) const
{
    s.customShadows = entries_;
    s.lgtdir = light_;
}

std::u16string ShadowPercentText(int value)
{
    const int percent = Round(value * 100.0 / 255.0);
    if (percent == 0)
        return texts::kPercentNone;
    std::u16string text;
    for (char c : std::to_string(percent))
        text.push_back(static_cast<char16_t>(c));
    text += texts::kPercentSign;
    return text;
}

} // namespace vlm

#pragma once

// From an Item's stored style to what goes on the canvas: pen widths at a
// zoom, and the dash and space lengths of its line pattern in canvas pixels.
// Built-in patterns scale with the line's width; custom patterns keep their
// physical lengths and scale only with the zoom.

#include "model/item.h"
#include "model/item_list.h"
#include "model/screen_metrics.h"
#include "platform/bitmap.h"
#include "settings/custom_entries.h"

#include <array>
#include <cstdint>
#include <span>

namespace vlm {

// Fill values that are not colours.
inline constexpr std::int32_t kFillSolid = -2; // filled with the line colour
inline constexpr std::int32_t kFillClear = -1; // not filled

// Built-in pattern codes; negative codes name embedded patterns.
enum PatternCode : std::int32_t {
    PatternSolid = 0,
    PatternDot = 1,
    PatternDash = 2,
    PatternCenter = 3,
    PatternPhantom = 4,
};

// max(Round(zoom), Round(zoom * weightMm * pxPerMmY)): every weight but the
// line width itself (shape outlines, line outlines, frames). 0 is a valid
// answer at small zooms; the canvas draws it as its thinnest pen.
int PenWidthAtZoom(double zoom, double weightMm, const ScreenMetrics& metrics);
// max(1, Round(zoom * widthPx)): a line's width from its stored `penWidth`.
int LineWidthAtZoom(double zoom, int widthPx);

inline constexpr int kPatternMaxLengths = 12;
// The one dash of "Solid": longer than any line.
inline constexpr std::int32_t kSolidDash = 2147483647;

// What the dash walker follows: `count` lengths in canvas pixels, dash,
// space, dash, ...; entries from `count` on are 0.
struct PatternTable
{
    int count = 1;
    std::array<std::int32_t, kPatternMaxLengths> lengths{kSolidDash};
    bool operator==(const PatternTable&) const = default;
};

// The table of a built-in code for a pattern width `w` in canvas pixels;
// codes other than 0..4 give "Solid".
PatternTable BuiltInPattern(int code, int w);

// The table an Item's line is drawn with at `zoom`. A negative `pattern`
// names the embedded pattern record of `items` whose kind equals it; without
// such a record (or without `items`), and for codes other than 0..4, the line
// is solid.
PatternTable ItemPattern(const ItemList* items, const Item& item, double zoom, const ScreenMetrics& metrics);

// The table of the rubber band of a line being drawn: built-in codes 0..4
// with the band's width `w`, codes 6..17 the user's patterns 1..12 (their
// pixel lengths, scaled by a zoom other than 1), anything else one dash as
// long as the band plus 32.
PatternTable RubberBandPattern(int code, int w, std::span<const custPatternRec_t> userPatterns, double zoom,
                               double distance);

// The built-in entries of the style lists, in the order they are offered;
// each list ends with "Customize...".
struct NamedWeight
{
    const char16_t* name;
    double mm;
};
struct NamedColor
{
    const char16_t* name;
    ColorRef color;
};
struct NamedFill
{
    const char16_t* name;
    std::int32_t fill;
};
extern const std::array<NamedWeight, 6> kLineWeights;
extern const std::array<NamedWeight, 7> kFrameWeights;
extern const std::array<NamedColor, 16> kBuiltInColors;
extern const std::array<NamedFill, 18> kBuiltInFills;
extern const std::array<const char16_t*, 5> kPatternNames; // by code

} // namespace vlm

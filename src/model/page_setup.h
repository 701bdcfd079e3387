#pragma once

// Design types and the page setup kept for each of them: one dimension set per
// measuring unit, the texts exactly as the user typed them, and the step that
// writes a page setup into a DocumentHeader. Lives in the model because every
// new Document applies one while it is initialised.

#include "model/item_record.h"
#include "model/screen_metrics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlm {

enum DesignType : std::int32_t {
    DesignIllustrations = 1,
    DesignPostcards = 2,
    DesignGreetingCards = 3,
    DesignBusinessCards = 4,
    DesignLabels = 5,
    DesignCdDvdLabels = 6,
    DesignJewelCaseInserts = 7,
    DesignDvdCaseInserts = 8,
    DesignDigitalImages = 9,
    DesignBrochures = 10,
    DesignTentCards = 11,
};
inline constexpr std::int32_t kDesignTypeCount = 11;

enum MeasuringUnit : std::int32_t {
    UnitPixels = 1,
    UnitMillimeters = 2,
    UnitInches = 3,
};

enum Orientation : std::int32_t {
    Portrait = 1,
    Landscape = 2,
};

inline constexpr bool IsMeasuringUnit(std::int32_t u) { return u >= UnitPixels && u <= UnitInches; }
inline constexpr bool IsDesignType(std::int32_t t) { return t >= 1 && t <= kDesignTypeCount; }

// Card design types print one design repeatedly over a grid of cards; a
// stored negative type counts by its absolute value.
bool IsCardDesignType(std::int32_t designType);

// The fourteen dimension texts of a set, in stored order.
inline constexpr int kDimensionTextCount = 14;
enum DimensionText : int {
    TextPaperWidth = 0,
    TextPaperHeight,
    TextCardWidth,
    TextCardHeight,
    TextMarginLeft,
    TextMarginTop,
    TextMarginRight,
    TextMarginBottom,
    TextRows,
    TextColumns,
    TextRowGap,
    TextColumnGap,
    TextReserved1,
    TextReserved2,
};

using DimensionTexts = std::array<std::u16string, kDimensionTextCount>;

// The dimension set of one measuring unit.
struct miry_t {
    std::int32_t quickSelect = -1; // catalogue row the texts equal, -1 none
    DimensionTexts texts;          // kept exactly as typed, may be empty
    std::uint8_t rowFold = 0;
    std::uint8_t columnFold = 0;
};

// The page setup of one design type. The three sets are independent:
// switching units never converts, each unit keeps its own texts.
struct pageset_t {
    std::int32_t orientation = Portrait;
    std::int32_t units = UnitInches;
    std::array<miry_t, 3> sets; // by MeasuringUnit - 1

    // Precondition: IsMeasuringUnit(unit).
    miry_t& set(std::int32_t unit) { return sets[static_cast<std::size_t>(unit - 1)]; }
    const miry_t& set(std::int32_t unit) const { return sets[static_cast<std::size_t>(unit - 1)]; }
};

// One page setup per design type, indexed by DesignType (1..11).
struct pagesetArr_t {
    std::array<pageset_t, kDesignTypeCount> types;

    // Precondition: IsDesignType(t).
    pageset_t& operator[](std::int32_t t) { return types[static_cast<std::size_t>(t - 1)]; }
    const pageset_t& operator[](std::int32_t t) const { return types[static_cast<std::size_t>(t - 1)]; }
};

// The page setups a fresh Settings starts with; every type but Digital
// Images (always Pixels) takes `defaultUnits`.
pagesetArr_t InitialPageSetups(std::int32_t defaultUnits);

// Blanks are every character up to U+0020, as the dimension fields trim them.
std::u16string_view TrimBlanks(std::u16string_view s);

// A decimal real with "." as separator, surrounding blanks allowed:
// [sign] digits [. digits] [e [sign] digits]. Infinite, not-a-number and
// out-of-range results are refused, so no caller ever stores one.
std::optional<double> ParseDecimal(std::u16string_view text);

// A plain integer: surrounding blanks, an optional sign, decimal digits, and
// it must fit 32 bits.
std::optional<std::int32_t> ParseWholeNumber(std::u16string_view text);

// The largest length of each unit that a dimension or design area may have
// (about 100 metres); beyond it the pixel arithmetic of the views and the
// printer would overflow.
double MaxLengthInUnit(std::int32_t unit);

// A dimension text as a real in `unit`; inch texts may be mixed fractions
// ("8 1/2", "8-1/2", "3 2/3") and end in an inch mark. An empty text is 0.
std::optional<double> parseDimension(std::u16string_view text, std::int32_t unit);

// Device pixels per unit on this screen: 1 for pixels, pixels per millimetre,
// dots per inch. 0 for a unit outside 1..3.
double PixelsPerUnitX(std::int32_t unit, const ScreenMetrics& screen);
double PixelsPerUnitY(std::int32_t unit, const ScreenMetrics& screen);

// The header text: each of the fourteen texts followed by kPageFieldSeparator.
inline constexpr char16_t kPageFieldSeparator = u'\u07EC';
std::u16string JoinDimensionTexts(const DimensionTexts& texts);
// Text k is the part between the (k-1)-th and k-th separator; missing parts
// are empty, anything after the fourteenth separator is ignored.
DimensionTexts SplitDimensionTexts(std::u16string_view headerText);

// What applyPageSetup takes from the Settings and the screen.
struct PageSetupEnvironment {
    ScreenMetrics screen;
    // Grid density of each unit (index unit - 1) from the grid defaults.
    std::array<double, 3> gridSpacingX{25.0, 10.0, 0.25};
    std::array<double, 3> gridSpacingY{25.0, 10.0, 0.25};
};

// Writes `pageset` for `designType` into the header fields and its text.
// Nothing happens (false) when the pageset's units are outside 1..3. A
// dimension that does not parse leaves its header field unchanged, so the
// header never receives a non-number. Unless `quiet`, the header is marked
// modified; refitting the grid, the page rectangle (ApplyHeader) and the
// repaint are the caller's, who owns the Document and its window.
bool applyPageSetup(HeaderFields& header, std::u16string& headerText, const pageset_t& pageset,
                    std::int32_t designType, const PageSetupEnvironment& env, bool quiet);

struct Item;

// The same on a Document's header Item, which also takes the text and gets
// its page rectangle recomputed. False for an Item that is not a header.
bool applyPageSetup(Item& header, const pageset_t& pageset, std::int32_t designType,
                    const PageSetupEnvironment& env, bool quiet);

} // namespace vlm

#pragma once

// The words of the drawing styles and of the length read-out on the rulers.

namespace vlm::texts {

// Length read-out while a page edge is dragged on a ruler.
inline constexpr const char16_t* kLengthNone = u"None";
inline constexpr const char16_t* kUnitPixels = u"Pixels";
inline constexpr const char16_t* kUnitPixel = u"Pixel";
inline constexpr const char16_t* kUnitMm = u"mm";
inline constexpr const char16_t* kUnitInches = u"Inches";
inline constexpr const char16_t* kUnitInch = u"Inch";

// The zoom read-out: the percentage followed by this.
inline constexpr const char16_t* kPercentSign = u"%";

// Measuring unit names.
inline constexpr const char16_t* kUnitNamePixels = u"Pixels";
inline constexpr const char16_t* kUnitNameMillimeters = u"Millimeters";
inline constexpr const char16_t* kUnitNameInches = u"Inches";

// Line and frame weights.
inline constexpr const char16_t* kWeightNone = u"None";
inline constexpr const char16_t* kWeightThin = u"Thin";
inline constexpr const char16_t* kWeightMedium = u"Medium";
inline constexpr const char16_t* kWeightThick = u"Thick";
inline constexpr const char16_t* kWeightHeavy = u"Heavy";
inline constexpr const char16_t* kWeightWide = u"Wide";
inline constexpr const char16_t* kWeightBroad = u"Broad";

// Closes every built-in list; opens the list's customization dialog.
inline constexpr const char16_t* kCustomize = u"Customize...";

// Line patterns.
inline constexpr const char16_t* kPatternSolid = u"Solid";
inline constexpr const char16_t* kPatternDot = u"Dot";
inline constexpr const char16_t* kPatternDash = u"Dash";
inline constexpr const char16_t* kPatternCenter = u"Center";
inline constexpr const char16_t* kPatternPhantom = u"Phantom";

// Fills that are not colours.
inline constexpr const char16_t* kFillSolid = u"Solid";
inline constexpr const char16_t* kFillClear = u"Clear";

// The built-in colours.
inline constexpr const char16_t* kColorBlack = u"Black";
inline constexpr const char16_t* kColorMaroon = u"Maroon";
inline constexpr const char16_t* kColorGreen = u"Green";
inline constexpr const char16_t* kColorOlive = u"Olive";
inline constexpr const char16_t* kColorNavy = u"Navy";
inline constexpr const char16_t* kColorPurple = u"Purple";
inline constexpr const char16_t* kColorTeal = u"Teal";
inline constexpr const char16_t* kColorGray = u"Gray";
inline constexpr const char16_t* kColorSilver = u"Silver";
inline constexpr const char16_t* kColorRed = u"Red";
inline constexpr const char16_t* kColorLime = u"Lime";
inline constexpr const char16_t* kColorYellow = u"Yellow";
inline constexpr const char16_t* kColorBlue = u"Blue";
inline constexpr const char16_t* kColorFuchsia = u"Fuchsia";
inline constexpr const char16_t* kColorAqua = u"Aqua";
inline constexpr const char16_t* kColorWhite = u"White";

} // namespace vlm::texts

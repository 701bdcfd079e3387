#pragma once

// The words of the fine-tune panels: titles, tabs, control labels, the
// fixed entries of their lists and their guidance lines.

namespace vlm::texts {

// Titles and tabs.
inline constexpr const char16_t* kPanelLine = u"Line";
inline constexpr const char16_t* kPanelText = u"Text";
inline constexpr const char16_t* kTabBasics = u"Basics";
inline constexpr const char16_t* kTabEffects = u"Effects";
inline constexpr const char16_t* kTabFont = u"Font";

// Control labels.
inline constexpr const char16_t* kLabelColor = u"Color";
inline constexpr const char16_t* kLabelWeight = u"Weight";
inline constexpr const char16_t* kLabelPattern = u"Pattern";
inline constexpr const char16_t* kLabelDirection = u"Direction";
inline constexpr const char16_t* kLabelFillColor = u"Fill Color";
inline constexpr const char16_t* kLabelOutlineWeight = u"Outline Weight";
inline constexpr const char16_t* kLabelSurface = u"Surface";
inline constexpr const char16_t* kLabelShadow = u"Shadow";
inline constexpr const char16_t* kLabelSpikes = u"Spikes";
inline constexpr const char16_t* kLabelSides = u"Sides";
inline constexpr const char16_t* kLabelShape = u"Shape";
inline constexpr const char16_t* kLabelName = u"Name";
inline constexpr const char16_t* kLabelCharacterSet = u"Character Set";
inline constexpr const char16_t* kLabelSize = u"Size";
inline constexpr const char16_t* kLabelCustom = u"Custom";
inline constexpr const char16_t* kLabelAngle = u"Angle";
inline constexpr const char16_t* kButtonBold = u"Bold";
inline constexpr const char16_t* kButtonItalic = u"Italic";
inline constexpr const char16_t* kButtonUnderline = u"Underline";
inline constexpr const char16_t* kButtonStrikeout = u"Strikeout";
inline constexpr const char16_t* kButtonLeftJustified = u"Left Justified";
inline constexpr const char16_t* kButtonCenterJustified = u"Center Justified";
inline constexpr const char16_t* kButtonRightJustified = u"Right Justified";
inline constexpr const char16_t* kButtonMirror = u"Mirror";
inline constexpr const char16_t* kButtonFlip = u"Flip";
inline constexpr const char16_t* kButtonRotate = u"Rotate";
inline constexpr const char16_t* kRotateClockwise = u"Rotate clockwise";
inline constexpr const char16_t* kRotateCounterClockwise = u"Rotate counter-clockwise";

// Line directions and text angles.
inline constexpr const char16_t* kAnyAngle = u"Any angle";
inline constexpr const char16_t* kHorizontal = u"Horizontal";
inline constexpr const char16_t* kVerticalRight = u"Vertical (right)";
inline constexpr const char16_t* kVerticalLeft = u"Vertical (left)";
inline constexpr const char16_t* kUpsideDown = u"Upside down";

// Shadows.
inline constexpr const char16_t* kShadowNone = u"None";
inline constexpr const char16_t* kShadowSlight = u"Slight";
inline constexpr const char16_t* kShadowMedium = u"Medium";
inline constexpr const char16_t* kShadowBroad = u"Broad";

// 3-D surfaces.
inline constexpr const char16_t* kSurfaceFlat = u"Flat";
inline constexpr const char16_t* kSurfaceRound = u"Round";

// Shapes of the fourth control.
inline constexpr const char16_t* kOpenSpline = u"Open Spline";
inline constexpr const char16_t* kClosedSpline = u"Closed Spline";
inline constexpr const char16_t* kSolidShape = u"Solid Shape";
inline constexpr const char16_t* kOpenCurve = u"Open Curve";
inline constexpr const char16_t* kClosedCurve = u"Closed Curve";
inline constexpr const char16_t* kOblongShape = u"Oblong Shape";

// Named font weights.
inline constexpr const char16_t* kFontThin = u"Thin";
inline constexpr const char16_t* kFontExtraLight = u"Extra Light";
inline constexpr const char16_t* kFontLight = u"Light";
inline constexpr const char16_t* kFontNormal = u"Normal";
inline constexpr const char16_t* kFontMedium = u"Medium";
inline constexpr const char16_t* kFontSemiBold = u"Semi Bold";
inline constexpr const char16_t* kFontBold = u"Bold";
inline constexpr const char16_t* kFontExtraBold = u"Extra Bold";
inline constexpr const char16_t* kFontHeavy = u"Heavy";

// Character sets.
inline constexpr const char16_t* kCharsetWestern = u"Western";
inline constexpr const char16_t* kCharsetDefault = u"Default";
inline constexpr const char16_t* kCharsetSymbol = u"Symbol";
inline constexpr const char16_t* kCharsetJapanese = u"Japanese";
inline constexpr const char16_t* kCharsetKorean = u"Korean";
inline constexpr const char16_t* kCharsetChineseSimplified = u"Chinese Simplified";
inline constexpr const char16_t* kCharsetChineseTraditional = u"Chinese Traditional";
inline constexpr const char16_t* kCharsetGreek = u"Greek";
inline constexpr const char16_t* kCharsetTurkish = u"Turkish";
inline constexpr const char16_t* kCharsetHebrew = u"Hebrew";
inline constexpr const char16_t* kCharsetArabic = u"Arabic";
inline constexpr const char16_t* kCharsetBaltic = u"Baltic";
inline constexpr const char16_t* kCharsetCyrillic = u"Cyrillic";
inline constexpr const char16_t* kCharsetThai = u"Thai";
inline constexpr const char16_t* kCharsetCentralEuropean = u"Central European";
inline constexpr const char16_t* kCharsetOem = u"OEM";

// The multi-selection panel.
inline constexpr const char16_t* kJoinLine =
    u"Click on the Join items button to create a single object comprised of the selected items.";
inline constexpr const char16_t* kJoinWords = u"Join items";
inline constexpr const char16_t* kSplitLine =
    u"Click on the Split group button to separate the group members into individual items.";
inline constexpr const char16_t* kSplitWords = u"Split group";

} // namespace vlm::texts

#pragma once

// The words of the "Customize" menu and of the dialogs that customize the
// lists of the fine-tune panels.

namespace vlm::texts {

// The menu.
inline constexpr const char16_t* kMenuCustomize = u"Customize";
inline constexpr const char16_t* kMenuColors = u"Colors";
inline constexpr const char16_t* kMenuLineWeights = u"Line Weights";
inline constexpr const char16_t* kMenuLinePatterns = u"Line Patterns";
inline constexpr const char16_t* kMenuAlignments = u"Alignments";
inline constexpr const char16_t* kMenuFontSizes = u"Font sizes";
inline constexpr const char16_t* kMenuTextAngles = u"Text angles";
inline constexpr const char16_t* kMenuShadows = u"Shadows";

// Window titles.
inline constexpr const char16_t* kTitleLineWeights = u"Customize Line Weights";
inline constexpr const char16_t* kTitleLinePatterns = u"Customize Line Patterns";
inline constexpr const char16_t* kTitleLineAngles = u"Customize Line Angles";
inline constexpr const char16_t* kTitleTextAngles = u"Customize Text Angles";
inline constexpr const char16_t* kTitleFontSizes = u"Customize Font Sizes";
inline constexpr const char16_t* kTitleShadows = u"Customize Shadows";

// The parts every dialog has; the field labels "Name", "Angle" and "Size"
// are those of the fine-tune panels, the unit names those of the rulers.
inline constexpr const char16_t* kSelectHeading = u"Select";
inline constexpr const char16_t* kFieldUnits = u"Units";
inline constexpr const char16_t* kUnitDegrees = u"Degrees";
inline constexpr const char16_t* kUnitRadians = u"Radians";
inline constexpr const char16_t* kWhenDone =
    u"When done, click on the Save button. Click on the Cancel button to close this window without "
    u"applying any changes.";
// Shown in bold wherever the guidance says it.
inline constexpr const char16_t* kZeroToRemove = u"zero to remove";

// Line weights.
inline constexpr const char16_t* kFieldThickness = u"Thickness";
inline constexpr const char16_t* kWeightsGuide =
    u"Click on the line weight name in the left column to enter new values.";
inline constexpr const char16_t* kWeightNameGuide = u"Enter a new name for the thickness in the Name field. "
                                                    u"You will be able to select the thickness by this name.";
inline constexpr const char16_t* kWeightValueGuide =
    u"Then, enter the value of the thickness and select the measuring units. Enter the thickness of zero to "
    u"remove the thickness from the pull-down list.";

// Line patterns.
inline constexpr const char16_t* kColumnDash = u"Dash";
inline constexpr const char16_t* kColumnSpace = u"Space";
inline constexpr const char16_t* kPatternsGuide =
    u"Click on the pattern name in the left column to enter new values.";
inline constexpr const char16_t* kPatternNameGuide =
    u"Enter a new name for the line pattern in the Name field. You will be able to select the pattern by "
    u"this name.";
inline constexpr const char16_t* kPatternValueGuide =
    u"Then, select the measuring units and enter the lengths of the dashes and spaces. Make the first dash "
    u"equal "
    u"to zero to remove the pattern from the pull-down list.";

// Line directions, text angles and font sizes.
inline constexpr const char16_t* kAnglesGuide =
    u"Click on the name in the left column to enter or change the angle.";
inline constexpr const char16_t* kSizesGuide =
    u"Click on the name in the left column to enter or change the font size.";
inline constexpr const char16_t* kAngleNameGuide =
    u"Enter a new name in the Name field. You will be able to select the angle by this name.";
inline constexpr const char16_t* kSizeNameGuide =
    u"Enter a new name in the Name field. You will be able to select the font size by this name.";
inline constexpr const char16_t* kDirectionValueGuide =
    u"Then, enter the angle of the line. Leave the angle field empty to remove the direction from the "
    u"pull-down "
    u"list.";
inline constexpr const char16_t* kTextAngleValueGuide =
    u"Then, enter the angle of the text. Leave the angle field empty to remove this item from the pull-down "
    u"list.";
inline constexpr const char16_t* kSizeValueGuide =
    u"Then, enter the font size. Leave the font size field empty to remove the size from the pull-down list.";

// Shadows.
inline constexpr const char16_t* kShadowsGuide =
    u"Click on the shadow name in the left column to make or edit a shadow.";
inline constexpr const char16_t* kShadowEntryGuide = u"Customize the shadow name and appearance.";
inline constexpr const char16_t* kLightHeading = u"Direction of Light";
inline constexpr const char16_t* kLightTopLeft = u"From top left";
inline constexpr const char16_t* kLightTopRight = u"From top right";
inline constexpr const char16_t* kLightBottomLeft = u"From bottom left";
inline constexpr const char16_t* kLightBottomRight = u"From bottom right";
inline constexpr const char16_t* kSliderElevation = u"Elevation";
inline constexpr const char16_t* kSliderFade = u"Fade";
inline constexpr const char16_t* kSliderLightness = u"Lightness";
// The check box reads "Show 'NAME' in the shadows selection menu".
inline constexpr const char16_t* kShowShadowBefore = u"Show";
inline constexpr const char16_t* kShowShadowAfter = u"in the shadows selection menu";
inline constexpr const char16_t* kShadowSampleName = u"Sample";
inline constexpr const char16_t* kPercentNone = u"None";
inline constexpr const char16_t* kShadowNameHover = u"Customize the shadow name.";
inline constexpr const char16_t* kElevationHover =
    u"Imagine that you are lifting the object from the surface. Higher elevation makes a longer shadow.";
inline constexpr const char16_t* kFadeHover =
    u"The shadow edges should fade when the object is elevated from the surface to make a realistic shadow.";
inline constexpr const char16_t* kLightnessHover =
    u"You can make the shadow darker or lighter to deepen or soften the shadow.";
inline constexpr const char16_t* kShowShadowHover =
    u"Check this option to add the shadow into the pull-down menus in the fine-tune and preview screens.";
inline constexpr const char16_t* kLightHover =
    u"The source of the imaginary light determines where the shadow casts.";
inline constexpr const char16_t* kLightAppliesToAll =
    u"The light direction applies to all shadows in your design.";

} // namespace vlm::texts

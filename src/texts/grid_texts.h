#pragma once

// The words of the grid: the Tools menu, the grid toggles of the toolbar,
// the Grid and Snap options and the Speed options.

namespace vlm::texts {

inline constexpr const char16_t* kMenuTools = u"Tools";
inline constexpr const char16_t* kMenuGrid = u"Grid";
inline constexpr const char16_t* kMenuGridNone = u"None";
inline constexpr const char16_t* kMenuGridHorizontal = u"Horizontal";
inline constexpr const char16_t* kMenuGridVertical = u"Vertical";
inline constexpr const char16_t* kMenuGridBoth = u"Both";
inline constexpr const char16_t* kMenuGridCustomize = u"Customize...";
inline constexpr const char16_t* kMenuGridReset = u"Reset";
inline constexpr const char16_t* kMenuAnchors = u"Anchors";
inline constexpr const char16_t* kMenuSnap = u"Snap";
inline constexpr const char16_t* kMenuSpeed = u"Speed";

// "Reset" asks first; the two lines are shown one below the other.
inline constexpr const char16_t* kAskEqualGrid = u"Make the distances between the gridlines equal?";
inline constexpr const char16_t* kAskEqualGridNote =
    u"(Use 'Tools|Grid|Customize...' to set the default distance).";

// Toolbar hints of the two grid toggles.
inline constexpr const char16_t* kHintGridlines = u"Gridlines";
inline constexpr const char16_t* kHintSnap = u"Snap";

// The Grid and Snap options.
inline constexpr const char16_t* kGridAndSnapTitle = u"Grid and Snap";
inline constexpr const char16_t* kTitleSeparator = u" - ";
inline constexpr const char16_t* kNewFilesCaption = u"New Files";
inline constexpr const char16_t* kGroupHorizontal = u"Horizontal";
inline constexpr const char16_t* kGroupVertical = u"Vertical";
inline constexpr const char16_t* kShowGridlines = u"Show Gridlines";
inline constexpr const char16_t* kShowAnchors = u"Show Anchors";
inline constexpr const char16_t* kSnapToGrid = u"Snap to Grid";
inline constexpr const char16_t* kGridDensity = u"Grid Density";
inline constexpr const char16_t* kDensityPixels = u"Pixels";
inline constexpr const char16_t* kDensityMillimeters = u"Millimeters";
inline constexpr const char16_t* kDensityInches = u"Inches";
inline constexpr const char16_t* kButtonSave = u"Save";
inline constexpr const char16_t* kButtonCancel = u"Cancel";
inline constexpr const char16_t* kButtonApply = u"Apply";

// The Speed options.
inline constexpr const char16_t* kSpeedTitle = u"Speed";
inline constexpr const char16_t* kShowAllPictures = u"Show all pictures";
inline constexpr const char16_t* kShowAllShadows = u"Show all shadows";
inline constexpr const char16_t* kShowAll3D = u"Show all 3-D effects";
inline constexpr const char16_t* kSpeedGuide =
    u"You can turn off some time-consuming functions if you want to re-arrange your design without waiting "
    u"for you PC to re-paint the items on your screen.";
inline constexpr const char16_t* kSpeedPicturesGuide =
    u"The software shows only the outlines of your clips when this option is unchecked.";
inline constexpr const char16_t* kSpeedShadowsGuide =
    u"The software does not paint the shadows when this option is unchecked.";
inline constexpr const char16_t* kSpeed3DGuide = u"The software does not make the 3-D effect on the surface "
                                                 u"of your graphics when this option is unchecked.";

} // namespace vlm::texts

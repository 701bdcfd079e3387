#pragma once

// The words of the picture-insertion dialog, its side panel and the clip
// panel.

namespace vlm::texts {

// The open dialog.
inline constexpr const char16_t* kPictureOpenTitle = u"Open";
// "All pictures" first, then one entry per format.
inline constexpr const char16_t* kPictureOpenFilter =
    u"All pictures (*.jpg,*.jpeg,*.png,*.gif,*.bmp,*.ico,*.webp,*.tif,*.tiff,*.svg,*.emf,*.wmf)|"
    u"*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.webp;*.tif;*.tiff;*.svg;*.emf;*.wmf|"
    u"JPEG Image Files (*.jpg,*.jpeg)|*.jpg;*.jpeg|PNG Image Files (*.png)|*.png|GIF Image Files (*.gif)|*.gif|"
    u"Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|WebP Image Files (*.webp)|*.webp|"
    u"TIFF Image Files (*.tif,*.tiff)|*.tif;*.tiff|SVG Drawings (*.svg)|*.svg|"
    u"Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|Vellumora Files (*.vlmr)|*.vlmr";
inline constexpr const char16_t* kNotAValidFile = u"This is not a valid file.";
// A well-formed picture with more pixels than the program decodes.
inline constexpr const char16_t* kPictureTooLarge = u"This picture is too large to open.";

// The popup's buttons.
inline constexpr const char16_t* kPictureInsert = u"Insert";
inline constexpr const char16_t* kPictureCancel = u"Cancel";

// The dialog's toolbar.
inline constexpr const char16_t* kHintSelectClip = u"Select a clip";
inline constexpr const char16_t* kHintOutlineClip = u"Outline a clip";
inline constexpr const char16_t* kHintOutlineRoundClip = u"Outline a round clip";
inline constexpr const char16_t* kHintEraseClip = u"Erase the selected clip";
inline constexpr const char16_t* kHintMirrorPicture = u"Mirror the picture";
inline constexpr const char16_t* kHintFlipPicture = u"Flip the picture";
inline constexpr const char16_t* kHintRotatePicture = u"Rotate the picture";
inline constexpr const char16_t* kHintUndoOutline = u"Undo";
inline constexpr const char16_t* kHintRedoOutline = u"Redo";
inline constexpr const char16_t* kHintZoomOut = u"Zoom out";
inline constexpr const char16_t* kHintZoomIn = u"Zoom in";
inline constexpr const char16_t* kZoomCaption = u"Zoom";
inline constexpr const char16_t* kPercent = u"%";

// The side panel.
inline constexpr const char16_t* kPreviewTitle = u"Preview";
inline constexpr const char16_t* kTabClips = u"Clips";
inline constexpr const char16_t* kTabEffects = u"Effects";
inline constexpr const char16_t* kInsertCaption = u"Insert";
inline constexpr const char16_t* kInsertEntireImage = u"Entire image";
inline constexpr const char16_t* kInsertClips = u"Clips";
inline constexpr const char16_t* kInsertRoundClips = u"Round clips";
inline constexpr const char16_t* kSummary = u"Summary";
inline constexpr const char16_t* kRectangularClips = u"Rectangular clip(s)";
inline constexpr const char16_t* kRoundClips = u"Round clip(s)";
inline constexpr const char16_t* kFrameCaption = u"Frame";
inline constexpr const char16_t* kFrameColorCaption = u"Frame Color";
inline constexpr const char16_t* kShadowCaption = u"Shadow";
inline constexpr const char16_t* kFrame3DCaption = u"Frame 3-D";
inline constexpr const char16_t* kSurfaceFlat = u"Flat";
inline constexpr const char16_t* kSurfaceRound = u"Round";
inline constexpr const char16_t* kCustomize = u"Customize...";

// The side panel's hint lines; <u> and <b> mark the emphasised words.
inline constexpr const char16_t* kHintSelectHow = u"Select how you want to insert the picture.";
inline constexpr const char16_t* kHintZoomScale =
    u"To adjust the size of the picture, use the zoom scale in the upper right corner.";
inline constexpr const char16_t* kHintThenInsert =
    u"Then, click on the <u>Insert</u> button to add the image into your design.";
inline constexpr const char16_t* kHintOrOutline =
    u"Or, outline one or more <u>clips</u> from this picture to be inserted as separate images.";
inline constexpr const char16_t* kHintClickStart =
    u"Click on the picture where you want to start a clip, move the mouse, and click again.";
inline constexpr const char16_t* kHintClickCentre =
    u"Click at the center of a round clip, move the mouse, and click again.";
inline constexpr const char16_t* kHintHoldDown =
    u"Or, hold down the mouse button, move the mouse, and release the button.";
inline constexpr const char16_t* kHintPointerAdjust =
    u"Click on the pointer button and then select a clip, if you want to adjust its size or position.";
inline constexpr const char16_t* kHintFrameAfter =
    u"The frame will appear <b>after</b> you insert the clips.";
inline constexpr const char16_t* kHintAdjustLater =
    u"You will be able to adjust the frame width and color after you insert the clips.";
inline constexpr const char16_t* kHintFrameWidth =
    u"Select the frame width to draw a <b>frame</b> around the clip.";
inline constexpr const char16_t* kHintFrameColor =
    u"Select the <b>color</b> of the frame to change the frame color.";

// The clip panel.
inline constexpr const char16_t* kFineTuneTitle = u"Fine-tune";
inline constexpr const char16_t* kTabColors = u"Colors";
inline constexpr const char16_t* kSaturation = u"Saturation";
inline constexpr const char16_t* kContrast = u"Contrast";
inline constexpr const char16_t* kLightness = u"Lightness";
inline constexpr const char16_t* kNormal = u"Normal";
inline constexpr const char16_t* kHintSaturation = u"Change saturation to fade or intensify color.";
inline constexpr const char16_t* kHintContrast =
    u"Change contrast to adjust the depth of light and dark areas.";
inline constexpr const char16_t* kHintLightness =
    u"Change lightness to lighten or darken the colors in the clip.";
inline constexpr const char16_t* kHintFrameWidthPlain =
    u"Select the frame width to draw a frame around the clip.";
inline constexpr const char16_t* kHintFrameColorPlain =
    u"Select the color of the frame to change the frame color.";
inline constexpr const char16_t* kHintInsertNewClip =
    u"Click on <u>Insert new clip</u> to add a new clip from the original picture.";
inline constexpr const char16_t* kHintEditThisClip =
    u"Click on <u>Edit this clip</u> to change the clip boundary.";
inline constexpr const char16_t* kHintEditClipBoundary = u"Edit clip boundary";

// The hint page after an insertion.
inline constexpr const char16_t* kHintPictureInCorner =
    u"The picture or the clips are in the upper left corner of your canvas.";

} // namespace vlm::texts

namespace vlm::texts {

// The built-in shadows of the clip lists.
inline constexpr const char16_t* kShadowNone = u"None";
inline constexpr const char16_t* kShadowSlight = u"Slight";
inline constexpr const char16_t* kShadowMedium = u"Medium";
inline constexpr const char16_t* kShadowBroad = u"Broad";

} // namespace vlm::texts

namespace vlm::texts {

// Faces of the picture dialog's and the clip panel's toolbar buttons.
inline constexpr const char16_t* kFacePointer = u"\u2196";
inline constexpr const char16_t* kFaceRectOutline = u"\u25AD";
inline constexpr const char16_t* kFaceRoundOutline = u"\u25EF";
inline constexpr const char16_t* kFaceErase = u"\u2715";
inline constexpr const char16_t* kFaceMirror = u"\u21C6";
inline constexpr const char16_t* kFaceFlip = u"\u21C5";
inline constexpr const char16_t* kFaceTurnClockwise = u"\u21BB";
inline constexpr const char16_t* kFaceTurnCounterClockwise = u"\u21BA";
inline constexpr const char16_t* kFaceUndo = u"\u21B6";
inline constexpr const char16_t* kFaceRedo = u"\u21B7";
inline constexpr const char16_t* kFaceZoomOut = u"\u2212";
inline constexpr const char16_t* kFaceZoomIn = u"+";
inline constexpr const char16_t* kFaceEditClip = u"\u2702";

} // namespace vlm::texts

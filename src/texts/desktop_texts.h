#pragma once

// The words of the conventions every desktop program shares: the Zoom
// menu's steps and "Fit page", and the canvas's context menu.

namespace vlm::texts {

inline constexpr const char16_t* kMenuZoomIn = u"Zoom In";
inline constexpr const char16_t* kMenuZoomOut = u"Zoom Out";
inline constexpr const char16_t* kMenuFitPage = u"Fit page";
inline constexpr const char16_t* kHintFitPage = u"Fit page";

// The context menu of the canvas.
inline constexpr const char16_t* kContextMenu = u"Edit";
inline constexpr const char16_t* kContextErase = u"Erase";
inline constexpr const char16_t* kContextFront = u"Bring to Front";
inline constexpr const char16_t* kContextBack = u"Send to Back";
inline constexpr const char16_t* kContextFineTune = u"Fine-tune";

} // namespace vlm::texts

#pragma once

// The words of the clipboard and grouping commands: the Edit menu entries and
// the hints of their toolbar buttons.

namespace vlm::texts {

inline constexpr const char16_t* kMenuCut = u"Cut";
inline constexpr const char16_t* kMenuCopy = u"Copy";
inline constexpr const char16_t* kMenuPaste = u"Paste";
inline constexpr const char16_t* kMenuCopyToClipboard = u"Copy to Clipboard";
inline constexpr const char16_t* kMenuJoinItems = u"Join Items";
inline constexpr const char16_t* kMenuSplitGroup = u"Split Group";

inline constexpr const char16_t* kHintJoin = u"Join items";
inline constexpr const char16_t* kHintSplit = u"Split group";
inline constexpr const char16_t* kHintErase = u"Erase the selected item";
inline constexpr const char16_t* kHintCopy = u"Copy to clipboard";
inline constexpr const char16_t* kHintPaste = u"Paste from clipboard";

} // namespace vlm::texts

#pragma once

// The text panel's guidance while a text is typed, edited in place or
// fine-tuned. The emphasised words are marked for the rich-text labels.

namespace vlm::texts {

inline constexpr const char16_t* kGuideTypeText = u"Enter the text now.";
inline constexpr const char16_t* kGuideTypeDone =
    u"When done, click on the pointer button (the button with the hand picture) in the upper menu.";
inline constexpr const char16_t* kGuideEndEdit = u"To <b>end edit</b>, click outside the textbox.";
inline constexpr const char16_t* kGuideEndEditPointer =
    u"Or, click on the <b>pointer</b> button (the button with the hand picture) in the upper menu.";
inline constexpr const char16_t* kGuideEditText = u"To <b>edit</b> the text, double-click on it.";
inline constexpr const char16_t* kGuideMoveText =
    u"To <b>move</b> the text, place the cursor on the center point, hold down the mouse key and move the mouse";

} // namespace vlm::texts

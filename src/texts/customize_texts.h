#pragma once

// The words of the "Customize" menu.

namespace vlm::texts {

inline constexpr const char16_t* kMenuCustomize = u"Customize";
inline constexpr const char16_t* kMenuColors = u"Colors";

} // namespace vlm::texts

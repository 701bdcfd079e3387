#pragma once

// The data file last used to print each document with data, kept in the
// Settings by the document's path, the latest first.

#include "settings/settings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vlm {

// The documents remembered at most; the oldest goes first.
inline constexpr std::size_t kMaxDataFiles = 20;

// The data file last used with `document`; empty when none is known.
std::u16string dataFileFor(const Settings& settings, std::u16string_view document);

// Notes `data` as the document's data file, first in the list. A document
// never saved (empty path) is not remembered.
void rememberDataFile(Settings& settings, std::u16string_view document, std::u16string_view data);

} // namespace vlm

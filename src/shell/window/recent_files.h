#pragma once

// The recently used files: sixteen full paths, most recent first, empty
// entries allowed. They live in the Settings ("reopen1".."reopen16").

#include "settings/settings.h"

#include <QString>

#include <array>
#include <string>

namespace vlm {

using RecentFiles = std::array<std::u16string, kRecentFileCount>;

// Puts `name` at the top. An entry naming the same file (letter case aside)
// leaves its place first, so a file is listed once; the 16th entry drops
// out when the list is full. An empty name changes nothing.
void AddRecentEntry(RecentFiles& files, const QString& name);

// Trims the blanks of every entry, as rebuilding the Reopen menu does.
void TrimRecentEntries(RecentFiles& files);

// What a menu shows for a file: its name without folder and extension,
// blanks trimmed.
QString FileCaption(const QString& path);

} // namespace vlm

#pragma once

// The user's settings through QSettings: the registry under
// HKEY_CURRENT_USER\Software\Vellumora on Windows, elsewhere the INI file
// Vellumora/Vellumora.ini in the XDG config folder, one group per registry key.
//
// The store reads everything once when it is opened and works on that copy;
// commit() writes the copy out as a complete new file that replaces the old
// one in a single rename, so a crash while saving leaves the old file whole.
// A file that cannot be read, is not a file or is implausibly large is
// treated as empty; it is never parsed and never blocks.
//
// INI files know only texts, so integers are written the way registry
// exports write a REG_DWORD, "dword:0000000c", and a text that happens to
// start like that (or with "sz:") is written behind "sz:". A hand-edited
// "tsize=12" is therefore a text, and the Settings ignore it as the wrong type.

#include "platform/memory_settings_store.h"

#include <QString>

#include <memory>

namespace vlm {

class QtSettingsStore final : public MemorySettingsStore {
public:
    // This user's store: the registry on Windows, the INI file elsewhere.
    static std::unique_ptr<QtSettingsStore> openUserStore();
    // An INI file at `path`; its folder is created when the store commits.
    static std::unique_ptr<QtSettingsStore> openIniFile(const QString& path);
    // The INI file openUserStore uses off Windows.
    static QString userIniPath();

    bool commit() override;

    // Files above this size are not settings this program wrote.
    static constexpr qint64 kMaxIniBytes = 1 << 20;

private:
    enum class Backend { IniFile, Registry };
    QtSettingsStore(Backend backend, QString path);

    void loadIni();
    void loadRegistry();
    bool commitIni();
    bool commitRegistry();

    Backend backend_;
    QString path_;
};

} // namespace vlm

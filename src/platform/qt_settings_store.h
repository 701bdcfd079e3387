#pragma once

// The user's settings through QSettings: the registry under
// HKEY_CURRENT_USER\Software\Vellumora on Windows, elsewhere the INI file
// Vellumora/Vellumora.ini in the XDG config folder, one group per registry key.
//
// The store reads everything once when it is opened and works on that copy;
// commit() writes the copy out as a complete new file that replaces the old
// one in a single rename, so a crash while saving leaves the old file whole.
// A file that cannot be read or is not a file loads as empty; one larger
// than kMaxIniBytes loads from its first kMaxIniBytes only. Neither is ever
// written over: what the store did not read would be lost.
//
// INI files know only texts, and people edit them: an integer is written as
// its plain decimal number ("tsize=12") and a text as itself, so what a person
// reads is what the program uses. A value without a mark is an untyped text,
// which is also an integer wherever the Settings expect one and it is a
// decimal number. The marked forms of earlier versions still read: "dword:"
// with eight hexadecimal digits is an integer, and a text behind "sz:" is a
// text only; a text that itself starts with one of the two marks is written
// behind "sz:".

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

    // Files above this size are not settings this program wrote; only their
    // beginning is read.
    static constexpr qint64 kMaxIniBytes = 16 << 20;

    // The file exists but was not read whole; commit() then leaves it alone.
    bool partlyRead() const { return partlyRead_; }

private:
    enum class Backend { IniFile, Registry };
    QtSettingsStore(Backend backend, QString path);

    void loadIni();
    void parseIni(const QString& path);
    void loadRegistry();
    bool commitIni();
    bool commitRegistry();

    Backend backend_;
    QString path_;
    bool partlyRead_ = false;
};

} // namespace vlm

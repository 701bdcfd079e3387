#pragma once

// The association of ".vlmr" documents with this program for the current
// user, the Linux way: a shared-mime-info package for the document type, a
// desktop entry that opens documents with " -open %f", and the icon, all in
// the user's XDG data folder. The three files are the ones packaging/
// installs system-wide, with the program's full path put into the command.

#include <QString>
#include <QStringList>

#include <functional>

namespace vlm {

class SettingsStore;
struct Settings;

// The steps of writing the association, numbered as the failure is
// recorded in "ddeins".
enum AssociationStep : int {
    StepMimeFolder = 30,   // <data>/mime/packages
    StepMimePackage = 31,  // the document type and its glob
    StepAppFolder = 32,    // <data>/applications
    StepDesktopEntry = 33, // the launcher with the open command
    StepIconFolder = 34,   // <data>/icons/hicolor/scalable/apps
    StepIcon = 35,
    StepMimeRefresh = 36,    // update-mime-database, when installed
    StepDesktopRefresh = 37, // update-desktop-database, when installed
};

// Starts a helper program without waiting for it; false when it could not
// be started. Tests pass a recorder.
using StartProgram = std::function<bool(const QString& program, const QStringList& arguments)>;
// Starts the helper when it is installed; a missing helper is no failure.
bool StartInstalledHelper(const QString& program, const QStringList& arguments);

// The desktop entry's command for `programPath`, quoted as desktop entries
// require; empty for a path no command line can carry (line breaks).
QString DesktopExecLine(const QString& programPath);

// Writes the association into `dataHome` for the program at `programPath`.
// 0 when every step succeeded, else the number of the first failing step.
// Files that already hold the right content are left alone.
int WriteFileAssociation(const QString& dataHome, const QString& programPath,
                         const StartProgram& start = StartInstalledHelper);

// The association as start-up and the first-time setup make it: written,
// and "ddeins" stored back in "CustomSettings" as the failing step, or
// unchanged (0 when it was never set) on success. Returns the step or 0.
int RegisterFileAssociation(Settings& settings, SettingsStore& store, const QString& dataHome,
                            const QString& programPath, const StartProgram& start = StartInstalledHelper);

} // namespace vlm

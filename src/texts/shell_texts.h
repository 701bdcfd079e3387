#pragma once

// The words of the main window, its menus, the document windows and the
// questions asked while opening, closing and leaving.

namespace vlm::texts {

inline constexpr const char16_t* kAppTitle = u"Vellumora";

// Closing and leaving.
inline constexpr const char16_t* kSaveChangesTo = u"Do you want to save changes to";
inline constexpr const char16_t* kSaveTheFile = u"Do you want to save the file?";
inline constexpr const char16_t* kFilesModified =
    u"One or more files were modified, but the changes have not been saved.\n"
    u"Do you want to save the files?";
inline constexpr const char16_t* kCannotFindFile = u"Cannot find the file.";
inline constexpr const char16_t* kClearRecentFiles = u"Clear the list of recently used files?";
// Said when writing a document failed; the file's path follows on a line of its own.
inline constexpr const char16_t* kCannotSaveFile = u"The file could not be saved.";
// A read failed without the system naming a reason.
inline constexpr const char16_t* kCannotReadFile = u"The file could not be read.";

// Copies kept when the session ended before the user could save.
inline constexpr const char16_t* kRecoveryOffer =
    u"Vellumora was closed while some files had unsaved changes.\n"
    u"Do you want to open the recovered copies?\n"
    u"(No discards them; Cancel asks again at the next start.)";

// The left column.
inline constexpr const char16_t* kNextStepHeading = u"Select what you want to do next...";
inline constexpr const char16_t* kBack = u"Back";
inline constexpr const char16_t* kForward = u"Forward";

// The first-time setup.
inline constexpr const char16_t* kSetupIntro = u"The setup consists of two easy steps.";
inline constexpr const char16_t* kSetupUnitsPrompt = u"I prefer to use";
inline constexpr const char16_t* kMillimeters = u"Millimeters";
inline constexpr const char16_t* kInches = u"Inches";
inline constexpr const char16_t* kProceed = u"Proceed";

// The zoom controls of the tool frame.
inline constexpr const char16_t* kZoomOutHint = u"Zoom out";
inline constexpr const char16_t* kZoomInHint = u"Zoom in";
inline constexpr const char16_t* kZoomHeading = u"Zoom";

// The menu bar.
inline constexpr const char16_t* kMenuFile = u"File";
inline constexpr const char16_t* kMenuNew = u"New";
inline constexpr const char16_t* kMenuOpen = u"Open";
inline constexpr const char16_t* kMenuReopen = u"Reopen";
inline constexpr const char16_t* kMenuClearRecent = u"Clear...";
inline constexpr const char16_t* kMenuSave = u"Save";
inline constexpr const char16_t* kMenuSaveAs = u"Save As";
inline constexpr const char16_t* kMenuClose = u"Close";
inline constexpr const char16_t* kMenuPageSetup = u"Page Setup";
inline constexpr const char16_t* kMenuGridAndSnap = u"Grid and Snap";
inline constexpr const char16_t* kMenuCurrentFile = u"Current File";
inline constexpr const char16_t* kMenuNewFiles = u"New Files";
inline constexpr const char16_t* kMenuPrintPreview = u"Print Preview";
inline constexpr const char16_t* kMenuPrint = u"Print";
inline constexpr const char16_t* kMenuExport = u"Export";
inline constexpr const char16_t* kMenuExportExact = u"Exact";
inline constexpr const char16_t* kMenuExportSmooth = u"Smooth";
inline constexpr const char16_t* kMenuScreenshot = u"Screenshot";
inline constexpr const char16_t* kMenuExit = u"Exit";
inline constexpr const char16_t* kMenuZoom = u"Zoom";
inline constexpr const char16_t* kMenuWindow = u"Window";

} // namespace vlm::texts

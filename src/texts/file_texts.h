#pragma once

// The words of opening and saving document files.

namespace vlm::texts {

inline constexpr const char* kInvalidFile = "Not a valid Vellumora file. Attempt to open it anyway?";
inline constexpr const char* kNewerVersion =
    "This file was created on a newer version of Vellumora software.\n"
    "Update your software. Otherwise, this file might not display correctly.";
inline constexpr const char* kReplaceFile = "Replace the existing file?";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kSaveAsTitle = "Save As";
inline constexpr const char* kOpenTitle = "Open";
inline constexpr const char* kDocumentExtension = "vlmr";
inline constexpr const char* kDocumentFilter = "All files (*.*)|*.*|Vellumora files (*.vlmr)|*.vlmr";
inline constexpr int kDocumentFilterIndex = 2;
inline constexpr const char* kDocumentMimeType = "application/x-vellumora";

// Said when a file without a page header was opened and given a fresh one.
inline constexpr const char* kHeaderAdded =
    "This file has no page settings. Default page settings were added.";

} // namespace vlm::texts

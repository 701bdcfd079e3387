#pragma once

// The document file: 448-byte records, each followed by the blobs its kind
// owns. Reading builds a separate list and swaps it in only on success.

#include "model/document.h"

#include <string>

namespace vlm {

// The questions and notes reading may put to the user.
class FilePrompts {
public:
    virtual ~FilePrompts() = default;
    // "Not a valid Vellumora file. Attempt to open it anyway?" Yes: true.
    virtual bool askOpenInvalidFile() = 0;
    // The newer-version warning, after a successful read.
    virtual void warnNewerVersion() = 0;
    // A file-system error stopped the read; `systemText` is the system's words.
    virtual void reportReadError(const std::string& systemText) = 0;
    // The file had no DocumentHeader and the loaded Document was given a
    // fresh one (with a grid record).
    virtual void noteHeaderAdded() {}
};

// The blob a text may have: below this many bytes.
inline constexpr std::int32_t kTextBlobLimit = kTextScanLimit;

// Writes every kept record of `list` to `fileName`. The previous file is
// replaced only once the new one is complete on disk. False when the list has
// no header or anything fails (the old file is then untouched and `modified`
// stays set); true clears `modified`.
bool WriteDocument(const std::string& fileName, ItemList& list);

// Reads `fileName` into a new list made for list.metrics(); on success the
// list's old records are freed and the new ones taken over. False for an empty
// name, a missing or unreadable file, or when the user declined an invalid one.
bool ReadDocument(const std::string& fileName, ItemList& list, FilePrompts& prompts);

// Writes to the document's file when it has one that exists; else false.
bool SaveToExisting(Document& doc);

} // namespace vlm

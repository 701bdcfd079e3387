#pragma once

// Recovery copies: while a document has unsaved changes, and when the
// session ends before the user could save (the system asked the program to
// stop), it is written to the user's data folder, never over the user's own
// files. The next start offers to open them again, with their original names
// and still modified.

#include "model/document.h"

#include <QString>

#include <vector>

namespace vlm {

struct RecoveryCopy {
    QString copyPath;     // the document copy in the recovery folder
    QString originalPath; // the file it belongs to; empty for an untitled one
};

// Writes `doc` as its recovery copy: over `copy.copyPath` when that is set,
// otherwise under a new name in `folder` (created when missing), which
// `copy` then holds. Both the copy and its note of the original name replace
// what was there in one rename each, so a copy is always whole. False when
// it could not be written. The document stays modified.
bool WriteRecoveryCopy(const QString& folder, Document& doc, RecoveryCopy& copy);

// Writes a copy of each document into `folder` (created when missing) and
// returns how many were written. The documents stay modified.
int WriteRecoveryCopies(const QString& folder, const std::vector<Document*>& documents);

// The copies waiting in `folder`, oldest first.
std::vector<RecoveryCopy> FindRecoveryCopies(const QString& folder);

// Removes the copy and its note of the original name.
void DiscardRecoveryCopy(const RecoveryCopy& copy);

} // namespace vlm

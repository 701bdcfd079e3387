#include "shell/window/recovery.h"

#include "model/document_file.h"
#include "shell/window/document_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vlm {

namespace {

// The original name sits beside the copy; a longer note is no note of ours.
constexpr qint64 kMaxNoteBytes = 64 * 1024;
const QString kCopySuffix = QStringLiteral(".vlmr");
const QString kNoteSuffix = QStringLiteral(".origin");

QString NotePathOf(const QString& copyPath)
{
    return copyPath.left(copyPath.size() - kCopySuffix.size()) + kNoteSuffix;
}

// A name no copy has yet: the time and a count keep the copies in the order
// they were first written.
QString NewCopyPath(const QString& folder)
{
    static int counter = 0;
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    QString copyPath;
    do
        copyPath = folder + QStringLiteral("/copy-%1-%2").arg(stamp).arg(++counter, 3, 10, QLatin1Char('0')) +
                   kCopySuffix;
    while (QFileInfo::exists(copyPath));
    return copyPath;
}

} // namespace

bool WriteRecoveryCopy(const QString& folder, Document& doc, RecoveryCopy& copy)
{
    const bool fresh = copy.copyPath.isEmpty();
    if (fresh) {
        if (!QDir().mkpath(folder))
            return false;
        copy.copyPath = NewCopyPath(folder);
    }
    copy.originalPath = PathOf(doc);
    QSaveFile note(NotePathOf(copy.copyPath));
    bool ok = note.open(QIODevice::WriteOnly);
    if (ok) {
        note.write(copy.originalPath.toUtf8());
        ok = note.commit() && WriteDocument(EncodedPath(copy.copyPath), doc.items);
        // The copy is not the user's file: the document still has changes
        // the user has not saved.
        SetModified(doc.items, true);
    }
    if (!ok && fresh) {
        QFile::remove(NotePathOf(copy.copyPath));
        copy.copyPath.clear();
    }
    return ok;
}

int WriteRecoveryCopies(const QString& folder, const std::vector<Document*>& documents)
{
    int written = 0;
    for (Document* doc : documents) {
        RecoveryCopy copy;
        if (WriteRecoveryCopy(folder, *doc, copy))
            ++written;
    }
    return written;
}

std::vector<RecoveryCopy> FindRecoveryCopies(const QString& folder)
{
    std::vector<RecoveryCopy> copies;
    const QDir dir(folder);
    if (!dir.exists())
        return copies;
    const QFileInfoList found =
        dir.entryInfoList({QStringLiteral("copy-*") + kCopySuffix}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : found) {
        RecoveryCopy copy;
        copy.copyPath = info.absoluteFilePath();
        QFile note(NotePathOf(copy.copyPath));
        if (note.open(QIODevice::ReadOnly) && note.size() <= kMaxNoteBytes)
            copy.originalPath = QString::fromUtf8(note.readAll());
        copies.push_back(copy);
    }
    return copies;
}

void DiscardRecoveryCopy(const RecoveryCopy& copy)
{
    QFile::remove(copy.copyPath);
    QFile::remove(NotePathOf(copy.copyPath));
}

} // namespace vlm

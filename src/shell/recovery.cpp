#include "shell/recovery.h"

#include "model/document_file.h"
#include "shell/document_files.h"

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

} // namespace

int WriteRecoveryCopies(const QString& folder, const std::vector<Document*>& documents)
{
    if (documents.empty() || !QDir().mkpath(folder))
        return 0;
    const QString stamp = QString::number(QDateTime::currentMSecsSinceEpoch());
    int written = 0;
    int index = 0;
    for (Document* doc : documents) {
        QString base;
        do
            base = folder + QStringLiteral("/copy-%1-%2").arg(stamp).arg(++index, 3, 10, QLatin1Char('0'));
        while (QFileInfo::exists(base + kCopySuffix));

        QSaveFile note(base + kNoteSuffix);
        if (!note.open(QIODevice::WriteOnly))
            continue;
        note.write(PathOf(*doc).toUtf8());
        if (!note.commit())
            continue;
        const bool ok = WriteDocument(EncodedPath(base + kCopySuffix), doc->items);
        // The copy is not the user's file: the document still has changes
        // the user has not saved.
        SetModified(doc->items, true);
        if (ok)
            ++written;
        else
            QFile::remove(base + kNoteSuffix);
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

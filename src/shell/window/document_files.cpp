#include "shell/window/document_files.h"

#include "settings/settings.h"
#include "texts/file_texts.h"
#include "texts/shell_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vlm {

QString PathOf(const Document& doc)
{
    return QFile::decodeName(QByteArray::fromStdString(doc.fileName));
}

void SetPath(Document& doc, const QString& path)
{
    doc.fileName = EncodedPath(path);
}

std::string EncodedPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

bool PromptFilePrompts::askOpenInvalidFile()
{
    return prompts_.message(Prompts::Kind::Warning, QString::fromUtf8(texts::kInvalidFile),
                            Prompts::Yes | Prompts::No) == Prompts::Answer::Yes;
}

void PromptFilePrompts::warnNewerVersion()
{
    prompts_.message(Prompts::Kind::Warning, QString::fromUtf8(texts::kNewerVersion), Prompts::Ok);
}

void PromptFilePrompts::reportReadError(const std::string& systemText)
{
    QString text = QString::fromUtf16(texts::kCannotReadFile);
    if (!systemText.empty())
        text += QLatin1Char('\n') + QString::fromLocal8Bit(systemText.data(), qsizetype(systemText.size()));
    prompts_.message(Prompts::Kind::Error, text, Prompts::Ok);
}

void PromptFilePrompts::noteHeaderAdded()
{
    prompts_.message(Prompts::Kind::Information, QString::fromUtf8(texts::kHeaderAdded), Prompts::Ok);
}

DocumentFiles::DocumentFiles(Settings& settings, Prompts& prompts, RecentSink addRecent)
    : settings_(settings), prompts_(prompts), addRecent_(std::move(addRecent))
{
}

Prompts::FileDialog DocumentFiles::dialog(const QString& title, const QString& fileName) const
{
    Prompts::FileDialog d;
    d.title = title;
    // The remembered folder may come from another system ("\My Documents");
    // the user's documents folder stands in for one that does not exist.
    const QString remembered = QString::fromStdU16String(settings_.docdir);
    d.folder = !remembered.isEmpty() && QFileInfo(remembered).isDir()
                   ? remembered
                   : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    d.fileName = fileName;
    d.defaultSuffix = QString::fromUtf8(texts::kDocumentExtension);
    d.filter = QString::fromUtf8(texts::kDocumentFilter);
    d.filterIndex = texts::kDocumentFilterIndex;
    return d;
}

void DocumentFiles::reportWriteFailure(const QString& path)
{
    prompts_.message(Prompts::Kind::Error,
                     QString::fromUtf16(texts::kCannotSaveFile) + QLatin1Char('\n') + QDir::toNativeSeparators(path),
                     Prompts::Ok);
}

bool DocumentFiles::SaveAsDialog(QString& name, ItemList& list)
{
    const QString trimmed = name.trimmed();
    const auto chosen =
        prompts_.saveFile(dialog(QString::fromUtf8(texts::kSaveAsTitle), trimmed.isEmpty() ? QString() : QFileInfo(trimmed).fileName()));
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    const QFileInfo info(*chosen);
    settings_.docdir = info.absolutePath().toStdU16String();
    const QString full = info.absoluteFilePath();
    if (info.exists() &&
        prompts_.message(Prompts::Kind::Confirmation, QString::fromUtf8(texts::kReplaceFile),
                         Prompts::Yes | Prompts::No) != Prompts::Answer::Yes)
        return false;
    if (!WriteDocument(EncodedPath(full), list)) {
        reportWriteFailure(full);
        return false;
    }
    name = full;
    if (addRecent_)
        addRecent_(full);
    return true;
}

QString DocumentFiles::OpenDialog()
{
    const auto chosen = prompts_.openFile(
        dialog(QString::fromUtf8(texts::kOpenTitle), QString::fromStdU16String(settings_.lastOpenFileName)));
    if (!chosen || chosen->trimmed().isEmpty())
        return {};
    const QFileInfo info(chosen->trimmed());
    settings_.docdir = info.absolutePath().toStdU16String();
    settings_.lastOpenFileName = info.fileName().toStdU16String();
    const QString full = info.absoluteFilePath();
    if (addRecent_)
        addRecent_(full);
    return full;
}

bool DocumentFiles::Save(Document& doc, bool untitledDefault)
{
    const QString path = PathOf(doc);
    if (SaveToExisting(doc)) {
        if (saved_)
            saved_(doc);
        return true;
    }
    // The file is there but could not be written: say so before offering
    // another place for it.
    if (!path.trimmed().isEmpty() && QFileInfo::exists(path))
        reportWriteFailure(path);
    QString name = path;
    if (name.trimmed().isEmpty() && untitledDefault)
        name = QString::fromUtf8(texts::kUntitled) + QLatin1Char(' ') + QString::fromStdString(doc.untitledNumber);
    if (!SaveAsDialog(name, doc.items))
        return false;
    SetPath(doc, name);
    if (saved_)
        saved_(doc);
    return true;
}

bool DocumentFiles::SaveAs(Document& doc)
{
    QString name = PathOf(doc);
    if (!SaveAsDialog(name, doc.items))
        return false;
    SetPath(doc, name);
    if (saved_)
        saved_(doc);
    return true;
}

} // namespace vlm

#pragma once

// Opening and saving documents through the dialogs: the Save, Save As and
// Open commands with the document folder and last file name the Settings
// remember, and the questions reading a file may ask.

#include "model/document.h"
#include "model/document_file.h"
#include "platform/prompts.h"

#include <QString>

#include <functional>

namespace vlm {

struct Settings;

// A document's file name is kept in the file system's encoding.
QString PathOf(const Document& doc);
void SetPath(Document& doc, const QString& path);
std::string EncodedPath(const QString& path);

// The reader's questions as message boxes.
class PromptFilePrompts final : public FilePrompts {
public:
    explicit PromptFilePrompts(Prompts& prompts) : prompts_(prompts) {}
    bool askOpenInvalidFile() override;
    void warnNewerVersion() override;
    void reportReadError(const std::string& systemText) override;
    void noteHeaderAdded() override;

private:
    Prompts& prompts_;
};

class DocumentFiles {
public:
    // Called with every file the dialogs open or save (the recent files).
    using RecentSink = std::function<void(const QString& path)>;

    DocumentFiles(Settings& settings, Prompts& prompts, RecentSink addRecent);

    // The save dialog and the write. `name` suggests the file name and takes
    // the chosen full path once the document is written; a cancelled dialog,
    // a refused replacement or a failed write return false and leave it.
    bool SaveAsDialog(QString& name, ItemList& list);
    // The open dialog: the chosen file's full path, or empty.
    QString OpenDialog();

    // "Save": to the document's own file when it still exists, otherwise
    // through the save dialog, which suggests "Untitled N" for a document
    // without a file when `untitledDefault`. True once written.
    bool Save(Document& doc, bool untitledDefault);
    // "Save As": the save dialog with the document's file name.
    bool SaveAs(Document& doc);

    // Called with each document Save or Save As wrote to the user's file.
    void setSavedSink(std::function<void(Document& doc)> sink) { saved_ = std::move(sink); }

private:
    Prompts::FileDialog dialog(const QString& title, const QString& fileName) const;
    void reportWriteFailure(const QString& path);

    Settings& settings_;
    Prompts& prompts_;
    RecentSink addRecent_;
    std::function<void(Document&)> saved_;
};

} // namespace vlm

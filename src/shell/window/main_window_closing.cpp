// Closing document windows, ending the session, recovery copies.

#include "shell/window/guarded_prompts.h"
#include "shell/window/main_window.h"

#include "model/random.h"
#include "platform/settings_store.h"
#include "platform/ui_text.h"
#include "platform/widgets/qt_prompts.h"
#include "render/text_render.h"
#include "render/units.h"
#include "render/view_settings.h"
#include "settings/document_defaults.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/file_association.h"
#include "shell/window/first_time_setup.h"
#include "shell/window/left_column.h"
#include "shell/window/open_request.h"
#include "shell/window/recent_files.h"
#include "shell/window/recovery.h"
#include "shell/window/recovery_keeper.h"
#include "shell/window/view_widget.h"
#include "shell/window/window_placement.h"
#include "shell/window/zoom_controls.h"
#include "texts/shell_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vlm {

// ---- Closing ----

bool MainWindow::queryClose(DocumentWindow& window)
{
    if (closingQuietly_ || sessionEnding_)
        return true;
    Document& doc = window.document();
    if (!IsModified(doc.items))
        return true;
    const QString path = PathOf(doc);
    const QString question = path.trimmed().isEmpty()
                                 ? uiText(texts::kSaveTheFile)
                                 : uiText(texts::kSaveChangesTo) + QLatin1Char(' ') + FileCaption(path) +
                                       QLatin1Char('?');
    switch (prompts_->message(Prompts::Kind::Confirmation, question, Prompts::Yes | Prompts::No | Prompts::Cancel)) {
    case Prompts::Answer::Yes:
        if (!files_.Save(doc, false))
            return false;
        window.updateCaption();
        return true;
    case Prompts::Answer::No:
        return true;
    default:
        return false;
    }
}

void MainWindow::windowClosed(DocumentWindow& window)
{
    if (hooks_.documentClosing)
        hooks_.documentClosing(window);
    if (recoveryKeeper_)
        recoveryKeeper_->discard(window.document());
    const QString path = PathOf(window.document());
    if (!path.trimmed().isEmpty())
        AddRecent(path);
    menus_.removeWindowEntry(window.windowMenuEntry());
    window.setWindowMenuEntry(nullptr);
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
    if (active_ == &window) {
        active_ = nullptr;
        if (!windows_.empty() && !closingQuietly_)
            ActivateWindow(windows_.front()->windowId());
    }
    if (windows_.empty()) {
        menus_.setCurrentFileCaption({});
        if (hooks_.documentActivated)
            hooks_.documentActivated(nullptr);
    }
    timer(4).start();
}

bool MainWindow::ConfirmExit()
{
    if (exitConfirmed_)
        return true;
    const auto firstModified = [this]() -> DocumentWindow* {
        for (DocumentWindow* w : windows_)
            if (IsModified(w->document().items))
                return w;
        return nullptr;
    };
    if (!firstModified())
        return true;
    switch (prompts_->message(Prompts::Kind::Warning, uiText(texts::kFilesModified),
                              Prompts::Yes | Prompts::No | Prompts::Cancel)) {
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Yes:
        break;
    default:
        return false;
    }
    while (DocumentWindow* w = firstModified()) {
        ActivateWindow(w->windowId());
        if (!files_.Save(w->document(), true))
            return false;
        w->updateCaption();
        w->close();
    }
    return true;
}

void MainWindow::closeAllQuietly()
{
    closingQuietly_ = true;
    const std::vector<DocumentWindow*> open = windows_;
    for (DocumentWindow* w : open)
        w->close();
    closingQuietly_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!ConfirmExit()) {
        event->ignore();
        return;
    }
    exitConfirmed_ = true;
    closeAllQuietly();
    popupX_->hide();
    popupY_->hide();
    event->accept();
}

void MainWindow::EndSession()
{
    if (sessionEnding_)
        return;
    sessionEnding_ = true;
    prompts_->ending = true;
    exitConfirmed_ = true;
    if (recoveryKeeper_)
        recoveryKeeper_->keepForNextStart();
    SaveDialogColors(settings_, store_);
    SaveSettings(settings_, store_);
    // Leaves every event loop, a dialog's too, without closing windows under
    // the feet of the code that opened the dialog.
    if (env_.quit)
        env_.quit();
    else
        QCoreApplication::exit(0);
}

bool MainWindow::offerRecoveryCopies()
{
    if (env_.recoveryFolder.isEmpty())
        return false;
    const std::vector<RecoveryCopy> copies = FindRecoveryCopies(env_.recoveryFolder);
    if (copies.empty())
        return false;
    switch (prompts_->message(Prompts::Kind::Confirmation, uiText(texts::kRecoveryOffer),
                              Prompts::Yes | Prompts::No | Prompts::Cancel)) {
    case Prompts::Answer::Yes:
        break;
    case Prompts::Answer::No:
        for (const RecoveryCopy& c : copies)
            DiscardRecoveryCopy(c);
        return false;
    default:
        return false;
    }
    bool opened = false;
    for (const RecoveryCopy& copy : copies) {
        DocumentWindow* w = OpenDocument(copy.copyPath);
        Document& doc = w->document();
        if (PathOf(doc) != QFileInfo(copy.copyPath).absoluteFilePath())
            continue; // unreadable: the copy stays for another attempt
        if (copy.originalPath.isEmpty()) {
            doc.fileName.clear();
            takeUntitledNumber(doc);
        } else {
            SetPath(doc, copy.originalPath);
        }
        SetModified(doc.items, true);
        w->updateCaption();
        menus_.setCurrentFileCaption(w->caption());
        DiscardRecoveryCopy(copy);
        opened = true;
    }
    return opened;
}

} // namespace vlm

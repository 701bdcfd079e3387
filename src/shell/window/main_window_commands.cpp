// The main window's zoom, recent-file and File menu commands.

#include "shell/window/guarded_prompts.h"
#include "shell/commands/command_layout.h"
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

// ---- The File and Zoom menus ----

void MainWindow::registerCommands()
{
    CommandRegistry& r = *commands_;
    const auto hasDocument = [this] { return menus_.documentMenusEnabled(); };
    r.add({.id = CommandId::New,
           .caption = uiText(texts::kMenuNew),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_N)},
           .run = [this] { NewCommand(); }});
    r.add({.id = CommandId::Open,
           .caption = uiText(texts::kMenuOpen),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_O)},
           .run = [this] { OpenCommand(); }});
    // The Reopen entries follow the recent files, each reopening its own.
    for (int n = 1; n <= kRecentFileCount; ++n)
        connect(menus_.reopenEntries[n - 1], &QAction::triggered, this, [this, n] { ReopenRecent(n); });
    r.add({.id = CommandId::ReopenMenu, .enabled = [this] { return menus_.hasRecentFiles(); }});
    r.add({.id = CommandId::ClearRecent,
           .caption = uiText(texts::kMenuClearRecent),
           .run = [this] { ClearRecentCommand(); }});
    r.add({.id = CommandId::Save,
           .caption = uiText(texts::kMenuSave),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_S)},
           .enabled = hasDocument,
           .run = [this] { SaveCommand(); }});
    r.add({.id = CommandId::SaveAs,
           .caption = uiText(texts::kMenuSaveAs),
           .enabled = hasDocument,
           .run = [this] { SaveAsCommand(); }});
    r.add({.id = CommandId::Close,
           .caption = uiText(texts::kMenuClose),
           .enabled = hasDocument,
           .run = [this] { CloseCommand(); }});
    r.add({.id = CommandId::Screenshot, .caption = uiText(texts::kMenuScreenshot), .neverShown = true});
    r.add({.id = CommandId::Exit, .caption = uiText(texts::kMenuExit), .run = [this] { ExitCommand(); }});
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i) {
        const double step = kZoomSteps[i];
        menus_.zoomEntries[i] = r.add({.id = kZoomMenuLayout[i],
                                       .caption = ZoomLabel(step),
                                       .run = [this, step] { SetZoom(step); },
                                       .checked = [this, i] {
                                           return ZoomStepIndex(menus_.shownZoom()) == static_cast<int>(i);
                                       }});
    }
}

void MainWindow::connectZoomControls()
{
    zoomControls_->onZoomOut = [this] { ZoomOutCommand(); };
    zoomControls_->onZoomIn = [this] { ZoomInCommand(); };
    zoomControls_->onTrackbarReleased = [this](int position) { TrackbarReleased(position); };
}

// ---- Zoom ----

void MainWindow::showZoom(double zoom)
{
    zoomControls_->showZoom(zoom);
    menus_.showZoom(zoom);
}

void MainWindow::SetZoom(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0 || factor > kZoomTrackbarMax / 100.0)
        return;
    settings_.zoom = factor;
    menus_.showZoom(factor);
    if (active_)
        active_->view().setZoom(factor);
    zoomControls_->showZoom(factor);
}

void MainWindow::ZoomOutCommand()
{
    const double z = ZoomOut(settings_.zoom);
    if (z != settings_.zoom)
        SetZoom(z);
}

void MainWindow::ZoomInCommand()
{
    const double z = ZoomIn(settings_.zoom);
    if (z != settings_.zoom)
        SetZoom(z);
}

void MainWindow::TrackbarReleased(int position)
{
    if (const auto z = ZoomFromTrackbar(position))
        SetZoom(*z);
}

// ---- Recent files ----

void MainWindow::AddRecent(const QString& name)
{
    AddRecentEntry(settings_.reopen, name);
    menus_.rebuildReopen(settings_.reopen);
}

void MainWindow::ReopenRecent(int n)
{
    if (n < 1 || n > kRecentFileCount)
        return;
    const QString entry = QString::fromStdU16String(settings_.reopen[n - 1]);
    if (entry.isEmpty())
        return;
    if (QFileInfo(entry).isFile())
        OpenDocument(entry);
    else
        prompts_->message(Prompts::Kind::Warning, uiText(texts::kCannotFindFile), Prompts::Cancel);
}

void MainWindow::ClearRecentCommand()
{
    if (prompts_->message(Prompts::Kind::Confirmation, uiText(texts::kClearRecentFiles), Prompts::Yes | Prompts::No) !=
        Prompts::Answer::Yes)
        return;
    for (std::u16string& entry : settings_.reopen)
        entry.clear();
    menus_.rebuildReopen(settings_.reopen);
}

// ---- Commands ----

void MainWindow::NewCommand()
{
    OpenDocument({});
}

void MainWindow::OpenCommand()
{
    const QString name = files_.OpenDialog().trimmed();
    if (!name.isEmpty())
        OpenDocument(name);
}

bool MainWindow::SaveCommand()
{
    if (!active_)
        return false;
    if (!files_.Save(active_->document(), false))
        return false;
    active_->updateCaption();
    menus_.setCurrentFileCaption(active_->caption());
    return true;
}

bool MainWindow::SaveAsCommand()
{
    if (!active_)
        return false;
    if (!files_.SaveAs(active_->document()))
        return false;
    active_->updateCaption();
    menus_.setCurrentFileCaption(active_->caption());
    return true;
}

void MainWindow::CloseCommand()
{
    if (active_)
        active_->close();
}

void MainWindow::ExitCommand()
{
    if (!ConfirmExit())
        return;
    exitConfirmed_ = true;
    close();
}

void MainWindow::HandleOpenRequest(const QString& macro)
{
    if (sessionEnding_)
        return;
    const QString name = FileOfOpenMacro(macro);
    if (name.isEmpty())
        return;
    const QFileInfo info(name);
    if (!info.exists() || info.isDir())
        return;
    openDocument(info.absoluteFilePath(), true);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

} // namespace vlm

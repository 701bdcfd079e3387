// The main window's left column panels and its eight timers.

#include "shell/window/main_window.h"

#include "model/random.h"
#include "platform/font.h"
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

namespace {

// The left-column codes that share one panel.
int PanelKey(int code)
{
    if (code == 98 || code == 99)
        return 98;
    if (code >= 100 && code <= 299)
        return 100;
    if (code >= 300 && code <= 303)
        return 300;
    if (code >= 1024 && code <= 1080)
        return 1024;
    return code;
}

bool IsHintPage(int code)
{
    return code >= 1024 && code <= 1080;
}

} // namespace

// ---- Panels ----

void MainWindow::ShowPanel(int code, ShowPanelFlags flags)
{
    if (flags.skipIfSame && code == currentPanel_)
        return;
    if (code != currentPanel_ && currentPanel_ != 0 && !IsHintPage(currentPanel_) && IsHintPage(code))
        previousPanel_ = currentPanel_;
    if (!flags.noHistory && hooks_.historyEntry)
        hooks_.historyEntry(code);
    currentPanel_ = code;

    const int key = PanelKey(code);
    auto found = std::find_if(panels_.begin(), panels_.end(), [key](const auto& p) { return p.first == key; });
    QWidget* panel = found != panels_.end() ? found->second : nullptr;
    if (!panel && hooks_.makePanel) {
        panel = hooks_.makePanel(code);
        if (panel)
            panels_.emplace_back(key, panel);
    }
    leftColumn_->showPanelWidget(panel);

    if ((code >= 98 && code <= 303) || ((code == 59 || code == 401) && windows_.empty()))
        timer(2).start();
    if (hooks_.panelShown)
        hooks_.panelShown(code);
    if (flags.enterTool.value_or(!IsHintPage(code)) && hooks_.enterTool)
        hooks_.enterTool(code);
    if (hooks_.panelGuidance)
        hooks_.panelGuidance(code);
}

void MainWindow::RunDeferred(int code)
{
    pendingCommand_ = code;
    timer(1).start();
}

// ---- Timers ----

void MainWindow::Timer1Timer()
{
    timer(1).stop();
    const int code = pendingCommand_;
    pendingCommand_ = 0;
    switch (code) {
    case 0:
        return;
    case 400:
    case 503:
    case 510:
        if (hooks_.runFrameCommand)
            hooks_.runFrameCommand(code);
        return;
    case 43:
        // Back to the panel a hint page came over: its tool is still at work.
        ShowPanel(previousPanel_, ShowPanelFlags().entering(false));
        return;
    // The placing pages hand back to their tool's panel; the points placed
    // so far stay, so the tool is not entered again.
    case 1061:
        ShowPanel(109, ShowPanelFlags().skipping().entering(false));
        return;
    case 1064:
        ShowPanel(110, ShowPanelFlags().skipping().entering(false));
        return;
    case 1070:
        ShowPanel(111, ShowPanelFlags().skipping().entering(false));
        return;
    case 1073:
        ShowPanel(112, ShowPanelFlags().skipping().entering(false));
        return;
    default:
        ShowPanel(code);
        return;
    }
}

void MainWindow::Timer2Timer()
{
    timer(2).stop();
    bool recovered = false;
    if (!recoveryOffered_) {
        recoveryOffered_ = true;
        recovered = offerRecoveryCopies();
    }
    if (!startFile_.isEmpty()) {
        const QString file = std::exchange(startFile_, QString());
        OpenDocument(file);
        return;
    }
    if (windows_.empty() && !recovered)
        OpenDocument({});
}

void MainWindow::Timer3Timer()
{
    timer(3).stop();
    leftColumn_->resetBackLabelStyle();
    if (hooks_.resetHover)
        hooks_.resetHover();
}

void MainWindow::Timer4Timer()
{
    timer(4).stop();
    if (!windows_.empty())
        return;
    settings_.zoom = 1.0;
    showZoom(1.0);
    ShowPanel(kDefaultPanel);
    if (hooks_.documentActivated)
        hooks_.documentActivated(nullptr);
    SetDocumentMenus(false);
}

void MainWindow::Timer5Timer()
{
    timer(5).stop();
    settings_.installedFonts.clear();
    for (const QString& family : InstalledFontFamilies())
        settings_.installedFonts.push_back(family.toStdU16String());
    if (hooks_.fontsListed)
        hooks_.fontsListed();
}

void MainWindow::Timer6Timer()
{
    timer(6).stop();
    const int suggested =
        QLocale::system().measurementSystem() == QLocale::MetricSystem ? UnitMillimeters : UnitInches;
    auto* setup = new FirstTimeSetup(suggested);
    setup->onProceed = [this](int unit) { FinishFirstTimeSetup(unit); };
    popupX_->showFrame(setup, uiText(texts::kAppTitle), [this] {
        if (setupRanThrough_)
            timer(2).start();
    });
}

void MainWindow::FinishFirstTimeSetup(int unit)
{
    RecordFirstTimeSetup(settings_, store_, unit);
    if (!env_.dataHome.isEmpty())
        RegisterFileAssociation(settings_, store_, env_.dataHome, env_.programPath, env_.startHelper);
    setupRanThrough_ = true;
    if (popupX_->isVisible())
        popupX_->accept();
}

void MainWindow::Timer7Timer()
{
    timer(7).stop();
    for (DocumentWindow* w : windows_) {
        Item* header = w->document().items.header();
        if (!header || header->rec.h.lightDirection == settings_.lgtdir)
            continue;
        if (settings_.lgtdir >= 0 && settings_.lgtdir <= 3)
            header->rec.h.lightDirection = static_cast<std::uint8_t>(settings_.lgtdir);
        DropClipCaches(w->document().items);
        w->view().repaintAll(false);
    }
}

void MainWindow::Timer8Timer()
{
    timer(8).stop();
}

} // namespace vlm

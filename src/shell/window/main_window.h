#pragma once

// The main window: the tool frame across the top, the column of panels on
// the left, the status bar and the area of the document windows, with the
// Settings, the menus, the two popup windows and the main window's one-shot
// timers. Every handler is an ordinary method, so tests drive the window
// without showing it, answering its questions through a scripted Prompts.

#include "model/document.h"
#include "platform/prompts.h"
#include "settings/settings.h"
#include "shell/commands/main_menus.h"
#include "shell/window/document_files.h"
#include "shell/window/document_window.h"
#include "shell/window/file_association.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMdiArea;

namespace vlm {

class LeftColumn;
class PopupWindow;
class RecoveryKeeper;
class SettingsStore;
class ZoomControls;

// Where the program is and where it keeps things of the user's.
struct ShellEnvironment {
    QString programPath;    // the association's open command runs this
    QString dataHome;       // the user's XDG data folder (association files)
    QString recoveryFolder; // copies of unsaved documents after an abrupt end
    ScreenMetrics screen;
    // Leaves the event loops at the end of a session; QCoreApplication::exit
    // when not set.
    std::function<void()> quit;
    // Starts the helpers that refresh the desktop's databases after the file
    // association was written.
    StartProgram startHelper = StartInstalledHelper;
};

// Extension points for the commands that build on the shell: each is called at
// the moment named, when set.
struct ShellHooks {
    // A picture file was opened: start inserting it into `window`.
    std::function<void(DocumentWindow& window, const QString& picture)> insertPicture;
    // The panel of a left-column code, made the first time it is shown.
    std::function<QWidget*(int code)> makePanel;
    // A document window became the active one (Undo and Redo, the Grid,
    // Anchors and Snap menus and buttons follow it); null after the last
    // one closed.
    std::function<void(DocumentWindow* window)> documentActivated;
    // Timer3: hover highlights of the toolbar and the option rows end.
    std::function<void()> resetHover;
    // Timer5 filled the Settings' font list; the font choices follow.
    std::function<void()> fontsListed;
    // Timer1 commands that open frames of other commands: 400, 503, 510.
    std::function<void(int code)> runFrameCommand;
    // A key for the picture frame when it is shown; true when taken.
    std::function<bool(QKeyEvent& event)> pictureFrameKeys;
    // ShowPanel showed the panel of `code`.
    std::function<void(int code)> panelShown;
    // ShowPanel was asked to enter the tool of `code`, after panelShown.
    std::function<void(int code)> enterTool;
    // ShowPanel is about to show `code` and was not asked to leave the panel
    // history alone: the history entry is made here.
    std::function<void(int code)> historyEntry;
    // ShowPanel showed `code`, with or without a history entry: the
    // next-step options and the Back and forward buttons follow. Runs last.
    std::function<void(int code)> panelGuidance;
    // A document window got its Document: new, loaded, or reused for a file.
    std::function<void(DocumentWindow& window)> documentOpened;
    // A document window is closing; its view still exists.
    std::function<void(DocumentWindow& window)> documentClosing;
    // The insert panel's Page Setup link was followed.
    std::function<void()> openPageSetup;
    // A hint page's paragraph stands for option row `row` of the guidance
    // box (1..4; 0 hides every hover mark).
    std::function<void(int row)> showOptionHover;
    // A hint step selects the last drawn Item of the active document.
    std::function<void()> selectLast;
    // The main window is being destroyed: commands that watch its events
    // stop here, before its widgets go.
    std::function<void()> mainWindowGoing;
};

// How ShowPanel shows a panel.
struct ShowPanelFlags {
    // Nothing happens when the panel is the one shown.
    bool skipIfSame = false;
    // Enter the panel's tool in the active document window. Left unset, the
    // tool is entered for every panel but the hint pages (1024..1080), which
    // appear while a tool is at work and must leave it alone.
    std::optional<bool> enterTool;
    // No panel-history entry (Back, forward and the steps that go with them).
    bool noHistory = false;

    // ShowPanel(code, ShowPanelFlags().skipping().entering(true)) and so on.
    ShowPanelFlags& skipping(bool on = true)
    {
        skipIfSame = on;
        return *this;
    }
    ShowPanelFlags& entering(bool on)
    {
        enterTool = on;
        return *this;
    }
    ShowPanelFlags& unrecorded()
    {
        noHistory = true;
        return *this;
    }
};

class MainWindow : public QMainWindow, public DocumentWindowOwner, public OpenDocuments {
public:
    static constexpr int kClientWidth = 936;
    static constexpr int kClientHeight = 637;
    static constexpr int kDefaultPanel = 20;

    MainWindow(Prompts& prompts, SettingsStore& store, ShellEnvironment environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The end of start-up: Timer5, then Timer6 on a first start or Timer2.
    // `file`, when given, is opened in place of the first untitled document.
    void Start(const QString& file = {});

    // ---- Operations ----
    DocumentWindow* OpenDocument(const QString& fileName);
    void ShowPanel(int code, ShowPanelFlags flags = {});
    void RunDeferred(int code);
    void ActivateWindow(std::int32_t windowId);
    void SetDocumentMenus(bool enabled);
    bool ConfirmExit();
    void SetZoom(double factor);
    void AddRecent(const QString& name);
    void ReopenRecent(int n);
    // An open request from another start of the program ([open("FILE")]).
    void HandleOpenRequest(const QString& macro);
    // The session ends now (a termination signal): Settings saved, modified
    // documents kept as recovery copies, the program leaves without asking.
    void EndSession();

    // ---- Commands ----
    void NewCommand();
    void OpenCommand();
    bool SaveCommand();
    bool SaveAsCommand();
    void CloseCommand();
    void ClearRecentCommand();
    void ExitCommand();
    void ZoomOutCommand();
    void ZoomInCommand();
    void TrackbarReleased(int position);

    // ---- Timers ----
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Timer5Timer();
    void Timer6Timer();
    void Timer7Timer();
    void Timer8Timer();
    QTimer& timer(int n) { return timers_.at(n - 1); }

    // ---- The First-time setup ----
    void FinishFirstTimeSetup(int unit);

    // ---- State ----
    Settings& settings() { return settings_; }
    // Where the Settings are kept between runs.
    SettingsStore& settingsStore() { return store_; }
    MainMenus& menus() { return menus_; }
    // The commands of the menus and the toolbar by identifier.
    CommandRegistry& commands() { return *commands_; }
    ZoomControls& zoomControls() { return *zoomControls_; }
    LeftColumn& leftColumn() { return *leftColumn_; }
    PopupWindow& wideWindow() { return *popupX_; }
    PopupWindow& narrowWindow() { return *popupY_; }
    ShellHooks& hooks() { return hooks_; }
    DocumentFiles& files() { return files_; }
    // The recovery copies of unsaved documents; null without a recovery folder.
    RecoveryKeeper* recoveryKeeper() { return recoveryKeeper_.get(); }
    // The questions of the commands built on the shell go through here.
    Prompts& prompts();
    // The document windows, the active (front-most) one first.
    const std::vector<DocumentWindow*>& documentWindows() const { return windows_; }
    DocumentWindow* activeWindow() const { return active_; }
    DocumentWindow* windowWithId(std::int32_t windowId) const;
    bool exitConfirmed() const { return exitConfirmed_; }
    int currentPanel() const { return currentPanel_; }
    int previousPanel() const { return previousPanel_; }
    int pendingCommand() const { return pendingCommand_; }

    // DocumentWindowOwner
    bool queryClose(DocumentWindow& window) override;
    void windowClosed(DocumentWindow& window) override;
    // OpenDocuments
    std::vector<const Document*> all() const override;

    // The tool frame's buttons drawn compact, and the window widened, as far
    // as the screen allows, until the row holds every button it may show.
    // Runs when the window is first shown.
    void fitToolFrame();
    // The width the tool frame needs to show every button of its row.
    int toolFrameWidthNeeded() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class GuardedPrompts;

    void buildLayout();
    void registerCommands();
    void connectZoomControls();
    void applyInterfaceSettings();
    DocumentWindow* openDocument(const QString& fileName, bool quietErrors);
    void initWindow(DocumentWindow& window, std::int32_t windowId, const QString& fileName, bool quietErrors);
    void takeUntitledNumber(Document& doc);
    void onActivated(DocumentWindow* window);
    void showZoom(double zoom);
    void closeAllQuietly();
    bool offerRecoveryCopies();
    std::int32_t newWindowId() const;
    void placeNewWindow(DocumentWindow& window);

    std::unique_ptr<GuardedPrompts> prompts_;
    SettingsStore& store_;
    ShellEnvironment env_;
    Settings settings_;
    DocumentFiles files_;
    CommandRegistry* commands_ = nullptr; // owned as a child
    MainMenus menus_;
    ShellHooks hooks_;

    QMdiArea* mdiArea_ = nullptr;
    LeftColumn* leftColumn_ = nullptr;
    ZoomControls* zoomControls_ = nullptr;
    PopupWindow* popupX_ = nullptr;
    PopupWindow* popupY_ = nullptr;
    std::array<QTimer, 8> timers_;
    std::unique_ptr<RecoveryKeeper> recoveryKeeper_;

    std::vector<DocumentWindow*> windows_;
    DocumentWindow* active_ = nullptr;
    std::vector<std::pair<int, QWidget*>> panels_;
    int currentPanel_ = 0;
    int pendingCommand_ = 0;
    int previousPanel_ = kDefaultPanel;
    bool exitConfirmed_ = false;
    bool closingQuietly_ = false;
    bool sessionEnding_ = false;
    bool setupRanThrough_ = false;
    bool recoveryOffered_ = false;
    bool toolFrameFitted_ = false;
    QString startFile_;
};

} // namespace vlm

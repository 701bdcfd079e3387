#include "shell/main_window.h"

#include "model/random.h"
#include "platform/settings_store.h"
#include "platform/widgets/qt_prompts.h"
#include "render/text_render.h"
#include "render/units.h"
#include "render/view_settings.h"
#include "settings/document_defaults.h"
#include "shell/file_association.h"
#include "shell/first_time_setup.h"
#include "shell/left_column.h"
#include "shell/open_request.h"
#include "shell/popup_window.h"
#include "shell/recent_files.h"
#include "shell/recovery.h"
#include "shell/recovery_keeper.h"
#include "shell/view_widget.h"
#include "shell/window_placement.h"
#include "shell/zoom_controls.h"
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

namespace {

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

constexpr int kTimerIntervals[8] = {100, 500, 5000, 200, 200, 1000, 200, 200};

// Files of these kinds open as a new document with the picture inserted.
bool IsPictureExtension(const QString& extension)
{
    static const QStringList pictures = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
                                         QStringLiteral("bmp"), QStringLiteral("ico"),  QStringLiteral("emf"),
                                         QStringLiteral("wmf")};
    return pictures.contains(extension);
}

// A stored zoom the controls could never have made (a damaged or foreign
// file) would turn every conversion to document pixels into nonsense.
double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom >= 0.01 && zoom <= kZoomTrackbarMax / 100.0 ? zoom : 1.0;
}

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

// A reader for requests from outside: a file that cannot be read is passed
// over without a message, questions about the file are still asked.
class QuietFilePrompts final : public FilePrompts {
public:
    explicit QuietFilePrompts(Prompts& prompts) : inner_(prompts) {}
    bool askOpenInvalidFile() override { return inner_.askOpenInvalidFile(); }
    void warnNewerVersion() override { inner_.warnNewerVersion(); }
    void reportReadError(const std::string&) override {}
    void noteHeaderAdded() override { inner_.noteHeaderAdded(); }

private:
    PromptFilePrompts inner_;
};

} // namespace

// Once the session is ending, nobody is there to answer: every question
// takes the answer of a dismissed box.
class MainWindow::GuardedPrompts final : public Prompts {
public:
    explicit GuardedPrompts(Prompts& inner) : inner_(inner) {}
    bool ending = false;

    Answer message(Kind kind, const QString& text, Buttons buttons) override
    {
        return ending ? DismissAnswer(buttons) : inner_.message(kind, text, buttons);
    }
    std::optional<QString> openFile(const FileDialog& dialog) override
    {
        return ending ? std::nullopt : inner_.openFile(dialog);
    }
    std::optional<QString> saveFile(const FileDialog& dialog) override
    {
        return ending ? std::nullopt : inner_.saveFile(dialog);
    }
    std::optional<std::int32_t> chooseColor(std::int32_t initial,
                                            std::array<std::u16string, 16>& customColors) override
    {
        return ending ? std::nullopt : inner_.chooseColor(initial, customColors);
    }

private:
    Prompts& inner_;
};

MainWindow::MainWindow(Prompts& prompts, SettingsStore& store, ShellEnvironment environment, QWidget* parent)
    : QMainWindow(parent), prompts_(std::make_unique<GuardedPrompts>(prompts)), store_(store),
      env_(std::move(environment)), settings_(env_.screen),
      files_(settings_, *prompts_, [this](const QString& path) { AddRecent(path); })
{
    qApp->installEventFilter(this);
    setWindowTitle(Text(texts::kAppTitle));
    SeedRandom(QRandomGenerator::system()->generate64());

    for (int i = 0; i < 8; ++i) {
        timers_[i].setSingleShot(true);
        timers_[i].setInterval(kTimerIntervals[i]);
    }
    connect(&timers_[0], &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(&timers_[1], &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(&timers_[2], &QTimer::timeout, this, [this] { Timer3Timer(); });
    connect(&timers_[3], &QTimer::timeout, this, [this] { Timer4Timer(); });
    connect(&timers_[4], &QTimer::timeout, this, [this] { Timer5Timer(); });
    connect(&timers_[5], &QTimer::timeout, this, [this] { Timer6Timer(); });
    connect(&timers_[6], &QTimer::timeout, this, [this] { Timer7Timer(); });
    connect(&timers_[7], &QTimer::timeout, this, [this] { Timer8Timer(); });

    buildLayout();
    InitSettings(settings_, store_, env_.screen);
    LoadDialogColors(settings_, store_);
    menus_.rebuildReopen(settings_.reopen);
    applyInterfaceSettings();
    showZoom(settings_.zoom);
    ShowPanel(kDefaultPanel);
    connectCommands();

    popupX_ = new PopupWindow(PopupWindow::Shape::Wide, this);
    popupY_ = new PopupWindow(PopupWindow::Shape::Narrow, this);

    if (!env_.recoveryFolder.isEmpty()) {
        recoveryKeeper_ = std::make_unique<RecoveryKeeper>(env_.recoveryFolder, [this] {
            std::vector<Document*> docs;
            for (DocumentWindow* w : windows_)
                docs.push_back(&w->document());
            return docs;
        });
        files_.setSavedSink([this](Document& doc) { recoveryKeeper_->discard(doc); });
    }

    if (settings_.ddeins.value_or(0) > 0 && !env_.dataHome.isEmpty())
        RegisterFileAssociation(settings_, store_, env_.dataHome, env_.programPath, env_.startHelper);
}

MainWindow::~MainWindow()
{
    if (hooks_.mainWindowGoing)
        hooks_.mainWindowGoing();
    qApp->removeEventFilter(this);
    // The document windows go down with the area; nothing may be activated
    // on a half-destroyed main window.
    QObject::disconnect(mdiArea_, nullptr, this, nullptr);
    for (QTimer& t : timers_)
        t.stop();
    SaveDialogColors(settings_, store_);
    SaveSettings(settings_, store_);
}

Prompts& MainWindow::prompts()
{
    return *prompts_;
}

void MainWindow::buildLayout()
{
    menus_.build(menuBar());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* vertical = new QSplitter(Qt::Vertical, central);
    vertical->setHandleWidth(3);
    vertical->setChildrenCollapsible(false);
    outer->addWidget(vertical);

    auto* toolFrame = new QWidget(vertical);
    auto* toolLayout = new QHBoxLayout(toolFrame);
    toolLayout->setContentsMargins(2, 0, 2, 0);
    toolLayout->addStretch(1);
    zoomControls_ = new ZoomControls(toolFrame);
    toolLayout->addWidget(zoomControls_);
    toolFrame->setMinimumHeight(16);
    vertical->addWidget(toolFrame);

    auto* horizontal = new QSplitter(Qt::Horizontal, vertical);
    horizontal->setHandleWidth(3);
    horizontal->setChildrenCollapsible(false);
    leftColumn_ = new LeftColumn(horizontal);
    mdiArea_ = new QMdiArea(horizontal);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontal->addWidget(leftColumn_);
    horizontal->addWidget(mdiArea_);
    horizontal->setStretchFactor(0, 0);
    horizontal->setStretchFactor(1, 1);
    vertical->addWidget(horizontal);
    vertical->setStretchFactor(0, 0);
    vertical->setStretchFactor(1, 1);
    vertical->setSizes({std::max(24, toolFrame->sizeHint().height()), kClientHeight});

    setCentralWidget(central);
    statusBar();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        auto* w = dynamic_cast<DocumentWindow*>(sub);
        if (w && w != active_ && std::find(windows_.begin(), windows_.end(), w) != windows_.end())
            onActivated(w);
    });

}

void MainWindow::applyInterfaceSettings()
{
    QFont f(QString::fromStdU16String(settings_.interfaceFont));
    if (settings_.interfaceFontSize > 0)
        f.setPointSize(settings_.interfaceFontSize);
    setFont(f);
    leftColumn_->applyColors(settings_.leftColumnColor, settings_.navigationRowColor, settings_.splitterColor);
    for (QSplitter* s : findChildren<QSplitter*>()) {
        QPalette pal = s->palette();
        pal.setColor(QPalette::Window, QColorOf(settings_.splitterColor));
        s->setPalette(pal);
    }

    // The client area is given at 96 dots per inch; the menu bar, measured
    // in the font just chosen, is not part of it.
    const double scale = env_.screen.dpiX > 0 ? env_.screen.dpiX / 96.0 : 1.0;
    resize(static_cast<int>(std::lround(kClientWidth * scale)),
           static_cast<int>(std::lround(kClientHeight * scale)) + menuBar()->sizeHint().height());
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void MainWindow::connectCommands()
{
    connect(menus_.newFile, &QAction::triggered, this, [this] { NewCommand(); });
    connect(menus_.open, &QAction::triggered, this, [this] { OpenCommand(); });
    for (int n = 1; n <= kRecentFileCount; ++n)
        connect(menus_.reopenEntries[n - 1], &QAction::triggered, this, [this, n] { ReopenRecent(n); });
    connect(menus_.clearRecent, &QAction::triggered, this, [this] { ClearRecentCommand(); });
    connect(menus_.save, &QAction::triggered, this, [this] { SaveCommand(); });
    connect(menus_.saveAs, &QAction::triggered, this, [this] { SaveAsCommand(); });
    connect(menus_.close, &QAction::triggered, this, [this] { CloseCommand(); });
    connect(menus_.exit, &QAction::triggered, this, [this] { ExitCommand(); });
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
        connect(menus_.zoomEntries[i], &QAction::triggered, this, [this, i] { SetZoom(kZoomSteps[i]); });

    zoomControls_->onZoomOut = [this] { ZoomOutCommand(); };
    zoomControls_->onZoomIn = [this] { ZoomInCommand(); };
    zoomControls_->onTrackbarReleased = [this](int position) { TrackbarReleased(position); };
}

void MainWindow::Start(const QString& file)
{
    startFile_ = file;
    timer(5).start();
    if (!settings_.setupDone)
        timer(6).start();
    else
        timer(2).start();
}

// ---- Documents ----

std::vector<const Document*> MainWindow::all() const
{
    std::vector<const Document*> docs;
    docs.reserve(windows_.size());
    for (const DocumentWindow* w : windows_)
        docs.push_back(&w->document());
    return docs;
}

DocumentWindow* MainWindow::windowWithId(std::int32_t windowId) const
{
    for (DocumentWindow* w : windows_)
        if (w->windowId() == windowId)
            return w;
    return nullptr;
}

std::int32_t MainWindow::newWindowId() const
{
    std::int32_t id = 0;
    do
        id = Random(2147483647);
    while (windowWithId(id));
    return id;
}

DocumentWindow* MainWindow::OpenDocument(const QString& fileName)
{
    return openDocument(fileName, false);
}

DocumentWindow* MainWindow::openDocument(const QString& fileName, bool quietErrors)
{
    const std::int32_t id = newWindowId();
    DocumentWindow* window = nullptr;
    if (windows_.size() == 1 && active_ == windows_.front() && IsUntouched(active_->document().items) &&
        !fileName.isEmpty()) {
        window = active_;
        menus_.removeWindowEntry(window->windowMenuEntry());
        window->setWindowMenuEntry(nullptr);
    } else {
        const bool maximize = windows_.empty() || (active_ && active_->isMaximized());
        window = new DocumentWindow(*this, settings_.screen, ViewSettingsFrom(settings_));
        window->view().view().hooks().progressiveDone = [this] { timer(3).start(); };
        mdiArea_->addSubWindow(window);
        KeepUsefulRestoredSize(*window);
        windows_.insert(windows_.begin(), window);
        if (maximize)
            window->setWindowState(Qt::WindowMaximized);
    }
    initWindow(*window, id, fileName, quietErrors);
    if (hooks_.documentOpened)
        hooks_.documentOpened(*window);
    SetDocumentMenus(true);
    return window;
}

void MainWindow::takeUntitledNumber(Document& doc)
{
    ++settings_.untitledCounter;
    doc.untitledNumber = std::to_string(settings_.untitledCounter);
}

void MainWindow::initWindow(DocumentWindow& window, std::int32_t windowId, const QString& fileName,
                            bool quietErrors)
{
    Document& doc = window.document();
    // Every document window starts at 100 %; a loaded file brings its own zoom.
    settings_.zoom = 1.0;
    DocumentDefaults defaults = DocumentDefaultsFrom(settings_);
    defaults.zoom = 1.0;
    InitDocument(doc, defaults, *this);
    doc.items.header()->rec.h.windowId = windowId;
    doc.fileName.clear();
    doc.untitledNumber.clear();

    QString picture;
    bool loaded = false;
    const QString extension = QFileInfo(fileName.trimmed()).suffix().toLower().trimmed();
    if (!fileName.trimmed().isEmpty() && IsPictureExtension(extension)) {
        picture = QFileInfo(fileName.trimmed()).absoluteFilePath();
    } else if (!fileName.trimmed().isEmpty()) {
        PromptFilePrompts loud(*prompts_);
        QuietFilePrompts quiet(*prompts_);
        FilePrompts& questions = quietErrors ? static_cast<FilePrompts&>(quiet) : loud;
        loaded = ReadDocument(EncodedPath(fileName), doc.items, questions);
    }

    if (loaded) {
        SetPath(doc, QFileInfo(fileName).absoluteFilePath());
        for (Item& it : doc.items)
            it.rec.d.selected = 0;
        Item& header = *doc.items.header();
        header.rec.h.windowId = windowId;
        header.rec.h.zoom = UsableZoom(header.rec.h.zoom);
        settings_.zoom = header.rec.h.zoom;
        ApplyHeader(header);
        const TextSettings text{settings_.screen, settings_.textQuality, settings_.anchorWidth,
                                settings_.anchorHeight};
        for (Item& it : doc.items)
            if (it.rec.d.kind == KindText)
                UpdateTextBox(it, text);
    } else {
        takeUntitledNumber(doc);
    }

    const QString caption = window.caption();
    if (!window.windowMenuEntry()) {
        QAction* entry = menus_.addWindowEntry(windowId, caption);
        connect(entry, &QAction::triggered, this, [this, entry] { ActivateWindow(entry->data().toInt()); });
        window.setWindowMenuEntry(entry);
    }
    window.windowMenuEntry()->setData(windowId);
    window.updateCaption();

    window.view().relayout();
    if (loaded)
        window.view().scheduleProgressivePaint();
    else
        window.view().repaintAll(false);
    window.show();
    mdiArea_->setActiveSubWindow(&window);
    onActivated(&window);

    if (!picture.isEmpty() && hooks_.insertPicture)
        hooks_.insertPicture(window, picture);
}

void MainWindow::onActivated(DocumentWindow* window)
{
    if (!window)
        return;
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    windows_.insert(windows_.begin(), window);
    active_ = window;
    const double zoom = ZoomOf(window->document());
    settings_.zoom = zoom;
    showZoom(zoom);
    menus_.checkWindowEntry(window->windowMenuEntry());
    menus_.setCurrentFileCaption(window->caption());
    if (hooks_.documentActivated)
        hooks_.documentActivated(window);
}

void MainWindow::ActivateWindow(std::int32_t windowId)
{
    DocumentWindow* window = windowWithId(windowId);
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    mdiArea_->setActiveSubWindow(window);
    onActivated(window);
}

void MainWindow::SetDocumentMenus(bool enabled)
{
    menus_.setDocumentMenus(enabled);
}

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
                                 ? Text(texts::kSaveTheFile)
                                 : Text(texts::kSaveChangesTo) + QLatin1Char(' ') + FileCaption(path) +
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
    switch (prompts_->message(Prompts::Kind::Warning, Text(texts::kFilesModified),
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
    switch (prompts_->message(Prompts::Kind::Confirmation, Text(texts::kRecoveryOffer),
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
    for (const QString& family : QFontDatabase::families())
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
    popupX_->showFrame(setup, Text(texts::kAppTitle), [this] {
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

// ---- Zoom ----

void MainWindow::showZoom(double zoom)
{
    zoomControls_->showZoom(zoom);
    menus_.checkZoom(zoom);
}

void MainWindow::SetZoom(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0 || factor > kZoomTrackbarMax / 100.0)
        return;
    settings_.zoom = factor;
    menus_.checkZoom(factor);
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
        prompts_->message(Prompts::Kind::Warning, Text(texts::kCannotFindFile), Prompts::Cancel);
}

void MainWindow::ClearRecentCommand()
{
    if (prompts_->message(Prompts::Kind::Confirmation, Text(texts::kClearRecentFiles), Prompts::Yes | Prompts::No) !=
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

// ---- Keys ----

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::InputMethod) ||
        !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    // Every key is seen once, where it is first delivered, and only while
    // it belongs to this window (not to a dialog or a popup).
    QWidget* target = static_cast<QWidget*>(watched);
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (target != first)
        return QMainWindow::eventFilter(watched, event);
    DocumentKeys* keys = target->window() == this && active_ ? active_->keys() : nullptr;
    if (type == QEvent::InputMethod)
        return (keys && keys->inputMethod(*static_cast<QInputMethodEvent*>(event))) ||
               QMainWindow::eventFilter(watched, event);
    auto& key = *static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // Accepted, the key comes back as a key press instead of running a
        // menu command: a text being typed or a figure being built has it first.
        if (keys && keys->takesFirst(key)) {
            event->accept();
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (hooks_.pictureFrameKeys && popupX_->isVisible() && hooks_.pictureFrameKeys(key))
        return true;
    if (keys) {
        if (keys->keyDown(key))
            return true;
        if (keys->character(key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vlm

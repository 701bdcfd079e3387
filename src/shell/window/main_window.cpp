#include "shell/window/main_window.h"

#include "model/random.h"
#include "pictures/picture_decoders.h"
#include "platform/settings_store.h"
#include "platform/ui_text.h"
#include "platform/widgets/qt_prompts.h"
#include "render/text_render.h"
#include "render/units.h"
#include "render/view_settings.h"
#include "settings/document_defaults.h"
#include "shell/dialogs/popup_window.h"
#include "shell/window/accessible_lists.h"
#include "shell/window/document_panel.h"
#include "shell/window/pane_focus.h"
#include "shell/window/file_association.h"
#include "shell/window/first_time_setup.h"
#include "shell/window/guarded_prompts.h"
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

namespace {

constexpr int kTimerIntervals[8] = {100, 500, 5000, 200, 200, 1000, 200, 200};

// Files of the picture formats open as a new document with the picture inserted.
bool IsPictureExtension(const QString& extension)
{
    return PictureFormatForName(QStringLiteral("a.%1").arg(extension).toStdU16String()) != PictureFormatNone;
}

// A stored zoom the controls could never have made (a damaged or foreign
// file) would turn every conversion to document pixels into nonsense.
double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom >= 0.01 && zoom <= kZoomTrackbarMax / 100.0 ? zoom : 1.0;
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


MainWindow::MainWindow(Prompts& prompts, SettingsStore& store, ShellEnvironment environment, QWidget* parent)
    : QMainWindow(parent), prompts_(std::make_unique<GuardedPrompts>(prompts)), store_(store),
      env_(std::move(environment)), settings_(env_.screen),
      files_(settings_, *prompts_, [this](const QString& path) { AddRecent(path); })
{
    announceListsByLabel();
    qApp->installEventFilter(this);
    setWindowTitle(uiText(texts::kAppTitle));
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
    registerCommands();
    menus_.rebuildReopen(settings_.reopen);
    applyInterfaceSettings();
    showZoom(settings_.zoom);
    ShowPanel(kDefaultPanel);
    connectZoomControls();

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
    commands_ = new CommandRegistry(this);
    menus_.build(menuBar(), *commands_);

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
    new PaneFocus(*this);

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
    // A panel of the selection of the document that was in front before
    // (closed, or behind now) speaks of this one's selection instead.
    if (const std::optional<int> code = panelForDocumentInFront(currentPanel_, window->document().items))
        ShowPanel(*code, ShowPanelFlags().entering(false));
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

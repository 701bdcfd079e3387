#include "shell/commands/grid_commands.h"

#include "shell/window/hook_chain.h"

#include "edit/edit_step.h"
#include "edit/grid_options.h"
#include "edit/sandbox.h"
#include "edit/transform.h"
#include "platform/ui_text.h"
#include "render/device_pixels.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/edit_commands.h"
#include "shell/dialogs/grid_options_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/speed_dialog.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/grid_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <optional>

namespace vlm {

namespace {


constexpr int kGridHintPage = 1028;
constexpr int kAnchorsHintPage = 1042;
constexpr int kSnapHintPage = 1029;

constexpr const char16_t* kChoiceCaptions[4] = {texts::kMenuGridNone, texts::kMenuGridHorizontal,
                                                texts::kMenuGridVertical, texts::kMenuGridBoth};

// Four exclusive, checkable entries None .. Both.
std::array<QAction*, 4> AddChoices(QMenu* menu, QObject* owner, std::function<void(int)> chosen)
{
    std::array<QAction*, 4> entries{};
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (int c = 0; c < 4; ++c) {
        QAction* a = menu->addAction(uiText(kChoiceCaptions[c]));
        a->setCheckable(true);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, owner, [chosen, c] { chosen(c); });
        entries[static_cast<std::size_t>(c)] = a;
    }
    return entries;
}

QString PopupTitle(const char16_t* title, const QString& caption)
{
    QString t = uiText(title);
    if (!caption.isEmpty())
        t += uiText(texts::kTitleSeparator) + caption;
    return t;
}

} // namespace

GridCommands::GridCommands(MainWindow& main, EditCommands& edit)
    : QObject(&main), main_(main), edit_(edit), editAlive_(&edit)
{
    buildMenus();
    buildToggles();
    connectHooks();
    // Pointer moves anywhere end an Anchor's highlight (see eventFilter).
    qApp->installEventFilter(this);
    active_ = main_.activeWindow();
    updateChecks();
}

GridCommands::~GridCommands()
{
    qApp->removeEventFilter(this);
    // The editing commands usually go first (and their Sandboxes with
    // them); a Sandbox that stays must not keep these strips.
    if (!editAlive_)
        return;
    for (auto& [window, grid] : windows_)
        if (grid.sandbox && edit_.sandboxOf(window) == grid.sandbox)
            grid.sandbox->setStripInput(nullptr);
}

void GridCommands::buildMenus()
{
    QMenuBar* bar = main_.menuBar();
    MainMenus& menus = main_.menus();

    tools_ = new QMenu(uiText(texts::kMenuTools), bar);
    grid_ = tools_->addMenu(uiText(texts::kMenuGrid));
    gridEntries_ = AddChoices(grid_, this, [this](int c) { SetGridCommand(c); });
    grid_->addSeparator();
    customize_ = grid_->addAction(uiText(texts::kMenuGridCustomize));
    connect(customize_, &QAction::triggered, this, [this] { CustomizeCommand(); });
    reset_ = grid_->addMenu(uiText(texts::kMenuGridReset));
    const ViewDirection resets[3] = {ViewDirection::Horizontal, ViewDirection::Vertical, ViewDirection::Both};
    for (int i = 0; i < 3; ++i) {
        resetEntries_[static_cast<std::size_t>(i)] = reset_->addAction(uiText(kChoiceCaptions[i + 1]));
        const ViewDirection d = resets[i];
        connect(resetEntries_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, d] { ResetCommand(d); });
    }
    grid_->addSeparator();
    anchors_ = grid_->addMenu(uiText(texts::kMenuAnchors));
    anchorsEntries_ = AddChoices(anchors_, this, [this](int c) { SetAnchorsCommand(c); });
    snap_ = tools_->addMenu(uiText(texts::kMenuSnap));
    snapEntries_ = AddChoices(snap_, this, [this](int c) { SetSnapCommand(c); });
    tools_->addSeparator();
    speed_ = tools_->addAction(uiText(texts::kMenuSpeed));
    connect(speed_, &QAction::triggered, this, [this] { OpenSpeed(); });
    bar->insertMenu(menus.window ? menus.window->menuAction() : nullptr, tools_);

    // "File" -> "Grid and Snap" is this class's: shown now, with the
    // separator that opens its group.
    const QList<QAction*> fileEntries = menus.file->actions();
    for (qsizetype i = 1; i < fileEntries.size(); ++i)
        if (fileEntries[i] == menus.pageSetup->menuAction() && fileEntries[i - 1]->isSeparator())
            fileEntries[i - 1]->setVisible(true);
    menus.gridAndSnap->menuAction()->setVisible(true);
    connect(menus.gridAndSnapCurrent, &QAction::triggered, this, [this] { OpenGridOptions(true); });
    connect(menus.gridAndSnapNew, &QAction::triggered, this, [this] { OpenGridOptions(false); });
}

void GridCommands::buildToggles()
{
    QToolButton* before = edit_.button(13);
    auto* row = before ? qobject_cast<QToolBar*>(before->parentWidget()) : nullptr;
    QAction* at = nullptr;
    if (row)
        for (QAction* a : row->actions())
            if (row->widgetForAction(a) == before)
                at = a;
    auto make = [&](int number, const char16_t* hint, const QString& label) {
        auto* b = new QToolButton(row ? static_cast<QWidget*>(row) : &main_);
        b->setText(label);
        b->setIcon(ToolbarPicture(number));
        b->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
        b->setToolTip(uiText(hint));
        b->setAccessibleName(uiText(hint));
        b->setAutoRaise(true);
        b->setCheckable(true);
        if (row)
            row->insertWidget(at, b);
        return b;
    };
    gridButton_ = make(19, texts::kHintGridlines, QStringLiteral("#"));
    snapButton_ = make(20, texts::kHintSnap, QString(QChar(0x2316)));
    connect(gridButton_, &QToolButton::clicked, this, [this](bool on) { GridToggled(on); });
    connect(snapButton_, &QToolButton::clicked, this, [this](bool on) { SnapToggled(on); });
}

void GridCommands::connectHooks()
{
    ShellHooks& hooks = main_.hooks();
    // The editing commands make each window's Sandbox first.
    RunAfter(hooks.documentOpened, [this](DocumentWindow& w) { documentOpened(w); });
    RunBefore(hooks.documentClosing, [this](DocumentWindow& w) { documentClosing(w); });
    RunAfter(hooks.documentActivated, [this](DocumentWindow* w) {
        active_ = w;
        if (w)
            stripsOf(w);
        updateChecks();
    });
}

// ---- Document windows ----

GridStrips* GridCommands::stripsOf(DocumentWindow* window)
{
    if (!window)
        return nullptr;
    Sandbox* sandbox = edit_.sandboxOf(window);
    if (!sandbox) {
        windows_.erase(window);
        return nullptr;
    }
    WindowGrid& g = windows_[window];
    if (g.sandbox == sandbox && g.strips)
        return g.strips.get();
    // New, or the window was reused and its Sandbox made afresh.
    GridStripHooks hooks;
    hooks.setCursor = [window](Qt::CursorShape shape) {
        ViewWidget& v = window->view();
        for (QWidget* part : {v.viewport(), v.rulerX(), v.rulerY()})
            part->setCursor(shape);
    };
    hooks.showHint = [this](const QString& text) {
        if (text.isEmpty()) {
            QToolTip::hideText();
            main_.statusBar()->clearMessage();
        } else {
            QToolTip::showText(QCursor::pos(), text);
            main_.statusBar()->showMessage(text);
        }
    };
    hooks.pageChanged = [window] { window->view().relayout(); };
    g.sandbox = sandbox;
    g.strips = std::make_unique<GridStrips>(*sandbox, hooks);
    sandbox->setStripInput(g.strips.get());
    Document* doc = &window->document();
    sandbox->setSnap([doc](QPoint p) { return SnapPoint(doc->items, p); });
    return g.strips.get();
}

GridStrips* GridCommands::activeStrips()
{
    return stripsOf(active_);
}

void GridCommands::documentOpened(DocumentWindow& window)
{
    windows_.erase(&window);
    stripsOf(&window);
    if (&window == active_)
        updateChecks();
}

void GridCommands::documentClosing(DocumentWindow& window)
{
    if (auto found = windows_.find(&window); found != windows_.end()) {
        if (found->second.sandbox && edit_.sandboxOf(&window) == found->second.sandbox)
            found->second.sandbox->setStripInput(nullptr);
        windows_.erase(found);
    }
    if (active_ == &window)
        active_ = nullptr;
}

void GridCommands::requestHint(int page)
{
    if (edit_.showHintPage)
        edit_.showHintPage(page);
}

// ---- Commands ----

void GridCommands::SetGridCommand(int choice)
{
    if (GridStrips* s = activeStrips())
        s->SetGrid(choice);
    updateChecks();
    if (choice != 0)
        requestHint(kGridHintPage);
}

void GridCommands::SetAnchorsCommand(int choice)
{
    if (GridStrips* s = activeStrips())
        s->SetAnchors(choice);
    updateChecks();
    if (choice != 0)
        requestHint(kAnchorsHintPage);
}

void GridCommands::SetSnapCommand(int choice)
{
    if (GridStrips* s = activeStrips())
        s->SetSnap(choice);
    updateChecks();
    if (choice == 3)
        requestHint(kSnapHintPage);
}

void GridCommands::ResetCommand(ViewDirection directions)
{
    GridStrips* s = activeStrips();
    if (!s)
        return;
    const QString question = uiText(texts::kAskEqualGrid) + QLatin1Char('\n') + uiText(texts::kAskEqualGridNote);
    if (main_.prompts().message(Prompts::Kind::Confirmation, question, Prompts::Yes | Prompts::No) ==
        Prompts::Answer::No)
        return;
    s->ResetGrid(directions);
}

void GridCommands::CustomizeCommand()
{
    OpenGridOptions(true);
    requestHint(kGridHintPage);
}

void GridCommands::OpenGridOptions(bool currentFile)
{
    PopupWindow& popup = main_.wideWindow();
    auto close = [&popup] { popup.reject(); };
    if (!currentFile) {
        auto* frame = new GridOptionsDialog(
            GridOptionsFor(main_.settings(), nullptr),
            [this](const defaults_t& o) {
                SaveGridOptionsForNewFiles(main_.settings(), o);
                updateChecks();
            },
            close);
        popup.showFrame(frame, PopupTitle(texts::kGridAndSnapTitle, uiText(texts::kNewFilesCaption)));
        return;
    }
    DocumentWindow* window = active_;
    const Item* header = window ? window->document().items.header() : nullptr;
    if (!header)
        return;
    QPointer<DocumentWindow> target(window);
    auto* frame = new GridOptionsDialog(
        GridOptionsFor(main_.settings(), &header->rec.h),
        [this, target](const defaults_t& o) {
            if (!target)
                return;
            if (!SaveGridOptionsForDocument(target->document().items, o, main_.settings().screen))
                return;
            {
                // One edit step of the header: the grid is redrawn, Undo and
                // Redo follow.
                std::optional<EditStep> edit;
                if (Sandbox* box = edit_.sandboxOf(target))
                    edit.emplace(*box);
                if (edit)
                    edit->changed({.header = true});
                target->view().relayout();
                if (GridStrips* s = stripsOf(target))
                    s->GridChanged();
            }
            updateChecks();
        },
        close);
    popup.showFrame(frame, PopupTitle(texts::kGridAndSnapTitle, window->caption()));
}

void GridCommands::OpenSpeed()
{
    PopupWindow& popup = main_.narrowWindow();
    QPointer<DocumentWindow> target(active_);
    SpeedOptions start{false, false, false};
    if (active_)
        start = active_->view().view().speedOptions();
    auto* frame = new SpeedDialog(
        start,
        [target](const SpeedOptions& o) {
            if (target)
                target->view().view().SetSpeedOptions(o);
        },
        [&popup] { popup.reject(); });
    popup.showFrame(frame, PopupTitle(texts::kSpeedTitle, active_ ? active_->caption() : QString()));
}

void GridCommands::GridToggled(bool on)
{
    SetGridCommand(on ? 3 : 0);
}

void GridCommands::SnapToggled(bool on)
{
    SetSnapCommand(on ? 3 : 0);
}

bool GridCommands::DeleteHighlightedAnchor()
{
    GridStrips* s = activeStrips();
    return s && s->DeleteHighlightedAnchor();
}

void GridCommands::updateChecks()
{
    int grid = 0, anchors = 0, snap = 0;
    const Item* header = active_ ? active_->document().items.header() : nullptr;
    if (header) {
        grid = GridChoice(header->rec.h, GridFeature::Grid);
        anchors = GridChoice(header->rec.h, GridFeature::Anchors);
        snap = GridChoice(header->rec.h, GridFeature::Snap);
    } else {
        // Without a document the toggles show what new files start with.
        const defaults_t& d = main_.settings().defaults;
        grid = (d.gridH ? 1 : 0) + (d.gridV ? 2 : 0);
        anchors = (d.anchorsH ? 1 : 0) + (d.anchorsV ? 2 : 0);
        snap = (d.snapH ? 1 : 0) + (d.snapV ? 2 : 0);
    }
    for (int c = 0; c < 4; ++c) {
        gridEntries_[static_cast<std::size_t>(c)]->setChecked(c == grid);
        anchorsEntries_[static_cast<std::size_t>(c)]->setChecked(c == anchors);
        snapEntries_[static_cast<std::size_t>(c)]->setChecked(c == snap);
    }
    reset_->setEnabled(grid != 0);
    anchors_->setEnabled(grid != 0);
    resetEntries_[0]->setEnabled(grid != 2);
    resetEntries_[1]->setEnabled(grid != 1);
    resetEntries_[2]->setEnabled(grid == 3);
    gridButton_->setChecked(grid != 0);
    snapButton_->setChecked(snap != 0);
}

// The pointer leaving the Anchor strips ends their highlight (the Delete key
// reaches DeleteHighlightedAnchor through the canvas keys).
bool GridCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave)
        pointerMoved(watched, event);
    return false;
}

// A highlight belongs to the pointer resting on an Anchor: moving onto the
// canvas or out of the view ends it, as a move over the strips would.
void GridCommands::pointerMoved(QObject* watched, QEvent* event)
{
    for (auto& [window, grid] : windows_) {
        DocumentWindow* w = window;
        if (!grid.strips || watched != w->view().viewport())
            continue;
        bool left = event->type() == QEvent::Leave;
        if (!left) {
            const DocumentView& v = w->view().view();
            const QRect canvas(v.canvasPosition(), QSize(v.canvas().width(), v.canvas().height()));
            left = canvas.contains(toDevicePoint(static_cast<QMouseEvent*>(event)->position(), v.deviceRatio()));
        }
        if (left)
            grid.strips->PointerLeftStrips();
        return;
    }
}

} // namespace vlm

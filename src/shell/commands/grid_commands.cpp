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
#include "shell/commands/main_menus.h"
#include "shell/dialogs/grid_options_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/speed_dialog.h"
#include "shell/window/document_window.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "texts/grid_texts.h"
#include "texts/shell_texts.h"

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

// The None .. Both entries of the Grid, Anchors and Snap menus.
constexpr CommandId kGridChoices[4] = {CommandId::GridNone, CommandId::GridHorizontal, CommandId::GridVertical,
                                       CommandId::GridBoth};
constexpr CommandId kAnchorsChoices[4] = {CommandId::AnchorsNone, CommandId::AnchorsHorizontal,
                                          CommandId::AnchorsVertical, CommandId::AnchorsBoth};
constexpr CommandId kSnapChoices[4] = {CommandId::SnapNone, CommandId::SnapHorizontal, CommandId::SnapVertical,
                                       CommandId::SnapBoth};
constexpr CommandId kResets[3] = {CommandId::GridResetHorizontal, CommandId::GridResetVertical,
                                  CommandId::GridResetBoth};
constexpr int kGridButton = 19;
constexpr int kSnapButton = 20;

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
    registerCommands();
    connectHooks();
    // Pointer moves anywhere end an Anchor's highlight (see eventFilter).
    qApp->installEventFilter(this);
    active_ = main_.activeWindow();
    refresh();
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

void GridCommands::registerCommands()
{
    CommandRegistry& r = main_.commands();
    const auto choices = [&r, this](const CommandId(&ids)[4], GridFeature feature, void (GridCommands::*set)(int)) {
        auto* group = new QActionGroup(this); // one of the four is checked
        group->setExclusive(true);
        for (int c = 0; c < 4; ++c) {
            group->addAction(r.add({.id = ids[c],
                                    .caption = uiText(kChoiceCaptions[c]),
                                    .run = [this, set, c] { (this->*set)(c); },
                                    .checked = [this, feature, c] { return shownChoice(feature) == c; }}));
        }
    };
    const auto gridShown = [this] { return shownChoice(GridFeature::Grid) != 0; };
    choices(kGridChoices, GridFeature::Grid, &GridCommands::SetGridCommand);
    r.add({.id = CommandId::GridCustomize,
           .caption = uiText(texts::kMenuGridCustomize),
           .run = [this] { CustomizeCommand(); }});
    r.add({.id = CommandId::GridResetMenu, .enabled = gridShown});
    const ViewDirection resets[3] = {ViewDirection::Horizontal, ViewDirection::Vertical, ViewDirection::Both};
    for (int i = 0; i < 3; ++i) {
        const ViewDirection d = resets[i];
        r.add({.id = kResets[i],
               .caption = uiText(kChoiceCaptions[i + 1]),
               // Reset the direction(s) the grid shows.
               .enabled = [this, i] {
                   const int grid = shownChoice(GridFeature::Grid);
                   return i == 0 ? grid != 2 : i == 1 ? grid != 1 : grid == 3;
               },
               .run = [this, d] { ResetCommand(d); }});
    }
    r.add({.id = CommandId::AnchorsMenu, .enabled = gridShown});
    choices(kAnchorsChoices, GridFeature::Anchors, &GridCommands::SetAnchorsCommand);
    choices(kSnapChoices, GridFeature::Snap, &GridCommands::SetSnapCommand);
    r.add({.id = CommandId::Speed, .caption = uiText(texts::kMenuSpeed), .run = [this] { OpenSpeed(); }});

    // "File" -> "Grid and Snap".
    r.add({.id = CommandId::GridAndSnapCurrent,
           .caption = uiText(texts::kMenuCurrentFile),
           .enabled = [this] { return main_.menus().documentMenusEnabled(); },
           .run = [this] { OpenGridOptions(true); }});
    r.add({.id = CommandId::GridAndSnapNew,
           .caption = uiText(texts::kMenuNewFiles),
           .run = [this] { OpenGridOptions(false); }});

    // The toolbar toggles show whether the grid (snap) is on, and turn it
    // on in both directions or off.
    r.add({.id = CommandId::GridButton,
           .caption = QStringLiteral("#"),
           .run = [this] { GridToggled(shownChoice(GridFeature::Grid) == 0); },
           .button = true,
           .hint = uiText(texts::kHintGridlines),
           .picture = kGridButton,
           .checked = gridShown});
    r.add({.id = CommandId::SnapButton,
           .caption = QString(QChar(0x2316)),
           .run = [this] { SnapToggled(shownChoice(GridFeature::Snap) == 0); },
           .button = true,
           .hint = uiText(texts::kHintSnap),
           .picture = kSnapButton,
           .checked = [this] { return shownChoice(GridFeature::Snap) != 0; }});

    // The Delete key's first try (the canvas keys ask for it by name).
    r.add({.id = CommandId::DeleteHighlightedAnchor,
           .enabled = [this] {
               GridStrips* s = activeStrips();
               return s && s->anchorHighlighted();
           },
           .run = [this] { DeleteHighlightedAnchor(); },
           .neverShown = true});
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
        refresh();
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
        refresh();
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
    refresh();
    if (choice != 0)
        requestHint(kGridHintPage);
}

void GridCommands::SetAnchorsCommand(int choice)
{
    if (GridStrips* s = activeStrips())
        s->SetAnchors(choice);
    refresh();
    if (choice != 0)
        requestHint(kAnchorsHintPage);
}

void GridCommands::SetSnapCommand(int choice)
{
    if (GridStrips* s = activeStrips())
        s->SetSnap(choice);
    refresh();
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
                refresh();
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
            refresh();
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

int GridCommands::shownChoice(GridFeature feature) const
{
    const Item* header = active_ ? active_->document().items.header() : nullptr;
    if (header)
        return GridChoice(header->rec.h, feature);
    // Without a document the entries show what new files start with.
    const defaults_t& d = main_.settings().defaults;
    switch (feature) {
    case GridFeature::Grid: return (d.gridH ? 1 : 0) + (d.gridV ? 2 : 0);
    case GridFeature::Anchors: return (d.anchorsH ? 1 : 0) + (d.anchorsV ? 2 : 0);
    case GridFeature::Snap: return (d.snapH ? 1 : 0) + (d.snapV ? 2 : 0);
    }
    return 0;
}

void GridCommands::refresh() { main_.commands().refresh(); }

QMenu* GridCommands::toolsMenu() const { return main_.menus().menu(CommandId::ToolsMenu); }
QMenu* GridCommands::gridMenu() const { return main_.menus().menu(CommandId::GridMenu); }
QMenu* GridCommands::resetMenu() const { return main_.menus().menu(CommandId::GridResetMenu); }
QMenu* GridCommands::anchorsMenu() const { return main_.menus().menu(CommandId::AnchorsMenu); }
QMenu* GridCommands::snapMenu() const { return main_.menus().menu(CommandId::SnapMenu); }
QAction* GridCommands::gridEntry(int choice) const { return main_.commands().action(kGridChoices[choice]); }
QAction* GridCommands::anchorsEntry(int choice) const { return main_.commands().action(kAnchorsChoices[choice]); }
QAction* GridCommands::snapEntry(int choice) const { return main_.commands().action(kSnapChoices[choice]); }
QAction* GridCommands::resetEntry(int n) const { return main_.commands().action(kResets[n]); }
QAction* GridCommands::customizeEntry() const { return main_.commands().action(CommandId::GridCustomize); }
QAction* GridCommands::speedEntry() const { return main_.commands().action(CommandId::Speed); }
QToolButton* GridCommands::gridButton() const { return edit_.button(kGridButton); }
QToolButton* GridCommands::snapButton() const { return edit_.button(kSnapButton); }

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

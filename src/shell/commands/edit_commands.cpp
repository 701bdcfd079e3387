#include "shell/commands/edit_commands.h"
#include "shell/window/hook_chain.h"

#include "platform/ui_text.h"
#include "shell/commands/button_hover.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/command_layout.h"
#include "shell/commands/customize_commands.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/panels/tool_panels.h"
#include "shell/window/document_window.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "shell/window/zoom_controls.h"
#include "texts/edit_texts.h"
#include "texts/shell_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace vlm {

namespace {


// The toolbar's buttons of these commands (their places are in the
// toolbar layout).
struct ButtonSpec
{
    CommandId id;
    int number;
    const char16_t* hint;
    const char16_t* label;
    int panelCode; // the tool's panel, 0 for commands
};

constexpr ButtonSpec kButtons[] = {
    {CommandId::NewButton, 1, texts::kHintNewFile, texts::kMenuNew, 0},
    {CommandId::OpenButton, 2, texts::kHintOpenFile, texts::kMenuOpen, 0},
    {CommandId::SaveButton, 3, texts::kHintSaveFile, texts::kMenuSave, 0},
    {CommandId::UndoButton, 6, texts::kHintUndo, texts::kMenuUndo, 0},
    {CommandId::RedoButton, 7, texts::kHintRedo, texts::kMenuRedo, 0},
    {CommandId::RepaintButton, 8, texts::kHintRepaint, u"\u21BB", 0},
    {CommandId::PointerTool, 9, texts::kHintSelect, u"\u2196", 20},
    {CommandId::PictureTool, 27, texts::kHintInsertPicture, texts::kKindPicture, 400},
    {CommandId::TextTool, 18, texts::kHintInsertText, texts::kKindText, 300},
    {CommandId::LineTool, 17, texts::kHintInsertLine, texts::kKindLine, 98},
    {CommandId::ArcTool, 28, texts::kHintInsertArc, texts::kKindArc, 108},
    {CommandId::SplineTool, 29, texts::kHintInsertSpline, texts::kKindSpline, 109},
    {CommandId::CurveTool, 30, texts::kHintInsertCurve, texts::kKindCurve, 111},
    {CommandId::TriangleTool, 21, texts::kHintInsertTriangle, texts::kKindTriangle, 100},
    {CommandId::SquareTool, 22, texts::kHintInsertSquare, texts::kKindSquare, 101},
    {CommandId::RectangleTool, 23, texts::kHintInsertRectangle, texts::kKindRectangle, 102},
    {CommandId::CircleTool, 24, texts::kHintInsertCircle, texts::kKindCircle, 103},
    {CommandId::PieTool, 31, texts::kHintInsertPie, texts::kKindPie, 107},
    {CommandId::EllipseTool, 25, texts::kHintInsertEllipse, texts::kKindEllipse, 104},
    {CommandId::PolygonTool, 26, texts::kHintInsertPolygon, texts::kKindPolygon, 199},
    {CommandId::StarTool, 32, texts::kHintInsertStar, texts::kKindStar, 105},
    {CommandId::SolidTool, 33, texts::kHintInsertSolid, texts::kKindSolid, 110},
    {CommandId::OblongTool, 34, texts::kHintInsertOblong, texts::kKindOblong, 112},
    {CommandId::PlaceOnTopButton, 13, texts::kHintOnTop, u"\u2912", 0},
    {CommandId::PlaceBehindButton, 12, texts::kHintBehind, u"\u2913", 0},
};

} // namespace

int PressedButtonFor(int code)
{
    for (const ButtonSpec& b : kButtons)
        if (b.panelCode == code && code != 20 && code != 400)
            return b.number;
    if (code == PanelCode::TextTool2 || code == PanelCode::TextTool3)
        return 18;
    if (code == PanelCode::Insert || code == PanelCode::LineFineTune || (code >= 200 && code <= 299) ||
        code == PanelCode::TextFineTune)
        return 9;
    return 0;
}

struct EditCommands::WindowTools
{
    std::unique_ptr<Sandbox> sandbox;
    std::unique_ptr<SelectionPointer> pointer;
    std::unique_ptr<CanvasKeys> keys; // goes first: it holds hooks of the two above
};

EditCommands::EditCommands(MainWindow& main) : QObject(&main), main_(main)
{
    RunAfter(commands().refreshed, [this] { showSelectionButtons(); });
    registerCommands();
    buildToolbar();
    connectHooks();
    refreshCommands();
    // The insert panel shown at start came before its maker existed.
    if (main_.currentPanel() == MainWindow::kDefaultPanel)
        main_.leftColumn().showPanelWidget(makePanel(MainWindow::kDefaultPanel));
}

EditCommands::~EditCommands() = default;

void EditCommands::registerCommands()
{
    CommandRegistry& r = commands();
    const auto canUndo = [this] {
        Sandbox* box = activeSandbox();
        return box && box->CanUndo();
    };
    const auto canRedo = [this] {
        Sandbox* box = activeSandbox();
        return box && box->CanRedo();
    };
    const auto selected = [this] { return active_ && FirstSelected(active_->document().items); };
    r.add({.id = CommandId::Undo,
           .caption = uiText(texts::kMenuUndo),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Z)},
           .enabled = canUndo,
           .run = [this] { UndoCommand(false); }});
    r.add({.id = CommandId::Redo,
           .caption = uiText(texts::kMenuRedo),
           .shortcuts = {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z)},
           .enabled = canRedo,
           .run = [this] { RedoCommand(false); }});
    r.add({.id = CommandId::ClearUndoRedo,
           .caption = uiText(texts::kMenuClearUndoRedo),
           .enabled = [this] { return !main_.documentWindows().empty(); },
           .run = [this] { ClearUndoRedoCommand(); }});
    // The Insert menu: each kind's tool, after the command that runs.
    const std::vector<InsertRow>& rows = InsertRows();
    for (std::size_t i = 0; i < rows.size() && i < std::size(kInsertMenuLayout); ++i) {
        const int code = rows[i].panelCode;
        r.add({.id = kInsertMenuLayout[i],
               .caption = uiText(rows[i].caption),
               .run = [this, code] { main_.RunDeferred(code); }});
    }

    for (const ButtonSpec& b : kButtons) {
        Command c{.id = b.id,
                  .caption = uiText(b.label),
                  .button = true,
                  .hint = uiText(b.hint),
                  .picture = b.number};
        const int number = b.number;
        const int code = b.panelCode;
        if (code != 0) {
            c.checked = [this, number] { return pressed_ == number; };
            c.run = [this, code] { ChooseTool(code, true); };
        }
        switch (b.id) {
        case CommandId::NewButton: c.run = [this] { main_.NewCommand(); }; break;
        case CommandId::OpenButton: c.run = [this] { main_.OpenCommand(); }; break;
        case CommandId::SaveButton: c.run = [this] { main_.SaveCommand(); }; break;
        case CommandId::UndoButton:
            c.enabled = canUndo;
            c.run = [this] { UndoCommand(true); };
            break;
        case CommandId::RedoButton:
            c.enabled = canRedo;
            c.run = [this] { RedoCommand(true); };
            break;
        case CommandId::RepaintButton: c.run = [this] { RepaintCommand(); }; break;
        case CommandId::PointerTool: c.run = [this] { ChooseTool(PanelCode::Insert, true); }; break;
        case CommandId::PictureTool:
            c.run = [this] {
                press(27);
                main_.RunDeferred(PanelCode::Picture);
            };
            break;
        case CommandId::TextTool: c.run = [this, code] { ChooseTool(code, false); }; break;
        case CommandId::PlaceOnTopButton: c.run = [this] { PlaceOnTopCommand(); }; break;
        case CommandId::PlaceBehindButton: c.run = [this] { PlaceBehindCommand(); }; break;
        default: break;
        }
        // The stacking buttons show only while something is selected.
        if (b.id == CommandId::PlaceOnTopButton || b.id == CommandId::PlaceBehindButton) {
            c.enabled = selected;
            c.hideWhenDisabled = true;
        }
        r.add(std::move(c));
    }
}

void EditCommands::buildToolbar()
{
    QWidget* frame = main_.zoomControls().parentWidget();
    // A tool bar rather than a plain row: when the window is narrower than all
    // the buttons, the ones that do not fit move into the menu of its
    // extension button instead of widening the main window past its size.
    // The buttons are actions so that the menu can show them.
    auto* row = toolbar_ = new QToolBar(frame);
    row->setMovable(false);
    row->setFloatable(false);
    row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->setIconSize(QSize(kButtonPictureSize, kButtonPictureSize));
    main_.menus().setToolbar(row);
    // One tool is pressed at a time.
    auto* tools = new QActionGroup(row);
    tools->setExclusive(true);
    for (const ButtonSpec& b : kButtons)
        if (b.panelCode != 0)
            if (QAction* a = commands().action(b.id))
                tools->addAction(a);
    if (auto* box = qobject_cast<QBoxLayout*>(frame->layout()))
        box->insertWidget(0, row, 100); // takes the room the spacer beside the zoom controls had
    hover_ = new ButtonHover(frame);
    RunAfter(main_.hooks().resetHover, [this] { hover_->lowerAll(); });
    press(9);
}

void EditCommands::connectHooks()
{
    ShellHooks& hooks = main_.hooks();
    AskFirst(hooks.makePanel, [this](int code) { return makePanel(code); });
    RunBefore(hooks.panelShown, [this](int code) { panelShown(code); });
    RunBefore(hooks.enterTool, [this](int code) { enterTool(code); });
    RunBefore(hooks.documentOpened, [this](DocumentWindow& w) { documentOpened(w); });
    RunAfter(hooks.documentClosing, [this](DocumentWindow& w) { documentClosing(w); });
    // The picture insertion, when there is one, and then the insert panel
    // with the pointer tool again.
    RunAfter(hooks.runFrameCommand, [this](int code) {
        if (code == PanelCode::Picture)
            ChooseTool(PanelCode::Insert, false);
    });
    RunBefore(hooks.documentActivated, [this](DocumentWindow* w) { documentActivated(w); });
}

QWidget* EditCommands::makePanel(int code)
{
    if (auto found = panels_.find(code); found != panels_.end())
        return found->second;
    QWidget* panel = nullptr;
    if (code == PanelCode::Insert) {
        panel = new InsertPanel(
            [this](int chosen) {
                // Further presses wait until the chosen command has run.
                if (main_.pendingCommand() == 0)
                    main_.RunDeferred(chosen);
            },
            [this] {
                if (main_.hooks().openPageSetup)
                    main_.hooks().openPageSetup();
            });
    } else if (FineTunePanel::IsPanelCode(code) && !PanelGuidanceFor(code).title.isEmpty()) {
        panel = new FineTunePanel(code, main_.settings(), fineTuneHooks());
    } else if (!PanelGuidanceFor(code).title.isEmpty()) {
        panel = new ToolPanel(code);
    }
    if (panel)
        panels_[code] = panel;
    return panel;
}

FineTunePanelHooks EditCommands::fineTuneHooks()
{
    FineTunePanelHooks h;
    h.sandbox = [this] { return activeSandbox(); };
    // "Customize..." of a list runs the Customize menu's entry of its page.
    h.customize = [this](int page) {
        if (const std::optional<CommandId> id = customizeCommandOf(page))
            commands().run(*id);
    };
    h.chooseColor = [this] { return chooseRecentListColor(main_); };
    h.changed = [this] { refreshCommands(); };
    h.textSettingsChanged = [this](bool turn) { return carryTextSettings && carryTextSettings(turn); };
    h.showPanel = [this](int code) { main_.ShowPanel(code); };
    h.join = [this] { commands().run(CommandId::JoinItems); };
    h.split = [this] { commands().run(CommandId::SplitGroup); };
    return h;
}

// ---- Document windows ----

Sandbox* EditCommands::sandboxOf(const DocumentWindow* window) const
{
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second->sandbox.get();
}

Sandbox* EditCommands::activeSandbox() const
{
    return sandboxOf(active_);
}

SelectionTool* EditCommands::pointerOf(const DocumentWindow* window) const
{
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second->pointer->tool();
}

CanvasKeys* EditCommands::keysOf(const DocumentWindow* window) const
{
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second->keys.get();
}

void EditCommands::documentOpened(DocumentWindow& window)
{
    if (auto found = windows_.find(&window); found != windows_.end()) {
        // The window was reused for another file: its tools start afresh.
        found->second->sandbox->DetachFromView();
        windows_.erase(found);
    }
    auto tools = std::make_unique<WindowTools>();
    SandboxHooks hooks;
    hooks.showPanel = [this](int code) { main_.ShowPanel(code); };
    DocumentWindow* w = &window;
    hooks.requestHintPage = [this](int page) {
        if (showHintPage)
            showHintPage(page);
    };
    hooks.lineGuidance = [this](int step) {
        if (auto* panel = dynamic_cast<ToolPanel*>(makePanel(PanelCode::LineTool)))
            panel->setGuidanceStep(step);
    };
    hooks.rulersChanged = [w] {
        w->view().rulerX()->update();
        w->view().rulerY()->update();
    };
    tools->sandbox =
        std::make_unique<Sandbox>(window.document(), window.view().view(), main_.settings(), hooks);
    // "Undo" and "Redo" follow the history of the active window, and every
    // command's state its document.
    tools->sandbox->documentChanged().subscribe([this, w](const DocumentChange&) {
        if (w == active_)
            refreshCommands();
    });
    SelectionToolHooks pointerHooks;
    pointerHooks.showPanel = [this](int code) { main_.ShowPanel(code); };
    pointerHooks.shownPanel = [this] { return main_.currentPanel(); };
    pointerHooks.setCursor = [w](Qt::CursorShape shape) { w->view().viewport()->setCursor(shape); };
    tools->pointer = std::make_unique<SelectionPointer>(*tools->sandbox, pointerHooks);
    tools->keys = std::make_unique<CanvasKeys>(*tools->sandbox, tools->pointer->tool(),
                                               keyHooks ? keyHooks(window) : CanvasKeyHooks{});
    window.view().setCanvasInput(tools->sandbox.get());
    windows_[&window] = std::move(tools);
    if (active_ == &window)
        windows_[&window]->sandbox->Activated();
}

void EditCommands::documentClosing(DocumentWindow& window)
{
    if (auto found = windows_.find(&window); found != windows_.end()) {
        window.view().setCanvasInput(nullptr);
        found->second->sandbox->DetachFromView();
        windows_.erase(found);
    }
    if (active_ == &window)
        active_ = nullptr;
}

void EditCommands::documentActivated(DocumentWindow* window)
{
    if (active_ && active_ != window)
        if (Sandbox* before = sandboxOf(active_))
            before->Deactivated();
    active_ = window;
    if (window && !sandboxOf(window))
        documentOpened(*window);
    else if (Sandbox* now = sandboxOf(window))
        now->Activated();
    if (Sandbox* now = sandboxOf(window);
        now && (now->toolMode() == ToolMode::Line || now->toolMode() == ToolMode::Text))
        press(now->toolMode() == ToolMode::Line ? 17 : 18);
    refreshCommands();
}

// ---- Panels and buttons ----

void EditCommands::panelShown(int code)
{
    if (auto* panel = dynamic_cast<ToolPanel*>(main_.leftColumn().currentPanelWidget())) {
        // A panel for the selection says what is selected now, so it is
        // filled again even when its code stays.
        const bool forSelection = !SelectionGuidanceFor(code).title.isEmpty();
        if ((panel->panelCode() != code && !ToolGuidanceFor(code).title.isEmpty()) || forSelection)
            panel->setPanelCode(code, forSelection && FirstSelectedIsOpen());
    }
    if (auto* fineTune = dynamic_cast<FineTunePanel*>(main_.leftColumn().currentPanelWidget()))
        fineTune->open(code);
    if (code >= 100 && code <= 299)
        if (Sandbox* box = activeSandbox())
            box->ResetCreationState();
    if (const int b = PressedButtonFor(code))
        press(b);
    refreshCommands();
}

void EditCommands::enterTool(int code)
{
    const int mode = ToolModeForPanel(code);
    if ((mode >= 0 || code == PanelCode::EndTextEditing)) {
        if (Sandbox* box = activeSandbox())
            box->EnterToolMode(code);
        else if (PanelForToolMode(mode) != 0)
            main_.settings().defaultToolMode = mode; // the window Timer2 opens starts in it
    }
}

bool EditCommands::FirstSelectedIsOpen() const
{
    if (!active_)
        return false;
    for (const Item& it : active_->document().items)
        if (IsSelectedLive(it) && it.rec.d.kind != KindGroup)
            return it.rec.d.shapeVariant == 0;
    return false;
}

void EditCommands::press(int number) { pressed_ = number; }

QAction* EditCommands::buttonAction(int number) const
{
    if (!toolbar_)
        return nullptr;
    for (QAction* a : toolbar_->actions())
        if (!a->isSeparator() && a->data().toInt() == number)
            return a;
    return nullptr;
}

void EditCommands::raiseButton(int number)
{
    QToolButton* b = button(number);
    hover_->raise(b);
    if (!b || hover_->raisedButton() != b)
        hover_->lowerAll(); // no such button, or a hidden or greyed one
}

QToolButton* EditCommands::button(int number) const
{
    QAction* a = buttonAction(number);
    if (!a)
        return nullptr;
    for (QObject* w : a->associatedObjects())
        if (auto* b = qobject_cast<QToolButton*>(w))
            return b;
    return nullptr;
}

int EditCommands::pressedButton() const { return pressed_; }

CommandRegistry& EditCommands::commands() const { return main_.commands(); }
QMenu* EditCommands::insertMenu() const { return main_.menus().menu(CommandId::InsertMenu); }
QMenu* EditCommands::editMenu() const { return main_.menus().menu(CommandId::EditMenu); }

void EditCommands::refreshCommands() { commands().refresh(); }

void EditCommands::showSelectionButtons()
{
    if (auto* panel = dynamic_cast<FineTunePanel*>(main_.leftColumn().currentPanelWidget()))
        panel->updateLinks();
}

// ---- Commands ----

void EditCommands::ChooseTool(int code, bool skipWhenShown)
{
    if (skipWhenShown && main_.currentPanel() == code) {
        if (code == PanelCode::Insert)
            if (Sandbox* box = activeSandbox())
                box->EnterToolMode(code);
        return;
    }
    main_.ShowPanel(code, ShowPanelFlags().skipping(skipWhenShown).entering(true));
}

void EditCommands::UndoCommand(bool showInsertPanel)
{
    Sandbox* box = activeSandbox();
    if (!box || !box->CanUndo())
        return;
    box->Undo();
    if (showInsertPanel)
        ChooseTool(PanelCode::Insert, true);
}

void EditCommands::RedoCommand(bool showInsertPanel)
{
    Sandbox* box = activeSandbox();
    if (!box || !box->CanRedo())
        return;
    box->Redo();
    if (showInsertPanel)
        ChooseTool(PanelCode::Insert, true);
}

void EditCommands::ClearUndoRedoCommand()
{
    if (Sandbox* box = activeSandbox())
        box->ClearUndoRedo();
}

void EditCommands::RepaintCommand()
{
    if (active_) {
        SelectOnly(active_->document().items, nullptr);
        active_->view().repaintAll(true);
    }
    main_.ShowPanel(PanelCode::Insert);
}

void EditCommands::PlaceBehindCommand()
{
    if (Sandbox* box = activeSandbox())
        box->PlaceSelectedBehind();
}

void EditCommands::PlaceOnTopCommand()
{
    if (Sandbox* box = activeSandbox())
        box->PlaceSelectedOnTop();
}

} // namespace vlm

#pragma once

// The editing commands of the main window: the Insert menu, the Edit menu's
// "Undo", "Redo" and "Clear Undo and Redo", the toolbar's history, pointer
// and insert buttons with the pressed tool, the two stacking buttons, the
// insert panel and the creation tools' panels. Each document window gets its
// Sandbox (tool modes, creation, history) and pointer tool here.

#include "edit/keyboard.h"
#include "edit/pointer_delegate.h"
#include "edit/sandbox.h"
#include "shell/commands/command_registry.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QToolButton;

namespace vlm {

class ButtonHover;
class DocumentWindow;
class MainWindow;
struct FineTunePanelHooks;
class ToolPanel;

// The toolbar button a panel presses (0: the panel leaves the pressed button
// as it is).
int PressedButtonFor(int panelCode);

class EditCommands : public QObject
{
public:
    // Registers the menus' and buttons' commands, makes the toolbar they go
    // into and connects the hooks; the main window owns the result.
    explicit EditCommands(MainWindow& main);
    ~EditCommands() override;

    // The active document window's Sandbox, or null.
    Sandbox* activeSandbox() const;
    Sandbox* sandboxOf(const DocumentWindow* window) const;
    // The pointer tool of a document window, or null.
    SelectionTool* pointerOf(const DocumentWindow* window) const;
    // The canvas keys of a document window, or null. They live and go with
    // the window's Sandbox; `keyHooks` gives each new window's hooks.
    CanvasKeys* keysOf(const DocumentWindow* window) const;
    std::function<CanvasKeyHooks(DocumentWindow& window)> keyHooks;

    // Toolbar and menu commands.
    void UndoCommand(bool showInsertPanel);
    void RedoCommand(bool showInsertPanel);
    void ClearUndoRedoCommand();
    void RepaintCommand();
    void PlaceBehindCommand();
    void PlaceOnTopCommand();
    // An insert button or menu entry: the tool's panel with its tool entered;
    // `skipWhenShown` leaves a panel already shown alone.
    void ChooseTool(int panelCode, bool skipWhenShown);

    // The one refresh point of the commands' states: every registered
    // command's predicate is asked again, and the stacking buttons and the
    // fine-tune panel's links follow the selection of the active window.
    // Runs after every edit step, selection change, panel change and window
    // activation.
    void refreshCommands();
    // The commands of the main window by identifier.
    CommandRegistry& commands() const;

    // The one way a hint page is asked for; the guidance panels fill it in
    // and decide by the page's show flag.
    std::function<void(int page)> showHintPage;
    // Next-text mode changed the text settings: carry them to the text
    // being typed (the keyboard commands fill this in); `turn` when the
    // angle changed. True when a text being typed took them.
    std::function<bool(bool turn)> carryTextSettings;

    QAction* undoAction() const { return commands().action(CommandId::Undo); }
    QAction* redoAction() const { return commands().action(CommandId::Redo); }
    QAction* clearAction() const { return commands().action(CommandId::ClearUndoRedo); }
    QMenu* insertMenu() const;
    QMenu* editMenu() const;
    QToolBar* toolbar() const { return toolbar_; }
    QToolButton* button(int number) const;
    // The toolbar entry of a button: it stands for the button in the row and,
    // when the row is too narrow, in the row's extension menu.
    QAction* buttonAction(int number) const;
    int pressedButton() const;
    // The raised button of the tool frame.
    ButtonHover& hover() const { return *hover_; }
    // Shows button `number` raised as if the pointer rested on it, until the
    // hover ends; 0 lowers the raised button.
    void raiseButton(int number);

private:
    struct WindowTools;

    void registerCommands();
    void buildToolbar();
    void connectHooks();
    QWidget* makePanel(int code);
    FineTunePanelHooks fineTuneHooks();
    void panelShown(int code);
    void enterTool(int code);
    void documentOpened(DocumentWindow& window);
    void documentClosing(DocumentWindow& window);
    void documentActivated(DocumentWindow* window);
    // Tool button `number` is the pressed one; its check shows it at the
    // refresh that follows every caller (panel shown, window activated,
    // command run).
    void press(int button);
    // The first selected Item of the active window is an open spline or curve.
    bool FirstSelectedIsOpen() const;
    void showSelectionButtons();

    MainWindow& main_;
    QToolBar* toolbar_ = nullptr;
    ButtonHover* hover_ = nullptr;
    std::map<int, QWidget*> panels_;
    std::map<const DocumentWindow*, std::unique_ptr<WindowTools>> windows_;
    DocumentWindow* active_ = nullptr;
    int pressed_ = -1; // the pressed tool button
};

} // namespace vlm

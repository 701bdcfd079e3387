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
    // Builds the menus and buttons into `main` and connects its hooks; the
    // main window owns the result.
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
    CommandRegistry& commands() const { return *commands_; }

    // The one way a hint page is asked for; the guidance panels fill it in
    // and decide by the page's show flag.
    std::function<void(int page)> showHintPage;
    // "Customize..." in a fine-tune list: the page of that list's dialog.
    // The panel refills its lists when the dialog closes.
    std::function<void(int page)> customizeList;
    // "Customize..." in a colour list: the system colour dialog and the
    // colour chosen there, which the list then selects and applies.
    std::function<std::optional<std::int32_t>()> chooseColor;
    // Next-text mode changed the text settings: carry them to the text
    // being typed (the keyboard commands fill this in); `turn` when the
    // angle changed. True when a text being typed took them.
    std::function<bool(bool turn)> carryTextSettings;

    QAction* undoAction() const { return commands_->action(CommandId::Undo); }
    QAction* redoAction() const { return commands_->action(CommandId::Redo); }
    QAction* clearAction() const { return commands_->action(CommandId::ClearUndoRedo); }
    QMenu* insertMenu() const { return insert_; }
    QMenu* editMenu() const { return edit_; }
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
    void buildMenus();
    void buildToolbar();
    void connectHooks();
    QWidget* makePanel(int code);
    FineTunePanelHooks fineTuneHooks();
    void panelShown(int code);
    void enterTool(int code);
    void documentOpened(DocumentWindow& window);
    void documentClosing(DocumentWindow& window);
    void documentActivated(DocumentWindow* window);
    void press(int button);
    // What a toolbar button does when pressed.
    void runButton(int number);
    // The first selected Item of the active window is an open spline or curve.
    bool FirstSelectedIsOpen() const;
    void showSelectionButtons();

    MainWindow& main_;
    CommandRegistry* commands_ = nullptr;
    QMenu* insert_ = nullptr;
    QMenu* edit_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QActionGroup* tools_ = nullptr;
    ButtonHover* hover_ = nullptr;
    std::map<int, QAction*> buttons_;
    std::map<int, QWidget*> panels_;
    std::map<const DocumentWindow*, std::unique_ptr<WindowTools>> windows_;
    DocumentWindow* active_ = nullptr;
    bool pressing_ = false;  // the program presses a button: no command
    int toggledJustNow_ = 0; // the button whose toggle has run its command
};

} // namespace vlm

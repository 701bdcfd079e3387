#pragma once

// The commands of the main window by stable identifier. Each command is
// registered once with its caption, shortcuts, an `enabled` predicate and a
// `run` action; the registry makes its menu action, and MainMenus lays the
// menus and the toolbar out by identifier. The enabled (and, for buttons
// that go away instead of greying, the shown) states are computed from the
// predicates in refresh(), the one refresh point the edit commands call after
// every edit step, selection change, panel change and window activation.
//
// A toolbar button is a command of its own (it may run the same code as a
// menu item with other consequences, and its state shows differently).

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenu;

namespace vlm {

enum class CommandId {
    // A line between groups in a layout, never registered.
    Separator,
    // The edit commands: Edit menu.
    Undo,
    Redo,
    ClearUndoRedo,
    // The edit commands: toolbar (their buttons are made with the tools').
    UndoButton,
    RedoButton,
    PlaceOnTopButton,
    PlaceBehindButton,
    // The clipboard commands: Edit menu.
    Cut,
    Copy,
    Paste,
    CopyToClipboard,
    JoinItems,
    SplitGroup,
    // The clipboard commands: toolbar.
    JoinButton,
    SplitButton,
    EraseButton,
    CopyButton,
    PasteButton,
    // The print and export commands: File menu (Exact and Smooth in the
    // hidden Export submenu).
    PrintPreview,
    Print,
    PrintWithData,
    ExportAs,
    ExportExact,
    ExportSmooth,
    // The print and export commands: toolbar.
    ExportButton,
    PrintButton,
    PrintWithDataButton,
    // The page setup commands: File > Page Setup.
    PageSetupCurrent,
    PageSetupNew,
    // The help commands: Help menu and its Hints submenu.
    ShowAllHints,
    ShowNoHints,
    About,
};

struct Command {
    CommandId id = CommandId::Separator;
    QString caption = {};
    QList<QKeySequence> shortcuts = {};
    // Empty: always enabled.
    std::function<bool()> enabled = {};
    std::function<void()> run = {};
    // A disabled command is hidden instead of greyed (toolbar buttons that
    // appear only when they apply), and a hidden one is never shown.
    bool hideWhenDisabled = false;
    bool neverShown = false;
    // A toolbar button: its hint (tool tip and accessible name) and picture
    // number. It gets no menu action; the toolbar layout makes its entry.
    bool button = false;
    QString hint = {};
    int picture = 0;
};

class CommandRegistry : public QObject {
public:
    explicit CommandRegistry(QObject* parent);

    // Registers `command`; a menu command gets an action of its own (owned
    // by the registry), which is returned. A second registration of an id
    // replaces the first's run and enabled.
    QAction* add(Command command);
    // A button's entry in the toolbar, made by the toolbar layout.
    void placeButton(CommandId id, QAction* entry);
    const Command* command(CommandId id) const;

    bool contains(CommandId id) const;
    QAction* action(CommandId id) const;
    // The predicate now, false for an unknown id.
    bool enabled(CommandId id) const;
    // Runs the command (as its menu item or button would; callers that
    // offer it elsewhere check enabled() themselves); false when the id has
    // no action to run.
    bool run(CommandId id);

    // Every command's state from its predicate.
    void refresh();
    // Listeners of refresh(), after the states were set.
    std::function<void()> refreshed;

private:
    struct Entry {
        Command command;
        QAction* action = nullptr;
    };
    void apply(const Entry& entry) const;

    std::map<CommandId, Entry> entries_;
};

} // namespace vlm

#pragma once

// The commands of the main window by stable identifier. Each command is
// registered once with its caption, shortcuts, an `enabled` predicate and a
// `run` action; the registry makes its menu action, and MainMenus lays the
// menus and the toolbar out by identifier. The enabled (and, for buttons
// that go away instead of greying, the shown) states are computed from the
// predicates in refresh(), the one refresh point: it runs after every edit
// step, selection change, panel change, zoom change and window activation.
// The main window owns the registry; MainMenus places each command's entry
// in its menu or the toolbar as the command is registered.
//
// A toolbar button is a command of its own (it may run the same code as a
// menu item with other consequences, and its state shows differently).

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>

class QAction;
class QMenu;

namespace vlm {

enum class CommandId {
    // A line between groups in a layout, never registered.
    Separator,
    // The menus in a layout: the menu bar's and the submenus. A menu shows
    // once one of its entries is registered; Reset and Anchors are also
    // registered, for their enabled state.
    FileMenu,
    InsertMenu,
    EditMenu,
    ZoomMenu,
    ToolsMenu,
    CustomizeMenu,
    WindowMenu,
    HelpMenu,
    ReopenMenu,
    PageSetupMenu,
    GridAndSnapMenu,
    ExportMenu,
    GridMenu,
    SnapMenu,
    HintsMenu,
    // The main window: File menu and its Reopen submenu, the Zoom menu.
    New,
    Open,
    ClearRecent,
    Save,
    SaveAs,
    Close,
    Screenshot,
    Exit,
    Zoom25,
    Zoom50,
    Zoom75,
    Zoom100,
    Zoom125,
    Zoom150,
    Zoom175,
    Zoom200,
    Zoom300,
    // The edit commands: Edit menu.
    Undo,
    Redo,
    ClearUndoRedo,
    // The edit commands: Insert menu, one entry per kind of Item.
    InsertPicture,
    InsertText,
    InsertLine,
    InsertArc,
    InsertSpline,
    InsertCurve,
    InsertTriangle,
    InsertSquare,
    InsertRectangle,
    InsertCircle,
    InsertPie,
    InsertEllipse,
    InsertPolygon,
    InsertStar,
    InsertSolid,
    InsertOblong,
    // The edit commands: toolbar.
    NewButton,
    OpenButton,
    SaveButton,
    UndoButton,
    RedoButton,
    RepaintButton,
    PointerTool,
    PictureTool,
    TextTool,
    LineTool,
    ArcTool,
    SplineTool,
    CurveTool,
    TriangleTool,
    SquareTool,
    RectangleTool,
    CircleTool,
    PieTool,
    EllipseTool,
    PolygonTool,
    StarTool,
    SolidTool,
    OblongTool,
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
    // The grid commands: File > Grid and Snap, the Tools menu with its
    // Grid, Reset, Anchors and Snap submenus, and the two toolbar toggles.
    GridAndSnapCurrent,
    GridAndSnapNew,
    GridNone,
    GridHorizontal,
    GridVertical,
    GridBoth,
    GridCustomize,
    GridResetMenu,
    GridResetHorizontal,
    GridResetVertical,
    GridResetBoth,
    AnchorsMenu,
    AnchorsNone,
    AnchorsHorizontal,
    AnchorsVertical,
    AnchorsBoth,
    SnapNone,
    SnapHorizontal,
    SnapVertical,
    SnapBoth,
    Speed,
    GridButton,
    SnapButton,
    // What the Delete key does first: the highlighted Anchor goes.
    DeleteHighlightedAnchor,
    // The picture commands: a double-click on a Clip opens the selected
    // Clip of the active document in the picture dialog.
    EditPicture,
    // The customize commands: Customize menu.
    CustomizeColors,
    CustomizeLineWeights,
    CustomizeLinePatterns,
    CustomizeAlignments,
    CustomizeFontSizes,
    CustomizeTextAngles,
    CustomizeShadows,
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
    // Set for an entry that shows a check (a choice, a pressed tool): the
    // check follows it like the enabled state follows `enabled`.
    std::function<bool()> checked = {};
};

class CommandRegistry : public QObject {
public:
    explicit CommandRegistry(QObject* parent);

    // Registers `command`; a menu command gets an action of its own (owned
    // by the registry), which is returned. A second registration of an id
    // replaces the first's run, enabled and checked.
    QAction* add(Command command);
    // The entry made for a registered button (or a submenu's own entry):
    // it shows the command's state, and a button's runs the command.
    void place(CommandId id, QAction* entry);
    const Command* command(CommandId id) const;

    bool contains(CommandId id) const;
    QAction* action(CommandId id) const;
    // The predicate now, false for an unknown id.
    bool enabled(CommandId id) const;
    // Runs the command (as its menu item or button would; callers that
    // offer it elsewhere check enabled() themselves); false when the id has
    // no action to run. Every entry shows its state again afterwards.
    bool run(CommandId id);

    // Every command's state from its predicate.
    void refresh();
    // Listeners of refresh(), after the states were set (each adds itself
    // with RunAfter).
    std::function<void()> refreshed;
    // Told of every new registration (the menus place the command's entry).
    std::function<void(CommandId id)> registered;

private:
    struct Entry {
        Command command;
        QAction* action = nullptr;
    };
    void apply(const Entry& entry);
    void connectEntry(CommandId id, QAction* entry);

    std::map<CommandId, Entry> entries_;
    // Set while a state is applied: the check it sets runs nothing.
    bool applying_ = false;
    // The toggle that ran the command a click's trigger would run again.
    std::optional<CommandId> toggledJustNow_;
};

} // namespace vlm

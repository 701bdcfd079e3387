#pragma once

// The menu bar of the main window: the File menu with its Reopen list, the
// Zoom menu and the Window menu with one entry per document window. Captions
// come from the text table; the commands are connected by the main window.
//
// The File entries of later commands (Page Setup, Grid and Snap, Print
// Preview, Print) stay hidden until the command that owns them connects to
// the action and shows it, or puts its registered action in the entry's
// place (replaceEntry); Export and Screenshot are never shown.

#include "render/units.h"
#include "settings/settings.h"
#include "shell/commands/command_registry.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class QMenuBar;
class QToolBar;

namespace vlm {

// The Edit menu's first group.
inline constexpr CommandId kEditMenuLayout[] = {CommandId::Undo, CommandId::Redo, CommandId::Separator,
                                                CommandId::ClearUndoRedo};

// The clipboard commands' part of the Edit menu (after "Clear Undo and
// Redo") and of the toolbar (after the stacking buttons).
inline constexpr CommandId kClipboardMenuLayout[] = {
    CommandId::Separator,       CommandId::Cut,       CommandId::Copy,      CommandId::Paste,
    CommandId::Separator,       CommandId::CopyToClipboard, CommandId::JoinItems, CommandId::SplitGroup,
};
inline constexpr CommandId kClipboardToolbarLayout[] = {
    CommandId::JoinButton,  CommandId::SplitButton, CommandId::Separator,
    CommandId::EraseButton, CommandId::CopyButton,  CommandId::PasteButton,
};

// The hidden Export submenu of the File menu.
inline constexpr CommandId kExportMenuLayout[] = {CommandId::ExportExact, CommandId::ExportSmooth};

// The Help menu after its Hints submenu, and the submenu.
inline constexpr CommandId kHelpMenuLayout[] = {CommandId::Separator, CommandId::About};
inline constexpr CommandId kHintsMenuLayout[] = {CommandId::ShowAllHints, CommandId::ShowNoHints};

// Adds the registered commands of `layout` to `menu` in order; Separator
// adds a line.
void layOutMenu(QMenu* menu, const CommandRegistry& commands, std::span<const CommandId> layout);
// Adds a button per registered command of `layout` to `row`, named and
// pictured as its command says; a click runs the command.
void layOutToolbar(QToolBar* row, CommandRegistry& commands, std::span<const CommandId> layout);

class MainMenus {
public:
    // Builds the menus into `bar`.
    void build(QMenuBar* bar);

    // The Reopen entries show the recent files (entries trimmed first);
    // the submenu is enabled while one is not empty.
    void rebuildReopen(std::array<std::u16string, kRecentFileCount>& recent);

    // Checks the zoom entry whose percentage equals the zoom's, none when
    // there is no such entry.
    void checkZoom(double zoom);

    // The entries that need a document, enabled together. Registered
    // commands read documentMenusEnabled() in their predicates and are
    // refreshed through documentMenusChanged.
    void setDocumentMenus(bool enabled);
    bool documentMenusEnabled() const { return documentMenusEnabled_; }
    std::function<void()> documentMenusChanged;

    // Puts `replacement` where `slot`'s entry stands in its menu, and makes
    // `slot` the replacement: a registered command takes the place kept
    // for it, with the status line the old entry had. The old entry leaves
    // the menu and the document entries.
    void replaceEntry(QAction*& slot, QAction* replacement);

    // Window menu entries, tagged with the window id. The menu is hidden
    // while there is no entry.
    QAction* addWindowEntry(std::int32_t windowId, const QString& caption);
    void removeWindowEntry(QAction* entry);
    void checkWindowEntry(const QAction* entry);
    // The "Current File" entries keep their caption; the status line names
    // the active document they act on.
    void setCurrentFileCaption(const QString& caption);

    QMenu* file = nullptr;
    QAction* newFile = nullptr;
    QAction* open = nullptr;
    QMenu* reopen = nullptr;
    std::array<QAction*, kRecentFileCount> reopenEntries{};
    QAction* clearRecent = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* close = nullptr;
    QMenu* pageSetup = nullptr;
    QAction* pageSetupCurrent = nullptr;
    QAction* pageSetupNew = nullptr;
    QMenu* gridAndSnap = nullptr;
    QAction* gridAndSnapCurrent = nullptr;
    QAction* gridAndSnapNew = nullptr;
    QAction* printPreview = nullptr;
    QAction* print = nullptr;
    QMenu* exportMenu = nullptr;
    QAction* exportExact = nullptr;
    QAction* exportSmooth = nullptr;
    QAction* screenshot = nullptr;
    QAction* exit = nullptr;

    QMenu* zoom = nullptr;
    std::array<QAction*, kZoomSteps.size()> zoomEntries{};

    QMenu* window = nullptr;
    std::vector<QAction*> windowEntries;

    // The registry the commands' entries come from (the edit commands set
    // it); none in a window without commands.
    CommandRegistry* commands = nullptr;

    // Enabled with setDocumentMenus; later commands add theirs.
    std::vector<QAction*> documentActions;

private:
    void updateWindowMenu();

    bool documentMenusEnabled_ = false;
};

} // namespace vlm

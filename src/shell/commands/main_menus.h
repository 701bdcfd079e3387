#pragma once

// The menu bar and the toolbar of the main window. Every entry is a
// registered command: as a command is registered, its entry is placed at
// the place `command_layout.h` gives it — a menu shows once it has an entry,
// a toolbar button is made from the command's picture and hint. Beside the
// commands stand two lists that follow data: the recent files in Reopen and
// one entry per document window in the Window menu.

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

class MainMenus {
public:
    // Makes the menus of `bar` and places `commands`' entries from now on.
    void build(QMenuBar* bar, CommandRegistry& commands);
    // The toolbar the buttons go into; the ones registered before it came
    // are placed now.
    void setToolbar(QToolBar* row);
    QToolBar* toolbar() const { return toolbar_; }

    // A registered command's entry (menu action or toolbar button), or null.
    QAction* entry(CommandId id) const;
    // The menu of a menu identifier (FileMenu, ReopenMenu ...), or null.
    QMenu* menu(CommandId id) const;

    // The Reopen entries show the recent files (entries trimmed first);
    // the submenu is enabled while one is not empty (hasRecentFiles).
    void rebuildReopen(std::array<std::u16string, kRecentFileCount>& recent);
    bool hasRecentFiles() const { return hasRecent_; }

    // The zoom the Zoom menu checks (its entries' predicates read it).
    void showZoom(double zoom);
    double shownZoom() const { return shownZoom_; }

    // Whether the entries that need a document are enabled; registered
    // commands read documentMenusEnabled() in their predicates, and a change
    // refreshes them.
    void setDocumentMenus(bool enabled);
    bool documentMenusEnabled() const { return documentMenusEnabled_; }

    // Window menu entries, tagged with the window id. The menu is hidden
    // while there is no entry.
    QAction* addWindowEntry(std::int32_t windowId, const QString& caption);
    void removeWindowEntry(QAction* entry);
    void checkWindowEntry(const QAction* entry);
    // The "Current File" entries keep their caption; the status line names
    // the active document they act on.
    void setCurrentFileCaption(const QString& caption);

    QMenu* file = nullptr;
    QMenu* reopen = nullptr;
    std::array<QAction*, kRecentFileCount> reopenEntries{};
    QMenu* zoom = nullptr;
    std::array<QAction*, kZoomSteps.size()> zoomEntries{};
    QMenu* window = nullptr;
    std::vector<QAction*> windowEntries;

    // The registry the entries come from.
    CommandRegistry* commands = nullptr;

private:
    // A menu, the menu bar or the toolbar, with what it holds in order.
    struct Host {
        CommandId self; // the host's own entry in its parent (Separator: none)
        QWidget* widget;
        std::span<const CommandId> layout;
        std::vector<QAction*> placed;
    };
    QMenu* addMenu(CommandId self, const char16_t* title, std::span<const CommandId> layout);
    void addHost(CommandId self, QWidget* widget, std::span<const CommandId> layout);
    void place(CommandId id);
    QAction* makeButton(CommandId id);
    void updateWindowMenu();

    QMenuBar* bar_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    std::vector<Host> hosts_;
    bool documentMenusEnabled_ = false;
    bool hasRecent_ = false;
    double shownZoom_ = 0.0;
    QString currentFile_;
};

} // namespace vlm

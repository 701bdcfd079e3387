#include "shell/commands/main_menus.h"

#include "platform/ui_text.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/command_layout.h"
#include "shell/window/recent_files.h"
#include "texts/customize_texts.h"
#include "texts/edit_texts.h"
#include "texts/grid_texts.h"
#include "texts/hint_texts.h"
#include "texts/shell_texts.h"

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace vlm {

void MainMenus::build(QMenuBar* bar, CommandRegistry& registry)
{
    bar_ = bar;
    commands = &registry;
    addHost(CommandId::Separator, bar, kMenuBarLayout);
    file = addMenu(CommandId::FileMenu, texts::kMenuFile, kFileMenuLayout);
    reopen = new QMenu(uiText(texts::kMenuReopen), bar);
    for (QAction*& recent : reopenEntries) {
        recent = reopen->addAction(QString());
        recent->setVisible(false);
    }
    addHost(CommandId::ReopenMenu, reopen, kReopenMenuLayout);
    addMenu(CommandId::PageSetupMenu, texts::kMenuPageSetup, kPageSetupMenuLayout);
    addMenu(CommandId::GridAndSnapMenu, texts::kMenuGridAndSnap, kGridAndSnapMenuLayout);
    // Kept for its commands, never shown.
    addMenu(CommandId::ExportMenu, texts::kMenuExport, kExportMenuLayout)->menuAction()->setVisible(false);
    addMenu(CommandId::InsertMenu, texts::kMenuInsert, kInsertMenuLayout);
    addMenu(CommandId::EditMenu, texts::kMenuEdit, kEditMenuLayout);
    zoom = addMenu(CommandId::ZoomMenu, texts::kMenuZoom, kZoomMenuLayout);
    addMenu(CommandId::ToolsMenu, texts::kMenuTools, kToolsMenuLayout);
    addMenu(CommandId::GridMenu, texts::kMenuGrid, kGridMenuLayout);
    addMenu(CommandId::GridResetMenu, texts::kMenuGridReset, kGridResetMenuLayout);
    addMenu(CommandId::AnchorsMenu, texts::kMenuAnchors, kAnchorsMenuLayout);
    addMenu(CommandId::SnapMenu, texts::kMenuSnap, kSnapMenuLayout);
    addMenu(CommandId::CustomizeMenu, texts::kMenuCustomize, kCustomizeMenuLayout);
    addMenu(CommandId::HelpMenu, texts::kMenuHelp, kHelpMenuLayout);
    addMenu(CommandId::HintsMenu, texts::kMenuHints, kHintsMenuLayout);

    // The Window menu follows the document windows, not the commands: it
    // stands in the bar from the start, hidden while there is no entry.
    window = new QMenu(uiText(texts::kMenuWindow), bar);
    addHost(CommandId::WindowMenu, window, {});
    place(CommandId::WindowMenu);
    updateWindowMenu();

    registry.registered = [this](CommandId id) { place(id); };
}

QMenu* MainMenus::addMenu(CommandId self, const char16_t* title, std::span<const CommandId> layout)
{
    auto* m = new QMenu(uiText(title), bar_);
    addHost(self, m, layout);
    return m;
}

void MainMenus::addHost(CommandId self, QWidget* widget, std::span<const CommandId> layout)
{
    Host host{self, widget, layout, std::vector<QAction*>(layout.size(), nullptr)};
    // The lines between groups stand from the start: a menu hides the ones
    // with nothing shown on one side.
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i] != CommandId::Separator)
            continue;
        auto* line = new QAction(widget);
        line->setSeparator(true);
        widget->addAction(line);
        host.placed[i] = line;
    }
    hosts_.push_back(std::move(host));
}

void MainMenus::setToolbar(QToolBar* row)
{
    toolbar_ = row;
    addHost(CommandId::Separator, row, kToolbarLayout);
    for (CommandId id : kToolbarLayout)
        if (commands->contains(id))
            place(id);
}

QAction* MainMenus::makeButton(CommandId id)
{
    const Command* c = commands->command(id);
    if (!c || !c->button || !toolbar_)
        return nullptr;
    auto* a = new QAction(ToolbarPicture(c->picture), c->caption, toolbar_);
    a->setToolTip(c->hint);
    a->setData(c->picture);
    return a;
}

void MainMenus::place(CommandId id)
{
    // A submenu registered for its state gets the entry it already has.
    if (QMenu* sub = menu(id); sub && commands->contains(id) && commands->action(id) != sub->menuAction())
        for (const Host& host : hosts_)
            if (std::find(host.placed.begin(), host.placed.end(), sub->menuAction()) != host.placed.end())
                commands->place(id, sub->menuAction());
    for (Host& host : hosts_) {
        const auto at = std::find(host.layout.begin(), host.layout.end(), id);
        if (at == host.layout.end())
            continue;
        const auto index = static_cast<std::size_t>(at - host.layout.begin());
        if (host.placed[index])
            continue;
        QAction* entry = nullptr;
        if (QMenu* sub = menu(id))
            entry = sub->menuAction();
        else if (host.widget == toolbar_)
            entry = makeButton(id);
        else
            entry = commands->action(id);
        if (!entry)
            continue;
        QAction* before = nullptr;
        for (std::size_t j = index + 1; j < host.placed.size() && !before; ++j)
            before = host.placed[j];
        host.widget->insertAction(before, entry);
        host.placed[index] = entry;
        if (host.widget == toolbar_) {
            // The button shows a picture: screen readers name it by its hint.
            if (QWidget* b = toolbar_->widgetForAction(entry))
                b->setAccessibleName(entry->toolTip());
            commands->place(id, entry);
        } else if (menu(id) && commands->contains(id)) {
            commands->place(id, entry); // a submenu with an enabled state
        }
        if (id == CommandId::PageSetupCurrent || id == CommandId::GridAndSnapCurrent)
            entry->setStatusTip(currentFile_);
        // The menu shows with its first entry.
        if (host.self != CommandId::Separator)
            place(host.self);
    }
}

QAction* MainMenus::entry(CommandId id) const
{
    return commands ? commands->action(id) : nullptr;
}

QMenu* MainMenus::menu(CommandId id) const
{
    if (id == CommandId::Separator)
        return nullptr;
    for (const Host& host : hosts_)
        if (host.self == id)
            return qobject_cast<QMenu*>(host.widget);
    return nullptr;
}

void MainMenus::rebuildReopen(std::array<std::u16string, kRecentFileCount>& recent)
{
    TrimRecentEntries(recent);
    bool any = false;
    for (int n = 0; n < kRecentFileCount; ++n) {
        const QString name = QString::fromStdU16String(recent[n]);
        reopenEntries[n]->setText(FileCaption(name));
        reopenEntries[n]->setToolTip(name);
        reopenEntries[n]->setVisible(!name.isEmpty());
        any = any || !name.isEmpty();
    }
    hasRecent_ = any;
    commands->refresh();
}

void MainMenus::showZoom(double zoomFactor)
{
    shownZoom_ = zoomFactor;
    commands->refresh();
}

void MainMenus::setDocumentMenus(bool enabled)
{
    documentMenusEnabled_ = enabled;
    commands->refresh();
}

QAction* MainMenus::addWindowEntry(std::int32_t windowId, const QString& caption)
{
    QAction* a = window->addAction(caption);
    a->setCheckable(true);
    a->setData(windowId);
    windowEntries.push_back(a);
    updateWindowMenu();
    return a;
}

void MainMenus::removeWindowEntry(QAction* a)
{
    if (!a)
        return;
    windowEntries.erase(std::remove(windowEntries.begin(), windowEntries.end(), a), windowEntries.end());
    window->removeAction(a);
    a->deleteLater();
    updateWindowMenu();
}

void MainMenus::checkWindowEntry(const QAction* a)
{
    for (QAction* w : windowEntries)
        w->setChecked(w == a);
}

void MainMenus::setCurrentFileCaption(const QString& caption)
{
    currentFile_ = caption;
    for (CommandId id : {CommandId::PageSetupCurrent, CommandId::GridAndSnapCurrent})
        if (QAction* current = entry(id))
            current->setStatusTip(caption);
}

void MainMenus::updateWindowMenu()
{
    window->menuAction()->setVisible(!windowEntries.empty());
}

} // namespace vlm

#include "shell/commands/command_registry.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace vlm {

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent) {}

QAction* CommandRegistry::add(Command command)
{
    if (auto found = entries_.find(command.id); found != entries_.end()) {
        found->second.command.run = std::move(command.run);
        found->second.command.enabled = std::move(command.enabled);
        if (command.checked)
            found->second.command.checked = std::move(command.checked);
        apply(found->second);
        return found->second.action;
    }
    const CommandId id = command.id;
    Entry& entry = entries_[id];
    entry.command = std::move(command);
    if (!entry.command.button) {
        auto* a = new QAction(entry.command.caption, this);
        if (!entry.command.shortcuts.isEmpty())
            a->setShortcuts(entry.command.shortcuts);
        entry.action = a;
        connectEntry(id, a);
    }
    apply(entry);
    if (registered)
        registered(id);
    return entries_[id].action;
}

void CommandRegistry::connectEntry(CommandId id, QAction* entry)
{
    if (entries_[id].command.checked) {
        entry->setCheckable(true);
        // Assistive tools toggle a checkable entry rather than trigger it:
        // the toggle runs the command then, and the trigger a click sends
        // after its toggle does not run it again. Only a check counts: in an
        // exclusive group the entry that loses its check ran nothing.
        connect(entry, &QAction::toggled, this, [this, id](bool on) {
            if (applying_ || !on)
                return;
            toggledJustNow_ = id;
            QTimer::singleShot(0, this, [this] { toggledJustNow_.reset(); });
            run(id);
        });
    }
    connect(entry, &QAction::triggered, this, [this, id] {
        if (toggledJustNow_ == id) {
            toggledJustNow_.reset();
            return;
        }
        run(id);
    });
}

void CommandRegistry::place(CommandId id, QAction* entry)
{
    auto found = entries_.find(id);
    if (found == entries_.end() || !entry)
        return;
    found->second.action = entry;
    if (found->second.command.run)
        connectEntry(id, entry);
    apply(found->second);
}

const Command* CommandRegistry::command(CommandId id) const
{
    auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : &found->second.command;
}

bool CommandRegistry::contains(CommandId id) const { return entries_.contains(id); }

QAction* CommandRegistry::action(CommandId id) const
{
    auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second.action;
}

bool CommandRegistry::enabled(CommandId id) const
{
    auto found = entries_.find(id);
    if (found == entries_.end())
        return false;
    const Command& c = found->second.command;
    return !c.enabled || c.enabled();
}

bool CommandRegistry::run(CommandId id)
{
    auto found = entries_.find(id);
    if (found == entries_.end() || !found->second.command.run)
        return false;
    // A copy: the command may register or replace commands while it runs.
    const std::function<void()> action = found->second.command.run;
    const QPointer<CommandRegistry> alive(this);
    action();
    // What the command changed shows in every entry (a click flips a
    // checkable entry whatever the command made of it).
    if (alive)
        refresh();
    return true;
}

void CommandRegistry::apply(const Entry& entry)
{
    if (!entry.action)
        return;
    const Command& c = entry.command;
    const bool on = !c.enabled || c.enabled();
    applying_ = true;
    if (c.neverShown) {
        entry.action->setVisible(false);
        entry.action->setEnabled(on);
    } else if (c.hideWhenDisabled) {
        entry.action->setVisible(on);
    } else {
        entry.action->setEnabled(on);
        // A submenu's entry: the menu itself greys too.
        if (auto* sub = entry.action->menu<QMenu*>())
            sub->setEnabled(on);
    }
    if (c.checked)
        entry.action->setChecked(c.checked());
    applying_ = false;
}

void CommandRegistry::refresh()
{
    for (const auto& [id, entry] : entries_)
        apply(entry);
    if (refreshed)
        refreshed();
}

} // namespace vlm

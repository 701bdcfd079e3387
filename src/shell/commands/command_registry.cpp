#include "shell/commands/command_registry.h"

#include <QAction>

namespace vlm {

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent) {}

QAction* CommandRegistry::add(Command command)
{
    if (auto found = entries_.find(command.id); found != entries_.end()) {
        found->second.command.run = std::move(command.run);
        found->second.command.enabled = std::move(command.enabled);
        apply(found->second);
        return found->second.action;
    }
    Entry& entry = entries_[command.id];
    if (!command.button) {
        auto* a = new QAction(command.caption, this);
        if (!command.shortcuts.isEmpty())
            a->setShortcuts(command.shortcuts);
        const CommandId id = command.id;
        connect(a, &QAction::triggered, this, [this, id] { run(id); });
        entry.action = a;
    }
    entry.command = std::move(command);
    apply(entry);
    return entry.action;
}

void CommandRegistry::placeButton(CommandId id, QAction* entry)
{
    auto found = entries_.find(id);
    if (found == entries_.end())
        return;
    found->second.action = entry;
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
    action();
    return true;
}

void CommandRegistry::apply(const Entry& entry) const
{
    if (!entry.action)
        return;
    const Command& c = entry.command;
    const bool on = !c.enabled || c.enabled();
    if (c.neverShown) {
        entry.action->setVisible(false);
        entry.action->setEnabled(on);
    } else if (c.hideWhenDisabled) {
        entry.action->setVisible(on);
    } else {
        entry.action->setEnabled(on);
    }
}

void CommandRegistry::refresh()
{
    for (const auto& [id, entry] : entries_)
        apply(entry);
    if (refreshed)
        refreshed();
}

} // namespace vlm

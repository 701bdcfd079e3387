#include <gtest/gtest.h>

#include "shell/commands/command_registry.h"
#include "shell/commands/main_menus.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace vlm {
namespace {

TEST(CommandRegistry, StatesFollowThePredicatesAtEveryRefresh)
{
    QObject owner;
    CommandRegistry r(&owner);
    bool on = false;
    int runs = 0;
    int refreshes = 0;
    r.refreshed = [&] { ++refreshes; };
    QAction* cut = r.add({.id = CommandId::Cut,
                          .caption = QStringLiteral("Cut"),
                          .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_X)},
                          .enabled = [&] { return on; },
                          .run = [&] { ++runs; }});
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->text(), QStringLiteral("Cut"));
    EXPECT_EQ(cut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_FALSE(cut->isEnabled()) << "registered with its state";
    on = true;
    EXPECT_FALSE(cut->isEnabled()) << "nothing changes before the refresh";
    r.refresh();
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_EQ(refreshes, 1);
    cut->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(r.run(CommandId::Cut));
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(r.run(CommandId::Paste)) << "not registered";
    EXPECT_FALSE(r.enabled(CommandId::Paste));

    // A second registration replaces what runs, keeping the action.
    int other = 0;
    EXPECT_EQ(r.add({.id = CommandId::Cut, .run = [&] { ++other; }}), cut);
    cut->trigger();
    EXPECT_EQ(other, 1);
    EXPECT_EQ(runs, 2);
}

TEST(CommandRegistry, LayoutsPlaceMenuItemsAndButtonsByIdentifier)
{
    QObject owner;
    CommandRegistry r(&owner);
    bool selected = false;
    int joins = 0;
    r.add({.id = CommandId::Copy, .caption = QStringLiteral("Copy")});
    r.add({.id = CommandId::Cut, .caption = QStringLiteral("Cut")});
    r.add({.id = CommandId::JoinButton,
           .caption = QStringLiteral("J"),
           .enabled = [&] { return selected; },
           .run = [&] { ++joins; },
           .hideWhenDisabled = true,
           .button = true,
           .hint = QStringLiteral("Join")});
    EXPECT_EQ(r.action(CommandId::JoinButton), nullptr) << "a button has no menu action";

    QMenu menu;
    const CommandId order[] = {CommandId::Cut, CommandId::Separator, CommandId::Copy, CommandId::Paste};
    layOutMenu(&menu, r, order);
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 3) << "an unregistered id is left out";
    EXPECT_EQ(items[0]->text(), QStringLiteral("Cut"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("Copy"));

    QToolBar row;
    const CommandId buttons[] = {CommandId::JoinButton};
    layOutToolbar(&row, r, buttons);
    QAction* entry = r.action(CommandId::JoinButton);
    ASSERT_NE(entry, nullptr);
    auto* b = qobject_cast<QToolButton*>(row.widgetForAction(entry));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->accessibleName(), QStringLiteral("Join"));
    EXPECT_EQ(b->toolTip(), QStringLiteral("Join"));
    EXPECT_FALSE(entry->isVisible()) << "hidden while it does not apply";
    selected = true;
    r.refresh();
    EXPECT_TRUE(entry->isVisible());
    b->click();
    EXPECT_EQ(joins, 1);
}

TEST(CommandRegistry, ARegisteredCommandTakesTheFileEntryKeptForIt)
{
    QMenuBar bar;
    MainMenus menus;
    menus.build(&bar);
    CommandRegistry r(&bar);
    menus.documentMenusChanged = [&r] { r.refresh(); };
    QAction* kept = menus.print;
    kept->setStatusTip(QStringLiteral("Untitled 1"));
    const qsizetype at = menus.file->actions().indexOf(kept);
    QAction* print = r.add({.id = CommandId::Print,
                            .caption = QStringLiteral("Print"),
                            .enabled = [&menus] { return menus.documentMenusEnabled(); }});
    menus.replaceEntry(menus.print, print);
    EXPECT_EQ(menus.print, print);
    EXPECT_EQ(menus.file->actions().indexOf(print), at);
    EXPECT_FALSE(menus.file->actions().contains(kept));
    EXPECT_EQ(print->statusTip(), QStringLiteral("Untitled 1"));
    EXPECT_FALSE(std::ranges::count(menus.documentActions, kept)) << "the old entry is no longer enabled by hand";
    EXPECT_FALSE(print->isEnabled());
    menus.setDocumentMenus(true);
    EXPECT_TRUE(print->isEnabled()) << "the change refreshed the registry";
    EXPECT_TRUE(menus.save->isEnabled());
    menus.setDocumentMenus(false);
    EXPECT_FALSE(print->isEnabled());
    menus.replaceEntry(menus.print, nullptr);
    EXPECT_EQ(menus.print, print) << "nothing to put in its place";
}

} // namespace
} // namespace vlm

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

TEST(MainMenus, EachCommandTakesItsLayoutPlaceWhenItIsRegistered)
{
    QMenuBar bar;
    CommandRegistry r(&bar);
    MainMenus menus;
    menus.build(&bar, r);
    QMenu* edit = menus.menu(CommandId::EditMenu);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(bar.actions().contains(edit->menuAction())) << "a menu shows with its first entry";

    // Registered out of order, placed in layout order.
    r.add({.id = CommandId::About, .caption = QStringLiteral("About")});
    r.add({.id = CommandId::Copy, .caption = QStringLiteral("Copy")});
    r.add({.id = CommandId::Cut, .caption = QStringLiteral("Cut")});
    r.add({.id = CommandId::Exit, .caption = QStringLiteral("Exit")});
    const QList<QAction*> top = bar.actions();
    const qsizetype file = top.indexOf(menus.file->menuAction());
    const qsizetype editAt = top.indexOf(edit->menuAction());
    const qsizetype help = top.indexOf(menus.menu(CommandId::HelpMenu)->menuAction());
    ASSERT_GE(file, 0);
    EXPECT_LT(file, editAt);
    EXPECT_LT(editAt, help);
    QStringList captions;
    for (QAction* a : edit->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Cut"), QStringLiteral("Copy")}));
    EXPECT_EQ(menus.entry(CommandId::Cut), r.action(CommandId::Cut));
    EXPECT_EQ(menus.entry(CommandId::Paste), nullptr);

    // A submenu shows in its menu with its first entry.
    QMenu* pageSetup = menus.menu(CommandId::PageSetupMenu);
    EXPECT_FALSE(menus.file->actions().contains(pageSetup->menuAction()));
    r.add({.id = CommandId::PageSetupNew, .caption = QStringLiteral("New Files")});
    const QList<QAction*> fileEntries = menus.file->actions();
    EXPECT_TRUE(fileEntries.contains(pageSetup->menuAction()));
    EXPECT_LT(fileEntries.indexOf(pageSetup->menuAction()), fileEntries.indexOf(r.action(CommandId::Exit)));
}

TEST(MainMenus, ButtonsAreMadeInTheToolbarAndShowTheirCommandsState)
{
    QMenuBar bar;
    CommandRegistry r(&bar);
    MainMenus menus;
    menus.build(&bar, r);
    bool selected = false;
    int erases = 0;
    int pointerRuns = 0;
    bool pointerPressed = true;
    r.add({.id = CommandId::EraseButton,
           .caption = QStringLiteral("E"),
           .enabled = [&] { return selected; },
           .run = [&] { ++erases; },
           .hideWhenDisabled = true,
           .button = true,
           .hint = QStringLiteral("Erase")});
    EXPECT_EQ(r.action(CommandId::EraseButton), nullptr) << "no entry before the toolbar is there";
    QToolBar row;
    menus.setToolbar(&row);
    r.add({.id = CommandId::PointerTool,
           .caption = QStringLiteral("P"),
           .run = [&] { ++pointerRuns; },
           .button = true,
           .hint = QStringLiteral("Select"),
           .checked = [&] { return pointerPressed; }});

    QAction* erase = r.action(CommandId::EraseButton);
    QAction* pointer = r.action(CommandId::PointerTool);
    ASSERT_NE(erase, nullptr);
    ASSERT_NE(pointer, nullptr);
    const QList<QAction*> buttons = row.actions();
    EXPECT_LT(buttons.indexOf(pointer), buttons.indexOf(erase)) << "layout order, not registration order";
    auto* b = qobject_cast<QToolButton*>(row.widgetForAction(erase));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->accessibleName(), QStringLiteral("Erase"));
    EXPECT_EQ(b->toolTip(), QStringLiteral("Erase"));
    EXPECT_FALSE(erase->isVisible()) << "hidden while it does not apply";
    selected = true;
    r.refresh();
    EXPECT_TRUE(erase->isVisible());
    b->click();
    EXPECT_EQ(erases, 1);

    // A pressed tool shows its check from the predicate; a click runs the
    // command once and the check follows the predicate, not the click.
    EXPECT_TRUE(pointer->isChecked());
    auto* p = qobject_cast<QToolButton*>(row.widgetForAction(pointer));
    ASSERT_NE(p, nullptr);
    p->click();
    EXPECT_EQ(pointerRuns, 1);
    EXPECT_TRUE(pointer->isChecked());
    pointerPressed = false;
    r.refresh();
    EXPECT_FALSE(pointer->isChecked());
    EXPECT_EQ(pointerRuns, 1) << "a check set by the refresh runs nothing";
    // Assistive tools toggle rather than click: that runs it too, once.
    pointer->toggle();
    EXPECT_EQ(pointerRuns, 2);
    EXPECT_FALSE(pointer->isChecked()) << "the check follows the predicate again";
}

TEST(MainMenus, EntriesThatNeedADocumentFollowTheDocumentMenusAndTheZoom)
{
    QMenuBar bar;
    CommandRegistry r(&bar);
    MainMenus menus;
    menus.build(&bar, r);
    QAction* print = r.add({.id = CommandId::Print,
                            .caption = QStringLiteral("Print"),
                            .enabled = [&menus] { return menus.documentMenusEnabled(); }});
    QAction* zoom = r.add({.id = CommandId::Zoom100,
                           .caption = QStringLiteral("100%"),
                           .checked = [&menus] { return menus.shownZoom() == 1.0; }});
    EXPECT_FALSE(print->isEnabled());
    menus.setDocumentMenus(true);
    EXPECT_TRUE(print->isEnabled()) << "the change refreshed the registry";
    menus.setDocumentMenus(false);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_FALSE(zoom->isChecked());
    menus.showZoom(1.0);
    EXPECT_TRUE(zoom->isChecked());

    // The "Current File" entries name the document in the status line, also
    // when registered after it was named.
    menus.setCurrentFileCaption(QStringLiteral("Untitled 1"));
    QAction* current = r.add({.id = CommandId::PageSetupCurrent, .caption = QStringLiteral("Current File")});
    EXPECT_EQ(current->statusTip(), QStringLiteral("Untitled 1"));
    menus.setCurrentFileCaption(QStringLiteral("cards.vlmr"));
    EXPECT_EQ(current->statusTip(), QStringLiteral("cards.vlmr"));
}

} // namespace
} // namespace vlm

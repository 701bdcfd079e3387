#include "shell_fixture.h"

#include "platform/widgets/qt_prompts.h"
#include "shell/commands/customize_commands.h"

#include <QApplication>
#include <QColorDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace vlm::test {
namespace {

QStringList MenuTitles(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

TEST_F(ShellTest, ColorsOpensTheDialogWithTheCustomColoursAndKeepsANewChoice)
{
    MainWindow& m = start();
    auto* customize = new CustomizeCommands(m);
    const QStringList titles = MenuTitles(m.menuBar());
    ASSERT_TRUE(titles.contains(QStringLiteral("Customize")));
    EXPECT_EQ(titles.indexOf(QStringLiteral("Customize")) + 1, titles.indexOf(QStringLiteral("Window")));
    EXPECT_EQ(customize->colorsEntry()->text(), QStringLiteral("Colors"));

    Settings& s = m.settings();
    s.dialogColors[2] = u"123456";
    prompts.editCustomColors = [](std::array<std::u16string, 16>& c) { c[5] = u"00FF80"; };
    prompts.chosenColor = 0x0A0B0C;
    customize->colorsEntry()->trigger();
    ASSERT_EQ(prompts.colorDialogs.size(), 1u);
    EXPECT_EQ(prompts.colorDialogs[0].initial, 0); // nothing chosen before: black
    EXPECT_EQ(prompts.colorDialogs[0].customColors[2], u"123456");
    EXPECT_EQ(s.dialogColors[5], u"00FF80"); // the dialog's changes are kept
    EXPECT_EQ(s.recentColors[0], 0x0A0B0C);

    // Colours the lists offer already are not added again: a built-in one,
    // a custom colour of the dialog, the recent one.
    for (std::int32_t offered : {0x0000FF, 0x123456, 0x00FF80, 0x0A0B0C}) {
        prompts.editCustomColors = {};
        prompts.chosenColor = offered;
        EXPECT_EQ(customize->ColorsCommand(), offered);
        EXPECT_EQ(s.recentColors[0], 0x0A0B0C) << offered;
        EXPECT_EQ(s.recentColors[1], kNoColor) << offered;
    }
    EXPECT_EQ(prompts.colorDialogs.back().initial, 0x0A0B0C); // starts at the last choice

    prompts.chosenColor = 0x445566;
    customize->ColorsCommand();
    EXPECT_EQ(s.recentColors[0], 0x445566);
    EXPECT_EQ(s.recentColors[1], 0x0A0B0C);
    prompts.chosenColor.reset(); // cancelled
    EXPECT_EQ(customize->ColorsCommand(), std::nullopt);
    EXPECT_EQ(s.recentColors[0], 0x445566);

    // Saved with the Settings.
    m.EndSession();
    EXPECT_EQ(store.readText("DialogColors", "colorF"), u"00FF80");
}

TEST(QtPromptsColorDialog, SlotsLeftEmptyStayEmpty)
{
    QtPrompts prompts;
    std::array<std::u16string, 16> custom;
    custom.fill(u"FFFFFFFF");
    custom[0] = u"0000FF";
    custom[1] = u"";
    // The user picks a colour and puts it into slot 3.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QColorDialog::setCustomColor(3, QColor(0x10, 0x20, 0x30));
        dialog->setCurrentColor(QColor(0x30, 0x20, 0x10));
        dialog->accept();
    });
    const std::optional<std::int32_t> chosen = prompts.chooseColor(0, custom);
    EXPECT_EQ(chosen, 0x102030); // 0x00BBGGRR
    EXPECT_EQ(custom[0], u"0000FF");
    EXPECT_EQ(custom[1], u"");
    EXPECT_EQ(custom[2], u"FFFFFFFF");
    EXPECT_EQ(ParseColorText(QString::fromStdU16String(custom[3])), 0x302010);
}

} // namespace
} // namespace vlm::test

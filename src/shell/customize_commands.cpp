#include "shell/customize_commands.h"

#include "platform/widgets/qt_prompts.h"
#include "render/pens.h"
#include "settings/settings.h"
#include "shell/main_window.h"
#include "texts/customize_texts.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace vlm {

namespace {

QString Text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

} // namespace

bool IsOfferedColor(const Settings& s, std::int32_t color)
{
    const bool builtIn = std::any_of(kBuiltInColors.begin(), kBuiltInColors.end(),
                                     [color](const NamedColor& c) { return c.color == color; });
    const bool custom =
        std::any_of(s.dialogColors.begin(), s.dialogColors.end(), [color](const std::u16string& t) {
            return ParseColorText(QString::fromStdU16String(t)) == color;
        });
    const bool recent =
        std::find(s.recentColors.begin(), s.recentColors.end(), color) != s.recentColors.end();
    return builtIn || custom || recent;
}

CustomizeCommands::CustomizeCommands(MainWindow& main) : QObject(&main), main_(main)
{
    QMenuBar* bar = main_.menuBar();
    menu_ = new QMenu(Text(texts::kMenuCustomize), bar);
    colors_ = menu_->addAction(Text(texts::kMenuColors));
    connect(colors_, &QAction::triggered, this, [this] { ColorsCommand(); });
    QMenu* window = main_.menus().window;
    bar->insertMenu(window ? window->menuAction() : nullptr, menu_);
}

std::optional<std::int32_t> CustomizeCommands::ColorsCommand()
{
    Settings& s = main_.settings();
    // The dialog starts at the colour chosen last.
    const std::int32_t initial = s.recentColors[0] >= 0 ? s.recentColors[0] : 0;
    const std::optional<std::int32_t> chosen = main_.prompts().chooseColor(initial, s.dialogColors);
    if (chosen && !IsOfferedColor(s, *chosen))
        AddRecentColor(s, *chosen);
    return chosen;
}

} // namespace vlm

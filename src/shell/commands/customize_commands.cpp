#include "shell/commands/customize_commands.h"

#include "platform/ui_text.h"
#include "platform/widgets/qt_prompts.h"
#include "render/pens.h"
#include "settings/settings.h"
#include "shell/dialogs/customize_list_dialogs.h"
#include "shell/dialogs/picture_dialog.h"
#include "shell/dialogs/popup_window.h"
#include "shell/dialogs/shadow_dialog.h"
#include "shell/panels/clip_look_controls.h"
#include "shell/panels/clip_panel.h"
#include "shell/panels/fine_tune_panel.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "texts/customize_texts.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace vlm {

namespace {


// The menu entries after "Colors" in menu order, with their pages.
struct PageEntry
{
    CommandId id;
    int page;
    const char16_t* caption;
};
constexpr PageEntry kPageEntries[6] = {
    {CommandId::CustomizeLineWeights, kLineWeightsPage, texts::kMenuLineWeights},
    {CommandId::CustomizeLinePatterns, kLinePatternsPage, texts::kMenuLinePatterns},
    {CommandId::CustomizeAlignments, kLineDirectionsPage, texts::kMenuAlignments},
    {CommandId::CustomizeFontSizes, kFontSizesPage, texts::kMenuFontSizes},
    {CommandId::CustomizeTextAngles, kTextAnglesPage, texts::kMenuTextAngles},
    {CommandId::CustomizeShadows, kShadowsPage, texts::kMenuShadows},
};

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

std::optional<std::int32_t> ChooseListColor(MainWindow& main, std::int32_t initial)
{
    Settings& s = main.settings();
    const std::optional<std::int32_t> chosen = main.prompts().chooseColor(initial, s.dialogColors);
    if (chosen && !IsOfferedColor(s, *chosen))
        AddRecentColor(s, *chosen);
    return chosen;
}

std::optional<CommandId> customizeCommandOf(int page)
{
    for (const PageEntry& e : kPageEntries)
        if (e.page == page)
            return e.id;
    return std::nullopt;
}

std::optional<std::int32_t> chooseRecentListColor(MainWindow& main)
{
    const Settings& s = main.settings();
    // The dialog starts at the colour chosen last.
    return ChooseListColor(main, s.recentColors[0] >= 0 ? s.recentColors[0] : 0);
}

CustomizeCommands::CustomizeCommands(MainWindow& main) : QObject(&main), main_(main)
{
    CommandRegistry& r = main_.commands();
    r.add({.id = CommandId::CustomizeColors, .caption = uiText(texts::kMenuColors), .run = [this] { ColorsCommand(); }});
    for (const PageEntry& e : kPageEntries) {
        const int page = e.page;
        r.add({.id = e.id, .caption = uiText(e.caption), .run = [this, page] { OpenPage(page); }});
    }
}

QMenu* CustomizeCommands::menu() const { return main_.menus().menu(CommandId::CustomizeMenu); }
QAction* CustomizeCommands::colorsEntry() const { return main_.commands().action(CommandId::CustomizeColors); }

QAction* CustomizeCommands::pageEntry(int page) const
{
    const std::optional<CommandId> id = customizeCommandOf(page);
    return id ? main_.commands().action(*id) : nullptr;
}

std::optional<std::int32_t> CustomizeCommands::ColorsCommand() { return chooseRecentListColor(main_); }

bool CustomizeCommands::OpenPage(int page)
{
    Settings& s = main_.settings();
    // A saved list is kept at once, so that no later mishap loses it.
    auto keep = [this] { SaveSettings(main_.settings(), main_.settingsStore()); };
    const bool narrow = page == kLineWeightsPage || page == kShadowsPage;
    PopupWindow& popup = narrow ? main_.narrowWindow() : main_.wideWindow();
    auto close = [&popup] { popup.reject(); };
    QWidget* frame = nullptr;
    const char16_t* title = nullptr;
    switch (page) {
    case kLineWeightsPage:
        frame = new WeightsDialog(s, keep, close);
        title = texts::kTitleLineWeights;
        break;
    case kLinePatternsPage:
        frame = new PatternsDialog(s, keep, close);
        title = texts::kTitleLinePatterns;
        break;
    case kLineDirectionsPage:
        frame = new DirectionsDialog(s, CustomList::Directions, keep, close);
        title = texts::kTitleLineAngles;
        break;
    case kTextAnglesPage:
        frame = new DirectionsDialog(s, CustomList::TextAngles, keep, close);
        title = texts::kTitleTextAngles;
        break;
    case kFontSizesPage:
        frame = new DirectionsDialog(s, CustomList::FontSizes, keep, close);
        title = texts::kTitleFontSizes;
        break;
    case kShadowsPage:
        frame = new ShadowDialog(
            s,
            [this, keep] {
                keep();
                // The light direction goes to the open documents.
                main_.timer(7).start();
            },
            close);
        title = texts::kTitleShadows;
        break;
    default:
        return false;
    }
    popup.showFrame(frame, uiText(title), [this] { RefillLists(); });
    return true;
}

void CustomizeCommands::RefillLists()
{
    QWidget* panel = main_.leftColumn().currentPanelWidget();
    if (auto* fineTune = dynamic_cast<FineTunePanel*>(panel))
        fineTune->Refill();
    if (auto* clips = dynamic_cast<ClipPanel*>(panel))
        clips->look()->refill();
    if (auto* picture = dynamic_cast<PictureDialog*>(main_.wideWindow().frame()))
        picture->box()->look()->refill();
}

} // namespace vlm

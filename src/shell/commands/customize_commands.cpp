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


// The menu entries in menu order, with their pages.
struct PageEntry
{
    int page;
    const char16_t* caption;
};
constexpr PageEntry kPageEntries[6] = {
    {kLineWeightsPage, texts::kMenuLineWeights},   {kLinePatternsPage, texts::kMenuLinePatterns},
    {kLineDirectionsPage, texts::kMenuAlignments}, {kFontSizesPage, texts::kMenuFontSizes},
    {kTextAnglesPage, texts::kMenuTextAngles},     {kShadowsPage, texts::kMenuShadows},
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

CustomizeCommands::CustomizeCommands(MainWindow& main) : QObject(&main), main_(main)
{
    QMenuBar* bar = main_.menuBar();
    menu_ = new QMenu(uiText(texts::kMenuCustomize), bar);
    colors_ = menu_->addAction(uiText(texts::kMenuColors));
    connect(colors_, &QAction::triggered, this, [this] { ColorsCommand(); });
    for (int i = 0; i < 6; ++i) {
        const int page = kPageEntries[i].page;
        entries_[i] = menu_->addAction(uiText(kPageEntries[i].caption));
        connect(entries_[i], &QAction::triggered, this, [this, page] { OpenPage(page); });
    }
    QMenu* window = main_.menus().window;
    bar->insertMenu(window ? window->menuAction() : nullptr, menu_);
}

QAction* CustomizeCommands::pageEntry(int page) const
{
    for (int i = 0; i < 6; ++i)
        if (kPageEntries[i].page == page)
            return entries_[i];
    return nullptr;
}

std::optional<std::int32_t> CustomizeCommands::ColorsCommand()
{
    const Settings& s = main_.settings();
    // The dialog starts at the colour chosen last.
    return ChooseListColor(main_, s.recentColors[0] >= 0 ? s.recentColors[0] : 0);
}

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

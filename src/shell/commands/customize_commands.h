#pragma once

// The "Customize" menu of the main window. Its
// "Colors" entry opens the system colour dialog with the 16 custom colours
// the Settings keep ("DialogColors"); a chosen colour the colour lists do not
// offer yet becomes the first of the recent colours. The other entries open
// the dialogs of the user's list entries in the popup windows, as
// "Customize..." of those lists does; when such a dialog closes, the lists
// of the open panels are filled again so that saved entries appear at once.

#include "shell/commands/command_registry.h"

#include <QObject>

#include <cstdint>
#include <optional>

class QAction;
class QMenu;

namespace vlm {

class MainWindow;
struct Settings;

// True when the colour lists offer `color` already: one of the built-in
// colours, a defined custom colour of the colour dialog or a recent colour.
bool IsOfferedColor(const Settings& s, std::int32_t color);

// The system colour dialog, starting at `initial`, with the custom colours
// of the Settings; a chosen colour the lists do not offer yet becomes the
// first recent colour. None when the dialog was cancelled.
std::optional<std::int32_t> ChooseListColor(MainWindow& main, std::int32_t initial);

// The pages of the customization dialogs.
enum CustomizePage : int {
    kLineWeightsPage = 9,
    kLinePatternsPage = 10,
    kLineDirectionsPage = 11,
    kTextAnglesPage = 40,
    kFontSizesPage = 41,
    kShadowsPage = 63,
};

// The command that opens `page`'s dialog ("Customize..." of a list runs it),
// none for another page.
std::optional<CommandId> customizeCommandOf(int page);

// "Colors" and "Customize..." of a colour list: the colour dialog starting
// at the colour chosen last, and the colour chosen there.
std::optional<std::int32_t> chooseRecentListColor(MainWindow& main);

class CustomizeCommands : public QObject
{
public:
    // Registers the menu's commands; the main window owns the result.
    explicit CustomizeCommands(MainWindow& main);

    // "Colors": the chosen colour, none when the dialog was cancelled.
    std::optional<std::int32_t> ColorsCommand();

    // Shows the dialog of `page` in its popup window; false for a page that
    // is not one of the customization pages.
    bool OpenPage(int page);
    // The lists of the open panels and of the picture dialog, filled again.
    void RefillLists();

    QMenu* menu() const;
    QAction* colorsEntry() const;
    // The entry of a page's dialog.
    QAction* pageEntry(int page) const;

private:
    MainWindow& main_;
};

} // namespace vlm

#pragma once

// The "Customize" menu of the main window, placed before "Window". Its
// "Colors" entry opens the system colour dialog with the 16 custom colours
// the Settings keep ("DialogColors"); a chosen colour the colour lists do not
// offer yet becomes the first of the recent colours. The customization lists
// add their entries to menu().

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

class CustomizeCommands : public QObject
{
public:
    // Builds the menu into `main`'s menu bar; the main window owns the result.
    explicit CustomizeCommands(MainWindow& main);

    // "Colors": the chosen colour, none when the dialog was cancelled.
    std::optional<std::int32_t> ColorsCommand();

    QMenu* menu() const { return menu_; }
    QAction* colorsEntry() const { return colors_; }

private:
    MainWindow& main_;
    QMenu* menu_ = nullptr;
    QAction* colors_ = nullptr;
};

} // namespace vlm

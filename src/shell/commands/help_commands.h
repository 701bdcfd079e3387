#pragma once

// The Help menu: "Hints" with "Show All" and "Show None", which turn every
// hint page on or off, and "About", the program's title, release and purpose
// in the wide popup window.

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace vlm {

class MainWindow;

class HelpCommands : public QObject
{
public:
    // Registers the Help menu's commands.
    explicit HelpCommands(MainWindow& main);

    void ShowAllCommand();
    void ShowNoneCommand();
    void AboutCommand();

    // The about box's frame for the popup window.
    static QWidget* MakeAboutFrame();
    // The release the program was built as.
    static QString Version();

    QMenu* helpMenu() const;
    QMenu* hintsMenu() const;
    QAction* showAllAction() const;
    QAction* showNoneAction() const;
    QAction* aboutAction() const;

private:
    MainWindow& main_;
};

} // namespace vlm

#pragma once

// The Help menu: "Hints" with "Show All" and "Show None", which turn every
// hint page on or off, and "About", the program's title, release and purpose
// in the wide popup window. The menu goes to the end of the menu bar.

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace vlm {

class MainWindow;

class HelpCommands : public QObject
{
public:
    // Registers the commands in the registry the edit commands made (made
    // first) and lays the menu out by id at the end of the menu bar.
    explicit HelpCommands(MainWindow& main);

    void ShowAllCommand();
    void ShowNoneCommand();
    void AboutCommand();
    // The checks follow the flags each time the menu opens.
    void updateChecks();

    // The about box's frame for the popup window.
    static QWidget* MakeAboutFrame();
    // The release the program was built as.
    static QString Version();

    QMenu* helpMenu() const { return help_; }
    QMenu* hintsMenu() const { return hints_; }
    QAction* showAllAction() const { return showAll_; }
    QAction* showNoneAction() const { return showNone_; }
    QAction* aboutAction() const { return about_; }

private:
    MainWindow& main_;
    QMenu* help_ = nullptr;
    QMenu* hints_ = nullptr;
    QAction* showAll_ = nullptr;
    QAction* showNone_ = nullptr;
    QAction* about_ = nullptr;
};

} // namespace vlm

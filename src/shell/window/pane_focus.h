#pragma once

// F6 and Shift+F6 move the keyboard between the front document's canvas and
// the left column, as desktop programs move between their panes. Tab cannot
// do it: on the canvas Tab is the program's own key (a turning point, a
// character of a text), so a keyboard user reaches the panel's rows, lists
// and buttons with F6 and then moves among them with Tab.

#include <QObject>

class QAction;
class QWidget;

namespace vlm {

class MainWindow;

class PaneFocus : public QObject {
public:
    explicit PaneFocus(MainWindow& main);

    // From the canvas (or anywhere outside the column) to the first control
    // of the column that takes the keyboard; from the column back to the
    // canvas of the front document. Without a document the column keeps it.
    void nextPane();

    QAction* action() const { return action_; }

private:
    QWidget* firstControlOfColumn() const;

    MainWindow& main_;
    QAction* action_ = nullptr;
};

} // namespace vlm

#pragma once

// The conventions people bring from every other desktop program, kept
// beside the program's own: the shortcut aliases (Ctrl+Shift+Z and Ctrl+Y
// redo; Ctrl+X, Ctrl+C and Ctrl+V shown in the Edit menu beside Ctrl+Del,
// Ctrl+Ins and Shift+Ins), the Zoom menu's "Zoom In" (Ctrl+plus), "Zoom Out"
// (Ctrl+minus), Ctrl+0 for 100 % and "Fit page" (also beside the zoom
// controls), and Ctrl+wheel zooming about the point under the pointer.

#include <QObject>
#include <QPoint>

class QAction;
class QToolButton;

namespace vlm {

class ClipboardCommands;
class DocumentWindow;
class EditCommands;
class MainWindow;

class DesktopConventions : public QObject
{
public:
    // The main window owns the result.
    DesktopConventions(MainWindow& main, EditCommands& edit, ClipboardCommands& clipboard);

    // The largest zoom step at which the active window shows its whole page.
    void fitPageCommand();
    // One zoom step in (notches > 0) or out per notch, the document point
    // under `viewportPoint` kept where it is.
    void wheelZoom(DocumentWindow& window, int notches, QPoint viewportPoint);

    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* fitPageAction() const { return fitPage_; }
    QToolButton* fitPageButton() const { return fitButton_; }

private:
    MainWindow& main_;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* fitPage_ = nullptr;
    QToolButton* fitButton_ = nullptr;
};

// "Cut\tCtrl+Del, Ctrl+X": the caption and every shortcut of an action, as a
// menu shows them.
void showEveryShortcut(QAction& action);

} // namespace vlm

#pragma once

// The canvas's context menu: a right-click (or the menu key) over a
// document offers the commands that apply there — Cut, Copy, Paste, Erase,
// Bring to Front, Send to Back, Fine-tune, Join Items, Split Group — each
// running the same command as its menu item or toolbar button. With the
// pointer tool, an Item under the pointer that is not selected is selected
// first, as a left click would.

#include <QObject>
#include <QPoint>

#include <memory>

class QMenu;

namespace vlm {

class ClipboardCommands;
class DocumentWindow;
class EditCommands;
class MainWindow;

class CanvasContextMenu : public QObject
{
public:
    // The main window owns the result.
    CanvasContextMenu(MainWindow& main, EditCommands& edit, ClipboardCommands& clipboard);
    ~CanvasContextMenu() override;

    // Selects what is under the point when that applies, then builds the
    // menu for the window's selection; `popup` shows it at `global`.
    QMenu* prepare(DocumentWindow& window, QPoint canvasPoint);
    void open(DocumentWindow& window, QPoint canvasPoint, QPoint global);

    // The menu last prepared (it lives until the next one).
    QMenu* menu() const { return menu_.get(); }

private:
    MainWindow& main_;
    EditCommands& edit_;
    ClipboardCommands& clipboard_;
    std::unique_ptr<QMenu> menu_;
};

} // namespace vlm

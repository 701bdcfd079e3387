#pragma once

// The grid commands of the main window: the Tools menu ("Grid", "Anchors",
// "Snap", "Speed"), "File" -> "Grid and Snap", the toolbar's "Gridlines" and
// "Snap" toggles, the Grid and Snap and the Speed options in the popup
// windows, and for every document window its GridStrips (Anchor strips,
// ruler ends) and the snap rule of its Sandbox.

#include "edit/grid_edit.h"
#include "edit/grid_strips.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QToolButton;

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;
class Sandbox;

class GridCommands : public QObject
{
public:
    // Registers the menus' and toggles' commands (after the editing
    // commands); the main window owns the result.
    GridCommands(MainWindow& main, EditCommands& edit);
    ~GridCommands() override;

    GridStrips* stripsOf(DocumentWindow* window);
    GridStrips* activeStrips();

    // The menu entries (choice 0 None .. 3 Both) on the active document.
    void SetGridCommand(int choice);
    void SetAnchorsCommand(int choice);
    void SetSnapCommand(int choice);
    // "Reset": asks, then equal distances unless the answer is No.
    void ResetCommand(ViewDirection directions);
    // "Grid and Snap" for the current file (the active document) or for new
    // files; "Customize..." opens the former.
    void OpenGridOptions(bool currentFile);
    void CustomizeCommand();
    void OpenSpeed();
    // The toolbar toggles.
    void GridToggled(bool on);
    void SnapToggled(bool on);

    // The Delete key's first try on the active document: true when a
    // highlighted Anchor was deleted.
    bool DeleteHighlightedAnchor();

    // The entries' checks and states follow the active document (or the
    // grid defaults without one): the choice shown for a feature.
    int shownChoice(GridFeature feature) const;

    QMenu* toolsMenu() const;
    QMenu* gridMenu() const;
    QMenu* resetMenu() const;
    QMenu* anchorsMenu() const;
    QMenu* snapMenu() const;
    QAction* gridEntry(int choice) const;
    QAction* anchorsEntry(int choice) const;
    QAction* snapEntry(int choice) const;
    QAction* resetEntry(int n) const; // 0 H, 1 V, 2 Both
    QAction* customizeEntry() const;
    QAction* speedEntry() const;
    QToolButton* gridButton() const;
    QToolButton* snapButton() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct WindowGrid
    {
        Sandbox* sandbox = nullptr;
        std::unique_ptr<GridStrips> strips;
    };

    void registerCommands();
    // The commands' states after a change of the grid.
    void refresh();
    void connectHooks();
    void documentOpened(DocumentWindow& window);
    void documentClosing(DocumentWindow& window);
    void requestHint(int page);
    void pointerMoved(QObject* watched, QEvent* event);

    MainWindow& main_;
    EditCommands& edit_;
    QPointer<EditCommands> editAlive_;
    std::map<DocumentWindow*, WindowGrid> windows_;
    DocumentWindow* active_ = nullptr;
};

} // namespace vlm

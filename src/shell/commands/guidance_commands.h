#pragma once

// The guidance box under the left column's panel at work: the next-step
// options each panel offers (SetOptions, RefreshOptions, RunOption), their
// hover marks with Timer3 and the toolbar button they raise, SelectLast, and
// the panel history behind the Back and forward buttons, which ShowPanel
// feeds through the main window's hooks.
//
// For the hint pages, which act like the option rows they stand beside:
//   showOptionHover(row)   row 1..4 shows that row's hover mark alone and
//                          starts Timer3; 0 hides every mark. Row 1 raises
//                          the toolbar's pointer button, other rows lower it.
//   raiseToolbarButton(n)  shows toolbar button n raised (0 lowers it);
//                          Timer3 lowers it again.
//   selectLast()           SelectLast on the active window's Document, then
//                          its Markers placed again by the marker timer.
//   runOptionCode(code)    what choosing option `code` (1..53) does, whether
//                          or not a row shows it.
// A hint page is shown with MainWindow::ShowPanel(page); that leaves the tool
// at work alone. A page the user chose to work in (a moving page) is shown
// with ShowPanel(page, ShowPanelFlags().entering(true)) so that the pointer tool is taken.

#include "guidance/next_steps.h"
#include "guidance/panel_history.h"

#include <QObject>

#include <memory>

namespace vlm {

class DocumentWindow;
class EditCommands;
class MainWindow;
class OptionRow;

class GuidanceCommands : public QObject, private HistoryWindows
{
public:
    // Connects to the main window's hooks and the left column's rows and
    // buttons; the main window owns the result.
    GuidanceCommands(MainWindow& main, EditCommands& edit);
    ~GuidanceCommands() override;

    // ---- Options ----
    void SetOptions(int panelCode);
    void RefreshOptions();
    // Row 1..4.
    void RunOption(int row);
    void runOptionCode(int code);
    const OptionSet& options() const { return options_; }

    // ---- Hover ----
    void showOptionHover(int row);
    void raiseToolbarButton(int number);
    // Timer3 and any pointer move elsewhere: every mark hidden, the raised
    // button lowered.
    void hideHover();

    // ---- Selection ----
    void selectLast();

    // ---- History ----
    void BackCommand();
    void ForwardCommand();
    // Back and forward with their active or grey pictures, as the history
    // allows (at every refresh of the commands' states).
    void UpdateNavigation();
    PanelHistory& history() { return history_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // HistoryWindows
    std::int32_t activeWindowId() const override;
    Document* documentOf(std::int32_t windowId) const override;
    void selectionRestored(std::int32_t windowId) override;

    OptionContext context() const;
    void restartMarkers(DocumentWindow& window);
    bool onOptionRow(QObject* watched) const;

    MainWindow& main_;
    EditCommands& edit_;
    PanelHistory history_;
    OptionSet options_;
    int raised_ = 0;
    bool going_ = false; // the main window is being destroyed
};

} // namespace vlm

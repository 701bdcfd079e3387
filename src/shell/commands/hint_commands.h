#pragma once

// The hint pages in the main window: every request for a hint page comes
// here (EditCommands::showHintPage), and the page decides by its show flag
// whether it is shown. The page's acting paragraphs and its "don't show
// again" box carry out their steps through the main window's panels.
//
// The option rows of the guidance box and the selection of the last drawn
// Item belong to the next-step options; they are reached through the hooks
// below, which the program connects when it puts the commands together.

#include "guidance/hint_pages.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace vlm {

class EditCommands;
class MainWindow;
class HintPanel;

class HintCommands : public QObject
{
public:
    // Fills `edit.showHintPage` and adds the page panel to `main`'s panels.
    HintCommands(MainWindow& main, EditCommands& edit);

    // A hint page asked for by an edit or a command: shown when its flag is
    // set, 100 ms later, or at once while the points of a figure are placed.
    // It is shown over the tool in use, which stays. With the flag clear the
    // page after a deletion or a new picture gives way to the insert menu,
    // the page of a continued spline or curve to the continuation panel; the
    // others leave the panel as it is.
    void ShowHintPage(int page);
    // The end of the 100 ms: the page asked for last is shown.
    void PageTimer();
    int requestedPage() const { return requestedPage_; }
    // The end of the 100 ms after the "don't show again" box or a paragraph:
    // the steps they lead to (the placing tool's panel, the clip outlining)
    // are taken.
    void stepTimer();
    bool stepPending() const { return stepTimer_.isActive(); }

    // The pointer on paragraph 0..3 of the page shown, or -1 for the page
    // outside its paragraphs.
    void PointerOverParagraph(int paragraph);
    void ParagraphClicked(int paragraph);
    // The "don't show again" box of the page shown.
    void CheckChanged(bool checked);

    // The panel, once the first page was shown.
    HintPanel* panel() const { return panel_; }

    // Shows a page, or a tool panel over a figure whose points are being
    // placed, without entering the tool again (which would drop the points)
    // and without a change when it shows already (the main window's
    // ShowPanel unless it is set otherwise).
    std::function<void(int panelCode)> showPanelKeepingTool;
    // Hands the clip outlining to the picture frame; false when the frame
    // is not open.
    std::function<bool()> clipOutlining;

private:
    QWidget* makePanel(int code);
    void panelShown(int code);
    bool somethingSelected() const;
    // Raises toolbar button `number` as the pointer would; 0 lowers it.
    // Runs `step` after the same 100 ms as Timer1.
    void later(std::function<void()> step);

    MainWindow& main_;
    EditCommands& edit_;
    HintPanel* panel_ = nullptr;
    QTimer pageTimer_;
    int requestedPage_ = 0;
    QTimer stepTimer_;
    std::vector<std::function<void()>> steps_;
};

} // namespace vlm

#include "shell/commands/hint_commands.h"

#include "shell/commands/edit_commands.h"
#include "shell/panels/hint_panel.h"
#include "shell/window/hook_chain.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"

#include <QTimer>
#include <QToolButton>

#include <utility>

namespace vlm {

namespace {

constexpr int kDelayMs = 100; // as Timer1

// The pages shown over a figure whose points are being placed: they come
// with every new point, so at once and only when not shown already.
bool IsPlacingPage(int page)
{
    return page == 1061 || page == 1064 || page == 1070 || page == 1073 || page == 1074 || page == 1075;
}

} // namespace

HintCommands::HintCommands(MainWindow& main, EditCommands& edit) : QObject(&main), main_(main), edit_(edit)
{
    edit_.showHintPage = [this](int page) { ShowHintPage(page); };
    showPanelKeepingTool = [this](int code) {
        main_.ShowPanel(code, ShowPanelFlags().skipping().entering(false));
    };
    pageTimer_.setSingleShot(true);
    pageTimer_.setInterval(kDelayMs);
    connect(&pageTimer_, &QTimer::timeout, this, [this] { PageTimer(); });
    stepTimer_.setSingleShot(true);
    stepTimer_.setInterval(kDelayMs);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { stepTimer(); });
    ShellHooks& hooks = main_.hooks();
    AskFirst(hooks.makePanel, [this](int code) { return makePanel(code); });
    RunAfter(hooks.panelShown, [this](int code) { panelShown(code); });
    RunAfter(hooks.resetHover, [this] { edit_.raiseButton(0); });
}

void HintCommands::ShowHintPage(int page)
{
    if (!IsHintPageCode(page))
        return;
    if (!HintPageOn(main_.settings(), page)) {
        const int instead = PanelWhenOff(page);
        if (instead == MainWindow::kDefaultPanel)
            main_.RunDeferred(instead);
        else if (instead != 0 && showPanelKeepingTool)
            showPanelKeepingTool(instead); // the continuation goes on under it
        return;
    }
    if (IsPlacingPage(page)) {
        if (showPanelKeepingTool)
            showPanelKeepingTool(page);
        return;
    }
    requestedPage_ = page;
    pageTimer_.start();
}

void HintCommands::PageTimer()
{
    pageTimer_.stop();
    const int page = std::exchange(requestedPage_, 0);
    if (page == 0)
        return;
    if (main_.currentPanel() == page)
        panelShown(page); // the same step again: every paragraph comes back
    else if (showPanelKeepingTool)
        showPanelKeepingTool(page);
}

QWidget* HintCommands::makePanel(int code)
{
    if (!IsHintPageCode(code))
        return nullptr;
    if (!panel_) {
        panel_ = new HintPanel;
        panel_->pointerOver = [this](int paragraph) { PointerOverParagraph(paragraph); };
        panel_->clicked = [this](int paragraph) { ParagraphClicked(paragraph); };
        panel_->checkChanged = [this](bool checked) { CheckChanged(checked); };
    }
    return panel_;
}

void HintCommands::panelShown(int code)
{
    if (!panel_ || !IsHintPageCode(code) || main_.leftColumn().currentPanelWidget() != panel_)
        return;
    PointerOverParagraph(-1);
    // The placing pages read the spline and curve settings of this moment.
    panel_->setPage(HintPageFor(code, main_.settings()), !HintPageOn(main_.settings(), code));
}

void HintCommands::PointerOverParagraph(int paragraph)
{
    if (!panel_)
        return;
    const HintPage& page = panel_->page();
    const bool acting =
        paragraph >= 0 && paragraph < 4 && page.paragraphs[static_cast<std::size_t>(paragraph)].acts();
    if (!acting) {
        panel_->setHovered(-1);
        if (main_.hooks().showOptionHover)
            main_.hooks().showOptionHover(0);
        edit_.raiseButton(0);
        return;
    }
    panel_->setHovered(paragraph);
    const HintStep& step = page.paragraphs[static_cast<std::size_t>(paragraph)].step;
    if (step.raisesButton != 0) {
        if (main_.hooks().showOptionHover)
            main_.hooks().showOptionHover(0);
        edit_.raiseButton(step.raisesButton);
    } else {
        edit_.raiseButton(0);
        if (main_.hooks().showOptionHover)
            main_.hooks().showOptionHover(paragraph + 1);
    }
    main_.timer(3).start();
}

void HintCommands::ParagraphClicked(int paragraph)
{
    if (!panel_ || paragraph < 0 || paragraph > 3)
        return;
    const HintParagraph& p = panel_->page().paragraphs[static_cast<std::size_t>(paragraph)];
    if (!p.acts())
        return;
    const HintStep step = p.step;
    using Kind = HintStep::Kind;
    switch (step.kind) {
    case Kind::None:
    case Kind::RaiseOnly:
        return;
    case Kind::ClipOutlining:
        // The page stays as it is: the user goes on outlining.
        later(clipOutlining);
        return;
    case Kind::Undo:
        panel_->hideParagraph(paragraph);
        PointerOverParagraph(-1);
        edit_.UndoCommand(false);
        main_.RunDeferred(step.code);
        return;
    case Kind::Panel:
    case Kind::FineTune:
    case Kind::Move:
        break;
    }
    panel_->hideParagraph(paragraph);
    PointerOverParagraph(-1);
    if (step.selectLast && main_.hooks().selectLast)
        main_.hooks().selectLast();
    main_.RunDeferred(PanelOfStep(step, main_.settings(), somethingSelected()));
}

void HintCommands::CheckChanged(bool checked)
{
    if (!panel_)
        return;
    const int code = panel_->page().code;
    const int flag = HintFlagOf(code);
    if (flag == 0)
        return;
    main_.settings().hints[static_cast<std::size_t>(flag - 1)] = checked ? 0 : 1;
    if (!checked)
        return;
    const HintFollowUp next = FollowUpOf(code);
    using Kind = HintFollowUp::Kind;
    switch (next.kind) {
    case Kind::None:
        return;
    case Kind::Panel:
        main_.RunDeferred(next.code);
        return;
    case Kind::FineTune:
        // With nothing selected the insert menu also takes the window out of
        // the creation mode it may still be in.
        main_.RunDeferred(somethingSelected() ? next.code : MainWindow::kDefaultPanel);
        return;
    case Kind::Placing:
        later([this, code = next.code] {
            if (showPanelKeepingTool)
                showPanelKeepingTool(code);
        });
        return;
    case Kind::ClipOutlining:
        later(clipOutlining);
        return;
    }
}

void HintCommands::later(std::function<void()> step)
{
    steps_.push_back(std::move(step));
    if (!stepTimer_.isActive())
        stepTimer_.start();
}

void HintCommands::stepTimer()
{
    stepTimer_.stop();
    for (const std::function<void()>& step : std::exchange(steps_, {}))
        if (step)
            step();
}

bool HintCommands::somethingSelected() const
{
    const DocumentWindow* w = main_.activeWindow();
    return w && FirstSelected(w->document().items);
}

} // namespace vlm

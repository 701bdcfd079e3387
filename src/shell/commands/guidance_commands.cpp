#include "shell/commands/guidance_commands.h"

#include "model/item_list.h"
#include "shell/commands/button_hover.h"
#include "shell/commands/edit_commands.h"
#include "shell/panels/option_row.h"
#include "shell/window/hook_chain.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace vlm {

namespace {

constexpr int kPointerButton = 9;

} // namespace

GuidanceCommands::GuidanceCommands(MainWindow& main, EditCommands& edit)
    : QObject(&main), main_(main), edit_(edit), history_(main.settings(), *this)
{
    ShellHooks& hooks = main_.hooks();
    RunAfter(hooks.historyEntry, [this](int code) { history_.PushHistory(code); });
    RunAfter(hooks.panelGuidance, [this](int code) {
        SetOptions(code);
        main_.commands().refresh();
    });
    // Back and forward follow the history at the one refresh point.
    RunAfter(main_.commands().refreshed, [this] { UpdateNavigation(); });
    RunAfter(hooks.resetHover, [this] { hideHover(); });
    // A hint page's paragraphs stand beside the option rows offering the same steps.
    RunAfter(hooks.showOptionHover, [this](int row) { showOptionHover(row); });
    RunAfter(hooks.selectLast, [this] { selectLast(); });
    RunAfter(hooks.mainWindowGoing, [this] {
        going_ = true;
        qApp->removeEventFilter(this);
    });

    LeftColumn& column = main_.leftColumn();
    const auto& rows = column.optionRows();
    for (int k = 0; k < LeftColumn::kOptionRows; ++k) {
        OptionRow* row = rows[static_cast<std::size_t>(k)];
        row->entered = [this, k] { showOptionHover(k + 1); };
        row->clicked = [this, k] { RunOption(k + 1); };
    }
    QObject::connect(column.backButton(), &QToolButton::clicked, this, [this] { BackCommand(); });
    QObject::connect(column.forwardButton(), &QToolButton::clicked, this, [this] { ForwardCommand(); });
    column.backButton()->installEventFilter(this);
    // Pointer moves anywhere else in the main window end the hover marks.
    qApp->installEventFilter(this);
    SetOptions(main_.currentPanel());
    main_.commands().refresh();
}

GuidanceCommands::~GuidanceCommands()
{
    qApp->removeEventFilter(this);
}

// ---- Options ----

OptionContext GuidanceCommands::context() const
{
    OptionContext c;
    if (DocumentWindow* w = main_.activeWindow()) {
        const Item* first = FirstSelected(w->document().items);
        c.anySelectedLive = first != nullptr;
        c.firstSelectedIsText = first && first->rec.d.kind == KindText;
    }
    return c;
}

void GuidanceCommands::SetOptions(int panelCode)
{
    options_ = OptionsForPanel(panelCode, context());
    RefreshOptions();
}

void GuidanceCommands::RefreshOptions()
{
    LeftColumn& column = main_.leftColumn();
    const auto& rows = column.optionRows();
    for (OptionRow* row : rows) {
        row->setHoverMark(false);
        row->hide();
    }
    const std::vector<int> offered = OfferedOptions(options_);
    for (std::size_t k = 0; k < offered.size(); ++k) {
        rows[k]->setOption(offered[k]);
        rows[k]->show();
    }
    column.setHeadingVisible(options_.any());
    column.placeOptionRows();
}

void GuidanceCommands::RunOption(int row)
{
    if (row < 1 || row > LeftColumn::kOptionRows)
        return;
    main_.leftColumn().optionRows()[static_cast<std::size_t>(row - 1)]->hide();
    main_.leftColumn().placeOptionRows();
    runOptionCode(OptionInRow(options_, row));
}

void GuidanceCommands::runOptionCode(int code)
{
    if (code < 1 || code > kNextStepCount)
        return;
    if (SelectsLastFirst(code))
        selectLast();
    const bool selected = context().anySelectedLive;
    const NextStepAction action = NextStepActionOf(code, selected, main_.settings().hints);
    switch (action.kind) {
    case NextStepAction::Kind::ShowPanel:
        if (action.entersTool)
            main_.ShowPanel(action.panel, ShowPanelFlags().entering(true));
        else
            main_.ShowPanel(action.panel);
        return;
    case NextStepAction::Kind::Deferred:
        main_.RunDeferred(action.panel);
        return;
    case NextStepAction::Kind::JoinItems:
        edit_.commands().run(CommandId::JoinItems);
        main_.ShowPanel(action.panel, ShowPanelFlags().unrecorded());
        return;
    case NextStepAction::Kind::SplitGroup:
        edit_.commands().run(CommandId::SplitGroup);
        main_.ShowPanel(action.panel, ShowPanelFlags().unrecorded());
        return;
    }
}

// ---- Hover ----

void GuidanceCommands::showOptionHover(int row)
{
    const auto& rows = main_.leftColumn().optionRows();
    for (int k = 0; k < LeftColumn::kOptionRows; ++k)
        rows[static_cast<std::size_t>(k)]->setHoverMark(k + 1 == row &&
                                                        !rows[static_cast<std::size_t>(k)]->isHidden());
    if (row < 1 || row > LeftColumn::kOptionRows) {
        raiseToolbarButton(0);
        return;
    }
    // Row 1 always offers "Insert new item", which the pointer button does too.
    raiseToolbarButton(row == 1 ? kPointerButton : 0);
    main_.timer(3).start();
}

void GuidanceCommands::raiseToolbarButton(int number)
{
    edit_.raiseButton(number);
    raised_ = edit_.hover().raisedButton() ? number : 0;
}

void GuidanceCommands::hideHover()
{
    for (OptionRow* row : main_.leftColumn().optionRows())
        row->setHoverMark(false);
    raiseToolbarButton(0);
}

bool GuidanceCommands::onOptionRow(QObject* watched) const
{
    for (OptionRow* row : main_.leftColumn().optionRows())
        for (QObject* o = watched; o; o = o->parent())
            if (o == row)
                return true;
    return false;
}

bool GuidanceCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (going_)
        return false;
    LeftColumn& column = main_.leftColumn();
    if (watched == column.backButton()) {
        if (event->type() == QEvent::Enter && column.backButton()->isEnabled()) {
            column.emphasizeBackLabel();
            main_.timer(3).start();
        } else if (event->type() == QEvent::Leave) {
            column.resetBackLabelStyle();
        }
    }
    if ((event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) && watched->isWidgetType() &&
        !onOptionRow(watched)) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() == &main_ &&
            (raised_ != 0 || std::any_of(column.optionRows().begin(), column.optionRows().end(),
                                         [](OptionRow* r) { return r->hoverMark(); })))
            hideHover();
    }
    return false;
}

// ---- Selection ----

void GuidanceCommands::selectLast()
{
    DocumentWindow* w = main_.activeWindow();
    if (!w)
        return;
    SelectLast(w->document().items);
    restartMarkers(*w);
    edit_.refreshCommands();
}

void GuidanceCommands::restartMarkers(DocumentWindow& window)
{
    DocumentView& view = window.view().view();
    view.RemoveMarkers();
    view.RestartMarkerTimer();
}

// ---- History ----

std::int32_t GuidanceCommands::activeWindowId() const
{
    DocumentWindow* w = main_.activeWindow();
    return w ? w->windowId() : -1;
}

Document* GuidanceCommands::documentOf(std::int32_t windowId) const
{
    DocumentWindow* w = main_.windowWithId(windowId);
    return w ? &w->document() : nullptr;
}

void GuidanceCommands::selectionRestored(std::int32_t windowId)
{
    main_.ActivateWindow(windowId);
    if (DocumentWindow* w = main_.windowWithId(windowId))
        restartMarkers(*w);
    edit_.refreshCommands();
}

void GuidanceCommands::BackCommand()
{
    const int code = history_.Back();
    main_.commands().refresh();
    main_.ShowPanel(code, ShowPanelFlags().unrecorded());
}

void GuidanceCommands::ForwardCommand()
{
    const std::optional<int> code = history_.Forward();
    main_.commands().refresh();
    if (code)
        main_.ShowPanel(*code, ShowPanelFlags().unrecorded());
}

void GuidanceCommands::UpdateNavigation()
{
    LeftColumn& column = main_.leftColumn();
    const bool back = history_.CanGoBack();
    column.backButton()->setEnabled(back);
    column.setBackLabelShown(back);
    if (!back)
        column.resetBackLabelStyle();
    column.forwardButton()->setEnabled(history_.CanGoForward());
}

} // namespace vlm

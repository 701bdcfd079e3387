#include "shell/window/pane_focus.h"

#include "shell/window/document_window.h"
#include "shell/window/left_column.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>

namespace vlm {

PaneFocus::PaneFocus(MainWindow& main) : QObject(&main), main_(main)
{
    action_ = new QAction(QStringLiteral("Next pane"), &main);
    action_->setObjectName(QStringLiteral("nextPane"));
    action_->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    action_->setShortcutContext(Qt::WindowShortcut);
    main.addAction(action_);
    connect(action_, &QAction::triggered, this, [this] { nextPane(); });
}

QWidget* PaneFocus::firstControlOfColumn() const
{
    QWidget* column = &main_.leftColumn();
    // The focus chain is a ring through every widget of the window; one turn
    // at most.
    for (QWidget* w = column->nextInFocusChain(); w && w != column; w = w->nextInFocusChain()) {
        if (!column->isAncestorOf(w))
            continue;
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

void PaneFocus::nextPane()
{
    QWidget* focused = QApplication::focusWidget();
    const bool inColumn = focused && main_.leftColumn().isAncestorOf(focused);
    DocumentWindow* front = main_.activeWindow();
    if (inColumn && front) {
        front->view().setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (QWidget* control = firstControlOfColumn())
        control->setFocus(Qt::ShortcutFocusReason);
}

} // namespace vlm

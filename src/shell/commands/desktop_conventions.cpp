#include "shell/commands/desktop_conventions.h"

#include "platform/ui_text.h"
#include "render/fit_page.h"
#include "render/units.h"
#include "shell/commands/button_pictures.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/edit_commands.h"
#include "shell/commands/main_menus.h"
#include "shell/window/document_window.h"
#include "shell/window/hook_chain.h"
#include "shell/window/main_window.h"
#include "shell/window/view_widget.h"
#include "shell/window/zoom_controls.h"
#include "texts/desktop_texts.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace vlm {

void showEveryShortcut(QAction& action)
{
    QStringList keys;
    for (const QKeySequence& k : action.shortcuts())
        keys << k.toString(QKeySequence::NativeText);
    const QString caption = action.text().section(QLatin1Char('\t'), 0, 0);
    action.setText(keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keys.join(QStringLiteral(", ")));
}

DesktopConventions::DesktopConventions(MainWindow& main, EditCommands& edit, ClipboardCommands& clipboard)
    : QObject(&main), main_(main)
{
    // Redo keeps Ctrl+Alt+Z first; the others are aliases.
    if (QAction* redo = edit.redoAction()) {
        redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                            QKeySequence(Qt::CTRL | Qt::Key_Y)});
        showEveryShortcut(*redo);
    }
    for (QAction* a : {clipboard.cutAction(), clipboard.copyAction(), clipboard.pasteAction()})
        if (a)
            showEveryShortcut(*a);

    MainMenus& menus = main_.menus();
    // Ctrl+0 is 100 %, on the entry itself.
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
        if (kZoomSteps[i] == 1.0)
            menus.zoomEntries[i]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    menus.zoom->addSeparator();
    zoomIn_ = menus.zoom->addAction(uiText(texts::kMenuZoomIn));
    // Ctrl+plus is typed as Ctrl+= on most keyboards.
    zoomIn_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOut_ = menus.zoom->addAction(uiText(texts::kMenuZoomOut));
    zoomOut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    fitPage_ = menus.zoom->addAction(uiText(texts::kMenuFitPage));
    connect(zoomIn_, &QAction::triggered, this, [this] { main_.ZoomInCommand(); });
    connect(zoomOut_, &QAction::triggered, this, [this] { main_.ZoomOutCommand(); });
    connect(fitPage_, &QAction::triggered, this, [this] { fitPageCommand(); });

    // "Fit page" beside "Zoom in" at the right end of the zoom controls.
    ZoomControls& controls = main_.zoomControls();
    if (auto* grid = qobject_cast<QGridLayout*>(controls.layout())) {
        fitButton_ = new QToolButton(&controls);
        fitButton_->setText(uiText(texts::kMenuFitPage));
        fitButton_->setToolTip(uiText(texts::kHintFitPage));
        fitButton_->setAccessibleName(uiText(texts::kHintFitPage));
        fitButton_->setAutoRaise(true);
        grid->addWidget(fitButton_, 0, grid->columnCount(), 3, 1, Qt::AlignVCenter);
        connect(fitButton_, &QToolButton::clicked, this, [this] { fitPageCommand(); });
    }

    RunAfter(main_.hooks().documentOpened, [this](DocumentWindow& w) {
        const std::int32_t id = w.windowId();
        w.view().onCtrlWheel = [this, id](int notches, QPoint at) {
            if (DocumentWindow* target = main_.windowWithId(id))
                wheelZoom(*target, notches, at);
        };
    });
}

void DesktopConventions::fitPageCommand()
{
    DocumentWindow* w = main_.activeWindow();
    const Item* header = w ? Header(w->document().items) : nullptr;
    if (!header)
        return;
    ViewWidget& view = w->view();
    main_.SetZoom(fitPageZoom(header->rec.h, view.size(), view.style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
}

void DesktopConventions::wheelZoom(DocumentWindow& window, int notches, QPoint viewportPoint)
{
    if (notches == 0)
        return;
    if (main_.activeWindow() != &window)
        main_.ActivateWindow(window.windowId());
    DocumentView& view = window.view().view();
    // The zoom steps go by the document's zoom; the point and the canvas are
    // in device pixels, drawn at view.zoom().
    const double before = view.documentZoom();
    // The point under the pointer, in unrounded document pixels.
    const QPointF canvasAbsolute = QPointF(viewportPoint - view.canvasPosition() + view.windowOrigin());
    const QPointF documentPoint = canvasAbsolute / view.zoom();
    double zoom = before;
    for (int i = 0; i < std::abs(notches); ++i)
        zoom = notches > 0 ? ZoomIn(zoom) : ZoomOut(zoom);
    if (zoom == before)
        return;
    main_.SetZoom(zoom);
    // Scroll so that the point is under the pointer again (twice: the first
    // scroll may move the canvas window, which the second accounts for).
    for (int pass = 0; pass < 2; ++pass) {
        const QPointF now = documentPoint * view.zoom() - QPointF(view.windowOrigin() - view.canvasPosition());
        const QPoint shift = (now - QPointF(viewportPoint)).toPoint();
        // A bar the page does not need has the range 0..0 and stays at 0.
        if (shift.x() != 0)
            window.view().ScrollBarX()->setValue(window.view().ScrollBarX()->value() + shift.x());
        if (shift.y() != 0)
            window.view().ScrollBarY()->setValue(window.view().ScrollBarY()->value() + shift.y());
    }
}

} // namespace vlm

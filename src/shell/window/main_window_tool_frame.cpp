// The main window's tool frame: compact buttons, and room for all of them.

#include "shell/window/main_window.h"

#include "shell/window/zoom_controls.h"

#include <QLayout>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace vlm {

namespace {

// The bevel a raised or pressed button draws around its picture.
constexpr int kButtonBevel = 2;

// The row's own button that lists what does not fit.
bool isExtensionButton(const QToolButton* b)
{
    return b->objectName() == QLatin1String("qt_toolbar_ext_button");
}

} // namespace

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!toolFrameFitted_ && !event->spontaneous()) {
        toolFrameFitted_ = true;
        fitToolFrame();
    }
}

int MainWindow::toolFrameWidthNeeded() const
{
    const QWidget* frame = zoomControls_->parentWidget();
    const QToolBar* row = frame->findChild<QToolBar*>();
    int width = zoomControls_->sizeHint().width();
    if (const QLayout* l = frame->layout()) {
        const QMargins m = l->contentsMargins();
        width += m.left() + m.right() + std::max(0, l->spacing());
    }
    if (!row)
        return width;
    // What the row measures for the buttons it shows, and the buttons that
    // only show with a selection or a clipboard.
    width += row->sizeHint().width();
    const int spacing = row->layout() ? std::max(0, row->layout()->spacing()) : 0;
    for (QAction* a : row->actions())
        if (!a->isVisible() && !a->isSeparator())
            if (const QWidget* w = row->widgetForAction(a))
                width += w->sizeHint().width() + spacing;
    return width;
}

void MainWindow::fitToolFrame()
{
    QWidget* frame = zoomControls_->parentWidget();
    for (QToolButton* b : frame->findChildren<QToolButton*>())
        if (!isExtensionButton(b) && b->toolButtonStyle() == Qt::ToolButtonIconOnly && !b->icon().isNull())
            b->setFixedSize(b->iconSize() + QSize(2 * kButtonBevel, 2 * kButtonBevel));
    if (QToolBar* row = frame->findChild<QToolBar*>())
        row->updateGeometry();

    const int needed = toolFrameWidthNeeded();
    const QScreen* s = screen();
    if (!s || needed <= width())
        return;
    const QRect room = s->availableGeometry();
    const int wider = std::min(needed, room.width());
    if (wider <= width())
        return;
    resize(wider, height());
    move(room.center() - rect().center());
}

} // namespace vlm

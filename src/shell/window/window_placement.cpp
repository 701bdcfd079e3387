#include "shell/window/window_placement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace vlm {

void PlaceRestoredWindow(QMdiSubWindow& window)
{
    QMdiArea* area = window.mdiArea();
    if (!area)
        return;
    const QSize room = area->viewport()->size();
    if (room.width() <= 0 || room.height() <= 0)
        return;
    const QSize now = window.size();
    if (now.width() >= room.width() / 2 && now.height() >= room.height() / 2)
        return;
    const QSize size(std::max(1, room.width() * 3 / 4), std::max(1, room.height() * 3 / 4));
    // Each window a title bar further down and right than the one before,
    // starting again at the corner when the next would not fit.
    const int step = std::max(8, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window));
    const int index = std::max<qsizetype>(0, area->subWindowList(QMdiArea::CreationOrder).indexOf(&window));
    const int slack = std::min(room.width() - size.width(), room.height() - size.height());
    const int offset = slack > 0 ? (index * step) % (slack + 1) : 0;
    window.setGeometry(offset, offset, size.width(), size.height());
}

void KeepUsefulRestoredSize(QMdiSubWindow& window)
{
    QObject::connect(&window, &QMdiSubWindow::windowStateChanged, &window,
                     [&window](Qt::WindowStates before, Qt::WindowStates now) {
                         const bool restored = (before & Qt::WindowMaximized) &&
                                               !(now & (Qt::WindowMaximized | Qt::WindowMinimized));
                         if (restored)
                             PlaceRestoredWindow(window);
                     });
}

} // namespace vlm

#include "render/view_layout.h"

#include <algorithm>

namespace vlm {

ViewGeometry ComputeViewLayout(QSize client, int thickness, const ZoomedPage& page, int rulerThickness)
{
    const int ruler = rulerThickness;
    const int t = std::max(0, thickness);
    const int availW = std::max(0, client.width() - ruler);
    const int availH = std::max(0, client.height() - ruler);
    // The rulers' pixels are kept free beyond the page's far edges; each
    // bar's decision depends on whether the other one takes room.
    const int R = page.right;
    const int B = page.bottom;
    const int h = availW < R + ruler ? t : 0;
    const int viewportW = availH < B + h + ruler ? availW - t : availW;
    const int v = availH < B + ruler + h ? t : 0;
    const int viewportH = availW < R + v + ruler ? availH - t : availH;

    ViewGeometry g;
    g.corner1 = QRect(0, 0, ruler, ruler);
    g.viewport = QRect(ruler, ruler, std::max(0, viewportW), std::max(0, viewportH));
    g.rulerX = QRect(ruler, 0, g.viewport.width(), ruler);
    g.rulerY = QRect(0, ruler, ruler, g.viewport.height());

    ScrollBarLayout& bx = g.scrollBarX;
    ScrollBarLayout& by = g.scrollBarY;
    bx.visible = g.viewport.width() < R + ruler;
    by.visible = g.viewport.height() < B + ruler;
    if (bx.visible) {
        bx.maximum = R - g.viewport.width() + ruler;
        bx.pageStep = g.viewport.width();
        bx.rect = QRect(ruler, client.height() - t, availW, t);
    }
    if (by.visible) {
        by.maximum = B - g.viewport.height() + ruler;
        by.pageStep = g.viewport.height();
        by.rect = QRect(client.width() - t, ruler, t, availH);
    }
    if (bx.visible && by.visible) {
        bx.rect.setWidth(std::max(0, bx.rect.width() - t));
        by.rect.setHeight(std::max(0, by.rect.height() - t));
        bx.maximum += t;
        by.maximum += t;
        g.panel1Visible = true;
        g.panel1 = QRect(client.width() - t, client.height() - t, t, t);
    }
    return g;
}

} // namespace vlm

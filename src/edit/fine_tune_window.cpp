#include "edit/fine_tune_window.h"

#include "edit/edit_step.h"
#include "edit/transform.h"

#include <QRect>

namespace vlm {

FineTuneContext FineTuneContextOf(const DocumentView& view)
{
    const DragSettings drag = DragSettingsOf(view);
    FineTuneContext ctx;
    ctx.text = drag.text;
    ctx.markerSize = drag.markerSize;
    ctx.zoom = drag.zoom;
    return ctx;
}

FineTuneResult FineTuneSelection(Sandbox& box, const FineTuneOperation& operation)
{
    DocumentView& view = box.view();
    ItemList& items = box.document().items;
    EditStep edit(box);
    edit.removeMarkersNow();
    const FineTuneResult result = operation(items, edit.cursor(), FineTuneContextOf(view));
    if (result.applied) {
        edit.markModified();
        const PixelRect& r = result.dirty;
        const QPoint a(view.toCanvasX(r.left), view.toCanvasY(r.top));
        const QPoint b(view.toCanvasX(r.right), view.toCanvasY(r.bottom));
        edit.repaintRect(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
        edit.changed({.items = true});
    }
    edit.redrawMarkers();
    return result;
}

} // namespace vlm

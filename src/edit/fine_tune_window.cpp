#include "edit/fine_tune_window.h"

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
    view.RemoveMarkers();
    const FineTuneResult result = operation(items, box.historyCursor(), FineTuneContextOf(view));
    if (result.applied) {
        SetModified(items, true);
        const PixelRect& r = result.dirty;
        const QPoint a(view.toCanvasX(r.left), view.toCanvasY(r.top));
        const QPoint b(view.toCanvasX(r.right), view.toCanvasY(r.bottom));
        view.RepaintRect(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
    }
    view.MarkerTimer();
    box.UpdateUndoCommands();
    return result;
}

} // namespace vlm

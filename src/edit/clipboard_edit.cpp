#include "edit/clipboard_edit.h"

#include "edit/edit_step.h"
#include "edit/item_geometry.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/clipboard.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/view_extent.h"

#include <algorithm>

namespace vlm {

namespace {

constexpr int kBitmapMargin = 2;

} // namespace

bool DeleteSelection(Sandbox& window)
{
    ItemList& list = window.document().items;
    if (!FirstSelected(list))
        return false;
    EditStep edit(window);
    edit.removeMarkersNow();
    DeleteSelectedItems(list, edit.cursor());
    edit.removeMarkers();
    edit.repaintAll(false);
    edit.changed({.selection = true, .items = true});
    return true;
}

void CopySelectedItems(Sandbox& window, ItemList& clipboard)
{
    window.FinishTyping();
    CopyItemsToClipboard(window.document().items, clipboard);
}

QPoint PasteGrabPoint(const ItemList& list)
{
    std::int64_t sumX = 0, sumY = 0, k = 0;
    for (const Item& it : list) {
        if (!IsSelectedLive(it) || it.rec.d.kind == KindGroup)
            continue;
        sumX += std::int64_t{it.rec.d.x1} + it.rec.d.x2;
        sumY += std::int64_t{it.rec.d.y1} + it.rec.d.y2;
        ++k;
    }
    if (k == 0)
        return {};
    return {Round(static_cast<double>(sumX) / static_cast<double>(2 * k)),
            Round(static_cast<double>(sumY) / static_cast<double>(2 * k))};
}

bool PasteClipboard(Sandbox& window, SelectionTool& pointer, const ItemList& clipboard, const OpenDocuments& open,
                    const std::function<void(int)>& showPanel)
{
    window.FinishTyping();
    // A placement still running is put down where it stands.
    pointer.endPastePlacement();
    if (pointer.busy())
        pointer.cancel();
    window.EnterToolMode(kInsertPanel);
    ItemList& list = window.document().items;
    if (!Header(clipboard) || !Header(list))
        return false;

    DocumentView& view = window.view();
    PasteResult result;
    {
        EditStep edit(window);
        edit.removeMarkersNow();
        const DragSettings settings = DragSettingsOf(view);
        result = PasteItems(list, clipboard, open, [&settings](Item& item) {
            RecomputeGeometry(item, settings.text, settings.markerSize);
        });
        edit.changed({.selection = true, .items = result.pasted});
        if (!result.pasted)
            edit.repaintAll(false);
    }
    if (!result.pasted)
        return false;
    if (showPanel)
        if (const auto code = SelectionPanelCode(list, false))
            showPanel(*code);
    const QPoint grab = PasteGrabPoint(list);
    const QPoint at(view.toCanvasX(grab.x()), view.toCanvasY(grab.y()));
    pointer.beginPastePlacement(at, at);
    return true;
}

bool JoinSelection(Sandbox& window)
{
    window.FinishTyping();
    EditStep edit(window);
    edit.removeMarkersNow();
    const bool joined = JoinSelectedItems(window.document().items, edit.cursor());
    edit.removeMarkers();
    edit.repaintAll(true);
    edit.changed({.selection = true, .items = joined});
    return joined;
}

bool SplitSelection(Sandbox& window)
{
    window.FinishTyping();
    EditStep edit(window);
    edit.removeMarkersNow();
    const bool split = SplitSelectedGroups(window.document().items, edit.cursor());
    edit.removeMarkers();
    edit.repaintAll(false);
    edit.changed({.selection = true, .items = split});
    return split;
}

bool CopyAreaToClipboard(Sandbox& window)
{
    DocumentView& view = window.view();
    view.RemoveMarkers();
    const QRect area = window.outlinedArea();
    if (area.width() <= 0 || area.height() <= 0) {
        view.MarkerTimer();
        return false;
    }
    view.RequestClipboardCopy(area);
    return true;
}

Bitmap SelectionBitmap(DocumentView& view)
{
    ItemList& list = view.document().items;
    const ScreenMetrics& metrics = list.metrics();
    QRect area;
    for (const Item& it : list) {
        if (!IsSelectedLive(it) || !IsDrawnKind(it.rec.d.kind))
            continue;
        area |= view.toCanvasRect(PaintExtent(it, metrics));
    }
    if (area.isEmpty())
        return {};
    area.adjust(-kBitmapMargin, -kBitmapMargin, kBitmapMargin, kBitmapMargin);
    area.setWidth(std::min(area.width(), kSelectionBitmapLimit));
    area.setHeight(std::min(area.height(), kSelectionBitmapLimit));

    Bitmap bitmap(area.width(), area.height(), RGBRef(255, 255, 255));
    DrawContext ctx = view.drawContext();
    ctx.originX += area.left();
    ctx.originY += area.top();
    Canvas c(bitmap);
    std::int32_t current = INT32_MIN;
    for (Item* item : list.withStackOrderIn(1, std::max(MaxStackOrder(list), 1))) {
        const DrawingFields& d = item->rec.d;
        if (d.stackOrder == current || d.hidden)
            continue;
        current = d.stackOrder;
        if (IsSelectedLive(*item) && IsDrawnKind(d.kind))
            DrawItem(c, ctx, *item, false);
    }
    return bitmap;
}

} // namespace vlm

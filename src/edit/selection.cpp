#include "edit/selection.h"

#include "edit/hit_test.h"
#include "edit/markers.h"
#include "platform/canvas.h"
#include "render/splines.h"
#include "render/view_overlay.h"

#include <algorithm>

namespace vlm {

namespace {

bool IsSelectedDrawing(const Item& item)
{
    return IsSelectedLive(item) && item.rec.d.kind != KindGroup;
}

HitView HitViewOf(const DocumentView& view)
{
    HitView hv;
    hv.zoom = view.zoom();
    hv.originX = view.windowOrigin().x();
    hv.originY = view.windowOrigin().y();
    hv.text = TextSettingsOf(view.drawContext());
    return hv;
}

} // namespace

int SelectedItemCount(const ItemList& list)
{
    int n = 0;
    for (const Item& item : list)
        n += IsSelectedDrawing(item) ? 1 : 0;
    return n;
}

int SelectionCount(const ItemList& list)
{
    int n = 0;
    std::vector<std::int32_t> groups;
    for (const Item& item : list) {
        if (!IsSelectedDrawing(item))
            continue;
        const std::int32_t g = item.rec.d.groupId;
        if (g > 0) {
            if (std::find(groups.begin(), groups.end(), g) != groups.end())
                continue;
            groups.push_back(g);
        }
        ++n;
    }
    return n;
}

bool IsUniformSelection(const ItemList& list)
{
    const Item* first = nullptr;
    for (const Item& item : list) {
        if (!IsSelectedDrawing(item))
            continue;
        if (!first) {
            first = &item;
            continue;
        }
        const DrawingFields& a = first->rec.d;
        const DrawingFields& b = item.rec.d;
        if (a.kind != b.kind)
            return false;
        if ((a.kind == KindSpline || a.kind == KindCurve) && (a.shapeVariant == 0) != (b.shapeVariant == 0))
            return false;
    }
    return true;
}

Item* ItemAtClick(DocumentView& view, QPoint canvasPoint)
{
    const QPoint p(view.toDocumentX(canvasPoint.x()), view.toDocumentY(canvasPoint.y()));
    const HitView hv = HitViewOf(view);
    Item* best = nullptr;
    int bestDistance = HitTolerance(view.settings().markerWidth);
    std::int32_t bestOrder = 0;
    for (Item& item : view.document().items) {
        if (!IsLive(item) || item.rec.d.kind == KindGroup)
            continue;
        const int t = HitDistance(item, p, canvasPoint, hv, bestDistance);
        if (t < bestDistance || (t == bestDistance && item.rec.d.stackOrder > bestOrder)) {
            best = &item;
            bestDistance = t;
            bestOrder = item.rec.d.stackOrder;
        }
    }
    return best;
}

ClickResult ClickSelect(DocumentView& view, QPoint canvasPoint, bool shift)
{
    ItemList& list = view.document().items;
    Item* best = ItemAtClick(view, canvasPoint);
    ClickResult result;
    if (!shift) {
        view.RemoveMarkers();
        SelectOnly(list, best);
        if (best) {
            SelectGroupOf(view, *best, true);
            result.selected = best;
        }
        PlaceSelectionMarkers(view);
        return result;
    }
    if (!best)
        return result;
    // Only the toggled Item and its group change: the other Markers stay.
    const bool wasSingle = SelectedItemCount(list) == 1;
    best->rec.d.selected = best->rec.d.selected ? 0 : 255;
    result.deselected = best->rec.d.selected == 0;
    SelectGroupOf(view, *best, !result.deselected);
    if (!result.deselected)
        result.selected = best;
    std::vector<const Item*> changed{best};
    if (best->rec.d.groupId > 0)
        for (const Item* member : list.withGroupId(best->rec.d.groupId))
            if (member != best)
                changed.push_back(member);
    RefreshSelectionMarkers(view, changed, wasSingle);
    return result;
}

void SelectGroupOf(DocumentView& view, const Item& item, bool select)
{
    const std::int32_t g = item.rec.d.groupId;
    if (g <= 0)
        return;
    for (Item* other : view.document().items.withGroupId(g)) {
        if (other == &item || !IsLive(*other))
            continue;
        other->rec.d.selected = select ? 255 : 0;
        if (!select)
            EraseMarkers(view, *other);
    }
}

int AreaSelect(DocumentView& view, const PixelRect& documentRect, bool partial)
{
    const PixelRect area{std::min(documentRect.left, documentRect.right), std::min(documentRect.top, documentRect.bottom),
                         std::max(documentRect.left, documentRect.right), std::max(documentRect.top, documentRect.bottom)};
    const TextSettings text = TextSettingsOf(view.drawContext());
    bool changed = false;
    for (Item& item : view.document().items) {
        if (!IsLive(item))
            continue;
        // Group records are never selected by an area, so one left selected
        // by an earlier click goes with its Markers.
        const bool group = item.rec.d.kind == KindGroup;
        if (!group && !IsAreaSelectable(item.rec.d.kind))
            continue;
        const bool pass = !group && (partial ? PartlyInsideArea(item, area, text) : InsideArea(item, area));
        const bool was = item.rec.d.selected != 0;
        if (pass == was)
            continue;
        item.rec.d.selected = pass ? 255 : 0;
        if (!pass)
            EraseMarkers(view, item);
        changed = true;
    }
    // Whether the rotation handles show depends on how many are selected.
    if (changed)
        PlaceSelectionMarkers(view);
    return SelectedItemCount(view.document().items);
}

void DrawAreaRectangle(DocumentView& view, QPoint a, QPoint b)
{
    view.RestoreRubberBand();
    if (view.canvas().isNull())
        return;
    const QRect r = SaveBoxOf(a, b);
    view.SaveRubberBand(r.adjusted(-1, -1, 0, 0));
    const QPoint outline[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()};
    {
        Canvas c(view.canvas());
        c.setPen(view.settings().guideBackColor, 1, PenStyle::Solid);
        c.polyline(outline);
        c.setPen(view.settings().guidePenColor, 1, PenStyle::Dotted);
        c.polyline(outline);
    }
    view.canvasChanged(r.adjusted(-1, -1, 1, 1));
}

std::optional<int> SelectionPanelCode(const ItemList& list, bool clickDeselected)
{
    const Item* first = nullptr;
    bool anySelected = false;
    for (const Item& item : list) {
        if (!IsSelectedLive(item))
            continue;
        anySelected = true;
        if (item.rec.d.kind != KindGroup) {
            first = &item;
            break;
        }
    }
    if (!anySelected || (clickDeselected && !first))
        return kInsertPanel;
    if (!first)
        return std::nullopt;
    if (!IsUniformSelection(list))
        return 59;
    const DrawingFields& d = first->rec.d;
    switch (d.kind) {
    case KindText:
        return 301;
    case KindLine:
        return 99;
    case KindTriangle:
        return 200;
    case KindSquare:
        return 201;
    case KindRectangle:
        return 202;
    case KindCircle:
        return 203;
    case KindEllipse:
        return 204;
    case KindStar:
        return 206;
    case KindPie:
        return 207;
    case KindArc:
        return 208;
    case KindPolygon:
        return 299;
    case KindSpline:
        return d.shapeVariant == VariantSolid ? 210 : 209;
    case KindCurve:
        return d.shapeVariant == VariantSolid ? 212 : 211;
    case KindClip:
        return 401;
    default:
        return std::nullopt;
    }
}

void ShowSelectionPanel(const ItemList& list, bool clickDeselected, const std::function<void(int)>& showPanel,
                        const std::function<int()>& shownPanel)
{
    const auto code = SelectionPanelCode(list, clickDeselected);
    if (!code || !showPanel)
        return;
    if (*code == kInsertPanel && shownPanel && shownPanel() == kInsertPanel)
        return;
    showPanel(*code);
}

const Item* ContinuedItem(const ItemList& list)
{
    for (const Item& it : list) {
        const DrawingFields& d = it.rec.d;
        if (d.extending != 0 && d.role == RoleDrawing && d.hidden == 0 && (d.kind == KindSpline || d.kind == KindCurve))
            return &it;
    }
    return nullptr;
}

} // namespace vlm

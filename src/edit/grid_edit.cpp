#include "edit/grid_edit.h"

#include "edit/item_geometry.h"
#include "edit/markers.h"
#include "model/item.h"
#include "model/rounding.h"

#include <cmath>
#include <cstdlib>
#include <set>

namespace vlm {

namespace {

constexpr std::int32_t kOnLine = 2; // document pixels

template <typename Header> auto* FlagOf(Header& h, GridFeature f, bool horizontal)
{
    switch (f) {
    case GridFeature::Grid:
        return horizontal ? &h.gridH : &h.gridV;
    case GridFeature::Anchors:
        return horizontal ? &h.anchorsH : &h.anchorsV;
    case GridFeature::Snap:
        return horizontal ? &h.snapH : &h.snapV;
    }
    return &h.gridH;
}

std::vector<GridOrientation> AxesOf(ViewDirection directions)
{
    std::vector<GridOrientation> axes;
    if (Includes(directions, ViewDirection::Horizontal))
        axes.push_back(GridVertical);
    if (Includes(directions, ViewDirection::Vertical))
        axes.push_back(GridHorizontal);
    return axes;
}

bool Near(double v, std::int32_t c)
{
    return std::fabs(v - c) <= kOnLine;
}

bool OnLine(const Item& item, bool x, std::int32_t c)
{
    const DrawingFields& d = item.rec.d;
    auto coord = [x](QPoint p) { return x ? p.x() : p.y(); };
    if (d.kind == KindLine || d.kind == KindText)
        return Near(coord(FirstPoint(item)), c) || Near(coord(SecondPoint(item)), c);
    if (d.kind == KindClip) {
        const double a = coord(FirstPoint(item)), b = coord(SecondPoint(item));
        if (!IsRoundClip(item))
            return Near(a, c) || Near(b, c);
        const double r = std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1);
        return Near(a - r, c) || Near(a + r, c);
    }
    if (d.kind == KindCircle || d.kind == KindEllipse) {
        if (item.vertices.empty())
            return false;
        const QPoint centre = VertexPoint(item.vertices[0]);
        if (Near(coord(centre), c))
            return true;
        if (d.kind == KindCircle && item.vertices.size() > 1) {
            const QPoint rim = VertexPoint(item.vertices[1]);
            const double r = std::hypot(double(rim.x()) - centre.x(), double(rim.y()) - centre.y());
            return Near(coord(centre) - r, c) || Near(coord(centre) + r, c);
        }
        return false;
    }
    if (IsPointListKind(d.kind)) {
        for (const Vertex& v : item.vertices)
            if (Near(x ? v.x : v.y, c))
                return true;
    }
    return false;
}

} // namespace

int GridChoice(const HeaderFields& h, GridFeature feature)
{
    return (*FlagOf(h, feature, true) ? 1 : 0) + (*FlagOf(h, feature, false) ? 2 : 0);
}

void SetGridChoice(HeaderFields& h, GridFeature feature, int choice)
{
    if (choice < 0 || choice > 3)
        return;
    *FlagOf(h, feature, true) = (choice & 1) ? 1 : 0;
    *FlagOf(h, feature, false) = (choice & 2) ? 1 : 0;
}

Item* NewGridVersion(ItemList& list)
{
    Item* old = FindVisibleByKind(list, KindGridLines);
    if (!old)
        return nullptr;
    Item* copy = CopyItem(list, old);
    old->rec.d.hidden = 255;
    for (auto* lines : {&old->verticalGridLines, &old->horizontalGridLines})
        for (GridLine& g : *lines)
            g.highlighted = 0;
    DrawingFields& d = copy->rec.d;
    d.hidden = 0;
    d.predecessor = old->rec.d.sequence;
    d.historyState = 1;
    SetEditStep(list, *copy, NextEditStep(list));
    SetModified(list, true);
    return copy;
}

bool ResetGrid(ItemList& list, ViewDirection directions)
{
    const Item* header = Header(list);
    if (!header || !FindVisibleByKind(list, KindGridLines))
        return false;
    Item* grid = NewGridVersion(list);
    for (GridOrientation o : AxesOf(directions))
        FitGridLines(*grid, header->rec.h, o);
    return true;
}

bool ExtendGrid(ItemList& list, ViewDirection directions)
{
    const Item* header = Header(list);
    const Item* grid = FindVisibleByKind(list, KindGridLines);
    if (!header || !grid)
        return false;
    // Extending a scratch copy first tells whether a version is needed.
    Item probe;
    probe.verticalGridLines = grid->verticalGridLines;
    probe.horizontalGridLines = grid->horizontalGridLines;
    bool grows = false;
    for (GridOrientation o : AxesOf(directions)) {
        const std::size_t before = GridLinesOf(probe, o).size();
        ExtendGridLines(probe, header->rec.h, o);
        grows = grows || GridLinesOf(probe, o).size() != before;
    }
    if (!grows)
        return false;
    Item* next = NewGridVersion(list);
    next->verticalGridLines = std::move(probe.verticalGridLines);
    next->horizontalGridLines = std::move(probe.horizontalGridLines);
    return true;
}

GridLine* HighlightedGridLine(const ItemList& list, GridOrientation axis)
{
    Item* grid = FindVisibleByKind(list, KindGridLines);
    if (!grid)
        return nullptr;
    for (GridLine& g : GridLinesOf(*grid, axis))
        if (g.highlighted && !g.deleted)
            return &g;
    return nullptr;
}

bool ClearGridHighlights(ItemList& list)
{
    Item* grid = FindVisibleByKind(list, KindGridLines);
    bool any = false;
    if (grid)
        for (auto* lines : {&grid->verticalGridLines, &grid->horizontalGridLines})
            for (GridLine& g : *lines) {
                any = any || g.highlighted != 0;
                g.highlighted = 0;
            }
    return any;
}

bool GridLineOperation(ItemList& list, GridOrientation axis, GridLineOp op, std::int32_t position)
{
    if (op == GridLineOp::Regenerate)
        return ResetGrid(list, axis == GridVertical ? ViewDirection::Horizontal : ViewDirection::Vertical);
    Item* grid = FindVisibleByKind(list, KindGridLines);
    if (!grid)
        return false;
    if (op == GridLineOp::Insert) {
        GridLine line = MakeGridLine(axis, position);
        GridLinesOf(*NewGridVersion(list), axis).push_back(std::move(line));
        return true;
    }
    const std::vector<GridLine>& lines = GridLinesOf(*grid, axis);
    std::size_t index = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].highlighted && !lines[i].deleted) {
            index = i;
            break;
        }
    if (index == lines.size())
        return false;
    if (op == GridLineOp::MoveHighlighted && GridLinePosition(axis, lines[index]) == position)
        return false;
    GridLine& line = GridLinesOf(*NewGridVersion(list), axis)[index];
    if (op == GridLineOp::DeleteHighlighted) {
        line.deleted = 1;
        line.highlighted = 0;
    } else {
        const std::uint32_t highlight = line.highlighted;
        line = MakeGridLine(axis, position);
        line.highlighted = highlight;
    }
    return true;
}

std::vector<Item*> ItemsOnGridLine(const ItemList& list, GridOrientation axis, std::int32_t position)
{
    std::vector<Item*> found;
    const Item* header = Header(list);
    if (!header)
        return found;
    const bool x = axis == GridVertical;
    const std::int64_t c64 =
        std::int64_t{position} - (x ? GridOffsetX(header->rec.h) : GridOffsetY(header->rec.h));
    const std::int32_t c = Clamp32(c64);
    for (Item& item : list)
        if (IsLive(item) && IsEditableKind(item.rec.d.kind) && OnLine(item, x, c))
            found.push_back(&item);
    return found;
}

int MoveItemsWithGridLine(ItemList& list, const DragSettings& settings,
                          const std::function<void()>& beginEdit, GridOrientation axis, std::int32_t from,
                          std::int32_t to)
{
    const std::vector<Item*> on = ItemsOnGridLine(list, axis, from);
    if (on.empty() || from == to)
        return 0;
    std::set<std::int32_t> remembered;
    for (Item& item : list)
        if (IsSelectedLive(item))
            remembered.insert(std::int32_t{item.rec.d.sequence});
    for (Item& item : list)
        if (IsLive(item))
            item.rec.d.selected = 0;
    for (Item* item : on)
        item->rec.d.selected = 255;

    if (beginEdit)
        beginEdit();
    const std::int64_t delta64 = std::int64_t{to} - from;
    const std::int32_t delta = Clamp32(delta64);
    const QPoint d = axis == GridVertical ? QPoint(delta, 0) : QPoint(0, delta);
    // Pictures would put their centre on the pointer; they move by the
    // reference points the edit copies were given.
    std::vector<Item*> pictures;
    for (Item& item : list)
        if (IsSelectedLive(item) && item.rec.d.kind == KindClip)
            pictures.push_back(&item);
    ApplyDrag(list, settings, QPoint(0, 0), d, false, MarkerCode::Centre, true);
    for (Item* p : pictures) {
        DrawingFields& r = p->rec.d;
        r.x1 = Clamp32(std::int64_t{r.reference[0]} + d.x());
        r.y1 = Clamp32(std::int64_t{r.reference[1]} + d.y());
        r.x2 = Clamp32(std::int64_t{r.reference[2]} + d.x());
        r.y2 = Clamp32(std::int64_t{r.reference[3]} + d.y());
        RecomputeGeometry(*p, settings.text, settings.markerSize);
        SaveDragOrigin(*p);
    }

    // The selection comes back: an Item that moved is selected in its new
    // version.
    for (Item& item : list) {
        if (!IsLive(item))
            continue;
        const std::int32_t sequence = item.rec.d.sequence, predecessor = item.rec.d.predecessor;
        const bool was =
            remembered.count(sequence) != 0 || (predecessor != 0 && remembered.count(predecessor) != 0);
        item.rec.d.selected = was ? 255 : 0;
    }
    return static_cast<int>(on.size());
}

void ShiftAllGridVersions(ItemList& list, GridOrientation axis, std::int32_t delta)
{
    if (delta == 0)
        return;
    for (Item& item : list)
        if (item.rec.d.kind == KindGridLines)
            ShiftGridLines(item, axis, delta);
}

} // namespace vlm

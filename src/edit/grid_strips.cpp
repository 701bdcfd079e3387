#include "edit/grid_strips.h"

#include "edit/edit_step.h"
#include "edit/sandbox.h"
#include "model/rounding.h"
#include "render/device_pixels.h"
#include "render/units.h"
#include "texts/edit_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vlm {

namespace {

// A Shift + click may wobble this much and still be a click.
constexpr int kClickSlack = 2;

ViewDirection DirectionOf(GridOrientation axis)
{
    return axis == GridVertical ? ViewDirection::Horizontal : ViewDirection::Vertical;
}

} // namespace

GridStrips::GridStrips(Sandbox& sandbox, GridStripHooks hooks) : sandbox_(sandbox), hooks_(std::move(hooks))
{
}

HeaderFields* GridStrips::header() const
{
    Item* h = sandbox_.document().items.header();
    return h ? &h->rec.h : nullptr;
}

bool GridStrips::shown(GridOrientation axis) const
{
    const HeaderFields* h = header();
    if (!h)
        return false;
    return axis == GridVertical ? (h->gridH && h->anchorsH) : (h->gridV && h->anchorsV);
}

// Above the corner's diagonal the top strip is meant, below it the left one.
GridOrientation GridStrips::stripAt(QPoint p) const
{
    return p.y() < p.x() ? GridVertical : GridHorizontal;
}

std::int32_t GridStrips::anchorCoordinate(GridOrientation axis, QPoint p) const
{
    DocumentView& view = sandbox_.view();
    const bool x = axis == GridVertical;
    const double along = (x ? p.x() : p.y()) + (x ? view.scrollX() : view.scrollY());
    return Round(along / view.zoom());
}

// The Anchor pictures keep their size at every zoom, so the pointer is
// compared with the picture where it is drawn: centred on the zoomed line.
int GridStrips::hitAnchor(GridOrientation axis, QPoint p) const
{
    const Item* grid = FindVisibleByKind(sandbox_.document().items, KindGridLines);
    if (!grid || !shown(axis))
        return -1;
    DocumentView& view = sandbox_.view();
    const ViewSettings& s = view.settings();
    const bool x = axis == GridVertical;
    const double z = view.zoom();
    const int scroll = x ? view.scrollX() : view.scrollY();
    const int along = x ? p.x() : p.y();
    const int across = x ? p.y() : p.x();
    const int half = (x ? s.anchorWidth : s.anchorHeight) / 2;
    const int depth = (x ? s.anchorHeight : s.anchorWidth) + s.anchorStemLength + 1;
    if (across < 1 || across >= depth)
        return -1;
    const std::vector<GridLine>& lines = GridLinesOf(*grid, axis);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].deleted)
            continue;
        const long long centre = static_cast<long long>(Round(z * GridLinePosition(axis, lines[i]))) - scroll;
        if (std::llabs(along - centre) <= half)
            return static_cast<int>(i);
    }
    return -1;
}

void GridStrips::setLineInRecord(std::size_t index, std::int32_t position, bool highlighted)
{
    Item* grid = FindVisibleByKind(sandbox_.document().items, KindGridLines);
    if (!grid)
        return;
    std::vector<GridLine>& lines = GridLinesOf(*grid, grab_.axis);
    if (index >= lines.size())
        return;
    lines[index] = MakeGridLine(grab_.axis, position);
    lines[index].highlighted = highlighted ? 255 : 0;
}

void GridStrips::setCursor(Qt::CursorShape shape)
{
    if (hooks_.setCursor)
        hooks_.setCursor(shape);
}

// Every change of the grid ends as one edit step: the canvas shows the new
// grid and what moved with it, Undo and Redo follow.
void GridStrips::afterGridEdit()
{
    EditStep edit(sandbox_);
    edit.repaintAll(true);
    edit.changed({.items = true, .header = true});
}

void GridStrips::GridChanged()
{
    sandbox_.view().RepaintAll(true);
}

// ---- The Anchor strips ----

void GridStrips::background1MouseDown(const CanvasMouse& m)
{
    if (m.button != MouseButton::Left)
        return;
    const QPoint p(m.x, m.y);
    const GridOrientation axis = stripAt(p);
    if (!shown(axis))
        return;
    if (m.shift) {
        insert_ = {true, axis, p};
        return;
    }
    const int hit = hitAnchor(axis, p);
    const Item* grid = FindVisibleByKind(sandbox_.document().items, KindGridLines);
    if (hit < 0 || !grid || !GridLinesOf(*grid, axis)[static_cast<std::size_t>(hit)].highlighted)
        return;
    grab_ = {true, axis, static_cast<std::size_t>(hit),
             GridLinePosition(axis, GridLinesOf(*grid, axis)[hit])};
}

void GridStrips::background1MouseMove(const CanvasMouse& m)
{
    const QPoint p(m.x, m.y);
    DocumentView& view = sandbox_.view();
    if (grab_.active) {
        if (!m.leftHeld)
            return;
        // The grabbed Anchor follows the pointer; the record gets its old
        // place back on release, before the line is moved as an edit.
        setLineInRecord(grab_.index, anchorCoordinate(grab_.axis, p), true);
        view.PaintAnchors(DirectionOf(grab_.axis));
        return;
    }
    if (m.leftHeld || m.rightHeld)
        return;
    ItemList& list = sandbox_.document().items;
    bool changed = ClearGridHighlights(list);
    const GridOrientation axis = stripAt(p);
    const int hit = hitAnchor(axis, p);
    if (hit >= 0) {
        Item* grid = FindVisibleByKind(list, KindGridLines);
        GridLinesOf(*grid, axis)[static_cast<std::size_t>(hit)].highlighted = 255;
        changed = true;
        setCursor(axis == GridVertical ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
    if (changed)
        view.PaintAnchors(ViewDirection::Both);
}

void GridStrips::PointerLeftStrips()
{
    if (grab_.active)
        return;
    if (ClearGridHighlights(sandbox_.document().items))
        sandbox_.view().PaintAnchors(ViewDirection::Both);
}

void GridStrips::background1MouseUp(const CanvasMouse& m)
{
    const QPoint p(m.x, m.y);
    ItemList& list = sandbox_.document().items;
    if (insert_.armed) {
        insert_.armed = false;
        const QPoint moved = p - insert_.press;
        const int slack = scaledLength(kClickSlack, sandbox_.view().deviceRatio());
        if (std::abs(moved.x()) <= slack && std::abs(moved.y()) <= slack && shown(insert_.axis) &&
            GridLineOperation(list, insert_.axis, GridLineOp::Insert,
                              anchorCoordinate(insert_.axis, insert_.press)))
            afterGridEdit();
        return;
    }
    if (!grab_.active)
        return;
    const Grab g = grab_;
    grab_ = {};
    const std::int32_t to = anchorCoordinate(g.axis, p);
    setLineInRecord(g.index, g.from, true);
    if (to == g.from) {
        sandbox_.view().PaintAnchors(DirectionOf(g.axis));
        return;
    }
    DocumentView& view = sandbox_.view();
    view.RemoveMarkers();
    MoveItemsWithGridLine(
        list, DragSettingsOf(view), [this] { sandbox_.BeginEdit(false); }, g.axis, g.from, to);
    GridLineOperation(list, g.axis, GridLineOp::MoveHighlighted, to);
    afterGridEdit();
}

bool GridStrips::anchorHighlighted() const
{
    const ItemList& list = sandbox_.document().items;
    for (GridOrientation axis : {GridVertical, GridHorizontal})
        if (shown(axis) && HighlightedGridLine(list, axis))
            return true;
    return false;
}

bool GridStrips::DeleteHighlightedAnchor()
{
    ItemList& list = sandbox_.document().items;
    // Only an Anchor that can be seen can be highlighted for Delete.
    for (GridOrientation axis : {GridVertical, GridHorizontal}) {
        if (!shown(axis) || !HighlightedGridLine(list, axis))
            continue;
        if (GridLineOperation(list, axis, GridLineOp::DeleteHighlighted, 0)) {
            afterGridEdit();
            return true;
        }
    }
    return false;
}

// ---- Menu and toolbar commands ----

void GridStrips::SetGrid(int choice)
{
    if (HeaderFields* h = header()) {
        SetGridChoice(*h, GridFeature::Grid, choice);
        ClearGridHighlights(sandbox_.document().items);
        GridChanged();
    }
}

void GridStrips::SetAnchors(int choice)
{
    if (HeaderFields* h = header()) {
        SetGridChoice(*h, GridFeature::Anchors, choice);
        ClearGridHighlights(sandbox_.document().items);
        GridChanged();
    }
}

void GridStrips::SetSnap(int choice)
{
    if (HeaderFields* h = header())
        SetGridChoice(*h, GridFeature::Snap, choice);
}

void GridStrips::ResetGrid(ViewDirection directions)
{
    if (vlm::ResetGrid(sandbox_.document().items, directions))
        afterGridEdit();
}

void GridStrips::ExtendGrid(ViewDirection directions)
{
    if (vlm::ExtendGrid(sandbox_.document().items, directions))
        afterGridEdit();
}

// ---- The page ends on the rulers ----

int GridStrips::rulerPageStart(bool horizontal) const
{
    const QPoint offset = sandbox_.view().pageOffset();
    return horizontal ? offset.x() : offset.y();
}

// How near a page end on a ruler the pointer takes hold of it, in the
// ruler's device pixels.
int GridStrips::endReach() const
{
    return scaledLength(kEndReach, sandbox_.view().deviceRatio());
}

int GridStrips::rulerPageEnd(bool horizontal) const
{
    const ZoomedPage page = sandbox_.view().zoomedPage();
    return rulerPageStart(horizontal) + (horizontal ? page.width : page.height);
}

// The page length in its unit for a page end at `rulerPosition`; never less
// than the shortest page a drag can make.
double GridStrips::lengthFor(bool horizontal, int rulerPosition) const
{
    const HeaderFields* h = header();
    const int pixels = std::max(endReach(), rulerPosition - rulerPageStart(horizontal));
    const double ppu = horizontal ? h->pixelsPerUnitX : h->pixelsPerUnitY;
    const double perUnit = ppu * sandbox_.view().zoom();
    return perUnit > 0.0 && std::isfinite(perUnit) ? pixels / perUnit : 0.0;
}

void GridStrips::setAreaLength(bool horizontal, double length)
{
    Item* item = sandbox_.document().items.header();
    if (!item)
        return;
    if (horizontal)
        item->rec.h.areaWidth = length;
    else
        item->rec.h.areaHeight = length;
    ApplyHeader(*item);
}

void GridStrips::rulerDown(bool horizontal, const CanvasMouse& m)
{
    HeaderFields* h = header();
    if (!h || m.button != MouseButton::Left)
        return;
    const int at = horizontal ? m.x : m.y;
    EndDrag e;
    e.horizontal = horizontal;
    e.press = at;
    e.savedOrigin = horizontal ? h->originX : h->originY;
    e.savedArea = horizontal ? h->areaWidth : h->areaHeight;
    if (std::abs(at - rulerPageEnd(horizontal)) <= endReach())
        e.mode = EndMode::Size;
    else if (std::abs(at - rulerPageStart(horizontal)) <= endReach())
        e.mode = EndMode::Origin;
    end_ = e;
}

void GridStrips::rulerMove(bool horizontal, const CanvasMouse& m)
{
    const int at = horizontal ? m.x : m.y;
    const Qt::CursorShape resize = horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    if (end_.mode == EndMode::None || end_.horizontal != horizontal) {
        if (m.leftHeld || !header())
            return;
        const bool nearEnd = std::abs(at - rulerPageEnd(horizontal)) <= endReach() ||
                             std::abs(at - rulerPageStart(horizontal)) <= endReach();
        setCursor(nearEnd ? resize : Qt::ArrowCursor);
        return;
    }
    setCursor(resize);
    if (end_.mode != EndMode::Size)
        return;
    // The ruler shows the page at the new length while the drag runs.
    const double length = lengthFor(horizontal, at);
    setAreaLength(horizontal, length);
    sandbox_.view().PaintRulers(horizontal ? ViewDirection::Horizontal : ViewDirection::Vertical);
    if (hooks_.showHint)
        hooks_.showHint(QString::fromUtf16(horizontal ? texts::kRulerWidth : texts::kRulerHeight) +
                        FormatLength(header()->units, length));
}

void GridStrips::rulerUp(bool horizontal, const CanvasMouse& m)
{
    const EndDrag e = end_;
    end_ = {};
    Item* item = sandbox_.document().items.header();
    if (e.mode == EndMode::None || e.horizontal != horizontal || !item)
        return;
    HeaderFields& h = item->rec.h;
    const int at = horizontal ? m.x : m.y;
    ItemList& list = sandbox_.document().items;
    const ViewDirection direction = horizontal ? ViewDirection::Horizontal : ViewDirection::Vertical;
    if (e.mode == EndMode::Size) {
        if (hooks_.showHint)
            hooks_.showHint(QString());
        setAreaLength(horizontal, lengthFor(horizontal, at));
        vlm::ExtendGrid(list, direction);
    } else {
        const double ppu = horizontal ? h.pixelsPerUnitX : h.pixelsPerUnitY;
        const double perUnit = ppu * sandbox_.view().zoom();
        if (!(perUnit > 0.0) || !std::isfinite(perUnit) || at == e.press)
            return;
        const std::int32_t before = horizontal ? GridOffsetX(h) : GridOffsetY(h);
        const double origin = std::max(0.0, e.savedOrigin + (at - e.press) / perUnit);
        if (horizontal)
            h.originX = origin;
        else
            h.originY = origin;
        ApplyHeader(*item);
        // The lines stay where they were on the page.
        const std::int32_t after = horizontal ? GridOffsetX(h) : GridOffsetY(h);
        ShiftAllGridVersions(list, horizontal ? GridVertical : GridHorizontal,
                             Clamp32(std::int64_t{after} - before));
    }
    SetModified(list, true);
    if (hooks_.pageChanged)
        hooks_.pageChanged();
    else
        sandbox_.view().LayoutView();
    afterGridEdit();
}

void GridStrips::rulerXMouseDown(const CanvasMouse& m)
{
    rulerDown(true, m);
}
void GridStrips::rulerXMouseMove(const CanvasMouse& m)
{
    rulerMove(true, m);
}
void GridStrips::rulerXMouseUp(const CanvasMouse& m)
{
    rulerUp(true, m);
}
void GridStrips::rulerYMouseDown(const CanvasMouse& m)
{
    rulerDown(false, m);
}
void GridStrips::rulerYMouseMove(const CanvasMouse& m)
{
    rulerMove(false, m);
}
void GridStrips::rulerYMouseUp(const CanvasMouse& m)
{
    rulerUp(false, m);
}

} // namespace vlm

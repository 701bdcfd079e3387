#include "model/document.h"

#include "model/history.h"
#include "model/random.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vlm {

namespace {

// More lines than pixels on any page would only come from a nonsensical
// spacing (a setting of 0 parses as 0); the grid is capped rather than
// allocating without bound.
constexpr std::int64_t kMaxInitialGridLines = 10000;

bool WindowIdTaken(std::int32_t id, const Document& self, const OpenDocuments& open)
{
    for (const Document* d : open.all())
        if (d && d != &self && WindowIdOf(*d) == id)
            return true;
    return false;
}

std::int64_t InitialLineCount(double area, double spacing)
{
    if (!(spacing > 0.0) || !std::isfinite(spacing))
        return 1;
    const double q = area / spacing;
    if (!(q > -1.0))
        return 0;
    return std::min<std::int64_t>(std::int64_t{Trunc(q)} + 1, kMaxInitialGridLines);
}

void AddInitialGridLines(std::vector<GridLine>& lines, GridOrientation o, std::int32_t start,
                         double spacing, double pixelsPerUnit, double area)
{
    const std::int64_t count = InitialLineCount(area, spacing);
    const std::int64_t step = Round(spacing * pixelsPerUnit);
    lines.reserve(static_cast<std::size_t>(count));
    for (std::int64_t k = 0; k < count; ++k)
        lines.push_back(MakeGridLine(o, Clamp32(start + k * step)));
}

} // namespace

void FillInitialGridLines(Item& grid, const HeaderFields& page)
{
    AddInitialGridLines(grid.verticalGridLines, GridVertical, page.left, page.gridSpacingX,
                        page.pixelsPerUnitX, page.areaWidth);
    AddInitialGridLines(grid.horizontalGridLines, GridHorizontal, page.top, page.gridSpacingY,
                        page.pixelsPerUnitY, page.areaHeight);
}

void InitDocument(Document& doc, const DocumentDefaults& defaults, const OpenDocuments& open)
{
    ItemList& list = doc.items;
    FreeList(list);

    Item& header = NewItem(list, KindDocumentHeader);
    HeaderFields& h = header.rec.h;
    h.role = RoleHeader;
    do
        h.windowId = Random(2147483647);
    while (WindowIdTaken(h.windowId, doc, open));

    h.units = defaults.units;
    h.pixelsPerUnitX = defaults.pixelsPerUnitX;
    h.pixelsPerUnitY = defaults.pixelsPerUnitY;
    h.angles = defaults.angles;
    h.zoom = defaults.zoom > 0.0 && std::isfinite(defaults.zoom) ? defaults.zoom : 1.0;
    h.designType = 0;
    const UnitBlock& block = defaults.block(defaults.units);
    h.originX = block.originX;
    h.originY = block.originY;
    h.areaWidth = block.areaWidth;
    h.areaHeight = block.areaHeight;

    switch (defaults.units) {
    case 1:
        h.pageDims[DimPaperWidth] = 200.0;
        h.pageDims[DimPaperHeight] = 200.0;
        break;
    case 2:
        h.pageDims[DimPaperWidth] = 210.0;
        h.pageDims[DimPaperHeight] = 297.0;
        break;
    default:
        h.pageDims[DimPaperWidth] = 8.5;
        h.pageDims[DimPaperHeight] = 11.0;
        break;
    }
    // The drawing defaults of a new record land in the header's page and
    // reserved areas; they mean nothing there.
    std::memset(header.rec.bytes + 231, 0, 321 - 231);
    std::memset(header.rec.bytes + 321, 0, kRecordSize - 321);
    h.formatVersion = kFormatVersion;
    if (defaults.lightDirection >= 0 && defaults.lightDirection <= 3)
        h.lightDirection = static_cast<std::uint8_t>(defaults.lightDirection);

    if (defaults.applyDefaultPageSetup)
        defaults.applyDefaultPageSetup(doc);

    // The page setup may have changed the unit; the grid follows the header.
    HeaderFields& hh = list.header()->rec.h;
    const UnitBlock& grid = defaults.block(hh.units);
    hh.gridSpacingX = grid.gridSpacingX;
    hh.gridSpacingY = grid.gridSpacingY;
    hh.gridH = defaults.gridH;
    hh.anchorsH = defaults.anchorsH;
    hh.snapH = defaults.snapH;
    hh.gridV = defaults.gridV;
    hh.anchorsV = defaults.anchorsV;
    hh.snapV = defaults.snapV;

    hh.modified = 0;
    ApplyHeader(*list.header());

    Item& gridRecord = NewItem(list, KindGridLines);
    gridRecord.rec.d.historyState = 0;
    FillInitialGridLines(gridRecord, list.header()->rec.h);

    Item& head = *list.header();
    head.rec.h.modified = 0;
    head.rec.h.reserved322 = 0;
}

std::int32_t WindowIdOf(const Document& doc)
{
    const Item* h = Header(doc.items);
    return h ? h->rec.h.windowId : -1;
}

std::int32_t NewPictureId(const ItemList& target, const OpenDocuments& open)
{
    const std::vector<const Document*> docs = open.all();
    for (;;) {
        const std::int32_t id = Random(2147483646) + 1;
        bool taken = PictureById(target, id) != nullptr;
        for (const Document* d : docs)
            taken = taken || (d && PictureById(d->items, id));
        if (!taken)
            return id;
    }
}

namespace {

enum OrderMove : std::int32_t { MovedToFront = 1, MovedToBack = 2 };

std::int32_t PlaceSelected(Document& doc, OrderMove move)
{
    ItemList& list = doc.items;
    DiscardRedo(list);
    const std::int32_t step = NextEditStep(list);
    Item* const last = list.tail();
    std::int32_t moved = 0;
    for (Item* p = list.head(); p; p = p->next) {
        if (IsSelectedLive(*p) && IsEditableKind(p->rec.d.kind)) {
            Item* c = CopyItem(list, p);
            p->rec.d.hidden = 255;
            p->rec.d.selected = 0;
            // A version from the file (or from before Clear Undo and Redo)
            // stays outside the history: marking it done would let a second
            // Undo hide it as if it had been drawn.
            if (p->rec.d.historyState != 0)
                p->rec.d.historyState = 1;
            p->rec.d.orderMove = move;
            c->rec.d.predecessor = p->rec.d.sequence;
            c->rec.d.historyState = 1;
            c->rec.d.selected = 255;
            SetEditStep(list, *c, step);
            if (move == MovedToBack)
                SendToBack(list, *c);
            else
                BringToFront(list, *c);
            ++moved;
        }
        if (p == last)
            break;
    }
    return moved;
}

} // namespace

std::int32_t PlaceSelectedBehind(Document& doc)
{
    return PlaceSelected(doc, MovedToBack);
}

std::int32_t PlaceSelectedOnTop(Document& doc)
{
    return PlaceSelected(doc, MovedToFront);
}

} // namespace vlm

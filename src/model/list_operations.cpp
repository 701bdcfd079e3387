#include "model/item_list.h"
#include "model/rounding.h"

#include <algorithm>

namespace vlm {

void Reindex(ItemList& list, Item& item)
{
    list.reindex(item);
}

void SetRole(ItemList& list, Item& item, std::int32_t role)
{
    item.rec.d.role = role;
    list.reindex(item);
}

void SetKind(ItemList& list, Item& item, std::int32_t kind)
{
    item.rec.d.kind = kind;
    list.reindex(item);
}

void SetSequence(ItemList& list, Item& item, std::int32_t sequence)
{
    item.rec.d.sequence = sequence;
    list.reindex(item);
}

void SetEditStep(ItemList& list, Item& item, std::int32_t editStep)
{
    item.rec.d.editStep = editStep;
    list.reindex(item);
}

void SetStackOrder(ItemList& list, Item& item, std::int32_t stackOrder)
{
    item.rec.d.stackOrder = stackOrder;
    list.reindex(item);
}

void SetGroupId(ItemList& list, Item& item, std::int32_t groupId)
{
    item.rec.d.groupId = groupId;
    list.reindex(item);
}

Item* FindByKind(const ItemList& list, std::int32_t kind)
{
    if (kind == KindDocumentHeader)
        return list.header();
    for (Item& it : list)
        if (it.rec.d.kind == kind)
            return &it;
    return nullptr;
}

Item* FindVisibleByKind(const ItemList& list, std::int32_t kind)
{
    for (Item& it : list)
        if (it.rec.d.kind == kind && it.rec.d.hidden == 0)
            return &it;
    return nullptr;
}

Item* Header(const ItemList& list)
{
    return list.header();
}

// The counters never wrap: a damaged file may carry the largest int32.
std::int32_t NextSequence(const ItemList& list)
{
    return Clamp32(std::int64_t{list.maxSequence(0)} + 1);
}

std::int32_t NextEditStep(const ItemList& list)
{
    return Clamp32(std::int64_t{list.maxEditStep(0)} + 1);
}

std::int32_t MaxStackOrder(const ItemList& list)
{
    return list.maxStackOrder(0);
}

std::int32_t NextGroupId(const ItemList& list)
{
    return Clamp32(std::int64_t{list.maxGroupId(0)} + 1);
}

Item* ItemAtStackOrder(const ItemList& list, std::int32_t n)
{
    for (Item* it : list.withStackOrder(n))
        if (it->rec.d.hidden == 0)
            return it;
    return nullptr;
}

Item* BySequence(const ItemList& list, std::int32_t sequence)
{
    return list.bySequence(sequence);
}

void SelectOnly(ItemList& list, Item* item)
{
    for (Item& it : list)
        it.rec.d.selected = 0;
    if (item)
        item->rec.d.selected = 255;
}

void SelectLast(ItemList& list)
{
    Item* p = list.tail();
    while (p && p->rec.d.role != RoleDrawing)
        p = p->prev;
    if (p && p->rec.d.extending == 0 && p->rec.d.hidden == 0)
        SelectOnly(list, p);
}

Item* FirstSelected(const ItemList& list)
{
    for (Item& it : list)
        if (IsSelectedLive(it))
            return &it;
    return nullptr;
}

Item* SingleSelected(const ItemList& list)
{
    Item* found = nullptr;
    for (Item& it : list) {
        if (!IsSelectedLive(it))
            continue;
        if (found)
            return nullptr;
        found = &it;
    }
    return found;
}

Item* LastExtending(const ItemList& list)
{
    for (Item* p = list.tail(); p; p = p->prev)
        if (p->rec.d.extending != 0)
            return p;
    return nullptr;
}

void RemoveItem(ItemList& list, Item& item)
{
    std::unique_ptr<Item> owned = list.unlink(item);
    FreeItem(*owned);
}

void FreeList(ItemList& list)
{
    list.clear();
}

void DropClipCaches(ItemList& list)
{
    for (Item& it : list)
        if (it.rec.d.kind == KindClip)
            it.cache.reset();
}

void SetModified(ItemList& list, bool flag)
{
    if (Item* h = list.header())
        h->rec.h.modified = flag ? 1 : 0;
}

bool IsModified(const ItemList& list)
{
    const Item* h = list.header();
    return h && h->rec.h.modified != 0;
}

bool IsUntouched(const ItemList& list)
{
    const Item* h = list.header();
    return h && h->rec.h.modified == 0 && list.size() <= 3;
}

Item* PictureById(const ItemList& list, std::int32_t id)
{
    for (Item& it : list)
        if (it.rec.d.kind == KindPicture && it.rec.d.pictureId == id)
            return &it;
    return nullptr;
}

std::int32_t PictureUseCount(const ItemList& list, std::int32_t id)
{
    std::int32_t n = 0;
    for (const Item& it : list)
        if (it.rec.d.role == RoleDrawing && it.rec.d.pictureId == id)
            ++n;
    return n;
}

bool PictureInUse(const ItemList& list, std::int32_t id)
{
    for (const Item& it : list)
        if (it.rec.d.kind == KindClip && it.rec.d.hidden == 0 && it.rec.d.pictureId == id)
            return true;
    return false;
}

void CompactGroupIds(ItemList& list)
{
    for (;;) {
        // Unsaturated: the largest number in use must be the one moved.
        const std::int64_t a = std::int64_t{list.maxGroupId(0)} + 1;
        if (a - 1 <= 1)
            return;
        std::int64_t b = 1;
        for (std::int32_t id : list.groupIdsInUse()) {
            if (id < b)
                continue;
            if (id > b)
                break;
            ++b;
        }
        if (b > a - 2)
            return;
        for (Item* it : list.withGroupId(static_cast<std::int32_t>(a - 1)))
            SetGroupId(list, *it, static_cast<std::int32_t>(b));
    }
}

void SendToBack(ItemList& list, Item& item)
{
    const std::int64_t s = item.rec.d.stackOrder;
    if (s > 1) {
        for (Item* it : list.withStackOrderIn(1, static_cast<std::int32_t>(s - 1)))
            if (it != &item && it->rec.d.hidden == 0)
                SetStackOrder(list, *it, it->rec.d.stackOrder + 1);
    }
    SetStackOrder(list, item, 1);
}

void BringToFront(ItemList& list, Item& item)
{
    const std::int32_t m = MaxStackOrder(list);
    const std::int32_t s = item.rec.d.stackOrder;
    if (s < m) {
        for (Item* it : list.withStackOrderIn(s + 1, m))
            if (it != &item && it->rec.d.hidden == 0)
                SetStackOrder(list, *it, it->rec.d.stackOrder - 1);
    }
    SetStackOrder(list, item, m);
}

void ApplyHeader(Item& header)
{
    HeaderFields& h = header.rec.h;
    const std::int32_t x1 = Round(h.originX * h.pixelsPerUnitX * h.zoom);
    const std::int32_t y1 = Round(h.zoom * h.originY * h.pixelsPerUnitY);
    const std::int32_t x2 = Clamp32(std::int64_t{x1} + Round(h.zoom * h.pixelsPerUnitX * h.areaWidth));
    const std::int32_t y2 = Clamp32(std::int64_t{y1} + Round(h.zoom * h.pixelsPerUnitY * h.areaHeight));
    h.x1 = x1;
    h.y1 = y1;
    h.x2 = x2;
    h.y2 = y2;
    h.left = std::min(x1, x2);
    h.right = std::max(x1, x2);
    h.top = std::min(y1, y2);
    h.bottom = std::max(y1, y2);
    h.width = Round(h.areaWidth * h.pixelsPerUnitX * h.zoom);
    h.height = Round(h.zoom * h.areaHeight * h.pixelsPerUnitY);
}

Item& EmbedLinePattern(ItemList& list, const double (&lengthsMm)[12])
{
    std::int32_t smallest = 0;
    for (const Item& it : list)
        if (it.rec.d.role == RolePattern && it.rec.d.kind < smallest)
            smallest = it.rec.d.kind;
    const std::int32_t kind = smallest == 0 ? -1 : Clamp32(std::int64_t{smallest} - 1);
    Item& p = NewItem(list, kind);
    std::int32_t count = 0;
    bool leading = true;
    for (int i = 0; i < 12; ++i) {
        p.rec.p.lengths[i] = lengthsMm[i];
        if (leading && lengthsMm[i] != 0.0)
            ++count;
        else
            leading = false;
    }
    p.rec.p.count = count;
    return p;
}

Item* FindLinePattern(const ItemList& list, std::int32_t pattern)
{
    if (pattern >= 0)
        return nullptr;
    for (Item& it : list)
        if (it.rec.d.role == RolePattern && it.rec.d.kind == pattern)
            return &it;
    return nullptr;
}

} // namespace vlm

#include "model/undo.h"

#include <vector>

namespace vlm {

namespace {

constexpr std::int32_t kDone = 1;
constexpr std::int32_t kUndone = 2;

bool HasState(const Item* r, std::int32_t state) { return r && r->rec.d.historyState == state; }

// The record with the largest sequence in [1, from] whose historyState is
// `state`; null when there is none. Sequence numbers are dense in practice
// (only the redo part and Clear Undo and Redo remove records), so stepping
// down by one costs one index lookup per record passed.
Item* TopWithState(const ItemList& list, std::int32_t from, std::int32_t state)
{
    for (std::int32_t s = from; s >= 1; --s)
        if (Item* r = list.bySequence(s); HasState(r, state))
            return r;
    return nullptr;
}

// The largest sequence in [1, from] of a record that is not undone: the
// top of the history below the redo part.
Item* TopNotUndone(const ItemList& list, std::int32_t from)
{
    for (std::int32_t s = from; s >= 1; --s)
        if (Item* r = list.bySequence(s); r && r->rec.d.historyState != kUndone)
            return r;
    return nullptr;
}

// One record of an action undone or redone: its rendering cache goes, it
// takes its new state and its visibility turns. True when it is now hidden.
bool FlipRecord(Item& r, std::int32_t state, HistoryCursor& cursor)
{
    if (r.cache)
        r.cache->clear();
    r.rec.d.historyState = state;
    if (state == kUndone && cursor.undone >= 0)
        ++cursor.undone;
    else if (state == kDone && cursor.undone > 0)
        --cursor.undone;
    r.rec.d.hidden = r.rec.d.hidden == 0 ? 255 : 0;
    return r.rec.d.hidden != 0;
}

// The visible record at each stacking order of [lo, hi], taken before any of
// them moves. Moving them one by one in the order the history prescribes
// never lands a record on a number still to be visited, so the snapshot picks
// the same records that visiting the numbers one after the other would.
std::vector<Item*> VisibleAtOrders(const ItemList& list, std::int64_t lo, std::int64_t hi, const Item* skip)
{
    std::vector<Item*> found;
    if (lo > hi)
        return found;
    std::int32_t last = INT32_MIN;
    bool any = false;
    for (Item* it : list.withStackOrderIn(static_cast<std::int32_t>(lo), static_cast<std::int32_t>(hi))) {
        if (it == skip || it->rec.d.hidden != 0)
            continue;
        if (any && it->rec.d.stackOrder == last)
            continue; // only the first visible record of a number moves
        found.push_back(it);
        last = it->rec.d.stackOrder;
        any = true;
    }
    return found;
}

void ShiftOrders(ItemList& list, const std::vector<Item*>& records, std::int32_t by)
{
    for (Item* it : records)
        SetStackOrder(list, *it, it->rec.d.stackOrder + by);
}

// Before the replaced version `p` comes back: the others close the gap the
// moved copy leaves and open the place `p` had.
void ReverseOrderMove(ItemList& list, const Item& p)
{
    const std::int64_t m = MaxStackOrder(list);
    const std::int64_t s = p.rec.d.stackOrder;
    if (p.rec.d.orderMove == 1)
        ShiftOrders(list, VisibleAtOrders(list, s, m - 1, nullptr), 1);
    else if (p.rec.d.orderMove == 2 && s >= 2)
        ShiftOrders(list, VisibleAtOrders(list, 2, s, nullptr), -1);
}

// After `p` is hidden again: the others move as they did when the copy
// `copy` was sent to the back or brought to the front; the copy keeps the
// place it was given then.
void ApplyOrderMove(ItemList& list, const Item& p, const Item& copy)
{
    const std::int64_t m = MaxStackOrder(list);
    const std::int64_t s = p.rec.d.stackOrder;
    if (p.rec.d.orderMove == 1)
        ShiftOrders(list, VisibleAtOrders(list, s + 1, m, &copy), -1);
    else if (p.rec.d.orderMove == 2)
        ShiftOrders(list, VisibleAtOrders(list, 1, s - 1, &copy), 1);
}

// The version `r` replaces; a grid record without one stands for the grid
// the Document started with.
Item* PredecessorOf(const ItemList& list, const Item& r)
{
    Item* p = r.rec.d.predecessor != 0 ? list.bySequence(r.rec.d.predecessor) : nullptr;
    if (!p && r.rec.d.kind == KindGridLines)
        p = FindByKind(list, KindGridLines);
    return p == &r ? nullptr : p;
}

void RemoveWithUnusedPicture(ItemList& list, Item& r)
{
    if (r.rec.d.kind == KindClip && PictureUseCount(list, r.rec.d.pictureId) < 2) {
        if (Item* picture = PictureById(list, r.rec.d.pictureId))
            RemoveItem(list, *picture);
    }
    RemoveItem(list, r);
}

} // namespace

Item* LastDone(const ItemList& list, HistoryCursor& cursor)
{
    const std::int32_t m = list.maxSequence(0);
    std::int32_t from = m;
    if (cursor.seenMax >= 0 && cursor.seenMax <= m) {
        // Records added since the last look lie above it; the first done one
        // among them is the answer.
        for (std::int32_t s = m; s > cursor.seenMax; --s) {
            if (Item* r = list.bySequence(s); HasState(r, kDone)) {
                cursor.seenMax = m;
                cursor.doneTop = s;
                return r;
            }
        }
        if (cursor.doneTop == 0) {
            cursor.seenMax = m;
            return nullptr;
        }
        if (Item* r = list.bySequence(cursor.doneTop); HasState(r, kDone)) {
            cursor.seenMax = m;
            return r;
        }
        from = cursor.seenMax;
    }
    Item* r = TopWithState(list, from, kDone);
    cursor.seenMax = m;
    cursor.doneTop = r ? r->rec.d.sequence : 0;
    return r;
}

Item* FirstUndone(const ItemList& list, HistoryCursor& cursor)
{
    std::int32_t d = 0;
    if (const Item* last = LastDone(list, cursor))
        d = last->rec.d.sequence;
    else if (const Item* base = TopNotUndone(list, list.maxSequence(0)))
        d = base->rec.d.sequence; // nothing done: the history starts above the records outside it
    if (d == INT32_MAX)
        return nullptr;
    Item* r = list.bySequence(d + 1);
    return HasState(r, kUndone) ? r : nullptr;
}

bool CanUndo(const ItemList& list, HistoryCursor& cursor) { return LastDone(list, cursor) != nullptr; }

bool CanRedo(const ItemList& list, HistoryCursor& cursor) { return FirstUndone(list, cursor) != nullptr; }

void DiscardRedo(ItemList& list, HistoryCursor& cursor)
{
    if (cursor.undone == 0)
        return;
    DiscardRedo(list);
    cursor.undone = 0;
}

std::int32_t BeginEditCopies(ItemList& list, HistoryCursor& cursor)
{
    // One walk finds the selection; the copies go behind the present tail,
    // and discarding the redo part removes only undone records, which are
    // never selected-live, so the pointers stay good.
    std::vector<Item*> selected;
    for (Item& it : list)
        if (IsSelectedLive(it))
            selected.push_back(&it);
    if (selected.empty())
        return 0;

    DiscardRedo(list, cursor);
    const std::int32_t step = NextEditStep(list);
    for (Item* p : selected) {
        {
            Item* c = CopyItem(list, p);
            p->rec.d.hidden = 255;
            p->rec.d.selected = 0;
            DrawingFields& d = c->rec.d;
            d.predecessor = p->rec.d.sequence;
            d.historyState = kDone;
            d.selected = 255;
            d.reference[0] = d.x1;
            d.reference[1] = d.y1;
            d.reference[2] = d.x2;
            d.reference[3] = d.y2;
            d.rotationAtGrab = d.rotation;
            SetEditStep(list, *c, step);
            for (Vertex& v : c->vertices) {
                v.savedX = v.x;
                v.savedY = v.y;
                v.savedControlA[0] = v.controlA[0];
                v.savedControlA[1] = v.controlA[1];
                v.savedControlB[0] = v.controlB[0];
                v.savedControlB[1] = v.controlB[1];
            }
        }
    }
    return step;
}

std::int32_t BeginEditCopies(ItemList& list)
{
    HistoryCursor unknown;
    return BeginEditCopies(list, unknown);
}

bool UndoLastAction(ItemList& list, HistoryCursor& cursor)
{
    Item* r = LastDone(list, cursor);
    if (!r)
        return false;
    const std::int32_t step = r->rec.d.editStep;
    const std::int32_t m = list.maxSequence(0);
    for (;;) {
        if (FlipRecord(*r, kUndone, cursor)) {
            if (Item* p = PredecessorOf(list, *r)) {
                ReverseOrderMove(list, *p);
                p->rec.d.hidden = 0;
            }
        }
        // Everything above r is now undone or outside the history, so the
        // next done record lies below it.
        Item* next = TopWithState(list, r->rec.d.sequence - 1, kDone);
        cursor.seenMax = m;
        cursor.doneTop = next ? next->rec.d.sequence : 0;
        if (!next || step == 0 || next->rec.d.editStep != step)
            break;
        r = next;
    }
    return true;
}

bool RedoNextAction(ItemList& list, HistoryCursor& cursor)
{
    Item* r = FirstUndone(list, cursor);
    if (!r)
        return false;
    const std::int32_t step = r->rec.d.editStep;
    const std::int32_t m = list.maxSequence(0);
    for (;;) {
        if (!FlipRecord(*r, kDone, cursor)) {
            if (Item* p = PredecessorOf(list, *r)) {
                p->rec.d.hidden = 255;
                ApplyOrderMove(list, *p, *r);
            }
        }
        cursor.seenMax = m;
        cursor.doneTop = r->rec.d.sequence;
        Item* next = r->rec.d.sequence < INT32_MAX ? list.bySequence(r->rec.d.sequence + 1) : nullptr;
        if (!HasState(next, kUndone) || step == 0 || next->rec.d.editStep != step)
            break;
        r = next;
    }
    return true;
}

void ClearHistory(ItemList& list, HistoryCursor& cursor)
{
    DiscardRedo(list);
    std::vector<Item*> gone;
    for (Item& it : list) {
        const DrawingFields& d = it.rec.d;
        if (d.role != RoleDrawing)
            continue;
        if (d.hidden != 0 || d.kind == KindDeletionMarker || (d.kind == KindText && LineCount(it) == 0))
            gone.push_back(&it);
    }
    for (Item* it : gone)
        RemoveWithUnusedPicture(list, *it);

    std::int32_t sequence = 0;
    for (Item& it : list) {
        if (it.rec.d.role != RoleDrawing)
            continue;
        it.rec.d.historyState = 0;
        it.rec.d.predecessor = 0;
        SetSequence(list, it, ++sequence);
    }
    CompactGroupIds(list);
    cursor = {list.maxSequence(0), 0, 0};
}

} // namespace vlm

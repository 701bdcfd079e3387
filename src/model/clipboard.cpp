#include "model/clipboard.h"

#include "model/rounding.h"

#include <map>
#include <set>
#include <vector>

namespace vlm {

namespace {

constexpr std::int32_t kDone = 1;

bool IsCopyableKind(std::int32_t kind) { return IsEditableKind(kind) || kind == KindGroup; }

// A deletion marker stands in the history only: it belongs to no group and
// is never selected, so that choosing the rest of a group never picks it up.
void MakeDeletionMarker(ItemList& list, Item& record)
{
    SetKind(list, record, KindDeletionMarker);
    SetGroupId(list, record, 0);
    record.rec.d.selected = 0;
}

std::int32_t Moved(std::int32_t v) { return Clamp32(std::int64_t{v} + kPasteOffset); }

void MovePoints(Item& c)
{
    DrawingFields& d = c.rec.d;
    d.x1 = Moved(d.x1);
    d.y1 = Moved(d.y1);
    d.x2 = Moved(d.x2);
    d.y2 = Moved(d.y2);
    d.reference[0] = d.x1;
    d.reference[1] = d.y1;
    d.reference[2] = d.x2;
    d.reference[3] = d.y2;
    for (Vertex& v : c.vertices) {
        v.x = Moved(v.x);
        v.y = Moved(v.y);
        for (int i = 0; i < 2; ++i) {
            v.controlA[i] = Moved(v.controlA[i]);
            v.controlB[i] = Moved(v.controlB[i]);
        }
        v.savedX = v.x;
        v.savedY = v.y;
        for (int i = 0; i < 2; ++i) {
            v.savedControlA[i] = v.controlA[i];
            v.savedControlB[i] = v.controlB[i];
        }
    }
}

std::vector<Item*> SelectedLive(const ItemList& list)
{
    std::vector<Item*> found;
    for (Item& it : list)
        if (IsSelectedLive(it))
            found.push_back(&it);
    return found;
}

// The clipboard's picture numbers as they are called in the target.
std::map<std::int32_t, std::int32_t> PastePictures(ItemList& target, const ItemList& clipboard,
                                                   const OpenDocuments& open)
{
    std::map<std::int32_t, std::int32_t> numbers;
    for (const Item& it : clipboard) {
        if (it.rec.d.role != RolePicture)
            continue;
        const std::int32_t id = it.rec.d.pictureId;
        if (numbers.count(id))
            continue;
        const Item* present = PictureById(target, id);
        if (present && present->pictureData == it.pictureData) {
            numbers[id] = id;
            continue;
        }
        Item* c = CopyItem(target, &it);
        c->rec.d.selected = 0;
        if (present)
            c->rec.d.pictureId = NewPictureId(target, open);
        numbers[id] = c->rec.d.pictureId;
    }
    return numbers;
}

// The groups whose live members are all selected, at least one of them.
std::set<std::int32_t> whollySelectedGroups(const ItemList& list)
{
    std::set<std::int32_t> selected, partly;
    for (const Item& it : list) {
        const std::int32_t group = it.rec.d.groupId;
        if (group <= 0 || !IsLive(it) || it.rec.d.kind == KindGroup)
            continue;
        (it.rec.d.selected != 0 && IsCopyableKind(it.rec.d.kind) ? selected : partly).insert(group);
    }
    for (std::int32_t group : partly)
        selected.erase(group);
    return selected;
}

} // namespace

bool DeleteSelectedItems(ItemList& list, HistoryCursor& cursor)
{
    if (SelectedLive(list).empty())
        return false;
    DiscardRedo(list, cursor);
    const std::int32_t step = NextEditStep(list);
    Item* const last = list.tail();
    for (Item* p = list.head(); p; p = p->next) {
        if (IsSelectedLive(*p) && IsEditableKind(p->rec.d.kind)) {
            Item* c = CopyItem(list, p);
            p->rec.d.hidden = 255;
            p->rec.d.selected = 0;
            c->rec.d.predecessor = p->rec.d.sequence;
            c->rec.d.historyState = kDone;
            SetStackOrder(list, *c, p->rec.d.stackOrder);
            SetEditStep(list, *c, step);
            MakeDeletionMarker(list, *c);
            c->cache.reset();
        }
        if (p == last)
            break;
    }
    SelectOnly(list, nullptr);
    return true;
}

void CopyItemsToClipboard(const ItemList& source, ItemList& clipboard)
{
    clipboard.clear();
    clipboard.setMetrics(source.metrics());
    const Item* header = Header(source);
    if (!header)
        return;
    CopyItem(clipboard, header);
    const std::set<std::int32_t> whole = whollySelectedGroups(source);
    for (const Item& it : source) {
        const std::int32_t group = it.rec.d.groupId;
        const bool wholeGroup = group > 0 && whole.count(group) != 0;
        if (it.rec.d.kind == KindGroup) {
            // A Group record goes with its members, selected or not (an area
            // selection never selects it), and never without them.
            if (!IsLive(it) || !wholeGroup)
                continue;
        } else if (!IsSelectedLive(it) || !IsCopyableKind(it.rec.d.kind)) {
            continue;
        }
        Item* c = CopyItem(clipboard, &it);
        c->rec.d.selected = 0;
        // Part of a group pastes as loose Items: a group number no Group
        // record stands for would leave them without a centre to move them by
        // and without a group to split.
        if (group > 0 && !wholeGroup)
            SetGroupId(clipboard, *c, 0);
        c->cache.reset();
        if (it.rec.d.kind != KindClip || PictureById(clipboard, it.rec.d.pictureId))
            continue;
        if (const Item* picture = PictureById(source, it.rec.d.pictureId))
            CopyItem(clipboard, picture)->rec.d.selected = 0;
    }
    CompactGroupIds(clipboard);
}

bool HasPastableItem(const ItemList& clipboard)
{
    for (const Item& it : clipboard)
        if (IsLive(it))
            return true;
    return false;
}

PasteResult PasteItems(ItemList& target, const ItemList& clipboard, const OpenDocuments& open,
                       const RecomputeItem& recompute)
{
    PasteResult result;
    if (!Header(clipboard) || !Header(target))
        return result;
    SelectOnly(target, nullptr);
    const std::int32_t step = NextEditStep(target);
    const std::int32_t groups = NextGroupId(target);
    const std::map<std::int32_t, std::int32_t> pictures = PastePictures(target, clipboard, open);

    // The records in stacking order, the first visible one of each number;
    // Group records carry no place in the stacking and come after them.
    std::vector<const Item*> sources;
    std::int32_t lastOrder = 0;
    for (const Item* it : clipboard.withStackOrderIn(1, MaxStackOrder(clipboard))) {
        if (it->rec.d.stackOrder == lastOrder || !IsLive(*it))
            continue;
        lastOrder = it->rec.d.stackOrder;
        sources.push_back(it);
    }
    for (const Item& it : clipboard)
        if (IsLive(it) && it.rec.d.kind == KindGroup && it.rec.d.stackOrder < 1)
            sources.push_back(&it);

    for (const Item* source : sources) {
        Item* c = CopyItem(target, source);
        DrawingFields& d = c->rec.d;
        if (d.groupId > 0)
            SetGroupId(target, *c, Clamp32(std::int64_t{d.groupId} + groups));
        if (d.kind == KindClip)
            if (auto found = pictures.find(+d.pictureId); found != pictures.end())
                d.pictureId = found->second;
        c->cache.reset();
        MovePoints(*c);
        if (recompute)
            recompute(*c);
        RealsFromIntegers(*c, target.metrics());
        d.selected = 255;
        d.hidden = 0;
        SetEditStep(target, *c, step);
        if (d.kind != KindGroup || source->rec.d.stackOrder >= 1)
            SetStackOrder(target, *c, Clamp32(std::int64_t{MaxStackOrder(target)} + 1));
        ++result.items;
    }
    result.pasted = result.items > 0;
    result.editStep = step;
    return result;
}

bool JoinSelectedItems(ItemList& list, HistoryCursor& cursor)
{
    if (BeginEditCopies(list, cursor) == 0)
        return false;
    const std::int32_t group = NextGroupId(list);
    const std::vector<Item*> selected = SelectedLive(list);
    const Item* first = nullptr;
    for (const Item* it : selected)
        if (it->rec.d.kind != KindGroup) {
            first = it;
            break;
        }
    if (!first)
        return false;
    const std::int32_t step = first->rec.d.editStep;

    std::int64_t sumX = 0, sumY = 0, k = 0;
    for (Item* it : selected) {
        if (it->rec.d.kind == KindGroup) {
            // The old groups dissolve into the new one.
            MakeDeletionMarker(list, *it);
            continue;
        }
        SetGroupId(list, *it, group);
        sumX += std::int64_t{it->rec.d.x1} + it->rec.d.x2;
        sumY += std::int64_t{it->rec.d.y1} + it->rec.d.y2;
        ++k;
    }
    const std::int32_t cx = Round(static_cast<double>(sumX) / static_cast<double>(2 * k));
    const std::int32_t cy = Round(static_cast<double>(sumY) / static_cast<double>(2 * k));

    Item& g = NewItem(list, KindGroup);
    DrawingFields& d = g.rec.d;
    d.x1 = d.x2 = d.left = d.right = d.reference[0] = d.reference[2] = cx;
    d.y1 = d.y2 = d.top = d.bottom = d.reference[1] = d.reference[3] = cy;
    d.angle = 0.0;
    d.length = 0;
    d.selected = 255;
    RealsFromIntegers(g, list.metrics());
    SetGroupId(list, g, group);
    SetEditStep(list, g, step);
    return true;
}

bool SplitSelectedGroups(ItemList& list, HistoryCursor& cursor)
{
    if (BeginEditCopies(list, cursor) == 0)
        return false;
    for (Item* it : SelectedLive(list)) {
        if (it->rec.d.kind == KindGroup)
            MakeDeletionMarker(list, *it);
        else
            SetGroupId(list, *it, 0);
    }
    SelectOnly(list, nullptr);
    return true;
}

bool IsGroupSelected(const ItemList& list)
{
    for (const Item& it : list)
        if (IsSelectedLive(it) && it.rec.d.groupId > 0)
            return true;
    return false;
}

} // namespace vlm

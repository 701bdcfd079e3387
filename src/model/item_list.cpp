#include "model/item_list.h"

#include <set>

namespace vlm {

ItemList::~ItemList()
{
    freeAll();
}

ItemList::ItemList(ItemList&& o) noexcept
    : head_(o.head_),
      tail_(o.tail_),
      size_(o.size_),
      metrics_(o.metrics_),
      nextOrdinal_(o.nextOrdinal_),
      frontOrdinal_(o.frontOrdinal_),
      header_(o.header_),
      headerKnown_(o.headerKnown_),
      bySequence_(std::move(o.bySequence_)),
      byEditStep_(std::move(o.byEditStep_)),
      byStackOrder_(std::move(o.byStackOrder_)),
      byGroupId_(std::move(o.byGroupId_))
{
    o.head_ = o.tail_ = nullptr;
    o.size_ = 0;
    o.header_ = nullptr;
    o.headerKnown_ = true;
    o.bySequence_.clear();
    o.byEditStep_.clear();
    o.byStackOrder_.clear();
    o.byGroupId_.clear();
}

ItemList& ItemList::operator=(ItemList&& o) noexcept
{
    if (this != &o) {
        freeAll();
        ItemList taken(std::move(o));
        std::swap(head_, taken.head_);
        std::swap(tail_, taken.tail_);
        std::swap(size_, taken.size_);
        std::swap(metrics_, taken.metrics_);
        std::swap(nextOrdinal_, taken.nextOrdinal_);
        std::swap(frontOrdinal_, taken.frontOrdinal_);
        std::swap(header_, taken.header_);
        std::swap(headerKnown_, taken.headerKnown_);
        bySequence_.swap(taken.bySequence_);
        byEditStep_.swap(taken.byEditStep_);
        byStackOrder_.swap(taken.byStackOrder_);
        byGroupId_.swap(taken.byGroupId_);
    }
    return *this;
}

void ItemList::freeAll()
{
    // Iterative on purpose: Items link each other by raw pointers and a
    // Clip's cache is a list of its own, so nothing here recurses deeply.
    Item* p = head_;
    while (p) {
        std::unique_ptr<Item> owned(p);
        p = p->next;
    }
    head_ = tail_ = nullptr;
    size_ = 0;
    header_ = nullptr;
    headerKnown_ = true;
    bySequence_.clear();
    byEditStep_.clear();
    byStackOrder_.clear();
    byGroupId_.clear();
}

void ItemList::clear()
{
    freeAll();
}

Item& ItemList::adopt(Item* item, std::uint64_t ordinal)
{
    ++size_;
    item->listKeys = ItemListKeys{};
    item->listKeys.ordinal = ordinal;
    index(*item);
    return *item;
}

Item& ItemList::append(std::unique_ptr<Item> owned)
{
    Item* item = owned.release();
    item->prev = tail_;
    item->next = nullptr;
    (tail_ ? tail_->next : head_) = item;
    tail_ = item;
    return adopt(item, nextOrdinal_++);
}

Item& ItemList::prepend(std::unique_ptr<Item> owned)
{
    Item* item = owned.release();
    item->prev = nullptr;
    item->next = head_;
    (head_ ? head_->prev : tail_) = item;
    head_ = item;
    // A header placed in front of another one becomes the first.
    if (item->rec.d.kind == KindDocumentHeader)
        headerKnown_ = false;
    return adopt(item, --frontOrdinal_);
}

std::unique_ptr<Item> ItemList::unlink(Item& item)
{
    unindex(item);
    if (item.prev)
        item.prev->next = item.next;
    else
        head_ = item.next;
    if (item.next)
        item.next->prev = item.prev;
    else
        tail_ = item.prev;
    item.prev = item.next = nullptr;
    --size_;
    if (header_ == &item) {
        header_ = nullptr;
        headerKnown_ = false;
    }
    return std::unique_ptr<Item>(&item);
}

void ItemList::index(Item& item)
{
    ItemListKeys& k = item.listKeys;
    const DrawingFields& d = item.rec.d;
    k.role = d.role;
    k.kind = d.kind;
    k.sequence = d.sequence;
    k.editStep = d.editStep;
    k.stackOrder = d.stackOrder;
    k.groupId = d.groupId;
    k.indexed = true;
    if (k.kind == KindDocumentHeader && headerKnown_ && !header_)
        header_ = &item;
    if (k.role != RoleDrawing)
        return;
    // Appends mostly carry the largest values, so the end is the usual place.
    bySequence_.emplace_hint(bySequence_.end(), std::make_pair(k.sequence, k.ordinal), &item);
    byEditStep_.emplace_hint(byEditStep_.end(), std::make_pair(k.editStep, k.ordinal), &item);
    byStackOrder_.emplace_hint(byStackOrder_.end(), std::make_pair(k.stackOrder, k.ordinal), &item);
    byGroupId_.emplace(std::make_pair(k.groupId, k.ordinal), &item);
}

void ItemList::unindex(Item& item)
{
    ItemListKeys& k = item.listKeys;
    if (!k.indexed)
        return;
    if (k.role == RoleDrawing) {
        bySequence_.erase({k.sequence, k.ordinal});
        byEditStep_.erase({k.editStep, k.ordinal});
        byStackOrder_.erase({k.stackOrder, k.ordinal});
        byGroupId_.erase({k.groupId, k.ordinal});
    }
    k.indexed = false;
}

void ItemList::reindex(Item& item)
{
    ItemListKeys& k = item.listKeys;
    const DrawingFields& d = item.rec.d;
    if ((k.kind == KindDocumentHeader) != (d.kind == KindDocumentHeader)) {
        if (header_ == &item)
            header_ = nullptr;
        headerKnown_ = false;
    }
    if (!k.indexed || k.role != d.role) {
        unindex(item);
        index(item);
        return;
    }
    k.kind = d.kind;
    if (k.role != RoleDrawing)
        return;
    // Setters change one field at a time; only that entry moves.
    const auto shift = [&](KeyIndex& ix, std::int32_t& key, std::int32_t value) {
        if (key == value)
            return;
        ix.erase({key, k.ordinal});
        key = value;
        ix.emplace_hint(ix.end(), std::make_pair(value, k.ordinal), &item);
    };
    shift(bySequence_, k.sequence, d.sequence);
    shift(byEditStep_, k.editStep, d.editStep);
    shift(byStackOrder_, k.stackOrder, d.stackOrder);
    shift(byGroupId_, k.groupId, d.groupId);
}

Item* ItemList::header() const
{
    if (!headerKnown_) {
        header_ = nullptr;
        for (Item* p = head_; p; p = p->next) {
            if (p->rec.d.kind == KindDocumentHeader) {
                header_ = p;
                break;
            }
        }
        headerKnown_ = true;
    }
    return header_;
}

Item* ItemList::bySequence(std::int32_t sequence) const
{
    auto it = bySequence_.lower_bound({sequence, 0});
    if (it == bySequence_.end() || it->first.first != sequence)
        return nullptr;
    return it->second;
}

std::vector<Item*> ItemList::all(const KeyIndex& ix, std::int32_t lo, std::int32_t hi)
{
    std::vector<Item*> out;
    if (lo > hi)
        return out;
    for (auto it = ix.lower_bound({lo, 0}); it != ix.end() && it->first.first <= hi; ++it)
        out.push_back(it->second);
    return out;
}

std::vector<std::int32_t> ItemList::groupIdsInUse() const
{
    std::vector<std::int32_t> ids;
    auto it = byGroupId_.begin();
    while (it != byGroupId_.end()) {
        const std::int32_t v = it->first.first;
        ids.push_back(v);
        it = byGroupId_.lower_bound({v, UINT64_MAX});
        if (it != byGroupId_.end() && it->first.first == v)
            ++it;
    }
    return ids;
}

bool ItemList::indexConsistent() const
{
    std::size_t drawing = 0, count = 0;
    const Item* prev = nullptr;
    std::uint64_t lastOrdinal = 0;
    for (const Item* p = head_; p; p = p->next) {
        ++count;
        if (p->prev != prev)
            return false;
        prev = p;
        const ItemListKeys& k = p->listKeys;
        const DrawingFields& d = p->rec.d;
        if (!k.indexed || k.role != d.role)
            return false;
        if (count > 1 && k.ordinal <= lastOrdinal)
            return false;
        lastOrdinal = k.ordinal;
        if (d.role != RoleDrawing)
            continue;
        ++drawing;
        const auto has = [&](const KeyIndex& ix, std::int32_t v) {
            auto it = ix.find({v, k.ordinal});
            return it != ix.end() && it->second == p;
        };
        if (!has(bySequence_, d.sequence) || !has(byEditStep_, d.editStep) ||
            !has(byStackOrder_, d.stackOrder) || !has(byGroupId_, d.groupId))
            return false;
    }
    if (prev != tail_ || count != size_)
        return false;
    for (const KeyIndex* ix : {&bySequence_, &byEditStep_, &byStackOrder_, &byGroupId_})
        if (ix->size() != drawing)
            return false;
    const Item* h = nullptr;
    for (const Item* p = head_; p && !h; p = p->next)
        if (p->rec.d.kind == KindDocumentHeader)
            h = p;
    return header() == h;
}

} // namespace vlm

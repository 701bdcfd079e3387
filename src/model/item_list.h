#pragma once

// The ordered, doubly linked list of one Document's records: the
// DocumentHeader first, the GridLines record second, then drawing Items,
// picture stores, embedded line patterns, deletion markers and every hidden
// earlier version kept for undo, in the order they were appended.
//
// The list owns its Items and keeps an index of the drawing records (role 0)
// by sequence, editStep, stackOrder and groupId, so that the running maxima
// (NextSequence, NextEditStep, MaxStackOrder, NextGroupId) and the lookups by
// sequence or stacking order cost O(log n) however long the history grows.
//
// INDEXED FIELDS. rec.d.role, rec.d.sequence, rec.d.editStep,
// rec.d.stackOrder and rec.d.groupId must be written through SetRole,
// SetSequence, SetEditStep, SetStackOrder and SetGroupId, or be followed by
// Reindex(list, item) (for example after copying a whole record over an
// Item); so must rec.d.kind when it becomes or stops being the
// DocumentHeader's (SetKind). Everything else may be written directly.
//
// Record fields are packed and mostly misaligned: copy them (`+d.sequence`)
// before handing them to anything that takes a reference, such as std::max,
// a container's insert or a test assertion.

#include "model/item.h"
#include "model/screen_metrics.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace vlm {

class ItemList {
public:
    ItemList() = default;
    explicit ItemList(const ScreenMetrics& metrics) : metrics_(metrics) {}
    ~ItemList(); // frees iteratively: a list of any length never recurses
    ItemList(ItemList&& other) noexcept;
    ItemList& operator=(ItemList&& other) noexcept;
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    Item* head() const { return head_; }
    Item* tail() const { return tail_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // The screen the real coordinates of this list were made for.
    const ScreenMetrics& metrics() const { return metrics_; }
    void setMetrics(const ScreenMetrics& m) { metrics_ = m; }

    // Takes ownership and links at the tail (or at the head).
    Item& append(std::unique_ptr<Item> item);
    Item& prepend(std::unique_ptr<Item> item);
    // Unlinks and hands the Item back; it is no longer indexed.
    std::unique_ptr<Item> unlink(Item& item);
    // Frees every record; the list becomes empty. Metrics are kept.
    void clear();

    // Brings the index up to date with the Item's record.
    void reindex(Item& item);

    // The first DocumentHeader record, or null. O(1) in the usual case.
    Item* header() const;

    // Lookups over the drawing records (role 0), O(log n).
    Item* bySequence(std::int32_t sequence) const;
    // Largest value among role-0 records, or `none` when there is none.
    std::int32_t maxSequence(std::int32_t none) const { return maxOf(bySequence_, none); }
    std::int32_t maxEditStep(std::int32_t none) const { return maxOf(byEditStep_, none); }
    std::int32_t maxStackOrder(std::int32_t none) const { return maxOf(byStackOrder_, none); }
    std::int32_t maxGroupId(std::int32_t none) const { return maxOf(byGroupId_, none); }
    // Role-0 records with the value, in list order.
    std::vector<Item*> withStackOrder(std::int32_t v) const { return all(byStackOrder_, v, v); }
    std::vector<Item*> withStackOrderIn(std::int32_t lo, std::int32_t hi) const
    {
        return all(byStackOrder_, lo, hi);
    }
    std::vector<Item*> withGroupId(std::int32_t v) const { return all(byGroupId_, v, v); }
    std::vector<Item*> withEditStep(std::int32_t v) const { return all(byEditStep_, v, v); }
    // The group numbers in use (ascending, each once).
    std::vector<std::int32_t> groupIdsInUse() const;

    // True when the index matches every record (for tests and checks).
    bool indexConsistent() const;

    class Iterator {
    public:
        explicit Iterator(Item* p) : p_(p) {}
        Item& operator*() const { return *p_; }
        Item* operator->() const { return p_; }
        Iterator& operator++()
        {
            p_ = p_->next;
            return *this;
        }
        bool operator==(const Iterator& o) const { return p_ == o.p_; }

    private:
        Item* p_;
    };
    Iterator begin() const { return Iterator(head_); }
    Iterator end() const { return Iterator(nullptr); }

private:
    // Keyed by (value, ordinal) so equal values keep list order and an Item
    // is found and erased in O(log n) whatever number of others share a value.
    using KeyIndex = std::map<std::pair<std::int32_t, std::uint64_t>, Item*>;

    static std::int32_t maxOf(const KeyIndex& ix, std::int32_t none)
    {
        return ix.empty() ? none : ix.rbegin()->first.first;
    }
    static std::vector<Item*> all(const KeyIndex& ix, std::int32_t lo, std::int32_t hi);
    Item& adopt(Item* item, std::uint64_t ordinal);
    void index(Item& item);
    void unindex(Item& item);
    void freeAll();

    Item* head_ = nullptr;
    Item* tail_ = nullptr;
    std::size_t size_ = 0;
    ScreenMetrics metrics_;
    std::uint64_t nextOrdinal_ = std::uint64_t{1} << 62;
    std::uint64_t frontOrdinal_ = std::uint64_t{1} << 62;
    mutable Item* header_ = nullptr;
    mutable bool headerKnown_ = true; // header_ is right (null: no header)
    KeyIndex bySequence_, byEditStep_, byStackOrder_, byGroupId_;
};

// Setters for the indexed fields.
void Reindex(ItemList& list, Item& item);
void SetRole(ItemList& list, Item& item, std::int32_t role);
void SetKind(ItemList& list, Item& item, std::int32_t kind);
void SetSequence(ItemList& list, Item& item, std::int32_t sequence);
void SetEditStep(ItemList& list, Item& item, std::int32_t editStep);
void SetStackOrder(ItemList& list, Item& item, std::int32_t stackOrder);
void SetGroupId(ItemList& list, Item& item, std::int32_t groupId);

// The list operations. "Records" means every record, hidden ones included.
Item* FindByKind(const ItemList& list, std::int32_t kind);
Item* FindVisibleByKind(const ItemList& list, std::int32_t kind);
Item* Header(const ItemList& list); // the DocumentHeader, or null
std::int32_t NextSequence(const ItemList& list);  // largest role-0 sequence + 1 (1 for none)
std::int32_t NextEditStep(const ItemList& list);  // largest role-0 editStep + 1 (1 for none)
std::int32_t MaxStackOrder(const ItemList& list); // largest role-0 stackOrder, hidden included (0 for none)
std::int32_t NextGroupId(const ItemList& list);   // largest role-0 groupId + 1 (1 for none)
Item* ItemAtStackOrder(const ItemList& list, std::int32_t n); // first visible role-0 record at n
Item* BySequence(const ItemList& list, std::int32_t sequence); // first role-0 record with it
void SelectOnly(ItemList& list, Item* item);
void SelectLast(ItemList& list);
Item* FirstSelected(const ItemList& list);
Item* SingleSelected(const ItemList& list);
Item* LastExtending(const ItemList& list);
void RemoveItem(ItemList& list, Item& item);
void FreeList(ItemList& list);
void DropClipCaches(ItemList& list);
void SetModified(ItemList& list, bool flag);
bool IsModified(const ItemList& list);
bool IsUntouched(const ItemList& list);
Item* PictureById(const ItemList& list, std::int32_t id);
std::int32_t PictureUseCount(const ItemList& list, std::int32_t id);
bool PictureInUse(const ItemList& list, std::int32_t id);
void CompactGroupIds(ItemList& list);
void SendToBack(ItemList& list, Item& item);
void BringToFront(ItemList& list, Item& item);

// Recomputes a header's page rectangle from its reals and zoom.
void ApplyHeader(Item& header);

// Embeds a custom dash pattern (twelve lengths in millimetres, dash, space,
// dash, ...) as a role-3 record and returns it; a Line uses it by taking the
// record's (negative) kind as its `pattern`.
Item& EmbedLinePattern(ItemList& list, const double (&lengthsMm)[12]);
// The role-3 record a negative `pattern` names, or null.
Item* FindLinePattern(const ItemList& list, std::int32_t pattern);

} // namespace vlm

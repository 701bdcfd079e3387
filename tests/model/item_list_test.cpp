#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/document.h"
#include "model/history.h"
#include "model/item_list.h"

namespace vlm {
namespace {

// The maxima and lookups by scanning, as the list would answer them
// without an index.
struct Scan {
    const ItemList& list;
    template <typename Field>
    std::int32_t max(Field f, std::int32_t none) const
    {
        std::int32_t m = none;
        bool any = false;
        for (const Item& it : list) {
            if (it.rec.d.role != RoleDrawing)
                continue;
            const std::int32_t v = f(it.rec.d);
            m = any ? std::max(m, v) : v;
            any = true;
        }
        return m;
    }
    const Item* atStackOrder(std::int32_t n) const
    {
        for (const Item& it : list)
            if (it.rec.d.role == RoleDrawing && it.rec.d.hidden == 0 && it.rec.d.stackOrder == n)
                return &it;
        return nullptr;
    }
    const Item* bySequence(std::int32_t s) const
    {
        for (const Item& it : list)
            if (it.rec.d.role == RoleDrawing && it.rec.d.sequence == s)
                return &it;
        return nullptr;
    }
};

TEST(ItemList, RunningMaximaAndLookupsStayRightThroughEditsAndRemovals)
{
    std::mt19937 rng(7);
    ItemList list;
    NewItem(list, KindDocumentHeader);
    const int kinds[] = {KindLine, KindText, KindClip, KindGroup, KindPicture, -1, KindGridLines};
    std::vector<Item*> items;
    for (int step = 0; step < 3000; ++step) {
        const int op = rng() % 10;
        if (op < 4 || items.empty()) {
            items.push_back(&NewItem(list, kinds[rng() % 7]));
        } else if (op < 6) {
            const auto i = rng() % items.size();
            RemoveItem(list, *items[i]);
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            Item& it = *items[rng() % items.size()];
            const std::int32_t v = static_cast<std::int32_t>(rng() % 40) - 5;
            switch (op) {
            case 6: SetStackOrder(list, it, v); break;
            case 7: SetEditStep(list, it, v); break;
            case 8: SetGroupId(list, it, v); break;
            default:
                if (rng() % 4 == 0)
                    SetRole(list, it, it.rec.d.role == RoleDrawing ? RolePicture : RoleDrawing);
                else
                    SetSequence(list, it, v);
                it.rec.d.hidden = rng() % 3 == 0 ? 255 : 0;
                break;
            }
        }
        const Scan scan{list};
        ASSERT_EQ(NextSequence(list), scan.max([](const DrawingFields& d) { return d.sequence; }, 0) + 1) << step;
        ASSERT_EQ(NextEditStep(list), scan.max([](const DrawingFields& d) { return d.editStep; }, 0) + 1) << step;
        ASSERT_EQ(MaxStackOrder(list), scan.max([](const DrawingFields& d) { return d.stackOrder; }, 0)) << step;
        ASSERT_EQ(NextGroupId(list), scan.max([](const DrawingFields& d) { return d.groupId; }, 0) + 1) << step;
        const std::int32_t probe = static_cast<std::int32_t>(rng() % 40) - 5;
        ASSERT_EQ(ItemAtStackOrder(list, probe), scan.atStackOrder(probe)) << step;
        ASSERT_EQ(BySequence(list, probe), scan.bySequence(probe)) << step;
    }
    EXPECT_TRUE(list.indexConsistent());
}

TEST(ItemList, CountersSaturateInsteadOfWrapping)
{
    ItemList list;
    Item& it = NewItem(list, KindLine);
    SetSequence(list, it, INT32_MAX);
    SetEditStep(list, it, INT32_MAX);
    SetGroupId(list, it, INT32_MAX);
    EXPECT_EQ(NextSequence(list), INT32_MAX);
    EXPECT_EQ(NextEditStep(list), INT32_MAX);
    EXPECT_EQ(NextGroupId(list), INT32_MAX);
    CompactGroupIds(list);
    EXPECT_EQ(+it.rec.d.groupId, 1);
}

TEST(ItemList, AVeryLongListIsFreedWithoutRecursion)
{
    ItemList list;
    for (int i = 0; i < 200000; ++i)
        NewItem(list, KindLine);
    EXPECT_EQ(list.size(), 200000u);
    ItemList moved = std::move(list);
    EXPECT_TRUE(list.empty());
    FreeList(moved);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(NextSequence(moved), 1);
}

TEST(ItemList, SelectLastSkipsBookkeepingRecordsButNotHiddenOnes)
{
    struct Case {
        bool lineHidden;
        bool lineExtending;
        bool selected;
    };
    for (const Case c : {Case{false, false, true}, Case{true, false, false}, Case{false, true, false}}) {
        ItemList list;
        NewItem(list, KindDocumentHeader);
        Item& other = NewItem(list, KindText);
        other.rec.d.selected = 255;
        Item& line = NewItem(list, KindLine);
        line.rec.d.hidden = c.lineHidden ? 255 : 0;
        line.rec.d.extending = c.lineExtending ? 255 : 0;
        NewItem(list, KindPicture); // role 6 at the tail
        NewItem(list, -1);          // role 3
        SelectLast(list);
        EXPECT_EQ(line.rec.d.selected != 0, c.selected);
        EXPECT_EQ(other.rec.d.selected == 0, c.selected);
    }
}

TEST(ItemList, SelectionQueriesSeeOnlySelectedLiveItems)
{
    ItemList list;
    Item& a = NewItem(list, KindLine);
    Item& b = NewItem(list, KindText);
    Item& c = NewItem(list, KindClip);
    SelectOnly(list, &b);
    EXPECT_EQ(FirstSelected(list), &b);
    EXPECT_EQ(SingleSelected(list), &b);
    a.rec.d.selected = 255;
    EXPECT_EQ(FirstSelected(list), &a);
    EXPECT_EQ(SingleSelected(list), nullptr);
    a.rec.d.hidden = 255;
    EXPECT_EQ(SingleSelected(list), &b);
    c.rec.d.extending = 255;
    EXPECT_EQ(LastExtending(list), &c);
    SelectOnly(list, nullptr);
    EXPECT_EQ(FirstSelected(list), nullptr);
}

TEST(ItemList, CompactGroupIdsClosesGapsFromTheTop)
{
    struct Case {
        std::vector<int> before;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{2, 5}, {2, 1}},
        {{0, 3, 3, 7}, {0, 2, 2, 1}},
        {{1, 2, 3}, {1, 2, 3}},
        {{4}, {1}},
        {{-2, 6, 2}, {-2, 1, 2}},
    };
    for (const Case& c : cases) {
        ItemList list;
        std::vector<Item*> items;
        for (int g : c.before)
            SetGroupId(list, *items.emplace_back(&NewItem(list, KindLine)), g);
        CompactGroupIds(list);
        std::vector<int> got;
        for (Item* it : items)
            got.push_back(+it->rec.d.groupId);
        EXPECT_EQ(got, c.after);
    }
}

TEST(ItemList, StackingMovesOnlyVisibleItemsAndKeepsOrdersDistinct)
{
    ItemList list;
    std::vector<Item*> it;
    for (int i = 1; i <= 5; ++i)
        SetStackOrder(list, *it.emplace_back(&NewItem(list, KindLine)), i);
    Item& hidden = NewItem(list, KindLine);
    hidden.rec.d.hidden = 255;
    SetStackOrder(list, hidden, 2);

    SendToBack(list, *it[3]); // 4 -> 1
    EXPECT_EQ((std::vector<int>{it[0]->rec.d.stackOrder, it[1]->rec.d.stackOrder, it[2]->rec.d.stackOrder,
                                it[3]->rec.d.stackOrder, it[4]->rec.d.stackOrder}),
              (std::vector<int>{2, 3, 4, 1, 5}));
    EXPECT_EQ(+hidden.rec.d.stackOrder, 2);

    BringToFront(list, *it[0]); // 2 -> 5
    EXPECT_EQ((std::vector<int>{it[0]->rec.d.stackOrder, it[1]->rec.d.stackOrder, it[2]->rec.d.stackOrder,
                                it[3]->rec.d.stackOrder, it[4]->rec.d.stackOrder}),
              (std::vector<int>{5, 2, 3, 1, 4}));
    EXPECT_EQ(ItemAtStackOrder(list, 2), it[1]);
}

TEST(ItemList, PictureUseCountsHiddenClipsWhileInUseDoesNot)
{
    ItemList list;
    Item& pic = NewItem(list, KindPicture);
    pic.rec.d.pictureId = 17;
    Item& clip = NewItem(list, KindClip);
    clip.rec.d.pictureId = 17;
    Item& old = NewItem(list, KindClip);
    old.rec.d.pictureId = 17;
    old.rec.d.hidden = 255;
    EXPECT_EQ(PictureById(list, 17), &pic);
    EXPECT_EQ(PictureUseCount(list, 17), 2);
    EXPECT_TRUE(PictureInUse(list, 17));
    clip.rec.d.hidden = 255;
    EXPECT_EQ(PictureUseCount(list, 17), 2);
    EXPECT_FALSE(PictureInUse(list, 17));
}

TEST(ItemList, EmbeddedPatternsTakeDescendingNegativeKinds)
{
    ItemList list;
    const double a[12] = {2, 1, 0.5, 1};
    const double b[12] = {0, 1, 2};
    Item& first = EmbedLinePattern(list, a);
    Item& second = EmbedLinePattern(list, b);
    EXPECT_EQ(+first.rec.d.kind, -1);
    EXPECT_EQ(+first.rec.d.role, RolePattern);
    EXPECT_EQ(+first.rec.p.count, 4);
    EXPECT_EQ(+second.rec.d.kind, -2);
    EXPECT_EQ(+second.rec.p.count, 0);
    EXPECT_EQ(FindLinePattern(list, -2), &second);
    EXPECT_EQ(FindLinePattern(list, 3), nullptr);
    // Only drawing records count towards the sequence.
    EXPECT_EQ(NextSequence(list), 1);
}

TEST(ItemList, DiscardRedoRemovesUndoneRecordsAndPicturesOnlyTheyUsed)
{
    ItemList list;
    NewItem(list, KindDocumentHeader);
    Item& shared = NewItem(list, KindPicture);
    shared.rec.d.pictureId = 1;
    Item& alone = NewItem(list, KindPicture);
    alone.rec.d.pictureId = 2;
    Item& keep = NewItem(list, KindClip);
    keep.rec.d.pictureId = 1;
    for (int id : {1, 2}) {
        Item& undone = NewItem(list, KindClip);
        undone.rec.d.pictureId = id;
        undone.rec.d.historyState = 2;
    }
    NewItem(list, KindLine).rec.d.historyState = 2;
    DiscardRedo(list);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(PictureById(list, 1), &shared);
    EXPECT_EQ(PictureById(list, 2), nullptr);
    EXPECT_EQ(keep.next, nullptr);
    EXPECT_TRUE(list.indexConsistent());
}

TEST(ItemList, ApplyHeaderLaysThePageOutAtTheZoom)
{
    ItemList list;
    Item& h = NewItem(list, KindDocumentHeader);
    HeaderFields& f = h.rec.h;
    f.originX = 0.2;
    f.originY = 0.2;
    f.areaWidth = 8.5;
    f.areaHeight = 11;
    f.pixelsPerUnitX = f.pixelsPerUnitY = 96;
    f.zoom = 1.5;
    ApplyHeader(h);
    EXPECT_EQ(+f.x1, 29); // 28.8
    EXPECT_EQ(+f.y1, 29);
    EXPECT_EQ(+f.x2, 29 + 1224);
    EXPECT_EQ(+f.y2, 29 + 1584);
    EXPECT_EQ(+f.width, 1224);
    EXPECT_EQ(+f.height, 1584);
    f.areaWidth = -1;
    ApplyHeader(h);
    EXPECT_EQ(+f.left, 29 - 144);
    EXPECT_EQ(+f.right, 29);
}

} // namespace
} // namespace vlm

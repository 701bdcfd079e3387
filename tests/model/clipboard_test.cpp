#include <gtest/gtest.h>

#include "model/clipboard.h"
#include "model/document.h"
#include "model/undo.h"

#include <utility>
#include <vector>

namespace vlm {
namespace {

struct Session {
    Session() { InitDocument(doc, DocumentDefaults{}, OpenDocumentList{}); }

    ItemList& list() { return doc.items; }

    // An Item as a creating tool commits it: its own edit step, on top.
    Item& add(std::int32_t kind, int x, int y, std::int32_t groupId = 0)
    {
        DiscardRedo(list(), cursor);
        const std::int32_t step = NextEditStep(list());
        const std::int32_t order = MaxStackOrder(list()) + 1;
        Item& it = NewItem(list(), kind);
        it.rec.d.x1 = x;
        it.rec.d.y1 = y;
        it.rec.d.x2 = x + 20;
        it.rec.d.y2 = y + 10;
        if (kind == KindCircle || kind == KindSpline) {
            Vertex v;
            v.x = x;
            v.y = y;
            v.controlA[0] = x - 3;
            v.controlA[1] = y - 3;
            it.vertices = {v, v};
        }
        SetEditStep(list(), it, step);
        SetStackOrder(list(), it, order);
        SetGroupId(list(), it, groupId);
        return it;
    }

    Item& groupRecord(std::int32_t id, int x, int y)
    {
        Item& g = NewItem(list(), KindGroup);
        g.rec.d.x1 = g.rec.d.x2 = x;
        g.rec.d.y1 = g.rec.d.y2 = y;
        SetGroupId(list(), g, id);
        return g;
    }

    Item& picture(std::int32_t id, std::vector<std::uint8_t> bytes)
    {
        Item& p = NewItem(list(), KindPicture);
        p.rec.d.pictureId = id;
        p.pictureData = std::move(bytes);
        return p;
    }

    Item& clip(std::int32_t pictureId, int x)
    {
        Item& c = add(KindClip, x, 50);
        c.rec.d.pictureId = pictureId;
        return c;
    }

    std::vector<Item*> live(std::int32_t kind) const
    {
        std::vector<Item*> found;
        for (Item& it : doc.items)
            if (IsLive(it) && it.rec.d.kind == kind)
                found.push_back(&it);
        return found;
    }

    std::vector<Item*> selected() const
    {
        std::vector<Item*> found;
        for (Item& it : doc.items)
            if (IsSelectedLive(it))
                found.push_back(&it);
        return found;
    }

    static void select(std::initializer_list<Item*> items)
    {
        for (Item* it : items)
            it->rec.d.selected = 255;
    }

    Document doc;
    HistoryCursor cursor;
};

PasteResult Paste(Session& target, const ItemList& clipboard, const OpenDocuments& open = OpenDocumentList{})
{
    return PasteItems(target.list(), clipboard, open, {});
}

TEST(Cut, DeletesTheSelectionInOneUndoableStep)
{
    Session s;
    Item& text = s.add(KindText, 10, 10);
    Item& circle = s.add(KindCircle, 40, 40);
    Item& line = s.add(KindLine, 70, 70);
    const std::size_t before = s.list().size();
    EXPECT_FALSE(DeleteSelectedItems(s.list(), s.cursor)) << "nothing selected";
    EXPECT_EQ(s.list().size(), before);

    Session::select({&text, &circle});
    ASSERT_TRUE(DeleteSelectedItems(s.list(), s.cursor));
    EXPECT_TRUE(s.live(KindText).empty());
    EXPECT_TRUE(s.live(KindCircle).empty());
    EXPECT_EQ(s.live(KindLine).size(), 1u);
    EXPECT_TRUE(s.selected().empty());
    const std::vector<Item*> markers = s.live(KindDeletionMarker);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(+markers[0]->rec.d.predecessor, +text.rec.d.sequence);
    EXPECT_EQ(+markers[1]->rec.d.stackOrder, +circle.rec.d.stackOrder);
    EXPECT_EQ(+markers[0]->rec.d.editStep, +markers[1]->rec.d.editStep);

    ASSERT_TRUE(UndoLastAction(s.list(), s.cursor));
    EXPECT_EQ(s.live(KindText).size(), 1u);
    EXPECT_EQ(s.live(KindCircle).size(), 1u);
    EXPECT_TRUE(s.live(KindDeletionMarker).empty());
    EXPECT_TRUE(UndoLastAction(s.list(), s.cursor)) << "the line's own step is next";
    EXPECT_EQ(line.rec.d.hidden, 255);
}

TEST(Cut, TheMarkerOfAGroupMemberIsNoPartOfTheGroup)
{
    Session s;
    Item& a = s.add(KindLine, 0, 0, 1);
    s.add(KindLine, 30, 0, 1);
    s.groupRecord(1, 15, 5);
    Session::select({&a});
    ASSERT_TRUE(DeleteSelectedItems(s.list(), s.cursor));
    for (Item* member : s.list().withGroupId(1))
        EXPECT_NE(+member->rec.d.kind, +KindDeletionMarker);
}

TEST(Copy, TheClipboardHoldsTheHeaderTheItemsAndEachPictureOnce)
{
    Session s;
    s.picture(7, {1, 2, 3});
    Item& c1 = s.clip(7, 10);
    Item& c2 = s.clip(7, 90);
    Item& line = s.add(KindLine, 5, 5, 4);
    Item& group = s.groupRecord(4, 5, 5);
    s.add(KindCircle, 200, 200); // not selected
    Session::select({&c1, &c2, &line, &group});
    s.list().header()->rec.h.zoom = 1.5;

    ItemList clipboard;
    CopyItemsToClipboard(s.list(), clipboard);
    std::vector<std::int32_t> kinds;
    for (const Item& it : clipboard)
        kinds.push_back(+it.rec.d.kind);
    EXPECT_EQ(kinds, (std::vector<std::int32_t>{KindDocumentHeader, KindClip, KindPicture, KindClip, KindLine,
                                                KindGroup}));
    EXPECT_DOUBLE_EQ(clipboard.header()->rec.h.zoom, 1.5);
    for (const Item& it : clipboard)
        EXPECT_EQ(it.rec.d.selected, 0);
    EXPECT_EQ(+clipboard.tail()->rec.d.groupId, 1) << "group numbers compacted";
    EXPECT_TRUE(HasPastableItem(clipboard));

    // A Copy without a selection leaves the header only: nothing to paste.
    SelectOnly(s.list(), nullptr);
    CopyItemsToClipboard(s.list(), clipboard);
    EXPECT_EQ(clipboard.size(), 1u);
    EXPECT_FALSE(HasPastableItem(clipboard));
}

TEST(Paste, EachPasteIsOffsetFromTheCopiedItemsAndSelectedAlone)
{
    Session s;
    Item& circle = s.add(KindCircle, 100, 100);
    Item& line = s.add(KindLine, 300, 50);
    Session::select({&circle, &line});
    ItemList clipboard;
    CopyItemsToClipboard(s.list(), clipboard);
    SelectOnly(s.list(), nullptr);

    int recomputed = 0;
    for (int round = 1; round <= 2; ++round) {
        const PasteResult r =
            PasteItems(s.list(), clipboard, OpenDocumentList{}, [&recomputed](Item&) { ++recomputed; });
        ASSERT_TRUE(r.pasted);
        const std::vector<Item*> now = s.selected();
        ASSERT_EQ(now.size(), 2u) << "round " << round;
        EXPECT_EQ(+now[0]->rec.d.kind, +KindCircle);
        EXPECT_EQ(std::pair(+now[0]->rec.d.x1, +now[0]->rec.d.y1), std::pair(110, 110));
        EXPECT_EQ(now[0]->vertices[0].controlA[0], 107);
        EXPECT_EQ(now[0]->vertices[0].savedX, 110);
        EXPECT_EQ(+now[0]->rec.d.reference[0], 110);
        EXPECT_EQ(std::pair(+now[1]->rec.d.x2, +now[1]->rec.d.y2), std::pair(330, 70));
        EXPECT_EQ(+now[0]->rec.d.stackOrder, 2 * round + 1);
        EXPECT_EQ(+now[1]->rec.d.stackOrder, 2 * round + 2);
        EXPECT_EQ(+now[0]->rec.d.editStep, +r.editStep);
        EXPECT_EQ(+now[1]->rec.d.editStep, +r.editStep);
    }
    EXPECT_EQ(recomputed, 4);
    // Each paste is one step of the history.
    ASSERT_TRUE(UndoLastAction(s.list(), s.cursor));
    EXPECT_EQ(s.live(KindCircle).size(), 2u);
}

TEST(Paste, PastedGroupsTakeNumbersAboveTheTargetsAndKeepTheirGroupRecord)
{
    Session source;
    Item& a = source.add(KindLine, 0, 0, 1);
    Item& b = source.add(KindLine, 40, 0, 1);
    Item& g = source.groupRecord(1, 30, 5);
    Session::select({&a, &b, &g});
    ItemList clipboard;
    CopyItemsToClipboard(source.list(), clipboard);

    Session target;
    target.add(KindLine, 0, 0, 1);
    target.add(KindLine, 0, 0, 2);
    ASSERT_TRUE(Paste(target, clipboard).pasted);
    std::vector<std::int32_t> groups;
    for (Item* it : target.selected())
        groups.push_back(+it->rec.d.groupId);
    // The clipboard's group 1 plus the target's next free number, 3.
    EXPECT_EQ(groups, (std::vector<std::int32_t>{4, 4, 4}));
    const std::vector<Item*> records = target.live(KindGroup);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(std::pair(+records[0]->rec.d.x1, +records[0]->rec.d.y1), std::pair(40, 15));
}

TEST(Copy, AGroupTravelsWithItsGroupRecordOrNotAtAll)
{
    // Group 1: three lines and its record; an area selection takes members
    // only, never the record.
    struct Case {
        const char* what;
        std::vector<int> members; // indexes of the lines selected
        bool recordSelected;
        std::size_t records;      // Group records pasted
        std::int32_t groupOfPasted; // 1 in the clipboard, after the empty target's 1
    };
    const Case cases[] = {
        {"every member, as an area selects them", {0, 1, 2}, false, 1, 2},
        {"every member and the record, as a click selects them", {0, 1, 2}, true, 1, 2},
        {"two of three members", {0, 1}, false, 0, 0},
        {"two of three with the record", {0, 2}, true, 0, 0},
        {"the record alone", {}, true, 0, 0},
    };
    for (const Case& c : cases) {
        Session source;
        Item* lines[] = {&source.add(KindLine, 0, 0, 1), &source.add(KindLine, 40, 0, 1),
                         &source.add(KindLine, 80, 0, 1)};
        Item& record = source.groupRecord(1, 50, 5);
        source.add(KindLine, 0, 90, 2); // another group, not selected
        source.groupRecord(2, 10, 95);
        for (int i : c.members)
            Session::select({lines[i]});
        if (c.recordSelected)
            Session::select({&record});
        ItemList clipboard;
        CopyItemsToClipboard(source.list(), clipboard);

        Session target;
        Paste(target, clipboard);
        const std::vector<Item*> pasted = target.live(KindLine);
        ASSERT_EQ(pasted.size(), c.members.size()) << c.what;
        const std::vector<Item*> records = target.live(KindGroup);
        ASSERT_EQ(records.size(), c.records) << c.what;
        for (Item* line : pasted)
            EXPECT_EQ(+line->rec.d.groupId, c.groupOfPasted) << c.what;
        if (!records.empty()) {
            EXPECT_EQ(+records[0]->rec.d.groupId, c.groupOfPasted) << c.what;
            EXPECT_EQ(std::pair(+records[0]->rec.d.x1, +records[0]->rec.d.y1), std::pair(60, 15)) << c.what;
        }
    }
}

TEST(Paste, NeedsAHeaderOnBothSides)
{
    Session source;
    Item& line = source.add(KindLine, 0, 0);
    Session::select({&line});
    ItemList clipboard;
    CopyItemsToClipboard(source.list(), clipboard);

    ItemList headless;
    NewItem(headless, KindLine);
    EXPECT_FALSE(PasteItems(headless, clipboard, OpenDocumentList{}, {}).pasted);
    EXPECT_EQ(headless.size(), 1u);

    ItemList empty;
    Session target;
    EXPECT_FALSE(Paste(target, empty).pasted);
}

TEST(Paste, PicturesAreSharedWhenTheBytesAgreeAndRenumberedWhenNot)
{
    Session source;
    source.picture(7, {1, 2, 3});
    Item& c1 = source.clip(7, 10);
    Item& c2 = source.clip(7, 90);
    Session::select({&c1, &c2});
    ItemList clipboard;
    CopyItemsToClipboard(source.list(), clipboard);

    // The same picture: one record for both documents' clips.
    Session same;
    same.picture(7, {1, 2, 3});
    ASSERT_TRUE(Paste(same, clipboard).pasted);
    EXPECT_EQ(same.live(KindPicture).size(), 0u) << "picture records are no drawing records";
    int pictures = 0;
    for (const Item& it : same.list())
        pictures += it.rec.d.kind == KindPicture ? 1 : 0;
    EXPECT_EQ(pictures, 1);
    for (Item* c : same.selected())
        EXPECT_EQ(+c->rec.d.pictureId, 7);

    // A document opened from disk whose picture 7 is another picture.
    Session other;
    other.picture(7, {9, 9});
    Item& own = other.clip(7, 300);
    const OpenDocumentList open({&source.doc, &other.doc});
    ASSERT_TRUE(Paste(other, clipboard, open).pasted);
    std::vector<Item*> records;
    for (Item& it : other.list())
        if (it.rec.d.kind == KindPicture)
            records.push_back(&it);
    ASSERT_EQ(records.size(), 2u);
    const std::int32_t fresh = records[1]->rec.d.pictureId;
    EXPECT_NE(fresh, 7);
    EXPECT_EQ(records[1]->pictureData, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(records[0]->pictureData, (std::vector<std::uint8_t>{9, 9}));
    for (Item* c : other.selected())
        EXPECT_EQ(+c->rec.d.pictureId, fresh);
    EXPECT_EQ(+own.rec.d.pictureId, 7);

    // Pictures are matched by number: a second paste meets the other
    // picture 7 again and is renumbered again.
    SelectOnly(other.list(), nullptr);
    ASSERT_TRUE(Paste(other, clipboard, open).pasted);
    for (Item* c : other.selected())
        EXPECT_NE(+c->rec.d.pictureId, 7);
}

TEST(Join, MakesOneGroupOfGroupedAndLooseItemsUndoneInOneStep)
{
    Session s;
    Item& a = s.add(KindLine, 0, 0, 1);  // (0,0)-(20,10)
    Item& b = s.add(KindLine, 40, 0, 1); // (40,0)-(60,10)
    Item& old = s.groupRecord(1, 30, 5);
    Item& c = s.add(KindCircle, 100, 50); // (100,50)-(120,60)
    Session::select({&a, &b, &old, &c});

    ASSERT_TRUE(JoinSelectedItems(s.list(), s.cursor));
    const std::vector<Item*> records = s.live(KindGroup);
    ASSERT_EQ(records.size(), 1u);
    const Item& group = *records[0];
    EXPECT_EQ(+group.rec.d.groupId, 2);
    EXPECT_EQ(group.rec.d.selected, 255);
    // x: (0+20+40+60+100+120)/6 = 56.67; y: (0+10+0+10+50+60)/6 = 21.67.
    EXPECT_EQ(std::pair(+group.rec.d.x1, +group.rec.d.y1), std::pair(57, 22));
    EXPECT_EQ(std::pair(+group.rec.d.x2, +group.rec.d.reference[1]), std::pair(57, 22));
    std::vector<std::int32_t> ids;
    for (Item* it : s.selected())
        ids.push_back(+it->rec.d.groupId);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{2, 2, 2, 2}));
    ASSERT_EQ(s.live(KindDeletionMarker).size(), 1u);
    EXPECT_EQ(+s.live(KindDeletionMarker)[0]->rec.d.predecessor, +old.rec.d.sequence);

    ASSERT_TRUE(UndoLastAction(s.list(), s.cursor));
    EXPECT_EQ(s.live(KindGroup).size(), 1u);
    EXPECT_TRUE(IsLive(old));
    EXPECT_EQ(+a.rec.d.groupId, 1);
    EXPECT_TRUE(IsLive(c));
    EXPECT_EQ(+c.rec.d.groupId, 0);
    EXPECT_TRUE(s.live(KindDeletionMarker).empty());
}

TEST(Split, DissolvesTheSelectedGroupsAndUndoBringsThemBack)
{
    Session s;
    Item& a = s.add(KindLine, 0, 0, 1);
    Item& b = s.add(KindLine, 40, 0, 1);
    Item& g = s.groupRecord(1, 30, 5);
    Session::select({&a, &b, &g});
    EXPECT_TRUE(IsGroupSelected(s.list()));
    ASSERT_TRUE(SplitSelectedGroups(s.list(), s.cursor));
    EXPECT_TRUE(s.selected().empty());
    EXPECT_TRUE(s.live(KindGroup).empty());
    for (Item* line : s.live(KindLine))
        EXPECT_EQ(+line->rec.d.groupId, 0);
    ASSERT_TRUE(UndoLastAction(s.list(), s.cursor));
    EXPECT_TRUE(IsLive(g));
    EXPECT_TRUE(IsLive(a) && IsLive(b));
    EXPECT_EQ(+b.rec.d.groupId, 1);
}

} // namespace
} // namespace vlm

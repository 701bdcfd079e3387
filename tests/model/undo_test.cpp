#include <gtest/gtest.h>

#include "model/document.h"
#include "model/undo.h"

#include <vector>

namespace vlm {
namespace {

// A Document as a window starts it, plus the history cursor the window keeps.
struct Session {
    Session() { InitDocument(doc, DocumentDefaults{}, OpenDocumentList{}); }

    ItemList& list() { return doc.items; }

    // A new Line as a creating tool commits it: its own edit step, on top.
    Item& draw(int x)
    {
        DiscardRedo(list(), cursor);
        const std::int32_t step = NextEditStep(list());
        const std::int32_t order = MaxStackOrder(list()) + 1;
        Item& line = NewItem(list(), KindLine);
        line.rec.d.x1 = x;
        line.rec.d.x2 = x + 5;
        SetEditStep(list(), line, step);
        SetStackOrder(list(), line, order);
        return line;
    }

    // Selects `item` and moves it by dx as one edit.
    void move(Item& item, int dx)
    {
        SelectOnly(list(), &item);
        ASSERT_NE(BeginEditCopies(list(), cursor), 0);
        Item* copy = list().tail();
        copy->rec.d.x1 += dx;
        copy->rec.d.x2 += dx;
        SelectOnly(list(), nullptr);
    }

    // The visible Lines' x1, in stacking order.
    std::vector<int> shown()
    {
        std::vector<int> xs;
        for (std::int32_t n = 1; n <= MaxStackOrder(list()); ++n)
            if (Item* it = ItemAtStackOrder(list(), n); it && it->rec.d.kind == KindLine)
                xs.push_back(it->rec.d.x1);
        return xs;
    }

    bool undo() { return UndoLastAction(list(), cursor); }
    bool redo() { return RedoNextAction(list(), cursor); }
    bool canUndo() { return CanUndo(list(), cursor); }
    bool canRedo() { return CanRedo(list(), cursor); }

    Document doc;
    HistoryCursor cursor;
};

Item& LastVisibleLine(ItemList& list)
{
    for (Item* p = list.tail(); p; p = p->prev)
        if (p->rec.d.kind == KindLine && p->rec.d.hidden == 0)
            return *p;
    ADD_FAILURE() << "no visible line";
    return *list.tail();
}

TEST(Undo, DrawMoveMoveIsUndoneStepByStepAndRedoneToTheEnd)
{
    Session s;
    Item& line = s.draw(0);
    s.move(line, 10);
    s.move(LastVisibleLine(s.list()), 10);
    EXPECT_EQ(s.list().size(), 2u + 3u);
    EXPECT_EQ(s.shown(), std::vector<int>{20});

    const std::vector<std::vector<int>> afterUndo = {{10}, {0}, {}};
    for (const auto& expected : afterUndo) {
        EXPECT_TRUE(s.undo());
        EXPECT_EQ(s.shown(), expected);
        EXPECT_TRUE(s.canRedo());
    }
    EXPECT_FALSE(s.canUndo());
    EXPECT_FALSE(s.undo());

    const std::vector<std::vector<int>> afterRedo = {{0}, {10}, {20}};
    for (const auto& expected : afterRedo) {
        EXPECT_TRUE(s.redo());
        EXPECT_EQ(s.shown(), expected);
    }
    EXPECT_FALSE(s.canRedo());
    EXPECT_TRUE(s.canUndo());
    EXPECT_TRUE(s.list().indexConsistent());
}

TEST(Undo, ANewItemAfterUndoDiscardsTheRedoPartForGood)
{
    Session s;
    Item& line = s.draw(0);
    s.move(line, 10);
    ASSERT_TRUE(s.undo());
    ASSERT_TRUE(s.canRedo());
    s.draw(50);
    EXPECT_FALSE(s.canRedo());
    EXPECT_FALSE(s.redo());
    EXPECT_EQ(s.shown(), (std::vector<int>{0, 50}));
    // The undone version is gone, not just hidden.
    EXPECT_EQ(s.list().size(), 2u + 2u);
}

TEST(Undo, TwoDeletionsOfOneActionComeBackInOneStep)
{
    Session s;
    Item& a = s.draw(0);
    Item& b = s.draw(10);
    const std::int32_t step = NextEditStep(s.list());
    for (Item* it : {&a, &b}) {
        Item* marker = CopyItem(s.list(), it);
        it->rec.d.hidden = 255;
        SetKind(s.list(), *marker, KindDeletionMarker);
        marker->rec.d.predecessor = it->rec.d.sequence;
        SetEditStep(s.list(), *marker, step);
    }
    EXPECT_TRUE(s.shown().empty());
    ASSERT_TRUE(s.undo());
    EXPECT_EQ(s.shown(), (std::vector<int>{0, 10}));
    ASSERT_TRUE(s.redo());
    EXPECT_TRUE(s.shown().empty());
}

TEST(Undo, StackingChangesAreReversedAndAppliedAgain)
{
    struct Case {
        bool behind;
        int selected; // index of the Item moved
        std::vector<int> moved;
    };
    const Case cases[] = {
        {true, 2, {20, 0, 10}},
        {true, 1, {10, 0, 20}},
        {false, 0, {10, 20, 0}},
        {false, 1, {0, 20, 10}},
    };
    for (const Case& c : cases) {
        Session s;
        Item* items[] = {&s.draw(0), &s.draw(10), &s.draw(20)};
        SelectOnly(s.list(), items[c.selected]);
        ASSERT_EQ(c.behind ? PlaceSelectedBehind(s.doc) : PlaceSelectedOnTop(s.doc), 1);
        EXPECT_EQ(s.shown(), c.moved);
        ASSERT_TRUE(s.undo());
        EXPECT_EQ(s.shown(), (std::vector<int>{0, 10, 20})) << "undo of case " << c.selected;
        for (std::int32_t n = 1; n <= 3; ++n)
            EXPECT_EQ(ItemAtStackOrder(s.list(), n), items[n - 1]);
        ASSERT_TRUE(s.redo());
        EXPECT_EQ(s.shown(), c.moved) << "redo of case " << c.selected;
    }
}

// Loads are modelled by taking every record out of the history, as the
// reader does.
void AsLoaded(ItemList& list)
{
    for (Item& it : list)
        if (it.rec.d.role == RoleDrawing) {
            it.rec.d.historyState = 0;
            it.rec.d.predecessor = 0;
        }
}

TEST(Undo, ALoadedDocumentHasNothingToUndoUntilItsFirstEdit)
{
    Session s;
    Item& line = s.draw(0);
    s.draw(30);
    AsLoaded(s.list());
    EXPECT_FALSE(s.canUndo());
    EXPECT_FALSE(s.canRedo());

    s.move(line, 7);
    EXPECT_TRUE(s.canUndo());
    ASSERT_TRUE(s.undo());
    EXPECT_EQ(s.shown(), (std::vector<int>{0, 30}));
    EXPECT_FALSE(s.canUndo());
    ASSERT_TRUE(s.canRedo());
    ASSERT_TRUE(s.redo());
    EXPECT_EQ(s.shown(), (std::vector<int>{7, 30}));
}

TEST(Undo, AStackingCommandOnALoadedItemNeverHidesTheLoadedVersion)
{
    Session s;
    Item& a = s.draw(0);
    s.draw(10);
    AsLoaded(s.list());
    SelectOnly(s.list(), &a);
    ASSERT_EQ(PlaceSelectedOnTop(s.doc), 1);
    ASSERT_TRUE(s.undo());
    EXPECT_FALSE(s.canUndo());
    EXPECT_FALSE(s.undo());
    EXPECT_EQ(s.shown(), (std::vector<int>{0, 10}));
}

TEST(Undo, BeginEditWithoutASelectionMakesNoStep)
{
    Session s;
    s.draw(0);
    SelectOnly(s.list(), nullptr);
    const std::size_t before = s.list().size();
    EXPECT_EQ(BeginEditCopies(s.list()), 0);
    EXPECT_EQ(s.list().size(), before);
}

TEST(Undo, TheEditCopyRemembersWhereTheEditBegan)
{
    Session s;
    Item& tri = NewItem(s.list(), KindTriangle);
    tri.rec.d.x1 = 3;
    tri.rec.d.y2 = 9;
    tri.rec.d.rotation = 0.5;
    tri.vertices.resize(3);
    tri.vertices[1].x = 40;
    tri.vertices[1].controlB[1] = 8;
    SelectOnly(s.list(), &tri);
    ASSERT_NE(BeginEditCopies(s.list()), 0);
    const Item& copy = *s.list().tail();
    EXPECT_EQ(+copy.rec.d.predecessor, +tri.rec.d.sequence);
    EXPECT_EQ(int{copy.rec.d.selected}, 255);
    EXPECT_EQ(int{tri.rec.d.hidden}, 255);
    EXPECT_EQ(+copy.rec.d.reference[0], 3);
    EXPECT_EQ(+copy.rec.d.reference[3], 9);
    EXPECT_EQ(+copy.rec.d.rotationAtGrab, 0.5);
    EXPECT_EQ(copy.vertices[1].savedX, 40);
    EXPECT_EQ(copy.vertices[1].savedControlB[1], 8);
}

TEST(Undo, ClearingTheHistoryDropsHiddenVersionsAndRenumbers)
{
    Session s;
    Item& a = s.draw(0);
    Item& b = s.draw(10);
    s.move(b, 5);
    // Delete a.
    const std::int32_t step = NextEditStep(s.list());
    Item* marker = CopyItem(s.list(), &a);
    a.rec.d.hidden = 255;
    SetKind(s.list(), *marker, KindDeletionMarker);
    marker->rec.d.predecessor = a.rec.d.sequence;
    SetEditStep(s.list(), *marker, step);
    Item& empty = NewItem(s.list(), KindText); // a text never typed into

    ClearHistory(s.list(), s.cursor);
    std::int32_t expected = 0;
    for (const Item& it : s.list()) {
        if (it.rec.d.role != RoleDrawing)
            continue;
        EXPECT_EQ(+it.rec.d.sequence, ++expected);
        EXPECT_EQ(+it.rec.d.historyState, 0);
        EXPECT_EQ(+it.rec.d.predecessor, 0);
        EXPECT_NE(+it.rec.d.kind, +KindDeletionMarker);
        EXPECT_NE(&it, &empty);
    }
    EXPECT_EQ(expected, 2); // the grid record and the moved b
    EXPECT_EQ(s.shown(), std::vector<int>{15});
    EXPECT_FALSE(s.canUndo());
    EXPECT_FALSE(s.canRedo());
    EXPECT_TRUE(s.list().indexConsistent());
}

TEST(Undo, ClearingTheHistoryCompactsGroupNumbers)
{
    Session s;
    Item& a = s.draw(0);
    Item& b = s.draw(10);
    SetGroupId(s.list(), a, 2);
    SetGroupId(s.list(), b, 5);
    ClearHistory(s.list(), s.cursor);
    EXPECT_EQ(s.list().groupIdsInUse(), (std::vector<std::int32_t>{0, 1, 2})); // 0: the ungrouped records
}

TEST(Undo, AStaleCursorGivesTheRightAnswers)
{
    Session s;
    Item& line = s.draw(0);
    s.move(line, 1);
    ASSERT_TRUE(s.canUndo());
    // Another Document is loaded into the same list: all records outside
    // the history, fewer of them than before.
    s.doc.items.clear();
    InitDocument(s.doc, DocumentDefaults{}, OpenDocumentList{});
    s.draw(0);
    AsLoaded(s.list());
    EXPECT_FALSE(s.canUndo());
    EXPECT_FALSE(s.canRedo());
    s.draw(40);
    EXPECT_TRUE(s.canUndo());
    ASSERT_TRUE(s.undo());
    EXPECT_EQ(s.shown(), std::vector<int>{0});
}

} // namespace
} // namespace vlm

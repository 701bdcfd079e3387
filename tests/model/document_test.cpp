#include <gtest/gtest.h>

#include "model/document.h"
#include "model/random.h"

namespace vlm {
namespace {

std::vector<std::int32_t> Positions(const std::vector<GridLine>& lines, GridOrientation o)
{
    std::vector<std::int32_t> out;
    for (const GridLine& g : lines)
        out.push_back(GridLinePosition(o, g));
    return out;
}

TEST(Document, InitialisationMakesHeaderAndGridForEachUnit)
{
    struct Case {
        std::int32_t units;
        double ppu;
        std::int32_t x1, width, firstStep;
        std::size_t vertical, horizontal;
        double paperW, paperH;
    };
    const Case cases[] = {
        // pixels: origin 50, area 400 x 200, spacing 25
        {1, 1.0, 50, 400, 25, 17, 9, 200, 200},
        // millimetres at 96 dpi: origin 10 mm = 37.8 px, 210 x 297 every 10 mm
        {2, 96 / 25.4, 38, 794, 38, 22, 30, 210, 297},
        // inches: origin 0.2 in, 8.5 x 11 every 0.25 in
        {3, 96.0, 19, 816, 24, 35, 45, 8.5, 11},
    };
    for (const Case& c : cases) {
        DocumentDefaults def;
        def.units = c.units;
        def.pixelsPerUnitX = def.pixelsPerUnitY = c.ppu;
        def.lightDirection = 2;
        def.gridV = 1;
        Document doc;
        InitDocument(doc, def, OpenDocumentList{});
        ASSERT_EQ(doc.items.size(), 2u);
        EXPECT_TRUE(IsUntouched(doc.items));
        const HeaderFields& h = Header(doc.items)->rec.h;
        EXPECT_EQ(doc.items.head(), Header(doc.items));
        EXPECT_EQ(+h.role, RoleHeader);
        EXPECT_GE(+h.windowId, 0);
        EXPECT_EQ(+h.units, c.units);
        EXPECT_EQ(+h.zoom, 1.0);
        EXPECT_EQ(+h.x1, c.x1);
        EXPECT_EQ(+h.width, c.width);
        EXPECT_EQ(+h.pageDims[DimPaperWidth], c.paperW);
        EXPECT_EQ(+h.pageDims[DimPaperHeight], c.paperH);
        EXPECT_EQ(+h.rows, 0);
        EXPECT_EQ(int{h.lightDirection}, 2);
        EXPECT_EQ(int{h.gridV}, 1);
        EXPECT_EQ(int{h.anchorsH}, 1);
        EXPECT_EQ(+h.designType, 0);
        EXPECT_EQ(int{h.modified}, 0);

        const Item& grid = *doc.items.tail();
        EXPECT_EQ(+grid.rec.d.kind, KindGridLines);
        EXPECT_EQ(+grid.rec.d.historyState, 0);
        const auto v = Positions(grid.verticalGridLines, GridVertical);
        ASSERT_EQ(v.size(), c.vertical);
        EXPECT_EQ(v[0], c.x1);
        EXPECT_EQ(v[1] - v[0], c.firstStep);
        EXPECT_EQ(grid.horizontalGridLines.size(), c.horizontal);

        NewItem(doc.items, KindLine);
        EXPECT_TRUE(IsModified(doc.items));
        EXPECT_FALSE(IsUntouched(doc.items));
    }
}

TEST(Document, AZeroGridSpacingGivesOneLineInsteadOfEndlessOnes)
{
    DocumentDefaults def;
    def.blocks[2].gridSpacingX = 0.0;
    def.blocks[2].gridSpacingY = 1e-9;
    Document doc;
    InitDocument(doc, def, OpenDocumentList{});
    const Item& grid = *doc.items.tail();
    EXPECT_EQ(grid.verticalGridLines.size(), 1u);
    EXPECT_EQ(grid.horizontalGridLines.size(), 10000u);
}

TEST(Document, ThePageSetupCallbackRunsBeforeTheGridIsBuilt)
{
    DocumentDefaults def;
    def.applyDefaultPageSetup = [](Document& d) {
        Item& h = *Header(d.items);
        h.rec.h.designType = 4;
        h.rec.h.areaWidth = 2.0;
        SetText(h, u"2\u07EC3\u07EC");
    };
    Document doc;
    InitDocument(doc, def, OpenDocumentList{});
    const Item& h = *Header(doc.items);
    EXPECT_EQ(+h.rec.h.designType, 4);
    EXPECT_EQ(LineOf(h, 2), u"3");
    EXPECT_EQ(doc.items.tail()->verticalGridLines.size(), 9u); // 2 in / 0.25 + 1
    EXPECT_EQ(int{h.rec.h.modified}, 0);
}

TEST(Document, WindowIdsAndPictureIdsDifferFromEveryOpenDocument)
{
    SeedRandom(42);
    Document first;
    InitDocument(first, DocumentDefaults{}, OpenDocumentList{});
    Item& pic = NewItem(first.items, KindPicture);

    // The same seed draws the same numbers again; each must be rejected.
    SeedRandom(42);
    const std::int32_t drawn = Random(2147483646) + 1;
    pic.rec.d.pictureId = drawn;
    SeedRandom(42);
    Document second;
    OpenDocumentList open({&first});
    InitDocument(second, DocumentDefaults{}, open);
    EXPECT_NE(WindowIdOf(second), WindowIdOf(first));

    SeedRandom(42);
    const std::int32_t id = NewPictureId(second.items, open);
    EXPECT_NE(id, drawn);
    EXPECT_GE(id, 1);
}

struct Stacked {
    Document doc;
    Item* a;
    Item* b;
    Item* c;
};

// Three Lines at stack orders 1..3 with A and B selected.
void MakeStack(Stacked& s)
{
    InitDocument(s.doc, DocumentDefaults{}, OpenDocumentList{});
    Item* it[3];
    for (int i = 0; i < 3; ++i) {
        it[i] = &NewItem(s.doc.items, KindLine);
        SetStackOrder(s.doc.items, *it[i], i + 1);
        SetEditStep(s.doc.items, *it[i], i + 1);
    }
    s.a = it[0];
    s.b = it[1];
    s.c = it[2];
    s.a->rec.d.selected = s.b->rec.d.selected = 255;
}

TEST(Document, PlacingBehindReversesListOrderAndRecordsTheMoveForUndo)
{
    Stacked s;
    MakeStack(s);
    ItemList& list = s.doc.items;
    Item& undone = NewItem(list, KindLine); // redo history that must go
    undone.rec.d.historyState = 2;
    undone.rec.d.hidden = 255;

    const std::int32_t step = NextEditStep(list);
    EXPECT_EQ(PlaceSelectedBehind(s.doc), 2);
    ASSERT_EQ(list.size(), 2u + 3u + 2u);
    Item* copyA = s.c->next;
    Item* copyB = copyA->next;
    EXPECT_EQ(+copyB->rec.d.stackOrder, 1);
    EXPECT_EQ(+copyA->rec.d.stackOrder, 2);
    EXPECT_EQ(+s.c->rec.d.stackOrder, 3);
    for (Item* old : {s.a, s.b}) {
        EXPECT_EQ(int{old->rec.d.hidden}, 255);
        EXPECT_EQ(int{old->rec.d.selected}, 0);
        EXPECT_EQ(+old->rec.d.orderMove, 2);
        EXPECT_EQ(+old->rec.d.historyState, 1);
    }
    EXPECT_EQ(+copyA->rec.d.predecessor, +s.a->rec.d.sequence);
    EXPECT_EQ(+copyB->rec.d.predecessor, +s.b->rec.d.sequence);
    EXPECT_EQ(+copyA->rec.d.editStep, step);
    EXPECT_EQ(+copyB->rec.d.editStep, step);
    EXPECT_EQ(int{copyA->rec.d.selected}, 255);
    EXPECT_EQ(+copyA->rec.d.historyState, 1);
}

TEST(Document, PlacingOnTopKeepsListOrderAtTheTop)
{
    Stacked s;
    MakeStack(s);
    EXPECT_EQ(PlaceSelectedOnTop(s.doc), 2);
    Item* copyA = s.c->next;
    Item* copyB = copyA->next;
    EXPECT_EQ(+s.c->rec.d.stackOrder, 1);
    EXPECT_EQ(+copyA->rec.d.stackOrder, 2);
    EXPECT_EQ(+copyB->rec.d.stackOrder, 3);
    EXPECT_EQ(+s.a->rec.d.orderMove, 1);
    // Only the records present when the command began are visited.
    EXPECT_EQ(copyB->next, nullptr);
}

TEST(Document, StackingIgnoresUneditableAndHiddenSelections)
{
    Stacked s;
    MakeStack(s);
    s.a->rec.d.hidden = 255;
    Item& group = NewItem(s.doc.items, KindGroup);
    group.rec.d.selected = 255;
    EXPECT_EQ(PlaceSelectedBehind(s.doc), 1);
    EXPECT_EQ(int{group.rec.d.hidden}, 0);
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "edit/grid_edit.h"
#include "edit/grid_options.h"
#include "edit/grid_strips.h"
#include "edit/item_geometry.h"
#include "edit/sandbox.h"
#include "edit/transform.h"
#include "model/undo.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vlm {
namespace {

// A pixel document whose design area starts at (50, 40) on the canvas, so
// grid positions (canvas origin) and Item points (design area) differ by
// that much; 400 x 300 pixels, a line every 25.
struct GridWindow
{
    GridWindow()
    {
        DocumentDefaults defaults;
        defaults.units = 1;
        defaults.pixelsPerUnitX = defaults.pixelsPerUnitY = 1.0;
        defaults.blocks[0] = {25.0, 25.0, 50.0, 40.0, 400.0, 300.0};
        InitDocument(doc, defaults, OpenDocumentList{});
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->LayoutView(QSize(700, 600), 16);
        box = std::make_unique<Sandbox>(doc, *view, settings);
        GridStripHooks hooks;
        hooks.setCursor = [this](Qt::CursorShape c) { cursor = c; };
        hooks.showHint = [this](const QString& t) { hint = t; };
        strips = std::make_unique<GridStrips>(*box, hooks);
        box->setStripInput(strips.get());
    }

    HeaderFields& h() { return Header(doc.items)->rec.h; }
    Item& grid() { return *FindVisibleByKind(doc.items, KindGridLines); }
    std::vector<std::int32_t> positions(GridOrientation o)
    {
        std::vector<std::int32_t> out;
        for (const GridLine& g : GridLinesOf(grid(), o))
            if (!g.deleted)
                out.push_back(GridLinePosition(o, g));
        return out;
    }
    long count(GridOrientation o, std::int32_t p)
    {
        const std::vector<std::int32_t> all = positions(o);
        return std::count(all.begin(), all.end(), p);
    }
    Item& line(QPoint a, QPoint b)
    {
        Item& it = NewItem(doc.items, KindLine);
        it.rec.d.x1 = a.x();
        it.rec.d.y1 = a.y();
        it.rec.d.x2 = b.x();
        it.rec.d.y2 = b.y();
        SetStackOrder(doc.items, it, MaxStackOrder(doc.items) + 1);
        RecomputeGeometry(it, TextSettingsOf(view->drawContext()), 8);
        return it;
    }
    // The version of `item` that is shown now.
    Item* current(const Item& item)
    {
        for (Item& it : doc.items)
            if (IsLive(it) &&
                (it.rec.d.sequence == item.rec.d.sequence || it.rec.d.predecessor == item.rec.d.sequence))
                return &it;
        return nullptr;
    }
    static CanvasMouse At(QPoint p, MouseButton button = MouseButton::None, bool held = false,
                          bool shift = false)
    {
        CanvasMouse m;
        m.x = p.x();
        m.y = p.y();
        m.button = button;
        m.leftHeld = held;
        m.shift = shift;
        return m;
    }
    void hover(QPoint p) { box->background1MouseMove(At(p)); }
    void press(QPoint p, bool shift = false)
    {
        box->background1MouseDown(At(p, MouseButton::Left, true, shift));
    }
    void drag(QPoint p) { box->background1MouseMove(At(p, MouseButton::None, true)); }
    void release(QPoint p, bool shift = false)
    {
        box->background1MouseUp(At(p, MouseButton::Left, false, shift));
    }

    Document doc;
    Settings settings;
    std::unique_ptr<DocumentView> view;
    std::unique_ptr<Sandbox> box;
    std::unique_ptr<GridStrips> strips;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString hint;
};

TEST(GridEdit, MenuChoicesSetBothBytesOfTheirPair)
{
    GridWindow w;
    HeaderFields& h = w.h();
    const struct
    {
        GridFeature feature;
        std::uint8_t HeaderFields::*horizontal;
        std::uint8_t HeaderFields::*vertical;
    } pairs[] = {{GridFeature::Grid, &HeaderFields::gridH, &HeaderFields::gridV},
                 {GridFeature::Anchors, &HeaderFields::anchorsH, &HeaderFields::anchorsV},
                 {GridFeature::Snap, &HeaderFields::snapH, &HeaderFields::snapV}};
    for (const auto& p : pairs) {
        for (int choice : {3, 1, 2, 0}) {
            SetGridChoice(h, p.feature, choice);
            EXPECT_EQ(h.*(p.horizontal), (choice & 1) ? 1 : 0);
            EXPECT_EQ(h.*(p.vertical), (choice & 2) ? 1 : 0);
            EXPECT_EQ(GridChoice(h, p.feature), choice);
        }
        SetGridChoice(h, p.feature, 3);
        SetGridChoice(h, p.feature, 7); // no such choice
        EXPECT_EQ(GridChoice(h, p.feature), 3);
    }
}

TEST(Snap, NearestLineFirstOnATieDirectionsApartGridShownOrNot)
{
    GridWindow w;
    HeaderFields& h = w.h();
    // Lines at 150 and 200 on the canvas stand at 100 and 150 in the design area.
    w.grid().verticalGridLines = {MakeGridLine(GridVertical, 150), MakeGridLine(GridVertical, 200)};
    w.grid().horizontalGridLines.clear();
    h.snapH = 1;
    h.snapV = 1;
    h.gridH = h.gridV = 0;                                         // snapping does not need the lines shown
    EXPECT_EQ(SnapPoint(w.doc.items, {124, 77}), QPoint(100, 77)); // no horizontal line: y stays
    EXPECT_EQ(SnapPoint(w.doc.items, {126, 77}), QPoint(150, 77));
    EXPECT_EQ(SnapPoint(w.doc.items, {125, 77}), QPoint(100, 77));
    EXPECT_EQ(SnapPoint(w.doc.items, {-900, 77}), QPoint(100, 77)); // no distance limit

    w.grid().horizontalGridLines = {MakeGridLine(GridHorizontal, 140)};
    EXPECT_EQ(SnapPoint(w.doc.items, {126, 77}), QPoint(150, 100));
    h.snapH = 0;
    EXPECT_EQ(SnapPoint(w.doc.items, {126, 77}), QPoint(126, 100));
    h.snapH = 1;

    // A deleted line attracts nothing; Undo brings it back.
    w.grid().verticalGridLines[1].highlighted = 255;
    ASSERT_TRUE(GridLineOperation(w.doc.items, GridVertical, GridLineOp::DeleteHighlighted, 0));
    EXPECT_EQ(SnapPoint(w.doc.items, {140, 77}), QPoint(100, 100));
    HistoryCursor cursor;
    ASSERT_TRUE(UndoLastAction(w.doc.items, cursor));
    EXPECT_EQ(SnapPoint(w.doc.items, {140, 77}), QPoint(150, 100));
    EXPECT_EQ(w.grid().verticalGridLines[1].highlighted, 0u); // the undone version forgot its highlight
    ASSERT_TRUE(RedoNextAction(w.doc.items, cursor));
    EXPECT_EQ(SnapPoint(w.doc.items, {140, 77}), QPoint(100, 100));
}

TEST(Snap, AnEdgePointDragPullsNearlyPlacedNodesOntoTheirLines)
{
    GridWindow w;
    HeaderFields& h = w.h();
    h.snapH = 1; // a line every 25 from the page edge: design-area x 0, 25, 50, ...
    Item& tri = NewItem(w.doc.items, KindTriangle);
    for (QPoint p : {QPoint(40, 200), QPoint(101, 200), QPoint(152, 260)}) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        tri.vertices.push_back(v);
    }
    tri.rec.d.selected = 255;
    BeginEditCopies(w.doc.items);
    ApplyDrag(w.doc.items, DragSettingsOf(*w.view), {40, 200}, {63, 203}, true, -1, true);
    Item& moved = *w.current(tri);
    EXPECT_EQ(VertexPoint(moved.vertices[0]), QPoint(75, 203)); // the dragged point lands on the nearer line
    EXPECT_EQ(moved.vertices[1].x, 100);                        // 1 pixel off, below 7 % of 25: pulled on
    EXPECT_EQ(moved.vertices[2].x, 152);                        // 2 pixels off: left alone
}

TEST(GridStrips, HoverHighlightsDeleteRemovesShiftClickAdds)
{
    GridWindow w;
    HeaderFields& h = w.h();
    h.gridH = h.anchorsH = 1;
    ASSERT_EQ(w.positions(GridVertical).front(), 50);
    ASSERT_EQ(w.view->scrollX(), 0);

    w.hover({76, 5}); // the Anchor of the line at 75, on the top strip
    GridLine* lit = HighlightedGridLine(w.doc.items, GridVertical);
    ASSERT_TRUE(lit);
    EXPECT_EQ(GridLinePosition(GridVertical, *lit), 75);
    EXPECT_EQ(w.cursor, Qt::SizeHorCursor);
    w.hover({88, 5});
    EXPECT_FALSE(HighlightedGridLine(w.doc.items, GridVertical));
    EXPECT_EQ(w.cursor, Qt::ArrowCursor);
    w.hover({5, 90}); // the left strip: the vertical grid is hidden
    EXPECT_FALSE(HighlightedGridLine(w.doc.items, GridHorizontal));

    EXPECT_FALSE(w.strips->DeleteHighlightedAnchor()); // nothing highlighted: Delete is the Items'
    w.hover({75, 5});
    w.strips->PointerLeftStrips(); // onto the canvas: the highlight goes
    EXPECT_FALSE(w.strips->DeleteHighlightedAnchor());
    w.hover({75, 5});
    EXPECT_TRUE(w.strips->DeleteHighlightedAnchor());
    EXPECT_EQ(w.positions(GridVertical)[1], 100);
    EXPECT_FALSE(w.strips->DeleteHighlightedAnchor());
    EXPECT_TRUE(w.box->CanUndo());
    w.box->Undo();
    EXPECT_EQ(w.positions(GridVertical)[1], 75);

    const std::size_t before = w.positions(GridVertical).size();
    w.press({130, 6}, true);
    w.release({131, 6}, true);
    EXPECT_EQ(w.positions(GridVertical).size(), before + 1);
    EXPECT_EQ(w.positions(GridVertical).back(), 130);
    w.press({140, 6}, true);
    w.release({170, 6}, true); // a drag is no click
    w.press({5, 130}, true);
    w.release({5, 130}, true); // hidden direction
    EXPECT_EQ(w.positions(GridVertical).size(), before + 1);
}

TEST(GridStrips, DraggingAnAnchorTakesTheItemsOnItsLineAlongAndKeepsTheSelection)
{
    GridWindow w;
    HeaderFields& h = w.h();
    h.gridH = h.anchorsH = 1;
    // The line at 150 on the canvas is x 100 in the design area.
    Item& near = w.line({101, 20}, {200, 20});
    Item& far = w.line({103, 50}, {103, 90});
    Item& other = w.line({300, 100}, {320, 100});
    other.rec.d.selected = 255;

    w.hover({150, 5});
    w.press({150, 5});
    w.drag({170, 5});
    w.drag({180, 5});
    w.release({180, 5});

    EXPECT_EQ(w.count(GridVertical, 150), 0);
    EXPECT_EQ(w.count(GridVertical, 180), 1);
    Item* moved = w.current(near);
    ASSERT_TRUE(moved);
    EXPECT_EQ(QPoint(moved->rec.d.x1, moved->rec.d.y1), QPoint(131, 20));
    EXPECT_EQ(QPoint(moved->rec.d.x2, moved->rec.d.y2), QPoint(230, 20));
    EXPECT_EQ(w.current(far), &far);
    EXPECT_EQ(far.rec.d.x1, 103);
    EXPECT_TRUE(w.current(other)->rec.d.selected);
    EXPECT_FALSE(moved->rec.d.selected);

    // The grid and the Items are two steps: the line comes back first.
    w.box->Undo();
    EXPECT_EQ(w.count(GridVertical, 150), 1);
    EXPECT_EQ(w.current(near)->rec.d.x1, 131);
    w.box->Undo();
    EXPECT_EQ(w.current(near)->rec.d.x1, 101);
}

TEST(GridStrips, DraggingThePageEndsChangesTheAreaAndKeepsTheGridWithThePage)
{
    GridWindow w;
    HeaderFields& h = w.h();
    ASSERT_EQ(w.view->pageOffset().x(), 50);
    ASSERT_EQ(w.positions(GridVertical).back(), 450);

    CanvasMouse m = GridWindow::At({449, 6}, MouseButton::Left, true);
    w.box->rulerXMouseDown(m);
    m = GridWindow::At({500, 6}, MouseButton::None, true);
    w.box->rulerXMouseMove(m);
    EXPECT_EQ(w.hint, QStringLiteral("Width: 450 Pixels"));
    EXPECT_EQ(w.cursor, Qt::SizeHorCursor);
    w.box->rulerXMouseUp(GridWindow::At({500, 6}, MouseButton::Left));
    EXPECT_DOUBLE_EQ(h.areaWidth, 450.0);
    EXPECT_EQ(h.width, 450);
    EXPECT_TRUE(w.hint.isEmpty());
    EXPECT_EQ(w.positions(GridVertical).back(), 475); // one more at the density; none on the new edge

    // A page end dragged inward is held at 5 pixels.
    w.box->rulerYMouseDown(GridWindow::At({6, 340}, MouseButton::Left, true));
    w.box->rulerYMouseUp(GridWindow::At({6, -100}, MouseButton::Left));
    EXPECT_DOUBLE_EQ(h.areaHeight, 5.0);

    // The corner moves right by 10: the lines go with the page, in every version.
    const std::vector<std::int32_t> before = w.positions(GridVertical);
    w.box->rulerXMouseDown(GridWindow::At({51, 6}, MouseButton::Left, true));
    w.box->rulerXMouseUp(GridWindow::At({61, 6}, MouseButton::Left));
    EXPECT_DOUBLE_EQ(h.originX, 60.0);
    std::vector<std::int32_t> shifted = before;
    for (std::int32_t& p : shifted)
        p += 10;
    EXPECT_EQ(w.positions(GridVertical), shifted);
    w.box->Undo(); // the grid before the extension, still on the page
    EXPECT_EQ(w.positions(GridVertical).back(), 460);

    // It cannot go left of the canvas origin.
    const QPoint corner = w.view->pageOffset();
    w.box->rulerXMouseDown(GridWindow::At({corner.x(), 6}, MouseButton::Left, true));
    w.box->rulerXMouseUp(GridWindow::At({corner.x() - 500, 6}, MouseButton::Left));
    EXPECT_DOUBLE_EQ(h.originX, 0.0);
    EXPECT_EQ(w.positions(GridVertical).back(), 400);
}

TEST(GridOptions, SavingForTheDocumentResetsBothDirectionsAndKeepsUnreadableDensities)
{
    GridWindow w;
    defaults_t o = GridOptionsFor(w.settings, &w.h());
    EXPECT_EQ(o.unit, 1);
    GridBlock& b = o.block(1);
    EXPECT_EQ(b.texts[GridSpacingX], u"25");
    EXPECT_EQ(b.texts[GridOriginX], u"50");
    b.texts[GridSpacingX] = u"abc";
    b.texts[GridSpacingY] = u"20";
    o.gridV = 1;
    ASSERT_TRUE(SaveGridOptionsForDocument(w.doc.items, o, w.settings.screen));
    EXPECT_DOUBLE_EQ(w.h().gridSpacingX, 25.0);
    EXPECT_DOUBLE_EQ(w.h().gridSpacingY, 20.0);
    EXPECT_EQ(w.h().gridV, 1);
    std::vector<std::int32_t> xs, ys;
    for (int k = 1; k <= 16; ++k)
        xs.push_back(50 + 25 * k);
    for (int k = 1; k <= 15; ++k)
        ys.push_back(40 + 20 * k);
    EXPECT_EQ(w.positions(GridVertical), xs);
    EXPECT_EQ(w.positions(GridHorizontal), ys);
    int versions = 0;
    for (const Item& it : w.doc.items)
        versions += it.rec.d.kind == KindGridLines;
    EXPECT_EQ(versions, 3); // one grid edit per direction
    HistoryCursor cursor;
    ASSERT_TRUE(UndoLastAction(w.doc.items, cursor));
    EXPECT_EQ(w.positions(GridVertical), xs);
    EXPECT_NE(w.positions(GridHorizontal), ys);

    // For new files the Settings take the copy, readable texts only.
    defaults_t n = GridOptionsFor(w.settings, nullptr);
    n.block(UnitInches).texts[GridSpacingX] = u"0,5";
    n.block(UnitInches).texts[GridSpacingY] = u"wide";
    const double y = n.block(UnitInches).values[GridSpacingY];
    n.snapH = 1;
    SaveGridOptionsForNewFiles(w.settings, n);
    EXPECT_DOUBLE_EQ(w.settings.defaults.block(UnitInches).values[GridSpacingX], 0.5);
    EXPECT_DOUBLE_EQ(w.settings.defaults.block(UnitInches).values[GridSpacingY], y);
    EXPECT_EQ(w.settings.defaults.snapH, 1);
}

} // namespace
} // namespace vlm

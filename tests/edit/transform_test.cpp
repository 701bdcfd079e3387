#include <gtest/gtest.h>

#include "edit/creation.h"
#include "edit/item_geometry.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "model/rounding.h"
#include "render/shapes.h"
#include "selection_fixture.h"

#include <cmath>
#include <numbers>

namespace vlm {
namespace {

using test::SelectionFixture;

constexpr double kPi = std::numbers::pi;

QPoint NodeOf(const Item& item, std::size_t i)
{
    return {item.vertices[i].x, item.vertices[i].y};
}

int VisibleCount(const ItemList& list)
{
    int n = 0;
    for (const Item& item : list)
        n += IsLive(item) ? 1 : 0;
    return n;
}

TEST(DragSelection, RightMiddleOfASquareGrowsItBothWaysAsOneUndoStep)
{
    SelectionFixture f;
    Item& sq = f.shape(KindSquare, {{100, 200}, {200, 200}, {200, 100}, {100, 100}});
    f.select({&sq});
    const std::int32_t step = NextEditStep(f.doc.items);
    const int visible = VisibleCount(f.doc.items);

    f.drag({200, 150}, {220, 150});

    Item& now = f.current(sq);
    ASSERT_NE(&now, &sq);
    EXPECT_TRUE(sq.rec.d.hidden);
    EXPECT_EQ(+now.rec.d.editStep, step);
    EXPECT_EQ(NextEditStep(f.doc.items), step + 1);
    EXPECT_EQ(VisibleCount(f.doc.items), visible);
    EXPECT_EQ(NodeOf(now, 0), QPoint(100, 210));
    EXPECT_EQ(NodeOf(now, 1), QPoint(220, 210));
    EXPECT_EQ(NodeOf(now, 2), QPoint(220, 90));
    EXPECT_EQ(NodeOf(now, 3), QPoint(100, 90));
    EXPECT_EQ(now.rec.d.right - now.rec.d.left, 120);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::Pointer);
    EXPECT_TRUE(now.rec.d.selected);
}

TEST(DragSelection, StepsStartFromTheSavedGeometryNotThePreviousStep)
{
    SelectionFixture f;
    Item& l = f.line({100, 100}, {200, 100});
    f.select({&l});
    f.tool->mouseDown(f.canvas({150, 100}), Qt::NoModifier); // the midpoint: move
    for (int x : {160, 170, 180})
        f.tool->mouseMove(f.canvas({x, 100}), Qt::NoModifier);
    f.tool->mouseUp(f.canvas({180, 100}), Qt::NoModifier);
    Item& now = f.current(l);
    EXPECT_EQ(QPoint(now.rec.d.x1, now.rec.d.y1), QPoint(130, 100));
    EXPECT_EQ(QPoint(now.rec.d.x2, now.rec.d.y2), QPoint(230, 100));
}

TEST(DragSelection, RotatingWithinADegreeOfHorizontalSquaresARectangleBack)
{
    for (double degrees : {0.5, -0.7, 5.0}) {
        SelectionFixture f;
        Item& r = f.shape(KindRectangle, {{100, 200}, {300, 200}, {300, 100}, {100, 100}});
        f.select({&r});
        const QPointF c(200, 150);
        const QPoint press(200, 190); // the rotation dot, 40 below the centre
        const double a = -kPi / 2 + degrees * kPi / 180;
        const QPoint pointer(Round(c.x() + 4000 * std::cos(a)), Round(c.y() - 4000 * std::sin(a)));
        for (Item& item : f.doc.items)
            if (IsSelectedLive(item))
                SaveDragOrigin(item);
        ApplyDrag(f.doc.items, DragSettingsOf(*f.view), press, pointer, false, MarkerCode::RotationDot, true);
        if (std::abs(degrees) < 1.0) {
            // Node 1 turned with the rest; the others are laid out from it
            // along the axes with the rectangle's own sides.
            const QPoint n1 = NodeOf(r, 0);
            EXPECT_LE(std::abs(n1.x() - 100) + std::abs(n1.y() - 200), 2) << degrees;
            EXPECT_EQ(NodeOf(r, 1), n1 + QPoint(200, 0)) << degrees;
            EXPECT_EQ(NodeOf(r, 2), n1 + QPoint(200, -100));
            EXPECT_EQ(NodeOf(r, 3), n1 + QPoint(0, -100));
        } else {
            EXPECT_NE(NodeOf(r, 0).y(), NodeOf(r, 1).y());
            EXPECT_NEAR(std::hypot(NodeOf(r, 1).x() - NodeOf(r, 0).x(), NodeOf(r, 1).y() - NodeOf(r, 0).y()), 200,
                        1.0);
        }
    }
}

TEST(DragSelection, AMixedSelectionDraggedByALineEndMovesEverything)
{
    SelectionFixture f;
    Item& l = f.line({100, 100}, {200, 100});
    Item& t = f.text(u"Moving", {100, 300}, {220, 300});
    f.select({&l, &t});
    f.drag({100, 100}, {130, 140});
    Item& ln = f.current(l);
    Item& tn = f.current(t);
    EXPECT_EQ(QPoint(ln.rec.d.x1, ln.rec.d.y1), QPoint(130, 140));
    EXPECT_EQ(QPoint(ln.rec.d.x2, ln.rec.d.y2), QPoint(230, 140));
    EXPECT_EQ(QPoint(tn.rec.d.x1, tn.rec.d.y1), QPoint(130, 340));
    EXPECT_EQ(QPoint(tn.rec.d.x2, tn.rec.d.y2), QPoint(250, 340));
}

TEST(DragSelection, TwoLinesStretchTogetherByTheirFirstPoints)
{
    SelectionFixture f;
    Item& a = f.line({100, 100}, {200, 100});
    Item& b = f.line({100, 300}, {250, 350});
    f.select({&a, &b});
    f.drag({100, 100}, {80, 90});
    Item& an = f.current(a);
    Item& bn = f.current(b);
    EXPECT_EQ(QPoint(an.rec.d.x1, an.rec.d.y1), QPoint(80, 90));
    EXPECT_EQ(QPoint(an.rec.d.x2, an.rec.d.y2), QPoint(200, 100));
    EXPECT_EQ(QPoint(bn.rec.d.x1, bn.rec.d.y1), QPoint(80, 290));
    EXPECT_EQ(QPoint(bn.rec.d.x2, bn.rec.d.y2), QPoint(250, 350));
}

TEST(DragSelection, APresetDirectionKeepsTheEndOnTheLineAndBeforeTheOtherEnd)
{
    struct Case {
        QPoint pointer;
        QPoint end;
    };
    const Case cases[] = {
        {{260, 130}, {260, 100}}, // along the horizontal line only
        {{50, 100}, {200, 100}},  // past the start: refused, stays where it was
    };
    for (const Case& c : cases) {
        SelectionFixture f;
        Item& l = f.line({100, 100}, {200, 100}, 0.0, 0.0);
        f.select({&l});
        f.drag({200, 100}, c.pointer);
        Item& now = f.current(l);
        EXPECT_EQ(QPoint(now.rec.d.x2, now.rec.d.y2), c.end);
        EXPECT_EQ(QPoint(now.rec.d.x1, now.rec.d.y1), QPoint(100, 100));
    }
}

TEST(DragSelection, DraggingAStarTipLengthensEveryTipAndKeepsTheInnerPoints)
{
    SelectionFixture f;
    // Centre, tip, then inner and outer points alternately, ending on the tip.
    const int spikes = 5;
    std::vector<QPoint> nodes{{300, 300}, {300, 200}};
    for (int k = 1; k <= 2 * spikes; ++k) {
        const double a = kPi / 2 + k * kPi / spikes;
        const double r = k % 2 ? 40.0 : 100.0;
        nodes.push_back({300 + Round(std::cos(a) * r), 300 - Round(std::sin(a) * r)});
    }
    Item& star = f.shape(KindStar, {});
    star.rec.d.sides = spikes;
    for (QPoint p : nodes) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        star.vertices.push_back(v);
    }
    f.select({&star});
    f.drag({300, 200}, {300, 180});
    Item& now = f.current(star);
    ASSERT_EQ(now.vertices.size(), nodes.size());
    for (std::size_t k = 1; k < now.vertices.size(); ++k) {
        const double r = std::hypot(now.vertices[k].x - 300.0, now.vertices[k].y - 300.0);
        EXPECT_NEAR(r, k % 2 ? 120.0 : 40.0, 1.0) << k;
    }
}

TEST(DragSelection, PictureCornersStretchFreelyAndSideMiddlesKeepTheProportions)
{
    struct Case {
        QPoint grab;
        QPoint to;
        PixelRect box;
    };
    const Case cases[] = {
        {{300, 200}, {340, 230}, {100, 100, 340, 230}}, // 103: free
        {{100, 100}, {90, 120}, {90, 120, 300, 200}},   // 101: free
        {{300, 150}, {400, 150}, {100, 100, 400, 250}}, // 106: 2:1 kept
        {{200, 200}, {200, 150}, {100, 100, 200, 150}}, // 107: 2:1 kept
    };
    for (const Case& c : cases) {
        SelectionFixture f;
        Item& pic = f.picture({100, 100}, {300, 200}, 400, 200);
        f.select({&pic});
        f.drag(c.grab, c.to);
        const DrawingFields& d = f.current(pic).rec.d;
        EXPECT_EQ((PixelRect{d.x1, d.y1, d.x2, d.y2}), c.box) << c.grab.x() << "," << c.grab.y();
    }
}

TEST(DragSelection, ARotatedPictureCornerKeepsTheOppositeCornerInPlace)
{
    SelectionFixture f;
    Item& pic = f.picture({100, 100}, {300, 200}, 200, 100, kPi / 2);
    const auto before = PictureCorners(pic);
    f.select({&pic});
    // Corner 101 turned a quarter turn about (200, 150) lies at (150, 250).
    ASSERT_NEAR(before[0].x(), 150, 0.01);
    ASSERT_NEAR(before[0].y(), 250, 0.01);
    f.drag({150, 250}, {140, 280});
    const auto after = PictureCorners(f.current(pic));
    EXPECT_NEAR(after[2].x(), before[2].x(), 1.0);
    EXPECT_NEAR(after[2].y(), before[2].y(), 1.0);
    EXPECT_NEAR(after[0].x(), 140, 1.0);
    EXPECT_NEAR(after[0].y(), 280, 1.0);
}

TEST(DragSelection, ATextBoxNeverGetsShorterThanItsWidestLine)
{
    SelectionFixture f;
    Item& t = f.text(u"A rather long line of text", {100, 300}, {400, 300});
    f.select({&t});
    f.drag({400, 300}, {120, 300});
    const Item& now = f.current(t);
    const int widest = LineWidth(now, 1, 1.0, TextSettingsOf(f.view->drawContext()));
    ASSERT_GT(widest, 40);
    EXPECT_EQ(+now.rec.d.x1, 100);
    EXPECT_EQ(+now.rec.d.x2, 100 + widest);
}

TEST(DragSelection, CancellingPutsTheSelectionBack)
{
    SelectionFixture f;
    Item& sq = f.shape(KindSquare, {{100, 200}, {200, 200}, {200, 100}, {100, 100}});
    f.select({&sq});
    f.tool->mouseDown(f.canvas({200, 200}), Qt::NoModifier); // corner -2
    f.tool->mouseMove(f.canvas({260, 230}), Qt::NoModifier);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::ShapeDrag);
    f.tool->cancel();
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::Pointer);
    const Item& now = f.current(sq);
    EXPECT_EQ(NodeOf(now, 1), QPoint(200, 200));
    EXPECT_EQ(NodeOf(now, 2), QPoint(200, 100));

    // A group's turn, too.
    Item& l = f.line({400, 300}, {400, 350});
    Item& g = f.group(1, {400, 400}, {&l});
    f.select({&l, &g});
    f.tool->mouseDown(f.canvas({400, 440}), Qt::NoModifier);
    f.tool->mouseMove(f.canvas({440, 400}), Qt::NoModifier);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::GroupRotation);
    f.tool->cancel();
    EXPECT_EQ(QPoint(f.current(l).rec.d.x1, f.current(l).rec.d.y1), QPoint(400, 300));
    EXPECT_EQ(+f.current(g).rec.d.angle, 0.0);
}

TEST(DragSelection, EllipsesPiesAndArcsGuardTheirDegenerateSteps)
{
    SelectionFixture f;
    Item& e = f.shape(KindEllipse, {{200, 200}, {300, 200}, {200, 150}}); // a = 100, b = 50
    Item& arc = f.shape(KindArc, {{500, 200}, {600, 200}, {500, 100}});   // chord 141
    const DragSettings s = DragSettingsOf(*f.view);
    auto step = [&](Item& item, QPoint press, QPoint pointer, std::int32_t code, bool final) {
        f.select({&item});
        SaveDragOrigin(item);
        ApplyDrag(f.doc.items, s, press, pointer, false, code, final);
    };
    step(e, {300, 200}, {201, 200}, 1, false); // within 2 pixels of the centre: ignored
    EXPECT_EQ(NodeOf(e, 1), QPoint(300, 200));
    step(e, {200, 150}, {200, 20}, 2, true); // the second axis outgrows the first
    EXPECT_EQ(std::hypot(NodeOf(e, 1).x() - 200.0, NodeOf(e, 1).y() - 200.0), 180.0);
    EXPECT_NEAR(EllipseMinor(e), 100.0, 1.0);

    step(arc, {500, 200}, {600, 130}, 1, false); // |pointer - start| = 70 < chord / 2: ignored
    EXPECT_EQ(NodeOf(arc, 0), QPoint(500, 200));
    step(arc, {500, 200}, {480, 210}, 1, true); // a wider circle through the start, same chord
    EXPECT_EQ(NodeOf(arc, 0), QPoint(480, 210));
    EXPECT_EQ(NodeOf(arc, 1), QPoint(600, 200));
    const double r = std::hypot(120.0, 10.0);
    EXPECT_NEAR(std::hypot(NodeOf(arc, 2).x() - 480.0, NodeOf(arc, 2).y() - 210.0), r, 1.0);
    EXPECT_NEAR(std::hypot(NodeOf(arc, 2).x() - 600.0, NodeOf(arc, 2).y() - 200.0), std::hypot(100.0, 100.0), 1.5);
}

TEST(DragSelection, CirclesEllipsesAndRoundClipsFollowTheirRims)
{
    SelectionFixture f;
    Item& circle = f.shape(KindCircle, {{200, 200}, {250, 200}, {250, 150}, {200, 150}});
    Item& e = f.shape(KindEllipse, {{500, 200}, {600, 200}, {500, 160}}); // a = 100, b = 40
    Item& clip = f.picture({200, 500}, {230, 500}, 60, 60);
    clip.rec.d.clipShape = 2;
    const DragSettings s = DragSettingsOf(*f.view);
    auto step = [&](Item& item, QPoint press, QPoint pointer, std::int32_t code) {
        f.select({&item});
        SaveDragOrigin(item);
        ApplyDrag(f.doc.items, s, press, pointer, false, code, false);
    };

    step(circle, {250, 200}, {200, 130}, 1);
    EXPECT_EQ(NodeOf(circle, 1), QPoint(200, 130));
    EXPECT_EQ((PixelRect{circle.rec.d.left, circle.rec.d.top, circle.rec.d.right, circle.rec.d.bottom}),
              (PixelRect{130, 130, 270, 270}));

    step(e, {600, 200}, {500, 100}, 1); // far from the centre: the axis turns, the width stays
    EXPECT_EQ(NodeOf(e, 1), QPoint(500, 100));
    EXPECT_NEAR(EllipseMinor(e), 40.0, 1.0);
    step(e, {500, 100}, {510, 195}, 1); // within 16 of the centre: only the length changes
    EXPECT_EQ(NodeOf(e, 1).x(), 500);
    EXPECT_NEAR(200.0 - NodeOf(e, 1).y(), std::hypot(10.0, 5.0), 1.0);

    step(clip, {230, 500}, {200, 450}, 106);
    EXPECT_EQ(QPoint(clip.rec.d.x2, clip.rec.d.y2), QPoint(200, 450));
    EXPECT_EQ(clip.rec.d.right - clip.rec.d.left, 100);
}

TEST(DragSelection, AGroupTurnsAboutItsCentre)
{
    SelectionFixture f;
    Item& a = f.line({200, 100}, {200, 150});
    Item& b = f.shape(KindTriangle, {{250, 200}, {300, 200}, {275, 180}});
    Item& g = f.group(1, {200, 200}, {&a, &b});
    f.select({&a, &b, &g});
    // The group's dot lies 40 below its centre; turn it a quarter turn.
    f.drag({200, 240}, {240, 200});
    Item& an = f.current(a);
    Item& bn = f.current(b);
    EXPECT_EQ(QPoint(an.rec.d.x1, an.rec.d.y1), QPoint(100, 200)); // counter-clockwise on the screen
    EXPECT_EQ(QPoint(an.rec.d.x2, an.rec.d.y2), QPoint(150, 200));
    EXPECT_EQ(NodeOf(bn, 0), QPoint(200, 150));
    EXPECT_NEAR(+f.current(g).rec.d.angle, kPi / 2, 1e-9);
}

TEST(DragSelection, DraggedEndsAndNodesLandOnTheGridWhereItSnaps)
{
    SelectionFixture f;
    Item* header = Header(f.doc.items);
    Item* grid = FindVisibleByKind(f.doc.items, KindGridLines);
    ASSERT_TRUE(header && grid);
    grid->verticalGridLines = {MakeGridLine(GridVertical, 150), MakeGridLine(GridVertical, 250)};
    grid->horizontalGridLines = {MakeGridLine(GridHorizontal, 120)};
    header->rec.h.snapH = 1;
    header->rec.h.snapV = 0;
    // Lines count from the canvas origin, Items from the page's corner.
    const std::int32_t ox = GridOffsetX(header->rec.h);
    ASSERT_GT(ox, 0);
    const std::int32_t x150 = GridLinePosition(GridVertical, grid->verticalGridLines[0]) - ox;

    Item& l = f.line({100, 100}, {200, 100});
    Item& tri = f.shape(KindTriangle, {{300, 300}, {400, 300}, {350, 200}});
    f.select({&l});
    f.drag({100, 100}, {141, 133});
    EXPECT_EQ(QPoint(f.current(l).rec.d.x1, f.current(l).rec.d.y1), QPoint(x150, 133)); // y does not snap

    f.select({&tri});
    f.drag({350, 200}, {262, 190});
    EXPECT_EQ(NodeOf(f.current(tri), 2).x(), GridLinePosition(GridVertical, grid->verticalGridLines[1]) - ox);
    EXPECT_EQ(NodeOf(f.current(tri), 2).y(), 190);
}

TEST(PastePlacement, PastedItemsFollowThePointerUntilTheNextClick)
{
    SelectionFixture f;
    Item& sq = f.shape(KindSquare, {{100, 200}, {200, 200}, {200, 100}, {100, 100}});
    f.select({&sq});
    f.tool->beginPastePlacement(f.canvas({400, 400}));
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::PastePlacement);
    f.tool->mouseMove(f.canvas({500, 450}), Qt::NoModifier);
    f.tool->mouseDown(f.canvas({500, 450}), Qt::NoModifier);
    f.tool->mouseUp(f.canvas({500, 450}), Qt::NoModifier);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::Pointer);
    EXPECT_EQ(NodeOf(sq, 0), QPoint(450, 500));
    EXPECT_EQ(NodeOf(sq, 2), QPoint(550, 400));
    EXPECT_EQ(sq.vertices[2].savedX, 550);
    EXPECT_TRUE(sq.rec.d.selected); // the click placed them, it selected nothing else
}

TEST(DragSelection, AnEllipseAxisDraggedFarThenNearComputesFromTheSavedNodes)
{
    SelectionFixture f;
    Item& e = f.shape(KindEllipse, {{500, 200}, {600, 200}, {500, 160}}); // a = 100, b = 40
    f.select({&e});
    f.tool->mouseDown(f.canvas({600, 200}), Qt::NoModifier);
    f.tool->mouseMove(f.canvas({500, 100}), Qt::NoModifier); // far: the axis turns
    f.tool->mouseMove(f.canvas({510, 195}), Qt::NoModifier); // near: only the length changes
    f.tool->mouseUp(f.canvas({510, 195}), Qt::NoModifier);
    const Item& now = f.current(e);
    // The first half axis became 11 along the saved direction, the second
    // stayed 40; the release made the longer one first.
    const double major = std::hypot(NodeOf(now, 1).x() - 500.0, NodeOf(now, 1).y() - 200.0);
    EXPECT_NEAR(major, 40.0, 1.0);
    EXPECT_NEAR(EllipseMinor(now), 11.0, 1.0);
    EXPECT_NEAR(+now.rec.d.angle, kPi / 2, 0.05); // the direction of the new first axis
}

TEST(DragSelection, AfterADragTheBoxFollowsTheCreationRuleOfEachKind)
{
    SelectionFixture f;
    Item& pie = f.shape(KindPie, {{300, 300}, {400, 300}, {300, 200}});
    Item& arc = f.shape(KindArc, {{700, 300}, {800, 300}, {700, 200}});
    Item& ellipse = f.shape(KindEllipse, {{300, 600}, {400, 600}, {300, 550}});
    std::vector<QPoint> pentagon{{700, 600}, {800, 600}};
    for (QPoint p : PolygonVertices({700, 600}, {800, 600}, 5))
        pentagon.push_back(p);
    Item& polygon = f.shape(KindPolygon, {});
    polygon.rec.d.sides = 5;
    for (QPoint p : pentagon) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        polygon.vertices.push_back(v);
    }
    f.finish(polygon);
    const QPoint d(10, 20);
    auto moved = [&](Item& item, QPoint centre) -> const DrawingFields& {
        f.select({&item});
        f.drag(centre, centre + d);
        return f.current(item).rec.d;
    };
    auto box = [](const DrawingFields& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; };

    const DrawingFields& p = moved(pie, {347, 253}); // Marker 7 at 2r/3 on the mid-angle
    const Box expected = PieBox(QPoint(300, 300) + d, QPoint(400, 300) + d, QPoint(300, 200) + d, 4);
    EXPECT_EQ(box(p), (PixelRect{expected.left, expected.top, expected.right, expected.bottom}));
    EXPECT_EQ(box(moved(arc, {771, 229})), (PixelRect{610, 220, 810, 420}));
    EXPECT_EQ(box(moved(ellipse, {300, 600})), (PixelRect{209, 519, 411, 721}));
    EXPECT_EQ(box(moved(polygon, {700, 600})), (PixelRect{610, 520, 810, 720}));

    // A Ctrl area just around the moved pie selects it.
    f.select({});
    AreaSelect(*f.view, {expected.left - 1, expected.top - 1, expected.right + 1, expected.bottom + 1},
               false);
    EXPECT_TRUE(f.current(pie).rec.d.selected);
}

TEST(DragSelection, ATextKeepsItsDiagonalAfterADrag)
{
    SelectionFixture f;
    Item& t = f.text(u"Short", {100, 300}, {200, 300});
    f.select({&t});
    f.drag({200, 300}, {300, 300});
    const DrawingFields& d = f.current(t).rec.d;
    ASSERT_GT(d.width, 150);
    EXPECT_EQ(+d.length, Round(std::hypot(double(d.width), double(d.height))));
}

TEST(DragSelection, PicturesMoveByThePointerOffsetWithOtherItems)
{
    // A group of two pictures dragged by its centre.
    {
        SelectionFixture f;
        Item& a = f.picture({100, 100}, {300, 200}, 200, 100);
        Item& b = f.picture({400, 100}, {500, 300}, 100, 200);
        Item& g = f.group(1, {300, 400}, {&a, &b});
        f.select({&a, &b, &g});
        f.drag({300, 400}, {320, 430});
        const DrawingFields& an = f.current(a).rec.d;
        const DrawingFields& bn = f.current(b).rec.d;
        EXPECT_EQ((PixelRect{an.x1, an.y1, an.x2, an.y2}), (PixelRect{120, 130, 320, 230}));
        EXPECT_EQ((PixelRect{bn.x1, bn.y1, bn.x2, bn.y2}), (PixelRect{420, 130, 520, 330}));
        EXPECT_EQ(QPoint(f.current(g).rec.d.x1, f.current(g).rec.d.y1), QPoint(320, 430));
    }
    // Two loose pictures and a line, moved by the line's midpoint: nothing
    // lands on the pointer.
    {
        SelectionFixture f;
        Item& a = f.picture({100, 100}, {300, 200}, 200, 100);
        Item& b = f.picture({400, 100}, {500, 300}, 100, 200);
        Item& l = f.line({100, 500}, {300, 500});
        f.select({&a, &b, &l});
        f.drag({200, 500}, {230, 510});
        const DrawingFields& an = f.current(a).rec.d;
        const DrawingFields& bn = f.current(b).rec.d;
        EXPECT_EQ((PixelRect{an.x1, an.y1, an.x2, an.y2}), (PixelRect{130, 110, 330, 210}));
        EXPECT_EQ((PixelRect{bn.x1, bn.y1, bn.x2, bn.y2}), (PixelRect{430, 110, 530, 310}));
    }
}

TEST(PastePlacement, APressAndDragCarriesThePastedItemsUntilTheRelease)
{
    SelectionFixture f;
    Item& sq = f.shape(KindSquare, {{100, 200}, {200, 200}, {200, 100}, {100, 100}});
    f.select({&sq});
    f.tool->beginPastePlacement(f.canvas({400, 400}));
    f.tool->mouseDown(f.canvas({500, 450}), Qt::NoModifier);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::PastePlacement);
    f.tool->mouseMove(f.canvas({520, 470}), Qt::NoModifier);
    f.tool->mouseUp(f.canvas({520, 470}), Qt::NoModifier);
    EXPECT_EQ(f.tool->toolMode(), SelectionMode::Pointer);
    EXPECT_EQ(NodeOf(sq, 0), QPoint(470, 520));
    EXPECT_EQ(sq.vertices[0].savedX, 470);
}

} // namespace
} // namespace vlm

#include <gtest/gtest.h>

#include "edit/markers.h"
#include "edit/selection.h"
#include "render/shapes.h"
#include "selection_fixture.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vlm {
namespace {

using test::SelectionFixture;

std::vector<std::int32_t> CodesOf(const std::vector<PlacedMarker>& set)
{
    std::vector<std::int32_t> codes;
    for (const PlacedMarker& m : set)
        codes.push_back(m.code);
    std::sort(codes.begin(), codes.end());
    return codes;
}

TEST(MarkerHitTest, APressGrabsFromFourLeftToFiveRightOfTheCentre)
{
    SelectionFixture f;
    Item& l = f.line({100, 100}, {300, 100});
    f.select({&l});
    struct Case {
        int dx;
        int dy;
        bool grabbed;
    };
    const Case cases[] = {{5, 0, true}, {6, 0, false}, {-4, 0, true}, {-5, 0, false}, {0, 5, true}, {0, -5, false}};
    for (const Case& c : cases) {
        const auto hit = MarkerHitTest(*f.view, f.canvas({100 + c.dx, 100 + c.dy}));
        EXPECT_EQ(hit.has_value(), c.grabbed) << c.dx << "," << c.dy;
        if (hit) {
            EXPECT_EQ(hit->code, 1);
            EXPECT_EQ(hit->mode, SelectionMode::LineDrag);
            EXPECT_EQ(hit->cursor, Qt::SizeAllCursor);
        }
    }
    EXPECT_EQ(f.tool->hover(f.canvas({106, 100})), Qt::ArrowCursor);
}

TEST(MarkerHitTest, CursorsFollowTheKindAndTheNumberSelected)
{
    SelectionFixture f;
    Item& sq = f.shape(KindSquare, {{100, 300}, {200, 300}, {200, 200}, {100, 200}});
    Item& pic = f.picture({400, 200}, {600, 300}, 200, 100);
    Item& other = f.shape(KindSquare, {{100, 600}, {200, 600}, {200, 500}, {100, 500}});
    struct Case {
        std::initializer_list<Item*> selected;
        QPoint at;
        Qt::CursorShape cursor;
        int mode;
    };
    const Case cases[] = {
        {{&sq}, {200, 250}, Qt::SizeHorCursor, SelectionMode::ShapeDrag},            // 206
        {{&sq}, {150, 200}, Qt::SizeVerCursor, SelectionMode::ShapeDrag},            // 205
        {{&sq, &other}, {200, 250}, Qt::SizeAllCursor, SelectionMode::ShapeDrag},    // several: size-all
        {{&pic}, {400, 200}, Qt::SizeFDiagCursor, SelectionMode::PictureDrag},       // 101
        {{&pic}, {600, 200}, Qt::SizeBDiagCursor, SelectionMode::PictureDrag},       // 102
        {{&pic}, {500, 300}, Qt::SizeVerCursor, SelectionMode::PictureDrag},         // 107
        {{&pic}, {500, 250}, Qt::SizeAllCursor, SelectionMode::PictureDrag},         // 7
        {{&sq}, {400, 400}, Qt::ArrowCursor, 0},
    };
    for (const Case& c : cases) {
        f.select(c.selected);
        const auto hit = MarkerHitTest(*f.view, f.canvas(c.at));
        EXPECT_EQ(HoverCursor(*f.view, f.canvas(c.at)), c.cursor) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(hit ? hit->mode : 0, c.mode) << c.at.x() << "," << c.at.y();
    }
}

TEST(MarkerSet, SideMiddlesOnlyOnAxisAlignedSquaresAndRotationOnlyForOne)
{
    SelectionFixture f;
    Item& upright = f.shape(KindSquare, {{100, 300}, {200, 300}, {200, 200}, {100, 200}});
    Item& turned = f.shape(KindSquare, {{100, 300}, {200, 310}, {190, 410}, {90, 400}});
    Item& preset = f.line({0, 0}, {100, 0}, 0.0, 0.0);
    Item& free = f.line({0, 0}, {100, 0});

    EXPECT_EQ(CodesOf(MarkerSet(upright, *f.view, false)),
              (std::vector<std::int32_t>{-4, -3, -2, -1, 205, 206, 207, 208}));
    EXPECT_EQ(CodesOf(MarkerSet(upright, *f.view, true)),
              (std::vector<std::int32_t>{-4, -3, -2, -1, 5, 6, 7, 205, 206, 207, 208}));
    EXPECT_EQ(CodesOf(MarkerSet(turned, *f.view, false)), (std::vector<std::int32_t>{-4, -3, -2, -1}));
    EXPECT_EQ(CodesOf(MarkerSet(preset, *f.view, true)), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(CodesOf(MarkerSet(free, *f.view, true)), (std::vector<std::int32_t>{1, 2, 3, 5, 6}));

    // The side middles mark the sides: 206 the right one, 207 the one through node 1.
    for (const PlacedMarker& m : MarkerSet(upright, *f.view, false)) {
        if (m.code == 206) {
            EXPECT_EQ(m.at, f.canvas({200, 250}));
        }
        if (m.code == 207) {
            EXPECT_EQ(m.at, f.canvas({150, 300}));
        }
    }
}

TEST(MarkerSet, TheRotationDotStepsAwayFromTheSideMiddleItWouldCover)
{
    SelectionFixture f;
    // Node 1 at the bottom: the dot, 40 below the middle, would sit on 207.
    Item& flat = f.shape(KindRectangle, {{100, 240}, {300, 240}, {300, 160}, {100, 160}});
    int dots = 0;
    for (const PlacedMarker& m : MarkerSet(flat, *f.view, true)) {
        if (m.code == MarkerCode::RotationDot) {
            EXPECT_EQ(m.at, f.canvas({200, 240 + 16}));
            ++dots;
        }
    }
    EXPECT_EQ(dots, 1);
}

TEST(Markers, ErasingRestoresTheCanvasBitForBit)
{
    SelectionFixture f;
    Item& a = f.shape(KindRectangle, {{100, 300}, {300, 300}, {300, 200}, {100, 200}}, 0x0000FF);
    Item& b = f.line({110, 290}, {280, 210}); // its Markers overlap the rectangle's
    Item& c = f.picture({400, 100}, {500, 180}, 10, 8);
    f.view->RepaintAll(false);
    const Bitmap clean = f.view->canvas();

    f.select({&a});
    EXPECT_FALSE(f.view->canvas().image() == clean.image());
    f.select({&a, &b, &c});
    const Bitmap marked = f.view->canvas();
    EXPECT_FALSE(marked.image() == clean.image());
    EXPECT_EQ(marked.pixel(f.canvas({100, 300}).x() + 1, f.canvas({100, 300}).y() + 1), 0x00FFFF);

    EraseMarkers(*f.view, b);
    EXPECT_FALSE(f.view->canvas().image() == clean.image());
    f.view->RemoveMarkers();
    EXPECT_TRUE(f.view->canvas().image() == clean.image());
}

TEST(Markers, ShiftClicksLeaveTheCanvasAsAFullPlacementWould)
{
    SelectionFixture f;
    Item& a = f.shape(KindRectangle, {{100, 300}, {300, 300}, {300, 200}, {100, 200}});
    Item& b = f.line({120, 280}, {280, 220});
    Item& c = f.line({400, 100}, {500, 180});
    f.view->RepaintAll(false);
    f.select({&a});
    struct Step {
        QPoint click; // on an outline, clear of every Marker
        int selectedAfter;
    };
    const Step steps[] = {
        {{160, 265}, 2}, // b joins: a loses its rotation handle
        {{425, 120}, 3}, // c joins
        {{160, 265}, 2}, // b leaves
        {{425, 120}, 1}, // c leaves: a gets its rotation handle back
    };
    for (const Step& s : steps) {
        f.click(s.click, Qt::ShiftModifier);
        EXPECT_EQ(SelectedItemCount(f.doc.items), s.selectedAfter);
        const Bitmap incremental = f.view->canvas();
        PlaceSelectionMarkers(*f.view);
        EXPECT_TRUE(f.view->canvas().image() == incremental.image()) << s.selectedAfter;
    }
    (void)b;
    (void)c;
}

TEST(MarkerSet, CornersOnOneCanvasPointShareOneMarker)
{
    SelectionFixture f;
    Item& star = f.shape(KindStar, {});
    const int spikes = 100000;
    star.rec.d.sides = spikes;
    std::vector<QPoint> nodes{{300, 300}, {300, 240}};
    for (QPoint p : StarVertices({300, 300}, {300, 240}, {330, 300}, spikes))
        nodes.push_back(p);
    for (QPoint p : nodes) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        star.vertices.push_back(v);
    }
    f.finish(star);
    const std::vector<PlacedMarker> set = MarkerSet(star, *f.view, false);
    // About one per pixel round the two rims, not one per corner.
    EXPECT_LT(set.size(), 2000u);
    std::vector<QPoint> at;
    for (const PlacedMarker& m : set)
        at.push_back(m.at);
    std::sort(at.begin(), at.end(),
              [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
    EXPECT_EQ(std::adjacent_find(at.begin(), at.end()), at.end());
    // The first corner on a point keeps its code: the tip is corner 1.
    f.select({&star});
    const auto hit = MarkerHitTest(*f.view, f.canvas({300, 240}));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->code, -1);
}

} // namespace
} // namespace vlm

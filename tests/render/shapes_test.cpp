#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "render/shapes.h"
#include "test_pixels.h"

#include <climits>
#include <numbers>
#include <vector>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::MakeShape;
using test::Render;

constexpr ColorRef kBlue = test::kBlue;

std::unique_ptr<Item> Sided(std::int32_t kind, std::initializer_list<QPoint> pts, int sides, std::int32_t fill = -2,
                            double weight = 0.0)
{
    auto item = MakeShape(kind, pts, fill, weight);
    item->rec.d.sides = sides;
    return item;
}

TEST(Shapes, SolidFillKeepsTheGeometricSizeWhateverTheWeight)
{
    struct Case {
        const char* name;
        std::int32_t kind;
        std::initializer_list<QPoint> pts;
        int sides;
        Extent expected; // {0, 0, -1, -1}: only compared with the thin drawing
    };
    const Case cases[] = {
        {"rectangle", KindRectangle, {{10, 10}, {50, 10}, {50, 30}, {10, 30}}, 0, {10, 10, 50, 30}},
        {"square", KindSquare, {{20, 20}, {60, 20}, {60, 60}, {20, 60}}, 0, {20, 20, 60, 60}},
        {"triangle", KindTriangle, {{10, 50}, {60, 50}, {35, 10}}, 0, {10, 10, 60, 50}},
        {"circle", KindCircle, {{60, 60}, {60, 40}}, 0, {40, 40, 79, 79}},
        {"ellipse", KindEllipse, {{60, 60}, {90, 60}, {60, 45}}, 0, {30, 45, 90, 75}},
        {"polygon", KindPolygon, {{60, 60}, {90, 60}}, 4, {30, 30, 90, 90}},
        {"pie", KindPie, {{60, 60}, {90, 60}, {60, 30}}, 0, {60, 30, 90, 60}},
        {"star", KindStar, {{60, 60}, {60, 20}, {60, 45}}, 5, {}},
    };
    for (const Case& c : cases) {
        auto thin = Sided(c.kind, c.pts, c.sides, -2, 0.0);
        auto heavy = Sided(c.kind, c.pts, c.sides, -2, 5.0);
        auto outlined = Sided(c.kind, c.pts, c.sides, kBlue, 5.0);
        const Extent thinInk = InkExtent(Render(*thin));
        const Extent heavyInk = InkExtent(Render(*heavy));
        const Extent outlinedInk = InkExtent(Render(*outlined));
        EXPECT_EQ(heavyInk, thinInk) << c.name;
        if (c.expected.right >= 0) {
            EXPECT_EQ(heavyInk, c.expected) << c.name;
        }
        // A fill colour keeps the 5-mm outline, which reaches outside.
        EXPECT_LT(outlinedInk.left, thinInk.left) << c.name;
        EXPECT_GT(outlinedInk.bottom, thinInk.bottom) << c.name;
    }
}

TEST(Shapes, FillRuleColours)
{
    // Solid: one colour, the line colour. A fill colour: inside in the fill,
    // border in the line colour. Clear: inside untouched.
    struct Case {
        std::int32_t fill;
        ColorRef centre;
        ColorRef edge;
    };
    const Case cases[] = {{-2, test::kRed, test::kRed}, {kBlue, kBlue, test::kRed}, {-1, test::kWhite, test::kRed}};
    for (const Case& c : cases) {
        auto rect = MakeShape(KindRectangle, {{10, 10}, {70, 10}, {70, 50}, {10, 50}}, c.fill, 1.0, test::kRed);
        const Bitmap bmp = Render(*rect);
        EXPECT_EQ(bmp.pixel(40, 30), c.centre) << c.fill;
        EXPECT_EQ(bmp.pixel(40, 10), c.edge) << c.fill;
        EXPECT_EQ(bmp.pixel(10, 30), c.edge) << c.fill;
    }
}

TEST(Shapes, TooFewPointsOrSides)
{
    // Two corners draw the line between them, one draws nothing.
    auto two = MakeShape(KindTriangle, {{10, 10}, {40, 10}});
    EXPECT_EQ(InkExtent(Render(*two)), (Extent{10, 10, 39, 10}));
    auto twoWide = MakeShape(KindTriangle, {{10, 20}, {40, 20}}, -1, 1.0); // a 4-pixel pen
    const Extent wide = InkExtent(Render(*twoWide));
    EXPECT_GE(wide.bottom - wide.top, 3);
    auto one = MakeShape(KindRectangle, {{10, 10}});
    EXPECT_EQ(InkExtent(Render(*one)), Extent{});

    struct Case {
        std::int32_t kind;
        int sides;
        bool drawn;
    };
    const Case cases[] = {
        {KindPolygon, 2, false}, {KindPolygon, 0, false},      {KindPolygon, -7, false},
        {KindPolygon, 3, true},  {KindPolygon, 1024001, false}, {KindStar, 2, false},
        {KindStar, 3, true},     {KindStar, INT_MAX, false},
    };
    for (const Case& c : cases) {
        auto item = Sided(c.kind, {{60, 60}, {60, 20}, {60, 45}}, c.sides);
        EXPECT_EQ(InkExtent(Render(*item)) != Extent{}, c.drawn) << c.kind << " " << c.sides;
    }
    // Shapes short of the points they are defined by draw nothing.
    for (std::int32_t kind : {KindCircle, KindEllipse, KindStar, KindPie, KindArc}) {
        auto item = Sided(kind, {{60, 60}}, 5);
        EXPECT_EQ(InkExtent(Render(*item)), Extent{}) << kind;
    }
}

TEST(Shapes, EllipseControlPoints)
{
    // Axis along x: a = 30, b = 20, kx = Round(60 * 0.27614237) = 17, ky = 11.
    const std::vector<QPoint> flatAxis = {{20, 50}, {20, 39}, {33, 30}, {50, 30}, {67, 30}, {80, 39}, {80, 50},
                                          {80, 61}, {67, 70}, {50, 70}, {33, 70}, {20, 61}, {20, 50}};
    EXPECT_EQ(EllipseBezier({50, 50}, {80, 50}, {50, 30}), flatAxis);

    // The third point on the axis: no second semi-axis, a flat figure.
    for (const QPoint& p : EllipseBezier({50, 50}, {80, 50}, {65, 50}))
        EXPECT_EQ(p.y(), 50);

    // 45 degrees: the foot of (40, 40) on the axis is the centre, b = 14,
    // and the top of the unrotated ellipse turns onto the third point.
    const std::vector<QPoint> turned = EllipseBezier({50, 50}, {80, 20}, {40, 40});
    EXPECT_EQ(turned[6], QPoint(80, 20));
    EXPECT_EQ(turned[3], QPoint(40, 40));
    EXPECT_EQ(turned[0], QPoint(20, 80));

    // A near-vertical axis (|dx| <= 2) takes the foot straight across at the
    // third point's height: b = |80 - 50| = 30, not the 22 the slope would give.
    const std::vector<QPoint> upright = EllipseBezier({50, 50}, {52, 10}, {80, -100});
    EXPECT_EQ(upright[6], QPoint(52, 10));
    const double b = std::hypot(upright[3].x() - 50.0, upright[3].y() - 50.0);
    EXPECT_NEAR(b, 30.0, 1.0);
}

TEST(Shapes, PolygonAndStarCorners)
{
    EXPECT_EQ(PolygonVertices({50, 50}, {80, 50}, 4), (std::vector<QPoint>{{80, 50}, {50, 20}, {20, 50}, {50, 80}}));
    // The first corner is the stored point itself, even off the radius grid.
    EXPECT_EQ(PolygonVertices({0, 0}, {7, 3}, 3).front(), QPoint(7, 3));

    // Inner corners lie halfway between the spikes, whatever the direction of
    // the inner point; only its distance counts.
    const std::vector<QPoint> star = StarVertices({50, 50}, {50, 10}, {30, 50}, 4);
    const std::vector<QPoint> expected = {{50, 10}, {36, 36}, {10, 50}, {36, 64},
                                          {50, 90}, {64, 64}, {90, 50}, {64, 36}};
    EXPECT_EQ(star, expected);
}

TEST(Shapes, PieAndArcSweepCounterClockwise)
{
    constexpr double pi = std::numbers::pi;
    // From 0 to 3*pi/2 (the end straight below the centre): 270 degrees
    // through the top and the left, never through the lower right.
    const std::vector<QPoint> arc = ArcPoints({50, 50}, {80, 50}, {50, 90});
    EXPECT_EQ(arc.front(), QPoint(80, 50));
    EXPECT_EQ(arc.back(), QPoint(50, 80)); // the radius is the start's, the end gives a direction
    bool top = false, left = false;
    for (const QPoint& p : arc) {
        EXPECT_FALSE(p.x() > 52 && p.y() > 52) << p.x() << "," << p.y();
        top |= p == QPoint(50, 20);
        left |= p == QPoint(20, 50);
    }
    EXPECT_TRUE(top);
    EXPECT_TRUE(left);

    auto pie = MakeShape(KindPie, {{50, 50}, {80, 50}, {50, 90}});
    const Bitmap bmp = Render(*pie);
    EXPECT_EQ(bmp.pixel(62, 62), test::kWhite);
    for (QPoint p : {QPoint(38, 62), QPoint(38, 38), QPoint(62, 38)})
        EXPECT_EQ(bmp.pixel(p.x(), p.y()), test::kBlack) << p.x() << "," << p.y();

    // One point per 0.9 degrees: a quarter turn on a large radius is 100.
    const std::vector<QPoint> quarter = ArcPoints({0, 0}, {10000, 0}, {0, -10000});
    EXPECT_EQ(quarter.size(), 100u);
    EXPECT_EQ(quarter.back(), QPoint(0, -10000));
    EXPECT_NEAR(std::atan2(-quarter[50].y(), quarter[50].x()), 50 * (pi / 2) / 99, 1e-4);

    // No sweep: the start twice, so a pie is the segment to the centre and back.
    EXPECT_EQ(ArcPoints({50, 50}, {80, 50}, {90, 50}), (std::vector<QPoint>{{80, 50}, {80, 50}}));
}

TEST(Shapes, ZoomAndWindowOriginApplyBeforeTheGeometry)
{
    struct Case {
        double zoom;
        int originX;
        Extent expected;
    };
    // Circle at (30, 30) through (30, 20): at 200 % with the window 4 pixels
    // in, the centre is (56, 60) and the radius 20; at 50 % (15, 15) and 5.
    const Case cases[] = {{1.0, 0, {20, 20, 39, 39}}, {2.0, 4, {36, 40, 75, 79}}, {0.5, 0, {10, 10, 19, 19}}};
    for (const Case& c : cases) {
        auto circle = MakeShape(KindCircle, {{30, 30}, {30, 20}});
        DrawContext ctx;
        ctx.zoom = c.zoom;
        ctx.originX = c.originX;
        EXPECT_EQ(InkExtent(Render(*circle, ctx)), c.expected) << c.zoom;
    }
}

TEST(Shapes, ArcIsAnOpenStrokeInTheOutlineWidth)
{
    auto arc = MakeShape(KindArc, {{60, 60}, {90, 60}, {60, 30}}, -2, 0.0);
    const Bitmap bmp = Render(*arc);
    EXPECT_EQ(bmp.pixel(75, 45), test::kWhite); // no fill, whatever the fill value
    EXPECT_EQ(bmp.pixel(90, 60), test::kBlack);
    EXPECT_EQ(bmp.pixel(60, 60), test::kWhite); // no spokes to the centre
}

TEST(Shapes, DamagedCoordinatesDrawWithoutFaults)
{
    // Records read from a damaged file may hold any numbers; drawing them must
    // neither overflow nor take forever.
    const QPoint far(INT_MAX, INT_MIN);
    const QPoint near(INT_MIN, INT_MAX);
    const std::int32_t kinds[] = {KindTriangle, KindRectangle, KindCircle, KindEllipse, KindPolygon,
                                  KindStar,     KindPie,       KindArc,    KindSpline,  KindCurve};
    for (std::int32_t kind : kinds) {
        auto item = Sided(kind, {far, near, {5, 5}, far}, 1000, -2, 1e300);
        DrawContext ctx;
        ctx.zoom = 3.0;
        Render(*item, ctx, 64, 64);
        auto clear = Sided(kind, {{10, 10}, far, near}, 7, -1, -1e300);
        Render(*clear, ctx, 64, 64);
    }
}

} // namespace
} // namespace vlm

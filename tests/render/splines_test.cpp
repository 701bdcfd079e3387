#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "render/splines.h"
#include "test_pixels.h"

#include <cmath>
#include <string>
#include <vector>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::MakeShape;
using test::Render;

std::unique_ptr<Item> Curve(std::initializer_list<QPoint> pts, std::int32_t variant, std::int32_t fill = -1)
{
    auto item = MakeShape(KindCurve, pts, fill);
    item->rec.d.shapeVariant = variant;
    SmoothCurve(*item);
    return item;
}

QPoint A(const Vertex& v)
{
    return {v.controlA[0], v.controlA[1]};
}
QPoint B(const Vertex& v)
{
    return {v.controlB[0], v.controlB[1]};
}
QPoint P(const Vertex& v)
{
    return {v.x, v.y};
}

// How far `q` lies off the line through `p` in direction `d`, in pixels.
double OffLine(QPoint p, QPoint d, QPoint q)
{
    const double dx = d.x() - p.x(), dy = d.y() - p.y();
    return std::abs(dx * (q.y() - p.y()) - dy * (q.x() - p.x())) / std::hypot(dx, dy);
}

TEST(Curves, OpenEndsLeaveAlongTheLineToTheNeighbour)
{
    auto c = Curve({{0, 0}, {100, 50}, {200, 0}, {300, 80}}, VariantOpen);
    const std::vector<Vertex>& v = c->vertices;
    // First segment: its first control lies on the chord to the second point.
    EXPECT_LE(OffLine(P(v[0]), P(v[1]), A(v[0])), 0.8);
    EXPECT_GT((A(v[0]) - P(v[0])).x(), 0);
    // Last segment: its second control lies on the chord from the last point.
    EXPECT_LE(OffLine(P(v[3]), P(v[2]), B(v[2])), 0.8);
    EXPECT_LT((B(v[2]) - P(v[3])).x(), 0);
    // Each at the tension times its segment's length.
    EXPECT_NEAR(std::hypot(A(v[0]).x(), A(v[0]).y()), kDefaultTension * std::hypot(100, 50), 0.8);
}

TEST(Curves, InteriorTangentsFollowTheNeighbours)
{
    // Collinear points: the tangent is the line itself.
    auto straight = Curve({{0, 0}, {100, 0}, {200, 0}}, VariantOpen);
    EXPECT_EQ(A(straight->vertices[1]), QPoint(128, 0)); // 100 + 0.276 * 100, rounded
    EXPECT_EQ(B(straight->vertices[0]), QPoint(72, 0));

    // The two controls around every point of a closed loop are on opposite
    // sides on one line: no corner anywhere, the first point included.
    auto loop = Curve({{50, 10}, {90, 80}, {10, 80}}, VariantClosed);
    const std::vector<Vertex>& v = loop->vertices;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const QPoint p = P(v[i]);
        const QPoint out = A(v[i]);
        const QPoint in = B(v[(i + v.size() - 1) % v.size()]);
        EXPECT_LE(OffLine(in, out, p), 0.8) << i;
        const QPoint a = out - p, b = in - p;
        EXPECT_LT(a.x() * b.x() + a.y() * b.y(), 0) << i;
    }
    // At the top, symmetric neighbours make the tangent level.
    EXPECT_EQ(A(v[0]).y(), 10);
    EXPECT_EQ(B(v[2]).y(), 10);
}

TEST(Curves, BoundingBoxCoversPointsAndTheControlsInUse)
{
    auto loop = Curve({{50, 10}, {90, 80}, {10, 80}}, VariantClosed);
    const DrawingFields& d = loop->rec.d;
    for (const Vertex& w : loop->vertices)
        for (QPoint p : {P(w), A(w), B(w)}) {
            EXPECT_GE(p.x(), d.left);
            EXPECT_LE(p.x(), d.right);
            EXPECT_GE(p.y(), d.top);
            EXPECT_LE(p.y(), d.bottom);
        }
    EXPECT_GT(d.bottom, 80); // the loop bulges below its lowest points
    EXPECT_EQ(d.width, d.right - d.left);

    // An open curve's last vertex starts no segment; whatever its controls
    // hold does not stretch the box.
    auto open = MakeShape(KindCurve, {{50, 50}, {90, 60}, {120, 50}});
    open->rec.d.shapeVariant = VariantOpen;
    open->vertices.back().controlA[0] = -500;
    open->vertices.back().controlB[1] = -500;
    SmoothCurve(*open);
    EXPECT_GE(open->rec.d.left, 40);
    EXPECT_GE(open->rec.d.top, 40);
}

TEST(Curves, PointsOnOnePixelAreMerged)
{
    struct Case {
        std::int32_t variant;
        double zoom;
        std::size_t chainSize;
    };
    // (20, 20) and (21, 20) meet at canvas x 10 at 50 % (10.5 rounds to even).
    const Case cases[] = {{VariantOpen, 1.0, 10}, {VariantOpen, 0.5, 7}, {VariantClosed, 0.5, 10}};
    for (const Case& c : cases) {
        auto curve = Curve({{20, 20}, {21, 20}, {60, 40}, {100, 20}}, c.variant);
        DrawContext ctx;
        ctx.zoom = c.zoom;
        const std::vector<QPoint> chain = CurveBezierPoints(ctx, *curve);
        EXPECT_EQ(chain.size(), c.chainSize) << c.variant << " " << c.zoom;
    }
    // When the last point is the one merged, the closing segment still starts
    // at a point: the chain stays whole segments and ends where it began.
    auto tail = Curve({{20, 20}, {60, 40}, {100, 20}, {101, 20}}, VariantSolid);
    DrawContext half;
    half.zoom = 0.5;
    const std::vector<QPoint> chain = CurveBezierPoints(half, *tail);
    EXPECT_EQ(chain.size(), 10u);
    EXPECT_EQ(chain.back(), chain.front());
}

TEST(Curves, TwoPointsDrawAStraightLine)
{
    auto curve = MakeShape(KindCurve, {{10, 30}, {100, 30}});
    curve->vertices[0].controlA[1] = -50; // controls that would bend a Bezier
    curve->vertices[0].controlB[1] = 110;
    curve->rec.d.shapeVariant = VariantOpen;
    EXPECT_EQ(InkExtent(Render(*curve)), (Extent{10, 30, 99, 30}));
}

TEST(Splines, VariantsAndFills)
{
    struct Case {
        std::int32_t kind;
        std::int32_t variant;
        std::int32_t fill;
        bool leftSide; // ink along the closing side
        ColorRef centre;
    };
    const Case cases[] = {
        {KindSpline, VariantOpen, -2, false, test::kWhite},
        {KindSpline, VariantClosed, -2, true, test::kWhite},
        {KindSpline, VariantSolid, -1, true, test::kWhite},
        {KindSpline, VariantSolid, -2, true, test::kBlack},
        {KindSpline, VariantSolid, test::kBlue, true, test::kBlue},
        {KindCurve, VariantOpen, -2, false, test::kWhite},
        {KindCurve, VariantClosed, -2, true, test::kWhite},
        {KindCurve, VariantSolid, -1, true, test::kWhite},
        {KindCurve, VariantSolid, -2, true, test::kBlack},
        {KindCurve, VariantSolid, test::kBlue, true, test::kBlue},
    };
    for (const Case& c : cases) {
        auto item = MakeShape(c.kind, {{20, 20}, {100, 20}, {100, 100}, {20, 100}}, c.fill);
        item->rec.d.shapeVariant = c.variant;
        SmoothCurve(*item);
        const Bitmap bmp = Render(*item);
        EXPECT_EQ(bmp.pixel(60, 60), c.centre) << c.kind << " " << c.variant << " " << c.fill;
        bool left = false;
        for (int y = 45; y <= 75; ++y)
            for (int x = 0; x <= 25; ++x)
                left |= bmp.pixel(x, y) != test::kWhite;
        EXPECT_EQ(left, c.leftSide) << c.kind << " " << c.variant << " " << c.fill;
    }
}

TEST(Curves, GuidesOnlyWhenAsked)
{
    auto curve = Curve({{20, 20}, {100, 20}, {100, 100}}, VariantOpen);
    for (bool guides : {false, true}) {
        Bitmap bmp(120, 120);
        {
            Canvas canvas(bmp);
            DrawCurve(canvas, DrawContext{}, *curve, guides);
        }
        bool red = false;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                red |= bmp.pixel(x, y) == test::kRed;
        EXPECT_EQ(red, guides);
    }
}

TEST(Splines, CreationPreviewRestoresThenSavesWhatItCovers)
{
    struct Case {
        std::initializer_list<QPoint> pts;
        double weight;
        QRect expected;
    };
    const Case cases[] = {
        // Grown by half the 8-pixel marker.
        {{{10, 10}, {50, 30}}, 0.0, QRect(QPoint(6, 6), QPoint(54, 34))},
        // ...or by the pen when that is wider (2 mm: 8 pixels), and clipped.
        {{{2, 10}, {50, 118}}, 2.0, QRect(QPoint(0, 2), QPoint(58, 119))},
    };
    for (const Case& c : cases) {
        auto spline = MakeShape(KindSpline, c.pts, -1, c.weight);
        spline->rec.d.shapeVariant = VariantOpen;
        std::vector<std::string> order;
        QRect taken;
        Bitmap bmp(120, 120);
        {
            Canvas canvas(bmp);
            DrawCreationPreview(
                canvas, DrawContext{}, *spline, 8, [&] { order.push_back("restore"); },
                [&](const QRect& r) {
                    order.push_back("take");
                    taken = r;
                    EXPECT_EQ(InkExtent(bmp), Extent{}); // saved before anything is drawn
                });
        }
        EXPECT_EQ(order, (std::vector<std::string>{"restore", "take"}));
        EXPECT_EQ(taken, c.expected);
        EXPECT_NE(InkExtent(bmp), Extent{});
    }
}

} // namespace
} // namespace vlm

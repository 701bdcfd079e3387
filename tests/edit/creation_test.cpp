#include <gtest/gtest.h>

#include "edit/creation.h"

#include <numbers>

namespace vlm {
namespace {

TEST(Creation, ThePresetDirectionMovesOnlyOneCoordinateOfTheEnd)
{
    struct Case {
        double degrees;
        QPoint end;
        QPoint expected;
    };
    const QPoint start(0, 0);
    const Case cases[] = {
        {-1.0, {37, 12}, {37, 12}},   // any direction
        {0.0, {37, 12}, {37, 0}},     // keeps the start's y
        {180.0, {-5, 9}, {-5, 0}},
        {90.0, {37, 12}, {0, 12}},    // keeps the start's x
        {270.0, {37, 12}, {0, 12}},
        {30.0, {100, 7}, {100, -58}}, // shallow: x kept, y from tan 30
        {60.0, {3, -100}, {58, -100}}, // steep: y kept, x from cot 60
        {135.0, {10, -50}, {-50, -50}},
        {315.0, {10, 40}, {40, 40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyPresetDirection(start, c.end, c.degrees), c.expected) << c.degrees;
}

TEST(Creation, SquaresLieLeftOfTheirFirstSideAndRectanglesTurnAtTheSecondCorner)
{
    const auto square = SquareCorners({0, 0}, {10, 0});
    EXPECT_EQ(square[2], QPoint(10, -10));
    EXPECT_EQ(square[3], QPoint(0, -10));
    const auto down = SquareCorners({0, 0}, {0, 10}); // heading down the screen: left is +x
    EXPECT_EQ(down[2], QPoint(10, 10));

    const auto rect = RectangleLastCorners({0, 0}, {10, 0}, {13, -7});
    EXPECT_EQ(rect[0], QPoint(10, -7));
    EXPECT_EQ(rect[1], QPoint(0, -7));
}

TEST(Creation, PolygonsAndStarsEndOnTheirDefiningClick)
{
    const auto poly = PolygonNodes({0, 0}, {20, 0}, 4);
    ASSERT_EQ(poly.size(), 6u);
    EXPECT_EQ(poly[2], QPoint(0, -20));
    EXPECT_EQ(poly.back(), QPoint(20, 0));

    const auto star = StarNodes({0, 0}, {5, 0}, {0, -30}, 5);
    ASSERT_EQ(star.size(), 12u);
    EXPECT_EQ(star[1], QPoint(0, -30));
    EXPECT_EQ(star.back(), QPoint(0, -30)); // the third click is a vertex
    for (std::size_t k = 2; k < star.size(); ++k) {
        const double r = std::hypot(star[k].x(), star[k].y());
        EXPECT_NEAR(r, k % 2 ? 30.0 : 5.0, 0.8) << k; // odd corners (k - 1 even) are tips
    }

    for (int sides : {2, 1024001, -3}) {
        EXPECT_EQ(PolygonNodes({0, 0}, {9, 9}, sides).size(), 2u) << sides;
        EXPECT_EQ(StarNodes({0, 0}, {1, 1}, {9, 9}, sides).size(), 2u) << sides;
    }
}

TEST(Creation, TheLongerEllipseAxisComesFirst)
{
    const EllipseNodes wide = MakeEllipse({0, 0}, {10, 0}, {3, -5});
    EXPECT_EQ(wide.length, QPoint(10, 0));
    EXPECT_EQ(wide.width, QPoint(3, -5));
    EXPECT_EQ(wide.storedLength, 20);
    EXPECT_EQ(wide.halfExtent, 11);
    EXPECT_DOUBLE_EQ(wide.angle, 0.0);

    const EllipseNodes tall = MakeEllipse({0, 0}, {10, 0}, {3, -20});
    EXPECT_EQ(tall.length, QPoint(0, -20));
    EXPECT_EQ(tall.width, QPoint(-10, 0));
    EXPECT_DOUBLE_EQ(tall.angle, std::numbers::pi / 2);
    EXPECT_EQ(tall.storedLength, 20); // as clicked
    EXPECT_EQ(tall.halfExtent, 21);
}

TEST(Creation, PiesEndOnTheCircleThroughTheStartAndBoxTheirArc)
{
    EXPECT_EQ(ArcEnd({0, 0}, {10, 0}, {0, -3}), QPoint(0, -10));
    const Box b = PieBox({0, 0}, {10, 0}, {0, -10}, 4);
    EXPECT_EQ(b.left, -5);
    EXPECT_EQ(b.top, -16);
    EXPECT_EQ(b.right, 16);
    EXPECT_EQ(b.bottom, 5);
}

TEST(Creation, TextsReadInTheirPresetDirection)
{
    struct Case {
        int preset;
        QPoint end;
        TextBaseline expected;
    };
    const Case cases[] = {
        {-10, {10, -10}, {{0, 0}, {10, -10}, 450}}, // free: the dragged angle
        {0, {30, 5}, {{0, 0}, {30, 0}, 0}},
        {0, {-20, 5}, {{-20, 0}, {0, 0}, 0}}, // dragged backwards: swapped
        {900, {5, -30}, {{0, 0}, {0, -30}, 900}},
        {900, {5, 30}, {{0, 30}, {0, 0}, 900}},
    };
    for (const Case& c : cases) {
        const TextBaseline t = TextFromClicks({0, 0}, c.end, c.preset);
        EXPECT_EQ(t.start, c.expected.start) << c.preset;
        EXPECT_EQ(t.end, c.expected.end) << c.preset;
        EXPECT_EQ(t.angle, c.expected.angle) << c.preset;
    }

    const TextBaseline free = TextFromTyping({4, 4}, -1, 900, 8);
    EXPECT_EQ(free.end, QPoint(4, 4));
    EXPECT_EQ(free.angle, 0);
    const TextBaseline up = TextFromTyping({4, 4}, 0, 900, 8);
    EXPECT_EQ(up.end, QPoint(4, -4));
    EXPECT_EQ(up.angle, 900);
}

} // namespace
} // namespace vlm

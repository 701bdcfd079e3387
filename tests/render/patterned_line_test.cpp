#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "render/patterned_line.h"
#include "test_pixels.h"

#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace vlm {
namespace {

using test::Picture;
using Rows = std::vector<std::string>;

constexpr double kPi = std::numbers::pi;
constexpr ColorRef kBlue = RGBRef(0, 0, 255);
constexpr ColorRef kRed = RGBRef(255, 0, 0);
constexpr ColorRef kWhite = RGBRef(255, 255, 255);

struct Dash
{
    QPoint from, to;
    bool operator==(const Dash&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Dash& d)
{
    return os << '(' << d.from.x() << ',' << d.from.y() << ")-(" << d.to.x() << ',' << d.to.y() << ')';
}

PatternTable Pattern(std::vector<std::int32_t> lengths)
{
    PatternTable t;
    t.count = static_cast<int>(lengths.size());
    t.lengths.fill(0);
    std::copy(lengths.begin(), lengths.end(), t.lengths.begin());
    return t;
}

std::vector<Dash> Walk(QPoint a, QPoint b, double angle, const PatternTable& p,
                       std::optional<QRect> visible = std::nullopt)
{
    std::vector<Dash> out;
    DashWalk walk(a, b, angle, p, visible);
    QPoint q, s;
    while (walk.next(q, s)) {
        out.push_back({q, s});
        if (out.size() > 2000000)
            break;
    }
    return out;
}

TEST(DashWalk, EndsExactlyAtTheEndPoint)
{
    struct Case
    {
        const char* what;
        std::vector<std::int32_t> pattern;
        std::vector<Dash> dashes;
    };
    const QPoint a(0, 0), b(10, 0);
    const Case cases[] = {
        {"dots", {1, 2}, {{{0, 0}, {1, 0}}, {{3, 0}, {4, 0}}, {{6, 0}, {7, 0}}, {{9, 0}, {10, 0}}}},
        {"last dash cut at the end", {4, 3}, {{{0, 0}, {4, 0}}, {{7, 0}, {10, 0}}}},
        {"space reaching the end draws no further dash", {4, 1}, {{{0, 0}, {4, 0}}, {{5, 0}, {9, 0}}}},
        {"space reaching past the end", {4, 6}, {{{0, 0}, {4, 0}}}},
        {"odd count runs into the next round",
         {3, 1, 2},
         {{{0, 0}, {3, 0}}, {{4, 0}, {6, 0}}, {{6, 0}, {9, 0}}}},
        {"solid", {kSolidDash}, {{{0, 0}, {10, 0}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Walk(a, b, 0.0, Pattern(c.pattern)), c.dashes) << c.what;
}

TEST(DashWalk, FollowsTheStoredAngleWithRoundedPositions)
{
    // 45 degrees up and to the right: cos and sin times d, each rounded.
    const std::vector<Dash> diag = Walk({0, 0}, {7, -7}, kPi / 4, Pattern({2, 3}));
    EXPECT_EQ(diag, (std::vector<Dash>{{{0, 0}, {1, -1}}, {{4, -4}, {5, -5}}}));
    // The walk runs along the angle; only its last point is the end point.
    const std::vector<Dash> off = Walk({0, 0}, {10, 3}, 0.0, Pattern({4, 1}));
    EXPECT_EQ(off, (std::vector<Dash>{{{0, 0}, {4, 0}}, {{5, 0}, {9, 0}}, {{10, 0}, {10, 3}}}));
}

TEST(DashWalk, PatternsThatCannotMoveOnDrawOneDash)
{
    const std::vector<Dash> whole{{{0, 0}, {30, 0}}};
    for (const auto& lengths :
         {std::vector<std::int32_t>{0, 0}, std::vector<std::int32_t>{-5, -5}, std::vector<std::int32_t>{}}) {
        EXPECT_EQ(Walk({0, 0}, {30, 0}, 0.0, Pattern(lengths)), whole) << lengths.size();
    }
    // A damaged count reads no further than the twelve lengths there are.
    PatternTable wild = Pattern({4, 4});
    wild.count = 40;
    const std::vector<Dash> clamped = Walk({0, 0}, {12, 0}, 0.0, wild);
    EXPECT_EQ(clamped.front(), (Dash{{0, 0}, {4, 0}}));
    EXPECT_EQ(clamped.back().to, QPoint(12, 0));
    // A zero-length dash is a point; the spaces still carry the walk.
    EXPECT_EQ(Walk({0, 0}, {10, 0}, 0.0, Pattern({0, 5})),
              (std::vector<Dash>{{{0, 0}, {0, 0}}, {{5, 0}, {5, 0}}}));
}

TEST(DashWalk, WalksThatCannotReachTheEndStillFinish)
{
    // The stored angle points away from the end and the coordinates are at
    // their limits: the points stop moving, the walk must still end.
    const std::vector<Dash> away = Walk({-2147483647 - 1, 0}, {2147483647, 0}, kPi, Pattern({kSolidDash}));
    ASSERT_FALSE(away.empty());
    EXPECT_LE(away.size(), 4u);
    EXPECT_EQ(away.back().to, QPoint(2147483647, 0));
    const std::vector<Dash> nan = Walk({0, 0}, {10, 0}, std::nan(""), Pattern({4, 2}));
    EXPECT_EQ(nan, (std::vector<Dash>{{{0, 0}, {4, 0}}, {{6, 0}, {10, 0}}}));
}

TEST(DashWalk, SkippingInvisibleRoundsGivesTheSameVisibleDashes)
{
    const QRect visible(-10, -10, 120, 60);
    struct Case
    {
        QPoint a, b;
        double angle;
    };
    const Case cases[] = {
        {{-200000, 20}, {200000, 20}, 0.0},
        {{200000, 20}, {-200000, 20}, kPi},
        {{-140000, 140000}, {140000, -140000}, kPi / 4},
        {{50, 20}, {50, -200000}, kPi / 2},
        {{-200000, 20}, {40, 20}, 0.0}, // ends inside
        {{40, 20}, {200000, 20}, 0.0},  // starts inside
    };
    for (const Case& c : cases) {
        const PatternTable p = Pattern({3, 4, 1, 4});
        const std::vector<Dash> full = Walk(c.a, c.b, c.angle, p);
        const std::vector<Dash> fast = Walk(c.a, c.b, c.angle, p, visible);
        auto touches = [&](const Dash& d) {
            const QRect box = QRect(d.from, d.to).normalized().adjusted(-1, -1, 1, 1);
            return box.intersects(visible);
        };
        std::vector<Dash> seenFull, seenFast;
        std::copy_if(full.begin(), full.end(), std::back_inserter(seenFull), touches);
        std::copy_if(fast.begin(), fast.end(), std::back_inserter(seenFast), touches);
        EXPECT_FALSE(seenFull.empty());
        EXPECT_EQ(seenFast, seenFull) << c.a.x() << "," << c.a.y();
        EXPECT_EQ(fast.back(), full.back()); // the last dash still ends at the end point
        EXPECT_LT(fast.size(), 200u);
    }
}

TEST(FlatBand, CornersAlongTheAxesComeFromTheStartPoint)
{
    struct Case
    {
        double angle;
        std::array<QPoint, 4> corners;
    };
    // Width 5: a = Round(2.5) = 2 on the left of travel, b = 3 on the right.
    const QPoint p(10, 20), q(30, 23);
    const Case cases[] = {
        {0.0, {QPoint(10, 18), QPoint(30, 18), QPoint(30, 23), QPoint(10, 23)}},
        {kPi, {QPoint(10, 22), QPoint(30, 22), QPoint(30, 17), QPoint(10, 17)}},
        {kPi / 2, {QPoint(8, 20), QPoint(8, 23), QPoint(13, 23), QPoint(13, 20)}},
        {3 * kPi / 2 + 0.00009, {QPoint(12, 20), QPoint(12, 23), QPoint(7, 23), QPoint(7, 20)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FlatBandCorners(p, q, c.angle, 5), c.corners) << c.angle;

    // Off the axes: the normal at angle + 90 degrees, corners rounded.
    EXPECT_EQ(FlatBandCorners({0, 0}, {10, -10}, kPi / 4, 4),
              (std::array<QPoint, 4>{QPoint(-1, -1), QPoint(9, -11), QPoint(12, -8), QPoint(2, 2)}));
}

TEST(FlatBand, OutlineStripsLieInsideAlongEachSide)
{
    const auto corners = FlatBandCorners({10, 20}, {40, 20}, 0.0, 11);
    ASSERT_EQ(corners,
              (std::array<QPoint, 4>{QPoint(10, 14), QPoint(40, 14), QPoint(40, 25), QPoint(10, 25)}));
    const auto strips = OutlineStrips(corners, 0.0, 2);
    EXPECT_EQ(strips[0],
              (std::array<QPoint, 4>{QPoint(10, 14), QPoint(40, 14), QPoint(40, 16), QPoint(10, 16)}));
    EXPECT_EQ(strips[1],
              (std::array<QPoint, 4>{QPoint(38, 14), QPoint(40, 14), QPoint(40, 25), QPoint(38, 25)}));
    EXPECT_EQ(strips[2],
              (std::array<QPoint, 4>{QPoint(10, 23), QPoint(40, 23), QPoint(40, 25), QPoint(10, 25)}));
    EXPECT_EQ(strips[3],
              (std::array<QPoint, 4>{QPoint(10, 14), QPoint(12, 14), QPoint(12, 25), QPoint(10, 25)}));
}

TEST(FlatBand, OutlineIsDroppedWhenItWouldCoverTheBand)
{
    const ScreenMetrics m;
    struct Case
    {
        const char* what;
        int width, outline;
        double weight, outlineWeight;
        std::int32_t fill;
        int keptOutline;
        std::optional<ColorRef> brush;
    };
    const Case cases[] = {
        {"3 mm with 0.5 mm outline, clear", 11, 2, 3.0, 0.5, kFillClear, 2, std::nullopt},
        {"fill colour kept", 11, 2, 3.0, 0.5, kRed, 2, kRed},
        {"solid fill is the line colour", 11, 2, 3.0, 0.5, kFillSolid, 2, kBlue},
        {"3 mm with 2 mm outline", 11, 8, 3.0, 2.0, kFillClear, 0, kBlue},
        {"outline covers at this zoom", 11, 6, 3.0, 0.5, kRed, 0, kBlue},
        {"no weight", 11, 2, 0.00009, 0.0, kFillClear, 0, kBlue},
        {"outline covers at 100 %", 40, 2, 1.0, 0.5, kFillClear, 0, kBlue},
        {"thin outline on a wide line", 11, 0, 3.0, 0.0, kFillClear, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        LineStroke s;
        s.lineColor = kBlue;
        s.fill = c.fill;
        s.widthPx = c.width;
        s.outlinePx = c.outline;
        s.weightMm = c.weight;
        s.outlineWeightMm = c.outlineWeight;
        const DashBand band = BandStyle(s, m);
        EXPECT_EQ(band.outline, c.keptOutline) << c.what;
        EXPECT_EQ(band.brush, c.brush) << c.what;
    }
}

const std::map<ColorRef, char> kLegend{{kWhite, '.'}, {kBlue, '#'}, {kRed, 'r'}};

LineStroke Stroke(int width, int outline, double weightMm, double outlineMm, std::int32_t fill)
{
    LineStroke s;
    s.lineColor = kBlue;
    s.fill = fill;
    s.widthPx = width;
    s.outlinePx = outline;
    s.weightMm = weightMm;
    s.outlineWeightMm = outlineMm;
    return s;
}

// A white bitmap with one line drawn on it.
Bitmap Drawn(int w, int h, QPoint a, QPoint b, double angle, const PatternTable& p, const LineStroke& s)
{
    Bitmap bmp(w, h);
    {
        Canvas c(bmp);
        DrawPatternedLine(c, a, b, angle, p, s, ScreenMetrics{});
    }
    return bmp;
}

TEST(PatternedLine, OnePixelDotsLeaveTheirLastPixelUnset)
{
    const Bitmap bmp =
        Drawn(14, 3, {0, 1}, {12, 1}, 0.0, BuiltInPattern(PatternDot, 1), Stroke(1, 0, 0, 0, kFillClear));
    EXPECT_EQ(Picture(bmp, 0, 0, 14, 3, kLegend), (Rows{
                                                      "..............",
                                                      "#..#..#..#....",
                                                      "..............",
                                                  }));
    // A solid one-pixel line leaves its final pixel unset, also drawn backwards.
    const Bitmap back = Drawn(14, 3, {12, 1}, {2, 1}, kPi, PatternTable{}, Stroke(1, 0, 0, 0, kFillClear));
    EXPECT_EQ(Picture(back, 0, 0, 14, 3, kLegend)[1], "...##########.");
}

TEST(PatternedLine, DotsAtThreeHundredPercentAreBands)
{
    // Width 3: a = Round(1.5) = 2 rows above the line, 1 below; each band is
    // a polygon with a 1-pixel border, so it covers its far edges too.
    const Bitmap bmp =
        Drawn(22, 6, {0, 3}, {21, 3}, 0.0, BuiltInPattern(PatternDot, 3), Stroke(3, 0, 0.0, 0.0, kFillClear));
    EXPECT_EQ(Picture(bmp, 0, 0, 22, 6, kLegend), (Rows{
                                                      "......................",
                                                      "####.....####.....####",
                                                      "####.....####.....####",
                                                      "####.....####.....####",
                                                      "####.....####.....####",
                                                      "......................",
                                                  }));
}

TEST(PatternedLine, SolidBandWhenTheOutlineIsTooWide)
{
    // 3 mm (11 px) with a 2 mm (8 px) outline and fill "Clear".
    const Bitmap bmp =
        Drawn(46, 30, {10, 20}, {40, 20}, 0.0, PatternTable{}, Stroke(11, 8, 3.0, 2.0, kFillClear));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 46; ++x) {
            const bool inside = x >= 10 && x <= 40 && y >= 14 && y <= 25;
            ASSERT_EQ(bmp.pixel(x, y), inside ? kBlue : kWhite) << x << "," << y;
        }
}

TEST(PatternedLine, HollowOutlinedBand)
{
    // 3 mm (11 px) with a 0.5 mm (2 px) outline and fill "Clear": the band's
    // border plus four strips of 2, each painted with its 1-pixel border.
    const Bitmap bmp =
        Drawn(46, 30, {10, 20}, {40, 20}, 0.0, PatternTable{}, Stroke(11, 2, 3.0, 0.5, kFillClear));
    EXPECT_EQ(Picture(bmp, 8, 12, 35, 16, kLegend), (Rows{
                                                        "...................................",
                                                        "...................................",
                                                        "..###############################..",
                                                        "..###############################..",
                                                        "..###############################..",
                                                        "..###.........................###..",
                                                        "..###.........................###..",
                                                        "..###.........................###..",
                                                        "..###.........................###..",
                                                        "..###.........................###..",
                                                        "..###.........................###..",
                                                        "..###############################..",
                                                        "..###############################..",
                                                        "..###############################..",
                                                        "...................................",
                                                        "...................................",
                                                    }));
    // With a fill colour the inside is that colour.
    const Bitmap filled =
        Drawn(46, 30, {10, 20}, {40, 20}, 0.0, PatternTable{}, Stroke(11, 2, 3.0, 0.5, kRed));
    EXPECT_EQ(filled.pixel(25, 20), kRed);
    EXPECT_EQ(filled.pixel(11, 20), kBlue);
}

TEST(PatternedLine, EveryDashOfAnOutlinedLineIsItsOwnRectangle)
{
    const Bitmap bmp =
        Drawn(60, 20, {2, 10}, {57, 10}, 0.0, Pattern({20, 10}), Stroke(11, 2, 3.0, 0.5, kFillClear));
    const std::string middle = Picture(bmp, 0, 0, 60, 20, kLegend)[10];
    EXPECT_EQ(middle, "..###...............###.........###...............###.......");
}

class RecordingShader : public BandShader
{
public:
    void shadeBand(Canvas&, const DashBand& band, int surface, int light) const override
    {
        calls.push_back({band.width, surface, light});
    }
    struct Call
    {
        int width, surface, light;
        bool operator==(const Call&) const = default;
    };
    mutable std::vector<Call> calls;
};

TEST(PatternedLine, ShadedDashesGoToTheShaderFromFourPixelsOn)
{
    struct Case
    {
        int width;
        int surface;
        bool shader;
        std::size_t shaded;
    };
    const Case cases[] = {
        {4, 127, true, 2}, {3, 127, true, 0}, {4, 0, true, 0}, {4, 127, false, 0}, {1, 127, true, 0},
    };
    for (const Case& k : cases) {
        RecordingShader shader;
        LineStroke s = Stroke(k.width, 0, 2.0, 0.0, kFillSolid);
        s.surface = k.surface;
        s.lightDirection = 3;
        s.shader = k.shader ? &shader : nullptr;
        Bitmap bmp(40, 20);
        {
            Canvas c(bmp);
            DrawPatternedLine(c, {0, 10}, {30, 10}, 0.0, Pattern({10, 10}), s, ScreenMetrics{});
        }
        EXPECT_EQ(shader.calls.size(), k.shaded) << k.width << " " << k.surface;
        if (k.shaded) {
            EXPECT_EQ(shader.calls.front(), (RecordingShader::Call{k.width, 127, 3}));
            EXPECT_EQ(bmp.pixel(5, 10), kWhite); // the shader draws; nothing flat beneath
        } else {
            EXPECT_EQ(bmp.pixel(5, 10), kBlue);
        }
    }
}

TEST(PatternedLine, AbsurdGeometryDrawsWithoutHangingOrOverflowing)
{
    Bitmap bmp(50, 50);
    Canvas c(bmp);
    const PatternTable dots = BuiltInPattern(PatternDot, 1);
    DrawPatternedLine(c, {-2147483647 - 1, 25}, {2147483647, 25}, 0.0, dots, Stroke(1, 0, 0, 0, kFillClear),
                      ScreenMetrics{});
    DrawPatternedLine(c, {-2147483647 - 1, -2147483647 - 1}, {2147483647, 2147483647}, 7 * kPi / 4, dots,
                      Stroke(2147483647, 2147483647, 1e300, 1e300, kRed), ScreenMetrics{});
    DrawPatternedLine(c, {0, 0}, {0, 0}, 0.0, dots, Stroke(5, 2, 2.0, 0.5, kRed), ScreenMetrics{});
    EXPECT_EQ(bmp.pixel(24, 25), kBlue);
}

} // namespace
} // namespace vlm

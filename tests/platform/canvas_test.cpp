#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/font.h"
#include "test_pixels.h"

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace vlm {
namespace {

using test::Extent;
using test::InkExtent;
using test::Picture;
using Rows = std::vector<std::string>;

constexpr ColorRef kBlack = RGBRef(0, 0, 0);
constexpr ColorRef kRed = RGBRef(255, 0, 0);
constexpr ColorRef kWhite = RGBRef(255, 255, 255);

// White, black and red as picture characters.
const std::map<ColorRef, char> kLegend{{kWhite, '.'}, {kBlack, '#'}, {kRed, 'r'}};

TEST(Canvas, ThinPolylineLeavesItsFinalPixelUnsetAtWidthZeroAndOne)
{
    for (int width : {0, 1}) {
        Bitmap bmp(14, 8);
        {
            Canvas c(bmp);
            c.setPen(kBlack, width);
            const QPoint pts[] = {{1, 1}, {10, 1}, {10, 6}};
            c.polyline(pts);
        }
        EXPECT_EQ(Picture(bmp, 0, 0, 12, 8), (Rows{
                                                 "............",
                                                 ".##########.",
                                                 "..........#.",
                                                 "..........#.",
                                                 "..........#.",
                                                 "..........#.",
                                                 "............",
                                                 "............",
                                             }))
            << "width " << width;
    }
}

TEST(Canvas, ThinLineStartsOnItsFirstPointAndStopsShortOfItsLastInEveryDirection)
{
    const QPoint centre(10, 10);
    const QPoint ends[] = {{16, 10}, {4, 10}, {10, 4}, {10, 16}, {16, 13},
                           {4, 7},   {13, 4}, {7, 16}, {14, 6},  {6, 14}};
    for (QPoint end : ends) {
        Bitmap bmp(21, 21);
        {
            Canvas c(bmp);
            c.setPen(kBlack);
            c.line(centre, end);
        }
        int count = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x)
                count += bmp.pixel(x, y) == kBlack;
        const int steps = std::max(std::abs(end.x() - centre.x()), std::abs(end.y() - centre.y()));
        EXPECT_EQ(bmp.pixel(centre.x(), centre.y()), kBlack) << end.x() << "," << end.y();
        EXPECT_EQ(bmp.pixel(end.x(), end.y()), kWhite) << end.x() << "," << end.y();
        EXPECT_EQ(count, steps) << end.x() << "," << end.y();
    }
}

TEST(Canvas, ThinLinesOfAnyLengthCostOnlyTheirVisiblePixels)
{
    Bitmap bmp(40, 30);
    {
        Canvas c(bmp);
        c.setPen(kBlack, 0, PenStyle::Dotted);
        c.line({-2000000000, 5}, {2000000000, 5});
        c.setPen(kBlack);
        c.line({2147483647, 2147483647}, {-2147483647 - 1, -2147483647 - 1});
        c.line({30, 2000000000}, {30, 20});
    }
    // Dots keep their phase as if every pixel from the far start were walked:
    // pixel x is step x + 2000000000, and 2000000000 % 6 == 2.
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(bmp.pixel(x, 5) == kBlack, (x + 2) % 6 < 3) << x;
    EXPECT_EQ(bmp.pixel(30, 29), kBlack);
    EXPECT_EQ(bmp.pixel(30, 21), kBlack);
    EXPECT_EQ(bmp.pixel(30, 20), kWhite);
    EXPECT_EQ(bmp.pixel(7, 7), kBlack); // the diagonal, walked from the far end
    EXPECT_EQ(bmp.pixel(7, 8), kWhite);
}

// The rule for one segment, pixel by pixel: step i of n along the major axis
// is offset by i * m / n rounded half away from the start, the final step is
// left out, dots are 3 on, 3 off counted from the polyline's start.
void ReferencePolyline(Bitmap& bmp, const std::vector<QPoint>& pts, bool dotted, ColorRef colour)
{
    long long phase = 0;
    for (std::size_t k = 1; k < pts.size(); ++k) {
        const QPoint a = pts[k - 1], b = pts[k];
        const long long dx = b.x() - a.x(), dy = b.y() - a.y();
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
        const long long m = xMajor ? std::llabs(dy) : std::llabs(dx);
        const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
        const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
        for (long long i = 0; i < n; ++i) {
            const long long off = (2 * i * m + n) / (2 * n);
            const long long x = a.x() + (xMajor ? sMaj * i : sMin * off);
            const long long y = a.y() + (xMajor ? sMin * off : sMaj * i);
            if ((!dotted || (phase + i) % 6 < 3) && x >= 0 && y >= 0 && x < bmp.width() && y < bmp.height())
                bmp.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
        }
        phase += n;
    }
}

TEST(Canvas, ThinPolylinesFollowTheStepRuleInsideAndAcrossTheBitmapEdges)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-45, 85);
    for (int round = 0; round < 300; ++round) {
        std::vector<QPoint> pts;
        const int count = 2 + round % 5;
        for (int k = 0; k < count; ++k)
            pts.emplace_back(coordinate(random), coordinate(random));
        const bool dotted = round % 3 == 0;
        Bitmap drawn(40, 30), expected(40, 30);
        {
            Canvas c(drawn);
            c.setPen(kBlack, round % 2, dotted ? PenStyle::Dotted : PenStyle::Solid);
            c.polyline(pts);
        }
        ReferencePolyline(expected, pts, dotted, kBlack);
        ASSERT_EQ(Picture(drawn, 0, 0, 40, 30), Picture(expected, 0, 0, 40, 30)) << "round " << round;
    }
}

TEST(Canvas, ThinStrokesAndPaintedFiguresKeepTheirDrawingOrder)
{
    Bitmap bmp(12, 5);
    {
        Canvas c(bmp);
        c.setPen(kBlack);
        c.line({0, 2}, {12, 2});
        c.fillRect(QRect(3, 0, 3, 5), kRed); // over the first line
        c.setPen(kWhite);
        c.line({4, 0}, {4, 5}); // over the fill
    }
    EXPECT_EQ(Picture(bmp, 0, 0, 12, 5, kLegend), (Rows{
                                                      "...r.r......",
                                                      "...r.r......",
                                                      "###r.r######",
                                                      "...r.r......",
                                                      "...r.r......",
                                                  }));
}

TEST(Canvas, PolygonCoversItsVerticesWithAPenAndOneLessWithout)
{
    const QPoint square[] = {{1, 1}, {10, 1}, {10, 10}, {1, 10}};
    struct Case
    {
        bool pen;
        Extent ink;
    };
    for (const Case& k : {Case{true, {1, 1, 10, 10}}, Case{false, {1, 1, 9, 9}}}) {
        Bitmap bmp(14, 14);
        {
            Canvas c(bmp);
            if (k.pen)
                c.setPen(kBlack);
            else
                c.setNullPen();
            c.setSolidBrush(kRed);
            c.polygon(square);
        }
        EXPECT_EQ(InkExtent(bmp), k.ink) << "pen " << k.pen;
        if (k.pen) {
            EXPECT_EQ(bmp.pixel(1, 5), kBlack); // border
            EXPECT_EQ(bmp.pixel(10, 10), kBlack);
            EXPECT_EQ(bmp.pixel(5, 5), kRed); // interior
        }
    }
}

TEST(Canvas, HollowPolygonPaintsOnlyTheBorder)
{
    Bitmap bmp(8, 8);
    {
        Canvas c(bmp);
        c.setPen(kBlack);
        c.setHollowBrush();
        const QPoint tri[] = {{1, 1}, {6, 1}, {1, 6}};
        c.polygon(tri);
    }
    EXPECT_EQ(Picture(bmp, 0, 0, 8, 8), (Rows{
                                            "........",
                                            ".######.",
                                            ".#...#..",
                                            ".#..#...",
                                            ".#.#....",
                                            ".##.....",
                                            ".#......",
                                            "........",
                                        }));
}

TEST(Canvas, EllipseStaysInsideItsBoxAndIsSymmetric)
{
    struct Case
    {
        bool pen;
        bool brush;
        Extent ink;
    };
    const Case cases[] = {
        {true, false, {2, 3, 13, 10}},
        {true, true, {2, 3, 13, 10}},
        {false, true, {3, 4, 12, 9}},
    };
    for (const Case& k : cases) {
        Bitmap bmp(18, 14);
        {
            Canvas c(bmp);
            if (k.pen)
                c.setPen(kBlack);
            else
                c.setNullPen();
            if (k.brush)
                c.setSolidBrush(kRed);
            else
                c.setHollowBrush();
            c.ellipse(2, 3, 14, 11); // 12 x 8 box
        }
        const Extent e = InkExtent(bmp);
        EXPECT_EQ(e, k.ink) << "pen " << k.pen << " brush " << k.brush;
        for (int y = e.top; y <= e.bottom; ++y)
            for (int x = e.left; x <= e.right; ++x) {
                const int mx = e.left + e.right - x;
                const int my = e.top + e.bottom - y;
                ASSERT_EQ(bmp.pixel(x, y), bmp.pixel(mx, y)) << x << "," << y;
                ASSERT_EQ(bmp.pixel(x, y), bmp.pixel(x, my)) << x << "," << y;
            }
    }
}

TEST(Canvas, EmptyOrInvertedEllipseBoxes)
{
    Bitmap bmp(12, 12);
    Canvas c(bmp);
    c.setPen(kBlack);
    c.ellipse(5, 5, 5, 5);
    c.ellipse(5, 5, 6, 9);
    EXPECT_EQ(InkExtent(bmp), Extent{});
    c.ellipse(11, 10, 1, 2); // corners given the other way round
    EXPECT_EQ(InkExtent(bmp), (Extent{1, 2, 10, 9}));
}

TEST(Canvas, DottedPenRunsThreeOnThreeOffAcrossPolylineVertices)
{
    Bitmap bmp(16, 8);
    {
        Canvas c(bmp);
        c.setPen(kBlack, 1, PenStyle::Dotted);
        const QPoint pts[] = {{0, 1}, {10, 1}, {10, 7}};
        c.polyline(pts);
    }
    EXPECT_EQ(Picture(bmp, 0, 0, 12, 8), (Rows{
                                             "............",
                                             "###...###...",
                                             "............",
                                             "..........#.",
                                             "..........#.",
                                             "..........#.",
                                             "............",
                                             "............",
                                         }));
}

TEST(Canvas, WidePensHaveRoundEndsAndAreNeverDotted)
{
    Bitmap solid(30, 20), dotted(30, 20);
    for (auto [bmp, style] : {std::pair{&solid, PenStyle::Solid}, std::pair{&dotted, PenStyle::Dotted}}) {
        Canvas c(*bmp);
        c.setPen(kBlack, 6, style);
        c.line({8, 10}, {20, 10});
    }
    EXPECT_EQ(Picture(solid, 0, 0, 30, 20), Picture(dotted, 0, 0, 30, 20));
    const Extent e = InkExtent(solid);
    EXPECT_LT(e.left, 8);                          // the cap reaches back over the start
    EXPECT_GT(e.right, 20);                        // and past the end
    EXPECT_EQ(solid.pixel(e.left, e.top), kWhite); // its corners are cut round
    EXPECT_EQ(solid.pixel(e.right, e.bottom), kWhite);
}

TEST(Canvas, FillRectPaintsExactlyItsPixelsClippedToTheBitmap)
{
    Bitmap bmp(8, 6);
    {
        Canvas c(bmp);
        c.fillRect(QRect(2, 1, 3, 2), kBlack);
        c.fillRect(QRect(6, 4, 10, 10), kBlack);
        c.fillRect(QRect(-5, -5, 3, 3), kBlack);
    }
    EXPECT_EQ(Picture(bmp, 0, 0, 8, 6), (Rows{
                                            "........",
                                            "..###...",
                                            "..###...",
                                            "........",
                                            "......##",
                                            "......##",
                                        }));
}

TEST(Canvas, CopyRectClipsToBothBitmapsAndHandlesOverlap)
{
    Bitmap src(6, 6, kBlack);
    src.setPixel(0, 0, kRed);
    src.setPixel(5, 5, kRed);
    Bitmap dst(6, 6);
    {
        Canvas c(dst);
        // Source rectangle partly outside the source and destination partly
        // outside the canvas: only the overlap of both is copied, in place.
        c.copyRect(src, QRect(-2, -2, 5, 5), QPoint(3, 3));
    }
    EXPECT_EQ(Picture(dst, 0, 0, 6, 6, kLegend), (Rows{
                                                     "......",
                                                     "......",
                                                     "......",
                                                     "......",
                                                     "......",
                                                     ".....r",
                                                 }));

    Bitmap self(6, 1);
    for (int x = 0; x < 6; ++x)
        self.setPixel(x, 0, RGBRef(x, 0, 0));
    {
        Canvas c(self);
        c.copyRect(self, QRect(0, 0, 4, 1), QPoint(2, 0));
    }
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(RedOf(self.pixel(x, 0)), x < 2 ? x : x - 2) << x;
}

TEST(Canvas, BezierChainAndPathsFollowTheBrushAndPen)
{
    // A closed chain around a 20 x 20 box: stroked, filled, both.
    const QPoint chain[] = {{5, 15},  {5, 9},   {9, 5},   {15, 5}, {21, 5}, {25, 9}, {25, 15},
                            {25, 21}, {21, 25}, {15, 25}, {9, 25}, {5, 21}, {5, 15}};
    const Path path = Path::bezierChain(chain, true);

    Bitmap stroked(30, 30), filled(30, 30), both(30, 30);
    {
        Canvas c(stroked);
        c.setPen(kBlack);
        c.setSolidBrush(kRed);
        c.strokePath(path); // the brush is not used
    }
    {
        Canvas c(filled);
        c.setPen(kBlack);
        c.setSolidBrush(kRed);
        c.fillPath(path); // the pen is not used
    }
    {
        Canvas c(both);
        c.setPen(kBlack);
        c.setSolidBrush(kRed);
        c.strokeAndFillPath(path);
    }
    EXPECT_EQ(stroked.pixel(15, 15), kWhite);
    EXPECT_EQ(stroked.pixel(5, 15), kBlack);
    EXPECT_EQ(filled.pixel(15, 15), kRed);
    EXPECT_EQ(filled.pixel(5, 15), kRed);
    EXPECT_EQ(both.pixel(15, 15), kRed);
    EXPECT_EQ(both.pixel(5, 15), kBlack);

    Bitmap open(30, 30);
    {
        Canvas c(open);
        c.setPen(kBlack);
        c.polyBezier(std::span(chain).first(7)); // half the loop, left open
    }
    EXPECT_EQ(open.pixel(5, 15), kBlack);  // starts on its first point
    EXPECT_EQ(open.pixel(25, 15), kWhite); // and leaves the last unset
    EXPECT_EQ(open.pixel(15, 25), kWhite);
}

TEST(Canvas, TextLeavesThePenAndThePositionOfLaterFiguresAlone)
{
    FontRequest request;
    request.faceName = QStringLiteral("Arial");
    request.sizePoints = 12;
    const std::optional<Font> flat = Font::make(request, 96);
    request.escapement = 900;
    const std::optional<Font> turned = Font::make(request, 96);
    ASSERT_TRUE(flat && turned);
    for (const Font* font : {&*flat, &*turned}) {
        Bitmap bmp(60, 60);
        {
            Canvas c(bmp);
            c.setPen(kRed, 5);
            c.setHollowBrush();
            c.drawText(*font, QPoint(30, 30), QStringLiteral("x"), kBlack);
            c.line({5, 50}, {25, 50}); // still the wide red pen, on the page's own axes
            c.ellipse(40, 40, 56, 56);
        }
        EXPECT_EQ(bmp.pixel(15, 48), kRed) << font->escapement();
        EXPECT_EQ(bmp.pixel(15, 52), kRed) << font->escapement();
        EXPECT_EQ(bmp.pixel(48, 40), kRed) << font->escapement();
    }
}

TEST(Canvas, NullBitmapAndDegenerateInputDrawNothingAndDoNotCrash)
{
    Bitmap none;
    Canvas c(none);
    c.setPen(kBlack, 5);
    c.setSolidBrush(kRed);
    const QPoint pts[] = {{0, 0}, {4, 4}};
    c.polyline(pts);
    c.polygon(pts);
    c.ellipse(0, 0, 10, 10);
    c.fillRect(QRect(0, 0, 5, 5), kBlack);
    c.copyRect(none, QRect(0, 0, 5, 5), QPoint(0, 0));
    c.strokeAndFillPath(Path::bezierChain(pts, true));
    EXPECT_EQ(c.logicalDpiY(), 96);

    Bitmap bmp(10, 10);
    Canvas d(bmp);
    d.setPen(kBlack);
    d.polyline(std::span(pts).first(1));
    d.polygon({});
    d.polyBezier({});
    d.setPen(kBlack, 1 << 30); // absurd widths are capped, not refused
    d.line({-2000000000, -2000000000}, {2000000000, 2000000000});
    EXPECT_EQ(bmp.pixel(0, 9), kBlack);
}

} // namespace
} // namespace vlm

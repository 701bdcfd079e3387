#include <gtest/gtest.h>

#include "item_fixtures.h"
#include "platform/canvas.h"
#include "render/dense_outline.h"
#include "render/shapes.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace vlm {
namespace {

constexpr ColorRef kRed = RGBRef(255, 0, 0);
constexpr ColorRef kBlue = RGBRef(0, 0, 255);

// The corners straight onto a canvas, with a pen of `pen` pixels and a fill.
Bitmap Draw(const std::vector<QPoint>& pts, int pen, bool filled, int w = 200, int h = 200)
{
    Bitmap bmp(w, h);
    Canvas canvas(bmp);
    canvas.setPen(kRed, pen);
    if (filled)
        canvas.setSolidBrush(kBlue);
    else
        canvas.setHollowBrush();
    canvas.polygon(pts);
    return bmp;
}

std::vector<QPoint> Thinned(std::vector<QPoint> pts, int pen, int w = 200, int h = 200)
{
    ThinOutClosedOutline(pts, w, h, pen);
    return pts;
}

TEST(DenseOutline, CornersAPixelApartAreAllKept)
{
    const std::vector<QPoint> star = StarVertices({100, 100}, {100, 10}, {100, 60}, 60);
    const std::vector<QPoint> polygon = PolygonVertices({100, 100}, {190, 100}, 300);
    EXPECT_EQ(Thinned(star, 3), star);
    EXPECT_EQ(Thinned(polygon, 1), polygon);
}

TEST(DenseOutline, AMillionSpikesComeDownToTheirPixelsAndDrawTheSame)
{
    struct Case
    {
        int spikes;
        int pen;
        bool filled;
    };
    const Case cases[] = {{1024000, 4, true}, {1024000, 1, false}, {5000, 1, true}, {5000, 7, false}};
    for (const Case& c : cases) {
        const std::vector<QPoint> star = StarVertices({100, 100}, {100, 20}, {100, 70}, c.spikes);
        const std::vector<QPoint> thin = Thinned(star, c.pen);
        // Both rims together are some 800 pixels round.
        EXPECT_LT(thin.size(), 8000u) << c.spikes;
        if (c.spikes <= 5000) { // the full drawing takes long beyond that
            EXPECT_TRUE(Draw(thin, c.pen, c.filled).image() == Draw(star, c.pen, c.filled).image())
                << c.spikes << " spikes, pen " << c.pen;
        }
    }
    EXPECT_LT(Thinned(PolygonVertices({100, 100}, {180, 100}, 1024000), 2).size(), 2000u);
    const std::vector<QPoint> polygon = PolygonVertices({100, 100}, {180, 100}, 10000);
    EXPECT_TRUE(Draw(Thinned(polygon, 2), 2, true).image() == Draw(polygon, 2, true).image());
}

TEST(DenseOutline, CornersFarBeyondTheCanvasGoButTheVisiblePartStays)
{
    // A star far larger than the canvas, its corners a few pixels apart,
    // with only a corner of it on the canvas.
    for (int pen : {1, 9}) {
        const std::vector<QPoint> star = StarVertices({-2000, -2000}, {-2000, 900}, {-2000, 800}, 3000);
        const std::vector<QPoint> thin = Thinned(star, pen);
        EXPECT_LT(thin.size(), star.size() / 4) << pen;
        EXPECT_TRUE(Draw(thin, pen, true).image() == Draw(star, pen, true).image()) << pen;
        EXPECT_TRUE(Draw(thin, pen, false).image() == Draw(star, pen, false).image()) << pen;
    }
}

TEST(DenseOutline, AStarDenserThanThePixelsLooksAsItsFullDrawingDoes)
{
    // 5,000 spikes round a 60-pixel rim: a dozen to every pixel.
    struct Case
    {
        std::int32_t fill;
        double weight; // 1 mm is 4 pixels
        QPoint inner;
    };
    const Case cases[] = {
        {kBlue, 1.0, {100, 70}}, {-1, 0.0, {100, 70}}, {-2, 1.0, {100, 70}}, {kBlue, 1.0, {100, 5}}};
    for (const Case& c : cases) {
        auto star = test::MakeShape(KindStar, {{100, 100}, {100, 40}, c.inner}, c.fill, c.weight, kRed);
        star->rec.d.sides = 5000;
        ASSERT_TRUE(SpikesDenserThanPixels(30, 60, 5000));
        const Bitmap fast = test::Render(*star, {}, 200, 200);
        Bitmap full(200, 200);
        {
            Canvas canvas(full);
            SetShapePenAndBrush(canvas, DrawContext{}, *star);
            canvas.polygon(StarVertices({100, 100}, {100, 40}, c.inner, 5000));
        }
        int ink = 0, differ = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                ink += full.pixel(x, y) != RGBRef(255, 255, 255) ? 1 : 0;
                differ += full.pixel(x, y) != fast.pixel(x, y) ? 1 : 0;
            }
        ASSERT_GT(ink, 2000);
        // Only along the two rims, by a pixel or so.
        const double rims = 2.0 * std::numbers::pi * (60.0 + std::abs(100.0 - c.inner.y()));
        EXPECT_LT(differ, 1.5 * rims) << c.fill << " " << c.weight;
    }
    EXPECT_FALSE(SpikesDenserThanPixels(30, 60, 300));
}

} // namespace
} // namespace vlm

// Drawing one star or polygon of as many corners as a shape may have
// (1,024,000 spikes or sides) with a 1 mm outline, at 100 % and 300 %, on a
// canvas the size of a document window; and a five-pointed star as the
// everyday case next to it.

#include "model/item.h"
#include "model/item_record.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "render/dense_outline.h"
#include "render/draw_item.h"
#include "render/shapes.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace vlm;

std::unique_ptr<Item> Shape(std::int32_t kind, int corners, std::int32_t fill)
{
    auto item = std::make_unique<Item>();
    DrawingFields& d = item->rec.d;
    d.role = RoleDrawing;
    d.kind = kind;
    d.lineColor = RGBRef(0, 0, 0);
    d.fillColor = fill;
    d.weight = 1.0;
    d.penWidth = 4;
    d.sides = corners;
    // Centre, first tip, first inner corner: radius 250 and 150.
    for (QPoint p : {QPoint(400, 300), QPoint(400, 50), QPoint(550, 300)}) {
        Vertex v;
        v.x = p.x();
        v.y = p.y();
        item->vertices.push_back(v);
    }
    return item;
}

void Draw(benchmark::State& state, std::int32_t kind, int corners, double zoom, std::int32_t fill)
{
    auto item = Shape(kind, corners, fill);
    DrawContext ctx;
    ctx.zoom = zoom;
    // At 300 % the window shows the middle of the shape.
    ctx.originX = zoom > 1.0 ? static_cast<int>(400 * zoom) - 400 : 0;
    ctx.originY = zoom > 1.0 ? static_cast<int>(300 * zoom) - 300 : 0;
    Bitmap bmp(800, 600);
    for (auto _ : state) {
        Canvas canvas(bmp);
        DrawItem(canvas, ctx, *item, false);
    }
}

void StarOfAMillionSpikes(benchmark::State& s)
{
    Draw(s, KindStar, 1024000, s.range(0) / 100.0, RGBRef(255, 255, 0));
}
void ClearStarOfAMillionSpikes(benchmark::State& s)
{
    Draw(s, KindStar, 1024000, s.range(0) / 100.0, -1);
}
void PolygonOfAMillionSides(benchmark::State& s)
{
    Draw(s, KindPolygon, 1024000, s.range(0) / 100.0, -1);
}
void FivePointedStar(benchmark::State& s)
{
    Draw(s, KindStar, 5, s.range(0) / 100.0, RGBRef(255, 255, 0));
}

BENCHMARK(StarOfAMillionSpikes)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(ClearStarOfAMillionSpikes)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(PolygonOfAMillionSides)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(FivePointedStar)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

namespace {

// The corners alone: built, brought to the canvas and thinned out.
void ThinningAMillionSpikes(benchmark::State& state)
{
    std::size_t kept = 0;
    for (auto _ : state) {
        std::vector<QPoint> pts = StarVertices({400, 300}, {400, 50}, {550, 300}, 1024000);
        ThinOutClosedOutline(pts, 800, 600, 4);
        kept = pts.size();
        benchmark::DoNotOptimize(pts.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(ThinningAMillionSpikes)->Unit(benchmark::kMillisecond);

} // namespace

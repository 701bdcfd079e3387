// Clips on a page: a full repaint of 20 Clips of a 12-megapixel JPEG at
// 100 %, first with empty caches (decode, crop, resample) and then from the
// caches, against the same page with plain rectangles in their places, and
// against the bare work of decoding each JPEG at the scale its Clip needs
// and resampling it once.

#include "model/item.h"
#include "model/item_list.h"
#include "pictures/picture_decoders.h"
#include "pictures/picture_services.h"
#include "platform/canvas.h"
#include "render/draw_item.h"
#include "render/picture_render.h"
#include "render/resample.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace vlm;

constexpr int kClips = 20;
constexpr int kPictureW = 4000, kPictureH = 3000; // 12 megapixels
constexpr int kClipW = 320, kClipH = 240;         // a 5 x 4 grid
constexpr int kPageW = 5 * kClipW, kPageH = 4 * kClipH;

// A photograph-like picture: smooth shading with noise on top.
Bitmap Photo(unsigned seed)
{
    Bitmap b(kPictureW, kPictureH);
    std::mt19937 random(seed);
    for (int y = 0; y < kPictureH; ++y) {
        std::uint32_t* row = b.row(y);
        for (int x = 0; x < kPictureW; ++x) {
            const int n = static_cast<int>(random() % 24);
            row[x] =
                Bitmap::toArgb(RGBRef((x / 16 + n) & 0xff, (y / 12 + n) & 0xff, ((x + y) / 28 + n) & 0xff));
        }
    }
    return b;
}

struct Page
{
    ItemList items;
    std::vector<Item*> clips;
    std::vector<Item*> boxes;
    DrawContext ctx;

    // `distinct`: each Clip shows a picture of its own (no decode is shared).
    explicit Page(bool distinct)
    {
        const Bitmap photo = Photo(7);
        for (int i = 0; i < kClips; ++i) {
            const int col = i % 5, row = i / 5;
            if (i == 0 || distinct) {
                Item& p = NewItem(items, KindPicture);
                p.rec.d.pictureId = distinct ? i + 1 : 1;
                p.rec.d.clipShape = PictureFormatJpeg;
                p.pictureData = EncodeJpeg(photo, 90 - (distinct ? i : 0));
            }
            Item& c = NewItem(items, KindClip);
            DrawingFields& d = c.rec.d;
            d.pictureId = distinct ? i + 1 : 1;
            d.x1 = col * kClipW, d.y1 = row * kClipH, d.x2 = d.x1 + kClipW, d.y2 = d.y1 + kClipH;
            d.sourceRect[2] = kPictureW, d.sourceRect[3] = kPictureH;
            clips.push_back(&c);

            Item& r = NewItem(items, KindRectangle);
            r.rec.d.fillColor = RGBRef(40 * col, 50 * row, 128);
            r.rec.d.lineColor = 0;
            r.rec.d.shapeVariant = 2;
            for (const auto& [x, y] : {std::pair{d.x1, d.y1}, {d.x2, d.y1}, {d.x2, d.y2}, {d.x1, d.y2}}) {
                Vertex v;
                v.x = x;
                v.y = y;
                r.vertices.push_back(v);
            }
            boxes.push_back(&r);
        }
        ctx.items = &items;
    }

    void paint(Bitmap& canvasBitmap, const std::vector<Item*>& what, const PictureServices& services)
    {
        canvasBitmap.fill(RGBRef(255, 255, 255));
        Canvas canvas(canvasBitmap);
        for (Item* item : what) {
            if (item->rec.d.kind == KindClip)
                DrawPicture(canvas, ctx, *item, PictureMode::Full, services);
            else
                DrawItem(canvas, ctx, *item, false);
        }
    }
};

Page& SharedPage()
{
    static Page page(false);
    return page;
}

Page& DistinctPage()
{
    static Page page(true);
    return page;
}

void FirstPaint(benchmark::State& state)
{
    Page& page = state.range(0) ? DistinctPage() : SharedPage();
    Bitmap canvas(kPageW, kPageH);
    for (auto _ : state) {
        // A fresh service each time: nothing decoded is kept between runs.
        const StandardPictureServices services;
        DropClipCaches(page.items);
        page.paint(canvas, page.clips, services);
    }
}
BENCHMARK(FirstPaint)->Arg(0)->Arg(1)->ArgName("distinct")->Unit(benchmark::kMillisecond);

void CachedRepaint(benchmark::State& state)
{
    Page& page = SharedPage();
    Bitmap canvas(kPageW, kPageH);
    const StandardPictureServices services;
    page.paint(canvas, page.clips, services);
    for (auto _ : state)
        page.paint(canvas, page.clips, services);
}
BENCHMARK(CachedRepaint)->Unit(benchmark::kMillisecond);

void RectanglesRepaint(benchmark::State& state)
{
    Page& page = SharedPage();
    Bitmap canvas(kPageW, kPageH);
    const StandardPictureServices services;
    for (auto _ : state)
        page.paint(canvas, page.boxes, services);
}
BENCHMARK(RectanglesRepaint)->Unit(benchmark::kMillisecond);

// The goal for the first paint: each of the 20 JPEGs decoded at the scale
// its Clip needs, and resampled once.
void DecodeAndResampleOnly(benchmark::State& state)
{
    Page& page = DistinctPage();
    std::vector<const Item*> pictures;
    for (const Item& it : page.items)
        if (it.rec.d.kind == KindPicture)
            pictures.push_back(&it);
    const int k = ReductionFor(kPictureW, kPictureH, kClipW, kClipH);
    for (auto _ : state) {
        for (const Item* p : pictures) {
            const Bitmap decoded = DecodeJpeg(p->pictureData, k);
            Bitmap target(kClipW, kClipH);
            resample(decoded, target, 6);
            benchmark::DoNotOptimize(target.row(0));
        }
    }
}
BENCHMARK(DecodeAndResampleOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

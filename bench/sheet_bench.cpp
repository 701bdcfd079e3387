// The page renderer at printer resolution: an A4 sheet of ten business
// cards (5 x 2, each with 50 mixed Items casting shadows) at 600 dpi, drawn
// once and copied, and an A4 Illustration of 2,000 Items at 300 and 600 dpi.
// With VLM_SHEET_BENCH_WRITE=<folder> the two documents are also written
// there, for timing `vellumora-cli print --pdf` on them.

#include "model/document.h"
#include "model/document_file.h"
#include "model/geometry.h"
#include "model/item.h"
#include "model/item_list.h"
#include "model/page_setup.h"
#include "output/render_sheet.h"
#include "render/splines.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace vlm;

struct Random
{
    std::mt19937 engine{20261209u};
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
};

void Corner(Item& item, int x, int y)
{
    Vertex v;
    v.x = v.savedX = x;
    v.y = v.savedY = y;
    item.vertices.push_back(v);
}

// Lines, rectangles, triangles, ellipses and curves in turn, within w x h
// document pixels; every one casts a shadow when `shadows` is set.
void AddItems(Document& doc, int count, int w, int h, bool shadows)
{
    Random r;
    for (int i = 0; i < count; ++i) {
        const int size = std::min(std::min(w, h) / 3, r.between(12, 90));
        const int x = r.below(std::max(1, w - size));
        const int y = r.below(std::max(1, h - size));
        Item* item = nullptr;
        switch (i % 5) {
        case 0:
            item = &NewItem(doc.items, KindLine);
            item->rec.d.x1 = x;
            item->rec.d.y1 = y;
            item->rec.d.x2 = x + size;
            item->rec.d.y2 = y + r.below(size);
            item->rec.d.angle = Direction(x, y, item->rec.d.x2, item->rec.d.y2);
            item->rec.d.penWidth = r.between(1, 4);
            item->rec.d.fillColor = -2;
            break;
        case 1:
        case 2:
            item = &NewItem(doc.items, i % 5 == 1 ? KindRectangle : KindTriangle);
            Corner(*item, x, y + size);
            if (i % 5 == 1)
                Corner(*item, x, y);
            else
                Corner(*item, x + size / 2, y);
            Corner(*item, x + size, y + (i % 5 == 1 ? 0 : size));
            if (i % 5 == 1)
                Corner(*item, x + size, y + size);
            item->rec.d.shapeVariant = 2;
            item->rec.d.fillColor = RGBRef(r.below(220), r.below(220), r.below(220));
            item->rec.d.weight = 0.3;
            item->rec.d.penWidth = 1;
            SmoothCurve(*item);
            break;
        case 3:
            item = &NewItem(doc.items, KindEllipse);
            Corner(*item, x + size / 2, y + size / 2);
            Corner(*item, x + size, y + size / 3);
            Corner(*item, x + size / 3, y);
            item->rec.d.fillColor = RGBRef(r.below(220), 120, r.below(220));
            item->rec.d.weight = 0.3;
            break;
        default:
            item = &NewItem(doc.items, KindCurve);
            for (int k = 0; k < 5; ++k)
                Corner(*item, x + k * size / 4, y + r.below(size));
            item->rec.d.tension = kDefaultTension;
            item->rec.d.fillColor = -1;
            item->rec.d.penWidth = 2;
            SmoothCurve(*item);
            break;
        }
        item->rec.d.lineColor = RGBRef(r.below(200), r.below(200), r.below(200));
        item->rec.d.left = x;
        item->rec.d.top = y;
        item->rec.d.right = x + size;
        item->rec.d.bottom = y + size;
        item->rec.d.width = size;
        item->rec.d.height = size;
        if (shadows) {
            item->rec.d.shadowElevation = 50;
            item->rec.d.shadowFade = 20;
            item->rec.d.shadowLightness = 110;
        }
        SetStackOrder(doc.items, *item, i + 1);
    }
}

void A4(Document& doc, std::int32_t type)
{
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    HeaderFields& h = doc.items.header()->rec.h;
    h.designType = type;
    h.units = UnitMillimeters;
    h.pixelsPerUnitX = h.pixelsPerUnitY = 96.0 / 25.4;
    for (double& d : h.pageDims)
        d = 0.0;
    h.pageDims[DimPaperWidth] = 210;
    h.pageDims[DimPaperHeight] = 297;
    h.rows = h.columns = 1;
    h.rowFold = h.columnFold = 0;
}

// Ten 85 x 55 mm cards, 15 mm and 10 mm margins, 10 mm gaps.
void CardSheet(Document& doc)
{
    A4(doc, DesignBusinessCards);
    HeaderFields& h = doc.items.header()->rec.h;
    h.pageDims[DimCardWidth] = 85;
    h.pageDims[DimCardHeight] = 55;
    h.pageDims[DimMarginLeft] = 15;
    h.pageDims[DimMarginTop] = 10;
    h.pageDims[DimRowGap] = 3;
    h.pageDims[DimColumnGap] = 10;
    h.rows = 5;
    h.columns = 2;
    AddItems(doc, 50, 321, 208, true);
}

void Illustration(Document& doc)
{
    A4(doc, DesignIllustrations);
    AddItems(doc, 2000, 794, 1123, false);
}

SheetDevice Printer(double dpi)
{
    const int w = static_cast<int>(210 / 25.4 * dpi + 0.5);
    const int h = static_cast<int>(297 / 25.4 * dpi + 0.5);
    return PrinterDevice(dpi, dpi, w, h, 0, 0);
}

void RenderCardSheet600(benchmark::State& state)
{
    Document doc;
    CardSheet(doc);
    const SheetDevice device = Printer(600);
    for (auto _ : state) {
        std::optional<Bitmap> sheet = renderSheet(doc, device, "", SheetEnvironment{});
        benchmark::DoNotOptimize(sheet);
    }
    state.counters["pixels"] = double(device.width) * device.height;
}
BENCHMARK(RenderCardSheet600)->Unit(benchmark::kMillisecond)->Iterations(3);

void RenderIllustration(benchmark::State& state)
{
    Document doc;
    Illustration(doc);
    const SheetDevice device = Printer(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        std::optional<Bitmap> sheet = renderSheet(doc, device, "", SheetEnvironment{});
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(RenderIllustration)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (const char* folder = std::getenv("VLM_SHEET_BENCH_WRITE")) {
        Document cards;
        CardSheet(cards);
        WriteDocument(std::string(folder) + "/cards.vlmr", cards.items);
        Document art;
        Illustration(art);
        WriteDocument(std::string(folder) + "/illustration.vlmr", art.items);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

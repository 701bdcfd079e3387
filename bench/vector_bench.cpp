// The vector sheet beside the printed bitmap: the A4 sheet of ten business
// cards (a frame, three text lines and 40 small circles each) written as a
// vector PDF, and rendered as the 600 dpi bitmap a printer gets; and an A4
// Illustration of 2,000 Items. With VLM_VECTOR_BENCH_WRITE=<folder> the
// documents are also written there (cards.vlmr, cards_effects.vlmr,
// illustration.vlmr, huge.vlmr with 100,000 Items), for timing the
// command line's `export` and `print --pdf` on them as whole processes.

#include "card_fixtures.h"
#include "model/document_file.h"
#include "output/render_sheet.h"
#include "output/vector_files.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace vlm;

// Rectangles, ellipses and circles of many colours over the page.
void Illustration(Document& doc, int count)
{
    test::A4Page(doc, DesignIllustrations);
    std::mt19937 engine(20261210u);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
    for (int i = 0; i < count; ++i) {
        const int size = 8 + below(60);
        const int x = below(794 - size);
        const int y = below(1123 - size);
        Item& item = NewItem(doc.items, i % 2 ? KindCircle : KindRectangle);
        if (i % 2) {
            test::CardCorner(item, x + size / 2, y + size / 2);
            test::CardCorner(item, x + size, y + size / 2);
        } else {
            test::CardCorner(item, x, y + size);
            test::CardCorner(item, x, y);
            test::CardCorner(item, x + size, y);
            test::CardCorner(item, x + size, y + size);
            item.rec.d.shapeVariant = 2;
            SmoothCurve(item);
        }
        item.rec.d.fillColor = RGBRef(below(256), below(256), below(256));
        item.rec.d.lineColor = RGBRef(below(128), below(128), below(128));
        item.rec.d.weight = 0.3;
        item.rec.d.penWidth = 1;
        test::CardBox(item, x, y, x + size, y + size);
        RealsFromIntegers(item, doc.items.metrics());
        SetStackOrder(doc.items, item, i + 1);
    }
}

void VectorPdf(benchmark::State& state, Document& doc)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        VectorDocumentWriter writer(VectorFormat::Pdf, QStringLiteral("bench"));
        writer.addSheet(doc, "", SheetEnvironment{});
        const QByteArray pdf = writer.finish();
        bytes = static_cast<std::size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["bytes"] = double(bytes);
}

void VectorCards(benchmark::State& state)
{
    Document doc;
    test::TenCardSheet(doc, state.range(0) != 0);
    VectorPdf(state, doc);
}
BENCHMARK(VectorCards)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void VectorIllustration(benchmark::State& state)
{
    Document doc;
    Illustration(doc, 2000);
    VectorPdf(state, doc);
}
BENCHMARK(VectorIllustration)->Unit(benchmark::kMillisecond)->Iterations(5);

void RasterCards600(benchmark::State& state)
{
    Document doc;
    test::TenCardSheet(doc);
    const SheetDevice device = PrinterDevice(600, 600, 4961, 7016, 0, 0);
    for (auto _ : state) {
        std::optional<Bitmap> sheet = renderSheet(doc, device, "", SheetEnvironment{});
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(RasterCards600)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (const char* folder = std::getenv("VLM_VECTOR_BENCH_WRITE")) {
        const std::string at(folder);
        Document cards;
        test::TenCardSheet(cards);
        WriteDocument(at + "/cards.vlmr", cards.items);
        Document effects;
        test::TenCardSheet(effects, true);
        WriteDocument(at + "/cards_effects.vlmr", effects.items);
        Document art;
        Illustration(art, 2000);
        WriteDocument(at + "/illustration.vlmr", art.items);
        Document huge;
        Illustration(huge, 100000);
        WriteDocument(at + "/huge.vlmr", huge.items);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

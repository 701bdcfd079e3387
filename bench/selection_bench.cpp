// Hit testing runs on every click and on every pointer move of the pointer
// tool: a page of 2,000 Items of every common kind, 200 of them selected
// with their Markers on the canvas.

#include "edit/item_geometry.h"
#include "edit/markers.h"
#include "edit/selection.h"
#include "model/document.h"
#include "model/item_list.h"
#include "render/document_view.h"
#include "render/text_render.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace vlm;

struct Random {
    std::mt19937 engine{20261209};
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
};

struct Page {
    Document doc;
    std::unique_ptr<DocumentView> view;
    std::vector<QPoint> clicks;

    Page()
    {
        InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
        view = std::make_unique<DocumentView>(doc, ViewSettings{});
        view->LayoutView(QSize(1000, 1000), 16);
        Random rnd;
        const TextSettings text = TextSettingsOf(view->drawContext());
        for (int i = 0; i < 2000; ++i) {
            const QPoint at(20 + rnd.below(760), 20 + rnd.below(1000));
            const int w = 10 + rnd.below(120), h = 10 + rnd.below(120);
            Item* item = nullptr;
            switch (i % 10) {
            case 0: {
                item = &NewItem(doc.items, KindText);
                DrawingFields& d = item->rec.d;
                d.x1 = at.x();
                d.y1 = at.y();
                d.x2 = at.x() + w;
                d.y2 = at.y();
                d.fontSize = 12;
                d.fontWeight = 400;
                d.justification = 1;
                d.textDirection = -1;
                SetFontName(*item, "Arial");
                SetText(*item, u"Text on the page");
                break;
            }
            case 1:
            case 2:
            case 3:
                item = &NewItem(doc.items, KindLine);
                item->rec.d.x1 = at.x();
                item->rec.d.y1 = at.y();
                item->rec.d.x2 = at.x() + w;
                item->rec.d.y2 = at.y() + h - 60;
                item->rec.d.direction = -1;
                break;
            case 4:
            case 5:
                item = &NewItem(doc.items, KindRectangle);
                for (QPoint p : {at, at + QPoint(w, 0), at + QPoint(w, -h), at + QPoint(0, -h)}) {
                    Vertex v;
                    v.x = p.x();
                    v.y = p.y();
                    item->vertices.push_back(v);
                }
                item->rec.d.shapeVariant = 2;
                break;
            case 6:
                item = &NewItem(doc.items, KindCircle);
                for (QPoint p : {at, at + QPoint(w / 2, 0)}) {
                    Vertex v;
                    v.x = p.x();
                    v.y = p.y();
                    item->vertices.push_back(v);
                }
                break;
            case 7:
                item = &NewItem(doc.items, KindArc);
                for (QPoint p : {at, at + QPoint(w, 0), at + QPoint(0, -w)}) {
                    Vertex v;
                    v.x = p.x();
                    v.y = p.y();
                    item->vertices.push_back(v);
                }
                break;
            default: {
                item = &NewItem(doc.items, KindCurve);
                item->rec.d.tension = kDefaultTension;
                item->rec.d.shapeVariant = 1;
                for (int k = 0; k < 6; ++k) {
                    Vertex v;
                    v.x = at.x() + rnd.below(w);
                    v.y = at.y() + rnd.below(h);
                    item->vertices.push_back(v);
                }
                break;
            }
            }
            SetStackOrder(doc.items, *item, i + 1);
            RecomputeGeometry(*item, text, 8);
            item->rec.d.selected = (i % 10 == 3) ? 255 : 0;
        }
        PlaceSelectionMarkers(*view);
        for (int i = 0; i < 256; ++i)
            clicks.push_back(QPoint(rnd.below(800), rnd.below(1040)));
    }
};

Page& ThePage()
{
    static Page page;
    return page;
}

void BM_ItemAtClick(benchmark::State& state)
{
    Page& page = ThePage();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ItemAtClick(*page.view, page.clicks[i++ % page.clicks.size()]));
}
BENCHMARK(BM_ItemAtClick)->Unit(benchmark::kMicrosecond);

void BM_MarkerHitTest(benchmark::State& state)
{
    Page& page = ThePage();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MarkerHitTest(*page.view, page.clicks[i++ % page.clicks.size()]));
}
BENCHMARK(BM_MarkerHitTest)->Unit(benchmark::kMicrosecond);

// The whole click with Shift: hit, toggle, Markers of the 200 placed again.
void BM_ClickSelectShift(benchmark::State& state)
{
    Page& page = ThePage();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ClickSelect(*page.view, page.clicks[i++ % page.clicks.size()], true));
}
BENCHMARK(BM_ClickSelectShift)->Unit(benchmark::kMicrosecond);

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

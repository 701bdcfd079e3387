// Building, saving and loading documents of many Lines: each must cost time
// linear in the number of records (200,000 Lines about ten times 20,000).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "model/document_file.h"

namespace vlm {
namespace {

struct SilentPrompts final : FilePrompts {
    bool askOpenInvalidFile() override { return false; }
    void warnNewerVersion() override {}
    void reportReadError(const std::string&) override {}
};

// What the line tool does for each new Line.
void AddLines(Document& doc, std::int64_t n)
{
    ItemList& list = doc.items;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int32_t step = NextEditStep(list);
        const std::int32_t order = MaxStackOrder(list) + 1;
        Item& line = NewItem(list, KindLine);
        line.rec.d.x1 = static_cast<std::int32_t>(i % 800);
        line.rec.d.y1 = static_cast<std::int32_t>(i % 600);
        line.rec.d.x2 = line.rec.d.x1 + 40;
        line.rec.d.y2 = line.rec.d.y1 + 30;
        RealsFromIntegers(line, list.metrics());
        SetWeight(line, 0.5, list.metrics());
        SetEditStep(list, line, step);
        SetStackOrder(list, line, order);
    }
}

Document LinesDocument(std::int64_t n)
{
    Document doc;
    InitDocument(doc, DocumentDefaults{}, OpenDocumentList{});
    AddLines(doc, n);
    return doc;
}

std::string BenchFile(std::int64_t n)
{
    return (std::filesystem::temp_directory_path() / ("vlm-bench-" + std::to_string(n) + ".vlmr")).string();
}

void BM_BuildLines(benchmark::State& state)
{
    for (auto _ : state) {
        Document doc = LinesDocument(state.range(0));
        benchmark::DoNotOptimize(doc.items.size());
        state.PauseTiming();
        FreeList(doc.items);
        state.ResumeTiming();
    }
}

void BM_WriteLines(benchmark::State& state)
{
    Document doc = LinesDocument(state.range(0));
    const std::string path = BenchFile(state.range(0));
    for (auto _ : state)
        if (!WriteDocument(path, doc.items))
            state.SkipWithError("write failed");
    std::filesystem::remove(path);
}

void BM_ReadLines(benchmark::State& state)
{
    Document doc = LinesDocument(state.range(0));
    const std::string path = BenchFile(state.range(0));
    if (!WriteDocument(path, doc.items))
        state.SkipWithError("write failed");
    SilentPrompts prompts;
    for (auto _ : state) {
        Document loaded;
        if (!ReadDocument(path, loaded.items, prompts))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(loaded.items.size());
        state.PauseTiming();
        FreeList(loaded.items);
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
}

BENCHMARK(BM_BuildLines)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteLines)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLines)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vlm

BENCHMARK_MAIN();

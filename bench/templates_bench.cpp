// The label and card templates: reading the whole installed products
// database the first time Page Setup needs it (goal: under 100 ms), and
// narrowing the list for one keystroke (goal: under 5 ms). Skipped when the
// database is not installed.

#include "output/template_library.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vlm;

void ReadInstalledDatabase(benchmark::State& state)
{
    const QString database = installedTemplateDatabase();
    if (database.isEmpty()) {
        state.SkipWithError("the templates database is not installed");
        return;
    }
    std::size_t count = 0;
    for (auto _ : state) {
        const TemplateCatalogue c = loadTemplates({database, QString(), true});
        count = c.templates.size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["templates"] = static_cast<double>(count);
}
BENCHMARK(ReadInstalledDatabase)->Unit(benchmark::kMillisecond);

// Typing "avery 5160" one character at a time: each keystroke narrows the
// whole catalogue again.
void NarrowPerKeystroke(benchmark::State& state)
{
    const QString database = installedTemplateDatabase();
    if (database.isEmpty()) {
        state.SkipWithError("the templates database is not installed");
        return;
    }
    const TemplateCatalogue c = loadTemplates({database, QString(), true});
    const QString typed = QStringLiteral("avery 5160");
    std::size_t kept = 0;
    int keystrokes = 0;
    for (auto _ : state) {
        for (qsizetype n = 1; n <= typed.size(); ++n) {
            kept = narrowTemplates(c, typed.left(n)).size();
            benchmark::DoNotOptimize(kept);
            ++keystrokes;
        }
    }
    state.counters["per keystroke"] =
        benchmark::Counter(static_cast<double>(keystrokes), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["kept at the end"] = static_cast<double>(kept);
}
BENCHMARK(NarrowPerKeystroke)->Unit(benchmark::kMillisecond);

// The longest single narrowing: a word every haystack holds.
void NarrowEverythingKept(benchmark::State& state)
{
    const QString database = installedTemplateDatabase();
    if (database.isEmpty()) {
        state.SkipWithError("the templates database is not installed");
        return;
    }
    const TemplateCatalogue c = loadTemplates({database, QString(), true});
    for (auto _ : state)
        benchmark::DoNotOptimize(narrowTemplates(c, QStringLiteral("x")).size());
}
BENCHMARK(NarrowEverythingKept)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

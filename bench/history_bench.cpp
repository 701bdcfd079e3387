// The undo history has no size limit. These benchmarks show what that costs:
// a long session (10,000 new lines, one Item moved 10,000 times, everything
// undone and redone again) with its memory, and the time of one Undo and
// Redo at several history lengths, which must stay flat.

#include <benchmark/benchmark.h>

#include "model/document.h"
#include "model/undo.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace vlm {
namespace {

struct Session {
    Session() { InitDocument(doc, DocumentDefaults{}, OpenDocumentList{}); }

    // A new Line committed as the line tool does.
    Item& draw(int i)
    {
        ItemList& list = doc.items;
        DiscardRedo(list, cursor);
        const std::int32_t step = NextEditStep(list);
        const std::int32_t order = MaxStackOrder(list) + 1;
        Item& line = NewItem(list, KindLine);
        line.rec.d.x1 = i % 500;
        line.rec.d.y1 = i / 500;
        line.rec.d.x2 = line.rec.d.x1 + 20;
        line.rec.d.y2 = line.rec.d.y1 + 5;
        SetEditStep(list, line, step);
        SetStackOrder(list, line, order);
        return line;
    }

    // One move of the selected Item: one edit step.
    void moveSelected()
    {
        BeginEditCopies(doc.items, cursor);
        Item* copy = doc.items.tail();
        copy->rec.d.x1 += 1;
        copy->rec.d.x2 += 1;
    }

    Document doc;
    HistoryCursor cursor;
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Resident memory of the process in megabytes (Linux).
double ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void BM_LongSession(benchmark::State& state)
{
    constexpr int kLines = 10000;
    constexpr int kMoves = 10000;
    for (auto _ : state) {
        const double rssBefore = ResidentMb();
        Session s;
        auto t = std::chrono::steady_clock::now();
        Item* moved = nullptr;
        for (int i = 0; i < kLines; ++i)
            moved = &s.draw(i);
        const double drawSeconds = Seconds(t);

        SelectOnly(s.doc.items, moved);
        t = std::chrono::steady_clock::now();
        for (int i = 0; i < kMoves; ++i)
            s.moveSelected();
        const double moveSeconds = Seconds(t);
        const double rssAfterEdits = ResidentMb();

        t = std::chrono::steady_clock::now();
        int undone = 0;
        while (UndoLastAction(s.doc.items, s.cursor))
            ++undone;
        const double undoSeconds = Seconds(t);
        t = std::chrono::steady_clock::now();
        int redone = 0;
        while (RedoNextAction(s.doc.items, s.cursor))
            ++redone;
        const double redoSeconds = Seconds(t);

        state.counters["records"] = static_cast<double>(s.doc.items.size());
        state.counters["draw_ms"] = drawSeconds * 1e3;
        state.counters["move_ms"] = moveSeconds * 1e3;
        state.counters["undo_all_ms"] = undoSeconds * 1e3;
        state.counters["redo_all_ms"] = redoSeconds * 1e3;
        state.counters["undo_steps"] = undone;
        state.counters["redo_steps"] = redone;
        state.counters["rss_growth_MB"] = rssAfterEdits - rssBefore;
        state.counters["bytes_per_record"] =
            (rssAfterEdits - rssBefore) * 1024.0 * 1024.0 / static_cast<double>(s.doc.items.size());
    }
}
BENCHMARK(BM_LongSession)->Iterations(1)->Unit(benchmark::kMillisecond);

// One Undo and one Redo of the last move, after `range(0)` moves.
void BM_UndoRedoOneStep(benchmark::State& state)
{
    Session s;
    Item& line = s.draw(0);
    for (int i = 1; i < 100; ++i)
        s.draw(i);
    SelectOnly(s.doc.items, &line);
    for (int i = 0; i < state.range(0); ++i)
        s.moveSelected();
    for (auto _ : state) {
        UndoLastAction(s.doc.items, s.cursor);
        RedoNextAction(s.doc.items, s.cursor);
    }
    state.counters["records"] = static_cast<double>(s.doc.items.size());
}
// A fixed count keeps the long set-up to one run per length.
BENCHMARK(BM_UndoRedoOneStep)->Arg(1000)->Arg(5000)->Arg(20000)->Iterations(20000);

// Undoing deep into a long history, one step at a time: the cost per step
// must not depend on how many steps lie undone above it.
void BM_UndoDeep(benchmark::State& state)
{
    Session s;
    Item& line = s.draw(0);
    SelectOnly(s.doc.items, &line);
    for (int i = 0; i < 10000; ++i)
        s.moveSelected();
    const int depth = static_cast<int>(state.range(0));
    for (int i = 0; i < depth; ++i)
        UndoLastAction(s.doc.items, s.cursor);
    for (auto _ : state) {
        UndoLastAction(s.doc.items, s.cursor);
        RedoNextAction(s.doc.items, s.cursor);
    }
}
BENCHMARK(BM_UndoDeep)->Arg(10)->Arg(5000)->Arg(9500)->Iterations(20000);

} // namespace
} // namespace vlm

BENCHMARK_MAIN();

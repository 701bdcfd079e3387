// Printing with data: 10,000 address records on a 30-up US-Letter label
// sheet (3 x 10, a three-line text of ${Name}, ${Street} and ${City}), 334
// pages, written as one vector PDF; and reading the CSV file alone. With
// VLM_MERGE_BENCH_WRITE=<folder> the label design and the data are also
// written there (labels.vlmr, addresses.csv), for timing the command
// line's `merge` as a whole process.

#include "merge_fixtures.h"
#include "model/document_file.h"
#include "output/merge_files.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using namespace vlm;

void mergeLabels(benchmark::State& state)
{
    Document doc;
    test::AddressLabels(doc);
    const DataTable table = test::AddressTable(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const std::string pdf = dir.filePath(QStringLiteral("labels.pdf")).toStdString();
    std::size_t pages = 0;
    for (auto _ : state) {
        MergedSheets sheets(doc, table, "", {}, SheetEnvironment{});
        std::string error;
        if (!writeMergedPdf(sheets, pdf, QStringLiteral("Labels"), error, &pages))
            state.SkipWithError(error.c_str());
    }
    state.counters["pages"] = double(pages);
    state.counters["bytes"] = double(QFile(QString::fromStdString(pdf)).size());
}
BENCHMARK(mergeLabels)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void readAddresses(benchmark::State& state)
{
    const QByteArray csv = test::AddressCsv(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DataTable table;
        std::string error;
        benchmark::DoNotOptimize(readDataText(csv, table, error));
    }
    state.counters["bytes"] = double(csv.size());
}
BENCHMARK(readAddresses)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (const char* folder = std::getenv("VLM_MERGE_BENCH_WRITE")) {
        const std::string at(folder);
        Document labels;
        test::AddressLabels(labels);
        WriteDocument(at + "/labels.vlmr", labels.items);
        QFile csv(QString::fromStdString(at + "/addresses.csv"));
        if (csv.open(QIODevice::WriteOnly))
            csv.write(test::AddressCsv(10000));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

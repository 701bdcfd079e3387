// Rescaling as printing, the preview and pictures on screen use it. Run with
// --write-images=DIR to write the benchmark pictures as PPM files, which
// pillow_resample.py times Pillow on.

#include "render/resample.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using vlm::Bitmap;

struct Random {
    std::uint64_t state;
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

std::uint32_t rgb(int r, int g, int b)
{
    auto c = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return 0xff000000u | (c(r) << 16) | (c(g) << 8) | c(b);
}

// A page as it reaches the printer: a tinted background, photographs
// (gradients under noise), flat shapes with hard edges and lines of "text".
Bitmap makePicture(int w, int h, std::uint64_t seed)
{
    Bitmap b(w, h);
    Random rnd{seed};
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = b.row(y);
        for (int x = 0; x < w; ++x) {
            const int n = static_cast<int>(rnd.next() & 31) - 16;
            row[x] = rgb(200 + x * 55 / w + n / 4, 180 + y * 75 / h + n / 4, 230 - (x + y) * 60 / (w + h));
        }
    }
    auto fillRect = [&](int x0, int y0, int x1, int y1, auto&& colour) {
        for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
                b.row(y)[x] = colour(x, y);
    };
    const int unit = std::max(8, w / 40);
    for (int i = 0; i < 6; ++i) { // photographs
        const int x0 = rnd.below(w), y0 = rnd.below(h);
        const int pw = unit * (4 + rnd.below(8)), ph = unit * (3 + rnd.below(6));
        const int hue = rnd.below(256);
        fillRect(x0, y0, x0 + pw, y0 + ph, [&](int x, int y) {
            const int n = static_cast<int>(rnd.next() & 63) - 32;
            const int u = (x - x0) * 255 / pw, v = (y - y0) * 255 / ph;
            return rgb(u + n, (v + hue) % 256 + n, (u * v / 255 + hue / 2) + n);
        });
    }
    for (int i = 0; i < 60; ++i) { // flat shapes: rectangles and discs
        const int cx = rnd.below(w), cy = rnd.below(h), r = unit / 2 + rnd.below(unit * 2);
        const std::uint32_t colour = rgb(rnd.below(256), rnd.below(256), rnd.below(256));
        const bool disc = i % 2 == 0;
        fillRect(cx - r, cy - r, cx + r, cy + r, [&](int x, int y) {
            const long dx = x - cx, dy = y - cy;
            return !disc || dx * dx + dy * dy <= long{r} * r ? colour : b.row(y)[x];
        });
    }
    const int glyph = std::max(2, w / 400);
    for (int line = 0; line < 40; ++line) { // lines of text
        const int y0 = rnd.below(h), x0 = rnd.below(w / 2);
        for (int x = x0; x < x0 + w / 3; x += glyph * 2)
            if (rnd.below(6) != 0)
                fillRect(x, y0, x + glyph + rnd.below(glyph), y0 + glyph * 3, [](int, int) { return rgb(20, 20, 30); });
    }
    return b;
}

const Bitmap& sheet600()
{
    static const Bitmap b = makePicture(4960, 7015, 0x600);
    return b;
}
const Bitmap& sheet300()
{
    static const Bitmap b = makePicture(2480, 3508, 0x300);
    return b;
}
const Bitmap& photo()
{
    static const Bitmap b = makePicture(500, 375, 0x500);
    return b;
}

void run(benchmark::State& state, const Bitmap& src, int w, int h, int filter)
{
    Bitmap dst(w, h);
    for (auto _ : state) {
        vlm::resample(src, dst, filter);
        benchmark::DoNotOptimize(dst.row(0));
        benchmark::ClobberMemory();
    }
    state.counters["src_MPix/s"] = benchmark::Counter(static_cast<double>(src.width()) * src.height() / 1e6,
                                                      benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ResampleSheet600Triangle(benchmark::State& state) { run(state, sheet600(), 794, 1123, 1); }
void BM_ResampleSheet300Triangle(benchmark::State& state) { run(state, sheet300(), 794, 1123, 1); }
void BM_ResampleSheet600Mitchell(benchmark::State& state) { run(state, sheet600(), 794, 1123, 6); }
void BM_ResampleSheet600BSpline(benchmark::State& state) { run(state, sheet600(), 794, 1123, 4); }
void BM_ResampleEnlargeMitchell(benchmark::State& state) { run(state, photo(), 1600, 1200, 6); }

BENCHMARK(BM_ResampleSheet600Triangle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleSheet300Triangle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleSheet600Mitchell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleSheet600BSpline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleEnlargeMitchell)->Unit(benchmark::kMillisecond);

bool writePpm(const Bitmap& b, const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", b.width(), b.height());
    std::vector<unsigned char> line(static_cast<std::size_t>(b.width()) * 3);
    bool ok = true;
    for (int y = 0; y < b.height() && ok; ++y) {
        const std::uint32_t* row = b.row(y);
        for (int x = 0; x < b.width(); ++x) {
            line[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(row[x] >> 16);
            line[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(row[x] >> 8);
            line[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(row[x]);
        }
        ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    }
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    const char* option = "--write-images=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0) {
            const std::string dir = argv[i] + std::strlen(option);
            const bool ok = writePpm(sheet600(), dir + "/sheet600.ppm") &&
                            writePpm(sheet300(), dir + "/sheet300.ppm") && writePpm(photo(), dir + "/photo.ppm");
            if (!ok)
                std::fprintf(stderr, "cannot write the pictures to %s\n", dir.c_str());
            return ok ? 0 : 1;
        }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

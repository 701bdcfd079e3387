#include <gtest/gtest.h>

#include "render/resample.h"
#include "render/resample_kernels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vlm {
namespace {

// ---------------------------------------------------------------------------
// The rescaler written the slow, obvious way: single-precision scale and
// centre, a contributor list per destination index, one mirror at the edges
// (the nearest edge pixel where even the mirror lies outside), a 24-bit
// intermediate and a vertical pass column by column. The fast code must give
// the same bytes.

float refFilter(int filter, float x)
{
    const float t = std::fabs(x);
    switch (filter) {
    case 1:
        return t < 1.0f ? 1.0f - t : 0.0f;
    case 2:
        return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
    case 3:
        return t < 0.5f ? 0.75f - t * t : (t < 1.5f ? 0.5f * (t - 1.5f) * (t - 1.5f) : 0.0f);
    case 4:
        return t < 1.0f ? t * t * t / 2.0f - t * t + 2.0f / 3.0f
                        : (t < 2.0f ? (2.0f - t) * (2.0f - t) * (2.0f - t) / 6.0f : 0.0f);
    case 5: {
        if (t >= 3.0f)
            return 0.0f;
        auto sinc = [](float v) {
            const float a = 3.14159265358979f * v;
            return v == 0.0f ? 1.0f : std::sin(a) / a;
        };
        return sinc(x) * sinc(x / 3.0f);
    }
    case 6:
        if (t < 1.0f)
            return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
        if (t < 2.0f)
            return (-(7.0f / 3.0f) * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
        return 0.0f;
    default:
        return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f;
    }
}

struct Tap {
    int index;
    int weight;
};

std::vector<std::vector<Tap>> refContributors(int n, int m, int filter)
{
    const float supports[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    const float R = supports[filter];
    const float s = static_cast<float>(m - 1) / static_cast<float>(n - 1);
    std::vector<std::vector<Tap>> list(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i) {
        const float c = static_cast<float>(i) / s;
        const int from = static_cast<int>(s >= 1.0f ? std::floor(c - R) : std::floor(c - R / s));
        const int to = static_cast<int>(s >= 1.0f ? std::ceil(c + R) : std::ceil(c + R / s));
        for (int j = from; j <= to; ++j) {
            const float d = c - static_cast<float>(j);
            const double v = s >= 1.0f ? 256.0f * refFilter(filter, d) : 256.0f * s * refFilter(filter, d * s);
            const int w = static_cast<int>(std::nearbyint(v));
            if (w == 0)
                continue;
            int k = j < 0 ? -j : (j >= n ? 2 * n - 1 - j : j);
            k = std::clamp(k, 0, n - 1);
            list[static_cast<std::size_t>(i)].push_back({k, w});
        }
    }
    return list;
}

struct Rgb {
    int c[3];
};

Rgb refPixel(const std::vector<Tap>& taps, const std::vector<Rgb>& line)
{
    long long sum[3] = {0, 0, 0};
    long long weights = 0;
    for (const Tap& t : taps) {
        weights += t.weight;
        for (int ch = 0; ch < 3; ++ch)
            sum[ch] += static_cast<long long>(t.weight) * line[static_cast<std::size_t>(t.index)].c[ch];
    }
    Rgb out{};
    for (int ch = 0; ch < 3; ++ch) {
        const long long q = weights != 0 ? sum[ch] / weights : sum[ch] / 256;
        out.c[ch] = static_cast<int>(std::clamp(q, 0LL, 255LL));
    }
    return out;
}

Bitmap referenceResample(const Bitmap& src, int m, int mh, int filter)
{
    Bitmap dst(m, mh, RGBRef(0, 0, 0));
    const int n = src.width();
    const int h = src.height();
    if (n < 2 || h < 2 || m < 2 || mh < 2)
        return dst;
    if (filter < 1 || filter > 6)
        filter = 0;

    const auto across = refContributors(n, m, filter);
    std::vector<std::vector<Rgb>> mid(static_cast<std::size_t>(h), std::vector<Rgb>(static_cast<std::size_t>(m)));
    for (int y = 0; y < h; ++y) {
        std::vector<Rgb> line;
        for (int x = 0; x < n; ++x) {
            const ColorRef p = src.pixel(x, y);
            line.push_back({{RedOf(p), GreenOf(p), BlueOf(p)}});
        }
        for (int i = 0; i < m; ++i)
            mid[static_cast<std::size_t>(y)][static_cast<std::size_t>(i)] =
                refPixel(across[static_cast<std::size_t>(i)], line);
    }
    const auto down = refContributors(h, mh, filter);
    for (int x = 0; x < m; ++x) {
        std::vector<Rgb> column;
        for (int y = 0; y < h; ++y)
            column.push_back(mid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        for (int i = 0; i < mh; ++i) {
            const Rgb p = refPixel(down[static_cast<std::size_t>(i)], column);
            dst.setPixel(x, i, RGBRef(p.c[0], p.c[1], p.c[2]));
        }
    }
    return dst;
}

// ---------------------------------------------------------------------------

// Every way through the rescaler: what this machine runs, the portable passes
// that machines without AVX2 run, and both split into narrow vertical stripes
// as strong reductions of large pictures are.
struct Path {
    const char* name;
    resample_detail::Tuning tuning;
};
const Path kPaths[] = {
    {"default", {}},
    {"portable", {false}},
    {"striped", {true, 100}},
    {"portable striped", {false, 100}},
};

Bitmap run(const Path& path, const Bitmap& src, int w, int h, int filter)
{
    Bitmap dst(w, h, RGBRef(255, 255, 255));
    resample_detail::resampleTuned(src, dst, filter, path.tuning);
    return dst;
}

// Where the two bitmaps first differ, or "" when they are the same.
std::string firstDifference(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.row(y)[x] != b.row(y)[x])
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " +
                       std::to_string(a.row(y)[x] & 0xffffff) + " vs " + std::to_string(b.row(y)[x] & 0xffffff);
    return {};
}

Bitmap randomPicture(std::mt19937& rng, int w, int h)
{
    Bitmap b(w, h);
    const int style = static_cast<int>(rng() % 6);
    const int split = w > 0 ? static_cast<int>(rng() % static_cast<unsigned>(w)) : 0;
    // Plain margins of different widths and colours around a noisy middle,
    // as shadows and frames have them; sometimes they meet.
    const int left = static_cast<int>(rng() % static_cast<unsigned>(w / 2 + 2));
    const int right = w - static_cast<int>(rng() % static_cast<unsigned>(w / 2 + 2));
    const int top = static_cast<int>(rng() % static_cast<unsigned>(h / 2 + 2));
    const int bottom = h - static_cast<int>(rng() % static_cast<unsigned>(h / 2 + 2));
    const ColorRef sides[2] = {RGBRef(255, 255, 255), RGBRef(static_cast<int>(rng() & 255), 7, 200)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, bl = 0;
            switch (style) {
            case 0: // noise
                r = static_cast<int>(rng() & 255), g = static_cast<int>(rng() & 255), bl = static_cast<int>(rng() & 255);
                break;
            case 1: // hard black and white edges, where negative lobes overshoot
                r = g = bl = ((x < split) != ((y / 3) % 2 == 0)) ? 255 : 0;
                break;
            case 2: // gradients
                r = x * 255 / std::max(1, w - 1), g = y * 255 / std::max(1, h - 1), bl = (x * y) & 255;
                break;
            case 3: // blocks of colour with a little noise
                r = (x / 5 * 70) & 255, g = (y / 4 * 90) & 255, bl = 128 + static_cast<int>(rng() % 9) - 4;
                break;
            case 4: // margins
            case 5: {
                const bool inside = x >= left && x < right && y >= top && y < bottom;
                const ColorRef side = sides[style == 5 && x >= w / 2 ? 1 : 0];
                const ColorRef c = inside ? RGBRef(static_cast<int>(rng() & 255), 0, static_cast<int>(rng() & 255)) : side;
                r = RedOf(c), g = GreenOf(c), bl = BlueOf(c);
                break;
            }
            }
            b.setPixel(x, y, RGBRef(r, g, bl));
        }
    return b;
}

// Source and destination lengths per axis for the byte-for-byte tests:
// ordinary, tiny, strong reductions (some past 512:1, some reaching beyond
// the mirror), enlargements.
struct RandomLengths {
    std::mt19937& rng;
    int ordinary;
    int shortest;

    int pick(int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); }
    int length(int kind, bool source)
    {
        switch (kind) {
        case 0:
            return pick(2, ordinary);
        case 1:
            return pick(shortest, 5);
        case 2:
            return source ? pick(60, 1100) : pick(2, 5);
        default:
            return source ? pick(2, 6) : pick(20, 90);
        }
    }
};

TEST(Resample, MatchesTheReferenceByteForByte)
{
    std::mt19937 rng(20240611);
    RandomLengths lengths{rng, 40, 2};
    auto pick = [&](int lo, int hi) { return lengths.pick(lo, hi); };
    auto length = [&](int kind, bool source) { return lengths.length(kind, source); };
    const int filters[] = {0, 1, 2, 3, 4, 5, 6, 7, -2};
    for (int filter : filters)
        for (int trial = 0; trial < 24; ++trial) {
            const int kindX = pick(0, 3);
            const int kindY = pick(0, 3);
            const int sw = length(kindX, true), dw = length(kindX, false);
            // Keep the slow reference quick: long columns only with narrow rows.
            const int sh = kindX == 2 ? std::min(length(kindY, true), 40) : length(kindY, true);
            const int dh = length(kindY, false);
            const Bitmap src = randomPicture(rng, sw, sh);
            const Bitmap expected = referenceResample(src, dw, dh, filter);
            for (const Path& path : kPaths)
                EXPECT_EQ(firstDifference(run(path, src, dw, dh, filter), expected), "")
                    << path.name << " filter " << filter << ": " << sw << "x" << sh << " -> " << dw << "x" << dh;
        }
}

// The one-channel passes against the blue of the full ones, which the test
// above holds to the reference: the same pictures and lengths, from a bitmap
// and from a plane of bytes, into planes whose rows have slack at the end.
TEST(Resample, OneChannelGivesTheBlueOfTheFullResult)
{
    std::mt19937 rng(7081);
    // Lengths of 1 too: those give black.
    RandomLengths lengths{rng, 60, 1};
    auto pick = [&](int lo, int hi) { return lengths.pick(lo, hi); };
    auto length = [&](int kind, bool source) { return lengths.length(kind, source); };
    const int filters[] = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int filter : filters)
        for (int trial = 0; trial < 40; ++trial) {
            const int kindX = pick(0, 3);
            const int kindY = pick(0, 3);
            const int sw = length(kindX, true), dw = length(kindX, false);
            const int sh = kindX == 2 ? std::min(length(kindY, true), 40) : length(kindY, true);
            const int dh = length(kindY, false);
            const Bitmap src = randomPicture(rng, sw, sh);
            const Bitmap expected = resample(src, dw, dh, filter);

            std::vector<std::uint8_t> blue(static_cast<std::size_t>(sw + 3) * sh);
            for (int y = 0; y < sh; ++y)
                for (int x = 0; x < sw; ++x)
                    blue[static_cast<std::size_t>(y) * (sw + 3) + x] =
                        static_cast<std::uint8_t>(BlueOf(src.pixel(x, y)));
            const ChannelPlane source{blue.data(), sw, sh, static_cast<std::size_t>(sw + 3)};

            for (int way = 0; way < 4; ++way) {
                const int from = way % 2;
                resample_detail::Tuning tuning;
                tuning.vectorKernels = way < 2;
                std::vector<std::uint8_t> out(static_cast<std::size_t>(dw + 5) * dh, 0x5a);
                const ChannelPlane plane{out.data(), dw, dh, static_cast<std::size_t>(dw + 5)};
                if (from == 0)
                    resample_detail::resampleBlueTuned(src, plane, filter, tuning);
                else
                    resample_detail::resampleChannelTuned(source, plane, filter, tuning);
                int wrong = 0;
                for (int y = 0; y < dh; ++y) {
                    for (int x = 0; x < dw; ++x)
                        wrong += out[static_cast<std::size_t>(y) * (dw + 5) + x] != BlueOf(expected.pixel(x, y));
                    // The slack beyond each row is left alone.
                    for (int x = dw; x < dw + 5; ++x)
                        wrong += out[static_cast<std::size_t>(y) * (dw + 5) + x] != 0x5a;
                }
                EXPECT_EQ(wrong, 0) << (from == 0 ? "bitmap" : "plane") << (tuning.vectorKernels ? "" : ", portable")
                                    << " filter " << filter << ": " << sw << "x"
                                    << sh << " -> " << dw << "x" << dh;
            }
        }
}

TEST(Resample, EqualSizesWithTheTriangleLeaveThePictureUnchanged)
{
    std::mt19937 rng(7);
    const int sizes[][2] = {{2, 2}, {3, 17}, {64, 5}, {33, 41}};
    for (const auto& size : sizes) {
        const Bitmap src = randomPicture(rng, size[0], size[1]);
        for (const Path& path : kPaths)
            EXPECT_EQ(firstDifference(run(path, src, size[0], size[1], 1), src), "") << path.name;
    }
}

TEST(Resample, TwoByTwoToThreeByThreeAveragesTheMiddle)
{
    Bitmap src(2, 2);
    src.setPixel(0, 0, RGBRef(10, 20, 30));
    src.setPixel(1, 0, RGBRef(21, 40, 255));
    src.setPixel(0, 1, RGBRef(0, 0, 0));
    src.setPixel(1, 1, RGBRef(255, 255, 255));
    // Weights 128 and 128 between two pixels: the mean, truncated.
    const ColorRef expected[3][3] = {
        {RGBRef(10, 20, 30), RGBRef(15, 30, 142), RGBRef(21, 40, 255)},
        {RGBRef(5, 10, 15), RGBRef(71, 78, 134), RGBRef(138, 147, 255)},
        {RGBRef(0, 0, 0), RGBRef(127, 127, 127), RGBRef(255, 255, 255)},
    };
    for (const Path& path : kPaths) {
        const Bitmap dst = run(path, src, 3, 3, 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(dst.pixel(x, y), expected[y][x]) << path.name << " at " << x << "," << y;
    }
}

TEST(Resample, WideFiltersReadMirroredPixelsAtTheEdges)
{
    // Across 0 200 50 50 200 0 at equal size. B-spline weights 43 171 43 (sum
    // 257): index -1 reads index 1, index 6 reads index 5. Mitchell: 14 228 14.
    const int line[] = {0, 200, 50, 50, 200, 0};
    struct Case {
        int filter;
        int first;
        int last;
    };
    const Case cases[] = {
        {4, (43 * 200 + 171 * 0 + 43 * 200) / 257, (43 * 200 + 171 * 0 + 43 * 0) / 257},
        {6, (14 * 200 + 228 * 0 + 14 * 200) / 256, (14 * 200 + 228 * 0 + 14 * 0) / 256},
    };
    for (const Path& path : kPaths)
        for (const Case& c : cases)
            for (bool vertical : {false, true}) {
                Bitmap src(6, 6);
                for (int a = 0; a < 6; ++a)
                    for (int b = 0; b < 6; ++b)
                        src.setPixel(vertical ? b : a, vertical ? a : b, RGBRef(line[a], line[a], line[a]));
                const Bitmap dst = run(path, src, 6, 6, c.filter);
                const int firstValue = RedOf(dst.pixel(0, 0));
                const int lastValue = RedOf(vertical ? dst.pixel(0, 5) : dst.pixel(5, 0));
                EXPECT_EQ(firstValue, c.first) << path.name << " filter " << c.filter << " vertical " << vertical;
                EXPECT_EQ(lastValue, c.last) << path.name << " filter " << c.filter << " vertical " << vertical;
            }
}

TEST(Resample, ReachBeyondTheMirrorReadsTheEdgePixel)
{
    // Bell, 10 -> 2: destination 0 reaches source indices -11..11. Index -10
    // mirrors to 10 and -11 to 11, both still outside, so they read index 9.
    // Index 9 then weighs 4 (itself) + 4 (from -9) + 2 (from 10) + 2 + 1 (from
    // -10, -11) = 13 of 255 in all; only that edge is white.
    for (const Path& path : kPaths)
        for (bool vertical : {false, true}) {
            Bitmap src(10, 10, RGBRef(0, 0, 0));
            for (int k = 0; k < 10; ++k)
                src.setPixel(vertical ? k : 9, vertical ? 9 : k, RGBRef(255, 255, 255));
            const Bitmap dst = run(path, src, 2, 2, 3);
            EXPECT_EQ(dst.pixel(0, 0), RGBRef(13, 13, 13)) << path.name << " vertical " << vertical;
        }
}

TEST(Resample, DegenerateSizesAndHugeReductionsGiveBlack)
{
    std::mt19937 rng(3);
    struct Case {
        int sw, sh, dw, dh, filter;
    };
    const Case cases[] = {
        {1, 5, 4, 4, 1},   {5, 1, 4, 4, 6},   {5, 5, 1, 4, 1}, {5, 5, 4, 1, 4},  {0, 0, 4, 4, 1},
        {1, 1, 30, 30, 5}, {1100, 3, 2, 3, 1}, {3, 1100, 3, 2, 5}, {1100, 3, 2, 3, 6}, {1100, 3, 2, 3, 0},
    };
    for (const Path& path : kPaths)
        for (const Case& c : cases) {
            const Bitmap src = c.sw > 0 ? randomPicture(rng, c.sw, c.sh) : Bitmap();
            const Bitmap dst = run(path, src, c.dw, c.dh, c.filter);
            ASSERT_EQ(dst.width(), c.dw);
            ASSERT_EQ(dst.height(), c.dh);
            EXPECT_EQ(firstDifference(dst, Bitmap(c.dw, c.dh, RGBRef(0, 0, 0))), "")
                << path.name << " " << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh;
        }
}

TEST(Resample, ABitmapResampledIntoItselfKeepsItsPicture)
{
    std::mt19937 rng(11);
    for (int filter : {1, 6}) {
        Bitmap picture = randomPicture(rng, 23, 19);
        const Bitmap expected = referenceResample(picture, 23, 19, filter);
        resample(picture, picture, filter);
        EXPECT_EQ(firstDifference(picture, expected), "") << "filter " << filter;
    }
}

TEST(Resample, DestinationOfAnotherFormatIsMadeTrueColour)
{
    std::mt19937 rng(5);
    const Bitmap src = randomPicture(rng, 40, 30);
    Bitmap dst;
    dst.image() = QImage(17, 13, QImage::Format_ARGB32);
    dst.image().fill(Qt::transparent);
    resample(src, dst, 6);
    EXPECT_EQ(dst.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(firstDifference(dst, referenceResample(src, 17, 13, 6)), "");
}


// Planes shaped like shadow masks: a plain border (white, or another value)
// around a patch of anything. They rescale to the blue of the full passes;
// what the rescale says of each row's ends holds for its bytes, and asking
// for it changes none of them.
TEST(Resample, RowReachTellsTruthfullyWhereARowIsPlain)
{
    std::mt19937 rng(4417);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int reached = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int sw = pick(1, 70), sh = pick(1, 50);
        const int dw = pick(1, 160), dh = pick(1, 120);
        const int filter = pick(0, 7);
        const std::uint8_t border = trial % 3 == 0 ? static_cast<std::uint8_t>(pick(0, 255)) : 0xff;
        std::vector<std::uint8_t> in(static_cast<std::size_t>(sw) * sh, border);
        const int x0 = pick(0, sw), x1 = pick(x0, sw), y0 = pick(0, sh), y1 = pick(y0, sh);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                in[static_cast<std::size_t>(y) * sw + x] =
                    static_cast<std::uint8_t>(pick(0, 3) == 0 ? border : pick(0, 255));
        const ChannelPlane source{in.data(), sw, sh, static_cast<std::size_t>(sw)};
        const std::size_t pitch = static_cast<std::size_t>(dw) + 3;
        std::vector<std::uint8_t> plain(pitch * dh, 0x5a), told(pitch * dh, 0x5a);
        resample_detail::resampleChannelTuned(source, ChannelPlane{plain.data(), dw, dh, pitch}, filter, {});
        std::vector<RowReach> reach(2);
        resampleChannel(source, ChannelPlane{told.data(), dw, dh, pitch}, filter, &reach);
        ASSERT_EQ(told, plain) << sw << "x" << sh << " -> " << dw << "x" << dh << " filter " << filter;
        Bitmap picture(sw, sh);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const int v = in[static_cast<std::size_t>(y) * sw + x];
                picture.setPixel(x, y, RGBRef(v, v, v));
            }
        const Bitmap full = resample(picture, dw, dh, filter);
        int unlike = 0;
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x)
                unlike += plain[static_cast<std::size_t>(y) * pitch + x] != BlueOf(full.pixel(x, y));
        EXPECT_EQ(unlike, 0) << sw << "x" << sh << " -> " << dw << "x" << dh << " filter " << filter;
        ASSERT_EQ(reach.size(), static_cast<std::size_t>(dh));
        int wrong = 0;
        for (int y = 0; y < dh; ++y) {
            const RowReach& r = reach[static_cast<std::size_t>(y)];
            wrong += r.from < 0 || r.from > r.to || r.to > dw;
            const std::uint8_t* row = told.data() + static_cast<std::size_t>(y) * pitch;
            for (int x = 0; x < std::clamp(r.from, 0, dw); ++x)
                wrong += row[x] != r.lead;
            for (int x = std::clamp(r.to, 0, dw); x < dw; ++x)
                wrong += row[x] != r.trail;
            reached += r.from > 0 || r.to < dw;
        }
        EXPECT_EQ(wrong, 0) << sw << "x" << sh << " -> " << dw << "x" << dh << " filter " << filter;
    }
    // The border is seen at all.
    EXPECT_GT(reached, 0);
}

// Planes like a shadow's cast: white with a few figures drawn into it (thin
// and thick strokes with soft edges, filled blocks, a speckled stretch like
// glyphs, rows repeated many times), blurred down and up as shadows are and
// rescaled by every filter. The passes that work out only the edges must give
// the bytes of the portable passes, and what they tell of each row's ends must
// hold.
TEST(Resample, CastLikePlanesRescaleAsThePortablePasses)
{
    std::mt19937 rng(90210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int wrongBytes = 0;
    int wrongEnds = 0;
    int plainEnds = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int w = pick(2, 150), h = pick(2, 110);
        const std::uint8_t paper = trial % 5 == 0 ? static_cast<std::uint8_t>(pick(0, 255)) : 0xff;
        const std::uint8_t ink = static_cast<std::uint8_t>(pick(0, 254));
        std::vector<std::uint8_t> in(static_cast<std::size_t>(w) * h, paper);
        auto at = [&](int x, int y) -> std::uint8_t& { return in[static_cast<std::size_t>(y) * w + x]; };
        for (int figure = pick(0, 4); figure > 0; --figure) {
            const int x0 = pick(0, w - 1), y0 = pick(0, h - 1), x1 = pick(x0, w - 1), y1 = pick(y0, h - 1);
            switch (pick(0, 3)) {
            case 0: // a filled block
                for (int y = y0; y <= y1; ++y)
                    for (int x = x0; x <= x1; ++x)
                        at(x, y) = ink;
                break;
            case 1: { // a slanted stroke with a soft edge
                const int width = pick(1, 4);
                for (int y = y0; y <= y1; ++y) {
                    const int x = x0 + (x1 - x0) * (y - y0) / std::max(1, y1 - y0);
                    for (int k = 0; k < width && x + k < w; ++k)
                        at(x + k, y) = k == 0 ? static_cast<std::uint8_t>((ink + paper) / 2) : ink;
                }
                break;
            }
            case 2: // speckles, as glyphs give
                for (int y = y0; y <= y1; ++y)
                    for (int x = x0; x <= x1; ++x)
                        if (pick(0, 2) == 0)
                            at(x, y) = static_cast<std::uint8_t>(pick(0, 255));
                break;
            default: // an outline
                for (int x = x0; x <= x1; ++x)
                    at(x, y0) = at(x, y1) = ink;
                for (int y = y0; y <= y1; ++y)
                    at(x0, y) = at(x1, y) = ink;
                break;
            }
        }
        const int fade = pick(1, 60);
        const int sw = std::max(1, (w * 10 + (fade + 10) / 2) / (fade + 10));
        const int sh = std::max(1, (h * 10 + (fade + 10) / 2) / (fade + 10));
        const int filter = trial % 2 == 0 ? 4 : pick(0, 7);
        const ChannelPlane source{in.data(), w, h, static_cast<std::size_t>(w)};
        resample_detail::Tuning portable;
        portable.vectorKernels = false;
        // Down, then back up from what came down.
        std::vector<std::uint8_t> smallFast(static_cast<std::size_t>(sw) * sh), smallPlain(smallFast.size());
        resample_detail::resampleChannelTuned(source, ChannelPlane{smallFast.data(), sw, sh, std::size_t(sw)}, filter, {});
        resample_detail::resampleChannelTuned(source, ChannelPlane{smallPlain.data(), sw, sh, std::size_t(sw)}, filter,
                                              portable);
        wrongBytes += smallFast != smallPlain;
        const ChannelPlane small{smallPlain.data(), sw, sh, static_cast<std::size_t>(sw)};
        const std::size_t pitch = static_cast<std::size_t>(w) + 7;
        std::vector<std::uint8_t> upFast(pitch * h, 0x5a), upPlain(pitch * h, 0x5a);
        std::vector<RowReach> reach;
        resampleChannel(small, ChannelPlane{upFast.data(), w, h, pitch}, filter, &reach);
        resample_detail::resampleChannelTuned(small, ChannelPlane{upPlain.data(), w, h, pitch}, filter, portable);
        wrongBytes += upFast != upPlain;
        ASSERT_EQ(reach.size(), static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y) {
            const RowReach& r = reach[static_cast<std::size_t>(y)];
            wrongEnds += r.from < 0 || r.from > r.to || r.to > w;
            const std::uint8_t* row = upFast.data() + static_cast<std::size_t>(y) * pitch;
            for (int x = 0; x < std::clamp(r.from, 0, w); ++x)
                wrongEnds += row[x] != r.lead;
            for (int x = std::clamp(r.to, 0, w); x < w; ++x)
                wrongEnds += row[x] != r.trail;
            plainEnds += r.from > 0 || r.to < w;
        }
        // The same cast as the blue of a bitmap.
        Bitmap picture(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.setPixel(x, y, RGBRef(0, 0, at(x, y)));
        std::vector<std::uint8_t> blueFast(smallFast.size());
        resample_detail::resampleBlueTuned(picture, ChannelPlane{blueFast.data(), sw, sh, std::size_t(sw)}, filter, {});
        wrongBytes += blueFast != smallPlain;
        if (wrongBytes != 0 || wrongEnds != 0) {
            ADD_FAILURE() << "trial " << trial << ": " << w << "x" << h << " <-> " << sw << "x" << sh << " filter "
                          << filter;
            break;
        }
    }
    EXPECT_EQ(wrongBytes, 0);
    EXPECT_EQ(wrongEnds, 0);
    EXPECT_GT(plainEnds, 0);
}

} // namespace
} // namespace vlm

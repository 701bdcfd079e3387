#include "render/shading.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/polar.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <unordered_map>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

// The canvas part a mask covers: the rectangle of canvas pixels and where it
// starts in the mask.
struct Overlap {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // canvas pixels, half-open
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Overlap OverlapOf(const Canvas& canvas, const ShadingMask& mask)
{
    Overlap o;
    o.x0 = std::max(mask.origin.x(), 0);
    o.y0 = std::max(mask.origin.y(), 0);
    o.x1 = std::min<long long>(static_cast<long long>(mask.origin.x()) + mask.bitmap.width(), canvas.width());
    o.y1 = std::min<long long>(static_cast<long long>(mask.origin.y()) + mask.bitmap.height(), canvas.height());
    return o;
}

// Calls paintRow(y, mask, out, x0, x1) for every canvas row the mask covers:
// mask[x] and out[x] are the mask and canvas pixels at canvas column x, for
// x0 <= x < x1.
template <typename PaintRow>
void ForMaskRows(Canvas& canvas, const ShadingMask& mask, PaintRow&& paintRow)
{
    const Overlap o = OverlapOf(canvas, mask);
    if (o.empty() || mask.bitmap.isNull())
        return;
    Bitmap& target = canvas.bitmap();
    std::uint32_t* const first = target.row(0);
    const std::size_t pitch = static_cast<std::size_t>(target.image().bytesPerLine()) / 4;
    auto canvasRow = [&](int y) { return first + static_cast<std::size_t>(y) * pitch; };
    for (int y = o.y0; y < o.y1; ++y) {
        // The canvas under an Item is rarely in the cache: ask for the rows
        // ahead while this one is worked on.
        if (y + 2 < o.y1) {
            const std::uint32_t* ahead = canvasRow(y + 2);
            for (int x = o.x0; x < o.x1; x += 16)
                __builtin_prefetch(ahead + x, 1);
            __builtin_prefetch(ahead + o.x1 - 1, 1);
        }
        paintRow(y, mask.bitmap.row(y - mask.origin.y()) - mask.origin.x(), canvasRow(y), o.x0, o.x1);
    }
}

constexpr std::uint32_t kOutlinePixel = Bitmap::toArgb(kMaskOutline);
constexpr std::uint32_t kFillPixel = Bitmap::toArgb(kMaskFill);

// The first pixel from x on (before x1) that carries a marker, or x1.
int NextMarked(const std::uint32_t* m, int x, int x1)
{
#ifdef __SSE2__
    const __m128i outline = _mm_set1_epi32(static_cast<int>(kOutlinePixel));
    const __m128i fill = _mm_set1_epi32(static_cast<int>(kFillPixel));
    for (; x + 4 <= x1; x += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi32(p, outline), _mm_cmpeq_epi32(p, fill))) != 0)
            break;
    }
#endif
    while (x < x1 && m[x] != kOutlinePixel && m[x] != kFillPixel)
        ++x;
    return x;
}

// Calls paint(x, y, marker) for every marked mask pixel that lies on the
// canvas; paint returns the colour to write.
template <typename Paint>
void ForMarkedPixels(Canvas& canvas, const ShadingMask& mask, Paint&& paint)
{
    ForMaskRows(canvas, mask, [&](int y, const std::uint32_t* m, std::uint32_t* out, int x0, int x1) {
        for (int x = NextMarked(m, x0, x1); x < x1; x = NextMarked(m, x, x1)) {
            for (; x < x1; ++x) {
                const std::uint32_t p = m[x];
                if (p == kOutlinePixel)
                    out[x] = paint(x, y, false);
                else if (p == kFillPixel)
                    out[x] = paint(x, y, true);
                else
                    break;
            }
        }
    });
}

// Round() without the library call, for the loops over every pixel: adding
// and taking away 1.5 * 2^52 rounds to the nearest integer, ties to even,
// which is what Round does in the default rounding mode. Values too large
// for that (only from damaged geometry) go through Round.
inline std::int32_t QuickRound(double v)
{
    constexpr double kMagic = 6755399441055744.0;
    if (!(std::abs(v) < 1073741824.0))
        return Round(v);
    return static_cast<std::int32_t>((v + kMagic) - kMagic);
}

// Calls shade(rounding) with QuickRound when it gives Round's results (the
// rounding mode is the default one), else with Round itself.
template <typename Shade>
void WithPixelRounding(Shade&& shade)
{
    if (std::fegetround() == FE_TONEAREST)
        shade([](double v) { return QuickRound(v); });
    else
        shade([](double v) { return Round(v); });
}

// Round(sqrt(n)) for 0 <= n < 2^52: the k with k^2 - k < n <= k^2 + k.
std::int64_t RoundedRoot(std::int64_t n)
{
    auto k = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (k * k + k < n)
        ++k;
    while (k > 0 && k * k - k >= n)
        --k;
    return k;
}

// The round dome row by row in integers: Round(sqrt(n)) is the k with
// k^2 - k < n <= k^2 + k (no root of a whole number lies on a half), and
// along a marked stretch of a row it is followed rather than worked out.
// The same rows as the formula; false, drawing nothing, where the
// coordinates are too large for the integers used.
bool RoundDomeRows(Canvas& canvas, const ShadingMask& mask, QPoint highlight, int half,
                   const std::vector<std::uint32_t>& fillRamp, const std::vector<std::uint32_t>& outlineRamp)
{
    const Overlap o = OverlapOf(canvas, mask);
    if (o.empty() || mask.bitmap.isNull())
        return true;
    constexpr int kLimit = 1 << 22;
    if (std::abs(highlight.x()) > kLimit || std::abs(highlight.y()) > kLimit || o.x1 > kLimit || o.y1 > kLimit)
        return false;
    const auto D = static_cast<std::int64_t>(fillRamp.size());
    const std::uint32_t* fills = fillRamp.data();
    const std::uint32_t* outlines = outlineRamp.data();
    ForMaskRows(canvas, mask, [&](int y, const std::uint32_t* m, std::uint32_t* out, int x0, int x1) {
        const std::int64_t dy = std::int64_t{y} - highlight.y();
        int x = x0;
        while (true) {
            // Unmarked stretches are passed over; the distance is taken up
            // again at the next marked pixel.
            x = NextMarked(m, x, x1);
            if (x == x1)
                break;
            std::int64_t dx = std::int64_t{x} - highlight.x();
            std::int64_t n = dx * dx + dy * dy;
            std::int64_t k = RoundedRoot(n);
            // k = Round(sqrt(n)) while lo < n <= hi.
            std::int64_t lo = k * k - k;
            std::int64_t hi = k * k + k;
            for (; x < x1; ++x, ++dx) {
                const std::uint32_t p = m[x];
                if (p != kOutlinePixel && p != kFillPixel)
                    break;
                std::int64_t row = k + half;
                row -= row >= D ? D : 0;
                row = std::clamp<std::int64_t>(row, 0, D - 1);
                out[x] = (p == kFillPixel ? fills : outlines)[row];
                // The roots of neighbours differ by at most 1, and so do their
                // rounded values (a root never lies on a half): one step at most.
                n += 2 * dx + 1;
                const bool up = n > hi;
                const bool down = !up && k > 0 && n <= lo;
                k += static_cast<int>(up) - static_cast<int>(down);
                const std::int64_t oldLo = lo;
                lo = up ? hi : (down ? oldLo - 2 * k : oldLo);
                hi = up ? hi + 2 * k : (down ? oldLo : hi);
            }
        }
    });
    return true;
}

std::vector<std::uint32_t> ArgbRamp(int length, int level, ColorRef colour)
{
    const std::vector<ColorRef> ramp = ShadingRamp(length, level, colour);
    std::vector<std::uint32_t> out(ramp.size());
    std::transform(ramp.begin(), ramp.end(), out.begin(), [](ColorRef c) { return Bitmap::toArgb(c); });
    return out;
}

} // namespace

namespace {

// k for every row of a ramp of `length` at level v: (e^p (255 - v) + v) / 255.
std::vector<double> MakeRampScale(int length, int v)
{
    std::vector<double> k(static_cast<std::size_t>(length));
    const double p = std::clamp(36.0 / length, 1.5, 3.0);
    for (int row = 0; row < length; ++row) {
        // sin(pi) is a hair above 0 in floating point; never below it.
        const double e = std::max(0.0, std::sin((row + 1.0) / length * kPi));
        k[static_cast<std::size_t>(row)] = (std::pow(e, p) * (255 - v) + v) / 255.0;
    }
    return k;
}

// The scale is the same for every colour, and the Items of one size share
// it: kept per thread for the lengths of recent repaints.
const std::vector<double>& RampScale(int length, int v)
{
    thread_local std::unordered_map<std::uint64_t, std::vector<double>> kept;
    const std::uint64_t key = (static_cast<std::uint64_t>(length) << 8) | static_cast<std::uint64_t>(v);
    if (const auto it = kept.find(key); it != kept.end())
        return it->second;
    if (kept.size() >= 256)
        kept.clear();
    return kept.emplace(key, MakeRampScale(length, v)).first->second;
}

} // namespace

std::vector<ColorRef> ShadingRamp(int length, int level, ColorRef colour)
{
    if (length < 1)
        return {};
    const int v = std::clamp(level, 0, 255);
    const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    const int spread = std::max({std::abs(r - b), std::abs(r - g), std::abs(g - b)});
    const double lift = Round((1.0 - (r + g + b) / 765.0) * (1.0 - spread / 255.0) * 0.75 * (255 - v));
    // Long ramps come only from huge shapes; their scales are not kept.
    constexpr int kLongestKept = 2048;
    std::vector<double> once;
    if (length > kLongestKept)
        once = MakeRampScale(length, v);
    const std::vector<double>& scale = length > kLongestKept ? once : RampScale(length, v);
    std::vector<ColorRef> ramp(static_cast<std::size_t>(length));
    WithPixelRounding([&](auto round) {
        auto channel = [&](double c) { return std::clamp(round(c), 0, 255); };
        for (std::size_t row = 0; row < ramp.size(); ++row) {
            const double k = scale[row];
            ramp[row] = RGBRef(channel((lift + r) * k), channel((lift + g) * k), channel((lift + b) * k));
        }
    });
    return ramp;
}

double BandLightAngle(int lightDirection)
{
    switch (lightDirection) {
    case 1:
        return 7 * kPi / 4;
    case 2:
        return 3 * kPi / 4;
    case 3:
        return kPi / 4;
    default:
        return 5 * kPi / 4;
    }
}

double TextLightAngle(int lightDirection)
{
    switch (lightDirection) {
    case 1:
        return 3 * kPi / 4;
    case 2:
        return 7 * kPi / 4;
    case 3:
        return 5 * kPi / 4;
    default:
        return kPi / 4;
    }
}

QPoint DomeHighlight(QPoint topLeft, int w, int h, int lightDirection)
{
    const int cx = w / 2, cy = h / 2, qx = w / 6, qy = h / 6;
    const bool right = lightDirection == 1 || lightDirection == 3;
    const bool below = lightDirection == 2 || lightDirection == 3;
    return {Offset(topLeft.x(), right ? cx + qx : cx - qx), Offset(topLeft.y(), below ? cy + qy : cy - qy)};
}

void ShadeBand(Canvas& canvas, const ShadingMask& mask, const BandGeometry& band, ColorRef fill,
               ColorRef outline, int level)
{
    const int L = band.length;
    if (L < 1)
        return;
    const std::vector<std::uint32_t> fillRamp = ArgbRamp(L, level, fill);
    // Hollow and "Solid" shapes shade fill and outline in one colour.
    std::vector<std::uint32_t> ownOutline;
    if (outline != fill)
        ownOutline = ArgbRamp(L, level, outline);
    const std::vector<std::uint32_t>& outlineRamp = outline != fill ? ownOutline : fillRamp;
    const long long base = L + Round(std::sin(band.theta + band.lambda) * Trunc(L / 4.0));
    const PerpendicularFootOnto foot(band.refA, band.refB);
    // The sides of squares and rectangles are mostly upright or level: then
    // X is the pixel's distance from the side's column or row.
    const QPoint anchor = foot.anchor();
    if (foot.upright()) {
        ForMaskRows(canvas, mask, [&](int, const std::uint32_t* m, std::uint32_t* out, int x0, int x1) {
            for (int x = NextMarked(m, x0, x1); x < x1; x = NextMarked(m, x, x1)) {
                for (; x < x1; ++x) {
                    const std::uint32_t p = m[x];
                    if (p != kOutlinePixel && p != kFillPixel)
                        break;
                    const int row = ReduceRampRow(base - std::abs(std::int64_t{x} - anchor.x()), L);
                    out[x] = (p == kFillPixel ? fillRamp : outlineRamp)[static_cast<std::size_t>(row)];
                }
            }
        });
        return;
    }
    if (foot.level()) {
        ForMaskRows(canvas, mask, [&](int y, const std::uint32_t* m, std::uint32_t* out, int x0, int x1) {
            const auto row = static_cast<std::size_t>(ReduceRampRow(base - std::abs(std::int64_t{y} - anchor.y()), L));
            const std::uint32_t f = fillRamp[row];
            const std::uint32_t o = outlineRamp[row];
            for (int x = NextMarked(m, x0, x1); x < x1; x = NextMarked(m, x, x1)) {
                for (; x < x1; ++x) {
                    const std::uint32_t p = m[x];
                    if (p == kFillPixel)
                        out[x] = f;
                    else if (p == kOutlinePixel)
                        out[x] = o;
                    else
                        break;
                }
            }
        });
        return;
    }
    WithPixelRounding([&](auto round) {
        ForMarkedPixels(canvas, mask, [&](int x, int y, bool isFill) {
            const QPoint f = foot(x, y, round);
            const double dx = static_cast<double>(x) - f.x();
            const double dy = static_cast<double>(y) - f.y();
            // A foot in the pixel's row or column: the root of a whole square
            // is exact.
            const double d = dy == 0 ? std::abs(dx) : (dx == 0 ? std::abs(dy) : std::sqrt(dx * dx + dy * dy));
            const int row = ReduceRampRow(base - round(d), L);
            return (isFill ? fillRamp : outlineRamp)[static_cast<std::size_t>(row)];
        });
    });
}

void ShadeDome(Canvas& canvas, const ShadingMask& mask, const DomeGeometry& dome, ColorRef fill,
               ColorRef outline, int level)
{
    const int D = dome.rampLength;
    if (D < 1)
        return;
    const std::vector<std::uint32_t> fillRamp = ArgbRamp(D, level, fill);
    // Hollow and "Solid" shapes shade fill and outline in one colour.
    std::vector<std::uint32_t> ownOutline;
    if (outline != fill)
        ownOutline = ArgbRamp(D, level, outline);
    const std::vector<std::uint32_t>& outlineRamp = outline != fill ? ownOutline : fillRamp;
    const int half = D / 2;
    const double hx = dome.highlight.x();
    const double hy = dome.highlight.y();
    if (!dome.elliptical && RoundDomeRows(canvas, mask, dome.highlight, half, fillRamp, outlineRamp))
        return;
    WithPixelRounding([&](auto round) {
        ForMarkedPixels(canvas, mask, [&](int x, int y, bool isFill) {
            const double dx = x - hx;
            const double dy = y - hy;
            const int dist = round(std::sqrt(dx * dx + dy * dy));
            long long row = static_cast<long long>(dist) + half;
            if (dome.elliptical && dist > 0) {
                // Angles count with y up, as everywhere on the canvas.
                double t = std::fmod(std::atan2(-dy, dx) - dome.direction, kPi);
                if (t < 0)
                    t += kPi;
                const double u = dome.gain >= 0 ? std::sin(t) : std::abs(std::cos(t));
                row += round(u * dist * dome.gain);
            }
            const int r = ReduceRampRow(row, D);
            return (isFill ? fillRamp : outlineRamp)[static_cast<std::size_t>(r)];
        });
    });
}

} // namespace vlm

#include "render/shading.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/polar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <unordered_map>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

int Channel(double v)
{
    return std::clamp(Round(v), 0, 255);
}

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

// Calls paint(x, y, marker) for every marked mask pixel that lies on the
// canvas; paint returns the colour to write.
template <typename Paint>
void ForMarkedPixels(Canvas& canvas, const ShadingMask& mask, Paint&& paint)
{
    const Overlap o = OverlapOf(canvas, mask);
    if (o.empty() || mask.bitmap.isNull())
        return;
    Bitmap& target = canvas.bitmap();
    constexpr std::uint32_t outline = Bitmap::toArgb(kMaskOutline);
    constexpr std::uint32_t fill = Bitmap::toArgb(kMaskFill);
    for (int y = o.y0; y < o.y1; ++y) {
        const std::uint32_t* m = mask.bitmap.row(y - mask.origin.y()) - mask.origin.x();
        std::uint32_t* out = target.row(y);
        for (int x = o.x0; x < o.x1; ++x) {
            const std::uint32_t p = m[x];
            if (p == outline)
                out[x] = paint(x, y, false);
            else if (p == fill)
                out[x] = paint(x, y, true);
        }
    }
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
    for (std::size_t row = 0; row < ramp.size(); ++row) {
        const double k = scale[row];
        ramp[row] = RGBRef(Channel((lift + r) * k), Channel((lift + g) * k), Channel((lift + b) * k));
    }
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
    const std::vector<std::uint32_t> outlineRamp = ArgbRamp(L, level, outline);
    const long long base = L + Round(std::sin(band.theta + band.lambda) * Trunc(L / 4.0));
    const PerpendicularFootOnto foot(band.refA, band.refB);
    ForMarkedPixels(canvas, mask, [&](int x, int y, bool isFill) {
        const QPoint f = foot(x, y);
        const double dx = static_cast<double>(x) - f.x();
        const double dy = static_cast<double>(y) - f.y();
        const int row = ReduceRampRow(base - Round(std::sqrt(dx * dx + dy * dy)), L);
        return (isFill ? fillRamp : outlineRamp)[static_cast<std::size_t>(row)];
    });
}

void ShadeDome(Canvas& canvas, const ShadingMask& mask, const DomeGeometry& dome, ColorRef fill,
               ColorRef outline, int level)
{
    const int D = dome.rampLength;
    if (D < 1)
        return;
    const std::vector<std::uint32_t> fillRamp = ArgbRamp(D, level, fill);
    const std::vector<std::uint32_t> outlineRamp = ArgbRamp(D, level, outline);
    const int half = D / 2;
    const double hx = dome.highlight.x();
    const double hy = dome.highlight.y();
    ForMarkedPixels(canvas, mask, [&](int x, int y, bool isFill) {
        const double dx = x - hx;
        const double dy = y - hy;
        const int dist = Round(std::sqrt(dx * dx + dy * dy));
        long long row = static_cast<long long>(dist) + half;
        if (dome.elliptical && dist > 0) {
            // Angles count with y up, as everywhere on the canvas.
            double t = std::fmod(std::atan2(-dy, dx) - dome.direction, kPi);
            if (t < 0)
                t += kPi;
            const double u = dome.gain >= 0 ? std::sin(t) : std::abs(std::cos(t));
            row += Round(u * dist * dome.gain);
        }
        const int r = ReduceRampRow(row, D);
        return (isFill ? fillRamp : outlineRamp)[static_cast<std::size_t>(r)];
    });
}

} // namespace vlm

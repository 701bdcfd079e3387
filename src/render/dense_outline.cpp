#include "render/dense_outline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace vlm {

namespace {

// Equal neighbours and repeated back-and-forths, in one pass.
void DropRepeats(std::vector<QPoint>& points)
{
    std::size_t n = 0; // points kept so far, at the front
    for (const QPoint p : points) {
        if (n > 0 && points[n - 1] == p)
            continue;
        points[n++] = p;
        // X Y X Y X: the last Y X retraces the first Y X.
        while (n >= 5 && points[n - 1] == points[n - 3] && points[n - 3] == points[n - 5] &&
               points[n - 2] == points[n - 4])
            n -= 2;
    }
    points.resize(n);
    // Closing the ring may repeat the first point at the end.
    while (points.size() > 1 && points.back() == points.front())
        points.pop_back();
}

// Keeps the first and last corner of every run of at least three corners
// for which `beyond` holds.
template <typename Beyond> void CutRuns(std::vector<QPoint>& points, Beyond beyond)
{
    const std::size_t count = points.size();
    if (count < 4)
        return;
    // Start the walk on a corner that is not beyond, so that no run wraps
    // round the end of the list.
    std::size_t start = 0;
    while (start < count && beyond(points[start]))
        ++start;
    if (start == count)
        return; // the whole figure lies beyond one edge: nothing shows, keep it simple
    std::vector<QPoint> out;
    out.reserve(count);
    std::size_t runLength = 0;
    QPoint last;
    for (std::size_t k = 0; k <= count; ++k) {
        const bool end = k == count;
        const QPoint p = points[(start + k) % count];
        if (!end && beyond(p)) {
            if (runLength == 0)
                out.push_back(p);
            last = p;
            ++runLength;
            continue;
        }
        if (runLength >= 2)
            out.push_back(last);
        runLength = 0;
        if (!end)
            out.push_back(p);
    }
    points.swap(out);
}

} // namespace

void ThinOutClosedOutline(std::vector<QPoint>& points, int width, int height, int penWidth)
{
    DropRepeats(points);
    // The pen and a pixel of rounding to spare on every side.
    const int margin = std::max(penWidth, 1) + 2;
    const int left = -margin, top = -margin, right = width + margin, bottom = height + margin;
    CutRuns(points, [left](QPoint p) { return p.x() < left; });
    CutRuns(points, [right](QPoint p) { return p.x() > right; });
    CutRuns(points, [top](QPoint p) { return p.y() < top; });
    CutRuns(points, [bottom](QPoint p) { return p.y() > bottom; });
}

bool SpikesDenserThanPixels(double innerRadius, double outerRadius, int spikes)
{
    const double rim = 2.0 * std::numbers::pi * std::max(std::abs(innerRadius), std::abs(outerRadius));
    return spikes > 0 && rim < spikes;
}

} // namespace vlm

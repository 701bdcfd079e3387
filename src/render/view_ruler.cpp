#include "render/view_ruler.h"

#include "model/page_setup.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "render/units.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

struct Level {
    double divisor; // of the major step
    int length;
    bool on;
};

} // namespace

RulerMarks PlanRuler(int units, double zoom, int chunkOffset, int length, ViewDirection direction,
                     const ScreenMetrics& metrics)
{
    RulerMarks marks;
    if (!(zoom > 0.0) || length <= 0)
        return marks;
    const bool horizontal = direction != ViewDirection::Vertical;
    const double pxPerMm = horizontal ? metrics.pxPerMmX : metrics.pxPerMmY;
    const double dpi = horizontal ? metrics.dpiX : metrics.dpiY;

    double unitStep = 0.0; // one labelled step in zoomed pixels, before rounding
    int multiplier = 1;
    bool labelled = true;
    std::vector<Level> levels;
    switch (units) {
    case UnitMillimeters:
        unitStep = zoom * pxPerMm * 10.0;
        multiplier = 10;
        labelled = zoom > 0.25;
        levels = {{1, 11, true}, {2, 4, true}, {4, 1, true}, {8, 1, horizontal && zoom > 1.0}};
        break;
    case UnitInches:
        unitStep = zoom * dpi;
        multiplier = 1;
        labelled = zoom > 0.125;
        levels = {{1, 11, true},          {2, 8, zoom > 0.25}, {4, 4, zoom > 0.25},
                  {8, 1, zoom > 0.5},     {16, 1, zoom > 1.0}, {32, 1, zoom > 2.0}};
        break;
    default:
        unitStep = zoom * 100.0;
        multiplier = 100;
        levels = {{1, 11, true}, {5, 1, zoom > 0.1 && zoom <= 0.25}, {10, 1, zoom > 0.25}, {20, 1, zoom > 1.0}};
        break;
    }
    const int p = Round(unitStep);
    if (p < 1)
        return marks;
    const int phase = ((chunkOffset % p) + p) % p;
    const int firstLabel = Trunc(chunkOffset / unitStep);

    for (const Level& level : levels) {
        if (!level.on)
            continue;
        const double step = p / level.divisor;
        // Finer than a pixel would only paint the ruler solid.
        if (step < 2.0 && level.divisor > 1)
            continue;
        const double start = step - phase;
        const double firstK = start < 0 ? std::ceil(-start / step) : 0.0;
        int count = 0;
        for (double k = firstK;; k += 1.0) {
            const int x = Round(start + k * step);
            if (x >= length)
                break;
            marks.ticks.push_back({x, level.length});
            if (level.divisor == 1 && labelled) {
                marks.labels.push_back({x, QString::number(static_cast<long long>(firstLabel + count + 1) * multiplier)});
                ++count;
            }
        }
    }
    return marks;
}

int RulerChunkOffset(int zoomedPageStart, int zoomedPageSize, int scrollPosition, int viewportSize)
{
    if (zoomedPageSize <= kCanvasLimit)
        return 0;
    const long long into = std::max(0LL, static_cast<long long>(scrollPosition) - zoomedPageStart);
    const long long block = kCanvasLimit - viewportSize;
    // A viewport as long as the bitmap leaves no room to move in blocks:
    // the bitmap then starts where the view does.
    if (block <= 0)
        return static_cast<int>(std::min<long long>(into, zoomedPageSize));
    return static_cast<int>(block * (into / block));
}

int ScaledRulerLength(int zoomedPageSize, int viewportSize)
{
    return std::clamp(std::max(zoomedPageSize, viewportSize), 0, kCanvasLimit);
}

void BuildRulerBitmap(Bitmap& ruler, int units, double zoom, int chunkOffset, ViewDirection direction,
                      const ViewSettings& settings, double ratio)
{
    const bool horizontal = direction != ViewDirection::Vertical;
    const int length = horizontal ? ruler.width() : ruler.height();
    const int depth = horizontal ? ruler.height() : ruler.width();
    const bool scaled = ratio != 1.0 && ratio > 0.0;
    RulerMarks marks = scaled ? PlanRuler(units, zoom / ratio, Round(chunkOffset / ratio),
                                          static_cast<int>(std::ceil(length / ratio)), direction, settings.metrics)
                              : PlanRuler(units, zoom, chunkOffset, length, direction, settings.metrics);
    const auto device = [&](int v) { return scaled ? static_cast<int>(std::lround(v * ratio)) : v; };
    const int tickWidth = scaled ? std::max(1, static_cast<int>(ratio)) : 1;
    Canvas canvas(ruler);
    for (const RulerTick& t : marks.ticks) {
        const int at = device(t.position);
        const int tick = device(t.length);
        if (horizontal)
            canvas.fillRect(QRect(at, depth - tick, tickWidth, tick), settings.rulerTickColor);
        else
            canvas.fillRect(QRect(depth - tick, at, tick, tickWidth), settings.rulerTickColor);
    }
    if (marks.labels.empty())
        return;
    FontRequest request;
    request.faceName = settings.rulerLabelFont;
    request.sizePoints = settings.rulerLabelSize;
    request.quality = settings.fontQuality;
    request.escapement = horizontal ? 0 : 900;
    const auto font = Font::make(request, Round(settings.metrics.dpiY));
    if (!font)
        return;
    for (const RulerLabel& l : marks.labels) {
        const int at = device(l.position);
        const QPoint where = horizontal ? QPoint(at + device(2), -device(1)) : QPoint(0, at - device(2));
        canvas.drawText(*font, where, l.text, settings.rulerLabelColor);
    }
}

} // namespace vlm

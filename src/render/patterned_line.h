#pragma once

// Drawing one line with its pattern and width: the dash walk along the line's
// stored angle, each dash drawn as a one-pixel polyline, a flat band with an
// optional outline, or handed to the surface shading. The screen, the rubber
// band and the print bitmap all draw lines through here.

#include "model/screen_metrics.h"
#include "platform/bitmap.h"
#include "render/pens.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

namespace vlm {

class Canvas;

// Walks a pattern from `start` along `angle` and hands out the dashes in
// order. The running distance is an integer; the point at distance d is
// start + (Round(cos(angle) * d), -Round(sin(angle) * d)), or the end point
// once it would lie at least as far from the start as the end does, which
// finishes the walk. A space that reaches the end finishes it without
// another dash.
//
// With a `visible` rectangle the walk skips whole rounds of the pattern that
// lie outside it, so a line far longer than the canvas costs only the dashes
// that can be seen; the dashes it hands out are exactly those of the full
// walk. Lengths below 0 count as 0, and a pattern whose lengths add up to
// nothing walks as one dash.
class DashWalk
{
public:
    DashWalk(QPoint start, QPoint end, double angle, const PatternTable& pattern,
             std::optional<QRect> visible = std::nullopt);

    // The next dash, or false when the walk is over.
    bool next(QPoint& from, QPoint& to);

private:
    QPoint at(std::int64_t d);
    void skipInvisibleRounds();

    QPoint start_;
    QPoint end_;
    double cos_ = 1.0;
    double sin_ = 0.0;
    double endDistance_ = 0.0;
    std::array<std::int64_t, kPatternMaxLengths> lengths_{};
    int count_ = 1;
    std::int64_t period_ = 0;
    bool canSkip_ = false;
    std::int64_t visibleFrom_ = 0;
    std::int64_t visibleTo_ = 0;

    std::int64_t d_ = 0;
    int index_ = 0;
    QPoint q_;
    bool finished_ = false;
    bool done_ = false;
};

// The four corners of a band of width `w` around the segment p..q running in
// direction `angle`: C0, C1 on the left of the direction of travel, C2, C3 on
// the right. Bands along the axes take their cross offsets from p exactly.
std::array<QPoint, 4> FlatBandCorners(QPoint p, QPoint q, double angle, int w);

// The four strips of thickness t lying inside a band along its sides: along
// C0-C1, back from the end C1-C2, along C2-C3, forward from the start C3-C0.
std::array<std::array<QPoint, 4>, 4> OutlineStrips(const std::array<QPoint, 4>& corners, double angle, int t);

// One dash as the flat renderer paints it, and as the shading receives it.
struct DashBand
{
    std::array<QPoint, 4> corners;
    double angle = 0.0;
    int width = 0;
    int outline = 0; // 0: only the 1-pixel border
    ColorRef lineColor = 0;
    std::optional<ColorRef> brush; // none: hollow
};

// Paints a band flat: the quadrilateral in the brush with a 1-pixel border in
// the line colour, then the outline strips when the outline is 2 or more.
void DrawFlatBand(Canvas& canvas, const DashBand& band);

// The "Round" surface for dashes 4 pixels wide and more. The shading code
// implements it; lines drawn without one are flat.
class BandShader
{
public:
    virtual ~BandShader() = default;
    virtual void shadeBand(Canvas& canvas, const DashBand& band, int surface, int lightDirection) const = 0;
};

// How one line is stroked.
struct LineStroke
{
    ColorRef lineColor = 0;
    std::int32_t fill = kFillClear; // kFillSolid, kFillClear or a colour
    int widthPx = 1;                // LineWidthAtZoom(zoom, penWidth)
    int outlinePx = 0;              // PenWidthAtZoom(zoom, outlineWeight)
    double weightMm = 0.0;          // the line's `weight` and `outlineWeight`,
    double outlineWeightMm = 0.0;   // for the rule that drops the outline
    int surface = 0;                // the effective surface level: 0 unless shading is in force
    int lightDirection = 0;
    const BandShader* shader = nullptr;
};

// The band's look after the rule that drops a separate fill: when the
// outline would cover the band (2 * outline >= width, at the zoom or at
// 100 %) or the line has no weight, the band is one solid colour.
DashBand BandStyle(const LineStroke& stroke, const ScreenMetrics& metrics);

// Draws a line from `start` to `end` (canvas pixels) with `pattern`.
void DrawPatternedLine(Canvas& canvas, QPoint start, QPoint end, double angle, const PatternTable& pattern,
                       const LineStroke& stroke, const ScreenMetrics& metrics);

} // namespace vlm

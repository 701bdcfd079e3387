#include "render/patterned_line.h"

#include "model/geometry.h"
#include "model/rounding.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

QPoint RoundedPoint(double x, double y)
{
    return {Round(x), Round(y)};
}

// The unit vector of a direction, y pointing down on the canvas.
struct Unit
{
    double x;
    double y;
    explicit Unit(double angle) : x(std::cos(angle)), y(-std::sin(angle)) {}
};

QPoint Offset(QPoint p, Unit u, double r)
{
    return RoundedPoint(p.x() + u.x * r, p.y() + u.y * r);
}

} // namespace

DashWalk::DashWalk(QPoint start, QPoint end, double angle, const PatternTable& pattern,
                   std::optional<QRect> visible)
    : start_(start), end_(end), q_(start)
{
    // A stored angle that is no number cannot be walked; the line's own
    // direction is the only sensible stand-in.
    if (!std::isfinite(angle))
        angle = Direction(start.x(), start.y(), end.x(), end.y());
    cos_ = std::cos(angle);
    sin_ = std::sin(angle);
    endDistance_ = std::hypot(double(end.x()) - start.x(), double(end.y()) - start.y());

    count_ = std::clamp(pattern.count, 0, kPatternMaxLengths);
    for (int i = 0; i < count_; ++i) {
        lengths_[i] = std::max<std::int64_t>(0, pattern.lengths[i]);
        period_ += lengths_[i];
    }
    if (period_ == 0) {
        // Nothing would ever move the walk on: draw the line as one dash.
        count_ = 1;
        lengths_[0] = kSolidDash;
        period_ = kSolidDash;
    }

    if (visible) {
        // The stretch of running distance whose points can fall inside the
        // rectangle: the projections of its corners on the line's direction.
        double lo = INFINITY, hi = -INFINITY;
        for (QPoint c :
             {visible->topLeft(), visible->topRight(), visible->bottomLeft(), visible->bottomRight()}) {
            const double proj = (double(c.x()) - start.x()) * cos_ - (double(c.y()) - start.y()) * sin_;
            lo = std::min(lo, proj);
            hi = std::max(hi, proj);
        }
        // Rounding moves a point by less than a pixel; two keep us clear.
        visibleFrom_ = static_cast<std::int64_t>(std::floor(lo)) - 2;
        visibleTo_ = static_cast<std::int64_t>(std::ceil(hi)) + 2;
        canSkip_ = true;
    }
}

QPoint DashWalk::at(std::int64_t d)
{
    const QPoint p(Clamp32(std::int64_t{start_.x()} + Round(cos_ * double(d))),
                   Clamp32(std::int64_t{start_.y()} - Round(sin_ * double(d))));
    const double reached = std::hypot(double(p.x()) - start_.x(), double(p.y()) - start_.y());
    // The second test ends walks whose points can no longer get further away
    // (an angle that does not point at the end, coordinates at their limits);
    // a walk along its own direction always finishes by the first one.
    if (reached >= endDistance_ || double(d) >= endDistance_ + 2.0) {
        finished_ = true;
        return end_;
    }
    return p;
}

// Rounds of the pattern are only skipped from one round's start to another's,
// where the full walk would stand at the same distance with q at the same
// point, and never up to where the walk could finish: the dashes handed out
// afterwards are the full walk's.
void DashWalk::skipInvisibleRounds()
{
    // Any distance up to here leaves a point short of the end.
    const std::int64_t safe = static_cast<std::int64_t>(std::floor(endDistance_)) - 2;
    std::int64_t target = d_;
    if (d_ + period_ < visibleFrom_)
        target = std::min(visibleFrom_, safe);
    else if (d_ > visibleTo_)
        target = safe - period_;
    if (target <= d_)
        return;
    const std::int64_t rounds = (target - d_) / period_;
    if (rounds <= 0)
        return;
    d_ += rounds * period_;
    q_ = at(d_);
}

bool DashWalk::next(QPoint& from, QPoint& to)
{
    if (done_)
        return false;
    if (canSkip_ && index_ == 0)
        skipInvisibleRounds();
    d_ += lengths_[index_];
    from = q_;
    to = at(d_);
    if (finished_) {
        done_ = true;
        return true;
    }
    // Entries from count on are 0: an odd count runs its last dash straight
    // into the first one of the next round.
    d_ += index_ + 1 < count_ ? lengths_[index_ + 1] : 0;
    q_ = at(d_);
    if (finished_)
        done_ = true;
    index_ += 2;
    if (index_ >= count_)
        index_ = 0;
    return true;
}

std::array<QPoint, 4> FlatBandCorners(QPoint p, QPoint q, double angle, int w)
{
    const std::int64_t a = Round(w / 2.0);
    const std::int64_t b = std::int64_t{w} - a;
    const std::int64_t px = p.x(), py = p.y(), qx = q.x(), qy = q.y();
    auto pt = [](std::int64_t x, std::int64_t y) { return QPoint(Clamp32(x), Clamp32(y)); };
    auto near = [angle](double axis) { return std::abs(angle - axis) < 0.0001; };
    if (near(0))
        return {pt(px, py - a), pt(qx, py - a), pt(qx, py + b), pt(px, py + b)};
    if (near(kPi))
        return {pt(px, py + a), pt(qx, py + a), pt(qx, py - b), pt(px, py - b)};
    if (near(kPi / 2))
        return {pt(px - a, py), pt(px - a, qy), pt(px + b, qy), pt(px + b, py)};
    if (near(3 * kPi / 2))
        return {pt(px + a, py), pt(px + a, qy), pt(px - b, qy), pt(px - b, py)};
    const Unit n(angle + kPi / 2);
    const QPoint c0 = Offset(p, n, w / 2.0);
    const QPoint c1 = Offset(q, n, w / 2.0);
    return {c0, c1, Offset(c1, n, -w), Offset(c0, n, -w)};
}

std::array<std::array<QPoint, 4>, 4> OutlineStrips(const std::array<QPoint, 4>& c, double angle, int t)
{
    const Unit u1(angle - kPi / 2);
    const Unit v(angle);
    const Unit u3(angle + kPi / 2);
    return {{
        {c[0], c[1], Offset(c[1], u1, t), Offset(c[0], u1, t)},
        {Offset(c[1], v, -t), c[1], c[2], Offset(c[2], v, -t)},
        {Offset(c[3], u3, t), Offset(c[2], u3, t), c[2], c[3]},
        {c[0], Offset(c[0], v, t), Offset(c[3], v, t), c[3]},
    }};
}

void DrawFlatBand(Canvas& canvas, const DashBand& band)
{
    canvas.setPen(band.lineColor, 1);
    if (band.brush)
        canvas.setSolidBrush(*band.brush);
    else
        canvas.setHollowBrush();
    canvas.polygon(band.corners);
    if (band.outline < 2)
        return;
    canvas.setSolidBrush(band.lineColor);
    for (const auto& strip : OutlineStrips(band.corners, band.angle, band.outline))
        canvas.polygon(strip);
}

DashBand BandStyle(const LineStroke& stroke, const ScreenMetrics& metrics)
{
    DashBand band;
    band.width = stroke.widthPx;
    band.lineColor = stroke.lineColor;
    band.outline = stroke.outlinePx;
    if (stroke.fill == kFillSolid)
        band.brush = stroke.lineColor;
    else if (stroke.fill != kFillClear)
        band.brush = stroke.fill;
    const bool outlineCovers = 2 * std::int64_t{stroke.outlinePx} >= stroke.widthPx;
    const bool noWeight = stroke.weightMm < 0.0001;
    const bool coversAt100 = 2 * std::int64_t{PenWidthAtZoom(1, stroke.outlineWeightMm, metrics)} >=
                             PenWidthAtZoom(1, stroke.weightMm, metrics);
    if (outlineCovers || noWeight || coversAt100) {
        band.outline = 0;
        band.brush = stroke.lineColor;
    }
    return band;
}

void DrawPatternedLine(Canvas& canvas, QPoint start, QPoint end, double angle, const PatternTable& pattern,
                       const LineStroke& stroke, const ScreenMetrics& metrics)
{
    if (!std::isfinite(angle))
        angle = Direction(start.x(), start.y(), end.x(), end.y());
    DashBand band = BandStyle(stroke, metrics);
    band.angle = angle;
    const bool shaded = stroke.shader && stroke.surface >= 1 && stroke.widthPx >= 4;

    // A band's corners lie across the line from its dash's ends, so a dash
    // can only show if its stretch of the line runs past the canvas; the
    // band's width does not widen that stretch.
    const QRect visible = QRect(0, 0, canvas.width(), canvas.height()).adjusted(-4, -4, 4, 4);

    DashWalk walk(start, end, angle, pattern, visible);
    QPoint q, s;
    if (stroke.widthPx < 2)
        canvas.setPen(stroke.lineColor, 1);
    while (walk.next(q, s)) {
        if (stroke.widthPx < 2) {
            canvas.line(q, s);
            continue;
        }
        band.corners = FlatBandCorners(q, s, angle, stroke.widthPx);
        if (shaded)
            stroke.shader->shadeBand(canvas, band, stroke.surface, stroke.lightDirection);
        else
            DrawFlatBand(canvas, band);
    }
}

} // namespace vlm

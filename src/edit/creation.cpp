#include "edit/creation.h"

#include "render/polar.h"
#include "render/shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

double Radians(double degrees) { return degrees * kPi / 180.0; }
double Degrees(double radians) { return radians * 180.0 / kPi; }

bool Near(double a, double b) { return std::abs(a - b) < 0.0001; }

bool SidesInRange(int n) { return n >= kMinSides && n <= kMaxSides; }

// Whole degrees apart on the circle.
int AngularDistance(int a, int b)
{
    int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

// The text angle check shared by both ways of starting a text: a baseline
// that runs against the preset direction is turned round so that it reads
// in that direction.
TextBaseline Oriented(QPoint start, QPoint end, int presetAngle)
{
    const int runs = Round(Degrees(DirectionOf(start, end)));
    const int preset = Round(presetAngle / 10.0);
    if (AngularDistance(runs, preset) > 5)
        return {end, start, presetAngle};
    return {start, end, presetAngle};
}

} // namespace

QPoint ApplyPresetDirection(QPoint start, QPoint end, double d)
{
    if (d < 0)
        return end;
    if (Near(d, 0) || Near(d, 180))
        return {end.x(), start.y()};
    if (Near(d, 90) || Near(d, 270))
        return {start.x(), end.y()};
    const int b = Round(d);
    const double dy = static_cast<double>(start.y()) - end.y();
    const double dx = static_cast<double>(start.x()) - end.x();
    if ((b >= 45 && b <= 135) || (b >= 225 && b <= 315))
        return {Offset(start.x(), Round(dy / std::tan(Radians(d)))), end.y()};
    return {end.x(), Offset(start.y(), Round(std::tan(Radians(d)) * dx))};
}

std::array<QPoint, 4> SquareCorners(QPoint p1, QPoint p2)
{
    const double side = Distance(p1, p2);
    const double turn = DirectionOf(p1, p2) + kPi / 2;
    return {p1, p2, PolarPoint(p2, turn, side), PolarPoint(p1, turn, side)};
}

std::array<QPoint, 2> RectangleLastCorners(QPoint p1, QPoint p2, QPoint pointer)
{
    double theta = DirectionOf(p1, p2) + kPi / 2;
    if (theta >= 2 * kPi)
        theta -= 2 * kPi;
    const QPoint p3 = ApplyPresetDirection(p2, pointer, Degrees(theta));
    return {p3, QPoint(Offset(p3.x(), -(p2.x() - p1.x())), Offset(p3.y(), -(p2.y() - p1.y())))};
}

std::array<QPoint, 4> CircleNodes(QPoint centre, QPoint rim) { return SquareCorners(centre, rim); }

std::vector<QPoint> PolygonNodes(QPoint centre, QPoint rim, int sides)
{
    std::vector<QPoint> nodes{centre, rim};
    if (!SidesInRange(sides))
        return nodes;
    const double r = Distance(centre, rim);
    const double start = DirectionOf(centre, rim);
    nodes.reserve(static_cast<std::size_t>(sides) + 2);
    for (int k = 1; k <= sides; ++k)
        nodes.push_back(PolarPoint(centre, start + k * 2 * kPi / sides, r));
    return nodes;
}

std::vector<QPoint> StarNodes(QPoint centre, QPoint inner, QPoint tip, int spikes)
{
    std::vector<QPoint> nodes{centre, tip};
    if (!SidesInRange(spikes))
        return nodes;
    const double innerRadius = Distance(centre, inner);
    const double tipRadius = Distance(centre, tip);
    const double beta = DirectionOf(centre, tip);
    nodes.reserve(2 * static_cast<std::size_t>(spikes) + 2);
    for (int k = 1; k <= 2 * spikes; ++k)
        nodes.push_back(PolarPoint(centre, beta + k * kPi / spikes, k % 2 ? innerRadius : tipRadius));
    return nodes;
}

QPoint ArcEnd(QPoint centre, QPoint start, QPoint pointer)
{
    return PolarPoint(centre, DirectionOf(centre, pointer), Distance(centre, start));
}

Box PieBox(QPoint centre, QPoint start, QPoint end, int allowance)
{
    // The samples follow ArcPoints, one pixel further out.
    const double alpha = DirectionOf(centre, start);
    double beta = DirectionOf(centre, end);
    if (alpha > beta)
        beta += 2 * kPi;
    double sweep = beta - alpha;
    if (sweep > 2 * kPi)
        sweep -= 2 * kPi;
    const double rho = Distance(centre, start) + 1;
    const int n = std::max(2, Round(sweep / Radians(0.9)));
    const double step = sweep / (n - 1);

    Box b{centre.x(), centre.y(), centre.x(), centre.y()};
    auto take = [&b](QPoint p) {
        b.left = std::min(b.left, p.x());
        b.right = std::max(b.right, p.x());
        b.top = std::min(b.top, p.y());
        b.bottom = std::max(b.bottom, p.y());
    };
    take(start);
    for (int k = 0; k < n; ++k)
        take(PolarPoint(centre, alpha + k * step, rho));
    take(PolarPoint(centre, beta, rho));
    const int grow = 1 + std::max(0, allowance);
    return {Offset(b.left, -grow), Offset(b.top, -grow), Offset(b.right, grow), Offset(b.bottom, grow)};
}

EllipseNodes MakeEllipse(QPoint c, QPoint l, QPoint w)
{
    EllipseNodes e;
    e.centre = c;
    e.length = l;
    e.width = w;
    const double cl = Distance(c, l);
    // |WF|: W's distance from the line CL.
    const double ax = static_cast<double>(l.x()) - c.x();
    const double ay = static_cast<double>(l.y()) - c.y();
    const double bx = static_cast<double>(w.x()) - c.x();
    const double by = static_cast<double>(w.y()) - c.y();
    const double wf = cl > 0 ? std::abs(ax * by - ay * bx) / cl : Distance(c, w);
    e.angle = DirectionOf(c, l);
    e.storedLength = Round(2 * cl);
    e.halfExtent = std::max(Round(cl + 1), Round(wf + 1));
    if (Round(cl) < Round(wf)) {
        e.length = PolarPoint(c, e.angle + kPi / 2, Round(wf));
        e.width = PolarPoint(c, e.angle + kPi, Round(cl));
        e.angle = DirectionOf(c, e.length);
    }
    return e;
}

TextBaseline TextFromClicks(QPoint start, QPoint end, int presetAngle)
{
    if (presetAngle < 0)
        return {start, end, Round(10 * Degrees(DirectionOf(start, end)))};
    return Oriented(start, ApplyPresetDirection(start, end, presetAngle / 10.0), presetAngle);
}

TextBaseline TextFromTyping(QPoint at, int presetDirection, int presetAngle, int firstCharWidth)
{
    if (presetDirection < 0)
        return {at, at, 0};
    // A preset direction without a preset angle has nothing to turn to.
    const int angle = std::max(presetAngle, 0);
    return Oriented(at, PolarPoint(at, Radians(angle / 10.0), firstCharWidth), angle);
}

} // namespace vlm

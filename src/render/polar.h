#pragma once

// Small pieces of plane geometry the renderers share: distances, directions
// and points at an angle, all with the y axis pointing down on the canvas and
// angles counted counter-clockwise as if it pointed up.

#include "model/geometry.h"
#include "model/rounding.h"

#include <QPoint>

#include <cmath>
#include <cstdint>

namespace vlm {

inline double Distance(QPoint a, QPoint b)
{
    const double dx = static_cast<double>(a.x()) - b.x();
    const double dy = static_cast<double>(a.y()) - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

inline double DirectionOf(QPoint from, QPoint to)
{
    return Direction(from.x(), from.y(), to.x(), to.y());
}

// A coordinate plus an offset, kept inside the int range: points that come
// from damaged records may sit anywhere.
inline int Offset(int v, std::int32_t d)
{
    return Clamp32(std::int64_t{v} + d);
}

// The point `r` away from `c` in direction `angle`, each offset rounded.
inline QPoint PolarPoint(QPoint c, double angle, double r)
{
    return {Offset(c.x(), Round(std::cos(angle) * r)),
            Clamp32(std::int64_t{c.y()} - Round(std::sin(angle) * r))};
}

// The foot of the perpendicular from a point onto the line through c and a,
// rounded to a pixel. Near vertical and near horizontal lines take the exact
// axis instead of a slope that would divide by almost nothing. Made once per
// line, asked for many points.
class PerpendicularFootOnto
{
public:
    PerpendicularFootOnto(QPoint c, QPoint a)
    {
        const double dx = static_cast<double>(c.x()) - a.x();
        const double dy = static_cast<double>(c.y()) - a.y();
        cx_ = c.x();
        cy_ = c.y();
        if (std::abs(dx) <= 2) {
            kind_ = Kind::Vertical;
            return;
        }
        m_ = dy / dx;
        if (std::abs(dy) < 1 || std::abs(m_) < 0.0001) {
            kind_ = Kind::Horizontal;
            return;
        }
        mp_ = -1.0 / m_;
        intercept_ = cy_ - m_ * cx_;
    }

    // An upright line's feet all lie in the column of its first point, a
    // level line's in that point's row.
    bool upright() const { return kind_ == Kind::Vertical; }
    bool level() const { return kind_ == Kind::Horizontal; }
    QPoint anchor() const { return {Round(cx_), Round(cy_)}; }

    QPoint operator()(QPoint t) const { return (*this)(static_cast<double>(t.x()), static_cast<double>(t.y())); }
    QPoint operator()(double tx, double ty) const
    {
        return (*this)(tx, ty, [](double v) { return Round(v); });
    }
    // The same with a rounding that gives Round's results for the values
    // met (loops over many pixels pass a cheaper one).
    template <class Rounding>
    QPoint operator()(double tx, double ty, Rounding round) const
    {
        switch (kind_) {
        case Kind::Vertical:
            return {round(cx_), round(ty)};
        case Kind::Horizontal:
            return {round(tx), round(cy_)};
        default: {
            const double x = ((ty - tx * mp_) - intercept_) / (m_ - mp_);
            return {round(x), round(intercept_ + m_ * x)};
        }
        }
    }

private:
    enum class Kind { Vertical, Horizontal, Slanted };
    Kind kind_ = Kind::Slanted;
    double cx_ = 0.0, cy_ = 0.0, m_ = 0.0, mp_ = 0.0, intercept_ = 0.0;
};

} // namespace vlm

// Dragging a picture's Markers: its box, its clip and the clip's frame.

#include "edit/drag_steps.h"

#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>

namespace vlm::drag {

namespace {

void SetBox(DrawingFields& d, double l, double t, double r, double b)
{
    d.x1 = Round(l);
    d.y1 = Round(t);
    d.x2 = Round(r);
    d.y2 = Round(b);
}

} // namespace

void DragPicture(Item& item, const Step& s)
{
    DrawingFields& d = item.rec.d;
    const bool round = d.clipShape == 2;
    const double l = std::min(+d.reference[0], +d.reference[2]), r = std::max(+d.reference[0], +d.reference[2]);
    const double t = std::min(+d.reference[1], +d.reference[3]), b = std::max(+d.reference[1], +d.reference[3]);
    const QPointF p = ToF(s.pointer);
    const int code = s.code;
    if ((code == 7 || code == 3) && s.selectedItems > 1) {
        // With other Items it moves as they do: centring every picture on
        // the pointer would stack them all on one spot.
        MoveEnds(item, s.d);
        return;
    }
    if (code == 7 || code == 3) {
        const QPointF c = ItemCentre(item, true);
        QPoint move = RoundPoint(p - c);
        if (!round) {
            // The nearer edge lands on the grid: whichever of the two moves
            // the picture less.
            auto nearer = [](int lo, int hi, auto snapTo) {
                const int a = snapTo(lo) - lo, z = snapTo(hi) - hi;
                return std::abs(a) <= std::abs(z) ? a : z;
            };
            const Grid& g = *s.grid;
            move.rx() += nearer(Round(l) + move.x(), Round(r) + move.x(), [&](int v) { return g.x(v); });
            move.ry() += nearer(Round(t) + move.y(), Round(b) + move.y(), [&](int v) { return g.y(v); });
        }
        MoveEnds(item, move);
        return;
    }
    if (code == 5) {
        const QPointF c = ItemCentre(item, true);
        const double angle = SquaredBack(d.rotationAtGrab + RotationDelta(c, s));
        if (angle != d.rotation && item.cache)
            item.cache.reset();
        d.rotation = angle;
        return;
    }
    if (round) {
        if (code >= 105 && code <= 108) {
            d.x2 = s.pointer.x();
            d.y2 = s.pointer.y();
        }
        return;
    }
    if (code >= 101 && code <= 104) {
        if (d.rotationAtGrab == 0.0) {
            const double dx = s.d.x(), dy = s.d.y();
            const bool left = code == 101 || code == 104, top = code == 101 || code == 102;
            SetBox(d, left ? l + dx : l, top ? t + dy : t, left ? r : r + dx, top ? b : b + dy);
        } else {
            const auto corners = SavedPictureCorners(item);
            const int g = code - 101;
            const QPointF fixed = corners[(g + 2) % 4];
            const QPointF c = (fixed + p) / 2.0;
            const QPointF grabbed = ToF(RotateAbout(s.pointer, c, -d.rotationAtGrab));
            const QPointF opposite = 2.0 * c - grabbed;
            const bool left = g == 0 || g == 3, top = g == 0 || g == 1;
            SetBox(d, left ? grabbed.x() : opposite.x(), top ? grabbed.y() : opposite.y(),
                   left ? opposite.x() : grabbed.x(), top ? opposite.y() : grabbed.y());
        }
        if (item.cache)
            item.cache.reset();
        return;
    }
    if (code >= 105 && code <= 108) {
        const double sw = std::abs(double(d.sourceRect[2]) - d.sourceRect[0]);
        const double sh = std::abs(double(d.sourceRect[3]) - d.sourceRect[1]);
        double proportion = (sw > 0 && sh > 0) ? sw / sh : ((r > l && b > t) ? (r - l) / (b - t) : 1.0);
        double nl = l, nt = t, nr = r, nb = b;
        if (code == 105 || code == 107) {
            (code == 105 ? nt : nb) = p.y();
            nr = nl + (nb - nt) * proportion;
        } else {
            (code == 106 ? nr : nl) = p.x();
            nb = nt + (nr - nl) / proportion;
        }
        SetBox(d, nl, nt, nr, nb);
        if (item.cache)
            item.cache.reset();
    }
}

} // namespace vlm::drag

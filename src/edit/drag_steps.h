#pragma once

// The steps every drag of Markers is made of: the grid as snapping sees it,
// one pointer step, and the small geometric moves the per-kind drags share.
// Internal to the transform code of this folder.

#include "edit/transform.h"

#include <QPoint>
#include <QPointF>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace vlm::drag {

constexpr double kPi = std::numbers::pi;
constexpr double kOneDegree = kPi / 180.0;

double DirF(QPointF a, QPointF b);
double Dist(QPointF a, QPointF b);
QPoint RoundPoint(QPointF p);
double Normalised(double a);
// Within a degree of horizontal counts as horizontal.
double SquaredBack(double a);

// The grid as snapping sees it.
struct Grid {
    bool snapX = false;
    bool snapY = false;
    std::vector<int> xs; // positions of the vertical lines
    std::vector<int> ys;
    double densityX = 0.0;
    double densityY = 0.0;

    static int Nearest(const std::vector<int>& lines, int v)
    {
        int best = v;
        long long bestGap = LLONG_MAX;
        for (int g : lines) {
            const long long gap = std::llabs(static_cast<long long>(g) - v);
            if (gap < bestGap) {
                bestGap = gap;
                best = g;
            }
        }
        return best;
    }
    int x(int v) const { return snapX ? Nearest(xs, v) : v; }
    int y(int v) const { return snapY ? Nearest(ys, v) : v; }
    QPoint point(QPoint p) const { return {x(p.x()), y(p.y())}; }

    // Nodes that already lie almost on a line are pulled onto it.
    void pull(Item& item) const
    {
        for (Vertex& n : item.vertices) {
            if (snapX) {
                const int g = Nearest(xs, n.x);
                const int gap = std::abs(g - n.x);
                if (gap > 0 && gap < 0.07 * densityX)
                    n.x = g;
            }
            if (snapY) {
                const int g = Nearest(ys, n.y);
                const int gap = std::abs(g - n.y);
                if (gap > 0 && gap < 0.07 * densityY)
                    n.y = g;
            }
        }
    }
};

Grid GridOf(const ItemList& list, bool snap);

struct Step {
    QPoint press;
    QPoint pointer;
    QPoint snapped; // the pointer on the grid
    QPoint d;       // pointer - press
    QPoint ds;      // snapped pointer - press
    std::int32_t code = 0;
    bool final = false;
    int selectedItems = 0; // selected Items other than group records
    const Grid* grid = nullptr;
    const DragSettings* settings = nullptr;
};

void MoveVertices(Item& item, QPoint d);
// Every node and control point back where the drag began.
void ResetVertices(Item& item);
void MoveEnds(Item& item, QPoint d);
void RotateVertices(Item& item, QPointF c, double delta);
void SetNode(Item& item, std::size_t i, QPoint p);
QPointF Node(const Item& item, std::size_t i);
QPointF Saved(const Item& item, std::size_t i);
QPoint SavedFirst(const Item& item);
QPoint SavedSecond(const Item& item);
double RotationDelta(QPointF centre, const Step& s);
std::int32_t TextAngleOf(double radians);

// A picture's corner, side or centre Marker dragged.
void DragPicture(Item& item, const Step& s);

} // namespace vlm::drag

#include "edit/drag_steps.h"

#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/rounding.h"
#include "render/polar.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vlm::drag {

double DirF(QPointF a, QPointF b)
{
    return Direction(a.x(), a.y(), b.x(), b.y());
}

double Dist(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QPoint RoundPoint(QPointF p)
{
    return {Round(p.x()), Round(p.y())};
}

double Normalised(double a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

double SquaredBack(double a)
{
    a = Normalised(a);
    return (a < kOneDegree || a > 2 * kPi - kOneDegree) ? 0.0 : a;
}

Grid GridOf(const ItemList& list, bool snap)
{
    Grid grid;
    const Item* header = Header(list);
    const Item* lines = FindVisibleByKind(list, KindGridLines);
    if (!snap || !header || !lines)
        return grid;
    const HeaderFields& h = header->rec.h;
    // Lines stand in canvas-origin pixels, Items in design-area pixels.
    const std::int64_t ox = GridOffsetX(h), oy = GridOffsetY(h);
    for (const GridLine& g : lines->verticalGridLines)
        if (!g.deleted)
            grid.xs.push_back(Clamp32(GridLinePosition(GridVertical, g) - ox));
    for (const GridLine& g : lines->horizontalGridLines)
        if (!g.deleted)
            grid.ys.push_back(Clamp32(GridLinePosition(GridHorizontal, g) - oy));
    grid.snapX = h.snapH != 0 && !grid.xs.empty();
    grid.snapY = h.snapV != 0 && !grid.ys.empty();
    grid.densityX = h.gridSpacingX * h.pixelsPerUnitX;
    grid.densityY = h.gridSpacingY * h.pixelsPerUnitY;
    return grid;
}

void MoveVertices(Item& item, QPoint d)
{
    for (Vertex& n : item.vertices) {
        n.x = n.savedX + d.x();
        n.y = n.savedY + d.y();
        for (int i = 0; i < 2; ++i) {
            n.controlA[i] = n.savedControlA[i] + (i == 0 ? d.x() : d.y());
            n.controlB[i] = n.savedControlB[i] + (i == 0 ? d.x() : d.y());
        }
    }
}

void ResetVertices(Item& item)
{
    MoveVertices(item, QPoint());
}

void MoveEnds(Item& item, QPoint d)
{
    DrawingFields& r = item.rec.d;
    r.x1 = r.reference[0] + d.x();
    r.y1 = r.reference[1] + d.y();
    r.x2 = r.reference[2] + d.x();
    r.y2 = r.reference[3] + d.y();
}

void RotateVertices(Item& item, QPointF c, double delta)
{
    for (Vertex& n : item.vertices) {
        const QPoint p = RotateAbout(SavedPoint(n), c, delta);
        n.x = p.x();
        n.y = p.y();
        const QPoint a = RotateAbout({n.savedControlA[0], n.savedControlA[1]}, c, delta);
        const QPoint b = RotateAbout({n.savedControlB[0], n.savedControlB[1]}, c, delta);
        n.controlA[0] = a.x();
        n.controlA[1] = a.y();
        n.controlB[0] = b.x();
        n.controlB[1] = b.y();
    }
}

void SetNode(Item& item, std::size_t i, QPoint p)
{
    item.vertices[i].x = p.x();
    item.vertices[i].y = p.y();
}

QPointF Node(const Item& item, std::size_t i)
{
    return ToF(VertexPoint(item.vertices[i]));
}

QPointF Saved(const Item& item, std::size_t i)
{
    return ToF(SavedPoint(item.vertices[i]));
}

QPoint SavedFirst(const Item& item)
{
    return {item.rec.d.reference[0], item.rec.d.reference[1]};
}

QPoint SavedSecond(const Item& item)
{
    return {item.rec.d.reference[2], item.rec.d.reference[3]};
}

double RotationDelta(QPointF centre, const Step& s)
{
    return DirF(centre, ToF(s.pointer)) - DirF(centre, ToF(s.press));
}

std::int32_t TextAngleOf(double radians)
{
    std::int32_t a = Round(10.0 * radians * 180.0 / kPi);
    if (a < 0)
        a += 3600;
    return a;
}
} // namespace vlm::drag

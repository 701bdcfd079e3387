#include "edit/transform.h"

#include "edit/drag_steps.h"
#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/rounding.h"
#include "render/polar.h"
#include "render/shapes.h"
#include "render/splines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <vector>

namespace vlm {

using namespace drag;

namespace {

// ---------------------------------------------------------------- lines and texts

bool Steep(double degrees)
{
    int r = Round(degrees) % 360;
    if (r < 0)
        r += 360;
    return (r >= 45 && r <= 135) || (r >= 225 && r <= 315);
}

// The dragged end of a line or text with a preset direction slides along
// the Item's own line; it may not pass the other end.
void DragPresetEnd(Item& item, const Step& s, double degrees)
{
    DrawingFields& d = item.rec.d;
    const bool first = s.code == 1;
    const QPointF other = ToF(first ? SavedSecond(item) : SavedFirst(item));
    const double rad = degrees * kPi / 180.0;
    const double ux = std::cos(rad), uy = -std::sin(rad);
    QPointF end;
    if (Steep(degrees)) {
        const double y = s.snapped.y();
        end = QPointF(other.x() + (y - other.y()) * ux / uy, y);
    } else {
        const double x = s.snapped.x();
        end = QPointF(x, other.y() + (x - other.x()) * uy / ux);
    }
    const QPoint e = RoundPoint(end);
    const QPoint p1 = first ? e : SavedFirst(item);
    const QPoint p2 = first ? SavedSecond(item) : e;
    int want = Round(degrees) % 360;
    if (want < 0)
        want += 360;
    const int got = Round(Direction(p1.x(), p1.y(), p2.x(), p2.y()) * 180.0 / kPi) % 360;
    if (got != want)
        return;
    d.x1 = p1.x();
    d.y1 = p1.y();
    d.x2 = p2.x();
    d.y2 = p2.y();
}

// A text box is never shorter than its widest line: the dragged end goes out.
void KeepTextWidth(Item& item, const Step& s)
{
    if (s.code != 1 && s.code != 2)
        return;
    DrawingFields& d = item.rec.d;
    int widest = 0;
    for (int k = 1; k <= LineCount(item); ++k)
        widest = std::max(widest, LineWidth(item, k, s.settings->zoom, s.settings->text));
    const double length = std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1);
    if (widest <= length)
        return;
    if (s.code == 1) {
        const QPoint p = MoveAlongText({d.x2, d.y2}, -widest, d.textAngle);
        d.x1 = p.x();
        d.y1 = p.y();
    } else {
        const QPoint p = MoveAlongText({d.x1, d.y1}, widest, d.textAngle);
        d.x2 = p.x();
        d.y2 = p.y();
    }
}

void DragLineOrText(Item& item, const Step& s)
{
    DrawingFields& d = item.rec.d;
    const bool text = d.kind == KindText;
    const double preset = text ? d.textDirection : d.direction;
    switch (s.code) {
    case 7:
    case 3:
        MoveEnds(item, s.ds);
        return;
    case 1:
    case 2:
        if (preset >= 0) {
            DragPresetEnd(item, s, preset);
        } else {
            const QPoint saved = s.code == 1 ? SavedFirst(item) : SavedSecond(item);
            const QPoint p = s.grid->point(saved + s.d);
            (s.code == 1 ? d.x1 : d.x2) = p.x();
            (s.code == 1 ? d.y1 : d.y2) = p.y();
            if (text)
                d.textAngle = TextAngleOf(Direction(d.x1, d.y1, d.x2, d.y2));
        }
        if (text)
            KeepTextWidth(item, s);
        return;
    case 5: {
        const QPointF c = ItemCentre(item, true);
        const QPointF a = ToF(SavedFirst(item)), b = ToF(SavedSecond(item));
        const double direction = SquaredBack(DirF(a, b) + RotationDelta(c, s));
        const double half = Dist(a, b) / 2.0;
        const QPoint p1 = RoundPoint(Polar(c, direction, -half));
        const QPoint p2 = RoundPoint(Polar(c, direction, half));
        d.x1 = p1.x();
        d.y1 = p1.y();
        d.x2 = p2.x();
        d.y2 = p2.y();
        if (text)
            d.textAngle = TextAngleOf(direction);
        return;
    }
    default:
        return;
    }
}

// ---------------------------------------------------------------- circles and ellipses

void PlaceCircleRim(Item& item, QPoint rim)
{
    auto& v = item.vertices;
    SetNode(item, 1, rim);
    if (v.size() >= 4) {
        // The two helper points stand a quarter turn on from the rim.
        const QPoint c = VertexPoint(v[0]);
        const QPoint r = rim - c;
        const QPoint perp(r.y(), -r.x());
        SetNode(item, 2, rim + perp);
        SetNode(item, 3, c + perp);
    }
}

void DragCircle(Item& item, const Step& s)
{
    if (item.vertices.size() < 2)
        return;
    if (s.code == 7 || s.code == 3) {
        MoveVertices(item, s.d);
    } else if (s.code == 1) {
        ResetVertices(item);
        PlaceCircleRim(item, s.pointer);
    }
}

double SavedMinor(const Item& item)
{
    const QPointF c = Saved(item, 0), a = Saved(item, 1), t = Saved(item, 2);
    const double len = Dist(a, c);
    if (len == 0.0)
        return Dist(t, c);
    return std::abs((a.x() - c.x()) * (t.y() - c.y()) - (a.y() - c.y()) * (t.x() - c.x())) / len;
}

void DragEllipse(Item& item, const Step& s)
{
    if (item.vertices.size() < 3)
        return;
    const QPointF c = Saved(item, 0);
    switch (s.code) {
    case 7:
    case 3:
        MoveVertices(item, s.d);
        return;
    case 1: {
        const double r = Dist(c, ToF(s.pointer));
        if (r < 2.0)
            return;
        ResetVertices(item);
        if (r >= 16.0) {
            const double angle = DirF(c, ToF(s.pointer));
            SetNode(item, 1, s.pointer);
            SetNode(item, 2, RoundPoint(Polar(c, angle + kPi / 2, SavedMinor(item))));
        } else {
            SetNode(item, 1, RoundPoint(Polar(c, DirF(c, Saved(item, 1)), r)));
        }
        return;
    }
    case 2:
        ResetVertices(item);
        SetNode(item, 2, s.pointer);
        return;
    case 5:
        RotateVertices(item, c, RotationDelta(c, s));
        return;
    default:
        return;
    }
}

// The first axis is always the longer one.
void LongerAxisFirst(Item& item)
{
    const QPointF c = Node(item, 0), a = Node(item, 1);
    const double major = Dist(c, a);
    const double minor = EllipseMinor(item);
    if (major >= minor)
        return;
    const QPoint end = RoundPoint(Polar(c, DirF(c, a) + kPi / 2, minor));
    SetNode(item, 2, VertexPoint(item.vertices[1]));
    SetNode(item, 1, end);
}

// ---------------------------------------------------------------- pies and arcs

void DragPieOrArc(Item& item, const Step& s)
{
    if (item.vertices.size() < 3)
        return;
    const QPointF c = Saved(item, 0), start = Saved(item, 1), end = Saved(item, 2);
    switch (s.code) {
    case 7:
        MoveVertices(item, s.d);
        return;
    case 3: {
        const double r = Dist(c, ToF(s.pointer));
        ResetVertices(item);
        SetNode(item, 1, RoundPoint(Polar(c, DirF(c, start), r)));
        SetNode(item, 2, RoundPoint(Polar(c, DirF(c, ToF(s.pointer)), r)));
        return;
    }
    case 1: {
        const QPointF p = ToF(s.pointer);
        const double r = Dist(p, start);
        const double chord = Dist(start, end);
        if (r == 0.0 || chord / (2 * r) > 1.0)
            return;
        const double turn = 2.0 * std::asin(chord / (2 * r));
        const double sweepSign = ArcOf(c, start, end).sweep < kPi ? 1.0 : -1.0;
        SetNode(item, 0, s.pointer);
        SetNode(item, 1, RoundPoint(start));
        SetNode(item, 2, RoundPoint(Polar(p, DirF(p, start) + sweepSign * turn, r)));
        return;
    }
    case 2: {
        ResetVertices(item);
        SetNode(item, 1, s.pointer);
        SetNode(item, 2, RoundPoint(Polar(c, DirF(c, end), Dist(c, ToF(s.pointer)))));
        return;
    }
    case 5:
        RotateVertices(item, c, RotationDelta(c, s));
        return;
    default:
        return;
    }
}

void EndOnCircle(Item& item)
{
    const QPointF c = Node(item, 0);
    SetNode(item, 2, RoundPoint(Polar(c, DirF(c, Node(item, 2)), Dist(c, Node(item, 1)))));
}

// ---------------------------------------------------------------- point lists

void FollowSquare(Item& item, std::size_t i)
{
    if (item.vertices.size() != 4)
        return;
    const std::size_t next = (i + 1) % 4, opposite = (i + 2) % 4, prev = (i + 3) % 4;
    const QPointF d = Node(item, i), o = Node(item, opposite);
    const double side = Dist(d, o) / std::sqrt(2.0);
    const double phi = DirF(d, o);
    const QPointF p = Polar(d, phi - kPi / 4, side), q = Polar(d, phi + kPi / 4, side);
    // Keep the corners' winding as it was.
    auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    const bool keep = (cross(Saved(item, i), Saved(item, next), Saved(item, prev)) >= 0) == (cross(d, p, q) >= 0);
    SetNode(item, next, RoundPoint(keep ? p : q));
    SetNode(item, prev, RoundPoint(keep ? q : p));
}

void FollowRectangle(Item& item, std::size_t i)
{
    if (item.vertices.size() != 4)
        return;
    const std::size_t a = (i + 1) % 4, opposite = (i + 2) % 4, b = (i + 3) % 4;
    const QPointF o = Saved(item, opposite);
    QPointF ua = Saved(item, a) - o, ub = Saved(item, b) - o;
    const double la = std::hypot(ua.x(), ua.y()), lb = std::hypot(ub.x(), ub.y());
    if (la == 0.0 || lb == 0.0)
        return;
    ua /= la;
    ub /= lb;
    // The shorter side is set exactly perpendicular to the longer one.
    QPointF& shorter = la < lb ? ua : ub;
    const QPointF longer = la < lb ? ub : ua;
    const QPointF left(longer.y(), -longer.x()), right(-longer.y(), longer.x());
    shorter = QPointF::dotProduct(left, shorter) >= QPointF::dotProduct(right, shorter) ? left : right;
    const QPointF dv = Node(item, i) - o;
    SetNode(item, a, RoundPoint(o + QPointF::dotProduct(dv, ua) * ua));
    SetNode(item, b, RoundPoint(o + QPointF::dotProduct(dv, ub) * ub));
}

void FollowPolygon(Item& item, std::size_t i)
{
    auto& v = item.vertices;
    const int sides = item.rec.d.sides;
    if (v.size() < 3 || sides < kMinSides || sides > kMaxSides)
        return;
    const std::size_t last = v.size() - 1;
    // The corner list may repeat the first corner at its end.
    const bool repeated = last == static_cast<std::size_t>(sides) + 1;
    const std::size_t ring = repeated ? last - 1 : last;
    std::size_t start = i;
    if (repeated && i == last)
        start = 1;
    const QPointF c = Node(item, 0), dragged = Node(item, i);
    const double rho = Dist(c, dragged), phi = DirF(c, dragged);
    for (std::size_t step = 0; step < ring; ++step) {
        const std::size_t idx = 1 + (start - 1 + step) % ring;
        SetNode(item, idx, step == 0 ? VertexPoint(v[i]) : RoundPoint(Polar(c, phi + step * 2 * kPi / sides, rho)));
    }
    if (repeated)
        SetNode(item, last, VertexPoint(v[1]));
}

void FollowStar(Item& item, std::size_t i)
{
    auto& v = item.vertices;
    if (v.size() < 3)
        return;
    const QPointF c = Saved(item, 0);
    const QPointF dragged = Node(item, i);
    const double rho = Dist(c, dragged);
    const double turn = DirF(c, dragged) - DirF(c, Saved(item, i));
    for (std::size_t k = 1; k <= 2; ++k) {
        if (k == i)
            continue;
        const bool sameClass = (k % 2) == (i % 2);
        const double r = sameClass ? rho : Dist(c, Saved(item, k));
        SetNode(item, k, RoundPoint(Polar(c, DirF(c, Saved(item, k)) + turn, r)));
    }
}

// The whole star again from its centre, its first tip, the distance of its
// inner points and its number of spikes: the tip, then the inner and outer
// points alternately, half a spike apart, ending on the first tip again.
void RebuildStar(Item& item)
{
    auto& v = item.vertices;
    const int spikes = item.rec.d.sides;
    if (v.size() < 3 || spikes < kMinSides || spikes > kMaxSides)
        return;
    const QPoint c = VertexPoint(v[0]), tip = VertexPoint(v[1]);
    const double inner = Distance(c, VertexPoint(v[2])), outer = Distance(c, tip);
    const double start = DirectionOf(c, tip);
    v.assign(2 + 2 * static_cast<std::size_t>(spikes), Vertex{});
    SetNode(item, 0, c);
    SetNode(item, 1, tip);
    for (int k = 1; k <= 2 * spikes; ++k)
        SetNode(item, 1 + k, PolarPoint(c, start + k * kPi / spikes, (k % 2) ? inner : outer));
}

bool SavedAxisAligned(const Item& item)
{
    const auto& v = item.vertices;
    return v.size() >= 4 && v[0].savedY == v[1].savedY && v[1].savedX > v[0].savedX;
}

void DragSideMiddle(Item& item, const Step& s)
{
    if (!SavedAxisAligned(item))
        return;
    auto& v = item.vertices;
    for (Vertex& n : v) {
        n.x = n.savedX;
        n.y = n.savedY;
    }
    const int dx = s.d.x(), dy = s.d.y();
    switch (s.code) {
    case 205:
        v[2].y += dy, v[3].y += dy;
        break;
    case 206:
        v[1].x += dx, v[2].x += dx;
        break;
    case 207:
        v[0].y += dy, v[1].y += dy;
        break;
    case 208:
        v[0].x += dx, v[3].x += dx;
        break;
    }
    if (item.rec.d.kind != KindSquare)
        return;
    // A square stays square and keeps its middle across the side dragged.
    const int sign = v[2].savedY < v[1].savedY ? 1 : -1;
    const int hy = sign * dy / 2, hx = sign * dx / 2;
    switch (s.code) {
    case 205:
        v[0].x += hy, v[1].x -= hy, v[2].x -= hy, v[3].x += hy;
        break;
    case 207:
        v[0].x -= hy, v[1].x += hy, v[2].x += hy, v[3].x -= hy;
        break;
    case 206:
        v[0].y += hx, v[1].y += hx, v[2].y -= hx, v[3].y -= hx;
        break;
    case 208:
        v[0].y -= hx, v[1].y -= hx, v[2].y += hx, v[3].y += hx;
        break;
    }
}

void RotateSquare(Item& item, const Step& s)
{
    auto& v = item.vertices;
    const QPointF c = ItemCentre(item, true);
    RotateVertices(item, c, RotationDelta(c, s));
    if (v.size() != 4)
        return;
    const double side = DirF(Node(item, 0), Node(item, 1));
    if (SquaredBack(side) != 0.0)
        return;
    const int l12 = Round(Dist(Node(item, 0), Node(item, 1)));
    const int l23 = Round(Dist(Node(item, 1), Node(item, 2)));
    const QPoint n1 = VertexPoint(v[0]);
    const QPoint n2 = n1 + QPoint(l12, 0);
    const QPoint n3 = n2 + QPoint(0, v[0].y < v[2].y ? l23 : -l23);
    SetNode(item, 1, n2);
    SetNode(item, 2, n3);
    SetNode(item, 3, {n1.x(), n3.y()});
}

void DragPointList(Item& item, const Step& s)
{
    auto& v = item.vertices;
    const std::int32_t kind = item.rec.d.kind;
    if (v.empty())
        return;
    if (s.code == 7 || s.code == 3) {
        MoveVertices(item, s.d);
        return;
    }
    if (s.code == 5) {
        if (kind == KindSquare || kind == KindRectangle) {
            RotateSquare(item, s);
        } else {
            const QPointF c = ItemCentre(item, true);
            RotateVertices(item, c, RotationDelta(c, s));
        }
        return;
    }
    if (s.code >= 205 && s.code <= 208) {
        if (kind == KindSquare || kind == KindRectangle)
            DragSideMiddle(item, s);
        return;
    }
    if (s.code >= 0)
        return;
    const std::size_t i = FirstEdgeNode(kind) + static_cast<std::size_t>(-static_cast<std::int64_t>(s.code)) - 1;
    if (i >= v.size())
        return;
    for (Vertex& n : v) {
        n.x = n.savedX;
        n.y = n.savedY;
    }
    SetNode(item, i, s.grid->point(SavedPoint(v[i]) + s.d));
    switch (kind) {
    case KindSquare:
        FollowSquare(item, i);
        break;
    case KindRectangle:
        FollowRectangle(item, i);
        break;
    case KindPolygon:
        FollowPolygon(item, i);
        break;
    case KindStar:
        FollowStar(item, i);
        break;
    default:
        break;
    }
    s.grid->pull(item);
}

// ---------------------------------------------------------------- groups

void RotateMember(Item& item, QPointF c, double delta)
{
    DrawingFields& d = item.rec.d;
    switch (d.kind) {
    case KindLine:
    case KindText: {
        const QPoint p1 = RotateAbout(SavedFirst(item), c, delta), p2 = RotateAbout(SavedSecond(item), c, delta);
        d.x1 = p1.x();
        d.y1 = p1.y();
        d.x2 = p2.x();
        d.y2 = p2.y();
        if (d.kind == KindText)
            d.textAngle = TextAngleOf(Normalised(Direction(d.x1, d.y1, d.x2, d.y2)));
        return;
    }
    case KindClip: {
        const QPointF saved = ItemCentre(item, true);
        const QPoint moved = RotateAbout(RoundPoint(saved), c, delta);
        MoveEnds(item, moved - RoundPoint(saved));
        d.rotation = Normalised(d.rotationAtGrab + delta);
        if (item.cache)
            item.cache.reset();
        return;
    }
    default:
        RotateVertices(item, c, delta);
        return;
    }
}

void RotateGroups(ItemList& list, const std::vector<Item*>& selected, const Step& s)
{
    for (Item* group : selected) {
        if (group->rec.d.kind != KindGroup)
            continue;
        const QPointF c = ItemCentre(*group, true);
        const double delta = RotationDelta(c, s);
        group->rec.d.angle = Normalised(DirF(c, ToF(s.pointer)) + kPi / 2);
        for (Item* member : list.withGroupId(group->rec.d.groupId))
            if (member != group && IsSelectedLive(*member) && member->rec.d.kind != KindGroup)
                RotateMember(*member, c, delta);
    }
}

// A group dragged by its centre: every member moves by the pointer's
// offset, the kinds with nodes and the lines and texts by its snapped
// offset, whatever their own kind would make of the code.
void MoveWithGroup(Item& item, const Step& s)
{
    switch (item.rec.d.kind) {
    case KindClip:
        MoveEnds(item, s.d);
        return;
    case KindLine:
    case KindText:
    case KindGroup:
        MoveEnds(item, s.ds);
        return;
    default:
        MoveVertices(item, s.ds);
        return;
    }
}

void DragItem(Item& item, const Step& s)
{
    const std::int32_t kind = item.rec.d.kind;
    if (s.code == kMoveGroupCode) {
        MoveWithGroup(item, s);
        return;
    }
    switch (kind) {
    case KindLine:
    case KindText:
        DragLineOrText(item, s);
        break;
    case KindCircle:
        DragCircle(item, s);
        break;
    case KindEllipse:
        DragEllipse(item, s);
        break;
    case KindPie:
    case KindArc:
        DragPieOrArc(item, s);
        break;
    case KindClip:
        DragPicture(item, s);
        break;
    case KindGroup:
        if (s.code == 7 || s.code == 3)
            MoveEnds(item, s.d);
        break;
    default:
        if (IsPointListKind(kind))
            DragPointList(item, s);
        break;
    }
}

void Finalise(Item& item)
{
    switch (item.rec.d.kind) {
    case KindPie:
    case KindArc:
        if (item.vertices.size() >= 3)
            EndOnCircle(item);
        break;
    case KindStar:
        RebuildStar(item);
        break;
    case KindEllipse:
        if (item.vertices.size() >= 3)
            LongerAxisFirst(item);
        break;
    default:
        break;
    }
}

} // namespace

QPoint SnapPoint(const ItemList& list, QPoint p)
{
    return GridOf(list, true).point(p);
}

void ApplyDrag(ItemList& list, const DragSettings& settings, QPoint press, QPoint pointer, bool snap,
               std::int32_t code, bool final)
{
    const Grid grid = GridOf(list, snap);
    Step s;
    s.press = press;
    s.pointer = pointer;
    s.snapped = grid.point(pointer);
    s.d = pointer - press;
    s.ds = s.snapped - press;
    s.code = code;
    s.final = final;
    s.grid = &grid;
    s.settings = &settings;
    std::vector<Item*> selected;
    for (Item& item : list)
        if (IsSelectedLive(item)) {
            selected.push_back(&item);
            s.selectedItems += item.rec.d.kind != KindGroup ? 1 : 0;
        }
    if (code == 500) {
        // A group turns while the pointer moves; the release keeps the last turn.
        if (!final)
            RotateGroups(list, selected, s);
    } else {
        for (Item* item : selected)
            DragItem(*item, s);
    }
    for (Item* item : selected) {
        if (final)
            Finalise(*item);
        RecomputeGeometry(*item, settings.text, settings.markerSize, settings.zoom);
        if (final)
            SaveDragOrigin(*item);
    }
}

DragSettings DragSettingsOf(const DocumentView& view)
{
    DragSettings s;
    s.text = TextSettingsOf(view.drawContext());
    s.zoom = view.zoom();
    s.markerSize = std::max(view.settings().markerWidth, view.settings().markerHeight);
    return s;
}

void DragSelection(DocumentView& view, QPoint press, QPoint pointer, bool snap, std::int32_t code, bool final)
{
    const QPoint p(view.toDocumentX(press.x()), view.toDocumentY(press.y()));
    const QPoint q(view.toDocumentX(pointer.x()), view.toDocumentY(pointer.y()));
    ApplyDrag(view.document().items, DragSettingsOf(view), p, q, snap, code, final);
}

QPoint SelectionCentre(const ItemList& list)
{
    bool any = false;
    int l = 0, t = 0, r = 0, b = 0;
    for (const Item& item : list) {
        if (!IsSelectedLive(item))
            continue;
        const DrawingFields& d = item.rec.d;
        const int il = std::min(+d.left, +d.right), ir = std::max(+d.left, +d.right);
        const int it = std::min(+d.top, +d.bottom), ib = std::max(+d.top, +d.bottom);
        l = any ? std::min(l, il) : il;
        t = any ? std::min(t, it) : it;
        r = any ? std::max(r, ir) : ir;
        b = any ? std::max(b, ib) : ib;
        any = true;
    }
    return {l + (r - l) / 2, t + (b - t) / 2};
}

} // namespace vlm

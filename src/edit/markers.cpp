#include "edit/markers.h"

#include "edit/item_geometry.h"
#include "edit/selection.h"
#include "render/polar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_set>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

QPoint OnCanvas(const DocumentView& view, QPointF p)
{
    return {view.toCanvasX(Round(p.x())), view.toCanvasY(Round(p.y()))};
}

QPoint OnCanvas(const DocumentView& view, QPoint p)
{
    return {view.toCanvasX(p.x()), view.toCanvasY(p.y())};
}

QPoint Mid(QPoint a, QPoint b)
{
    return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2};
}

class SetBuilder {
public:
    SetBuilder(const DocumentView& view, std::vector<PlacedMarker>& out) : view_(view), out_(out) {}

    void square(std::int32_t code, QPoint at) { out_.push_back({code, MarkerFigure::Square, at, {}}); }

    // The dotted line from the centre and the dot at its end. `avoid`, when
    // given, is a side-middle Marker the dot must not cover.
    void rotation(QPoint centre, double direction, std::optional<QPoint> avoid = std::nullopt,
                  std::int32_t dotCode = MarkerCode::RotationDot)
    {
        QPoint dot = PolarPoint(centre, direction, view_.settings().rotationDistance);
        const int h = view_.settings().markerHeight;
        if (avoid && std::abs(dot.y() - avoid->y()) <= h)
            dot.ry() += 2 * h;
        out_.push_back({MarkerCode::RotationLine, MarkerFigure::RotationLine, dot, centre});
        out_.push_back({dotCode, MarkerFigure::RotationDot, dot, {}});
    }

private:
    const DocumentView& view_;
    std::vector<PlacedMarker>& out_;
};

bool AxisAligned(const Item& item)
{
    const auto& v = item.vertices;
    return (item.rec.d.kind == KindSquare || item.rec.d.kind == KindRectangle) && v.size() >= 4 &&
           v[0].y == v[1].y && v[1].x > v[0].x;
}

bool PresetDirection(const Item& item)
{
    return item.rec.d.kind == KindLine ? item.rec.d.direction >= 0 : item.rec.d.textDirection >= 0;
}

} // namespace

std::vector<PlacedMarker> MarkerSet(const Item& item, const DocumentView& view, bool single)
{
    std::vector<PlacedMarker> out;
    SetBuilder b(view, out);
    const DrawingFields& d = item.rec.d;
    const auto& v = item.vertices;
    const QPoint centre = OnCanvas(view, ItemCentre(item));
    switch (d.kind) {
    case KindLine:
    case KindText: {
        const QPoint p1 = OnCanvas(view, FirstPoint(item)), p2 = OnCanvas(view, SecondPoint(item));
        const QPoint mid = Mid(p1, p2);
        b.square(1, p1);
        b.square(2, p2);
        b.square(3, mid);
        if (single && !PresetDirection(item))
            b.rotation(mid, RotationDirection(item));
        break;
    }
    case KindCircle: {
        if (v.size() < 2)
            break;
        const QPoint c = OnCanvas(view, VertexPoint(v[0]));
        const int r = Round(Distance(c, OnCanvas(view, VertexPoint(v[1]))));
        b.square(1, {c.x() + r, c.y()});
        b.square(2, {c.x(), c.y() - r});
        b.square(3, {c.x() - r, c.y()});
        b.square(4, {c.x(), c.y() + r});
        if (single)
            b.square(MarkerCode::Centre, c);
        break;
    }
    case KindEllipse: {
        if (v.size() < 3)
            break;
        const QPoint c = OnCanvas(view, VertexPoint(v[0]));
        const QPoint a = OnCanvas(view, VertexPoint(v[1]));
        const double theta = DirectionOf(c, a);
        const double minor = EllipseMinor(item) * view.zoom();
        b.square(1, a);
        b.square(2, PolarPoint(c, theta + kPi / 2, minor));
        b.square(3, PolarPoint(c, theta + kPi, Distance(c, a)));
        b.square(4, PolarPoint(c, theta - kPi / 2, minor));
        if (single) {
            b.square(MarkerCode::Centre, c);
            b.rotation(c, theta);
        }
        break;
    }
    case KindPie:
    case KindArc: {
        if (v.size() < 3)
            break;
        const QPoint c = OnCanvas(view, VertexPoint(v[0]));
        b.square(1, c);
        b.square(2, OnCanvas(view, VertexPoint(v[1])));
        b.square(3, OnCanvas(view, VertexPoint(v[2])));
        if (single) {
            const double mid = RotationDirection(item);
            const double r = Distance(c, OnCanvas(view, VertexPoint(v[1])));
            b.square(MarkerCode::Centre, PolarPoint(c, mid, d.kind == KindArc ? r : 2.0 * r / 3.0));
            b.rotation(c, mid);
        }
        break;
    }
    case KindClip: {
        std::optional<QPoint> bottomMiddle;
        if (d.clipShape == 2) {
            const QPoint c = OnCanvas(view, FirstPoint(item));
            const int r = Round(Distance(c, OnCanvas(view, SecondPoint(item))));
            b.square(105, {c.x(), c.y() + r});
            b.square(106, {c.x() + r, c.y()});
            b.square(107, {c.x(), c.y() - r});
            b.square(108, {c.x() - r, c.y()});
            bottomMiddle = QPoint(c.x(), c.y() - r);
        } else if (d.rotation != 0.0) {
            const auto corners = PictureCorners(item);
            for (int i = 0; i < 4; ++i)
                b.square(101 + i, OnCanvas(view, corners[i]));
        } else {
            const QPoint tl = OnCanvas(view, QPoint(std::min(+d.x1, +d.x2), std::min(+d.y1, +d.y2)));
            const QPoint br = OnCanvas(view, QPoint(std::max(+d.x1, +d.x2), std::max(+d.y1, +d.y2)));
            const QPoint tr(br.x(), tl.y()), bl(tl.x(), br.y());
            b.square(101, tl);
            b.square(102, tr);
            b.square(103, br);
            b.square(104, bl);
            b.square(105, Mid(tl, tr));
            b.square(106, Mid(tr, br));
            b.square(107, Mid(bl, br));
            b.square(108, Mid(tl, bl));
            bottomMiddle = Mid(bl, br);
        }
        if (single) {
            b.square(MarkerCode::Centre, centre);
            b.rotation(centre, RotationDirection(item), bottomMiddle);
        }
        break;
    }
    case KindGroup: {
        const QPoint c = OnCanvas(view, FirstPoint(item));
        out.push_back({MarkerCode::GroupCentre, MarkerFigure::GroupCentre, c, {}});
        b.rotation(c, RotationDirection(item), std::nullopt, MarkerCode::GroupRotation);
        break;
    }
    default: {
        if (!IsPointListKind(d.kind))
            break;
        std::vector<QPoint> nodes;
        nodes.reserve(v.size());
        for (const Vertex& n : v)
            nodes.push_back(OnCanvas(view, VertexPoint(n)));
        const std::size_t first = FirstEdgeNode(d.kind);
        // A node on the same canvas point as an earlier one would only hide
        // behind it: the earlier one wins every press there. Leaving it out
        // keeps a shape of a million corners to the Markers its pixels hold.
        std::unordered_set<std::uint64_t> taken;
        for (std::size_t i = first; i < nodes.size(); ++i) {
            const std::uint64_t key = (std::uint64_t{static_cast<std::uint32_t>(nodes[i].x())} << 32) |
                                      static_cast<std::uint32_t>(nodes[i].y());
            if (taken.insert(key).second)
                b.square(-static_cast<std::int32_t>(i - first + 1), nodes[i]);
        }
        std::optional<QPoint> topMiddle;
        if (AxisAligned(item)) {
            const QPoint n1 = nodes[0], n2 = nodes[1], n3 = nodes[2];
            b.square(205, {(n1.x() + n3.x()) / 2, n3.y()});
            b.square(206, {n2.x(), (n2.y() + n3.y()) / 2});
            b.square(207, {(n1.x() + n2.x()) / 2, n1.y()});
            b.square(208, {n1.x(), (n1.y() + n3.y()) / 2});
            topMiddle = QPoint((n1.x() + n2.x()) / 2, n1.y());
        }
        if (single && !nodes.empty()) {
            b.square(MarkerCode::Centre, centre);
            b.rotation(centre, RotationDirection(item), topMiddle);
        }
        break;
    }
    }
    return out;
}

void PlaceMarkers(DocumentView& view, const Item& item, bool single)
{
    const std::int32_t seq = item.rec.d.sequence;
    view.EraseMarkers(seq);
    for (const PlacedMarker& m : MarkerSet(item, view, single))
        view.PlaceMarker(seq, m.code, m.figure, m.at, m.from);
}

void EraseMarkers(DocumentView& view, const Item& item)
{
    view.EraseMarkers(item.rec.d.sequence);
}

void PlaceSelectionMarkers(DocumentView& view)
{
    view.RemoveMarkers();
    const ItemList& list = view.document().items;
    const bool single = SelectedItemCount(list) == 1;
    for (int groups = 0; groups < 2; ++groups)
        for (const Item& item : list)
            if (IsSelectedLive(item) && (item.rec.d.kind == KindGroup) == (groups == 1))
                PlaceMarkers(view, item, single);
}

void RefreshSelectionMarkers(DocumentView& view, const std::vector<const Item*>& changed, bool wasSingle)
{
    const ItemList& list = view.document().items;
    const bool single = SelectedItemCount(list) == 1;
    if (single != wasSingle) {
        PlaceSelectionMarkers(view);
        return;
    }
    bool groupShown = false;
    for (const auto& entry : view.markers().items()) {
        const Item* item = list.bySequence(entry.sequence);
        groupShown = groupShown || (item && item->rec.d.kind == KindGroup);
    }
    std::vector<const Item*> added;
    for (const Item* item : changed) {
        if (!IsSelectedLive(*item)) {
            EraseMarkers(view, *item);
        } else if (!view.markers().find(item->rec.d.sequence)) {
            if (groupShown && item->rec.d.kind != KindGroup) {
                PlaceSelectionMarkers(view);
                return;
            }
            added.push_back(item);
        }
    }
    std::stable_partition(added.begin(), added.end(), [](const Item* i) { return i->rec.d.kind != KindGroup; });
    for (const Item* item : added)
        PlaceMarkers(view, *item, single);
}

namespace {

bool Considered(std::int32_t code)
{
    return code < 0 || (code >= 1 && code <= 5) || code == 7 || (code >= 101 && code <= 108) ||
           (code >= 205 && code <= 208) || code == 500;
}

MarkerHit Interpret(Item& item, std::int32_t code, bool several)
{
    MarkerHit hit{&item, 0, code, Qt::ArrowCursor};
    const DrawingFields& d = item.rec.d;
    auto sizeAllIf = [&](bool yes) {
        if (yes)
            hit.cursor = Qt::SizeAllCursor;
    };
    auto directed = [&](Qt::CursorShape shape) { hit.cursor = several ? Qt::SizeAllCursor : shape; };
    switch (d.kind) {
    case KindText:
    case KindLine:
        hit.mode = d.kind == KindText ? 33 : 1001;
        sizeAllIf((code >= 1 && code <= 3) || code == 5);
        break;
    case KindCircle:
        hit.mode = 47;
        if (code >= 1 && code <= 4)
            hit.code = 1;
        sizeAllIf((code >= 1 && code <= 4) || code == 7);
        break;
    case KindEllipse:
        hit.mode = 48;
        if (code == 1 || code == 3)
            hit.code = 1;
        else if (code == 2 || code == 4)
            hit.code = 2;
        sizeAllIf((code >= 1 && code <= 5) || code == 7);
        break;
    case KindClip:
        hit.mode = 52;
        if (code == 5 || code == 7)
            hit.cursor = Qt::SizeAllCursor;
        else if (d.clipShape != 2 && d.rotation != 0.0)
            sizeAllIf(code >= 101 && code <= 104);
        else if (code == 101 || code == 103)
            directed(Qt::SizeFDiagCursor);
        else if (code == 102 || code == 104)
            directed(Qt::SizeBDiagCursor);
        else if (code == 105 || code == 107)
            directed(Qt::SizeVerCursor);
        else if (code == 106 || code == 108)
            directed(Qt::SizeHorCursor);
        break;
    case KindGroup:
        hit.mode = code == MarkerCode::GroupRotation ? 58 : 46;
        hit.cursor = Qt::SizeAllCursor;
        break;
    default:
        hit.mode = 46;
        if (code == 205 || code == 207)
            directed(Qt::SizeVerCursor);
        else if (code == 206 || code == 208)
            directed(Qt::SizeHorCursor);
        else
            sizeAllIf(code < 0 || (code >= 1 && code <= 3) || code == 5 || code == 7);
        break;
    }
    return hit;
}

} // namespace

std::optional<MarkerHit> MarkerHitTest(DocumentView& view, QPoint canvasPoint)
{
    ItemList& list = view.document().items;
    Item* bestItem = nullptr;
    std::int32_t bestCode = 0;
    // The overlay holds only the few Items that show Markers; among those
    // hit, the first in list order wins.
    for (const auto& entry : view.markers().items()) {
        Item* item = list.bySequence(entry.sequence);
        if (!item || !IsLive(*item))
            continue;
        if (bestItem && item->listKeys.ordinal >= bestItem->listKeys.ordinal)
            continue;
        for (const Marker& m : entry.markers) {
            if (!Considered(m.code) || !m.hitBox.contains(canvasPoint))
                continue;
            bestItem = item;
            bestCode = m.code;
            break;
        }
    }
    if (!bestItem)
        return std::nullopt;
    return Interpret(*bestItem, bestCode, SelectedItemCount(list) > 1);
}

Qt::CursorShape HoverCursor(DocumentView& view, QPoint canvasPoint)
{
    const auto hit = MarkerHitTest(view, canvasPoint);
    return hit ? hit->cursor : Qt::ArrowCursor;
}

} // namespace vlm

#include "edit/fine_tune.h"

#include "edit/creation.h"
#include "edit/item_geometry.h"
#include "model/geometry.h"
#include "model/rounding.h"
#include "pictures/clip_turns.h"
#include "render/splines.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>
#include <vector>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr std::int32_t kMinCount = 3;
constexpr std::int32_t kMaxCount = 1024000;

bool IsGroup(const Item& item)
{
    return item.rec.d.kind == KindGroup;
}
bool IsLineOrShape(const Item& item)
{
    return item.rec.d.kind == KindLine || IsShapeKind(item.rec.d.kind);
}
bool IsText(const Item& item)
{
    return item.rec.d.kind == KindText;
}
bool IsSplineFamily(std::int32_t kind)
{
    return kind == KindSpline || kind == KindCurve;
}

void Grow(PixelRect& r, bool& any, const Item& item, int allowance)
{
    const DrawingFields& d = item.rec.d;
    const int l = std::min(+d.left, +d.right) - allowance, rr = std::max(+d.left, +d.right) + allowance;
    const int t = std::min(+d.top, +d.bottom) - allowance, b = std::max(+d.top, +d.bottom) + allowance;
    if (!any) {
        r = {l, t, rr, b};
        any = true;
        return;
    }
    r.left = std::min(r.left, l);
    r.top = std::min(r.top, t);
    r.right = std::max(r.right, rr);
    r.bottom = std::max(r.bottom, b);
}

int Allowance(const Item& item, const FineTuneContext& ctx)
{
    return std::max(ctx.markerSize / 2, Round(item.rec.d.penWidth * ctx.zoom));
}

// A line or text turned about its midpoint to `degrees`, keeping its length.
void TurnToDirection(Item& item, double degrees)
{
    DrawingFields& d = item.rec.d;
    const QPointF mid((d.x1 + d.x2) / 2.0, (d.y1 + d.y2) / 2.0);
    const double length = std::hypot(double(d.x2) - d.x1, double(d.y2) - d.y1);
    const double a = degrees * kPi / 180.0;
    const QPointF second = Polar(mid, a, length / 2.0);
    const QPoint s(Round(second.x()), Round(second.y()));
    const QPointF first = Polar(ToF(s), a - kPi, length);
    d.x2 = s.x();
    d.y2 = s.y();
    d.x1 = Round(first.x());
    d.y1 = Round(first.y());
}

std::int32_t TenthsOf(double degrees)
{
    std::int32_t a = Round(10.0 * degrees);
    while (a < 0)
        a += 3600;
    return a % 3600;
}

void SetNodes(Item& item, const std::vector<QPoint>& nodes)
{
    item.vertices.assign(nodes.size(), Vertex{});
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        item.vertices[i].x = nodes[i].x();
        item.vertices[i].y = nodes[i].y();
    }
}

QPoint Node(const Item& item, std::size_t i)
{
    return VertexPoint(item.vertices[i]);
}

// A point moved by the turn about `c`. Quarter turns are exact on the
// integer grid when the centre is.
QPoint TurnPoint(int x, int y, QPointF c, Turn turn)
{
    const double dx = x - c.x(), dy = y - c.y();
    switch (turn) {
    case Turn::Mirror:
        return {Round(2 * c.x() - x), y};
    case Turn::Flip:
        return {x, Round(2 * c.y() - y)};
    case Turn::Clockwise: // on the screen, y pointing down
        return {Round(c.x() - dy), Round(c.y() + dx)};
    case Turn::CounterClockwise:
        return {Round(c.x() + dy), Round(c.y() - dx)};
    }
    return {x, y};
}

void TurnPair(std::int32_t (&p)[2], QPointF c, Turn turn)
{
    const QPoint q = TurnPoint(p[0], p[1], c, turn);
    p[0] = q.x();
    p[1] = q.y();
}

void TurnNodes(Item& item, QPointF c, Turn turn)
{
    for (Vertex& v : item.vertices) {
        const QPoint p = TurnPoint(v.x, v.y, c, turn);
        v.x = p.x();
        v.y = p.y();
        TurnPair(v.controlA, c, turn);
        TurnPair(v.controlB, c, turn);
    }
    const std::int32_t kind = item.rec.d.kind;
    const bool reflects = turn == Turn::Mirror || turn == Turn::Flip;
    // A reflected arc would run clockwise: its ends change places.
    if (reflects && (kind == KindPie || kind == KindArc) && item.vertices.size() >= 3)
        std::swap(item.vertices[1], item.vertices[2]);
}

void TurnEnds(Item& item, QPointF c, Turn turn)
{
    DrawingFields& d = item.rec.d;
    const QPoint a = TurnPoint(d.x1, d.y1, c, turn), b = TurnPoint(d.x2, d.y2, c, turn);
    d.x1 = a.x();
    d.y1 = a.y();
    d.x2 = b.x();
    d.y2 = b.y();
    if (d.kind == KindText)
        d.textAngle = TenthsOf(Direction(d.x1, d.y1, d.x2, d.y2) * 180.0 / kPi);
}

// A clip in a turned group: its centre goes round the group centre and the
// picture turns with it, as the group rotation turns it (its own angle), or
// is mirrored in its box; a reflection also reverses its angle.
void TurnClipMember(Item& clip, QPointF c, Turn turn, const ScreenMetrics& metrics)
{
    DrawingFields& d = clip.rec.d;
    const QPointF centre = ItemCentre(clip);
    const QPoint from(Round(centre.x()), Round(centre.y()));
    const QPoint shift = TurnPoint(from.x(), from.y(), c, turn) - from;
    d.x1 += shift.x();
    d.y1 += shift.y();
    d.x2 += shift.x();
    d.y2 += shift.y();
    double angle = d.rotation;
    switch (turn) {
    case Turn::Mirror:
        MirrorClip(clip, metrics);
        angle = -angle;
        break;
    case Turn::Flip:
        FlipClip(clip, metrics);
        angle = -angle;
        break;
    case Turn::Clockwise: angle -= kPi / 2; break;
    case Turn::CounterClockwise: angle += kPi / 2; break;
    }
    angle = std::fmod(angle, 2 * kPi);
    d.rotation = angle < 0 ? angle + 2 * kPi : angle;
    clip.cache.reset();
}

// A square from its first side, the second side on the side of the first
// edge the third corner lies on now.
void SquareOnFirstSide(Item& item)
{
    if (item.vertices.size() < 4)
        return;
    const QPoint p0 = Node(item, 0), p1 = Node(item, 1), p2 = Node(item, 2);
    const QPoint e = p1 - p0;
    // The two perpendiculars of the first edge, each as long as it.
    const QPoint left(e.y(), -e.x()), right(-e.y(), e.x());
    const QPoint side = p2 - p1;
    const QPoint n = (left.x() * side.x() + left.y() * side.y()) >= 0 ? left : right;
    SetNodes(item, {p0, p1, p1 + n, p0 + n});
}

void CircleToEllipse(Item& item)
{
    if (item.vertices.size() < 2)
        return;
    const QPoint c = Node(item, 0), rim = Node(item, 1);
    const QPoint r = rim - c;
    const EllipseNodes e = MakeEllipse(c, rim, c + QPoint(r.y(), -r.x()));
    SetNodes(item, {e.centre, e.length, e.width});
    item.rec.d.length = e.storedLength;
    item.rec.d.angle = e.angle;
}

void EllipseToCircle(Item& item)
{
    if (item.vertices.size() < 2)
        return;
    const auto nodes = CircleNodes(Node(item, 0), Node(item, 1));
    SetNodes(item, std::vector<QPoint>(nodes.begin(), nodes.end()));
}

bool Reshapes(std::int32_t from, std::int32_t to)
{
    auto pair = [&](std::int32_t a, std::int32_t b) {
        return (from == a && to == b) || (from == b && to == a);
    };
    return pair(KindPie, KindArc) || pair(KindSquare, KindRectangle) || pair(KindCircle, KindEllipse);
}

} // namespace

bool CanFill(std::int32_t kind, std::int32_t variant)
{
    if (IsSplineFamily(kind))
        return variant == VariantSolid;
    return kind != KindArc;
}

bool SamePattern(const ItemList& list, std::int32_t a, std::int32_t b)
{
    if (a == b)
        return true;
    if (a >= 0 || b >= 0)
        return false;
    const Item* pa = FindLinePattern(list, a);
    const Item* pb = FindLinePattern(list, b);
    if (!pa || !pb)
        return false;
    return pa->rec.p.count == pb->rec.p.count &&
           std::memcmp(pa->rec.p.lengths, pb->rec.p.lengths, sizeof pa->rec.p.lengths) == 0;
}

SelectionAttributes AggregateSelection(const ItemList& list)
{
    SelectionAttributes s;
    bool anyText = false, patternMixed = false;
    auto keep = [&](auto& field, auto value, auto mixed, bool first) {
        if (first)
            field = value;
        else if (field != value)
            field = mixed;
    };
    for (const Item& item : list) {
        if (!IsSelectedLive(item) || IsGroup(item))
            continue;
        const DrawingFields& d = item.rec.d;
        const bool first = s.count == 0;
        keep(s.color, +d.lineColor, kMixedColor, first);
        keep(s.weight, +d.weight, kMixedWeight, first);
        keep(s.outlineWeight, +d.outlineWeight, kMixedWeight, first);
        keep(s.direction, d.kind == KindText ? double(d.textDirection) : +d.direction, kMixedDirection,
             first);
        keep(s.fill, +d.fillColor, kMixedFill, first);
        keep(s.shadowElevation, std::int32_t(d.shadowElevation), kMixedByte, first);
        keep(s.shadowFade, std::int32_t(d.shadowFade), kMixedByte, first);
        keep(s.shadowLightness, std::int32_t(d.shadowLightness), kMixedByte, first);
        keep(s.surface, std::int32_t(d.surface), kMixedByte, first);
        if (first)
            s.pattern = +d.pattern;
        else if (!patternMixed && !SamePattern(list, *s.pattern, +d.pattern))
            patternMixed = true;
        if (IsText(item)) {
            const bool firstText = !anyText;
            keep(s.textColor, +d.textColor, kMixedColor, firstText);
            keep(s.fontSize, +d.fontSize, kMixedByte, firstText);
            keep(s.fontWeight, +d.fontWeight, kMixedByte, firstText);
            keep(s.charset, +d.charset, kMixedByte, firstText);
            const std::string face = FontName(item);
            if (firstText)
                s.fontName = face;
            else if (s.fontName && *s.fontName != face)
                s.fontName.reset();
            anyText = true;
        }
        ++s.count;
    }
    if (patternMixed)
        s.pattern.reset();
    return s;
}

FineTuneResult FineTuneEach(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            const FineTunePredicate& concerns, const FineTuneChange& change)
{
    FineTuneResult result;
    bool any = false;
    for (const Item& item : list)
        any = any || (IsSelectedLive(item) && concerns(item));
    if (!any || BeginEditCopies(list, cursor) == 0)
        return result;
    result.applied = true;
    std::vector<Item*> changed;
    std::set<std::int32_t> groups;
    bool grown = false;
    for (Item& item : list)
        if (IsSelectedLive(item) && concerns(item)) {
            changed.push_back(&item);
            if (IsGroup(item) && item.rec.d.groupId > 0)
                groups.insert(+item.rec.d.groupId);
        }
    // Members of a changed group change with it.
    for (Item& item : list)
        if (IsSelectedLive(item) && !IsGroup(item) && groups.count(+item.rec.d.groupId) &&
            std::find(changed.begin(), changed.end(), &item) == changed.end())
            changed.push_back(&item);
    for (Item* item : changed)
        Grow(result.dirty, grown, *item, Allowance(*item, ctx));
    for (Item& item : list)
        if (IsSelectedLive(item) && concerns(item))
            change(item);
    for (Item* item : changed) {
        if (!IsGroup(*item))
            RecomputeGeometry(*item, ctx.text, ctx.markerSize, ctx.zoom);
        SaveDragOrigin(*item);
        Grow(result.dirty, grown, *item, Allowance(*item, ctx));
    }
    return result;
}

FineTuneResult ApplyColor(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                          std::int32_t color)
{
    return FineTuneEach(list, cursor, ctx, IsLineOrShape, [color](Item& it) { it.rec.d.lineColor = color; });
}

FineTuneResult ApplyTextColor(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                              std::int32_t color)
{
    return FineTuneEach(list, cursor, ctx, IsText, [color](Item& it) { it.rec.d.textColor = color; });
}

FineTuneResult ApplyWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, double weightMm)
{
    const ScreenMetrics metrics = list.metrics();
    return FineTuneEach(list, cursor, ctx, IsLineOrShape,
                        [&](Item& it) { vlm::SetWeight(it, weightMm, metrics); });
}

FineTuneResult ApplyOutlineWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  double weightMm)
{
    return FineTuneEach(
        list, cursor, ctx, [](const Item& it) { return it.rec.d.kind == KindLine; },
        [weightMm](Item& it) { it.rec.d.outlineWeight = weightMm; });
}

namespace {
bool IsLine(const Item& it)
{
    return it.rec.d.kind == KindLine;
}
} // namespace

FineTuneResult ApplyPattern(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::int32_t code)
{
    if (code < 0 || code > 4)
        return {};
    return FineTuneEach(list, cursor, ctx, IsLine, [code](Item& it) { it.rec.d.pattern = code; });
}

FineTuneResult ApplyCustomPattern(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  const double (&lengthsMm)[12])
{
    bool any = false;
    for (const Item& item : list)
        any = any || (IsSelectedLive(item) && IsLine(item));
    if (!any)
        return {};
    const std::int32_t code = EmbedLinePattern(list, lengthsMm).rec.d.kind;
    return FineTuneEach(list, cursor, ctx, IsLine, [code](Item& it) { it.rec.d.pattern = code; });
}

FineTuneResult ApplyLineDirection(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  double degrees)
{
    return FineTuneEach(list, cursor, ctx, IsLine, [degrees](Item& it) {
        it.rec.d.direction = degrees;
        if (degrees != -1.0)
            TurnToDirection(it, degrees);
    });
}

FineTuneResult ApplyFill(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, std::int32_t fill)
{
    auto fills = [](const Item& it) {
        return it.rec.d.kind == KindLine ||
               (IsShapeKind(it.rec.d.kind) && CanFill(it.rec.d.kind, it.rec.d.shapeVariant));
    };
    return FineTuneEach(list, cursor, ctx, fills, [fill](Item& it) { it.rec.d.fillColor = fill; });
}

namespace {
FineTuneChange ShadowChange(std::uint8_t e, std::uint8_t f, std::uint8_t l)
{
    return [=](Item& it) {
        it.rec.d.shadowElevation = e;
        it.rec.d.shadowFade = f;
        it.rec.d.shadowLightness = l;
    };
}
} // namespace

FineTuneResult ApplyShadow(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                           std::uint8_t elevation, std::uint8_t fade, std::uint8_t lightness)
{
    return FineTuneEach(list, cursor, ctx, IsLineOrShape, ShadowChange(elevation, fade, lightness));
}

FineTuneResult ApplyTextShadow(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                               std::uint8_t elevation, std::uint8_t fade, std::uint8_t lightness)
{
    return FineTuneEach(list, cursor, ctx, IsText, ShadowChange(elevation, fade, lightness));
}

FineTuneResult ApplySurface(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::uint8_t surface)
{
    return FineTuneEach(
        list, cursor, ctx, [](const Item& it) { return IsLineOrShape(it) || IsText(it); },
        [surface](Item& it) { it.rec.d.surface = surface; });
}

FineTuneResult ApplyFontName(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                             const std::u16string& face)
{
    std::string ansi;
    for (char16_t ch : face.substr(0, kFontNameMax))
        ansi.push_back(ch < 256 ? static_cast<char>(ch) : '?');
    return FineTuneEach(list, cursor, ctx, IsText, [&ansi](Item& it) { vlm::SetFontName(it, ansi); });
}

FineTuneResult ApplyCharset(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                            std::int32_t charset)
{
    return FineTuneEach(list, cursor, ctx, IsText, [charset](Item& it) { it.rec.d.charset = charset; });
}

FineTuneResult ApplyTextSize(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                             std::int32_t points)
{
    if (points <= 0)
        return {};
    return FineTuneEach(list, cursor, ctx, IsText, [points](Item& it) { it.rec.d.fontSize = points; });
}

FineTuneResult ApplyFontWeight(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                               std::int32_t weight)
{
    return FineTuneEach(list, cursor, ctx, IsText, [weight](Item& it) { it.rec.d.fontWeight = weight; });
}

FineTuneResult ApplyTextOption(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, int option,
                               std::uint8_t value)
{
    if (option < OptionItalic || option > OptionJustification)
        return {};
    return FineTuneEach(list, cursor, ctx, IsText, [option, value](Item& it) {
        DrawingFields& d = it.rec.d;
        switch (option) {
        case OptionItalic:
            d.italic = value;
            break;
        case OptionUnderline:
            d.underline = value;
            break;
        case OptionStrikeout:
            d.strikeout = value;
            break;
        default:
            d.justification = value;
            break;
        }
    });
}

FineTuneResult ApplyTextDirection(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                  std::int32_t degrees)
{
    return FineTuneEach(list, cursor, ctx, IsText, [degrees](Item& it) { TurnTextTo(it, degrees); });
}

void TurnTextTo(Item& text, std::int32_t degrees)
{
    text.rec.d.textDirection = degrees;
    if (degrees != -1) {
        TurnToDirection(text, degrees);
        text.rec.d.textAngle = TenthsOf(degrees);
    }
}

FineTuneResult ApplyKind(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, std::int32_t kind)
{
    auto concerns = [kind](const Item& it) { return Reshapes(it.rec.d.kind, kind); };
    return FineTuneEach(list, cursor, ctx, concerns, [&list, kind](Item& it) {
        const std::int32_t from = it.rec.d.kind;
        it.rec.d.kind = kind;
        if (kind == KindSquare)
            SquareOnFirstSide(it);
        else if (from == KindCircle && kind == KindEllipse)
            CircleToEllipse(it);
        else if (from == KindEllipse && kind == KindCircle)
            EllipseToCircle(it);
        Reindex(list, it);
    });
}

FineTuneResult ApplySides(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                          std::int32_t count)
{
    if (count < kMinCount || count > kMaxCount)
        return {};
    auto concerns = [](const Item& it) {
        const std::int32_t k = it.rec.d.kind;
        return (k == KindStar && it.vertices.size() >= 3) || (k == KindPolygon && it.vertices.size() >= 2);
    };
    return FineTuneEach(list, cursor, ctx, concerns, [count](Item& it) {
        const QPoint c = Node(it, 0);
        it.rec.d.sides = count;
        if (it.rec.d.kind == KindStar)
            SetNodes(it, StarNodes(c, Node(it, 2), Node(it, 1), count));
        else
            SetNodes(it, PolygonNodes(c, Node(it, 1), count));
    });
}

FineTuneResult ApplySplineShape(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx,
                                std::int32_t variant)
{
    if (variant < VariantOpen || variant > VariantSolid)
        return {};
    auto concerns = [](const Item& it) { return IsSplineFamily(it.rec.d.kind); };
    return FineTuneEach(list, cursor, ctx, concerns, [variant](Item& it) {
        it.rec.d.shapeVariant = variant;
        if (it.rec.d.kind == KindCurve)
            SmoothCurve(it);
    });
}

FineTuneResult ApplyTurn(ItemList& list, HistoryCursor& cursor, const FineTuneContext& ctx, Turn turn)
{
    // Groups turn their members about the group centre; Items outside
    // groups turn about their own centre, except lines and texts. A clip
    // turns as a picture: which way its picture is turned and mirrored, and
    // its source rectangle with it.
    auto concerns = [](const Item& it) {
        if (IsGroup(it))
            return it.rec.d.groupId > 0;
        if (it.rec.d.kind == KindClip)
            return it.rec.d.groupId <= 0;
        return it.rec.d.groupId <= 0 && IsShapeKind(it.rec.d.kind) && !it.vertices.empty();
    };
    return FineTuneEach(list, cursor, ctx, concerns, [&list, turn](Item& it) {
        if (it.rec.d.kind == KindClip) {
            switch (turn) {
            case Turn::Mirror: MirrorClip(it, list.metrics()); break;
            case Turn::Flip: FlipClip(it, list.metrics()); break;
            case Turn::Clockwise: TurnClipClockwise(it, list.metrics()); break;
            case Turn::CounterClockwise: TurnClipCounterClockwise(it, list.metrics()); break;
            }
            return;
        }
        const QPointF c = ItemCentre(it);
        if (!IsGroup(it)) {
            TurnNodes(it, c, turn);
            return;
        }
        for (Item* member : list.withGroupId(it.rec.d.groupId)) {
            if (member == &it || !IsSelectedLive(*member) || IsGroup(*member))
                continue;
            const std::int32_t k = member->rec.d.kind;
            if (k == KindLine || k == KindText)
                TurnEnds(*member, c, turn);
            else if (k == KindClip)
                TurnClipMember(*member, c, turn, list.metrics());
            else if (IsShapeKind(k))
                TurnNodes(*member, c, turn);
        }
    });
}

} // namespace vlm

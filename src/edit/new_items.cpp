#include "edit/new_items.h"

#include "edit/tool_mode.h"
#include "render/pens.h"
#include "render/polar.h"
#include "render/splines.h"
#include "render/text_render.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vlm {

namespace {

void SetShadow(DrawingFields& d, const ShadowBytes& s)
{
    d.shadowElevation = s.elevation;
    d.shadowFade = s.fade;
    d.shadowLightness = s.lightness;
}

std::int32_t Diagonal(std::int64_t w, std::int64_t h)
{
    return Round(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h));
}

// First and second point on the corners of the box, with its size.
void SetBox(ItemList& list, Item& it, int left, int top, int right, int bottom)
{
    DrawingFields& d = it.rec.d;
    d.x1 = d.left = left;
    d.y1 = d.top = top;
    d.x2 = d.right = right;
    d.y2 = d.bottom = bottom;
    d.width = Clamp32(std::int64_t{right} - left);
    d.height = Clamp32(std::int64_t{bottom} - top);
    d.length = Diagonal(d.width, d.height);
    RealsFromIntegers(it, list.metrics());
}

void SetCentredBox(ItemList& list, Item& it, QPoint c, int half)
{
    SetBox(list, it, Offset(c.x(), -half), Offset(c.y(), -half), Offset(c.x(), half), Offset(c.y(), half));
}

void SetVertices(Item& it, std::span<const QPoint> nodes)
{
    it.vertices.clear();
    it.vertices.reserve(nodes.size());
    for (QPoint p : nodes) {
        Vertex v;
        v.x = v.savedX = p.x();
        v.y = v.savedY = p.y();
        it.vertices.push_back(v);
    }
}

Item& NewShape(ItemList& list, const BuildContext& ctx, std::int32_t kind)
{
    const Settings& s = ctx.settings;
    Item& it = NewItem(list, kind);
    DrawingFields& d = it.rec.d;
    d.lineColor = s.polycolor;
    d.fillColor = s.polyfill;
    SetWeight(it, s.polywidth, list.metrics());
    d.outlineWeight = s.polywidth;
    d.shapeVariant = 0;
    SetShadow(d, s.shpoly);
    d.surface = static_cast<std::uint8_t>(std::clamp(s.poplas, 0, 255));
    return it;
}

// The face name as the record stores it: ANSI, so characters beyond Latin-1
// cannot be kept and become '?'.
std::string AnsiFaceName(const std::u16string& face)
{
    std::string out;
    for (char16_t ch : face.substr(0, kFontNameMax))
        out.push_back(ch < 256 ? static_cast<char>(ch) : '?');
    return out;
}

std::int32_t LinePatternFor(ItemList& list, const Settings& s)
{
    if (s.linePattern <= 5)
        return s.linePattern;
    if (s.linePatternTab < 1 || s.linePatternTab > kCustomEntryCount)
        return 0;
    double lengths[kPatternLengthCount];
    const auto& custom = s.customPatterns[static_cast<std::size_t>(s.linePatternTab - 1)].millimetres;
    std::copy(custom.begin(), custom.end(), lengths);
    return EmbedLinePattern(list, lengths).rec.d.kind;
}

} // namespace

std::int32_t KindForToolMode(int mode)
{
    switch (mode) {
    case ToolMode::Triangle: return KindTriangle;
    case ToolMode::Square: return KindSquare;
    case ToolMode::Rectangle: return KindRectangle;
    case ToolMode::Circle: return KindCircle;
    case ToolMode::Ellipse: return KindEllipse;
    case ToolMode::Star: return KindStar;
    case ToolMode::Pie: return KindPie;
    case ToolMode::Arc: return KindArc;
    case ToolMode::Spline:
    case ToolMode::Solid:
    case ToolMode::ContinueSpline: return KindSpline;
    case ToolMode::Curve:
    case ToolMode::Oblong:
    case ToolMode::ContinueCurve: return KindCurve;
    case ToolMode::Polygon: return KindPolygon;
    case ToolMode::Line: return KindLine;
    case ToolMode::Text: return KindText;
    default: return 0;
    }
}

Item& BuildLine(ItemList& list, const BuildContext& ctx, QPoint start, QPoint end)
{
    const Settings& s = ctx.settings;
    const std::int32_t pattern = LinePatternFor(list, s);
    Item& it = NewItem(list, KindLine);
    DrawingFields& d = it.rec.d;
    d.lineColor = s.lineColor;
    SetWeight(it, s.lineWidth, list.metrics());
    d.outlineWeight = s.lineOutline;
    d.pattern = pattern;
    d.fillColor = s.lineFill;
    d.direction = s.lineDirection;
    SetShadow(d, s.shpoly);
    d.surface = static_cast<std::uint8_t>(std::clamp(s.liplas, 0, 255));

    d.x1 = start.x();
    d.y1 = start.y();
    d.x2 = end.x();
    d.y2 = end.y();
    d.left = std::min(d.x1, d.x2);
    d.right = std::max(d.x1, d.x2);
    d.top = std::min(d.y1, d.y2);
    d.bottom = std::max(d.y1, d.y2);
    d.width = Clamp32(std::int64_t{d.right} - d.left);
    d.height = Clamp32(std::int64_t{d.bottom} - d.top);
    d.length = Diagonal(d.width, d.height);
    d.angle = DirectionOf(start, end);
    RealsFromIntegers(it, list.metrics());
    return it;
}

Item& BuildPointShape(ItemList& list, const BuildContext& ctx, std::int32_t kind, std::int32_t variant,
                      std::span<const QPoint> nodes)
{
    Item& it = NewShape(list, ctx, kind);
    DrawingFields& d = it.rec.d;
    d.shapeVariant = variant;
    d.angle = -1.0;
    if (kind == KindCurve)
        d.tension = ctx.settings.curveTension;
    SetVertices(it, nodes);
    // SmoothCurve also takes the bounding box, over the controls of a curve.
    SmoothCurve(it);
    SetBox(list, it, d.left, d.top, d.right, d.bottom);
    return it;
}

Item& BuildCircle(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint rim)
{
    Item& it = NewShape(list, ctx, KindCircle);
    const auto nodes = CircleNodes(centre, rim);
    SetVertices(it, nodes);
    SetCentredBox(list, it, centre, Round(Distance(centre, rim)));
    return it;
}

Item& BuildPolygon(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint rim)
{
    Item& it = NewShape(list, ctx, KindPolygon);
    it.rec.d.sides = ctx.settings.polysides;
    SetVertices(it, PolygonNodes(centre, rim, ctx.settings.polysides));
    SetCentredBox(list, it, centre, Round(Distance(centre, rim)));
    return it;
}

Item& BuildStar(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint inner, QPoint tip)
{
    Item& it = NewShape(list, ctx, KindStar);
    it.rec.d.sides = ctx.settings.polysides;
    SetVertices(it, StarNodes(centre, inner, tip, ctx.settings.polysides));
    SetCentredBox(list, it, centre, std::max(Round(Distance(centre, inner)), Round(Distance(centre, tip))));
    return it;
}

Item& BuildPieOrArc(ItemList& list, const BuildContext& ctx, std::int32_t kind, QPoint centre, QPoint start,
                    QPoint end)
{
    Item& it = NewShape(list, ctx, kind);
    const QPoint onCircle = ArcEnd(centre, start, end);
    const QPoint nodes[] = {centre, start, onCircle};
    SetVertices(it, nodes);
    if (kind == KindPie) {
        const int outline = PenWidthAtZoom(ctx.zoom, it.rec.d.weight, list.metrics());
        const Box b = PieBox(centre, start, onCircle, std::max(ctx.markerWidth / 2, outline));
        SetBox(list, it, b.left, b.top, b.right, b.bottom);
    } else {
        SetCentredBox(list, it, centre, Round(Distance(centre, start)));
    }
    return it;
}

Item& BuildEllipse(ItemList& list, const BuildContext& ctx, QPoint centre, QPoint lengthPoint, QPoint widthPoint)
{
    Item& it = NewShape(list, ctx, KindEllipse);
    const EllipseNodes e = MakeEllipse(centre, lengthPoint, widthPoint);
    const QPoint nodes[] = {e.centre, e.length, e.width};
    SetVertices(it, nodes);
    SetCentredBox(list, it, centre, e.halfExtent);
    it.rec.d.length = e.storedLength;
    it.rec.d.angle = e.angle;
    return it;
}

void TakeTextSettings(Item& text, const Settings& s)
{
    DrawingFields& d = text.rec.d;
    d.textColor = s.tcolor;
    d.fontSize = s.tsize;
    d.fontWeight = s.tbold;
    d.italic = s.toptions[OptionItalic];
    d.underline = s.toptions[OptionUnderline];
    d.strikeout = s.toptions[OptionStrikeout];
    d.justification = s.toptions[OptionJustification];
    if (!s.tfont.empty())
        SetFontName(text, AnsiFaceName(s.tfont));
    d.charset = s.tcharset;
    d.textDirection = s.tdir;
}

Item& BuildText(ItemList& list, const BuildContext& ctx, const TextBaseline& baseline, const TextSettings& text)
{
    const Settings& s = ctx.settings;
    Item& it = NewItem(list, KindText);
    DrawingFields& d = it.rec.d;
    TakeTextSettings(it, s);
    d.textAngle = baseline.angle;
    SetShadow(d, s.shtext);
    d.surface = static_cast<std::uint8_t>(std::clamp(s.txplas, 0, 255));

    d.x1 = baseline.start.x();
    d.y1 = baseline.start.y();
    d.x2 = baseline.end.x();
    d.y2 = baseline.end.y();
    d.angle = DirectionOf(baseline.start, baseline.end);
    UpdateTextBox(it, text);
    d.length = Diagonal(d.width, d.height);
    RealsFromIntegers(it, list.metrics());
    return it;
}

} // namespace vlm

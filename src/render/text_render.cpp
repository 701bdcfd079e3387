#include "render/text_render.h"

#include "platform/canvas.h"
#include "render/draw_item.h"
#include "render/polar.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace vlm {

namespace {

constexpr double kPi = std::numbers::pi;

double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0;
}

// The text angle in radians.
double TextAngleRadians(const Item& item)
{
    return item.rec.d.textAngle / 10.0 * kPi / 180.0;
}

// All lines at once: asking for line k anew for every k would rescan the
// text from its start each time, which a text of many thousand lines turns
// into a hang.
std::vector<std::u16string_view> SplitLines(const Item& item)
{
    std::vector<std::u16string_view> lines;
    const std::int32_t length = TextLength(item);
    if (length == 0)
        return lines;
    const std::u16string_view s(item.text.data(), static_cast<std::size_t>(length));
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = s.find(kLineSeparator, start);
        if (sep == std::u16string_view::npos) {
            lines.push_back(s.substr(start));
            return lines;
        }
        lines.push_back(s.substr(start, sep - start));
        start = sep + 1;
    }
}

QString ToQString(std::u16string_view s)
{
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

int ZoomedSize(const Item& item, double zoom)
{
    return Round(UsableZoom(zoom) * item.rec.d.fontSize);
}

// A width measured with `font` (made at the zoomed size), back in document
// pixels.
int DocumentWidth(const Font& font, std::u16string_view line, double zoom)
{
    return Round(font.textWidth(ToQString(line)) / UsableZoom(zoom));
}

int BaselineLength(const Item& item, double zoom)
{
    const DrawingFields& d = item.rec.d;
    return Round(UsableZoom(zoom) * Distance(QPoint(d.x1, d.y1), QPoint(d.x2, d.y2)));
}

void StorePoints(Item& item, QPoint start, QPoint end, const ScreenMetrics& metrics)
{
    DrawingFields& d = item.rec.d;
    d.x1 = start.x();
    d.y1 = start.y();
    d.x2 = end.x();
    d.y2 = end.y();
    // The file keeps the reals; the integers are rebuilt from them on loading.
    RealsFromIntegers(item, metrics);
}

// Whether a line starting at `start` can put a pixel on the canvas, whatever
// its angle: its glyphs stay within its width and a cell's height of the start
// (twice the cell, for slanted and overhanging glyphs).
bool MayReachCanvas(const Canvas& canvas, QPoint start, int width, const Font& font)
{
    const double reach = width + 2.0 * (font.ascent() + font.descent()) + 2.0;
    return start.x() + reach >= 0 && start.x() - reach < canvas.width() && start.y() + reach >= 0 &&
           start.y() - reach < canvas.height();
}

} // namespace

TextSettings TextSettingsOf(const DrawContext& ctx)
{
    return TextSettings{ctx.metrics, ctx.fontQuality, ctx.anchorWidth, ctx.anchorHeight, ctx.fonts};
}

std::optional<Font> MakeFont(const Item& item, int sizePoints, bool forDrawing, const TextSettings& settings)
{
    const DrawingFields& d = item.rec.d;
    FontRequest request;
    request.faceName = QString::fromLatin1(FontName(item));
    request.sizePoints = sizePoints;
    request.weight = d.fontWeight;
    request.italic = d.italic != 0;
    request.charset = d.charset > 0 ? d.charset : 0;
    request.quality = settings.fontQuality;
    if (forDrawing) {
        request.underline = d.underline != 0;
        request.strikeout = d.strikeout != 0;
        request.escapement = d.textAngle;
    }
    const double dpi = settings.metrics.dpiY;
    if (!(dpi >= 1.0 && dpi <= 100000.0))
        return std::nullopt;
    return settings.fonts ? settings.fonts->get(request, Round(dpi)) : Font::make(request, Round(dpi));
}

int LineHeight(const Item& item, const TextSettings& settings)
{
    const std::optional<Font> font = MakeFont(item, item.rec.d.fontSize, false, settings);
    return font ? font->ascent() + font->descent() + font->externalLeading() : 0;
}

int LineWidth(const Item& item, int line, double zoom, const TextSettings& settings)
{
    const std::optional<Font> font = MakeFont(item, ZoomedSize(item, zoom), false, settings);
    if (!font)
        return 0;
    return DocumentWidth(*font, LineOf(item, line), zoom);
}

QPoint MoveAlongText(QPoint p, double distance, std::int32_t textAngle)
{
    const std::int32_t a = ((textAngle % 3600) + 3600) % 3600;
    const std::int32_t r = Round(distance);
    switch (a) {
    case 0:
        return {Offset(p.x(), r), p.y()};
    case 900:
        return {p.x(), Clamp32(std::int64_t{p.y()} - r)};
    case 1800:
        return {Clamp32(std::int64_t{p.x()} - r), p.y()};
    case 2700:
        return {p.x(), Offset(p.y(), r)};
    default:
        return PolarPoint(p, a / 10.0 * kPi / 180.0, distance);
    }
}

double JustificationOffset(int justification, int boxWidth, int lineWidth)
{
    if (lineWidth >= boxWidth)
        return 0.0;
    if (justification == 2)
        return (static_cast<double>(boxWidth) - lineWidth) / 2.0;
    if (justification == 3)
        return static_cast<double>(boxWidth) - lineWidth;
    return 0.0;
}

void DrawText(Canvas& canvas, const DrawContext& ctx, const Item& item, int surfaceLevel, bool shadow)
{
    const std::vector<std::u16string_view> lines = SplitLines(item);
    if (lines.empty())
        return;
    const TextSettings settings = TextSettingsOf(ctx);
    const double zoom = UsableZoom(ctx.zoom);
    const int lineHeight = LineHeight(item, settings);
    const double theta = TextAngleRadians(item);
    const double up = theta + kPi / 2.0;
    const int boxWidth = BaselineLength(item, zoom);
    const int size = ZoomedSize(item, zoom);
    // Every line shares one font at the zoomed size: the one it is drawn
    // with, and the upright one its width is measured with.
    const std::optional<Font> drawing = MakeFont(item, size, true, settings);
    const std::optional<Font> measuring = MakeFont(item, size, false, settings);
    const ColorRef colour = ctx.paint(item.rec.d.textColor);
    const bool shaded = surfaceLevel >= 1 && ctx.effects != nullptr;

    QPoint p = ctx.toCanvas(item.rec.d.x1, item.rec.d.y1);
    const QPoint lineStep = PolarPoint(QPoint(0, 0), up, lineHeight * zoom);
    const int justification = item.rec.d.justification;
    // Only centred and right-justified lines move by their width.
    const bool offsetByWidth = justification == 2 || justification == 3;
    for (std::size_t k = lines.size(); k >= 1; --k) {
        if (drawing && measuring) {
            const auto measure = [&] { return Round(zoom * DocumentWidth(*measuring, lines[k - 1], zoom)); };
            int width = offsetByWidth ? measure() : 0;
            const double offset = offsetByWidth ? JustificationOffset(justification, boxWidth, width) : 0.0;
            TextLinePlacement line;
            line.line = static_cast<int>(k);
            line.text = ToQString(lines[k - 1]);
            line.baseline = MoveAlongText(p, Round(offset), item.rec.d.textAngle);
            line.reference = PolarPoint(line.baseline, up, drawing->ascent());
            line.angle = theta;
            line.font = &*drawing;
            if (shadow && ctx.effects)
                ctx.effects->drawShadow(canvas, ctx, item, &line);
            // A long text's lines far off the canvas cost nothing. A wider
            // line only reaches further, so a line that may reach the canvas
            // as if it had no width needs no measuring to tell.
            bool visible = MayReachCanvas(canvas, line.baseline, width, *drawing);
            if (!visible && !offsetByWidth)
                visible = MayReachCanvas(canvas, line.baseline, width = measure(), *drawing);
            if (visible && (!shaded || !ctx.effects->drawShaded(canvas, ctx, item, surfaceLevel, &line)))
                canvas.drawText(*drawing, line.reference, line.text, colour);
        }
        p = QPoint(Offset(p.x(), lineStep.x()), Offset(p.y(), lineStep.y()));
    }
}

TextBoxGeometry TextBox(const Item& item, const TextSettings& settings)
{
    const DrawingFields& d = item.rec.d;
    const std::optional<Font> font = MakeFont(item, d.fontSize, false, settings);
    const int ascent = font ? font->ascent() : 0;
    const int descent = font ? font->descent() : 0;
    const int leading = font ? font->externalLeading() : 0;
    const int overhang = font ? font->overhang() : 0;
    const double theta = TextAngleRadians(item);
    const double lines = std::max(LineCount(item), 1);
    const double height = lines * (descent + ascent + leading);

    TextBoxGeometry box;
    const QPoint start = PolarPoint(QPoint(d.x1, d.y1), theta - kPi / 2.0, descent);
    const QPoint end = PolarPoint(QPoint(d.x2, d.y2), theta - kPi / 2.0, descent);
    box.corners = {start, end, PolarPoint(end, theta + kPi / 2.0, height),
                   PolarPoint(start, theta + kPi / 2.0, height)};
    std::int64_t left = start.x(), right = left, top = start.y(), bottom = top;
    for (const QPoint& c : box.corners) {
        left = std::min<std::int64_t>(left, c.x());
        right = std::max<std::int64_t>(right, c.x());
        top = std::min<std::int64_t>(top, c.y());
        bottom = std::max<std::int64_t>(bottom, c.y());
    }
    const int growX = std::max(overhang, settings.anchorWidth / 2);
    const int growY = std::max(overhang, settings.anchorHeight / 2);
    box.left = Clamp32(left - growX);
    box.right = Clamp32(right + growX);
    box.top = Clamp32(top - growY);
    box.bottom = Clamp32(bottom + growY);
    return box;
}

void UpdateTextBox(Item& item, const TextSettings& settings)
{
    const TextBoxGeometry box = TextBox(item, settings);
    DrawingFields& d = item.rec.d;
    d.left = box.left;
    d.right = box.right;
    d.top = box.top;
    d.bottom = box.bottom;
    d.width = Clamp32(std::int64_t{box.right} - box.left);
    d.height = Clamp32(std::int64_t{box.bottom} - box.top);
}

void FitTextBox(Item& item, bool growOnly, double zoom, const TextSettings& settings)
{
    int widest = 0;
    if (const std::optional<Font> font = MakeFont(item, ZoomedSize(item, zoom), false, settings)) {
        for (std::u16string_view line : SplitLines(item))
            widest = std::max(widest, DocumentWidth(*font, line, zoom));
    }
    DrawingFields& d = item.rec.d;
    const QPoint start(d.x1, d.y1), end(d.x2, d.y2);
    const double boxWidth = Distance(start, end);
    if (widest > boxWidth || !growOnly) {
        const std::int32_t angle = d.textAngle;
        switch (d.justification) {
        case 2: {
            const QPoint newEnd = MoveAlongText(start, boxWidth + (widest - boxWidth) / 2.0, angle);
            StorePoints(item, MoveAlongText(newEnd, -widest, angle), newEnd, settings.metrics);
            break;
        }
        case 3:
            StorePoints(item, MoveAlongText(end, -widest, angle), end, settings.metrics);
            break;
        default:
            StorePoints(item, start, MoveAlongText(start, widest, angle), settings.metrics);
            break;
        }
    }
    UpdateTextBox(item, settings);
}

void DrawEditFrame(Canvas& canvas, const DrawContext& ctx, const Item& item)
{
    const TextBoxGeometry box = TextBox(item, TextSettingsOf(ctx));
    std::array<QPoint, 5> outline;
    for (std::size_t i = 0; i < 4; ++i)
        outline[i] = ctx.toCanvas(box.corners[i].x(), box.corners[i].y());
    outline[4] = outline[0];
    canvas.setPen(ctx.textFrameColor, 1);
    canvas.setHollowBrush();
    canvas.polyline(outline);
}

} // namespace vlm

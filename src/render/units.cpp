#include "render/units.h"

#include "model/document.h"
#include "model/item_record.h"
#include "model/rounding.h"
#include "platform/ui_text.h"
#include "texts/render_texts.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

// Conversions trust only a finite, positive zoom; anything else draws at
// 100 % rather than dividing by zero or by a stray bit pattern.
double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0;
}

int ToCanvas(double zoom, int origin, int v)
{
    return Clamp32(std::int64_t{Round(UsableZoom(zoom) * v)} - origin);
}

int ToDocument(double zoom, int origin, int p)
{
    return Round(static_cast<double>(std::int64_t{p} + origin) / UsableZoom(zoom));
}


} // namespace

int ToCanvasX(double zoom, int originX, int x)
{
    return ToCanvas(zoom, originX, x);
}

int ToCanvasY(double zoom, int originY, int y)
{
    return ToCanvas(zoom, originY, y);
}

int ToDocumentX(double zoom, int originX, int px)
{
    return ToDocument(zoom, originX, px);
}

int ToDocumentY(double zoom, int originY, int py)
{
    return ToDocument(zoom, originY, py);
}

PixelRect ToCanvasRect(double zoom, int originX, int originY, const PixelRect& r)
{
    return {ToCanvasX(zoom, originX, r.left), ToCanvasY(zoom, originY, r.top),
            ToCanvasX(zoom, originX, r.right), ToCanvasY(zoom, originY, r.bottom)};
}

PixelRect ToDocumentRect(double zoom, int originX, int originY, const PixelRect& r)
{
    return {ToDocumentX(zoom, originX, r.left), ToDocumentY(zoom, originY, r.top),
            ToDocumentX(zoom, originX, r.right), ToDocumentY(zoom, originY, r.bottom)};
}

double ZoomOf(const ItemList& items)
{
    const Item* header = Header(items);
    return header ? UsableZoom(header->rec.h.zoom) : 1.0;
}

double ZoomOf(const Document& document)
{
    return ZoomOf(document.items);
}

int PixelsFromMm(double mm, const ScreenMetrics& metrics, Axis axis)
{
    return Round(mm * (axis == Axis::X ? metrics.pxPerMmX : metrics.pxPerMmY));
}

QString FormatLength(int units, double value)
{
    if (!(value >= 0.0001))
        return uiText(texts::kLengthNone);
    QString number;
    if (units == 3) {
        // Up to two decimals, without trailing zeros.
        const std::int64_t hundredths = Round(value * 100.0);
        number = QString::number(hundredths / 100);
        if (const std::int64_t frac = hundredths % 100; frac != 0) {
            QString digits = QString::number(frac).rightJustified(2, QLatin1Char('0'));
            if (digits.endsWith(QLatin1Char('0')))
                digits.chop(1);
            number += QLatin1Char('.') + digits;
        }
    } else {
        number = QString::number(Round(value));
    }
    const bool one = number == QLatin1String("1");
    const char16_t* unit = units == 2   ? texts::kUnitMm
                           : units == 3 ? (one ? texts::kUnitInch : texts::kUnitInches)
                                        : (one ? texts::kUnitPixel : texts::kUnitPixels);
    return number + QLatin1Char(' ') + uiText(unit);
}

int ZoomPercent(double zoom)
{
    return Round(zoom * 100.0);
}

QString ZoomLabel(double zoom)
{
    return QString::number(ZoomPercent(zoom)) + uiText(texts::kPercentSign);
}

int ZoomStepIndex(double zoom)
{
    const int p = ZoomPercent(zoom);
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
        if (ZoomPercent(kZoomSteps[i]) == p)
            return static_cast<int>(i);
    return -1;
}

// Both buttons go to the neighbouring step: a percentage on a step moves one
// step, one between two steps moves to the nearer step on that side. Below
// 50 % zooming out gives 25 % and zooming in 50 %.
double ZoomOut(double zoom)
{
    if (!std::isfinite(zoom))
        return zoom;
    const int p = ZoomPercent(zoom);
    if (p > 300)
        return zoom;
    for (std::size_t i = kZoomSteps.size(); i-- > 0;)
        if (ZoomPercent(kZoomSteps[i]) < p)
            return kZoomSteps[i];
    return kZoomSteps.front();
}

double ZoomIn(double zoom)
{
    if (!std::isfinite(zoom))
        return zoom;
    const int p = ZoomPercent(zoom);
    if (p < 50)
        return 0.5;
    for (double step : kZoomSteps)
        if (ZoomPercent(step) > p)
            return step;
    return zoom;
}

std::optional<double> ZoomFromTrackbar(int position)
{
    if (position <= 0 || position > kZoomTrackbarMax)
        return std::nullopt;
    return position / 100.0;
}

CanvasWindowAxis PlaceCanvasAxis(int zoomedPageStart, int zoomedSize, int scrollPosition, int viewportSize)
{
    CanvasWindowAxis a;
    a.canvasSize = std::clamp(zoomedSize, 0, kCanvasLimit);
    const std::int64_t sx = std::int64_t{zoomedPageStart} - scrollPosition;
    std::int64_t ox = 0;
    if (a.canvasSize + sx - viewportSize < 0 && std::int64_t{zoomedSize} - a.canvasSize > 0) {
        // The canvas at origin 0 would end short of the viewport's far edge:
        // move the window to the block of the page the scroll position is in.
        ox = (std::int64_t{scrollPosition} / kCanvasLimit + 1) * kCanvasLimit;
        if (zoomedSize < ox + kCanvasLimit)
            ox = std::int64_t{zoomedSize} - kCanvasLimit;
        if (ox + sx > 0)
            ox = -sx;
    }
    a.origin = Clamp32(ox);
    a.pageOffset = Clamp32(sx);
    a.canvasPosition = Clamp32(sx + ox);
    return a;
}

CanvasWindow PlaceCanvasWindow(const HeaderFields& header, int scrollX, int scrollY, int viewportWidth,
                               int viewportHeight)
{
    return {PlaceCanvasAxis(header.left, header.width, scrollX, viewportWidth),
            PlaceCanvasAxis(header.top, header.height, scrollY, viewportHeight)};
}

bool NeedsFullRepaint(const CanvasWindow& before, const CanvasWindow& after)
{
    return before.x.origin != after.x.origin || before.y.origin != after.y.origin ||
           before.x.canvasSize != after.x.canvasSize || before.y.canvasSize != after.y.canvasSize;
}

} // namespace vlm

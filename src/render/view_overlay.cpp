#include "render/view_overlay.h"

#include "model/rounding.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace vlm {

void SaveUnder::take(const Bitmap& source, const QRect& r)
{
    const QRect clipped = Corners(r) & QRect(0, 0, source.width(), source.height());
    if (clipped.isEmpty()) {
        valid_ = false;
        rect_ = QRect();
        pixels_ = Bitmap();
        return;
    }
    pixels_ = Bitmap(source.image().copy(clipped));
    rect_ = clipped;
    valid_ = true;
}

bool SaveUnder::restore(Bitmap& target)
{
    if (!valid_)
        return false;
    valid_ = false;
    // The target may have been recreated at another size since: copy what
    // still fits rather than write past its rows.
    const QRect fit = rect_ & QRect(0, 0, target.width(), target.height());
    if (fit.isEmpty())
        return false;
    const int dx = fit.left() - rect_.left();
    const int dy = fit.top() - rect_.top();
    for (int y = 0; y < fit.height(); ++y)
        std::memcpy(target.row(fit.top() + y) + fit.left(), pixels_.row(dy + y) + dx,
                    sizeof(std::uint32_t) * static_cast<std::size_t>(fit.width()));
    return true;
}

QRect SaveBoxOf(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

namespace {

// A steep preset direction is followed by moving the end sideways.
bool SteepDirection(double radians)
{
    if (!std::isfinite(radians))
        return false;
    int degrees = Round(radians * 180.0 / std::numbers::pi) % 360;
    if (degrees < 0)
        degrees += 360;
    return (degrees >= 45 && degrees <= 135) || (degrees >= 225 && degrees <= 315);
}

} // namespace

QPoint GuideEnd(QPoint start, QPoint end, double directionRadians)
{
    return SteepDirection(directionRadians) ? QPoint(end.x(), start.y()) : QPoint(start.x(), end.y());
}

QRect SegmentSaveBox(QPoint start, QPoint end, double directionRadians)
{
    return SaveBoxOf(start, GuideEnd(start, end, directionRadians));
}

QRect MarkerBox(const ViewSettings& look, QPoint at)
{
    const int hw = look.markerWidth / 2;
    const int hh = look.markerHeight / 2;
    return QRect(QPoint(at.x() - hw, at.y() - hh), QPoint(at.x() + hw + 1, at.y() + hh + 1));
}

namespace {

// The area a figure can touch, for saving before it is drawn.
QRect FigureSaveBox(const ViewSettings& look, MarkerFigure figure, QPoint at, QPoint from)
{
    switch (figure) {
    case MarkerFigure::RotationLine:
        return SaveBoxOf(from, at).adjusted(-1, -1, 1, 1);
    case MarkerFigure::None:
        return QRect();
    default: {
        // A border wider than a pixel is drawn centred on the box's edge and
        // reaches half its width beyond it.
        const int spill = std::max(0, look.markerBorderWidth / 2);
        return MarkerBox(look, at).adjusted(-spill, -spill, spill, spill);
    }
    }
}

// A dotted line whose gaps show `back` instead of the canvas.
void DottedOnBackground(Canvas& canvas, QPoint from, QPoint to, ColorRef pen, ColorRef back)
{
    canvas.setPen(back, 1, PenStyle::Solid);
    canvas.line(from, to);
    canvas.setPen(pen, 1, PenStyle::Dotted);
    canvas.line(from, to);
}

} // namespace

void DrawMarker(Canvas& canvas, const ViewSettings& look, MarkerFigure figure, QPoint at, QPoint from)
{
    const int hw = look.markerWidth / 2;
    const int hh = look.markerHeight / 2;
    const int left = at.x() - hw;
    const int top = at.y() - hh;
    const int right = at.x() + hw;
    const int bottom = at.y() + hh;
    switch (figure) {
    case MarkerFigure::Square:
    case MarkerFigure::GroupCentre: {
        const QPoint outline[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
        canvas.setPen(look.markerBorderColor, look.markerBorderWidth, PenStyle::Solid);
        canvas.polyline(outline);
        // The inside stops short of the border on every side, however wide it is.
        const int inLead = look.markerBorderWidth / 2 + 1;
        const int inTrail = look.markerBorderWidth / 2;
        const QRect inside(QPoint(left + inLead, top + inLead), QPoint(right - inTrail - 1, bottom - inTrail - 1));
        canvas.fillRect(inside, figure == MarkerFigure::GroupCentre ? look.groupCentreColor : look.markerColor);
        break;
    }
    case MarkerFigure::RotationDot:
        canvas.setPen(look.markerBorderColor, look.markerBorderWidth, PenStyle::Solid);
        canvas.setSolidBrush(look.rotationDotColor);
        canvas.ellipse(left, top, right, bottom);
        break;
    case MarkerFigure::RotationLine:
        DottedOnBackground(canvas, from, at, look.markerBorderColor, RGBRef(255, 255, 255));
        break;
    case MarkerFigure::None:
        break;
    }
}

const Marker& MarkerOverlay::place(Bitmap& canvas, const ViewSettings& look, std::int32_t itemSequence,
                                   std::int32_t code, MarkerFigure figure, QPoint at, QPoint from)
{
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const ItemMarkers& m) { return m.sequence == itemSequence; });
    if (it == items_.end()) {
        items_.push_back(ItemMarkers{itemSequence, {}});
        it = items_.end() - 1;
    }
    Marker m;
    m.code = code;
    m.figure = figure;
    m.at = at;
    m.from = from;
    m.hitBox = figure == MarkerFigure::RotationLine ? SaveBoxOf(from, at).adjusted(0, 0, 1, 1) : MarkerBox(look, at);
    if (figure != MarkerFigure::None) {
        m.background.take(canvas, FigureSaveBox(look, figure, at, from));
        Canvas c(canvas);
        DrawMarker(c, look, figure, at, from);
    }
    it->markers.push_back(std::move(m));
    return it->markers.back();
}

void MarkerOverlay::erase(Bitmap& canvas, std::int32_t itemSequence)
{
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const ItemMarkers& m) { return m.sequence == itemSequence; });
    if (it == items_.end())
        return;
    for (auto m = it->markers.rbegin(); m != it->markers.rend(); ++m)
        m->background.restore(canvas);
    items_.erase(it);
}

void MarkerOverlay::eraseAll(Bitmap& canvas)
{
    for (auto item = items_.rbegin(); item != items_.rend(); ++item) {
        auto& list = item->markers;
        for (auto m = list.rbegin(); m != list.rend(); ++m)
            m->background.restore(canvas);
        // A Marker that never saved pixels has nothing to take off the canvas.
        std::erase_if(list, [](const Marker& m) { return m.figure != MarkerFigure::None; });
    }
    std::erase_if(items_, [](const ItemMarkers& m) { return m.markers.empty(); });
}

const MarkerOverlay::ItemMarkers* MarkerOverlay::find(std::int32_t itemSequence) const
{
    for (const auto& m : items_)
        if (m.sequence == itemSequence)
            return &m;
    return nullptr;
}

bool MarkerOverlay::empty() const
{
    return items_.empty();
}

} // namespace vlm

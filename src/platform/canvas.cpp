#include "platform/canvas.h"

#include "platform/font.h"

#include <QColor>
#include <QPen>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vlm {

namespace {

QColor ToQColor(ColorRef c)
{
    return QColor::fromRgb(Bitmap::toArgb(c));
}

// The dotted pen's rhythm, in pixels along the line.
constexpr std::int64_t kDotOn = 3;
constexpr std::int64_t kDotPeriod = 6;

// The steps of a one-pixel line from a to b, a included and b excluded: n
// steps along the major axis, the minor offset of step i being i * m / n
// rounded with halves away from the start. Only the steps lo..hi put a pixel
// inside the clip; a line of any length costs only those.
struct ThinSteps
{
    bool xMajor = true;
    std::int64_t n = 0;
    std::int64_t m = 0;
    std::int64_t sMaj = 1; // +1 or -1
    std::int64_t sMin = 1;
    std::int64_t lo = 0;
    std::int64_t hi = -1;

    // The minor offset of step i; 128 bits, as 2 * i * m needs up to 65.
    std::int64_t offset(std::int64_t i) const
    {
        using i128 = __int128;
        return static_cast<std::int64_t>((i128{2} * i * m + n) / (i128{2} * n));
    }
};

// Fills `steps` for the line and the clip; false when no step is visible.
bool VisibleThinSteps(QPoint a, QPoint b, const QRect& clip, ThinSteps& steps)
{
    const std::int64_t dx = std::int64_t{b.x()} - a.x();
    const std::int64_t dy = std::int64_t{b.y()} - a.y();
    ThinSteps& s = steps;
    s.xMajor = std::abs(dx) >= std::abs(dy);
    s.n = s.xMajor ? std::abs(dx) : std::abs(dy);
    s.m = s.xMajor ? std::abs(dy) : std::abs(dx);
    if (s.n == 0 || clip.isEmpty())
        return false;
    s.sMaj = (s.xMajor ? dx : dy) < 0 ? -1 : 1;
    s.sMin = (s.xMajor ? dy : dx) < 0 ? -1 : 1;
    s.lo = 0;
    s.hi = s.n - 1;
    // Every pixel lies in the box of the two ends: with both inside, all are.
    if (clip.contains(a) && clip.contains(b))
        return true;

    const std::int64_t maj0 = s.xMajor ? a.x() : a.y();
    const std::int64_t min0 = s.xMajor ? a.y() : a.x();
    const std::int64_t majLo = s.xMajor ? clip.left() : clip.top();
    const std::int64_t majHi = s.xMajor ? clip.right() : clip.bottom();
    const std::int64_t minLo = s.xMajor ? clip.top() : clip.left();
    const std::int64_t minHi = s.xMajor ? clip.bottom() : clip.right();
    // Steps whose major coordinate is inside the clip.
    s.lo = std::max<std::int64_t>(s.sMaj > 0 ? majLo - maj0 : maj0 - majHi, 0);
    s.hi = std::min<std::int64_t>(s.sMaj > 0 ? majHi - maj0 : maj0 - majLo, s.n - 1);
    if (s.lo > s.hi)
        return false;
    // The minor offset grows with i: narrow [lo, hi] to the steps whose minor
    // coordinate is inside too.
    const std::int64_t offLo = s.sMin > 0 ? minLo - min0 : min0 - minHi;
    const std::int64_t offHi = s.sMin > 0 ? minHi - min0 : min0 - minLo;
    auto firstWith = [](auto pred, std::int64_t from,
                        std::int64_t to) { // first i in [from, to] with pred, or to + 1
        while (from <= to) {
            const std::int64_t mid = from + (to - from) / 2;
            if (pred(mid))
                to = mid - 1;
            else
                from = mid + 1;
        }
        return from;
    };
    s.lo = firstWith([&](std::int64_t i) { return s.offset(i) >= offLo; }, s.lo, s.hi);
    s.hi = firstWith([&](std::int64_t i) { return s.offset(i) > offHi; }, s.lo, s.hi) - 1;
    return s.lo <= s.hi;
}

} // namespace

void Path::moveTo(QPoint p)
{
    path_.moveTo(p);
}

void Path::lineTo(QPoint p)
{
    path_.lineTo(p);
}

void Path::bezierTo(QPoint c1, QPoint c2, QPoint p)
{
    path_.cubicTo(c1, c2, p);
}

void Path::close()
{
    path_.closeSubpath();
}

Path Path::bezierChain(std::span<const QPoint> points, bool closed)
{
    Path path;
    if (points.empty())
        return path;
    path.moveTo(points[0]);
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.bezierTo(points[i], points[i + 1], points[i + 2]);
    if (closed)
        path.close();
    return path;
}

Canvas::Canvas(Bitmap& target) : target_(target), painter_(ownPainter_)
{
    // A null image has no paint engine; every drawing call is then a no-op.
    if (target_.isNull())
        return;
    painter_.begin(&target_.image());
    // The painter draws into these very words; thin strokes are written
    // straight into them.
    pixels_ = reinterpret_cast<std::uint32_t*>(target_.image().bits());
    stride_ = target_.image().bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    setPen(RGBRef(0, 0, 0));
    setHollowBrush();
}

Canvas::Canvas(QPainter& painter, int width, int height)
    : target_(noPixels_), painter_(painter), vector_(true), vectorWidth_(std::max(width, 0)),
      vectorHeight_(std::max(height, 0))
{
    if (!painter_.isActive())
        return;
    setPen(RGBRef(0, 0, 0));
    setHollowBrush();
}

Canvas::~Canvas()
{
    if (ownPainter_.isActive())
        ownPainter_.end();
}

int Canvas::logicalDpiX() const
{
    return target_.isNull() ? 96 : target_.image().logicalDpiX();
}

int Canvas::logicalDpiY() const
{
    return target_.isNull() ? 96 : target_.image().logicalDpiY();
}

void Canvas::setPen(ColorRef color, int width, PenStyle style)
{
    penColor_ = color;
    if (width <= 1)
        penKind_ = style == PenStyle::Dotted ? PenKind::Dotted : PenKind::Thin;
    else
        penKind_ = PenKind::Wide;
    if (!painter_.isActive())
        return;
    QPen pen(ToQColor(color));
    if (penKind_ == PenKind::Wide) {
        pen.setWidth(std::min(width, kMaxPenWidth));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else if (vector_) {
        // One device pixel wide, ends cut square at the points as the
        // pixel rule cuts them; the dots keep their rhythm along a figure.
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (penKind_ == PenKind::Dotted)
            pen.setDashPattern({double(kDotOn), double(kDotPeriod - kDotOn)});
    } else {
        // Thin strokes are rasterized here; Qt's pen is kept for the
        // figures it still outlines itself (ellipses).
        pen.setWidth(0);
    }
    painter_.setPen(pen);
}

void Canvas::setNullPen()
{
    penKind_ = PenKind::None;
    if (painter_.isActive())
        painter_.setPen(Qt::NoPen);
}

void Canvas::setSolidBrush(ColorRef color)
{
    if (painter_.isActive())
        painter_.setBrush(ToQColor(color));
}

void Canvas::setHollowBrush()
{
    if (painter_.isActive())
        painter_.setBrush(Qt::NoBrush);
}

void Canvas::thinPolyline(std::span<const QPoint> points, bool closed)
{
    if (vector_) {
        QPainterPath path;
        path.moveTo(points.front());
        for (std::size_t k = 1; k < points.size(); ++k)
            path.lineTo(points[k]);
        if (closed)
            path.closeSubpath();
        vectorThinStroke(path);
        return;
    }
    const QRect clip(0, 0, width(), height());
    const std::uint32_t colour = Bitmap::toArgb(penColor_);
    const bool dotted = penKind_ == PenKind::Dotted;
    std::int64_t phase = 0; // the dots run on across vertices
    const std::size_t count = points.size() + (closed ? 1 : 0);
    for (std::size_t k = 1; k < count; ++k) {
        const QPoint a = points[k - 1];
        const QPoint b = points[k % points.size()];
        ThinSteps s;
        if (VisibleThinSteps(a, b, clip, s)) {
            // The offset of step i is floor((2 i m + n) / 2n): after one
            // division for the first visible step, the remainder carries it on.
            const std::int64_t den = 2 * s.n;
            const std::int64_t rise = 2 * s.m;
            std::int64_t q = s.offset(s.lo);
            std::int64_t r = static_cast<std::int64_t>((__int128{2} * s.lo * s.m + s.n) - __int128{q} * den);
            const std::int64_t x0 = a.x() + (s.xMajor ? s.sMaj * s.lo : s.sMin * q);
            const std::int64_t y0 = a.y() + (s.xMajor ? s.sMin * q : s.sMaj * s.lo);
            std::uint32_t* p = pixels_ + static_cast<qsizetype>(y0) * stride_ + static_cast<qsizetype>(x0);
            const qsizetype alongMajor = s.xMajor ? s.sMaj : s.sMaj * stride_;
            const qsizetype alongMinor = s.xMajor ? s.sMin * stride_ : s.sMin;
            int dot = dotted ? static_cast<int>((phase + s.lo) % kDotPeriod) : 0;
            for (std::int64_t i = s.lo;;) {
                if (dot < kDotOn)
                    *p = colour;
                if (++i > s.hi)
                    break;
                if (dotted && ++dot == kDotPeriod)
                    dot = 0;
                p += alongMajor;
                r += rise;
                if (r >= den) {
                    r -= den;
                    p += alongMinor;
                }
            }
        }
        phase += std::max(std::abs(std::int64_t{b.x()} - a.x()), std::abs(std::int64_t{b.y()} - a.y()));
    }
}

void Canvas::vectorThinStroke(const QPainterPath& path)
{
    const QBrush brush = painter_.brush();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
    painter_.setBrush(brush);
}

void Canvas::thinOutline(const QPainterPath& path)
{
    if (vector_) {
        vectorThinStroke(path);
        return;
    }
    // Curves are flattened to whole-pixel points first, so that a curve's
    // outline obeys the same rules as a polyline.
    for (const QPolygonF& sub : path.toSubpathPolygons()) {
        std::vector<QPoint> pts;
        pts.reserve(sub.size());
        for (const QPointF& p : sub) {
            const QPoint q = p.toPoint();
            if (pts.empty() || pts.back() != q)
                pts.push_back(q);
        }
        thinPolyline(pts, false);
    }
}

void Canvas::fillOnly(const QPainterPath& path)
{
    if (!hasBrush())
        return;
    // The pen alone is put aside: saving the painter's whole state would
    // cost more than many a small fill.
    const QPen pen = painter_.pen();
    painter_.setPen(Qt::NoPen);
    painter_.drawPath(path);
    painter_.setPen(pen);
}

void Canvas::polyline(std::span<const QPoint> points)
{
    if (!painter_.isActive() || points.size() < 2 || penKind_ == PenKind::None)
        return;
    if (thinPen())
        thinPolyline(points, false);
    else
        painter_.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void Canvas::line(QPoint from, QPoint to)
{
    const QPoint pts[2] = {from, to};
    polyline(pts);
}

void Canvas::polygon(std::span<const QPoint> points)
{
    if (!painter_.isActive() || points.size() < 2)
        return;
    if (!thinPen()) {
        painter_.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
        return;
    }
    // The fill keeps to the inside (right and bottom edges excluded) and the
    // closed thin outline then covers every edge, vertices included.
    if (!hasBrush()) {
        thinPolyline(points, true);
        return;
    }
    QPolygon poly(static_cast<int>(points.size()));
    std::copy(points.begin(), points.end(), poly.begin());
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    area.addPolygon(poly);
    fillOnly(area);
    thinPolyline(points, true);
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    if (!painter_.isActive())
        return;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const double w = static_cast<double>(right) - left - 1.0;
    const double h = static_cast<double>(bottom) - top - 1.0;
    if (w <= 0 || h <= 0)
        return;
    // With a pen the outline runs through pixel centres of left..right-1; a
    // fill alone is shifted by half a pixel so that it keeps the same centre
    // and stays one pixel inside on every side, instead of leaning right.
    if (penKind_ != PenKind::None)
        painter_.drawEllipse(QRectF(left, top, w, h));
    else
        painter_.drawEllipse(QRectF(left + 0.5, top + 0.5, w, h));
}

void Canvas::polyBezier(std::span<const QPoint> points)
{
    strokePath(Path::bezierChain(points, false));
}

void Canvas::strokePath(const Path& path)
{
    if (!painter_.isActive() || path.isEmpty() || penKind_ == PenKind::None)
        return;
    if (thinPen()) {
        thinOutline(path.qt());
        return;
    }
    const QBrush brush = painter_.brush();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path.qt());
    painter_.setBrush(brush);
}

void Canvas::fillPath(const Path& path)
{
    if (!painter_.isActive() || path.isEmpty())
        return;
    fillOnly(path.qt());
}

void Canvas::strokeAndFillPath(const Path& path)
{
    if (!painter_.isActive() || path.isEmpty())
        return;
    if (thinPen() || penKind_ == PenKind::None) {
        fillOnly(path.qt());
        strokePath(path);
        return;
    }
    painter_.drawPath(path.qt());
}

void Canvas::fillRect(const QRect& r, ColorRef color)
{
    if (!painter_.isActive())
        return;
    const QRect clipped = r.normalized() & QRect(0, 0, width(), height());
    if (!clipped.isEmpty())
        painter_.fillRect(clipped, ToQColor(color));
}

void Canvas::copyRect(const Bitmap& source, const QRect& sourceRect, QPoint dest)
{
    if (!painter_.isActive() || source.isNull())
        return;
    // Clip against the source, then against this canvas, moving the other
    // rectangle along so that pixels keep their places.
    const QRect src = sourceRect & QRect(0, 0, source.width(), source.height());
    if (src.isEmpty())
        return;
    const QPoint shift = dest - sourceRect.topLeft();
    const QRect dst = src.translated(shift) & QRect(0, 0, width(), height());
    if (dst.isEmpty())
        return;
    const QRect from = dst.translated(-shift);

    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    if (&source == &target_)
        painter_.drawImage(dst.topLeft(), source.image().copy(from)); // overlapping copies read first
    else
        painter_.drawImage(dst.topLeft(), source.image(), from);
    painter_.restore();
}

void Canvas::drawText(const Font& font, QPoint reference, const QString& text, ColorRef color)
{
    if (!painter_.isActive() || text.isEmpty())
        return;
    // Only the pen is the figures' own; font, text smoothing and transform
    // are set for every text and nothing else draws with them.
    const QPen pen = painter_.pen();
    painter_.setFont(font.qfont());
    painter_.setPen(ToQColor(color));
    const bool smooth = font.qfont().styleStrategy() & QFont::PreferAntialias;
    if (painter_.testRenderHint(QPainter::TextAntialiasing) != smooth)
        painter_.setRenderHint(QPainter::TextAntialiasing, smooth);
    if (font.escapement() % 3600 != 0) {
        // Escapement turns counter-clockwise on a y-up page; Qt turns
        // clockwise on a y-down one.
        painter_.translate(reference);
        painter_.rotate(-font.escapement() / 10.0);
        painter_.drawText(QPoint(0, font.ascent()), text);
        painter_.resetTransform();
    } else {
        painter_.drawText(QPointF(reference) + QPointF(0, font.ascent()), text);
    }
    painter_.setPen(pen);
}

void Canvas::drawImage(const QRectF& target, const QImage& image)
{
    if (!painter_.isActive() || image.isNull() || target.isEmpty())
        return;
    const bool smooth = painter_.testRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.drawImage(target, image);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

} // namespace vlm

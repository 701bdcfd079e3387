#include "pictures/metafile_player.h"

#include "pictures/picture_decoders.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetricsF>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace vlm::metafile {

namespace {

constexpr double kMaxDevicePenWidth = 4096;
constexpr int kMaxFontPixels = 4096;

std::uint32_t Read32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::uint16_t Read16(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

// Stock objects of the device context, by their numbers.
GdiObject Stock(std::uint32_t n)
{
    GdiObject o;
    const auto brush = [&](QColor c) {
        o.kind = GdiObject::Kind::Brush;
        o.brush = QBrush(c);
    };
    switch (n) {
    case 0:
        brush(Qt::white);
        break;
    case 1:
        brush(QColor(0xC0, 0xC0, 0xC0));
        break;
    case 2:
        brush(QColor(0x80, 0x80, 0x80));
        break;
    case 3:
        brush(QColor(0x40, 0x40, 0x40));
        break;
    case 4:
        brush(Qt::black);
        break;
    case 5:
        o.kind = GdiObject::Kind::Brush;
        o.brush = Qt::NoBrush;
        break;
    case 6:
    case 7:
        o.kind = GdiObject::Kind::Pen;
        o.pen = Player::MakePen(0, 0, n == 6 ? 0xFFFFFF : 0);
        break;
    case 8:
        o.kind = GdiObject::Kind::Pen;
        o.pen = Qt::NoPen;
        break;
    default:
        if (n >= 10 && n <= 17) {
            o.kind = GdiObject::Kind::Font;
            o.font.height = -12;
            o.font.face = QStringLiteral("Arial");
        }
        break;
    }
    return o;
}

} // namespace

Player::Player(QImage& target, const QTransform& toBitmap) : target_(target), toBitmap_(toBitmap)
{
    painter_.begin(&target_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    s_.pen = MakePen(0, 0, 0);
    s_.brush = QBrush(Qt::white);
    s_.font = Stock(13).font;
}

Player::~Player() = default;

QPen Player::MakePen(std::uint32_t style, double width, std::uint32_t color)
{
    const std::uint32_t kind = style & 0xF;
    if (kind == 5) // PS_NULL
        return QPen(Qt::NoPen);
    QPen pen(ColorOf(color));
    pen.setWidthF(width);
    pen.setCosmetic(width <= 1);
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine};
    pen.setStyle(kind < 5 ? kStyles[kind] : Qt::SolidLine);
    // End caps and joins: round unless the style asks for another.
    static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    const std::uint32_t cap = (style >> 8) & 0xF, join = (style >> 12) & 0xF;
    pen.setCapStyle(cap < 3 ? kCaps[cap] : Qt::RoundCap);
    pen.setJoinStyle(join < 3 ? kJoins[join] : Qt::RoundJoin);
    return pen;
}

QBrush Player::MakeBrush(std::uint32_t style, std::uint32_t color, std::uint32_t hatch)
{
    switch (style) {
    case 1: // BS_NULL
        return QBrush(Qt::NoBrush);
    case 2: { // BS_HATCHED
        static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                      Qt::FDiagPattern, Qt::BDiagPattern,
                                                      Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(ColorOf(color), hatch < 6 ? kHatches[hatch] : Qt::SolidPattern);
    }
    default:
        return QBrush(ColorOf(color));
    }
}

void Player::setObject(std::uint32_t index, GdiObject object)
{
    if (index >= static_cast<std::uint32_t>(kMaxObjects))
        return;
    if (objects_.size() <= index)
        objects_.resize(index + 1);
    objects_[index] = std::move(object);
}

std::uint32_t Player::freeSlot() const
{
    for (std::size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i].kind == GdiObject::Kind::None)
            return static_cast<std::uint32_t>(i);
    return static_cast<std::uint32_t>(objects_.size());
}

void Player::selectObject(std::uint32_t index)
{
    if (index < objects_.size())
        select(objects_[index]);
}

void Player::selectStock(std::uint32_t stock)
{
    select(Stock(stock));
}

// An object becomes the current one of its kind; others leave the state alone.
void Player::select(const GdiObject& o)
{
    switch (o.kind) {
    case GdiObject::Kind::Pen:
        s_.pen = o.pen;
        break;
    case GdiObject::Kind::Brush:
        s_.brush = o.brush;
        break;
    case GdiObject::Kind::Font:
        s_.font = o.font;
        break;
    default:
        break;
    }
}

void Player::deleteObject(std::uint32_t index)
{
    if (index < objects_.size())
        objects_[index] = GdiObject{};
}

void Player::setWindowExt(QSizeF e)
{
    if (e.width() != 0 && e.height() != 0)
        s_.winExt = e;
}

void Player::setViewportExt(QSizeF e)
{
    if (e.width() != 0 && e.height() != 0)
        s_.vpExt = e;
}

void Player::scaleWindowExt(double xNum, double xDen, double yNum, double yDen)
{
    if (xDen != 0 && yDen != 0)
        setWindowExt(QSizeF(s_.winExt.width() * xNum / xDen, s_.winExt.height() * yNum / yDen));
}

void Player::scaleViewportExt(double xNum, double xDen, double yNum, double yDen)
{
    if (xDen != 0 && yDen != 0)
        setViewportExt(QSizeF(s_.vpExt.width() * xNum / xDen, s_.vpExt.height() * yNum / yDen));
}

void Player::setDeviceResolution(double pxPerMmX, double pxPerMmY)
{
    if (pxPerMmX > 0 && pxPerMmY > 0 && std::isfinite(pxPerMmX) && std::isfinite(pxPerMmY)) {
        pxPerMmX_ = pxPerMmX;
        pxPerMmY_ = pxPerMmY;
    }
}

void Player::modifyWorldTransform(const QTransform& t, int mode)
{
    switch (mode) {
    case 1:
        s_.world = QTransform();
        break;
    case 2:
        s_.world = t * s_.world;
        break;
    case 3:
        s_.world = s_.world * t;
        break;
    case 4:
        s_.world = t;
        break;
    default:
        break;
    }
}

QTransform Player::page() const
{
    double sx = 1, sy = 1;
    switch (s_.mapMode) {
    case 2:
        sx = pxPerMmX_ * 0.1, sy = -pxPerMmY_ * 0.1;
        break; // 0.1 mm
    case 3:
        sx = pxPerMmX_ * 0.01, sy = -pxPerMmY_ * 0.01;
        break; // 0.01 mm
    case 4:
        sx = pxPerMmX_ * 0.254, sy = -pxPerMmY_ * 0.254;
        break; // 0.01 inch
    case 5:
        sx = pxPerMmX_ * 0.0254, sy = -pxPerMmY_ * 0.0254;
        break;
    case 6:
        sx = pxPerMmX_ * 25.4 / 1440, sy = -pxPerMmY_ * 25.4 / 1440;
        break; // twips
    case 7: {  // isotropic: the smaller scale both ways, each with its own sign
        const double ax = s_.vpExt.width() / s_.winExt.width(), ay = s_.vpExt.height() / s_.winExt.height();
        const double m = std::min(std::abs(ax), std::abs(ay));
        sx = std::copysign(m, ax);
        sy = std::copysign(m, ay);
        break;
    }
    case 8:
        sx = s_.vpExt.width() / s_.winExt.width();
        sy = s_.vpExt.height() / s_.winExt.height();
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, s_.vpOrg.x() - s_.winOrg.x() * sx, s_.vpOrg.y() - s_.winOrg.y() * sy);
}

QTransform Player::full() const
{
    return s_.world * page() * toBitmap_;
}

void Player::save()
{
    if (static_cast<int>(saved_.size()) < kMaxSavedStates)
        saved_.push_back(s_);
}

void Player::restore(int relative)
{
    // -n pops n states; a positive number names the n-th saved state.
    const int n = static_cast<int>(saved_.size());
    const int keep = relative < 0 ? n + relative : relative - 1;
    if (keep < 0 || keep >= n)
        return;
    s_ = saved_[static_cast<std::size_t>(keep)];
    saved_.resize(static_cast<std::size_t>(keep));
    painter_.resetTransform();
    applyClip();
}

QRegion Player::deviceRegion(const QRectF& logical) const
{
    return QRegion(full().map(QPolygonF(logical.normalized())).toPolygon());
}

void Player::applyClip()
{
    if (s_.clip)
        painter_.setClipRegion(*s_.clip);
    else
        painter_.setClipping(false);
}

void Player::intersectClip(const QRectF& r)
{
    if (!clipBudget())
        return;
    const QRegion area = deviceRegion(r);
    s_.clip = s_.clip ? s_.clip->intersected(area) : area;
    painter_.resetTransform();
    applyClip();
}

void Player::excludeClip(const QRectF& r)
{
    if (!clipBudget())
        return;
    const QRegion base = s_.clip ? *s_.clip : QRegion(target_.rect());
    s_.clip = base.subtracted(deviceRegion(r));
    painter_.resetTransform();
    applyClip();
}

void Player::selectClipRegion(const std::vector<QRect>& deviceRects, int mode)
{
    if (!clipBudget())
        return;
    QRegion region;
    for (const QRect& r : deviceRects)
        region += toBitmap_.mapRect(QRectF(r)).toAlignedRect();
    const QRegion current = s_.clip ? *s_.clip : QRegion(target_.rect());
    switch (mode) {
    case 1:
        s_.clip = current.intersected(region);
        break; // and
    case 2:
        s_.clip = current.united(region);
        break; // or
    case 3:
        s_.clip = current.xored(region);
        break;
    case 4:
        s_.clip = current.subtracted(region);
        break;
    default: // copy
        if (deviceRects.empty())
            s_.clip.reset();
        else
            s_.clip = region;
        break;
    }
    painter_.resetTransform();
    applyClip();
}

void Player::selectClipPath(int mode)
{
    if (!clipBudget())
        return;
    const QRegion region(full().map(path_).toFillPolygon().toPolygon());
    path_ = QPainterPath();
    const QRegion current = s_.clip ? *s_.clip : QRegion(target_.rect());
    s_.clip = mode == 1 ? current.intersected(region) : region;
    painter_.resetTransform();
    applyClip();
}

bool Player::spendPoints(std::int64_t n)
{
    points_ += std::max<std::int64_t>(n, 0);
    return points_ <= kMaxPoints;
}

void Player::draw(const QPainterPath& path, bool fill, bool stroke)
{
    if (inPath_) {
        path_.addPath(path);
        return;
    }
    const QTransform t = full();
    QPen pen = stroke ? s_.pen : QPen(Qt::NoPen);
    if (pen.style() != Qt::NoPen && !pen.isCosmetic()) {
        // A damaged file's pen can be wider than the picture; cap it.
        const double scale = std::sqrt(std::abs(t.determinant()));
        if (!(pen.widthF() * scale <= kMaxDevicePenWidth))
            pen.setWidthF(scale > 0 ? kMaxDevicePenWidth / scale : 1);
    }
    painter_.setTransform(t);
    painter_.setPen(pen);
    painter_.setBrush(fill ? s_.brush : QBrush(Qt::NoBrush));
    QPainterPath p = path;
    p.setFillRule(s_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    painter_.drawPath(p);
}

void Player::moveTo(QPointF p)
{
    s_.position = p;
    if (inPath_)
        path_.moveTo(p);
}

void Player::lineTo(QPointF p)
{
    if (inPath_) {
        if (path_.elementCount() == 0)
            path_.moveTo(s_.position);
        path_.lineTo(p);
    } else {
        QPainterPath line(s_.position);
        line.lineTo(p);
        draw(line, false, true);
    }
    s_.position = p;
}

void Player::polyline(const std::vector<QPointF>& points, bool fromCurrent)
{
    if (points.empty())
        return;
    if (inPath_) {
        if (!fromCurrent || path_.elementCount() == 0)
            path_.moveTo(fromCurrent ? s_.position : points[0]);
        for (std::size_t i = fromCurrent ? 0 : 1; i < points.size(); ++i)
            path_.lineTo(points[i]);
    } else {
        QPainterPath line(fromCurrent ? s_.position : points[0]);
        for (std::size_t i = fromCurrent ? 0 : 1; i < points.size(); ++i)
            line.lineTo(points[i]);
        draw(line, false, true);
    }
    if (fromCurrent)
        s_.position = points.back();
}

void Player::polygon(const std::vector<QPointF>& points)
{
    if (points.size() < 2)
        return;
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
    p.closeSubpath();
    draw(p, true, true);
}

void Player::polyPolygon(const std::vector<std::vector<QPointF>>& polygons)
{
    QPainterPath p;
    for (const auto& poly : polygons) {
        if (poly.size() < 2)
            continue;
        p.addPolygon(QPolygonF(QList<QPointF>(poly.begin(), poly.end())));
        p.closeSubpath();
    }
    draw(p, true, true);
}

void Player::polyBezier(const std::vector<QPointF>& points, bool fromCurrent)
{
    if (points.empty())
        return;
    QPainterPath p(fromCurrent ? s_.position : points[0]);
    std::size_t i = fromCurrent ? 0 : 1;
    for (; i + 2 < points.size(); i += 3)
        p.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (inPath_) {
        if (fromCurrent && path_.elementCount() > 0)
            path_.connectPath(p);
        else
            path_.addPath(p);
    } else {
        draw(p, false, true);
    }
    if (fromCurrent)
        s_.position = p.currentPosition();
}

void Player::rectangle(const QRectF& r)
{
    QPainterPath p;
    p.addRect(r.normalized());
    draw(p, true, true);
}

void Player::roundRect(const QRectF& r, QSizeF corner)
{
    QPainterPath p;
    p.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    draw(p, true, true);
}

void Player::ellipse(const QRectF& r)
{
    QPainterPath p;
    p.addEllipse(r.normalized());
    draw(p, true, true);
}

void Player::arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind, bool moveCurrent)
{
    const QRectF r = box.normalized();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Angles of the radial points as QPainterPath counts them in logical
    // coordinates; the arc runs counter-clockwise as the picture shows it,
    // which is the other way round when the mapping turns y upward.
    const QPointF c = r.center();
    const bool yUp = full().m22() < 0;
    auto angleOf = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()), p.x() - c.x()) * 180 / std::numbers::pi;
    };
    const double a0 = angleOf(start), a1 = angleOf(end);
    auto positive = [](double d) {
        d = std::fmod(d, 360.0);
        return d <= 0 ? d + 360 : d;
    };
    const double sweep = yUp ? -positive(a0 - a1) : positive(a1 - a0);
    QPainterPath arcPath;
    arcPath.arcMoveTo(r, a0);
    arcPath.arcTo(r, a0, sweep);
    if (kind == ArcKind::Arc) {
        if (moveCurrent && inPath_ && path_.elementCount() > 0)
            path_.lineTo(arcPath.elementAt(0));
        draw(arcPath, false, true);
        if (moveCurrent)
            s_.position = arcPath.currentPosition();
        return;
    }
    QPainterPath closed;
    if (kind == ArcKind::Pie) {
        closed.moveTo(c);
        closed.lineTo(arcPath.elementAt(0));
        closed.connectPath(arcPath);
    } else {
        closed = arcPath;
    }
    closed.closeSubpath();
    draw(closed, true, true);
}

void Player::setPixel(QPointF p, std::uint32_t color)
{
    if (inPath_)
        return;
    const QPoint d = full().map(p).toPoint();
    if (target_.rect().contains(d) && (!s_.clip || s_.clip->contains(d)))
        target_.setPixel(d, ColorOf(color).rgb());
}

void Player::beginPath()
{
    path_ = QPainterPath();
    inPath_ = true;
}

void Player::abortPath()
{
    path_ = QPainterPath();
    inPath_ = false;
}

void Player::closeFigure()
{
    if (inPath_)
        path_.closeSubpath();
}

void Player::fillPath(bool fill, bool stroke)
{
    inPath_ = false;
    const QPainterPath p = path_;
    path_ = QPainterPath();
    draw(p, fill, stroke);
}

void Player::textOut(QPointF reference, const QString& text, std::uint32_t options,
                     const std::optional<QRectF>& box)
{
    if (inPath_)
        return;
    const QTransform t = full();
    if ((options & 0x2) && box) { // ETO_OPAQUE
        painter_.setTransform(t);
        painter_.fillRect(box->normalized(), s_.bkColor);
    }
    if (text.isEmpty())
        return;
    const QString shown = text.left(kMaxTextChars);
    // The font's height in device pixels along the y axis of the mapping.
    const double yScale = std::hypot(t.m21(), t.m22());
    double px = std::abs(s_.font.height) * yScale;
    if (s_.font.height > 0)
        px *= 0.85; // a cell height: the characters are a little smaller
    if (s_.font.height == 0)
        px = 16;
    if (!(px >= 1))
        return;
    QFont font(s_.font.face.isEmpty() ? QStringLiteral("Arial") : s_.font.face);
    font.setPixelSize(std::clamp(static_cast<int>(std::lround(px)), 1, kMaxFontPixels));
    font.setWeight(
        static_cast<QFont::Weight>(std::clamp(s_.font.weight == 0 ? 400 : s_.font.weight, 100, 900)));
    font.setItalic(s_.font.italic);
    font.setUnderline(s_.font.underline);
    font.setStrikeOut(s_.font.strikeout);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetricsF metrics(font);
    const QPointF at = (s_.textAlign & 1) ? t.map(s_.position) : t.map(reference);
    const double width = metrics.horizontalAdvance(shown);
    double dx = 0, dy = 0;
    switch (s_.textAlign & 6) {
    case 6:
        dx = -width / 2;
        break;
    case 2:
        dx = -width;
        break;
    default:
        break;
    }
    switch (s_.textAlign & 24) {
    case 24:
        break; // baseline
    case 8:
        dy = -metrics.descent();
        break;
    default:
        dy = metrics.ascent();
        break;
    }
    painter_.resetTransform();
    painter_.translate(at);
    painter_.rotate(-s_.font.escapement / 10.0);
    if (s_.bkMode == 2 && !(options & 0x2))
        painter_.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), s_.bkColor);
    painter_.setFont(font);
    painter_.setPen(s_.textColor);
    painter_.drawText(QPointF(dx, dy), shown);
    if (s_.textAlign & 1) {
        const QPointF advance = painter_.transform().map(QPointF(dx + width, dy));
        s_.position = t.inverted().map(advance);
    }
}

void Player::drawImage(const QImage& image, const QRectF& dest, const QRectF& source, std::uint32_t rop)
{
    if (image.isNull() || inPath_)
        return;
    QImage picture = image;
    // A negative extent mirrors the picture.
    const bool mirror = dest.width() < 0, flip = dest.height() < 0;
    if (mirror || flip)
        picture = picture.mirrored(mirror, flip);
    QRectF src = source.normalized();
    if (mirror)
        src.moveLeft(picture.width() - src.right());
    if (flip)
        src.moveTop(picture.height() - src.bottom());
    painter_.setTransform(full());
    switch (rop) {
    case 0x008800C6:
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case 0x00EE0086:
        painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    case 0x00660046:
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    default:
        break;
    }
    painter_.drawImage(dest.normalized(), picture, src);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Player::patBlt(const QRectF& dest, std::uint32_t rop)
{
    if (inPath_)
        return;
    painter_.setTransform(full());
    switch (rop) {
    case 0x00000042:
        painter_.fillRect(dest.normalized(), Qt::black);
        break;
    case 0x00FF0062:
        painter_.fillRect(dest.normalized(), Qt::white);
        break;
    case 0x00F00021:
        if (s_.brush.style() != Qt::NoBrush)
            painter_.fillRect(dest.normalized(), s_.brush);
        break;
    default:
        break;
    }
}

QImage DibToImage(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                  std::size_t bitsSize, std::int64_t& budget)
{
    if (!info || infoSize < 12)
        return {};
    const std::uint32_t headerSize = Read32(info);
    if (headerSize < 12 || headerSize > infoSize)
        return {};
    std::int64_t width = 0, height = 0;
    if (headerSize == 12) {
        width = Read16(info + 4);
        height = static_cast<std::int16_t>(Read16(info + 6));
    } else {
        if (headerSize < 16)
            return {};
        width = static_cast<std::int32_t>(Read32(info + 4));
        height = static_cast<std::int32_t>(Read32(info + 8));
    }
    const std::int64_t pixels = width * std::abs(height);
    if (width < 1 || height == 0 || pixels > kMaxDecodedPixels || pixels > budget)
        return {};
    budget -= pixels;
    // A BMP file is a file header, this header and colour table, and the
    // pixels: hand the reader exactly that.
    QByteArray file;
    const std::size_t total = 14 + infoSize + bitsSize;
    if (total > 0x7fffffff)
        return {};
    file.resize(static_cast<qsizetype>(total));
    char* p = file.data();
    const std::uint32_t size32 = static_cast<std::uint32_t>(total),
                        offset = 14 + static_cast<std::uint32_t>(infoSize);
    p[0] = 'B';
    p[1] = 'M';
    std::memcpy(p + 2, &size32, 4);
    std::memset(p + 6, 0, 4);
    std::memcpy(p + 10, &offset, 4);
    std::memcpy(p + 14, info, infoSize);
    if (bitsSize)
        std::memcpy(p + 14 + infoSize, bits, bitsSize);
    QBuffer buffer(&file);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(512);
    QImage image;
    if (!reader.read(&image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage PackedDibToImage(const std::uint8_t* dib, std::size_t size, std::int64_t& budget)
{
    if (!dib || size < 12)
        return {};
    const std::uint32_t headerSize = Read32(dib);
    if (headerSize < 12 || headerSize > size)
        return {};
    std::uint64_t infoSize = headerSize;
    if (headerSize == 12) {
        const std::uint16_t bitCount = Read16(dib + 10);
        infoSize += bitCount <= 8 ? 3u << bitCount : 0;
    } else {
        if (headerSize < 36)
            return {};
        const std::uint16_t bitCount = Read16(dib + 14);
        const std::uint32_t compression = Read32(dib + 16), used = Read32(dib + 32);
        const std::uint64_t entries = used ? used : (bitCount <= 8 ? 1u << bitCount : 0);
        infoSize += entries * 4;
        if (headerSize == 40 && (compression == 3 || compression == 6))
            infoSize += compression == 3 ? 12 : 16;
    }
    if (infoSize > size)
        return {};
    return DibToImage(dib, infoSize, dib + infoSize, size - infoSize, budget);
}

} // namespace vlm::metafile

// Windows metafiles: headers and record sizes are checked with libuemf, the
// records played onto the device context of metafile_player. The picture's
// window (from the placeable header or the file's own window records) is
// mapped onto the whole bitmap.

#include "pictures/metafile_player.h"
#include "pictures/metafile_readers.h"
#include "pictures/picture_decoders.h"

#include <uwmf.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vlm::metafile {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

// One record: 16-bit words of parameters after the 6-byte head; every read
// outside it gives 0.
struct Record
{
    const std::uint8_t* p;
    std::uint32_t n; // bytes
    std::uint8_t function() const { return p[4]; }
    std::uint8_t high() const { return p[5]; }
    std::int16_t w(std::uint32_t i) const
    {
        const std::uint64_t off = 6 + 2ull * i;
        if (off + 2 > n)
            return 0;
        std::int16_t v;
        std::memcpy(&v, p + off, 2);
        return v;
    }
    std::uint16_t uw(std::uint32_t i) const { return static_cast<std::uint16_t>(w(i)); }
    std::uint32_t u32(std::uint32_t i) const { return uw(i) | (std::uint32_t{uw(i + 1)} << 16); }
    QPointF yx(std::uint32_t i) const { return QPointF(w(i + 1), w(i)); }
    // Bottom, right, top, left.
    QRectF rect(std::uint32_t i) const
    {
        return QRectF(QPointF(w(i + 3), w(i + 2)), QPointF(w(i + 1), w(i)));
    }
    std::uint32_t words() const { return (n - 6) / 2; }
    const std::uint8_t* at(std::uint32_t i) const { return p + 6 + 2 * i; }
    std::size_t bytesFrom(std::uint32_t i) const { return 6 + 2ull * i <= n ? n - 6 - 2 * i : 0; }
};

std::vector<QPointF> Points(const Record& r, std::uint32_t first, std::uint32_t count)
{
    std::vector<QPointF> pts;
    if (std::uint64_t{first} + 2ull * count > r.words())
        return pts;
    pts.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        pts.emplace_back(r.w(first + 2 * i), r.w(first + 2 * i + 1));
    return pts;
}

QString Latin1(const std::uint8_t* p, std::size_t max)
{
    std::size_t n = 0;
    while (n < max && p[n])
        ++n;
    return QString::fromLatin1(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
}

void Create(Player& dc, GdiObject o)
{
    dc.setObject(dc.freeSlot(), std::move(o));
}

void PlayRecord(Player& dc, const Record& r)
{
    const std::uint8_t f = r.function();
    switch (f) {
    case U_WMR_SETBKCOLOR:
        dc.setBkColor(r.u32(0));
        return;
    case U_WMR_SETBKMODE:
        dc.setBkMode(r.w(0));
        return;
    case U_WMR_SETPOLYFILLMODE:
        dc.setPolyFillMode(r.w(0));
        return;
    case U_WMR_SETTEXTALIGN:
        dc.setTextAlign(r.uw(0));
        return;
    case U_WMR_SETTEXTCOLOR:
        dc.setTextColor(r.u32(0));
        return;
    case U_WMR_SETWINDOWORG:
        dc.setWindowOrg(r.yx(0));
        return;
    case U_WMR_SETWINDOWEXT:
        dc.setWindowExt(QSizeF(r.w(1), r.w(0)));
        return;
    case U_WMR_OFFSETWINDOWORG:
        dc.offsetWindowOrg(r.yx(0));
        return;
    case U_WMR_SCALEWINDOWEXT:
        dc.scaleWindowExt(r.w(3), r.w(2), r.w(1), r.w(0));
        return;
    case U_WMR_LINETO:
        dc.lineTo(r.yx(0));
        return;
    case U_WMR_MOVETO:
        dc.moveTo(r.yx(0));
        return;
    case U_WMR_EXCLUDECLIPRECT:
        dc.excludeClip(r.rect(0));
        return;
    case U_WMR_INTERSECTCLIPRECT:
        dc.intersectClip(r.rect(0));
        return;
    case U_WMR_ARC:
        dc.arc(r.rect(4), r.yx(2), r.yx(0), ArcKind::Arc, false);
        return;
    case U_WMR_PIE:
        dc.arc(r.rect(4), r.yx(2), r.yx(0), ArcKind::Pie, false);
        return;
    case U_WMR_CHORD:
        dc.arc(r.rect(4), r.yx(2), r.yx(0), ArcKind::Chord, false);
        return;
    case U_WMR_ELLIPSE:
        dc.ellipse(r.rect(0));
        return;
    case U_WMR_RECTANGLE:
        dc.rectangle(r.rect(0));
        return;
    case U_WMR_ROUNDRECT:
        dc.roundRect(r.rect(2), QSizeF(r.w(1), r.w(0)));
        return;
    case U_WMR_PATBLT:
        dc.patBlt(QRectF(r.w(5), r.w(4), r.w(3), r.w(2)), r.u32(0));
        return;
    case U_WMR_SAVEDC:
        dc.save();
        return;
    case U_WMR_RESTOREDC:
        dc.restore(r.w(0));
        return;
    case U_WMR_SETPIXEL:
        dc.setPixel(r.yx(2), r.u32(0));
        return;
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE: {
        const std::uint32_t count = r.uw(0);
        if (!dc.spendPoints(count))
            return;
        const std::vector<QPointF> pts = Points(r, 1, count);
        if (f == U_WMR_POLYGON)
            dc.polygon(pts);
        else
            dc.polyline(pts, false);
        return;
    }
    case U_WMR_POLYPOLYGON: {
        const std::uint32_t polys = r.uw(0);
        if (polys + 1ull > r.words())
            return;
        std::uint32_t at = 1 + polys;
        std::vector<std::vector<QPointF>> shapes;
        for (std::uint32_t i = 0; i < polys; ++i) {
            const std::uint32_t count = r.uw(1 + i);
            if (!dc.spendPoints(count) || at + 2ull * count > r.words())
                return;
            shapes.push_back(Points(r, at, count));
            at += 2 * count;
        }
        dc.polyPolygon(shapes);
        return;
    }
    case U_WMR_TEXTOUT: {
        const std::uint32_t length = r.uw(0), words = (length + 1) / 2;
        if (1ull + words + 2 > r.words() || !dc.spendPoints(length))
            return;
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(r.at(1)), length);
        dc.textOut(r.yx(1 + words), text, 0, std::nullopt);
        return;
    }
    case U_WMR_EXTTEXTOUT: {
        const std::uint32_t length = r.uw(2), options = r.uw(3);
        const bool hasRect = options & 0x6;
        const std::uint32_t first = hasRect ? 8 : 4;
        if (first + (length + 1ull) / 2 > r.words() || !dc.spendPoints(length))
            return;
        std::optional<QRectF> box;
        if (hasRect)
            box = QRectF(QPointF(r.w(4), r.w(5)), QPointF(r.w(6), r.w(7)));
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(r.at(first)), length);
        dc.textOut(r.yx(0), text, options, box);
        return;
    }
    case U_WMR_SELECTOBJECT:
        dc.selectObject(r.uw(0));
        return;
    case U_WMR_DELETEOBJECT:
        dc.deleteObject(r.uw(0));
        return;
    case U_WMR_CREATEPENINDIRECT:
        Create(dc, GdiObject::Pen(Player::MakePen(r.uw(0), r.w(1), r.u32(3))));
        return;
    case U_WMR_CREATEBRUSHINDIRECT:
        Create(dc, GdiObject::Brush(Player::MakeBrush(r.uw(0), r.u32(1), r.uw(3))));
        return;
    case U_WMR_DIBCREATEPATTERNBRUSH:
        Create(dc, GdiObject::Pattern(PackedDibToImage(r.at(2), r.bytesFrom(2), dc.imageBudget())));
        return;
    case U_WMR_CREATEFONTINDIRECT: {
        LogFont font;
        font.height = r.w(0);
        font.escapement = r.w(2);
        font.weight = r.w(4);
        if (r.words() >= 9) {
            font.italic = r.at(5)[0] != 0;
            font.underline = r.at(5)[1] != 0;
            font.strikeout = r.at(6)[0] != 0;
        }
        if (r.words() > 9)
            font.face = Latin1(r.at(9), std::min<std::size_t>(32, r.bytesFrom(9)));
        Create(dc, GdiObject::Font(font));
        return;
    }
    case U_WMR_CREATEPALETTE:
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_CREATEREGION:
        // They take a slot in the object table all the same.
        Create(dc, GdiObject{GdiObject::Kind::Other, {}, {}, {}});
        return;
    case U_WMR_DIBBITBLT:
    case U_WMR_DIBSTRETCHBLT: {
        const bool stretch = f == U_WMR_DIBSTRETCHBLT;
        // Without a bitmap the record carries one more reserved word and
        // paints with the brush.
        const bool noBitmap = r.n / 2 == std::uint32_t{r.high()} + 3u;
        const std::uint32_t rop = r.u32(0);
        if (noBitmap) {
            const std::uint32_t d = stretch ? 7 : 4;
            dc.patBlt(QRectF(r.w(d + 3), r.w(d + 2), r.w(d + 1), r.w(d)), rop);
            return;
        }
        if (stretch) {
            const QImage image = PackedDibToImage(r.at(10), r.bytesFrom(10), dc.imageBudget());
            dc.drawImage(image, QRectF(r.w(9), r.w(8), r.w(7), r.w(6)),
                         QRectF(r.w(5), r.w(4), r.w(3), r.w(2)), rop);
        } else {
            const QImage image = PackedDibToImage(r.at(7), r.bytesFrom(7), dc.imageBudget());
            dc.drawImage(image, QRectF(r.w(6), r.w(5), r.w(4), r.w(3)),
                         QRectF(r.w(2), r.w(1), r.w(4), r.w(3)), rop);
        }
        return;
    }
    case U_WMR_STRETCHDIB: {
        const QImage image = PackedDibToImage(r.at(11), r.bytesFrom(11), dc.imageBudget());
        const QRectF src(r.w(6), r.w(5), r.w(4), r.w(3));
        const QRectF flipped(src.x(), image.height() - src.y() - src.height(), src.width(), src.height());
        dc.drawImage(image, QRectF(r.w(10), r.w(9), r.w(8), r.w(7)), flipped, r.u32(0));
        return;
    }
    case U_WMR_SETDIBTODEV: {
        const QImage image = PackedDibToImage(r.at(9), r.bytesFrom(9), dc.imageBudget());
        const QRectF src(r.w(4), r.w(3), r.w(6), r.w(5));
        const QRectF flipped(src.x(), image.height() - src.y() - src.height(), src.width(), src.height());
        dc.drawImage(image, QRectF(QPointF(r.w(8), r.w(7)), src.size()), flipped, 0x00CC0020);
        return;
    }
    default:
        // Records this player does not know are skipped.
        return;
    }
}

// Walks the records after the headers; `visit` returns false to stop.
template <typename F>
void EachRecord(const std::uint8_t* data, std::size_t size, std::size_t start, F&& visit)
{
    const char* limit = reinterpret_cast<const char*>(data + size);
    std::size_t off = start;
    std::int64_t records = 0;
    while (off + 6 <= size && ++records <= kMaxRecords) {
        const char* rec = reinterpret_cast<const char*>(data + off);
        // Checked against the file's end: a size reaching past it, or one
        // that would not move on, ends the walk.
        const std::size_t n = U_WMRRECSAFE_get(rec, limit);
        if (n < 6 || n > size - off)
            return;
        const Record r{data + off, static_cast<std::uint32_t>(n)};
        if (r.function() == U_WMR_EOF || !visit(r))
            return;
        off += n;
    }
}

} // namespace

Bitmap PlayWmf(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < U_SIZE_WMRHEADER || bytes.size() > 0x7FFFFFF0u)
        return {};
    std::vector<std::uint32_t> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    const auto* data = reinterpret_cast<const std::uint8_t*>(aligned.data());
    const char* contents = reinterpret_cast<const char*>(data);
    U_WMRPLACEABLE placeable;
    U_WMRHEADER header;
    std::memset(&placeable, 0, sizeof placeable);
    std::memset(&header, 0, sizeof header);
    const int headers = wmfheader_get(contents, contents + bytes.size(), &placeable, &header);
    if (headers <= 0 || static_cast<std::size_t>(headers) > bytes.size())
        return {};
    const std::size_t start = static_cast<std::size_t>(headers);

    QRectF window;
    double width = 0, height = 0;
    if (placeable.Key == kPlaceableKey) {
        const U_RECT16 d = placeable.Dst;
        const double inch = placeable.Inch ? placeable.Inch : 1440;
        window = QRectF(QPointF(d.left, d.top), QPointF(d.right, d.bottom));
        width = std::abs(double(d.right) - d.left) * 96.0 / inch;
        height = std::abs(double(d.bottom) - d.top) * 96.0 / inch;
    } else {
        // No placeable header: the picture's window as its records set it.
        QPointF org;
        EachRecord(data, bytes.size(), start, [&](const Record& r) {
            if (r.function() == U_WMR_SETWINDOWORG)
                org = r.yx(0);
            if (r.function() == U_WMR_SETWINDOWEXT) {
                window = QRectF(org, QSizeF(r.w(1), r.w(0)));
                return false;
            }
            return true;
        });
        width = std::abs(window.width());
        height = std::abs(window.height());
    }
    const std::int64_t w = std::llround(width), h = std::llround(height);
    if (w < 1 || h < 1 || w > 32767 || h > 32767 || w * h > kMaxDecodedPixels || window.width() == 0 ||
        window.height() == 0)
        return {};

    const QSize played = PlaySize(w, h, bytes.size());
    Bitmap out(played.width(), played.height(), RGBRef(255, 255, 255));
    {
        Player dc(out.image(), QTransform());
        dc.setMapMode(8);
        dc.setWindowOrg(window.topLeft());
        dc.setWindowExt(window.size());
        dc.setViewportOrg(QPointF(0, 0));
        dc.setViewportExt(QSizeF(played));
        EachRecord(data, bytes.size(), start, [&](const Record& r) {
            // The device is the bitmap: the file's mapping mode and viewport
            // records do not apply to it.
            const std::uint8_t f = r.function();
            if (f != U_WMR_SETMAPMODE && f != U_WMR_SETVIEWPORTORG && f != U_WMR_SETVIEWPORTEXT &&
                f != U_WMR_OFFSETVIEWPORTORG && f != U_WMR_SCALEVIEWPORTEXT)
                PlayRecord(dc, r);
            return true;
        });
    }
    return out;
}

QSize PlaySize(std::int64_t width, std::int64_t height, std::size_t fileBytes)
{
    const double budget = static_cast<double>(fileBytes) * kPixelsPerFileByte;
    const double pixels = static_cast<double>(width) * static_cast<double>(height);
    if (pixels <= budget)
        return {static_cast<int>(width), static_cast<int>(height)};
    const double f = std::sqrt(budget / pixels);
    return {std::max(1, static_cast<int>(width * f)), std::max(1, static_cast<int>(height * f))};
}

} // namespace vlm::metafile

namespace vlm {

Bitmap DecodeMetafile(std::span<const std::uint8_t> bytes)
{
    return metafile::LooksLikeEmf(bytes) ? metafile::PlayEmf(bytes) : metafile::PlayWmf(bytes);
}

} // namespace vlm

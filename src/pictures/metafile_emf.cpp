// Enhanced metafiles: the records are validated with libuemf and played
// onto the device context of metafile_player.

#include "pictures/metafile_player.h"
#include "pictures/metafile_readers.h"
#include "pictures/picture_decoders.h"

#include <uemf.h>
#include <uemf_safe.h>

#include <cmath>
#include <cstring>

namespace vlm::metafile {

namespace {

constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kStockBit = 0x80000000u;

// One record; every read outside it gives 0.
struct Record
{
    const std::uint8_t* p;
    std::uint32_t n;
    std::uint32_t u32(std::uint32_t off) const
    {
        if (off > n || n - off < 4)
            return 0;
        std::uint32_t v;
        std::memcpy(&v, p + off, 4);
        return v;
    }
    std::int32_t i32(std::uint32_t off) const { return static_cast<std::int32_t>(u32(off)); }
    std::int16_t i16(std::uint32_t off) const
    {
        if (off > n || n - off < 2)
            return 0;
        std::int16_t v;
        std::memcpy(&v, p + off, 2);
        return v;
    }
    float f32(std::uint32_t off) const
    {
        const std::uint32_t u = u32(off);
        float f;
        std::memcpy(&f, &u, 4);
        return std::isfinite(f) ? f : 0.0f;
    }
    QPointF point(std::uint32_t off) const { return QPointF(i32(off), i32(off + 4)); }
    QRectF rect(std::uint32_t off) const
    {
        return QRectF(QPointF(i32(off), i32(off + 4)), QPointF(i32(off + 8), i32(off + 12)));
    }
    // `count` items of `size` bytes from `off` lie inside the record.
    bool holds(std::uint32_t off, std::uint64_t count, std::uint32_t size) const
    {
        return off <= n && count * size <= n - off;
    }
    const std::uint8_t* at(std::uint32_t off) const { return p + off; }
};

std::vector<QPointF> Points(const Record& r, std::uint32_t off, std::uint32_t count, bool small)
{
    std::vector<QPointF> pts;
    if (!r.holds(off, count, small ? 4 : 8))
        return pts;
    pts.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        pts.emplace_back(small ? QPointF(r.i16(off + 4 * i), r.i16(off + 4 * i + 2))
                               : QPointF(r.i32(off + 8 * i), r.i32(off + 8 * i + 4)));
    return pts;
}

QImage RecordImage(Player& dc, const Record& r, std::uint32_t offBmi, std::uint32_t cbBmi,
                   std::uint32_t offBits, std::uint32_t cbBits)
{
    if (cbBmi == 0 || !r.holds(offBmi, cbBmi, 1) || !r.holds(offBits, cbBits, 1))
        return {};
    return DibToImage(r.at(offBmi), cbBmi, r.at(offBits), cbBits, dc.imageBudget());
}

QString FaceName(const Record& r, std::uint32_t off)
{
    QString face;
    for (std::uint32_t i = 0; i < 32; ++i) {
        const auto ch = static_cast<char16_t>(r.i16(off + 2 * i));
        if (ch == 0)
            break;
        face.append(QChar(ch));
    }
    return face;
}

QTransform Xform(const Record& r, std::uint32_t off)
{
    return QTransform(r.f32(off), r.f32(off + 4), r.f32(off + 8), r.f32(off + 12), r.f32(off + 16),
                      r.f32(off + 20));
}

void PlayRecord(Player& dc, const Record& r, std::uint32_t type)
{
    switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: {
        const bool small = type >= U_EMR_POLYBEZIER16;
        const std::uint32_t count = r.u32(24);
        if (!dc.spendPoints(count))
            return;
        const std::vector<QPointF> pts = Points(r, 28, count, small);
        switch (small ? type - U_EMR_POLYBEZIER16 + U_EMR_POLYBEZIER : type) {
        case U_EMR_POLYBEZIER:
            dc.polyBezier(pts, false);
            break;
        case U_EMR_POLYGON:
            dc.polygon(pts);
            break;
        case U_EMR_POLYLINE:
            dc.polyline(pts, false);
            break;
        case U_EMR_POLYBEZIERTO:
            dc.polyBezier(pts, true);
            break;
        case U_EMR_POLYLINETO:
            dc.polyline(pts, true);
            break;
        default:
            break;
        }
        return;
    }
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16: {
        const bool small = type == U_EMR_POLYPOLYLINE16 || type == U_EMR_POLYPOLYGON16;
        const std::uint32_t polys = r.u32(24), total = r.u32(28);
        if (!r.holds(32, polys, 4) || !dc.spendPoints(std::int64_t{total} + polys))
            return;
        std::uint32_t off = 32 + 4 * polys;
        std::vector<std::vector<QPointF>> shapes;
        std::uint64_t used = 0;
        for (std::uint32_t i = 0; i < polys; ++i) {
            const std::uint32_t count = r.u32(32 + 4 * i);
            used += count;
            if (used > total || !r.holds(off, count, small ? 4 : 8))
                return;
            shapes.push_back(Points(r, off, count, small));
            off += count * (small ? 4 : 8);
        }
        if (type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYGON16)
            dc.polyPolygon(shapes);
        else
            for (const auto& s : shapes)
                dc.polyline(s, false);
        return;
    }
    case U_EMR_SETWINDOWEXTEX:
        dc.setWindowExt(QSizeF(r.i32(8), r.i32(12)));
        return;
    case U_EMR_SETWINDOWORGEX:
        dc.setWindowOrg(r.point(8));
        return;
    case U_EMR_SETVIEWPORTEXTEX:
        dc.setViewportExt(QSizeF(r.i32(8), r.i32(12)));
        return;
    case U_EMR_SETVIEWPORTORGEX:
        dc.setViewportOrg(r.point(8));
        return;
    case U_EMR_SCALEVIEWPORTEXTEX:
        dc.scaleViewportExt(r.i32(8), r.i32(12), r.i32(16), r.i32(20));
        return;
    case U_EMR_SCALEWINDOWEXTEX:
        dc.scaleWindowExt(r.i32(8), r.i32(12), r.i32(16), r.i32(20));
        return;
    case U_EMR_SETPIXELV:
        dc.setPixel(r.point(8), r.u32(16));
        return;
    case U_EMR_SETMAPMODE:
        dc.setMapMode(r.i32(8));
        return;
    case U_EMR_SETBKMODE:
        dc.setBkMode(r.i32(8));
        return;
    case U_EMR_SETPOLYFILLMODE:
        dc.setPolyFillMode(r.i32(8));
        return;
    case U_EMR_SETTEXTALIGN:
        dc.setTextAlign(r.u32(8));
        return;
    case U_EMR_SETTEXTCOLOR:
        dc.setTextColor(r.u32(8));
        return;
    case U_EMR_SETBKCOLOR:
        dc.setBkColor(r.u32(8));
        return;
    case U_EMR_MOVETOEX:
        dc.moveTo(r.point(8));
        return;
    case U_EMR_LINETO:
        dc.lineTo(r.point(8));
        return;
    case U_EMR_EXCLUDECLIPRECT:
        dc.excludeClip(r.rect(8));
        return;
    case U_EMR_INTERSECTCLIPRECT:
        dc.intersectClip(r.rect(8));
        return;
    case U_EMR_SAVEDC:
        dc.save();
        return;
    case U_EMR_RESTOREDC:
        dc.restore(r.i32(8));
        return;
    case U_EMR_SETWORLDTRANSFORM:
        dc.setWorldTransform(Xform(r, 8));
        return;
    case U_EMR_MODIFYWORLDTRANSFORM:
        dc.modifyWorldTransform(Xform(r, 8), r.i32(32));
        return;
    case U_EMR_SELECTOBJECT: {
        const std::uint32_t ih = r.u32(8);
        if (ih & kStockBit)
            dc.selectStock(ih & ~kStockBit);
        else
            dc.selectObject(ih);
        return;
    }
    case U_EMR_CREATEPEN:
        dc.setObject(r.u32(8), GdiObject::Pen(Player::MakePen(r.u32(12), r.i32(16), r.u32(24))));
        return;
    case U_EMR_EXTCREATEPEN: {
        const bool nullBrush = r.u32(36) == 1;
        const QPen pen = nullBrush ? QPen(Qt::NoPen) : Player::MakePen(r.u32(28), r.u32(32), r.u32(40));
        dc.setObject(r.u32(8), GdiObject::Pen(pen));
        return;
    }
    case U_EMR_CREATEBRUSHINDIRECT:
        dc.setObject(r.u32(8), GdiObject::Brush(Player::MakeBrush(r.u32(12), r.u32(16), r.u32(20))));
        return;
    case U_EMR_CREATEMONOBRUSH:
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
        dc.setObject(r.u32(8),
                     GdiObject::Pattern(RecordImage(dc, r, r.u32(16), r.u32(20), r.u32(24), r.u32(28))));
        return;
    case U_EMR_EXTCREATEFONTINDIRECTW: {
        LogFont font;
        font.height = r.i32(12);
        font.escapement = r.i32(20);
        font.weight = r.i32(28);
        font.italic = r.holds(32, 1, 1) && r.p[32];
        font.underline = r.holds(33, 1, 1) && r.p[33];
        font.strikeout = r.holds(34, 1, 1) && r.p[34];
        font.face = FaceName(r, 40);
        dc.setObject(r.u32(8), GdiObject::Font(font));
        return;
    }
    case U_EMR_DELETEOBJECT:
        dc.deleteObject(r.u32(8));
        return;
    case U_EMR_ELLIPSE:
        dc.ellipse(r.rect(8));
        return;
    case U_EMR_RECTANGLE:
        dc.rectangle(r.rect(8));
        return;
    case U_EMR_ROUNDRECT:
        dc.roundRect(r.rect(8), QSizeF(r.i32(24), r.i32(28)));
        return;
    case U_EMR_ARC:
        dc.arc(r.rect(8), r.point(24), r.point(32), ArcKind::Arc, false);
        return;
    case U_EMR_ARCTO:
        dc.arc(r.rect(8), r.point(24), r.point(32), ArcKind::Arc, true);
        return;
    case U_EMR_CHORD:
        dc.arc(r.rect(8), r.point(24), r.point(32), ArcKind::Chord, false);
        return;
    case U_EMR_PIE:
        dc.arc(r.rect(8), r.point(24), r.point(32), ArcKind::Pie, false);
        return;
    case U_EMR_BEGINPATH:
        dc.beginPath();
        return;
    case U_EMR_ENDPATH:
        dc.endPath();
        return;
    case U_EMR_CLOSEFIGURE:
        dc.closeFigure();
        return;
    case U_EMR_FILLPATH:
        dc.fillPath(true, false);
        return;
    case U_EMR_STROKEANDFILLPATH:
        dc.fillPath(true, true);
        return;
    case U_EMR_STROKEPATH:
        dc.fillPath(false, true);
        return;
    case U_EMR_ABORTPATH:
        dc.abortPath();
        return;
    case U_EMR_SELECTCLIPPATH:
        dc.selectClipPath(r.i32(8));
        return;
    case U_EMR_EXTSELECTCLIPRGN: {
        const std::uint32_t size = r.u32(8);
        std::vector<QRect> rects;
        if (size >= 32 && r.holds(16, size, 1)) {
            const std::uint32_t count = r.u32(24);
            if (!r.holds(48, count, 16) || !dc.spendPoints(count))
                return;
            for (std::uint32_t i = 0; i < count; ++i)
                rects.push_back(r.rect(48 + 16 * i).toRect());
        }
        dc.selectClipRegion(rects, r.i32(12));
        return;
    }
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT:
    case U_EMR_ALPHABLEND:
    case U_EMR_TRANSPARENTBLT: {
        const QRectF dest(r.i32(24), r.i32(28), r.i32(32), r.i32(36));
        const std::uint32_t rop = type == U_EMR_BITBLT || type == U_EMR_STRETCHBLT ? r.u32(40) : 0x00CC0020;
        if (r.u32(88) == 0) {
            dc.patBlt(dest, rop);
            return;
        }
        const QImage image = RecordImage(dc, r, r.u32(84), r.u32(88), r.u32(92), r.u32(96));
        const QSizeF src = type == U_EMR_BITBLT ? dest.size() : QSizeF(r.i32(100), r.i32(104));
        dc.drawImage(image, dest, QRectF(QPointF(r.i32(44), r.i32(48)), src), rop);
        return;
    }
    case U_EMR_STRETCHDIBITS: {
        const QImage image = RecordImage(dc, r, r.u32(48), r.u32(52), r.u32(56), r.u32(60));
        const QRectF dest(r.i32(24), r.i32(28), r.i32(72), r.i32(76));
        const QRectF src(r.i32(32), r.i32(36), r.i32(40), r.i32(44));
        // Source rows count from the bitmap's bottom.
        const QRectF flipped(src.x(), image.height() - src.y() - src.height(), src.width(), src.height());
        dc.drawImage(image, dest, flipped, r.u32(68));
        return;
    }
    case U_EMR_SETDIBITSTODEVICE: {
        const QImage image = RecordImage(dc, r, r.u32(48), r.u32(52), r.u32(56), r.u32(60));
        const QRectF src(r.i32(32), r.i32(36), r.i32(40), r.i32(44));
        const QRectF flipped(src.x(), image.height() - src.y() - src.height(), src.width(), src.height());
        dc.drawImage(image, QRectF(QPointF(r.i32(24), r.i32(28)), src.size()), flipped, 0x00CC0020);
        return;
    }
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_EXTTEXTOUTW: {
        const std::uint32_t chars = r.u32(44), off = r.u32(48), options = r.u32(52);
        const bool wide = type == U_EMR_EXTTEXTOUTW;
        if (!r.holds(off, chars, wide ? 2 : 1) || !dc.spendPoints(chars))
            return;
        QString text;
        if (wide)
            text = QString::fromUtf16(reinterpret_cast<const char16_t*>(r.at(off)), chars);
        else
            text = QString::fromLatin1(reinterpret_cast<const char*>(r.at(off)), chars);
        std::optional<QRectF> box;
        if (!(options & 0x100))
            box = r.rect(56);
        dc.textOut(r.point(36), text, options, box);
        return;
    }
    default:
        // Records this player does not know are skipped.
        return;
    }
}

} // namespace

bool LooksLikeEmf(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 88)
        return false;
    std::uint32_t type, signature;
    std::memcpy(&type, bytes.data(), 4);
    std::memcpy(&signature, bytes.data() + 40, 4);
    return type == U_EMR_HEADER && signature == kEmfSignature;
}

Bitmap PlayEmf(std::span<const std::uint8_t> bytes)
{
    if (!LooksLikeEmf(bytes) || bytes.size() > 0xFFFFFFF0u)
        return {};
    // Records are read in place; an aligned copy keeps every 32-bit field aligned.
    std::vector<std::uint32_t> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    const auto* data = reinterpret_cast<const std::uint8_t*>(aligned.data());
    const auto size = static_cast<std::uint32_t>(bytes.size());

    std::uint32_t headerSize;
    std::memcpy(&headerSize, data + 4, 4);
    std::uint32_t fileSize; // what the header says the whole file holds
    std::memcpy(&fileSize, data + 48, 4);
    if (headerSize < 88 || headerSize > size || headerSize % 4 != 0 || fileSize > size)
        return {};
    const Record h{data, headerSize};
    const QRectF frame = h.rect(24); // 0.01 mm
    const double devX = h.i32(72), devY = h.i32(76), mmX = h.i32(80), mmY = h.i32(84);
    const double pxPerMm = 96.0 / 25.4;
    double width = (frame.right() - frame.left()) / 100.0 * pxPerMm;
    double height = (frame.bottom() - frame.top()) / 100.0 * pxPerMm;
    const bool deviceKnown = devX > 0 && devY > 0 && mmX > 0 && mmY > 0;
    QTransform toBitmap;
    if (deviceKnown && width >= 1 && height >= 1) {
        const double devPerMmX = devX / mmX, devPerMmY = devY / mmY;
        toBitmap =
            QTransform::fromTranslate(-frame.left() / 100.0 * devPerMmX, -frame.top() / 100.0 * devPerMmY) *
            QTransform::fromScale(pxPerMm / devPerMmX, pxPerMm / devPerMmY);
    } else {
        const QRectF bounds = h.rect(8);
        width = bounds.right() - bounds.left() + 1;
        height = bounds.bottom() - bounds.top() + 1;
        toBitmap = QTransform::fromTranslate(-bounds.left(), -bounds.top());
    }
    const std::int64_t w = std::llround(width), hgt = std::llround(height);
    if (!(width >= 1 && height >= 1) || w > 32767 || hgt > 32767 || w * hgt > kMaxDecodedPixels)
        return {};
    const QSize played = PlaySize(w, hgt, bytes.size());
    toBitmap *= QTransform::fromScale(double(played.width()) / double(w), double(played.height()) / double(hgt));

    Bitmap out(played.width(), played.height(), RGBRef(255, 255, 255));
    bool ended = false;
    {
        Player dc(out.image(), toBitmap);
        if (deviceKnown)
            dc.setDeviceResolution(devX / mmX, devY / mmY);
        std::uint32_t off = 0;
        std::int64_t records = 0;
        bool damaged = false;
        while (!ended && !damaged && off + 8 <= size) {
            std::uint32_t type, n;
            std::memcpy(&type, data + off, 4);
            std::memcpy(&n, data + off + 4, 4);
            // A record reaching past the file's end means the file was cut.
            if (n > size - off)
                break;
            // Every record moves on by at least its 8-byte head, so the
            // walk cannot loop; a damaged record ends the play, keeping
            // what was drawn.
            damaged = n < 8 || n % 4 != 0 || ++records > kMaxRecords;
            if (damaged)
                break;
            const auto* rec = reinterpret_cast<const char*>(data + off);
            if (type == U_EMR_EOF)
                ended = true;
            else if (off > 0 && U_emf_record_safe(rec))
                PlayRecord(dc, Record{data + off, n}, type);
            off += n;
        }
        // A file that ends before its end-of-file record was cut short.
        if (!ended && !damaged)
            return {};
    }
    return out;
}

} // namespace vlm::metafile

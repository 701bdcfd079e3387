#include "render/shadows.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "render/draw_item.h"
#include "render/drawn_box.h"
#include "render/pens.h"
#include "render/polar.h"
#include "render/resample.h"
#include "render/shadow_cache.h"
#include "render/shadow_composite.h"
#include "render/shapes.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vlm {

namespace {

// A shadow bitmap larger than this on a side is cut to the part near the
// canvas: only a huge Item at a large zoom, or a damaged record, asks for it.
constexpr int kMaxShadowSide = 4096;
// Beyond this a margin would only come from a damaged weight.
constexpr int kMaxMargin = 4096;

// The B-spline filter: soft, and never overshoots into a ring.
constexpr int kBlurFilter = 4;

int ElevationPixels(int elevation, const ScreenMetrics& metrics)
{
    return Round(Round(elevation / 8.5) / 96.0 * metrics.dpiY);
}

// One channel c of the canvas under a shadow pixel of blue b:
// c + Round((b - 255) * c / 255), which is c - Round((255 - b) * c / 255); the
// quotient never falls on a half, and x div 255 = (x + 1 + (x >> 8)) >> 8 for
// every x that occurs here. Blue 255 leaves the channel as it is.
inline std::uint32_t Darken(std::uint32_t c, std::uint32_t f)
{
    const std::uint32_t x = f * c + 127;
    return c - ((x + 1 + (x >> 8)) >> 8);
}

// The pen that reaches furthest past the drawn points of the Item.
int OutlinePen(const DrawContext& ctx, const Item& item)
{
    const DrawingFields& d = item.rec.d;
    switch (d.kind) {
    case KindLine:
        return std::max(LineWidthAtZoom(ctx.zoom, d.penWidth), PenWidthAtZoom(ctx.zoom, d.outlineWeight, ctx.metrics));
    case KindText:
    case KindClip:
        return 0;
    default:
        return OutlineWidth(ctx, item);
    }
}

// Draws what the Item casts into the shadow bitmap, its drawing context
// already moved to the bitmap and by the shadow's offset.
void CastShape(Canvas& canvas, const DrawContext& ctx, const Item& item, const TextLinePlacement* line,
               QPoint lineShift)
{
    const ColorRef colour = *ctx.substituteColor;
    if (item.rec.d.kind == KindText && line) {
        if (line->font)
            canvas.drawText(*line->font, line->reference + lineShift, line->text, colour);
        return;
    }
    if (item.rec.d.kind == KindClip) {
        bool round = false;
        const std::vector<QPoint> outline = ClipShadowOutline(ctx, item, round);
        canvas.setPen(colour, 1);
        canvas.setSolidBrush(colour);
        if (round)
            canvas.ellipse(outline[0].x(), outline[0].y(), outline[1].x(), outline[1].y());
        else
            canvas.polygon(outline);
        return;
    }
    DrawFlatBody(canvas, ctx, item);
}

} // namespace

int ShadowOffset(double zoom, int elevation, const ScreenMetrics& metrics)
{
    return Round(zoom * ElevationPixels(elevation, metrics));
}

double ShadowSpread(int fade)
{
    return std::clamp(fade / 30.0 + 1.0, 1.0, 5.0);
}

QPoint ShadowDirection(int lightDirection)
{
    switch (lightDirection) {
    case 1:
        return {-1, 1};
    case 2:
        return {1, -1};
    case 3:
        return {-1, -1};
    default:
        return {1, 1};
    }
}

int ShadowReach(const Item& item, const ScreenMetrics& metrics)
{
    const DrawingFields& d = item.rec.d;
    int r = ElevationPixels(d.shadowElevation, metrics) + d.shadowFade;
    if (d.kind == KindClip && d.framed) {
        // A weight read from a damaged record may be anything.
        const double weight = d.weight; // a copy: the record is packed
        const double mm = std::isfinite(weight) ? std::clamp(weight, 0.0, 10000.0) : 0.0;
        r -= PenWidthAtZoom(1.0, mm, metrics);
    }
    return r;
}

PixelRect GrownByShadowReach(const PixelRect& extent, const Item& item, const ScreenMetrics& metrics,
                             int lightDirection)
{
    const int reach = ShadowReach(item, metrics);
    if (reach < 1)
        return extent;
    PixelRect e = extent;
    const QPoint towards = ShadowDirection(lightDirection);
    if (towards.x() < 0)
        e.left = Clamp32(std::int64_t{e.left} - reach);
    else
        e.right = Clamp32(std::int64_t{e.right} + reach);
    if (towards.y() < 0)
        e.top = Clamp32(std::int64_t{e.top} - reach);
    else
        e.bottom = Clamp32(std::int64_t{e.bottom} + reach);
    return e;
}

ShadowScratch::ShadowScratch(bool keepCast) : keepCast_(keepCast) {}
ShadowScratch::~ShadowScratch() = default;

Bitmap& ShadowScratch::take(int slot, int width, int height, ColorRef fill, const Bitmap& like)
{
    Slot& s = slots_[std::clamp(slot, 0, 1)];
    s.bitmap = Bitmap();
    if (width < 1 || height < 1)
        return s.bitmap;
    const std::size_t need = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (s.memory.size() < need)
        s.memory.resize(need);
    QImage image(reinterpret_cast<uchar*>(s.memory.data()), width, height,
                 static_cast<qsizetype>(width) * 4, QImage::Format_RGB32);
    // Glyphs drawn into the bitmap must come out as on the canvas.
    image.setDotsPerMeterX(like.image().dotsPerMeterX());
    image.setDotsPerMeterY(like.image().dotsPerMeterY());
    s.bitmap = Bitmap(std::move(image));
    s.bitmap.fill(fill);
    return s.bitmap;
}

Bitmap& ShadowScratch::cast(int width, int height, ColorRef fill, const Bitmap& like)
{
    // Beyond this a cast has a bitmap of its own, so that one huge Item does
    // not leave a huge bitmap behind.
    constexpr std::int64_t kKeptPixels = std::int64_t{1} << 20;
    if (!keepCast_ || width < 1 || height < 1 || std::int64_t{width} * height > kKeptPixels) {
        cast_ = Bitmap();
        return take(0, width, height, fill, like);
    }
    if (cast_.width() < width || cast_.height() < height) {
        // Room to spare, so that the next few sizes fit too.
        const int w = std::max(cast_.width(), (width + 63) / 64 * 64);
        const int h = std::max(cast_.height(), (height + 63) / 64 * 64);
        cast_ = std::int64_t{w} * h <= kKeptPixels ? Bitmap(w, h, fill) : Bitmap(width, height, fill);
    }
    QImage& image = cast_.image();
    // Glyphs drawn into the bitmap must come out as on the canvas.
    if (image.dotsPerMeterX() != like.image().dotsPerMeterX())
        image.setDotsPerMeterX(like.image().dotsPerMeterX());
    if (image.dotsPerMeterY() != like.image().dotsPerMeterY())
        image.setDotsPerMeterY(like.image().dotsPerMeterY());
    const std::uint32_t value = Bitmap::toArgb(fill);
    for (int y = 0; y < height; ++y)
        std::fill_n(cast_.row(y), width, value);
    return cast_;
}

ChannelPlane ShadowScratch::plane(int slot, int width, int height)
{
    std::vector<std::uint8_t>& memory = planes_[std::clamp(slot, 0, 2)];
    if (width < 1 || height < 1)
        return {};
    const std::size_t need = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (memory.size() < need)
        memory.resize(need);
    return ChannelPlane{memory.data(), width, height, static_cast<std::size_t>(width)};
}

namespace {

// The size a shadow is blurred down to; false when it would not shrink.
bool BlurSize(int w, int h, int fade, double deviceScale, int& ws, int& hs)
{
    if (fade <= 0)
        return false;
    // On a device finer than the screen the reduction is that much stronger,
    // so that the softness keeps its width on paper; at the screen's own
    // resolution (scale 1) the sizes are exactly the screen's.
    const double scale = deviceScale > 1.0 && std::isfinite(deviceScale) ? std::min(deviceScale, 1e6) : 1.0;
    ws = Round(w * 10.0 / ((fade + 10) * scale));
    hs = Round(h * 10.0 / ((fade + 10) * scale));
    if (ws >= w || hs >= h)
        return false;
    ws = std::max(ws, 6);
    hs = std::max(hs, 6);
    return true;
}

// Darkens canvas pixels out[from..to] by the shadow pixels s[from..to] (only
// their low byte, the blue, is read); `wide` lets the AVX2 loop run.
template <class Pixel>
void DarkenSpan(const Pixel* s, std::uint32_t* out, int from, int to, [[maybe_unused]] bool wide)
{
    const int hi = to;
    int x = from;
    if constexpr (sizeof(*s) == 1) {
        if (wide) {
            shadow_detail::darkenRowAvx2(reinterpret_cast<const std::uint8_t*>(s + x), out + x, hi + 1 - x);
            return;
        }
    }
#ifdef __SSE2__
    if constexpr (sizeof(*s) == 1) {
        // Four pixels at a time in 16-bit lanes: f * c + 127 and the
        // division's sums all stay below 2^16.
        const __m128i zero = _mm_setzero_si128();
        const __m128i ones = _mm_set1_epi8(static_cast<char>(0xff));
        const __m128i round = _mm_set1_epi16(127);
        const __m128i one = _mm_set1_epi16(1);
        const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000u));
        auto darken = [&](__m128i c, __m128i f) {
            const __m128i v = _mm_add_epi16(_mm_mullo_epi16(f, c), round);
            return _mm_sub_epi16(c, _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, one), _mm_srli_epi16(v, 8)), 8));
        };
        for (; x + 3 <= hi; x += 4) {
            std::int32_t four;
            std::memcpy(&four, s + x, 4);
            const __m128i f8 = _mm_xor_si128(_mm_cvtsi32_si128(four), ones);
            const __m128i f16 = _mm_unpacklo_epi8(f8, zero);
            const __m128i f2 = _mm_unpacklo_epi16(f16, f16);
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + x));
            const __m128i lo01 = darken(_mm_unpacklo_epi8(p, zero), _mm_unpacklo_epi32(f2, f2));
            const __m128i hi23 = darken(_mm_unpackhi_epi8(p, zero), _mm_unpackhi_epi32(f2, f2));
            const __m128i darker = _mm_or_si128(_mm_packus_epi16(lo01, hi23), opaque);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), darker);
        }
    }
#endif
    for (; x <= hi; ++x) {
        const std::uint32_t f = 255u - (s[x] & 0xffu);
        const std::uint32_t p = out[x];
        out[x] = 0xff000000u | (Darken((p >> 16) & 0xffu, f) << 16) | (Darken((p >> 8) & 0xffu, f) << 8) |
                 Darken(p & 0xffu, f);
    }
}

// The canvas under a shadow of width x height at `at`, each row's shadow
// pixels found by shadowRow(row); only the low byte (blue) of them is read.
template <class RowOf>
void CompositeRows(Canvas& canvas, int width, int height, QPoint at, RowOf shadowRow)
{
    Bitmap& target = canvas.bitmap();
    const int x0 = std::max(at.x(), 0);
    const int y0 = std::max(at.y(), 0);
    const int x1 = static_cast<int>(std::min<long long>(static_cast<long long>(at.x()) + width, target.width()));
    const int y1 = static_cast<int>(std::min<long long>(static_cast<long long>(at.y()) + height, target.height()));
    if (x0 >= x1 || y0 >= y1)
        return;
    // Most of a shadow bitmap is white margin: on each row only the stretch
    // between the first and the last shaded pixel is worked on, branch-free
    // (white leaves a pixel as it is), so the canvas around it is not even read.
    // Row addresses from the first row: asking the image for each would
    // check its sharing every time.
    std::uint32_t* const firstRow = target.row(0);
    const std::size_t pitch = static_cast<std::size_t>(target.image().bytesPerLine()) / 4;
    auto canvasRow = [&](int y) { return firstRow + static_cast<std::size_t>(y) * pitch; };
    [[maybe_unused]] const bool wide = shadow_detail::haveCompositeKernel();
    for (int y = y0; y < y1; ++y) {
        const auto* s = shadowRow(y - at.y()) - at.x();
        int lo = x0;
        int hi = x1 - 1;
        if constexpr (sizeof(*s) == 1) {
            // Eight mask bytes at a time through the white margins.
            constexpr std::uint64_t kWhiteBytes = ~std::uint64_t{0};
            std::uint64_t word;
            while (lo + 8 <= x1 && (std::memcpy(&word, s + lo, 8), word == kWhiteBytes))
                lo += 8;
            while (hi - 7 >= lo && (std::memcpy(&word, s + hi - 7, 8), word == kWhiteBytes))
                hi -= 8;
        }
        while (lo < x1 && (s[lo] & 0xffu) == 0xffu)
            ++lo;
        if (lo == x1)
            continue;
        while ((s[hi] & 0xffu) == 0xffu)
            --hi;
        std::uint32_t* out = canvasRow(y);
        // The canvas rows under a shadow are rarely in the cache: ask for the
        // next ones while this one is worked on.
        for (int ahead = y + 1; ahead <= y + 2 && ahead < y1; ++ahead) {
            const std::uint32_t* next = canvasRow(ahead);
            for (int x = lo; x <= hi; x += 16)
                __builtin_prefetch(next + x, 1);
        }
        DarkenSpan(s, out, lo, hi, wide);
    }
}

} // namespace

void BlurShadow(Bitmap& shadow, int fade, ShadowScratch& scratch, double deviceScale)
{
    int ws = 0;
    int hs = 0;
    if (shadow.isNull() || !BlurSize(shadow.width(), shadow.height(), fade, deviceScale, ws, hs))
        return;
    Bitmap& small = scratch.take(1, ws, hs, RGBRef(0, 0, 0), shadow);
    resample(shadow, small, kBlurFilter);
    resample(small, shadow, kBlurFilter);
}

ChannelPlane BlurredShadowMask(const Bitmap& shadow, int width, int height, int fade, ShadowScratch& scratch,
                               std::vector<RowReach>* reach, double deviceScale)
{
    if (reach)
        reach->clear();
    const int w = std::min(width, shadow.width());
    const int h = std::min(height, shadow.height());
    if (shadow.isNull() || w < 1 || h < 1)
        return {};
    const ChannelPlane mask = scratch.plane(0, w, h);
    int ws = 0;
    int hs = 0;
    if (!BlurSize(w, h, fade, deviceScale, ws, hs)) {
        copyBlue(shadow, mask);
        return mask;
    }
    const ChannelPlane blue = scratch.plane(2, w, h);
    copyBlue(shadow, blue);
    const ChannelPlane small = scratch.plane(1, ws, hs);
    resampleChannel(blue, small, kBlurFilter);
    resampleChannel(small, mask, kBlurFilter, reach);
    return mask;
}

void CompositeShadow(Canvas& canvas, const Bitmap& shadow, QPoint at)
{
    CompositeRows(canvas, shadow.width(), shadow.height(), at, [&](int r) { return shadow.row(r); });
}

void CompositeShadow(Canvas& canvas, const ChannelPlane& mask, QPoint at)
{
    if (mask.bits == nullptr)
        return;
    CompositeRows(canvas, mask.width, mask.height, at,
                  [&](int r) -> const std::uint8_t* { return mask.bits + static_cast<std::size_t>(r) * mask.pitch; });
}

namespace {

// Appends the bytes of plain values to a fingerprint.
class Bytes
{
public:
    template <class T>
    Bytes& operator<<(const T& v)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
        out.insert(out.end(), p, p + sizeof(T));
        return *this;
    }
    Bytes& raw(const void* p, std::size_t n)
    {
        *this << n;
        const auto* b = static_cast<const std::uint8_t*>(p);
        out.insert(out.end(), b, b + n);
        return *this;
    }
    Bytes& operator<<(const QString& s) { return raw(s.constData(), static_cast<std::size_t>(s.size()) * 2); }
    Bytes& operator<<(QPoint p) { return *this << p.x() << p.y(); }
    Bytes& operator<<(const std::optional<ColorRef>& c) { return *this << c.has_value() << c.value_or(0); }

    std::vector<std::uint8_t> out;
};

} // namespace

std::vector<std::uint8_t> ShadowFingerprint(const Bitmap& target, const DrawContext& ctx, const Item& item,
                                            const TextLinePlacement* line, bool movable)
{
    Bytes b;
    b.out.reserve(sizeof(ItemRecord) + 160 + item.vertices.size() * sizeof(Vertex) + item.text.size() * 2);
    // The record as stored: no padding of undefined bytes.
    b.raw(&item.rec, sizeof(ItemRecord));
    b.raw(item.vertices.data(), item.vertices.size() * sizeof(Vertex));
    b.raw(item.text.data(), item.text.size() * sizeof(char16_t));
    // A custom line pattern lives in a record of its own.
    const std::int32_t pattern = item.rec.d.pattern;
    const Item* patternRecord = ctx.items && pattern < 0 ? FindLinePattern(*ctx.items, pattern) : nullptr;
    b << (patternRecord != nullptr);
    if (patternRecord)
        b.raw(&patternRecord->rec, sizeof(ItemRecord));
    // Every plain field of the context but the effects, which a cast never draws.
    b << movable;
    if (!movable)
        b << ctx.originX << ctx.originY << target.width() << target.height();
    b << ctx.zoom << ctx.scaleX << ctx.deviceScale << ctx.metrics.dpiX << ctx.metrics.dpiY
      << ctx.metrics.pxPerMmX << ctx.metrics.pxPerMmY << ctx.items << ctx.lightDirection << ctx.fastPaint
      << ctx.showPictures << ctx.fontQuality << ctx.anchorWidth << ctx.anchorHeight << ctx.guideColor
      << ctx.guideBackColor << ctx.textFrameColor << ctx.substituteColor << ctx.substituteFill;
    // The canvas resolution sizes glyphs.
    const QImage& image = target.image();
    b << image.dotsPerMeterX() << image.dotsPerMeterY();
    b << (line != nullptr);
    if (line) {
        const QPoint page(ctx.originX, ctx.originY);
        b << line->line << line->text << line->baseline + page << line->reference + page << line->angle
          << (line->font != nullptr);
        // The font is made from the record's fields and the context above;
        // the face it resolved to and its metrics tell any font apart that
        // could still differ.
        if (line->font)
            b << line->font->family() << line->font->pixelSize()
              << line->font->ascent() << line->font->descent() << line->font->overhang() << line->font->escapement();
    }
    return std::move(b.out);
}

void CompositeShadow(Canvas& canvas, const ShadowMaskCache::Mask& mask, QPoint at)
{
    Bitmap& target = canvas.bitmap();
    const int w = target.width();
    const int h = target.height();
    if (mask.runs.empty() || w < 1 || h < 1)
        return;
    std::uint32_t* const firstRow = target.row(0);
    const std::size_t pitch = static_cast<std::size_t>(target.image().bytesPerLine()) / 4;
    const bool wide = shadow_detail::haveCompositeKernel();
    const std::vector<ShadowMaskCache::Run>& runs = mask.runs;
    // The run's place on the canvas, cut to it; false when nothing is left.
    auto place = [&](const ShadowMaskCache::Run& r, long long& y, long long& from, long long& to) {
        y = static_cast<long long>(at.y()) + r.y;
        const long long x = static_cast<long long>(at.x()) + r.x;
        from = std::max(x, 0LL);
        to = std::min(x + r.length, static_cast<long long>(w));
        return y >= 0 && y < h && from < to;
    };
    for (std::size_t i = 0; i < runs.size(); ++i) {
        long long y, from, to;
        // The canvas under a shadow is rarely in the cache: ask for what the
        // run after next covers while this one is worked on.
        if (i + 2 < runs.size() && place(runs[i + 2], y, from, to)) {
            const std::uint32_t* ahead = firstRow + static_cast<std::size_t>(y) * pitch;
            for (long long x = from; x < to; x += 16)
                __builtin_prefetch(ahead + x, 1);
            __builtin_prefetch(ahead + to - 1, 1);
        }
        const ShadowMaskCache::Run& r = runs[i];
        if (!place(r, y, from, to))
            continue;
        const long long x = static_cast<long long>(at.x()) + r.x;
        const std::uint8_t* s = mask.bytes.data() + r.offset + (from - x);
        std::uint32_t* out = firstRow + static_cast<std::size_t>(y) * pitch + from;
        DarkenSpan(s, out, 0, static_cast<int>(to - from) - 1, wide);
    }
}

void DrawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item, const TextLinePlacement* line,
                ShadowScratch& scratch, ShadowMaskCache* cache)
{
    const DrawingFields& d = item.rec.d;
    if (d.shadowElevation == 0)
        return;
    if (d.kind == KindClip && d.shadowLightness == 0)
        return;
    const bool oneLine = d.kind == KindText && line && line->font;
    const std::vector<QPoint> points = oneLine ? TextLineOutline(*line) : DrawnPoints(ctx, item);
    QRect box = BoundsOf(points);
    if (box.isNull())
        return;
    box.setWidth(std::max(box.width(), 10));
    box.setHeight(std::max(box.height(), 10));

    const int offset = ShadowOffset(ctx.zoom, d.shadowElevation, ctx.metrics);
    const double spread = ShadowSpread(d.shadowFade);
    const int margin = std::clamp<long long>(Round(2.0 * offset * spread) + 2LL * OutlinePen(ctx, item), 0, kMaxMargin);
    QRect area = box.adjusted(-margin, -margin, margin, margin);
    const QRect near = QRect(0, 0, canvas.width(), canvas.height()).adjusted(-2 * margin, -2 * margin, 2 * margin,
                                                                               2 * margin);
    if (!area.intersects(QRect(0, 0, canvas.width(), canvas.height())))
        return;
    // Where the cast is not cut to the canvas, and no point came near the
    // limits of canvas coordinates, the mask is the same wherever the canvas
    // lies on the page: it is drawn with the same origin on the page.
    constexpr int kMovableReach = 1 << 25;
    constexpr int kMovableOrigin = 1 << 29;
    const bool cut = area.width() > kMaxShadowSide || area.height() > kMaxShadowSide;
    const bool movable = !cut && std::abs(box.left()) < kMovableReach && std::abs(box.right()) < kMovableReach &&
                         std::abs(box.top()) < kMovableReach && std::abs(box.bottom()) < kMovableReach &&
                         std::abs(ctx.originX) < kMovableOrigin && std::abs(ctx.originY) < kMovableOrigin;
    if (cut)
        area &= near;
    if (area.isEmpty())
        return;

    // The copy moves Round(offset / zoom) document pixels away from the light.
    const double zoom = ctx.zoom > 0 && std::isfinite(ctx.zoom) ? ctx.zoom : 1.0;
    const int move = Round(zoom * Round(offset / zoom));
    const QPoint direction = ShadowDirection(ctx.lightDirection);
    const QPoint shift(direction.x() * move, direction.y() * move);

    // Everything up to here is cheap; the cast and the blur are not.
    std::vector<std::uint8_t> fingerprint;
    const int lineKey = line ? line->line : 0;
    // Kept masks are placed on the page; movable is false where that could
    // overflow, and then the origin is part of the fingerprint.
    const QPoint page = movable ? QPoint(ctx.originX, ctx.originY) : QPoint(0, 0);
    if (cache) {
        fingerprint = ShadowFingerprint(canvas.bitmap(), ctx, item, line, movable);
        if (const ShadowMaskCache::Mask* kept = cache->find(&item, lineKey, fingerprint)) {
            CompositeShadow(canvas, *kept, kept->at - page);
            return;
        }
    }

    Bitmap& shadow = scratch.cast(area.width(), area.height(), RGBRef(255, 255, 255), canvas.bitmap());
    if (shadow.isNull())
        return;
    {
        DrawContext cast = ctx;
        cast.originX = Clamp32(std::int64_t{ctx.originX} + area.left() - shift.x());
        cast.originY = Clamp32(std::int64_t{ctx.originY} + area.top() - shift.y());
        cast.substituteColor = ShadowColor(d.shadowLightness);
        cast.substituteFill.reset();
        cast.effects = nullptr;
        Canvas c(shadow);
        CastShape(c, cast, item, oneLine ? line : nullptr, shift - area.topLeft());
    }
    thread_local std::vector<RowReach> reach;
    const ChannelPlane mask =
        BlurredShadowMask(shadow, area.width(), area.height(), d.shadowFade, scratch, cache ? &reach : nullptr,
                          ctx.deviceScale);
    // What is kept is drawn from its runs: the mask's white is not read twice.
    if (cache && mask.bits) {
        if (const ShadowMaskCache::Mask* kept =
                cache->keep(&item, lineKey, std::move(fingerprint), mask, area.topLeft() + page, reach)) {
            CompositeShadow(canvas, *kept, area.topLeft());
            return;
        }
    }
    CompositeShadow(canvas, mask, area.topLeft());
}

} // namespace vlm

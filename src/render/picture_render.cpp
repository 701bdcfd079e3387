#include "render/picture_render.h"

#include "model/item_list.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/pens.h"
#include "render/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace vlm {

namespace {

// A Clip whose rendering would be larger than this is not drawn: only a
// damaged record or an absurd zoom asks for it.
constexpr std::int64_t kMaxRenderedPixels = 100'000'000;
// Wider frames come only from damaged weights.
constexpr int kMaxFrameWidth = 4096;

const Item* PictureOf(const DrawContext& ctx, const Item& clip)
{
    return ctx.items ? PictureById(*ctx.items, clip.rec.d.pictureId) : nullptr;
}

bool Affordable(std::int64_t w, std::int64_t h)
{
    // Divided, not multiplied: a damaged clip's sides can be near 2^32 each.
    return w > 0 && h > 0 && w <= kMaxRenderedPixels / h;
}

// ---------------------------------------------------------------- cache

struct CachedRendering
{
    Bitmap bitmap; // shares the cache record's bytes
    QPoint offset;
    QSize rotatedSize;
};

void StoreCache(Item& clip, const Bitmap& bitmap, QPoint offset, QSize rotated)
{
    clip.cache = std::make_unique<ItemList>();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(bitmap.image().constBits());
    const std::size_t size = static_cast<std::size_t>(bitmap.image().sizeInBytes());
    // The first record is drawn from; the second keeps the same picture.
    for (const std::int32_t kind : {KindClipCache, KindClipCacheSource}) {
        Item& k = NewItem(*clip.cache, kind);
        k.rec.d.x1 = offset.x();
        k.rec.d.y1 = offset.y();
        k.rec.d.x2 = rotated.width();
        k.rec.d.y2 = rotated.height();
        k.rec.d.width = bitmap.width();
        k.rec.d.height = bitmap.height();
        k.pictureData.assign(bytes, bytes + size);
    }
}

std::optional<CachedRendering> ReadCache(const Item& clip)
{
    if (!clip.cache)
        return std::nullopt;
    for (const Item& k : *clip.cache) {
        if (k.rec.d.kind != KindClipCache)
            continue;
        const int w = k.rec.d.width, h = k.rec.d.height;
        if (w < 1 || h < 1 || k.pictureData.size() != static_cast<std::size_t>(w) * h * 4)
            return std::nullopt;
        QImage view(k.pictureData.data(), w, h, w * 4, QImage::Format_RGB32);
        return CachedRendering{Bitmap(view), QPoint(k.rec.d.x1, k.rec.d.y1), QSize(k.rec.d.x2, k.rec.d.y2)};
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- geometry

// The box of a rectangular Clip on the canvas, whichever way its corners lie.
QRect CanvasBox(const DrawContext& ctx, const DrawingFields& d)
{
    const int x1 = ctx.toCanvasX(d.x1), x2 = ctx.toCanvasX(d.x2);
    const int y1 = ctx.toCanvasY(d.y1), y2 = ctx.toCanvasY(d.y2);
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
}

// The circle of a round Clip on the canvas: its bounding square's corner at
// the bounding box's minimum, and its radius.
struct CanvasCircle
{
    QPoint centre;
    QPoint corner;
    int radius = 0;
};
CanvasCircle CircleOf(const DrawContext& ctx, const DrawingFields& d)
{
    const QPoint c = ctx.toCanvas(d.x1, d.y1), rim = ctx.toCanvas(d.x2, d.y2);
    const double dist = std::hypot(double(rim.x()) - c.x(), double(rim.y()) - c.y());
    return CanvasCircle{c, ctx.toCanvas(d.left, d.top), std::min(Round(dist), DrawContext::kCanvasReach)};
}

Bitmap CanvasRegion(Canvas& canvas, const QRect& r)
{
    Bitmap region(r.width(), r.height());
    Canvas(region).copyRect(canvas.bitmap(), r, QPoint(0, 0));
    return region;
}

Bitmap Copy(const Bitmap& b, const QRect& r)
{
    return Bitmap(b.image().copy(r));
}

// Pixels of `square` whose centres lie within its inscribed circle.
template <typename F> void ForEachInCircle(int n, F&& f)
{
    const std::int64_t n2 = std::int64_t{n} * n;
    for (int j = 0; j < n; ++j) {
        const std::int64_t v = 2 * j + 1 - n;
        for (int i = 0; i < n; ++i) {
            const std::int64_t u = 2 * i + 1 - n;
            if (u * u + v * v <= n2)
                f(i, j);
        }
    }
}

// Copies the round picture onto the canvas at `corner`, the canvas showing
// outside its circle.
void DrawMasked(Canvas& canvas, const Bitmap& square, QPoint corner)
{
    const int n = square.width();
    const QRect at(corner, QSize(n, n));
    Bitmap region = CanvasRegion(canvas, at);
    ForEachInCircle(n, [&](int i, int j) { region.row(j)[i] = square.row(j)[i]; });
    canvas.copyRect(region, region.image().rect(), corner);
}

void DrawRotated(Canvas& canvas, const Bitmap& framed, QPoint at, QSize size, double angle)
{
    Bitmap region = CanvasRegion(canvas, QRect(at, size));
    RotateInto(framed, region, angle);
    canvas.copyRect(region, region.image().rect(), at);
}

// Resample, adjust, mirror: the steps rectangular and round clips share.
Bitmap Finish(const Bitmap& crop, int w, int h, const DrawingFields& d, const PictureServices& services)
{
    Bitmap target(w, h);
    resample(crop, target, 6);
    const std::int32_t s = d.colorEffects[0], c = d.colorEffects[1], l = d.colorEffects[2];
    if (s != 0 || c != 0 || l != 0)
        services.applyColorEffects(target, s, c, l);
    if (d.scaleX < 0)
        MirrorBitmap(target);
    if (d.scaleY < 0)
        FlipBitmap(target);
    return target;
}

// The Clip's picture turned and mirrored; null when it does not decode or
// is narrower or lower than 2 pixels.
PreparedPicture Prepare(const PictureServices& services, const Item& picture, const DrawingFields& d,
                        int reduction, int enlargement)
{
    PreparedPicture p = services.prepare(picture, d.mirrorX, d.mirrorY, d.pictureTurn, reduction, enlargement);
    if (p.bitmap.width() < 2 || p.bitmap.height() < 2)
        p.bitmap = Bitmap();
    return p;
}

std::int64_t FloorDiv(std::int64_t a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// ---------------------------------------------------------------- pipelines

void RenderRectangular(Canvas& canvas, const DrawContext& ctx, Item& clip, const PictureServices& services)
{
    const DrawingFields& d = clip.rec.d;
    const Item* picture = PictureOf(ctx, clip);
    const QRect box = CanvasBox(ctx, d);
    const int tw = box.width(), th = box.height();
    if (!picture || tw <= 2 || th <= 2)
        return;
    // Packed fields: copied before std::min and std::max take references.
    const std::int64_t s0 = d.sourceRect[0], s1 = d.sourceRect[1], s2 = d.sourceRect[2], s3 = d.sourceRect[3];
    const std::int64_t sl = std::min(s0, s2), st = std::min(s1, s3);
    const std::int64_t sr = std::max(s0, s2), sb = std::max(s1, s3);
    const int c = FrameWidth(ctx, clip);
    if (sr - sl <= 2 || sb - st <= 2 || !Affordable(tw + 2LL * c, th + 2LL * c))
        return;

    const int reduction = ReductionFor(Clamp32(sr - sl), Clamp32(sb - st), tw, th);
    const int enlargement = enlargementFor(Clamp32(sr - sl), Clamp32(sb - st), tw, th);
    const PreparedPicture prepared = Prepare(services, *picture, d, reduction, enlargement);
    const Bitmap& source = prepared.bitmap;
    if (source.isNull())
        return;
    // The crop, at the decoded scale and within the prepared picture: a
    // whole-picture clip of an odd-sized picture turned a quarter reaches one
    // pixel past it.
    const int k = std::max(1, prepared.reduction);
    const int e = std::max(1, prepared.enlargement);
    const std::int64_t l = std::clamp<std::int64_t>(FloorDiv(sl * e, k), 0, source.width());
    const std::int64_t t = std::clamp<std::int64_t>(FloorDiv(st * e, k), 0, source.height());
    const std::int64_t r = std::clamp<std::int64_t>(FloorDiv(sr * e + k - 1, k), 0, source.width());
    const std::int64_t b = std::clamp<std::int64_t>(FloorDiv(sb * e + k - 1, k), 0, source.height());
    if (r - l <= 2 || b - t <= 2)
        return;
    const QRect cropRect(int(l), int(t), int(r - l), int(b - t));
    const bool whole = cropRect == source.image().rect();
    Bitmap framed = Finish(whole ? source : Copy(source, cropRect), tw, th, d, services);
    if (c > 0) {
        Bitmap grown(tw + 2 * c, th + 2 * c);
        RectFrame(grown, ctx, clip, c);
        Canvas(grown).copyRect(framed, framed.image().rect(), QPoint(c, c));
        framed = std::move(grown);
    }
    const QPoint topLeft = box.topLeft();
    if (d.rotation == 0.0) {
        canvas.copyRect(framed, framed.image().rect(), topLeft - QPoint(c, c));
        StoreCache(clip, framed, QPoint(c, c), QSize(0, 0));
        return;
    }
    const int w = framed.width() & ~1, h = framed.height() & ~1;
    if (w != framed.width() || h != framed.height())
        framed = Copy(framed, QRect(0, 0, w, h));
    const double a = d.rotation;
    const int A = std::abs(Round(h * std::sin(a))) + std::abs(Round(w * std::cos(a)));
    const int B = std::abs(Round(w * std::sin(a))) + std::abs(Round(h * std::cos(a)));
    const int C = (A - w) / 2 + c, D = (B - h) / 2 + c;
    DrawRotated(canvas, framed, topLeft - QPoint(C, D), QSize(A, B), a);
    StoreCache(clip, framed, QPoint(C, D), QSize(A, B));
}

void RenderRound(Canvas& canvas, const DrawContext& ctx, Item& clip, const PictureServices& services)
{
    const DrawingFields& d = clip.rec.d;
    const Item* picture = PictureOf(ctx, clip);
    const CanvasCircle circle = CircleOf(ctx, d);
    const int n = 2 * std::min(circle.radius, DrawContext::kCanvasReach / 2);
    if (!picture || n <= 2 || !Affordable(n, n))
        return;
    const double rho =
        std::hypot(double(d.sourceRect[2]) - d.sourceRect[0], double(d.sourceRect[3]) - d.sourceRect[1]);
    const std::int64_t rs = Round(rho);
    if (2 * rs <= 2 || !Affordable(2 * rs, 2 * rs))
        return;
    const int reduction = ReductionFor(Clamp32(2 * rs), Clamp32(2 * rs), n, n);
    const int enlargement = enlargementFor(Clamp32(2 * rs), Clamp32(2 * rs), n, n);
    const PreparedPicture prepared = Prepare(services, *picture, d, reduction, enlargement);
    const Bitmap& source = prepared.bitmap;
    if (source.isNull())
        return;
    const int k = std::max(1, prepared.reduction);
    const int e = std::max(1, prepared.enlargement);
    const int side = Clamp32((2 * rs * e + k - 1) / k);
    if (side <= 2 || !Affordable(side, side))
        return;
    // The source square around the circle, white where it leaves the picture.
    Bitmap square(side, side);
    const std::int64_t sx = FloorDiv((std::int64_t{d.sourceRect[0]} - rs) * e, k);
    const std::int64_t sy = FloorDiv((std::int64_t{d.sourceRect[1]} - rs) * e, k);
    if (sx > -side && sy > -side && sx < source.width() && sy < source.height())
        Canvas(square).copyRect(source, QRect(int(sx), int(sy), side, side), QPoint(0, 0));

    Bitmap target = Finish(square, n, n, d, services);
    if (d.rotation != 0.0) {
        Bitmap turned(n, n);
        RotateInto(target, turned, d.rotation);
        target = std::move(turned);
    }
    DrawMasked(canvas, target, circle.corner);
    StoreCache(clip, target, QPoint(0, 0), QSize(0, 0));
    RoundFrame(canvas, ctx, clip, QRect(circle.corner, QSize(n, n)));
}

bool DrawFromCache(Canvas& canvas, const DrawContext& ctx, const Item& clip)
{
    const std::optional<CachedRendering> cached = ReadCache(clip);
    if (!cached)
        return false;
    const DrawingFields& d = clip.rec.d;
    if (d.clipShape == 2) {
        const CanvasCircle circle = CircleOf(ctx, d);
        if (cached->bitmap.width() != cached->bitmap.height())
            return false;
        DrawMasked(canvas, cached->bitmap, circle.corner);
        RoundFrame(canvas, ctx, clip, QRect(circle.corner, cached->bitmap.image().size()));
        return true;
    }
    const QPoint at = CanvasBox(ctx, d).topLeft() - cached->offset;
    if (d.rotation == 0.0)
        canvas.copyRect(cached->bitmap, cached->bitmap.image().rect(), at);
    else
        DrawRotated(canvas, cached->bitmap, at, cached->rotatedSize, d.rotation);
    return true;
}

} // namespace

int ReductionFor(int fullWidth, int fullHeight, int needWidth, int needHeight)
{
    for (const int k : {8, 4, 2})
        if (double(fullWidth) / k >= needWidth && double(fullHeight) / k >= needHeight)
            return k;
    return 1;
}

int enlargementFor(int fullWidth, int fullHeight, int needWidth, int needHeight)
{
    if (fullWidth <= 0 || fullHeight <= 0)
        return 1;
    const double e = std::max(double(needWidth) / fullWidth, double(needHeight) / fullHeight);
    return std::clamp(static_cast<int>(std::ceil(e - 1e-9)), 1, 16);
}

int FrameWidth(const DrawContext& ctx, const Item& clip)
{
    if (!clip.rec.d.framed)
        return 0;
    return std::clamp(PenWidthAtZoom(ctx.zoom, clip.rec.d.weight, ctx.metrics), 0, kMaxFrameWidth);
}

bool FrameShaded(const DrawContext& ctx, const Item& clip, int frameWidth)
{
    return clip.rec.d.surface != 0 && frameWidth > 3 && ctx.show3DEffects;
}

void RenderPicture(Canvas& canvas, const DrawContext& ctx, Item& clip, const PictureServices& services)
{
    if (clip.cache)
        clip.cache.reset();
    if (clip.rec.d.clipShape == 2)
        RenderRound(canvas, ctx, clip, services);
    else
        RenderRectangular(canvas, ctx, clip, services);
}

void DrawPicture(Canvas& canvas, const DrawContext& ctx, Item& clip, PictureMode mode,
                 const PictureServices& services)
{
    if (mode != PictureMode::Full) {
        DrawPictureOutline(canvas, ctx, clip, mode);
        return;
    }
    if (!DrawFromCache(canvas, ctx, clip))
        RenderPicture(canvas, ctx, clip, services);
}

std::function<void(Canvas&, const DrawContext&, Item&, PictureMode)>
PictureRendererFor(const PictureServices& services)
{
    return [&services](Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) {
        DrawPicture(canvas, ctx, item, mode, services);
    };
}

} // namespace vlm

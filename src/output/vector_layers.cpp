#include "output/vector_layers.h"

#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/drawn_box.h"
#include "render/text_render.h"
#include "render/view_extent.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

// No layer bitmap beyond this (two of them are made): a huge shadow is
// rendered coarser instead of taking the machine's memory.
constexpr double kMaxLayerPixels = 8.0 * 1024 * 1024;

} // namespace

QImage layerFromPair(const Bitmap& onWhite, const Bitmap& onBlack, QRect* cut)
{
    const int w = std::min(onWhite.width(), onBlack.width());
    const int h = std::min(onWhite.height(), onBlack.height());
    int left = w, right = -1, top = h, bottom = -1;
    QImage out(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32);
    if (w < 1 || h < 1 || out.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* W = onWhite.row(y);
        const std::uint32_t* B = onBlack.row(y);
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (W[x] == B[x]) {
                o[x] = W[x] | 0xff000000u;
            } else {
                // Over white a pixel of colour c and opacity a shows
                // a c + (1 - a) 255, over black a c: their difference is
                // (1 - a) 255, the same in every channel.
                const int a = std::clamp(255 - (qGreen(W[x]) - qGreen(B[x])), 0, 255);
                if (a == 0) {
                    o[x] = 0;
                    continue;
                }
                auto un = [a](int v) { return std::min(255, (v * 255 + a / 2) / a); };
                o[x] = qRgba(un(qRed(B[x])), un(qGreen(B[x])), un(qBlue(B[x])), a);
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    const QRect r(QPoint(left, top), QPoint(right, bottom));
    if (cut)
        *cut = r;
    return r == out.rect() ? out : out.copy(r);
}

VectorLayers::VectorLayers(const SheetEnvironment& env, double effectsScale, double pictureScaleLimit, bool keep,
                           std::function<void(const QImage&)> noted)
    : raster_(env.pictures), effectsScale_(effectsScale > 0 ? effectsScale : 0.5),
      pictureScaleLimit_(std::max(pictureScaleLimit, effectsScale_)), keep_(keep), noted_(std::move(noted))
{
}

void VectorLayers::place(Canvas& canvas, const PlacedLayer& layer) const
{
    if (layer.image.isNull())
        return;
    if (noted_)
        noted_(layer.image);
    canvas.drawImage(layer.at, layer.image);
}

const PlacedLayer& VectorLayers::layer(const Canvas& canvas, const DrawContext& ctx, const Item& item, Part part,
                                       double scale, const Painter& paint, bool* painted) const
{
    const auto key = std::make_tuple(&item, part);
    if (keep_) {
        if (auto it = kept_.find(key); it != kept_.end()) {
            if (painted)
                *painted = keptPainted_[key];
            return it->second;
        }
    }
    PlacedLayer out;
    bool didPaint = false;

    // The Item's area, from its box and from the points it is drawn
    // through (a box read from a file may be out of date), with room for its
    // outline, shadow and frame, in zoomed-page pixels of the vector canvas,
    // cut to the sheet.
    const PixelRect box = Normalized({item.rec.d.left, item.rec.d.top, item.rec.d.right, item.rec.d.bottom});
    const PixelRect e = Normalized(
        Unite(PaintExtent(item, ctx.metrics), RepaintExtent(item, ctx.metrics, ctx.lightDirection)));
    const double pad = std::max({0.0, double(box.left) - e.left, double(e.right) - box.right,
                                 double(box.top) - e.top, double(e.bottom) - box.bottom}) +
                       std::max({8.0, (double(box.right) - box.left) / 8.0, (double(box.bottom) - box.top) / 8.0});
    const double zx = ctx.scaleX > 0.0 ? ctx.scaleX : ctx.zoom;
    const double zy = ctx.zoom;
    double l = box.left * zx, r = box.right * zx, t = box.top * zy, b = box.bottom * zy;
    const QRect drawn = BoundsOf(DrawnPoints(ctx, item));
    if (!drawn.isNull()) {
        l = std::min(l, double(drawn.left()) + ctx.originX);
        r = std::max(r, double(drawn.right()) + ctx.originX);
        t = std::min(t, double(drawn.top()) + ctx.originY);
        b = std::max(b, double(drawn.bottom()) + ctx.originY);
    }
    const double left = std::max(l - pad * zx, double(ctx.originX));
    const double right = std::min(r + pad * zx, double(ctx.originX) + canvas.width());
    const double top = std::max(t - pad * zy, double(ctx.originY));
    const double bottom = std::min(b + pad * zy, double(ctx.originY) + canvas.height());
    if (right > left && bottom > top && std::isfinite(scale) && scale > 0) {
        const double area = (right - left) * (bottom - top) * scale * scale;
        if (area > kMaxLayerPixels)
            scale *= std::sqrt(kMaxLayerPixels / area);
        const long long L = static_cast<long long>(std::floor(left * scale));
        const long long T = static_cast<long long>(std::floor(top * scale));
        const int w = static_cast<int>(std::ceil(right * scale) - L);
        const int h = static_cast<int>(std::ceil(bottom * scale) - T);
        if (w >= 1 && h >= 1 && std::llabs(L) < (1LL << 30) && std::llabs(T) < (1LL << 30)) {
            DrawContext fx = ctx;
            fx.zoom = ctx.zoom * scale;
            fx.scaleX = ctx.scaleX > 0.0 ? ctx.scaleX * scale : 0.0;
            fx.deviceScale = ctx.deviceScale * scale;
            fx.originX = static_cast<int>(L);
            fx.originY = static_cast<int>(T);
            fx.effects = &raster_;
            Bitmap onWhite(w, h, RGBRef(255, 255, 255));
            Bitmap onBlack(w, h, RGBRef(0, 0, 0));
            if (!onWhite.isNull() && !onBlack.isNull()) {
                {
                    Canvas c(onWhite);
                    didPaint = paint(c, fx);
                }
                if (didPaint) {
                    {
                        Canvas c(onBlack);
                        paint(c, fx);
                    }
                    QRect cut;
                    out.image = layerFromPair(onWhite, onBlack, &cut);
                    out.at = QRectF((L + cut.x()) / scale - ctx.originX, (T + cut.y()) / scale - ctx.originY,
                                    cut.width() / scale, cut.height() / scale);
                    ++rendered_;
                }
            }
        }
    }
    if (painted)
        *painted = didPaint;
    if (keep_) {
        keptPainted_[key] = didPaint;
        return kept_[key] = std::move(out);
    }
    latest_ = std::move(out);
    return latest_;
}

double VectorLayers::pictureScale(const DrawContext& ctx, const Item& item) const
{
    // As many layer pixels as the picture has across its source rectangle.
    const DrawingFields& d = item.rec.d;
    const double sourceW = std::abs(double(d.sourceRect[2]) - d.sourceRect[0]);
    const double sourceH = std::abs(double(d.sourceRect[3]) - d.sourceRect[1]);
    const PixelRect box = Normalized({d.left, d.top, d.right, d.bottom});
    const double zx = ctx.scaleX > 0.0 ? ctx.scaleX : ctx.zoom;
    const double drawnW = (double(box.right) - box.left) * zx;
    const double drawnH = (double(box.bottom) - box.top) * ctx.zoom;
    double s = effectsScale_;
    if (drawnW > 0 && sourceW > 0)
        s = std::max(s, sourceW / drawnW);
    if (drawnH > 0 && sourceH > 0)
        s = std::max(s, sourceH / drawnH);
    return std::min(s, pictureScaleLimit_);
}

void VectorLayers::drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                              const TextLinePlacement* line) const
{
    if (!canvas.isVector()) {
        raster_.drawShadow(canvas, ctx, item, line);
        return;
    }
    // An Item without elevation casts nothing: no layer to render.
    if (item.rec.d.shadowElevation == 0)
        return;
    // A text asks line by line; its lines cast together, once, before the
    // first line is drawn.
    if (item.rec.d.kind == KindText && line) {
        if (textShadowDone_ == &item)
            return;
        textShadowDone_ = &item;
    }
    place(canvas, layer(canvas, ctx, item, Part::Shadow, effectsScale_, [&](Canvas& c, const DrawContext& fx) {
              raster_.drawShadow(c, fx, item, nullptr);
              return true;
          }));
}

bool VectorLayers::drawShaded(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                              const TextLinePlacement* line) const
{
    if (!canvas.isVector())
        return raster_.drawShaded(canvas, ctx, item, level, line);
    if (item.rec.d.kind == KindText) {
        // Every line shaded at once; the text's other lines are then done.
        if (textShadedDone_ == &item)
            return true;
        textShadedDone_ = &item;
        place(canvas, layer(canvas, ctx, item, Part::Shaded, effectsScale_, [&](Canvas& c, const DrawContext& fx) {
                  DrawText(c, fx, item, level, false);
                  return true;
              }));
        return true;
    }
    bool shaded = false;
    const PlacedLayer& l = layer(
        canvas, ctx, item, Part::Shaded, effectsScale_,
        [&](Canvas& c, const DrawContext& fx) { return raster_.drawShaded(c, fx, item, level, nullptr); }, &shaded);
    if (!shaded)
        return false;
    place(canvas, l);
    return true;
}

void VectorLayers::drawPicture(Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) const
{
    if (!canvas.isVector()) {
        raster_.drawPicture(canvas, ctx, item, mode);
        return;
    }
    place(canvas, layer(canvas, ctx, item, Part::Picture, pictureScale(ctx, item),
                        [&](Canvas& c, const DrawContext& fx) {
                            raster_.drawPicture(c, fx, item, mode);
                            return true;
                        }));
}

void VectorLayers::drawWhole(Canvas& canvas, const DrawContext& ctx, Item& item) const
{
    place(canvas, layer(canvas, ctx, item, Part::Whole, effectsScale_, [&](Canvas& c, const DrawContext& fx) {
              DrawItem(c, fx, item, false);
              return true;
          }));
}

void VectorLayers::forgetTexts()
{
    const auto isText = [](const auto& entry) { return std::get<0>(entry.first)->rec.d.kind == KindText; };
    std::erase_if(kept_, isText);
    std::erase_if(keptPainted_, isText);
}

} // namespace vlm

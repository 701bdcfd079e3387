#pragma once

// The raster parts of a vector sheet. Shadows, "Round" surfaces, shaded
// text, "Frame 3-D" and pictures are made of pixels by nature: each is
// rendered here by the same raster renderers the printed bitmap uses, into
// a small bitmap around the Item at a resolution of its own, and placed on
// the vector canvas as an image at the Item's place, in the order the
// raster sheet stacks them.
//
// A layer is rendered twice, over white and over black: where both agree
// the pixel is opaque, where they differ the difference is its
// transparency. Everything the renderers do to the pixels below them (a
// shadow darkens them, a surface or a picture replaces them) is caught this
// way exactly, without the renderers knowing.
//
// Layers are kept per Item for the sheet's life, so that the cells of a card
// sheet all place the same image, which the PDF then stores once.

#include "output/render_sheet.h"
#include "render/draw_item.h"
#include "render/raster_effects.h"

#include <QImage>
#include <QRectF>

#include <functional>
#include <map>
#include <tuple>

namespace vlm {

// A layer's image and where it lies on the vector canvas, in device pixels.
struct PlacedLayer
{
    QImage image; // ARGB32, not premultiplied; null when nothing was drawn
    QRectF at;
};

// The image of what `draw` paints, from its renderings over white
// (`onWhite`) and over black (`onBlack`), cut to the pixels it touched.
// Null when the two are the same size and wholly apart (nothing drawn);
// `cut` receives the part of the bitmaps the image covers.
QImage layerFromPair(const Bitmap& onWhite, const Bitmap& onBlack, QRect* cut);

class VectorLayers : public ItemEffects
{
public:
    // `effectsScale`: the layers' pixels per vector device pixel for
    // shadows and surfaces (300 / 600 for 300 dpi layers on a 600 dpi
    // sheet). Pictures take the scale of their own pixels, up to
    // `pictureScaleLimit`.
    // `keep` holds every layer until the end of the sheet (cells repeat
    // them); without it only the latest one is held.
    // Every image placed is told to `noted` first, when there is one.
    VectorLayers(const SheetEnvironment& env, double effectsScale, double pictureScaleLimit, bool keep,
                 std::function<void(const QImage&)> noted = {});

    // A new cell: the Items are drawn again from the first.
    void beginPass() { textShadowDone_ = textShadedDone_ = nullptr; }

    void drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                    const TextLinePlacement* line) const override;
    bool drawShaded(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                    const TextLinePlacement* line) const override;
    void drawPicture(Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) const override;

    // The whole Item, shadow and body, as one layer (a line whose dashes
    // are shaded, which the raster band shader draws).
    void drawWhole(Canvas& canvas, const DrawContext& ctx, Item& item) const;

    // Lets go of the kept layers of text Items: printing with data gives
    // each cell texts of its own.
    void forgetTexts();

    // How many layers were rendered (each kept one counts once).
    int rendered() const { return rendered_; }

private:
    using Painter = std::function<bool(Canvas&, const DrawContext&)>;
    enum class Part { Shadow, Shaded, Picture, Whole };

    // The layer of `part` of the Item, rendered at `scale` on first use.
    const PlacedLayer& layer(const Canvas& canvas, const DrawContext& ctx, const Item& item, Part part,
                             double scale, const Painter& paint, bool* painted = nullptr) const;
    void place(Canvas& canvas, const PlacedLayer& layer) const;
    double pictureScale(const DrawContext& ctx, const Item& item) const;

    RasterEffects raster_;
    double effectsScale_;
    double pictureScaleLimit_;
    mutable std::map<std::tuple<const Item*, Part>, PlacedLayer> kept_;
    mutable std::map<std::tuple<const Item*, Part>, bool> keptPainted_;
    mutable PlacedLayer latest_;
    bool keep_;
    std::function<void(const QImage&)> noted_;
    mutable const Item* textShadowDone_ = nullptr;
    mutable const Item* textShadedDone_ = nullptr;
    mutable int rendered_ = 0;
};

} // namespace vlm

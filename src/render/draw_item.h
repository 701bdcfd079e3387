#pragma once

// DrawItem: the one entry point that paints an Item onto a canvas. It takes
// the decisions every kind shares (which effects are in force, shadow first,
// flat or shaded body) and dispatches on the kind to the renderers of
// shapes.h, splines.h and text_render.h.
//
// Shadows, the "Round" surface and pictures are drawn by an ItemEffects
// implementation handed in through the DrawContext. Without one, Items draw
// flat, without shadow, and pictures draw nothing; the decisions about when
// each effect applies stay here, so the effect renderers never repeat them.

#include "model/item.h"
#include "model/item_list.h"
#include "model/screen_metrics.h"
#include "platform/bitmap.h"

#include <QPoint>
#include <QString>

#include <optional>

namespace vlm {

class BandShader;
class Canvas;
class Font;
class FontCache;
class ItemEffects;

// Everything about the window (or the output bitmap) an Item is drawn for.
struct DrawContext {
    // Document pixels to canvas pixels, and the factor every size (pen
    // widths, fonts, shadow offsets) is scaled by.
    double zoom = 1.0;
    // The horizontal factor of the mapping when it differs from the zoom, as
    // on a printer whose two resolutions differ; 0 maps with the zoom.
    double scaleX = 0.0;
    // The zoomed-page position of the canvas bitmap's top-left pixel.
    int originX = 0;
    int originY = 0;
    // Device pixels per screen pixel at 100 %: 1 on the screen whatever its
    // zoom, the device's resolution over the screen's on a printed sheet.
    // Only what must keep its size on paper reads it (a shadow's blur).
    double deviceScale = 1.0;
    ScreenMetrics metrics;
    // The Document's records: embedded line patterns and pictures are
    // looked up here. May be null (custom patterns then draw solid).
    const ItemList* items = nullptr;
    // The Document's light direction, 0..3; other values read as 0.
    int lightDirection = 0;

    // The window's speed state.
    bool fastPaint = false;
    bool showPictures = true;
    bool showShadows = true;
    bool show3DEffects = true;

    // From the Settings.
    int fontQuality = 2;
    int anchorWidth = 7;
    int anchorHeight = 7;
    ColorRef guideColor = RGBRef(255, 0, 0);
    // What shows in the gaps of dotted outlines (pictures' substitutes).
    ColorRef guideBackColor = RGBRef(255, 255, 0);
    ColorRef textFrameColor = RGBRef(192, 192, 192);

    // When set, every colour of the Item (line, fill, text) is drawn in this
    // one colour instead; a shadow casts the Item's shape this way.
    std::optional<ColorRef> substituteColor;
    // When set, fill colours (not "Solid", which is the line colour) are
    // drawn in this colour instead, even over substituteColor: the shading
    // masks tell outline and fill apart this way.
    std::optional<ColorRef> substituteFill;

    // Shadows, shaded bodies and pictures; null draws without them.
    const ItemEffects* effects = nullptr;

    // The fonts of the window's texts, kept across repaints; null makes
    // every font anew.
    FontCache* fonts = nullptr;

    // A colour of the Item as drawn: itself, or the substitute.
    ColorRef paint(ColorRef c) const { return substituteColor.value_or(c); }
    // A fill colour as drawn.
    ColorRef paintFill(ColorRef c) const { return substituteFill ? *substituteFill : paint(c); }

    // Document to canvas pixels. Points of damaged records are kept within
    // kCanvasReach, so that geometry built on them cannot overflow.
    static constexpr int kCanvasReach = 1 << 26;
    int toCanvasX(int x) const;
    int toCanvasY(int y) const;
    QPoint toCanvas(int x, int y) const { return {toCanvasX(x), toCanvasY(y)}; }
};

// Which effects step 1 of the common frame puts in force for one drawing.
struct EffectsInForce {
    bool shading = false;
    bool shadow = false;
};
EffectsInForce DecideEffects(const DrawContext& ctx, bool quick);

// How a picture is drawn: fully, as a drag outline, as the first pass after a
// zoom change, or as an outline because pictures are switched off.
enum class PictureMode { Full, Quick, Fast, Hidden };
PictureMode DecidePictureMode(const DrawContext& ctx, bool quick);

// One line of a text Item as DrawText places it, in canvas pixels.
struct TextLinePlacement {
    int line = 0;       // 1-based
    QString text;
    QPoint baseline;    // the line's start on its baseline, after justification
    QPoint reference;   // the top-left of the character cell drawn from
    double angle = 0.0; // radians, counter-clockwise
    const Font* font = nullptr; // the drawing font at the zoomed size
};

// The effect renderers DrawItem hands over to.
class ItemEffects {
public:
    virtual ~ItemEffects() = default;
    // The shadow under an Item's body: once per Item, or, for text, once
    // per line (`line` set) just before that line is drawn.
    virtual void drawShadow(Canvas& canvas, const DrawContext& ctx, const Item& item,
                            const TextLinePlacement* line) const = 0;
    // The body with a shaded surface of `level` (>= 1), or one text line of
    // it. Returns false to have the flat renderer draw it instead.
    virtual bool drawShaded(Canvas& canvas, const DrawContext& ctx, const Item& item, int level,
                            const TextLinePlacement* line) const = 0;
    // A Clip. The Item is not const: a full drawing refreshes its cache.
    virtual void drawPicture(Canvas& canvas, const DrawContext& ctx, Item& item, PictureMode mode) const = 0;
    // The shading of line dashes 4 pixels wide and more; null draws them flat.
    virtual const BandShader* bandShader() const { return nullptr; }
};

// The Item's body with the flat renderer of its kind, without shadow and
// without shading: what a shadow casts and what a shading mask is made of.
// Texts draw all their lines; Clips and kinds that are not drawn draw nothing.
void DrawFlatBody(Canvas& canvas, const DrawContext& ctx, const Item& item);

// Draws one Item. `quick` leaves out the shadow and the shading (used while
// Items are dragged). Kinds that are not drawn (groups, bookkeeping records)
// draw nothing.
void DrawItem(Canvas& canvas, const DrawContext& ctx, Item& item, bool quick);

// The surface level the body is drawn with: the Item's `surface` when
// shading is in force, else 0.
int EffectiveSurface(const Item& item, const EffectsInForce& effects);

} // namespace vlm

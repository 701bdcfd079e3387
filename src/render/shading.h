#pragma once

// The "Round" surface: colours shaded so that bands look like cylinders and
// closed shapes like domes lit from the document's light direction. Both
// methods work on a mask of the Item drawn by its flat renderer in two marker
// colours (outline and fill) on black; each marked pixel takes a colour from
// a ramp of the outline or of the fill colour, written straight onto the
// canvas. Unmarked pixels are left alone.
//
// The picture frames' "Frame 3-D" uses ShadingRamp as well.

#include "platform/bitmap.h"

#include <QPoint>
#include <QPointF>

#include <vector>

namespace vlm {

class Canvas;

// A column of `length` colours across a cylinder of surface `level`
// (0..255; 127 is "Round"): darkest at both ends (the colour times
// level / 255), brightest in the middle (the colour itself, lifted a little
// when it is dark or grey). Empty when length < 1.
std::vector<ColorRef> ShadingRamp(int length, int level, ColorRef colour);

// A ramp row brought into 0..length - 1: by adding or subtracting the length
// once, as the shading formulas expect, and held inside whatever the
// formulas produce on damaged geometry.
inline int ReduceRampRow(long long row, int length)
{
    if (length < 1)
        return 0;
    if (row < 0)
        row += length;
    else if (row >= length)
        row -= length;
    return row < 0 ? 0 : (row >= length ? length - 1 : static_cast<int>(row));
}

// The marker colours of a shading mask; the mask starts black.
inline constexpr ColorRef kMaskBackground = RGBRef(0, 0, 0);
inline constexpr ColorRef kMaskOutline = RGBRef(255, 0, 0);
inline constexpr ColorRef kMaskFill = RGBRef(0, 255, 0);

// A mask and the canvas position of its top-left pixel.
struct ShadingMask {
    Bitmap bitmap;
    QPoint origin;
};

// The light's angle across a band, one table per use: lines, squares and
// rectangles take it from the first, text lines from the second.
double BandLightAngle(int lightDirection);
double TextLightAngle(int lightDirection);

// A band shaded across its width `length`: each marked pixel at distance X
// from the reference line (through refA and refB) takes ramp row
// length + Round(sin(theta + lambda) * Trunc(length / 4)) - Round(X).
struct BandGeometry {
    QPoint refA;
    QPoint refB;
    int length = 0;
    double theta = 0.0;
    double lambda = 0.0;
};
void ShadeBand(Canvas& canvas, const ShadingMask& mask, const BandGeometry& band, ColorRef fill,
               ColorRef outline, int level);

// A dome: each marked pixel takes ramp row Round(dist) + rampLength div 2
// from its distance to the highlight (canvas coordinates). An elliptical dome
// corrects the distance by the ellipse's gain g in the direction `direction`.
struct DomeGeometry {
    QPoint highlight;
    int rampLength = 0;
    bool elliptical = false;
    double gain = 0.0;
    double direction = 0.0;
};
void ShadeDome(Canvas& canvas, const ShadingMask& mask, const DomeGeometry& dome, ColorRef fill,
               ColorRef outline, int level);

// The highlight of a disc or an ellipse box of w x h pixels whose top-left
// pixel is `topLeft`: a sixth of the size off the centre towards the light.
QPoint DomeHighlight(QPoint topLeft, int w, int h, int lightDirection);

} // namespace vlm

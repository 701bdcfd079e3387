#pragma once

// Text Items: one or more lines in one font, colour and angle, laid out along
// a baseline and justified inside a box as wide as that baseline. The stored
// baseline (x1, y1)-(x2, y2) is the last line's; earlier lines stand one
// line height above it, perpendicular to the baseline.
//
// Lines are measured at the zoomed font size and divided back by the zoom, so
// justification stays right at every zoom.

#include "model/item.h"
#include "model/screen_metrics.h"
#include "platform/font.h"

#include <QPoint>

#include <array>
#include <optional>

namespace vlm {

class Canvas;
struct DrawContext;

// What text layout takes from the Settings and the screen.
struct TextSettings {
    ScreenMetrics metrics; // fonts are sized at the vertical resolution
    int fontQuality = 2;
    int anchorWidth = 7;
    int anchorHeight = 7;
    // Where fonts are kept between texts and repaints; null makes each anew.
    FontCache* fonts = nullptr;
};
TextSettings TextSettingsOf(const DrawContext& ctx);

// The Item's font at `sizePoints`. For drawing it is turned by the text angle
// and underlined and struck out as the Item says; for measuring it is
// upright and plain. Nothing when the platform cannot make it.
std::optional<Font> MakeFont(const Item& item, int sizePoints, bool forDrawing, const TextSettings& settings);

// Ascent + descent + external leading at the nominal size, in document
// pixels; 0 when the font cannot be made.
int LineHeight(const Item& item, const TextSettings& settings);

// Width of line `line` (1-based) measured at Round(fontSize * zoom) points,
// in document pixels; 0 when the font cannot be made.
int LineWidth(const Item& item, int line, double zoom, const TextSettings& settings);

// `p` moved `distance` along the text angle (tenths of a degree). At 0, 90,
// 180 and 270 degrees the move is exactly along the axis.
QPoint MoveAlongText(QPoint p, double distance, std::int32_t textAngle);

// How far a line of width `lineWidth` starts from the baseline start in a box
// `boxWidth` wide (both in canvas pixels). Never negative: a line wider than
// its box starts at the baseline start whatever the justification.
double JustificationOffset(int justification, int boxWidth, int lineWidth);

// Draws every line, the last first at the stored baseline. `shadow` asks for
// each line's shadow before it; `surfaceLevel` >= 1 hands the lines to the
// shaded text renderer.
void DrawText(Canvas& canvas, const DrawContext& ctx, const Item& item, int surfaceLevel, bool shadow);

// The rotated box around all lines, in document pixels, and the Item's
// bounding box around it (grown by the font's overhang or half an anchor).
struct TextBoxGeometry {
    // Baseline start and end moved below the descenders, then the end and
    // the start at the top of the first line.
    std::array<QPoint, 4> corners;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
TextBoxGeometry TextBox(const Item& item, const TextSettings& settings);
// Stores TextBox's bounding box in the Item (left, top, right, bottom, width,
// height).
void UpdateTextBox(Item& item, const TextSettings& settings);

// Stretches the box to the longest line measured at `zoom`: only when that
// line is wider than the box when `growOnly`, always otherwise. Left-justified
// text keeps its start, right-justified its end, centred text grows or
// shrinks by half on each side. The box and bounding box are recomputed.
void FitTextBox(Item& item, bool growOnly, double zoom, const TextSettings& settings);

// The frame shown around a text Item being edited: its text box as a closed
// one-pixel outline in the text frame colour.
void DrawEditFrame(Canvas& canvas, const DrawContext& ctx, const Item& item);

} // namespace vlm

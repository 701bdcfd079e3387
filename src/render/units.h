#pragma once

// Document pixels and canvas pixels. Items keep their geometry in document
// pixels (one unit is one screen pixel at 100 %); the canvas shows them at the
// window's zoom, shifted by the window origin when the zoomed page is larger
// than the canvas bitmap. Every renderer, hit test and mouse handler converts
// through the functions here, so a point lands on the same pixel everywhere.

#include "model/item_list.h"
#include "model/screen_metrics.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace vlm {

struct Document;
struct HeaderFields;

// Document -> canvas: Round(zoom * x) - origin.
int ToCanvasX(double zoom, int originX, int x);
int ToCanvasY(double zoom, int originY, int y);
// Canvas -> document: Round((px + origin) / zoom).
int ToDocumentX(double zoom, int originX, int px);
int ToDocumentY(double zoom, int originY, int py);

// A rectangle by its edges; converted corner by corner.
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};
PixelRect ToCanvasRect(double zoom, int originX, int originY, const PixelRect& r);
PixelRect ToDocumentRect(double zoom, int originX, int originY, const PixelRect& r);

// The header's zoom; 1.0 without a header, or when the stored value is no
// usable factor (zero, negative, not a number), which would otherwise turn
// every conversion back to document pixels into a division by zero.
double ZoomOf(const ItemList& items);
double ZoomOf(const Document& document);

// Millimetres to document pixels. Line and outline weights are measured on
// the vertical axis, custom pattern lengths and the weight allowance of
// bounding boxes on the horizontal one; which axis a use takes is part of
// what documents look like on screens whose two resolutions differ.
enum class Axis { X, Y };
int PixelsFromMm(double mm, const ScreenMetrics& metrics, Axis axis);

// The ruler's read-out of a length in the document's unit (1 pixels,
// 2 millimetres, 3 inches): "None" below 0.0001, else the value with the
// unit's name, singular when the number shown is 1.
QString FormatLength(int units, double value);

// The zoom factors of the menu, 25 % to 300 %.
inline constexpr std::array<double, 9> kZoomSteps = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 3.0};
inline constexpr int kZoomTrackbarMax = 300;

// Round(zoom * 100).
int ZoomPercent(double zoom);
// "N%" for the zoom read-out.
QString ZoomLabel(double zoom);
// The index in kZoomSteps of the step whose percentage equals the zoom's,
// or -1 when it matches none (no menu entry is checked then).
int ZoomStepIndex(double zoom);
// The factor the zoom-out and zoom-in buttons move to from `zoom`; the zoom
// itself when the table leaves it unchanged (at or beyond its ends).
double ZoomOut(double zoom);
double ZoomIn(double zoom);
// The factor a trackbar released at `position` applies; none at 0.
std::optional<double> ZoomFromTrackbar(int position);

// The canvas bitmap never exceeds this in either direction, whatever the zoom.
inline constexpr int kCanvasLimit = 1600;

// Where the canvas bitmap sits along one axis of a scrolled view.
struct CanvasWindowAxis
{
    int canvasSize = 0;     // min(zoomed page size, kCanvasLimit)
    int origin = 0;         // zoomed-page position of the canvas's first pixel
    int pageOffset = 0;     // zoomed page start relative to the viewport
    int canvasPosition = 0; // where the canvas is placed in the viewport
    bool operator==(const CanvasWindowAxis&) const = default;
};
CanvasWindowAxis PlaceCanvasAxis(int zoomedPageStart, int zoomedSize, int scrollPosition, int viewportSize);

struct CanvasWindow
{
    CanvasWindowAxis x;
    CanvasWindowAxis y;
    bool operator==(const CanvasWindow&) const = default;
};
// Both axes from the header's zoomed page rectangle (left, top, width,
// height), the scroll bar positions and the viewport's size.
CanvasWindow PlaceCanvasWindow(const HeaderFields& header, int scrollX, int scrollY, int viewportWidth,
                               int viewportHeight);
// A moved window or a resized canvas shows other pixels: repaint it whole.
bool NeedsFullRepaint(const CanvasWindow& before, const CanvasWindow& after);

} // namespace vlm

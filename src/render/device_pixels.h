#pragma once

// Logical and device pixels. A screen with a device pixel ratio r shows r
// device pixels per logical pixel along each axis; the view draws in device
// pixels and the widgets around it are placed in logical ones. At r = 1 every
// conversion returns its input unchanged.

#include "render/view_settings.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

namespace vlm {

// A ratio fit to draw with: finite and between 1/4 and 8, else 1.
double usableRatio(double ratio);

// A length of `logical` pixels in device pixels, rounded to the nearest.
int scaledLength(int logical, double ratio);

// The device pixel under a logical pointer position.
QPoint toDevicePoint(QPointF logical, double ratio);
// The device pixels covering a logical rectangle.
QRect toDeviceRect(const QRect& logical, double ratio);
// The logical pixels covering a device rectangle (what must be shown again
// when those device pixels changed).
QRect toLogicalRect(const QRect& device, double ratio);
// Where a part laid out in device pixels goes among logical widgets: each
// edge rounded, so that parts which touch in device pixels still touch.
QRect toLogicalPlace(const QRect& device, double ratio);

// The view settings with every size of an overlay (Markers, anchors, their
// stems, the rotation distance, ruler labels) in device pixels.
ViewSettings scaledViewSettings(const ViewSettings& settings, double ratio);

} // namespace vlm

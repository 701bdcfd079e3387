#pragma once

// The rulers: which ticks and labels a stretch of ruler carries for a unit
// and zoom, how that stretch is chosen for a page larger than the ruler
// bitmap, and the drawing of it.

#include "model/screen_metrics.h"
#include "platform/bitmap.h"
#include "render/view_layout.h"
#include "render/view_settings.h"

#include <QString>

#include <vector>

namespace vlm {

struct RulerTick {
    int position = 0; // along the ruler bitmap
    int length = 0;   // from the ruler's far edge
};

struct RulerLabel {
    int position = 0; // the major tick it belongs to
    QString text;
};

struct RulerMarks {
    std::vector<RulerTick> ticks;
    std::vector<RulerLabel> labels;
};

// The ticks and labels of a ruler bitmap `length` pixels long that starts at
// page pixel `chunkOffset`, for the document unit `units` (1 pixels,
// 2 millimetres, 3 inches; others read as pixels) at `zoom`.
RulerMarks PlanRuler(int units, double zoom, int chunkOffset, int length, ViewDirection direction,
                     const ScreenMetrics& metrics);

// The page pixel the scaled ruler bitmap starts at: 0 while the page fits in
// the bitmap, else the start of the bitmap-sized block that holds the scroll
// position.
int RulerChunkOffset(int zoomedPageStart, int zoomedPageSize, int scrollPosition, int viewportSize);

// How long the scaled ruler bitmap is: the viewport or the page, whichever is
// longer, at most the canvas limit.
int ScaledRulerLength(int zoomedPageSize, int viewportSize);

// Draws the ticks and labels of PlanRuler onto `ruler` (horizontal: ticks up
// from the bottom edge; vertical: leftwards from the right edge, labels
// turned by 90 degrees). With a device ratio, `zoom`, `chunkOffset` and the
// bitmap are in device pixels and the ticks are planned as at ratio 1, then
// drawn `ratio` times larger; `settings` are already scaled.
void BuildRulerBitmap(Bitmap& ruler, int units, double zoom, int chunkOffset, ViewDirection direction,
                      const ViewSettings& settings, double ratio = 1.0);

} // namespace vlm

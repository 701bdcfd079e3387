#pragma once

// What the page looks like on the canvas under the Items: margins, the page
// edge, card folds and brochure folds, all one-pixel silver lines, from the
// page setup in the DocumentHeader.

#include "model/item_record.h"

#include <QPoint>

#include <vector>

namespace vlm {

inline constexpr std::int32_t kPageLineColor = 0xC0C0C0;
inline constexpr std::int32_t kGridLineColor = 0xFFCCAA;

struct PageLine {
    std::vector<QPoint> points; // a polyline, canvas pixels
    bool dotted = false;
};

// The decoration of the page for a canvas of `canvasWidth` x `canvasHeight`
// whose top-left pixel shows the zoomed page at (originX, originY). Empty
// without a design type.
std::vector<PageLine> PageDecorations(const HeaderFields& header, double zoom, int originX, int originY,
                                      int canvasWidth, int canvasHeight);

} // namespace vlm

#pragma once

// Dragging the selection by a Marker: every selected Item reads the Marker
// code by its kind and takes its new geometry from the geometry saved when
// the drag began, never from the previous step, so a drag can be replayed
// from any pointer position and one drag is one undo step.

#include "model/item_list.h"
#include "render/document_view.h"
#include "render/text_render.h"

#include <QPoint>

#include <cstdint>

namespace vlm {

// What a drag step needs besides the Items.
struct DragSettings {
    TextSettings text;
    double zoom = 1.0;
    int markerSize = 8;
};

// The code a drag of a group's centre Marker works with: every member moves
// with the pointer, whatever its own kind would make of Marker 3.
inline constexpr std::int32_t kMoveGroupCode = 3003;

// One step of a drag in document pixels: `press` is where it began,
// `pointer` where the pointer is now; `snap` lets the grid's snap directions
// pull points; `final` is the step on release, which also finalises each
// Item (pie ends on their circle, stars rebuilt, the longer ellipse axis
// first, nodes saved).
void ApplyDrag(ItemList& list, const DragSettings& settings, QPoint press, QPoint pointer, bool snap,
               std::int32_t code, bool final);

// The same from canvas points of a window.
void DragSelection(DocumentView& view, QPoint press, QPoint pointer, bool snap, std::int32_t code, bool final);

DragSettings DragSettingsOf(const DocumentView& view);

// A point brought to the nearest grid line in each direction in which the
// Document snaps.
QPoint SnapPoint(const ItemList& list, QPoint p);

// The centre of the selected Items' boxes, where a paste placement holds
// them.
QPoint SelectionCentre(const ItemList& list);

} // namespace vlm

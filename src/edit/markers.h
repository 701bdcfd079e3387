#pragma once

// The Markers of selected Items: which handles every kind has and where,
// placing them on the canvas with the pixels under them saved, taking them
// off again, and finding the Marker under the pointer with the drag mode and
// cursor it stands for. The handles live in the view's overlay, keyed by the
// Item's sequence number, never in the Item.

#include "model/item_list.h"
#include "render/document_view.h"

#include <QPoint>
#include <Qt>

#include <cstdint>
#include <optional>
#include <vector>

namespace vlm {

// Marker codes with a meaning of their own.
namespace MarkerCode {
inline constexpr std::int32_t RotationDot = 5;
inline constexpr std::int32_t RotationLine = 6;
inline constexpr std::int32_t Centre = 7;
inline constexpr std::int32_t GroupCentre = 3;
inline constexpr std::int32_t GroupRotation = 500;
} // namespace MarkerCode

// One Marker as placed: its code, look and canvas position (for the
// rotation line, `from` is the Item's centre and `at` the dot).
struct PlacedMarker {
    std::int32_t code = 0;
    MarkerFigure figure = MarkerFigure::Square;
    QPoint at;
    QPoint from;
};

// The Markers of one Item in the order they are placed. `single` adds the
// centre and rotation handles shown only when it is the one selected Item.
std::vector<PlacedMarker> MarkerSet(const Item& item, const DocumentView& view, bool single);

// Erases the Item's Markers and places them again.
void PlaceMarkers(DocumentView& view, const Item& item, bool single);
// Restores the pixels under the Item's Markers and forgets them.
void EraseMarkers(DocumentView& view, const Item& item);
// Takes every Marker off and places those of every selected Item, groups
// last so that their handles lie on top.
void PlaceSelectionMarkers(DocumentView& view);

// After the selection changed only by the Items in `changed`: takes their
// Markers off or puts them on, and places everything again only when the
// rotation handles come or go (`wasSingle`: one Item was selected before)
// or a new Item's handles would have to go under a group's.
void RefreshSelectionMarkers(DocumentView& view, const std::vector<const Item*>& changed, bool wasSingle);

// What a press on a Marker starts.
struct MarkerHit {
    Item* item = nullptr;
    std::int32_t mode = 0; // the drag ToolMode
    std::int32_t code = 0; // the code the drag works with
    Qt::CursorShape cursor = Qt::ArrowCursor;
};

// The first Marker (Items in list order, Markers in placing order) whose hit
// box holds the canvas point; nothing when none does.
std::optional<MarkerHit> MarkerHitTest(DocumentView& view, QPoint canvasPoint);

// The hover cursor at a canvas point: the hit Marker's, else the arrow.
Qt::CursorShape HoverCursor(DocumentView& view, QPoint canvasPoint);

} // namespace vlm

#pragma once

// Things drawn over the canvas and taken off again without repainting: the
// pixels under them are copied away first and copied back to remove them.
// Markers (the handles of selected Items) keep their saved pixels one by one;
// the editing layer decides which Markers an Item has and where, this file
// only draws and removes them.

#include "platform/bitmap.h"
#include "render/view_settings.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace vlm {

class Canvas;

// A rectangle of pixels saved from a bitmap, valid until restored or
// invalidated.
class SaveUnder {
public:
    // Saves `r` of `source`, clipped to it; an area outside the bitmap saves
    // nothing and leaves the save-under invalid.
    void take(const Bitmap& source, const QRect& r);
    // Copies the pixels back when valid and invalidates; false when there was
    // nothing to restore.
    bool restore(Bitmap& target);
    void invalidate() { valid_ = false; }
    bool valid() const { return valid_; }
    // The area saved (after clipping).
    const QRect& rect() const { return rect_; }

private:
    Bitmap pixels_;
    QRect rect_;
    bool valid_ = false;
};

// The normalised rectangle with these two corners, both inside it.
QRect SaveBoxOf(QPoint a, QPoint b);
// A rectangle given by two corners in either order, both corners inside
// (QRect::normalized would leave out a backwards rectangle's corners).
inline QRect Corners(const QRect& r)
{
    return SaveBoxOf(r.topLeft(), r.bottomRight());
}

// The one-pixel-thick box of the guide from `start` towards `end` for a
// preset direction (radians): for directions that round to 45..135 or
// 225..315 degrees it spans the x range at the start's y, otherwise the y
// range at the start's x.
QRect SegmentSaveBox(QPoint start, QPoint end, double directionRadians);

// Where that guide ends: `end` brought onto the start's row or column.
QPoint GuideEnd(QPoint start, QPoint end, double directionRadians);

enum class MarkerFigure {
    Square,         // a handle in the marker colour
    GroupCentre,    // the centre handle of a group, in the group-centre colour
    RotationDot,    // the round dot at the end of the rotation line
    RotationLine,   // the dotted line from the centre to the rotation dot
    None,           // a hit area only; nothing is drawn or saved
};

struct Marker {
    std::int32_t code = 0;
    MarkerFigure figure = MarkerFigure::Square;
    QPoint at;     // the handle's centre; the line's far end
    QPoint from;   // the rotation line's start (the Item's centre)
    QRect hitBox;  // canvas pixels, edges inclusive
    SaveUnder background;
};

// The box a square handle at `at` covers, and accepts clicks in:
// (x - w div 2, y - h div 2) to (x + w div 2 + 1, y + h div 2 + 1).
QRect MarkerBox(const ViewSettings& look, QPoint at);

// Draws one Marker's figure.
void DrawMarker(Canvas& canvas, const ViewSettings& look, MarkerFigure figure, QPoint at, QPoint from = {});

// The Markers on a canvas, per Item (by its sequence number, so no pointer
// outlives an edit), in the order they were placed.
class MarkerOverlay {
public:
    struct ItemMarkers {
        std::int32_t sequence = 0;
        std::vector<Marker> markers;
    };

    // Saves the pixels under the figure, draws it and adds it to the Item's list.
    const Marker& place(Bitmap& canvas, const ViewSettings& look, std::int32_t itemSequence, std::int32_t code,
                        MarkerFigure figure, QPoint at, QPoint from = {});
    // Restores the pixels under one Item's Markers, newest first, and empties
    // its list.
    void erase(Bitmap& canvas, std::int32_t itemSequence);
    // Restores every saved pixel, Items and Markers newest first. Markers
    // without saved pixels stay listed.
    void eraseAll(Bitmap& canvas);
    // Forgets every Marker without touching the canvas (it was repainted).
    void dropAll() { items_.clear(); }

    const std::vector<ItemMarkers>& items() const { return items_; }
    const ItemMarkers* find(std::int32_t itemSequence) const;
    bool empty() const;

private:
    std::vector<ItemMarkers> items_;
};

} // namespace vlm

// What the view draws over the Items (snapshots, rubber bands, direction
// guides, Markers) and the refinement passes that add shadows after a repaint.

#include "render/document_view.h"

#include "model/grid_line.h"
#include "model/item_list.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/pens.h"
#include "render/text_render.h"
#include "render/view_extent.h"
#include "render/view_page.h"
#include "render/view_pictures.h"
#include "render/view_ruler.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vlm {

// ---------------------------------------------------------------- overlays

void DocumentView::TakeSnapshot(const QRect& canvasRect)
{
    snapshot_.take(canvas_, Corners(canvasRect).adjusted(0, 0, 1, 1));
}

void DocumentView::RestoreSnapshot()
{
    // The rubber band lies on top of whatever the snapshot covers: off first.
    RestoreRubberBand();
    const QRect r = snapshot_.rect();
    if (snapshot_.restore(canvas_))
        canvasChanged(r);
}

void DocumentView::SaveRubberBand(const QRect& canvasRect)
{
    rubberBand_.take(canvas_, Corners(canvasRect).adjusted(0, 0, 1, 1));
}

void DocumentView::RestoreRubberBand()
{
    const QRect r = rubberBand_.rect();
    if (rubberBand_.restore(canvas_))
        canvasChanged(r);
}

void DocumentView::DrawDirectionGuide(QPoint end, QPoint pointer, double presetDirectionRadians)
{
    RestoreRubberBand();
    if (canvas_.isNull())
        return;
    const QPoint to = GuideEnd(end, pointer, presetDirectionRadians);
    const QRect box = SegmentSaveBox(end, pointer, presetDirectionRadians);
    SaveRubberBand(box);
    {
        Canvas c(canvas_);
        c.setPen(settings_.guideBackColor, 1, PenStyle::Solid);
        c.line(end, to);
        c.setPen(settings_.guidePenColor, 1, PenStyle::Dotted);
        c.line(end, to);
    }
    canvasChanged(box.adjusted(0, 0, 1, 1));
}

const Marker& DocumentView::PlaceMarker(std::int32_t itemSequence, std::int32_t code, MarkerFigure figure,
                                        QPoint at, QPoint from)
{
    const Marker& m = markers_.place(canvas_, settings_, itemSequence, code, figure, at, from);
    canvasChanged(m.background.rect());
    return m;
}

void DocumentView::EraseMarkers(std::int32_t itemSequence)
{
    markers_.erase(canvas_, itemSequence);
    canvasChanged(wholeCanvas());
}

void DocumentView::RemoveMarkers()
{
    if (markers_.empty())
        return;
    markers_.eraseAll(canvas_);
    canvasChanged(wholeCanvas());
}

void DocumentView::RequestClipboardCopy(const QRect& canvasRect)
{
    clipboardPending_ = true;
    clipboardRect_ = Corners(canvasRect);
    startTimer(ViewTimer::Marker);
}

void DocumentView::MarkerTimer()
{
    if (clipboardPending_) {
        const QRect r = clipboardRect_ & wholeCanvas();
        if (!r.isEmpty() && hooks_.copyToClipboard)
            hooks_.copyToClipboard(Bitmap(canvas_.image().copy(r)));
    }
    if (hooks_.placeMarkers)
        hooks_.placeMarkers();
    clipboardPending_ = false;
}

// ---------------------------------------------------------------- passes

bool DocumentView::drawPassItem(Pass& pass)
{
    if (!pass.active)
        return false;
    const ItemList& list = document_.items;
    const std::int32_t top = MaxStackOrder(list);
    while (pass.next <= top) {
        // Looked up afresh each time: the list may have changed in between.
        Item* item = ItemAtStackOrder(list, pass.next++);
        if (!item || item->rec.d.extending || !IsDrawnKind(item->rec.d.kind))
            continue;
        const DrawContext ctx = drawContext();
        {
            Canvas c(canvas_);
            DrawItem(c, ctx, *item, false);
        }
        // The shadow the pass has just drawn shows beyond the Item's box.
        const PixelRect extent = Unite(PaintExtent(*item, settings_.metrics),
                                       RepaintExtent(*item, settings_.metrics, ctx.lightDirection));
        const QRect area = toCanvasRect(extent);
        canvasChanged(area.adjusted(-2, -2, 2, 2));
        if (pass.next <= top)
            return true;
        break;
    }
    pass.active = false;
    return false;
}

void DocumentView::BeginRefine()
{
    refine_ = {true, 1};
}

bool DocumentView::RefineStep()
{
    if (!refine_.active)
        return false;
    if (drawPassItem(refine_))
        return true;
    startTimer(ViewTimer::Marker);
    return false;
}

void DocumentView::RefineAll()
{
    BeginRefine();
    while (RefineStep()) {
    }
}

void DocumentView::ScheduleProgressivePaint()
{
    itemsDeferred_ = true;
    RepaintAll(false);
    startTimer(ViewTimer::Progressive);
}

void DocumentView::BeginProgressivePaint()
{
    itemsDeferred_ = true;
    RepaintAll(false);
    itemsDeferred_ = false;
    progressive_ = {true, 1};
}

bool DocumentView::ProgressiveStep()
{
    if (!progressive_.active)
        return false;
    if (drawPassItem(progressive_))
        return true;
    if (hooks_.progressiveDone)
        hooks_.progressiveDone();
    return false;
}

void DocumentView::SetSpeedOptions(const SpeedOptions& options)
{
    if (options == speed_)
        return;
    if (options.show3DEffects != speed_.show3DEffects)
        DropClipCaches(document_.items);
    speed_ = options;
    RepaintAll(true);
}

} // namespace vlm

// The view's rulers and the anchors of the grid lines standing in them.

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

// ---------------------------------------------------------------- rulers

Bitmap& DocumentView::rulerBitmap(ViewDirection direction)
{
    return direction == ViewDirection::Vertical ? rulerY_ : rulerX_;
}

SaveUnder& DocumentView::rulerHover(ViewDirection direction)
{
    return direction == ViewDirection::Vertical ? rulerHoverY_ : rulerHoverX_;
}

void DocumentView::RestoreRulerHovers()
{
    if (rulerHoverX_.restore(rulerX_) && host_)
        host_->rulerChanged(ViewDirection::Horizontal);
    if (rulerHoverY_.restore(rulerY_) && host_)
        host_->rulerChanged(ViewDirection::Vertical);
}

void DocumentView::rebuildRulers()
{
    const int w = geometry_.viewport.width();
    const int h = geometry_.viewport.height();
    rulerHoverX_.invalidate();
    rulerHoverY_.invalidate();
    rulerX_ = Bitmap(w, rulerThickness());
    rulerY_ = Bitmap(rulerThickness(), h);
    blankRulerX_ = Bitmap(w, rulerThickness());
    blankRulerY_ = Bitmap(rulerThickness(), h);
    stretch(RulerShadingStrip(RulerShade::Blank, ViewDirection::Horizontal), blankRulerX_);
    stretch(RulerShadingStrip(RulerShade::Blank, ViewDirection::Vertical), blankRulerY_);
    scaledRulerX_ = Bitmap();
    scaledRulerY_ = Bitmap();
    PaintRulers(ViewDirection::Both);
}

void DocumentView::rebuildScaledRuler(ViewDirection direction, int chunkOffset)
{
    const bool horizontal = direction == ViewDirection::Horizontal;
    const ZoomedPage page = zoomedPage();
    const int length = ScaledRulerLength(horizontal ? page.width : page.height,
                                         horizontal ? geometry_.viewport.width() : geometry_.viewport.height());
    Bitmap& scaled = horizontal ? scaledRulerX_ : scaledRulerY_;
    scaled = horizontal ? Bitmap(length, rulerThickness()) : Bitmap(rulerThickness(), length);
    stretch(RulerShadingStrip(RulerShade::Scaled, direction), scaled);
    const Item* header = document_.items.header();
    const int units = header ? header->rec.h.units : 1;
    BuildRulerBitmap(scaled, units, zoom(), chunkOffset, direction, settings_, ratio_);
    (horizontal ? chunkOffsetX_ : chunkOffsetY_) = chunkOffset;
}

void DocumentView::PaintRulers(ViewDirection which)
{
    const ZoomedPage page = zoomedPage();
    for (ViewDirection d : {ViewDirection::Horizontal, ViewDirection::Vertical}) {
        if (!Includes(which, d))
            continue;
        const bool horizontal = d == ViewDirection::Horizontal;
        Bitmap& ruler = horizontal ? rulerX_ : rulerY_;
        if (ruler.isNull())
            continue;
        rulerHover(d).restore(ruler);
        const int viewport = horizontal ? geometry_.viewport.width() : geometry_.viewport.height();
        const int start = horizontal ? page.left : page.top;
        const int size = horizontal ? page.width : page.height;
        const int scroll = horizontal ? scrollX_ : scrollY_;
        const int chunk = RulerChunkOffset(start, size, scroll, viewport);
        Bitmap& scaled = horizontal ? scaledRulerX_ : scaledRulerY_;
        if (scaled.isNull() || chunk != (horizontal ? chunkOffsetX_ : chunkOffsetY_))
            rebuildScaledRuler(d, chunk);

        Canvas c(ruler);
        c.copyRect(horizontal ? blankRulerX_ : blankRulerY_, QRect(0, 0, ruler.width(), ruler.height()), {0, 0});
        const long long from = std::max(0LL, static_cast<long long>(scroll) - start) - chunk;
        const long long at = std::max(0LL, static_cast<long long>(start) - scroll);
        const long long pageEnd = static_cast<long long>(start) + size - scroll; // in ruler pixels
        const long long scaledLength = horizontal ? scaled.width() : scaled.height();
        const long long length =
            std::min({static_cast<long long>(kCanvasLimit), pageEnd - at, scaledLength - from,
                      static_cast<long long>(viewport) - at});
        if (length > 0 && from >= 0) {
            const QRect src = horizontal ? QRect(static_cast<int>(from), 0, static_cast<int>(length), rulerThickness())
                                         : QRect(0, static_cast<int>(from), rulerThickness(), static_cast<int>(length));
            c.copyRect(scaled, src, horizontal ? QPoint(static_cast<int>(at), 0) : QPoint(0, static_cast<int>(at)));
        }
        if (host_)
            host_->rulerChanged(d);
    }
}

// ---------------------------------------------------------------- anchors

const Bitmap& DocumentView::anchorPicture(ViewDirection strip, bool grabbed)
{
    const int index = (strip == ViewDirection::Vertical ? 2 : 0) + (grabbed ? 1 : 0);
    Bitmap& b = anchorPictures_[static_cast<std::size_t>(index)];
    if (b.isNull())
        b = AnchorPicture(strip, grabbed, settings_.anchorWidth, settings_.anchorHeight);
    return b;
}

void DocumentView::drawAnchors(ViewDirection direction)
{
    const Item* header = document_.items.header();
    const Item* grid = FindVisibleByKind(document_.items, KindGridLines);
    if (!header || !grid || backdrop_.isNull())
        return;
    const HeaderFields& h = header->rec.h;
    const bool horizontal = direction == ViewDirection::Horizontal;
    if (horizontal ? !(h.gridH && h.anchorsH) : !(h.gridV && h.anchorsV))
        return;
    const double z = zoom();
    const int aw = settings_.anchorWidth;
    const int ah = settings_.anchorHeight;
    const int stem = settings_.anchorStemLength;
    const int scroll = horizontal ? scrollX_ : scrollY_;
    const int limit = horizontal ? backdrop_.width() : backdrop_.height();
    const auto& lines = horizontal ? grid->verticalGridLines : grid->horizontalGridLines;
    Canvas c(backdrop_);
    for (const GridLine& line : lines) {
        if (line.deleted)
            continue;
        const int p = GridLinePosition(horizontal ? GridVertical : GridHorizontal, line);
        const long long start = static_cast<long long>(Round(z * p)) - scroll - (horizontal ? aw : ah) / 2;
        if (start < 0 || start >= limit)
            continue;
        const int s = static_cast<int>(start);
        const bool grabbed = line.highlighted != 0;
        const Bitmap& picture = anchorPicture(direction, grabbed);
        const ColorRef stemColor = grabbed ? settings_.grabbedStemColor : settings_.anchorStemColor;
        if (horizontal) {
            c.copyRect(picture, QRect(0, 0, aw, ah), {s, 1});
            c.fillRect(QRect(s + aw / 2, ah + 1, 1, stem), stemColor);
        } else {
            c.copyRect(picture, QRect(0, 0, aw, ah), {1, s});
            c.fillRect(QRect(aw + 1, s + ah / 2, stem, 1), stemColor);
        }
    }
}

void DocumentView::PaintAnchors(ViewDirection which)
{
    if (backdrop_.isNull())
        return;
    {
        Canvas c(backdrop_);
        if (Includes(which, ViewDirection::Horizontal))
            c.copyRect(topStrip_, QRect(0, 0, topStrip_.width(), topStrip_.height()), {0, 0});
        if (Includes(which, ViewDirection::Vertical))
            c.copyRect(leftStrip_, QRect(0, 0, leftStrip_.width(), leftStrip_.height()), {0, 0});
    }
    // The strips share the corner square: a restored strip wipes the other
    // direction's anchors there, and drawing those again changes nothing else.
    drawAnchors(ViewDirection::Horizontal);
    drawAnchors(ViewDirection::Vertical);
    if (host_)
        host_->backdropChanged();
}

} // namespace vlm

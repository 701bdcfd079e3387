#include "render/document_view.h"

#include "model/grid_line.h"
#include "model/item_list.h"
#include "model/rounding.h"
#include "platform/canvas.h"
#include "render/device_pixels.h"
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

DocumentView::DocumentView(Document& document, const ViewSettings& settings, ViewHost* host)
    : document_(document), baseSettings_(settings), settings_(settings), host_(host)
{
}

DocumentView::~DocumentView() = default;

void DocumentView::setSettings(const ViewSettings& settings)
{
    baseSettings_ = settings;
    settings_ = scaledViewSettings(settings, ratio_);
    anchorPictures_ = {};
}

// ---------------------------------------------------------------- geometry

double DocumentView::documentZoom() const
{
    return ZoomOf(document_);
}

double DocumentView::zoom() const
{
    return ratio_ == 1.0 ? documentZoom() : documentZoom() * ratio_;
}

int DocumentView::rulerThickness() const
{
    return scaledLength(kRulerThickness, ratio_);
}

ZoomedPage DocumentView::zoomedPage() const
{
    const Item* header = document_.items.header();
    if (!header)
        return {};
    const HeaderFields& h = header->rec.h;
    if (ratio_ == 1.0)
        return {h.left, h.top, h.right, h.bottom, h.width, h.height};
    const auto device = [this](int v) { return scaledLength(v, ratio_); };
    return {device(h.left), device(h.top), device(h.right), device(h.bottom), device(h.width), device(h.height)};
}

QPoint DocumentView::canvasPosition() const
{
    return {window_.x.canvasPosition, window_.y.canvasPosition};
}

QPoint DocumentView::windowOrigin() const
{
    return {window_.x.origin, window_.y.origin};
}

QPoint DocumentView::pageOffset() const
{
    return {window_.x.pageOffset, window_.y.pageOffset};
}

int DocumentView::toCanvasX(int x) const
{
    return ToCanvasX(zoom(), window_.x.origin, x);
}

int DocumentView::toCanvasY(int y) const
{
    return ToCanvasY(zoom(), window_.y.origin, y);
}

int DocumentView::toDocumentX(int px) const
{
    return ToDocumentX(zoom(), window_.x.origin, px);
}

int DocumentView::toDocumentY(int py) const
{
    return ToDocumentY(zoom(), window_.y.origin, py);
}

PixelRect DocumentView::toDocumentRect(const QRect& canvasRect) const
{
    const QRect r = Corners(canvasRect);
    return Normalized(ToDocumentRect(zoom(), window_.x.origin, window_.y.origin,
                                     {r.left(), r.top(), r.right(), r.bottom()}));
}

QRect DocumentView::toCanvasRect(const PixelRect& documentRect) const
{
    const PixelRect c = Normalized(ToCanvasRect(zoom(), window_.x.origin, window_.y.origin, documentRect));
    return QRect(QPoint(c.left, c.top), QPoint(c.right, c.bottom));
}

QRect DocumentView::wholeCanvas() const
{
    return QRect(0, 0, canvas_.width(), canvas_.height());
}

DrawContext DocumentView::drawContext() const
{
    DrawContext ctx;
    ctx.zoom = zoom();
    ctx.originX = window_.x.origin;
    ctx.originY = window_.y.origin;
    ctx.metrics = settings_.metrics;
    ctx.items = &document_.items;
    if (const Item* header = document_.items.header())
        ctx.lightDirection = header->rec.h.lightDirection <= 3 ? header->rec.h.lightDirection : 0;
    ctx.fastPaint = fastPaint_;
    ctx.showPictures = speed_.showPictures;
    ctx.showShadows = speed_.showShadows;
    ctx.show3DEffects = speed_.show3DEffects;
    ctx.fontQuality = settings_.fontQuality;
    ctx.anchorWidth = settings_.anchorWidth;
    ctx.anchorHeight = settings_.anchorHeight;
    ctx.guideColor = settings_.guidePenColor;
    ctx.guideBackColor = settings_.guideBackColor;
    ctx.effects = effects_;
    ctx.fonts = &fonts_;
    return ctx;
}

void DocumentView::canvasChanged(const QRect& canvasRect)
{
    if (host_)
        host_->canvasChanged(canvasRect & wholeCanvas());
}

void DocumentView::startTimer(ViewTimer which)
{
    if (host_)
        host_->startTimer(which);
}

// ---------------------------------------------------------------- layout

const ViewGeometry& DocumentView::LayoutView(QSize client, int scrollBarThickness)
{
    if (closing_ || inLayout_)
        return geometry_;
    inLayout_ = true;
    client_ = client;
    scrollBarThickness_ = scrollBarThickness;

    const QSize deviceClient(scaledLength(client.width(), ratio_), scaledLength(client.height(), ratio_));
    geometry_ = ComputeViewLayout(deviceClient, scaledLength(scrollBarThickness, ratio_), zoomedPage(),
                                  rulerThickness());
    const auto keep = [](int position, const ScrollBarLayout& bar) {
        return bar.visible ? std::clamp(position, 0, bar.maximum) : 0;
    };
    scrollX_ = keep(scrollX_, geometry_.scrollBarX);
    scrollY_ = keep(scrollY_, geometry_.scrollBarY);

    placeCanvas();
    if (backdrop_.width() != geometry_.viewport.width() || backdrop_.height() != geometry_.viewport.height())
        buildBackdrop();
    rebuildRulers();
    PaintAnchors(ViewDirection::Both);
    inLayout_ = false;
    return geometry_;
}

const ViewGeometry& DocumentView::LayoutView()
{
    return LayoutView(client_, scrollBarThickness_);
}

void DocumentView::placeCanvas()
{
    const CanvasWindow before = window_;
    const ZoomedPage page = zoomedPage();
    window_.x = PlaceCanvasAxis(page.left, page.width, scrollX_, geometry_.viewport.width());
    window_.y = PlaceCanvasAxis(page.top, page.height, scrollY_, geometry_.viewport.height());
    const bool resized = canvas_.width() != window_.x.canvasSize || canvas_.height() != window_.y.canvasSize;
    if (resized) {
        canvas_ = Bitmap(window_.x.canvasSize, window_.y.canvasSize, settings_.canvasColor);
        // Saved pixels belong to the old bitmap.
        markers_.dropAll();
        snapshot_.invalidate();
        rubberBand_.invalidate();
    }
    if (resized || !canvasPainted_ || NeedsFullRepaint(before, window_))
        RepaintAll(!fastPaint_);
}

void DocumentView::ScrollTo(ViewDirection direction, int position)
{
    const bool horizontal = direction == ViewDirection::Horizontal;
    const ScrollBarLayout& bar = horizontal ? geometry_.scrollBarX : geometry_.scrollBarY;
    const int p = bar.visible ? std::clamp(position, 0, bar.maximum) : 0;
    (horizontal ? scrollX_ : scrollY_) = p;
    PaintRulers(direction);
    placeCanvas();
    PaintAnchors(direction);
}

void DocumentView::ApplyZoom(double newZoom)
{
    Item* header = document_.items.header();
    if (!header || !std::isfinite(newZoom) || newZoom <= 0.0)
        return;
    RemoveMarkers();
    RestoreRulerHovers();
    header->rec.h.zoom = newZoom;
    DropClipCaches(document_.items);
    ApplyHeader(*header);

    fastPaint_ = true;
    const std::uint64_t before = fullRepaints_;
    LayoutView();
    // A canvas that kept its size and window still shows the old zoom.
    if (fullRepaints_ == before)
        RepaintAll(false);
    fastPaint_ = false;
    startTimer(ViewTimer::Refine);
}

void DocumentView::stretch(const Bitmap& source, Bitmap& destination) const
{
    if (destination.isNull())
        return;
    if (hooks_.stretch) {
        hooks_.stretch(source, destination);
        return;
    }
    destination = Bitmap(source.image().scaled(destination.width(), destination.height(), Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation));
}

void DocumentView::buildBackdrop()
{
    const int w = geometry_.viewport.width();
    const int h = geometry_.viewport.height();
    backdrop_ = Bitmap(w, h);
    stretch(BackdropPicture(), backdrop_);
    const int stripDepthY = settings_.anchorHeight + settings_.anchorStemLength + 1;
    const int stripDepthX = settings_.anchorWidth + settings_.anchorStemLength + 1;
    topStrip_ = Bitmap(backdrop_.image().copy(0, 0, w, std::min(h, stripDepthY)));
    leftStrip_ = Bitmap(backdrop_.image().copy(0, 0, std::min(w, stripDepthX), h));
    if (host_)
        host_->backdropChanged();
}

// ---------------------------------------------------------------- painting
//
// Everything below draws into an area of the canvas and nowhere else. A
// partial repaint renders its area on a piece of canvas (the same drawing
// shifted by whole pixels, so every pixel comes out as a full repaint would
// make it) and copies the piece in: the page lines and grid stay under the
// Items around it, and an Item drawn again cannot cover an Item above it
// outside the area, so nothing beyond the area needs drawing again.

void DocumentView::drawBackground(Canvas& c, QPoint shift, const QRect& area)
{
    c.fillRect(area.translated(-shift), settings_.canvasColor);
    const Item* header = document_.items.header();
    if (!header)
        return;
    for (PageLine& line : PageDecorations(header->rec.h, zoom(), window_.x.origin, window_.y.origin,
                                          canvas_.width(), canvas_.height())) {
        for (QPoint& p : line.points)
            p -= shift;
        c.setPen(kPageLineColor, 1, line.dotted ? PenStyle::Dotted : PenStyle::Solid);
        c.polyline(line.points);
    }
}

void DocumentView::drawGridLines(Canvas& c, QPoint shift, ViewDirection which, const QRect& area)
{
    const Item* header = document_.items.header();
    const Item* grid = FindVisibleByKind(document_.items, KindGridLines);
    if (!header || !grid)
        return;
    const HeaderFields& h = header->rec.h;
    const double z = zoom();
    if (Includes(which, ViewDirection::Horizontal) && h.gridH) {
        const QRect span(0, 0, 1, std::max(0, h.height));
        for (const GridLine& line : grid->verticalGridLines) {
            if (line.deleted)
                continue;
            const long long x =
                static_cast<long long>(ToCanvasX(z, window_.x.origin, GridLinePosition(GridVertical, line))) - h.left;
            if (x < area.left() || x > area.right())
                continue;
            c.fillRect((span.translated(static_cast<int>(x), 0) & area).translated(-shift), kGridLineColor);
        }
    }
    if (Includes(which, ViewDirection::Vertical) && h.gridV) {
        const QRect span(0, 0, std::max(0, h.width), 1);
        for (const GridLine& line : grid->horizontalGridLines) {
            if (line.deleted)
                continue;
            const long long y =
                static_cast<long long>(ToCanvasY(z, window_.y.origin, GridLinePosition(GridHorizontal, line))) - h.top;
            if (y < area.top() || y > area.bottom())
                continue;
            c.fillRect((span.translated(0, static_cast<int>(y)) & area).translated(-shift), kGridLineColor);
        }
    }
}

void DocumentView::drawItems(Canvas& c, QPoint shift, const QRect& area, bool skipEdited)
{
    if (itemsDeferred_)
        return;
    const PixelRect rect = documentAreaOf(area);
    DrawContext ctx = drawContext();
    ctx.originX += shift.x();
    ctx.originY += shift.y();
    const ItemList& list = document_.items;
    const std::int32_t top = MaxStackOrder(list);
    if (top < 1)
        return;
    std::int32_t current = INT32_MIN;
    for (Item* item : list.withStackOrderIn(1, top)) {
        const DrawingFields& d = item->rec.d;
        // One Item per stacking number: the first visible one in list order.
        if (d.stackOrder == current || d.hidden)
            continue;
        current = d.stackOrder;
        if (d.extending || (skipEdited && d.selected) || !IsDrawnKind(d.kind))
            continue;
        if (Touches(PaintExtent(*item, settings_.metrics), rect))
            DrawItem(c, ctx, *item, false);
    }
}

void DocumentView::repaintArea(const QRect& canvasArea, int layers, bool skipEdited)
{
    const QRect r = Corners(canvasArea) & wholeCanvas();
    if (r.isEmpty())
        return;
    const auto draw = [&](Canvas& c, QPoint shift) {
        if (layers & LayerBackground)
            drawBackground(c, shift, r);
        if (layers & LayerItems) {
            drawGridLines(c, shift, ViewDirection::Both, r);
            drawItems(c, shift, r, skipEdited);
        }
    };
    if (r == wholeCanvas()) {
        Canvas c(canvas_);
        draw(c, {0, 0});
        return;
    }
    Bitmap piece(canvas_.image().copy(r));
    {
        Canvas p(piece);
        draw(p, r.topLeft());
    }
    Canvas c(canvas_);
    c.copyRect(piece, QRect(0, 0, r.width(), r.height()), r.topLeft());
}

void DocumentView::PaintGridLines(ViewDirection which)
{
    if (canvas_.isNull())
        return;
    {
        Canvas c(canvas_);
        drawGridLines(c, {0, 0}, which, wholeCanvas());
    }
    canvasChanged(wholeCanvas());
}

void DocumentView::PaintBackground(const QRect& canvasRect)
{
    repaintArea(canvasRect, LayerBackground, false);
    canvasChanged(Corners(canvasRect));
}

void DocumentView::PaintItemsIn(PixelRect documentRect, bool skipEdited)
{
    const QRect area = toCanvasRect(Normalized(documentRect));
    repaintArea(area, LayerItems, skipEdited);
    canvasChanged(area);
}

bool DocumentView::anyShadow() const
{
    for (const Item& item : document_.items) {
        const DrawingFields& d = item.rec.d;
        if (d.role == RoleDrawing && !d.hidden && IsDrawnKind(d.kind) && HasShadow(item))
            return true;
    }
    return false;
}

PixelRect DocumentView::documentAreaOf(const QRect& canvasRect) const
{
    // Rounding back from canvas pixels can lose up to half a canvas pixel on
    // each side; at small zooms that is several document pixels.
    const double z = zoom();
    const int slack = 1 + static_cast<int>(std::ceil(1.0 / std::max(z, 1e-6)));
    return Grown(toDocumentRect(canvasRect), std::min(slack, kCanvasLimit));
}

void DocumentView::cancelPasses()
{
    refine_.active = false;
    if (progressive_.active) {
        progressive_.active = false;
        if (hooks_.progressiveDone)
            hooks_.progressiveDone();
    }
}

void DocumentView::RepaintAll(bool showMarkers)
{
    ++fullRepaints_;
    canvasPainted_ = true;
    markers_.dropAll();
    rubberBand_.invalidate();
    snapshot_.invalidate();
    repaintArea(wholeCanvas(), LayerBackground | LayerItems, false);
    // The canvas is complete at the quality asked for; a pass still running
    // would draw Items (and their shadows) a second time.
    if (!fastPaint_)
        cancelPasses();
    PaintAnchors(ViewDirection::Both);
    clipboardPending_ = false;
    canvasChanged(wholeCanvas());
    if (showMarkers)
        startTimer(ViewTimer::Marker);
}

void DocumentView::RepaintRect(const QRect& canvasRect)
{
    RestoreRubberBand();
    RemoveMarkers();
    if (canvas_.isNull())
        return;
    QRect r = Corners(canvasRect);
    if (anyShadow()) {
        r = wholeCanvas();
        if (!fastPaint_)
            cancelPasses();
    } else {
        const PixelRect asked = toDocumentRect(r);
        PixelRect grown = asked;
        for (const Item& item : document_.items) {
            const DrawingFields& d = item.rec.d;
            if (d.role != RoleDrawing || d.hidden || !IsDrawnKind(d.kind))
                continue;
            // The box first: the outline walk is only for Items that may touch.
            const PixelRect box = PaintExtent(item, settings_.metrics);
            if (!Touches(box, asked) || !OutlineTouches(item, asked, settings_.metrics))
                continue;
            grown = Unite(grown, Unite(box, RepaintExtent(item, settings_.metrics, drawContext().lightDirection)));
        }
        r = toCanvasRect(grown).adjusted(-1, -1, 1, 1) & wholeCanvas();
    }
    repaintArea(r, LayerBackground | LayerItems, false);
    snapshot_.invalidate();
    clipboardPending_ = false;
    canvasChanged(r);
    startTimer(ViewTimer::Marker);
}

// ---------------------------------------------------------------- selection edit

QRect DocumentView::selectionEditRect() const
{
    const double z = zoom();
    const int halfMarker = std::max(settings_.markerWidth, settings_.markerHeight) / 2;
    const TextSettings textSettings = TextSettingsOf(drawContext());
    QRect all;
    for (const Item& item : document_.items) {
        if (!IsSelectedLive(item))
            continue;
        const DrawingFields& d = item.rec.d;
        const PixelRect box = Normalized({d.left, d.top, d.right, d.bottom});
        QRect r = toCanvasRect(box);
        if (d.kind == KindText) {
            int average = 0;
            if (const auto font = MakeFont(item, d.fontSize, false, textSettings))
                average = font->averageCharWidth();
            const int grow = std::max(Round(average * std::max(z, 1.0)), halfMarker);
            r.adjust(-grow, -grow, grow, grow);
        } else if (d.kind == KindClip) {
            if (d.clipShape != 2 && d.rotation != 0.0) {
                const QPointF centre = QRectF(r).center();
                const double half = std::hypot(centre.x() - r.left(), centre.y() - r.top()) + 1.0;
                const int h = static_cast<int>(std::ceil(half));
                r = QRect(QPoint(Round(centre.x()) - h, Round(centre.y()) - h),
                          QPoint(Round(centre.x()) + h, Round(centre.y()) + h));
            }
            r.adjust(-halfMarker, -halfMarker, halfMarker, halfMarker);
            if (d.framed) {
                const int f = PenWidthAtZoom(z, d.weight, settings_.metrics) + 1;
                r.adjust(-f, -f, f, f);
            }
        } else if (d.kind >= KindLine && d.kind <= KindShapeRangeEnd) {
            const int grow = std::max(Round(z * d.penWidth), halfMarker);
            r.adjust(-grow, -grow, grow, grow);
        } else {
            r.adjust(-halfMarker, -halfMarker, halfMarker, halfMarker);
        }
        all = all.united(r.adjusted(0, 0, 1, 1));
    }
    return all;
}

void DocumentView::BeginSelectionEdit(bool drawNow)
{
    RemoveMarkers();
    RestoreRubberBand();
    if (canvas_.isNull())
        return;
    const QRect r = (anyShadow() ? wholeCanvas() : selectionEditRect()) & wholeCanvas();
    repaintArea(r, LayerBackground | LayerItems, true);
    TakeSnapshot(r);
    if (hooks_.beginEdit)
        hooks_.beginEdit();
    if (drawNow) {
        const DrawContext ctx = drawContext();
        Canvas c(canvas_);
        const std::int32_t top = MaxStackOrder(document_.items);
        for (Item* item : document_.items.withStackOrderIn(1, std::max(top, 1))) {
            if (!IsSelectedLive(*item))
                continue;
            DrawItem(c, ctx, *item, true);
            if (item->rec.d.kind == KindText)
                DrawEditFrame(c, ctx, *item);
        }
    }
    canvasChanged(wholeCanvas());
}

} // namespace vlm

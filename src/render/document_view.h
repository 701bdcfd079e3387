#pragma once

// The document view without a window: the canvas bitmap with its window
// origin and page offset, the backdrop with the anchor strips, the rulers,
// and every way the canvas is painted (full, partial, quick, refined after a
// zoom, progressive after a load) together with the overlays put on it and
// taken off again. The widget of the document window (shell/view_widget.h)
// shows these bitmaps, runs the timers the view asks for and forwards the
// mouse; tests drive the view directly.

#include "model/document.h"
#include "platform/bitmap.h"
#include "platform/font.h"
#include "render/draw_item.h"
#include "render/units.h"
#include "render/view_layout.h"
#include "render/view_overlay.h"
#include "render/view_settings.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <functional>

namespace vlm {

class Canvas;
class ItemEffects;

// The one-shot 100-ms timers of a document window.
enum class ViewTimer { Marker, Refine, Progressive };

// What the view needs from the window around it. Every method has a do-nothing
// default so a headless view works without one.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    // (Re)start a one-shot timer; its expiry calls the matching handler.
    virtual void startTimer(ViewTimer) {}
    // Pixels of these bitmaps changed and must be shown again.
    virtual void canvasChanged(const QRect& /*canvasRect*/) {}
    virtual void backdropChanged() {}
    virtual void rulerChanged(ViewDirection) {}
};

// The parts of a repaint that belong to the editing layer.
struct ViewHooks {
    // The marker timer: place the Markers of the selected Items, groups last.
    std::function<void()> placeMarkers;
    // Put a copied canvas area on the clipboard.
    std::function<void(const Bitmap&)> copyToClipboard;
    // BeginSelectionEdit: hide each selected Item and append its selected
    // editing copy (the undo history's BeginEdit).
    std::function<void()> beginEdit;
    // Stretches a small picture of the program (backdrop, ruler shading) to
    // a bitmap's size. The window hands in the program's resampler; without
    // one the view scales smoothly itself.
    std::function<void(const Bitmap& source, Bitmap& destination)> stretch;
    // Progressive painting after a load is complete.
    std::function<void()> progressiveDone;
};

// "Show all pictures", "Show all shadows", "Show all 3-D effects".
struct SpeedOptions {
    bool showPictures = true;
    bool showShadows = true;
    bool show3DEffects = true;
    bool operator==(const SpeedOptions&) const = default;
};

class DocumentView {
public:
    DocumentView(Document& document, const ViewSettings& settings, ViewHost* host = nullptr);
    ~DocumentView();
    DocumentView(const DocumentView&) = delete;
    DocumentView& operator=(const DocumentView&) = delete;

    void setHost(ViewHost* host) { host_ = host; }
    ViewHooks& hooks() { return hooks_; }
    // Shadows, shaded surfaces and pictures; without, Items draw flat.
    void setEffects(const ItemEffects* effects) { effects_ = effects; }
    void setSettings(const ViewSettings& settings);
    // The settings at the device ratio: Markers, anchors and ruler labels
    // measured in device pixels, so they look the size the settings give.
    const ViewSettings& settings() const { return settings_; }

    // ---- Device pixels ----
    //
    // The view paints at the density of the screen: with r device pixels per
    // logical pixel every bitmap, the layout, the scroll positions and every
    // canvas coordinate are in device pixels, and the design is drawn at
    // zoom × r. The widget shows the bitmaps at 1/r and converts the pointer
    // to device pixels. The zoom stored in the document never changes with r.
    void setDeviceRatio(double ratio);
    double deviceRatio() const { return ratio_; }
    // The document's zoom, as the user sees it.
    double documentZoom() const;
    // The rulers' thickness in device pixels.
    int rulerThickness() const;
    Document& document() { return document_; }

    // ---- Layout and scrolling ----

    // Lays the window out for a client area and scroll bar thickness: sizes
    // the viewport and the canvas, places the canvas, rebuilds the backdrop,
    // strips and rulers, and repaints the canvas when its window moved or its
    // size changed. Does nothing while closing or when called from within
    // itself. Returns the geometry for the widget to apply.
    const ViewGeometry& LayoutView(QSize client, int scrollBarThickness);
    // The same client area again (after a zoom or a page change).
    const ViewGeometry& LayoutView();
    const ViewGeometry& geometry() const { return geometry_; }
    void setClosing(bool closing) { closing_ = closing; }

    // A scroll bar moved: ruler, page offset, canvas window and anchors follow.
    void ScrollTo(ViewDirection direction, int position);
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }

    // Applies a new zoom to the window: markers off, header zoom, clip caches
    // dropped, fast-painted layout, backdrop and anchors, then the refinement
    // timer.
    void ApplyZoom(double zoom);

    // ---- Painting ----

    void RepaintAll(bool showMarkers);
    void RepaintRect(const QRect& canvasRect);
    void PaintBackground(const QRect& canvasRect);
    // The grid and every Item touching `documentRect` (edges in document
    // pixels), drawn within that rectangle's area of the canvas.
    void PaintItemsIn(PixelRect documentRect, bool skipEdited);
    void PaintGridLines(ViewDirection which);
    void PaintAnchors(ViewDirection which);
    void PaintRulers(ViewDirection which);

    // Starts a drag of the selection: repaints the area of the selected Items
    // without them, takes the snapshot, starts the edit and, when drawNow,
    // draws the edited Items quick.
    void BeginSelectionEdit(bool drawNow);

    void TakeSnapshot(const QRect& canvasRect);
    void RestoreSnapshot();
    void InvalidateSnapshot() { snapshot_.invalidate(); }
    bool snapshotValid() const { return snapshot_.valid(); }

    // The rubber band: one overlay (area rectangle, creation preview segment,
    // direction guide) at a time.
    void SaveRubberBand(const QRect& canvasRect);
    void RestoreRubberBand();
    // Draws the guide from the moving end `end` to the pointer along one
    // axis, saving what it covers in the rubber-band save-under.
    void DrawDirectionGuide(QPoint end, QPoint pointer, double presetDirectionRadians);

    // ---- Markers ----

    MarkerOverlay& markers() { return markers_; }
    const Marker& PlaceMarker(std::int32_t itemSequence, std::int32_t code, MarkerFigure figure, QPoint at,
                              QPoint from = {});
    void EraseMarkers(std::int32_t itemSequence);
    void RemoveMarkers();
    // The Markers of the selection are placed again when the marker timer
    // runs out (it starts over).
    void RestartMarkerTimer() { startTimer(ViewTimer::Marker); }
    // Copies a pending clipboard area, then has the Markers placed.
    void MarkerTimer();
    // The next marker timer puts this canvas area on the clipboard.
    void RequestClipboardCopy(const QRect& canvasRect);

    // The ruler hover feedback of the editing layer, restored before any
    // ruler repaint.
    SaveUnder& rulerHover(ViewDirection direction);
    void RestoreRulerHovers();

    // ---- Refinement and progressive painting ----

    // Steppable so that the widget can let the event loop run between Items:
    // Begin* sets up, *Step draws one Item and returns false when done.
    void BeginRefine();
    bool RefineStep();
    // All steps at once.
    void RefineAll();
    // After a load: the canvas shows the page only until the progressive
    // timer starts the pass.
    void ScheduleProgressivePaint();
    void BeginProgressivePaint();
    bool ProgressiveStep();

    // ---- Speed ----

    const SpeedOptions& speedOptions() const { return speed_; }
    // Turning 3-D effects on or off drops the clips' cached renderings; any
    // change repaints everything.
    void SetSpeedOptions(const SpeedOptions& options);
    bool fastPaint() const { return fastPaint_; }
    void setFastPaint(bool on) { fastPaint_ = on; }

    // ---- What the widget shows, and conversions ----

    Bitmap& canvas() { return canvas_; }
    const Bitmap& canvas() const { return canvas_; }
    const Bitmap& backdrop() const { return backdrop_; }
    const Bitmap& rulerXBitmap() const { return rulerX_; }
    const Bitmap& rulerYBitmap() const { return rulerY_; }
    Bitmap& rulerBitmap(ViewDirection direction);
    // The canvas's place in the viewport, its window origin and the page offset.
    QPoint canvasPosition() const;
    QPoint windowOrigin() const;
    QPoint pageOffset() const;
    const CanvasWindow& canvasWindow() const { return window_; }
    // The zoomed page rectangle from the header (zero without one), in
    // device pixels.
    ZoomedPage zoomedPage() const;
    // The zoom the canvas is drawn at: the document's zoom times the ratio.
    double zoom() const;

    int toCanvasX(int x) const;
    int toCanvasY(int y) const;
    int toDocumentX(int px) const;
    int toDocumentY(int py) const;
    PixelRect toDocumentRect(const QRect& canvasRect) const;
    QRect toCanvasRect(const PixelRect& documentRect) const;

    // The context Items are drawn with on this canvas.
    DrawContext drawContext() const;

    // Tell the host that pixels of the canvas changed (for overlays drawn by
    // the editing layer straight onto canvas()).
    void canvasChanged(const QRect& canvasRect);

private:
    struct Pass {
        bool active = false;
        std::int32_t next = 1;
    };

    QRect wholeCanvas() const;
    void startTimer(ViewTimer which);
    void placeCanvas();
    void stretch(const Bitmap& source, Bitmap& destination) const;
    void buildBackdrop();
    void rebuildRulers();
    void rebuildScaledRuler(ViewDirection direction, int chunkOffset);
    const Bitmap& anchorPicture(ViewDirection strip, bool grabbed);
    void drawAnchors(ViewDirection direction);
    enum Layer { LayerBackground = 1, LayerItems = 2 }; // Items come with the grid under them
    // Draws the layers into `canvasArea` only; `shift` is where the piece
    // drawn on lies in the canvas.
    void repaintArea(const QRect& canvasArea, int layers, bool skipEdited);
    void drawBackground(Canvas& c, QPoint shift, const QRect& area);
    void drawGridLines(Canvas& c, QPoint shift, ViewDirection which, const QRect& area);
    void drawItems(Canvas& c, QPoint shift, const QRect& area, bool skipEdited);
    PixelRect documentAreaOf(const QRect& canvasRect) const;
    bool anyShadow() const;
    QRect selectionEditRect() const;
    bool drawPassItem(Pass& pass);
    void cancelPasses();

    Document& document_;
    ViewSettings baseSettings_; // as given, at one device pixel per pixel
    ViewSettings settings_;     // scaled to the device ratio
    double ratio_ = 1.0;
    ViewHost* host_ = nullptr;
    ViewHooks hooks_;
    const ItemEffects* effects_ = nullptr;
    // Lent to every drawing through its context.
    mutable FontCache fonts_;

    QSize client_;
    int scrollBarThickness_ = 0;
    ViewGeometry geometry_;
    int scrollX_ = 0;
    int scrollY_ = 0;
    CanvasWindow window_;
    bool inLayout_ = false;
    bool closing_ = false;

    Bitmap canvas_;
    bool canvasPainted_ = false;
    std::uint64_t fullRepaints_ = 0;
    Bitmap backdrop_;
    Bitmap topStrip_;
    Bitmap leftStrip_;
    std::array<Bitmap, 4> anchorPictures_; // by strip and grab state, made when first drawn
    Bitmap rulerX_;
    Bitmap rulerY_;
    Bitmap blankRulerX_;
    Bitmap blankRulerY_;
    Bitmap scaledRulerX_;
    Bitmap scaledRulerY_;
    int chunkOffsetX_ = 0;
    int chunkOffsetY_ = 0;
    SaveUnder rulerHoverX_;
    SaveUnder rulerHoverY_;

    SaveUnder snapshot_;
    SaveUnder rubberBand_;
    MarkerOverlay markers_;
    bool clipboardPending_ = false;
    QRect clipboardRect_;

    SpeedOptions speed_;
    bool fastPaint_ = false;
    Pass refine_;
    Pass progressive_;
    // Set from a load until progressive painting starts: repaints show the
    // page without Items, which then appear one by one.
    bool itemsDeferred_ = false;
};

} // namespace vlm

#pragma once

// The behaviour of a document window (TSandbox) without the window: its tool
// mode, the three canvas mouse handlers with the click sequences that create
// Items, the previews drawn while those clicks are collected, the commit of a
// new Item into the Document and the undo history of the window. The widget
// forwards canvas events here (CanvasInput); tests call the handlers and the
// timer handlers directly.
//
// ToolMode 0 and the modes it leads to (drags, area selection, paste
// placement) belong to the pointer tool, which the window hands the events
// to through PointerInput.

#include "edit/edit_step.h"
#include "edit/tool_mode.h"
#include "model/document.h"
#include "model/undo.h"
#include "render/document_view.h"
#include "render/view_input.h"
#include "settings/settings.h"

#include <QPoint>
#include <QRect>
#include <QTimer>
#include <Qt>

#include <functional>
#include <span>
#include <vector>

namespace vlm {

struct TextSettings;

// The pointer tool as the window sees it.
class PointerInput {
public:
    virtual ~PointerInput() = default;
    // A press is hit-tested where the pointer is (`canvasPoint`); a drag it
    // starts measures its moves from `snappedPoint`, the press snapped to
    // the grid like the moves of the drag.
    virtual void mouseDown(QPoint canvasPoint, QPoint snappedPoint, Qt::KeyboardModifiers modifiers) = 0;
    // Moves and releases come snapped while a drag runs (`toolMode` other
    // than 0 and the area selection), unsnapped otherwise.
    virtual void mouseMove(QPoint canvasPoint, Qt::KeyboardModifiers modifiers) = 0;
    virtual void mouseUp(QPoint canvasPoint, Qt::KeyboardModifiers modifiers) = 0;
    // The mode of a gesture in progress, 0 when idle.
    virtual int toolMode() const = 0;
    // Abandons a gesture in progress.
    virtual void cancel() = 0;
};

// What the window asks of the main window and of the commands built on it. Each
// may be left empty.
struct SandboxHooks {
    // ShowPanel of the main window.
    std::function<void(int panelCode)> showPanel;
    // The one way to ask for a hint page: whether the page is shown (its
    // show flag) and how is the guidance panels' business.
    std::function<void(int page)> requestHintPage;
    // The line panel's guidance: line 1 before the first click, 2 after it.
    std::function<void(int line)> lineGuidance;
    // A new text box waits for its characters (caret at line 1, column 1).
    std::function<void(Item& text)> textStarted;
    // The caret, and editing a text in place, end.
    std::function<void()> endTextEditing;
    // A ruler's pixels changed (the cursor lines).
    std::function<void()> rulersChanged;
    // Shift + click, or Enter, while continuing a spline or curve (ToolModes
    // 297, 298), with the nodes the continued Item is to get.
    std::function<void(const std::vector<QPoint>& nodes)> commitContinuation;
    // Tried first by every press on the canvas (the text caret): true when
    // the press was taken.
    std::function<bool(QPoint canvasPoint)> pressFirst;
    // Backspace left too few points to go on continuing: the continued
    // Item is to come back unchanged.
    std::function<void()> cancelContinuation;
    // A double-click on the canvas (canvas pixels).
    std::function<void(QPoint canvasPoint)> doubleClick;
};

class Sandbox final : public CanvasInput {
public:
    static constexpr int kPressHoldDelayMs = 200;
    static constexpr int kReactivationDelayMs = 200;

    Sandbox(Document& document, DocumentView& view, Settings& settings, SandboxHooks hooks = {});
    ~Sandbox() override;
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // The view calls back into the Sandbox when a drag begins an edit. A
    // Sandbox that goes while its view stays detaches first; one that goes
    // with or after its window (and view) need not, and must not.
    void DetachFromView();

    void setHooks(SandboxHooks hooks) { hooks_ = std::move(hooks); }
    SandboxHooks& hooks() { return hooks_; }
    void setPointerInput(PointerInput* pointer) { pointer_ = pointer; }
    // The snap rule: a document point to the point it snaps to. None snaps
    // nothing. The creation tools' clicks and previews snap, and so do the
    // pointer tool's drags; what the pointer tool hit-tests (Markers,
    // outlines, the hover cursor) and the area selection do not.
    void setSnap(std::function<QPoint(QPoint)> snap) { snap_ = std::move(snap); }
    // The anchor strips and the rulers go to the grid's handlers (GridStrips);
    // without them they are ignored.
    void setStripInput(CanvasInput* strips) { strips_ = strips; }

    Document& document() { return document_; }
    DocumentView& view() { return view_; }
    Settings& settings() { return settings_; }

    // ---- Tool mode ----
    int toolMode() const;
    void EnterToolMode(int panelCode);
    // A shape panel was shown: no click made yet. Turning points already
    // placed for a spline, solid, curve or oblong stay, with their preview:
    // the panel shown is then the one of the tool still at work. A text
    // being typed is left alone too.
    void ResetCreationState();
    // The pointer tool moved to another mode (a drag, the area selection,
    // back to 0).
    void PointerModeChanged(int mode);

    // ---- Canvas events (canvas pixels) ----
    void Image1MouseDown(const CanvasMouse& m) override;
    void Image1MouseMove(const CanvasMouse& m) override;
    void Image1MouseUp(const CanvasMouse& m) override;
    void background1MouseDown(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->background1MouseDown(m);
    }
    void background1MouseMove(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->background1MouseMove(m);
    }
    void background1MouseUp(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->background1MouseUp(m);
    }
    void rulerXMouseDown(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerXMouseDown(m);
    }
    void rulerXMouseMove(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerXMouseMove(m);
    }
    void rulerXMouseUp(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerXMouseUp(m);
    }
    void rulerYMouseDown(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerYMouseDown(m);
    }
    void rulerYMouseMove(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerYMouseMove(m);
    }
    void rulerYMouseUp(const CanvasMouse& m) override
    {
        if (strips_)
            strips_->rulerYMouseUp(m);
    }
    void Image1DblClick(const CanvasMouse& m) override;

    // PressHoldDelay fired: a press still held counts as the first click.
    void PressHoldDelayTimer();
    bool pressHoldPending() const { return pressHold_.isActive(); }

    // Moves and releases are ignored until the next press (Esc, a
    // double-click being handled).
    void IgnoreUntilNextPress() { ignoreUntilPress_ = true; }
    bool ignoringMouse() const { return ignoreUntilPress_; }

    // Esc during creation: the preview goes, nothing is added, the clicks
    // start again.
    void AbandonCreation();

    // A key typed after the first click of a text: the text is made at that
    // click, its end one character (`firstCharWidth` document pixels) along
    // the preset direction. Returns the new text, or null when no text start
    // was waiting.
    Item* CommitTypedText(int firstCharWidth);
    // Ends a spline-family figure at its present nodes (Shift + click does
    // this after moving the last node to the click): false when there is no
    // figure to commit.
    bool CommitPointList();
    // Text being typed or edited in place is finished (before a command
    // that copies or pastes).
    void FinishTyping();

    // ---- Keys of a figure under construction (sandbox_keys.cpp) ----
    // Backspace in the spline tools and while continuing: the last turning
    // point goes and the one before follows the pointer. False outside them.
    bool RemoveTurningPoint();
    // Enter there: the figure of the fixed turning points is committed
    // (nothing with only the moving node).
    bool FinishFigure();
    // C in the open spline and curve tools with three fixed turning points
    // or more: the figure is committed closed.
    bool CloseFigure();
    // Esc in a shape tool: the figure under construction goes.
    bool CancelFigure();
    // The first character typed after the text tool's click: the text is
    // made there, measured with that character. Null when no start waited.
    Item* StartTypedText(char32_t first);
    // Esc while typing a new text: typing ends, the text stays.
    bool EndTyping();
    // The figure's points when continuing an open spline or curve (Ctrl-A):
    // `nodes` with the moving node at `pointer` appended are previewed with
    // the kind, shape, colours, weight and tension of `continued`, and the
    // window enters ToolMode 297 or 298.
    void BeginContinuation(const Item& continued, std::vector<QPoint> nodes, QPoint pointer);
    // A double-click started editing the selected text in place (ToolMode 37).
    void EnterInPlaceEdit();
    // The continuation's preview comes off and its state ends (ToolMode 0).
    void EndContinuation();
    // The last pointer position over the canvas, in document pixels.
    QPoint lastPointer() const { return lastMove_; }

    // The area last outlined with the area selection, normalised, in canvas
    // pixels; any press on the canvas collapses it to the press point.
    QRect outlinedArea() const { return outlined_; }

    // ---- Creation state ----
    int clickCount() const { return clickCount_; }
    // Document points: the first and second creation clicks, the latest press.
    QPoint firstPoint() const { return firstPoint_; }
    QPoint secondPoint() const { return secondPoint_; }
    QPoint pressPoint() const { return pressPoint_; }
    // The nodes of a figure made of points; the last one follows the pointer.
    std::vector<QPoint>& creationPoints() { return creationPoints_; }

    // ---- History ----
    // The start of a change of the selected Items: they are replaced by
    // editable copies, drawn at once when `redraw`.
    void BeginEdit(bool redraw);
    void Undo();
    void Redo();
    // "Clear Undo and Redo".
    void ClearUndoRedo();
    bool CanUndo();
    bool CanRedo();
    // Tells the subscribers of documentChanged that the history may have
    // moved ("Undo" and "Redo" follow); an EditStep does this on leaving.
    void UpdateUndoCommands();
    HistoryCursor& historyCursor() { return history_; }
    // What changed after every edit step, for any number of subscribers.
    DocumentChanged& documentChanged() { return documentChanged_; }

    // "Place the selected item behind other objects" / "... on top ...".
    void PlaceSelectedBehind();
    void PlaceSelectedOnTop();

    // ---- Window activation ----
    void Activated();
    void Deactivated();
    // 200 ms after activation: the line or text panel again.
    void ReactivationTimer();
    bool reactivationPending() const { return reactivation_.isActive(); }

private:
    struct Pointer {
        QPoint canvas;
        QPoint document;
    };

    bool pointerOwnsEvents() const;
    bool pointerDragging() const;
    QPoint snappedCanvas(QPoint canvas) const;
    Pointer preprocess(int x, int y, bool snap);
    void moveRulerCursors(QPoint canvas);
    void resetCreation();
    void leaveCreation();
    void click(QPoint p, bool shift);
    void clickSplineFamily(QPoint p, bool shift);
    void drawPreview(QPoint p);
    void erasePreview();
    void commitItem(const std::function<Item&(ItemList&)>& build, int hintPage);
    void historyStep(bool (*step)(ItemList&, HistoryCursor&));
    void placeSelected(bool behind);
    int hintPageAfterCreation() const;
    TextSettings textSettings() const;
    Item* buildFigure(ItemList& list, QPoint p);

    Document& document_;
    DocumentView& view_;
    Settings& settings_;
    SandboxHooks hooks_;
    DocumentChanged documentChanged_;
    PointerInput* pointer_ = nullptr;
    std::function<QPoint(QPoint)> snap_;
    CanvasInput* strips_ = nullptr;

    int toolMode_ = ToolMode::Pointer;
    int clickCount_ = 0;
    QPoint pressPoint_;
    QPoint firstPoint_;
    QPoint secondPoint_;
    QPoint lastMove_;
    std::vector<QPoint> creationPoints_;
    bool ignoreUntilPress_ = false;
    bool holdArmed_ = false;
    QPoint pressCanvas_;
    QRect outlined_;
    // While continuing: the continued Item's fields the preview is drawn with.
    DrawingFields continued_{};

    SaveUnder preview_;
    ItemList scratch_; // the preview Item, rebuilt every frame

    HistoryCursor history_;
    QTimer pressHold_;
    QTimer reactivation_;
};

// The preview of a continued spline or curve: the nodes drawn as the
// continued Item draws (kind, shape, colours, weight, pattern, tension).
struct BuildContext;
Item& BuildContinuationPreview(ItemList& list, const BuildContext& ctx, const DrawingFields& continued,
                               std::span<const QPoint> nodes);

} // namespace vlm

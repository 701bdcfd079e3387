#pragma once

// The pointer tool (ToolMode 0) of a document window: a press on a Marker
// starts a drag of the selection, a Ctrl press starts an area selection, a
// plain click selects by distance to the outlines, and every move without a
// button pressed sets the hover cursor. The window's mouse handlers hand the
// canvas events of ToolMode 0 here and keep handing them over while
// `busy()` says a gesture this tool started is still running.

#include "render/document_view.h"

#include <QPoint>
#include <Qt>

#include <cstdint>
#include <functional>
#include <memory>

namespace vlm {

// The canvas interaction modes the pointer tool moves the window through.
namespace SelectionMode {
inline constexpr int Pointer = 0;
inline constexpr int Area = 8;
inline constexpr int TextDrag = 33;
inline constexpr int ShapeDrag = 46; // point-list shapes, pies, arcs, group centres
inline constexpr int CircleDrag = 47;
inline constexpr int EllipseDrag = 48;
inline constexpr int PictureDrag = 52;
inline constexpr int PastePlacement = 53;
inline constexpr int GroupRotation = 58;
inline constexpr int LineDrag = 1001;
} // namespace SelectionMode

// What the tool needs from the window and the main window around it. Every
// hook may be left empty.
struct SelectionToolHooks {
    // ShowPanel of the main window.
    std::function<void(int panelCode)> showPanel;
    // The PanelCode the left column shows now (the insert panel is not shown
    // again when it is already there).
    std::function<int()> shownPanel;
    // The tool entered another ToolMode (a drag mode, the area selection, or
    // back to 0); the window mirrors it and resets its click count on 0.
    std::function<void(int toolMode)> toolModeChanged;
    // The canvas cursor.
    std::function<void(Qt::CursorShape)> setCursor;
};

class SelectionTool {
public:
    SelectionTool(Document& document, DocumentView& view, SelectionToolHooks hooks = {});
    ~SelectionTool();
    SelectionTool(const SelectionTool&) = delete;
    SelectionTool& operator=(const SelectionTool&) = delete;

    void setHooks(SelectionToolHooks hooks);

    // The ToolMode the tool currently runs: 0 when idle.
    int toolMode() const;
    // A drag, an area selection or a paste placement is in progress.
    bool busy() const { return toolMode() != SelectionMode::Pointer; }

    // Canvas events. `mouseDown` in ToolMode 0 hit-tests the Markers (Ctrl
    // starts an area selection instead); in any other mode it does nothing.
    // `mouseMove` drags, stretches the area or, when idle, sets the hover
    // cursor. `mouseUp` finishes a drag, a paste placement or an area
    // selection, and click-selects when the press started none of them.
    void mouseDown(QPoint canvasPoint, Qt::KeyboardModifiers modifiers)
    {
        mouseDown(canvasPoint, canvasPoint, modifiers);
    }
    // The same, hit-testing at `canvasPoint` while a drag the press starts
    // measures its moves from `dragFrom` (the press snapped to the grid).
    void mouseDown(QPoint canvasPoint, QPoint dragFrom, Qt::KeyboardModifiers modifiers);
    void mouseMove(QPoint canvasPoint, Qt::KeyboardModifiers modifiers);
    void mouseUp(QPoint canvasPoint, Qt::KeyboardModifiers modifiers);

    // The hover cursor for a pointer at this canvas point (also set through
    // the hook).
    Qt::CursorShape hover(QPoint canvasPoint);

    // After a paste: the selected Items follow the pointer, moved by their
    // centre, until the next click ends on its release.
    void beginPastePlacement(QPoint canvasPoint);
    // The same, held at `grabPoint` (canvas) instead of their centre.
    void beginPastePlacement(QPoint canvasPoint, QPoint grabPoint);
    // Ends a paste placement where the pointer left the Items, as the next
    // click would; false when none was running.
    bool endPastePlacement();

    // Abandons a running gesture as it stands (Esc, the window losing the
    // mouse): the preview is taken off and the canvas repainted.
    void cancel();

private:
    struct State;
    std::unique_ptr<State> s_;
};

} // namespace vlm

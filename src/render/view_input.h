#pragma once

// What the document window's widget hands to the editing layer: mouse
// presses, moves and releases on the canvas (in canvas pixels), on the anchor
// strips of the backdrop and on the rulers (in their own pixels). The editing
// layer implements this; the widget ignores the mouse while none is set.

namespace vlm {

enum class MouseButton { None, Left, Right, Middle };

struct CanvasMouse {
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None; // the button pressed or released
    bool leftHeld = false;                  // during moves
    bool rightHeld = false;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class CanvasInput {
public:
    virtual ~CanvasInput() = default;

    virtual void Image1MouseDown(const CanvasMouse& m) = 0;
    virtual void Image1MouseMove(const CanvasMouse& m) = 0;
    virtual void Image1MouseUp(const CanvasMouse& m) = 0;
    // The second press of a double-click, after its Image1MouseDown.
    virtual void Image1DblClick(const CanvasMouse&) {}

    // The backdrop outside the canvas, with the anchor strips; viewport pixels.
    virtual void background1MouseDown(const CanvasMouse&) {}
    virtual void background1MouseMove(const CanvasMouse&) {}
    virtual void background1MouseUp(const CanvasMouse&) {}

    // Ruler pixels: x along rulerX, y along rulerY.
    virtual void rulerXMouseDown(const CanvasMouse&) {}
    virtual void rulerXMouseMove(const CanvasMouse&) {}
    virtual void rulerXMouseUp(const CanvasMouse&) {}
    virtual void rulerYMouseDown(const CanvasMouse&) {}
    virtual void rulerYMouseMove(const CanvasMouse&) {}
    virtual void rulerYMouseUp(const CanvasMouse&) {}
};

} // namespace vlm

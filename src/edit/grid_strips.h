#pragma once

// The grid as the user handles it in a document window: the Anchors on the
// strips beside the rulers (hover highlight, dragging a line with the Items
// on it, Shift + click to add a line, Delete on a highlighted Anchor), the
// ends of the page on the rulers (dragging the width, height and corner of
// the design area), and the grid commands of the menus and the toolbar.
// The window's widget forwards strip and ruler events through its Sandbox.

#include "edit/grid_edit.h"
#include "render/view_input.h"

#include <QPoint>
#include <QString>
#include <Qt>

#include <functional>

namespace vlm {

class Sandbox;

struct GridStripHooks
{
    // The pointer over a strip or ruler takes this shape.
    std::function<void(Qt::CursorShape)> setCursor;
    // The length read-out of a page-end drag ("Width: 3 Inches"); an empty
    // text takes it away.
    std::function<void(const QString&)> showHint;
    // The page size or corner changed: the window is laid out again. Without
    // it the view lays itself out for the client area it has.
    std::function<void()> pageChanged;
};

class GridStrips final : public CanvasInput
{
public:
    // Within this many pixels of a page end a ruler press drags that end.
    static constexpr int kEndReach = 5;

    GridStrips(Sandbox& sandbox, GridStripHooks hooks = {});

    void setHooks(GridStripHooks hooks) { hooks_ = std::move(hooks); }

    // The canvas is the Sandbox's.
    void Image1MouseDown(const CanvasMouse&) override {}
    void Image1MouseMove(const CanvasMouse&) override {}
    void Image1MouseUp(const CanvasMouse&) override {}

    void background1MouseDown(const CanvasMouse& m) override;
    void background1MouseMove(const CanvasMouse& m) override;
    void background1MouseUp(const CanvasMouse& m) override;
    void rulerXMouseDown(const CanvasMouse& m) override;
    void rulerXMouseMove(const CanvasMouse& m) override;
    void rulerXMouseUp(const CanvasMouse& m) override;
    void rulerYMouseDown(const CanvasMouse& m) override;
    void rulerYMouseMove(const CanvasMouse& m) override;
    void rulerYMouseUp(const CanvasMouse& m) override;

    // The Delete key asks this first: a highlighted vertical line's Anchor,
    // else a highlighted horizontal one, is deleted. False when no Anchor is
    // highlighted (Delete then acts on the Items).
    bool DeleteHighlightedAnchor();
    // An Anchor is highlighted that Delete would delete.
    bool anchorHighlighted() const;

    // The menu and toolbar commands (choice 0 None, 1 Horizontal,
    // 2 Vertical, 3 Both). Grid and Anchor changes repaint the canvas and
    // the strips; Snap changes only the flags.
    void SetGrid(int choice);
    void SetAnchors(int choice);
    void SetSnap(int choice);
    // Equal distances in the chosen directions (the question is the menu's).
    void ResetGrid(ViewDirection directions);
    // Lines up to the page end after the page grew.
    void ExtendGrid(ViewDirection directions);
    // After any change of the grid record or the flags from outside (the
    // grid options, Undo): the canvas and the strips show it.
    void GridChanged();

    // The pointer went from the strips onto the canvas or out of the view:
    // no Anchor stays highlighted for Delete.
    void PointerLeftStrips();

    bool dragging() const { return grab_.active || end_.mode != EndMode::None; }

private:
    enum class EndMode { None, Size, Origin };
    struct Grab
    {
        bool active = false;
        GridOrientation axis = GridVertical;
        std::size_t index = 0;
        std::int32_t from = 0;
    };
    struct Insert
    {
        bool armed = false;
        GridOrientation axis = GridVertical;
        QPoint press;
    };
    struct EndDrag
    {
        EndMode mode = EndMode::None;
        bool horizontal = true;
        int press = 0;
        double savedOrigin = 0.0;
        double savedArea = 0.0;
    };

    HeaderFields* header() const;
    bool shown(GridOrientation axis) const;
    GridOrientation stripAt(QPoint p) const;
    std::int32_t anchorCoordinate(GridOrientation axis, QPoint p) const;
    int hitAnchor(GridOrientation axis, QPoint p) const;
    void setLineInRecord(std::size_t index, std::int32_t position, bool highlighted);
    void afterGridEdit();
    void setCursor(Qt::CursorShape shape);

    void rulerDown(bool horizontal, const CanvasMouse& m);
    void rulerMove(bool horizontal, const CanvasMouse& m);
    void rulerUp(bool horizontal, const CanvasMouse& m);
    int rulerPageStart(bool horizontal) const;
    int rulerPageEnd(bool horizontal) const;
    int endReach() const;
    double lengthFor(bool horizontal, int rulerPosition) const;
    void setAreaLength(bool horizontal, double length);

    Sandbox& sandbox_;
    GridStripHooks hooks_;
    Grab grab_;
    Insert insert_;
    EndDrag end_;
};

} // namespace vlm

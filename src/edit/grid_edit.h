#pragma once

// Editing the grid of a Document: the header's show, anchor and snap flags
// per direction, and the changes of the grid lines themselves. Every change
// of the lines makes a new version of the GridLines record (the old one
// hidden, the new one done with an edit step of its own), so Undo and Redo
// bring the lines back; grid edits keep the redo part.

#include "edit/transform.h"
#include "model/grid_line.h"
#include "model/item_list.h"
#include "render/view_layout.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vlm {

// The three flag pairs of the header.
enum class GridFeature { Grid, Anchors, Snap };

// 0 None, 1 Horizontal, 2 Vertical, 3 Both.
int GridChoice(const HeaderFields& h, GridFeature feature);
// SetGrid, SetAnchors, SetSnap on the header: choices outside 0..3 change
// nothing.
void SetGridChoice(HeaderFields& h, GridFeature feature, int choice);

// The visible GridLines record is hidden and replaced by a done copy with a
// new edit step; the copy is returned (null without a grid). Highlights stay
// with the copy only.
Item* NewGridVersion(ItemList& list);

// "Reset": the lines of the chosen directions at equal distances, one grid
// edit. False without a header or a grid.
bool ResetGrid(ItemList& list, ViewDirection directions);
// After the page grew: lines added up to the new page end, one grid edit
// when any was added.
bool ExtendGrid(ItemList& list, ViewDirection directions);

enum class GridLineOp {
    MoveHighlighted,   // the highlighted line goes to `position`
    DeleteHighlighted, // the highlighted line is marked deleted
    Insert,            // a new line at `position`
    Regenerate,        // equal distances
};
// One change of the lines of `axis` (positions in canvas-origin pixels);
// true when something changed, which is then one new grid version.
bool GridLineOperation(ItemList& list, GridOrientation axis, GridLineOp op, std::int32_t position);

// The first highlighted, not deleted line of `axis` in the visible grid, or
// null.
GridLine* HighlightedGridLine(const ItemList& list, GridOrientation axis);
// Clears every highlight of the visible grid; true when one was set.
bool ClearGridHighlights(ItemList& list);

// The live Items with a coordinate on the axis within 2 document pixels of
// a line at `position`: line and text ends, nodes of point lists, centres
// of circles and ellipses (circles also centre +- radius), edges of
// pictures, centre +- radius of round pictures.
std::vector<Item*> ItemsOnGridLine(const ItemList& list, GridOrientation axis, std::int32_t position);

// The Items on a line that moved from `from` to `to` go with it, as one
// drag edit without snapping: `beginEdit` replaces the selected Items by
// their editable copies (the window's BeginEdit). The selection before is
// restored afterwards. Returns the number of Items moved.
int MoveItemsWithGridLine(ItemList& list, const DragSettings& settings,
                          const std::function<void()>& beginEdit, GridOrientation axis, std::int32_t from,
                          std::int32_t to);

// The design area's corner moved by `delta` pixels on one axis: every
// version of the grid moves with it, so Undo and Redo keep their lines on
// the page.
void ShiftAllGridVersions(ItemList& list, GridOrientation axis, std::int32_t delta);

} // namespace vlm

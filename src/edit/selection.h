#pragma once

// Picking Items: a click selects the Item whose outline lies nearest (within
// the hit tolerance), Shift toggles, joined groups are selected as a whole,
// and the Ctrl drag selects the Items inside an area (or, with Shift as
// well, touching it). The selection is the `selected` byte of the Items.

#include "model/item_list.h"
#include "render/document_view.h"
#include "render/units.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <optional>

namespace vlm {

// Selected live Items other than group records: members of a group count
// one by one.
int SelectedItemCount(const ItemList& list);
// The selection count with groups collapsed: a group's members count once.
int SelectionCount(const ItemList& list);
// All selected Items but groups have one kind, and splines and curves agree
// on being open or not.
bool IsUniformSelection(const ItemList& list);

// The open spline or curve being continued at its end (Ctrl-A), which is
// neither drawn nor selectable meanwhile; null when none is.
const Item* ContinuedItem(const ItemList& list);

struct ClickResult {
    Item* selected = nullptr; // the Item this click left selected
    bool deselected = false;  // Shift turned an Item off
};

// The Item nearest to the click, within the tolerance; ties go to the Item
// drawn on top. Null when none is near enough.
Item* ItemAtClick(DocumentView& view, QPoint canvasPoint);

// A click in the pointer tool (on release, when no Marker was dragged):
// selects, toggles with Shift, follows the group and places the Markers.
ClickResult ClickSelect(DocumentView& view, QPoint canvasPoint, bool shift);

// Selects or deselects every other Item of `item`'s group (deselected ones
// lose their Markers).
void SelectGroupOf(DocumentView& view, const Item& item, bool select);

// Selects the area-selectable Items inside `documentRect` (or, `partial`,
// touching its edges) and deselects the others, placing and erasing Markers
// as Items come and go. Returns the number now selected.
int AreaSelect(DocumentView& view, const PixelRect& documentRect, bool partial);

// The dotted red-on-yellow area rectangle between two canvas points, drawn
// over its own save-under (the previous one is taken off first).
void DrawAreaRectangle(DocumentView& view, QPoint a, QPoint b);

// The left-column panel the selection asks for: nothing when it should not
// change (only a group is selected).
std::optional<int> SelectionPanelCode(const ItemList& list, bool clickDeselected);

inline constexpr int kInsertPanel = 20;

// Shows that panel through `showPanel`; the insert panel is not shown again
// when `shownPanel` says it is already there.
void ShowSelectionPanel(const ItemList& list, bool clickDeselected, const std::function<void(int)>& showPanel,
                        const std::function<int()>& shownPanel);

} // namespace vlm

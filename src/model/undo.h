#pragma once

// Undo and redo over the history kept inside the item list: an edit appends
// new versions and hides what they replace, Undo and Redo flip `hidden` one
// user action at a time. These are the list's side of the commands; the
// document window adds the tool mode, the Markers, the repaint and the
// enabling of its menu items and buttons around them.
//
// The history has no size limit, so every operation here finds its records
// through the list's index by sequence number and touches only the records of
// the action it undoes or redoes. A HistoryCursor, kept by the window for its
// Document, remembers where the done part of the history ends so that this
// stays true however many actions lie undone above it.

#include "model/history.h"
#include "model/item_list.h"

#include <cstdint>

namespace vlm {

// Where the done part of the history ended when last looked at: among the
// records with a sequence up to `seenMax`, `doneTop` was the largest sequence
// of a done record (0: none). It is only a hint; every use checks it against
// the list, so a stale cursor (another list loaded in the meantime) costs one
// walk and never gives a wrong answer.
struct HistoryCursor {
    std::int32_t seenMax = -1;
    std::int32_t doneTop = 0;
    // How many undone records the operations here left (-1: unknown). Zero
    // is only ever set after the redo part was actually discarded, so an
    // edit can skip the walk over the whole list that discarding costs.
    std::int64_t undone = -1;
};

// DiscardRedo, skipped when the cursor knows there is nothing to discard.
void DiscardRedo(ItemList& list, HistoryCursor& cursor);

// The done record (historyState 1, role 0) with the largest sequence, or null.
Item* LastDone(const ItemList& list, HistoryCursor& cursor);

// The record Redo would make visible first: the one whose sequence follows
// the last done record (or, with nothing done, the last record outside the
// history), when it is undone. Null when there is nothing to redo.
Item* FirstUndone(const ItemList& list, HistoryCursor& cursor);

bool CanUndo(const ItemList& list, HistoryCursor& cursor);
// True when Redo has an action to redo. Undone records can also sit below
// records that were added without discarding the redo part (a paste); Redo
// cannot reach those, so they do not enable it.
bool CanRedo(const ItemList& list, HistoryCursor& cursor);

// The list's part of BeginEdit: when an Item is selected-live, the redo part
// is discarded and every selected-live record up to the present tail is
// replaced by an editable copy (selected, done, one new edit step, its
// reference points and saved vertices taken from the current ones). Returns
// the new edit step, or 0 when nothing was selected.
std::int32_t BeginEditCopies(ItemList& list, HistoryCursor& cursor);
// The same for a caller without a cursor: the redo part is always walked.
std::int32_t BeginEditCopies(ItemList& list);

// Undoes the last done action: its records are hidden and marked undone, the
// versions they replaced come back with their stacking changes reversed.
// False when there was nothing to undo.
bool UndoLastAction(ItemList& list, HistoryCursor& cursor);

// Redoes the first undone action: its records are shown and marked done, the
// versions they replace are hidden with their stacking changes applied again.
// False when there was nothing to redo.
bool RedoNextAction(ItemList& list, HistoryCursor& cursor);

// "Clear Undo and Redo": the redo part, every hidden record, every deletion
// marker and every text without lines go; the rest leaves the history
// (historyState 0, no predecessor) and is numbered 1, 2, 3 ... in list
// order; group numbers are compacted.
void ClearHistory(ItemList& list, HistoryCursor& cursor);

} // namespace vlm

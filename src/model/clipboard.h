#pragma once

// The list side of the Edit commands that move Items between Documents or
// change how they belong together: deleting the selection, copying it into
// the internal clipboard, pasting the clipboard back, joining the selection
// into one group and splitting groups. Every change but the copy goes
// through the undo history kept in the list.
//
// The internal clipboard is an ItemList of its own, independent of every
// Document: the source's DocumentHeader first, then the copied Items, then
// one Picture record for each picture a copied Clip shows. It is never
// saved.

#include "model/document.h"
#include "model/item_list.h"
#include "model/undo.h"

#include <cstdint>
#include <functional>

namespace vlm {

// Pasted Items are placed this far right of and below the copied ones.
inline constexpr std::int32_t kPasteOffset = 10;

// The list's part of DeleteSelection: every selected-live Text, shape or
// Clip up to the present tail is hidden and followed by a deletion marker of
// one new edit step, so that one Undo brings all of them back; then nothing
// is selected. False (and nothing changed) when nothing was selected.
bool DeleteSelectedItems(ItemList& list, HistoryCursor& cursor);

// The list's part of CopySelectedItems: `clipboard` is emptied and, when
// `source` has a DocumentHeader, receives a copy of it, a copy of every
// selected-live Text, shape and Clip in list order (none selected) and each
// Picture record the copied Clips use, once; group numbers are compacted to
// 1..n. A group whose live members are all copied takes its Group record
// along, selected or not; members of a group copied only in part lose their
// group number in the copy, and a Group record is never copied without its
// members.
void CopyItemsToClipboard(const ItemList& source, ItemList& clipboard);

// "Paste" has something to paste: a drawing record neither extending nor
// hidden.
bool HasPastableItem(const ItemList& clipboard);

// After the pasted copy of an Item got its moved points: the kind's derived
// geometry, the real coordinates, box, size and length (texts their text
// box). The caller knows the fonts this takes.
using RecomputeItem = std::function<void(Item&)>;

struct PasteResult {
    bool pasted = false;
    std::int32_t editStep = 0;
    std::int32_t items = 0;
};

// The list's part of PasteClipboard: nothing is selected any more, the
// clipboard's pictures the target lacks are copied in, and a copy of every
// pastable Item is appended in the clipboard's stacking order, moved by
// kPasteOffset in both directions, on top of the target's Items, selected,
// in one new edit step, its group number moved above the target's. The redo
// history stays. Nothing happens without a DocumentHeader on either side.
//
// Picture numbers are unique only among the Documents open when a picture
// was inserted: when the target already has a Picture record of the same
// number with other bytes, the pasted one is given a fresh number (no
// Picture record of the target or of `open` has it) and the pasted Clips
// follow it. A record with the same bytes is shared.
PasteResult PasteItems(ItemList& target, const ItemList& clipboard, const OpenDocuments& open,
                       const RecomputeItem& recompute);

// The list's part of JoinSelection: the selection is replaced by editable
// copies that all take one new group number, the groups it contained are
// dissolved into it and a new Group record at the members' centre is
// appended, selected, in the same edit step. False when no Item but groups
// was selected.
bool JoinSelectedItems(ItemList& list, HistoryCursor& cursor);

// The list's part of SplitSelection: the selection is replaced by editable
// copies that belong to no group, its Group records are deleted, and nothing
// is selected. False when nothing was selected.
bool SplitSelectedGroups(ItemList& list, HistoryCursor& cursor);

// A group is selected: some selected-live record belongs to one.
bool IsGroupSelected(const ItemList& list);

} // namespace vlm

#pragma once

// The window side of "Cut", "Copy", "Paste", "Copy to Clipboard", "Join
// Items" and "Split Group": the list operations of model/clipboard.h with
// what a document window adds around them (typing finished first, Markers
// off and on, repaints, the undo commands, the paste placement). The panels,
// the toolbar and the system clipboard are the shell's.

#include "edit/sandbox.h"
#include "edit/selection_tool.h"
#include "model/document.h"
#include "platform/bitmap.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

namespace vlm {

// DeleteSelection ("Cut", the erase button, the Delete key): false when
// nothing was selected. The panel that follows is the caller's.
bool DeleteSelection(Sandbox& window);

// CopySelectedItems: any text being typed is finished, then the selection
// replaces the clipboard's content.
void CopySelectedItems(Sandbox& window, ItemList& clipboard);

// PasteClipboard: any text being typed is finished, the window returns to
// the pointer tool, the clipboard's Items are pasted, `showPanel` gets the
// panel of the pasted kinds and the pasted selection follows the pointer,
// held at its centre, until the next click. False when nothing was pasted.
bool PasteClipboard(Sandbox& window, SelectionTool& pointer, const ItemList& clipboard, const OpenDocuments& open,
                    const std::function<void(int panelCode)>& showPanel);

// The point the pasted selection is held at: the average of the selected
// Items' centres, each the midpoint of its first and second point (group
// records left out). Document pixels.
QPoint PasteGrabPoint(const ItemList& list);

// JoinSelection and SplitSelection: false when nothing changed.
bool JoinSelection(Sandbox& window);
bool SplitSelection(Sandbox& window);

// CopyAreaToClipboard: the Markers come off and the view's next marker
// timer puts the outlined area (as displayed) on the clipboard and the
// Markers back. False when the outlined area is empty.
bool CopyAreaToClipboard(Sandbox& window);

// The selected Items drawn at the view's zoom on white, cut to their
// combined extent (at most kSelectionBitmapLimit pixels a side); a null
// bitmap without a selection.
inline constexpr int kSelectionBitmapLimit = 8192;
Bitmap SelectionBitmap(DocumentView& view);

} // namespace vlm

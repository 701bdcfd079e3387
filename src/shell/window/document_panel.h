#pragma once

// Which panel the left column owes the document in front. The fine-tune
// panels of lines, shapes and texts, the multi-selection panel and the clip
// panel speak of a selection and act on it; once another document comes to
// the front (opened, or left in front by a closed one) they must speak of
// its selection, or give way to the insert panel when it has none; the
// insert panel gives way to the panel of a selection the document brings.
// Tool panels and hint pages stay: the tool or the page is still at work.

#include "model/item_list.h"

#include <optional>

namespace vlm {

// A panel filled from, and acting on, the selection.
bool isSelectionPanel(int panelCode);

// The panel to show for `list` in front while `shownPanel` shows, or
// nothing when the one shown holds for it.
std::optional<int> panelForDocumentInFront(int shownPanel, const ItemList& list);

} // namespace vlm

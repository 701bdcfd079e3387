#pragma once

// The undo history kept inside the item list.

#include "model/item_list.h"

namespace vlm {

// Removes every undone record (historyState 2, role 0); an undone Clip whose
// picture no other drawing record uses takes its Picture record with it.
void DiscardRedo(ItemList& list);

} // namespace vlm

#pragma once

// Which Items a page shows, in the order they are painted.

#include "model/item.h"
#include "model/item_list.h"

#include <vector>

namespace vlm {

// Bottom first: for each stacking number the first record in list order
// that is not hidden (one still being extended too).
std::vector<Item*> PaintedItems(const ItemList& items);

} // namespace vlm

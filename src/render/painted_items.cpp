#include "render/painted_items.h"

#include <cstdint>

namespace vlm {

std::vector<Item*> PaintedItems(const ItemList& items)
{
    std::vector<Item*> painted;
    bool haveOrder = false;
    std::int32_t order = 0;
    for (Item* item : items.withStackOrderIn(1, INT32_MAX)) {
        if (item->rec.d.hidden != 0)
            continue;
        if (haveOrder && item->rec.d.stackOrder == order)
            continue;
        haveOrder = true;
        order = item->rec.d.stackOrder;
        painted.push_back(item);
    }
    return painted;
}

} // namespace vlm

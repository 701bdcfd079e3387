#include "model/history.h"

#include <vector>

namespace vlm {

void DiscardRedo(ItemList& list)
{
    // One pass collects the undone records in list order; removing them in
    // that order is what taking "the first one" repeatedly would do.
    std::vector<Item*> undone;
    for (Item& it : list)
        if (it.rec.d.role == RoleDrawing && it.rec.d.historyState == 2)
            undone.push_back(&it);
    for (Item* it : undone) {
        if (it->rec.d.kind == KindClip && PictureUseCount(list, it->rec.d.pictureId) < 2) {
            if (Item* picture = PictureById(list, it->rec.d.pictureId))
                RemoveItem(list, *picture);
        }
        RemoveItem(list, *it);
    }
}

} // namespace vlm

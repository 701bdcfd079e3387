#include "render/fit_page.h"

#include "model/item.h"
#include "model/item_list.h"
#include "render/units.h"
#include "render/view_layout.h"

namespace vlm {

double fitPageZoom(const HeaderFields& header, QSize client, int thickness)
{
    // The header's page rectangle at each step, made as the view makes it.
    Item probe;
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step) {
        probe.rec.h = header;
        probe.rec.h.zoom = *step;
        ApplyHeader(probe);
        const HeaderFields& h = probe.rec.h;
        const ViewGeometry g =
            ComputeViewLayout(client, thickness, ZoomedPage{h.left, h.top, h.right, h.bottom, h.width, h.height});
        if (!g.scrollBarX.visible && !g.scrollBarY.visible)
            return *step;
    }
    return kZoomSteps.front();
}

} // namespace vlm

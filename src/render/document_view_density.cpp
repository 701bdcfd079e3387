#include "render/device_pixels.h"
#include "render/document_view.h"
#include "model/item_list.h"

namespace vlm {

void DocumentView::setDeviceRatio(double ratio)
{
    ratio = usableRatio(ratio);
    if (ratio == ratio_)
        return;
    const double before = ratio_;
    ratio_ = ratio;
    settings_ = scaledViewSettings(baseSettings_, ratio_);
    // Nothing drawn at the old density is used again: the overlays' saved
    // pixels, the anchor pictures, the clips' renderings at the old zoom.
    RemoveMarkers();
    RestoreRulerHovers();
    anchorPictures_ = {};
    DropClipCaches(document_.items);
    // The same place of the page stays in view.
    scrollX_ = static_cast<int>(scrollX_ / before * ratio_);
    scrollY_ = static_cast<int>(scrollY_ / before * ratio_);
    canvasPainted_ = false;
    if (client_.isEmpty())
        return;
    const std::uint64_t repaints = fullRepaints_;
    LayoutView();
    if (fullRepaints_ == repaints)
        RepaintAll(true);
    buildBackdrop();
    rebuildRulers();
    PaintAnchors(ViewDirection::Both);
}

} // namespace vlm

#include "render/view_settings.h"

#include "settings/settings.h"

namespace vlm {

ViewSettings ViewSettingsFrom(const Settings& s)
{
    ViewSettings v;
    v.metrics = s.screen;
    v.canvasColor = s.canvasColor;
    v.anchorWidth = s.anchorWidth;
    v.anchorHeight = s.anchorHeight;
    v.anchorStemLength = s.anchorStemLength;
    v.anchorStemColor = s.anchorStemColor;
    v.grabbedStemColor = s.grabbedStemColor;
    v.rulerTickColor = s.rulerTickColor;
    v.rulerLabelColor = s.rulerLabelColor;
    v.rulerLabelSize = s.rulerLabelSize;
    if (!s.rulerLabelFont.empty())
        v.rulerLabelFont = QString::fromStdU16String(s.rulerLabelFont);
    v.markerWidth = s.markerWidth;
    v.markerHeight = s.markerHeight;
    v.markerBorderColor = s.markerBorderColor;
    v.markerBorderWidth = s.markerBorderWidth;
    v.markerColor = s.markerColor;
    v.groupCentreColor = s.groupCentreColor;
    v.rotationDotColor = s.rotationDotColor;
    v.rotationDistance = s.rotationDistance;
    v.fontQuality = s.textQuality;
    return v;
}

} // namespace vlm

#include "render/device_pixels.h"

#include <cmath>

namespace vlm {

double usableRatio(double ratio)
{
    return std::isfinite(ratio) && ratio >= 0.25 && ratio <= 8.0 ? ratio : 1.0;
}

int scaledLength(int logical, double ratio)
{
    if (ratio == 1.0)
        return logical;
    return static_cast<int>(std::lround(logical * ratio));
}

QPoint toDevicePoint(QPointF logical, double ratio)
{
    return {static_cast<int>(std::floor(logical.x() * ratio)), static_cast<int>(std::floor(logical.y() * ratio))};
}

QRect toDeviceRect(const QRect& logical, double ratio)
{
    if (ratio == 1.0)
        return logical;
    const int left = static_cast<int>(std::floor(logical.x() * ratio));
    const int top = static_cast<int>(std::floor(logical.y() * ratio));
    const int right = static_cast<int>(std::ceil((logical.x() + logical.width()) * ratio));
    const int bottom = static_cast<int>(std::ceil((logical.y() + logical.height()) * ratio));
    return QRect(left, top, right - left, bottom - top);
}

QRect toLogicalRect(const QRect& device, double ratio)
{
    if (ratio == 1.0)
        return device;
    const int left = static_cast<int>(std::floor(device.x() / ratio));
    const int top = static_cast<int>(std::floor(device.y() / ratio));
    const int right = static_cast<int>(std::ceil((device.x() + device.width()) / ratio));
    const int bottom = static_cast<int>(std::ceil((device.y() + device.height()) / ratio));
    return QRect(left, top, right - left, bottom - top);
}

QRect toLogicalPlace(const QRect& device, double ratio)
{
    if (ratio == 1.0)
        return device;
    const auto edge = [ratio](int v) { return static_cast<int>(std::lround(v / ratio)); };
    const int left = edge(device.x());
    const int top = edge(device.y());
    return QRect(left, top, edge(device.x() + device.width()) - left, edge(device.y() + device.height()) - top);
}

ViewSettings scaledViewSettings(const ViewSettings& settings, double ratio)
{
    if (ratio == 1.0)
        return settings;
    ViewSettings s = settings;
    for (int* size : {&s.anchorWidth, &s.anchorHeight, &s.anchorStemLength, &s.rulerLabelSize, &s.markerWidth,
                      &s.markerHeight, &s.markerBorderWidth, &s.rotationDistance})
        *size = scaledLength(*size, ratio);
    return s;
}

} // namespace vlm

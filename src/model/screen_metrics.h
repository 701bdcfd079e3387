#pragma once

namespace vlm {

// The screen's resolution as the model needs it: real coordinates are kept in
// millimetre-based units (x * pxPerMmX), and documents in millimetres or inches
// are laid out with these values. Filled from the platform when the Settings are
// initialised; tests use the 96-dpi default.
struct ScreenMetrics {
    double dpiX = 96.0;
    double dpiY = 96.0;
    double pxPerMmX = 96.0 / 25.4;
    double pxPerMmY = 96.0 / 25.4;

    static ScreenMetrics fromDpi(double dx, double dy)
    {
        return ScreenMetrics{dx, dy, dx / 25.4, dy / 25.4};
    }
};

} // namespace vlm

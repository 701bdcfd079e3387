#pragma once

namespace vlm {

// The screen's logical pixels per inch, as the platform reports them for the
// primary screen; 96 when there is no screen (command-line tools, tests
// without a display).
class Screen
{
public:
    static constexpr double kDefaultDpi = 96.0;

    static double logicalDpiX();
    static double logicalDpiY();
};

} // namespace vlm

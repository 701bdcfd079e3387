#pragma once

// Where the parts of a document window go: corner, rulers, viewport, scroll
// bars and the corner panel between them. Pure arithmetic over the client
// size, the scroll bar thickness and the zoomed page, so the rules can be
// checked without a window.

#include <QRect>
#include <QSize>

namespace vlm {

enum class ViewDirection { Horizontal = 1, Vertical = 2, Both = 3 };

inline bool Includes(ViewDirection which, ViewDirection one)
{
    return (static_cast<int>(which) & static_cast<int>(one)) != 0;
}

// Both rulers are this thick, and the corner square between them this big.
inline constexpr int kRulerThickness = 12;

// The zoomed page rectangle of the DocumentHeader (zoomed pixels, the page's
// start measured from the scrolled area's origin).
struct ZoomedPage {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
};

struct ScrollBarLayout {
    bool visible = false;
    QRect rect;        // in the client area; empty when hidden
    int maximum = 0;   // 0 when hidden
    int pageStep = 0;  // the large change: one viewport length
};

struct ViewGeometry {
    QRect corner1;
    QRect rulerX;
    QRect rulerY;
    QRect viewport; // Panel0
    ScrollBarLayout scrollBarX;
    ScrollBarLayout scrollBarY;
    bool panel1Visible = false;
    QRect panel1;
};

// The layout rules for a client area of `client`, scroll bars `thickness`
// thick, the page `page` and rulers `rulerThickness` thick.
ViewGeometry ComputeViewLayout(QSize client, int thickness, const ZoomedPage& page,
                               int rulerThickness = kRulerThickness);

} // namespace vlm

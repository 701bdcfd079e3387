#pragma once

// "Fit page": the largest zoom step at which a document window shows the
// whole design area without scroll bars.

#include "model/item_record.h"

#include <QSize>

namespace vlm {

// For a window whose client area is `client` with scroll bars `thickness`
// thick, the layout rules of view_layout.h decide; the smallest step when
// even it needs scroll bars.
double fitPageZoom(const HeaderFields& header, QSize client, int thickness);

} // namespace vlm

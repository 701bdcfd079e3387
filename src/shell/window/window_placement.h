#pragma once

// Where a document window goes when it leaves the maximised state. A window
// opened maximised has never had a size of its own, so restoring it would
// leave little more than its title bar; it gets a working size instead,
// cascaded below the windows before it, as multiple-document programs do.

class QMdiSubWindow;

namespace vlm {

// From now on, whenever `window` is restored from maximised with less than
// half the area's width or height, it is placed cascaded and given three
// quarters of the area.
void KeepUsefulRestoredSize(QMdiSubWindow& window);

// The place and size that rule gives `window` now (also used right away).
void PlaceRestoredWindow(QMdiSubWindow& window);

} // namespace vlm

#pragma once

// A fine-tune operation run in a document window: the Markers come off, the
// operation makes its undo step, the Document counts as modified, the
// rectangle it reports is repainted and the Markers are placed again.

#include "edit/fine_tune.h"
#include "edit/sandbox.h"

#include <functional>

namespace vlm {

using FineTuneOperation = std::function<FineTuneResult(ItemList&, HistoryCursor&, const FineTuneContext&)>;

FineTuneContext FineTuneContextOf(const DocumentView& view);

FineTuneResult FineTuneSelection(Sandbox& box, const FineTuneOperation& operation);

} // namespace vlm

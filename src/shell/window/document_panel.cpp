#include "shell/window/document_panel.h"

#include "edit/selection.h"

namespace vlm {

bool isSelectionPanel(int panelCode)
{
    return panelCode == 59 || panelCode == 99 || (panelCode >= 200 && panelCode <= 299) || panelCode == 301 ||
           panelCode == 401;
}

std::optional<int> panelForDocumentInFront(int shownPanel, const ItemList& list)
{
    if (shownPanel != kInsertPanel && !isSelectionPanel(shownPanel))
        return std::nullopt;
    const std::optional<int> code = SelectionPanelCode(list, false);
    // The same selection panel is filled again, from this document's
    // selection.
    if (!code || (*code == kInsertPanel && shownPanel == kInsertPanel))
        return std::nullopt;
    return code;
}

} // namespace vlm

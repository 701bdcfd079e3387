#include "edit/pointer_delegate.h"

#include "edit/markers.h"

namespace vlm {

namespace {

SelectionToolHooks Reporting(Sandbox& window, SelectionToolHooks hooks)
{
    auto own = std::move(hooks.toolModeChanged);
    hooks.toolModeChanged = [&window, own = std::move(own)](int mode) {
        window.PointerModeChanged(mode);
        if (own)
            own(mode);
    };
    return hooks;
}

} // namespace

SelectionPointer::SelectionPointer(Sandbox& window, SelectionToolHooks hooks)
    : tool_(window.document(), window.view(), Reporting(window, std::move(hooks)))
{
    window.setPointerInput(this);
    // The view drops every Marker when it repaints the whole canvas and asks
    // for them again through its marker timer.
    DocumentView& view = window.view();
    view.hooks().placeMarkers = [&view] { PlaceSelectionMarkers(view); };
}

} // namespace vlm

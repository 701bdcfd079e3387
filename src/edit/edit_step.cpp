#include "edit/edit_step.h"

#include "edit/sandbox.h"

#include <algorithm>

namespace vlm {

int DocumentChanged::subscribe(Listener listener)
{
    const int key = nextKey_++;
    entries_.push_back({key, std::move(listener)});
    return key;
}

void DocumentChanged::unsubscribe(int key)
{
    std::erase_if(entries_, [key](const Entry& e) { return e.key == key; });
}

void DocumentChanged::notify(const DocumentChange& change) const
{
    // A copy: a subscriber may subscribe or unsubscribe while being told.
    const std::vector<Entry> entries = entries_;
    for (const Entry& e : entries)
        if (e.listener)
            e.listener(change);
}

std::size_t DocumentChanged::subscriberCount() const { return entries_.size(); }

EditStep::EditStep(Sandbox& box) : box_(box) {}

HistoryCursor& EditStep::cursor() { return box_.historyCursor(); }

void EditStep::removeMarkersNow() { box_.view().RemoveMarkers(); }

void EditStep::repaintAll(bool showMarkers) { repaintAll_ = showMarkers; }

void EditStep::repaintRect(QRect canvasRect)
{
    repaintRect_ = repaintRect_ ? repaintRect_->united(canvasRect) : canvasRect;
}

EditStep::~EditStep()
{
    DocumentView& view = box_.view();
    if (removeMarkers_)
        view.RemoveMarkers();
    if (modified_)
        SetModified(box_.document().items, true);
    if (repaintAll_)
        view.RepaintAll(*repaintAll_);
    else if (repaintRect_)
        view.RepaintRect(*repaintRect_);
    if (redrawMarkers_)
        view.MarkerTimer();
    DocumentChange change = change_;
    change.history = true;
    box_.documentChanged().notify(change);
}

} // namespace vlm

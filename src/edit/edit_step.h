#pragma once

// One edit step, one guard. Every change a user makes to a document goes
// through an EditStep: the change records its history with the guard's
// cursor, says what it touched, and on leaving the guard does, once and in
// this order, what follows every change: the Markers come off (when asked),
// the modified flag is set, what changed is repainted, the Markers are put
// back (when asked), Undo and Redo follow and the shell hears of it through
// one DocumentChanged notification.
//
// DocumentChanged carries what changed (selection, items, header, history)
// to any number of subscribers: the undo buttons, the enabled states of the
// commands and whatever else follows the document.

#include "model/undo.h"

#include <QRect>

#include <functional>
#include <optional>
#include <vector>

namespace vlm {

class Sandbox;

struct DocumentChange {
    bool selection = false;
    bool items = false;
    bool header = false;
    bool history = false;

    bool any() const { return selection || items || header || history; }
    DocumentChange& operator|=(const DocumentChange& other)
    {
        selection = selection || other.selection;
        items = items || other.items;
        header = header || other.header;
        history = history || other.history;
        return *this;
    }
};

// The notification itself: subscribers are called in the order they
// subscribed; one that unsubscribes while being told is still safe.
class DocumentChanged {
public:
    using Listener = std::function<void(const DocumentChange&)>;

    // Returns a key for unsubscribe.
    int subscribe(Listener listener);
    void unsubscribe(int key);
    void notify(const DocumentChange& change) const;
    std::size_t subscriberCount() const;

private:
    struct Entry {
        int key;
        Listener listener;
    };
    std::vector<Entry> entries_;
    int nextKey_ = 1;
};

class EditStep {
public:
    explicit EditStep(Sandbox& box);
    ~EditStep();
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    Sandbox& box() { return box_; }
    // The history cursor the change takes its step with.
    HistoryCursor& cursor();

    // The Markers come off now (before the change draws).
    void removeMarkersNow();
    // ... or on leaving, before the repaint.
    void removeMarkers() { removeMarkers_ = true; }
    // What is shown is no longer what was saved.
    void markModified() { modified_ = true; }
    // The whole canvas is repainted on leaving, with or without the Markers
    // of the selection.
    void repaintAll(bool showMarkers);
    // Only this canvas rectangle is repainted.
    void repaintRect(QRect canvasRect);
    // The Markers of the selection are placed again after the repaint.
    void redrawMarkers() { redrawMarkers_ = true; }
    // What the change touched; history is always news.
    void changed(const DocumentChange& change) { change_ |= change; }

private:
    Sandbox& box_;
    bool removeMarkers_ = false;
    bool modified_ = false;
    std::optional<bool> repaintAll_;
    std::optional<QRect> repaintRect_;
    bool redrawMarkers_ = false;
    DocumentChange change_;
};

} // namespace vlm

#pragma once

// Keeps a recovery copy of every document with unsaved changes, refreshed on
// a timer, so a crash or a power cut loses at most the last few minutes of
// work. A copy goes as soon as its document is saved or closed; when the
// session ends abruptly the copies stay for the next start to offer.

#include "model/document.h"
#include "shell/window/recovery.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

namespace vlm {

class RecoveryKeeper
{
public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    using OpenDocumentsFn = std::function<std::vector<Document*>()>;
    RecoveryKeeper(QString folder, OpenDocumentsFn documents);
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // The timer's work: a fresh copy of each modified document, and the copy
    // of a document without changes (any more) removed.
    void refresh();
    // The document was saved or closed: its copy is no longer needed.
    void discard(const Document& doc);
    // The session ends now: the copies are brought up to date and left for
    // the next start; nothing is removed from here on.
    void keepForNextStart();

    // The copy kept for `doc`, or null.
    const RecoveryCopy* copyOf(const Document& doc) const;
    QTimer& timer() { return timer_; }

private:
    QString folder_;
    OpenDocumentsFn documents_;
    QTimer timer_;
    std::map<const Document*, RecoveryCopy> copies_;
    bool kept_ = false;
};

} // namespace vlm

#include "shell/window/recovery_keeper.h"

#include <algorithm>

namespace vlm {

RecoveryKeeper::RecoveryKeeper(QString folder, OpenDocumentsFn documents)
    : folder_(std::move(folder)), documents_(std::move(documents))
{
    timer_.setInterval(kIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { refresh(); });
    timer_.start();
}

void RecoveryKeeper::refresh()
{
    if (kept_)
        return;
    const std::vector<Document*> open = documents_();
    // Copies of documents that are gone without a word (never expected, but
    // a stale copy would be offered at the next start).
    for (auto it = copies_.begin(); it != copies_.end();) {
        if (std::find(open.begin(), open.end(), it->first) == open.end()) {
            DiscardRecoveryCopy(it->second);
            it = copies_.erase(it);
        } else {
            ++it;
        }
    }
    for (Document* doc : open) {
        if (IsModified(doc->items)) {
            RecoveryCopy copy = copies_.count(doc) ? copies_[doc] : RecoveryCopy{};
            // A failed write keeps the previous copy, which is still whole.
            if (WriteRecoveryCopy(folder_, *doc, copy))
                copies_[doc] = copy;
        } else {
            discard(*doc);
        }
    }
}

void RecoveryKeeper::discard(const Document& doc)
{
    if (kept_)
        return;
    auto it = copies_.find(&doc);
    if (it == copies_.end())
        return;
    DiscardRecoveryCopy(it->second);
    copies_.erase(it);
}

void RecoveryKeeper::keepForNextStart()
{
    if (kept_)
        return;
    timer_.stop();
    refresh();
    kept_ = true;
}

const RecoveryCopy* RecoveryKeeper::copyOf(const Document& doc) const
{
    auto it = copies_.find(&doc);
    return it == copies_.end() ? nullptr : &it->second;
}

} // namespace vlm

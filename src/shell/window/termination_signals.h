#pragma once

// SIGTERM and SIGINT turned into an ordinary event: the signal handler only
// writes the signal's number into a pipe, and the event loop reads it and
// runs the program's orderly end. After the first signal the default action
// is back in place, so a second one ends a program that no longer responds.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace vlm {

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or the handlers could not be set up.
    bool installed() const { return installed_; }

private:
    void readSignal();

    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool installed_ = false;
};

} // namespace vlm

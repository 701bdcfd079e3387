#include "shell/window/termination_signals.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <csignal>

namespace vlm {
namespace {

sighandler_t CurrentHandler(int signal)
{
    struct sigaction now {};
    ::sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

TEST(TerminationSignals, ASignalIsHandledFromTheEventLoopOnce)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        std::vector<int> received;
        {
            TerminationSignals watcher([&](int s) { received.push_back(s); });
            ASSERT_TRUE(watcher.installed());
            // Only one watcher can own the handlers.
            EXPECT_FALSE(TerminationSignals([](int) {}).installed());

            ASSERT_EQ(::raise(signal), 0);
            EXPECT_TRUE(received.empty()); // nothing runs inside the handler
            QCoreApplication::processEvents();
            EXPECT_EQ(received, std::vector<int>{signal});
            // A second signal would end a program that stopped responding.
            EXPECT_EQ(CurrentHandler(SIGTERM), SIG_DFL);
            EXPECT_EQ(CurrentHandler(SIGINT), SIG_DFL);
        }
        EXPECT_EQ(CurrentHandler(signal), SIG_DFL);
    }
}

} // namespace
} // namespace vlm

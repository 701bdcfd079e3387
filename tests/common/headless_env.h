#pragma once

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace vlm::test {

// Test discovery runs the binaries at build time, before CTest's ENVIRONMENT
// applies, so every Qt test main makes itself headless.
inline void prepareHeadlessEnvironment()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        static std::string dir = "/tmp/vlm-test-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
}

} // namespace vlm::test

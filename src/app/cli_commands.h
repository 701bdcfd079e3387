#pragma once

// The commands of vellumora-cli. A command gets its arguments (after the
// command word, options removed) and returns the process exit code.

#include "model/screen_metrics.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace vlm::cli {

enum ExitCode : int {
    ExitOk = 0,
    ExitFileFailed = 1, // a file could not be read or written
    ExitUsage = 2,
    ExitProblems = 3,   // check: the file reads, but has structural problems
};

struct Context {
    ScreenMetrics screen;
    bool yes = false; // answer Yes to "open an invalid file anyway?"
    std::ostream& out;
    std::ostream& err;
    double zoom = 1.0; // render: --zoom
    double printerDpi = 600.0; // print: --dpi
    std::string mode;  // export: --mode (exact or smooth)
    std::string cells; // export, print: --cells, the area selection
    std::string pdf;   // print: --pdf
    std::string search;       // templates: --search
    std::string templateName; // new: --template
    std::size_t first = 1;    // merge: --first, --last (0: to the end), --copies
    std::size_t last = 0;
    int copies = 1;
};

using Command = int (*)(const Context&, const std::vector<std::string>& args);

struct CommandEntry {
    const char* name;
    int argumentCount;
    Command run;
};

int RunInfo(const Context& ctx, const std::vector<std::string>& args);
int RunCheck(const Context& ctx, const std::vector<std::string>& args);
int RunResave(const Context& ctx, const std::vector<std::string>& args);
int RunRender(const Context& ctx, const std::vector<std::string>& args);
int RunExport(const Context& ctx, const std::vector<std::string>& args);
int RunPrint(const Context& ctx, const std::vector<std::string>& args);
int runTemplates(const Context& ctx, const std::vector<std::string>& args);
int runNew(const Context& ctx, const std::vector<std::string>& args);
int runMerge(const Context& ctx, const std::vector<std::string>& args);

} // namespace vlm::cli

// vellumora-cli: the document model without a window.

#include "app/cli_commands.h"
#include "app/cli_texts.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace vlm::cli {

namespace {

// One entry per command; a new command is one more line here and a
// cli_<name>.cpp with its Run function.
constexpr CommandEntry kCommands[] = {
    {"info", 1, RunInfo},
    {"check", 1, RunCheck},
    {"resave", 2, RunResave},
};

bool ParseDpi(const std::string& text, double& dpi)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= 1.0 && v <= 10000.0))
        return false;
    dpi = v;
    return true;
}

int UsageError(std::ostream& err, const std::string& what)
{
    err << what << '\n' << texts::kSeeHelp << '\n';
    return ExitUsage;
}

int Main(int argc, char** argv)
{
    double dpi = 96.0;
    bool yes = false;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::cout << texts::kHelp;
            return ExitOk;
        }
        if (a == "--yes") {
            yes = true;
        } else if (a == "--dpi" || a.rfind("--dpi=", 0) == 0) {
            std::string value;
            if (a == "--dpi") {
                if (i + 1 >= argc)
                    return UsageError(std::cerr, texts::kBadDpi);
                value = argv[++i];
            } else {
                value = a.substr(6);
            }
            if (!ParseDpi(value, dpi))
                return UsageError(std::cerr, texts::kBadDpi);
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            return UsageError(std::cerr, texts::kUnknownOption + a);
        } else if (a == "--") {
            for (++i; i < argc; ++i)
                words.emplace_back(argv[i]);
        } else {
            words.push_back(a);
        }
    }
    if (words.empty()) {
        std::cout << texts::kHelp;
        return ExitUsage;
    }
    const Context ctx{ScreenMetrics::fromDpi(dpi, dpi), yes, std::cout, std::cerr};
    const std::vector<std::string> args(words.begin() + 1, words.end());
    for (const CommandEntry& c : kCommands) {
        if (words[0] != c.name)
            continue;
        if (static_cast<int>(args.size()) != c.argumentCount)
            return UsageError(std::cerr, texts::kWrongArguments + words[0]);
        return c.run(ctx, args);
    }
    return UsageError(std::cerr, texts::kUnknownCommand + words[0]);
}

} // namespace

} // namespace vlm::cli

int main(int argc, char** argv)
{
    return vlm::cli::Main(argc, argv);
}

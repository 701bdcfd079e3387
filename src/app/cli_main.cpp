// vellumora-cli: the document model without a window.

#include "app/cli_commands.h"
#include "app/cli_texts.h"
#include "texts/render_item_texts.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <iterator>
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
    {"render", 2, RunRender},
    {"export", 2, RunExport},
    {"print", 1, RunPrint},
    {"templates", 0, runTemplates},
    {"new", 1, runNew},
    {"merge", 3, runMerge},
};

bool ParseNumber(const std::string& text, double lo, double hi, double& number)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= lo && v <= hi))
        return false;
    number = v;
    return true;
}

// A numeric option: its value, from the next word or after '='.
struct NumberOption {
    const char* name;
    double lo;
    double hi;
    const char* error;
};
constexpr NumberOption kDpiOption = {"--dpi", 1.0, 10000.0, texts::kBadDpi};
constexpr NumberOption kZoomOption = {"--zoom", 0.01, 3.0, vlm::texts::kBadZoom};
constexpr NumberOption kFirstOption = {"--first", 1.0, 1e9, texts::kBadFirst};
constexpr NumberOption kLastOption = {"--last", 1.0, 1e9, texts::kBadLast};
constexpr NumberOption kCopiesOption = {"--copies", 1.0, 1000.0, texts::kBadCopies};

const NumberOption* MatchNumberOption(const std::string& a)
{
    for (const NumberOption* o : {&kDpiOption, &kZoomOption, &kFirstOption, &kLastOption, &kCopiesOption})
        if (a == o->name || a.rfind(std::string(o->name) + '=', 0) == 0)
            return o;
    return nullptr;
}

// A text option: its value, from the next word or after '='.
struct TextOption {
    const char* name;
    const char* error;
};
constexpr TextOption kTextOptions[] = {
    {"--mode", texts::kNeedsMode},
    {"--cells", texts::kNeedsCells},
    {"--pdf", texts::kNeedsPdf},
    {"--search", texts::kNeedsSearch},
    {"--template", texts::kNeedsTemplate},
};

const TextOption* MatchTextOption(const std::string& a)
{
    for (const TextOption& o : kTextOptions)
        if (a == o.name || a.rfind(std::string(o.name) + '=', 0) == 0)
            return &o;
    return nullptr;
}

int UsageError(std::ostream& err, const std::string& what)
{
    err << what << '\n' << texts::kSeeHelp << '\n';
    return ExitUsage;
}

int Main(int argc, char** argv)
{
    double dpi = 96.0;
    double zoom = 1.0;
    double first = 1.0;
    double last = 0.0;
    double copies = 1.0;
    bool yes = false;
    bool dpiGiven = false;
    std::string textValues[std::size(kTextOptions)];
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::cout << texts::kHelp;
            return ExitOk;
        }
        if (a == "--yes") {
            yes = true;
        } else if (const NumberOption* o = MatchNumberOption(a)) {
            std::string value;
            if (a == o->name) {
                if (i + 1 >= argc)
                    return UsageError(std::cerr, o->error);
                value = argv[++i];
            } else {
                value = a.substr(std::string(o->name).size() + 1);
            }
            double& number = o == &kDpiOption    ? dpi
                             : o == &kZoomOption ? zoom
                             : o == &kFirstOption ? first
                             : o == &kLastOption  ? last
                                                  : copies;
            if (!ParseNumber(value, o->lo, o->hi, number) || (o != &kZoomOption && number != std::floor(number)))
                return UsageError(std::cerr, o->error);
            dpiGiven = dpiGiven || o == &kDpiOption;
        } else if (const TextOption* t = MatchTextOption(a)) {
            std::string& value = textValues[static_cast<std::size_t>(t - kTextOptions)];
            if (a == t->name) {
                if (i + 1 >= argc)
                    return UsageError(std::cerr, t->error);
                value = argv[++i];
            } else {
                value = a.substr(std::string(t->name).size() + 1);
            }
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
    // For print, --dpi is the printer's resolution; the document is read
    // for a 96-dpi screen.
    const bool print = words[0] == "print";
    const double screenDpi = print ? 96.0 : dpi;
    Context ctx{ScreenMetrics::fromDpi(screenDpi, screenDpi), yes, std::cout, std::cerr, zoom, 600.0, {}, {}, {}, {}, {}};
    ctx.printerDpi = print && dpiGiven ? dpi : 600.0;
    ctx.mode = textValues[0];
    ctx.cells = textValues[1];
    ctx.pdf = textValues[2];
    ctx.search = textValues[3];
    ctx.templateName = textValues[4];
    ctx.first = static_cast<std::size_t>(first);
    ctx.last = static_cast<std::size_t>(last);
    ctx.copies = static_cast<int>(copies);
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

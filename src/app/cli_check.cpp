#include "app/cli_commands.h"
#include "app/cli_inspect.h"
#include "app/cli_texts.h"


#include <iterator>
#include <ostream>

namespace vlm::cli {

namespace {

static_assert(std::size(texts::kFindings) == static_cast<std::size_t>(FileProblemKind::HistoryIncluded) + 1,
              "one description per finding");

void Describe(std::ostream& out, const FileProblem& p)
{
    out << (IsNote(p.kind) ? texts::kNote : texts::kProblem);
    if (p.record >= 0)
        out << texts::kRecord << p.record;
    if (p.blob >= 0)
        out << texts::kBlob << (p.blob + 1);
    if (p.record >= 0 || p.blob >= 0)
        out << ": ";
    out << texts::kFindings[static_cast<int>(p.kind)];
    switch (p.kind) {
    case FileProblemKind::BlobShort:
        out << " (" << p.value << " > " << p.extra << ")";
        break;
    case FileProblemKind::NoHeader:
    case FileProblemKind::HeaderNotFirst:
    case FileProblemKind::ExtraHeader:
    case FileProblemKind::NoVisibleGrid:
    case FileProblemKind::ExtraVisibleGrid:
    case FileProblemKind::HistoryIncluded:
        break;
    default:
        out << " (" << p.value << ")";
        break;
    }
    out << '\n';
}

} // namespace

int RunCheck(const Context& ctx, const std::vector<std::string>& args)
{
    FileInspection r;
    if (!InspectForCommand(ctx, args[0], {}, r))
        return ExitFileFailed;
    int problems = 0;
    for (const FileProblem& p : r.problems) {
        Describe(ctx.out, p);
        problems += IsNote(p.kind) ? 0 : 1;
    }
    if (problems == 0) {
        ctx.out << texts::kNoProblems << '\n';
        return ExitOk;
    }
    ctx.out << problems << texts::kProblemsFound << '\n';
    return ExitProblems;
}

} // namespace vlm::cli

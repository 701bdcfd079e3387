#include "app/cli_commands.h"
#include "app/cli_open.h"
#include "app/cli_texts.h"

#include "model/document_file.h"

#include <ostream>

namespace vlm::cli {

int RunResave(const Context& ctx, const std::vector<std::string>& args)
{
    const std::string& in = args[0];
    const std::string& out = args[1];
    Document doc;
    if (!OpenForCommand(ctx, in, doc))
        return ExitFileFailed;
    // Opening a document shows it with nothing selected.
    SelectOnly(doc.items, nullptr);
    if (!WriteDocument(out, doc.items)) {
        ctx.err << texts::kCannotWrite << out << '\n';
        return ExitFileFailed;
    }
    return ExitOk;
}

} // namespace vlm::cli

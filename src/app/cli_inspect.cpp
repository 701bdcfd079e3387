#include "app/cli_inspect.h"

#include "app/cli_texts.h"

#include <filesystem>
#include <ostream>

namespace vlm::cli {

bool InspectForCommand(const Context& ctx, const std::string& path,
                       const std::function<void(const InspectedRecord&)>& onRecord, FileInspection& result)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ctx.err << texts::kNoSuchFile << path << '\n';
        return false;
    }
    result = InspectDocumentFile(path, onRecord);
    if (!result.opened) {
        ctx.err << texts::kCannotRead << path << ": " << result.error << '\n';
        return false;
    }
    return true;
}

} // namespace vlm::cli

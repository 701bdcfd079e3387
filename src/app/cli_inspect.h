#pragma once

// Walking a document file for the info and check commands.

#include "app/cli_commands.h"

#include "model/document_inspect.h"

namespace vlm::cli {

// Inspects `path`; when it is missing or cannot be read the reason has been
// written to ctx.err and false comes back.
bool InspectForCommand(const Context& ctx, const std::string& path,
                       const std::function<void(const InspectedRecord&)>& onRecord, FileInspection& result);

} // namespace vlm::cli

#pragma once

// Opening a document from the command line as the program opens it, with the
// questions answered by the options given.

#include "app/cli_commands.h"

#include "model/document.h"

#include <string>

namespace vlm::cli {

// Reads `path` into `doc` (made for the screen of `ctx`). On failure the
// reason has been written to ctx.err and false comes back.
bool OpenForCommand(const Context& ctx, const std::string& path, Document& doc);

} // namespace vlm::cli

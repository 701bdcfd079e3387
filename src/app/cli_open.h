#pragma once

// Opening a document from the command line as the program opens it, with the
// questions answered by the options given.

#include "app/cli_commands.h"

#include "model/document.h"
#include "output/render_sheet.h"

#include <QGuiApplication>

#include <memory>
#include <string>

namespace vlm::cli {

// Reads `path` into `doc` (made for the screen of `ctx`). On failure the
// reason has been written to ctx.err and false comes back.
bool OpenForCommand(const Context& ctx, const std::string& path, Document& doc);
// The same for the commands that lay out a page: the document's header, or
// null when it cannot be read or has no page (the reason written).
Item* openPageForCommand(const Context& ctx, const std::string& path, Document& doc);

// Fonts and painting need a GUI application object; the command line has
// none of its own and no display to show one on. Null when one exists.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();

// The page renderer's surroundings on the command line: the screen of
// `ctx` and the program's picture decoders.
SheetEnvironment CommandLineSheetEnvironment(const Context& ctx);

} // namespace vlm::cli

#pragma once

// How a file reaches the program from outside: the command line of a start
// ("vellumora FILE" or "vellumora -open FILE") and the open request a second
// start hands to the running instance, in the form the file association
// registers: [open("FILE")].

#include <QString>
#include <QStringList>

#include <optional>

namespace vlm {

// The request that asks for `absolutePath`.
QString OpenMacro(const QString& absolutePath);

// The file a request names: its first line, without everything up to and
// including the first double quote and everything from the next one on.
// A text without quotes names itself. Nothing is checked here.
QString FileOfOpenMacro(const QString& macro);

// The file named on a command line (the program's own name first): the
// argument after "-open", or the first argument that is not an option.
std::optional<QString> FileOfCommandLine(const QStringList& arguments);

} // namespace vlm

#pragma once

#include "cli/process_clock.h"

#include <span>
#include <string_view>

namespace shift {

// Runs one of the text commands (month, table, ics, now, next, hours, compare, publish, and the
// tool's own --help and --version) with the arguments after the program name. Only month, ics,
// now, next and publish read `clock`, and only once their arguments are accepted and no help is
// asked. Returns the exit status; bad input throws UsageError and failed output WriteError
// (cli_error.h). `render` is not among them: it runs in its own executable.
int runTextCommand(std::span<const std::string_view> args, ProcessClock &clock);

// Whether the arguments ask for the render command.
bool isRenderCommand(std::span<const std::string_view> args);

} // namespace shift

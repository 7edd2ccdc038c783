#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace shift {

// Exit statuses of shiftcal and shiftcal-render. A failure to write the output and a missing
// or damaged time zone file (ZoneDataError, core/zone_file.h) both end with status 1.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitWriteFailure = 1;
inline constexpr int kExitUsage = 2;

// Bad input on the command line. The message names the argument and what it accepts, in one
// line without the program name, e.g. "--team: unknown team 'X'; expected A, B, C, D, E or all".
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string &message)
        : std::runtime_error(message)
    {
    }
};

// An output that could not be written whole; the message names the file and the reason.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string &message)
        : std::runtime_error(message)
    {
    }
};

// `text` with its control characters written out, so that a message stays on one line and
// sends nothing a terminal would act on: "\n", "\t", and "\xHH" (lower-case hex) for the other
// bytes below 0x20 and for 0x7f. Every other byte, UTF-8 included, is kept; a text without control
// characters comes back unchanged.
// Example: escapeControlCharacters("A\nB\x1b[31m") == "A\\nB\\x1b[31m".
std::string escapeControlCharacters(std::string_view text);

// `text` escaped and in single quotes, as every message shows an argument the user gave.
// Example: quotedArgument("A\tB") == "'A\\tB'".
std::string quotedArgument(std::string_view text);

// Writes "shiftcal: MESSAGE" on standard error, escaped as above, so always as one line.
void printError(std::string_view message);

// Prints the error that `error` holds, if it is one of the two above, a ZoneDataError or a
// failure of the days database (core/days_database.h, exit status 1), and returns the exit
// status it calls for; any other exception is passed on. Call only from inside a catch block.
int reportCommandError(std::exception_ptr error);

} // namespace shift

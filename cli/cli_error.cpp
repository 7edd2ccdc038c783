#include "cli/cli_error.h"

#include "core/days_database.h"
#include "core/sqlite_connection.h"
#include "core/zone_file.h"

#include <cstdio>
#include <unistd.h>

namespace shift {

std::string escapeControlCharacters(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(byte));
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string quotedArgument(std::string_view text)
{
    return "'" + escapeControlCharacters(text) + "'";
}

void printError(std::string_view message)
{
    // File names in write errors and Qt's own messages are not quoted, but must not break the
    // line or reach the terminal raw either.
    std::string line = "shiftcal: ";
    line += escapeControlCharacters(message);
    line += '\n';
    (void)!::write(STDERR_FILENO, line.data(), line.size());
}

int reportCommandError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const UsageError &usage) {
        printError(usage.what());
        return kExitUsage;
    } catch (const WriteError &write) {
        printError(write.what());
        return kExitWriteFailure;
    } catch (const ZoneDataError &zone) {
        printError(zone.what());
        return kExitWriteFailure;
    } catch (const DaysDatabaseError &days) {
        printError(days.what());
        return kExitWriteFailure;
    } catch (const SqliteError &sqlite) {
        printError(std::string("the days database: ") + sqlite.what());
        return kExitWriteFailure;
    }
}

} // namespace shift

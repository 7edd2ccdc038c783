#include "cli/cli_error.h"

#include <unistd.h>

namespace shift {

std::string quotedArgument(std::string_view text)
{
    return std::string("'").append(text).append("'");
}

void printError(std::string_view message)
{
    std::string line = "shiftcal: ";
    line += message;
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
    }
}

} // namespace shift

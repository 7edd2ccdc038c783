#include "cli/publish_options.h"

#include "cli/cli_error.h"
#include "cli/command_line.h"
#include "cli/option_values.h"

namespace shift {

namespace {

constexpr std::string_view kFolderValues = "the folder to publish into";

// What a page may put in an href, and a reader copy, as it is: RFC 3986's unreserved and
// reserved characters and "%" for escapes, less "?" and "#", after which "/FILE" would not
// name a file.
bool isUrlCharacter(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-._~:/[]@!$&'()*+,;=%").find(c) != std::string_view::npos;
}

std::string parseBaseUrl(const std::string &name, const std::string &text)
{
    const auto refuse = [&] {
        return UsageError(name + ": " + quotedArgument(text)
            + " is not an address of a folder; expected " + std::string(kBaseUrlValues));
    };
    std::string_view rest = text;
    if (rest.starts_with("https://"))
        rest.remove_prefix(8);
    else if (rest.starts_with("http://"))
        rest.remove_prefix(7);
    else
        throw refuse();
    if (rest.empty() || rest[0] == '/')
        throw refuse();
    for (const char c : rest) {
        if (!isUrlCharacter(c))
            throw refuse();
    }
    std::string url = text;
    while (url.back() == '/')
        url.pop_back();
    return url;
}

} // namespace

PublishOptions parsePublishOptions(std::span<const std::string_view> args)
{
    PublishOptions options;
    bool folderGiven = false;
    CommandLine line("publish");
    line.value("--months-back", kMonthOffsetValues, options.monthsBack, parseMonthOffset);
    line.value("--months-ahead", kMonthOffsetValues, options.monthsAhead, parseMonthOffset);
    line.value(
        "--remind", kReminderValues, [&options](const std::string &name, const std::string &text) {
            options.reminders.push_back(parseReminderDuration(name, text));
        });
    line.value("--base-url", kBaseUrlValues, options.baseUrl, parseBaseUrl);
    line.operands(1, "one folder", [&options, &folderGiven](const std::string &operand) {
        if (operand.empty()) {
            throw UsageError(
                "publish: the folder name is empty; expected " + std::string(kFolderValues));
        }
        options.folder = operand;
        folderGiven = true;
    });
    line.parse(args);
    options.help = line.helpAsked();
    if (options.help)
        return options;
    if (!folderGiven)
        throw UsageError("publish: DIR is required; expected " + std::string(kFolderValues));
    return options;
}

} // namespace shift

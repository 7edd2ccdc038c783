#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace shift {

// The arguments of one shiftcal command, read with CLI11 by the tool's rules:
//
// - An option is "--name VALUE", "--name=VALUE" (an empty VALUE is a value), "-o VALUE", or a
//   flag such as "--help" / "-h", which takes no value. A short option stands alone: "-ofile" and
//   "-hx" are unknown options, not "-o file" and "-h -x". "--" ends the options; every other
//   argument is an operand.
// - Each value goes through its check (option_values.h), run as the option's CLI11 validator
//   the moment CLI11 reads it. The last of a repeated option wins; a reader of its own sees
//   every one, in the order given (a repeatable option).
// - "--help" or "-h" wins wherever an option may stand: nothing else is checked then.
// - Otherwise the first wrong argument, in the order given, decides the one message:
//     "COMMAND: unknown option 'NAME'; expected --a, --b or --help"
//     "NAME: takes no value"                  (a value given to --help)
//     "NAME: the value is missing; expected EXPECTED"
//     "COMMAND: unexpected argument 'X'; expected EXPECTED"   (one operand too many)
//   or the check's own message; each is thrown as UsageError (cli_error.h).
//
// Example (the table command):
//   TableOptions options;
//   CommandLine line("table");
//   line.value("--from", kDateValues, options.from, parseDate);
//   line.parse(args);        // {"--from=2016-01-01"} sets options.from
//   line.require("--from");  // with no --from: "table: --from is required; expected a date ..."
class CommandLine {
public:
    // Checks one value and keeps it; `name` is the option's name in messages.
    using ValueReader = std::function<void(const std::string &name, const std::string &text)>;
    using OperandReader = std::function<void(const std::string &operand)>;

    explicit CommandLine(std::string_view command);
    ~CommandLine();
    CommandLine(const CommandLine &) = delete;
    CommandLine &operator=(const CommandLine &) = delete;

    // An option that takes a value. `names` are its spellings, "-o,--output": the first is the one
    // messages use. `expected` says what it accepts, for the messages of a missing value or
    // option. Options are listed in messages in the order declared, --help last.
    void value(std::string_view names, std::string_view expected, ValueReader read);

    // The same, keeping `check(name, text)` in `target`.
    template <typename T, typename Check>
    void value(std::string_view names, std::string_view expected, T &target, Check check)
    {
        value(names, expected, [&target, check](const std::string &name, const std::string &text) {
            target = check(name, text);
        });
    }

    // A flag that takes no value, "--mine"; given() tells whether it was given.
    void flag(std::string_view names);

    // "-o,--output FILE", the output of every command that writes one: the name as typed, never
    // empty (parseFileName); `expected` says which names it takes.
    void output(std::string &target, std::string_view expected);

    // Accepts up to `most` operands, each handed to `read` in turn; the next one is an
    // unexpected argument, with `expected` in its message. By default none: "options only".
    void operands(std::size_t most, std::string_view expected, OperandReader read);

    // Reads the arguments that follow the command's name; throws UsageError. When help is
    // asked, reads no value at all.
    void parse(std::span<const std::string_view> args);

    bool helpAsked() const;
    bool given(std::string_view name) const;

    // Throws "COMMAND: NAME is required; expected EXPECTED" unless the option was given.
    void require(std::string_view name) const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace shift

#include "cli/command_line.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <vector>

namespace shift {

namespace {

struct DeclaredOption {
    std::string name; // as messages write it
    std::string expected; // empty for a flag
    CLI::Option *option = nullptr;
};

std::string firstName(std::string_view names)
{
    return std::string(names.substr(0, names.find(',')));
}

// The arguments in the one spelling that CLI11 reads as this tool means them, up to the first
// argument the tool does not accept, which `problem` describes; and whether --help stands
// anywhere an option may.
struct Spelling {
    std::vector<std::string> args;
    std::optional<UsageError> problem;
    bool help = false;

    void note(UsageError error)
    {
        if (!problem)
            problem = std::move(error);
    }
    void add(std::string_view arg)
    {
        if (!problem)
            args.emplace_back(arg);
    }
};

} // namespace

struct CommandLine::Parts {
    std::string command;
    CLI::App app;
    std::vector<DeclaredOption> declared; // the options with values, in the order declared
    DeclaredOption help;
    bool helpAsked = false;
    std::size_t mostOperands = 0;
    std::string operandsExpected = "options only";
    OperandReader readOperand;

    const DeclaredOption *find(std::string_view name) const
    {
        for (const DeclaredOption &known : declared) {
            if (known.option->check_name(std::string(name)))
                return &known;
        }
        return help.option->check_name(std::string(name)) ? &help : nullptr;
    }

    std::string optionList() const
    {
        std::vector<std::string_view> names;
        for (const DeclaredOption &known : declared)
            names.push_back(known.name);
        names.push_back(help.name);
        return wordList(names);
    }

    Spelling spell(std::span<const std::string_view> args) const;
    void readOperands() const;
};

// CLI11 2.1.2 reads more than this tool accepts: "-ofile" as "-o file", "-hx" as "-h -x",
// "--help=yes" as a help flag set to true, and "--team=" as "--team" taking the next argument
// for its value. So the arguments reach CLI11 only in the spellings it cannot misread: every
// option alone with its value in the next argument, no flag with a value, and no unknown option.
// Options are told from values by CLI11's own list of them. The walk goes on past the first
// wrong argument only to find a --help, which wins over everything else.
Spelling CommandLine::Parts::spell(std::span<const std::string_view> args) const
{
    Spelling out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") {
            for (; i < args.size(); ++i)
                out.add(args[i]);
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            out.add(arg);
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> attached;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            attached = arg.substr(equals + 1);
        }
        const DeclaredOption *known = find(name);
        if (known == nullptr) {
            out.note(UsageError(command + ": unknown option " + quotedArgument(name) + "; expected "
                + optionList()));
            continue;
        }
        if (known->expected.empty()) {
            if (attached)
                out.note(UsageError(known->name + ": takes no value"));
            else if (known == &help)
                out.help = true;
            else
                out.add(name);
            continue;
        }
        if (!attached && i + 1 == args.size()) {
            out.note(
                UsageError(known->name + ": the value is missing; expected " + known->expected));
            break;
        }
        out.add(name);
        out.add(attached ? *attached : args[++i]);
    }
    return out;
}

// CLI11 keeps the operands, and the "--" that ended the options, in the order it met them.
void CommandLine::Parts::readOperands() const
{
    std::size_t count = 0;
    bool endOfOptionsSkipped = false;
    for (const std::string &operand : app.remaining()) {
        if (operand == "--" && !endOfOptionsSkipped) {
            endOfOptionsSkipped = true;
            continue;
        }
        if (++count > mostOperands) {
            throw UsageError(command + ": unexpected argument " + quotedArgument(operand)
                + "; expected " + operandsExpected);
        }
        readOperand(operand);
    }
}

CommandLine::CommandLine(std::string_view command)
    : m_parts(std::make_unique<Parts>())
{
    m_parts->command = std::string(command);
    // The commands print their own help texts; CLI11's generated one is never shown.
    m_parts->app.set_help_flag();
    m_parts->help = { "--help", {}, m_parts->app.add_flag("--help,-h") };
    m_parts->app.allow_extras();
}

CommandLine::~CommandLine() = default;

void CommandLine::value(std::string_view names, std::string_view expected, ValueReader read)
{
    const std::string name = firstName(names);
    CLI::Option *option = m_parts->app.add_option(
        std::string(names), CLI::callback_t {}, std::string(expected), false);
    // The check runs as CLI11 reads the value, so that the first wrong argument is the one
    // reported; it throws UsageError itself, which CLI11 passes on untouched.
    option->check(CLI::Validator(
        [name, read = std::move(read)](std::string &text) {
            read(name, text);
            return std::string();
        },
        std::string(expected),
        name));
    option->trigger_on_parse();
    m_parts->declared.push_back({ name, std::string(expected), option });
}

void CommandLine::flag(std::string_view names)
{
    CLI::Option *option = m_parts->app.add_flag(std::string(names));
    m_parts->declared.push_back({ firstName(names), {}, option });
}

void CommandLine::output(std::string &target, std::string_view expected)
{
    value("-o,--output",
        expected,
        [&target, expected = std::string(expected)](const std::string &name,
            const std::string &text) { target = parseFileName(name, text, expected); });
}

void CommandLine::operands(std::size_t most, std::string_view expected, OperandReader read)
{
    m_parts->mostOperands = most;
    m_parts->operandsExpected = std::string(expected);
    m_parts->readOperand = std::move(read);
}

void CommandLine::parse(std::span<const std::string_view> args)
{
    Parts &parts = *m_parts;
    const Spelling spelling = parts.spell(args);
    if (spelling.help) {
        parts.helpAsked = true;
        return;
    }
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(spelling.args.rbegin(), spelling.args.rend());
    try {
        parts.app.parse(reversed);
    } catch (const UsageError &) {
        // Operands that came before the wrong value come first.
        parts.readOperands();
        throw;
    } catch (const CLI::Error &error) {
        throw UsageError(parts.command + ": " + error.what());
    }
    parts.readOperands();
    if (spelling.problem)
        throw *spelling.problem;
}

bool CommandLine::helpAsked() const
{
    return m_parts->helpAsked;
}

bool CommandLine::given(std::string_view name) const
{
    const DeclaredOption *known = m_parts->find(name);
    return known != nullptr && known->option->count() > 0;
}

void CommandLine::require(std::string_view name) const
{
    const DeclaredOption *known = m_parts->find(name);
    if (known->option->count() == 0) {
        throw UsageError(
            m_parts->command + ": " + known->name + " is required; expected " + known->expected);
    }
}

} // namespace shift

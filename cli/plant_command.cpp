#include "cli/plant_command.h"

#include "cli/cli_error.h"
#include "cli/command_line.h"
#include "cli/help_texts.h"
#include "cli/option_values.h"
#include "cli/output_file.h"
#include "core/plant_file.h"

namespace shift {

namespace {

constexpr std::string_view kPlantOption = "--plant";
constexpr std::string_view kPlantValues = "a plant file";

void writeWhole(const std::string &path, std::string_view text)
{
    OutputFile output(path);
    output.buffer().append(text);
    output.commit();
}

// "plant.toml: plant "Tervialund" in Europe/Stockholm: teams A, B, C, D, E; schemes sudra
// (8 days), norda (35 days); 20 holiday rules"
std::string summaryOf(const std::string &file, const Plant &plant)
{
    std::string text = file + ": plant \"" + plant.name + "\" in " + plant.timeZone + ": teams ";
    for (int team = 0; team < plant.teamCount(); ++team)
        text.append(team == 0 ? "" : ", ").append(plant.teamLetter(team));
    text += "; schemes ";
    for (std::size_t i = 0; i < plant.schemes.size(); ++i) {
        const Rotation &rotation = plant.schemes[i];
        text.append(i == 0 ? "" : ", ")
            .append(rotation.key + " (" + std::to_string(rotation.length()) + " days)");
    }
    return text + "; " + std::to_string(plant.holidays.size()) + " holiday rules\n";
}

int runShow(std::span<const std::string_view> args)
{
    std::string output = "-";
    CommandLine line("plant show");
    line.output(output, "a file name, or - for standard output");
    line.parse(args);
    writeWhole(line.helpAsked() ? "-" : output, line.helpAsked() ? kPlantHelp : builtinPlantText());
    return kExitSuccess;
}

int runCheck(std::span<const std::string_view> args)
{
    std::optional<std::string> file;
    CommandLine line("plant check");
    line.operands(1, kPlantValues, [&file](const std::string &operand) { file = operand; });
    line.parse(args);
    if (line.helpAsked()) {
        writeWhole("-", kPlantHelp);
        return kExitSuccess;
    }
    if (!file)
        throw UsageError(
            "plant check: the plant file is missing; expected " + std::string(kPlantValues));
    try {
        writeWhole("-", summaryOf(*file, readPlantFile(*file)));
    } catch (const PlantError &error) {
        throw UsageError(error.what());
    }
    return kExitSuccess;
}

} // namespace

PlantArguments splitPlantOption(std::span<const std::string_view> args)
{
    PlantArguments split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--") {
            split.rest.insert(
                split.rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (arg.starts_with(std::string(kPlantOption) + "=")) {
            split.file = std::string(arg.substr(kPlantOption.size() + 1));
        } else if (arg == kPlantOption) {
            if (i + 1 == args.size())
                throw UsageError(std::string(kPlantOption) + ": the value is missing; expected "
                    + std::string(kPlantValues));
            split.file = std::string(args[++i]);
        } else {
            split.rest.push_back(arg);
            continue;
        }
        if (split.file->empty())
            throw UsageError(std::string(kPlantOption) + ": the file name is empty; expected "
                + std::string(kPlantValues));
    }
    return split;
}

void usePlant(const std::optional<std::string> &file)
{
    try {
        useCurrentPlant(loadPlant(file));
    } catch (const PlantError &error) {
        throw UsageError(error.what());
    }
}

int runPlantCommand(std::span<const std::string_view> args)
{
    if (!args.empty() && args[0] == "show")
        return runShow(args.subspan(1));
    if (!args.empty() && args[0] == "check")
        return runCheck(args.subspan(1));
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        writeWhole("-", kPlantHelp);
        return kExitSuccess;
    }
    throw UsageError(std::string("plant: ")
        + (args.empty() ? "the command is missing" : "unknown command " + quotedArgument(args[0]))
        + "; expected show or check");
}

} // namespace shift

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Which plant shiftcal and shiftcal-render run with, and the `plant` command.
//
// Every command takes "--plant FILE" (or "--plant=FILE") anywhere before a "--"; the last one
// wins. Without it the plant is $XDG_CONFIG_HOME/shiftschedule/plant.toml (default
// ~/.config/...) when that file exists, else the built-in plant. A bad file stops the command
// before it writes anything, with the file's one-line message and exit status 2:
//   shiftcal: plant.toml:7:9: position 9 is outside the cycle (0..7)
//
// Example: splitPlantOption({"table", "--plant", "p.toml", "--from", "2026-01-01"}) gives
// rest {"table", "--from", "2026-01-01"} and file "p.toml".
namespace shift {

struct PlantArguments {
    std::vector<std::string_view> rest; // the arguments without --plant and its value
    std::optional<std::string> file;
};

// Throws UsageError for a --plant without a value.
PlantArguments splitPlantOption(std::span<const std::string_view> args);

// Makes the plant of `file`, else the configured one, else the built-in one, the current plant.
// Throws UsageError with the file's message for a bad file.
void usePlant(const std::optional<std::string> &file);

// `shiftcal plant show [-o FILE]` writes the built-in plant's file; `shiftcal plant check FILE`
// reads FILE and says what it holds, or refuses it (exit 2). `args` follow the word "plant".
int runPlantCommand(std::span<const std::string_view> args);

} // namespace shift

#pragma once

#include "core/plant.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading a plant file (TOML, through toml++) into a Plant. Every mistake is refused with one
// line that names the file, the line and, where known, the column of the fault:
//
//   plant.toml:12:10: unknown key "nmae" in [[scheme]] (did you mean "name"?)
//
// The built-in plant is such a file too, compiled into the programs (builtin_plant.toml).
// Example: parsePlant(builtinPlantText(), "builtin").schemes[1].key == "norda".
namespace shift {

// A refused plant file; what() is the one line "FILE:LINE:COLUMN: what is wrong".
class PlantError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the plant of `text`; `fileName` names it in the messages. Throws PlantError.
Plant parsePlant(std::string_view text, const std::string &fileName);

// Reads the plant file at `path`. Throws PlantError, also for a file that cannot be read
// ("FILE: cannot read: No such file or directory").
Plant readPlantFile(const std::string &path);

// The built-in plant's file, comments included: what `shiftcal plant show` writes.
std::string_view builtinPlantText();

// The built-in plant, read from builtinPlantText() once.
std::shared_ptr<const Plant> builtinPlant();

// Where a plant is read from when no --plant is given: $XDG_CONFIG_HOME/shiftschedule/plant.toml,
// or ~/.config/shiftschedule/plant.toml without XDG_CONFIG_HOME; nullopt when that file does not
// exist (or neither variable is set), for the built-in plant.
std::optional<std::string> configuredPlantPath();

// The plant a program runs with: `explicitPath` when given, else the configured file when it
// exists, else the built-in plant. Throws PlantError for a bad file.
std::shared_ptr<const Plant> loadPlant(const std::optional<std::string> &explicitPath);

// Whether `name` may be a zone of the system's tz database: false for a malformed name and for
// one the database (/usr/share/zoneinfo) lacks; true when the database itself is missing, whose
// fault the zone's reader reports when a command needs the zone. Example:
// zoneExists("Europe/Stockholm") == true, zoneExists("Mars/Base") == false.
bool zoneExists(const std::string &name);

} // namespace shift

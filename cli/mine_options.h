#pragma once

#include "cli/command_line.h"
#include "core/personal_days.h"

#include <string>

namespace shift {

// --mine and --db, which the commands that answer for a team (next, now, hours, ics, rest)
// share: the team, scheme and days of the worker's own record instead of --team and --scheme.
struct MineOptions {
    bool mine = false;
    std::string database; // "" for defaultDaysDatabasePath()
};

inline constexpr std::string_view kDatabaseValues = "a database file";

// Declares --db FILE on `line`.
void addDatabaseOption(CommandLine &line, std::string &database);

// Declares --mine and --db on `line`.
void addMineOptions(CommandLine &line, MineOptions &options);

// After parsing: --mine reads the flag; --mine with --team or --scheme is refused
// ("--team: --mine takes the team from your record; give one or the other").
void settleMineOptions(const CommandLine &line, MineOptions &options);

// The file --db names, else the default one; throws UsageError when there is none (no HOME).
std::string databasePath(const std::string &database);

// The worker's record, read in one read transaction. Throws UsageError when it names no team:
// "--mine: no team recorded; record yours with: shiftcal days team T [--scheme S]".
PersonalRoster loadMyRoster(const MineOptions &options);

} // namespace shift

#include "cli/mine_options.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"
#include "core/days_database.h"

namespace shift {

void addDatabaseOption(CommandLine &line, std::string &database)
{
    line.value(
        "--db", kDatabaseValues, [&database](const std::string &name, const std::string &text) {
            database = parseFileName(name, text, kDatabaseValues);
        });
}

void addMineOptions(CommandLine &line, MineOptions &options)
{
    line.flag("--mine");
    addDatabaseOption(line, options.database);
}

void settleMineOptions(const CommandLine &line, MineOptions &options)
{
    options.mine = line.given("--mine");
    if (!options.mine || line.helpAsked())
        return;
    for (const std::string_view option : { "--team", "--scheme" }) {
        if (line.given(option)) {
            throw UsageError(std::string(option) + ": --mine takes the "
                + std::string(option.substr(2)) + " from your record; give one or the other");
        }
    }
}

std::string databasePath(const std::string &database)
{
    if (!database.empty())
        return database;
    const std::string path = defaultDaysDatabasePath();
    if (path.empty())
        throw UsageError("--db: neither XDG_DATA_HOME nor HOME is set; expected "
            + std::string(kDatabaseValues));
    return path;
}

PersonalRoster loadMyRoster(const MineOptions &options)
{
    DaysDatabase db(databasePath(options.database), DaysDatabase::Access::Read);
    PersonalRoster roster(db.record());
    if (!roster.hasTeam())
        throw UsageError(
            "--mine: no team recorded; record yours with: shiftcal days team T [--scheme S]");
    return roster;
}

} // namespace shift

#include "cli/days_command.h"

#include "cli/cli_error.h"
#include "cli/data_text.h"
#include "cli/days_csv.h"
#include "cli/help_texts.h"
#include "cli/mine_options.h"
#include "cli/option_values.h"
#include "cli/output_file.h"
#include "cli/rest_command.h"
#include "core/days_database.h"
#include "core/schedule_texts.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace shift {

namespace {

enum class ListFormat { Text, Csv, Json };

constexpr std::array<Choice<ListFormat>, 3> kListFormats { {
    { "text", ListFormat::Text },
    { "csv", ListFormat::Csv },
    { "json", ListFormat::Json },
} };

constexpr std::string_view kShiftValues = "F, E or N";
constexpr std::string_view kIdValues = "an entry's id, as days list shows it";
constexpr std::string_view kOutputValues = "a file name, or - for standard output";
// How far around a new entry a rest it breaks can lie: a week each side holds every week it
// touches.
constexpr DayCount kRestReach = 7;

void printText(std::string_view text)
{
    OutputFile output("-");
    output.buffer().append(text);
    output.commit();
}

bool helpOnly(const CommandLine &line)
{
    if (line.helpAsked())
        printText(kDaysHelp);
    return line.helpAsked();
}

DayKind parseKind(const std::string &name, const std::string &text)
{
    return static_cast<DayKind>(wordIndex(name, text, kDayKindWords));
}

char parseShiftLetter(const std::string &name, const std::string &text)
{
    if (text.size() == 1) {
        const char letter = static_cast<char>(text[0] & ~0x20);
        if (isWorkedShift(letter))
            return letter;
    }
    throw UsageError(name + ": unknown shift " + quotedArgument(text) + "; expected "
        + std::string(kShiftValues));
}

// An entry as typed, before the record is known.
struct EntryInput {
    DayEntry entry;
    bool shiftGiven = false;
};

// What needs no record: the days in order, and a shift exactly for extra.
void checkEntry(const EntryInput &input, const std::string &prefix)
{
    const DayEntry &entry = input.entry;
    if (entry.last < entry.first)
        throw UsageError(prefix + "--to: " + daysDateText(entry.last) + " is before the first day "
            + daysDateText(entry.first));
    if (entry.kind == DayKind::Extra && !input.shiftGiven)
        throw UsageError(prefix + "--shift: extra needs the shift worked; expected "
            + std::string(kShiftValues));
    if (entry.kind != DayKind::Extra && input.shiftGiven)
        throw UsageError(prefix + "--shift: only extra takes a shift; "
            + std::string(dayKindWord(entry.kind)) + " is a day away");
}

// What needs the record: an extra needs the worker's scheme, and a shift that scheme has.
void checkAgainstRecord(
    const DayEntry &entry, const PersonalRoster &roster, const std::string &prefix)
{
    if (entry.kind != DayKind::Extra)
        return;
    if (!roster.hasTeam())
        throw UsageError(prefix
            + "extra: no team recorded, so no scheme to take the shift from; "
              "record yours with: shiftcal days team T [--scheme S]");
    for (DayCount day = entry.first; day <= entry.last; ++day) {
        const int scheme = roster.schemeOn(day);
        if (!schemeHasShift(scheme, entry.letter)
            || !shiftTimesOf(scheme, weekdayOf(day), entry.letter))
            throw UsageError(prefix + "--shift: " + std::string(schemeWord(scheme))
                + " has no shift " + quotedArgument(std::string(1, entry.letter)) + " on "
                + daysDateText(day));
    }
}

std::string idText(std::int64_t id)
{
    return std::to_string(id);
}

std::string entryCsv(const DayEntry &entry)
{
    return idText(entry.id) + "," + std::string(dayKindWord(entry.kind)) + ","
        + daysDateText(entry.first) + "," + daysDateText(entry.last) + ","
        + (entry.kind == DayKind::Extra ? std::string(1, entry.letter) : "") + ","
        + csvField(entry.note) + "\n";
}

std::string entryJson(const DayEntry &entry)
{
    return "{\"id\":" + idText(entry.id) + ",\"kind\":\"" + std::string(dayKindWord(entry.kind))
        + "\",\"date\":\"" + daysDateText(entry.first) + "\",\"to\":\"" + daysDateText(entry.last)
        + "\",\"shift\":"
        + (entry.kind == DayKind::Extra ? "\"" + std::string(1, entry.letter) + "\"" : "null")
        + ",\"note\":" + jsonString(entry.note) + "}";
}

std::string entryText(const DayEntry &entry)
{
    std::string kind(dayKindWord(entry.kind));
    kind.resize(8, ' ');
    std::string line = idText(entry.id) + "  " + kind + "  " + daysDateText(entry.first);
    if (entry.last != entry.first)
        line += " to " + daysDateText(entry.last);
    if (entry.kind == DayKind::Extra)
        line += "  " + std::string(1, entry.letter);
    if (!entry.note.empty())
        line += "  " + escapeControlCharacters(entry.note);
    return line + "\n";
}

std::string moveText(const TeamMove &move)
{
    return "team " + std::string(teamLetterOf(move.team)) + " under "
        + std::string(schemeWord(move.scheme)) + " from " + daysDateText(move.from) + "\n";
}

void warnOfNewBreaches(const PersonalRecord &before, const DayEntry &added)
{
    PersonalRecord after = before;
    after.entries.push_back(added);
    const PersonalRoster was(before);
    const PersonalRoster is(std::move(after));
    if (!is.hasTeam())
        return;
    const RestLimits &limits = currentPlant().rest;
    const DayCount first = added.first - kRestReach;
    const DayCount last = added.last + kRestReach;
    const std::vector<RestBreach> old = restBreachesOf(was, first, last, limits);
    for (const RestBreach &breach : restBreachesOf(is, first, last, limits)) {
        if (std::find(old.begin(), old.end(), breach) == old.end())
            printError("warning: " + breachSentence(breach, limits));
    }
}

int runTeam(std::span<const std::string_view> args, ProcessClock &clock)
{
    TeamMove move;
    CivilDate from;
    bool teamGiven = false;
    std::string database;
    CommandLine line("days team");
    line.operands(1, "one team, A to E", [&](const std::string &operand) {
        move.team = parseOneTeam("team", operand);
        teamGiven = true;
    });
    line.value("--scheme", schemeValues(), move.scheme, parseScheme);
    line.value("--from", kDateValues, from, parseDate);
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    if (!teamGiven)
        throw UsageError("days team: the team is missing; expected " + oneTeamValues());
    if (!line.given("--from")) {
        const LocalDateTime now = clock.reading().local;
        from = civilDate(now.year, now.month, now.day);
    }
    move.from = dayCountOf(from);
    DaysDatabase db(databasePath(database), DaysDatabase::Access::Write);
    db.setTeam(move);
    db.commit();
    printText(moveText(move));
    return kExitSuccess;
}

int runAdd(std::span<const std::string_view> args)
{
    EntryInput input;
    CivilDate first;
    CivilDate to;
    std::size_t operands = 0;
    std::string database;
    CommandLine line("days add");
    line.operands(2, "KIND and DATE", [&](const std::string &operand) {
        if (operands++ == 0)
            input.entry.kind = parseKind("KIND", operand);
        else
            first = parseDate("DATE", operand);
    });
    line.value("--to", kDateValues, to, parseDate);
    line.value("--shift", kShiftValues, [&](const std::string &name, const std::string &text) {
        input.entry.letter = parseShiftLetter(name, text);
        input.shiftGiven = true;
    });
    line.value("--note", "any text", [&](const std::string &, const std::string &text) {
        input.entry.note = text;
    });
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    if (operands < 2)
        throw UsageError(std::string("days add: ") + (operands == 0 ? "KIND" : "DATE")
            + " is missing; expected "
            + (operands == 0 ? wordList(kDayKindWords) : std::string(kDateValues)));
    input.entry.first = dayCountOf(first);
    input.entry.last = line.given("--to") ? dayCountOf(to) : input.entry.first;
    checkEntry(input, "");

    DaysDatabase db(databasePath(database), DaysDatabase::Access::Write);
    const PersonalRecord before = db.record();
    checkAgainstRecord(input.entry, PersonalRoster(before), "");
    bool added = false;
    input.entry.id = db.addEntry(input.entry, &added);
    db.commit();
    printText(idText(input.entry.id) + "\n");
    if (added)
        warnOfNewBreaches(before, input.entry);
    return kExitSuccess;
}

int runList(std::span<const std::string_view> args)
{
    CivilDate from = civilDate(kFirstYear, 1, 1);
    CivilDate to = civilDate(kLastYear, 12, 31);
    ListFormat format = ListFormat::Text;
    std::string output;
    std::string database;
    CommandLine line("days list");
    line.value("--from", kDateValues, from, parseDate);
    line.value("--to", kDateValues, to, parseDate);
    line.value("--format",
        wordList(kListFormats),
        format,
        [](const std::string &name, const std::string &text) {
            return parseChoice(name, text, kListFormats);
        });
    line.output(output, kOutputValues);
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    checkDateRange(from, to);
    if (!line.given("--format") && !writesToStandardOutput(output)) {
        const std::string ending = fileEnding(output);
        format = ending == ".csv" ? ListFormat::Csv : ending == ".json" ? ListFormat::Json : format;
    }

    DaysDatabase db(databasePath(database), DaysDatabase::Access::Read);
    const std::vector<DayEntry> entries = db.entries(dayCountOf(from), dayCountOf(to));
    const std::vector<TeamMove> moves = db.record().moves;
    db.commit();
    OutputFile file(output);
    OutputBuffer &out = file.buffer();
    if (format == ListFormat::Json) {
        out.append("[");
        for (std::size_t i = 0; i < entries.size(); ++i)
            out.append(std::string(i > 0 ? ",\n" : "\n") + entryJson(entries[i]));
        out.append(entries.empty() ? "]\n" : "\n]\n");
    } else if (format == ListFormat::Csv) {
        out.append(std::string(kDaysCsvHeader) + "\n");
        for (const DayEntry &entry : entries)
            out.append(entryCsv(entry));
    } else {
        for (const TeamMove &move : moves)
            out.append(moveText(move));
        if (moves.empty())
            out.append("no team recorded (shiftcal days team T)\n");
        for (const DayEntry &entry : entries)
            out.append(entryText(entry));
    }
    file.commit();
    return kExitSuccess;
}

std::int64_t parseId(const std::string &name, const std::string &text)
{
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || text[0] == '-' || error != std::errc() || end != text.data() + text.size()
        || id < 1)
        throw UsageError(name + ": " + quotedArgument(text) + " is not " + std::string(kIdValues));
    return id;
}

int runRemove(std::span<const std::string_view> args)
{
    std::int64_t id = 0;
    std::string database;
    CommandLine line("days remove");
    line.operands(1, kIdValues, [&](const std::string &operand) { id = parseId("ID", operand); });
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    if (id == 0)
        throw UsageError("days remove: ID is missing; expected " + std::string(kIdValues));
    DaysDatabase db(databasePath(database), DaysDatabase::Access::Write);
    if (!db.removeEntry(id))
        throw UsageError("days remove: there is no entry " + idText(id) + "; nothing removed");
    db.commit();
    return kExitSuccess;
}

int runExport(std::span<const std::string_view> args)
{
    std::string output;
    std::string database;
    CommandLine line("days export");
    line.output(output, "a CSV file name, or - for standard output");
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    line.require("-o");
    DaysDatabase db(databasePath(database), DaysDatabase::Access::Read);
    const PersonalRecord record = db.record();
    db.commit();
    OutputFile file(output);
    file.buffer().append(std::string(kDaysCsvHeader) + "\n");
    for (const DayEntry &entry : record.entries)
        file.buffer().append(entryCsv(entry));
    file.commit();
    return kExitSuccess;
}

std::string readWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw UsageError("days import: cannot read " + quotedArgument(path));
    return text.str();
}

// The entries of an exported file, each checked as `days add` checks its arguments.
std::vector<EntryInput> entriesOfCsv(const std::string &path)
{
    const std::vector<CsvRecord> records = readCsvRecords(readWholeFile(path), path);
    std::vector<std::string> header;
    std::istringstream names { std::string(kDaysCsvHeader) };
    for (std::string name; std::getline(names, name, ',');)
        header.push_back(name);
    if (records.empty() || records[0].fields != header)
        throw UsageError(path + ":1: the header is not " + std::string(kDaysCsvHeader));
    std::vector<EntryInput> inputs;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records[r];
        const std::string where = path + ":" + std::to_string(record.line) + ": ";
        if (record.fields.size() != header.size())
            throw UsageError(where + std::to_string(record.fields.size()) + " fields; expected "
                + std::to_string(header.size()));
        try {
            EntryInput input;
            input.entry.kind = parseKind("kind", record.fields[1]);
            input.entry.first = dayCountOf(parseDate("date", record.fields[2]));
            input.entry.last = dayCountOf(parseDate("to", record.fields[3]));
            input.shiftGiven = !record.fields[4].empty();
            if (input.shiftGiven)
                input.entry.letter = parseShiftLetter("shift", record.fields[4]);
            input.entry.note = record.fields[5];
            checkEntry(input, "");
            inputs.push_back(input);
        } catch (const UsageError &error) {
            throw UsageError(where + error.what());
        }
    }
    return inputs;
}

int runImport(std::span<const std::string_view> args)
{
    std::string path;
    std::string database;
    CommandLine line("days import");
    line.operands(1, "one CSV file", [&](const std::string &operand) { path = operand; });
    addDatabaseOption(line, database);
    line.parse(args);
    if (helpOnly(line))
        return kExitSuccess;
    if (path.empty())
        throw UsageError(
            "days import: FILE is missing; expected a CSV file that days export wrote");
    const std::vector<EntryInput> inputs = entriesOfCsv(path);

    DaysDatabase db(databasePath(database), DaysDatabase::Access::Write);
    const PersonalRoster roster(db.record());
    int added = 0;
    for (const EntryInput &input : inputs) {
        // An export carries no team: extra shifts are checked against the scheme once one is
        // recorded.
        if (roster.hasTeam())
            checkAgainstRecord(input.entry, roster, path + ": ");
        bool isNew = false;
        db.addEntry(input.entry, &isNew);
        added += isNew ? 1 : 0;
    }
    db.commit();
    printText(std::to_string(added) + " added, "
        + std::to_string(inputs.size() - static_cast<std::size_t>(added)) + " already there\n");
    return kExitSuccess;
}

} // namespace

int runDaysCommand(std::span<const std::string_view> args, ProcessClock &clock)
{
    const std::string_view sub = args.empty() ? std::string_view() : args[0];
    const auto rest = args.empty() ? args : args.subspan(1);
    if (sub == "--help" || sub == "-h") {
        printText(kDaysHelp);
        return kExitSuccess;
    }
    if (sub == "team")
        return runTeam(rest, clock);
    if (sub == "add")
        return runAdd(rest);
    if (sub == "list")
        return runList(rest);
    if (sub == "remove")
        return runRemove(rest);
    if (sub == "export")
        return runExport(rest);
    if (sub == "import")
        return runImport(rest);
    throw UsageError((sub.empty() ? std::string("days: a subcommand is missing")
                                  : "days: unknown subcommand " + quotedArgument(sub))
        + "; expected team, add, list, remove, export or import");
}

} // namespace shift

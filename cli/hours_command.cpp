#include "cli/hours_command.h"

#include "cli/cli_error.h"
#include "cli/option_values.h"
#include "cli/shift_text.h"
#include "core/team_shifts.h"

#include <cstdio>
#include <string>
#include <vector>

namespace shift {

namespace {

constexpr std::string_view kYearValues = "a year YYYY";
constexpr std::string_view kColumns[] = { "month",
    "shifts",
    "hours",
    "night_hours",
    "weekend_hours",
    "holiday_hours",
    "rostered_shifts",
    "rostered_hours",
    "away_days" };
constexpr std::size_t kTeamColumns = 6;

// Four digits, as dates have them: "2026" -> 2026y/January/1.
CivilDate parseYear(const std::string &name, const std::string &text)
{
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    const bool longNumber = digits && text.size() > 4 && text[0] != '0' && text.size() < 10;
    if (digits && (text.size() == 4 || longNumber)) {
        const int year = std::stoi(text);
        if (year < kFirstYear || year > kLastYear)
            throw UsageError(name + ": year " + std::to_string(year) + " is outside 1 to 9999");
        return civilDate(year, 1, 1);
    }
    throw UsageError(name + ": " + quotedArgument(text) + " is not a year; expected YYYY");
}

struct MonthRow {
    std::string month; // "YYYY-MM" or "total"
    int shifts = 0;
    HourParts parts;
    int rosteredShifts = 0; // --mine only, as the two below
    std::chrono::seconds rosteredHours { 0 };
    int awayDays = 0;
};

std::vector<MonthRow> monthRows(const HoursOptions &options)
{
    std::vector<MonthRow> rows;
    const int firstMonth = yearOf(options.from) * 12 + monthOf(options.from) - 1;
    const int lastMonth = yearOf(options.to) * 12 + monthOf(options.to) - 1;
    for (int m = firstMonth; m <= lastMonth; ++m) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d-%02d", m / 12, m % 12 + 1);
        rows.push_back({ name, 0, {} });
    }
    LocalTimeConverter clock(plantTimeZone());
    auto rowOf = [&](DayCount day) -> MonthRow & {
        const CivilDate date = civilDateOf(day);
        return rows[static_cast<std::size_t>(yearOf(date) * 12 + monthOf(date) - 1 - firstMonth)];
    };
    const DayCount first = dayCountOf(options.from);
    const DayCount last = dayCountOf(options.to);
    if (options.mine.mine) {
        const PersonalRoster roster = loadMyRoster(options.mine);
        for (const WorkedShift &worked : roster.workedShifts(first, last)) {
            MonthRow &row = rowOf(worked.shift.interval.day);
            ++row.shifts;
            row.parts += hourPartsOf(worked.shift, clock);
        }
        roster.forEachRosteredShift(first, last, [&](const TeamShift &shift) {
            MonthRow &row = rowOf(shift.interval.day);
            ++row.rosteredShifts;
            row.rosteredHours += shift.interval.length();
            return true;
        });
        const std::vector<const DayEntry *> away = roster.awayDays(first, last);
        for (DayCount day = first; day <= last; ++day)
            rowOf(day).awayDays += away[static_cast<std::size_t>(day - first)] != nullptr ? 1 : 0;
    } else {
        forEachShift(options.scheme, options.team, first, last, [&](const TeamShift &shift) {
            MonthRow &row = rowOf(shift.interval.day);
            ++row.shifts;
            row.parts += hourPartsOf(shift, clock);
            return true;
        });
    }
    MonthRow total { "total", 0, {} };
    for (const MonthRow &row : rows) {
        total.shifts += row.shifts;
        total.parts += row.parts;
        total.rosteredShifts += row.rosteredShifts;
        total.rosteredHours += row.rosteredHours;
        total.awayDays += row.awayDays;
    }
    rows.push_back(total);
    return rows;
}

std::vector<std::string> fieldsOf(const MonthRow &row, bool mine)
{
    std::vector<std::string> fields { row.month,
        std::to_string(row.shifts),
        hoursNumber(row.parts.total),
        hoursNumber(row.parts.night),
        hoursNumber(row.parts.weekend),
        hoursNumber(row.parts.holiday) };
    if (mine) {
        fields.push_back(std::to_string(row.rosteredShifts));
        fields.push_back(hoursNumber(row.rosteredHours));
        fields.push_back(std::to_string(row.awayDays));
    }
    return fields;
}

std::size_t columnCount(bool mine)
{
    return mine ? std::size(kColumns) : kTeamColumns;
}

void writeCsv(const std::vector<MonthRow> &rows, bool mine, OutputBuffer &out)
{
    std::string header;
    for (std::size_t i = 0; i < columnCount(mine); ++i)
        header += (i > 0 ? "," : "") + std::string(kColumns[i]);
    out.append(header + "\n");
    for (const MonthRow &row : rows) {
        std::string line;
        for (const std::string &field : fieldsOf(row, mine))
            line += (line.empty() ? "" : ",") + field;
        out.append(line + "\n");
    }
}

void writeJson(const std::vector<MonthRow> &rows, bool mine, OutputBuffer &out)
{
    out.append("[");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string> fields = fieldsOf(rows[r], mine);
        std::string object = std::string(r > 0 ? ",\n" : "\n") + "{\"month\":\"" + fields[0] + "\"";
        for (std::size_t i = 1; i < fields.size(); ++i)
            object += ",\"" + std::string(kColumns[i]) + "\":" + fields[i];
        out.append(object + "}");
    }
    out.append("\n]\n");
}

// Columns as wide as their header, numbers to the right.
void writeText(const std::vector<MonthRow> &rows, bool mine, OutputBuffer &out)
{
    std::string header = "month  ";
    for (std::size_t i = 1; i < columnCount(mine); ++i)
        header += "  " + std::string(kColumns[i]);
    out.append(header + "\n");
    for (const MonthRow &row : rows) {
        const std::vector<std::string> fields = fieldsOf(row, mine);
        std::string line = fields[0] + std::string(7 - fields[0].size(), ' ');
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::size_t width = std::string_view(kColumns[i]).size();
            line += "  " + std::string(width > fields[i].size() ? width - fields[i].size() : 0, ' ')
                + fields[i];
        }
        out.append(line + "\n");
    }
}

} // namespace

HoursOptions parseHoursOptions(std::span<const std::string_view> args)
{
    HoursOptions options;
    CivilDate year;
    CommandLine line("hours");
    line.value("--team", oneTeamValues(), options.team, parseOneTeam);
    line.value("--year", kYearValues, year, parseYear);
    line.value("--from", kDateValues, options.from, parseDate);
    line.value("--to", kDateValues, options.to, parseDate);
    addReportOptions(line, options, true);
    addMineOptions(line, options.mine);
    line.parse(args);
    settleReportFormat(line, options, true);
    settleMineOptions(line, options.mine);
    if (options.help)
        return options;

    if (!options.mine.mine)
        line.require("--team");
    const bool range = line.given("--from") || line.given("--to");
    if (line.given("--year") && range)
        throw UsageError("--year: give either --year or --from and --to, not both");
    if (line.given("--year")) {
        options.from = year;
        options.to = civilDate(yearOf(year), 12, 31);
        return options;
    }
    if (!range)
        throw UsageError("hours: --year or --from and --to is required; expected a year YYYY");
    line.require("--from");
    line.require("--to");
    checkDateRange(options.from, options.to);
    return options;
}

void writeHoursReport(const HoursOptions &options, OutputBuffer &out)
{
    const std::vector<MonthRow> rows = monthRows(options);
    const bool mine = options.mine.mine;
    if (options.format == ReportFormat::Csv)
        writeCsv(rows, mine, out);
    else if (options.format == ReportFormat::Json)
        writeJson(rows, mine, out);
    else
        writeText(rows, mine, out);
}

} // namespace shift

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
constexpr std::string_view kColumns[]
    = { "month", "shifts", "hours", "night_hours", "weekend_hours", "holiday_hours" };

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
    forEachShift(options.scheme,
        options.team,
        dayCountOf(options.from),
        dayCountOf(options.to),
        [&](const TeamShift &shift) {
            const CivilDate date = civilDateOf(shift.interval.day);
            MonthRow &row = rows[static_cast<std::size_t>(
                yearOf(date) * 12 + monthOf(date) - 1 - firstMonth)];
            ++row.shifts;
            row.parts += hourPartsOf(shift, clock);
            return true;
        });
    MonthRow total { "total", 0, {} };
    for (const MonthRow &row : rows) {
        total.shifts += row.shifts;
        total.parts += row.parts;
    }
    rows.push_back(total);
    return rows;
}

std::vector<std::string> fieldsOf(const MonthRow &row)
{
    return { row.month,
        std::to_string(row.shifts),
        hoursNumber(row.parts.total),
        hoursNumber(row.parts.night),
        hoursNumber(row.parts.weekend),
        hoursNumber(row.parts.holiday) };
}

void writeCsv(const std::vector<MonthRow> &rows, OutputBuffer &out)
{
    out.append("month,shifts,hours,night_hours,weekend_hours,holiday_hours\n");
    for (const MonthRow &row : rows) {
        std::string line;
        for (const std::string &field : fieldsOf(row))
            line += (line.empty() ? "" : ",") + field;
        out.append(line + "\n");
    }
}

void writeJson(const std::vector<MonthRow> &rows, OutputBuffer &out)
{
    out.append("[");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string> fields = fieldsOf(rows[r]);
        std::string object = std::string(r > 0 ? ",\n" : "\n") + "{\"month\":\"" + fields[0] + "\"";
        for (std::size_t i = 1; i < fields.size(); ++i)
            object += ",\"" + std::string(kColumns[i]) + "\":" + fields[i];
        out.append(object + "}");
    }
    out.append("\n]\n");
}

// Columns as wide as their header, numbers to the right.
void writeText(const std::vector<MonthRow> &rows, OutputBuffer &out)
{
    std::string header = "month  ";
    for (std::size_t i = 1; i < std::size(kColumns); ++i)
        header += "  " + std::string(kColumns[i]);
    out.append(header + "\n");
    for (const MonthRow &row : rows) {
        const std::vector<std::string> fields = fieldsOf(row);
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
    line.parse(args);
    settleReportFormat(line, options, true);
    if (options.help)
        return options;

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
    if (options.format == ReportFormat::Csv)
        writeCsv(rows, out);
    else if (options.format == ReportFormat::Json)
        writeJson(rows, out);
    else
        writeText(rows, out);
}

} // namespace shift

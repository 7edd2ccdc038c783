// Unit tests of shiftcal's parts: dates, the day walk, shift hours, option parsing, iCalendar
// lines and whole-or-nothing files.
#include "cli/civil_date.h"
#include "cli/cli_error.h"
#include "cli/command_options.h"
#include "cli/day_sequence.h"
#include "cli/ics_writer.h"
#include "cli/output_file.h"
#include "cli/shift_hours.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace shift;
namespace chr = std::chrono;

chr::sys_days chronoOf(const CivilDate &d)
{
    return chr::sys_days { chr::year { d.year } / chr::month { static_cast<unsigned>(d.month) }
        / chr::day { static_cast<unsigned>(d.day) } };
}

const DayCount kChronoOffset
    = chr::sys_days { chr::year { 1 } / chr::January / 1 }.time_since_epoch().count();

TEST(CivilDate, DayCountsRoundTripAndAgreeWithChronoForEveryDayOfYears1To9999)
{
    const DayCount last = dayCountOfDate({ 9999, 12, 31 });
    for (DayCount count = 0; count <= last; ++count) {
        const CivilDate date = dateOfDayCount(count);
        ASSERT_EQ(dayCountOfDate(date), count);
        ASSERT_EQ(chronoOf(date).time_since_epoch().count() - kChronoOffset, count);
    }
}

int isoWeekByChrono(const CivilDate &date)
{
    const chr::sys_days d = chronoOf(date);
    const chr::sys_days thursday
        = d + chr::days { 4 - static_cast<int>(chr::weekday { d }.iso_encoding()) };
    const chr::sys_days first { chr::year_month_day { thursday }.year() / chr::January / 1 };
    return static_cast<int>((thursday - first).count() / 7 + 1);
}

TEST(DaySequence, StartsWithTheIsoWeekOnAnyDayAroundTheTurnOfTheYear)
{
    for (int year = 2000; year <= 2040; ++year) {
        for (DayCount count = dayCountOfDate({ year, 12, 24 });
             count <= dayCountOfDate({ year + 1, 1, 8 });
             ++count) {
            const CivilDate first = dateOfDayCount(count);
            DaySequence days(1, first);
            ASSERT_EQ(days.day().week, isoWeekByChrono(first))
                << first.year << "-" << first.month << "-" << first.day;
            for (int i = 0; i < 10; ++i) {
                days.advance();
                ASSERT_EQ(days.day().week, isoWeekByChrono(days.day().date));
            }
        }
    }
}

TEST(DaySequence, ShowsWhatTheMultiMonthViewDraws)
{
    DaySequence sudra(0, { 2001, 1, 1 });
    EXPECT_EQ(sudra.day().shown, (std::array<char, 5> { 'N', ' ', 'F', 'E', ' ' }));
    EXPECT_EQ(sudra.day().pattern[4], 'N') << "team E keeps its pattern letter under sudra";

    DaySequence norda(1, { 2016, 12, 24 });
    EXPECT_TRUE(norda.day().productionStop);
    EXPECT_EQ(norda.day().shown, (std::array<char, 5> { '*', '*', '*', '*', '*' }));
    EXPECT_EQ(norda.day().holiday, 16);
    norda.advance();
    norda.advance();
    norda.advance();
    EXPECT_EQ(norda.day().date, (CivilDate { 2016, 12, 27 }));
    EXPECT_FALSE(norda.day().productionStop);
}

TEST(ShiftHours, EightHourWeekdaysAndTwelveHourWeekends)
{
    struct Row {
        int scheme, weekday;
        char letter;
        int start, length;
        bool chosen;
    };
    const Row rows[] = {
        { 0, kMonday, 'F', 6, 8, false },
        { 0, kMonday, 'E', 14, 8, false },
        { 0, kMonday, 'N', 22, 8, false },
        { 0, kSaturday, 'N', 22, 8, false },
        { 1, kSaturday, 'N', 18, 12, false },
        { 1, kSaturday, 'F', 6, 12, false },
        { 0, kSunday, 'F', 6, 12, false },
        { 1, kSunday, 'N', 18, 12, false },
        { 0, kSunday, 'E', 14, 8, true },
        { 1, kSaturday, 'E', 14, 8, false },
    };
    for (const Row &r : rows) {
        const ShiftHours hours = shiftHoursOf(r.scheme, r.weekday, r.letter);
        EXPECT_EQ(hours.startHour, r.start) << r.scheme << " " << r.weekday << " " << r.letter;
        EXPECT_EQ(hours.lengthHours, r.length) << r.scheme << " " << r.weekday << " " << r.letter;
        EXPECT_EQ(hours.chosen, r.chosen) << r.scheme << " " << r.weekday << " " << r.letter;
    }
}

bool workingAt(int scheme, const CivilDate &cell, char pattern, const LocalDateTime &clock)
{
    const DayCount day = dayCountOfDate(cell);
    return isWorkingNow(scheme,
        day,
        weekdayOf(day),
        pattern,
        clock,
        dayCountOfDate({ clock.year, clock.month, clock.day }));
}

TEST(ShiftHours, WorkingNowFollowsTheProgramsMarks)
{
    const LocalDateTime saturdayEvening { 2016, 10, 1, 20, 0, 0, 0 };
    EXPECT_TRUE(workingAt(0, { 2016, 10, 1 }, 'E', saturdayEvening));
    EXPECT_FALSE(workingAt(0, { 2016, 10, 1 }, 'N', saturdayEvening))
        << "eight-hour night starts at 22";
    EXPECT_TRUE(workingAt(1, { 2016, 10, 1 }, 'N', saturdayEvening))
        << "twelve-hour night starts at 18";

    const LocalDateTime sundayAfternoon { 2016, 10, 2, 15, 0, 0, 0 };
    EXPECT_TRUE(workingAt(0, { 2016, 10, 2 }, 'F', sundayAfternoon));
    EXPECT_FALSE(workingAt(0, { 2016, 10, 2 }, 'E', sundayAfternoon))
        << "no afternoon mark on Sundays";

    const LocalDateTime mondayNight { 2016, 10, 3, 3, 0, 0, 0 };
    EXPECT_TRUE(workingAt(0, { 2016, 10, 2 }, 'N', mondayNight));
    EXPECT_FALSE(workingAt(0, { 2016, 10, 3 }, 'N', mondayNight));
    EXPECT_FALSE(workingAt(0, { 2016, 10, 2 }, 'N', { 2016, 10, 3, 6, 0, 0, 0 }));
    EXPECT_TRUE(workingAt(0, { 2016, 10, 3 }, 'F', { 2016, 10, 3, 6, 0, 0, 0 }));
}

TEST(ShiftHours, TheNightBeforeIsFoundAcrossMonthAndYearEnds)
{
    EXPECT_TRUE(workingAt(0, { 2016, 12, 31 }, 'N', { 2017, 1, 1, 3, 0, 0, 0 }));
    EXPECT_TRUE(workingAt(1, { 2016, 9, 30 }, 'N', { 2016, 10, 1, 5, 59, 0, 0 }));
    EXPECT_FALSE(workingAt(1, { 2016, 9, 30 }, ' ', { 2016, 10, 1, 3, 0, 0, 0 }));
}

TEST(CommandOptions, AcceptsTheSpellingsUsersType)
{
    const LocalDateTime now { 2016, 10, 1, 20, 0, 0, 0 };
    const std::string_view monthArgs[]
        = { "--team=b", "--scheme", "Norda", "--months=3", "2017-02" };
    const MonthOptions month = parseMonthOptions(monthArgs, now);
    EXPECT_EQ(month.team, 1);
    EXPECT_EQ(month.scheme, 1);
    EXPECT_EQ(month.months, 3);
    EXPECT_EQ(month.year, 2017);
    EXPECT_EQ(month.month, 2);

    const MonthOptions defaults = parseMonthOptions({}, now);
    EXPECT_EQ(defaults.year, 2016);
    EXPECT_EQ(defaults.month, 10);
    EXPECT_EQ(defaults.team, kAllTeams);
    EXPECT_EQ(defaults.scheme, 0);

    const std::string_view tableArgs[]
        = { "--from", "2016-01-01", "--to=2016-01-02", "--output=days.JSON" };
    const TableOptions table = parseTableOptions(tableArgs);
    EXPECT_EQ(table.format, TableFormat::Json);
    EXPECT_EQ(table.output, "days.JSON");

    const std::string_view renderArgs[]
        = { "--clock", "2016-10-03T03:00", "-o", "a.pdf", "--team", "all" };
    const RenderOptions render = parseRenderOptions(renderArgs, now);
    EXPECT_EQ(render.format, ImageFormat::Pdf);
    EXPECT_EQ(render.clock.hour, 3);
    EXPECT_EQ(render.startMonth, 10);
}

TEST(CommandOptions, LeapDaysAndMonthEndsAreChecked)
{
    EXPECT_EQ(parseDate("--from", "2016-02-29"), (CivilDate { 2016, 2, 29 }));
    EXPECT_THROW(parseDate("--from", "2015-02-29"), UsageError);
    EXPECT_THROW(parseDate("--from", "1900-02-29"), UsageError);
    EXPECT_EQ(parseDate("--from", "2000-02-29"), (CivilDate { 2000, 2, 29 }));
    EXPECT_THROW(parseDate("--from", "2016-04-31"), UsageError);
    EXPECT_THROW(parseDate("--from", "2016-04-1"), UsageError);
    EXPECT_THROW(parseDate("--from", "-2016-04-01"), UsageError);
    EXPECT_EQ(parseDate("--from", "0001-01-01"), (CivilDate { 1, 1, 1 }));
}

TEST(IcsText, EscapesTheCharactersTextMayNotHoldBare)
{
    EXPECT_EQ(escapeText("F, morning; a\\b\nc"), "F\\, morning\\; a\\\\b\\nc");
}

// 12 octets of name and colon, then 62 of ASCII: the next two-octet character would end on
// octet 76, so the fold must come before it.
const std::string kFoldedValue
    = std::string(62, 'x') + "åäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäöåäö";

TEST(IcsText, FoldsAt75OctetsWithoutSplittingACharacter)
{
    char path[] = "/tmp/shiftcal-fold-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    {
        OutputBuffer out(fd, path);
        IcsLineWriter ics(out);
        ics.line("DESCRIPTION", kFoldedValue);
        out.flush();
    }
    ::close(fd);
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ::unlink(path);

    std::string unfolded;
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        std::string line = text.substr(pos, end - pos);
        EXPECT_LE(line.size(), 75u);
        if (!first) {
            ASSERT_EQ(line[0], ' ');
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80);
            line.erase(0, 1);
        }
        unfolded += line;
        first = false;
        pos = end + 2;
    }
    EXPECT_EQ(text.find("\r\n"), 74u) << "the first line stops before the split character";
    EXPECT_EQ(unfolded, "DESCRIPTION:" + kFoldedValue);
}

TEST(OutputFile, LeavesNothingBehindUnlessCommitted)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("shiftcal-unit-" + std::to_string(::getpid()));
    std::filesystem::create_directory(folder);
    const std::string target = (folder / "out.csv").string();
    {
        OutputFile file(target);
        file.buffer().append("half a table");
        file.buffer().flush();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
            << "only the hidden temporary file";
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    {
        OutputFile file(target);
        file.buffer().append("whole");
        file.commit();
    }
    std::ifstream in(target);
    std::string contents;
    std::getline(in, contents);
    EXPECT_EQ(contents, "whole");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

} // namespace

#include "cli/month_text_view.h"

#include "core/day_sequence.h"
#include "core/schedule_texts.h"
#include "core/shift_times.h"

#include <string>

namespace shift {

namespace {

// SGR sequences; an empty one leaves the terminal's own colour.
constexpr std::string_view kPlain = {};
constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kRedText = "\x1b[31m";
constexpr std::string_view kGreenText = "\x1b[32m";
constexpr std::string_view kBlueText = "\x1b[34m";
constexpr std::string_view kGrayText = "\x1b[90m";
constexpr std::string_view kReset = "\x1b[0m";

// Columns before the first team letter: week (2), blank, day (2), blank, weekday letter,
// two blanks.
constexpr int kLabelWidth = 9;

// One output line, built piece by piece. Blanks are held back until something visible follows
// them, so no line ends in blanks and colour codes never wrap blanks.
class LineBuilder {
public:
    explicit LineBuilder(bool colour)
        : m_colour(colour)
    {
    }

    void blanks(int count) { m_pendingBlanks += count; }

    void text(std::string_view text, std::string_view style = kPlain)
    {
        if (text.empty())
            return;
        m_line.append(static_cast<std::size_t>(m_pendingBlanks), ' ');
        m_pendingBlanks = 0;
        const bool styled = m_colour && !style.empty();
        if (styled)
            m_line += style;
        m_line += text;
        if (styled)
            m_line += kReset;
    }

    // The day-of-month or week number, right-aligned in two columns.
    void number(int value, std::string_view style)
    {
        if (value < 10)
            blanks(1);
        text(std::to_string(value), style);
    }

    void finish(OutputBuffer &out)
    {
        m_line += '\n';
        out.append(m_line);
        m_line.clear();
        m_pendingBlanks = 0;
    }

private:
    std::string m_line;
    int m_pendingBlanks = 0;
    bool m_colour;
};

// The text colour the program gives a day's labels: gray days are drawn black.
std::string_view labelStyle(Colour colour)
{
    return colour == kRed ? kRedText : kPlain;
}

std::string_view letterStyle(Colour colour)
{
    if (colour == kRed)
        return kRedText;
    if (colour == kGray)
        return kGrayText;
    return kPlain;
}

struct TeamRange {
    int first;
    int last;
};

// A team without shifts under the scheme (E under scheme 0) is left out of the all-teams view.
TeamRange shownTeams(const MonthOptions &options)
{
    if (options.team != kAllTeams)
        return { options.team, options.team };
    int lastTeam = currentPlant().teamCount() - 1;
    while (lastTeam > 0 && !teamWorksUnder(options.scheme, lastTeam))
        --lastTeam;
    return { 0, lastTeam };
}

class MonthWriter {
public:
    MonthWriter(
        const MonthOptions &options, const LocalDateTime &now, bool colour, OutputBuffer &out)
        : m_options(options)
        , m_now(now)
        , m_nowDay(dayCountOf(now.year, now.month - 1, now.day))
        , m_teams(shownTeams(options))
        , m_line(colour)
        , m_out(out)
    {
    }

    void writeMonth(std::int32_t year, int month)
    {
        writeTitle(year, month);
        writeTeamHeader();
        DaySequence days(m_options.scheme, civilDate(year, month, 1));
        const int length = monthLengthOf(year, month - 1);
        for (int d = 1; d <= length; ++d) {
            writeDay(days.day(), d == 1);
            if (days.day().weekday == kSunday)
                writeRule();
            if (d < length)
                days.advance();
        }
    }

private:
    void writeTitle(std::int32_t year, int month)
    {
        const std::string title = std::string(kFullMonthNames[static_cast<std::size_t>(month - 1)])
            + " " + std::to_string(year) + "  " + std::string(schemeNameOf(m_options.scheme));
        m_line.text(title, kBold);
        m_line.finish(m_out);
    }

    void writeTeamHeader()
    {
        m_line.blanks(kLabelWidth);
        for (int team = m_teams.first; team <= m_teams.last; ++team) {
            if (team > m_teams.first)
                m_line.blanks(1);
            m_line.text(teamLetterOf(team));
        }
        m_line.finish(m_out);
    }

    void writeDay(const ScheduleDay &day, bool firstRow)
    {
        if (firstRow || day.weekday == kMonday)
            m_line.number(day.week, kGreenText);
        else
            m_line.blanks(2);
        m_line.blanks(1);
        m_line.number(dayOf(day.date), labelStyle(day.colour));
        m_line.blanks(1);
        const bool today = day.dayCount == m_nowDay;
        m_line.text(
            letterAt(kWeekdayLetters, day.weekday), today ? kBlueText : labelStyle(day.colour));
        m_line.blanks(2);
        for (int team = m_teams.first; team <= m_teams.last; ++team) {
            if (team > m_teams.first)
                m_line.blanks(1);
            writeLetter(day, team);
        }
        if (day.holiday != 0) {
            m_line.blanks(2);
            m_line.text(holidayNameOf(day.holiday), labelStyle(day.colour));
        }
        m_line.finish(m_out);
    }

    void writeLetter(const ScheduleDay &day, int team)
    {
        const char shown = day.shown[static_cast<std::size_t>(team)];
        if (shown == kDayOff) {
            m_line.blanks(1);
            return;
        }
        const bool working = workingMark(m_options.scheme,
                                 day.pattern[static_cast<std::size_t>(team)],
                                 day.dayCount,
                                 day.weekday,
                                 m_nowDay,
                                 m_now.hour)
            != WorkingMark::None;
        m_line.text(std::string_view(&shown, 1), working ? kBlueText : letterStyle(day.colour));
    }

    void writeRule()
    {
        const int width = kLabelWidth + 2 * (m_teams.last - m_teams.first + 1) - 1;
        m_line.text(std::string(static_cast<std::size_t>(width), '-'));
        m_line.finish(m_out);
    }

    const MonthOptions &m_options;
    const LocalDateTime &m_now;
    DayCount m_nowDay;
    TeamRange m_teams;
    LineBuilder m_line;
    OutputBuffer &m_out;
};

} // namespace

void writeMonthView(
    const MonthOptions &options, const LocalDateTime &now, bool colour, OutputBuffer &out)
{
    MonthWriter writer(options, now, colour, out);
    std::int32_t year = options.year;
    int month = options.month;
    for (int i = 0; i < options.months; ++i) {
        if (i > 0)
            out.append('\n');
        writer.writeMonth(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

} // namespace shift

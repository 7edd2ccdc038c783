#include "views/multi_month_view.h"

#include "core/calendar_arithmetic.h"
#include "core/colours.h"
#include "core/rotation_schemes.h"
#include "core/shift_times.h"
#include "views/multi_month_layout.h"
#include "views/view_texts.h"

#include <array>
#include <string>
#include <string_view>

namespace shift {

namespace {

constexpr std::string_view kTitleGap = "          ";

// What stays fixed for one drawing besides the geometry: the target's colours.
struct Colours {
    Colour background = kButtonFace;
    Colour header = kTeal;
};

Colours coloursFor(const DrawingSurface &target, const Rotation &rotation)
{
    return { target.isPrintSurface() ? kWhite : kButtonFace, rotation.titleColour };
}

// The clock date as a day count, so that "today" and "the day before today" are found by
// plain comparison whatever month or year they fall in.
struct ClockMoment {
    bool known = false;
    DayCount today = 0;
    int hour = 0;
};

ClockMoment clockMomentOf(const ScheduleState &state)
{
    ClockMoment moment;
    if (state.month < 1 || state.month > 12 || state.day < 1)
        return moment;
    moment.known = true;
    moment.today = dayCountOf(state.year, state.month - 1, state.day);
    moment.hour = state.hour;
    return moment;
}

// One month column: where it stands and the figures of its month.
struct MonthColumn {
    std::int64_t year = 0;
    int month = 0; // 0..11
    int origin = 0; // x from which the column's texts are placed
    int length = 0; // 28..31
    int daysBefore = 0; // days of the year before the month, 0..335
    DayCount base = 0; // day count of day 0 of the month
    int firstWeekday = 0; // of the 1st, 0 Monday .. 6 Sunday
    int easter = 0; // Easter Sunday's day of the year, or kNoEaster
};

class MultiMonthDrawing {
public:
    MultiMonthDrawing(ShiftCalendar &calendar, int firstTeam, int lastTeam, DrawingSurface &target)
        : m_calendar(calendar)
        , m_state(calendar.state())
        , m_surface(target)
        , m_layout(target.target(), firstTeam == lastTeam)
        , m_colours(coloursFor(target, calendar.rotation()))
        , m_clock(clockMomentOf(calendar.state()))
        , m_firstTeam(firstTeam)
        , m_lastTeam(lastTeam)
    {
    }

    void draw(std::int32_t startYear, int startMonth);

private:
    void clearArea();
    void drawColumnHeaderBoxes();
    void drawTitleBand();
    void drawColumnBodies();
    void drawTitle(std::int32_t startYear, int startMonth);
    void drawMonths(std::int32_t startYear, int startMonth);
    void setYear(std::int64_t year);
    MonthColumn monthFigures(std::int64_t year, int month, int origin, int easter, int febExtra);
    void drawColumnHeader(const MonthColumn &column);
    void drawTeamRows(const MonthColumn &column, int team);
    void drawDayLabels(const MonthColumn &column, int day, int rowY, DayCount dayCount);
    void drawWeekNumber(const MonthColumn &column, int day, int rowY);
    void drawShiftCell(const MonthColumn &column, int team, int day, int rowY, DayCount dayCount);
    void drawSundayLine(int cellX, int lineY);
    bool marksAsWorking(char pattern, DayCount dayCount, int weekday) const;

    bool onMainWindow() const { return !m_surface.isPrintSurface(); }
    bool worksUnderScheme(int team) const
    {
        return m_calendar.rotation().works[static_cast<std::size_t>(team)];
    }

    ShiftCalendar &m_calendar;
    ScheduleState &m_state;
    DrawingSurface &m_surface;
    const MultiMonthLayout m_layout;
    const Colours m_colours;
    const ClockMoment m_clock;
    const int m_firstTeam;
    const int m_lastTeam;
};

void MultiMonthDrawing::draw(std::int32_t startYear, int startMonth)
{
    clearArea();
    drawColumnHeaderBoxes();
    drawTitleBand();
    drawColumnBodies();
    drawTitle(startYear, startMonth);
    drawMonths(startYear, startMonth);
}

void MultiMonthDrawing::clearArea()
{
    m_surface.Brush.Color = m_colours.background;
    m_surface.FillRect(m_layout.x0() - 26, -1, 900, 600);
}

void MultiMonthDrawing::drawColumnHeaderBoxes()
{
    m_surface.Brush.Color = kSilver;
    for (int c = 0; c < m_layout.months(); ++c)
        m_surface.Rectangle(m_layout.columnLeft(c),
            MultiMonthLayout::kHeaderTop,
            m_layout.columnRight(c),
            MultiMonthLayout::kHeaderBottom);
}

void MultiMonthDrawing::drawTitleBand()
{
    m_surface.Brush.Color = m_colours.header;
    m_surface.Rectangle(m_layout.titleBandLeft(),
        MultiMonthLayout::kTitleTop,
        m_layout.titleBandRight(),
        MultiMonthLayout::kTitleBottom);
    m_surface.Brush.Color = kWhite;
}

void MultiMonthDrawing::drawColumnBodies()
{
    for (int c = 0; c < m_layout.months(); ++c)
        m_surface.Rectangle(m_layout.columnLeft(c),
            MultiMonthLayout::kBodyTop,
            m_layout.columnRight(c),
            MultiMonthLayout::kBodyBottom);
}

void MultiMonthDrawing::drawTitle(std::int32_t startYear, int startMonth)
{
    const int lastMonth = startMonth + m_layout.months() - 1;
    const bool crossesYear = lastMonth >= 12;
    const std::int64_t lastYear = std::int64_t { startYear } + (crossesYear ? 1 : 0);
    std::string title = viewTitle(m_calendar.plant());
    title += m_calendar.rotation().name;
    title += kTitleGap;
    title += kFullMonthNames[static_cast<std::size_t>(startMonth)];
    title += ' ';
    title += std::to_string(startYear);
    title += " to ";
    title += kFullMonthNames[static_cast<std::size_t>(crossesYear ? lastMonth - 12 : lastMonth)];
    title += ' ';
    title += std::to_string(lastYear);

    m_surface.Brush.Color = m_colours.header;
    m_surface.Font.Color = kWhite;
    m_surface.Font.Height = -16;
    m_surface.TextOut(m_layout.titleX(), MultiMonthLayout::kTitleY, title);
    m_surface.Brush.Color = kWhite;
}

void MultiMonthDrawing::setYear(std::int64_t year)
{
    m_calendar.computeLeapYear(calendarEquivalentYear(year));
}

MonthColumn MultiMonthDrawing::monthFigures(
    std::int64_t year, int month, int origin, int easter, int febExtra)
{
    MonthColumn column;
    column.year = year;
    column.month = month;
    column.origin = origin;
    column.length = kMonthLengths[static_cast<std::size_t>(month)] + febExtra;
    column.daysBefore = m_calendar.daysBeforeMonth(month);
    column.base = yearBase(year) + column.daysBefore;
    column.firstWeekday = weekdayOf(column.base + 1);
    column.easter = easter;
    return column;
}

void MultiMonthDrawing::drawMonths(std::int32_t startYear, int startMonth)
{
    std::int64_t year = startYear;
    setYear(year);
    int easter = m_calendar.easterDayOfYear(calendarEquivalentYear(year));

    int month = startMonth;
    int lastMonth = startMonth + m_layout.months() - 1;
    int column = 0;
    while (month <= lastMonth) {
        setYear(year);
        const int febExtra = month == 1 ? m_state.leapYear : 0;
        if (month == 12) {
            month = 0;
            lastMonth -= 12;
            year += 1;
            setYear(year);
            easter = m_calendar.easterDayOfYear(calendarEquivalentYear(year));
        }
        const MonthColumn figures
            = monthFigures(year, month, m_layout.columnOrigin(column), easter, febExtra);
        drawColumnHeader(figures);
        m_surface.Brush.Color = kWhite;
        for (int team = m_firstTeam; team <= m_lastTeam; ++team)
            drawTeamRows(figures, team);
        month += 1;
        column += 1;
    }
}

void MultiMonthDrawing::drawColumnHeader(const MonthColumn &column)
{
    const auto month = static_cast<std::size_t>(column.month);
    const int textX = m_layout.headerTextX(column.origin);
    m_surface.Font.Color = kBlack;
    m_surface.Brush.Color = kSilver;
    m_surface.Font.Height = -12;
    m_surface.TextOut(textX, MultiMonthLayout::kYearY, std::to_string(column.year));
    m_surface.TextOut(textX,
        MultiMonthLayout::kMonthNameY,
        m_layout.oneTeam() ? kShortMonthNames[month] : kFullMonthNames[month]);
    m_surface.Font.Color = kWhite;
    const int firstLetter = m_layout.oneTeam() ? m_firstTeam : 0;
    const int lastLetter = m_layout.oneTeam() ? m_firstTeam : m_calendar.plant().teamCount() - 1;
    for (int team = firstLetter; team <= lastLetter; ++team) {
        // Alone, a team is always named, even one without shifts.
        const bool named = m_layout.oneTeam() || worksUnderScheme(team);
        const std::string_view letter
            = named ? m_calendar.plant().teamLetter(team) : std::string_view();
        m_surface.TextOut(
            m_layout.headerLetterX(column.origin, team), MultiMonthLayout::kTeamLetterY, letter);
    }
}

void MultiMonthDrawing::drawTeamRows(const MonthColumn &column, int team)
{
    for (int day = 1; day <= column.length; ++day) {
        const int rowY = MultiMonthLayout::rowY(day, column.firstWeekday);
        const DayCount dayCount = column.base + day;
        if (team == m_firstTeam)
            drawDayLabels(column, day, rowY, dayCount);
        drawShiftCell(column, team, day, rowY, dayCount);
        if (weekdayOf(dayCount) == kSunday && day + 1 <= column.length)
            drawSundayLine(m_layout.cellX(column.origin, team),
                MultiMonthLayout::sundayLineY(day, column.firstWeekday));
    }
}

void MultiMonthDrawing::drawDayLabels(
    const MonthColumn &column, int day, int rowY, DayCount dayCount)
{
    const int weekday = weekdayOf(dayCount);
    const Colour colour = m_calendar.classifyDay(
        column.month, day, column.daysBefore + day, column.easter, weekday);
    m_surface.Font.Color = colour == kGray ? kBlack : colour;
    m_surface.TextOut(m_layout.dayNumberX(column.origin), rowY, std::to_string(day));
    if (onMainWindow() && m_clock.known && dayCount == m_clock.today)
        m_surface.Font.Color = kBlue;
    m_surface.TextOut(
        m_layout.weekdayLetterX(column.origin), rowY, letterAt(kWeekdayLetters, weekday));
    if (weekday == kWednesday && day + 2 <= column.length)
        drawWeekNumber(column, day, rowY);
}

void MultiMonthDrawing::drawWeekNumber(const MonthColumn &column, int day, int rowY)
{
    m_calendar.computeWeekNumber(calendarEquivalentYear(column.year), column.month, day);
    const std::string digits = std::to_string(m_state.weekNumber);
    const int x = m_layout.weekNumberX(column.origin);
    m_surface.Font.Color = kGreen;
    m_surface.TextOut(x, rowY, std::string_view(digits).substr(0, 1));
    if (m_state.weekNumber > 9)
        m_surface.TextOut(x, rowY + 16, std::string_view(digits).substr(1, 1));
}

void MultiMonthDrawing::drawShiftCell(
    const MonthColumn &column, int team, int day, int rowY, DayCount dayCount)
{
    const int weekday = weekdayOf(dayCount);
    const char pattern = m_calendar.shiftOf(team, dayCount);
    m_state.shiftChar = pattern;
    m_surface.Font.Color = m_calendar.classifyDay(
        column.month, day, column.daysBefore + day, column.easter, weekday);
    if (marksAsWorking(pattern, dayCount, weekday))
        m_surface.Font.Color = kBlue;
    const std::string_view letter
        = worksUnderScheme(team) ? std::string_view(&m_state.shiftChar, 1) : std::string_view();
    m_surface.TextOut(m_layout.cellX(column.origin, team), rowY, letter);
}

void MultiMonthDrawing::drawSundayLine(int x, int lineY)
{
    m_surface.MoveTo(x + m_layout.lineRight(), lineY);
    m_surface.LineTo(x - m_layout.lineLeft(), lineY);
}

// The shift working now is marked on the main window only, but for the night shift that began
// the evening before, which shows on the printed page too (and wherever yesterday's cell is on
// display, also in the previous month or year).
bool MultiMonthDrawing::marksAsWorking(char pattern, DayCount dayCount, int weekday) const
{
    if (!m_clock.known)
        return false;
    const WorkingMark mark
        = workingMark(m_state.scheme, pattern, dayCount, weekday, m_clock.today, m_clock.hour);
    return mark == WorkingMark::NightBefore || (mark == WorkingMark::OnItsDay && onMainWindow());
}

} // namespace

void drawMultiMonth(ShiftCalendar &calendar,
    std::int32_t startYear,
    int startMonth,
    int firstTeam,
    int lastTeam,
    DrawingSurface &target)
{
    MultiMonthDrawing(calendar, firstTeam, lastTeam, target).draw(startYear, startMonth);
}

} // namespace shift

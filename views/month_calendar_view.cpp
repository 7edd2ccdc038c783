#include "views/month_calendar_view.h"

#include "core/calendar_arithmetic.h"
#include "core/colours.h"
#include "core/holiday_rules.h"
#include "core/rotation_schemes.h"
#include "views/month_calendar_layout.h"
#include "views/page_geometry.h"
#include "views/view_texts.h"

#include <array>
#include <string>
#include <string_view>

namespace shift {

namespace {

constexpr std::array<std::string_view, 8> kColumnHeaders
    = { "Week", "Monday", "Tuesday", "Wedensd", "Thursday", "Friday", "Saturday", "Sunday" };

// What the page stands on. The printed page is the screen page moved up and to the left
// (MonthCalendarLayout), so that it starts at the paper's edge instead of beside the controls.
struct Page {
    Colour background = kButtonFace;
    Colour header = kTeal;
};

Page pageFor(const DrawingSurface &target, const Rotation &rotation)
{
    return { target.isPrintSurface() ? kWhite : kButtonFace, rotation.titleColour };
}

struct MonthFigures {
    int easter = kNoEaster; // day of the year
    int daysBefore = 0; // 0..335
    DayCount base = 0; // day count of the day before the 1st
    int length = 0; // 28..31
    int firstWeekday = 0; // 0 = Monday
};

class MonthCalendarDrawing {
public:
    MonthCalendarDrawing(
        ShiftCalendar &calendar, int team, DrawingSurface &target, const PersonalRoster *mine)
        : m_calendar(calendar)
        , m_state(calendar.state())
        , m_surface(target)
        , m_layout(target.target())
        , m_page(pageFor(target, calendar.rotation()))
        , m_team(team)
        , m_mine(mine)
    {
    }

    void draw(std::int32_t year, int month);

private:
    void sizeMainWindow();
    MonthFigures monthFigures(std::int32_t year, int month);
    void clearArea();
    void drawTitleBand();
    void drawMonthBand(std::int32_t year, int month);
    void drawGrid(int rows);
    void drawDayCells(std::int32_t year, int month, const MonthFigures &figures);
    void drawWeekNumbers(std::int32_t year, int month, int day, int weekRow);
    void drawDayCell(int month, int day, int weekday, int textY, const MonthFigures &figures);
    void drawMyMarks(DayCount dayCount, int weekday, int weekRow);

    int x(int offset) const { return m_layout.x(offset); }
    int y(int offset) const { return m_layout.y(offset); }

    ShiftCalendar &m_calendar;
    ScheduleState &m_state;
    DrawingSurface &m_surface;
    const MonthCalendarLayout m_layout;
    const Page m_page;
    const int m_team;
    const PersonalRoster *m_mine;
};

void MonthCalendarDrawing::draw(std::int32_t year, int month)
{
    if (!m_surface.isPrintSurface())
        sizeMainWindow();
    const MonthFigures figures = monthFigures(year, month);
    clearArea();
    drawTitleBand();
    drawMonthBand(year, month);
    m_surface.Font.Color = kBlack;
    m_surface.Font.Height = -14;
    drawGrid(MonthCalendarLayout::rowCount(figures.firstWeekday, figures.length));
    drawDayCells(year, month, figures);
}

void MonthCalendarDrawing::sizeMainWindow()
{
    m_surface.setWindowHeight(kMainWindowCalendar.height);
    m_surface.setWindowWidth(kMainWindowCalendar.width);
}

MonthFigures MonthCalendarDrawing::monthFigures(std::int32_t year, int month)
{
    m_calendar.computeLeapYear(year);
    MonthFigures figures;
    figures.easter = m_calendar.easterDayOfYear(year);
    figures.daysBefore = m_calendar.daysBeforeMonth(month);
    figures.base = yearBase(year) + figures.daysBefore;
    figures.length = m_calendar.monthLength(month);
    figures.firstWeekday = weekdayOf(figures.base + 1);
    return figures;
}

void MonthCalendarDrawing::clearArea()
{
    m_surface.Brush.Color = m_page.background;
    m_surface.FillRect(x(30), -1, 900, 600);
}

void MonthCalendarDrawing::drawTitleBand()
{
    m_surface.Brush.Color = m_page.header;
    m_surface.Font.Color = kWhite;
    m_surface.Font.Height = -16;
    m_surface.Rectangle(x(43), y(0), x(684), y(27));
    const std::string title = viewTitle(m_calendar.plant());
    m_surface.TextOut(x(55), y(4), title);
    // The scheme's name follows the title at a nominal 11 pixels per character.
    const int titleLength = static_cast<int>(title.size());
    m_surface.TextOut(x(11 * titleLength - 10), y(4), m_calendar.rotation().name);
}

void MonthCalendarDrawing::drawMonthBand(std::int32_t year, int month)
{
    m_surface.Brush.Color = kSilver;
    m_surface.Font.Color = m_page.header;
    m_surface.Rectangle(x(43), y(26), x(684), y(53));
    m_surface.Font.Height = -20;
    m_surface.TextOut(x(340), y(28), std::string(m_calendar.plant().teamLetter(m_team)) + "-team");
    m_surface.TextOut(x(110), y(28), kFullMonthNames[static_cast<std::size_t>(month)]);
    m_surface.TextOut(x(54), y(28), std::to_string(year));
}

void MonthCalendarDrawing::drawGrid(int rows)
{
    for (int c = 1; c <= MonthCalendarLayout::kColumns; ++c) {
        const int left = m_layout.columnLeft(c);
        const int right = m_layout.columnRight(c);
        for (int r = 1; r <= rows; ++r) {
            m_surface.Brush.Color = r == 1 ? kSilver : kWhite;
            m_surface.Rectangle(left, m_layout.rowTop(r), right, m_layout.rowBottom(r));
            if (r == 1)
                m_surface.TextOut(m_layout.headerTextX(c),
                    m_layout.headerTextY(),
                    kColumnHeaders[static_cast<std::size_t>(c - 1)]);
        }
    }
}

void MonthCalendarDrawing::drawDayCells(std::int32_t year, int month, const MonthFigures &figures)
{
    m_surface.Font.Height = -20;
    for (int day = 1; day <= figures.length; ++day) {
        const int weekday = weekdayOf(figures.base + day);
        const int weekRow = MonthCalendarLayout::weekRowOf(day, figures.firstWeekday);
        if (weekday == kMonday)
            drawWeekNumbers(year, month, day, weekRow);
        drawDayCell(month, day, weekday, m_layout.textLineY(weekRow), figures);
        if (m_mine != nullptr)
            drawMyMarks(figures.base + day, weekday, weekRow);
    }
}

// A Monday writes its week number on its row. The first Monday after the 1st also numbers the
// partial week before it, on the first row, unless that week belongs to the previous year.
void MonthCalendarDrawing::drawWeekNumbers(std::int32_t year, int month, int day, int weekRow)
{
    m_calendar.computeWeekNumber(year, month, day + 2);
    const int weekNumber = m_state.weekNumber;
    if (day != 1 && day <= kDaysPerWeek && weekNumber != 1) {
        m_surface.Font.Color = kGreen;
        m_surface.TextOut(m_layout.weekNumberX(),
            m_layout.textLineY(weekRow - 1),
            std::to_string(weekNumber - 1));
    }
    m_surface.Font.Color = kGreen;
    m_surface.TextOut(
        m_layout.weekNumberX(), m_layout.textLineY(weekRow), std::to_string(weekNumber));
}

void MonthCalendarDrawing::drawDayCell(
    int month, int day, int weekday, int textY, const MonthFigures &figures)
{
    const DayCount dayCount = figures.base + day;
    m_state.shiftChar = m_calendar.shiftOf(m_team, dayCount);
    const Colour colour
        = m_calendar.classifyDay(month, day, figures.daysBefore + day, figures.easter, weekday);
    m_surface.Font.Color = colour;
    m_surface.TextOut(
        m_layout.shiftLetterX(weekday), textY, std::string_view(&m_state.shiftChar, 1));
    if (m_state.holiday != 0 && m_calendar.rotation().holidays) {
        m_surface.Font.Height = -11;
        m_surface.TextOut(m_layout.holidayNameX(weekday),
            textY + MonthCalendarLayout::kHolidayNameBelow,
            m_calendar.plant().holidayName(m_state.holiday));
        m_surface.Font.Height = -20;
    }
    m_surface.Font.Color = colour == kGray ? kBlack : colour;
    m_surface.TextOut(m_layout.dayNumberX(weekday), textY, std::to_string(day));
}

void MonthCalendarDrawing::drawMyMarks(DayCount dayCount, int weekday, int weekRow)
{
    bool away = false;
    std::string extras;
    for (const DayEntry *entry : m_mine->entriesShownOn(dayCount, m_state.scheme, m_team)) {
        if (entry->kind != DayKind::Extra)
            away = true;
        else if (extras.find(entry->letter) == std::string::npos)
            extras += entry->letter;
    }
    // Grid row r holds week row r - 1.
    const int top = m_layout.rowTop(weekRow + 1);
    const int left = m_layout.markX(weekday);
    const DrawingSurface::BrushState brush = m_surface.Brush;
    const DrawingSurface::FontState font = m_surface.Font;
    if (away) {
        m_surface.Brush.Color = kBlue;
        m_surface.Rectangle(left,
            top + MonthCalendarLayout::kMarkBelowTop,
            left + 9,
            top + MonthCalendarLayout::kMarkBelowTop + 9);
    }
    if (!extras.empty()) {
        m_surface.Brush = brush;
        m_surface.Font.Color = kBlue;
        m_surface.Font.Height = -11;
        m_surface.TextOut(left - 4, top + MonthCalendarLayout::kExtraMarkBelowTop, "+" + extras);
    }
    m_surface.Brush = brush;
    m_surface.Font = font;
}

} // namespace

void drawMonthCalendar(ShiftCalendar &calendar,
    std::int32_t year,
    int month,
    int team,
    DrawingSurface &target,
    const PersonalRoster *mine)
{
    MonthCalendarDrawing(calendar, team, target, mine).draw(year, month);
}

} // namespace shift

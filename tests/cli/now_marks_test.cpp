// The window's blue marks of the shift working now and `shiftcal now` answer from one rule:
// at every hour of two years, under both schemes, each blue cell of the multi-month view is a
// team that `now` lists, and each team `now` lists is blue where its cell is on display. The
// two differ where the window's own rules say so: a production stop's "*" is marked when its
// letter's hours come although nobody works, and the window marks no afternoon on a Sunday.
#include "cli/now_command.h"
#include "core/civil_date.h"
#include "core/colours.h"
#include "core/shift_calendar.h"
#include "layout_oracle.h"
#include "views/multi_month_view.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using namespace shift;

// Only the blue shift letters: where they stand and what they say.
class BlueLetters : public DrawingSurface {
public:
    BlueLetters()
        : DrawingSurface(Target::MainWindow)
    {
    }
    void FillRect(int, int, int, int) override { }
    void Rectangle(int, int, int, int) override { }
    void MoveTo(int, int) override { }
    void LineTo(int, int) override { }
    void TextOut(int x, int y, std::string_view text) override
    {
        if (Font.Color == kBlue && text.size() == 1 && Font.Height == -12)
            texts.push_back({ x, y, text[0] });
    }
    struct Text {
        int x, y;
        char letter;
    };
    std::vector<Text> texts;
};

TEST(NowMarks, TheWindowsBlueCellsAreTheTeamsNowLists)
{
    const shift::testing::MultiMonthGeometry geometry { 147, false };
    for (const int scheme : { 0, 1 }) {
        ShiftCalendar calendar;
        calendar.state().scheme = static_cast<std::int16_t>(scheme);
        calendar.state().cycleLength = cycleLengthOf(scheme);
        const DayCount last = dayCountOf(civilDate(2026, 12, 31));
        for (DayCount day = dayCountOf(civilDate(2025, 1, 1)); day <= last; ++day) {
            const CivilDate date = civilDateOf(day);
            for (int hour = 0; hour < 24; ++hour) {
                const LocalDateTime now { yearOf(date), monthOf(date), dayOf(date), hour, 0, 0, 0 };
                calendar.setClock(fixedClock(now));
                calendar.readClock();
                BlueLetters blue;
                drawMultiMonth(calendar, now.year, now.month - 1, 0, 4, blue);

                // The teams whose cells are blue: today's row or yesterday's, first column only.
                std::set<std::pair<DayCount, int>> marked;
                for (const BlueLetters::Text &t : blue.texts) {
                    if (t.x < geometry.cellX(0, 0) || t.x > geometry.cellX(0, 4))
                        continue; // today's weekday letter
                    const int team = (t.x - geometry.cellX(0, 0)) / 11;
                    const int rowDay
                        = t.y == shift::testing::multiMonthRowY(now.year, now.month - 1, now.day)
                        ? now.day
                        : now.day - 1;
                    ASSERT_EQ(t.y, shift::testing::multiMonthRowY(now.year, now.month - 1, rowDay));
                    if (t.letter != '*')
                        marked.insert({ day - (now.day - rowDay), team });
                }
                std::set<std::pair<DayCount, int>> listed;
                for (const TeamShift &s : shiftsAround(scheme, now).working) {
                    const bool onDisplay = s.interval.day == day || now.day > 1;
                    const bool sundayAfternoon = s.weekday == kSunday && s.letter == 'E';
                    if (onDisplay && !sundayAfternoon)
                        listed.insert({ s.interval.day, s.team });
                    else
                        marked.erase({ s.interval.day, s.team });
                }
                ASSERT_EQ(marked, listed) << "scheme " << scheme << " " << now.year << "-"
                                          << now.month << "-" << now.day << " " << hour << ":00";
            }
        }
    }
}

} // namespace

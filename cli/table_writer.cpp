#include "cli/table_writer.h"

#include "cli/data_text.h"
#include "core/day_sequence.h"
#include "core/holiday_rules.h"

#include <cstring>
#include <string>

namespace shift {

namespace {

// Longest row: date 10, weekday 1, week 2, holiday 2, the longest name, colour 5, five letters
// and the punctuation around them; JSON adds its keys and quotes.
constexpr std::size_t kRowReserve = 512;

std::string_view colourWord(Colour colour)
{
    if (colour == kRed)
        return "red";
    if (colour == kBlack)
        return "black";
    return "gray";
}

// "YYYY-MM-DD" of consecutive dates: the year and month digits change seldom, so only the
// day's are formatted for every row.
class DateText {
public:
    char *put(char *out, const CivilDate &date)
    {
        if (date.month() != m_month || date.year() != m_year) {
            m_year = date.year();
            m_month = date.month();
            char *p = putFourDigits(m_text, yearOf(date));
            *p++ = '-';
            p = putTwoDigits(p, monthOf(date));
            *p = '-';
        }
        putTwoDigits(m_text + 8, dayOf(date));
        std::memcpy(out, m_text, sizeof m_text);
        return out + sizeof m_text;
    }

private:
    char m_text[10] = {};
    std::chrono::year m_year { -32767 };
    std::chrono::month m_month { 0 };
};

// The walk both formats share: `writeRow` formats one day into reserved room.
template <typename WriteRow>
void forEachDay(int scheme, const CivilDate &from, const CivilDate &to, WriteRow writeRow)
{
    DaySequence days(scheme, from);
    const DayCount last = dayCountOf(to);
    for (;;) {
        writeRow(days.day());
        if (days.day().dayCount == last)
            break;
        days.advance();
    }
}

} // namespace

void writeCsvTable(int scheme, const CivilDate &from, const CivilDate &to, OutputBuffer &out)
{
    std::array<std::string, kHolidayCount> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = csvField(kHolidayNames[i]);

    out.append("date,weekday,week,holiday,name,colour,A,B,C,D,E\n");
    DateText dateText;
    forEachDay(scheme, from, to, [&](const ScheduleDay &day) {
        char *p = out.reserve(kRowReserve);
        p = dateText.put(p, day.date);
        *p++ = ',';
        *p++ = static_cast<char>('1' + day.weekday);
        *p++ = ',';
        p = putSmall(p, day.week);
        *p++ = ',';
        p = putSmall(p, day.holiday);
        *p++ = ',';
        p = put(p, names[static_cast<std::size_t>(day.holiday)]);
        *p++ = ',';
        p = put(p, colourWord(day.colour));
        for (const char letter : day.shown) {
            *p++ = ',';
            if (letter != kDayOff)
                *p++ = letter;
        }
        *p++ = '\n';
        out.commit(p);
    });
}

void writeJsonTable(int scheme, const CivilDate &from, const CivilDate &to, OutputBuffer &out)
{
    std::array<std::string, kHolidayCount> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = jsonString(kHolidayNames[i]);
    static constexpr std::string_view teamKeys[kTeamCount]
        = { ",\"A\":\"", ",\"B\":\"", ",\"C\":\"", ",\"D\":\"", ",\"E\":\"" };

    out.append("[\n");
    DateText dateText;
    bool first = true;
    forEachDay(scheme, from, to, [&](const ScheduleDay &day) {
        char *p = out.reserve(kRowReserve);
        if (!first)
            p = put(p, ",\n");
        first = false;
        p = put(p, "{\"date\":\"");
        p = dateText.put(p, day.date);
        p = put(p, "\",\"weekday\":");
        *p++ = static_cast<char>('1' + day.weekday);
        p = put(p, ",\"week\":");
        p = putSmall(p, day.week);
        p = put(p, ",\"holiday\":");
        p = putSmall(p, day.holiday);
        p = put(p, ",\"name\":");
        p = put(p, names[static_cast<std::size_t>(day.holiday)]);
        p = put(p, ",\"colour\":\"");
        p = put(p, colourWord(day.colour));
        *p++ = '"';
        for (std::size_t team = 0; team < kTeamCount; ++team) {
            p = put(p, teamKeys[team]);
            if (day.shown[team] != kDayOff)
                *p++ = day.shown[team];
            *p++ = '"';
        }
        *p++ = '}';
        out.commit(p);
    });
    out.append("\n]\n");
}

} // namespace shift

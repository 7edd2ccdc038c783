#include "cli/table_writer.h"

#include "cli/data_text.h"
#include "core/day_sequence.h"
#include "core/holiday_rules.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace shift {

namespace {

// Longest row: date 10, weekday 1, week 2, holiday 2, colour 5, five letters and the
// punctuation around them, JSON's keys and quotes, and the longest holiday name as written.
constexpr std::size_t kRowReserveBesidesName = 256;

template <typename Field>
std::vector<std::string> holidayFields(Field field, std::size_t &rowReserve)
{
    const Plant &plant = currentPlant();
    std::vector<std::string> names;
    rowReserve = kRowReserveBesidesName;
    for (int i = 0; i < plant.holidayCount(); ++i) {
        names.push_back(field(plant.holidayName(i)));
        rowReserve = std::max(rowReserve, kRowReserveBesidesName + names.back().size());
    }
    return names;
}

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
    std::size_t rowReserve = 0;
    const std::vector<std::string> names = holidayFields(csvField, rowReserve);
    const auto teamCount = static_cast<std::size_t>(currentPlant().teamCount());

    std::string header = "date,weekday,week,holiday,name,colour";
    for (const char team : currentPlant().teams)
        header.append(",").push_back(team);
    out.append(header + "\n");
    DateText dateText;
    forEachDay(scheme, from, to, [&](const ScheduleDay &day) {
        char *p = out.reserve(rowReserve);
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
        for (std::size_t team = 0; team < teamCount; ++team) {
            *p++ = ',';
            if (day.shown[team] != kDayOff)
                *p++ = day.shown[team];
        }
        *p++ = '\n';
        out.commit(p);
    });
}

void writeJsonTable(int scheme, const CivilDate &from, const CivilDate &to, OutputBuffer &out)
{
    std::size_t rowReserve = 0;
    const std::vector<std::string> names = holidayFields(jsonString, rowReserve);
    std::vector<std::string> teamKeys;
    for (const char team : currentPlant().teams)
        teamKeys.push_back(std::string(",\"") + team + "\":\"");

    out.append("[\n");
    DateText dateText;
    bool first = true;
    forEachDay(scheme, from, to, [&](const ScheduleDay &day) {
        char *p = out.reserve(rowReserve);
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
        for (std::size_t team = 0; team < teamKeys.size(); ++team) {
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

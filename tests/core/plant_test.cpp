#include "core/plant.h"

#include "core/plant_file.h"

#include <gtest/gtest.h>

#include <string>

namespace shift {
namespace {

TEST(Plant, BuiltInPlantIsTheRotationTable)
{
    const Plant &plant = *builtinPlant();
    EXPECT_EQ(plant.name, "Tervialund");
    EXPECT_EQ(plant.timeZone, "Europe/Stockholm");
    EXPECT_EQ(plant.teams, "ABCDE");
    ASSERT_EQ(plant.schemeCount(), 2);
    EXPECT_EQ(plant.schemeOfKey("norda"), 1);
    EXPECT_EQ(plant.schemeOfKey("nord"), -1);

    // Positions on day count 0, as the offsets 7, 1, 3, 5, 8 and 28, 21, 0, 14, 7 give them.
    const Rotation &sudra = plant.schemes[0];
    EXPECT_EQ(sudra.cycle, "FFEENN  ");
    EXPECT_EQ(sudra.offset, (std::array<int, kMaxTeams> { 7, 1, 3, 5, 0 }));
    EXPECT_EQ(sudra.works, (std::array<bool, kMaxTeams> { true, true, true, true, false }));
    EXPECT_EQ(sudra.titleColour, kTeal);
    EXPECT_FALSE(sudra.holidays);
    const Rotation &norda = plant.schemes[1];
    EXPECT_EQ(norda.length(), 35);
    EXPECT_EQ(norda.offset, (std::array<int, kMaxTeams> { 28, 21, 0, 14, 7 }));
    EXPECT_EQ(norda.titleColour, kMaroon);
    EXPECT_TRUE(norda.holidays);

    EXPECT_EQ(norda.timesOf(kSaturday, 'N'), (ShiftTimes { 18, 12 }));
    EXPECT_EQ(sudra.timesOf(kSaturday, 'N'), (ShiftTimes { 22, 8 }));
    EXPECT_EQ(sudra.timesOf(kSunday, 'F'), (ShiftTimes { 6, 12 }));
    EXPECT_FALSE(sudra.timesOf(kMonday, kDayOff));
    EXPECT_FALSE(sudra.marks(kSunday, 'E'));
    EXPECT_TRUE(sudra.marks(kSaturday, 'E'));

    EXPECT_EQ(plant.holidayCount(), 20);
    EXPECT_EQ(plant.holidayName(9), "Kr.H.F. dag");
    EXPECT_EQ(plant.rest.dailyHours, std::chrono::hours(11));
    EXPECT_EQ(plant.rest.weeklyHours, std::chrono::hours(36));
}

// A small plant whose rules reach over New Year, hold for some years only and number
// themselves by their place.
constexpr std::string_view kSmallPlant = R"(
name = "Small"
time_zone = "UTC"
teams = ["A"]
[[scheme]]
name = "Day"
key = "day"
cycle = "D"
anchor = 2020-01-01
start = { A = 0 }
[scheme.shift.D]
start = "07:00"
hours = 9
[[holiday]]
name = "Winter week"
colour = "black"
weekday = "monday"
between = ["12-28", "01-03"]
[[holiday]]
name = "Founding"
stop = true
date = "02-29"
first_year = 2024
[[holiday]]
colour = "red"
easter = 0
)";

TEST(Plant, RulesOverNewYearYearBoundsAndPlaces)
{
    const Plant plant = parsePlant(kSmallPlant, "small.toml");
    EXPECT_TRUE(plant.yearBound);
    EXPECT_EQ(plant.holidayName(1), "Winter week");
    EXPECT_EQ(plant.holidayName(2), "Founding");

    YearMarks marks;
    // 2024: a leap year from a Monday; Easter on 31 March (day 91).
    plant.marksOfYear(2024, 1, 91, kMonday, marks);
    EXPECT_EQ(marks[1].holiday, 1); // Monday 1 January
    EXPECT_EQ(marks[1].colour, kBlack);
    EXPECT_EQ(marks[365].holiday, 1); // Monday 30 December
    EXPECT_EQ(marks[8].holiday, 0); // Monday 8 January
    EXPECT_EQ(marks[60].holiday, 2); // 29 February
    EXPECT_TRUE(marks[60].stop);
    EXPECT_EQ(marks[60].colour, kGray);
    EXPECT_EQ(marks[91].holiday, 0);
    EXPECT_EQ(marks[91].colour, kRed);
    // 2020 lies before the founding's first year; no Easter known: no Easter rule.
    plant.marksOfYear(2020, 1, kNoEaster, kWednesday, marks);
    EXPECT_EQ(marks[60].holiday, 0);
    for (const HolidayMark &mark : marks)
        EXPECT_NE(mark.colour, kRed);
}

TEST(Plant, ParseErrorsNameTheirLine)
{
    std::string text(kSmallPlant);
    text.replace(text.find("hours = 9"), 9, "hourz = 9");
    try {
        parsePlant(text, "small.toml");
        FAIL() << "accepted";
    } catch (const PlantError &error) {
        EXPECT_STREQ(error.what(),
            "small.toml:13:1: unknown key \"hourz\" in a shift table (did you mean \"hours\"?)");
    }
}

} // namespace
} // namespace shift

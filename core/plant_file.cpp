#include "core/plant_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <toml++/toml.h>

namespace shift {

// The built-in plant's text, generated from core/builtin_plant.toml at build time.
extern const char kBuiltinPlantToml[];

namespace {

constexpr std::array<std::string_view, kDaysPerWeek> kWeekdayKeys
    = { "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday" };

constexpr std::int64_t kMaxHolidayNumber = 99; // two digits in the table's column
constexpr std::int64_t kMaxEasterDistance = 365;

struct NamedColour {
    std::string_view name;
    Colour colour;
};

constexpr NamedColour kTitleColours[] = {
    { "teal", kTeal },
    { "maroon", kMaroon },
    { "green", kGreen },
    { "blue", kBlue },
    { "black", kBlack },
    { "gray", kGray },
    { "navy", 0x800000 },
    { "purple", 0x800080 },
    { "olive", 0x008080 },
};

// Edits (insertions, deletions, substitutions) from a to b: how far a misspelling is.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1]) });
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Reads one file into a Plant; every check throws PlantError at the node it concerns.
class PlantReader {
public:
    explicit PlantReader(std::string fileName)
        : m_file(std::move(fileName))
    {
    }

    Plant read(std::string_view text);

private:
    [[noreturn]] void fail(const toml::source_region &where, const std::string &what) const;
    [[noreturn]] void fail(const toml::node &node, const std::string &what) const
    {
        fail(node.source(), what);
    }

    void checkKeys(const toml::table &table,
        std::initializer_list<std::string_view> allowed,
        std::string_view where) const;
    const toml::node &required(
        const toml::table &table, std::string_view key, std::string_view where) const;
    std::string stringOf(const toml::node &node, std::string_view key) const;
    std::int64_t integerOf(const toml::node &node, std::string_view key) const;
    bool booleanOf(const toml::node &node, std::string_view key) const;
    const toml::table &tableOf(const toml::node &node, std::string_view key) const;
    std::pair<int, int> monthDayOf(const toml::node &node, std::string_view key) const;
    int weekdayOf(const toml::node &node) const;
    int hourOf(const toml::node &node) const;

    void readTeams(const toml::table &root, Plant &plant) const;
    void readRest(const toml::table &root, Plant &plant) const;
    Rotation readScheme(const toml::table &table, const Plant &plant) const;
    void readPositions(const toml::node &node,
        std::string_view key,
        const Plant &plant,
        Rotation &rotation,
        bool works) const;
    LetterHours readShift(const toml::table &table) const;
    HolidayRule readHoliday(const toml::table &table, int namedPlace) const;

    std::string m_file;
};

void PlantReader::fail(const toml::source_region &where, const std::string &what) const
{
    std::string line = m_file;
    if (where.begin.line != 0) {
        line += ":" + std::to_string(where.begin.line);
        if (where.begin.column != 0)
            line += ":" + std::to_string(where.begin.column);
    }
    throw PlantError(line + ": " + what);
}

void PlantReader::checkKeys(const toml::table &table,
    std::initializer_list<std::string_view> allowed,
    std::string_view where) const
{
    for (auto &&[key, node] : table) {
        const std::string_view name = key.str();
        if (std::find(allowed.begin(), allowed.end(), name) != allowed.end())
            continue;
        std::string what = "unknown key " + quoted(name) + " in " + std::string(where);
        std::string_view nearest;
        std::size_t best = 3;
        for (const std::string_view candidate : allowed) {
            const std::size_t distance = editDistance(name, candidate);
            if (distance < best) {
                best = distance;
                nearest = candidate;
            }
        }
        if (!nearest.empty())
            what += " (did you mean " + quoted(nearest) + "?)";
        fail(key.source(), what);
    }
}

const toml::node &PlantReader::required(
    const toml::table &table, std::string_view key, std::string_view where) const
{
    const toml::node *node = table.get(key);
    if (node == nullptr)
        fail(table.source(), "missing key " + quoted(key) + " in " + std::string(where));
    return *node;
}

std::string PlantReader::stringOf(const toml::node &node, std::string_view key) const
{
    if (!node.is_string())
        fail(node, quoted(key) + " must be a text in quotes");
    return std::string(node.as_string()->get());
}

std::int64_t PlantReader::integerOf(const toml::node &node, std::string_view key) const
{
    if (!node.is_integer())
        fail(node, quoted(key) + " must be a whole number");
    return node.as_integer()->get();
}

bool PlantReader::booleanOf(const toml::node &node, std::string_view key) const
{
    if (!node.is_boolean())
        fail(node, quoted(key) + " must be true or false");
    return node.as_boolean()->get();
}

const toml::table &PlantReader::tableOf(const toml::node &node, std::string_view key) const
{
    if (!node.is_table())
        fail(node, quoted(key) + " must be a table");
    return *node.as_table();
}

// "MM-DD" of a date that some year has: "02-29" is one, "02-30" is not.
std::pair<int, int> PlantReader::monthDayOf(const toml::node &node, std::string_view key) const
{
    const std::string text = stringOf(node, key);
    const bool shaped = text.size() == 5 && text[2] == '-'
        && std::all_of(
            text.begin(), text.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    if (!shaped)
        fail(node, quoted(key) + " must be a date \"MM-DD\", not " + quoted(text));
    const int month = std::stoi(text.substr(0, 2));
    const int day = std::stoi(text.substr(3, 2));
    if (month < 1 || month > 12 || day < 1
        || day > kMonthLengths[static_cast<std::size_t>(month - 1)] + (month == 2 ? 1 : 0))
        fail(node, "impossible date " + quoted(text));
    return { month - 1, day };
}

int PlantReader::weekdayOf(const toml::node &node) const
{
    const std::string text = stringOf(node, "weekday");
    for (std::size_t w = 0; w < kWeekdayKeys.size(); ++w) {
        if (kWeekdayKeys[w] == text)
            return static_cast<int>(w);
    }
    fail(node, "unknown weekday " + quoted(text) + " (monday .. sunday)");
}

int PlantReader::hourOf(const toml::node &node) const
{
    const std::string text = stringOf(node, "start");
    const bool shaped = text.size() == 5 && text[2] == ':'
        && std::all_of(
            text.begin(), text.end(), [](char c) { return c == ':' || (c >= '0' && c <= '9'); });
    if (!shaped)
        fail(node, "\"start\" must be a time \"HH:MM\", not " + quoted(text));
    const int hour = std::stoi(text.substr(0, 2));
    const int minute = std::stoi(text.substr(3, 2));
    if (hour > 23 || minute > 59)
        fail(node, "impossible time " + quoted(text));
    if (minute != 0)
        fail(node, "shifts start on the hour, not at " + quoted(text));
    return hour;
}

void PlantReader::readTeams(const toml::table &root, Plant &plant) const
{
    const toml::node &node = required(root, "teams", "the plant");
    const toml::array *teams = node.as_array();
    if (teams == nullptr)
        fail(node, "\"teams\" must be a list such as [\"A\", \"B\"]");
    if (teams->empty())
        fail(node, "\"teams\" lists no team");
    if (teams->size() > static_cast<std::size_t>(kMaxTeams))
        fail(node, "more than " + std::to_string(kMaxTeams) + " teams");
    for (const toml::node &team : *teams) {
        const std::string letter = team.is_string() ? std::string(team.as_string()->get()) : "";
        if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z')
            fail(team, "a team is one upper-case letter, such as \"A\"");
        if (plant.teams.find(letter[0]) != std::string::npos)
            fail(team, "team " + quoted(letter) + " is listed twice");
        plant.teams += letter;
    }
}

void PlantReader::readRest(const toml::table &root, Plant &plant) const
{
    const toml::node *node = root.get("rest");
    if (node == nullptr)
        return;
    const toml::table &rest = tableOf(*node, "rest");
    checkKeys(rest, { "daily_hours", "weekly_hours" }, "[rest]");
    const auto hours = [&](std::string_view key, std::chrono::hours &into) {
        if (const toml::node *value = rest.get(key)) {
            const std::int64_t h = integerOf(*value, key);
            if (h < 0 || h > 168)
                fail(*value, quoted(key) + " must be 0 to 168 hours");
            into = std::chrono::hours(h);
        }
    };
    hours("daily_hours", plant.rest.dailyHours);
    hours("weekly_hours", plant.rest.weeklyHours);
}

void PlantReader::readPositions(const toml::node &node,
    std::string_view key,
    const Plant &plant,
    Rotation &rotation,
    bool works) const
{
    const toml::table &positions = tableOf(node, key);
    for (auto &&[letter, value] : positions) {
        const std::string_view name = letter.str();
        const int team = name.size() == 1 ? plant.teamOfLetter(name[0]) : -1;
        if (team < 0)
            fail(letter.source(), "team " + quoted(name) + " is not in teams");
        const std::int64_t position = integerOf(value, name);
        if (position < 0 || position >= rotation.length())
            fail(value,
                "position " + std::to_string(position) + " is outside the cycle (0.."
                    + std::to_string(rotation.length() - 1) + ")");
        const auto t = static_cast<std::size_t>(team);
        if (rotation.offset[t] >= 0)
            fail(letter.source(), "team " + quoted(name) + " is given two positions");
        rotation.offset[t]
            = static_cast<int>(floorMod(position - rotation.anchor, rotation.length()));
        rotation.works[t] = works;
    }
}

LetterHours PlantReader::readShift(const toml::table &table) const
{
    checkKeys(table,
        { "start",
            "hours",
            "marked",
            "monday",
            "tuesday",
            "wednesday",
            "thursday",
            "friday",
            "saturday",
            "sunday" },
        "a shift table");
    ShiftTimes base;
    base.startHour = hourOf(required(table, "start", "a shift table"));
    const auto lengthOf = [&](const toml::node &node) {
        const std::int64_t hours = integerOf(node, "hours");
        if (hours < 1 || hours > 24)
            fail(node, "\"hours\" must be 1 to 24");
        return static_cast<int>(hours);
    };
    base.lengthHours = lengthOf(required(table, "hours", "a shift table"));
    bool baseMarked = true;
    if (const toml::node *marked = table.get("marked"))
        baseMarked = booleanOf(*marked, "marked");

    LetterHours letter;
    letter.hours.fill(base);
    letter.marked.fill(baseMarked);
    for (std::size_t w = 0; w < kWeekdayKeys.size(); ++w) {
        const toml::node *node = table.get(kWeekdayKeys[w]);
        if (node == nullptr)
            continue;
        const toml::table &day = tableOf(*node, kWeekdayKeys[w]);
        checkKeys(day, { "start", "hours", "marked" }, quoted(kWeekdayKeys[w]));
        if (const toml::node *start = day.get("start"))
            letter.hours[w].startHour = hourOf(*start);
        if (const toml::node *hours = day.get("hours"))
            letter.hours[w].lengthHours = lengthOf(*hours);
        if (const toml::node *marked = day.get("marked"))
            letter.marked[w] = booleanOf(*marked, "marked");
    }
    return letter;
}

Rotation PlantReader::readScheme(const toml::table &table, const Plant &plant) const
{
    constexpr std::string_view where = "[[scheme]]";
    checkKeys(table,
        { "name", "key", "cycle", "anchor", "start", "idle", "holidays", "title_colour", "shift" },
        where);
    Rotation rotation;
    rotation.name = stringOf(required(table, "name", where), "name");
    if (rotation.name.empty())
        fail(*table.get("name"), "a scheme's name may not be empty");

    const toml::node &key = required(table, "key", where);
    rotation.key = stringOf(key, "key");
    const bool keyShaped = !rotation.key.empty()
        && std::all_of(rotation.key.begin(), rotation.key.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
           });
    if (!keyShaped)
        fail(key, "a scheme's key is made of a-z, 0-9 and \"-\", not " + quoted(rotation.key));
    // A key that is all digits would be taken for a scheme's number on the command line.
    if (std::all_of(
            rotation.key.begin(), rotation.key.end(), [](char c) { return c >= '0' && c <= '9'; }))
        fail(key, "a scheme's key needs a letter: " + quoted(rotation.key) + " reads as a number");
    if (plant.schemeOfKey(rotation.key) >= 0)
        fail(key, "duplicate scheme key " + quoted(rotation.key));

    const toml::node &cycle = required(table, "cycle", where);
    rotation.cycle = stringOf(cycle, "cycle");
    if (rotation.cycle.empty())
        fail(cycle, "\"cycle\" may not be empty");
    for (const char c : rotation.cycle) {
        if (c != kDayOff && (c < 'A' || c > 'Z'))
            fail(cycle,
                "\"cycle\" holds upper-case shift letters and blanks only, not "
                    + quoted(std::string(1, c)));
    }

    const toml::node &anchor = required(table, "anchor", where);
    if (!anchor.is_date())
        fail(anchor, "\"anchor\" must be a date such as 2001-01-01");
    const toml::date date = anchor.as_date()->get();
    rotation.anchor = dayCountOf(date.year, date.month - 1, date.day);

    readPositions(required(table, "start", where), "start", plant, rotation, true);
    if (const toml::node *idle = table.get("idle"))
        readPositions(*idle, "idle", plant, rotation, false);

    if (const toml::node *holidays = table.get("holidays"))
        rotation.holidays = booleanOf(*holidays, "holidays");

    if (const toml::node *colour = table.get("title_colour")) {
        const std::string text = stringOf(*colour, "title_colour");
        bool known = false;
        for (const NamedColour &named : kTitleColours) {
            if (named.name == text) {
                rotation.titleColour = named.colour;
                known = true;
            }
        }
        const bool hex = text.size() == 7 && text[0] == '#'
            && text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
        if (hex) {
            const auto rgb = static_cast<Colour>(std::stoul(text.substr(1), nullptr, 16));
            // The drawing colours are blue-green-red.
            rotation.titleColour = ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
            known = true;
        }
        if (!known)
            fail(*colour,
                "unknown colour " + quoted(text) + " (a name such as \"teal\" or \"#rrggbb\")");
    }

    const toml::table &shifts = tableOf(required(table, "shift", where), "shift");
    for (auto &&[letter, node] : shifts) {
        const std::string_view name = letter.str();
        if (name.size() != 1 || name[0] < 'A' || name[0] > 'Z')
            fail(letter.source(),
                "a shift table is named by one upper-case letter, not " + quoted(name));
        rotation.shifts[static_cast<std::size_t>(name[0] - 'A')] = readShift(tableOf(node, name));
    }
    for (const char c : rotation.cycle) {
        if (c != kDayOff && !rotation.shifts[static_cast<std::size_t>(c - 'A')])
            fail(cycle,
                "letter " + quoted(std::string(1, c)) + " in cycle has no [scheme.shift." + c
                    + "] table");
    }
    return rotation;
}

HolidayRule PlantReader::readHoliday(const toml::table &table, int namedPlace) const
{
    constexpr std::string_view where = "[[holiday]]";
    checkKeys(table,
        { "name",
            "number",
            "colour",
            "stop",
            "date",
            "easter",
            "weekday",
            "between",
            "first_year",
            "last_year" },
        where);
    HolidayRule rule;
    if (const toml::node *name = table.get("name")) {
        rule.name = stringOf(*name, "name");
        if (rule.name.empty())
            fail(*name, "a holiday's name may not be empty; leave the key out instead");
        rule.number = namedPlace;
    }
    if (const toml::node *number = table.get("number")) {
        if (rule.name.empty())
            fail(*number, "a rule without a name may only stop or colour, so it has no number");
        const std::int64_t value = integerOf(*number, "number");
        if (value < 1 || value > kMaxHolidayNumber)
            fail(*number, "\"number\" must be 1 to " + std::to_string(kMaxHolidayNumber));
        rule.number = static_cast<int>(value);
    }
    if (const toml::node *colour = table.get("colour")) {
        const std::string text = stringOf(*colour, "colour");
        if (text == "red")
            rule.colour = kRed;
        else if (text == "black")
            rule.colour = kBlack;
        else
            fail(*colour, "a holiday's colour is \"red\" or \"black\", not " + quoted(text));
    }
    if (const toml::node *stop = table.get("stop"))
        rule.stop = booleanOf(*stop, "stop");

    const toml::node *date = table.get("date");
    const toml::node *easter = table.get("easter");
    const toml::node *weekday = table.get("weekday");
    const int kinds = (date ? 1 : 0) + (easter ? 1 : 0) + (weekday ? 1 : 0);
    if (kinds != 1)
        fail(table.source(),
            std::string(kinds == 0 ? "a holiday rule needs" : "a holiday rule has more than")
                + " one of \"date\", \"easter\" and \"weekday\"");
    const toml::node *between = table.get("between");
    if (between != nullptr && weekday == nullptr)
        fail(*between, "\"between\" belongs to a \"weekday\" rule");
    if (date != nullptr) {
        rule.kind = HolidayRule::Kind::Date;
        std::tie(rule.month, rule.day) = monthDayOf(*date, "date");
    } else if (easter != nullptr) {
        rule.kind = HolidayRule::Kind::Easter;
        const std::int64_t days = integerOf(*easter, "easter");
        if (days < -kMaxEasterDistance || days > kMaxEasterDistance)
            fail(*easter, "\"easter\" must be -365 to 365 days");
        rule.fromEaster = static_cast<int>(days);
    } else {
        rule.kind = HolidayRule::Kind::Weekday;
        rule.weekday = weekdayOf(*weekday);
        if (between == nullptr)
            fail(table.source(), "a \"weekday\" rule needs between = [\"MM-DD\", \"MM-DD\"]");
        const toml::array *range = between->as_array();
        if (range == nullptr || range->size() != 2)
            fail(*between, "\"between\" must be two dates: [\"MM-DD\", \"MM-DD\"]");
        std::tie(rule.fromMonth, rule.fromDay) = monthDayOf(*range->get(0), "between");
        std::tie(rule.toMonth, rule.toDay) = monthDayOf(*range->get(1), "between");
    }
    if (const toml::node *first = table.get("first_year"))
        rule.firstYear = integerOf(*first, "first_year");
    if (const toml::node *last = table.get("last_year"))
        rule.lastYear = integerOf(*last, "last_year");
    if (rule.firstYear && rule.lastYear && *rule.firstYear > *rule.lastYear)
        fail(*table.get("last_year"), "\"last_year\" comes before \"first_year\"");
    return rule;
}

Plant PlantReader::read(std::string_view text)
{
    toml::table root;
    try {
        root = toml::parse(text, m_file);
    } catch (const toml::parse_error &error) {
        fail(error.source(), std::string(error.description()));
    }
    checkKeys(root, { "name", "time_zone", "teams", "rest", "scheme", "holiday" }, "the plant");

    Plant plant;
    plant.name = stringOf(required(root, "name", "the plant"), "name");
    const toml::node &zone = required(root, "time_zone", "the plant");
    plant.timeZone = stringOf(zone, "time_zone");
    if (!zoneExists(plant.timeZone))
        fail(zone, "unknown time zone " + quoted(plant.timeZone));
    readTeams(root, plant);
    readRest(root, plant);

    const toml::node &schemes = required(root, "scheme", "the plant");
    const toml::array *schemeList = schemes.as_array();
    if (schemeList == nullptr || schemeList->empty())
        fail(schemes, "write each scheme as a [[scheme]] table");
    for (const toml::node &scheme : *schemeList)
        plant.schemes.push_back(readScheme(tableOf(scheme, "scheme"), plant));

    if (const toml::node *holidays = root.get("holiday")) {
        const toml::array *ruleList = holidays->as_array();
        if (ruleList == nullptr)
            fail(*holidays, "write each holiday rule as a [[holiday]] table");
        int namedPlace = 0;
        for (const toml::node &node : *ruleList) {
            const toml::table &table = tableOf(node, "holiday");
            if (table.get("name") != nullptr)
                ++namedPlace;
            HolidayRule rule = readHoliday(table, namedPlace);
            if (!rule.name.empty()) {
                auto &names = plant.holidayNames;
                const auto number = static_cast<std::size_t>(rule.number);
                if (names.size() <= number)
                    names.resize(number + 1);
                if (!names[number].empty() && names[number] != rule.name)
                    fail(table.source(),
                        "holiday number " + std::to_string(rule.number) + " is already "
                            + quoted(names[number]));
                names[number] = rule.name;
            }
            plant.yearBound = plant.yearBound || rule.firstYear || rule.lastYear;
            plant.holidays.push_back(std::move(rule));
        }
    }
    return plant;
}

// The current plant: the shared pointer keeps it alive, the plain one lets every lookup read it
// without a lock once it is set.
std::shared_ptr<const Plant> g_current;
std::atomic<const Plant *> g_currentPointer { nullptr };
std::mutex g_currentMutex;

} // namespace

Plant parsePlant(std::string_view text, const std::string &fileName)
{
    return PlantReader(fileName).read(text);
}

Plant readPlantFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PlantError(path + ": cannot read: " + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw PlantError(path + ": cannot read: " + std::strerror(errno));
    return parsePlant(text.str(), path);
}

std::string_view builtinPlantText()
{
    return kBuiltinPlantToml;
}

std::shared_ptr<const Plant> builtinPlant()
{
    static const std::shared_ptr<const Plant> plant
        = std::make_shared<const Plant>(parsePlant(builtinPlantText(), "builtin_plant.toml"));
    return plant;
}

std::optional<std::string> configuredPlantPath()
{
    std::string folder;
    if (const char *config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        folder = config;
    else if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        folder = std::string(home) + "/.config";
    else
        return std::nullopt;
    std::string path = folder + "/shiftschedule/plant.toml";
    if (std::ifstream(path).good())
        return path;
    return std::nullopt;
}

std::shared_ptr<const Plant> loadPlant(const std::optional<std::string> &explicitPath)
{
    const std::optional<std::string> path = explicitPath ? explicitPath : configuredPlantPath();
    if (!path)
        return builtinPlant();
    return std::make_shared<const Plant>(readPlantFile(*path));
}

bool zoneExists(const std::string &name)
{
    const bool shaped = !name.empty() && name[0] != '/' && name.find("..") == std::string::npos
        && name.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/_+-")
            == std::string::npos;
    if (!shaped)
        return false;
    // Only a database that is there and lacks the name makes the name unknown. A missing
    // database, or a zone file that is there but damaged, is the zone's fault and not the plant
    // file's: the zone's reader names the file and what is wrong when a command needs it.
    const std::string folder = "/usr/share/zoneinfo";
    struct stat status { };
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return true;
    return ::stat((folder + "/" + name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

const Plant &currentPlant()
{
    if (const Plant *plant = g_currentPointer.load(std::memory_order_acquire))
        return *plant;
    return *currentPlantShared();
}

std::shared_ptr<const Plant> currentPlantShared()
{
    const std::lock_guard<std::mutex> lock(g_currentMutex);
    if (!g_current) {
        g_current = builtinPlant();
        g_currentPointer.store(g_current.get(), std::memory_order_release);
    }
    return g_current;
}

void useCurrentPlant(std::shared_ptr<const Plant> plant)
{
    const std::lock_guard<std::mutex> lock(g_currentMutex);
    g_current = std::move(plant);
    g_currentPointer.store(g_current.get(), std::memory_order_release);
}

} // namespace shift

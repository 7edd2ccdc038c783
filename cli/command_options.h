#pragma once

#include "core/civil_date.h"
#include "core/clock.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace shift {

// The options of each shiftcal command, parsed from the arguments after the command's name.
// Every parser throws UsageError (cli_error.h) at the first argument it cannot accept, with a
// message naming that argument and what it accepts. Defaults that depend on the day ("this
// month") come from `now`, the one clock reading of the process.

inline constexpr int kAllTeams = -1;

// The years a date on the command line may have: iCalendar and ISO 8601 write four digits.
inline constexpr std::int32_t kFirstYear = 1;
inline constexpr std::int32_t kLastYear = 9999;

enum class ColorMode { Auto, Always, Never };
enum class TableFormat { Csv, Json };
enum class RenderView { Normal, Calendar };
enum class RenderTarget { Print, Screen };
enum class ImageFormat { Png, Pdf };

// `shiftcal month [YYYY-MM] [--months N] [--team T|all] [--scheme S] [--color WHEN]`.
struct MonthOptions {
    std::int32_t year = 1; // of the first month shown
    int month = 1; // 1..12
    int months = 1; // 1..kMaxMonths
    int team = kAllTeams; // 0..4 or kAllTeams
    int scheme = 0; // 0 (sudra) or 1 (norda)
    ColorMode color = ColorMode::Auto;
    bool help = false;
};

// `shiftcal table --from DATE --to DATE [--scheme S] [--format csv|json] [-o FILE]`.
struct TableOptions {
    CivilDate from;
    CivilDate to;
    int scheme = 0;
    TableFormat format = TableFormat::Csv;
    std::string output; // "" or "-" for standard output
    bool help = false;
};

// `shiftcal ics --team T --from DATE --to DATE [--scheme S] [-o FILE]`.
struct IcsOptions {
    int team = 0;
    CivilDate from;
    CivilDate to;
    int scheme = 0;
    std::string output; // "" or "-" for standard output
    bool help = false;
};

// `shiftcal render [--view V] [--start YYYY-MM] [--team T|all] [--scheme S] [--target T]
//  [--clock "YYYY-MM-DD HH:MM"] -o FILE.png|FILE.pdf`.
struct RenderOptions {
    RenderView view = RenderView::Normal;
    std::int32_t startYear = 1;
    int startMonth = 1; // 1..12
    int team = kAllTeams;
    int scheme = 0;
    RenderTarget target = RenderTarget::Print;
    LocalDateTime clock;
    std::string output;
    ImageFormat format = ImageFormat::Png;
    bool help = false;
};

inline constexpr int kMaxMonths = 1200;

MonthOptions parseMonthOptions(std::span<const std::string_view> args, const LocalDateTime &now);
TableOptions parseTableOptions(std::span<const std::string_view> args);
IcsOptions parseIcsOptions(std::span<const std::string_view> args);
RenderOptions parseRenderOptions(std::span<const std::string_view> args, const LocalDateTime &now);

// The value parsers the commands share; `option` names the argument in messages.
// "sudra", "norda" (any case), "0" or "1" -> 0 or 1.
int parseScheme(std::string_view option, std::string_view text);
// "A".."E" (any case) -> 0..4; "all" -> kAllTeams when allowAll.
int parseTeam(std::string_view option, std::string_view text, bool allowAll);
// "YYYY-MM-DD", year 1..9999. Example: "2016-02-29" -> 2016y/February/29.
CivilDate parseDate(std::string_view option, std::string_view text);
// "YYYY-MM", year 1..9999 -> that month's first day.
CivilDate parseYearMonth(std::string_view option, std::string_view text);
// "YYYY-MM-DD HH:MM" (a 'T' may stand for the blank), as --clock and SHIFTCAL_NOW give it.
// Example: "2016-10-01 20:00" -> {2016, 10, 1, 20, 0, 0, 0}.
LocalDateTime parseClockReading(std::string_view option, std::string_view text);

} // namespace shift

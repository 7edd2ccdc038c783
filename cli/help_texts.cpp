#include "cli/help_texts.h"

namespace shift {

const std::string_view kToolHelp = R"(Usage: shiftcal [COMMAND] [OPTIONS]

The shift schedule of the five teams A to E, in a terminal, as a table, as an
iCalendar file or as an image of the program's view.

Commands:
  month    the terminal view of one or more months (the default command)
  table    one record per day over a range of dates, CSV or JSON
  ics      one team's shifts as an iCalendar file
  render   the program's view as a PNG image or a one-page A4 PDF
  now      the teams working at this moment and the next shift change
  next     a team's next shifts and how long until each starts
  hours    a team's hours month by month: at night, at weekends, on holidays
  compare  two teams day by day: who works when the other is off
  publish  a folder for a web server: every team's calendar feed, the day
           tables and a page of today's shifts
  plant    the plant file: 'plant show' writes the built-in plant, 'plant
           check FILE' checks one
  days     my own record: my team, vacation, sick days, leave, days off and
           extra shifts (see 'shiftcal days --help')
  rest     where my shifts leave less rest than the law asks

Options:
  -h, --help     show this help; 'shiftcal COMMAND --help' shows the options of
                 a command
  --version      show the version
  --plant FILE   every command: the plant's teams, schemes, shift hours and
                 holidays from FILE (default: $XDG_CONFIG_HOME/shiftschedule/
                 plant.toml when it exists, else the built-in plant)

Schemes are sudra (0, the default) and norda (1); teams are A to E: those of
the built-in plant. Another plant's scheme keys and team letters take their
place. "Now" and "today" are the plant's clock in its time zone (the built-in
plant's is Europe/Stockholm), whatever the computer's time zone;
SHIFTCAL_NOW="YYYY-MM-DD HH:MM" fixes them, a time on that clock.
--mine on now, next, hours, ics and rest answers from my own record instead of
--team and --scheme.
Exit status: 0 done, 1 output or the days database could not be written or
read, or the time zone file is missing or damaged, 2 bad input (a bad plant
file included).
)";

const std::string_view kMonthHelp = R"(Usage: shiftcal month [YYYY-MM] [OPTIONS]

One row per day: the week number (on Mondays and the first row), the day of the
month, the weekday letter, each shown team's shift letter (F morning, E
afternoon, N night, * production stop, blank day off) and, under norda, the
holiday name; a rule under each Sunday.

Options:
  YYYY-MM               the first month shown (default: this month)
  --months N            how many months, 1 to 1200 (default: 1)
  --team T|all          one team A to E, or all (default: all; under sudra
                        team E has no shifts and is left out)
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --color WHEN          auto, always or never (default: auto, colours when the
                        output is a terminal): red Sundays and holidays, blue
                        today's weekday and the shift working now
  -h, --help            show this help

Today and the hour are the plant's clock in Europe/Stockholm, whatever the
computer's time zone. The environment variable SHIFTCAL_NOW="YYYY-MM-DD HH:MM"
fixes them, a time on that clock.
)";

const std::string_view kTableHelp = R"(Usage: shiftcal table --from DATE --to DATE [OPTIONS]

One record per day from DATE to DATE (YYYY-MM-DD, both included), with the
columns date,weekday,week,holiday,name,colour,A,B,C,D,E: the ISO date, the ISO
weekday 1 (Monday) to 7, the week number, the holiday index 0 to 19 and its
name, the colour class gray, red or black, and each team's letter (F, E, N, *
or empty).

Options:
  --from DATE           the first day (required)
  --to DATE             the last day (required)
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --format F            csv or json (default: from the ending of -o, else csv)
  -o, --output FILE     write FILE (.csv or .json) whole or not at all;
                        - or no -o writes to standard output; a device,
                        pipe or /dev/stdout without either ending gets CSV
  -h, --help            show this help
)";

const std::string_view kIcsHelp
    = R"(Usage: shiftcal ics (--team T | --mine) --from DATE --to DATE [OPTIONS]

An iCalendar file (RFC 5545) with one event per shift that team T works from
DATE to DATE, in Europe/Stockholm local time: eight-hour F 06-14, E 14-22 and
N 22-06 from Monday to Saturday; twelve-hour F 06-18 and N 18-06 on Sundays,
and on Saturdays under norda. No event on a production stop. A night shift
that starts on 9999-12-31 ends in the year 10000, which iCalendar cannot
write; it is left out.

Options:
  --team T              the team, A to E (required without --mine)
  --from DATE           the first day, YYYY-MM-DD (required)
  --to DATE             the last day, YYYY-MM-DD (required)
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --remind D            a reminder D before each shift's start: 30m, 12h, 1d,
                        1h30m (up to 28d); repeat it for several
  --mine                my own shifts, from my record (shiftcal days) instead
                        of --team and --scheme
  --db FILE             the days database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db)
  -o, --output FILE     write FILE (.ics) whole or not at all; - or no -o
                        writes to standard output; a device, pipe or
                        /dev/stdout may have any name
  -h, --help            show this help

With --mine: the shifts I work (rostered ones keep the UIDs above; extra ones
carry their note) and my days away as all-day events named Semester, Sjuk,
Tjänstledig or Ledig.
)";

const std::string_view kRenderHelp = R"(Usage: shiftcal render [OPTIONS] -o FILE.png|FILE.pdf

The program's view as it draws it, without a display: a PNG at the view's
pixel size, or a PDF of one A4 page with the view scaled to fit at the top
left of the printable area, its text and lines as vectors (searchable).

Options:
  --view V              normal (the multi-month view) or calendar (default:
                        normal)
  --start YYYY-MM       the first month shown (default: this month)
  --team T|all          one team A to E, or all (default: all; the calendar
                        view of all teams shows team A)
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --target T            print (the printed page's layout) or screen (the main
                        window's) (default: print)
  --clock "YYYY-MM-DD HH:MM"
                        today and the hour for the marks (default: now)
  -o, --output FILE     the image to write, .png or .pdf (required); a
                        device, pipe or /dev/stdout without either gets PNG
  -h, --help            show this help
)";

const std::string_view kNowHelp = R"(Usage: shiftcal now [OPTIONS]

The teams working at this moment and the next shift change, in one line:
  E team D until 22:00 (1 h left); next: N team A at 22:00
or as JSON: {"now", "scheme", "week", "holiday", "working": [...], "next": [...]},
each shift {"team", "letter", "date", "start", "end", "hours"} with ISO 8601
times and real elapsed hours. "Now" is the system clock's instant on the
plant's clock in Europe/Stockholm, whatever the computer's time zone, or
SHIFTCAL_NOW="YYYY-MM-DD HH:MM", a time on that clock: one the clocks skip is
the moment they go forward (2026-03-29 02:30 is 03:00 +02:00), one they repeat
is its first, summer-time instant.
With --mine: my own shift now and my next one.

Options:
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --mine                my own shifts, from my record (shiftcal days) instead
                        of --team and --scheme
  --db FILE             the days database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db)
  --format F            text or json (default: from the ending of -o, else text)
  -o, --output FILE     write FILE whole or not at all; - or no -o writes to
                        standard output
  -h, --help            show this help
)";

const std::string_view kNextHelp = R"(Usage: shiftcal next (--team T | --mine) [OPTIONS]

The team's next shifts, one line each with the time until it starts; a shift
in progress comes first ("now", the plant's clock in Europe/Stockholm as for
shiftcal now). Shifts last as long as the clocks let them: the night the
clocks go forward an eight-hour night lasts 7 hours.

Options:
  --team T              the team, A to E (required without --mine)
  --count N             how many shifts, 1 to 1000 (default: 5)
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --mine                my own shifts, from my record (shiftcal days) instead
                        of --team and --scheme
  --db FILE             the days database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db)
  --format F            text or json (default: from the ending of -o, else text)
  -o, --output FILE     write FILE whole or not at all; - or no -o writes to
                        standard output
  -h, --help            show this help
)";

const std::string_view kHoursHelp
    = R"(Usage: shiftcal hours (--team T | --mine) (--year YYYY | --from DATE --to DATE)
       [OPTIONS]

The hours the team works, one row per calendar month of the shifts' start
dates and a total row: month,shifts,hours,night_hours,weekend_hours,
holiday_hours. Hours are real elapsed hours; night hours fall between 22:00
and 06:00, weekend hours on a Saturday or Sunday, holiday hours on a day with
a holiday name (under norda; sudra has none), all in local time.
With --mine the columns count the shifts I work, and three follow:
rostered_shifts,rostered_hours (what the rotation gives my team) and
away_days (days marked vacation, sick, leave or off).

Options:
  --team T              the team, A to E (required without --mine)
  --year YYYY           the shifts that start in that year
  --from DATE           the first day, YYYY-MM-DD, with --to
  --to DATE             the last day, YYYY-MM-DD, with --from
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --mine                my own shifts, from my record (shiftcal days) instead
                        of --team and --scheme
  --db FILE             the days database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db)
  --format F            text, json or csv (default: from the ending of -o,
                        else text)
  -o, --output FILE     write FILE whole or not at all; - or no -o writes to
                        standard output
  -h, --help            show this help
)";

const std::string_view kCompareHelp
    = R"(Usage: shiftcal compare --teams X,Y --from DATE --to DATE [OPTIONS]

Two teams day by day, to find a shift to swap: each day's letters of both
teams and their relation: first-only (X works, Y is off), second-only,
both-off or both-work. A production stop counts as off.

Options:
  --teams X,Y           two different teams, as A,C (required)
  --from DATE           the first day, YYYY-MM-DD (required)
  --to DATE             the last day, YYYY-MM-DD (required)
  --only RELATION       only the days of one relation: first-only,
                        second-only, both-off or both-work
  --scheme S            sudra, norda, 0 or 1 (default: sudra)
  --format F            text, json or csv (default: from the ending of -o,
                        else text)
  -o, --output FILE     write FILE whole or not at all; - or no -o writes to
                        standard output
  -h, --help            show this help
)";

const std::string_view kPublishHelp = R"(Usage: shiftcal publish DIR [OPTIONS]

Writes a folder for a web server to serve: for each scheme, one iCalendar feed
per team (sudra-A.ics to sudra-D.ics, norda-A.ics to norda-E.ics) that a
phone's calendar can subscribe to, the day table (sudra.csv, norda.csv, the
columns of 'shiftcal table'), and index.html with today's shifts and a link to
each feed. The feeds cover whole months from --months-back months before this
one to --months-ahead months after it, ask to be fetched again every 12 hours,
and give each shift the UID that 'shiftcal ics' gives it.

DIR is replaced as a whole: the new set is written beside it and swapped in
in one step. A reader that opens DIR once (a web server listing it) sees the
old set or the new one; a reader that opens its files one by one across the
swap may get some of each, but never a half-written file. Where DIR cannot
be swapped (a mount point, an overlay, FUSE, NFS), a line on standard error
says so and its files are replaced one by one, each whole. Files that stay
the same are left as they are, time stamps included. New files get mode 0644
and DIR's group; DIR keeps its mode, owner and group (0755 when new). Runs
in one folder take turns on the lock file .shiftcal-lock there, and remove
what killed runs left. DIR may be missing or empty; a DIR that holds other
files is refused. The folder that holds DIR must be writable, and DIR too
when it holds files.

Options:
  DIR                   the folder to publish into (required)
  --months-back N       whole months before this one, 0 to 1200 (default: 1)
  --months-ahead N      whole months after this one, 0 to 1200 (default: 12)
  --remind D            a reminder D before each shift's start: 30m, 12h, 1d,
                        1h30m (up to 28d); repeat it for several
  --base-url URL        the https:// address DIR is served at: the page then
                        links each feed for subscribing (webcal://) and shows
                        its full address
  -h, --help            show this help

Today is the plant's in Europe/Stockholm, whatever the computer's time zone.
The environment variable SHIFTCAL_NOW="YYYY-MM-DD HH:MM", a time on that
clock, fixes it; with the same value the folder's bytes are the same.
)";

const std::string_view kPlantHelp = R"(Usage: shiftcal plant show [-o FILE]
       shiftcal plant check FILE

The plant is a TOML file of its name, time zone and teams, its rotation
schemes ([[scheme]]: name, key, cycle, anchor, start positions, holidays, one
[scheme.shift.X] table of start and hours per letter, with weekday overrides)
and its holiday rules ([[holiday]]: name, number, colour, stop, and one of
date, easter or weekday with between). A team's letter on a day is
cycle[(start[team] + days since anchor) mod length of cycle].

Commands:
  show                  write the built-in plant's file, with comments: a
                        template for another plant
  check FILE            read FILE and print what it holds in one line, or
                        refuse it with one line naming its line and column

Options:
  -o, --output FILE     (show) write FILE whole or not at all; - or no -o
                        writes to standard output
  -h, --help            show this help

Every other command takes --plant FILE; without it the plant is
$XDG_CONFIG_HOME/shiftschedule/plant.toml (default ~/.config/...) when that
file exists, else the built-in plant. A bad plant file stops a command before
it writes anything, with exit status 2.
)";

const std::string_view kDaysHelp = R"(Usage: shiftcal days SUBCOMMAND [ARGUMENTS] [--db FILE]

My own record, beside the rotation: the team I work on and the days that
differ from its roster. --mine on now, next, hours, ics and rest reads it.

Subcommands:
  team T [--scheme S] [--from DATE]
            I work on team T (A to E) under scheme S (default: sudra) from DATE
            (default: today); a later move keeps the days before it
  add KIND DATE [--to DATE] [--shift L] [--note TEXT]
            KIND vacation, sick, leave or off: I do not work my rostered
            shifts from DATE to --to (default: DATE only); KIND extra: I work
            shift L (F, E or N, required) of my scheme on each of those days
            at its hours. Prints the entry's id; adding the same entry again
            prints the same id. An entry that leaves less rest than the law
            asks is still recorded, with a warning on standard error
  list [--from DATE] [--to DATE] [--format text|csv|json] [-o FILE]
            the entries that touch those days; JSON is a list of {"id",
            "kind", "date", "to", "shift", "note"}, CSV has the columns
            id,kind,date,to,shift,note. Text escapes control characters in
            notes; CSV and JSON keep them exactly
  remove ID  removes one entry
  export -o FILE.csv
            every entry, as list writes CSV
  import FILE.csv
            adds the entries of an exported file that are not there yet: the
            same file twice adds nothing

Options:
  --db FILE             the database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db, or
                        ~/.local/share/shiftschedule/days.db)
  -h, --help            show this help

Example:
  shiftcal days team C --scheme norda --from 2026-01-01
  shiftcal days add vacation 2026-07-06 --to 2026-07-26 --note "Crete"
  shiftcal days add extra 2026-05-02 --shift N --note "Anna's night"
  shiftcal next --mine
)";

const std::string_view kRestHelp = R"(Usage: shiftcal rest --mine [--from DATE --to DATE] [OPTIONS]

Where my actual shifts (the rotation of my team with my days away and extra
shifts) break the rest the Swedish Working Hours Act asks for:
  daily   less than 11 consecutive hours off between two shifts
  weekly  a week, Monday to Sunday, without 36 consecutive hours off (only
          the part of a rest within the week counts)
Hours are real elapsed hours, so the nights the clocks change count 7 or 9.
JSON is a list of {"rule", "start", "end", "hours"} with ISO 8601 times with
offset: the ends of the short rest, or of the week's longest rest.

Options:
  --mine                my own shifts (required)
  --from DATE           the first day, YYYY-MM-DD, with --to (default: 1
                        January of this year)
  --to DATE             the last day, YYYY-MM-DD, with --from (default: 31
                        December of this year)
  --format F            text, json or csv (default: from the ending of -o,
                        else text)
  --db FILE             the days database (default:
                        $XDG_DATA_HOME/shiftschedule/days.db)
  -o, --output FILE     write FILE whole or not at all; - or no -o writes to
                        standard output
  -h, --help            show this help
)";

} // namespace shift

#!/usr/bin/python3
"""A worker's year reckoned independently of shiftcal's code: the teams' letters from
`shiftcal table` CSV files, the hours of each letter and the plant's zone from first principles
(Python's zoneinfo), the worker's record from a JSON file. Prints one line per fact:

  shift UID START END            every worked shift on a day from FIRST to LAST (epoch seconds)
  away UID SUMMARY START END     every away entry, clipped to FIRST..LAST (YYYYMMDD, end excluded)
  hours MONTH SHIFTS HOURS ROSTERED_SHIFTS ROSTERED_HOURS AWAY_DAYS   and a total row
  next DATE LETTER START END     the COUNT worked shifts that end after NOW (ISO 8601)
  rest RULE START END HOURS      breaches of 11 hours daily and 36 hours weekly rest

Usage: days_oracle.py RECORD.json SUDRA.csv NORDA.csv FIRST LAST "NOW" COUNT
"""
import csv
import datetime as dt
import json
import sys
import zoneinfo

ZONE = zoneinfo.ZoneInfo("Europe/Stockholm")
SCHEMES = ["sudra", "norda"]
TEAMS = "ABCDE"
AWAY_NAMES = {"vacation": "Semester", "sick": "Sjuk", "leave": "Tjänstledig", "off": "Ledig"}


def day(text):
    return dt.date.fromisoformat(text)


def letters(path):
    with open(path, newline="") as f:
        return {day(r["date"]): r for r in csv.DictReader(f)}


def hours_of(scheme, weekday, letter):
    """Start hour and length on the wall clock: 8-hour shifts, 12-hour ones on Sundays and on
    norda's Saturdays, the afternoon always 14-22."""
    twelve = weekday == 6 or (weekday == 5 and scheme == 1)
    if letter == "E":
        return 14, 8
    if letter == "F":
        return 6, 12 if twelve else 8
    return (18, 12) if twelve else (22, 8)


def instant(date, hour):
    local = dt.datetime.combine(date, dt.time()) + dt.timedelta(hours=hour)
    return int(local.replace(tzinfo=ZONE).timestamp())


def number(seconds):
    text = "%.6f" % (seconds / 3600)
    return text.rstrip("0").rstrip(".")


def iso(epoch):
    return dt.datetime.fromtimestamp(epoch, ZONE).isoformat()


def main():
    record = json.load(open(sys.argv[1]))
    tables = [letters(sys.argv[2]), letters(sys.argv[3])]
    first, last = day(sys.argv[4]), day(sys.argv[5])
    now = int(dt.datetime.fromisoformat(sys.argv[6]).replace(tzinfo=ZONE).timestamp())
    count = int(sys.argv[7])
    moves = sorted((day(m["from"]), m["scheme"], m["team"]) for m in record["moves"])
    entries = record["entries"]
    for i, e in enumerate(entries):
        e["id"] = i + 1

    def move_on(d):
        found = [m for m in moves if m[0] <= d]
        return found[-1] if found else None

    def covers(e, d):
        return day(e["date"]) <= d <= day(e["to"])

    def shifts_of(d):
        """(worked, rostered) shifts of day d, each (start, end, letter, uid)."""
        move = move_on(d)
        worked, rostered = [], []
        if move:
            _, scheme, team = move
            letter = tables[scheme][d][TEAMS[team]]
            if letter in ("F", "E", "N"):
                start, length = hours_of(scheme, d.weekday(), letter)
                uid = "%s-%s-%s-%s@shiftcal" % (SCHEMES[scheme], TEAMS[team], d.strftime("%Y%m%d"), letter)
                rostered.append((instant(d, start), instant(d, start + length), letter, uid))
        away = any(e["kind"] != "extra" and covers(e, d) for e in entries)
        if not away:
            worked = list(rostered)
        for e in entries:
            if e["kind"] == "extra" and covers(e, d) and e["shift"] not in [w[2] for w in worked]:
                scheme = (move or moves[0])[1]
                start, length = hours_of(scheme, d.weekday(), e["shift"])
                uid = "extra-%d-%s@shiftcal" % (e["id"], d.strftime("%Y%m%d"))
                worked.append((instant(d, start), instant(d, start + length), e["shift"], uid))
        return worked, rostered

    days = [first + dt.timedelta(n) for n in range((last - first).days + 1)]
    rows = {}
    for d in days:
        worked, rostered = shifts_of(d)
        for s in worked:
            print("shift", s[3], s[0], s[1])
        row = rows.setdefault(d.strftime("%Y-%m"), [0, 0, 0, 0, 0])
        row[0] += len(worked)
        row[1] += sum(s[1] - s[0] for s in worked)
        row[2] += len(rostered)
        row[3] += sum(s[1] - s[0] for s in rostered)
        row[4] += any(e["kind"] != "extra" and covers(e, d) for e in entries)
    for e in entries:
        if e["kind"] != "extra" and day(e["to"]) >= first and day(e["date"]) <= last:
            start = max(first, day(e["date"]))
            end = min(last, day(e["to"])) + dt.timedelta(1)
            print("away", "away-%d@shiftcal" % e["id"], AWAY_NAMES[e["kind"]], start.strftime("%Y%m%d"), end.strftime("%Y%m%d"))
    rows["total"] = [sum(r[i] for r in rows.values()) for i in range(5)]
    for month, r in rows.items():
        print("hours", month, r[0], number(r[1]), r[2], number(r[3]), r[4])

    # Every shift from a week before to a week after, for the rest rules.
    around = [first + dt.timedelta(n) for n in range(-8, (last - first).days + 9)]
    everything = sorted((s[0], s[1], s[2], d) for d in around for s in shifts_of(d)[0])
    ahead = [s for s in everything if s[1] > now][:count]
    for s in ahead:
        print("next", s[3].isoformat(), s[2], iso(s[0]), iso(s[1]))

    breaches = []
    until = None
    for start, end, _, d in everything:
        if until is not None and first <= d <= last:
            rest_from = min(until, start)
            if start - rest_from < 11 * 3600:
                breaches.append((rest_from, "daily", start))
        until = end if until is None else max(until, end)
    # Weekly: hour by hour, the longest run of hours off inside each Monday-to-Sunday week.
    worked_hours = set()
    for start, end, _, _ in everything:
        worked_hours.update(range(start, end, 3600))
    monday = first - dt.timedelta(first.weekday())
    while monday <= last:
        week_start, week_end = instant(monday, 0), instant(monday + dt.timedelta(7), 0)
        best, run_from = (week_start, week_start), None
        for hour in range(week_start, week_end + 3600, 3600):
            off = hour < week_end and hour not in worked_hours
            if off and run_from is None:
                run_from = hour
            elif not off and run_from is not None:
                if hour - run_from > best[1] - best[0]:
                    best = (run_from, hour)
                run_from = None
        if best[1] - best[0] < 36 * 3600:
            breaches.append((best[0], "weekly", best[1]))
        monday += dt.timedelta(7)
    for start, rule, end in sorted(breaches, key=lambda b: b[0]):
        print("rest", rule, iso(start), iso(end), number(end - start))


main()

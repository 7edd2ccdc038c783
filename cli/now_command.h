#pragma once

#include "cli/mine_options.h"
#include "cli/output_buffer.h"
#include "cli/report_options.h"
#include "core/clock.h"
#include "core/plant_clock.h"
#include "core/team_shifts.h"

#include <span>
#include <string_view>
#include <vector>

namespace shift {

// `shiftcal now [--scheme S] [--format text|json] [-o FILE]`: the teams working at this
// moment and the next shift change, on the plant's clock (plant_clock.h).
// With --mine: the worker's own shift now and their next one, from their record.
struct NowOptions : ReportOptions {
    MineOptions mine;
};

// Throws UsageError at the first argument it cannot accept (command_line.h).
NowOptions parseNowOptions(std::span<const std::string_view> args);

// The shifts at one moment: those whose interval contains it (start included, end excluded),
// in team order, and those that start at the first start after it.
struct ShiftsAround {
    std::vector<TeamShift> working;
    std::vector<TeamShift> next;
};

// The shifts around the wall-clock time `now` in the plant's zone (plantMomentOf).
ShiftsAround shiftsAround(int scheme, const LocalDateTime &now);

// JSON, one object:
//   {"now":"2026-03-28T21:00:00+01:00","scheme":"sudra","week":13,"holiday":"",
//    "working":[shift...],"next":[shift...]}
// with shifts as shiftJson writes them: `working` every team whose shift contains now (start
// included, end excluded), in team order; `next` the shifts that start at the first start
// after now. Text, one line:
//   "E team D until 22:00 (1 h left); next: N team A at 22:00"
// "now" is the moment's wall clock with the plant's offset at that instant.
void writeNowReport(const NowOptions &options, const PlantMoment &now, OutputBuffer &out);

} // namespace shift

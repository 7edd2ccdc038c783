#pragma once

#include "cli/mine_options.h"
#include "cli/output_buffer.h"
#include "cli/report_options.h"
#include "core/plant_clock.h"

#include <span>
#include <string_view>

namespace shift {

// `shiftcal next --team T [--count N] [--scheme S] [--format text|json] [-o FILE]`: the
// team's next N shifts (default 5, 1..1000), a shift in progress first, from `now` on the
// plant's clock. With --mine instead of --team and --scheme: the shifts the worker's record
// says they work (mine_options.h).
struct NextOptions : ReportOptions {
    int team = 0; // 0..4
    int count = 5;
    MineOptions mine;
};

inline constexpr int kMaxNextCount = 1000;

// Throws UsageError at the first argument it cannot accept, and without --team or --mine.
NextOptions parseNextOptions(std::span<const std::string_view> args);

// JSON: an array of shiftJson objects, each with "now" (true for the shift in progress).
// Text: one line per shift, e.g.
//   "2026-03-28 Sat  N  22:00-06:00   7 h  in 1 h"
//   "2026-03-30 Mon  F  06:00-14:00   8 h  now, 2 h 30 min left"
// A team without shifts under the scheme (E under sudra) gives [] and, in text, one line
// saying so. With --mine an extra shift ends its text line with "extra" and its note (control
// characters escaped), and its JSON object has "extra":true and "note"; the others "extra":false.
void writeNextReport(const NextOptions &options, const PlantMoment &now, OutputBuffer &out);

} // namespace shift

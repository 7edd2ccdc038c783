#pragma once

#include "cli/output_buffer.h"
#include "cli/report_options.h"
#include "core/civil_date.h"

#include <optional>
#include <span>
#include <string_view>

namespace shift {

// `shiftcal compare --teams X,Y --from DATE --to DATE [--only RELATION] [--scheme S]
//  [--format text|json|csv] [-o FILE]`: a swap finder, one row per day.
enum class Relation { FirstOnly, SecondOnly, BothOff, BothWork };

struct CompareOptions : ReportOptions {
    int first = 0; // team X, 0..4
    int second = 1; // team Y, another
    CivilDate from;
    CivilDate to;
    std::optional<Relation> only;
};

// Throws UsageError at the first argument it cannot accept, without --teams, --from or --to,
// for two teams that are one, and for --from after --to.
CompareOptions parseCompareOptions(std::span<const std::string_view> args);

// Each day's letters of both teams as the day table shows them ("F", "E", "N", "*" or "") and
// their relation: first-only (X works, Y is off), second-only, both-off, both-work; a
// production stop counts as off. Only the rows of `only` when given. CSV:
//   date,A,C,relation
//   2026-03-28,N,,first-only
// JSON an array of objects with the same keys; text the same columns, aligned, with weekdays.
void writeCompareReport(const CompareOptions &options, OutputBuffer &out);

} // namespace shift

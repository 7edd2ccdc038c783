// Whole-process times of shiftcal, each beside its baseline; the medians of the repetitions
// are the figures. bench/cli_bench.sh measures the same with hyperfine.
//
// Measured 8 December 2026 on this project's 2-core Debian 12 VM, Release build, otherwise
// idle, medians:
//   TableCsv/0 (sudra, 1583..2599 to a CSV file, 11.8 MB)  20.4 ms
//   TableCsv/1 (norda, 11.9 MB)                             20.7 ms
//   BareWriterOfTheSameBytes/0, /1                          16.2 ms, 16.8 ms
//   MonthView (shiftcal month)                              3.4 ms
//   NcalWeeks (ncal -w)                                     2.8 ms
// Earlier, with other builds running alongside, hyperfine gave: table 24.2 / 18.0 ms against
// 24.8 / 16.9 ms for the bare writer (sudra / norda), shiftcal month 4.47 ms against ncal -w
// 3.76 ms.
#include "run_to_end.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;
const std::string kBareWriter = BARE_WRITER_BINARY;
const std::string kNcal = "/usr/bin/ncal";
const char *const kSchemes[] = { "sudra", "norda" };

std::string scratch(const std::string &name)
{
    return "/tmp/shiftcal-bench-" + name;
}

std::vector<std::string> fullTable(const char *scheme, const std::string &output)
{
    return { kShiftcal,
        "table",
        "--from",
        "1583-01-01",
        "--to",
        "2599-12-31",
        "--scheme",
        scheme,
        "-o",
        output };
}

void TableCsv(benchmark::State &state)
{
    const char *scheme = kSchemes[state.range(0)];
    const std::vector<std::string> command
        = fullTable(scheme, scratch(std::string(scheme) + ".csv"));
    for (auto _ : state) {
        if (!runToEnd(command))
            state.SkipWithError("shiftcal table failed");
    }
}

void BareWriterOfTheSameBytes(benchmark::State &state)
{
    const char *scheme = kSchemes[state.range(0)];
    const std::string reference = scratch(std::string(scheme) + "-reference.csv");
    if (!runToEnd(fullTable(scheme, reference))) {
        state.SkipWithError("cannot make the reference table");
        return;
    }
    const std::vector<std::string> command {
        kBareWriter, reference, scratch(std::string(scheme) + "-copy.csv")
    };
    for (auto _ : state) {
        if (!runToEnd(command))
            state.SkipWithError("cli_bare_writer failed");
    }
}

void MonthView(benchmark::State &state)
{
    for (auto _ : state) {
        if (!runToEnd({ kShiftcal, "month" }))
            state.SkipWithError("shiftcal month failed");
    }
}

void NcalWeeks(benchmark::State &state)
{
    if (access(kNcal.c_str(), X_OK) != 0) {
        state.SkipWithError("ncal is not installed");
        return;
    }
    for (auto _ : state) {
        if (!runToEnd({ kNcal, "-w" }))
            state.SkipWithError("ncal failed");
    }
}

// The commands that answer about shifts, each as a user runs it; the clock is the system's.
void ShiftQuery(benchmark::State &state)
{
    static const std::vector<std::vector<std::string>> kQueries = {
        { kShiftcal, "now" },
        { kShiftcal, "next", "--team", "A" },
        { kShiftcal, "hours", "--team", "A", "--year", "2026", "--format", "csv" },
        { kShiftcal, "compare", "--teams", "A,C", "--from", "2026-01-01", "--to", "2026-01-31" },
        { kShiftcal,
            "hours",
            "--team",
            "A",
            "--scheme",
            "norda",
            "--from",
            "1583-01-01",
            "--to",
            "2599-12-31",
            "--format",
            "csv" },
    };
    static const char *const kLabels[]
        = { "now", "next", "hours (a year)", "compare (a month)", "hours 1583-2599" };
    const std::vector<std::string> &query = kQueries[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(kLabels[state.range(0)]);
    for (auto _ : state) {
        if (!runToEnd(query))
            state.SkipWithError("shiftcal failed");
    }
}

void wholeProcess(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);
}

BENCHMARK(TableCsv)->Arg(0)->Arg(1)->Iterations(3)->Apply(wholeProcess);
BENCHMARK(BareWriterOfTheSameBytes)->Arg(0)->Arg(1)->Iterations(3)->Apply(wholeProcess);
BENCHMARK(MonthView)->Iterations(20)->Apply(wholeProcess);
BENCHMARK(NcalWeeks)->Iterations(20)->Apply(wholeProcess);
BENCHMARK(ShiftQuery)->DenseRange(0, 4)->Iterations(10)->Apply(wholeProcess);

} // namespace

BENCHMARK_MAIN();

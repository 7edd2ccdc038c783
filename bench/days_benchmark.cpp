// `shiftcal next --mine` and `hours --mine` as whole processes, each beside the same command
// for a team without --mine, on a worker's year (a team and 30 entries) and on a database of
// 10,000 entries; and `days add` on the large one (a writer's checks and the rest warning).
//
// Measured 9 December 2026 on this project's 2-core Debian 12 VM, Release build, with one other
// engineer's tests beside it (load 3.5 to 5.4), the middle of three runs' medians:
//   NextMine/0 (next --team C)   11.4 ms    HoursMine/0 (hours --team C)   10.2 ms
//   NextMine/1 (--mine, a year)  13.9 ms    HoursMine/1                    12.2 ms
//   NextMine/2 (10,000 entries)  26.1 ms    HoursMine/2                    28.6 ms
//   DaysAddTo10000               61.9 ms
// Instructions (callgrind): next --team C 3.78 M, --mine a year 4.46 M, 10,000 entries 33.3 M.
#include "run_to_end.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kShiftcal = SHIFTCAL_BINARY;

bool runQuietly(const std::vector<std::string> &args)
{
    return runToEnd(args, { .quietErrors = true, .setting = {} });
}

// The two databases, made once: a year of one worker, and 10,000 entries over 27 years.
const std::string &database(int which)
{
    static const std::vector<std::string> paths = [] {
        ::setenv("SHIFTCAL_NOW", "2026-03-02 12:00", 1);
        std::vector<std::string> made;
        for (const int count : { 30, 10000 }) {
            const std::string path = "/tmp/shiftcal-bench-days-" + std::to_string(count) + ".db";
            const std::string csv = path + ".csv";
            std::remove(path.c_str());
            std::ofstream out(csv);
            out << "id,kind,date,to,shift,note\n";
            for (int i = 0; i < count; ++i) {
                const int year = 2026 + (count > 30 ? i % 27 : 0);
                const int month = 1 + (i / 27) % 12;
                const int day = 1 + (i * 7) % 28;
                char date[16];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
                if (i % 3 == 0)
                    out << i << ",extra," << date << "," << date << ",F,bench " << i << "\n";
                else
                    out << i << ",vacation," << date << "," << date << ",,bench " << i << "\n";
            }
            out.close();
            runQuietly({ kShiftcal, "days", "team", "C", "--from", "2020-01-01", "--db", path });
            runQuietly({ kShiftcal, "days", "import", csv, "--db", path });
            made.push_back(path);
        }
        return made;
    }();
    return paths[static_cast<std::size_t>(which)];
}

// Arg 0: the team without --mine; 1: --mine on the year; 2: --mine on 10,000 entries.
std::vector<std::string> withRecord(std::vector<std::string> command, int arg)
{
    if (arg == 0) {
        command.insert(command.end(), { "--team", "C" });
    } else {
        command.insert(command.end(), { "--mine", "--db", database(arg - 1) });
    }
    return command;
}

void NextMine(benchmark::State &state)
{
    const std::vector<std::string> command
        = withRecord({ kShiftcal, "next" }, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!runQuietly(command))
            state.SkipWithError("shiftcal next failed");
    }
}

void HoursMine(benchmark::State &state)
{
    const std::vector<std::string> command
        = withRecord({ kShiftcal, "hours", "--year", "2026", "--format", "csv" },
            static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!runQuietly(command))
            state.SkipWithError("shiftcal hours failed");
    }
}

void DaysAddTo10000(benchmark::State &state)
{
    const std::string path = database(1);
    int n = 0;
    for (auto _ : state) {
        if (!runQuietly({ kShiftcal,
                "days",
                "add",
                "off",
                "2030-05-06",
                "--note",
                "add " + std::to_string(n++),
                "--db",
                path }))
            state.SkipWithError("shiftcal days add failed");
    }
}

void wholeProcess(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);
}

BENCHMARK(NextMine)->DenseRange(0, 2)->Iterations(10)->Apply(wholeProcess);
BENCHMARK(HoursMine)->DenseRange(0, 2)->Iterations(10)->Apply(wholeProcess);
BENCHMARK(DaysAddTo10000)->Iterations(5)->Apply(wholeProcess);

} // namespace

BENCHMARK_MAIN();

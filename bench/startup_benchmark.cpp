// Time from process start to the first painted frame of the main window, offscreen, against
// the same time of a minimal Qt Widgets program that shows one plain 800 x 576 window
// (minimal_qt_window.cpp). Both programs write "first paint" to stdout when their window has
// painted for the first time and then quit; the clock runs from just before the process is
// spawned to the arrival of that line, so the programs' shutdown is not counted.
//
// BM_StartupRatio runs the two programs alternately, so that both meet the same machine load,
// and reports the medians and their ratio (program / minimal).
//
// Measured 2026-12-08, Release build, 2-core AMD EPYC virtual machine shared with other work
// (load 0.5 to 1), offscreen, fixed clock, medians of 60 pairs, four runs:
//   minimal_qt_window 34 ms, shiftschedule 54 ms, ratio 1.60 (single runs 1.41 to 1.62).
// Again after the hour watch, the tooltips and the accessible table (load 0.5 to 1): ratios
// 1.59, 1.61, 1.46, 1.52, 1.50; callgrind 106.8 M instructions against 106.6 M before.
// Where the difference goes, in instructions to the first paint (callgrind, which does not
// depend on the load): minimal_qt_window 18 M, shiftschedule 105 M. Setting up fontconfig (it
// parses the system's configuration) takes 28 M and filling Qt's font database 8 M; any
// program that shows text pays both: the minimal window with one QLabel of text takes 1.33
// times the minimal program. Loading the five faces of the first frame and rasterising its
// glyphs make up most of the rest. The view is drawn on the window once before the first frame;
// the drawings of FormCreate, FormActivate and the print surface's creation go to unseen
// canvases and cost 0.1 M each. No printer, image-format plugin or platform theme is loaded
// at start.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

// The environment of this process with the programs' settings for a measurement.
std::vector<std::string> measuringEnvironment()
{
    std::vector<std::string> variables;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        if (variable.starts_with("QT_QPA_PLATFORM=") || variable.starts_with("SHIFTSCHEDULE_"))
            continue;
        variables.push_back(variable);
    }
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    variables.emplace_back("SHIFTSCHEDULE_QUIT_AFTER_FIRST_PAINT=1");
    variables.emplace_back("SHIFTSCHEDULE_FAKE_NOW=2016-10-01 20:00");
    return variables;
}

// Starts `program`, waits for its "first paint" line and for its end; returns the seconds
// from the spawn to the line.
double secondsToFirstPaint(const char *program)
{
    static const std::vector<std::string> environment = measuringEnvironment();
    std::vector<char *> envp;
    for (const std::string &variable : environment)
        envp.push_back(const_cast<char *>(variable.c_str()));
    envp.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    char *argv[] = { const_cast<char *>(program), nullptr };
    pid_t child = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        throw std::runtime_error(std::string("cannot start ") + program);
    }

    std::string received;
    Clock::time_point painted {};
    char buffer[64];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
        if (painted == Clock::time_point {} && received.find("first paint\n") != std::string::npos)
            painted = Clock::now();
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (painted == Clock::time_point {} || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(program) + " did not report its first paint");
    return std::chrono::duration<double>(painted - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void timeProgram(benchmark::State &state, const char *program)
{
    secondsToFirstPaint(program); // warm the file cache
    for (auto _ : state)
        state.SetIterationTime(secondsToFirstPaint(program));
}

void BM_MinimalWindowToFirstPaint(benchmark::State &state)
{
    timeProgram(state, MINIMAL_QT_WINDOW_BINARY);
}

void BM_ShiftScheduleToFirstPaint(benchmark::State &state)
{
    timeProgram(state, SHIFTSCHEDULE_BINARY);
}

void BM_StartupRatio(benchmark::State &state)
{
    secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY);
    secondsToFirstPaint(SHIFTSCHEDULE_BINARY);
    std::vector<double> minimal;
    std::vector<double> program;
    std::vector<double> ratios;
    for (auto _ : state) {
        const double m = secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY);
        const double p = secondsToFirstPaint(SHIFTSCHEDULE_BINARY);
        minimal.push_back(m);
        program.push_back(p);
        ratios.push_back(p / m);
        state.SetIterationTime(p);
    }
    state.counters["minimal_ms"] = median(minimal) * 1e3;
    state.counters["program_ms"] = median(program) * 1e3;
    state.counters["ratio"] = median(ratios);
}

} // namespace

BENCHMARK(BM_MinimalWindowToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftScheduleToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupRatio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

BENCHMARK_MAIN();

// Time from process start to the first painted frame of the main window, offscreen, against
// the same time of two minimal Qt Widgets programs (minimal_qt_window.cpp): one that shows a
// plain 800 x 576 window, and one that shows one text in the views' drawing font in it, the
// floor of any window that shows text. All write "first paint" to stdout when their window has
// painted for the first time and then quit; the clock runs from just before the process is
// spawned to the arrival of that line, so the programs' shutdown is not counted.
//
// BM_StartupRatio runs the three programs in turn, so that all meet the same machine load, and
// reports the medians and the ratios (program / text window, program / plain window).
//
// Measured 2026-12-09, Release build (cmake --preset release, no hardening flags), 2-core AMD
// EPYC virtual machine shared with other builds (load 2.8 to 3.3), offscreen, fixed clock,
// medians of 60 triples, five runs: ratio to the text window 1.16, 1.19, 1.19, 1.07, 1.16
// (median 1.16; program 60 to 103 ms as the load moved); to the plain window 1.39 to 1.50.
// With `make bench`'s hardening flags: 1.18, 1.19, 1.16 at load 3.6 to 3.9 (93.2 M instructions).
// With the worker's days read at start (SQLite linked), quiet machine (load 1.0 to 1.3), the
// hardening flags: 1.26, 1.26, 1.26 (program 61 to 63 ms, text window 48 to 50 ms), 94.7 M.
// Instructions to the first paint (callgrind, counting until QCoreApplication::quit, which the
// load does not change): plain window 17.8 M, text window 62.1 M, shiftschedule 92.8 M (1.49
// times the text window; 99.4 M before the info window was made on first use and each text
// shaped once into glyph runs, 107.0 M before the fonts named their installed family). Both
// the text window and the program pay the dynamic linking (about 15 M), fontconfig's set-up
// with Qt's font database (35 M) and one face; the text window also pays a fontconfig search
// for a substitute of "Arial", which it names first (2.7 M), and the program no longer does.
// Where the program's further 33 M go, little of it avoidable without other pixels: the
// view's 1,170 texts 17.6 M, of which FreeType's hinter 8.6 M (100 glyphs at two sizes loaded
// for their advances while shaping, then 165 rasterisations, the sub-pixel places of a glyph
// counted apart; about 30 k each), blending the glyph images 3.8 M, the texts' opaque
// backgrounds 2.0 M and the 12-pixel face 2.3 M; the controls' two faces (Liberation Sans 13
// regular and bold; each new face costs a fontconfig substitution and match, about 2.2 M),
// their glyphs and painting, some 11 M; the plant file 1.4 M; the icon 0.6 M; binding the
// program's further symbols about 2 M. The first font change of a list creates its pop-up
// list (0.7 M each); done before the items exist, it measures none. No printer, image-format
// plugin, platform theme or library search path of the program's own (with one, the loader
// tried each library in the working folder first) costs anything at start.
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
        if (variable.starts_with("QT_QPA_PLATFORM=") || variable.starts_with("SHIFTSCHEDULE_")
            || variable.starts_with("XDG_DATA_HOME="))
            continue;
        variables.push_back(variable);
    }
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    variables.emplace_back("SHIFTSCHEDULE_QUIT_AFTER_FIRST_PAINT=1");
    variables.emplace_back("SHIFTSCHEDULE_FAKE_NOW=2016-10-01 20:00");
    // A new user's start: no days database yet, whatever the measuring user keeps.
    variables.emplace_back("XDG_DATA_HOME=/tmp/shiftschedule-bench-no-data/share");
    return variables;
}

// Starts `program` (with one argument, or none when it is null), waits for its "first paint"
// line and for its end; returns the seconds from the spawn to the line.
double secondsToFirstPaint(const char *program, const char *argument = nullptr)
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

    char *argv[] = { const_cast<char *>(program), const_cast<char *>(argument), nullptr };
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

void timeProgram(benchmark::State &state, const char *program, const char *argument = nullptr)
{
    secondsToFirstPaint(program, argument); // warm the file cache
    for (auto _ : state)
        state.SetIterationTime(secondsToFirstPaint(program, argument));
}

void BM_MinimalWindowToFirstPaint(benchmark::State &state)
{
    timeProgram(state, MINIMAL_QT_WINDOW_BINARY);
}

void BM_MinimalTextWindowToFirstPaint(benchmark::State &state)
{
    timeProgram(state, MINIMAL_QT_WINDOW_BINARY, "--text");
}

void BM_ShiftScheduleToFirstPaint(benchmark::State &state)
{
    timeProgram(state, SHIFTSCHEDULE_BINARY);
}

// The three programs in turn, so that all meet the same load. `ratio` is the program against
// the window that shows one text, the floor of any window with text; `ratio_to_bare` against
// the plain window.
void BM_StartupRatio(benchmark::State &state)
{
    secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY);
    secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY, "--text");
    secondsToFirstPaint(SHIFTSCHEDULE_BINARY);
    std::vector<double> bare;
    std::vector<double> text;
    std::vector<double> program;
    std::vector<double> ratios;
    std::vector<double> ratiosToBare;
    for (auto _ : state) {
        const double b = secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY);
        const double t = secondsToFirstPaint(MINIMAL_QT_WINDOW_BINARY, "--text");
        const double p = secondsToFirstPaint(SHIFTSCHEDULE_BINARY);
        bare.push_back(b);
        text.push_back(t);
        program.push_back(p);
        ratios.push_back(p / t);
        ratiosToBare.push_back(p / b);
        state.SetIterationTime(p);
    }
    state.counters["minimal_ms"] = median(bare) * 1e3;
    state.counters["text_window_ms"] = median(text) * 1e3;
    state.counters["program_ms"] = median(program) * 1e3;
    state.counters["ratio"] = median(ratios);
    state.counters["ratio_to_bare"] = median(ratiosToBare);
}

} // namespace

BENCHMARK(BM_MinimalWindowToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalTextWindowToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftScheduleToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupRatio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

BENCHMARK_MAIN();

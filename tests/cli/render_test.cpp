// `shiftcal render` run as a user runs it, its images compared with the program's own views
// drawn here on the surface the program prints from, for the same state; its PDFs read back
// as text and lines; and the ways it could fail: a platform named that needs a display, a
// full disk.
#include "core/shift_calendar.h"
#include "process_runner.h"
#include "views/month_calendar_view.h"
#include "views/multi_month_view.h"
#include "views/qpainter_surface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using shift::DrawingSurface;

const std::string kShiftcal = SHIFTCAL_BINARY;
constexpr shift::LocalDateTime kClock { 2016, 10, 1, 20, 0, 0, 0 };

struct ViewCase {
    const char *name;
    std::vector<std::string> args;
    bool calendar;
    bool print;
    int startYear;
    int startMonth; // 0..11
    int firstTeam;
    int lastTeam;
    int scheme;
    QSize size; // the client area of the window the program draws the view on
};

void PrintTo(const ViewCase &c, std::ostream *os)
{
    *os << c.name;
}

const ViewCase kViewCases[] = {
    { "NormalPrintAllTeamsSudra",
        { "--start", "2016-10" },
        false,
        true,
        2016,
        9,
        0,
        4,
        0,
        { 678, 555 } },
    { "NormalPrintOneTeamNordaAcrossTheYear",
        { "--start", "2016-11", "--team", "c", "--scheme", "norda" },
        false,
        true,
        2016,
        10,
        2,
        2,
        1,
        { 678, 555 } },
    { "NormalScreenAllTeamsNordaWithMarks",
        { "--start",
            "2016-09",
            "--scheme",
            "1",
            "--target",
            "screen",
            "--clock",
            "2016-10-01 20:00" },
        false,
        false,
        2016,
        8,
        0,
        4,
        1,
        { 794, 551 } },
    { "CalendarPrintTeamENorda",
        { "--view", "calendar", "--start", "2017-12", "--team", "E", "--scheme", "norda" },
        true,
        true,
        2017,
        11,
        4,
        4,
        1,
        { 641, 353 } },
    { "CalendarScreenAllTeamsShowsTeamA",
        { "--view", "calendar", "--start", "2026-03", "--target", "screen" },
        true,
        false,
        2026,
        2,
        0,
        4,
        0,
        { 794, 405 } },
};

// The view drawn directly with the program's views onto the client area of its window.
QImage drawWithTheViews(const ViewCase &c, const shift::LocalDateTime &clock)
{
    shift::ShiftCalendar calendar(shift::fixedClock(clock));
    calendar.readClock();
    shift::ScheduleState &state = calendar.state();
    state.scheme = static_cast<std::int16_t>(c.scheme);
    state.cycleLength = c.scheme == 0 ? 8 : 35;
    state.normalHeight = 580;
    QImage image(c.size, QImage::Format_RGB32);
    image.fill(c.print ? QColor(Qt::white) : shift::toQColor(shift::kButtonFace));
    QPainter painter(&image);
    shift::QPainterSurface surface(painter,
        c.print ? DrawingSurface::Target::PrintSurface : DrawingSurface::Target::MainWindow);
    if (c.calendar)
        shift::drawMonthCalendar(calendar, c.startYear, c.startMonth, c.firstTeam, surface);
    else
        shift::drawMultiMonth(
            calendar, c.startYear, c.startMonth, c.firstTeam, c.lastTeam, surface);
    return image;
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) == b.pixel(x, y) ? 0 : 1;
    }
    return count;
}

QImage renderPng(
    const std::vector<std::string> &args, const std::string &file, const std::string &now)
{
    std::vector<std::string> full { "render" };
    full.insert(full.end(), args.begin(), args.end());
    full.insert(full.end(), { "-o", file });
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = now;
    options.environment["QT_QPA_PLATFORM"] = ""; // the renderer must manage without a display
    options.environment["DISPLAY"] = "";
    const ProcessResult run = runProgram(kShiftcal, full, options);
    if (run.status != 0 || !run.err.empty())
        throw std::runtime_error("shiftcal render failed: " + run.err);
    QImage image(QString::fromStdString(file));
    if (image.isNull())
        throw std::runtime_error("not a readable PNG: " + file);
    return image.convertToFormat(QImage::Format_RGB32);
}

class RenderTest : public testing::TestWithParam<ViewCase> { };

TEST_P(RenderTest, GivesTheSamePixelsAsTheViews)
{
    const ViewCase &c = GetParam();
    TemporaryFolder folder;
    const QImage rendered = renderPng(c.args, folder.file("view.png"), "2016-10-01 20:00");
    const QImage expected = drawWithTheViews(c, kClock);
    ASSERT_EQ(rendered.size(), c.size);
    EXPECT_EQ(differingPixels(rendered, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Cli, RenderTest, testing::ValuesIn(kViewCases), [](const auto &param) {
    return std::string(param.param.name);
});

TEST(Render, DefaultsToThisMonthAndNowFromTheClock)
{
    TemporaryFolder folder;
    const QImage rendered
        = renderPng({ "--target", "screen" }, folder.file("view.png"), "2016-10-03 03:00");
    const ViewCase thisMonth { "", {}, false, false, 2016, 9, 0, 4, 0, { 794, 551 } };
    EXPECT_EQ(
        differingPixels(rendered, drawWithTheViews(thisMonth, { 2016, 10, 3, 3, 0, 0, 0 })), 0);
    // The clock matters: the same view at another hour differs (the shift working now).
    EXPECT_GT(
        differingPixels(rendered, drawWithTheViews(thisMonth, { 2016, 10, 3, 15, 0, 0, 0 })), 0);
}

// Bounding box of the pixels darker than near-white.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(Render, PdfIsOneA4PageWithTheViewScaledToFitAtTheTopLeftOfThePrintableArea)
{
    TemporaryFolder folder;
    const std::string pdf = folder.file("view.pdf");
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = "2016-10-01 20:00";
    const ProcessResult run
        = runProgram(kShiftcal, { "render", "--start", "2016-10", "-o", pdf }, options);
    ASSERT_EQ(run.status, 0) << run.err;

    const ProcessResult info = runProgram("/usr/bin/pdfinfo", { pdf });
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("(A4)"), std::string::npos) << info.out;

    constexpr int kDpi = 100;
    const ProcessResult raster = runProgram("/usr/bin/pdftoppm",
        { "-r", std::to_string(kDpi), "-png", "-singlefile", pdf, folder.file("page") });
    ASSERT_EQ(raster.status, 0) << raster.err;
    const QImage page(QString::fromStdString(folder.file("page.png")));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 827, 1);
    EXPECT_NEAR(page.height(), 1169, 1);

    // The view fills the width of the printable area (the page less 10 mm a side), so one
    // image pixel becomes 190 mm / 678 on the page.
    const ViewCase view { "", {}, false, true, 2016, 9, 0, 4, 0, { 678, 555 } };
    const QRect viewInk = inkBox(drawWithTheViews(view, kClock));
    const double margin = 10.0 / 25.4 * kDpi;
    const double scale = 190.0 / 25.4 * kDpi / 678.0;
    const QRect pageInk = inkBox(page);
    EXPECT_NEAR(pageInk.left(), margin + viewInk.left() * scale, 2.0);
    EXPECT_NEAR(pageInk.top(), margin + viewInk.top() * scale, 2.0);
    EXPECT_NEAR(pageInk.right() + 1, margin + (viewInk.right() + 1) * scale, 2.0);
    EXPECT_NEAR(pageInk.bottom() + 1, margin + (viewInk.bottom() + 1) * scale, 2.0);
}

// Whatever platform the environment names, and with no display at all, render draws
// offscreen: the same pixels, nothing on stderr, no abort.
TEST(Render, DrawsOffscreenWhateverPlatformIsNamed)
{
    const ViewCase thisMonth { "", {}, false, true, 2016, 9, 0, 4, 0, { 678, 555 } };
    const QImage expected = drawWithTheViews(thisMonth, kClock);
    for (const char *platform : { "xcb", "wayland", "xcb:display=:99", "no-such-platform" }) {
        TemporaryFolder folder;
        ProcessOptions options;
        options.environment["SHIFTCAL_NOW"] = "2016-10-01 20:00";
        options.environment["QT_QPA_PLATFORM"] = platform;
        options.environment["DISPLAY"] = "";
        options.environment["WAYLAND_DISPLAY"] = "";
        for (const char *file : { "view.png", "view.pdf" }) {
            const ProcessResult run
                = runProgram(kShiftcal, { "render", "-o", folder.file(file) }, options);
            EXPECT_EQ(run.status, 0) << platform << " " << file;
            EXPECT_EQ(run.signal, 0) << platform << " " << file;
            EXPECT_EQ(run.err, "") << platform << " " << file;
        }
        const QImage rendered(QString::fromStdString(folder.file("view.png")));
        ASSERT_FALSE(rendered.isNull()) << platform;
        EXPECT_EQ(differingPixels(rendered.convertToFormat(QImage::Format_RGB32), expected), 0)
            << platform;
    }
}

std::string toolOutput(const std::string &tool, const std::vector<std::string> &args)
{
    const ProcessResult run = runProgram(tool, args);
    EXPECT_EQ(run.status, 0) << tool << ": " << run.err;
    return run.out;
}

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The PDF is the view drawn, not pasted: no image, every font embedded, every text found by a
// text extractor.
TEST(Render, PdfIsTextAndLinesWithEmbeddedFonts)
{
    struct PdfCase {
        std::vector<std::string> args;
        std::vector<std::string> texts;
    };
    const PdfCase cases[] = {
        { { "--view", "calendar", "--scheme", "norda", "--start", "2016-12", "--team", "C" },
            { "ShiftSchedule Tervialund",
                "Norda",
                "December",
                "Juldagen",
                "Julafton",
                "Nyårsafton",
                "C-team",
                "Wedensd" } },
        { { "--start", "2016-10", "--target", "screen" },
            { "ShiftSchedule Tervialund Sudra",
                "October",
                "November",
                "December",
                "January",
                "February",
                "March 2017" } },
    };
    for (const PdfCase &c : cases) {
        TemporaryFolder folder;
        const std::string pdf = folder.file("view.pdf");
        std::vector<std::string> args { "render" };
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), { "-o", pdf });
        ProcessOptions options;
        options.environment["SHIFTCAL_NOW"] = "2016-10-01 20:00";
        const ProcessResult run = runProgram(kShiftcal, args, options);
        ASSERT_EQ(run.status, 0) << run.err;

        // A header and a rule, and no line for any image.
        EXPECT_EQ(linesOf(toolOutput("/usr/bin/pdfimages", { "-list", pdf })).size(), 2u);
        const std::vector<std::string> fonts = linesOf(toolOutput("/usr/bin/pdffonts", { pdf }));
        ASSERT_GT(fonts.size(), 2u);
        for (std::size_t i = 2; i < fonts.size(); ++i) {
            // name type encoding emb sub uni object ID: "emb" is the fifth word from the end.
            std::istringstream words(fonts[i]);
            std::vector<std::string> columns;
            for (std::string word; words >> word;)
                columns.push_back(word);
            ASSERT_GE(columns.size(), 7u) << fonts[i];
            EXPECT_EQ(columns[columns.size() - 5], "yes") << "not embedded: " << fonts[i];
        }
        const std::string text = toolOutput("/usr/bin/pdftotext", { pdf, "-" });
        for (const std::string &expected : c.texts)
            EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
    }
}

// A disk that fills up while render writes: one line naming the file and the system's reason,
// a failure status, and nothing left behind. On a tmpfs of 8 KiB in a mount namespace of its
// own, so that no disk of the machine fills; needs root.
TEST(Render, AFullDiskGivesOneLineNamingTheFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root for a mount namespace of its own";
    TemporaryFolder folder;
    for (const char *file : { "view.png", "view.pdf" }) {
        const std::string target = folder.file(file);
        const ProcessResult run = runProgram("/usr/bin/unshare",
            { "-m",
                "--propagation",
                "private",
                "sh",
                "-c",
                "mount -t tmpfs -o size=8k none \"$1\" && SHIFTCAL_NOW='2016-10-01 20:00' "
                "\"$0\" render -o \"$2\"; status=$?; ls -A \"$1\"; exit $status",
                kShiftcal,
                folder.path(),
                target });
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_EQ(run.err, "shiftcal: cannot write " + target + ": No space left on device\n");
        EXPECT_EQ(run.out, "") << "left behind: " << run.out;
    }
    EXPECT_TRUE(folder.entries().empty());
}

// Render writes as the other commands do: a file appears whole under its name with nothing left
// beside it, and a pipe named on the command line is written in place, not replaced by a file.
TEST(Render, WritesFilesWholeAndPipesInPlace)
{
    TemporaryFolder folder;
    ProcessOptions options;
    options.environment["SHIFTCAL_NOW"] = "2016-10-01 20:00";

    const std::string png = folder.file("view.png");
    std::ofstream(png) << "an older file, longer than the signature";
    const ProcessResult run = runProgram(kShiftcal, { "render", "-o", png }, options);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(png).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "view.png" });

    const std::string pipe = folder.file("pipe.pdf");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Non-blocking, so that the test ends even if render never opens the pipe.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    std::atomic<bool> finished = false;
    ProcessResult piped;
    std::thread writer([&] {
        piped = runProgram(kShiftcal, { "render", "--view", "calendar", "-o", pipe }, options);
        finished = true;
    });
    std::string received;
    std::array<char, 65536> chunk {};
    for (bool last = false;;) {
        const ssize_t n = ::read(reader, chunk.data(), chunk.size());
        if (n > 0) {
            received.append(chunk.data(), static_cast<std::size_t>(n));
            continue;
        }
        if (last)
            break;
        last = finished;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    writer.join();
    ::close(reader);
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(received.substr(0, 5), "%PDF-");
    struct stat after { };
    ASSERT_EQ(::lstat(pipe.c_str(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));
    EXPECT_EQ(folder.entries(), (std::vector<std::string> { "pipe.pdf", "view.png" }));
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

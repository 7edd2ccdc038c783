// Program start of shiftschedule: the one ShiftCalendar, the application object and the run.
//
// Two environment variables exist for testing and measuring only, and are read nowhere else:
//   SHIFTSCHEDULE_FAKE_NOW="2016-10-01 20:00"  the clock stands still at this local date and
//                                               time (":SS" may follow), for screenshots that
//                                               must not depend on the day they are taken.
//   SHIFTSCHEDULE_QUIT_AFTER_FIRST_PAINT=1      once the main window has painted for the first
//                                               time, write "first paint" to stdout and quit;
//                                               the start-up benchmark times this.
#include "app/error_box.h"
#include "app/main_window.h"
#include "app/program_start.h"
#include "core/clock.h"
#include "core/plant_file.h"
#include "core/shift_calendar.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shift {
namespace {

constexpr int kNoDisplayExitCode = 1;
constexpr int kBadSettingExitCode = 2;

bool environmentHas(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt's default platforms (xcb, wayland) need a display server; others (offscreen, vnc, ...)
// do not. A "-platform" argument overrides the environment, so it gets the benefit of doubt.
bool platformNeedsDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-platform" || argument == "--platform")
            return false;
    }
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0')
        return true;
    const std::string_view name(platform);
    return name.starts_with("xcb") || name.starts_with("wayland");
}

bool displayNamed()
{
    return environmentHas("DISPLAY") || environmentHas("WAYLAND_DISPLAY");
}

void reportNoDisplay()
{
    const char *display = std::getenv("DISPLAY");
    std::fprintf(stderr,
        "shiftschedule: cannot open a window: no display server reachable (DISPLAY=%s); "
        "start it from a desktop session\n",
        display != nullptr && *display != '\0' ? display : "unset");
    std::fflush(stderr);
}

// `reason` on one line: line breaks and other control characters become blanks.
void reportCannotStart(std::string reason)
{
    for (char &c : reason) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    }
    std::fprintf(stderr, "shiftschedule: cannot open a window: %s\n", reason.c_str());
    std::fflush(stderr);
}

// A message Qt gave while the application object was being made.
struct HeldMessage {
    std::string category;
    std::string text; // as Qt formats it for the terminal
    std::string message; // the message alone
};

// Qt's own reason why no platform plugin could start, from what it said on the way: the
// platform's own complaint ("qt.qpa.xcb: could not connect to display"), else the plugin
// loader's ("Could not find the Qt platform plugin "wayland" in """), else the first line of
// its final message. A display server that is not there gets the program's own wording.
void reportNoPlatform(const std::vector<HeldMessage> &held, const std::string &fatal)
{
    const HeldMessage *platform = nullptr;
    const HeldMessage *loader = nullptr;
    for (const HeldMessage &m : held) {
        if (m.category == "qt.qpa.plugin") {
            loader = loader != nullptr ? loader : &m;
        } else if (m.category.starts_with("qt.qpa.") && platform == nullptr) {
            platform = &m;
        }
    }
    if (platform != nullptr && platform->category == "qt.qpa.xcb"
        && platform->message.find("could not connect to display") != std::string::npos) {
        reportNoDisplay();
        return;
    }
    if (platform != nullptr)
        reportCannotStart(platform->message);
    else if (loader != nullptr)
        reportCannotStart(loader->message);
    else
        reportCannotStart(fatal.substr(0, fatal.find('\n')));
}

// While the application object is being made, Qt's messages are held back. Should no platform
// plugin start (a DISPLAY naming a server that is not there, a platform that is not installed),
// Qt would print several lines and abort with a core dump; instead the user gets one line with
// Qt's reason and a plain exit. Once the application object exists, the held messages are
// printed as Qt would have printed them.
class StartupMessageGate {
public:
    StartupMessageGate() { qInstallMessageHandler(&StartupMessageGate::hold); }
    StartupMessageGate(const StartupMessageGate &) = delete;
    StartupMessageGate &operator=(const StartupMessageGate &) = delete;
    ~StartupMessageGate() { open(); }

    void open()
    {
        if (!s_holding)
            return;
        s_holding = false;
        qInstallMessageHandler(nullptr);
        for (const HeldMessage &held : s_held)
            std::fprintf(stderr, "%s\n", held.text.c_str());
        s_held.clear();
    }

private:
    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtFatalMsg) {
            reportNoPlatform(s_held, message.toStdString());
            std::_Exit(kNoDisplayExitCode);
        }
        s_held.push_back({ context.category != nullptr ? context.category : "",
            qFormatLogMessage(type, context, message).toStdString(),
            message.toStdString() });
    }

    static inline bool s_holding = true;
    static inline std::vector<HeldMessage> s_held;
};

// The plant file of "--plant FILE" or "--plant=FILE", the last one given; Qt ignores them.
std::optional<std::string> plantArgument(int argc, char **argv)
{
    std::optional<std::string> file;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--plant" && i + 1 < argc)
            file = argv[++i];
        else if (argument.starts_with("--plant="))
            file = std::string(argument.substr(8));
    }
    return file;
}

// Reports the first completed paint of the main window on stdout and ends the run.
class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fputs("first paint\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

} // namespace
} // namespace shift

int main(int argc, char **argv)
{
    if (shift::platformNeedsDisplay(argc, argv) && !shift::displayNamed()) {
        shift::reportNoDisplay();
        return shift::kNoDisplayExitCode;
    }

    // A bad plant file is shown in the error box once the window is up; the run goes on with
    // the built-in plant.
    std::optional<shift::PlantError> plantError;
    try {
        shift::useCurrentPlant(shift::loadPlant(shift::plantArgument(argc, argv)));
    } catch (const shift::PlantError &error) {
        plantError = error;
    }

    shift::ShiftCalendar calendar(shift::localClock);
    if (const char *fakeNow = std::getenv("SHIFTSCHEDULE_FAKE_NOW")) {
        const auto fixed = shift::parseLocalDateTime(fakeNow);
        if (!fixed) {
            std::fprintf(stderr,
                "shiftschedule: SHIFTSCHEDULE_FAKE_NOW must look like "
                "\"2016-10-01 20:00\", not \"%s\"\n",
                fakeNow);
            return shift::kBadSettingExitCode;
        }
        calendar.setClock(shift::fixedClock(*fixed));
    }
    const bool quitAfterFirstPaint = shift::environmentHas("SHIFTSCHEDULE_QUIT_AFTER_FIRST_PAINT");

    // Every size and position is in pixels, whatever the screen's pixels per inch; a
    // large-font screen is met by the main window's own font check instead.
    shift::prepareUnscaledApplication();

    shift::StartupMessageGate gate;
    QApplication app(argc, argv);
    gate.open();
    QApplication::setApplicationName(QStringLiteral("shiftschedule"));
    QApplication::setDesktopFileName(QStringLiteral("se.tervialund.ShiftSchedule"));
    QApplication::setWindowIcon(shift::shiftScheduleIcon());

    if (plantError)
        shift::showErrorLater(*plantError);
    shift::FirstPaintReporter reporter;
    return shift::runProgram(calendar, [&](shift::TForm1 &mainWindow) {
        if (quitAfterFirstPaint)
            mainWindow.installEventFilter(&reporter);
    });
}

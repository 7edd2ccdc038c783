// shiftcal-render: the `render` command of shiftcal, which runs it in its own place. It is the
// only part of the command line that loads Qt.
#include "cli/cli_error.h"
#include "cli/command_options.h"
#include "cli/help_texts.h"
#include "cli/output_file.h"
#include "cli/plant_command.h"
#include "cli/process_clock.h"
#include "cli/view_renderer.h"

#include <QGuiApplication>

#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// Qt's warnings about its own environment (no XDG_RUNTIME_DIR, say) are no concern of the
// command's user; only critical messages reach the terminal.
void reportCriticalOnly(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        shift::printError(message.toStdString());
}

// No display is needed, and none is used: the offscreen platform draws whatever the
// environment names (xcb or wayland would abort without a server, a wrong name at once).
void drawOffscreen()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    shift::RenderOptions options;
    try {
        const shift::PlantArguments plant = shift::splitPlantOption(args);
        shift::usePlant(plant.file);
        shift::ProcessClock clock;
        options = shift::parseRenderOptions(plant.rest, clock.localSource());
        if (options.help) {
            shift::OutputFile help("-");
            help.buffer().append(shift::kRenderHelp);
            help.commit();
            return shift::kExitSuccess;
        }
    } catch (const std::runtime_error &) {
        return shift::reportCommandError(std::current_exception());
    }

    drawOffscreen();
    qInstallMessageHandler(reportCriticalOnly);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    try {
        if (options.format == shift::ImageFormat::Pdf)
            shift::writePdf(options, options.output);
        else
            shift::writePng(shift::renderView(options), options.output);
    } catch (const shift::WriteError &error) {
        shift::printError(error.what());
        return shift::kExitWriteFailure;
    }
    return shift::kExitSuccess;
}

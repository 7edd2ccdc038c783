// shiftcal: the schedule on the command line. The text commands run here and link only the
// core; `render` needs Qt, so it lives in the helper shiftcal-render and is run in this
// process's place, as git runs its subcommands, so that the text commands never pay for
// loading Qt. Installed, the helper is in the package's own libexec folder
// (SHIFT_RENDER_FROM_BINDIR, relative to this program's folder); in the build tree it stands
// beside this program.
#include "cli/cli_error.h"
#include "cli/plant_command.h"
#include "cli/process_clock.h"
#include "cli/text_commands.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

std::string folderOfThisProgram()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string_view self(path, static_cast<std::size_t>(length));
    const std::size_t slash = self.rfind('/');
    return std::string(self.substr(0, slash == self.npos ? 0 : slash));
}

std::string rendererPath()
{
    const std::string folder = folderOfThisProgram();
    const std::string installed = folder + "/" SHIFT_RENDER_FROM_BINDIR "/shiftcal-render";
    const std::string beside = folder + "/shiftcal-render";
    if (::access(installed.c_str(), X_OK) != 0 && ::access(beside.c_str(), X_OK) == 0)
        return beside;
    return installed;
}

// The helper reads --plant itself; it is handed on after the command's own arguments.
int execRenderer(const shift::PlantArguments &plant)
{
    const std::string renderer = rendererPath();
    std::vector<std::string> texts;
    for (std::size_t i = 1; i < plant.rest.size(); ++i)
        texts.emplace_back(plant.rest[i]);
    if (plant.file) {
        // Before a "--", where the helper looks for it.
        const auto end = std::find(texts.begin(), texts.end(), "--");
        texts.insert(end, { "--plant", *plant.file });
    }
    std::vector<char *> rendererArgs;
    rendererArgs.push_back(const_cast<char *>(renderer.c_str()));
    for (std::string &text : texts)
        rendererArgs.push_back(text.data());
    rendererArgs.push_back(nullptr);
    ::execv(renderer.c_str(), rendererArgs.data());
    shift::printError("render: cannot run " + renderer + ": " + std::strerror(errno));
    return shift::kExitWriteFailure;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        // `plant` looks at plant files itself, so a bad configured one does not stop it.
        if (!args.empty() && args[0] == "plant")
            return shift::runPlantCommand(std::span(args).subspan(1));
        const shift::PlantArguments plant = shift::splitPlantOption(args);
        if (shift::isRenderCommand(plant.rest))
            return execRenderer(plant);
        shift::usePlant(plant.file);
        shift::ProcessClock clock;
        return shift::runTextCommand(plant.rest, clock);
    } catch (const std::runtime_error &) {
        return shift::reportCommandError(std::current_exception());
    }
}

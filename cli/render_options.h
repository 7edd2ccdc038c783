#pragma once

#include "cli/option_values.h"
#include "core/clock.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace shift {

enum class RenderView { Normal, Calendar };
enum class RenderTarget { Print, Screen };
enum class ImageFormat { Png, Pdf };

// `shiftcal render [--view V] [--start YYYY-MM] [--team T|all] [--scheme S] [--target T]
//  [--clock "YYYY-MM-DD HH:MM"] -o FILE.png|FILE.pdf`.
struct RenderOptions {
    RenderView view = RenderView::Normal;
    std::int32_t startYear = 1;
    int startMonth = 1; // 1..12
    int team = kAllTeams;
    int scheme = 0;
    RenderTarget target = RenderTarget::Print;
    LocalDateTime clock;
    std::string output;
    ImageFormat format = ImageFormat::Png;
    bool help = false;
};

// The options of `render` from the arguments after its name. The start month and the clock
// default to now(), which is called only for a default that is needed, after every argument is
// accepted; the ending of -o (".png" or ".pdf", any case) chooses the format, PNG for a device,
// pipe or descriptor without either (output_file.h writesInPlace()). Throws UsageError at the
// first argument it cannot accept (command_line.h), without -o, and for any other ending.
// Example: {"--clock", "2016-10-03T03:00", "-o", "a.pdf"} -> a PDF with the clock at 03:00.
RenderOptions parseRenderOptions(std::span<const std::string_view> args, const ClockSource &now);
RenderOptions parseRenderOptions(std::span<const std::string_view> args, const LocalDateTime &now);

} // namespace shift

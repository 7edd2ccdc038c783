#pragma once

// The options of every shiftcal command, for the code that needs more than one command's: each
// command's parser is in its own file, and the checks of the values they share are in
// option_values.h.
#include "cli/ics_options.h"
#include "cli/month_options.h"
#include "cli/option_values.h"
#include "cli/render_options.h"
#include "cli/table_options.h"

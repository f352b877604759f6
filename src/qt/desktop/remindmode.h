#pragma once

#include <filesystem>
#include <optional>

#include "app/reminder.h"
#include "core/datetime.h"
#include "qt/desktop/datadir.h"

namespace zm {

// `zumeri --remind`, run in the data folder without a window: today's plan as
// a desktop notification when the deposit is still open. Started before `at`
// (the autostart entry's time), it waits until then. Writes nothing in the
// folder. Needs the application object of the command line. A folder named
// in `dataDir` is named in the text, and "開く" opens the window on it.
// Returns the exit status.
int runRemind(const DataDir& dataDir, std::optional<TimeOfDay> at = std::nullopt);

// What the schedule starts for the data folder `dataDir`: the launcher the
// environment names, else the installation's, else this program there.
RemindCommand commandFor(const std::filesystem::path& dataDir);

}  // namespace zm

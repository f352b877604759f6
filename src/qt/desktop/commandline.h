#pragma once

#include <optional>

#include "qt/desktop/datadir.h"

namespace zm {

// Decides the command line before any window exists. Returns the exit status
// when the command line was the whole run (--export-csv, --remind, --help,
// --version, or a mistake in it), nothing when the window is to start; then
// --data-dir is taken out of the arguments. `dataDir` is the folder named by
// --data-dir or ZUMERI_DATA_DIR, which the commands have entered.
std::optional<int> runCommandLine(int& argc, char* argv[], DataDir& dataDir);

// Once the application has taken its own options (-style, -platform ...):
// anything left is unknown, said on standard error; the exit status then.
std::optional<int> refuseUnknownArguments();

}  // namespace zm

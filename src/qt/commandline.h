#pragma once

#include <optional>

namespace zm {

// Decides the command line before any window exists. Returns the exit status
// when the command line was the whole run (--export-csv, --help, --version),
// nothing when the window is to start.
std::optional<int> runCommandLine(int argc, char* argv[]);

}  // namespace zm

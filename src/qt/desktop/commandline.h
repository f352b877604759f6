#pragma once

#include <optional>

namespace zm {

// Decides the command line before any window exists. Returns the exit status
// when the command line was the whole run (--export-csv, --remind, --help,
// --version, or a mistake in it), nothing when the window is to start.
std::optional<int> runCommandLine(int argc, char* argv[]);

// Once the application has taken its own options (-style, -platform ...):
// anything left is unknown, said on standard error; the exit status then.
std::optional<int> refuseUnknownArguments();

}  // namespace zm

#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "core/datetime.h"
#include "store/datafolder.h"
#include "support/scripted.h"
#include "support/tempdir.h"
#include "ui/services.h"

namespace zm::test {

constexpr Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}
constexpr TimeOfDay hms(int h, int m, int s) {
    return TimeOfDay{h * 3600 + m * 60 + s};
}

// One deposit in the 365-step ledger, yesterday: the step page starts
// without its guide.
inline constexpr char kOneStep[] = "\"2026年03月04日\",\"09:00:00\",1\n";

// A fresh data folder, scripted dialogs, a recording shell and a set clock.
struct World {
    TempDir dir;
    DataFolder folder{dir.path()};
    ScriptedDialogs dialogs;
    FakeShell shell;
    FixedClock clock{ymd(2026, 3, 5), hms(10, 11, 12)};

    Services services() { return {folder, dialogs, shell, clock}; }

    // Writes UTF-8 text as the CP932 file `name`; "\n" becomes CR LF. Throws
    // when the file cannot be written as asked.
    void put(std::string_view name, std::string_view text);
    // The file's contents decoded to UTF-8, CR LF kept.
    std::string get(std::string_view name);
    // The files every start-up reads besides the ledgers.
    void putInstallation(int helpTour = 0, int targetDays = 365);
};

// Every data file's bytes in `dir`, by name; "-" for a missing one.
std::map<std::string, std::string> dataFiles(const std::filesystem::path& dir);

// Every data file the World holds, by its size and a hash: a failure prints a
// line, not a comparison of megabytes.
using Fingerprints = std::map<std::string, std::pair<std::size_t, std::size_t>>;
Fingerprints fingerprints(World& w);

}  // namespace zm::test

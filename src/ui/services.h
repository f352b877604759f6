#pragma once

#include <functional>
#include <string>

namespace zm {

class DataFolder;
class Dialogs;
class Shell;
class Clock;
class Changes;

// What every page needs of the world outside it.
struct Services {
    const DataFolder& folder;
    Dialogs& dialogs;
    Shell& shell;
    const Clock& clock;
    // Told of every change written, for undo; none where nothing is undone.
    Changes* changes = nullptr;

    void made(std::string what, std::function<void(bool undone)> show = {}) const;
};

// The reminder shown after deposits while the shipped sample data is in place.
inline constexpr const char* kNewStartReminder =
    "ご自身のデータでスタートする時は目的ボタンのページで新規スタートしてください。";
inline constexpr const char* kNewStartReminderTitle = "新規スタート促し";

}  // namespace zm

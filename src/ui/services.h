#pragma once

namespace zm {

class DataFolder;
class Dialogs;
class Shell;
class Clock;

// What every page needs of the world outside it.
struct Services {
    const DataFolder& folder;
    Dialogs& dialogs;
    Shell& shell;
    const Clock& clock;
};

// The reminder shown after deposits while the shipped sample data is in place.
inline constexpr const char* kNewStartReminder =
    "ご自身のデータでスタートする時は目的ボタンのページで新規スタートしてください。";
inline constexpr const char* kNewStartReminderTitle = "新規スタート促し";

}  // namespace zm

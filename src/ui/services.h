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

// Refusal of a text the data files cannot carry: "<what>に保存できない文字が
// 含まれています。" + CR LF + this hint, under this title.
inline constexpr const char* kUnwritableHint =
    "ダブルクォーテーション（\"）、改行、絵文字などの記号は保存できません。";
inline constexpr const char* kUnwritableTitle = "使用できない文字";

}  // namespace zm

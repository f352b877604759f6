#pragma once

#include <filesystem>

namespace zm {

// Keeps a second program away from a data folder while this one runs: an
// exclusive flock() on the folder itself, so no file is added among the data
// files. The system drops the lock when the program ends, however it ends.
class FolderLock {
public:
    enum class State {
        Held,         // this program has the folder
        Busy,         // another program has it
        Unavailable,  // the folder cannot be locked (no such folder, no locks)
    };

    explicit FolderLock(const std::filesystem::path& dir);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    bool busy() const { return state_ == State::Busy; }

private:
    int fd_ = -1;
    State state_ = State::Unavailable;
};

// What a second start on a busy folder tells the user before it ends.
inline constexpr const char* kFolderBusyText =
    "ズメリ貯金Ｐｒｏはこのデータフォルダですでに起動しています。\r\n"
    "同じデータを二つのプログラムで同時に使うと記録が失われるため、こちらは終了します。\r\n\r\n"
    "起動中のウィンドウをお使いください。";
inline constexpr const char* kFolderBusyTitle = "二重起動";

}  // namespace zm

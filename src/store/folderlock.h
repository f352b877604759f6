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
    // Why the lock was not taken (errno); 0 when it is held.
    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
    State state_ = State::Unavailable;
};

// What a second start on a busy folder tells the user before it ends.
inline constexpr const char* kFolderBusyText =
    "ズメリ貯金Ｐｒｏはこのデータフォルダですでに起動しています。\r\n"
    "同じデータを二つのプログラムで同時に使うと記録が失われるため、こちらは終了します。\r\n\r\n"
    "起動中のウィンドウをお使いください。";
inline constexpr const char* kFolderBusyTitle = "二重起動";

// What a start tells the user when the folder cannot be locked at all (a
// folder it may write but not read, a file system without locks): without
// the lock a second program could share the data, so this one ends.
inline constexpr const char* kFolderUnlockableText =
    "データフォルダをロックできないため、終了します。\r\n"
    "同じデータを二つのプログラムで同時に使うと記録が失われるため、"
    "ロックできないフォルダでは起動しません。\r\n\r\n"
    "フォルダに読み取りと書き込みを許可してから、もう一度起動してください。";
inline constexpr const char* kFolderUnlockableTitle = "起動できません";

}  // namespace zm

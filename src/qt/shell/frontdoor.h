#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

namespace zm {

// How a second start on a data folder reaches the window already open on it:
// a local socket in the user's runtime folder, named after the folder's
// canonical path. Only the program holding the folder's lock listens, so a
// socket found under that name is one left by a program that ended, and is
// replaced. A caller of another user is hung up on unheard.
class FrontDoor : public QObject {
    Q_OBJECT
public:
    // Listens for `dir`; `come` runs each time another start knocks.
    FrontDoor(const std::filesystem::path& dir, std::function<void()> come);

    bool listening() const { return server_.isListening(); }

    // Asks the program open on `dir` to bring its window forward; true once
    // it has, false when nobody answers within a second or two.
    static bool knock(const std::filesystem::path& dir);
    // The socket's full name for `dir`.
    static QString nameFor(const std::filesystem::path& dir);

private:
    void answer();

    QLocalServer server_;
    std::function<void()> come_;
};

}  // namespace zm

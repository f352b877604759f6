// A second start on the same data folder: a message, and nothing read or written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstring>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <thread>
#include <utility>

#include "qt/shell/frontdoor.h"
#include "qt/shell/secondstart.h"
#include "store/filenames.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

TEST(SecondStart, IsToldWhyItEnds) {
    World w;
    const FolderLock first(w.dir.path());
    ASSERT_EQ(first.state(), FolderLock::State::Held);
    EXPECT_FALSE(refuseSecondStart(first, w.dialogs));
    EXPECT_TRUE(w.dialogs.shown.empty());

    const FolderLock second(w.dir.path());
    w.dialogs.answer(Answer::Ok);
    EXPECT_TRUE(refuseSecondStart(second, w.dialogs));
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text, kFolderBusyText);
    EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Exclamation);

    // A folder that cannot be locked at all (as one the user may write but
    // not read) ends the start too, saying why, instead of sharing the data.
    const FolderLock none(w.dir.path() / "none");
    w.dialogs.answer(Answer::Ok);
    EXPECT_TRUE(refuseSecondStart(none, w.dialogs));
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1].text,
              std::string(kFolderUnlockableText) + "\r\n（見つかりません）");
    EXPECT_EQ(w.dialogs.shown[1].title, kFolderUnlockableTitle);
}

// Every file under the folder with its contents.
std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
        const std::string rel = fs::relative(e.path(), dir.path());
        files[rel] = e.is_regular_file() ? dir.read(rel) : "<folder>";
    }
    return files;
}

// The program started in `dir`, as a user would.
pid_t startProgram(const fs::path& dir) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The offscreen platform's chatter is of no interest here.
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(127);
        ::execl(ZUMERI_PROGRAM, ZUMERI_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

void killProgram(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

bool running(pid_t pid) {
    return ::waitpid(pid, nullptr, WNOHANG) == 0;
}

// Waits up to 30 s for `done`; the time it took.
std::optional<Clock::duration> waitFor(const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(30)) {
        if (done()) return Clock::now() - start;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

bool hasDailyCopy(const TempDir& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.path() / "バックアップ", ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->path().filename().native().size() == 8) return true;
    }
    return false;
}

TEST(SecondStart, ChangesNothingAndAKilledFirstProgramFreesTheFolderAtOnce) {
    World w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    w.put(files::kKozeni, "\"2026年03月04日\",\"09:00:00\",5\n");

    // The first program: it has the folder once it has made the day's copy.
    const pid_t first = startProgram(w.dir.path());
    ASSERT_GT(first, 0);
    const auto firstUp = waitFor([&] { return hasDailyCopy(w.dir); });
    ASSERT_TRUE(firstUp) << "the first program did not start";
    // The copy comes before the pages load and make their missing files:
    // the first start is over once the folder stays as it is for a while.
    auto settled = snapshot(w.dir);
    ASSERT_TRUE(waitFor([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        auto now = snapshot(w.dir);
        const bool same = now == settled;
        settled = std::move(now);
        return same;
    })) << "the first program never stopped writing";
    ASSERT_TRUE(running(first));
    EXPECT_TRUE(FolderLock(w.dir.path()).busy());

    // What a start would change, were it let in: the day's copy would come
    // back, the stale temporary file would go, the ledgers would be read.
    fs::remove_all(w.dir.path() / "バックアップ");
    w.dir.write(".小銭清算.txt.AbCdEf.tmp", "\"2026年");
    const auto before = snapshot(w.dir);
    const pid_t second = startProgram(w.dir.path());
    ASSERT_GT(second, 0);
    // Three times as long as the first start needed to make its copy.
    std::this_thread::sleep_for(std::max<Clock::duration>(3 * *firstUp, std::chrono::seconds(2)));
    EXPECT_TRUE(running(second)) << "the second start did not wait at its message";
    EXPECT_EQ(snapshot(w.dir), before);
    killProgram(second);
    EXPECT_EQ(snapshot(w.dir), before);

    // After the first program is killed, the next start works at once.
    killProgram(first);
    const pid_t third = startProgram(w.dir.path());
    ASSERT_GT(third, 0);
    const auto thirdUp = waitFor([&] {
        return hasDailyCopy(w.dir) && !fs::exists(w.dir.path() / ".小銭清算.txt.AbCdEf.tmp");
    });
    EXPECT_TRUE(thirdUp) << "no start after the first program was killed";
    EXPECT_TRUE(running(third));
    killProgram(third);
}

// Connects to the socket file `name` by hand and knocks; false when it cannot.
bool rawKnock(const std::string& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, name.c_str(), sizeof address.sun_path - 1);
    const bool reached =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::write(fd, "front\n", 6) == 6;
    ::close(fd);
    return reached;
}

// Runs the event loop until `done`, for up to `seconds`.
bool serveUntil(const std::function<bool()>& done, int seconds) {
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(seconds)) {
        QCoreApplication::processEvents();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(SecondStart, BringsTheWindowOfTheFolderForward) {
    World w, other;
    w.putInstallation();
    // The test is the first program: it holds the folder and listens.
    const FolderLock first(w.dir.path());
    ASSERT_EQ(first.state(), FolderLock::State::Held);
    const QString name = FrontDoor::nameFor(w.dir.path());
    fs::create_symlink(w.dir.path(), other.dir.path() / "link");
    EXPECT_EQ(FrontDoor::nameFor(other.dir.path() / "link"), name);
    EXPECT_NE(FrontDoor::nameFor(other.dir.path()), name);

    // A socket left by a program that crashed: nobody answers it at once, and
    // it is no bar to listening.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, name.toStdString().c_str(), sizeof address.sun_path - 1);
        ::unlink(address.sun_path);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    const auto knocked = Clock::now();
    EXPECT_FALSE(FrontDoor::knock(w.dir.path()));
    EXPECT_LT(Clock::now() - knocked, std::chrono::seconds(1));
    int came = 0;
    const FrontDoor door(w.dir.path(), [&came] { ++came; });
    ASSERT_TRUE(door.listening());
    EXPECT_FALSE(FrontDoor::knock(other.dir.path()));

    // A process of another user is hung up on, whether or not it gets in.
    if (::getuid() == 0) {
        const std::string path = name.toStdString();
        const pid_t stranger = ::fork();
        if (stranger == 0) {
            if (::setuid(65534) != 0) ::_exit(127);
            ::_exit(rawKnock(path) ? 0 : 1);
        }
        int status = 0;
        ::waitpid(stranger, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 127);
        serveUntil([] { return false; }, 1);
        EXPECT_EQ(came, 0);
    }

    // The real program started on the folder calls the window forward and
    // still waits at its message.
    const pid_t second = startProgram(w.dir.path());
    ASSERT_GT(second, 0);
    EXPECT_TRUE(serveUntil([&came] { return came == 1; }, 30)) << "the second start never called";
    serveUntil([] { return false; }, 1);
    EXPECT_TRUE(running(second)) << "the second start did not wait at its message";
    EXPECT_EQ(came, 1);
    killProgram(second);
}

}  // namespace
}  // namespace zm::test

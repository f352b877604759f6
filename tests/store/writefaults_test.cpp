// Faults injected into every step of the store's writes: whatever fails, each
// file is afterwards the old one or the new one, whole, and the error names it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include "store/backup.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/filewriting.h"
#include "store/kozeniledgerfile.h"
#include "store/recordline.h"
#include "store/timedrecord.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/tempdir.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::FaultyCalls;
using test::refusalOf;
using Kind = FaultyCalls::Kind;

std::optional<std::string> contents(const test::TempDir& tmp, std::string_view name) {
    if (!fs::exists(tmp.path() / std::string(name))) return std::nullopt;
    return tmp.read(name);
}

bool hasTemporaryFile(const fs::path& dir) {
    for (const auto& e : fs::directory_iterator(dir)) {
        if (isTemporaryFileName(e.path().filename().native())) return true;
    }
    return false;
}

struct Case {
    const char* what;
    std::optional<std::string> before;  // nullopt: no file yet
    std::function<void(const DataFolder&)> write;
};

// Runs `c` once cleanly for its list of calls, then once for every call of
// that list made to fail (writes also half-done). Returns the faults injected.
int injectEveryStep(const Case& c) {
    constexpr std::string_view kName = "小銭清算.txt";
    std::string after;
    std::vector<FaultyCalls::Call> calls;
    {
        test::TempDir tmp;
        if (c.before) tmp.write(kName, *c.before);
        FaultyCalls io;
        c.write(DataFolder(tmp.path()));
        calls = io.log;
        after = tmp.read(kName);
    }
    int injected = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        for (bool partly : {false, true}) {
            if (partly && calls[i].kind != Kind::Write) continue;
            test::TempDir tmp;
            if (c.before) tmp.write(kName, *c.before);
            FaultyCalls io;
            io.failAt(i, partly ? EIO : ENOSPC, partly);
            std::optional<FileError> error;
            try {
                c.write(DataFolder(tmp.path()));
            } catch (const FileError& e) {
                error = e;
            }
            ++injected;
            const char* step = FaultyCalls::nameOf(io.log.at(i).kind);
            SCOPED_TRACE(std::string(c.what) + ": call " + std::to_string(i) + " " + step +
                         (partly ? " half-done" : ""));
            const auto now = contents(tmp, kName);
            if (error) {
                EXPECT_EQ(error->file(), kName);
                EXPECT_NE(std::string(error->what()).find("小銭清算.txt"), std::string::npos);
                // A full disk is said in the user's words, not the system's.
                if (!partly) {
                    EXPECT_NE(std::string(error->what()).find("ディスクに空きがありません"),
                              std::string::npos)
                        << error->what();
                }
                EXPECT_EQ(now, c.before);
            } else {
                // Only a flush of the folder after the rename may fail unreported.
                EXPECT_TRUE(io.log.at(i).onFolder);
                EXPECT_EQ(now, after);
            }
            EXPECT_FALSE(hasTemporaryFile(tmp.path()));
        }
    }
    return injected;
}

TEST(WriteFaults, EveryFailedStepLeavesTheOldFileOrTheNewOneWhole) {
    const std::string old = "\"2026年03月01日\",\"09:00:00\",300\r\n";
    const TimedRecord rec{Date{std::chrono::year{2026}, std::chrono::March, std::chrono::day{5}},
                          TimeOfDay{36000}, Money::fromYen(777)};
    const auto append = [&](const DataFolder& f) { KozeniLedgerFile(f).append(rec); };
    const auto rewrite = [&](const DataFolder& f) {
        KozeniLedgerFile(f).rewrite(std::vector<TimedRecord>(40, rec));
    };
    const auto empty = [](const DataFolder& f) { KozeniLedgerFile(f).empty(); };
    const Case cases[] = {
        {"append", old, append},
        {"append to a file without its last line end", "\"2026年03月01日\",\"09:00:00\",300",
         append},
        {"append to a new file", std::nullopt, append},
        {"rewrite", old, rewrite},
        {"rewrite of a new file", std::nullopt, rewrite},
        {"empty", old, empty},
    };
    int injected = 0;
    for (const Case& c : cases) injected += injectEveryStep(c);
    // open/write/fsync/close for appends, makeTemp/write/fsync/close/rename/fsync
    // for rewrites, writes also half-done.
    EXPECT_GE(injected, 37);
    std::cout << "[ faults  ] " << injected << " injected, every one survived\n";
}

TEST(WriteFaults, AnAppendThatCannotBeUndoneSaysSo) {
    test::TempDir tmp;
    tmp.write("k.txt", "\"a\"\r\n");
    const DataFolder folder(tmp.path());
    // Half the line reaches the disk, and the cut-back fails as well.
    struct TwoFaults final : FileCalls {
        ssize_t write(int fd, const void* data, std::size_t size) override {
            FileCalls::write(fd, data, size / 2);
            errno = ENOSPC;
            return -1;
        }
        int ftruncate(int, off_t) override {
            errno = EIO;
            return -1;
        }
    } twoFaults;
    UsingFileCalls using_(twoFaults);
    const FileError e = refusalOf([&] { folder.append("k.txt", RecordLine().str("bbbbbbbb")); });
    EXPECT_EQ(e.file(), "k.txt");
    EXPECT_NE(e.reason().find("取り消せませんでした"), std::string::npos) << e.reason();
}

TEST(WriteFaults, TheStoreFlushesWhatItWritesBeforeItCounts) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    tmp.write("a.txt", "\"x\"\r\n");
    FaultyCalls io;

    // An append: the file is flushed before it is closed.
    folder.append("a.txt", RecordLine().str("y"));
    std::vector<Kind> kinds;
    for (const auto& c : io.log) kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Open, Kind::Write, Kind::Fsync, Kind::Close}));

    // A rewrite: the temporary file is flushed before the rename, the folder after it.
    io.log.clear();
    folder.rewrite("a.txt", {RecordLine().str("z")});
    kinds.clear();
    for (const auto& c : io.log) kinds.push_back(c.kind);
    ASSERT_EQ(kinds, (std::vector<Kind>{Kind::MakeTemp, Kind::Write, Kind::Fsync, Kind::Close,
                                        Kind::Rename, Kind::Fsync, Kind::Close}));
    EXPECT_EQ(io.log[2].fd, io.log[3].fd);
    EXPECT_FALSE(io.log[2].onFolder);
    EXPECT_TRUE(io.log[5].onFolder);

    // A copy: every copied file, the copy's folder and the folder of copies.
    io.log.clear();
    tmp.write("設定.txt", "\"ヘルプツアー\",1\r\n");
    tmp.write("小銭清算.txt", "");
    copyDataFiles(folder, "20260305", files::allData());
    int fileFlushes = 0, folderFlushes = 0;
    for (const auto& c : io.log) {
        if (c.kind == Kind::Fsync) ++(c.onFolder ? folderFlushes : fileFlushes);
    }
    EXPECT_EQ(fileFlushes, 2);
    EXPECT_EQ(folderFlushes, 2);
}

TEST(WriteFaults, AReadOnlyFileIsRefusedAndKept) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    tmp.write("小銭清算.txt", "\"old\"\r\n");
    const fs::path path = tmp.path() / "小銭清算.txt";
    fs::permissions(path, fs::perms(0444));
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { folder.rewrite("小銭清算.txt", {RecordLine().str("new")}); },
             [&] { folder.append("小銭清算.txt", RecordLine().str("new")); },
             [&] { folder.empty("小銭清算.txt"); }}) {
        const FileError e = refusalOf(write);
        EXPECT_EQ(e.file(), "小銭清算.txt");
        EXPECT_NE(e.reason().find("読み取り専用"), std::string::npos);
    }
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(tmp.read("小銭清算.txt"), "\"old\"\r\n");
    EXPECT_FALSE(hasTemporaryFile(tmp.path()));
}

TEST(WriteFaults, ALinkIsWrittenThroughToItsTarget) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    fs::create_directory(tmp.path() / "elsewhere");
    tmp.write("elsewhere/kozeni.txt", "\"old\"\r\n");
    fs::create_symlink("elsewhere/kozeni.txt", tmp.path() / "小銭清算.txt");
    fs::create_symlink("小銭清算.txt", tmp.path() / "link-to-link.txt");

    folder.rewrite("link-to-link.txt", {RecordLine().str("new")});
    folder.append("小銭清算.txt", RecordLine().str("more"));
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "小銭清算.txt"));
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "link-to-link.txt"));
    EXPECT_EQ(tmp.read("elsewhere/kozeni.txt"), "\"new\"\r\n\"more\"\r\n");

    // A link whose target is gone: the rewrite makes the target.
    fs::create_symlink("elsewhere/goals.txt", tmp.path() / "貯金目標.txt");
    folder.rewrite("貯金目標.txt", {RecordLine().str("g").integer(1)});
    EXPECT_TRUE(fs::is_symlink(tmp.path() / "貯金目標.txt"));
    EXPECT_EQ(tmp.read("elsewhere/goals.txt"), "\"g\",1\r\n");
}

TEST(WriteFaults, TemporaryFilesLeftByACrashAreRemoved) {
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    const std::vector<std::string> stale = {".小銭清算.txt.Ab3xYz.tmp",
                                            ".３６５歩のマーチ.txt.000000.tmp"};
    // Not of this program: other names, other patterns, a folder.
    const std::vector<std::string> kept = {"小銭清算.txt",      ".小銭清算.txt.Ab3.tmp",
                                           "a.Ab3xYz.tmp",      ".小銭清算.txt.Ab3xY!.tmp",
                                           ".notes.Ab3xYz.tmp", "x.tmp"};
    for (const auto& n : stale) tmp.write(n, "half");
    for (const auto& n : kept) tmp.write(n, "keep");
    fs::create_directory(tmp.path() / ".設定.txt.Ab3xYz.tmp");
    EXPECT_EQ(folder.removeTemporaryFiles(), 2);
    for (const auto& n : stale) EXPECT_FALSE(fs::exists(tmp.path() / n)) << n;
    for (const auto& n : kept) EXPECT_EQ(tmp.read(n), "keep") << n;
    EXPECT_TRUE(fs::is_directory(tmp.path() / ".設定.txt.Ab3xYz.tmp"));
}

// The ledger a rewrite with number i writes: (i % 40) + 1 records of i yen.
std::vector<TimedRecord> ledgerNumber(int i) {
    const TimedRecord rec{Date{std::chrono::year{2026}, std::chrono::March, std::chrono::day{5}},
                          TimeOfDay{36000}, Money::fromYen(i)};
    return std::vector<TimedRecord>(static_cast<std::size_t>(i % 40 + 1), rec);
}

TEST(WriteFaults, AProcessKilledInTheMiddleOfRewritesLeavesTheLedgerWhole) {
    constexpr int kRewrites = 1000;
    test::TempDir tmp;
    const DataFolder folder(tmp.path());
    KozeniLedgerFile(folder).rewrite(ledgerNumber(0));
    std::mt19937 random(20260305);
    int done = 1;  // rewrites finished, the first by this process
    int kills = 0;
    while (done < kRewrites) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(report[0]);
            // A killed process leaves the page cache behind: flushes only slow this down.
            FaultyCalls io;
            io.realFsync = false;
            const int ready = -1;
            if (::write(report[1], &ready, sizeof ready) != sizeof ready) ::_exit(2);
            for (int i = done; i < kRewrites; ++i) {
                KozeniLedgerFile(folder).rewrite(ledgerNumber(i));
                io.log.clear();
                if (::write(report[1], &i, sizeof i) != sizeof i) ::_exit(2);
            }
            ::_exit(0);
        }
        ::close(report[1]);
        // Once the child is under way, a random moment of its rewrites.
        int i = 0;
        ASSERT_EQ(::read(report[0], &i, sizeof i), static_cast<ssize_t>(sizeof i));
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        int last = done - 1;
        while (::read(report[0], &i, sizeof i) == sizeof i) last = i;
        ::close(report[0]);
        if (WIFSIGNALED(status)) ++kills;

        // The ledger is the last finished rewrite or the one after it, whole.
        const auto ledger = KozeniLedgerFile(folder).read();
        const int found = static_cast<int>(ledger.records.front().amount.roundedYen());
        ASSERT_TRUE(found == last || found == last + 1) << found << " after " << last;
        ASSERT_EQ(ledger.records, ledgerNumber(found));
        folder.removeTemporaryFiles();
        ASSERT_FALSE(hasTemporaryFile(tmp.path()));
        done = found + 1;
    }
    EXPECT_GE(kills, 10);
    std::cout << "[ faults  ] " << kills << " kills during " << kRewrites
              << " rewrites, the ledger whole after each\n";
}

}  // namespace
}  // namespace zm

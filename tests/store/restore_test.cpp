#include "store/restore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "store/backup.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// A copy of the 1st without a small-change ledger, and other data now.
struct Restore : ::testing::Test {
    World w;
    Files older, now;
    fs::path copies() { return w.dir.path() / "バックアップ"; }
    void SetUp() override {
        w.putInstallation();
        w.put(files::kEvery, "\"2026年03月01日\",\"08:00:00\",100\n");
        w.put(files::kTheme[0], "\"2026年03月01日\",\"お風呂\",30\n");
        for (std::string_view ledger : {files::kTheme[1], files::kTheme[2], files::kGoals})
            w.put(ledger, "");
        copyDataFiles(w.folder, "20260301", files::allData());
        older = dataFiles(w.dir.path());
        older[std::string(files::kKozeni)] = "";  // a missing ledger is an empty one
        w.put(files::kEvery, "\"2026年03月05日\",\"08:00:00\",5\n");
        w.put(files::kKozeni, "\"2026年03月05日\",\"08:00:00\",450\n");
        now = dataFiles(w.dir.path());
    }
};

TEST_F(Restore, CopiesAreListedNewestFirstWithTheirKinds) {
    for (const char* name : {"20260305", "20260305-101112", "20260304-235959", "notes",
                             ".20260306.tmp", "20261340", "20260305-1011", "20260305-101112-2"})
        fs::create_directories(copies() / name);
    std::ofstream(copies() / "20260306");  // a file, no copy
    for (const char* marked : {"20260304-235959", "20260305-101112-2"})
        std::ofstream(copies() / marked / std::string(kBeforeRestoreNote));

    std::vector<std::string> listed;
    for (const CopyFolder& c : listCopies(w.folder)) {
        listed.push_back(c.name + " " + std::to_string(static_cast<int>(c.kind)) + " " +
                         (c.time ? std::to_string(c.time->count()) : "-"));
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"20260305-101112-2 2 36672",
                                                "20260305-101112 1 36672", "20260305 0 -",
                                                "20260304-235959 2 86399", "20260301 0 -"}));
}

TEST_F(Restore, ALedgerTheCopyLacksIsEmptiedAndAnyOtherMissingFileMakesItUnreadable) {
    const CopyContents contents = readCopy(w.folder, "20260301");
    EXPECT_EQ(contents.total, Money::fromYen(130));
    EXPECT_EQ(contents.records, 2);
    const fs::path before = restoreCopy(w.folder, "20260301", "20260305-101112");
    EXPECT_EQ(dataFiles(w.dir.path()), older);
    restoreCopy(w.folder, before.filename().native(), "20260305-101112");
    EXPECT_EQ(dataFiles(w.dir.path()), now);

    fs::remove(copies() / "20260301" / std::string(files::kItems[1]));
    const auto e =
        refusalOf<RestoreError>([&] { restoreCopy(w.folder, "20260301", "20260305-888888"); });
    EXPECT_EQ(e.stage(), RestoreError::Stage::Unreadable);
    EXPECT_EQ(e.file(), files::kItems[1]);
    EXPECT_EQ(dataFiles(w.dir.path()), now);
    EXPECT_FALSE(fs::exists(copies() / "20260305-888888"));
}

TEST_F(Restore, WhatCannotBePutBackIsSaid) {
    const std::string first(files::allData()[0]), fourth(files::allData()[3]);
    const struct {
        std::map<std::string, int> failRenames;
        RestoreError::Stage stage;
        std::string named;
    } cases[] = {
        {{{"20260305-101112", 0}}, RestoreError::Stage::NoCopyOfBefore, "20260305-101112"},
        // The fourth file fails, and putting the first back fails too.
        {{{fourth, 0}, {first, 1}}, RestoreError::Stage::Mixed, first},
    };
    for (const auto& c : cases) {
        FailingRenames calls;
        calls.names = c.failRenames;
        const UsingFileCalls using_(calls);
        const auto e =
            refusalOf<RestoreError>([&] { restoreCopy(w.folder, "20260301", "20260305-101112"); });
        EXPECT_EQ(e.stage(), c.stage);
        EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        if (c.stage != RestoreError::Stage::Mixed) {
            EXPECT_EQ(dataFiles(w.dir.path()), now);
        }
    }
}

// The process killed at a file call: nothing after it runs, no failure is
// handled, as with SIGKILL; the page cache keeps what was written. A close,
// which destructors make, only counts: the kill falls on the call after it.
struct Killed {};
struct KilledAt final : FileCalls {
    int at, calls = 0;
    explicit KilledAt(int n) : at(n) {}
    void step() {
        if (calls++ >= at) throw Killed{};
    }
    int open(const char* p, int f, mode_t m) override { return step(), FileCalls::open(p, f, m); }
    int makeTemp(char* t, int n) override { return step(), FileCalls::makeTemp(t, n); }
    ssize_t write(int fd, const void* d, std::size_t n) override {
        return step(), FileCalls::write(fd, d, n);
    }
    int fsync(int) override { return step(), 0; }
    int close(int fd) override { return ++calls, FileCalls::close(fd); }
    int rename(const char* a, const char* b) override { return step(), FileCalls::rename(a, b); }
};

// Killed at every call of the restore in turn: the next start leaves the data
// files as the copy, byte for byte, once its mark is written, and as they
// were before that; a copy no longer readable gives the files of before back.
TEST_F(Restore, ARestoreKilledAnywhereIsFinishedByTheNextStart) {
    int killedAt = 0, finished = 0;
    for (bool restored = false; !restored; ++killedAt) {
        for (const CopyFolder& c : listCopies(w.folder))
            if (c.name != "20260301") fs::remove_all(copies() / c.name);
        for (const auto& [name, bytes] : now) w.dir.write(name, bytes);
        {
            KilledAt calls(killedAt);
            const UsingFileCalls using_(calls);
            try {
                restoreCopy(w.folder, "20260301", "20260305-101112");
                restored = true;
            } catch (const Killed&) {
            }
        }
        w.folder.removeTemporaryFiles();
        removeUnfinishedCopies(w.folder);
        const auto done = finishRestore(w.folder);
        const bool marked = fs::exists(copies() / "20260305-101112");
        if (!marked || restored) {
            EXPECT_FALSE(done) << killedAt;
        }
        EXPECT_EQ(dataFiles(w.dir.path()), marked ? older : now) << killedAt;
        EXPECT_FALSE(finishRestore(w.folder)) << killedAt;
        if (done) {
            ++finished;
            EXPECT_EQ(done->copyName, "20260301");
            EXPECT_EQ(done->beforeName, "20260305-101112");
            EXPECT_EQ(done->copyProblem, "");
        }
    }
    EXPECT_GT(finished, 15);  // at least once at each replacement

    for (const auto& [name, bytes] : now) w.dir.write(name, bytes);
    {
        KilledAt calls(killedAt - 5);
        const UsingFileCalls using_(calls);
        EXPECT_THROW(restoreCopy(w.folder, "20260301", "20260305-111111"), Killed);
    }
    fs::remove(copies() / "20260301" / std::string(files::kItems[1]));
    const auto done = finishRestore(w.folder);
    ASSERT_TRUE(done);
    EXPECT_NE(done->copyProblem.find(files::kItems[1]), std::string::npos) << done->copyProblem;
    EXPECT_EQ(dataFiles(w.dir.path()), now);
}

}  // namespace
}  // namespace zm::test

#include "app/dailycopy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/mainform.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

TEST(DailyCopy, StartUpCopiesTheDataAndClearsWhatACrashLeft) {
    World w;
    w.putInstallation();
    w.put(files::kKozeni, "\"2026年03月04日\",\"09:00:00\",5\n");
    w.dir.write(".小銭清算.txt.q1W2e3.tmp", "\"2026年03");
    MainForm form(w.services());
    form.Form_Load();
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_FALSE(fs::exists(w.dir.path() / ".小銭清算.txt.q1W2e3.tmp"));
    EXPECT_EQ(w.dir.read("バックアップ/20260305/小銭清算.txt"), w.dir.read("小銭清算.txt"));
    EXPECT_EQ(w.dir.read("バックアップ/20260305/設定.txt"), w.dir.read("設定.txt"));
}

TEST(DailyCopy, ACopyThatCannotBeMadeWarnsOnceAndTheProgramGoesOn) {
    const struct {
        const char* inTheWay;  // a file where a folder belongs
        const char* told;
    } cases[] = {
        {"バックアップ", "「バックアップ」：フォルダではありません"},
        {"バックアップ/20260305", "「バックアップ/20260305」：フォルダではない"},
    };
    for (const auto& c : cases) {
        World w;
        w.putInstallation();
        w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
        fs::create_directories(fs::path(w.dir.path() / c.inTheWay).parent_path());
        w.dir.write(c.inTheWay, "in the way");
        w.dialogs.answer(Answer::Ok);
        MainForm form(w.services());
        form.Form_Load();
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        EXPECT_EQ(w.dialogs.shown[0].title, kCopyFailedTitle);
        EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Exclamation);
        EXPECT_NE(w.dialogs.shown[0].text.find(c.told), std::string::npos)
            << w.dialogs.shown[0].text;
        EXPECT_TRUE(w.shell.mainShown);
        EXPECT_EQ(form.every.msgEvery.recordCount(), 1);
        EXPECT_EQ(w.dir.read(c.inTheWay), "in the way");
    }
}

TEST(DailyCopy, DataTheProgramRefusesAreNotCopied) {
    const struct {
        std::string_view file;
        const char* damaged;
        bool startRefused;
    } cases[] = {
        {files::kTheme[2], "\"2026年03月04日\",\"お風呂\",abc\n", true},
        // Read only when the goals page opens: the start goes on, warned.
        {files::kGoals, "\"旅行\",5万\n", false},
    };
    for (const auto& c : cases) {
        World w;
        w.putInstallation();
        w.put(c.file, c.damaged);
        if (!c.startRefused) w.dialogs.answer(Answer::Ok);
        MainForm form(w.services());
        bool refused = false;
        try {
            form.Form_Load();
        } catch (const FileError& e) {
            refused = true;
            EXPECT_EQ(e.file(), c.file);
        }
        EXPECT_EQ(refused, c.startRefused) << c.file;
        EXPECT_FALSE(fs::exists(w.dir.path() / "バックアップ" / "20260305")) << c.file;
        if (!c.startRefused) {
            ASSERT_EQ(w.dialogs.shown.size(), 1u) << c.file;
            EXPECT_NE(w.dialogs.shown[0].text.find(std::string(c.file)), std::string::npos);
        }
    }
}

TEST(StartUp, AnOversizeLedgerIsRefusedAndNoDataFileChanges) {
    World w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    std::string full;
    for (int i = 0; i <= kMaxRecords; ++i) full += "\"2026年03月01日\",\"09:00:00\",1\n";
    w.put(files::kKozeni, full);
    // Each file by its size and a hash: a failure prints a line, not a
    // comparison of megabytes.
    const auto fingerprints = [&w] {
        std::map<std::string, std::pair<std::size_t, std::size_t>> out;
        for (std::string_view name : files::allData()) {
            if (!w.folder.exists(name)) continue;
            const std::string bytes = w.dir.read(name);
            out[std::string(name)] = {bytes.size(), std::hash<std::string>{}(bytes)};
        }
        return out;
    };
    const auto before = fingerprints();
    MainForm form(w.services());
    try {
        form.Form_Load();
        ADD_FAILURE() << "an oversize ledger was loaded";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), files::kKozeni);
        EXPECT_EQ(e.line(), kMaxRecords + 1);
    }
    EXPECT_EQ(fingerprints(), before);
}

}  // namespace
}  // namespace zm::test

#include "app/dailycopy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/mainform.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/refusal.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

TEST(DailyCopy, StartUpCopiesTheDataAndClearsWhatACrashLeft) {
    StartedForm started(
        {.files = {{files::kKozeni, "\"2026年03月04日\",\"09:00:00\",5\n"}}, .load = false});
    auto& [w, form] = started;
    w.dir.write(".小銭清算.txt.q1W2e3.tmp", "\"2026年03");
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
        StartedForm started({.files = {{files::kEvery, kOneStep}}, .load = false});
        auto& [w, form] = started;
        fs::create_directories(fs::path(w.dir.path() / c.inTheWay).parent_path());
        w.dir.write(c.inTheWay, "in the way");
        w.dialogs.answer(Answer::Ok);
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
        StartedForm started({.files = {{c.file, c.damaged}}, .load = false});
        auto& [w, form] = started;
        if (c.startRefused) {
            EXPECT_EQ(refusalOf([&] { form.Form_Load(); }).file(), c.file);
        } else {
            w.dialogs.answer(Answer::Ok);
            form.Form_Load();
        }
        EXPECT_FALSE(fs::exists(w.dir.path() / "バックアップ" / "20260305")) << c.file;
        if (!c.startRefused) {
            ASSERT_EQ(w.dialogs.shown.size(), 1u) << c.file;
            EXPECT_NE(w.dialogs.shown[0].text.find(std::string(c.file)), std::string::npos);
        }
    }
}

TEST(StartUp, AnOversizeLedgerIsRefusedAndNoDataFileChanges) {
    std::string full;
    for (int i = 0; i <= kMaxRecords; ++i) full += "\"2026年03月01日\",\"09:00:00\",1\n";
    StartedForm started(
        {.files = {{files::kEvery, kOneStep}, {files::kKozeni, full}}, .load = false});
    auto& [w, form] = started;
    const Fingerprints before = fingerprints(w);
    const FileError e = refusalOf([&] { form.Form_Load(); });
    EXPECT_EQ(e.file(), files::kKozeni);
    EXPECT_EQ(e.line(), kMaxRecords + 1);
    EXPECT_EQ(fingerprints(w), before);
}

}  // namespace
}  // namespace zm::test

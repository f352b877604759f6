#include "app/dailycopy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/mainform.h"
#include "store/backup.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/restore.h"
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

// A restore cut short after its copy of before: the next start finishes it
// from the copy, or undoes it from the copy of before when the copy can no
// longer be read, and says which, before any page reads the files.
TEST(StartUp, ARestoreCutShortIsFinishedBeforeThePagesRead) {
    const struct {
        bool copyDamaged;
        const char* from;  // the copy the data files are now
        Icon icon;
        const char* told;
    } cases[] = {
        {false, "20260301", Icon::Information,
         "前回のデータを戻す操作が途中で止まっていたため、最後まで行いました。\r\n"
         "戻したコピー：バックアップ/20260301\r\n"
         "置き換える前のデータのコピー：バックアップ/20260305-101112"},
        {true, "20260305-101112", Icon::Exclamation,
         "前回のデータを戻す操作が途中で止まっていました。戻すコピー（バックアップ/20260301）を"
         "読めないため、データを戻す前の状態に戻しました。\r\n"
         "戻す前のデータのコピー：バックアップ/20260305-101112\r\n\r\nファイル「項目２.txt」"},
    };
    for (const auto& c : cases) {
        StartedForm started(
            {.files = {{files::kKozeni, "\"2026年03月01日\",\"09:00:00\",5\n"}}, .load = false});
        auto& [w, form] = started;
        copyDataFiles(w.folder, "20260301", files::allData());
        w.put(files::kKozeni, "\"2026年03月04日\",\"09:00:00\",7\n");
        const std::string named = "20260301\r\n";
        copyDataFiles(w.folder, "20260305-101112", files::allData(),
                      {{kBeforeRestoreNote, named}, {kRestoringNote, named}});
        w.put(files::kEvery, "");  // the first file replaced, then the kill
        if (c.copyDamaged) fs::remove(w.dir.path() / "バックアップ/20260301/項目２.txt");
        w.dialogs.answer(Answer::Ok);
        form.Form_Load();
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        EXPECT_EQ(w.dialogs.shown[0].title, "データを戻す");
        EXPECT_EQ(w.dialogs.shown[0].icon, c.icon);
        EXPECT_EQ(w.dialogs.shown[0].text.rfind(c.told, 0), 0u) << w.dialogs.shown[0].text;
        auto wanted = dataFiles(w.dir.path() / "バックアップ" / c.from);
        for (auto& [name, bytes] : wanted)
            if (bytes == "-") bytes.clear();  // a ledger the copy lacks is an empty one
        EXPECT_EQ(dataFiles(w.dir.path()), wanted);
        EXPECT_EQ(form.kozeni.msgKozeni.recordCount(), 1);
        EXPECT_FALSE(fs::exists(w.dir.path() / "バックアップ/20260305-101112" /
                                std::string(kRestoringNote)));
        EXPECT_TRUE(w.shell.mainShown);
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

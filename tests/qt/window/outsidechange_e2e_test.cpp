#include <gtest/gtest.h>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "store/cp932.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

std::string cp932(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

const std::string kRecords = cp932(
    "\"2026年03月01日\",\"09:00:00\",500\r\n\"2026年03月02日\",\"09:00:00\",120\r\n"
    "\"2026年03月03日\",\"09:00:00\",20000\r\n");
const std::string kOutside = cp932("\"2026年03月04日\",\"09:00:00\",777\r\n");

// Another program changes a ledger while the window is open: the next
// deletion writes nothing, every page shows the file as it is now, and the
// user is told; asked again, the deletion keeps the outside record. An idle
// window follows a change on its own.
TEST(OutsideChangeWindow, NoWriteOverwritesWhatAnotherProgramWrote) {
    const struct {
        const char* how;
        std::function<void(const fs::path&)> change;
    } changes[] = {
        {"appended", [](const fs::path& file) { std::ofstream(file, std::ios::app) << kOutside; }},
        {"replaced by a rename",
         [](const fs::path& file) {
             const fs::path temp = file.parent_path() / ".sync-tmp";
             std::ofstream(temp, std::ios::binary) << kRecords << kOutside;
             fs::rename(temp, file);
         }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.how);
        Window win;
        win.w.putInstallation();
        win.w.dir.write(files::kKozeni, kRecords);
        win.start();
        win.click("cmdCyokin2");
        auto* table = win.find<QTableView>("msgKozeni");
        const fs::path file = win.w.dir.path() / std::string(files::kKozeni);
        c.change(file);

        win.w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
        doubleClick(table->viewport(), rowCentre(table, 1));  // 120, then OK
        ASSERT_EQ(win.w.dialogs.shown.size(), 2u);
        EXPECT_EQ(win.w.dialogs.shown[1].text,
                  "「小銭清算.txt」がほかのプログラムで変更されていたため、読み直しました。"
                  "内容を確かめて、もう一度操作してください。");
        EXPECT_EQ(win.w.dialogs.shown[1].title, "ファイルの変更");
        EXPECT_EQ(win.w.dialogs.shown[1].icon, Icon::Exclamation);
        EXPECT_EQ(win.w.dir.read(files::kKozeni), kRecords + kOutside);
        EXPECT_EQ(table->model()->rowCount(), 4);

        win.w.dialogs.answer(Answer::Ok);
        doubleClick(table->viewport(), rowCentre(table, 1));
        EXPECT_EQ(win.w.dialogs.shown.size(), 3u);
        EXPECT_EQ(win.w.dir.read(files::kKozeni),
                  cp932("\"2026年03月01日\",\"09:00:00\",500\r\n"
                        "\"2026年03月03日\",\"09:00:00\",20000\r\n") +
                      kOutside);

        // Idle: shown within a second, without a word; its own writes are no change.
        c.change(file);
        QElapsedTimer clock;
        clock.start();
        while (table->model()->rowCount() != 4 && clock.elapsed() < 1000) QTest::qWait(20);
        EXPECT_EQ(table->model()->rowCount(), 4);
        EXPECT_EQ(win.w.dialogs.shown.size(), 3u);
    }
}

// Every other page that writes: a deletion of its first row, or the 365-step
// deposit, after another program appended to the file writes nothing, and
// the page shows the outside record.
TEST(OutsideChangeWindow, EveryWritingPageRefusesAfterAnOutsideChange) {
    const struct {
        const char* page;
        const char* table;  // a double-click on its first row deletes it; none: a deposit
        std::string_view file;
        const char* record;  // two of these are there, a third comes from outside
    } cases[] = {
        {"cmdCyokin1", nullptr, files::kEvery, "\"2026年03月03日\",\"09:00:00\",1"},
        {"cmdCyokin3", "msgChingin", files::kTheme[0], "\"2026年03月03日\",\"お風呂\",30"},
        {"cmdCyokin3", "msgChinKou", files::kItems[0], "\"缶コーヒー\",120"},
        {"cmdMaster", "msgMokuhyo", files::kGoals, "\"旅行\",300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Window win;
        win.w.putInstallation();
        win.w.put(c.file, std::string(c.record) + "\n" + c.record + "\n");
        win.start();
        win.click(c.page);
        const fs::path file = win.w.dir.path() / std::string(c.file);
        std::ofstream(file, std::ios::app) << cp932(std::string(c.record) + "\r\n");
        const std::string now = win.w.dir.read(c.file);
        win.w.dialogs.shown.clear();
        win.w.dialogs.answer(Answer::Ok);  // the change
        auto* table = win.find<QTableView>(c.table ? c.table : "msgEvery");
        if (c.table) {
            win.w.dialogs.answer(Answer::Ok);  // the deletion, asked first
            doubleClick(table->viewport(), rowCentre(table, 0));
        } else {
            win.click("cmdEveryHozon");
        }
        EXPECT_EQ(win.w.dir.read(c.file), now);
        ASSERT_FALSE(win.w.dialogs.shown.empty());
        EXPECT_EQ(win.w.dialogs.shown.back().title, "ファイルの変更");
        EXPECT_EQ(table->model()->rowCount(), 3);
    }
}

}  // namespace
}  // namespace zm::test

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

// The 365-step ledger changed from outside: the deposit is refused before
// anything is written, and the page shows the outside record.
TEST(OutsideChangeWindow, ADepositAfterAnOutsideChangeWritesNothing) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月03日\",\"09:00:00\",1\n");
    win.start();
    auto* table = win.find<QTableView>("msgEvery");
    const std::string outside = cp932("\"2026年03月04日\",\"09:00:00\",2\r\n");
    std::ofstream(win.w.dir.path() / std::string(files::kEvery), std::ios::app) << outside;
    const std::string now = win.w.dir.read(files::kEvery);
    win.w.dialogs.answer(Answer::Ok);
    win.click("cmdEveryHozon");
    EXPECT_EQ(win.w.dir.read(files::kEvery), now);
    ASSERT_FALSE(win.w.dialogs.shown.empty());
    EXPECT_EQ(win.w.dialogs.shown.back().title, "ファイルの変更");
    EXPECT_EQ(table->model()->rowCount(), 2);
}

}  // namespace
}  // namespace zm::test

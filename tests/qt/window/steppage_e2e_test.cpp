#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include "store/cp932.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

TEST(StepPageWindow, DepositThroughTheRealWindow) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"09:00:00\",2\n");
    win.start();

    ASSERT_FALSE(win.shell.ended());
    EXPECT_EQ(win.window->windowTitle().toStdString(), "ズメリ貯金Ｐｒｏ");
    EXPECT_TRUE(win.find("fraCyokin1")->isVisible());
    EXPECT_FALSE(win.find("fraDay")->isVisible());
    EXPECT_EQ(win.text("lblEvery_Goukei"), "12円");
    EXPECT_EQ(win.text("lblCmnt1_2"), "3日からの滞納金が");
    auto* table = win.find<QTableView>("msgEvery");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(table->model()->headerData(4, Qt::Horizontal).toString().toStdString(), "累積");

    win.click("cmdEveryHozon");
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(table->model()->index(2, 3).data().toString().toStdString(), "¥12");
    EXPECT_EQ(win.text("lblCmnt1_2"), "本日入金済みです。");
    EXPECT_FALSE(win.find("lblEvery_Goukei")->isVisible());
    EXPECT_FALSE(win.find("cmdEveryHozon")->isEnabled());
    EXPECT_FALSE(win.find("cmdEveryHozon2")->isEnabled());
    EXPECT_EQ(win.w.get(files::kEvery).substr(win.w.get(files::kEvery).rfind("\"2026年03月05日")),
              "\"2026年03月05日\",\"10:11:12\",12\r\n");

    // Target days typed and confirmed with Enter.
    auto* nissuu = win.find<QLineEdit>("txtSetNissuu");
    nissuu->selectAll();
    QTest::keyClicks(nissuu, "20");
    QTest::keyClick(nissuu, Qt::Key_Return);
    EXPECT_EQ(win.text("lblSetKingaku"), "¥210");
    EXPECT_EQ(win.w.get(files::kEveryTarget), "20\r\n");

    // Page buttons.
    win.click("cmdDay");
    EXPECT_TRUE(win.find("fraDay")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());
    win.click("cmdEnd");
    EXPECT_TRUE(win.shell.ended());
}

TEST(StepPageWindow, BrokenLedgerIsReportedAndEndsTheProgramWithoutWriting) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"0900\",2\n");
    const std::string before = win.w.dir.read(std::string(files::kEvery));
    win.w.dialogs.answer(Answer::Ok);
    win.start();

    EXPECT_TRUE(win.shell.ended());
    EXPECT_NE(win.shell.exitCode(), 0);
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_NE(win.w.dialogs.shown[0].text.find("３６５歩のマーチ.TXT"), std::string::npos);
    EXPECT_NE(win.w.dialogs.shown[0].text.find("2 行目"), std::string::npos);
    EXPECT_EQ(win.w.dir.read(std::string(files::kEvery)), before);
}

}  // namespace
}  // namespace zm::test

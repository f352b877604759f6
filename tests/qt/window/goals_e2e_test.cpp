#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include "window.h"

#include "store/filenames.h"

namespace zm::test {
namespace {

// Savings of 3 + 450 + 30 + 20 + 10 = 513 yen and one goal of 500 yen.
void putData(World& w) {
    w.putInstallation();
    w.put(files::kGoals, "\"本\",500\n");
    w.put(files::kEvery, "\"2026年03月03日\",\"08:00:00\",1\n\"2026年03月04日\",\"08:00:00\",2\n");
    w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",450\n");
    for (int t = 0; t < 3; ++t) {
        w.put(files::kTheme[t],
              "\"2026年03月02日\",\"お風呂\"," + std::to_string(30 - 10 * t) + "\n");
        w.put(files::kItems[t], "\"お風呂\",30\n");
    }
}

TEST(GoalsPageWindow, AddGoalsByEnterAndByTheButtonThenDeleteOneAndClear) {
    Window win;
    putData(win.w);
    win.start();
    ASSERT_FALSE(win.shell.ended());
    EXPECT_EQ(win.find<QPushButton>("cmdMaster")->toolTip().toStdString(),
              "貯金の目的を表示します（Ctrl+6）");
    win.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.window.get()));
    win.click("cmdMaster");
    EXPECT_TRUE(win.find("fraMokuhyo")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());

    auto* grid = win.find<QTableView>("msgMokuhyo");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->font().pointSize(), 16);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "貯金目的");
    EXPECT_EQ(cellText(grid, 0, 0), "★");
    EXPECT_EQ(cellText(grid, 0, 3), "¥13");
    EXPECT_EQ(win.text("lblSougaku"), "¥513");
    EXPECT_EQ(win.text("lblMokuSou"), "¥500");
    EXPECT_EQ(win.text("lblSagaku"), "-¥13");
    EXPECT_EQ(win.find<QGroupBox>("fraNewStart")->title().toStdString(),
              "現状のデータをクリアして新規にズメリ貯金をスタートします");
    EXPECT_EQ(win.find<QLineEdit>("txtTemaMei_1")->text().toStdString(), "～つもり貯金");

    // Typed with Enter between the boxes and Enter to add.
    auto* purpose = win.find<QLineEdit>("txtInpMokuKou");
    auto* target = win.find<QLineEdit>("txtInpMokuKin");
    purpose->setFocus();
    typeJapanese(purpose, "北海道旅行");
    QTest::keyClick(purpose, Qt::Key_Return);
    EXPECT_TRUE(target->hasFocus());
    QTest::keyClicks(target, "¥120,000");
    QTest::keyClick(target, Qt::Key_Return);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cellText(grid, 1, 0), "");
    EXPECT_EQ(cellText(grid, 1, 1), "北海道旅行");
    EXPECT_EQ(cellText(grid, 1, 2), "¥120,000");
    EXPECT_EQ(cellText(grid, 1, 3), "-¥119,487");
    EXPECT_EQ(win.text("lblMokuSou"), "¥120,500");
    EXPECT_EQ(win.text("lblSagaku"), "¥119,987");
    EXPECT_EQ(purpose->text().toStdString(), "");
    EXPECT_TRUE(purpose->hasFocus());

    // By the button; letters in the amount add nothing and say nothing.
    typeJapanese(purpose, "傘");
    QTest::keyClicks(target, "abc");
    win.click("cmdMokuHozon");
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_TRUE(win.w.dialogs.shown.empty());
    target->setText("300");
    win.click("cmdMokuHozon");
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(win.w.get(files::kGoals), "\"本\",500\r\n\"北海道旅行\",120000\r\n\"傘\",300\r\n");

    // A double-click deletes the row under the mouse.
    win.w.dialogs.answer(Answer::Ok);
    doubleClick(grid->viewport(), rowCentre(grid, 1));
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].text, "北海道旅行 のデータを削除してもいいですか？\r\n");
    EXPECT_EQ(win.w.get(files::kGoals), "\"本\",500\r\n\"傘\",300\r\n");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cellText(grid, 1, 1), "傘");
    EXPECT_EQ(win.text("lblMokuSou"), "¥800");

    win.w.dialogs.answer(Answer::Ok);
    win.click("cmdMokuClr");
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(win.w.get(files::kGoals), "");
    EXPECT_EQ(win.text("lblSagaku"), "-¥513");
    EXPECT_FALSE(win.shell.ended());
}

TEST(GoalsPageWindow, NewStartEndsTheProgramAndTheRestartBeginsAfresh) {
    Window win;
    putData(win.w);
    win.start();
    win.click("cmdMaster");
    auto* first = win.find<QLineEdit>("txtTemaMei_1");
    first->clear();
    typeJapanese(first, "お菓子がまん");
    win.find<QLineEdit>("txtTemaMei_3")->setText("");
    win.w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    win.click("cmdNewStart");
    ASSERT_EQ(win.w.dialogs.shown.size(), 2u);
    EXPECT_EQ(win.w.dialogs.shown[1].title, "スタート準備完了");
    EXPECT_TRUE(win.shell.ended());
    EXPECT_FALSE(win.window->isVisible());
    EXPECT_TRUE(std::filesystem::exists(win.w.dir.path() / "バックアップ" / "20260305-101112" /
                                        std::string(files::kKozeni)));

    // Start again on the same folder. The model checks go first: a list's
    // model reports its reset while its widget is being destroyed.
    win.modelTesters.clear();
    win.window.reset();
    win.form.reset();
    win.shell = QtShell();
    win.guides.clear();
    win.w.dialogs.shown.clear();
    win.start();
    ASSERT_FALSE(win.shell.ended());
    EXPECT_TRUE(win.find("fraCyokin1")->isVisible());
    EXPECT_EQ(win.find<QTableView>("msgEvery")->model()->rowCount(), 0);
    EXPECT_EQ(win.text("lblEvery_Kingaku"), "1円");
    ASSERT_EQ(win.guides.size(), 1u);
    EXPECT_EQ(win.guides[0].guide, Guide::Sub1);
    EXPECT_TRUE(win.guides[0].modal);
    win.click("cmdCyokin2");
    EXPECT_EQ(win.find<QTableView>("msgKozeni")->model()->rowCount(), 0);
    win.click("cmdCyokin3");
    EXPECT_EQ(win.text("lblTemaMei1"), "お菓子がまん");
    EXPECT_EQ(win.find<QPushButton>("cmdCyokin3")->text().toStdString(), "お菓子が");
    EXPECT_EQ(win.find<QTableView>("msgChinKou")->model()->rowCount(), 0);
    win.click("cmdCyokin4");
    EXPECT_EQ(win.text("lblTemaMei2"), "家庭賃金制");
    win.click("cmdCyokin5");
    EXPECT_EQ(win.text("lblTemaMei3"), "");
    win.click("cmdMaster");
    EXPECT_EQ(win.find<QTableView>("msgMokuhyo")->model()->rowCount(), 0);
    EXPECT_EQ(win.text("lblSougaku"), "¥0");
    EXPECT_TRUE(win.w.dialogs.shown.empty());
}

}  // namespace
}  // namespace zm::test

#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "qt/charts/chartview.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "window.h"

namespace zm::test {
namespace {

TEST(SmallChangeWindow, DepositAndDeleteOnTheSmallChangePage) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.w.put(files::kKozeni, "\"2026年02月20日\",\"19:00:00\",300\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());

    win.click("cmdCyokin2");
    EXPECT_TRUE(win.find("fraCyokin2")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());
    EXPECT_EQ(win.text("lblKozeni_Keika"), "13日");
    auto* amount = win.find<QLineEdit>("txtKozeni_Inp");
    QTest::keyClicks(amount, "1,250");
    QTest::keyClick(amount, Qt::Key_Return);

    auto* table = win.find<QTableView>("msgKozeni");
    ASSERT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(cellText(table, 1, 0), "2");
    EXPECT_EQ(cellText(table, 1, 1), "2026年03月05日");
    EXPECT_EQ(cellText(table, 1, 3), "¥1,250");
    EXPECT_EQ(cellText(table, 1, 4), "¥1,550");
    EXPECT_EQ(win.text("lblKozeni_cnt"), "2回");
    EXPECT_EQ(win.text("lblKozeni_zen"), "¥1,550");
    EXPECT_EQ(win.text("lblKozeni_Max"), "¥1,250");
    EXPECT_EQ(win.text("lblKozeni_Min"), "¥300");
    EXPECT_EQ(win.text("lblKozeni_Avg"), "¥775");
    EXPECT_EQ(win.text("lblCmnt2_1"), "本日入金済みです。");
    EXPECT_TRUE(win.find("lblCmnt2_1")->isVisible());
    EXPECT_FALSE(win.find("lblKozeni_Keika")->isVisible());
    EXPECT_FALSE(win.find("lblCmnt2_0")->isVisible());
    EXPECT_EQ(amount->text(), "");
    EXPECT_EQ(win.w.get(files::kKozeni),
              "\"2026年02月20日\",\"19:00:00\",300\r\n\"2026年03月05日\",\"10:11:12\",1250\r\n");
    QCustomPlot* plot = win.find<ChartView>("mctKozeni")->plot();
    EXPECT_EQ(plot->plottable(0)->interface1D()->dataCount(), 2);
    EXPECT_EQ(plot->graph(0)->dataCount(), 2);

    // A bad amount from the button is refused and recorded nowhere.
    QTest::keyClicks(amount, "abc");
    win.w.dialogs.answer(Answer::Ok);
    win.click("cmdKozeniHozon");
    EXPECT_EQ(win.w.dialogs.shown.back().title, "数字以外の入力");
    EXPECT_EQ(table->model()->rowCount(), 2);

    // A double-click on the first row deletes it after the question.
    win.w.dialogs.answer(Answer::Ok);
    const QPoint first = table->visualRect(table->model()->index(0, 1)).center();
    // The view reports a double-click only after the press that selects the row.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(win.w.dialogs.shown.back().text,
              "1 2026年02月20日 19:00:00 ¥300 のデータを削除してもいいですか？\r\n");
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(cellText(table, 0, 0), "1");
    EXPECT_EQ(win.text("lblKozeni_zen"), "¥1,250");
    EXPECT_EQ(win.w.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",1250\r\n");
}

TEST(SmallChangeWindow, OverPaymentChangesBothPagesAndBothFiles) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"09:00:00\",2\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());

    win.w.dialogs.type("100").answer(Answer::Ok);
    win.click("cmdEveryHozon2");
    EXPECT_EQ(win.w.dialogs.shown.back().title, "確認");
    EXPECT_EQ(win.find<QTableView>("msgEvery")->model()->rowCount(), 3);
    EXPECT_EQ(win.text("lblEvery_zen"), "¥15");
    EXPECT_EQ(win.text("lblCmnt1_2"), "本日入金済みです。");
    EXPECT_FALSE(win.find("cmdEveryHozon")->isEnabled());
    EXPECT_FALSE(win.find("cmdEveryHozon2")->isEnabled());
    win.click("cmdCyokin2");
    EXPECT_EQ(win.find<QTableView>("msgKozeni")->model()->rowCount(), 1);
    EXPECT_EQ(win.text("lblKozeni_zen"), "¥88");
    EXPECT_EQ(win.text("lblCmnt2_1"), "本日入金済みです。");
    EXPECT_EQ(win.w.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",88\r\n");
    EXPECT_NE(win.w.get(files::kEvery).find("\"2026年03月05日\",\"10:11:12\",12\r\n"),
              std::string::npos);

    // Giving up opens the day again.
    win.click("cmdCyokin1");
    win.w.dialogs.answer(Answer::Ok).answer(Answer::Yes);
    win.click("cmdEveryClr");
    EXPECT_TRUE(win.find("cmdEveryHozon")->isEnabled());
    EXPECT_TRUE(win.find("cmdEveryHozon2")->isEnabled());
    EXPECT_EQ(win.text("lblEvery_Kingaku"), "1円");
    EXPECT_EQ(win.w.get(files::kEvery), "");
    EXPECT_EQ(win.w.get(files::kEveryHistory), "\"2026年03月04日\",\"00:00:00\",15\r\n");
}

TEST(SmallChangeWindow, HalfDoneOverPaymentIsReportedAndEndsTheProgram) {
    Window win;
    win.w.putInstallation();
    win.start();
    FailingOpens calls(files::kEvery);
    const UsingFileCalls using_(calls);
    win.w.dialogs.type("10").answer(Answer::Ok).answer(Answer::Ok);
    win.click("cmdEveryHozon2");
    EXPECT_TRUE(win.shell.ended());
    const auto& report = win.w.dialogs.shown.back();
    EXPECT_EQ(report.icon, Icon::Critical);
    EXPECT_NE(report.text.find("３６５歩のマーチ.TXT"), std::string::npos);
    EXPECT_NE(report.text.find("差分の 9円 は「小銭清算.txt」に記録しました。"), std::string::npos);
    EXPECT_EQ(win.w.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",9\r\n");
}

}  // namespace
}  // namespace zm::test

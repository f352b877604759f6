#include <gtest/gtest.h>
#include <QHeaderView>

#include "history/analysis.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

QRect placeOf(Window& win, const char* name) {
    QWidget* w = win.find(name);
    return QRect(w->mapTo(win.window.get(), QPoint(0, 0)), w->size());
}

TEST(AnalysisWindow, OpensThroughItsButtonWithRankingsBandsAndTotals) {
    Window win;
    win.w.putInstallation(1);
    win.w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    win.w.put(files::kKozeni, "\"2026年03月04日\",\"20:00:00\",20000\n");
    win.w.put(
        files::kTheme[0],
        "\"2026年03月01日\",\"お風呂\",30\n\"2026年03月02日\",\"晩酌\",50\n"
        "\"2026年03月03日\",\"お風呂\",30\n\"2026年03月04日\",\"タクシーを使ったつもり\",690\n");
    win.start();
    ASSERT_FALSE(win.shell.ended());
    EXPECT_FALSE(win.find("fraDataSort")->isVisible());

    win.w.dialogs.answer(Answer::Ok);
    win.click("cmdData_Sort");
    ASSERT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_EQ(win.w.dialogs.shown[0].text, kAnalysisHelpTour);
    EXPECT_EQ(win.w.dialogs.shown[0].title, "ヘルプツアー");
    EXPECT_TRUE(win.find("fraDataSort")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin1")->isVisible());

    auto* theme1 = win.find<QTableView>("msgJunTema1");
    ASSERT_EQ(theme1->model()->rowCount(), 3);
    EXPECT_EQ(cellText(theme1, 0, 0), "1");
    EXPECT_EQ(cellText(theme1, 0, 1), "タクシーを使ったつもり");
    EXPECT_EQ(cellText(theme1, 1, 2), "¥60");
    EXPECT_EQ(theme1->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "内容");
    auto* overall = win.find<QTableView>("msgJunTema");
    ASSERT_EQ(overall->model()->rowCount(), 5);
    EXPECT_EQ(cellText(overall, 0, 1), "小銭清算");
    EXPECT_EQ(cellText(overall, 0, 2), "¥20,000");
    EXPECT_EQ(cellText(overall, 4, 1), "３６５歩のマーチ");
    EXPECT_EQ(win.find<QTableView>("msgJunTema3")->model()->rowCount(), 0);

    // The rank column is drawn apart from the data, and amounts are not cut.
    EXPECT_NE(overall->itemDelegateForColumn(0), nullptr);
    EXPECT_GE(overall->columnWidth(2), overall->fontMetrics().horizontalAdvance("¥20,000"));
    EXPECT_GT(overall->columnWidth(1), overall->columnWidth(2));

    EXPECT_EQ(win.text("lblBun_on2_8"), "1");
    EXPECT_EQ(win.text("lblBun_on3_2"), "3");
    EXPECT_EQ(win.text("lblBun_on_2"), "3");
    EXPECT_EQ(win.text("lblBun_on_1"), "1");
    EXPECT_EQ(win.text("lblBunTema2_3"), "～つもり");
    EXPECT_EQ(win.text("lblBunTema_1"), "～つもり貯金");
    EXPECT_EQ(win.text("lblTemaGoukei_0"), "¥20,801");
    EXPECT_EQ(win.text("lblTemaGoukei_1"), "¥800");

    // Themes one under the other on the left; the overall ranking on the
    // right above the band table.
    const QRect t1 = placeOf(win, "msgJunTema1");
    const QRect t2 = placeOf(win, "msgJunTema2");
    const QRect t3 = placeOf(win, "msgJunTema3");
    const QRect all = placeOf(win, "msgJunTema");
    const QRect band = placeOf(win, "lblBun_on_8");
    EXPECT_LT(t1.bottom(), t2.top());
    EXPECT_LT(t2.bottom(), t3.top());
    EXPECT_LT(t1.right(), all.left());
    EXPECT_EQ(t1.top(), all.top());
    EXPECT_LT(all.bottom(), band.top());
    EXPECT_LE(band.bottom(), t3.bottom() + 2);

    // Pressed again while shown: nothing, not even the help tour.
    win.click("cmdData_Sort");
    EXPECT_EQ(win.w.dialogs.shown.size(), 1u);
    EXPECT_FALSE(win.shell.ended());
}

}  // namespace
}  // namespace zm::test

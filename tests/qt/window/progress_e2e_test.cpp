#include <gtest/gtest.h>
#include <QTableView>

#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

// Known deposits up to yesterday (today is 2026年03月05日): the goals page
// shows their pace and the months the goals are expected in, the 365-step
// page the run's progress, which follows a deposit and a give-up at once.
TEST(ProgressWindow, PaceExpectedMonthsAndTheRunsProgress) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年03月02日\",\"09:00:00\",1\n\"2026年03月03日\",\"09:00:00\",2\n"
              "\"2026年03月04日\",\"09:00:00\",3\n");
    win.w.put(files::kKozeni, "\"2025年12月05日\",\"09:00:00\",900\n"   // 90 days ago: out
                              "\"2025年12月06日\",\"09:00:00\",900\n");  // 89 days ago: in
    win.w.put(files::kGoals, "\"家族で外食\",500\n\"旅行\",2000\n\"家\",100000000\n");
    win.start();
    EXPECT_EQ(win.text("lblProgress"), "達成率 0%（3／365 日）　連続 3 日・最長 3 日");

    // ¥906 in 90 days: ¥10.07 a day; ¥194 to go for 旅行 takes 20 days.
    win.click("cmdMaster");
    EXPECT_EQ(win.text("lblPace"), "1日あたり ¥10");
    auto* goals = win.find<QTableView>("msgMokuhyo");
    ASSERT_EQ(goals->model()->columnCount(), 5);
    EXPECT_EQ(goals->model()->headerData(4, Qt::Horizontal).toString().toStdString(), "達成予定");
    EXPECT_EQ(cellText(goals, 0, 4), "達成済み");
    EXPECT_EQ(cellText(goals, 1, 4), "2026年03月ごろ");
    EXPECT_EQ(cellText(goals, 2, 4), "未定");

    win.click("cmdCyokin1");
    win.click("cmdEveryHozon");
    EXPECT_EQ(win.text("lblProgress"), "達成率 1%（4／365 日）　連続 4 日・最長 4 日");
    win.w.dialogs.answer(Answer::Ok).answer(Answer::No);
    win.click("cmdEveryClr");
    EXPECT_EQ(win.text("lblProgress"), "達成率 0%（0／365 日）　連続 0 日・最長 0 日");
}

}  // namespace
}  // namespace zm::test

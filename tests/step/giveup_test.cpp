#include <gtest/gtest.h>

#include <filesystem>

#include "step/steppage.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/world.h"

namespace zm::test {
namespace {

constexpr const char* kKeepQuestion =
    "これまでがんばった分は残しますか？\r\n\r\n"
    "「はい」で今日までの合計を昨日の日付けで履歴保存します。\r\n"
    "「いいえ」で全てクリアしてスタートします。\r\n";

struct GiveUp : ::testing::Test {
    World w;
    StepPage page{w.services()};

    void SetUp() override {
        w.putInstallation();
        w.put(files::kEveryHistory, "\"2025年12月31日\",\"00:00:00\",496\n");
        w.put(files::kEvery,
              "\"2026年02月27日\",\"09:00:00\",1\n\"2026年02月28日\",\"09:00:00\",2\n");
        w.clock.set(ymd(2026, 3, 1), hms(7, 30, 0));
        page.load();
    }
    // The chart is not redrawn: it keeps the abandoned run's `chartRows`.
    void expectFreshPlan(int chartRows) {
        EXPECT_TRUE(page.msgEvery.empty());
        EXPECT_EQ(page.lblkeika.caption(), "1日");
        EXPECT_EQ(page.lblEvery_zen.caption(), "¥0");
        EXPECT_EQ(page.plannedAmount(), Money::fromYen(1));
        EXPECT_EQ(page.cumulative(), Money());
        EXPECT_TRUE(page.lblCmnt1[0].visible());
        EXPECT_EQ(page.lblCmnt1[0].caption(), "本日の入金予定は");
        EXPECT_EQ(page.lblEvery_Kingaku.caption(), "1円");
        EXPECT_FALSE(page.lblCmnt1[2].visible());
        EXPECT_FALSE(page.lblEvery_Tainou.visible());
        EXPECT_TRUE(page.cmdEveryHozon.enabled());
        EXPECT_TRUE(page.cmdEveryHozon2.enabled());
        EXPECT_EQ(page.mctEvery.rowCount(), chartRows);
    }
};

TEST_F(GiveUp, CancelChangesNothing) {
    const std::string ledger = w.get(files::kEvery);
    w.dialogs.answer(Answer::Cancel);
    page.cmdEveryClr_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0], (Shown{"現在でギブアップして、また１円から始めますか？\r\n",
                                         "削除確認", Icon::Question, Buttons::OkCancel}));
    EXPECT_EQ(w.get(files::kEvery), ledger);
    EXPECT_EQ(page.msgEvery.recordCount(), 2);
}

TEST_F(GiveUp, KeepingTheTotalOnTheFirstOfAMonthDatesItTheLastDayBefore) {
    w.dialogs.answer(Answer::Ok).answer(Answer::Yes);
    page.cmdEveryClr_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1],
              (Shown{kKeepQuestion, "削除確認", Icon::Question, Buttons::YesNo}));

    EXPECT_EQ(w.get(files::kEvery), "");
    EXPECT_EQ(w.get(files::kEveryHistory),
              "\"2025年12月31日\",\"00:00:00\",496\r\n\"2026年02月28日\",\"00:00:00\",3\r\n");
    EXPECT_EQ(page.historyTotal(), Money::fromYen(499));
    expectFreshPlan(2);
}

TEST_F(GiveUp, AfterTodaysDepositAOneYenDepositCanBeMadeTheSameDay) {
    page.cmdEveryHozon_Click();
    ASSERT_FALSE(page.cmdEveryHozon.enabled());
    w.dialogs.answer(Answer::Ok).answer(Answer::No);
    page.cmdEveryClr_Click();
    EXPECT_EQ(w.get(files::kEvery), "");
    EXPECT_EQ(w.get(files::kEveryHistory), "");
    EXPECT_EQ(page.historyTotal(), Money());
    expectFreshPlan(3);

    page.cmdEveryHozon_Click();
    EXPECT_EQ(w.get(files::kEvery), "\"2026年03月01日\",\"07:30:00\",1\r\n");
    EXPECT_EQ(page.lblEvery_zen.caption(), "¥1");
    EXPECT_FALSE(page.cmdEveryHozon.enabled());
}

TEST_F(GiveUp, TheRunIsNotLostWhenItsTotalCannotBeKept) {
    const std::string ledger = w.get(files::kEvery);
    std::filesystem::remove(w.dir.path() / std::string(files::kEveryHistory));
    std::filesystem::create_directory(w.dir.path() / std::string(files::kEveryHistory));
    w.dialogs.answer(Answer::Ok).answer(Answer::Yes);
    EXPECT_THROW(page.cmdEveryClr_Click(), FileError);
    EXPECT_EQ(w.get(files::kEvery), ledger);
}

}  // namespace
}  // namespace zm::test

#include "guide/guideform.h"

#include <gtest/gtest.h>

namespace zm::test {
namespace {

TEST(GuideForm, ScheduleRunsToDay365WithItsRunningTotal) {
    GuideForm form(Guide::Sub1);
    form.Form_Load();

    LedgerTable* table = form.table("msgEverySub");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->fontPoints(), 12);
    EXPECT_EQ(table->rowCount(), 366);
    ASSERT_EQ(table->columns().size(), 2u);
    EXPECT_EQ(table->columns()[0].header, "日数");
    EXPECT_EQ(table->columns()[1].header, "貯金額");
    EXPECT_EQ(table->columns()[0].widthTwips, 1000);
    EXPECT_EQ(table->columns()[1].widthTwips, 1000);
    EXPECT_EQ(table->columns()[1].align, Align::Right);

    EXPECT_EQ(table->cell(1, 0).text, "1日目");
    EXPECT_EQ(table->cell(1, 1).text, "¥1");
    EXPECT_EQ(table->cell(4, 1).text, "¥10");
    EXPECT_EQ(table->cell(45, 1).text, "¥1,035");
    EXPECT_EQ(table->cell(365, 0).text, "365日目");
    EXPECT_EQ(table->cell(365, 1).text, "¥66,795");
    EXPECT_EQ(table->value(365, 1), Money::fromYen(66795));
}

TEST(GuideForm, ThemeExamplesHoldTheirExactTexts) {
    GuideForm form(Guide::Sub3);
    form.Form_Load();

    struct Expected {
        const char* heading;
        const char* table;
        std::vector<std::pair<std::string, std::string>> rows;
    };
    const Expected expected[] = {
        {"テーマ例1 ～つもり貯金",
         "msgTemaSub1",
         {{"少年マガジンを買ったつもり", "¥230"},
          {"ムフフなビデオをレンタルしたつもり", "¥400"},
          {"タクシーを使ったつもり", "¥690"}}},
        {"テーマ例2 家庭賃金制",
         "msgTemaSub2",
         {{"お風呂", "¥30"}, {"晩酌", "¥50"}, {"太鼓の達人（１曲）", "¥10"}}},
        {"テーマ例3 罰金徴収制",
         "msgTemaSub3",
         {{"朝メシ抜いた", "¥50"}, {"人前でオナラした", "¥30"}, {"腕立て伏せしなかった", "¥20"}}},
    };
    ASSERT_EQ(form.examples.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(form.examples[i].heading, e.heading);
        const LedgerTable& table = *form.examples[i].table;
        EXPECT_EQ(table.name(), e.table);
        EXPECT_EQ(table.fontPoints(), 10);
        ASSERT_EQ(table.rowCount(), 4);
        ASSERT_EQ(table.columns().size(), 2u);
        EXPECT_EQ(table.columns()[0].header, "項目");
        EXPECT_EQ(table.columns()[1].header, "金額");
        EXPECT_EQ(table.columns()[0].widthTwips, 3375);
        EXPECT_EQ(table.columns()[1].widthTwips, 600);
        EXPECT_EQ(table.columns()[1].align, Align::Right);
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(table.cell(r, 0).text, e.rows[static_cast<std::size_t>(r - 1)].first);
            EXPECT_EQ(table.cell(r, 1).text, e.rows[static_cast<std::size_t>(r - 1)].second);
        }
    }
}

}  // namespace
}  // namespace zm::test

#include "history/dayhistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/refusal.h"
#include "support/world.h"

namespace zm::test {
namespace {

using Texts = std::vector<std::string>;

const ThemeNames kNames = {"～つもり貯金", "家庭賃金制", "罰金徴収制"};

Texts rowTexts(const HistoryTable& t, int r) {
    Texts v;
    for (int c = 0; c < HistoryTable::kColumns; ++c) v.push_back(t.text(r, c));
    return v;
}

// Today is 2026年03月05日.
struct DayHistoryTest : ::testing::Test {
    World w;
    DayHistory page{w.services()};

    void pickMonth(const std::string& month) {
        const auto& entries = page.lstDay.entries();
        const auto at = std::find(entries.begin(), entries.end(), month);
        ASSERT_NE(at, entries.end()) << month;
        page.lstDay.setListIndex(static_cast<int>(at - entries.begin()));
        page.showMonth(kNames);
    }
};

TEST_F(DayHistoryTest, EveryDayFromTheFirstDepositToTodayWithTheRunningTotalCarried) {
    // Deposits only today: one row, one point.
    w.put(files::kEvery, "\"2026年03月05日\",\"09:00:00\",1\n");
    w.put(files::kKozeni, "\"2026年03月05日\",\"20:00:00\",100\n");
    page.open(kNames);
    const HistoryTable& t = page.msgDayList;
    ASSERT_EQ(t.rowCount(), 2);
    EXPECT_EQ(rowTexts(t, 1),
              (Texts{"1", "2026年03月05日", "¥1", "¥100", "", "", "", "¥101", "¥101"}));
    EXPECT_EQ(page.mctDay.labels(), Texts{"1日"});
    ASSERT_EQ(page.mctDay.series().size(), 6u);
    EXPECT_EQ(page.mctDay.series()[0], std::vector<double>{101});  // the running total
    EXPECT_EQ(page.mctDay.series()[1], std::vector<double>{1});
    EXPECT_EQ(page.mctDay.series()[2], std::vector<double>{100});
    EXPECT_EQ(page.mctDay.series()[3], std::vector<double>{0});
    EXPECT_EQ(page.lstDay.entries(), Texts{"2026年03月"});

    // First deposit three days ago and one today: the days between are listed.
    w.put(files::kEvery, "\"2026年03月02日\",\"09:00:00\",5\n\"2026年03月05日\",\"09:00:00\",7\n");
    w.put(files::kKozeni, "");
    page.showAllDays(kNames);
    ASSERT_EQ(t.rowCount(), 5);
    EXPECT_EQ(rowTexts(t, 1), (Texts{"1", "2026年03月02日", "¥5", "", "", "", "", "¥5", "¥5"}));
    EXPECT_EQ(rowTexts(t, 2), (Texts{"2", "2026年03月03日", "", "", "", "", "", "¥0", "¥5"}));
    EXPECT_EQ(rowTexts(t, 3), (Texts{"3", "2026年03月04日", "", "", "", "", "", "¥0", "¥5"}));
    EXPECT_EQ(rowTexts(t, 4), (Texts{"4", "2026年03月05日", "¥7", "", "", "", "", "¥7", "¥12"}));
    EXPECT_EQ(t.topRow(), 4);  // today on top
    EXPECT_EQ(page.mctDay.labels(), (Texts{"1日", "2日", "3日", "4日"}));
    EXPECT_EQ(page.mctDay.series()[0], (std::vector<double>{5, 5, 5, 12}));
}

TEST_F(DayHistoryTest, EachSourceGoesIntoItsColumnAndTheEarliestFirstRecordStarts) {
    // Two 365-step deposits and a given-up run's total on one day share
    // column 2; a theme deposit older than every 365-step one starts the table.
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",4\n\"2026年03月04日\",\"21:00:00\",6\n");
    w.put(files::kEveryHistory, "\"2026年03月04日\",\"12:00:00\",3000\n");
    w.put(files::kKozeni,
          "\"2026年03月04日\",\"08:00:00\",100\n\"2026年03月04日\",\"18:00:00\",250\n");
    w.put(files::kTheme[0], "\"2026年03月04日\",\"お風呂\",30\n");
    w.put(files::kTheme[1], "\"2026年02月20日\",\"晩酌\",50\n\"2026年03月04日\",\"晩酌\",50\n");
    w.put(files::kTheme[2], "\"2026年03月04日\",\"朝メシ抜いた\",20\n");
    page.open({"読書", "ゲームを我慢したら", "罰金"});
    const HistoryTable& t = page.msgDayList;

    EXPECT_EQ(page.historyStart(), ymd(2026, 2, 20));
    ASSERT_EQ(t.recordCount(), 14);
    EXPECT_EQ(rowTexts(t, 1), (Texts{"1", "2026年02月20日", "", "", "", "¥50", "", "¥50", "¥50"}));
    EXPECT_EQ(rowTexts(t, 13), (Texts{"13", "2026年03月04日", "¥3,010", "¥350", "¥30", "¥50", "¥20",
                                      "¥3,460", "¥3,510"}));
    EXPECT_EQ(rowTexts(t, 14), (Texts{"14", "2026年03月05日", "", "", "", "", "", "¥0", "¥3,510"}));
    // The headers: "３５６歩" as written, theme names cut to four characters.
    EXPECT_EQ(rowTexts(t, 0), (Texts{"日数", "年月日", "３５６歩", "小銭清算", "読書", "ゲームを",
                                     "罰金", "合計", "累計"}));
    EXPECT_EQ(t.headerColour(2), 0xFFFFC0u);
    EXPECT_EQ(t.headerColour(6), 0xC0FFFFu);
    EXPECT_FALSE(t.headerColour(7));
    EXPECT_EQ(page.mctDay.look().series[5].name, "罰金");
    EXPECT_EQ(page.lstDay.entries(), (Texts{"2026年02月", "2026年03月"}));
}

TEST_F(DayHistoryTest, AMonthOfTheListShowsAllItsDaysWithItsOwnRunningTotal) {
    w.put(files::kEvery,
          "\"2025年12月30日\",\"09:00:00\",1\n\"2026年02月01日\",\"09:00:00\",2\n"
          "\"2026年02月28日\",\"09:00:00\",3\n\"2026年03月01日\",\"09:00:00\",4\n");
    w.put(files::kKozeni, "\"2026年02月10日\",\"20:00:00\",500\n");
    page.open(kNames);
    EXPECT_EQ(page.lstDay.entries(),
              (Texts{"2025年12月", "2026年01月", "2026年02月", "2026年03月"}));
    const HistoryTable& t = page.msgDayList;

    // The month of the start: the days before the first deposit too.
    pickMonth("2025年12月");
    ASSERT_EQ(t.recordCount(), 31);
    EXPECT_EQ(rowTexts(t, 1), (Texts{"1", "2025年12月01日", "", "", "", "", "", "¥0", "¥0"}));
    EXPECT_EQ(rowTexts(t, 30), (Texts{"30", "2025年12月30日", "¥1", "", "", "", "", "¥1", "¥1"}));
    EXPECT_EQ(t.text(31, 8), "¥1");
    EXPECT_EQ(t.topRow(), 0);  // not scrolled

    // February: 28 days, counted from zero, March not in it.
    pickMonth("2026年02月");
    ASSERT_EQ(t.recordCount(), 28);
    EXPECT_EQ(t.text(1, 8), "¥2");
    EXPECT_EQ(t.text(28, 1), "2026年02月28日");
    EXPECT_EQ(t.text(28, 8), "¥505");
    EXPECT_EQ(page.mctDay.labels().back(), "28日");

    // All days come back with the all-days button, scrolled to today.
    page.showAllDays(kNames);
    EXPECT_EQ(t.recordCount(), 66);
    EXPECT_EQ(t.text(66, 1), "2026年03月05日");
    EXPECT_EQ(t.text(66, 8), "¥510");
    EXPECT_EQ(t.topRow(), 66);
    EXPECT_EQ(page.lstDay.listIndex(), 2);  // the list is left as it was
}

TEST_F(DayHistoryTest, RecordsOutsideTheHistoryArePassedOverAndNothingIsWritten) {
    // Out of date order: a record before the first one and one after today.
    w.put(files::kEvery,
          "\"2026年03月01日\",\"09:00:00\",1\n\"2026年02月01日\",\"09:00:00\",2\n"
          "\"2026年03月09日\",\"09:00:00\",4\n");
    page.open(kNames);
    const HistoryTable& t = page.msgDayList;
    ASSERT_EQ(t.recordCount(), 5);
    EXPECT_EQ(t.text(1, 2), "¥1");
    EXPECT_EQ(t.text(5, 8), "¥1");
    // The month view books only the month's own days.
    pickMonth("2026年03月");
    EXPECT_EQ(t.text(9, 2), "¥4");
    EXPECT_EQ(t.text(1, 2), "¥1");

    // A clock set back behind the first record: today alone, empty.
    w.put(files::kEvery, "\"2026年03月09日\",\"09:00:00\",4\n");
    page.open(kNames);
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(rowTexts(t, 1), (Texts{"1", "2026年03月05日", "", "", "", "", "", "¥0", "¥0"}));

    // Missing files count as empty and are not created.
    std::filesystem::remove(w.dir.path() / std::string(files::kEvery));
    page.open(kNames);
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_FALSE(w.folder.exists(files::kEvery));
    for (auto name : {files::kEveryHistory, files::kKozeni, files::kTheme[0], files::kTheme[1],
                      files::kTheme[2]}) {
        EXPECT_FALSE(w.folder.exists(name)) << name;
    }

    // A line that does not parse names its file and line.
    w.put(files::kKozeni, "\"2026年03月01日\",\"20:00:00\",100\n\"2026年03月02日\",\"20:00\",5\n");
    const FileError e = refusalOf([&] { page.open(kNames); });
    EXPECT_EQ(e.file(), files::kKozeni);
    EXPECT_EQ(e.line(), 2);
}

TEST(HistoryStart, MovesUpToTheReachOfSixteenBitDayNumbers) {
    World w;
    w.put(files::kTheme[0], "\"1900年01月01日\",\"古い\",5\n\"2026年03月05日\",\"今日\",7\n");
    DayHistory page(w.services());
    page.open(kNames);
    EXPECT_EQ(page.historyStart(), addDays(ymd(2026, 3, 5), -kMaxHistoryDays));
    EXPECT_EQ(page.msgDayList.recordCount(), kMaxHistoryDays + 1);
    EXPECT_EQ(page.msgDayList.text(kMaxHistoryDays + 1, 8), "¥7");
}

}  // namespace
}  // namespace zm::test

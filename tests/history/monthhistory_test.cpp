#include "history/monthhistory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/mainform.h"
#include "store/filenames.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

using Texts = std::vector<std::string>;

Texts rowTexts(const HistoryTable& t, int r) {
    Texts v;
    for (int c = 0; c < HistoryTable::kColumns; ++c) v.push_back(t.text(r, c));
    return v;
}

// Today is 2026年03月05日.
TEST(MonthHistory, CalendarMonthsFromTheFirstDepositWithTheRunningTotalOfAllFiles) {
    World w;
    w.put(files::kEvery, "\"2026年01月31日\",\"09:00:00\",1\n\"2026年02月01日\",\"09:00:00\",2\n");
    w.put(files::kEveryHistory, "\"2026年02月14日\",\"12:00:00\",1000\n");
    w.put(files::kKozeni, "\"2026年02月28日\",\"20:00:00\",350\n");
    w.put(files::kTheme[0], "\"2026年01月31日\",\"お風呂\",30\n");
    w.put(files::kTheme[2], "\"2026年03月05日\",\"朝メシ抜いた\",20\n");
    MonthHistory page(w.services());
    page.open({"～つもり貯金", "家庭賃金制", "罰金徴収制"});
    const HistoryTable& t = page.msgMonthList;

    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(rowTexts(t, 0), (Texts{"月数", "年月", "３５６歩", "小銭清算", "～つもり", "家庭賃金",
                                     "罰金徴収", "合計", "累計"}));
    // 31 January and 1 February fall into consecutive rows.
    EXPECT_EQ(rowTexts(t, 1), (Texts{"1", "2026年01月", "¥1", "", "¥30", "", "", "¥31", "¥31"}));
    EXPECT_EQ(rowTexts(t, 2),
              (Texts{"2", "2026年02月", "¥1,002", "¥350", "", "", "", "¥1,352", "¥1,383"}));
    EXPECT_EQ(rowTexts(t, 3), (Texts{"3", "2026年03月", "", "", "", "", "¥20", "¥20", "¥1,403"}));
    EXPECT_EQ(t.topRow(), 3);
    EXPECT_EQ(page.mctMonth.labels(), (Texts{"1ヶ月目", "2ヶ月目", "3ヶ月目"}));
    EXPECT_EQ(page.mctMonth.series()[0], (std::vector<double>{31, 1383, 1403}));

    // A record later in this month (the clock set back) still counts, so the
    // last running total is the sum of the files; one of a later month has
    // no row and is passed over.
    w.put(files::kTheme[2], "\"2026年03月06日\",\"朝メシ抜いた\",20\n");
    w.put(files::kTheme[1], "\"2026年04月01日\",\"皿洗い\",500\n");
    page.open({"～つもり貯金", "家庭賃金制", "罰金徴収制"});
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(rowTexts(t, 3), (Texts{"3", "2026年03月", "", "", "", "", "¥20", "¥20", "¥1,403"}));
}

TEST(HistoryPages, OpenBuildsShowsTheHelpTourAndAPressOnTheShownPageChangesNothing) {
    StartedForm started({.files = {{files::kEvery, kOneStep},
                                   {files::kKozeni, ""},
                                   {files::kTheme[0], ""},
                                   {files::kTheme[1], ""},
                                   {files::kTheme[2], ""}},
                         .helpTour = 1});
    auto& [w, form] = started;
    // Start-up gives the daily table its header row only.
    EXPECT_EQ(form.dayHistory.msgDayList.rowCount(), 1);
    EXPECT_EQ(form.dayHistory.msgDayList.text(0, 4), "～つもり");
    // These pages never write: every file stays as it was.
    const auto files = [&] {
        std::map<std::string, std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(w.dir.path())) {
            if (!entry.is_regular_file()) continue;  // the day's copy
            const std::string name = entry.path().filename().string();
            all[name] = w.get(name);
        }
        return all;
    };
    auto before = files();

    w.dialogs.answer(Answer::Ok);
    form.cmdDay_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].title, "ヘルプツアー");
    EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Information);
    EXPECT_EQ(
        w.dialogs.shown[0].text,
        "日々の貯金状況を一覧表とグラフで把握できる機能です。\r\n\r\n"
        "グラフでは入金の内訳、日々の合計金額（棒グラフ）と累積金額（線グラフ）を表しています。"
        "\r\n\r\n月毎表示のリストで任意の年月をクリックするとその月だけの表示になります。\r\n"
        "トータルの表示に戻したいときには全履歴表示ボタンを押します。");
    EXPECT_TRUE(form.fraDay.visible());
    EXPECT_EQ(form.dayHistory.msgDayList.recordCount(), 2);
    EXPECT_EQ(files(), before);

    // Pressed again while shown: no rebuild, no message, even after a deposit.
    w.put(files::kKozeni, "\"2026年03月05日\",\"20:00:00\",100\n");
    form.cmdDay_Click();
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(form.dayHistory.msgDayList.text(2, 3), "");
    // The all-days button and the list rebuild from the files.
    form.cmdAllDay_Click();
    EXPECT_EQ(form.dayHistory.msgDayList.text(2, 3), "¥100");
    form.dayHistory.lstDay.setListIndex(0);
    form.lstDay_Click();
    EXPECT_EQ(form.dayHistory.msgDayList.recordCount(), 31);

    before = files();
    w.dialogs.answer(Answer::Ok);
    form.cmdMonth_Click();
    EXPECT_EQ(files(), before);
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(
        w.dialogs.shown[1].text,
        "月々の貯金状況を一覧表とグラフで把握できる機能です。\r\n\r\n"
        "グラフでは入金の内訳、月々の合計金額（棒グラフ）と累積金額（線グラフ）を表しています。"
        "\r\n\r\n");
    EXPECT_TRUE(form.fraMonth.visible());
    EXPECT_FALSE(form.fraDay.visible());
    EXPECT_EQ(form.monthHistory.msgMonthList.text(1, 8), "¥101");
    w.put(files::kKozeni, "");
    form.cmdMonth_Click();
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(form.monthHistory.msgMonthList.text(1, 8), "¥101");

    // With the help tour off the pages open silently.
    w.dialogs.answer(Answer::Ok);
    form.chkHelp.setValue(0);
    form.chkHelp_Click();
    form.cmdDay_Click();
    EXPECT_EQ(w.dialogs.shown.size(), 3u);
    EXPECT_TRUE(form.fraDay.visible());
}

}  // namespace
}  // namespace zm::test

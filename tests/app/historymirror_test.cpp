// The histories take the savings pages' ledgers from the pages' tables while
// the files are as the pages last read or wrote them, and read a file changed
// behind the pages' back: either way they show what reading the files shows.

#include <gtest/gtest.h>

#include <string>

#include "history/dayhistory.h"
#include "history/monthhistory.h"
#include "store/filenames.h"
#include "store/themeledgerfile.h"
#include "support/startedform.h"

namespace zm::test {
namespace {

template <class Table>
std::string bodyOf(const Table& table) {
    std::string out;
    for (int r = 1; r < table.rowCount(); ++r) {
        for (int c = 0; c < HistoryTable::kColumns; ++c) out += table.text(r, c) + "|";
        out += "\n";
    }
    return out;
}

TEST(MainFormHistory, TheHistoriesShowWhatTheFilesHoldWhetherTakenFromThePagesOrRead) {
    StartedForm started({.files = {{files::kEvery, kOneStep},
                                   {files::kKozeni, "\"2026年03月01日\",\"09:00:00\",450\n"},
                                   {files::kTheme[0], "\"2026年03月02日\",\"お風呂\",30\n"}}});
    auto& [w, form] = started;
    const ThemeNames names{"テーマ１", "テーマ２", "テーマ３"};
    const auto expectAsRead = [&](const char* when) {
        form.cmdDay_Click();
        DayHistory days(w.services());
        days.open(names);
        EXPECT_EQ(bodyOf(form.dayHistory.msgDayList), bodyOf(days.msgDayList)) << when;
        form.cmdMonth_Click();
        MonthHistory months(w.services());
        months.open(names);
        EXPECT_EQ(bodyOf(form.monthHistory.msgMonthList), bodyOf(months.msgMonthList)) << when;
        EXPECT_FALSE(bodyOf(days.msgDayList).empty()) << when;
    };
    expectAsRead("as started");

    form.cmdCyokin2_Click();
    form.kozeni.txtKozeni_Inp.setText("500");
    form.kozeni.cmdKozeniHozon_Click();
    expectAsRead("after a deposit");

    // Another program adds a record the theme page does not show.
    ThemeLedgerFile(w.folder, 0).append({ymd(2026, 3, 4), "外から", Money::fromYen(7000)});
    expectAsRead("after a change behind the page's back");
    EXPECT_NE(bodyOf(form.dayHistory.msgDayList).find("7,000"), std::string::npos);

    form.cmdUndo_Click();
    expectAsRead("after the deposit was undone");
}

}  // namespace
}  // namespace zm::test

// The 365-step page at its edges: month and year ends, a closed day, a full
// ledger. The logic refuses on its own, whatever the view lets through.
#include <gtest/gtest.h>

#include "step/steppage.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

std::string repeated(const std::string& line, int times) {
    std::string text;
    text.reserve(line.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST(StepEdges, ArrearsCaptionNamesTheFirstMissedDayAcrossMonthAndYearEnds) {
    struct Case {
        const char* ledger;
        Date today;
        const char* caption;
        const char* arrears;
    };
    const Case cases[] = {
        // Day 31 on Jan 31; Feb 1 and 2 missed (days 32, 33), today is day 34.
        {"\"2026年01月01日\",\"09:00:00\",1\n\"2026年01月31日\",\"09:00:00\",31\n", ymd(2026, 2, 3),
         "1日からの滞納金が", "65円"},
        // Across the year: Jan 1 and 2 missed (days 3, 4).
        {"\"2025年12月30日\",\"09:00:00\",1\n\"2025年12月31日\",\"09:00:00\",2\n", ymd(2026, 1, 3),
         "1日からの滞納金が", "7円"},
        // February's end, in a leap year and not.
        {"\"2028年02月28日\",\"09:00:00\",1\n", ymd(2028, 3, 1), "29日からの滞納金が", "2円"},
        {"\"2026年02月28日\",\"09:00:00\",1\n", ymd(2026, 3, 2), "1日からの滞納金が", "2円"},
    };
    for (const Case& c : cases) {
        World w;
        w.putInstallation();
        w.put(files::kEvery, c.ledger);
        w.clock.set(c.today, hms(9, 0, 0));
        StepPage page(w.services());
        page.load();
        EXPECT_EQ(page.lblCmnt1[2].caption(), c.caption) << c.ledger;
        EXPECT_EQ(page.lblEvery_Tainou.caption(), c.arrears) << c.ledger;
    }
}

TEST(StepEdges, AClosedDayTakesNoSecondDepositOnEitherButton) {
    StartedForm started({.files = {{files::kEvery,
                                    "\"2026年03月04日\",\"09:00:00\",1\n"
                                    "\"2026年03月05日\",\"08:00:00\",2\n"}}});
    auto& [w, form] = started;
    const std::string every = w.get(files::kEvery);
    // Called as a view that ignored the disabled buttons would: no dialog
    // (an unexpected one fails the test), nothing written.
    form.every.cmdEveryHozon_Click();
    form.every.cmdEveryHozon2_Click();
    EXPECT_EQ(w.get(files::kEvery), every);
    EXPECT_EQ(w.get(files::kKozeni), "");
    EXPECT_EQ(form.every.msgEvery.recordCount(), 2);
}

TEST(StepEdges, AFullSmallChangeLedgerRefusesTheOverPaymentBeforeAnythingIsWritten) {
    StartedForm started({.files = {{files::kEvery, kOneStep},
                                   {files::kKozeni, repeated("\"2026年03月01日\",\"09:00:00\",1\n",
                                                             SmallChangePage::kMaxRecords)}}});
    auto& [w, form] = started;
    const std::string every = w.get(files::kEvery);
    const std::string kozeni = w.dir.read(std::string(files::kKozeni));

    w.dialogs.type("100").answer(Answer::Ok).answer(Answer::Ok);
    form.every.cmdEveryHozon2_Click();
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(
        w.dialogs.shown.back().text,
        "小銭清算貯金の記録は 32,766 回までです。\r\n古い記録を削除してから入金してください。");
    EXPECT_EQ(w.get(files::kEvery), every);
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), kozeni);
    EXPECT_TRUE(form.every.cmdEveryHozon.enabled());
}

TEST(StepEdges, AFullStepLedgerRefusesBothDeposits) {
    StartedForm started(
        {.files = {{files::kEvery, repeated("\"2026年03月01日\",\"09:00:00\",1\n", kMaxRecords)}}});
    auto& [w, form] = started;
    StepPage& page = form.every;
    const std::string before = w.dir.read(std::string(files::kEvery));
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    page.cmdEveryHozon_Click();
    page.cmdEveryHozon2_Click();  // refused before the amount is asked for
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    for (const auto& shown : w.dialogs.shown) {
        EXPECT_EQ(shown.title, "記録の上限");
        EXPECT_EQ(shown.text,
                  "３６５歩のマーチ貯金の記録は 32,766 回までです。\r\n"
                  "クリアボタンで新しく始めてから入金してください。");
        EXPECT_EQ(shown.icon, Icon::Exclamation);
    }
    EXPECT_EQ(w.dir.read(std::string(files::kEvery)), before);
    EXPECT_EQ(page.msgEvery.recordCount(), kMaxRecords);
}

}  // namespace
}  // namespace zm::test

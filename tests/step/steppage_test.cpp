#include "step/steppage.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/refusal.h"
#include "support/world.h"

namespace zm::test {
namespace {

// A 365-step page loaded the way start-up loads it.
struct StepFixture : ::testing::Test {
    World w;
    StepPage page{w.services()};

    void load() { page.load(); }
    std::vector<bool> planVisibility() const {
        std::vector<bool> v;
        for (const Label& l : page.lblCmnt1) v.push_back(l.visible());
        v.push_back(page.lblEvery_Kingaku.visible());
        v.push_back(page.lblEvery_Tainou.visible());
        v.push_back(page.lblEvery_Goukei.visible());
        return v;
    }
    void SetUp() override { w.putInstallation(); }
};

TEST_F(StepFixture, ArrearsOfMissedDaysArePaidWithTodaysDeposit) {
    const std::string ledger =
        "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"21:30:05\",2\n";
    w.put(files::kEvery, ledger);
    load();

    EXPECT_EQ(page.elapsedDays(), 4);
    EXPECT_EQ(page.plannedAmount(), Money::fromYen(5));
    EXPECT_EQ(page.arrears(), Money::fromYen(7));
    EXPECT_EQ(page.lblkeika.caption(), "5日");
    EXPECT_EQ(page.lblEvery_zen.caption(), "¥3");
    EXPECT_EQ(planVisibility(), std::vector<bool>(9, true));
    EXPECT_EQ(page.lblCmnt1[0].caption(), "本日の入金予定は");
    EXPECT_EQ(page.lblEvery_Kingaku.caption(), "5円");
    EXPECT_EQ(page.lblCmnt1[2].caption(), "3日からの滞納金が");
    EXPECT_EQ(page.lblEvery_Tainou.caption(), "7円");
    EXPECT_EQ(page.lblEvery_Goukei.caption(), "12円");

    page.cmdEveryHozon_Click();
    EXPECT_EQ(
        w.dir.read(std::string(files::kEvery)),
        *utf8ToCp932("\"2026年03月01日\",\"09:00:00\",1\r\n\"2026年03月02日\",\"21:30:05\",2\r\n"
                     "\"2026年03月05日\",\"10:11:12\",12\r\n"));
    ASSERT_EQ(page.msgEvery.recordCount(), 3);
    EXPECT_EQ(page.msgEvery.cell(3, 0).text, "3");
    EXPECT_EQ(page.msgEvery.cell(3, 1).text, "2026年03月05日");
    EXPECT_EQ(page.msgEvery.cell(3, 3).text, "¥12");
    EXPECT_EQ(page.msgEvery.cell(3, 4).text, "¥15");
    EXPECT_EQ(page.lblEvery_zen.caption(), "¥15");
    EXPECT_EQ(page.mctEvery.rowCount(), 3);
    EXPECT_EQ(page.lblCmnt1[2].caption(), "本日入金済みです。");
    EXPECT_FALSE(page.cmdEveryHozon.enabled());
    EXPECT_FALSE(page.cmdEveryHozon2.enabled());
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST_F(StepFixture, MissingLedgerIsCreatedAndStartsAtOneYen) {
    load();
    EXPECT_TRUE(w.folder.exists(files::kEvery));
    EXPECT_EQ(w.dir.read(std::string(files::kEvery)), "");
    EXPECT_EQ(page.lblEvery_Kingaku.caption(), "1円");
    EXPECT_EQ(planVisibility(),
              (std::vector<bool>{true, true, false, false, false, false, true, false, false}));
    EXPECT_EQ(page.mctEvery.rowCount(), 0);

    page.cmdEveryHozon_Click();
    EXPECT_EQ(w.get(files::kEvery), "\"2026年03月05日\",\"10:11:12\",1\r\n");
    EXPECT_EQ(page.lblkeika.caption(), "1日");
    EXPECT_EQ(page.lblEvery_zen.caption(), "¥1");
}

TEST_F(StepFixture, LastRecordTodayLocksTheDay) {
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n\"2026年03月05日\",\"08:00:00\",2\n");
    load();
    EXPECT_EQ(planVisibility(),
              (std::vector<bool>{false, false, true, false, false, false, false, false, false}));
    EXPECT_EQ(page.lblCmnt1[2].caption(), "本日入金済みです。");
    EXPECT_FALSE(page.cmdEveryHozon.enabled());
    EXPECT_FALSE(page.cmdEveryHozon2.enabled());
    EXPECT_EQ(page.lblkeika.caption(), "2日");

    // Yesterday's deposit only: today's plan, no arrears.
    World w2;
    w2.putInstallation();
    w2.put(files::kEvery, "\"2026年03月03日\",\"09:00:00\",1\n\"2026年03月04日\",\"09:00:00\",2\n");
    StepPage next(w2.services());
    next.load();
    EXPECT_EQ(next.lblEvery_Kingaku.caption(), "3円");
    EXPECT_FALSE(next.lblEvery_Tainou.visible());
    EXPECT_TRUE(next.cmdEveryHozon.enabled());
}

TEST_F(StepFixture, SampleLedgerChargesNoArrearsAndRemindsAfterTheDeposit) {
    w.put(files::kEvery, "\"2005年01月01日\",\"09:26:01\",1\n\"2005年01月02日\",\"08:00:00\",2\n");
    w.clock.set(ymd(2005, 1, 10), hms(7, 0, 0));
    load();
    EXPECT_TRUE(page.sampleData());
    EXPECT_FALSE(page.lblEvery_Tainou.visible());
    EXPECT_EQ(page.lblEvery_Kingaku.caption(), "10円");

    w.dialogs.answer(Answer::Ok);
    page.cmdEveryHozon_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(
        w.dialogs.shown[0],
        (Shown{"ご自身のデータでスタートする時は目的ボタンのページで新規スタートしてください。",
               "新規スタート促し", Icon::Exclamation, Buttons::Ok}));
    // Only the plan is charged: the sample's missed days are not.
    EXPECT_NE(w.get(files::kEvery).find("\"2005年01月10日\",\"07:00:00\",10\r\n"),
              std::string::npos);
}

TEST_F(StepFixture, TargetDaysCalculator) {
    load();
    EXPECT_EQ(page.txtSetNissuu.text(), "365");
    EXPECT_EQ(page.lblSetKingaku.caption(), "¥66,795");

    page.txtSetNissuu.setText("10");
    page.txtSetNissuu_KeyPress('a');  // ordinary typing saves nothing
    EXPECT_EQ(w.get(files::kEveryTarget), "365\r\n");
    page.txtSetNissuu_KeyPress(kEnterKey);
    EXPECT_EQ(page.lblSetKingaku.caption(), "¥55");
    EXPECT_EQ(w.get(files::kEveryTarget), "10\r\n");

    page.txtSetNissuu.setText("１００");  // typed with the input method
    page.txtSetNissuu_KeyPress(kEnterKey);
    EXPECT_EQ(page.lblSetKingaku.caption(), "¥5,050");
    EXPECT_EQ(w.get(files::kEveryTarget), "100\r\n");

    for (const char* bad : {"", "abc", "12日"}) {
        page.txtSetNissuu.setText(bad);
        page.txtSetNissuu_KeyPress(kEnterKey);
        EXPECT_EQ(page.lblSetKingaku.caption(), "¥5,050") << bad;
        EXPECT_EQ(w.get(files::kEveryTarget), "100\r\n") << bad;
    }

    w.dialogs.answer(Answer::Ok);
    page.txtSetNissuu.setText("32767");
    page.txtSetNissuu_KeyPress(kEnterKey);
    EXPECT_EQ(w.dialogs.shown.back().title, "目標日数");
    EXPECT_EQ(page.lblSetKingaku.caption(), "¥5,050");
    EXPECT_EQ(w.get(files::kEveryTarget), "100\r\n");

    // The smallest targets: one day is one yen, none or fewer is nothing.
    for (const auto& [days, amount] : {std::pair{"32766", "¥536,821,761"},
                                       {"2", "¥3"},
                                       {"1", "¥1"},
                                       {"0.6", "¥1"},
                                       {"0", "¥0"},
                                       {"-1", "¥0"}}) {
        page.txtSetNissuu.setText(days);
        page.txtSetNissuu_KeyPress(kEnterKey);
        EXPECT_EQ(page.lblSetKingaku.caption(), amount) << days;
    }
}

TEST_F(StepFixture, MalformedLedgerLineNamesFileAndLineAndTouchesNothing) {
    const std::string ledger =
        "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"09:00:00\",abc\n";
    w.put(files::kEvery, ledger);
    const std::string before = w.dir.read(std::string(files::kEvery));
    const FileError e = refusalOf([&] { page.load(); });
    EXPECT_EQ(e.file(), files::kEvery);
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(w.dir.read(std::string(files::kEvery)), before);

    w.put(files::kEvery, "\"2026年02月30日\",\"09:00:00\",1\n");
    EXPECT_THROW(page.load(), FileError);
    w.put(files::kEvery, "\"2026年03月01日\",1\n");
    EXPECT_THROW(page.load(), FileError);
}

}  // namespace
}  // namespace zm::test

namespace zm::test {
namespace {

// A clock that moves on by a second at every reading, from one second before
// midnight: a deposit that read it twice would show one moment and write another.
class TickingClock final : public Clock {
public:
    Moment moment() const override {
        const Moment m{addDays(ymd(2026, 3, 5), static_cast<int>(t_ / 86400)),
                       TimeOfDay{t_ % 86400}};
        ++t_;
        return m;
    }

private:
    mutable long long t_ = 86399;
};

TEST(StepDeposit, OneReadingOfTheClockOnFileBeforeOnThePage) {
    World w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    TickingClock clock;
    StepPage page({w.folder, w.dialogs, w.shell, clock});
    page.load();
    page.cmdEveryHozon_Click();
    ASSERT_EQ(page.msgEvery.recordCount(), 2);
    const std::string written = w.get(files::kEvery).substr(w.get(files::kEvery).find("\r\n") + 2);
    EXPECT_EQ(written, "\"" + page.msgEvery.cell(2, 1).text + "\",\"" +
                           page.msgEvery.cell(2, 2).text + "\"," +
                           page.msgEvery.value(2, 3).plainText() + "\r\n");

    // A deposit that cannot be written shows nothing.
    World w2;
    w2.putInstallation();
    StepPage failing(w2.services());
    failing.load();
    std::filesystem::remove(w2.dir.path() / std::string(files::kEvery));
    std::filesystem::create_directory(w2.dir.path() / std::string(files::kEvery));
    EXPECT_THROW(failing.cmdEveryHozon_Click(), FileError);
    EXPECT_TRUE(failing.msgEvery.empty());
    EXPECT_EQ(failing.lblEvery_zen.caption(), "¥0");
    EXPECT_TRUE(failing.cmdEveryHozon.enabled());
}

}  // namespace
}  // namespace zm::test

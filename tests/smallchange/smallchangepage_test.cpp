#include "smallchange/smallchangepage.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/tables.h"
#include "support/world.h"

namespace zm::test {
namespace {

// A small-change page loaded the way start-up loads it.
struct KozeniFixture : ::testing::Test {
    World w;
    bool sample = false;
    SmallChangePage page{w.services(), [this] { return sample; }};

    void load() { page.reload(); }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> texts;
        for (int r = 1; r <= page.msgKozeni.recordCount(); ++r)
            texts.push_back(page.msgKozeni.cell(r, c).text);
        return texts;
    }
    std::vector<std::string> figures() const {
        return {page.lblKozeni_cnt.caption(), page.lblKozeni_zen.caption(),
                page.lblKozeni_Max.caption(), page.lblKozeni_Min.caption(),
                page.lblKozeni_Avg.caption()};
    }
    // Visibility of 前回の清算から, the days and the second piece, and the texts.
    std::string notice() const {
        std::string s;
        if (page.lblCmnt2[0].visible()) s += page.lblCmnt2[0].caption() + "|";
        if (page.lblKozeni_Keika.visible()) s += page.lblKozeni_Keika.caption() + "|";
        if (page.lblCmnt2[1].visible()) s += page.lblCmnt2[1].caption();
        return s;
    }
    void deposit(const std::string& typed) {
        page.txtKozeni_Inp.setText(typed);
        page.cmdKozeniHozon_Click();
    }
};

TEST_F(KozeniFixture, LedgerFiguresAndChartFollowTheRecords) {
    w.put(files::kKozeni,
          "\"2026年01月10日\",\"20:00:00\",500\n\"2026年02月01日\",\"08:30:00\",120\n"
          "\"2026年02月15日\",\"19:45:10\",20000\n");
    load();
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(column(3), (std::vector<std::string>{"¥500", "¥120", "¥20,000"}));
    EXPECT_EQ(column(4), (std::vector<std::string>{"¥500", "¥620", "¥20,620"}));
    EXPECT_EQ(figures(), (std::vector<std::string>{"3回", "¥20,620", "¥20,000", "¥120", "¥6,873"}));
    EXPECT_EQ(page.kozeniAverage(), Money::fromRaw(68733333));
    EXPECT_EQ(page.msgKozeni.topRow(), 3);
    ASSERT_EQ(page.mctKozeni.rowCount(), 3);
    EXPECT_EQ(page.mctKozeni.series()[0], (std::vector<double>{500, 620, 20620}));
    EXPECT_EQ(page.mctKozeni.series()[1], (std::vector<double>{500, 120, 20000}));
    EXPECT_EQ(notice(), "前回の清算から|18日|経過しました");

    // Only negative amounts: the largest never goes below zero.
    w.put(files::kKozeni,
          "\"2026年03月01日\",\"09:00:00\",-300\n\"2026年03月02日\",\"09:00:00\",-50\n");
    load();
    EXPECT_EQ(figures(), (std::vector<std::string>{"2回", "-¥350", "¥0", "-¥300", "-¥175"}));
}

TEST_F(KozeniFixture, DepositsFromAnEmptyLedger) {
    load();
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), "");
    EXPECT_EQ(figures(), (std::vector<std::string>{"0回", "¥0", "¥0", "¥0", "¥0"}));
    EXPECT_EQ(notice(), "");
    EXPECT_EQ(page.mctKozeni.rowCount(), 0);

    deposit("12000");
    EXPECT_EQ(figures(),
              (std::vector<std::string>{"1回", "¥12,000", "¥12,000", "¥12,000", "¥12,000"}));
    EXPECT_EQ(notice(), "本日入金済みです。");
    EXPECT_EQ(page.txtKozeni_Inp.text(), "");
    EXPECT_EQ(w.shell.focused, "txtKozeni_Inp");
    EXPECT_EQ(w.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",12000\r\n");
    EXPECT_TRUE(w.dialogs.shown.empty());

    // The chart follows every deposit; a second deposit the same day is fine.
    w.folder.empty(files::kKozeni);
    load();
    for (int yen = 1; yen <= 3; ++yen) {
        w.clock.set(ymd(2026, 3, 5), hms(10, 11, 12 + yen));
        deposit(std::to_string(yen));
        EXPECT_EQ(page.mctKozeni.rowCount(), page.msgKozeni.recordCount());
    }
    EXPECT_EQ(page.mctKozeni.series()[0], (std::vector<double>{1, 3, 6}));
    EXPECT_EQ(page.mctKozeni.series()[1], (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(w.get(files::kKozeni),
              "\"2026年03月05日\",\"10:11:13\",1\r\n\"2026年03月05日\",\"10:11:14\",2\r\n"
              "\"2026年03月05日\",\"10:11:15\",3\r\n");
    EXPECT_EQ(figures(), (std::vector<std::string>{"3回", "¥6", "¥3", "¥1", "¥2"}));
}

TEST_F(KozeniFixture, AmountsAsANewUserTypesThem) {
    load();
    struct Typed {
        const char* text;
        const char* written;  // nullptr: refused
        const char* title;
    };
    const Typed cases[] = {
        {"1,000", "1000", nullptr},         {"１２００", "1200", nullptr},
        {"¥500", "500", nullptr},           {" 300 ", "300", nullptr},
        {"-300", "-300", nullptr},          {"0", "0", nullptr},
        {"12.5", "12.5", nullptr},          {"abc", nullptr, "数字以外の入力"},
        {"1e3", nullptr, "数字以外の入力"}, {"12円", nullptr, "数字以外の入力"},
        {"", nullptr, "入金漏れ"},          {"99999999999999999999", nullptr, "数字以外の入力"},
    };
    for (const Typed& t : cases) {
        const std::string before = w.get(files::kKozeni);
        const int rows = page.msgKozeni.recordCount();
        w.dialogs.shown.clear();
        if (!t.written) w.dialogs.answer(Answer::Ok);
        deposit(t.text);
        if (t.written) {
            EXPECT_EQ(w.get(files::kKozeni),
                      before + "\"2026年03月05日\",\"10:11:12\"," + t.written + "\r\n")
                << t.text;
            EXPECT_TRUE(w.dialogs.shown.empty()) << t.text;
            continue;
        }
        EXPECT_EQ(w.get(files::kKozeni), before) << t.text;
        EXPECT_EQ(page.msgKozeni.recordCount(), rows) << t.text;
        EXPECT_EQ(page.txtKozeni_Inp.text(), t.text);
        ASSERT_EQ(w.dialogs.shown.size(), 1u) << t.text;
        EXPECT_EQ(w.dialogs.shown[0].title, t.title);
        EXPECT_EQ(w.dialogs.shown[0].text, std::string(t.title) == "入金漏れ"
                                               ? "金額が入力されていません"
                                               : "数字以外の入力です");
        EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Exclamation);
        EXPECT_EQ(w.dialogs.shown[0].buttons, Buttons::Ok);
    }
    EXPECT_EQ(page.lblKozeni_zen.caption(), "¥2,713");  // 2712.5 shown in whole yen

    // A total that would no longer fit Money is refused, not wrapped.
    w.dialogs.answer(Answer::Ok);
    deposit("922,337,203,685,000");
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(page.msgKozeni.recordCount(), 7);
}

TEST_F(KozeniFixture, EnterDepositsOnlyWhatTheButtonWouldAcceptAndSaysNothingElse) {
    load();
    for (const char* bad : {"", "abc", "¥"}) {
        page.txtKozeni_Inp.setText(bad);
        page.txtKozeni_Inp_KeyPress(kEnterKey);
    }
    page.txtKozeni_Inp.setText("250");
    page.txtKozeni_Inp_KeyPress('5');
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(w.get(files::kKozeni), "");

    page.txtKozeni_Inp_KeyPress(kEnterKey);
    EXPECT_EQ(w.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",250\r\n");
    EXPECT_EQ(page.txtKozeni_Inp.text(), "");

    // While the sample data is in place every deposit ends with the reminder.
    sample = true;
    w.dialogs.answer(Answer::Ok);
    page.txtKozeni_Inp.setText("80");
    page.txtKozeni_Inp_KeyPress(kEnterKey);
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].title, "新規スタート促し");
    EXPECT_EQ(page.msgKozeni.recordCount(), 2);
}

TEST_F(KozeniFixture, SettlementNoticeCountsCalendarDays) {
    w.put(files::kKozeni, "\"2025年11月22日\",\"23:59:59\",100\n");
    load();
    EXPECT_EQ(notice(), "前回の清算から|103日|経過しました");

    w.put(files::kKozeni, "\"2026年03月07日\",\"09:00:00\",100\n");
    load();
    EXPECT_EQ(notice(), "前回の清算から|-2日|経過しました");

    w.put(files::kKozeni,
          "\"2025年01月01日\",\"09:00:00\",100\n\"2026年03月05日\",\"00:00:01\",5\n");
    load();
    EXPECT_EQ(notice(), "本日入金済みです。");
    // After a deposit the notice says so whatever it said before.
    w.put(files::kKozeni, "\"2025年11月22日\",\"23:59:59\",100\n");
    load();
    deposit("10");
    EXPECT_EQ(notice(), "本日入金済みです。");
}

TEST_F(KozeniFixture, DeletingRewritesTheFileFromTheRowValues) {
    const std::string first = "\"2026年01月10日\",\"20:00:00\",12.5\r\n";
    const std::string third = "\"2026年02月15日\",\"19:45:10\",-40\r\n";
    w.put(files::kKozeni,
          "\"2026年01月10日\",\"20:00:00\",12.5\n\"2026年02月01日\",\"08:30:00\",120\n"
          "\"2026年02月15日\",\"19:45:10\",-40\n");
    load();
    const std::string noticeBefore = notice();

    page.msgKozeni.setCurrentRow(2);
    w.dialogs.answer(Answer::Cancel).answer(Answer::Ok);
    page.msgKozeni_DblClick();
    EXPECT_EQ(page.msgKozeni.recordCount(), 3);
    page.msgKozeni_DblClick();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1],
              (Shown{"2 2026年02月01日 08:30:00 ¥120 のデータを削除してもいいですか？\r\n",
                     "削除確認", Icon::Question, Buttons::OkCancel}));
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), *utf8ToCp932(first + third));
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(4), (std::vector<std::string>{"¥13", "-¥28"}));
    EXPECT_EQ(figures(), (std::vector<std::string>{"2回", "-¥28", "¥13", "-¥40", "-¥14"}));
    EXPECT_EQ(notice(), noticeBefore);
    EXPECT_EQ(page.mctKozeni.rowCount(), 3);  // not redrawn until the next deposit

    // A failing rewrite leaves the file as it was.
    const std::string kept = w.dir.read(std::string(files::kKozeni));
    page.msgKozeni.setCurrentRow(1);
    w.dialogs.answer(Answer::Ok);
    {
        const FileSizeLimit limit(10);
        EXPECT_THROW(page.msgKozeni_DblClick(), FileError);
    }
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), kept);
    EXPECT_EQ(page.msgKozeni.recordCount(), 2);

    // The last record is removed only by clearing.
    page.msgKozeni.setCurrentRow(1);
    w.dialogs.answer(Answer::Ok);
    page.msgKozeni_DblClick();
    w.dialogs.answer(Answer::Ok);
    page.msgKozeni_DblClick();
    EXPECT_EQ(w.dialogs.shown.back().text, "最後の行はクリアボタンで削除してください");
    EXPECT_EQ(w.dialogs.shown.back().title, "削除確認");
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), *utf8ToCp932(third));
}

// A deletion updates positions, running totals and figures in memory: the
// page is then what reading the rewritten file gives.
TEST_F(KozeniFixture, AfterADeletionThePageIsWhatAReloadMakesOfTheFile) {
    const std::string records =
        "\"2026年01月10日\",\"20:00:00\",9000\n\"2026年01月11日\",\"08:30:00\",12.5\n"
        "\"2026年01月20日\",\"19:45:10\",-40\n\"2026年02月01日\",\"07:00:00\",-40.25\n"
        "\"2026年02月02日\",\"12:00:00\",300\n\"2026年02月14日\",\"21:00:00\",8000.5\n";
    for (int r : {1, 3, 4, 6}) {
        w.put(files::kKozeni, records);
        load();
        page.msgKozeni.setCurrentRow(r);
        w.dialogs.answer(Answer::Ok);
        page.msgKozeni_DblClick();
        ASSERT_EQ(page.msgKozeni.recordCount(), 5) << r;

        SmallChangePage reloaded{w.services(), [] { return false; }};
        reloaded.reload();
        SCOPED_TRACE("row " + std::to_string(r));
        expectSameTable(page.msgKozeni, reloaded.msgKozeni);
        EXPECT_EQ(page.kozeniTotal(), reloaded.kozeniTotal());
        EXPECT_EQ(page.kozeniAverage(), reloaded.kozeniAverage());
        EXPECT_EQ(figures(), (std::vector<std::string>{
                                 reloaded.lblKozeni_cnt.caption(), reloaded.lblKozeni_zen.caption(),
                                 reloaded.lblKozeni_Max.caption(), reloaded.lblKozeni_Min.caption(),
                                 reloaded.lblKozeni_Avg.caption()}));
    }
}

TEST_F(KozeniFixture, ClearingEmptiesFileAndFigures) {
    page.cmdKozeniClr_Click();  // nothing to clear: no question
    w.put(files::kKozeni,
          "\"2026年03月01日\",\"09:00:00\",700\n\"2026年03月02日\",\"09:00:00\",90\n");
    load();
    w.dialogs.answer(Answer::Cancel).answer(Answer::Ok);
    page.cmdKozeniClr_Click();
    EXPECT_EQ(page.msgKozeni.recordCount(), 2);
    page.cmdKozeniClr_Click();
    EXPECT_EQ(w.dialogs.shown.back().text, "これまでのデータを削除してもいいですか？\r\n");
    EXPECT_EQ(w.get(files::kKozeni), "");
    EXPECT_EQ(page.msgKozeni.rowCount(), 1);
    EXPECT_EQ(figures(), (std::vector<std::string>{"0回", "¥0", "¥0", "¥0", "¥0"}));
    EXPECT_EQ(notice(), "");
    EXPECT_EQ(page.mctKozeni.rowCount(), 2);

    deposit("-5");
    EXPECT_EQ(figures(), (std::vector<std::string>{"1回", "-¥5", "¥0", "-¥5", "-¥5"}));
}

TEST_F(KozeniFixture, MalformedLineNamesFileAndLineAndFullLedgerRefusesDeposits) {
    w.put(files::kKozeni,
          "\"2026年03月01日\",\"09:00:00\",700\n\"2026年03月02日\",\"09:00:00\",\n");
    const std::string before = w.dir.read(std::string(files::kKozeni));
    const FileError e = refusalOf([&] { page.reload(); });
    EXPECT_EQ(e.file(), files::kKozeni);
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), before);

    std::string full;
    for (int i = 0; i < SmallChangePage::kMaxRecords; ++i)
        full += "\"2026年03月01日\",\"09:00:00\",1\n";
    w.put(files::kKozeni, full);
    load();
    EXPECT_EQ(page.lblKozeni_cnt.caption(), "32766回");
    const std::string bytes = w.dir.read(std::string(files::kKozeni));
    w.dialogs.answer(Answer::Ok);
    deposit("10");
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(w.dir.read(std::string(files::kKozeni)), bytes);
}

}  // namespace
}  // namespace zm::test

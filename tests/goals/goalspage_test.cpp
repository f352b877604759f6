#include "goals/goalspage.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/refusal.h"
#include "support/world.h"

namespace zm::test {
namespace {

Money yen(std::int64_t y) {
    return Money::fromYen(y);
}

// The goals page over a world whose five savings pages hold `totals`
// (600,000 yen in all unless a test changes them).
struct GoalsFixture : ::testing::Test {
    World w;
    GoalsPage::Totals totals{yen(100000), yen(50000), {yen(150000), yen(200000), yen(100000)}};
    std::array<std::string, 3> names{"～つもり貯金", "家庭賃金制", "罰金徴収制"};
    GoalsPage page{
        w.services(),
        {[this] { return totals; }, [this](int i) { return names[static_cast<std::size_t>(i)]; },
         [this] { return RecentPace(w.clock.today()); }}};

    // What opening the page does.
    void open() {
        page.InitMokuhyoGrid();
        page.LoadMokuhyoFile();
        page.ShowSougaku();
        page.UpdateSagaku();
    }
    std::vector<std::string> row(int r) {
        std::vector<std::string> v;
        for (int c = 0; c < 4; ++c) v.push_back(page.msgMokuhyo.cell(r, c).text);
        return v;
    }
    std::string goals() { return w.get(files::kGoals); }
    void type(const char* purpose, const char* amount) {
        page.txtInpMokuKou.setText(purpose);
        page.txtInpMokuKin.setText(amount);
    }
    // Exactly one message was shown, this one; forgets it.
    void expectShown(const std::string& text, const char* title, Icon icon, Buttons buttons) {
        ASSERT_EQ(w.dialogs.shown.size(), 1u);
        const auto& d = w.dialogs.shown[0];
        EXPECT_EQ(d.text, text);
        EXPECT_EQ(d.title, title);
        EXPECT_EQ(d.icon, icon);
        EXPECT_EQ(d.buttons, buttons);
        w.dialogs.shown.clear();
    }
    using Row = std::vector<std::string>;
};

TEST_F(GoalsFixture, EveryGoalIsMeasuredAgainstTheWholeSavings) {
    w.put(files::kGoals, "\"新しい自転車\",1000000\n\"旅行\",500000\n");
    open();

    const auto& cols = page.msgMokuhyo.columns();
    ASSERT_EQ(cols.size(), 5u);
    EXPECT_EQ(page.msgMokuhyo.fontPoints(), 16);
    EXPECT_EQ(cols[0].header, "達成");
    EXPECT_EQ(cols[1].widthTwips, 6850);
    EXPECT_EQ(cols[3].header, "達成まで");
    EXPECT_EQ(cols[3].align, Align::Right);
    EXPECT_EQ(cols[4].header, "達成予定");

    ASSERT_EQ(page.msgMokuhyo.recordCount(), 2);
    EXPECT_EQ(row(1), (Row{"", "新しい自転車", "¥1,000,000", "-¥400,000"}));
    EXPECT_EQ(row(2), (Row{"★", "旅行", "¥500,000", "¥100,000"}));
    EXPECT_EQ(page.lblSougaku.caption(), "¥600,000");
    EXPECT_EQ(page.lblMokuSou.caption(), "¥1,500,000");
    EXPECT_EQ(page.lblSagaku.caption(), "¥900,000");
    EXPECT_EQ(page.txtTemaMei[1].text(), "家庭賃金制");
    EXPECT_EQ(page.txtTemaMei[1].name(), "txtTemaMei_2");

    // The savings grew since the page opened: a new goal is measured against
    // them as they are now, while the shown savings total stays as it was.
    totals.every = yen(200000);
    type("車", "700,000");
    page.cmdMokuHozon_Click();
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(row(3), (Row{"★", "車", "¥700,000", "¥0"}));
    EXPECT_EQ(page.lblSougaku.caption(), "¥600,000");
    EXPECT_EQ(page.lblMokuSou.caption(), "¥2,200,000");
    EXPECT_EQ(page.lblSagaku.caption(), "¥1,600,000");
    EXPECT_EQ(goals(), "\"新しい自転車\",1000000\r\n\"旅行\",500000\r\n\"車\",700000\r\n");
    EXPECT_EQ(page.txtInpMokuKou.text(), "");
    EXPECT_EQ(page.txtInpMokuKin.text(), "");
    EXPECT_EQ(w.shell.focused, "txtInpMokuKou");

    // One yen short is not reached.
    type("カメラ", "700001");
    page.cmdMokuHozon_Click();
    EXPECT_EQ(row(4), (Row{"", "カメラ", "¥700,001", "-¥1"}));
}

TEST_F(GoalsFixture, TypedTargetsInTheFormsOfTheOtherPagesAndTheExponent) {
    open();  // no file yet: created empty
    EXPECT_TRUE(w.folder.exists(files::kGoals));
    EXPECT_EQ(page.lblMokuSou.caption(), "¥0");
    EXPECT_EQ(page.lblSagaku.caption(), "-¥600,000");

    for (const char* amount : {"1,000", "¥1000", "￥１，０００", " 1000 ", "1e3", "1.5E+3"}) {
        type("目的", amount);
        page.cmdMokuHozon_Click();
    }
    EXPECT_EQ(goals(),
              "\"目的\",1000\r\n\"目的\",1000\r\n\"目的\",1000\r\n\"目的\",1000\r\n"
              "\"目的\",1000\r\n\"目的\",1500\r\n");
    EXPECT_EQ(page.lblMokuSou.caption(), "¥6,500");

    // Quietly not added: the boxes keep what was typed.
    const std::string before = goals();
    struct Case {
        const char* purpose;
        const char* amount;
    };
    for (const Case& c :
         {Case{"", "1000"}, Case{"目的", ""}, Case{"目的", "abc"}, Case{"目的", "1000円"},
          Case{"目的", "1e"}, Case{"目的", "99999999999999999999"}, Case{"目的", "1e30"}}) {
        type(c.purpose, c.amount);
        page.txtInpMokuKin_KeyPress(kEnterKey);
        page.cmdMokuHozon_Click();
        EXPECT_EQ(page.txtInpMokuKin.text(), c.amount);
    }
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(goals(), before);
    EXPECT_EQ(page.msgMokuhyo.recordCount(), 6);
}

TEST_F(GoalsFixture, TextsAndSumsTheFileCannotCarryAreRefused) {
    w.put(files::kGoals, "\"貯金\",922337203685000\n");
    open();
    const std::string before = goals();
    for (const char* purpose : {"ケーキ\"ホール\"", "旅行\r\n北海道", "旅行🍣"}) {
        type(purpose, "1000");
        w.dialogs.answer(Answer::Ok);
        page.cmdMokuHozon_Click();
        expectShown(
            "貯金目的に保存できない文字が含まれています。\r\n"
            "ダブルクォーテーション（\"）、改行、絵文字などの記号は保存できません。",
            "使用できない文字", Icon::Exclamation, Buttons::Ok);
    }
    // A target that fits Money but not the sum of the goals.
    type("宇宙旅行", "900000000000000");
    w.dialogs.answer(Answer::Ok);
    page.cmdMokuHozon_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].title, "金額超過");
    EXPECT_EQ(goals(), before);
    EXPECT_EQ(page.msgMokuhyo.recordCount(), 1);
    EXPECT_EQ(page.lblMokuSou.caption(), "¥922,337,203,685,000");
}

TEST_F(GoalsFixture, DoubleClickDeletesOneGoalButNeverTheLast) {
    // 12.5 shows rounded: the file must keep the value, not the text.
    w.put(files::kGoals, "\"自転車\",12.5\n\"旅行\",500000\n\"パソコン\",150000\n");
    open();

    page.msgMokuhyo.setCurrentRow(2);
    w.dialogs.answer(Answer::Cancel);
    page.msgMokuhyo_DblClick();
    expectShown("旅行 のデータを削除してもいいですか？\r\n", "削除確認", Icon::Question,
                Buttons::OkCancel);
    EXPECT_EQ(page.msgMokuhyo.recordCount(), 3);

    // Deleted against savings that changed since opening: rebuilt from the file.
    totals.kozeni = Money();
    w.dialogs.answer(Answer::Ok);
    page.msgMokuhyo_DblClick();
    EXPECT_EQ(goals(), "\"自転車\",12.5\r\n\"パソコン\",150000\r\n");
    ASSERT_EQ(page.msgMokuhyo.recordCount(), 2);
    EXPECT_EQ(row(2), (Row{"★", "パソコン", "¥150,000", "¥400,000"}));
    EXPECT_EQ(page.lblMokuSou.caption(), "¥150,013");
    EXPECT_EQ(page.lblSagaku.caption(), "-¥449,987");

    page.msgMokuhyo.setCurrentRow(2);
    w.dialogs.answer(Answer::Ok);
    page.msgMokuhyo_DblClick();
    EXPECT_EQ(goals(), "\"自転車\",12.5\r\n");

    // The only goal left stays.
    w.dialogs.shown.clear();
    page.msgMokuhyo.setCurrentRow(1);
    w.dialogs.answer(Answer::Ok);
    page.msgMokuhyo_DblClick();
    expectShown("最後の行はクリアボタンで削除してください", "削除確認", Icon::Exclamation,
                Buttons::Ok);
    EXPECT_EQ(goals(), "\"自転車\",12.5\r\n");
    EXPECT_EQ(page.msgMokuhyo.recordCount(), 1);
}

TEST_F(GoalsFixture, ClearAsksAndCancelKeepsTheFile) {
    const char* const twoGoals = "\"自転車\",30000\r\n\"旅行\",50000\r\n";
    w.put(files::kGoals, "\"自転車\",30000\n\"旅行\",50000\n");
    open();
    w.dialogs.answer(Answer::Cancel);
    page.cmdMokuClr_Click();
    expectShown("これまでのデータを削除してもいいですか？\r\n", "削除確認", Icon::Question,
                Buttons::OkCancel);
    EXPECT_EQ(goals(), twoGoals);
    EXPECT_EQ(page.msgMokuhyo.recordCount(), 2);

    w.dialogs.answer(Answer::Ok);
    page.cmdMokuClr_Click();
    EXPECT_EQ(goals(), "");
    EXPECT_TRUE(page.msgMokuhyo.empty());
    EXPECT_EQ(page.lblMokuSou.caption(), "¥0");
    EXPECT_EQ(page.lblSagaku.caption(), "-¥600,000");
}

TEST_F(GoalsFixture, ALineThatIsNotAPurposeAndAnAmountNamesFileAndLine) {
    const char* const bad = "\"自転車\",30000\r\n\"旅行\",たくさん\r\n";
    w.dir.write(std::string(files::kGoals), *utf8ToCp932(bad));
    page.InitMokuhyoGrid();
    const FileError e = refusalOf([&] { page.LoadMokuhyoFile(); });
    EXPECT_EQ(e.file(), files::kGoals);
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(w.get(files::kGoals), bad);
    EXPECT_TRUE(page.msgMokuhyo.empty());
}

}  // namespace
}  // namespace zm::test

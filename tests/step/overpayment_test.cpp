#include <gtest/gtest.h>

#include <filesystem>

#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

constexpr const char* kPrompt =
    "入金金額を入力してください。\r\n\r\n３６５日貯金との差分は自動的に小銭清算貯金に記録します。";

// Both pages as start-up leaves them: plan 5 and arrears 7 from the 3rd.
struct OverPayment : ::testing::Test {
    StartedForm started{
        {.files = {{files::kEvery,
                    "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"09:00:00\",2\n"},
                   {files::kKozeni, "\"2026年02月20日\",\"19:00:00\",300\n"}}}};
    World& w = started.w;
    MainForm& form = started.form;
    const std::string every = w.get(files::kEvery);
    const std::string kozeni = w.get(files::kKozeni);

    void expectNothingRecorded(const std::string& why) {
        EXPECT_EQ(w.get(files::kEvery), every) << why;
        EXPECT_EQ(w.get(files::kKozeni), kozeni) << why;
        EXPECT_TRUE(form.every.cmdEveryHozon.enabled()) << why;
        EXPECT_TRUE(form.every.cmdEveryHozon2.enabled()) << why;
        EXPECT_EQ(form.every.msgEvery.recordCount(), 2) << why;
        EXPECT_EQ(form.kozeni.msgKozeni.recordCount(), 1) << why;
    }
};

TEST_F(OverPayment, SurplusGoesToSmallChangeAndTheDueAmountToTheSteps) {
    w.dialogs.type("100").answer(Answer::Ok);
    form.every.cmdEveryHozon2_Click();

    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_TRUE(w.dialogs.shown[0].input);
    EXPECT_EQ(w.dialogs.shown[0].text, kPrompt);
    EXPECT_EQ(w.dialogs.shown[0].title, "差分あり入力");
    EXPECT_EQ(w.dialogs.shown[1],
              (Shown{"今回の入金： 100円 - ３６５日貯金への入金： 12円 = 88円\r\n\r\n"
                     "88円を小銭清算貯金に回します",
                     "確認", Icon::Question, Buttons::OkCancel}));

    EXPECT_EQ(w.get(files::kKozeni), kozeni + "\"2026年03月05日\",\"10:11:12\",88\r\n");
    EXPECT_EQ(w.get(files::kEvery), every + "\"2026年03月05日\",\"10:11:12\",12\r\n");
    // The small-change page is rebuilt from its file.
    EXPECT_EQ(form.kozeni.msgKozeni.recordCount(), 2);
    EXPECT_EQ(form.kozeni.lblKozeni_zen.caption(), "¥388");
    EXPECT_EQ(form.kozeni.mctKozeni.rowCount(), 2);
    EXPECT_EQ(form.kozeni.lblCmnt2[1].caption(), "本日入金済みです。");
    EXPECT_FALSE(form.kozeni.lblKozeni_Keika.visible());
    // And the day's 365-step deposit is made.
    EXPECT_EQ(form.every.msgEvery.cell(3, 3).text, "¥12");
    EXPECT_EQ(form.every.mctEvery.rowCount(), 3);
    EXPECT_EQ(form.every.lblCmnt1[2].caption(), "本日入金済みです。");
    EXPECT_FALSE(form.every.cmdEveryHozon.enabled());
    EXPECT_FALSE(form.every.cmdEveryHozon2.enabled());

    // The day is closed: the button does nothing more.
    form.every.cmdEveryHozon2_Click();
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
}

TEST_F(OverPayment, AnswersThatRecordNothing) {
    struct Try {
        const char* typed;
        const char* title;  // nullptr: no message at all
        const char* missing;
    };
    const Try tries[] = {
        {"", nullptr, nullptr},  // empty, or Cancel
        {"12", "差分なし", nullptr},
        {"12.4", "差分なし", nullptr},
        {"11", "入金金額不足", "1"},
        {"abc", "入金金額不足", "12"},
        {"1,000", "入金金額不足", "11"},  // the leading number is 1
        {"¥100", "入金金額不足", "12"},
        {"-5", "入金金額不足", "17"},
        // A surplus beyond 32 bits counts as no number at all.
        {"2147483660", "入金金額不足", "12"},
        {"99999999999999999999999999", "入金金額不足", "12"},
    };
    for (const Try& t : tries) {
        w.dialogs.shown.clear();
        w.dialogs.type(t.typed);
        if (t.title) w.dialogs.answer(Answer::Ok);
        form.every.cmdEveryHozon2_Click();
        expectNothingRecorded(t.typed);
        if (!t.title) {
            EXPECT_EQ(w.dialogs.shown.size(), 1u);
            continue;
        }
        ASSERT_EQ(w.dialogs.shown.size(), 2u) << t.typed;
        const auto& shown = w.dialogs.shown[1];
        EXPECT_EQ(shown.title, t.title) << t.typed;
        EXPECT_EQ(shown.icon, Icon::Exclamation);
        EXPECT_EQ(shown.buttons, Buttons::Ok);
        EXPECT_EQ(shown.text, t.missing
                                  ? "ここで入力できるのは３６５日貯金入金分より入金量が多い場合"
                                    "のみです。\r\n\r\n" +
                                        std::string(t.missing) + "円 足りません。"
                                  : "差分がない場合は通常の入金でＯＫです。\r\n\r\n")
            << t.typed;
    }

    // The largest surplus that fits is asked about; Cancel there writes nothing.
    w.dialogs.shown.clear();
    w.dialogs.type("2147483659").answer(Answer::Cancel);
    form.every.cmdEveryHozon2_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1].text,
              "今回の入金： 2147483659円 - ３６５日貯金への入金： 12円 = 2147483647円\r\n\r\n"
              "2147483647円を小銭清算貯金に回します");
    expectNothingRecorded("cancelled confirmation");
}

TEST_F(OverPayment, AnswerIsRepeatedAsTyped) {
    // Input methods type full-width digits; they read as digits.
    w.dialogs.type("１００円").answer(Answer::Ok);
    form.every.cmdEveryHozon2_Click();
    EXPECT_EQ(w.dialogs.shown[1].text,
              "今回の入金： １００円円 - ３６５日貯金への入金： 12円 = 88円\r\n\r\n"
              "88円を小銭清算貯金に回します");
    EXPECT_EQ(w.get(files::kKozeni), kozeni + "\"2026年03月05日\",\"10:11:12\",88\r\n");
}

TEST_F(OverPayment, FailedStepWriteSaysTheSurplusWasKept) {
    // The 365-step ledger cannot be opened for writing.
    FailingOpens calls(files::kEvery);
    const UsingFileCalls using_(calls);
    w.dialogs.type("100").answer(Answer::Ok);
    const FileError e = refusalOf([&] { form.every.cmdEveryHozon2_Click(); });
    EXPECT_EQ(e.file(), files::kEvery);
    const std::string text = e.what();
    EXPECT_NE(text.find("「３６５歩のマーチ.TXT」"), std::string::npos) << text;
    EXPECT_NE(text.find("差分の 88円 は「小銭清算.txt」に記録しました。"), std::string::npos)
        << text;
    EXPECT_NE(text.find("本日の 12円 を記録できませんでした。"), std::string::npos) << text;
    EXPECT_EQ(w.get(files::kKozeni), kozeni + "\"2026年03月05日\",\"10:11:12\",88\r\n");
}

TEST(OverPaymentFromScratch, SplitsWithoutAReminder) {
    // Sample data, day 2: plan 2 yen, so 3 leaves 1 for small change. The
    // over-payment shows no reminder (an unexpected dialog fails the test).
    StartedForm first(
        {.files = {{files::kEvery, "\"2005年01月01日\",\"09:26:01\",1\n"}}, .load = false});
    auto& [w, sample] = first;
    w.clock.set(ymd(2005, 1, 2), hms(8, 0, 0));
    sample.Form_Load();
    ASSERT_TRUE(sample.every.sampleData());
    w.dialogs.type("3").answer(Answer::Ok);
    sample.every.cmdEveryHozon2_Click();
    EXPECT_EQ(w.get(files::kKozeni), "\"2005年01月02日\",\"08:00:00\",1\r\n");
    EXPECT_EQ(w.dialogs.shown.size(), 2u);

    // An empty ledger: 10 is 9 of small change and 1 yen of steps.
    StartedForm second;
    auto& [fresh, form] = second;
    fresh.dialogs.type("10").answer(Answer::Ok);
    form.every.cmdEveryHozon2_Click();
    EXPECT_EQ(fresh.get(files::kKozeni), "\"2026年03月05日\",\"10:11:12\",9\r\n");
    EXPECT_EQ(fresh.get(files::kEvery), "\"2026年03月05日\",\"10:11:12\",1\r\n");
    EXPECT_EQ(form.every.lblkeika.caption(), "1日");
    EXPECT_EQ(form.kozeni.lblKozeni_cnt.caption(), "1回");
}

}  // namespace
}  // namespace zm::test

#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/filenames.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(MainFormGoals, ThePageIsBuiltFromTheFiveTotalsOnlyWhenOpenedFromAnotherPage) {
    StartedForm started(
        {.files = {{files::kEvery,
                    "\"2026年03月03日\",\"08:00:00\",1\n\"2026年03月04日\",\"08:00:00\",2\n"},
                   {files::kEveryHistory, "\"2026年02月01日\",\"07:00:00\",100000\n"},  // given up
                   {files::kKozeni, "\"2026年03月01日\",\"09:00:00\",450\n"},
                   {files::kTheme[0], "\"2026年03月02日\",\"お風呂\",30\n"},
                   {files::kTheme[1], "\"2026年03月02日\",\"お風呂\",20\n"},
                   {files::kTheme[2], "\"2026年03月02日\",\"お風呂\",10\n"},
                   {files::kGoals, "\"旅行\",500\n"}},
         .helpTour = 1});
    auto& [w, form] = started;

    // The page appears complete: built before it is made visible.
    int rowsWhenShown = -1;
    form.fraMokuhyo.bind([&] {
        if (form.fraMokuhyo.visible()) rowsWhenShown = form.goals.msgMokuhyo.recordCount();
    });
    w.dialogs.answer(Answer::Ok);
    form.cmdMaster_Click();
    EXPECT_EQ(rowsWhenShown, 1);
    EXPECT_FALSE(form.every.fraCyokin1.visible());
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text,
              "貯金する目的を小さなことから夢に近いようなことまでいくつでも登録できます。\r\n"
              "またその項目,達成状況などを一覧でみることができます。\r\n\r\n"
              "貯金意識を継続させるためのちょっとしたやる気につなげてください。");
    EXPECT_EQ(w.dialogs.shown[0].title, "ヘルプツアー");
    // 3 + 450 + 30 + 20 + 10, without the given-up run.
    EXPECT_EQ(form.goals.lblSougaku.caption(), "¥513");
    EXPECT_EQ(form.goals.msgMokuhyo.cell(1, 3).text, "¥13");
    EXPECT_EQ(form.goals.lblSagaku.caption(), "-¥13");
    EXPECT_EQ(form.goals.txtTemaMei[2].text(), "罰金徴収制");

    // Pressed again: nothing is read again and nothing is said.
    w.put(files::kGoals, "\"旅行\",500\n\"車\",900\n");
    form.cmdMaster_Click();
    EXPECT_EQ(form.goals.msgMokuhyo.recordCount(), 1);
    EXPECT_EQ(w.dialogs.shown.size(), 1u);

    // From another page it is built afresh, and what was typed in the name
    // boxes gives way to the current names.
    form.goals.txtTemaMei[0].setText("書きかけ");
    form.cmdCyokin2_Click();
    w.dialogs.answer(Answer::Ok);
    form.cmdMaster_Click();
    EXPECT_EQ(form.goals.msgMokuhyo.recordCount(), 2);
    EXPECT_EQ(form.goals.lblMokuSou.caption(), "¥1,400");
    EXPECT_EQ(form.goals.txtTemaMei[0].text(), "～つもり貯金");
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
}

}  // namespace
}  // namespace zm::test

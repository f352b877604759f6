#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/filenames.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(MainFormSmallChange, StartUpBuildsThePageAndItsButtonOpensTheGuideWhileEmpty) {
    StartedForm started({.files = {{files::kEvery, kOneStep}}});
    auto& [w, form] = started;
    EXPECT_TRUE(w.folder.exists(files::kKozeni));
    EXPECT_EQ(form.kozeni.lblKozeni_cnt.caption(), "0回");
    EXPECT_FALSE(form.kozeni.lblCmnt2[1].visible());
    EXPECT_FALSE(form.kozeni.fraCyokin2.visible());

    form.cmdCyokin2_Click();
    EXPECT_TRUE(form.kozeni.fraCyokin2.visible());
    EXPECT_FALSE(form.every.fraCyokin1.visible());
    ASSERT_EQ(w.shell.guides.size(), 1u);
    EXPECT_EQ(w.shell.guides[0], std::make_pair(Guide::Sub2, true));
    EXPECT_EQ(w.shell.focused, "txtKozeni_Inp");

    // Pressed again on its own page: nothing at all.
    w.shell.focused.clear();
    form.cmdCyokin2_Click();
    EXPECT_EQ(w.shell.guides.size(), 1u);
    EXPECT_EQ(w.shell.focused, "");

    // With records: focus only.
    StartedForm second({.files = {{files::kKozeni, "\"2026年03月01日\",\"09:00:00\",450\n"}}});
    auto& [w2, form2] = second;
    EXPECT_EQ(form2.kozeni.lblKozeni_Keika.caption(), "4日");
    EXPECT_EQ(form2.kozeni.mctKozeni.rowCount(), 1);
    form2.cmdCyokin2_Click();
    EXPECT_EQ(w2.shell.guides.size(), 1u);  // the 365-step guide of start-up only
    EXPECT_EQ(w2.shell.focused, "txtKozeni_Inp");
}

TEST(MainFormSmallChange, ReminderFollowsTheStepPagesSampleFlag) {
    StartedForm started({.files = {{files::kEvery, "\"2005年01月01日\",\"09:26:01\",1\n"}}});
    auto& [w, form] = started;

    w.dialogs.answer(Answer::Ok);
    form.kozeni.txtKozeni_Inp.setText("500");
    form.kozeni.cmdKozeniHozon_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text, kNewStartReminder);

    // Giving up leaves no sample data behind: the reminder stops at once.
    w.dialogs.answer(Answer::Ok).answer(Answer::No);
    form.every.cmdEveryClr_Click();
    form.kozeni.txtKozeni_Inp.setText("500");
    form.kozeni.cmdKozeniHozon_Click();
    EXPECT_EQ(w.dialogs.shown.size(), 3u);
    EXPECT_EQ(form.kozeni.msgKozeni.recordCount(), 2);
}

}  // namespace
}  // namespace zm::test

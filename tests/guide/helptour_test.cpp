#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/filenames.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(HelpTour, TickingAndUntickingSaysSoAndSavesEveryClick) {
    StartedForm started({.files = {{files::kEvery, kOneStep}}});
    auto& [w, form] = started;

    w.dialogs.answer(Answer::Ok).answer(Answer::Ok).answer(Answer::Ok);
    form.chkHelp.setValue(1);
    form.chkHelp_Click();
    EXPECT_EQ(form.helpTour(), 1);
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",1\r\n");

    form.chkHelp.setValue(0);
    form.chkHelp_Click();
    EXPECT_EQ(form.helpTour(), 0);
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",0\r\n");

    // The file is written again even when it already says so.
    const auto before = w.folder.stamp(files::kSettings);
    form.chkHelp_Click();
    EXPECT_NE(w.folder.stamp(files::kSettings), before);
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",0\r\n");

    ASSERT_EQ(w.dialogs.shown.size(), 3u);
    EXPECT_EQ(w.dialogs.shown[0].text, "ヘルプツアー機能をオンにします。");
    EXPECT_EQ(w.dialogs.shown[0].title, "ヘルプツアーＯＮ");
    EXPECT_EQ(w.dialogs.shown[1].text, "ヘルプツアー機能をオフにします。");
    EXPECT_EQ(w.dialogs.shown[1].title, "ヘルプツアーＯＦＦ");
    EXPECT_EQ(w.dialogs.shown[2].title, "ヘルプツアーＯＦＦ");
    for (const auto& shown : w.dialogs.shown) {
        EXPECT_EQ(shown.icon, Icon::Information);
        EXPECT_EQ(shown.buttons, Buttons::Ok);
    }
}

TEST(HelpTour, StartUpCopiesTheSavedValueQuietlyAndTheTourShowsOnlyWhenOn) {
    // Any label is accepted; a rewrite would replace it.
    StartedForm started({.files = {{files::kSettings, "\"ヘルプ\",1\n"}, {files::kEvery, kOneStep}},
                         .load = false});
    auto& [w, form] = started;
    // A click while the window comes up, before start-up has ended, is ignored.
    bool clicked = false;
    w.shell.onShowMainWindow = [&] {
        EXPECT_EQ(form.chkHelp.value(), 1);
        form.chkHelp.setValue(0);
        form.chkHelp_Click();
        clicked = true;
    };
    form.Form_Load();
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(form.loading());
    EXPECT_EQ(form.helpTour(), 1);
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプ\",1\r\n");

    form.setHelpTourText("目的のページです。\r\n目標金額を登録します。");
    w.dialogs.answer(Answer::Ok);
    form.ShowHelpTour();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0], (Shown{"目的のページです。\r\n目標金額を登録します。",
                                         "ヘルプツアー", Icon::Information, Buttons::Ok}));

    w.dialogs.answer(Answer::Ok);
    form.chkHelp_Click();  // the box still unticked: the tour goes off
    form.ShowHelpTour();
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
}

TEST(HelpTour, HelpButtonOpensTheHelpFileAndEndClosesIt) {
    StartedForm started({.files = {{files::kEvery, kOneStep}}});
    auto& [w, form] = started;

    form.cmdHelp_Click();
    EXPECT_EQ(w.shell.helpOpened, std::vector<std::string>{"ZumexHelp.chm"});
    EXPECT_EQ(w.shell.helpClosed, 0);
    form.cmdEnd_Click();
    EXPECT_EQ(w.shell.helpClosed, 1);
    EXPECT_TRUE(w.shell.ended);
    EXPECT_TRUE(w.dialogs.shown.empty());
}

}  // namespace
}  // namespace zm::test

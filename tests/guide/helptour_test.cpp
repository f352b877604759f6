#include <gtest/gtest.h>

#include "app/mainform.h"
#include "store/filenames.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(HelpTour, TickingAndUntickingSaysSoAndSavesEveryClick) {
    World w;
    w.putInstallation(0);
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    MainForm form(w.services());
    form.Form_Load();

    w.dialogs.answer(Answer::Ok).answer(Answer::Ok).answer(Answer::Ok);
    form.chkHelp.setValue(1);
    form.chkHelp_Click();
    EXPECT_EQ(form.HelpTour, 1);
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",1\r\n");

    form.chkHelp.setValue(0);
    form.chkHelp_Click();
    EXPECT_EQ(form.HelpTour, 0);
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",0\r\n");

    // The file is written again even when it already says so.
    w.put(files::kSettings, "\"古い\",0\n");
    form.chkHelp_Click();
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
    World w;
    w.putInstallation();
    // Any label is accepted; a rewrite would replace it.
    w.put(files::kSettings, "\"ヘルプ\",1\n");
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    MainForm form(w.services());
    form.Form_Load();
    EXPECT_EQ(form.chkHelp.value(), 1);
    EXPECT_EQ(form.HelpTour, 1);
    EXPECT_TRUE(w.dialogs.shown.empty());
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプ\",1\r\n");

    // A click while loading is ignored.
    form.Loading = true;
    form.chkHelp.setValue(0);
    form.chkHelp_Click();
    EXPECT_EQ(form.HelpTour, 1);
    EXPECT_TRUE(w.dialogs.shown.empty());
    form.Loading = false;

    form.HelpTourText = "目的のページです。\r\n目標金額を登録します。";
    w.dialogs.answer(Answer::Ok);
    form.ShowHelpTour();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text, "目的のページです。\r\n目標金額を登録します。");
    EXPECT_EQ(w.dialogs.shown[0].title, "ヘルプツアー");
    EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Information);
    EXPECT_EQ(w.dialogs.shown[0].buttons, Buttons::Ok);

    form.HelpTour = 0;
    form.ShowHelpTour();
    EXPECT_EQ(w.dialogs.shown.size(), 1u);
}

TEST(HelpTour, HelpButtonOpensTheHelpFileAndEndClosesIt) {
    World w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    MainForm form(w.services());
    form.Form_Load();

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

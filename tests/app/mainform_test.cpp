#include "app/mainform.h"

#include <gtest/gtest.h>

#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/refusal.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

std::vector<std::string> visiblePages(MainForm& form) {
    std::vector<std::string> names;
    for (Frame* f : form.pageFrames()) {
        if (f->visible()) names.push_back(f->name());
    }
    return names;
}

TEST(MainForm, StartUpShowsTheStepPageThenItsGuideWhenTheLedgerIsEmpty) {
    StartedForm started({.helpTour = 1, .load = false});
    auto& [w, form] = started;
    // The guide must come after the window is on screen.
    bool shownBeforeGuide = false;
    form.every.fraCyokin1.bind([&] { shownBeforeGuide = w.shell.mainShown; });
    form.Form_Load();

    EXPECT_EQ(form.helpFile(), "ZumexHelp.chm");
    EXPECT_EQ(form.helpTour(), 1);
    EXPECT_EQ(form.chkHelp.value(), 1);
    EXPECT_FALSE(form.loading());
    EXPECT_GE(w.shell.eventsRun, 1);
    EXPECT_TRUE(w.dialogs.shown.empty());  // no help-tour message while loading
    EXPECT_EQ(visiblePages(form), std::vector<std::string>{"fraCyokin1"});
    EXPECT_FALSE(shownBeforeGuide);
    ASSERT_EQ(w.shell.guides.size(), 1u);
    EXPECT_EQ(w.shell.guides[0], std::make_pair(Guide::Sub1, true));
    EXPECT_TRUE(w.shell.mainShown);
    // Start-up writes nothing but the created empty ledger.
    EXPECT_EQ(w.get(files::kSettings), "\"ヘルプツアー\",1\r\n");
}

TEST(MainForm, PageButtonsSwitchOnlyToAPageNotShown) {
    StartedForm started({.files = {{files::kEvery, kOneStep}}});
    auto& [w, form] = started;
    EXPECT_TRUE(w.shell.guides.empty());

    form.cmdDay_Click();
    EXPECT_EQ(visiblePages(form), std::vector<std::string>{"fraDay"});
    form.cmdCyokin1_Click();
    EXPECT_EQ(visiblePages(form), std::vector<std::string>{"fraCyokin1"});
    EXPECT_TRUE(w.shell.guides.empty());

    // With an empty ledger the page button opens the guide modeless, but not
    // while the page is already shown.
    form.every.msgEvery.reset(form.every.msgEvery.columns());
    form.cmdCyokin1_Click();
    EXPECT_TRUE(w.shell.guides.empty());
    form.cmdMonth_Click();
    form.cmdCyokin1_Click();
    ASSERT_EQ(w.shell.guides.size(), 1u);
    EXPECT_EQ(w.shell.guides[0], std::make_pair(Guide::Sub1, false));

    form.cmdEnd_Click();
    EXPECT_TRUE(w.shell.ended);
}

TEST(MainForm, MissingInstallationFileEndsStartUpNamingIt) {
    for (std::string_view missing : {files::kSettings, files::kEveryTarget, files::kEveryHistory}) {
        StartedForm started({.load = false});
        auto& [w, form] = started;
        std::filesystem::remove(w.dir.path() / std::string(missing));
        const FileError e = refusalOf([&] { form.Form_Load(); });
        EXPECT_EQ(e.file(), missing);
        EXPECT_NE(std::string(e.what()).find(std::string(missing)), std::string::npos);
        EXPECT_FALSE(w.folder.exists(missing));
        EXPECT_FALSE(w.shell.mainShown);
    }
}

}  // namespace
}  // namespace zm::test

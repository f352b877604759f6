// Nothing the program writes may be refused when it is read back: every
// writer of a text field takes the longest text the reader takes, and refuses
// one character more before anything is written.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/mainform.h"
#include "store/fieldlength.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "support/startedform.h"
#include "support/world.h"

namespace zm::test {
namespace {

TEST(FieldLimits, TheLongestAcceptedTextIsReadBackAndOneMoreIsRefused) {
    std::string longest;
    for (std::size_t i = 0; i < kMaxFieldChars; ++i) longest += "漢";  // three bytes each

    struct Writer {
        const char* what;
        // Types the text where the user would and presses the button; the
        // text of an input box is typed into it first.
        std::function<void(MainForm&, const std::string&)> write;
        bool inputBox;
        // The answers to what an accepted text asks.
        std::vector<Answer> asks;
        // Where a fresh start-up shows the text.
        std::function<std::vector<std::string>(MainForm&)> shown;
    };
    const Writer writers[] = {
        {"項目名",
         [](MainForm& f, const std::string& text) {
             f.cmdCyokin3_Click();
             f.themes[0].txtKou.setText(text);
             f.themes[0].txtInp.setText("10");
             f.themes[0].cmdHozon_Click();
         },
         false,
         {Answer::Yes},  // into the item list too
         [](MainForm& f) -> std::vector<std::string> {
             return {f.themes[0].msgLedger.text(1, 2), f.themes[0].msgKou.text(1, 0)};
         }},
        {"テーマ名",
         [](MainForm& f, const std::string&) { f.themes[1].EditThemeName(); },
         true,
         {},
         [](MainForm& f) -> std::vector<std::string> { return {f.themes[1].themeName()}; }},
        {"貯金目的",
         [](MainForm& f, const std::string& text) {
             f.cmdMaster_Click();
             f.goals.txtInpMokuKou.setText(text);
             f.goals.txtInpMokuKin.setText("1000");
             f.goals.cmdMokuHozon_Click();
         },
         false,
         {},
         [](MainForm& f) -> std::vector<std::string> {
             f.cmdMaster_Click();
             return {f.goals.msgMokuhyo.text(1, 1)};
         }},
        {"テーマ名",  // the new start's names
         [](MainForm& f, const std::string& text) {
             f.cmdMaster_Click();
             f.goals.txtTemaMei[2].setText(text);
             f.cmdNewStart_Click();
         },
         false,
         {Answer::Ok, Answer::Ok},  // the question, the notice
         [](MainForm& f) -> std::vector<std::string> { return {f.themes[2].themeName()}; }},
    };

    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        StartedForm started;
        auto& [w, form] = started;
        form.cmdMaster_Click();  // makes the goals file
        const Fingerprints before = fingerprints(w);
        if (writer.inputBox) w.dialogs.type(longest + "漢");
        w.dialogs.answer(Answer::Ok);
        writer.write(form, longest + "漢");
        ASSERT_FALSE(w.dialogs.shown.empty());
        EXPECT_EQ(w.dialogs.shown.back().title, "文字数の上限");
        EXPECT_EQ(w.dialogs.shown.back().text,
                  std::string(writer.what) + "は 4,096 文字までです。");
        EXPECT_EQ(fingerprints(w), before);
        if (writer.inputBox) w.dialogs.type(longest);
        for (Answer a : writer.asks) w.dialogs.answer(a);
        writer.write(form, longest);

        MainForm again(w.services());
        again.Form_Load();
        for (const std::string& shown : writer.shown(again)) EXPECT_TRUE(shown == longest);
    }
}

TEST(FieldLimits, AFullGoalsListTakesNoMore) {
    std::string full;
    for (int i = 0; i < kMaxRecords; ++i) full += "\"旅行\",1\n";
    StartedForm started({.files = {{files::kGoals, full}}});
    auto& [w, form] = started;
    form.cmdMaster_Click();
    const std::string before = w.dir.read(files::kGoals);
    form.goals.txtInpMokuKou.setText("車");
    form.goals.txtInpMokuKin.setText("1000");
    w.dialogs.answer(Answer::Ok);
    form.goals.cmdMokuHozon_Click();
    ASSERT_FALSE(w.dialogs.shown.empty());
    EXPECT_EQ(w.dialogs.shown.back().title, "記録の上限");
    EXPECT_EQ(w.dir.read(files::kGoals).size(), before.size());
}

}  // namespace
}  // namespace zm::test

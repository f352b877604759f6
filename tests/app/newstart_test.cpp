#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "store/cp932.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/startedform.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;

// A folder with something in every data file, each under 200 bytes, and the
// program started on it with the goals page open.
struct NewStartFixture : ::testing::Test {
    StartedForm started{{.files = {
                             {files::kEveryTarget, "200\n"},
                             {files::kEvery,
                              "\"2026年03月03日\",\"08:00:00\",1\n"
                              "\"2026年03月04日\",\"08:00:00\",2\n"},
                             {files::kEveryHistory, "\"2026年02月01日\",\"07:00:00\",55\n"},
                             {files::kKozeni, "\"2026年03月01日\",\"09:00:00\",450\n"},
                             {files::kTheme[0], "\"2026年03月02日\",\"お風呂\",30\n"},
                             {files::kTheme[1], "\"2026年03月02日\",\"お風呂\",30\n"},
                             {files::kTheme[2], "\"2026年03月02日\",\"お風呂\",30\n"},
                             {files::kItems[0], "\"お風呂\",30\n"},
                             {files::kItems[1], "\"お風呂\",30\n"},
                             {files::kItems[2], "\"お風呂\",30\n"},
                             {files::kGoals, "\"旅行\",50000\n"},
                         }}};
    World& w = started.w;
    MainForm& form = started.form;

    void SetUp() override { form.cmdMaster_Click(); }
    // Every data file's bytes, by name.
    Files bytes(const fs::path& dir) {
        Files out;
        for (std::string_view name : files::allData()) {
            const fs::path p = dir / fs::path(std::string(name));
            std::ifstream in(p, std::ios::binary);
            out[std::string(name)] = fs::is_regular_file(p)
                                         ? std::string(std::istreambuf_iterator<char>(in), {})
                                         : "(no file)";
        }
        return out;
    }
    fs::path copyFolder() { return w.dir.path() / "バックアップ" / "20260305-101112"; }
    void name(int theme, const char* text) {
        form.goals.txtTemaMei[static_cast<std::size_t>(theme)].setText(text);
    }
};

TEST_F(NewStartFixture, CancelChangesNothing) {
    const Files before = bytes(w.dir.path());
    w.dialogs.answer(Answer::Cancel);
    form.cmdNewStart_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0],
              (Shown{"これまでのデータを全て削除して、新規にスタートしても良いですか？\r\n",
                     "削除確認", Icon::Question, Buttons::OkCancel}));
    EXPECT_EQ(bytes(w.dir.path()), before);
    // Only the day's own copy from the start-up, no copy of a new start.
    const fs::path copies = w.dir.path() / "バックアップ";
    for (const auto& entry : fs::directory_iterator(copies)) {
        EXPECT_EQ(entry.path().filename().native().find('-'), std::string::npos) << entry.path();
    }
    EXPECT_FALSE(w.shell.ended);
}

TEST_F(NewStartFixture, OkEmptiesTheFilesAfterACopyAndEndsWithoutUpdatingThePages) {
    EXPECT_EQ(form.goals.txtTemaMei[0].text(), "～つもり貯金");
    const Files before = bytes(w.dir.path());
    name(0, "お小遣い");
    name(1, "");
    name(2, "禁煙ボーナス");
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    form.cmdNewStart_Click();

    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1].text,
              "データを初期化しました。\r\n\r\n"
              "一旦プログラムを終了させていただきます。再起動後に新規にスタートできます！\r\n");
    EXPECT_EQ(w.dialogs.shown[1].title, "スタート準備完了");
    EXPECT_EQ(w.dialogs.shown[1].icon, Icon::Information);
    EXPECT_TRUE(w.shell.ended);

    Files expected = before;
    for (std::string_view emptied :
         {files::kEvery, files::kEveryHistory, files::kKozeni, files::kTheme[0], files::kTheme[1],
          files::kTheme[2], files::kItems[0], files::kItems[1], files::kItems[2], files::kGoals}) {
        expected[std::string(emptied)] = "";
    }
    const char* const written[] = {"\"お小遣い\"\r\n", "\"\"\r\n", "\"禁煙ボーナス\"\r\n"};
    for (int t = 0; t < 3; ++t)
        expected[std::string(files::kThemeName[t])] = *utf8ToCp932(written[t]);
    EXPECT_EQ(bytes(w.dir.path()), expected);  // settings and target days as they were
    EXPECT_EQ(bytes(copyFolder()), before);
    EXPECT_FALSE(fs::exists(copyFolder() / "新規スタート中.txt"));  // done: nothing to finish

    // Nothing on the pages was updated before the end.
    EXPECT_EQ(form.every.msgEvery.recordCount(), 2);
    EXPECT_EQ(form.goals.msgMokuhyo.recordCount(), 1);
    EXPECT_EQ(form.themes[0].themeName(), "～つもり貯金");
}

TEST_F(NewStartFixture, ANameTheFileCannotCarryIsRefusedBeforeTheQuestion) {
    const Files before = bytes(w.dir.path());
    name(2, "禁煙🚭");
    w.dialogs.answer(Answer::Ok);
    form.cmdNewStart_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].title, "使用できない文字");
    EXPECT_EQ(w.dialogs.shown[0].text.rfind("テーマ名に保存できない文字が含まれています。\r\n", 0),
              0u);
    EXPECT_EQ(bytes(w.dir.path()), before);
    EXPECT_FALSE(w.shell.ended);
}

TEST_F(NewStartFixture, NoCopyMeansNothingIsEmptiedAndTheProgramGoesOn) {
    fs::remove(w.dir.path() / std::string(files::kKozeni));
    fs::create_directory(w.dir.path() / std::string(files::kKozeni));
    const Files before = bytes(w.dir.path());
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    form.cmdNewStart_Click();
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    const auto& told = w.dialogs.shown[1];
    EXPECT_EQ(told.title, "新規スタート中止");
    EXPECT_EQ(told.icon, Icon::Exclamation);
    EXPECT_EQ(
        told.text.rfind("データのコピーを作れなかったため、新規スタートを取りやめました。", 0), 0u);
    EXPECT_NE(told.text.find("小銭清算.txt"), std::string::npos) << told.text;
    EXPECT_EQ(bytes(w.dir.path()), before);
    EXPECT_FALSE(fs::exists(copyFolder()));
    EXPECT_FALSE(w.shell.ended);
}

TEST_F(NewStartFixture, AStepThatFailsStopsThereAndTheNextStartFinishesIt) {
    const Files before = bytes(w.dir.path());
    name(0, "お小遣い");
    w.dialogs.answer(Answer::Ok);
    const FileError e = refusalOf([&] {
        FailingRenames calls;
        calls.names = {{std::string(files::kThemeName[0]), 0}};
        const UsingFileCalls using_(calls);
        form.cmdNewStart_Click();
    });
    EXPECT_EQ(e.file(), files::kThemeName[0]);
    EXPECT_NE(std::string(e.what()).find(copyFolder().string()), std::string::npos) << e.what();
    EXPECT_EQ(w.dialogs.shown.size(), 1u);  // the question, no final message

    const Files after = bytes(w.dir.path());
    for (std::string_view done :
         {files::kEvery, files::kEveryHistory, files::kKozeni, files::kTheme[0]}) {
        EXPECT_EQ(after.at(std::string(done)), "") << done;
    }
    for (std::string_view kept : {files::kThemeName[0], files::kItems[0], files::kTheme[1],
                                  files::kThemeName[2], files::kGoals, files::kSettings}) {
        EXPECT_EQ(after.at(std::string(kept)), before.at(std::string(kept))) << kept;
    }
    EXPECT_EQ(bytes(copyFolder()), before);

    // The next start finishes it before any page reads the mixed files.
    w.dialogs.shown.clear();
    w.dialogs.answer(Answer::Ok);
    MainForm next(w.services());
    next.Form_Load();
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].text.rfind("前回の新規スタートが途中で止まっていたため、", 0), 0u);
    EXPECT_NE(w.dialogs.shown[0].text.find(copyFolder().string()), std::string::npos);
    EXPECT_EQ(next.themes[0].themeName(), "お小遣い");
    EXPECT_EQ(next.themes[1].themeName(), "家庭賃金制");
    for (std::string_view emptied : {files::kItems[0], files::kTheme[2], files::kGoals})
        EXPECT_EQ(w.dir.read(emptied), "") << emptied;
    EXPECT_EQ(bytes(copyFolder()), before);
    EXPECT_FALSE(fs::exists(copyFolder() / "新規スタート中.txt"));

    // Finished once: the start after that is quiet.
    w.dialogs.shown.clear();
    MainForm third(w.services());
    third.Form_Load();
    EXPECT_TRUE(w.dialogs.shown.empty());
}

}  // namespace
}  // namespace zm::test

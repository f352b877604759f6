#include "app/csvexport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/mainform.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "support/faultycalls.h"
#include "support/refusal.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

// Every file of a folder with its bytes.
std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        files[name] = dir.read(name);
    }
    return files;
}

const std::string kBom = "\xEF\xBB\xBF";

// The index of the first write `run` makes, for a disk that is full there.
std::size_t firstWrite(const std::function<void()>& run) {
    FaultyCalls io;
    run();
    for (std::size_t i = 0; i < io.log.size(); ++i) {
        if (io.log[i].kind == FaultyCalls::Kind::Write) return i;
    }
    ADD_FAILURE() << "nothing written";
    return 0;
}

// Today is 2026年03月05日. No small-change ledger and no goals file: they are
// taken as empty and not created.
TEST(CsvExport, EveryLedgerAndBothHistoriesAsThePagesShowThemWithoutTouchingTheData) {
    World w;
    w.putInstallation();
    w.put(files::kEvery,
          "\"2026年03月04日\",\"09:00:00\",1\n\"2026年03月05日\",\"08:30:15\",2.5\n");
    w.put(files::kTheme[0], "\"2026年02月01日\",\"=1+2\",300\n");
    w.put(files::kTheme[1], "");
    w.put(files::kTheme[2], "");
    w.put(files::kItems[0], "\"缶コーヒー\",120\n");
    const auto before = snapshot(w.dir);
    TempDir out;

    const auto written = exportCsvFiles(w.folder, out.path() / "書き出し", w.clock);

    EXPECT_EQ(snapshot(w.dir), before);
    EXPECT_EQ(written,
              (std::vector<std::string>{"３６５歩のマーチ.csv", "３６５歩履歴.csv", "小銭清算.csv",
                                        "テーマ１.csv", "項目１.csv", "テーマ２.csv", "項目２.csv",
                                        "テーマ３.csv", "項目３.csv", "貯金目標.csv",
                                        "日別の貯金履歴.csv", "月別の貯金履歴.csv"}));
    auto csv = [&](const std::string& name) { return out.read("書き出し/" + name); };
    EXPECT_EQ(csv("３６５歩のマーチ.csv"), kBom +
                                               "回,日付,時間,入金,累積\r\n"
                                               "1,2026-03-04,09:00:00,1,1\r\n"
                                               "2,2026-03-05,08:30:15,2.5,3.5\r\n");
    EXPECT_EQ(csv("小銭清算.csv"), kBom + "回,日付,時間,入金,累計\r\n");
    EXPECT_EQ(csv("テーマ１.csv"),
              kBom + "回,日付,項目,入金,累計\r\n1,2026-02-01,'=1+2,300,300\r\n");
    EXPECT_EQ(csv("項目１.csv"), kBom + "項目,金額\r\n缶コーヒー,120\r\n");
    EXPECT_EQ(csv("貯金目標.csv"), kBom + "達成,貯金目的,目標金額,達成まで,達成予定\r\n");
    EXPECT_EQ(csv("月別の貯金履歴.csv"),
              kBom +
                  "月数,年月,３５６歩,小銭清算,～つもり,家庭賃金,罰金徴収,合計,累計\r\n"
                  "1,2026-02,,,300,,,300,300\r\n"
                  "2,2026-03,3.5,,,,,3.5,303.5\r\n");
    const std::string days = csv("日別の貯金履歴.csv");
    EXPECT_TRUE(days.ends_with("\r\n33,2026-03-05,2.5,,,,,2.5,303.5\r\n")) << days;

    // The goals are measured against every savings, as on their page, and
    // expected at the pace of ¥303.5 in 90 days: 207 days for ¥696.5.
    w.put(files::kGoals, "\"旅行\",300\n\"車\",1000\n");
    exportCsvFiles(w.folder, out.path(), w.clock);
    EXPECT_EQ(out.read("貯金目標.csv"), kBom +
                                           "達成,貯金目的,目標金額,達成まで,達成予定\r\n"
                                           "★,旅行,300,3.5,\r\n,車,1000,-696.5,2026-09-01\r\n");
}

// A file that cannot be written is named and left out whole; the data folder
// is never a place to write into; a file the window needs that is missing or
// broken stops the export with its name.
TEST(CsvExport, FailuresNameTheFileAndLeaveNoHalfFile) {
    World w;
    w.putInstallation();
    w.put(files::kEvery, "\"2026年03月04日\",\"09:00:00\",1\n");
    TempDir out;
    out.write("３６５歩のマーチ.csv", "old");
    const std::size_t write = firstWrite([&] {
        TempDir dry;
        exportCsvFiles(w.folder, dry.path(), w.clock);
    });
    {
        FaultyCalls calls;
        calls.failAt(write, ENOSPC, true);
        EXPECT_EQ(refusalOf([&] { exportCsvFiles(w.folder, out.path(), w.clock); }).file(),
                  "３６５歩のマーチ.csv");
    }
    EXPECT_EQ(out.read("３６５歩のマーチ.csv"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator()), 1);

    // Inside however it is spelled: through "..", or through a link.
    fs::create_directory_symlink(w.dir.path(), out.path() / "link");
    const fs::path roundabout = w.dir.path().parent_path() / "y" / ".." / w.dir.path().filename();
    for (const fs::path& inside : {w.dir.path() / "." / "", w.dir.path() / "csv" / "x",
                                   roundabout / "csv", out.path() / "link" / "csv",
                                   out.path() / "link" / std::string(300, 'a')}) {
        EXPECT_EQ(refusalOf([&] { exportCsvFiles(w.folder, inside, w.clock); }).reason(),
                  "データフォルダの中には書き出せません。")
            << inside;
    }
    EXPECT_FALSE(fs::exists(w.dir.path() / "csv"));
    out.write("a file", "");
    EXPECT_THROW(exportCsvFiles(w.folder, out.path() / "a file" / "x", w.clock), FileError);
    fs::remove(w.dir.path() / "項目２.txt");
    EXPECT_EQ(refusalOf([&] { exportCsvFiles(w.folder, out.path(), w.clock); }).file(),
              "項目２.txt");
}

// The folder holds the old set or the new one, never a mix; nothing is written
// through a link, and so the data folder is never reached.
TEST(CsvExport, TheOldSetOrTheNewAndNeverThroughALink) {
    World w;
    w.putInstallation();
    w.put(files::kKozeni, "\"2026年03月04日\",\"09:00:00\",1\n");
    TempDir out, empty;
    exportCsvFiles(w.folder, out.path(), w.clock);
    w.put(files::kKozeni, "\"2026年03月04日\",\"09:00:00\",2\n");
    const auto data = snapshot(w.dir);
    ASSERT_EQ(data.count("テーマ３.txt"), 0u);
    const auto old = snapshot(out);
    fs::create_symlink(w.dir.path() / "小銭清算.txt", empty.path() / "小銭清算.csv");
    const struct {
        const char* why;
        std::function<void()> harm, mend;
        const TempDir& into;
        std::string named;
    } cases[] = {
        {"a damaged ledger", [&] { w.dir.write("テーマ３.txt", "x\r\n"); },
         [&] { fs::remove(w.dir.path() / "テーマ３.txt"); }, out, "テーマ３.txt"},
        {"a link to a data file", [] {}, [] {}, empty, "小銭清算.csv"},
        {"a link among the old set",
         [&] {
             fs::remove(out.path() / "項目２.csv");
             fs::create_symlink(w.dir.path() / "項目２.txt", out.path() / "項目２.csv");
         },
         [&] {
             fs::remove(out.path() / "項目２.csv");
             out.write("項目２.csv", old.at("項目２.csv"));
         },
         out, "項目２.csv"},
    };
    for (const auto& c : cases) {
        c.harm();
        const auto before = snapshot(c.into);
        EXPECT_EQ(refusalOf([&] { exportCsvFiles(w.folder, c.into.path(), w.clock); }).file(),
                  c.named)
            << c.why;
        EXPECT_EQ(snapshot(c.into), before) << c.why;
        c.mend();
        EXPECT_EQ(snapshot(w.dir), data) << c.why;
    }
    // The eighth file fails: the seven before it get their old bytes back.
    {
        FailingRenames calls;
        calls.names = {{"テーマ３.csv", 0}};
        const UsingFileCalls using_(calls);
        EXPECT_EQ(refusalOf([&] { exportCsvFiles(w.folder, out.path(), w.clock); }).file(),
                  "テーマ３.csv");
    }
    EXPECT_EQ(snapshot(out), old);
    exportCsvFiles(w.folder, out.path(), w.clock);
    EXPECT_NE(snapshot(out), old);

    // A file saved from the window neither.
    MainForm form(w.services());
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    EXPECT_FALSE(form.saveOutFile(empty.path() / "小銭清算.csv", "csv"));
    EXPECT_FALSE(form.saveOutFile(w.dir.path() / "表.csv", "csv"));
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_NE(w.dialogs.shown[0].text.find("シンボリックリンク"), std::string::npos);
    EXPECT_NE(w.dialogs.shown[1].text.find("データフォルダの中"), std::string::npos);
    EXPECT_EQ(snapshot(w.dir), data);
}

// A file saved from the window: written whole, or a message saying why and
// the old file as it was; the program goes on.
TEST(SaveOutFile, WrittenWholeOrToldWhyWithTheOldFileKept) {
    World w;
    MainForm form(w.services());
    TempDir out;
    const fs::path path = out.path() / "小銭清算貯金_20260305.csv";
    const std::size_t write = firstWrite([&] { EXPECT_TRUE(form.saveOutFile(path, "new")); });
    EXPECT_EQ(out.read("小銭清算貯金_20260305.csv"), "new");
    w.dialogs.answer(Answer::Ok).answer(Answer::Ok);
    {
        FaultyCalls calls;
        calls.failAt(write, ENOSPC, true);
        EXPECT_FALSE(form.saveOutFile(path, "newer"));
    }
    EXPECT_EQ(out.read("小銭清算貯金_20260305.csv"), "new");
    ASSERT_EQ(w.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.dialogs.shown[0].icon, Icon::Critical);
    const std::string& text = w.dialogs.shown[0].text;
    EXPECT_EQ(text.rfind("「小銭清算貯金_20260305.csv」を保存できませんでした。\r\n", 0), 0u);
    EXPECT_NE(text.find("ディスクに空きがありません"), std::string::npos) << text;
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator()), 1);
    EXPECT_FALSE(form.saveOutFile(out.path() / "no folder" / "x.png", "png"));
    EXPECT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(form.outFileName("小銭清算貯金", ".csv"), "小銭清算貯金_20260305.csv");
}

}  // namespace
}  // namespace zm::test

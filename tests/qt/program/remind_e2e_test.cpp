// `zumeri --remind` on a temporary data folder, its notifications taken by a
// fake service on a private session bus.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <thread>

#include "store/filenames.h"
#include "store/folderlock.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& file) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

std::map<fs::path, std::string> snapshot(const fs::path& dir) {
    std::map<fs::path, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir)) files[e.path()] = slurp(e.path());
    return files;
}

TEST(Remind, NotifiesOnlyWhileTodaysDepositIsOpenAndWritesNothing) {
    const Date today = SystemClock().today();
    const auto day = [today](int back) {
        return "\"" + dateText(addDays(today, -back)) + "\",\"09:00:00\",1\n";
    };
    const std::string note =
        "ズメリ貯金Ｐｒｏ\tズメリ貯金Ｐｒｏ\t本日の入金予定は 3円 です\\n" +
        std::to_string(static_cast<unsigned>(addDays(today, -1).day())) +
        "日からの滞納金が 2円 です\\n合計金額は 5円 です\tzumeri\topen,開く\tzumeri\n";
    const struct {
        std::string ledger;   // "-" for none
        const char* service;  // how the fake service answers; "" for none
        bool running;         // the program has the folder
        int status;
        std::string notes;
        const char* said;    // on standard output, or on standard error when failing
        bool opened;         // the launcher was started
        bool waits = false;  // started two seconds before the chosen time
        // Named with --data-dir, from another folder: "." the data folder.
        const char* named = nullptr;
    } cases[] = {
        {day(2), "close", false, 0, note, "お知らせしました", false},
        {day(2), "open", false, 0, note, "開きました", true},
        {day(3) + day(2) + day(1), "close", false, 0,
         "ズメリ貯金Ｐｒｏ\tズメリ貯金Ｐｒｏ\t本日の入金予定は 4円 です\\n"
         "連続 3 日の入金が続いています。\tzumeri\topen,開く\tzumeri\n",
         "お知らせしました", false},
        {day(1) + day(0), "close", false, 0, "", "本日の入金は済んでいるため、お知らせはありません",
         false},
        {"\"2005年01月01日\",\"09:26:01\",1\n" + day(3), "close", false, 0, "",
         "サンプルデータのため、お知らせはありません", false},
        {day(2), "close", true, 0, "", "起動中", false},
        {day(2), "", false, 0, "", "通知サービスがないため", false},
        {"-", "close", false, 1, "", "データフォルダ", false},
        {day(2), "close", false, 0, note, "まで待ってから", false, true},
        {day(2), "open", false, 0, note, "開きました", true, false, "."},
        {day(2), "close", false, 1, "", "がありません", false, false, "missing"},
    };
    for (const auto& c : cases) {
        // The wait is measured on the real clock: not across midnight.
        const TimeOfDay now = SystemClock().now();
        if (c.waits && now > TimeOfDay{24 * 3600 - 10}) continue;
        World w;
        TempDir scratch;
        if (c.ledger != "-") w.put(files::kEvery, c.ledger);
        const auto before = snapshot(w.dir.path());
        std::optional<FolderLock> program;
        if (c.running) program.emplace(w.dir.path());
        const fs::path launcher = scratch.path() / "launcher", opened = scratch.path() / "opened";
        std::ofstream(launcher) << "#!/bin/sh\nprintf '%s|%s\\n' \"$(pwd)\" \"$*\" > '"
                                << opened.string() << "'\n";
        fs::permissions(launcher, fs::perms::owner_all);

        const auto q = [](const fs::path& p) { return "'" + p.string() + "' "; };
        const fs::path named = !c.named                       ? fs::path()
                               : std::string_view(c.named) == "." ? w.dir.path()
                                                                  : w.dir.path() / c.named;
        const std::string dataDir = named.string();
        std::string command = "cd " + q(named.empty() ? w.dir.path() : scratch.path()) +
                              "&& ZUMERI_LAUNCHER=" + q(launcher) + "dbus-run-session -- ";
        if (*c.service)
            command += q(ZUMERI_FAKE_NOTIFICATIONS) + q(scratch.path() / "log") + c.service + " ";
        command += q(ZUMERI_PROGRAM) + "--remind ";
        if (c.named) command += "--data-dir " + q(named);
        if (c.waits) command += "--at " + timeText(now + std::chrono::seconds(2)) + " ";
        command += ">" + q(scratch.path() / "out") + "2>" + q(scratch.path() / "err");
        const auto started = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        if (c.waits) {
            EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
        }
        const std::string out = slurp(scratch.path() / "out"), err = slurp(scratch.path() / "err");

        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status) << c.ledger << err;
        // A named folder is named in the text, which the fake service logs with
        // its line breaks escaped, before the icon's field.
        std::string notes = c.notes;
        if (c.named && !notes.empty()) {
            notes.insert(notes.find("\tzumeri\t"), "\\nデータフォルダ：" + dataDir);
        }
        EXPECT_EQ(slurp(scratch.path() / "log"), notes) << c.ledger;
        EXPECT_NE((c.status ? err : out).find(c.said), std::string::npos) << out << err;
        EXPECT_EQ(snapshot(w.dir.path()), before) << c.ledger;
        for (int i = 0; c.opened && i < 100 && slurp(opened).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const std::string args = c.named ? "--data-dir=" + dataDir : "";
        EXPECT_EQ(slurp(opened), c.opened ? w.dir.path().string() + "|" + args + "\n" : "")
            << c.service;
    }
}

}  // namespace
}  // namespace zm::test

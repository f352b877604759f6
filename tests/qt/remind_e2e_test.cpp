// `zumeri --remind` on a temporary data folder, its notifications taken by a
// fake service on a private session bus.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "step/steppage.h"
#include "store/folderlock.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir)) files[e.path()] = slurp(e.path());
    return files;
}

struct Outcome {
    int status = -1;
    std::string out, err;
    std::string notifications;  // the fake service's log
};

// Runs the program with --remind in `data`; `answer` is how the fake service
// answers ("close", "open"), or empty for a bus without one.
Outcome remind(const fs::path& data, const fs::path& scratch, const std::string& answer,
               const std::string& environment) {
    const auto q = [](const fs::path& p) { return "'" + p.string() + "'"; };
    std::string command = "cd " + q(data) + " && " + environment + " dbus-run-session -- ";
    if (!answer.empty()) {
        command += q(ZUMERI_FAKE_NOTIFICATIONS) + " " + q(scratch / "log") + " " + answer + " ";
    }
    command += q(ZUMERI_PROGRAM) + " --remind >" + q(scratch / "out") + " 2>" + q(scratch / "err");
    Outcome o;
    const int wait = std::system(command.c_str());
    o.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    o.out = slurp(scratch / "out");
    o.err = slurp(scratch / "err");
    o.notifications = slurp(scratch / "log");
    return o;
}

TEST(Remind, NotifiesOnlyWhileTodaysDepositIsOpenAndWritesNothing) {
    const Date today = SystemClock().today();
    const auto day = [today](int back) {
        return "\"" + dateText(addDays(today, -back)) + "\",\"09:00:00\",1\n";
    };
    const std::string yesterday = std::to_string(static_cast<unsigned>(addDays(today, -1).day()));
    const std::string note = "ズメリ貯金Ｐｒｏ\tズメリ貯金Ｐｒｏ\t本日の入金予定は 3円 です\\n" +
                             yesterday + "日からの滞納金が 2円 です\\n合計金額は 5円 です" +
                             "\tzumeri\topen,開く\tzumeri\n";
    const struct {
        const char* what;
        std::string ledger;  // "-" for none
        const char* answer;
        bool running;  // the program has the folder
        int status;
        std::string notifications;
        const char* said;  // on standard output, or on standard error when failing
    } cases[] = {
        {"deposit open", day(2), "close", false, 0, note, "お知らせしました"},
        {"deposit made", day(1) + day(0), "close", false, 0, "", "お知らせはありません"},
        {"the sample", "\"2005年01月01日\",\"09:26:01\",1\n" + day(3), "close", false, 0, "",
         "お知らせはありません"},
        {"program running", day(2), "close", true, 0, "", "起動中"},
        {"no service", day(2), "", false, 0, "", "通知サービスがないため"},
        {"no ledger", "-", "close", false, 1, "", "データフォルダ"},
    };
    for (const auto& c : cases) {
        World w;
        TempDir scratch;
        if (c.ledger != "-") w.put(files::kEvery, c.ledger);
        const auto before = snapshot(w.dir.path());
        std::optional<FolderLock> program;
        if (c.running) program.emplace(w.dir.path());

        const Outcome o = remind(w.dir.path(), scratch.path(), c.answer, "");
        EXPECT_EQ(o.status, c.status) << c.what << o.err;
        EXPECT_EQ(o.notifications, c.notifications) << c.what;
        EXPECT_NE((c.status ? o.err : o.out).find(c.said), std::string::npos) << c.what << o.out;
        EXPECT_EQ(snapshot(w.dir.path()), before) << c.what;
    }
}

TEST(Remind, OpenStartsTheLauncher) {
    World w;
    TempDir scratch;
    w.put(files::kEvery,
          "\"" + dateText(addDays(SystemClock().today(), -2)) + "\",\"09:00:00\",1\n");
    const fs::path launcher = scratch.path() / "launcher";
    const fs::path started = scratch.path() / "started";
    std::ofstream(launcher) << "#!/bin/sh\npwd > '" << started.string() << "'\n";
    fs::permissions(launcher, fs::perms::owner_all);

    const Outcome o =
        remind(w.dir.path(), scratch.path(), "open", "ZUMERI_LAUNCHER='" + launcher.string() + "'");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("開きました"), std::string::npos) << o.out;
    for (int i = 0; i < 100 && slurp(started).empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(slurp(started), w.dir.path().string() + "\n");
}

}  // namespace
}  // namespace zm::test

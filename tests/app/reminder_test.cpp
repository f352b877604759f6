// The reminder's schedule in a temporary configuration folder, with a fake
// `systemctl --user`.
#include "app/reminder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "support/tempdir.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

// The user's systemd, answering or not; enabling links the timer as systemctl does.
struct FakeSystemd final : UserSystemd, ReminderPreference {
    fs::path wants;
    bool answers = true;
    std::string fails;  // the command that fails, if any
    std::vector<std::string> calls;
    ReminderChoice choice;  // the kept preference

    int systemctl(const std::vector<std::string>& args) override {
        calls.push_back(args[0]);
        if (!answers || args[0] == fails) return 1;
        if (args[0] == "enable" && !fs::is_symlink(wants / args[1])) {
            fs::create_directories(wants);
            fs::create_symlink("../" + args[1], wants / args[1]);
        }
        if (args[0] == "disable") fs::remove(wants / args.back());
        return 0;
    }
    ReminderChoice load() const override { return choice; }
    void save(const ReminderChoice& c) override { choice = c; }
};

struct Configured {
    TempDir home;
    fs::path config = home.path() / "config";
    FakeSystemd systemd;
    ReminderSchedule schedule{config, {"/opt/z/bin/zumeri", {}, {}}, systemd, systemd};
    Configured() { systemd.wants = config / "systemd/user/timers.target.wants"; }

    std::set<std::string> files() const {
        std::set<std::string> found;
        for (const auto& e : fs::recursive_directory_iterator(home.path())) {
            if (!e.is_directory() || e.is_symlink())
                found.insert(e.path().lexically_relative(config));
        }
        return found;
    }
};

std::string contents(const fs::path& file) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

constexpr ReminderChoice k2130{true, TimeOfDay{21 * 3600 + 30 * 60}};

TEST(ReminderSchedule, InstallsAndRemovesExactlyItsFiles) {
    const std::set<std::string> timer{"systemd/user/zumeri-reminder.service",
                                      "systemd/user/zumeri-reminder.timer",
                                      "systemd/user/timers.target.wants/zumeri-reminder.timer"};
    for (const bool answers : {true, false}) {
        Configured s;
        s.systemd.answers = answers;
        // An entry from a login without systemd would remind a second time.
        if (answers) {
            fs::create_directories(s.schedule.autostartFile().parent_path());
            std::ofstream(s.schedule.autostartFile()) << "[Desktop Entry]\n";
        }
        ASSERT_EQ(s.schedule.apply(k2130), "");
        EXPECT_EQ(s.files(),
                  answers ? timer : std::set<std::string>{"autostart/zumeri-reminder.desktop"});
        EXPECT_EQ(s.systemd.choice, k2130);
        const std::string installed =
            answers ? contents(s.schedule.timerFile()) + contents(s.schedule.serviceFile())
                    : contents(s.schedule.autostartFile());
        const std::vector<std::string> lines =
            answers
                ? std::vector<std::string>{"\nOnCalendar=*-*-* 21:30:00\nPersistent=true\n",
                                           "\nExecStart=\"/opt/z/bin/zumeri\" --remind\n"}
                : std::vector<std::string>{"\nExec=\"/opt/z/bin/zumeri\" --remind --at 21:30\n"};
        for (const std::string& line : lines)
            EXPECT_NE(installed.find(line), std::string::npos) << line;
        // A timer already running takes a new time only when started again.
        EXPECT_EQ(s.systemd.calls.back(), answers ? "restart" : "show-environment");
        // Switched off, also when systemd no longer answers: nothing is left.
        s.systemd.answers = !answers;
        ASSERT_EQ(s.schedule.apply({false, k2130.at}), "");
        EXPECT_EQ(s.files(), std::set<std::string>{}) << answers;
        EXPECT_FALSE(s.systemd.choice.on);
    }
}

// A timer that could not be set up anew is not left half-made, and the choice
// is off rather than the old one, whose timer is gone.
TEST(ReminderSchedule, AFailureLeavesNothingAndTheChoiceOff) {
    for (const char* failing : {"daemon-reload", "config is a file"}) {
        Configured s;
        if (failing[0] == 'd') {
            ASSERT_EQ(s.schedule.apply(k2130), "");
            ASSERT_TRUE(s.systemd.choice.on);
        }
        s.systemd.fails = failing;
        if (failing[0] == 'c') std::ofstream(s.config) << "x";
        EXPECT_NE(s.schedule.apply(k2130), "") << failing;
        EXPECT_FALSE(s.systemd.choice.on) << failing;
        EXPECT_FALSE(fs::exists(s.schedule.serviceFile())) << failing;
    }
}

// An odd but possible place for the program, read by the desktop's own checks.
TEST(ReminderSchedule, FilesPassTheDesktopsOwnChecks) {
    TempDir dir;
    const fs::path odd = dir.path() / "my apps 100%$", program = odd / "zumeri";
    fs::create_directories(odd);
    std::ofstream(program) << "#!/bin/sh\n";
    fs::permissions(program, fs::perms::owner_all);
    const bool systemd = std::system("command -v systemd-analyze >/dev/null") == 0;
    // The third reminds about a book named by --data-dir, in the same odd place.
    const RemindCommand book{program, {}, {"--data-dir=" + odd.string()}};
    for (const RemindCommand& command :
         {RemindCommand{program, {}, {}}, RemindCommand{program, odd, {}}, book}) {
        const fs::path base = dir.path() / "zumeri-reminder";
        std::ofstream(base.string() + ".timer") << reminderTimerUnit(TimeOfDay{72000});
        std::ofstream(base.string() + ".service") << reminderServiceUnit(command);
        std::ofstream(base.string() + ".desktop")
            << reminderAutostartEntry(command, TimeOfDay{72000});
        const std::string q = "'" + base.string();
        if (systemd) {
            EXPECT_EQ(
                std::system(("systemd-analyze verify --man=no " + q + ".timer' " + q + ".service'")
                                .c_str()),
                0);
        }
        EXPECT_EQ(std::system(("desktop-file-validate " + q + ".desktop'").c_str()), 0);
    }
    EXPECT_NE(reminderServiceUnit(book).find(" --remind \"--data-dir=" + dir.path().string()),
              std::string::npos);
}

TEST(DailyAlarm, RingsOnceADayWhenTheTimeHasCome) {
    constexpr TimeOfDay at{20 * 3600};
    EXPECT_EQ(DailyAlarm::msecsUntil(TimeOfDay{19 * 3600}, at), 3600 * 1000 + 500);
    EXPECT_EQ(DailyAlarm::msecsUntil(at, at), 24 * 3600 * 1000 + 500);
    DailyAlarm alarm;
    const Date day = ymd(2026, 3, 5);
    EXPECT_FALSE(alarm.due({day, at - std::chrono::seconds(1)}, at));
    EXPECT_TRUE(alarm.due({day, at}, at));
    EXPECT_FALSE(alarm.due({day, at + std::chrono::seconds(1)}, at));
    EXPECT_TRUE(alarm.due({addDays(day, 1), at + std::chrono::hours(2)}, at));
}

}  // namespace
}  // namespace zm::test

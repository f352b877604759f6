// The reminder's schedule in a temporary configuration folder, with a fake
// `systemctl --user`.
#include "app/reminder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "support/tempdir.h"
#include "support/world.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

// The user's systemd: answering or not; enabling links the timer the way
// systemctl does.
struct FakeSystemd final : UserSystemd {
    fs::path config;
    bool answers = true;
    std::string fails;  // the command that fails, if any
    std::vector<std::string> calls;

    int systemctl(const std::vector<std::string>& args) override {
        std::string call;
        for (const auto& a : args) call += (call.empty() ? "" : " ") + a;
        calls.push_back(call);
        if (!answers || call == fails) return 1;
        const fs::path wants = config / "systemd/user/timers.target.wants";
        if (args[0] == "enable") {
            fs::create_directories(wants);
            if (!fs::is_symlink(wants / args[1])) {
                fs::create_symlink(config / "systemd/user" / args[1], wants / args[1]);
            }
        }
        if (args[0] == "disable") fs::remove(wants / args.back());
        return 0;
    }
};

struct MemoryPreference final : ReminderPreference {
    ReminderChoice choice;
    ReminderChoice load() const override { return choice; }
    void save(const ReminderChoice& c) override { choice = c; }
};

// Every file and link under `dir`, relative to it.
std::set<std::string> filesUnder(const fs::path& dir) {
    std::set<std::string> found;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory() || it->is_symlink())
            found.insert(it->path().lexically_relative(dir));
    }
    return found;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Configured {
    TempDir home;
    fs::path config = home.path() / "config";
    FakeSystemd systemd;
    MemoryPreference preference;
    RemindCommand command{"/opt/zumeri/bin/zumeri", {}};
    ReminderSchedule schedule{config, command, systemd, preference};
    Configured() { systemd.config = config; }
};

constexpr ReminderChoice on(int h, int m) {
    return {true, TimeOfDay{h * 3600 + m * 60}};
}

TEST(ReminderSchedule, InstallsAndRemovesExactlyItsFiles) {
    const std::set<std::string> timer{"systemd/user/zumeri-reminder.service",
                                      "systemd/user/zumeri-reminder.timer",
                                      "systemd/user/timers.target.wants/zumeri-reminder.timer"};
    const std::set<std::string> autostart{"autostart/zumeri-reminder.desktop"};
    for (const bool answers : {true, false}) {
        Configured s;
        s.systemd.answers = answers;
        ASSERT_EQ(s.schedule.apply(on(21, 30)), "");
        EXPECT_EQ(filesUnder(s.config), answers ? timer : autostart);
        EXPECT_EQ(s.preference.choice, on(21, 30));
        if (answers) {
            EXPECT_EQ(s.systemd.calls,
                      (std::vector<std::string>{"show-environment", "daemon-reload",
                                                "enable zumeri-reminder.timer",
                                                "restart zumeri-reminder.timer"}));
            const std::string unit = contents(s.schedule.timerFile());
            EXPECT_NE(unit.find("\nOnCalendar=*-*-* 21:30:00\nPersistent=true\n"), unit.npos);
            EXPECT_NE(contents(s.schedule.serviceFile())
                          .find("\nExecStart=\"/opt/zumeri/bin/zumeri\" --remind\n"),
                      unit.npos);
            EXPECT_NE(s.schedule.where().find(s.schedule.timerFile()), std::string::npos);
            // A new time reaches the running timer.
            s.systemd.calls.clear();
            ASSERT_EQ(s.schedule.apply(on(6, 5)), "");
            EXPECT_NE(contents(s.schedule.timerFile()).find("OnCalendar=*-*-* 06:05:00\n"),
                      unit.npos);
            EXPECT_EQ(s.systemd.calls.back(), "restart zumeri-reminder.timer");
        } else {
            EXPECT_NE(contents(s.schedule.autostartFile())
                          .find("\nExec=\"/opt/zumeri/bin/zumeri\" --remind\n"),
                      std::string::npos);
            EXPECT_NE(s.schedule.where().find(s.schedule.autostartFile()), std::string::npos);
        }
        // Off, whether or not systemd answers by then: nothing is left.
        s.systemd.answers = !answers;
        ASSERT_EQ(s.schedule.apply({false, TimeOfDay{6 * 3600}}), "");
        EXPECT_EQ(filesUnder(s.config), std::set<std::string>{}) << answers;
        EXPECT_FALSE(s.preference.choice.on);
        EXPECT_EQ(s.schedule.where(), "");
    }
}

TEST(ReminderSchedule, TheTimerReplacesAnAutostartEntry) {
    Configured s;
    s.systemd.answers = false;
    ASSERT_EQ(s.schedule.apply(on(20, 0)), "");
    s.systemd.answers = true;
    ASSERT_EQ(s.schedule.apply(on(20, 1)), "");
    EXPECT_FALSE(fs::exists(s.schedule.autostartFile()));
    EXPECT_TRUE(fs::exists(s.schedule.timerFile()));
}

TEST(ReminderSchedule, AFailureLeavesNothingAndKeepsTheOldChoice) {
    const struct {
        const char* what;
        const char* failingCall;
        bool configIsAFile;
        const char* message;
    } cases[] = {
        {"daemon-reload fails", "daemon-reload", false, "systemctl --user daemon-reload が失敗"},
        {"enable fails", "enable zumeri-reminder.timer", false, "systemctl --user enable"},
        {"the folder cannot be made", "", true, "を作れません"},
    };
    for (const auto& c : cases) {
        Configured s;
        s.systemd.fails = c.failingCall;
        if (c.configIsAFile) std::ofstream(s.config) << "x";
        const std::string why = s.schedule.apply(on(20, 0));
        EXPECT_NE(why.find(c.message), std::string::npos) << c.what << ": " << why;
        EXPECT_FALSE(s.preference.choice.on) << c.what;
        if (!c.configIsAFile) {
            EXPECT_EQ(filesUnder(s.config), std::set<std::string>{}) << c.what;
        }
    }
}

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Odd but possible places for the program; the tools read the files as the
// desktop will.
TEST(ReminderSchedule, FilesPassTheDesktopsOwnChecks) {
    TempDir dir;
    const fs::path odd = dir.path() / "my apps 100%$";
    fs::create_directories(odd);
    const fs::path program = odd / "zumeri";
    std::ofstream(program) << "#!/bin/sh\n";
    fs::permissions(program, fs::perms::owner_all);
    for (const RemindCommand& command : {RemindCommand{program, {}}, RemindCommand{program, odd}}) {
        const fs::path units = dir.path() / "units";
        fs::create_directories(units);
        std::ofstream(units / "zumeri-reminder.timer") << reminderTimerUnit(TimeOfDay{72000});
        std::ofstream(units / "zumeri-reminder.service") << reminderServiceUnit(command);
        std::ofstream(units / "zumeri-reminder.desktop") << reminderAutostartEntry(command);
        const std::string quoted = "'" + units.string() + "/zumeri-reminder";
        if (haveTool("systemd-analyze")) {
            EXPECT_EQ(std::system(("systemd-analyze verify --man=no " + quoted + ".timer' " +
                                   quoted + ".service'")
                                      .c_str()),
                      0)
                << reminderServiceUnit(command);
        }
        EXPECT_EQ(std::system(("desktop-file-validate " + quoted + ".desktop'").c_str()), 0)
            << reminderAutostartEntry(command);
    }
}

TEST(RemindCommand, IsTheLauncherWhereThereIsOne) {
    TempDir prefix;
    fs::create_directories(prefix.path() / "bin");
    fs::create_directories(prefix.path() / "libexec/zumeri");
    std::ofstream(prefix.path() / "bin/zumeri") << "#!/bin/sh\n";
    const fs::path installed = prefix.path() / "libexec/zumeri/zumeri";
    const fs::path built = prefix.path() / "build/zumeri";
    const struct {
        const char* launcher;
        fs::path program;
        fs::path expectedProgram;
        fs::path expectedDir;
    } cases[] = {
        {"/usr/bin/zumeri", installed, "/usr/bin/zumeri", ""},
        {"bin/zumeri", installed, prefix.path() / "libexec/zumeri/../../bin/zumeri", ""},
        {nullptr, built, built, "/data"},
    };
    for (const auto& c : cases) {
        const RemindCommand command = remindCommand(c.launcher, c.program, "/data");
        EXPECT_EQ(command.program.lexically_normal(), c.expectedProgram.lexically_normal());
        EXPECT_EQ(command.workingDir, c.expectedDir);
    }
    EXPECT_EQ(configHome("relative", "/home/u"), "/home/u/.config");
    EXPECT_EQ(configHome("/x/cfg", "/home/u"), "/x/cfg");
}

TEST(DailyAlarm, RingsOnceADayWhenTheTimeHasCome) {
    constexpr TimeOfDay at{20 * 3600};
    EXPECT_EQ(DailyAlarm::msecsUntil(TimeOfDay{19 * 3600}, at), 3600 * 1000 + 500);
    EXPECT_EQ(DailyAlarm::msecsUntil(at, at), 24 * 3600 * 1000 + 500);
    EXPECT_EQ(DailyAlarm::msecsUntil(TimeOfDay{21 * 3600}, at), 23 * 3600 * 1000 + 500);

    DailyAlarm alarm;
    const Date day = ymd(2026, 3, 5);
    EXPECT_FALSE(alarm.due({day, at - std::chrono::seconds(1)}, at));
    EXPECT_TRUE(alarm.due({day, at}, at));
    EXPECT_FALSE(alarm.due({day, at + std::chrono::seconds(1)}, at));
    EXPECT_TRUE(alarm.due({addDays(day, 1), at + std::chrono::hours(2)}, at));
}

}  // namespace
}  // namespace zm::test

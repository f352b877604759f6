#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "step/steppage.h"

namespace zm {

// The user's own systemd, through `systemctl --user`.
class UserSystemd {
public:
    virtual ~UserSystemd() = default;
    // Runs `systemctl --user <args>` quietly; its exit status, not 0 also
    // when it cannot be run at all.
    virtual int systemctl(const std::vector<std::string>& args) = 0;
};

class SystemctlProcess final : public UserSystemd {
public:
    int systemctl(const std::vector<std::string>& args) override;
};

// Where the reminder's choice is kept: the desktop's configuration.
class ReminderPreference {
public:
    virtual ~ReminderPreference() = default;
    virtual ReminderChoice load() const = 0;
    virtual void save(const ReminderChoice& choice) = 0;
};

// What the schedule starts: the launcher, which changes into the data folder
// itself, or else the program started in the data folder.
struct RemindCommand {
    std::filesystem::path program;
    std::filesystem::path workingDir;  // empty for the launcher
    // Given after --remind: the savings book it reminds about, when one was named.
    std::vector<std::string> arguments;
};

// The launcher the environment names (an absolute path), else bin/zumeri of
// the installation when the program lies in its libexec/zumeri, else the
// program itself in the data folder.
RemindCommand remindCommand(const char* launcherFromEnvironment,
                            const std::filesystem::path& program,
                            const std::filesystem::path& dataDir);

// $XDG_CONFIG_HOME when it is absolute, else ~/.config; empty without a home.
std::filesystem::path configHome(const char* xdgConfigHome, const char* home);

// The texts of the schedule's files.
std::string reminderTimerUnit(TimeOfDay at);
std::string reminderServiceUnit(const RemindCommand& command);
// Run at login, the entry waits for the time itself.
std::string reminderAutostartEntry(const RemindCommand& command, TimeOfDay at);

// The reminder's schedule in the user's configuration folder: a systemd user
// timer and its service where the user's systemd answers, else an autostart
// entry run at login. Files are written whole; switching off removes exactly
// these files and the timer's enabling.
class ReminderSchedule final : public ReminderSwitch {
public:
    ReminderSchedule(std::filesystem::path configHome, RemindCommand command, UserSystemd& systemd,
                     ReminderPreference& preference);

    ReminderChoice current() const override { return preference_.load(); }
    std::string apply(const ReminderChoice& choice) override;
    std::string where() const override;

    std::filesystem::path timerFile() const;
    std::filesystem::path serviceFile() const;
    std::filesystem::path autostartFile() const;

private:
    std::string install(TimeOfDay at);
    std::string installTimer(TimeOfDay at);
    std::string remove();
    std::string removeTimer();

    std::filesystem::path config_;
    RemindCommand command_;
    UserSystemd& systemd_;
    ReminderPreference& preference_;
};

// When the running program shows the reminder itself: once a day, at the
// chosen time or, after a sleep that passed it, as soon as it wakes.
class DailyAlarm {
public:
    // Milliseconds from `now` to the next `at` (a full day when they are
    // equal), and half a second more: the clock reads whole seconds.
    static std::int64_t msecsUntil(TimeOfDay now, TimeOfDay at);
    // True once a day, when `at` has come.
    bool due(const Moment& now, TimeOfDay at);

private:
    std::optional<Date> shown_;
};

}  // namespace zm

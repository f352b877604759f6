#include "app/reminder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filewriting.h"

extern char** environ;

namespace zm {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTimer = "zumeri-reminder.timer";
constexpr const char* kService = "zumeri-reminder.service";
constexpr const char* kAutostart = "zumeri-reminder.desktop";

// A path as the program of a unit's command line: quoted, the specifier
// sign doubled. Variables are not expanded in the program's name.
std::string unitWord(const std::string& path) {
    std::string word = "\"";
    for (const char c : path) {
        if (c == '\\' || c == '"') word += '\\';
        if (c == '%') word += c;
        word += c;
    }
    return word + "\"";
}

// A path as one word of a desktop entry's Exec: quoted for the command line,
// then escaped as the entry's string value; field codes' sign doubled.
std::string execWord(const std::string& path) {
    std::string word = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') word += "\\\\";
        if (c == '\\') word += "\\";
        if (c == '%') word += '%';
        word += c;
    }
    return word + "\"";
}

std::string entryString(const std::string& text) {
    std::string value;
    for (const char c : text) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

// A path as a unit's setting: the specifier sign doubled.
std::string unitPath(const std::string& path) {
    std::string value;
    for (const char c : path) {
        if (c == '%') value += c;
        value += c;
    }
    return value;
}

// Removes a file or link when there is one; the reason when it cannot.
std::string removeFile(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) return "「" + path.string() + "」を削除できません：" + systemReason(ec.value());
    return {};
}

bool present(const fs::path& path) {
    std::error_code ec;
    return fs::is_symlink(path, ec) || fs::exists(path, ec);
}

std::string write(const fs::path& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
        return "「" + path.parent_path().string() + "」を作れません：" + systemReason(ec.value());
    }
    try {
        writeWhole(path, text, path.string());
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

}  // namespace

int SystemctlProcess::systemctl(const std::vector<std::string>& args) {
    std::vector<std::string> words{"systemctl", "--user"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "systemctl", &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed) return 127;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return 127;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

RemindCommand remindCommand(const char* launcherFromEnvironment, const fs::path& program,
                            const fs::path& dataDir) {
    if (launcherFromEnvironment && fs::path(launcherFromEnvironment).is_absolute()) {
        return {launcherFromEnvironment, {}, {}};
    }
    // Installed, the program is <prefix>/libexec/zumeri/zumeri and the
    // launcher <prefix>/bin/zumeri.
    const fs::path launcher = program.parent_path().parent_path().parent_path() / "bin" / "zumeri";
    std::error_code ec;
    if (program.parent_path().filename() == "zumeri" && fs::is_regular_file(launcher, ec)) {
        return {launcher, {}, {}};
    }
    return {program, dataDir, {}};
}

fs::path configHome(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
    if (home && *home) return fs::path(home) / ".config";
    return {};
}

std::string reminderTimerUnit(TimeOfDay at) {
    return "[Unit]\n"
           "Description=ズメリ貯金Ｐｒｏ 毎日お知らせ\n"
           "\n"
           "[Timer]\n"
           "OnCalendar=*-*-* " +
           timeText(at) +
           "\n"
           "Persistent=true\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::string reminderServiceUnit(const RemindCommand& command) {
    std::string unit =
        "[Unit]\n"
        "Description=ズメリ貯金Ｐｒｏ 本日の入金予定のお知らせ\n"
        "\n"
        "[Service]\n"
        "Type=oneshot\n"
        "ExecStart=" +
        unitWord(command.program.string()) + " --remind";
    for (const std::string& arg : command.arguments) unit += " " + unitWord(arg);
    unit += "\n";
    if (!command.workingDir.empty()) {
        unit += "WorkingDirectory=" + unitPath(command.workingDir.string()) + "\n";
    }
    return unit;
}

std::string reminderAutostartEntry(const RemindCommand& command, TimeOfDay at) {
    std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=ズメリ貯金Ｐｒｏ 毎日お知らせ\n"
        "Comment=本日の入金予定をお知らせします\n"
        "Exec=" +
        execWord(command.program.string()) + " --remind --at " + timeText(at).substr(0, 5);
    for (const std::string& arg : command.arguments) entry += " " + execWord(arg);
    entry +=
        "\n"
        "Icon=zumeri\n"
        "Terminal=false\n"
        "NoDisplay=true\n";
    if (!command.workingDir.empty()) entry += "Path=" + entryString(command.workingDir) + "\n";
    return entry;
}

ReminderSchedule::ReminderSchedule(fs::path configHome, RemindCommand command, UserSystemd& systemd,
                                   ReminderPreference& preference)
    : config_(std::move(configHome)),
      command_(std::move(command)),
      systemd_(systemd),
      preference_(preference) {}

fs::path ReminderSchedule::timerFile() const {
    return config_ / "systemd" / "user" / kTimer;
}
fs::path ReminderSchedule::serviceFile() const {
    return config_ / "systemd" / "user" / kService;
}
fs::path ReminderSchedule::autostartFile() const {
    return config_ / "autostart" / kAutostart;
}

std::string ReminderSchedule::apply(const ReminderChoice& choice) {
    if (config_.empty()) return "ホームフォルダがわかりません（HOME が設定されていません）。";
    const std::string why = choice.on ? install(choice.at) : remove();
    if (why.empty()) preference_.save(choice);
    return why;
}

std::string ReminderSchedule::install(TimeOfDay at) {
    if (systemd_.systemctl({"show-environment"}) != 0) {
        // Without the user's systemd the entry runs at each login instead.
        return write(autostartFile(), reminderAutostartEntry(command_, at));
    }
    const std::string why = installTimer(at);
    if (!why.empty()) {
        // Nothing half-installed is left behind, and no timer is said to run.
        removeTimer();
        if (!present(autostartFile())) preference_.save({false, at});
        return why;
    }
    // Installed one way, the other way's entry would remind twice.
    return removeFile(autostartFile());
}

std::string ReminderSchedule::installTimer(TimeOfDay at) {
    std::string why = write(serviceFile(), reminderServiceUnit(command_));
    if (why.empty()) why = write(timerFile(), reminderTimerUnit(at));
    if (!why.empty()) return why;
    // A timer already running takes the new time only when started again.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"daemon-reload"}, {"enable", kTimer}, {"restart", kTimer}}) {
        if (const int status = systemd_.systemctl(args); status != 0) {
            std::string command = "systemctl --user";
            for (const std::string& a : args) command += " " + a;
            return command + " が失敗しました（終了状態 " + std::to_string(status) + "）。";
        }
    }
    return {};
}

std::string ReminderSchedule::remove() {
    const std::string why = removeTimer();
    return why.empty() ? removeFile(autostartFile()) : why;
}

std::string ReminderSchedule::removeTimer() {
    std::string why;
    if (present(timerFile()) || present(serviceFile())) {
        systemd_.systemctl({"disable", "--now", kTimer});
        // Without a systemd that answers, its enabling is taken away by hand.
        const fs::path wanted = config_ / "systemd" / "user" / "timers.target.wants" / kTimer;
        if (present(wanted)) why = removeFile(wanted);
        if (why.empty()) why = removeFile(timerFile());
        if (why.empty()) why = removeFile(serviceFile());
        systemd_.systemctl({"daemon-reload"});
    }
    return why;
}

std::string ReminderSchedule::where() const {
    if (present(timerFile())) {
        return "systemd のユーザータイマーで毎日お知らせします：" + timerFile().string();
    }
    if (present(autostartFile())) {
        return "ログインのたびにお知らせします（自動起動）：" + autostartFile().string();
    }
    return {};
}

std::int64_t DailyAlarm::msecsUntil(TimeOfDay now, TimeOfDay at) {
    std::int64_t seconds = (at - now).count();
    if (seconds <= 0) seconds += 24 * 3600;
    return seconds * 1000 + 500;
}

bool DailyAlarm::due(const Moment& now, TimeOfDay at) {
    if (shown_ == now.date || now.time < at) return false;
    shown_ = now.date;
    return true;
}

}  // namespace zm

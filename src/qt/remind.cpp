#include "qt/remind.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QEventLoop>
#include <QProcess>
#include <QSettings>
#include <QTime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/datetime.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/folderlock.h"

namespace zm {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kOpen = QStringLiteral("open");
constexpr const char* kTitle = "ズメリ貯金Ｐｒｏ";
// How long `--remind` waits for "開く" before it ends: a notification kept on
// screen or in the desktop's list may still be answered for a while.
constexpr int kWaitForAnswerMs = 10 * 60 * 1000;

void say(std::FILE* to, const std::string& text) {
    std::fputs((text + "\n").c_str(), to);
    std::fflush(to);
}

RemindCommand commandFor(const std::filesystem::path& dataDir) {
    return remindCommand(std::getenv("ZUMERI_LAUNCHER"),
                         QCoreApplication::applicationFilePath().toStdString(), dataDir);
}

const char* quietText(StepPage::Reminder::Quiet quiet) {
    using Quiet = StepPage::Reminder::Quiet;
    switch (quiet) {
        case Quiet::Sample:
            return "サンプルデータのため、お知らせはありません。";
        case Quiet::Deposited:
            return "本日の入金は済んでいるため、お知らせはありません。";
        case Quiet::NothingDue:
        case Quiet::No:
            break;
    }
    return "本日の入金予定がないため、お知らせはありません。";
}

// Started at login before the chosen time, waits for it; the session's end
// ends the wait with the process.
void waitUntil(TimeOfDay at) {
    const TimeOfDay now = SystemClock().now();
    if (now >= at) return;
    say(stdout, timeText(at).substr(0, 5) + " まで待ってから、本日の入金予定をお知らせします。");
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(DailyAlarm::msecsUntil(now, at)), Qt::PreciseTimer, &wait,
                       &QEventLoop::quit);
    wait.exec();
}

}  // namespace

bool DesktopNotice::send(const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    // Listening first: the answer may come at once.
    bus.connect(kService, kPath, kService, "ActionInvoked", this, SLOT(onAction(uint, QString)));
    bus.connect(kService, kPath, kService, "NotificationClosed", this, SLOT(onClosed(uint, uint)));

    const QDBusReply<QStringList> caps =
        bus.call(QDBusMessage::createMethodCall(kService, kPath, kService, "GetCapabilities"));
    actions_ = caps.isValid() && caps.value().contains("actions");

    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    const QVariantMap hints{{"desktop-entry", QStringLiteral("zumeri")}};
    notify << QString::fromUtf8(kTitle) << uint{0} << QStringLiteral("zumeri")
           << QString::fromUtf8(kTitle) << body << QStringList{kOpen, QStringLiteral("開く")}
           << hints << -1;
    const QDBusReply<uint> id = bus.call(notify);
    if (!id.isValid()) return false;
    id_ = id.value();
    return true;
}

void DesktopNotice::onAction(uint id, const QString& key) {
    if (id == id_ && id_ != 0 && key == kOpen) emit opened();
}

void DesktopNotice::onClosed(uint id, uint) {
    if (id == id_ && id_ != 0) emit closed();
}

int runRemind(std::optional<TimeOfDay> at) {
    QCoreApplication& app = *QCoreApplication::instance();
    if (at) waitUntil(*at);
    const std::filesystem::path dir = std::filesystem::current_path();
    StepPage::Reminder reminder;
    {
        // Only a look at whether the program runs here; released before the
        // wait, so that "開く" can start it.
        const FolderLock lock(dir);
        if (lock.busy()) {
            say(stdout, "ズメリ貯金Ｐｒｏが起動中のため、お知らせは起動中のプログラムが出します。");
            return 0;
        }
        try {
            reminder = StepPage::reminderText(DataFolder(dir), SystemClock().today());
        } catch (const FileError& e) {
            say(stderr, std::string("ズメリ貯金Ｐｒｏ：データフォルダ「") + dir.string() +
                            "」を読めません。\n" + e.what());
            return 1;
        }
    }
    if (reminder.quiet != StepPage::Reminder::Quiet::No) {
        say(stdout, quietText(reminder.quiet));
        return 0;
    }

    DesktopNotice notice;
    if (!notice.send(QString::fromStdString(reminder.text))) {
        say(stdout, "通知サービスがないため、お知らせを表示できませんでした。\n" + reminder.text);
        return 0;
    }
    say(stdout, "お知らせしました。\n" + reminder.text);
    if (!notice.hasActions()) return 0;

    QObject::connect(&notice, &DesktopNotice::opened, &app, [&app, &dir] {
        const RemindCommand command = commandFor(dir);
        const std::filesystem::path workDir = command.workingDir.empty() ? dir : command.workingDir;
        if (QProcess::startDetached(QString::fromStdString(command.program.string()), {},
                                    QString::fromStdString(workDir.string()))) {
            say(stdout, "ズメリ貯金Ｐｒｏを開きました。");
        } else {
            say(stderr, "ズメリ貯金Ｐｒｏを開けませんでした：" + command.program.string());
        }
        app.quit();
    });
    QObject::connect(&notice, &DesktopNotice::closed, &app, &QCoreApplication::quit);
    QTimer::singleShot(kWaitForAnswerMs, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    return 0;
}

DesktopReminder::DesktopReminder(StepPage& page, const DataFolder& folder, const Clock& clock,
                                 std::function<void()> open)
    : folder_(folder),
      clock_(clock),
      schedule_(configHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
                commandFor(folder.dir()), systemd_, *this) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DesktopReminder::ring);
    connect(&notice_, &DesktopNotice::opened, this, std::move(open));
    page.setReminderSwitch(*this);
    arm();
}

std::string DesktopReminder::apply(const ReminderChoice& choice) {
    const std::string why = schedule_.apply(choice);
    arm();
    return why;
}

ReminderChoice DesktopReminder::load() const {
    const QSettings settings("zumeri", "zumeri");
    ReminderChoice choice;
    choice.on = settings.value("reminder/on", false).toBool();
    const QTime at = QTime::fromString(settings.value("reminder/time").toString(), "HH:mm");
    if (at.isValid()) choice.at = TimeOfDay{at.msecsSinceStartOfDay() / 1000};
    return choice;
}

void DesktopReminder::save(const ReminderChoice& choice) {
    QSettings settings("zumeri", "zumeri");
    settings.setValue("reminder/on", choice.on);
    settings.setValue("reminder/time",
                      QTime::fromMSecsSinceStartOfDay(static_cast<int>(choice.at.count()) * 1000)
                          .toString("HH:mm"));
    settings.sync();
}

void DesktopReminder::arm() {
    const ReminderChoice choice = current();
    if (!choice.on) {
        timer_.stop();
        return;
    }
    timer_.start(static_cast<int>(DailyAlarm::msecsUntil(clock_.now(), choice.at)));
}

void DesktopReminder::ring() {
    const ReminderChoice choice = current();
    if (choice.on && alarm_.due(clock_.moment(), choice.at)) {
        try {
            const StepPage::Reminder reminder = StepPage::reminderText(folder_, clock_.today());
            if (reminder.quiet == StepPage::Reminder::Quiet::No) {
                notice_.send(QString::fromStdString(reminder.text));
            }
        } catch (const FileError&) {
            // The window reports a faulty ledger when it next reads it.
        }
    }
    arm();
}

}  // namespace zm

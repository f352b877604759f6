#include "qt/desktop/remindmode.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "qt/desktop/desktopnotice.h"
#include "qt/qtconvert.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/folderlock.h"

namespace zm {

namespace {

// How long `--remind` waits for "開く" before it ends: a notification kept on
// screen or in the desktop's list may still be answered for a while.
constexpr int kWaitForAnswerMs = 10 * 60 * 1000;

void say(std::FILE* to, const std::string& text) {
    std::fputs((text + "\n").c_str(), to);
    std::fflush(to);
}

// Why there is nothing to remind of, in the order of Quiet after No.
constexpr const char* kQuietTexts[] = {"本日の入金は済んでいるため、お知らせはありません。",
                                       "サンプルデータのため、お知らせはありません。",
                                       "本日の入金予定がないため、お知らせはありません。"};

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

RemindCommand commandFor(const std::filesystem::path& dataDir) {
    return remindCommand(std::getenv("ZUMERI_LAUNCHER"),
                         QCoreApplication::applicationFilePath().toStdString(), dataDir);
}

int runRemind(const DataDir& dataDir, std::optional<TimeOfDay> at) {
    QCoreApplication& app = *QCoreApplication::instance();
    if (at) waitUntil(*at);
    std::string why;
    const auto working = workingFolder(why);
    if (!working) {
        say(stderr, "ズメリ貯金Ｐｒｏ：" + why);
        return 1;
    }
    const std::filesystem::path dir = *working;
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
        say(stdout, kQuietTexts[static_cast<int>(reminder.quiet) - 1]);
        return 0;
    }

    reminder.text = dataDir.about(reminder.text);
    DesktopNotice notice;
    if (!notice.send(QString::fromStdString(reminder.text))) {
        say(stdout, "通知サービスがないため、お知らせを表示できませんでした。\n" + reminder.text);
        return 0;
    }
    say(stdout, "お知らせしました。\n" + reminder.text);
    if (!notice.hasActions()) return 0;

    QObject::connect(&notice, &DesktopNotice::opened, &app, [&app, &dir, &dataDir] {
        const RemindCommand command = commandFor(dir);
        const std::filesystem::path workDir = command.workingDir.empty() ? dir : command.workingDir;
        QStringList args;
        for (const std::string& arg : dataDir.arguments()) args << qs(arg);
        if (QProcess::startDetached(qsPath(command.program), args, qsPath(workDir))) {
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

}  // namespace zm

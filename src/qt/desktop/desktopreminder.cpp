#include "qt/desktop/desktopreminder.h"

#include <QSettings>
#include <QTime>
#include <cstdlib>

#include "core/datetime.h"
#include "qt/desktop/remindmode.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/fileerror.h"

namespace zm {

namespace {

// The schedule reminds about the book it was switched on in.
RemindCommand withArguments(RemindCommand command, std::vector<std::string> arguments) {
    command.arguments = std::move(arguments);
    return command;
}

}  // namespace

DesktopReminder::DesktopReminder(StepPage& page, const DataFolder& folder, const Clock& clock,
                                 const DataDir& dataDir, std::function<void()> open)
    : folder_(folder),
      clock_(clock),
      dataDir_(dataDir),
      schedule_(configHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
                withArguments(commandFor(folder.dir()), dataDir.arguments()), systemd_, *this) {
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
                notice_.send(QString::fromStdString(dataDir_.about(reminder.text)));
            }
        } catch (const FileError&) {
            // The window reports a faulty ledger when it next reads it.
        }
    }
    arm();
}

}  // namespace zm

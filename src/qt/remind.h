#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/reminder.h"

namespace zm {

class Clock;
class DataFolder;
class StepPage;

// `zumeri --remind`, run in the data folder without a window: today's plan as
// a desktop notification when the deposit is still open. Started before `at`
// (the autostart entry's time), it waits until then. Writes nothing in the
// folder. Needs the application object of the command line. Returns the exit
// status.
int runRemind(std::optional<TimeOfDay> at = std::nullopt);

// One desktop notification through org.freedesktop.Notifications, titled
// with the program's name, with its icon and the action "開く".
class DesktopNotice : public QObject {
    Q_OBJECT
public:
    // False when no notification service takes it.
    bool send(const QString& body);
    // The service offers actions: "開く" may still come.
    bool hasActions() const { return actions_; }

signals:
    void opened();
    void closed();

private slots:
    void onAction(uint id, const QString& key);
    void onClosed(uint id, uint reason);

private:
    uint id_ = 0;
    bool actions_ = false;
};

// The daily reminder while the program runs: the switch of the 365-step page,
// the choice kept in the desktop's configuration (QSettings), the schedule
// installed in the user's configuration folder, and the notification shown at
// the chosen time.
class DesktopReminder : public QObject, public ReminderSwitch, private ReminderPreference {
    Q_OBJECT
public:
    // `open` brings the window forward when the user chooses "開く".
    DesktopReminder(StepPage& page, const DataFolder& folder, const Clock& clock,
                    std::function<void()> open);

    ReminderChoice current() const override { return schedule_.current(); }
    std::string apply(const ReminderChoice& choice) override;
    std::string where() const override { return schedule_.where(); }

private:
    ReminderChoice load() const override;
    void save(const ReminderChoice& choice) override;
    void arm();
    void ring();

    const DataFolder& folder_;
    const Clock& clock_;
    SystemctlProcess systemd_;
    ReminderSchedule schedule_;
    DailyAlarm alarm_;
    QTimer timer_;
    DesktopNotice notice_;
};

}  // namespace zm

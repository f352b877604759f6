#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "app/reminder.h"
#include "qt/desktop/datadir.h"
#include "qt/desktop/desktopnotice.h"

namespace zm {

class Clock;
class DataFolder;
class StepPage;

// The daily reminder while the program runs: the switch of the 365-step page,
// the choice kept in the desktop's configuration (QSettings), the schedule
// installed in the user's configuration folder, and the notification shown at
// the chosen time.
class DesktopReminder : public QObject, public ReminderSwitch, private ReminderPreference {
    Q_OBJECT
public:
    // `open` brings the window forward when the user chooses "開く"; a
    // folder named in `dataDir` is named in the text.
    DesktopReminder(StepPage& page, const DataFolder& folder, const Clock& clock,
                    const DataDir& dataDir, std::function<void()> open);

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
    DataDir dataDir_;
    SystemctlProcess systemd_;
    ReminderSchedule schedule_;
    DailyAlarm alarm_;
    QTimer timer_;
    DesktopNotice notice_;
};

}  // namespace zm

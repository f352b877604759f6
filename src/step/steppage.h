#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "ui/chartdata.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "store/timedrecord.h"
#include "ui/services.h"

namespace zm {

class DataFolder;
struct TimedRecord;

// Today's plan of a 365-step ledger: the day number, the planned amount and
// the arrears of the missed days, as the page computes them at start-up.
struct EveryPlan {
    bool sampleData = false;  // the shipped sample ledger
    Date startDate{};
    Date lastDate{};
    int elapsedDays = 0;
    int dayNumber = 0;
    Money plannedAmount;
    Money arrears;
    // Today's deposit is made: the last record is from today.
    bool depositedToday = false;
};
EveryPlan planOf(const std::vector<TimedRecord>& records, Date today);

// The daily reminder of the plan: whether it is on, and at what time of day.
struct ReminderChoice {
    bool on = false;
    TimeOfDay at{20 * 3600};
    bool operator==(const ReminderChoice&) const = default;
};

// What puts the reminder's schedule in place and keeps the choice. The choice
// is a preference of this desktop, never part of the data folder.
class ReminderSwitch {
public:
    virtual ~ReminderSwitch() = default;
    virtual ReminderChoice current() const = 0;
    // Installs, updates or removes the schedule and keeps the choice. On a
    // failure the Japanese text says why, and current() what is in place.
    virtual std::string apply(const ReminderChoice& choice) = 0;
    // Where the schedule lies, for the user.
    virtual std::string where() const = 0;
};

// Where the over-payment sends its surplus. The main form hands the step page
// one; the step page knows nothing of the page behind it.
class SurplusSink {
public:
    virtual ~SurplusSink() = default;
    // Shows why `amount` cannot be taken and returns false; true when it can.
    virtual bool canTake(Money amount) = 0;
    // Writes the surplus as one deposit.
    virtual void record(const TimedRecord& record) = 0;
    // Shows what was written.
    virtual void refresh() = 0;
};

// The 365-step savings: N yen on day N, missed days paid as arrears with the
// next deposit, at most one deposit a day.
class StepPage {
public:
    explicit StepPage(Services services);

    // Controls.
    Frame fraCyokin1{"fraCyokin1"};
    LedgerTable msgEvery{"msgEvery", 14};
    ChartData mctEvery{"mctEvery"};
    Button cmdEveryHozon{"cmdEveryHozon", "入金"};
    Button cmdEveryHozon2{"cmdEveryHozon2", "差分"};
    Button cmdEveryClr{"cmdEveryClr", "クリア"};
    Label lblkeika{"lblkeika"};
    Label lblEvery_zen{"lblEvery_zen"};
    TextBox txtSetNissuu{"txtSetNissuu"};
    Label lblSetKingaku{"lblSetKingaku"};
    // The plan message: six pieces with the three amounts between them.
    std::array<Label, 6> lblCmnt1{
        {Label{"lblCmnt1_0", "本日の入金予定は"}, Label{"lblCmnt1_1", "です"},
         Label{"lblCmnt1_2", "30日からの滞納金が"}, Label{"lblCmnt1_3", "です"},
         Label{"lblCmnt1_4", "合計金額は"}, Label{"lblCmnt1_5", "です"}}};
    Label lblEvery_Kingaku{"lblEvery_Kingaku"};
    Label lblEvery_Tainou{"lblEvery_Tainou"};
    Label lblEvery_Goukei{"lblEvery_Goukei"};
    // The run's progress and streaks beside the plan: "達成率 P%（D／T 日）"
    // and "連続 S 日・最長 B 日".
    Label lblProgress{"lblProgress"};
    // The daily reminder: on or off, and the time as "HH:MM".
    CheckBox chkRemind{"chkRemind"};
    TextBox txtRemindTime{"txtRemindTime"};

    // What the main form and the summary pages read.
    Money cumulative() const { return cumulative_; }
    Money historyTotal() const { return historyTotal_; }
    bool sampleData() const { return plan_.sampleData; }
    bool hasRecords() const { return !msgEvery.empty(); }
    Money plannedAmount() const { return plan_.plannedAmount; }
    Money arrears() const { return plan_.arrears; }
    int elapsedDays() const { return plan_.elapsedDays; }

    // Start-up: the table, the ledger, the chart, the target days and today's plan.
    void load();
    // The ledger's columns, then a row per record with its running total: the
    // page's table, or one made to take the ledger out.
    static void fillLedger(LedgerTable& table, const std::vector<TimedRecord>& records);

    void cmdEveryHozon_Click();
    void cmdEveryHozon2_Click();
    void cmdEveryClr_Click();
    void txtSetNissuu_KeyPress(int key);
    // The view pushes the new value or text first.
    void chkRemind_Click();
    void txtRemindTime_Change();

    // The reminder's switch; until one is given, the reminder cannot be set.
    void setReminderSwitch(ReminderSwitch& reminder);

    // Today's plan in the page's words, for a reminder: "本日の入金予定は N円
    // です", then the arrears and their sum on lines of their own, and the
    // streak of days with a deposit once it is two or more; or why there is
    // nothing to remind of. Reads the ledger without creating it: a
    // missing or faulty one is a FileError.
    struct Reminder {
        enum class Quiet { No, Deposited, Sample, NothingDue };
        Quiet quiet = Quiet::No;
        std::string text;  // when not quiet
    };
    static Reminder reminderText(const DataFolder& folder, Date today);

    // The over-payment sends its surplus here.
    void setSurplusSink(SurplusSink& sink) { surplus_ = &sink; }

    // The largest target the calculator takes: its day counter is 16-bit.
    static constexpr int kMaxTargetDays = 32766;

private:
    void resetEveryTable();
    void loadEveryLedger();
    void showEveryTotals();
    void hideEveryPlan();
    void showEveryPlan();
    void showDepositedToday();
    void addEveryRow(const TimedRecord& record);
    void appendEveryRecord(const TimedRecord& record);
    void drawEveryChart();
    void loadTargetDays();
    void showTargetAmount();
    void showProgress();

    Money due() const { return plan_.plannedAmount + plan_.arrears; }
    // Shows why the ledger takes no more deposits and returns true when full.
    bool refuseFullLedger();
    // Today's deposit of the due amount: on file first, then on the page.
    TimedRecord depositDue(const Moment& moment);
    // How the page shows the deposit undone and redone.
    std::function<void(bool undone)> depositShown(const TimedRecord& record);
    // The totals, plan, buttons and chart of the rows, as load() shows them.
    void showEveryRows();
    void showReminder(const ReminderChoice& choice);
    void applyReminder();

    Services s_;
    SurplusSink* surplus_ = nullptr;
    ReminderSwitch* reminder_ = nullptr;

    // State.
    EveryPlan plan_;
    Money cumulative_;
    Money historyTotal_;
    int targetDays_ = 0;
};

}  // namespace zm

#include "step/steppage.h"

#include <cmath>

#include "core/progress.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/recordfile.h"
#include "store/targetdaysfile.h"
#include "store/timedrecord.h"
#include "ui/dialogs.h"
#include "ui/pagechart.h"
#include "ui/recordlimit.h"
#include "ui/rowdeletion.h"

namespace zm {

namespace {

std::string yenLabel(Money m) {
    return m.plainText() + "円";
}

// One line of the plan message: a text, an amount, a text.
struct PlanLine {
    std::string before, amount, after;
};

// The plan message as the page shows it: today's plan alone, or with the
// arrears since the day after the last deposit and the sum of both.
std::vector<PlanLine> planLines(Money planned, Money arrears, Date lastDate) {
    if (arrears == Money() && planned > Money()) {
        return {{"本日の入金予定は", yenLabel(planned), "です"}};
    }
    if (planned != Money() && arrears != Money()) {
        const unsigned firstMissed = static_cast<unsigned>(addDays(lastDate, 1).day());
        return {{"本日の入金予定は", yenLabel(planned), "です"},
                {std::to_string(firstMissed) + "日からの滞納金が", yenLabel(arrears), "です"},
                {"合計金額は", yenLabel(planned + arrears), "です"}};
    }
    return {};
}

// "20:00"; the reminder's time has no seconds.
std::string clockText(TimeOfDay t) {
    return timeText(t).substr(0, 5);
}

// "H:MM" or "HH:MM" on the 24-hour clock.
std::optional<TimeOfDay> parseClockText(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 1 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    return parseTimeText((colon == 1 ? "0" : "") + text + ":00");
}

}  // namespace

EveryPlan planOf(const std::vector<TimedRecord>& records, Date today) {
    EveryPlan plan;
    if (!records.empty()) {
        constexpr Date kSampleStart{std::chrono::year{2005}, std::chrono::January,
                                    std::chrono::day{1}};
        const TimedRecord& first = records.front();
        plan.sampleData =
            first.date == kSampleStart && first.time == TimeOfDay{9 * 3600 + 26 * 60 + 1};
        plan.startDate = first.date;
        plan.lastDate = records.back().date;
        plan.elapsedDays = daysBetween(plan.startDate, today);
        plan.dayNumber = plan.elapsedDays;
        const int gap = daysBetween(plan.lastDate, today);
        if (gap == 0) plan.dayNumber = 0;
        // The missed days run from the day after LastDate to yesterday.
        for (int k = plan.dayNumber - gap + 2; gap > 1 && k <= plan.dayNumber; ++k) {
            plan.arrears += Money::fromYen(k);
        }
    }
    plan.plannedAmount = Money::fromYen(plan.dayNumber + 1);
    // A plan of one yen with records means the last record is from today.
    plan.depositedToday = !records.empty() && plan.plannedAmount == Money::fromYen(1);
    return plan;
}

StepPage::Reminder StepPage::reminderText(const DataFolder& folder, Date today) {
    using Quiet = Reminder::Quiet;
    const auto records = EveryLedgerFile(folder).read().records;
    const EveryPlan plan = planOf(records, today);
    if (plan.sampleData) return {Quiet::Sample, {}};
    if (plan.depositedToday) return {Quiet::Deposited, {}};
    Reminder reminder;
    for (const PlanLine& line : planLines(plan.plannedAmount, plan.arrears, plan.lastDate)) {
        if (!reminder.text.empty()) reminder.text += "\n";
        reminder.text += line.before + " " + line.amount + " " + line.after;
    }
    if (reminder.text.empty()) {
        reminder.quiet = Quiet::NothingDue;
        return reminder;
    }
    std::vector<std::int64_t> days;
    for (const TimedRecord& r : records) days.push_back(dayNumber(r.date));
    const int streak = runProgress(std::move(days), 0, today).streak;
    if (streak >= 2) reminder.text += "\n連続 " + std::to_string(streak) + " 日の入金が続いています。";
    return reminder;
}

StepPage::StepPage(Services services) : s_(services) {
    // Off until a switch is given: nothing could install the schedule.
    showReminder(ReminderChoice{});
    chkRemind.setEnabled(false);
    txtRemindTime.setEnabled(false);
}

void StepPage::load() {
    // Unlocked until the ledger says today's deposit is made, also when the
    // data are loaded anew after a copy was put back.
    cmdEveryHozon.setEnabled(true);
    cmdEveryHozon2.setEnabled(true);
    resetEveryTable();
    loadEveryLedger();
    drawEveryChart();
    loadTargetDays();
    showTargetAmount();
    // The plan depends on the day number, arrears and row count the loader leaves.
    showEveryPlan();
    showProgress();
}

void StepPage::showProgress() {
    std::vector<std::int64_t> days;
    days.reserve(static_cast<std::size_t>(msgEvery.recordCount()));
    msgEvery.forEachDated(1, 3, [&days](std::int64_t day, Money) { days.push_back(day); });
    const RunProgress p = runProgress(std::move(days), targetDays_, s_.clock.today());
    lblProgress.setCaption("達成率 " + std::to_string(p.percent) + "%（" + std::to_string(p.day) +
                           "／" + std::to_string(p.target) + " 日）　連続 " +
                           std::to_string(p.streak) + " 日・最長 " + std::to_string(p.longest) +
                           " 日");
}

// Positions centred, the running total 累積.
static std::vector<Column> everyColumns() {
    return timedColumns(Align::Centre, "累積");
}

void StepPage::resetEveryTable() {
    msgEvery.reset(everyColumns());
}

void StepPage::fillLedger(LedgerTable& table, const std::vector<TimedRecord>& records) {
    fillTimedLedger(table, everyColumns(), records);
}

void StepPage::loadEveryLedger() {
    const auto ledger = EveryLedgerFile(s_.folder).readOrCreate();
    const auto& records = ledger.records;

    appendTimedRows(msgEvery, records);
    cumulative_ = ledger.total;
    if (!msgEvery.empty()) msgEvery.scrollToLast();

    plan_ = planOf(records, s_.clock.today());
    showEveryTotals();

    historyTotal_ = EveryHistoryFile(s_.folder).read().total;
}

void StepPage::showEveryTotals() {
    lblkeika.setCaption(std::to_string(plan_.elapsedDays + 1) + "日");
    lblEvery_zen.setCaption(cumulative_.currencyText());
}

void StepPage::hideEveryPlan() {
    for (Label& piece : lblCmnt1) piece.setVisible(false);
    lblEvery_Kingaku.setVisible(false);
    lblEvery_Tainou.setVisible(false);
    lblEvery_Goukei.setVisible(false);
}

void StepPage::showEveryPlan() {
    if (plan_.depositedToday) {
        showDepositedToday();
        return;
    }
    hideEveryPlan();
    // The shipped sample never shows or charges arrears.
    if (plan_.sampleData) plan_.arrears = Money();
    const std::vector<PlanLine> lines =
        planLines(plan_.plannedAmount, plan_.arrears, plan_.lastDate);
    Label* amounts[3] = {&lblEvery_Kingaku, &lblEvery_Tainou, &lblEvery_Goukei};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Label& before = lblCmnt1[2 * i];
        Label& after = lblCmnt1[2 * i + 1];
        before.setCaption(lines[i].before);
        amounts[i]->setCaption(lines[i].amount);
        after.setCaption(lines[i].after);
        for (Label* piece : {&before, amounts[i], &after}) piece->setVisible(true);
    }
}

void StepPage::showDepositedToday() {
    hideEveryPlan();
    lblCmnt1[2].setCaption("本日入金済みです。");
    lblCmnt1[2].setVisible(true);
    cmdEveryHozon.setEnabled(false);
    cmdEveryHozon2.setEnabled(false);
}

void StepPage::addEveryRow(const TimedRecord& record) {
    const int r = msgEvery.rowCount();
    cumulative_ += record.amount;
    msgEvery.appendRow({Cell::position(), Cell(record.date), Cell(record.time), Cell(record.amount),
                        Cell(cumulative_)});
    msgEvery.setTopRow(r);
    showEveryTotals();
}

void StepPage::appendEveryRecord(const TimedRecord& record) {
    EveryLedgerFile(s_.folder).append(record);
}

TimedRecord StepPage::depositDue(const Moment& moment) {
    const TimedRecord record{moment.date, moment.time, due()};
    // A sum beyond Money's range throws here, before anything is written.
    [[maybe_unused]] const Money total = cumulative_ + record.amount;
    appendEveryRecord(record);
    addEveryRow(record);
    drawEveryChart();
    showDepositedToday();
    showProgress();
    return record;
}

std::function<void(bool undone)> StepPage::depositShown(const TimedRecord& record) {
    return followAppend(msgEvery,
                        {Cell::position(), Cell(record.date), Cell(record.time),
                         Cell(record.amount), Cell()},
                        3, 4, [this] { showEveryRows(); });
}

void StepPage::showEveryRows() {
    cmdEveryHozon.setEnabled(true);
    cmdEveryHozon2.setEnabled(true);
    const int n = msgEvery.recordCount();
    cumulative_ = n == 0 ? Money() : msgEvery.value(n, 4);
    // The plan needs the first and the last record only.
    std::vector<TimedRecord> ends;
    for (int r : {1, n}) {
        if (n > 0) ends.push_back({msgEvery.date(r, 1), msgEvery.time(r, 2), msgEvery.value(r, 3)});
    }
    plan_ = planOf(ends, s_.clock.today());
    showEveryTotals();
    // As a reload leaves the table: no row chosen, the last one at the top.
    msgEvery.setCurrentRow(0);
    if (n > 0) msgEvery.scrollToLast();
    drawEveryChart();
    showEveryPlan();
    showProgress();
}

void StepPage::drawEveryChart() {
    fillPageChart(msgEvery, mctEvery);
}

bool StepPage::refuseFullLedger() {
    return refuseWhenFull(s_.dialogs, msgEvery.recordCount(), kMaxRecords,
                          "３６５歩のマーチ貯金の記録は 32,766 回までです。\r\n"
                          "クリアボタンで新しく始めてから入金してください。");
}

void StepPage::cmdEveryHozon_Click() {
    if (!cmdEveryHozon.enabled()) return;  // one deposit a day
    if (refuseFullLedger()) return;
    const TimedRecord record = depositDue(s_.clock.moment());
    s_.made("３６５歩の入金 " + record.amount.currencyText(), depositShown(record));
    if (plan_.sampleData) {
        s_.dialogs.msgBox(kNewStartReminder, kNewStartReminderTitle, Icon::Exclamation,
                          Buttons::Ok);
    }
}

void StepPage::loadTargetDays() {
    targetDays_ = TargetDaysFile(s_.folder).read();
    txtSetNissuu.setText(std::to_string(targetDays_));
}

void StepPage::showTargetAmount() {
    // A text the amount parser takes ("１００", "¥365") counts as that number;
    // anything else by its leading number.
    const std::string& text = txtSetNissuu.text();
    const auto parsed = parseAmount(text);
    const double value = parsed ? parsed->toDouble() : leadingNumber(text);
    const double n = std::nearbyint(value);
    Money sum;
    if (n >= 1 && n <= kMaxTargetDays) {
        const auto days = static_cast<std::int64_t>(n);
        sum = Money::fromYen(days * (days + 1) / 2);
    }
    lblSetKingaku.setCaption(sum.currencyText());
}

void StepPage::txtSetNissuu_KeyPress(int key) {
    if (key != kEnterKey || txtSetNissuu.text().empty()) return;
    const auto value = parseAmount(txtSetNissuu.text());
    if (!value) return;
    const double days = std::nearbyint(value->toDouble());
    if (days > kMaxTargetDays || days < -kMaxTargetDays) {
        s_.dialogs.msgBox(
            "目標日数は " + std::to_string(kMaxTargetDays) + " 日までで入力してください。",
            "目標日数", Icon::Exclamation, Buttons::Ok);
        return;
    }
    showTargetAmount();
    TargetDaysFile(s_.folder).write(value->toDouble());
    s_.made("３６５歩の目標日数の変更（" + txtSetNissuu.text() + "）", [this](bool) {
        loadTargetDays();
        showTargetAmount();
        showProgress();
    });
    // The days as the file now holds them, as a start would read them.
    targetDays_ = TargetDaysFile(s_.folder).read();
    showProgress();
}

void StepPage::setReminderSwitch(ReminderSwitch& reminder) {
    reminder_ = &reminder;
    chkRemind.setEnabled(true);
    txtRemindTime.setEnabled(true);
    showReminder(reminder.current());
}

void StepPage::showReminder(const ReminderChoice& choice) {
    chkRemind.setValue(choice.on ? 1 : 0);
    txtRemindTime.setText(clockText(choice.at));
    if (reminder_ && choice.on)
        chkRemind.setTooltip(reminder_->where());
    else
        chkRemind.setTooltip("毎日決まった時刻に本日の入金予定をお知らせします");
}

void StepPage::chkRemind_Click() {
    applyReminder();
}

void StepPage::txtRemindTime_Change() {
    applyReminder();
}

void StepPage::applyReminder() {
    if (!reminder_) return;
    const ReminderChoice before = reminder_->current();
    const auto at = parseClockText(txtRemindTime.text());
    if (!at) {
        s_.dialogs.msgBox("お知らせの時刻は 00:00 から 23:59 までの「時:分」で入力してください。",
                          "毎日お知らせ", Icon::Exclamation, Buttons::Ok);
        showReminder(before);
        return;
    }
    const ReminderChoice wanted{chkRemind.value() == 1, *at};
    if (wanted == before) return;
    const std::string why = reminder_->apply(wanted);
    if (!why.empty()) {
        const bool installing = wanted.on;
        s_.dialogs.msgBox(std::string("毎日のお知らせを") + (installing ? "設定" : "解除") +
                              "できませんでした。\r\n" + why,
                          "毎日お知らせ", Icon::Exclamation, Buttons::Ok);
        showReminder(reminder_->current());
        return;
    }
    showReminder(wanted);
}

}  // namespace zm

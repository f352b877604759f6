#include "step/steppage.h"

#include <cmath>

#include "store/datafiles.h"
#include "ui/dialogs.h"
#include "ui/pagechart.h"
#include "ui/recordlimit.h"

namespace zm {

namespace {

std::string yenLabel(Money m) {
    return m.plainText() + "円";
}

}  // namespace

StepPage::StepPage(Services services) : s_(services) {}

void StepPage::load() {
    // Unlocked until the ledger says today's deposit is made, also when the
    // data are loaded anew after a copy was put back.
    cmdEveryHozon.setEnabled(true);
    cmdEveryHozon2.setEnabled(true);
    ResetEveryTable();
    LoadEveryLedger();
    DrawEveryChart();
    LoadTargetDays();
    ShowTargetAmount();
    // The plan depends on the day number, arrears and row count the loader leaves.
    ShowEveryPlan();
}

void StepPage::ResetEveryTable() {
    msgEvery.reset({{"回", 700, Align::Centre},
                    {"日付", 2300, Align::Centre},
                    {"時間", 1300, Align::Centre},
                    {"入金", 1150, Align::Right},
                    {"累積", 1350, Align::Right}});
}

void StepPage::LoadEveryLedger() {
    SampleDataFlag = false;
    const auto ledger = EveryLedgerFile(s_.folder).readOrCreate();
    const auto& records = ledger.records;

    msgEvery.beginLoad();
    msgEvery.reserve(static_cast<int>(records.size()));
    Money running;
    for (const TimedRecord& rec : records) {
        running += rec.amount;  // within range: the reader checked the sum
        msgEvery.appendRow(
            {Cell::position(), Cell(rec.date), Cell(rec.time), Cell(rec.amount), Cell(running)});
    }
    msgEvery.endLoad();
    Cumulative = ledger.total;
    if (!msgEvery.empty()) msgEvery.scrollToLast();

    ElapsedDays = 0;
    DayNumber = 0;
    Arrears = Money();
    if (!records.empty()) {
        constexpr Date kSampleStart{std::chrono::year{2005}, std::chrono::January,
                                    std::chrono::day{1}};
        const TimedRecord& first = records.front();
        SampleDataFlag =
            first.date == kSampleStart && first.time == TimeOfDay{9 * 3600 + 26 * 60 + 1};
        StartDate = first.date;
        const Date today = s_.clock.today();
        LastDate = records.back().date;
        ElapsedDays = daysBetween(StartDate, today);
        DayNumber = ElapsedDays;
        const int gap = daysBetween(LastDate, today);
        if (gap == 0) DayNumber = 0;
        // The missed days run from the day after LastDate to yesterday.
        for (int k = DayNumber - gap + 2; gap > 1 && k <= DayNumber; ++k) {
            Arrears += Money::fromYen(k);
        }
    }
    PlannedAmount = Money::fromYen(DayNumber + 1);
    ShowEveryTotals();

    HistoryTotal = EveryHistoryFile(s_.folder).read().total;
}

void StepPage::ShowEveryTotals() {
    lblkeika.setCaption(std::to_string(ElapsedDays + 1) + "日");
    lblEvery_zen.setCaption(Cumulative.currencyText());
}

void StepPage::HideEveryPlan() {
    for (Label& piece : lblCmnt1) piece.setVisible(false);
    lblEvery_Kingaku.setVisible(false);
    lblEvery_Tainou.setVisible(false);
    lblEvery_Goukei.setVisible(false);
}

void StepPage::ShowEveryPlan() {
    if (PlannedAmount == Money::fromYen(1) && !msgEvery.empty()) {
        ShowDepositedToday();
        return;
    }
    HideEveryPlan();
    // The shipped sample never shows or charges arrears.
    if (SampleDataFlag) Arrears = Money();
    if (Arrears == Money() && PlannedAmount > Money()) {
        lblCmnt1[0].setCaption("本日の入金予定は");
        lblEvery_Kingaku.setCaption(yenLabel(PlannedAmount));
        lblCmnt1[0].setVisible(true);
        lblCmnt1[1].setVisible(true);
        lblEvery_Kingaku.setVisible(true);
    }
    if (PlannedAmount != Money() && Arrears != Money()) {
        for (Label& piece : lblCmnt1) piece.setVisible(true);
        lblEvery_Kingaku.setVisible(true);
        lblEvery_Tainou.setVisible(true);
        lblEvery_Goukei.setVisible(true);
        lblCmnt1[0].setCaption("本日の入金予定は");
        lblEvery_Kingaku.setCaption(yenLabel(PlannedAmount));
        const unsigned firstMissed = static_cast<unsigned>(addDays(LastDate, 1).day());
        lblCmnt1[2].setCaption(std::to_string(firstMissed) + "日からの滞納金が");
        lblEvery_Tainou.setCaption(yenLabel(Arrears));
        lblEvery_Goukei.setCaption(yenLabel(due()));
    }
}

void StepPage::ShowDepositedToday() {
    HideEveryPlan();
    lblCmnt1[2].setCaption("本日入金済みです。");
    lblCmnt1[2].setVisible(true);
    cmdEveryHozon.setEnabled(false);
    cmdEveryHozon2.setEnabled(false);
}

void StepPage::AddEveryRow(const TimedRecord& record) {
    const int r = msgEvery.rowCount();
    Cumulative += record.amount;
    msgEvery.appendRow({Cell::position(), Cell(record.date), Cell(record.time), Cell(record.amount),
                        Cell(Cumulative)});
    msgEvery.setTopRow(r);
    ShowEveryTotals();
}

void StepPage::AppendEveryRecord(const TimedRecord& record) {
    EveryLedgerFile(s_.folder).append(record);
}

void StepPage::depositDue(const Moment& moment) {
    const TimedRecord record{moment.date, moment.time, due()};
    // A sum beyond Money's range throws here, before anything is written.
    [[maybe_unused]] const Money total = Cumulative + record.amount;
    AppendEveryRecord(record);
    AddEveryRow(record);
    DrawEveryChart();
    ShowDepositedToday();
}

void StepPage::DrawEveryChart() {
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
    depositDue(s_.clock.moment());
    if (SampleDataFlag) {
        s_.dialogs.msgBox(kNewStartReminder, kNewStartReminderTitle, Icon::Exclamation,
                          Buttons::Ok);
    }
}

void StepPage::LoadTargetDays() {
    TargetDays = TargetDaysFile(s_.folder).read();
    txtSetNissuu.setText(std::to_string(TargetDays));
}

void StepPage::ShowTargetAmount() {
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
    ShowTargetAmount();
    TargetDaysFile(s_.folder).write(value->toDouble());
}

}  // namespace zm

#include "step/steppage.h"

#include <cmath>

#include "step/pagechart.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "ui/dialogs.h"

namespace zm {

namespace {

std::string yenLabel(Money m) {
    return m.plainText() + "円";
}

}  // namespace

StepPage::StepPage(Services services) : s_(services) {}

void StepPage::ResetEveryTable() {
    msgEvery.reset({{"回", 700, Align::Centre},
                    {"日付", 2300, Align::Centre},
                    {"時間", 1300, Align::Centre},
                    {"入金", 1150, Align::Right},
                    {"累積", 1350, Align::Right}});
}

void StepPage::LoadEveryLedger() {
    SampleDataFlag = false;
    Cumulative = Money();
    const auto records = s_.folder.readOrCreate(files::kEvery, "DTm");

    msgEvery.beginLoad();
    int i = 1;
    for (const Record& rec : records) {
        if (i == 1 && rec.str(0) == "2005年01月01日" && rec.str(1) == "09:26:01") {
            SampleDataFlag = true;
        }
        Cumulative += rec.money(2);
        msgEvery.appendRow(
            {std::to_string(i), rec.str(0), rec.str(1), Cell(rec.money(2)), Cell(Cumulative)});
        if (i == 1) StartDate = *parseDateText(rec.str(0));
        ++i;
    }
    msgEvery.endLoad();
    if (!msgEvery.empty()) msgEvery.scrollToLast();

    ElapsedDays = 0;
    DayNumber = 0;
    Arrears = Money();
    if (!records.empty()) {
        const Date today = s_.clock.today();
        LastDate = *parseDateText(records.back().str(0));
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

    HistoryTotal = Money();
    for (const Record& rec : s_.folder.read(files::kEveryHistory, "DTm")) {
        HistoryTotal += rec.money(2);
    }
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

void StepPage::AddEveryRow() {
    const Money amount = due();
    const int r = msgEvery.rowCount();
    Cumulative += amount;
    msgEvery.appendRow({std::to_string(r), dateText(s_.clock.today()), timeText(s_.clock.now()),
                        Cell(amount), Cell(Cumulative)});
    msgEvery.setTopRow(r);
    ShowEveryTotals();
}

void StepPage::AppendEveryRecord() {
    s_.folder.append(
        files::kEvery,
        RecordLine().str(dateText(s_.clock.today())).str(timeText(s_.clock.now())).money(due()));
}

void StepPage::DrawEveryChart() {
    fillPageChart(msgEvery, mctEvery);
}

void StepPage::cmdEveryHozon_Click() {
    if (!cmdEveryHozon.enabled()) return;  // one deposit a day
    AddEveryRow();
    DrawEveryChart();
    AppendEveryRecord();
    ShowDepositedToday();
    if (SampleDataFlag) {
        s_.dialogs.msgBox(kNewStartReminder, kNewStartReminderTitle, Icon::Exclamation,
                          Buttons::Ok);
    }
}

void StepPage::LoadTargetDays() {
    const auto records = s_.folder.read(files::kEveryTarget, "i");
    if (records.empty())
        throw FileError(std::string(files::kEveryTarget), 0, "目標日数がありません");
    TargetDays = static_cast<int>(records.front().integer(0));
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
    s_.folder.rewrite(files::kEveryTarget, {RecordLine().number(value->toDouble())});
}

}  // namespace zm

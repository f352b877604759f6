#include "smallchange/smallchangepage.h"

#include <utility>

#include "store/kozeniledgerfile.h"
#include "store/recordfile.h"
#include "store/timedrecord.h"
#include "ui/dialogs.h"
#include "ui/pagechart.h"
#include "ui/recordlimit.h"
#include "ui/rowdeletion.h"
#include "ui/shell.h"

namespace zm {

namespace {

// total / count to the nearest unit of Money, halves away from zero.
Money averageOf(Money total, int count) {
    std::int64_t q = total.raw() / count;
    const std::int64_t r = total.raw() % count;
    if (2 * (r < 0 ? -r : r) >= count) q += total.raw() < 0 ? -1 : 1;
    return Money::fromRaw(q);
}

}  // namespace

SmallChangePage::SmallChangePage(Services services, std::function<bool()> sampleData)
    : s_(services), sampleData_(std::move(sampleData)) {}

namespace {

std::vector<Column> kozeniColumns() {
    return {{"回", 700, Align::Default},
            {"日付", 2300, Align::Centre},
            {"時間", 1300, Align::Centre},
            {"入金", 1150, Align::Right},
            {"累計", 1350, Align::Right}};
}

}  // namespace

void SmallChangePage::ResetKozeniTable() {
    msgKozeni.reset(kozeniColumns());
}

void SmallChangePage::FillLedger(LedgerTable& table, const std::vector<TimedRecord>& records) {
    // The rows are rebuilt whole, so nothing of an earlier load can be left over.
    table.reset(kozeniColumns());
    appendTimedRows(table, records);
}

void SmallChangePage::LoadKozeniLedger() {
    const auto ledger = KozeniLedgerFile(s_.folder).readOrCreate();
    FillLedger(msgKozeni, ledger.records);
    if (!msgKozeni.empty()) msgKozeni.scrollToLast();
    CountKozeniRows();
    ShowKozeniTotals();
}

void SmallChangePage::CountKozeniRows() {
    const int n = msgKozeni.recordCount();
    KozeniMax = Money();  // never below 0
    KozeniMin = Money();
    for (int r = 1; r <= n; ++r) {
        const Money amount = msgKozeni.value(r, 3);
        if (amount > KozeniMax) KozeniMax = amount;
        if (r == 1 || amount < KozeniMin) KozeniMin = amount;
    }
    KozeniCount = n;
    KozeniTotal = n == 0 ? Money() : msgKozeni.value(n, 4);
    KozeniLastDate = n == 0 ? std::string() : msgKozeni.text(n, 1);
    KozeniAverage = n == 0 ? Money() : averageOf(KozeniTotal, n);
}

void SmallChangePage::AddKozeniRow(const TimedRecord& record) {
    const Money amount = record.amount;
    const int r = msgKozeni.rowCount();
    KozeniTotal += amount;
    msgKozeni.appendRow(
        {Cell::position(), Cell(record.date), Cell(record.time), Cell(amount), Cell(KozeniTotal)});
    msgKozeni.scrollToLast();
    if (amount > KozeniMax) KozeniMax = amount;
    if (r == 1 || amount < KozeniMin) KozeniMin = amount;
    KozeniCount = r;
    KozeniAverage = averageOf(KozeniTotal, r);
    ShowKozeniTotals();
}

void SmallChangePage::AppendKozeniRecord(const TimedRecord& record) {
    KozeniLedgerFile(s_.folder).append(record);
}

void SmallChangePage::reload() {
    ResetKozeniTable();
    LoadKozeniLedger();
    DrawKozeniChart();
    ShowKozeniElapsed();
}

void SmallChangePage::ShowKozeniTotals() {
    lblKozeni_cnt.setCaption(std::to_string(KozeniCount) + "回");
    lblKozeni_zen.setCaption(KozeniTotal.currencyText());
    lblKozeni_Max.setCaption(KozeniMax.currencyText());
    lblKozeni_Min.setCaption(KozeniMin.currencyText());
    lblKozeni_Avg.setCaption(KozeniAverage.currencyText());
}

void SmallChangePage::HideKozeniNotice() {
    lblCmnt2[0].setVisible(false);
    lblCmnt2[1].setVisible(false);
    lblKozeni_Keika.setVisible(false);
}

void SmallChangePage::ShowKozeniDepositedToday() {
    HideKozeniNotice();
    lblCmnt2[1].setCaption("本日入金済みです。");
    lblCmnt2[1].setVisible(true);
}

void SmallChangePage::ShowKozeniElapsed() {
    const auto last = parseDateText(KozeniLastDate);
    if (msgKozeni.empty() || !last) {
        HideKozeniNotice();
        return;
    }
    // Negative when the last settlement is dated in the future.
    const int days = daysBetween(*last, s_.clock.today());
    if (days == 0) {
        ShowKozeniDepositedToday();
        return;
    }
    HideKozeniNotice();
    lblCmnt2[1].setCaption("経過しました");
    lblKozeni_Keika.setCaption(std::to_string(days) + "日");
    lblCmnt2[0].setVisible(true);
    lblCmnt2[1].setVisible(true);
    lblKozeni_Keika.setVisible(true);
}

void SmallChangePage::DrawKozeniChart() {
    fillPageChart(msgKozeni, mctKozeni);
}

bool SmallChangePage::refuseDeposit(Money amount) {
    if (refuseWhenFull(
            s_.dialogs, msgKozeni.recordCount(), kMaxRecords,
            "小銭清算貯金の記録は 32,766 回までです。\r\n古い記録を削除してから入金してください。"))
        return true;
    if (!Money::checkedAdd(KozeniTotal, amount)) {
        s_.dialogs.msgBox("合計金額が大きすぎて記録できません。", "記録の上限", Icon::Exclamation,
                          Buttons::Ok);
        return true;
    }
    return false;
}

void SmallChangePage::cmdKozeniHozon_Click() {
    const std::string& text = txtKozeni_Inp.text();
    if (text.empty()) {
        s_.dialogs.msgBox("金額が入力されていません", "入金漏れ", Icon::Exclamation, Buttons::Ok);
        return;
    }
    const auto amount = parseAmount(text);
    if (!amount) {
        s_.dialogs.msgBox("数字以外の入力です", "数字以外の入力", Icon::Exclamation, Buttons::Ok);
        return;
    }
    if (refuseDeposit(*amount)) return;

    const Moment moment = s_.clock.moment();
    const TimedRecord record{moment.date, moment.time, *amount};
    AppendKozeniRecord(record);
    AddKozeniRow(record);
    DrawKozeniChart();
    ShowKozeniDepositedToday();
    if (sampleData_()) {
        s_.dialogs.msgBox(kNewStartReminder, kNewStartReminderTitle, Icon::Exclamation,
                          Buttons::Ok);
    }
    txtKozeni_Inp.setText("");
    s_.shell.setFocus(txtKozeni_Inp);
}

void SmallChangePage::txtKozeni_Inp_KeyPress(int key) {
    if (key != kEnterKey) return;
    // Enter that could not deposit stays silent.
    if (txtKozeni_Inp.text().empty() || !parseAmount(txtKozeni_Inp.text())) return;
    cmdKozeniHozon_Click();
}

void SmallChangePage::msgKozeni_DblClick() {
    const auto question = [this](int r) {
        return shownRow(msgKozeni, r, 4) + " のデータを削除してもいいですか？\r\n";
    };
    const auto rewrite = [this](int r) {
        rewriteRowsExcept<TimedRecord>(
            KozeniLedgerFile(s_.folder), msgKozeni.recordCount(), r,
            [this](int i, TimedRecord& rec) {
                rec = {msgKozeni.date(i, 1), msgKozeni.time(i, 2), msgKozeni.value(i, 3)};
            });
    };
    const int r = deleteCurrentRow(msgKozeni, s_.dialogs,
                                   "最後の行はクリアボタンで削除してください", question, rewrite);
    if (r == 0) return;
    // The rows are those of the rewritten file: the table stands as a reload
    // would leave it, without reading the file again.
    settleLedgerAfterDeletion(msgKozeni, r, 3, 4);
    CountKozeniRows();
    ShowKozeniTotals();
}

void SmallChangePage::cmdKozeniClr_Click() {
    if (msgKozeni.empty()) return;
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", "削除確認",
                          Icon::Question, Buttons::OkCancel) != Answer::Ok)
        return;
    KozeniLedgerFile(s_.folder).empty();
    ResetKozeniTable();
    LoadKozeniLedger();
    HideKozeniNotice();
}

}  // namespace zm

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

// Positions left-aligned, the running total 累計.
static std::vector<Column> kozeniColumns() {
    return timedColumns(Align::Default, "累計");
}

void SmallChangePage::resetKozeniTable() {
    msgKozeni.reset(kozeniColumns());
}

// The rows are rebuilt whole, so nothing of an earlier load can be left over.
void SmallChangePage::fillLedger(LedgerTable& table, const std::vector<TimedRecord>& records) {
    fillTimedLedger(table, kozeniColumns(), records);
}

void SmallChangePage::loadKozeniLedger() {
    const auto ledger = KozeniLedgerFile(s_.folder).readOrCreate();
    fillLedger(msgKozeni, ledger.records);
    if (!msgKozeni.empty()) msgKozeni.scrollToLast();
    countKozeniRows();
    showKozeniTotals();
}

void SmallChangePage::countKozeniRows() {
    const int n = msgKozeni.recordCount();
    kozeniMax_ = Money();  // never below 0
    kozeniMin_ = Money();
    for (int r = 1; r <= n; ++r) {
        const Money amount = msgKozeni.value(r, 3);
        if (amount > kozeniMax_) kozeniMax_ = amount;
        if (r == 1 || amount < kozeniMin_) kozeniMin_ = amount;
    }
    kozeniCount_ = n;
    kozeniTotal_ = n == 0 ? Money() : msgKozeni.value(n, 4);
    kozeniLastDate_ = n == 0 ? std::string() : msgKozeni.text(n, 1);
    kozeniAverage_ = n == 0 ? Money() : averageOf(kozeniTotal_, n);
}

void SmallChangePage::addKozeniRow(const TimedRecord& record) {
    const Money amount = record.amount;
    const int r = msgKozeni.rowCount();
    kozeniTotal_ += amount;
    msgKozeni.appendRow(
        {Cell::position(), Cell(record.date), Cell(record.time), Cell(amount), Cell(kozeniTotal_)});
    msgKozeni.scrollToLast();
    if (amount > kozeniMax_) kozeniMax_ = amount;
    if (r == 1 || amount < kozeniMin_) kozeniMin_ = amount;
    kozeniCount_ = r;
    kozeniAverage_ = averageOf(kozeniTotal_, r);
    showKozeniTotals();
}

void SmallChangePage::appendKozeniRecord(const TimedRecord& record) {
    KozeniLedgerFile(s_.folder).append(record);
}

void SmallChangePage::showKozeniRows() {
    countKozeniRows();
    showKozeniTotals();
    // As a reload leaves the table: no row chosen, the last one at the top.
    msgKozeni.setCurrentRow(0);
    if (!msgKozeni.empty()) msgKozeni.scrollToLast();
    drawKozeniChart();
    showKozeniElapsed();
}

void SmallChangePage::depositMade(const TimedRecord& record, std::string what) {
    s_.made(std::move(what), followAppend(msgKozeni,
                                          {Cell::position(), Cell(record.date), Cell(record.time),
                                           Cell(record.amount), Cell()},
                                          3, 4, [this] { showKozeniRows(); }));
}

void SmallChangePage::reload() {
    resetKozeniTable();
    loadKozeniLedger();
    drawKozeniChart();
    showKozeniElapsed();
}

void SmallChangePage::showKozeniTotals() {
    lblKozeni_cnt.setCaption(std::to_string(kozeniCount_) + "回");
    lblKozeni_zen.setCaption(kozeniTotal_.currencyText());
    lblKozeni_Max.setCaption(kozeniMax_.currencyText());
    lblKozeni_Min.setCaption(kozeniMin_.currencyText());
    lblKozeni_Avg.setCaption(kozeniAverage_.currencyText());
}

void SmallChangePage::hideKozeniNotice() {
    lblCmnt2[0].setVisible(false);
    lblCmnt2[1].setVisible(false);
    lblKozeni_Keika.setVisible(false);
}

void SmallChangePage::showKozeniDepositedToday() {
    hideKozeniNotice();
    lblCmnt2[1].setCaption("本日入金済みです。");
    lblCmnt2[1].setVisible(true);
}

void SmallChangePage::showKozeniElapsed() {
    const auto last = parseDateText(kozeniLastDate_);
    if (msgKozeni.empty() || !last) {
        hideKozeniNotice();
        return;
    }
    // Negative when the last settlement is dated in the future.
    const int days = daysBetween(*last, s_.clock.today());
    if (days == 0) {
        showKozeniDepositedToday();
        return;
    }
    hideKozeniNotice();
    lblCmnt2[1].setCaption("経過しました");
    lblKozeni_Keika.setCaption(std::to_string(days) + "日");
    lblCmnt2[0].setVisible(true);
    lblCmnt2[1].setVisible(true);
    lblKozeni_Keika.setVisible(true);
}

void SmallChangePage::drawKozeniChart() {
    fillPageChart(msgKozeni, mctKozeni);
}

bool SmallChangePage::refuseDeposit(Money amount) {
    if (refuseWhenFull(
            s_.dialogs, msgKozeni.recordCount(), kMaxRecords,
            "小銭清算貯金の記録は 32,766 回までです。\r\n古い記録を削除してから入金してください。"))
        return true;
    if (!Money::checkedAdd(kozeniTotal_, amount)) {
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
    appendKozeniRecord(record);
    depositMade(record, "小銭清算の入金 " + record.amount.currencyText());
    addKozeniRow(record);
    drawKozeniChart();
    showKozeniDepositedToday();
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
    Row removed;
    const int r = deleteCurrentRow(msgKozeni, s_.dialogs,
                                   "最後の行はクリアボタンで削除してください", question, rewrite,
                                   &removed);
    if (r == 0) return;
    s_.made("小銭清算の " + std::to_string(r) + " 行目の削除",
            followDeletion(msgKozeni, r, std::move(removed), 3, 4, [this] { showKozeniRows(); }));
    // The rows are those of the rewritten file: the table stands as a reload
    // would leave it, without reading the file again.
    settleLedgerAfterDeletion(msgKozeni, r, 3, 4);
    countKozeniRows();
    showKozeniTotals();
}

void SmallChangePage::cmdKozeniClr_Click() {
    if (msgKozeni.empty()) return;
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", "削除確認",
                          Icon::Question, Buttons::OkCancel) != Answer::Ok)
        return;
    KozeniLedgerFile(s_.folder).empty();
    s_.made("小銭清算のクリア");
    resetKozeniTable();
    loadKozeniLedger();
    hideKozeniNotice();
}

}  // namespace zm

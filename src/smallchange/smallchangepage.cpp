#include "smallchange/smallchangepage.h"

#include <utility>

#include "step/pagechart.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "ui/dialogs.h"
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

SmallChangePage::SmallChangePage(Services services, const bool& sampleData)
    : s_(services), sampleData_(sampleData) {}

void SmallChangePage::ResetKozeniTable() {
    msgKozeni.reset({{"回", 700, Align::Default},
                     {"日付", 2300, Align::Centre},
                     {"時間", 1300, Align::Centre},
                     {"入金", 1150, Align::Right},
                     {"累計", 1350, Align::Right}});
}

void SmallChangePage::LoadKozeniLedger() {
    KozeniTotal = Money();
    KozeniMax = Money();
    KozeniMin = Money();
    const auto records = s_.folder.readOrCreate(files::kKozeni, "DTm");

    // The rows are rebuilt whole, so nothing of an earlier load can be left over.
    msgKozeni.beginLoad();
    msgKozeni.reset(msgKozeni.columns());
    int i = 0;
    for (const Record& rec : records) {
        ++i;
        const Money amount = rec.money(2);
        const auto total = Money::checkedAdd(KozeniTotal, amount);
        if (!total) {
            msgKozeni.endLoad();
            throw FileError(std::string(files::kKozeni), rec.line, "合計金額が大きすぎます");
        }
        KozeniTotal = *total;
        msgKozeni.appendRow(
            {std::to_string(i), rec.str(0), rec.str(1), Cell(amount), Cell(KozeniTotal)});
        if (amount > KozeniMax) KozeniMax = amount;
        if (i == 1 || amount < KozeniMin) KozeniMin = amount;
    }
    msgKozeni.endLoad();
    KozeniCount = i;
    KozeniLastDate = records.empty() ? std::string() : records.back().str(0);
    if (!msgKozeni.empty()) msgKozeni.scrollToLast();
    KozeniAverage = KozeniCount == 0 ? Money() : averageOf(KozeniTotal, KozeniCount);
    ShowKozeniTotals();
}

void SmallChangePage::AddKozeniRow() {
    const Money amount = deposit_.amount;
    const int r = msgKozeni.rowCount();
    KozeniTotal += amount;
    msgKozeni.appendRow({std::to_string(r), dateText(deposit_.date), timeText(deposit_.time),
                         Cell(amount), Cell(KozeniTotal)});
    msgKozeni.scrollToLast();
    if (amount > KozeniMax) KozeniMax = amount;
    if (r == 1 || amount < KozeniMin) KozeniMin = amount;
    KozeniCount = r;
    KozeniAverage = averageOf(KozeniTotal, r);
    ShowKozeniTotals();
}

void SmallChangePage::AppendKozeniRecord() {
    appendRecord(deposit_.date, deposit_.time, deposit_.amount);
}

void SmallChangePage::appendRecord(Date date, TimeOfDay time, Money amount) const {
    s_.folder.append(files::kKozeni,
                     RecordLine().str(dateText(date)).str(timeText(time)).money(amount));
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
    if (msgKozeni.recordCount() >= kMaxRecords) {
        s_.dialogs.msgBox(
            "小銭清算貯金の記録は 32,766 回までです。\r\n古い記録を削除してから入金してください。",
            "記録の上限", Icon::Exclamation, Buttons::Ok);
        return true;
    }
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

    deposit_ = {s_.clock.today(), s_.clock.now(), *amount};
    AddKozeniRow();
    DrawKozeniChart();
    AppendKozeniRecord();
    ShowKozeniDepositedToday();
    if (sampleData_) {
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
    const int n = msgKozeni.recordCount();
    if (n == 0) return;
    if (n == 1) {
        s_.dialogs.msgBox("最後の行はクリアボタンで削除してください", "削除確認", Icon::Exclamation,
                          Buttons::Ok);
        return;
    }
    const int r = msgKozeni.currentRow();
    if (r < 1 || r > n) return;
    const Row& row = msgKozeni.row(r);
    const std::string question = row[0].text + " " + row[1].text + " " + row[2].text + " " +
                                 row[3].text + " のデータを削除してもいいですか？\r\n";
    if (s_.dialogs.msgBox(question, "削除確認", Icon::Question, Buttons::OkCancel) != Answer::Ok)
        return;

    // The file is written first, so a failed write leaves table and file alike.
    std::vector<RecordLine> lines;
    lines.reserve(static_cast<std::size_t>(n - 1));
    for (int i = 1; i <= n; ++i) {
        if (i == r) continue;
        lines.push_back(RecordLine()
                            .str(msgKozeni.cell(i, 1).text)
                            .str(msgKozeni.cell(i, 2).text)
                            .money(msgKozeni.value(i, 3)));
    }
    s_.folder.rewrite(files::kKozeni, lines);
    msgKozeni.removeRow(r);
    LoadKozeniLedger();
}

void SmallChangePage::cmdKozeniClr_Click() {
    if (msgKozeni.empty()) return;
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", "削除確認",
                          Icon::Question, Buttons::OkCancel) != Answer::Ok)
        return;
    s_.folder.empty(files::kKozeni);
    ResetKozeniTable();
    LoadKozeniLedger();
    HideKozeniNotice();
}

}  // namespace zm

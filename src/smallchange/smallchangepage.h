#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "ui/chartdata.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/services.h"

namespace zm {

struct TimedRecord;

// The small-change settlement savings: whatever change is left in the wallet
// is typed in now and then and deposited in one go.
class SmallChangePage {
public:
    // `sampleData` tells whether the shipped sample data is still in place.
    SmallChangePage(Services services, std::function<bool()> sampleData);

    // Controls.
    Frame fraCyokin2{"fraCyokin2"};
    LedgerTable msgKozeni{"msgKozeni", 14};
    ChartData mctKozeni{"mctKozeni"};
    TextBox txtKozeni_Inp{"txtKozeni_Inp"};
    Button cmdKozeniHozon{"cmdKozeniHozon", "入金"};
    Button cmdKozeniClr{"cmdKozeniClr", "クリア"};
    Label lblKozeni_cnt{"lblKozeni_cnt"};
    Label lblKozeni_zen{"lblKozeni_zen"};
    Label lblKozeni_Max{"lblKozeni_Max"};
    Label lblKozeni_Min{"lblKozeni_Min"};
    Label lblKozeni_Avg{"lblKozeni_Avg"};
    // The settlement notice: "前回の清算から" N日 "経過しました".
    std::array<Label, 2> lblCmnt2{
        {Label{"lblCmnt2_0", "前回の清算から"}, Label{"lblCmnt2_1", "経過しました"}}};
    Label lblKozeni_Keika{"lblKozeni_Keika"};

    // What the main form and the summary pages read.
    Money kozeniTotal() const { return kozeniTotal_; }
    bool hasRecords() const { return !msgKozeni.empty(); }
    Money kozeniAverage() const { return kozeniAverage_; }

    void cmdKozeniHozon_Click();
    void txtKozeni_Inp_KeyPress(int key);
    void msgKozeni_DblClick();
    void cmdKozeniClr_Click();

    // The page built anew from its file: table, figures, chart, notice.
    void reload();
    // One record written to the ledger file, as a deposit writes it.
    void appendRecord(const TimedRecord& record) { appendKozeniRecord(record); }

    // Positions and the count are 16-bit on the page.
    static constexpr int kMaxRecords = 32766;
    // Shows why a deposit of `amount` cannot be recorded (the ledger is full,
    // or the total would no longer fit) and returns true; false when it can.
    bool refuseDeposit(Money amount);
    // The ledger's columns, then a row per record with its running total: the
    // page's table, or one made to take the ledger out.
    static void fillLedger(LedgerTable& table, const std::vector<TimedRecord>& records);

private:
    void resetKozeniTable();
    void loadKozeniLedger();
    // Count, total, largest, smallest, average and last date from the rows.
    void countKozeniRows();
    void addKozeniRow(const TimedRecord& record);
    void appendKozeniRecord(const TimedRecord& record);
    void showKozeniTotals();
    // The figures, chart and notice of the rows as a reload would show them.
    void showKozeniRows();
    // Tells of a deposit just written, and how its undo and redo are shown.
    void depositMade(const TimedRecord& record, std::string what);
    void showKozeniElapsed();
    void hideKozeniNotice();
    void showKozeniDepositedToday();
    void drawKozeniChart();

    Services s_;
    std::function<bool()> sampleData_;

    // State.
    Money kozeniTotal_;
    int kozeniCount_ = 0;
    Money kozeniMax_;
    Money kozeniMin_;
    Money kozeniAverage_;
    std::string kozeniLastDate_;
};

}  // namespace zm

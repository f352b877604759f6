#pragma once

#include <vector>

#include "history/historysources.h"
#include "history/historytable.h"
#include "ui/chartdata.h"
#include "ui/services.h"

namespace zm {

// The monthly history page: every calendar month from the month of the first
// deposit to the current one, per kind of savings, as a table and a chart.
// Rebuilt from the six ledger files each time it opens; it never writes.
class MonthHistory {
public:
    explicit MonthHistory(Services services);
    MonthHistory(const MonthHistory&) = delete;
    MonthHistory& operator=(const MonthHistory&) = delete;

    HistoryTable msgMonthList{"msgMonthList", HistoryTable::Unit::Month};
    ChartData mctMonth;

    // The first day of the history, as last computed.
    Date historyStart() const { return historyStart_; }

    static constexpr const char* kHelpTourText =
        "月々の貯金状況を一覧表とグラフで把握できる機能です。\r\n\r\n"
        "グラフでは入金の内訳、月々の合計金額（棒グラフ）と累積金額（線グラフ）を表しています。"
        "\r\n\r\n";

    // Opening the page: the table and chart of every month.
    void open(const ThemeNames& themeNames);

    // The steps, each over sources read once for the whole build.
    void InitMonthGrid(const ThemeNames& themeNames);
    void FindHistoryStart(const HistorySources& sources);
    void BuildMonthTable(const HistorySources& sources);
    void FillHistoryChart();

    // The savings pages' tables to take the ledgers from while they hold
    // them as they are.
    void takeLedgersFrom(const LedgerMirrors& mirrors) { mirrors_ = mirrors; }

private:
    Services s_;
    Date historyStart_{};
    LedgerMirrors mirrors_{};
};

}  // namespace zm

#pragma once

#include <vector>

#include "history/historysources.h"
#include "history/historytable.h"
#include "ui/chartdata.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace zm {

// The daily history page: every day from the first deposit to today, or the
// days of one month picked in the list, per kind of savings, as a table and
// a chart. Rebuilt from the six ledger files each time; it never writes.
class DayHistory {
public:
    explicit DayHistory(Services services);
    DayHistory(const DayHistory&) = delete;
    DayHistory& operator=(const DayHistory&) = delete;

    HistoryTable msgDayList{"msgDayList", HistoryTable::Unit::Day};
    ChartData mctDay;
    ListBox lstDay{"lstDay"};
    Button cmdAllDay{"cmdAllDay", "全日程表示"};

    // The first day of the all-days table, as last computed.
    Date historyStart() const { return historyStart_; }

    static constexpr const char* kHelpTourText =
        "日々の貯金状況を一覧表とグラフで把握できる機能です。\r\n\r\n"
        "グラフでは入金の内訳、日々の合計金額（棒グラフ）と累積金額（線グラフ）を表しています。"
        "\r\n\r\n"
        "月毎表示のリストで任意の年月をクリックするとその月だけの表示になります。\r\n"
        "トータルの表示に戻したいときには全履歴表示ボタンを押します。";

    // Opening the page: all days, and the month list from the first day's month.
    void open(const ThemeNames& themeNames);
    // cmdAllDay: all days again; the month list stays.
    void showAllDays(const ThemeNames& themeNames);
    // lstDay: the days of the month picked in the list.
    void showMonth(const ThemeNames& themeNames);

    // The steps, each over sources read once for the whole build.
    void InitDayGrid(const ThemeNames& themeNames);
    void FindHistoryStart(const HistorySources& sources);
    void BuildDayTable(const HistorySources& sources);
    void BuildMonthDays(const HistorySources& sources);
    void FillHistoryChart();
    void FillMonthList();

    // The savings pages' tables to take the ledgers from while they hold
    // them as they are.
    void takeLedgersFrom(const LedgerMirrors& mirrors) { mirrors_ = mirrors; }

private:
    Services s_;
    Date historyStart_{};
    LedgerMirrors mirrors_{};
};

}  // namespace zm

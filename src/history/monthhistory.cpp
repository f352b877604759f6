#include "history/monthhistory.h"

#include "core/datetime.h"

namespace zm {

MonthHistory::MonthHistory(Services services)
    : mctMonth("mctMonth", historyChartLook(HistoryTable::Unit::Month)), s_(services) {}

void MonthHistory::open(const ThemeNames& themeNames) {
    const HistorySources sources(s_.folder, mirrors_);
    InitMonthGrid(themeNames);
    FindHistoryStart(sources);
    BuildMonthTable(sources);
    FillHistoryChart();
}

void MonthHistory::InitMonthGrid(const ThemeNames& themeNames) {
    msgMonthList.reset(themeNames);
}

void MonthHistory::FindHistoryStart(const HistorySources& sources) {
    historyStart_ = findHistoryStart(sources, s_.clock.today());
}

void MonthHistory::BuildMonthTable(const HistorySources& sources) {
    const Date today = s_.clock.today();
    const int m = monthsBetween(historyStart_, today);
    // Per body row (0-based), the sum of what was booked into it.
    std::vector<Money> totals(static_cast<std::size_t>(m + 1));
    msgMonthList.startBody(historyStart_, m + 1);
    // A record later this month (the clock set back) belongs to this month's
    // row; only months after this one have no row to take a record.
    bookSources(sources, msgMonthList, totals, [this, m](Date date) {
        if (date < historyStart_) return -1;
        const int month = monthsBetween(historyStart_, date);
        return month <= m ? month : -1;
    });
    msgMonthList.endBody(totals);
    msgMonthList.scrollToLast();
}

void MonthHistory::FillHistoryChart() {
    msgMonthList.fillChart(mctMonth);
}

}  // namespace zm

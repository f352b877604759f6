#include "history/dayhistory.h"

#include "core/datetime.h"

namespace zm {

DayHistory::DayHistory(Services services)
    : mctDay("mctDay", historyChartLook(HistoryTable::Unit::Day)), s_(services) {}

void DayHistory::open(const ThemeNames& themeNames) {
    showAllDays(themeNames);
    FillMonthList();
}

void DayHistory::showAllDays(const ThemeNames& themeNames) {
    const HistorySources sources(s_.folder, mirrors_);
    InitDayGrid(themeNames);
    FindHistoryStart(sources);
    BuildDayTable(sources);
    FillHistoryChart();
}

void DayHistory::showMonth(const ThemeNames& themeNames) {
    const HistorySources sources(s_.folder, mirrors_);
    InitDayGrid(themeNames);
    BuildMonthDays(sources);
    FillHistoryChart();
}

void DayHistory::InitDayGrid(const ThemeNames& themeNames) {
    msgDayList.reset(themeNames);
}

void DayHistory::FindHistoryStart(const HistorySources& sources) {
    historyStart_ = findHistoryStart(sources, s_.clock.today());
}

void DayHistory::BuildDayTable(const HistorySources& sources) {
    const int n = daysBetween(historyStart_, s_.clock.today());
    // Per body row (0-based), the sum of what was booked into it.
    std::vector<Money> totals(static_cast<std::size_t>(n + 1));
    msgDayList.startBody(historyStart_, n + 1);
    // A record before the first day or after today has no row of its own.
    // The first day's number once, not again for each of the records.
    const std::chrono::sys_days first(historyStart_);
    bookSources(sources, msgDayList, totals, [first, n](Date date) {
        const auto d = static_cast<int>((std::chrono::sys_days(date) - first).count());
        return d >= 0 && d <= n ? d : -1;
    });
    msgDayList.endBody(totals);
    msgDayList.scrollToLast();
}

void DayHistory::BuildMonthDays(const HistorySources& sources) {
    const auto monthStart = parseDateText(lstDay.text() + "01日");
    if (!monthStart) return;  // nothing picked
    const auto month = monthStart->year() / monthStart->month();
    const Date nextMonth = (month + std::chrono::months(1)) / std::chrono::day(1);
    const int n = daysBetween(*monthStart, nextMonth);
    std::vector<Money> totals(static_cast<std::size_t>(n));
    msgDayList.startBody(*monthStart, n);
    bookSources(sources, msgDayList, totals, [start = *monthStart, n](Date date) {
        const int d = daysBetween(start, date);
        return d >= 0 && d < n ? d : -1;
    });
    msgDayList.endBody(totals);
}

void DayHistory::FillHistoryChart() {
    msgDayList.fillChart(mctDay);
}

void DayHistory::FillMonthList() {
    const int m = monthsBetween(historyStart_, s_.clock.today());
    const std::chrono::year_month first = historyStart_.year() / historyStart_.month();
    std::vector<std::string> months;
    months.reserve(static_cast<std::size_t>(m + 1));
    for (int i = 0; i <= m; ++i) months.push_back(monthText(first + std::chrono::months(i)));
    lstDay.setEntries(std::move(months));
}

}  // namespace zm

#include "ui/pagechart.h"

#include "ui/chartdata.h"
#include "ui/ledgertable.h"

namespace zm {

void fillPageChart(const LedgerTable& table, ChartData& chart) {
    std::vector<std::vector<double>> series;
    series.reserve(2);
    series.push_back(table.amountsAsDoubles(4));
    series.push_back(table.amountsAsDoubles(3));
    chart.setData({}, std::move(series));
}

}  // namespace zm

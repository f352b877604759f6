#include "ui/pagechart.h"

#include "ui/chartdata.h"
#include "ui/ledgertable.h"

namespace zm {

void fillPageChart(const LedgerTable& table, ChartData& chart) {
    const auto n = static_cast<std::size_t>(table.recordCount());
    std::vector<std::vector<double>> series(2, std::vector<double>(n));
    for (std::size_t i = 0; i < n; ++i) {
        const int r = static_cast<int>(i) + 1;
        series[0][i] = table.value(r, 4).toDouble();
        series[1][i] = table.value(r, 3).toDouble();
    }
    chart.setData({}, std::move(series));
}

}  // namespace zm

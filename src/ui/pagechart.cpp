#include "ui/pagechart.h"

#include "ui/chartdata.h"
#include "ui/ledgertable.h"

namespace zm {

void fillPageChart(const LedgerTable& table, ChartData& chart) {
    const int n = table.recordCount();
    std::vector<std::string> labels;
    std::vector<std::vector<double>> series(2);
    labels.reserve(static_cast<std::size_t>(n));
    series[0].reserve(static_cast<std::size_t>(n));
    series[1].reserve(static_cast<std::size_t>(n));
    for (int r = 1; r <= n; ++r) {
        labels.push_back(table.cell(r, 1).text);
        series[0].push_back(table.value(r, 4).toDouble());
        series[1].push_back(table.value(r, 3).toDouble());
    }
    chart.setData(std::move(labels), std::move(series));
}

}  // namespace zm

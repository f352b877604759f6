#include "ui/pagechart.h"

#include "ui/chartdata.h"
#include "ui/ledgertable.h"

namespace zm {

void fillPageChart(LedgerTable& table, ChartData& chart) {
    // Made when the chart is drawn, from the table as it is then: a page
    // fills its chart again after every change of its table.
    chart.setDataWhenAsked([&table] {
        ChartData::Series series;
        series.reserve(2);
        series.push_back(table.amountsAsDoubles(4));
        series.push_back(table.amountsAsDoubles(3));
        return series;
    });
    // A chart left as it was while its table changes (cleared, a run given
    // up) keeps the points of the table it was filled from.
    table.beforeNextChange([&chart] { chart.series(); });
}

}  // namespace zm

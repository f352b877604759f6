#include <gtest/gtest.h>
#include <qcustomplot.h>

#include "qt/chartview.h"

namespace zm::test {
namespace {

void fill(ChartData& data, int points) {
    std::vector<std::vector<double>> series(2);
    for (int i = 1; i <= points; ++i) {
        series[0].push_back(i * (i + 1) / 2.0);
        series[1].push_back(i);
    }
    data.setData(std::vector<std::string>(static_cast<std::size_t>(points)), series);
}

TEST(ChartView, MorePointsThanPixelsLetTheXAxisZoomWithinTheRecords) {
    ChartData data("mctKozeni");
    ChartView view(data);
    view.resize(400, 300);
    fill(data, 3);
    view.grab();
    QCustomPlot* plot = view.plot();
    EXPECT_FALSE(view.crowded());
    EXPECT_FALSE(plot->interactions().testFlag(QCP::iRangeZoom));
    EXPECT_EQ(plot->graph(0)->dataCount(), 3);
    EXPECT_EQ(plot->xAxis->range(), QCPRange(0.5, 3.5));
    // The amounts start at zero on both axes.
    EXPECT_LE(plot->yAxis->range().lower, 0);
    EXPECT_GE(plot->yAxis->range().upper, 3);
    EXPECT_GE(plot->yAxis2->range().upper, 6);

    fill(data, 2000);
    view.grab();
    EXPECT_TRUE(view.crowded());
    EXPECT_TRUE(plot->interactions().testFlag(QCP::iRangeZoom));
    EXPECT_TRUE(plot->interactions().testFlag(QCP::iRangeDrag));
    EXPECT_EQ(plot->plottable(0)->interface1D()->dataCount(), 2000);
    // Dragged past the first record or zoomed out beyond all: held inside.
    plot->xAxis->setRange(-100, 50);
    EXPECT_EQ(plot->xAxis->range(), QCPRange(0.5, 150.5));
    plot->xAxis->setRange(1990, 2100);
    EXPECT_EQ(plot->xAxis->range(), QCPRange(1890.5, 2000.5));
    plot->xAxis->setRange(-5000, 9000);
    EXPECT_EQ(plot->xAxis->range(), QCPRange(0.5, 2000.5));

    // Fewer points again: zoom is off and everything is in view.
    plot->xAxis->setRange(100, 200);
    fill(data, 10);
    view.grab();
    EXPECT_FALSE(view.crowded());
    EXPECT_EQ(plot->interactions(), QCP::Interactions());
    EXPECT_EQ(plot->xAxis->range(), QCPRange(0.5, 10.5));
}

}  // namespace
}  // namespace zm::test

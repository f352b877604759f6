#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "qt/charts/chartview.h"

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
    view.show();  // a chart is drawn while it is shown
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

bool hasColourNear(const QImage& image, int x, int y, QColor colour) {
    for (int dx = -1; dx <= 1; ++dx) {
        if (image.pixelColor(x + dx, y) == colour) return true;
    }
    return false;
}

TEST(ChartView, AFullLedgerDrawsAboutOneBarPerPixelColumnAndKeepsItsLargestDeposit) {
    constexpr int kPoints = 32766;
    constexpr int kSpike = 20001;  // 0-based
    ChartData data("mctKozeni");
    ChartView view(data);
    view.resize(1000, 400);
    view.show();  // a chart is drawn while it is shown
    std::vector<std::vector<double>> series(2);
    double total = 0;
    for (int i = 0; i < kPoints; ++i) {
        const double deposit = i == kSpike ? 90000 : 50 + (i * 7919) % 1950;
        total += deposit;
        series[0].push_back(total);
        series[1].push_back(deposit);
    }
    data.setData(std::vector<std::string>(kPoints), series);
    const QImage image = view.grab().toImage();
    QCustomPlot* plot = view.plot();
    const int columns = plot->axisRect()->width();
    ASSERT_TRUE(view.crowded());
    // Every point is kept; the bars drawn follow the pixels.
    EXPECT_EQ(plot->plottable(0)->interface1D()->dataCount(), kPoints);
    const auto& drawn = view.drawnBars();
    EXPECT_LE(static_cast<int>(drawn.size()), columns + 2);
    EXPECT_GE(static_cast<int>(drawn.size()), columns * 3 / 4);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), kSpike), drawn.end());
    // And the spike is on screen, in the deposits' colour near the top.
    const int x = static_cast<int>(std::lround(plot->xAxis->coordToPixel(kSpike + 1)));
    const int y = static_cast<int>(std::lround(plot->yAxis->coordToPixel(80000)));
    EXPECT_TRUE(hasColourNear(image, x, y, QColor(0x4e, 0x9a, 0xd8)));

    // Zoomed in to fewer points than pixels, every bar in view is drawn.
    plot->xAxis->setRange(kSpike - 150.5, kSpike + 150.5);
    plot->replot();
    EXPECT_GE(view.drawnBars().size(), 301u);
    for (int i = kSpike - 150; i <= kSpike + 150; ++i) {
        ASSERT_NE(std::find(view.drawnBars().begin(), view.drawnBars().end(), i),
                  view.drawnBars().end())
            << i;
    }
    // Dragged along at a crowded zoom, the groups follow the view.
    plot->xAxis->setRange(1000.5, 9000.5);
    plot->replot();
    EXPECT_LE(static_cast<int>(view.drawnBars().size()), columns + 2);
    EXPECT_GE(view.drawnBars().front(), 900);
    EXPECT_LE(view.drawnBars().back(), 9100);
}

TEST(ChartView, StackedBarsOfACrowdedChartShowThePointWhoseStackIsHighest) {
    ChartLook look{{{"累計", true, 0xe06c2f},
                    {"一", false, 0xffffc0},
                    {"二", false, 0xc0c0ff},
                    {"三", false, 0xffc0ff}},
                   "日数"};
    look.labelTicks = true;
    ChartData data("mctDay", look);
    ChartView view(data);
    view.resize(600, 300);
    view.show();  // a chart is drawn while it is shown
    // Even points have one tall bar (25), odd points a higher stack of three (30).
    constexpr int kPoints = 5000;
    std::vector<std::vector<double>> series(4);
    std::vector<std::string> labels;
    for (int i = 0; i < kPoints; ++i) {
        const bool odd = i % 2 == 1;
        series[0].push_back(i);
        series[1].push_back(odd ? 10 : 25);
        series[2].push_back(odd ? 10 : 0);
        series[3].push_back(odd ? 10 : 0);
        labels.push_back(std::to_string(i + 1) + "日");
    }
    data.setData(labels, series);
    view.grab();
    QCustomPlot* plot = view.plot();
    ASSERT_TRUE(view.crowded());
    ASSERT_FALSE(view.drawnBars().empty());
    for (const int i : view.drawnBars()) EXPECT_EQ(i % 2, 1) << i;
    // The amount axis reaches the top of the stacks; the ticks show the labels.
    EXPECT_GE(plot->yAxis->range().upper, 30);
    EXPECT_LT(plot->yAxis->range().upper, 40);
    QVector<double> ticks;
    QVector<QString> texts;
    plot->xAxis->ticker()->generate(QCPRange(0.5, 10.5), QLocale(), QChar('g'), 0, ticks, nullptr,
                                    &texts);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().toStdString(), std::to_string(std::lround(ticks.back())) + "日");
}

// The counts of points, the ranges and the picture of two charts.
testing::AssertionResult sameChart(ChartView& kept, ChartView& fresh) {
    QApplication::processEvents();
    QCustomPlot* p = kept.plot();
    QCustomPlot* q = fresh.plot();
    for (int k = 0; k < p->plottableCount(); ++k) {
        if (p->plottable(k)->interface1D()->dataCount() !=
            q->plottable(k)->interface1D()->dataCount())
            return testing::AssertionFailure() << "count " << k;
    }
    if (p->xAxis->range() != q->xAxis->range() || p->yAxis->range() != q->yAxis->range() ||
        p->yAxis2->range() != q->yAxis2->range())
        return testing::AssertionFailure() << "ranges";
    if (kept.grab().toImage() != fresh.grab().toImage())
        return testing::AssertionFailure() << "pictures";
    return testing::AssertionSuccess();
}

// A chart whose new data only add points to those it drew adds only them:
// after every change it must be the chart drawn anew from the same data.
TEST(ChartView, AddedPointsDrawTheChartThatNewDataWouldDraw) {
    using Series = std::vector<std::vector<double>>;
    const auto deposits = [](int from, int to, double each) {
        Series s(2);
        double total = 0;
        for (int i = from; i <= to; ++i) {
            total += each + i % 7;
            s[0].push_back(total);
            s[1].push_back(each + i % 7);
        }
        return s;
    };
    const auto plus = [](Series s, double total, double deposit) {
        s[0].push_back(total);
        s[1].push_back(deposit);
        return s;
    };
    const Series some = deposits(1, 5, 100);
    const Series many = deposits(1, 2000, 50);
    struct Step {
        const char* what;
        Series data;
    };
    const Step steps[] = {
        {"first data", some},
        {"a deposit", plus(some, 700, 70)},
        {"a deposit beyond both ranges", plus(plus(some, 700, 70), -50, -750)},
        {"a point changed and one added", plus(plus(deposits(1, 5, 90), 700, 70), 800, 100)},
        {"fewer points", deposits(1, 3, 90)},
        {"crowded", many},
        {"crowded, a deposit with the highest bar", plus(many, 1e6, 5000)},
        {"none", Series(2)},
    };
    ChartData data("mctKozeni");
    ChartView view(data);
    view.resize(500, 300);
    view.show();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        data.setData({}, step.data);
        ChartData again("mctKozeni");
        again.setData({}, step.data);
        ChartView fresh(again);
        fresh.resize(500, 300);
        fresh.show();
        EXPECT_TRUE(sameChart(view, fresh));
    }
}

}  // namespace
}  // namespace zm::test

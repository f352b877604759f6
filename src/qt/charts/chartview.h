#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "ui/chartdata.h"

class QCustomPlot;
class QCPRange;

namespace zm {

class PointGroups;
class GroupedBars;
class GroupedLine;

// A chart in yen: stacked bars, and the running total as a line on the second
// axis, drawn as its ChartData's look says. Drawn again whenever its
// ChartData changes; new data that only add points to those drawn (a deposit)
// add just those points. When there are more points than pixels the x axis can be
// zoomed with the wheel and dragged, and the points in view are drawn in
// groups of about one pixel column: per group the bar of the point whose
// stack is highest, so that a spike stays visible, and the line through the
// last point of each group. Every point is kept. `prepare` is given the plot
// before anything is drawn (its menu, drawing only while shown).
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(ChartData& chartData, const std::function<void(QCustomPlot*)>& prepare = {},
                       QWidget* parent = nullptr);
    ~ChartView() override;
    QCustomPlot* plot() const { return plot_; }
    // True while the points outnumber the pixels and zoom and drag are on.
    bool crowded() const { return crowded_; }
    // The points (0-based) whose bars the last replot drew.
    const std::vector<int>& drawnBars() const;

private:
    void redraw();
    void describe();
    std::size_t pointsKept(std::size_t n) const;
    // Whether a point from `from` on, about to be dropped, reached the
    // bars' (the line's) range, which must then be found anew.
    bool droppedReach(std::size_t from) const;
    bool droppedLine(std::size_t from) const;
    void fitInteractions();
    void fitBarWidth();
    void keepInside(const QCPRange& range);
    QCPRange allPoints() const;

    ChartData& data_;
    QCustomPlot* plot_;
    std::shared_ptr<PointGroups> groups_;
    // Bottom to top, with the data series each one draws.
    std::vector<GroupedBars*> bars_;
    std::vector<std::size_t> barSeries_;
    GroupedLine* line_ = nullptr;
    std::size_t lineSeries_ = 0;
    int points_ = 0;
    // The reach of the bars and of the line over the points drawn.
    double barLow_ = 0, barHigh_ = 0, lineLow_ = 0, lineHigh_ = 0;
    bool crowded_ = false;
};

}  // namespace zm

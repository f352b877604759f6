#pragma once

#include <QWidget>

#include "ui/chartdata.h"

class QCustomPlot;
class QCPBars;
class QCPGraph;
class QCPRange;

namespace zm {

// A page chart: the single deposits as bars, the running total as a line on
// the second axis, both in yen. Redrawn whole whenever its ChartData changes.
// When there are more points than pixels the x axis can be zoomed with the
// wheel and dragged; every point is kept.
class ChartView : public QWidget {
    Q_OBJECT
public:
    ChartView(ChartData& chart, QWidget* parent = nullptr);
    QCustomPlot* plot() const { return plot_; }
    // True while the points outnumber the pixels and zoom and drag are on.
    bool crowded() const { return crowded_; }

private:
    void redraw();
    void fitInteractions();
    void fitBarWidth();
    void keepInside(const QCPRange& range);
    QCPRange allPoints() const;

    ChartData& data_;
    QCustomPlot* plot_;
    QCPBars* bars_;
    QCPGraph* line_;
    int points_ = 0;
    bool crowded_ = false;
};

}  // namespace zm

#pragma once

#include <QWidget>

#include "ui/chartdata.h"

class QCustomPlot;
class QCPBars;
class QCPGraph;

namespace zm {

// A page chart: the single deposits as bars, the running total as a line on
// the second axis. Redrawn whole whenever its ChartData changes.
class ChartView : public QWidget {
    Q_OBJECT
public:
    ChartView(ChartData& data, QWidget* parent = nullptr);
    QCustomPlot* plot() const { return plot_; }

private:
    void redraw();

    ChartData& data_;
    QCustomPlot* plot_;
    QCPBars* bars_;
    QCPGraph* line_;
};

}  // namespace zm

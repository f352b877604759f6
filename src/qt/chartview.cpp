#include "qt/chartview.h"

#include <QVBoxLayout>
#include <qcustomplot.h>

#include "qt/bind.h"

namespace zm {

ChartView::ChartView(ChartData& data, QWidget* parent)
    : QWidget(parent), data_(data), plot_(new QCustomPlot(this)) {
    setObjectName(qs(data.name()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    setMinimumSize(320, 240);

    bars_ = new QCPBars(plot_->xAxis, plot_->yAxis);
    bars_->setName("入金");
    bars_->setPen(Qt::NoPen);
    bars_->setBrush(QColor(0x4e, 0x9a, 0xd8));
    line_ = plot_->addGraph(plot_->xAxis, plot_->yAxis2);
    line_->setName("累計");
    line_->setPen(QPen(QColor(0xe0, 0x6c, 0x2f), 2));
    plot_->yAxis2->setVisible(true);
    plot_->legend->setVisible(true);
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);

    data_.bind([this] { redraw(); });
    redraw();
}

void ChartView::redraw() {
    const auto& series = data_.series();
    QVector<double> x, total, single;
    const int n = data_.rowCount();
    x.reserve(n);
    for (int i = 0; i < n; ++i) {
        x.push_back(i + 1);
        total.push_back(series[0][static_cast<std::size_t>(i)]);
        single.push_back(series[1][static_cast<std::size_t>(i)]);
    }
    bars_->setData(x, single, true);
    line_->setData(x, total, true);
    plot_->rescaleAxes();
    plot_->xAxis->setRange(0.5, n + 0.5);
    plot_->replot();
}

}  // namespace zm

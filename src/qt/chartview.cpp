#include "qt/chartview.h"

#include <qcustomplot.h>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qt/bind.h"

namespace zm {

namespace {

// Ticks on whole numbers only: record positions, or yen.
class WholeTicker : public QCPAxisTicker {
public:
    explicit WholeTicker(bool yen) : yen_(yen) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(1.0, QCPAxisTicker::getTickStep(range));
    }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        const auto whole = static_cast<qlonglong>(std::llround(tick));
        const QString digits = QLocale(QLocale::Japanese, QLocale::Japan).toString(std::abs(whole));
        if (!yen_) return (whole < 0 ? "-" : "") + digits;
        return (whole < 0 ? QStringLiteral("-¥") : QStringLiteral("¥")) + digits;
    }

private:
    bool yen_;
};

// A bar's share of the room of its point.
constexpr double kBarWidth = 0.7;

const QColor kDepositColour(0x4e, 0x9a, 0xd8);
const QColor kTotalColour(0xe0, 0x6c, 0x2f);

void styleAxis(QCPAxis* axis, const QString& label, const QColor& colour, bool yen) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new WholeTicker(yen)));
    axis->setLabel(label);
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour.darker(130));
    axis->setBasePen(QPen(colour.darker(130)));
    axis->setTickPen(QPen(colour.darker(130)));
    axis->setSubTickPen(QPen(colour.darker(130)));
    axis->grid()->setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0, Qt::DotLine));
}

}  // namespace

ChartView::ChartView(ChartData& chart, QWidget* parent)
    : QWidget(parent), data_(chart), plot_(new QCustomPlot(this)) {
    markBound(chart, this);
    plot_->setAccessibleName("入金と累計のグラフ");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    setMinimumSize(320, 240);

    bars_ = new QCPBars(plot_->xAxis, plot_->yAxis);
    bars_->setName("入金");
    bars_->setPen(Qt::NoPen);
    bars_->setBrush(kDepositColour);
    bars_->setWidth(kBarWidth);
    bars_->setAntialiased(false);
    line_ = plot_->addGraph(plot_->xAxis, plot_->yAxis2);
    line_->setName("累計");
    line_->setPen(QPen(kTotalColour, 2));

    styleAxis(plot_->xAxis, "回", QColor(0x55, 0x55, 0x55), false);
    plot_->xAxis->grid()->setVisible(false);
    styleAxis(plot_->yAxis, "入金", kDepositColour, true);
    styleAxis(plot_->yAxis2, "累計", kTotalColour, true);
    plot_->yAxis2->grid()->setVisible(false);
    plot_->yAxis2->setVisible(true);
    plot_->setPlottingHints(QCP::phCacheLabels | QCP::phFastPolylines);
    plot_->setNoAntialiasingOnDrag(true);

    plot_->legend->setVisible(true);
    plot_->legend->setBrush(QColor(255, 255, 255, 210));
    plot_->legend->setBorderPen(QPen(QColor(0xbb, 0xbb, 0xbb)));
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);

    // Only the x axis moves: the amounts stay readable while scrolling.
    plot_->axisRect()->setRangeDrag(Qt::Horizontal);
    plot_->axisRect()->setRangeZoom(Qt::Horizontal);
    plot_->axisRect()->setRangeZoomAxes(plot_->xAxis, nullptr);
    plot_->axisRect()->setRangeDragAxes(plot_->xAxis, nullptr);
    connect(plot_->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange& r) { keepInside(r); });
    connect(plot_, &QCustomPlot::afterLayout, this, [this] { fitInteractions(); });

    data_.bind([this] { redraw(); });
    redraw();
}

void ChartView::redraw() {
    const auto& series = data_.series();
    points_ = data_.rowCount();
    const auto n = static_cast<std::size_t>(points_);
    QVector<double> x(points_), total(points_), single(points_);
    for (std::size_t i = 0; i < n; ++i) {
        x[static_cast<qsizetype>(i)] = static_cast<double>(i + 1);
        total[static_cast<qsizetype>(i)] = series[0][i];
        single[static_cast<qsizetype>(i)] = series[1][i];
    }
    // One batch per series, already in key order.
    bars_->setData(x, single, true);
    line_->setData(x, total, true);

    // Bars grow from zero; both axes keep zero in view.
    bool found = false;
    QCPRange deposits = bars_->getValueRange(found);
    if (!found) deposits = QCPRange(0, 1);
    deposits.expand(0);
    QCPRange totals = line_->getValueRange(found);
    if (!found) totals = QCPRange(0, 1);
    totals.expand(0);
    const auto padded = [](QCPRange r) {
        const double room = r.size() > 0 ? r.size() * 0.05 : 1;
        return QCPRange(r.lower < 0 ? r.lower - room : r.lower, r.upper + room);
    };
    plot_->yAxis->setRange(padded(deposits));
    plot_->yAxis2->setRange(padded(totals));
    plot_->xAxis->setRange(allPoints());
    plot_->replot();
}

QCPRange ChartView::allPoints() const {
    return QCPRange(0.5, std::max(points_, 1) + 0.5);
}

void ChartView::fitInteractions() {
    fitBarWidth();
    const bool crowded = points_ > plot_->axisRect()->width();
    if (crowded == crowded_) return;
    crowded_ = crowded;
    plot_->setInteractions(crowded ? QCP::iRangeDrag | QCP::iRangeZoom : QCP::Interactions());
    plot_->setToolTip(crowded ? "ホイールで拡大・縮小、ドラッグで左右に移動できます" : QString());
    if (!crowded && plot_->xAxis->range() != allPoints()) {
        plot_->xAxis->setRange(allPoints());
        plot_->replot(QCustomPlot::rpQueuedReplot);
    }
}

// Bars narrower than a pixel would vanish: below that they are drawn one
// pixel wide, so that a crowded chart still shows its haze of deposits.
void ChartView::fitBarWidth() {
    const double width = plot_->axisRect()->width();
    const double pixelsPerPoint = width / plot_->xAxis->range().size();
    if (width > 0 && pixelsPerPoint * kBarWidth < 2) {
        bars_->setWidthType(QCPBars::wtAbsolute);
        bars_->setWidth(1);
    } else {
        bars_->setWidthType(QCPBars::wtPlotCoords);
        bars_->setWidth(kBarWidth);
    }
}

// Zooming and dragging stay within the records.
void ChartView::keepInside(const QCPRange& range) {
    const QCPRange all = allPoints();
    QCPRange r = range;
    if (r.size() > all.size()) r = all;
    if (r.size() < 5 && all.size() >= 5) r = QCPRange(r.center() - 2.5, r.center() + 2.5);
    if (r.lower < all.lower) r += all.lower - r.lower;
    if (r.upper > all.upper) r -= r.upper - all.upper;
    if (r != range) {
        plot_->xAxis->setRange(r);
        return;
    }
    fitBarWidth();
}

}  // namespace zm

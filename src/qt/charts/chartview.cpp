#include "qt/charts/chartview.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/money.h"
#include "qt/binding/bind.h"
#include "qt/charts/groupedbars.h"
#include "qt/charts/groupedline.h"
#include "qt/charts/pointgroups.h"
#include "qt/charts/wholeticker.h"
#include "qt/shell/style.h"

namespace zm {

namespace {

// A bar's share of the room of its point.
constexpr double kBarWidth = 0.7;

QColor colourOf(const ChartSeries& s) {
    return seriesColour(static_cast<QRgb>(s.rgb));
}

QColor deeper(const QColor& pale) {
    return QColor::fromHsv(pale.hsvHue(), std::max(pale.hsvSaturation(), 150), 215);
}

void styleAxis(QCPAxis* axis, const std::string& label, const QColor& colour,
               QCPAxisTicker* ticker) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(ticker));
    axis->setLabel(qs(label));
    // The axis's texts in its series' hue, as readable as any text.
    const QColor base = QApplication::palette().color(QPalette::Base);
    axis->setLabelColor(readableOn(colour, base));
    // Ticks a shade further from the background than the caption.
    const QColor ticks = readableOn(
        darkPalette(QApplication::palette()) ? colour.lighter(115) : colour.darker(130), base);
    axis->setTickLabelColor(ticks);
    axis->setBasePen(QPen(ticks));
    axis->setTickPen(QPen(ticks));
    axis->setSubTickPen(QPen(ticks));
    axis->grid()->setPen(QPen(scheme().chartGrid, 0, Qt::DotLine));
}

// Bars grow from zero; an axis keeps zero in view, with some room.
QCPRange padded(double lower, double upper) {
    QCPRange r(std::min(lower, 0.0), std::max(upper, 0.0));
    if (r.size() <= 0) r.upper = 1;
    const double room = r.size() * 0.05;
    return QCPRange(r.lower < 0 ? r.lower - room : r.lower, r.upper + room);
}

}  // namespace

ChartView::ChartView(ChartData& chartData, const std::function<void(QCustomPlot*)>& prepare,
                     QWidget* parent)
    : QWidget(parent),
      data_(chartData),
      plot_(new QCustomPlot(this)),
      groups_(std::make_shared<PointGroups>()) {
    markBound(chartData, this);
    plot_->setAccessibleName("入金と累計のグラフ");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    setMinimumSize(320, 240);

    // Bars first, bottom of the stack first; then the line, above them.
    const ChartLook& look = data_.look();
    GroupedBars* below = nullptr;
    for (std::size_t s = 0; s < look.series.size(); ++s) {
        if (look.series[s].line) continue;
        auto* bars = new GroupedBars(plot_->xAxis, plot_->yAxis, groups_);
        const QColor colour = colourOf(look.series[s]);
        bars->setBrush(colour);
        // Pale colours get an outline of a deeper shade of their hue, which
        // is also all that shows of a bar one pixel wide.
        bars->setPen(colour.lightness() > 200 ? QPen(deeper(colour), 0) : QPen(Qt::NoPen));
        bars->setWidth(kBarWidth);
        bars->setAntialiased(false);
        bars->setSelectable(QCP::stNone);
        if (below) bars->moveAbove(below);
        below = bars;
        bars_.push_back(bars);
        barSeries_.push_back(s);
    }
    for (std::size_t s = 0; s < look.series.size(); ++s) {
        if (!look.series[s].line) continue;
        line_ = new GroupedLine(plot_->xAxis, plot_->yAxis2);
        line_->setPen(QPen(colourOf(look.series[s]), 2));
        line_->setSelectable(QCP::stNone);
        lineSeries_ = s;
        break;
    }

    const bool oneBar = barSeries_.size() == 1;
    styleAxis(plot_->xAxis, look.xCaption, scheme().axis,
              new WholeTicker(false, look.labelTicks ? &data_.labels() : nullptr));
    plot_->xAxis->grid()->setVisible(false);
    styleAxis(plot_->yAxis, look.barCaption,
              oneBar ? colourOf(look.series[barSeries_[0]]) : scheme().axis, new WholeTicker(true));
    if (line_) {
        styleAxis(plot_->yAxis2, look.lineCaption, colourOf(look.series[lineSeries_]),
                  new WholeTicker(true));
        plot_->yAxis2->grid()->setVisible(false);
        plot_->yAxis2->setVisible(true);
    }
    plot_->setPlottingHints(QCP::phCacheLabels | QCP::phFastPolylines);
    plot_->setNoAntialiasingOnDrag(true);

    plot_->setBackground(palette().base());
    plot_->legend->setVisible(true);
    plot_->legend->setTextColor(palette().color(QPalette::Text));
    QColor legend = palette().color(QPalette::Base);
    legend.setAlpha(colour::kLegendOpacity);
    plot_->legend->setBrush(legend);
    plot_->legend->setBorderPen(QPen(scheme().legendBorder));
    if (look.series.size() > 2) {
        // Many series: the legend goes above the plot, three to a row.
        plot_->axisRect()->insetLayout()->take(plot_->legend);
        plot_->plotLayout()->insertRow(0);
        plot_->plotLayout()->addElement(0, 0, plot_->legend);
        plot_->plotLayout()->setRowStretchFactor(0, 0.001);
        plot_->legend->setWrap(3);
        plot_->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
        plot_->legend->setBorderPen(Qt::NoPen);
        plot_->legend->setMargins(QMargins(4, 2, 4, 0));
    } else {
        plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    }

    // Only the x axis moves: the amounts stay readable while scrolling.
    plot_->axisRect()->setRangeDrag(Qt::Horizontal);
    plot_->axisRect()->setRangeZoom(Qt::Horizontal);
    plot_->axisRect()->setRangeZoomAxes(plot_->xAxis, nullptr);
    plot_->axisRect()->setRangeDragAxes(plot_->xAxis, nullptr);
    connect(plot_->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange& r) { keepInside(r); });
    connect(plot_, &QCustomPlot::afterLayout, this, [this] { fitInteractions(); });

    if (prepare) prepare(plot_);
    data_.bind([this] { redraw(); });
    redraw();
}

ChartView::~ChartView() = default;

const std::vector<int>& ChartView::drawnBars() const {
    return groups_->lastBars();
}

namespace {

// Room for `size` points to be given to a plottable: all of them, and the
// next deposits (the plottable keeps the buffer), or only added ones.
template <class Point>
QVector<Point> withRoom(std::size_t kept, std::size_t size) {
    QVector<Point> points;
    points.reserve(static_cast<qsizetype>(size) + (kept == 0 ? 8 : 0));
    return points;
}

}  // namespace

// How many of the points drawn last are still the first points of the data:
// a deposit adds one point to thousands, and its undo takes the last one
// away; the others need not be built again.
std::size_t ChartView::pointsKept(std::size_t n) const {
    const auto drawn = static_cast<std::size_t>(points_);
    if (drawn == 0 || n == 0) return 0;
    const std::size_t common = std::min(drawn, n);
    const auto& series = data_.series();
    const auto same = [drawn, common](const auto& container, const std::vector<double>& v) {
        if (static_cast<std::size_t>(container->size()) != drawn) return false;
        auto point = container->constBegin();
        for (std::size_t i = 0; i < common; ++i, ++point) {
            if (point->value != v[i]) return false;
        }
        return true;
    };
    for (std::size_t b = 0; b < bars_.size(); ++b) {
        if (!same(bars_[b]->data(), series[barSeries_[b]])) return 0;
    }
    if (line_ && !same(line_->data(), series[lineSeries_])) return 0;
    return common;
}

bool ChartView::droppedReach(std::size_t from) const {
    for (auto i = static_cast<int>(from); i < points_; ++i) {
        double up = 0, down = 0;
        for (const QCPBars* bars : bars_) {
            const double v = bars->data()->at(i)->value;
            (v > 0 ? up : down) += v;
        }
        if (up >= barHigh_ || down <= barLow_) return true;
    }
    return false;
}

bool ChartView::droppedLine(std::size_t from) const {
    for (auto i = static_cast<int>(from); i < points_; ++i) {
        const double v = line_->data()->at(i)->value;
        if (v >= lineHigh_ || v <= lineLow_) return true;
    }
    return false;
}

void ChartView::redraw() {
    const auto& series = data_.series();
    const ChartLook& look = data_.look();
    // Points that every series of the look has; none yet is an empty chart.
    std::size_t common = series.size() >= look.series.size() && !series.empty() ? SIZE_MAX : 0;
    for (std::size_t s = 0; s < look.series.size() && common > 0; ++s) {
        common = std::min(common, series[s].size());
    }
    const std::size_t n = common == SIZE_MAX ? 0 : common;
    // Only the points from `kept` on are built and added.
    const std::size_t kept = pointsKept(n);
    // Points taken off the end: a range one of them reached is found anew
    // over the points left.
    const bool dropped = kept > 0 && kept < static_cast<std::size_t>(points_);
    const bool barsRefit = dropped && droppedReach(kept);
    const bool lineRefit = dropped && line_ && droppedLine(kept);
    points_ = static_cast<int>(n);
    const std::size_t added = n - kept;
    const auto key = [](std::size_t i) { return static_cast<double>(i + 1); };
    static const std::vector<double> none;
    const auto column = [&](std::size_t s) -> const std::vector<double>& {
        return n == 0 ? none : series[s];
    };

    // One batch per series, built in the plot's own form and already in key
    // order; the stack's reach per point decides which point of a crowded
    // group is drawn.
    std::vector<double> positive(added), negative(added);
    for (std::size_t b = 0; b < bars_.size(); ++b) {
        const auto& v = column(barSeries_[b]);
        QVector<QCPBarsData> points = withRoom<QCPBarsData>(kept, added);
        for (std::size_t i = 0; i < added; ++i) {
            points.emplaceBack(key(kept + i), v[kept + i]);
            (v[kept + i] > 0 ? positive : negative)[i] += v[kept + i];
        }
        if (kept == 0) {
            bars_[b]->data()->set(points, true);
        } else {
            if (dropped) bars_[b]->data()->removeAfter(key(kept - 1));
            bars_[b]->data()->add(points, true);
        }
        bars_[b]->setName(qs(look.series[barSeries_[b]].name));
    }
    std::vector<double> reach(added);
    for (std::size_t i = 0; i < added; ++i) reach[i] = positive[i] - negative[i];
    groups_->setHeights(kept, reach);
    // Bars grow from zero, so zero is always within their reach.
    if (kept == 0 || barsRefit) barLow_ = barHigh_ = 0;
    for (std::size_t i = 0; barsRefit && i < kept; ++i) {
        double up = 0, down = 0;
        for (std::size_t b = 0; b < bars_.size(); ++b) {
            const double v = series[barSeries_[b]][i];
            (v > 0 ? up : down) += v;
        }
        barLow_ = std::min(barLow_, down);
        barHigh_ = std::max(barHigh_, up);
    }
    for (std::size_t i = 0; i < added; ++i) {
        barLow_ = std::min(barLow_, negative[i]);
        barHigh_ = std::max(barHigh_, positive[i]);
    }
    plot_->yAxis->setRange(padded(barLow_, barHigh_));

    if (line_) {
        const auto& v = column(lineSeries_);
        QVector<QCPGraphData> points = withRoom<QCPGraphData>(kept, added);
        for (std::size_t i = 0; i < added; ++i) {
            points.emplaceBack(key(kept + i), v[kept + i]);
        }
        if (kept == 0) {
            line_->data()->set(points, true);
        } else {
            if (dropped) line_->data()->removeAfter(key(kept - 1));
            line_->data()->add(points, true);
        }
        line_->setName(qs(look.series[lineSeries_].name));
        if ((kept == 0 || lineRefit) && n > 0) lineLow_ = lineHigh_ = v[0];
        for (std::size_t i = lineRefit ? 0 : kept; i < n; ++i) {
            lineLow_ = std::min(lineLow_, v[i]);
            lineHigh_ = std::max(lineHigh_, v[i]);
        }
        plot_->yAxis2->setRange(n == 0 ? padded(0, 0) : padded(lineLow_, lineHigh_));
    }
    plot_->xAxis->setRange(allPoints());
    describe();
    plot_->replot();
}

// What a screen reader says of the chart: "入金のグラフ：24回、合計 ¥406".
void ChartView::describe() {
    const ChartLook& look = data_.look();
    double total = 0;
    if (line_ && points_ > 0) {
        total = line_->data()->at(points_ - 1)->value;
    } else {
        for (const QCPBars* bars : bars_) {
            for (const QCPBarsData& p : *bars->data()) total += p.value;
        }
    }
    const auto money = Money::fromDouble(total);
    plot_->setAccessibleDescription(
        qs(look.barCaption + "のグラフ：" + std::to_string(points_) + look.pointUnit + "、合計 " +
           (money ? money->currencyText() : std::string("¥0"))));
}

QCPRange ChartView::allPoints() const {
    return QCPRange(0.5, std::max(points_, 1) + 0.5);
}

void ChartView::fitInteractions() {
    fitBarWidth();
    // Point labels such as "120日" are wide: as many ticks as labels fit.
    if (data_.look().labelTicks && !data_.labels().empty()) {
        const QFontMetrics metrics(plot_->xAxis->tickLabelFont());
        const int labelWidth = metrics.horizontalAdvance(qs(data_.labels().back())) + 24;
        const int count = std::max(1, plot_->axisRect()->width() / labelWidth);
        if (count != plot_->xAxis->ticker()->tickCount()) {
            plot_->xAxis->ticker()->setTickCount(count);
            plot_->replot(QCustomPlot::rpQueuedReplot);
        }
    }
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
// pixel wide, so that a crowded chart still shows its deposits.
void ChartView::fitBarWidth() {
    const double width = plot_->axisRect()->width();
    const double pixelsPerPoint = width / plot_->xAxis->range().size();
    const bool thin = width > 0 && pixelsPerPoint * kBarWidth < 2;
    for (QCPBars* bars : bars_) {
        bars->setWidthType(thin ? QCPBars::wtAbsolute : QCPBars::wtPlotCoords);
        bars->setWidth(thin ? 1 : kBarWidth);
    }
}

// Zooming and dragging stay within the points.
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

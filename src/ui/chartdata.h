#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"

namespace zm {

// How one series of a chart is drawn.
struct ChartSeries {
    std::string name;  // in the legend
    // The running total, a line on the second axis; otherwise a bar, stacked
    // on the bars of the series before it.
    bool line = false;
    std::uint32_t rgb = 0;  // 0xRRGGBB
};

// The design-time look of a chart.
struct ChartLook {
    std::vector<ChartSeries> series;  // one per data series, in the same order
    std::string xCaption;
    std::string barCaption = "入金";
    std::string lineCaption = "累計";
    // What a point is, as the chart's description counts them.
    std::string pointUnit = "回";
    // The x ticks show the labels of their points instead of positions.
    bool labelTicks = false;
};

// The savings pages: the running total as a line, the single deposits as bars.
inline ChartLook pageChartLook() {
    return {{{"累計", true, 0xe06c2f}, {"入金", false, 0x4e9ad8}}, "回"};
}

// The data grid of a chart: rows of series values plus a label per point.
// The view draws the chart again when it changes.
class ChartData : public Control {
public:
    explicit ChartData(std::string name, ChartLook look = pageChartLook())
        : Control(std::move(name)), look_(std::move(look)) {}

    const ChartLook& look() const { return look_; }
    // Legend names follow what they stand for (a renamed theme); drawn with
    // the next data.
    void setSeriesName(std::size_t series, std::string name) {
        look_.series.at(series).name = std::move(name);
    }

    using Series = std::vector<std::vector<double>>;
    // Replaces everything in one go.
    void setData(std::vector<std::string> labels, Series series) {
        make_ = nullptr;
        labels_ = std::move(labels);
        series_ = std::move(series);
        notify();
    }
    // The same without labels, the series made by `make` only when first
    // asked for: the chart of a page not yet shown costs nothing.
    void setDataWhenAsked(std::function<Series()> make) {
        labels_.clear();
        series_.clear();
        make_ = std::move(make);
        notify();
    }
    int rowCount() const { return series().empty() ? 0 : static_cast<int>(series_[0].size()); }
    const std::vector<std::string>& labels() const { return labels_; }
    // series()[s][i]: the value of series s at point i.
    const Series& series() const {
        if (make_) series_ = std::exchange(make_, nullptr)();
        return series_;
    }

private:
    ChartLook look_;
    std::vector<std::string> labels_;
    mutable Series series_;
    mutable std::function<Series()> make_;
};

}  // namespace zm

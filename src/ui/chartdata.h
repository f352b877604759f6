#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace zm {

// The data grid of a chart: rows of series values plus a label per point.
// The view redraws the whole chart when it changes.
class ChartData : public Control {
public:
    using Control::Control;

    // Replaces everything in one go.
    void setData(std::vector<std::string> labels, std::vector<std::vector<double>> series) {
        labels_ = std::move(labels);
        series_ = std::move(series);
        notify();
    }
    int rowCount() const { return series_.empty() ? 0 : static_cast<int>(series_[0].size()); }
    const std::vector<std::string>& labels() const { return labels_; }
    // series()[s][i]: the value of series s at point i.
    const std::vector<std::vector<double>>& series() const { return series_; }

private:
    std::vector<std::string> labels_;
    std::vector<std::vector<double>> series_;
};

}  // namespace zm

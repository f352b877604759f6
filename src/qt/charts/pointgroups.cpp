#include "qt/charts/pointgroups.h"

#include <qcustomplot.h>
#include <algorithm>
#include <cmath>

namespace zm {

void PointGroups::setHeights(std::size_t from, const std::vector<double>& heights) {
    heights_.resize(from);
    heights_.insert(heights_.end(), heights.begin(), heights.end());
    valid_ = false;
}

int PointGroups::groupSize(const QCPAxis* keyAxis) {
    const double pixels = keyAxis->axisRect()->width();
    const double points = keyAxis->range().size();
    if (pixels < 1) return 0;
    if (points <= pixels) return 1;
    return static_cast<int>(std::ceil(points / pixels));
}

const std::vector<int>& PointGroups::bars(const QCPAxis* keyAxis) {
    const int n = static_cast<int>(heights_.size());
    const int g = groupSize(keyAxis);
    // One point more on each side, for bars cut by the edge.
    const int first =
        std::clamp(static_cast<int>(std::ceil(keyAxis->range().lower)) - 2, 0, std::max(n - 1, 0));
    const int last =
        std::clamp(static_cast<int>(std::floor(keyAxis->range().upper)), 0, std::max(n - 1, 0));
    if (valid_ && first == first_ && last == last_ && g == g_) return picks_;
    valid_ = true;
    first_ = first;
    last_ = last;
    g_ = g;
    picks_.clear();
    if (n == 0 || g == 0) return picks_;
    if (g == 1) {
        for (int i = first; i <= last; ++i) picks_.push_back(i);
        return picks_;
    }
    for (int group = first / g; group <= last / g; ++group) {
        const auto begin = heights_.begin() + group * g;
        const auto end = heights_.begin() + std::min(n, (group + 1) * g);
        picks_.push_back(static_cast<int>(std::max_element(begin, end) - heights_.begin()));
    }
    return picks_;
}

}  // namespace zm

#include "qt/charts/groupedline.h"

#include <algorithm>
#include <iterator>

#include "qt/charts/pointgroups.h"

namespace zm {

void GroupedLine::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                       const QCPGraphDataContainer::const_iterator& begin,
                                       const QCPGraphDataContainer::const_iterator& end) const {
    lineData->clear();
    const int g = PointGroups::groupSize(mKeyAxis.data());
    if (begin == end || g == 0) return;
    if (g == 1) {
        lineData->reserve(static_cast<qsizetype>(end - begin));
        std::copy(begin, end, std::back_inserter(*lineData));
        return;
    }
    const auto all = mDataContainer->constBegin();
    const auto b = static_cast<int>(begin - all);
    const auto e = static_cast<int>(end - all);
    lineData->reserve((e - b) / g + 2);
    lineData->append(*begin);  // off the left edge, so the line reaches it
    for (int group = b / g; group * g < e; ++group) {
        const int last = std::min(e - 1, (group + 1) * g - 1);
        if (last > b) lineData->append(*(all + last));
    }
}

}  // namespace zm

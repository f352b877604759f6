#pragma once

#include <qcustomplot.h>

namespace zm {

// The running total through the last point of each group of points (see
// PointGroups).
class GroupedLine : public QCPGraph {
public:
    using QCPGraph::QCPGraph;

protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;
};

}  // namespace zm

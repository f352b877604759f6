#pragma once

#include <qcustomplot.h>
#include <memory>

namespace zm {

class PointGroups;

// Bars of one series that draw only the picked points; stacking on the series
// below still goes by key, so every series of a stack draws the same points.
class GroupedBars : public QCPBars {
public:
    GroupedBars(QCPAxis* keyAxis, QCPAxis* valueAxis, std::shared_ptr<PointGroups> groups);

protected:
    void draw(QCPPainter* painter) override;

private:
    std::shared_ptr<PointGroups> groups_;
};

}  // namespace zm

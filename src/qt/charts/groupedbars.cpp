#include "qt/charts/groupedbars.h"

#include <utility>

#include "qt/charts/pointgroups.h"

namespace zm {

GroupedBars::GroupedBars(QCPAxis* keyAxis, QCPAxis* valueAxis, std::shared_ptr<PointGroups> groups)
    : QCPBars(keyAxis, valueAxis), groups_(std::move(groups)) {}

void GroupedBars::draw(QCPPainter* painter) {
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty()) return;
    const auto& picks = groups_->bars(mKeyAxis.data());
    const auto all = mDataContainer->constBegin();
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->setBrush(mBrush);
    for (const int i : picks) {
        const auto point = all + i;
        if (point->value == 0) continue;  // nothing of this kind there
        painter->drawPolygon(QPolygonF(getBarRect(point->key, point->value)));
    }
}

}  // namespace zm

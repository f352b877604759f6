#pragma once

#include <cstddef>
#include <vector>

class QCPAxis;

namespace zm {

// Which points are drawn when they outnumber the pixel columns. Point i
// (0-based) sits at key i + 1. Groups are aligned to multiples of their size,
// so that dragging does not make the picks jump.
class PointGroups {
public:
    // Per point from `from` on, how far its stack reaches from zero; the
    // points before it keep theirs.
    void setHeights(std::size_t from, const std::vector<double>& heights);

    // Points per group for the axis's range and width: 1 while every point
    // has a pixel column of its own; 0 when there is no column at all (a
    // chart not laid out yet), so that nothing is drawn.
    static int groupSize(const QCPAxis* keyAxis);

    // The points whose bars are drawn: per group in view, the highest.
    const std::vector<int>& bars(const QCPAxis* keyAxis);
    const std::vector<int>& lastBars() const { return picks_; }

private:
    std::vector<double> heights_;
    std::vector<int> picks_;
    bool valid_ = false;
    int first_ = 0, last_ = 0, g_ = 0;
};

}  // namespace zm

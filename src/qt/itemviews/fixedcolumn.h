#pragma once

#include <QTableView>

namespace zm {

// The first column of a grid, laid over the grid's left edge, so that the
// row numbers stay in view when the grid scrolls sideways. It never scrolls
// by itself: its range and top follow the grid's at once, also while its own
// layout is still to come, so that its numbers stay beside their rows. A
// wheel turned over it scrolls the grid.
class FixedColumn : public QTableView {
public:
    explicit FixedColumn(QTableView* grid);
    void follow();

protected:
    void updateGeometries() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QTableView* grid_;
};

}  // namespace zm

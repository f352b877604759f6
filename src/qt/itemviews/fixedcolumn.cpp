#include "qt/itemviews/fixedcolumn.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace zm {

FixedColumn::FixedColumn(QTableView* grid) : QTableView(grid), grid_(grid) {
    setAutoScroll(false);
    setVerticalScrollMode(grid->verticalScrollMode());
    const QScrollBar* theirs = grid->verticalScrollBar();
    connect(theirs, &QAbstractSlider::rangeChanged, this, &FixedColumn::follow);
    connect(theirs, &QAbstractSlider::valueChanged, this, &FixedColumn::follow);
}

void FixedColumn::follow() {
    const QScrollBar* theirs = grid_->verticalScrollBar();
    verticalScrollBar()->setRange(theirs->minimum(), theirs->maximum());
    verticalScrollBar()->setValue(theirs->value());
}

void FixedColumn::updateGeometries() {
    QTableView::updateGeometries();
    follow();
}

void FixedColumn::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(grid_->verticalScrollBar(), event);
}

}  // namespace zm

#include "qt/access/labelcellaccessible.h"

#include <QGridLayout>
#include <QLabel>

namespace zm {

namespace {

QGridLayout* gridOf(const QWidget* cell) {
    return cell->parentWidget() ? qobject_cast<QGridLayout*>(cell->parentWidget()->layout())
                                : nullptr;
}

}  // namespace

LabelCellAccessible::LabelCellAccessible(QLabel* cell)
    : QAccessibleWidget(cell, QAccessible::Cell) {}

void* LabelCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString LabelCellAccessible::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !own.isEmpty()) return own;
    return static_cast<const QLabel*>(widget())->text();
}

QPoint LabelCellAccessible::place() const {
    QGridLayout* grid = gridOf(widget());
    const int index = grid ? grid->indexOf(widget()) : -1;
    if (index < 0) return {-1, -1};
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    return {column, row};
}

QAccessible::Role LabelCellAccessible::role() const {
    const QPoint at = place();
    if (at.y() == 0) return QAccessible::ColumnHeader;
    if (at.x() == 0) return QAccessible::RowHeader;
    return QAccessible::Cell;
}

int LabelCellAccessible::columnIndex() const {
    return place().x() - 1;
}

int LabelCellAccessible::rowIndex() const {
    return place().y() - 1;
}

QList<QAccessibleInterface*> LabelCellAccessible::columnHeaderCells() const {
    QGridLayout* grid = gridOf(widget());
    const QPoint at = place();
    if (!grid || at.y() <= 0) return {};
    QLayoutItem* header = grid->itemAtPosition(0, at.x());
    if (!header || !header->widget()) return {};
    return {QAccessible::queryAccessibleInterface(header->widget())};
}

QList<QAccessibleInterface*> LabelCellAccessible::rowHeaderCells() const {
    QGridLayout* grid = gridOf(widget());
    const QPoint at = place();
    if (!grid || at.x() <= 0) return {};
    QLayoutItem* header = grid->itemAtPosition(at.y(), 0);
    if (!header || !header->widget()) return {};
    return {QAccessible::queryAccessibleInterface(header->widget())};
}

QAccessibleInterface* LabelCellAccessible::table() const {
    return QAccessible::queryAccessibleInterface(widget()->parentWidget());
}

}  // namespace zm

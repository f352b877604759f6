#include "qt/access/labelgridaccessible.h"

#include <QGridLayout>
#include <QLabel>

namespace zm {

LabelGridAccessible::LabelGridAccessible(QWidget* frame)
    : QAccessibleWidget(frame, QAccessible::Table) {}

void* LabelGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QGridLayout* LabelGridAccessible::grid() const {
    return qobject_cast<QGridLayout*>(widget()->layout());
}

QAccessibleInterface* LabelGridAccessible::cellAt(int row, int column) const {
    QGridLayout* g = grid();
    QLayoutItem* item = g ? g->itemAtPosition(row + 1, column + 1) : nullptr;
    return item && item->widget() ? QAccessible::queryAccessibleInterface(item->widget())
                                  : nullptr;
}

QString LabelGridAccessible::textAt(int gridRow, int gridColumn) const {
    QGridLayout* g = grid();
    QLayoutItem* item = g ? g->itemAtPosition(gridRow, gridColumn) : nullptr;
    auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label ? label->text() : QString();
}

QString LabelGridAccessible::columnDescription(int column) const {
    return textAt(0, column + 1);
}

QString LabelGridAccessible::rowDescription(int row) const {
    return textAt(row + 1, 0);
}

int LabelGridAccessible::columnCount() const {
    return grid() ? grid()->columnCount() - 1 : 0;
}

int LabelGridAccessible::rowCount() const {
    return grid() ? grid()->rowCount() - 1 : 0;
}

}  // namespace zm

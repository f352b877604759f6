#pragma once

#include <QAccessibleWidget>

class QLabel;

namespace zm {

// A label in a table of labels: a cell, a column's or a row's header.
class LabelCellAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit LabelCellAccessible(QLabel* cell);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    // The label's place in its grid, header row and column included.
    QPoint place() const;
};

}  // namespace zm

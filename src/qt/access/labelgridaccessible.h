#pragma once

#include <QAccessibleWidget>

class QGridLayout;

namespace zm {

// A frame whose grid of labels is a table: its first row heads the columns,
// its first column the rows. Read as a table, not as loose labels.
class LabelGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit LabelGridAccessible(QWidget* frame);
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QGridLayout* grid() const;
    QString textAt(int gridRow, int gridColumn) const;
};

}  // namespace zm

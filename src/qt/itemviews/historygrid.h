#pragma once

#include <QTableView>

namespace zm {

class FixedColumn;
class HistoryModel;
class HistoryTable;

// The grid of a history table. Its first column is a FixedColumn scrolled
// with the grid; the header row is the grid's own. It opens at its table's
// top row, and a new table at its first.
class HistoryGrid : public QTableView {
public:
    HistoryGrid(HistoryTable& table, const char* accessibleName, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A cell of the fixed column is always in view sideways: only the rows
    // move for it.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void applyColumns();
    void placeFixedColumn();
    void showTopRow();

    HistoryTable& table_;
    HistoryModel* model_;
    FixedColumn* fixed_;
    int fullWidth_ = 0;
    bool scrollPending_ = false;
};

}  // namespace zm

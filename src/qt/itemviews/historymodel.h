#pragma once

#include <QAbstractTableModel>

namespace zm {

class HistoryTable;

// The cells of a HistoryTable, their texts made only when shown.
class HistoryModel : public QAbstractTableModel {
public:
    HistoryModel(const HistoryTable& table, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The table was reset or filled.
    void reload();

private:
    const HistoryTable& table_;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace zm

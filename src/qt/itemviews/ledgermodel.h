#pragma once

#include <QAbstractTableModel>

#include "ui/ledgertable.h"

namespace zm {

// The grid of a LedgerTable: the records are the model's rows (the table's
// header row is the view's header).
class LedgerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LedgerModel(LedgerTable& table, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Called by the table's observer.
    void tableChanged(LedgerTable::Change change, int row);

private:
    LedgerTable& table_;
    int shownRows_ = 0;
    int shownColumns_ = 0;
    // The table tells of a removal once its row is gone; until the views
    // have heard of it, the rows keep their old places and the removed one
    // shows nothing.
    int removing_ = -1;
};

}  // namespace zm

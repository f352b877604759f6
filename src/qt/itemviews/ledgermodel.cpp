#include "qt/itemviews/ledgermodel.h"

#include <QFont>

#include "qt/qtconvert.h"

namespace zm {

LedgerModel::LedgerModel(LedgerTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    shownRows_ = table_.recordCount();
    shownColumns_ = static_cast<int>(table_.columns().size());
}

int LedgerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int LedgerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns_;
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int row = index.row();
    if (removing_ >= 0) {
        if (row == removing_) return {};
        if (row > removing_) --row;
    }
    if (row >= table_.recordCount()) return {};
    const auto col = static_cast<std::size_t>(index.column());
    // Only the cells in view are asked for: their texts are made here.
    if (role == Qt::DisplayRole) return qs(table_.text(row + 1, index.column()));
    if (role == Qt::TextAlignmentRole && col < table_.columns().size()) {
        return QVariant::fromValue(qtAlign(table_.columns()[col].align));
    }
    if (role == Qt::FontRole && table_.kind(row + 1, index.column()) != Cell::Kind::Text) {
        // Amounts, dates, times and positions are digits, signs and 年月日,
        // which the font draws the same unshaped: shaping was most of the
        // cost of drawing a grid.
        static const QFont unshaped = [] {
            QFont f;
            f.setStyleStrategy(QFont::PreferNoShaping);
            return f;
        }();
        return unshaped;
    }
    return {};
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    const auto col = static_cast<std::size_t>(section);
    if (col >= table_.columns().size()) return {};
    if (role == Qt::DisplayRole) return qs(table_.columns()[col].header);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

void LedgerModel::tableChanged(LedgerTable::Change change, int row) {
    switch (change) {
        case LedgerTable::Change::RowAppended:
            beginInsertRows({}, shownRows_, shownRows_);
            shownRows_ = table_.recordCount();
            endInsertRows();
            break;
        case LedgerTable::Change::RowInserted:
            beginInsertRows({}, row - 1, row - 1);
            shownRows_ = table_.recordCount();
            endInsertRows();
            break;
        case LedgerTable::Change::RowRemoved:
            removing_ = row - 1;
            beginRemoveRows({}, removing_, removing_);
            shownRows_ = table_.recordCount();
            removing_ = -1;
            endRemoveRows();
            break;
        case LedgerTable::Change::Reset:
            beginResetModel();
            shownRows_ = table_.recordCount();
            shownColumns_ = static_cast<int>(table_.columns().size());
            endResetModel();
            break;
        case LedgerTable::Change::ValuesChanged:
            if (row <= shownRows_) {
                emit dataChanged(index(row - 1, 0), index(shownRows_ - 1, shownColumns_ - 1),
                                 {Qt::DisplayRole});
            }
            break;
        case LedgerTable::Change::TopRow:
        case LedgerTable::Change::CurrentRow:
            break;
    }
}

}  // namespace zm

#include "qt/itemviews/historymodel.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "history/historytable.h"
#include "qt/qtconvert.h"
#include "qt/shell/style.h"

namespace zm {

HistoryModel::HistoryModel(const HistoryTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    reload();
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= table_.recordCount()) return {};
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return qs(table_.text(index.row() + 1, column));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                qtAlign(table_.columns()[static_cast<std::size_t>(column)].align));
        case Qt::BackgroundRole:
            // The fixed column is drawn like the header.
            if (column == 0) return QApplication::palette().button();
            return {};
        default:
            return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section >= columns_) return {};
    switch (role) {
        case Qt::DisplayRole:
            return qs(table_.text(0, section));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::BackgroundRole:
            if (const auto rgb = table_.headerColour(section)) {
                return QBrush(QColor::fromRgb(static_cast<QRgb>(*rgb)));
            }
            return {};
        case Qt::ForegroundRole:
            // A pale background of its own keeps dark text under any scheme.
            if (table_.headerColour(section)) return QBrush(colour::kOnPastel);
            return {};
        default:
            return {};
    }
}

void HistoryModel::reload() {
    beginResetModel();
    rows_ = table_.recordCount();
    columns_ = static_cast<int>(table_.columns().size());
    endResetModel();
}

}  // namespace zm

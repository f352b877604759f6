#include "ui/ledgertable.h"

#include <stdexcept>

namespace zm {

void LedgerTable::reset(std::vector<Column> columns) {
    columns_ = std::move(columns);
    rows_.clear();
    topRow_ = 0;
    currentRow_ = 0;
    changed(Change::Reset, 0);
}

void LedgerTable::appendRow(Row row) {
    row.resize(columns_.size());
    rows_.push_back(std::move(row));
    changed(Change::RowAppended, rowCount() - 1);
}

void LedgerTable::removeRow(int r) {
    rows_.erase(rows_.begin() + (r - 1));
    if (currentRow_ >= rowCount()) currentRow_ = rowCount() - 1;
    if (topRow_ >= rowCount()) topRow_ = rowCount() - 1;
    changed(Change::RowRemoved, r);
}

void LedgerTable::beginLoad() {
    loading_ = true;
}

void LedgerTable::endLoad() {
    loading_ = false;
    changed(Change::Reset, 0);
}

void LedgerTable::setTopRow(int r) {
    topRow_ = r;
    changed(Change::TopRow, r);
}

void LedgerTable::setCurrentRow(int r) {
    if (currentRow_ == r) return;
    currentRow_ = r;
    changed(Change::CurrentRow, r);
}

void LedgerTable::observeRows(RowObserver observer) {
    if (rowObserver_) throw std::logic_error("table observed twice: " + name());
    rowObserver_ = std::move(observer);
}

void LedgerTable::changed(Change c, int row) {
    if (loading_ || !rowObserver_) return;
    rowObserver_(c, row);
}

}  // namespace zm

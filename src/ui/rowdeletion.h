#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/money.h"
#include "ui/ledgertable.h"

namespace zm {

class Dialogs;

// Deleting the current row of a table, the same on every page: the only
// remaining row is never deleted (`lastRowMessage` points to the clear
// button); otherwise the user confirms `question(row)`, `rewrite(row)` writes
// the file from the values of every other row, and only then the row leaves
// the table, so a failed write leaves file and table alike. Returns the
// deleted row, or 0 when nothing was deleted; `removed` gets its cells.
int deleteCurrentRow(LedgerTable& table, Dialogs& dialogs, const std::string& lastRowMessage,
                     const std::function<std::string(int row)>& question,
                     const std::function<void(int row)>& rewrite, Row* removed = nullptr);

// How a row appended by a deposit is shown undone (the last row taken out)
// and redone (put back), its running total in column `total` made anew from
// column `amount`; then `shown()` shows the rest of the page.
std::function<void(bool undone)> followAppend(LedgerTable& table, Row appended, int amount,
                                              int total, std::function<void()> shown);

// How a deleted row is shown undone (put back as row r) and redone (taken
// out again): the running totals of column `total` (none when -1) from the
// amounts of column `amount` follow, then `shown()` shows the rest of the page.
std::function<void(bool undone)> followDeletion(LedgerTable& table, int r, Row removed,
                                                int amount, int total,
                                                std::function<void()> shown);

// The texts of columns 0 .. columns - 1 of row r as the table shows them,
// joined by single spaces: how a question names the row.
std::string shownRow(const LedgerTable& table, int r, int columns);

// After deleteCurrentRow took row r out of a ledger whose column `amount`
// holds the deposits and `total` their running total: the totals from row r
// down, the current row and the scrolling become what reloading the rewritten
// file would make (positions follow by themselves). Returns the new total.
Money settleLedgerAfterDeletion(LedgerTable& table, int r, int amount, int total);

// Writes `file` anew (its rewrite(count, record)) from the values of every
// record row but `skip`, in table order: `fill(row, rec)` sets one record,
// reused row after row, so that no copy of the table is made on the way.
template <class Rec, class File, class Fill>
void rewriteRowsExcept(const File& file, int recordCount, int skip, Fill fill) {
    Rec rec;
    const auto count = static_cast<std::size_t>(recordCount - (skip >= 1 && skip <= recordCount));
    file.rewrite(count, [&](std::size_t i) -> const Rec& {
        const int r = static_cast<int>(i) + 1;
        fill(r < skip ? r : r + 1, rec);
        return rec;
    });
}

}  // namespace zm

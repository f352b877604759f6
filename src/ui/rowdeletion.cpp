#include "ui/rowdeletion.h"

#include "ui/dialogs.h"

namespace zm {

int deleteCurrentRow(LedgerTable& table, Dialogs& dialogs, const std::string& lastRowMessage,
                     const std::function<std::string(int row)>& question,
                     const std::function<void(int row)>& rewrite, Row* removed) {
    const int n = table.recordCount();
    if (n == 0) return 0;
    if (n == 1) {
        dialogs.msgBox(lastRowMessage, "削除確認", Icon::Exclamation, Buttons::Ok);
        return 0;
    }
    const int r = table.currentRow();
    if (r < 1 || r > n) return 0;
    if (dialogs.msgBox(question(r), "削除確認", Icon::Question, Buttons::OkCancel) != Answer::Ok)
        return 0;
    rewrite(r);
    if (removed) *removed = table.row(r);
    table.removeRow(r);
    return r;
}

std::function<void(bool undone)> followAppend(LedgerTable& table, Row appended, int amount,
                                              int total, std::function<void()> shown) {
    return [&table, appended = std::move(appended), amount, total,
            shown = std::move(shown)](bool undone) {
        if (undone) {
            table.removeRow(table.recordCount());
        } else {
            table.appendRow(appended);
            table.runningTotal(amount, total, table.recordCount());
        }
        shown();
    };
}

std::function<void(bool undone)> followDeletion(LedgerTable& table, int r, Row removed,
                                                int amount, int total,
                                                std::function<void()> shown) {
    return [&table, r, removed = std::move(removed), amount, total,
            shown = std::move(shown)](bool undone) {
        if (undone) {
            table.insertRow(r, removed);
        } else {
            table.removeRow(r);
        }
        if (total >= 0) table.runningTotal(amount, total, r);
        shown();
    };
}

std::string shownRow(const LedgerTable& table, int r, int columns) {
    std::string shown;
    for (int c = 0; c < columns; ++c) {
        if (c > 0) shown += ' ';
        shown += table.text(r, c);
    }
    return shown;
}

Money settleLedgerAfterDeletion(LedgerTable& table, int r, int amount, int total) {
    const Money sum = table.runningTotal(amount, total, r);
    // A reload starts with no row chosen and the last row at the top.
    table.setCurrentRow(0);
    if (!table.empty()) table.scrollToLast();
    return sum;
}

}  // namespace zm

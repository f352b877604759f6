#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "ui/tableexport.h"

class QWidget;

namespace zm {

class DataExport;

// The table's rows (1-based, empty for every row) under a title.
using TableRows = std::function<OutTable(const std::vector<int>& rows, std::string title)>;

// The ways out of one table: its context menu ("コピー", "CSVで保存…",
// "印刷…" where its page prints, and "削除…" where its rows are deleted),
// opened also by Shift+F10 and the Menu key, and the keys Ctrl+C and Ctrl+A.
// On an item view the selected rows are copied, all when none is, in the
// table's order.
class TableActions : public QObject {
public:
    TableActions(QWidget* table, TableRows rows, DataExport& out);

    // The title of the table's files when it is not the page's (one of
    // several tables of a page).
    void setTitle(std::function<std::string()> title) { title_ = std::move(title); }
    // What deletes the current row, for a table whose rows are deleted.
    void setRemove(std::function<void()> remove) { remove_ = std::move(remove); }
    std::string title() const;
    void copyRows();
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<int> selectedRows() const;

    QWidget* table_;
    TableRows rows_;
    DataExport& out_;
    std::function<std::string()> title_;
    std::function<void()> remove_;
};

// Gives `table` its ways out.
void offerTable(QWidget* table, TableRows rows, DataExport& out);
// The title of a table's files, for a table offered before.
void setOutTitle(QWidget* table, std::function<std::string()> title);
// "削除…" in the menu of a table offered before, acting as `remove`.
void offerRemoval(QWidget* table, std::function<void()> remove);

// The clipboard's contents for a table: its TSV as text, its HTML table.
void copyTable(const OutTable& table);

}  // namespace zm

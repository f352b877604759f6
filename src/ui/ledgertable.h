#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/money.h"
#include "ui/controls.h"

namespace zm {

enum class Align { Default, Left, Centre, Right };

struct Column {
    std::string header;
    int widthTwips = 1000;
    Align align = Align::Default;
};

// A cell's shown text and, for amounts, the value behind it.
struct Cell {
    std::string text;
    std::optional<Money> value;

    Cell() = default;
    Cell(std::string t) : text(std::move(t)) {}  // NOLINT: rows read naturally
    Cell(const char* t) : text(t) {}             // NOLINT
    explicit Cell(Money m) : text(m.currencyText()), value(m) {}
};

using Row = std::vector<Cell>;

// The table of a page: header row 0, records in rows 1..n. A row count of 1
// means an empty table. Files rewritten from a table use the values, never the
// shown texts.
class LedgerTable : public Control {
public:
    enum class Change { Reset, RowAppended, RowRemoved, TopRow, CurrentRow };

    explicit LedgerTable(std::string name, int fontPoints = 12)
        : Control(std::move(name)), fontPoints_(fontPoints) {}

    // Header row alone, with these columns.
    void reset(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }
    int fontPoints() const { return fontPoints_; }

    int rowCount() const { return static_cast<int>(rows_.size()) + 1; }
    int recordCount() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    // Record rows are 1-based, as on the page.
    const Row& row(int r) const { return rows_.at(static_cast<std::size_t>(r - 1)); }
    const Cell& cell(int r, int c) const { return row(r).at(static_cast<std::size_t>(c)); }
    Money value(int r, int c) const { return cell(r, c).value.value_or(Money()); }

    void appendRow(Row row);
    void removeRow(int r);
    // Bulk loading: one Reset notification at endLoad() instead of one per row.
    void beginLoad();
    void endLoad();

    int topRow() const { return topRow_; }
    void setTopRow(int r);
    // Scrolls so that the last row is the top visible row.
    void scrollToLast() { setTopRow(empty() ? 0 : rowCount() - 1); }
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int r);

    // The view's observer of the rows, told what changed and at which row.
    // (Visibility and the like go to the control's own observer.)
    using RowObserver = std::function<void(Change change, int row)>;
    void observeRows(RowObserver observer);

private:
    void changed(Change c, int row);

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int fontPoints_;
    int topRow_ = 0;
    int currentRow_ = 0;
    bool loading_ = false;
    RowObserver rowObserver_;
};

}  // namespace zm

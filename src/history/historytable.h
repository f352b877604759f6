#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "history/historysources.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/tableexport.h"

namespace zm {

class ChartData;
struct ChartLook;

// The theme names as their labels show them now.
using ThemeNames = std::array<std::string, 3>;

// Calendar-month boundaries from `from` to `to`.
int monthsBetween(Date from, Date to);

// The grid of a history page: header row 0, then one row per day or month
// with its number, its date or month, the amounts of the five kinds, the
// row's total and the running total. Only numbers are kept: a cell's text is
// made when something asks for it, so that tens of thousands of rows cost
// only what the view shows.
class HistoryTable : public Control {
public:
    enum class Unit { Day, Month };
    enum class Change { Reset, TopRow };
    static constexpr int kColumns = 9;
    static constexpr int kFirstKindColumn = 2;
    static constexpr int kTotalColumn = 7;
    static constexpr int kRunningColumn = 8;

    HistoryTable(std::string name, Unit unit) : Control(std::move(name)), unit_(unit) {}

    // Header row alone; the theme headers are the first four characters of
    // the names.
    void reset(const ThemeNames& themeNames);
    const std::vector<Column>& columns() const { return columns_; }
    // The background of a header cell, when it has its own.
    std::optional<std::uint32_t> headerColour(int column) const;
    int fontPoints() const { return 12; }

    // Body rows 1..rows, each empty, the first for the day or month of `first`.
    void startBody(Date first, int rows);
    // Adds the amount into the cell of the kind (0 = column 2); a cell that
    // got no amount stays empty.
    void book(int row, int kind, Money amount);
    // Columns 7 and 8 from the rows' totals (totals[0] is row 1), then one
    // notification for the view.
    void endBody(const std::vector<Money>& totals);

    int rowCount() const { return recordCount() + 1; }
    int recordCount() const { return static_cast<int>(totals_.size()); }
    std::string text(int row, int column) const;
    // The amount behind a cell of columns 2 to 8; 0 for an empty one.
    Money value(int row, int column) const;
    // The longest text of the column's body, so that a view can make room
    // for it without formatting every cell.
    std::string widestText(int column) const;
    // The rows (1-based) for a copy or a file, every row when `rows` is
    // empty; a kind that got no amount stays an empty cell.
    OutTable out(const std::vector<int>& rows, std::string title) const;

    int topRow() const { return topRow_; }
    // Scrolls so that the last row is the top visible row.
    void scrollToLast();

    // The chart of the table: the kinds as stacked bars, the running total as
    // a line; each point labelled with its row number and the unit word.
    void fillChart(ChartData& chart) const;
    Change lastChange() const { return lastChange_; }

private:
    void changed(Change c);

    Unit unit_;
    std::vector<Column> columns_;
    Date first_{};
    std::vector<std::array<Money, kHistoryKinds>> kinds_;
    std::vector<std::uint8_t> booked_;  // per row, one bit per kind
    std::vector<Money> totals_;
    std::vector<Money> running_;
    int topRow_ = 0;
    Change lastChange_ = Change::Reset;
};

// The look of a history chart: the running total and five stacked bars in
// the header colours of their columns.
ChartLook historyChartLook(HistoryTable::Unit unit);

// Books every record of the sources into the table and into `totals`, in
// source order; rowOf gives a record's 0-based body row, or -1 to pass it over.
void bookSources(const HistorySources& sources, HistoryTable& table, std::vector<Money>& totals,
                 const std::function<int(Date)>& rowOf);

}  // namespace zm

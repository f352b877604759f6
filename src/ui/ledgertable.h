#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "ui/controls.h"

namespace zm {

enum class Align { Default, Left, Centre, Right };

struct Column {
    std::string header;
    int widthTwips = 1000;
    Align align = Align::Default;
};

// A value put into a table: a text, an amount, a date, a time of day, or the
// row's own position. The table keeps the value; its text is made only when
// someone asks for it.
class Cell {
public:
    enum class Kind : std::uint8_t { Empty, Text, Amount, Day, ClockTime, Position, Expected };

    Cell() = default;
    Cell(std::string t) : kind_(Kind::Text), text_(std::move(t)) {}  // NOLINT: rows read naturally
    Cell(const char* t) : Cell(std::string(t)) {}                    // NOLINT
    explicit Cell(Money m) : kind_(Kind::Amount), raw_(m.raw()) {}
    explicit Cell(Date d);
    explicit Cell(TimeOfDay t) : kind_(Kind::ClockTime), raw_(t.count()) {}
    // The row's number, 1 for the first record: it follows the row when rows
    // above it leave.
    static Cell position() {
        Cell c;
        c.kind_ = Kind::Position;
        return c;
    }
    // When a goal is reached: already, in the month of `when`, or not
    // foreseen (no date). See expectedText().
    static Cell expected(bool reached, std::optional<Date> when);

private:
    friend class LedgerTable;
    Kind kind_ = Kind::Empty;
    std::int64_t raw_ = 0;
    std::string text_;
};

using Row = std::vector<Cell>;

// The value of an Expected cell: the month as year * 12 + month - 1, or one of these.
inline constexpr std::int64_t kReached = -1, kNotForeseen = -2;
// "達成済み", "YYYY年MM月ごろ" or "未定".
std::string expectedText(std::int64_t value);

// A cell as it is shown: its text and, for an amount, the value behind it.
struct ShownCell {
    std::string text;
    std::optional<Money> value;
};

// The table of a page: header row 0, records in rows 1..n. A row count of 1
// means an empty table. The rows hold values (Cell); a cell's text is made
// when it is shown, and files rewritten from a table use the values.
class LedgerTable : public Control {
public:
    enum class Change { Reset, RowAppended, RowInserted, RowRemoved, TopRow, CurrentRow, ValuesChanged };

    explicit LedgerTable(std::string name, int fontPoints = 12)
        : Control(std::move(name)), fontPoints_(fontPoints) {}

    // Header row alone, with these columns.
    void reset(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }
    int fontPoints() const { return fontPoints_; }

    int rowCount() const { return recordCount() + 1; }
    int recordCount() const { return rows_; }
    bool empty() const { return rows_ == 0; }

    // Record rows are 1-based, as on the page.
    Cell::Kind kind(int r, int c) const { return kinds_.at(at(r, c)); }
    // The text the cell shows: an amount in the currency format, a date as
    // "YYYY年MM月DD日", a time as "HH:MM:SS", a position as a decimal.
    std::string text(int r, int c) const;
    // The text of a text cell, without a copy; a fault for any other.
    std::string_view textView(int r, int c) const;
    ShownCell cell(int r, int c) const;
    // The amount of an amount cell; 0 for any other.
    Money value(int r, int c) const {
        const std::size_t i = at(r, c);
        return kinds_[i] == Cell::Kind::Amount ? Money::fromRaw(values_[i]) : Money();
    }
    // value(r, c).toDouble() of every record row, in order: a chart's series
    // made without a call per cell.
    std::vector<double> amountsAsDoubles(int c) const;
    // f(day, amount) for every record row whose column `date` holds a date:
    // its day number (dayNumber()) and the amount of column `amount`. The
    // pace and the streaks walk whole ledgers so.
    template <class F>
    void forEachDated(int date, int amount, F f) const {
        if (rows_ == 0) return;
        const std::size_t stride = columns_.size();
        for (std::size_t d = at(1, date), a = at(1, amount); d < kinds_.size();
             d += stride, a += stride) {
            if (kinds_[d] != Cell::Kind::Day) continue;
            f(values_[d], kinds_[a] == Cell::Kind::Amount ? Money::fromRaw(values_[a]) : Money());
        }
    }
    // The date or time of such a cell; a fault for any other.
    Date date(int r, int c) const;
    // The value of an Expected cell; a fault for any other.
    std::int64_t expected(int r, int c) const;
    TimeOfDay time(int r, int c) const;

    void appendRow(std::initializer_list<Cell> row);
    void appendRow(const Row& row);
    // Loading whole ledgers without a Cell per value: a row of one cell per
    // column, of these kinds, holding these values as a Cell keeps them
    // (dayNumber() of a date, the seconds of a time, Money::raw(), and
    // textValue() of a text).
    void appendValues(std::span<const Cell::Kind> kinds, std::span<const std::int64_t> values) {
        if (kinds.size() != columns_.size() || values.size() != columns_.size()) [[unlikely]]
            noCell(rows_ + 1, static_cast<int>(kinds.size()));
        aboutToChange();
        kinds_.insert(kinds_.end(), kinds.begin(), kinds.end());
        values_.insert(values_.end(), values.begin(), values.end());
        ++rows_;
        changed(Change::RowAppended, rowCount() - 1);
    }
    std::int64_t textValue(const std::string& text) { return textIndex(text); }
    void removeRow(int r);
    // Record row r's cells, to be put back with insertRow().
    Row row(int r) const;
    // The row becomes row r (1 .. rowCount()); those from r on move down.
    void insertRow(int r, const Row& row);
    // Room for this many records, and a few more, without growing again.
    void reserve(int records);
    // Rewrites column `total` from row `from` down as the running sum of
    // column `amount` (the total above plus the row's own amount) and
    // returns the last total: after a row has left, the totals below it are
    // what a reload would make.
    Money runningTotal(int amount, int total, int from);
    // Bulk loading: one Reset notification at endLoad() instead of one per row.
    void beginLoad();
    void endLoad();

    // The texts of column c that may be the widest shown: for amounts the
    // largest and the smallest, for positions the last; one of the dates and
    // times, which all have the same width. Texts are not included: their
    // column keeps its width. From row `from` on.
    std::vector<std::string> widestTexts(int c, int from = 1) const;

    int topRow() const { return topRow_; }
    void setTopRow(int r);
    // Scrolls so that the last row is the top visible row.
    void scrollToLast() { setTopRow(empty() ? 0 : rowCount() - 1); }
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int r);

    // The view's observer of the rows, told what changed and at which row
    // (ValuesChanged: that row and every row below it).
    // (Visibility and the like go to the control's own observer.)
    using RowObserver = std::function<void(Change change, int row)>;
    void observeRows(RowObserver observer);
    // `f` runs once, just before the cells next change (a row added, removed
    // or put back, totals made anew, the table reset): what was taken from
    // the table when asked is then taken as it was. One at a time.
    void beforeNextChange(std::function<void()> f) { beforeChange_ = std::move(f); }

private:
    // Inline: charts and rewrites walk whole ledgers cell by cell.
    std::size_t at(int r, int c) const {
        if (r < 1 || r > rows_ || c < 0 || c >= static_cast<int>(columns_.size())) [[unlikely]]
            noCell(r, c);
        return static_cast<std::size_t>(r - 1) * columns_.size() + static_cast<std::size_t>(c);
    }
    [[noreturn]] void noCell(int r, int c) const;
    void aboutToChange() {
        if (beforeChange_) [[unlikely]]
            std::exchange(beforeChange_, nullptr)();
    }
    template <class It>
    void append(It first, It last);
    std::int64_t textIndex(const std::string& text);
    void changed(Change c, int row);

    std::vector<Column> columns_;
    int rows_ = 0;
    // Row after row, a kind and a value per cell: the amount's raw units, the
    // day number of a date, the seconds of a time, the index of a text.
    std::vector<Cell::Kind> kinds_;
    std::vector<std::int64_t> values_;
    // Every distinct text once: a ledger names the same items again and again.
    std::unordered_map<std::string, std::int64_t> textIndex_;
    std::vector<const std::string*> texts_;
    int fontPoints_;
    int topRow_ = 0;
    int currentRow_ = 0;
    bool loading_ = false;
    RowObserver rowObserver_;
    std::function<void()> beforeChange_;
};

// The columns of a ledger whose records have a date, a time and an amount;
// the 365-step page centres its positions and heads its running total 累積.
inline std::vector<Column> timedColumns(Align position, const char* runningHeader) {
    return {{"回", 700, position},
            {"日付", 2300, Align::Centre},
            {"時間", 1300, Align::Centre},
            {"入金", 1150, Align::Right},
            {runningHeader, 1350, Align::Right}};
}

// One row per deposit of a ledger whose records have a date, a time and an
// amount: its position, date and time, amount and the running total.
template <class Deposits>
void appendTimedRows(LedgerTable& table, const Deposits& deposits) {
    table.beginLoad();
    table.reserve(static_cast<int>(deposits.size()));
    using K = Cell::Kind;
    static constexpr K kKinds[] = {K::Position, K::Day, K::ClockTime, K::Amount, K::Amount};
    Money running;
    for (const auto& rec : deposits) {
        running += rec.amount;  // within range: the reader checked the sum
        const std::int64_t values[] = {0, dayNumber(rec.date), rec.time.count(), rec.amount.raw(),
                                       running.raw()};
        table.appendValues(kKinds, values);
    }
    table.endLoad();
}

// The table anew, in `columns`, with one row per deposit as above.
template <class Deposits>
void fillTimedLedger(LedgerTable& table, std::vector<Column> columns, const Deposits& deposits) {
    table.reset(std::move(columns));
    appendTimedRows(table, deposits);
}

}  // namespace zm

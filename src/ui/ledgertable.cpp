#include "ui/ledgertable.h"

#include <algorithm>
#include <stdexcept>

namespace zm {

Cell::Cell(Date d) : kind_(Kind::Day), raw_(dayNumber(d)) {}

void LedgerTable::reset(std::vector<Column> columns) {
    aboutToChange();
    columns_ = std::move(columns);
    rows_ = 0;
    kinds_.clear();
    values_.clear();
    textIndex_.clear();
    texts_.clear();
    topRow_ = 0;
    currentRow_ = 0;
    changed(Change::Reset, 0);
}

void LedgerTable::noCell(int r, int c) const {
    throw std::out_of_range("no cell " + std::to_string(r) + "," + std::to_string(c) + " in " +
                            name());
}

std::string LedgerTable::text(int r, int c) const {
    const std::size_t i = at(r, c);
    const std::int64_t v = values_[i];
    switch (kinds_[i]) {
        case Cell::Kind::Text:
            return *texts_[static_cast<std::size_t>(v)];
        case Cell::Kind::Amount:
            return Money::fromRaw(v).currencyText();
        case Cell::Kind::Day:
            return dateText(fromDayNumber(v));
        case Cell::Kind::ClockTime:
            return timeText(TimeOfDay(v));
        case Cell::Kind::Position:
            return std::to_string(r);
        case Cell::Kind::Expected:
            return expectedText(v);
        case Cell::Kind::Empty:
            break;
    }
    return {};
}

Cell Cell::expected(bool reached, std::optional<Date> when) {
    Cell c;
    c.kind_ = Kind::Expected;
    c.raw_ = reached ? kReached
             : when  ? static_cast<std::int64_t>(static_cast<int>(when->year())) * 12 +
                          static_cast<unsigned>(when->month()) - 1
                     : kNotForeseen;
    return c;
}

std::string expectedText(std::int64_t value) {
    if (value == kReached) return "達成済み";
    if (value < 0) return "未定";
    const std::chrono::year_month ym{std::chrono::year{static_cast<int>(value / 12)},
                                     std::chrono::month{static_cast<unsigned>(value % 12 + 1)}};
    return monthText(ym) + "ごろ";
}

std::string_view LedgerTable::textView(int r, int c) const {
    const std::size_t i = at(r, c);
    if (kinds_[i] != Cell::Kind::Text) throw std::logic_error("not a text: " + name());
    return *texts_[static_cast<std::size_t>(values_[i])];
}

ShownCell LedgerTable::cell(int r, int c) const {
    ShownCell shown{text(r, c), std::nullopt};
    if (kind(r, c) == Cell::Kind::Amount) shown.value = value(r, c);
    return shown;
}

std::vector<double> LedgerTable::amountsAsDoubles(int c) const {
    std::vector<double> out(static_cast<std::size_t>(rows_));
    if (rows_ == 0) return out;
    const std::size_t stride = columns_.size();
    std::size_t i = at(1, c);
    for (double& v : out) {
        v = kinds_[i] == Cell::Kind::Amount ? Money::fromRaw(values_[i]).toDouble() : 0.0;
        i += stride;
    }
    return out;
}

std::int64_t LedgerTable::expected(int r, int c) const {
    const std::size_t i = at(r, c);
    if (kinds_[i] != Cell::Kind::Expected) throw std::logic_error("not an expected month: " + name());
    return values_[i];
}

Date LedgerTable::date(int r, int c) const {
    const std::size_t i = at(r, c);
    if (kinds_[i] != Cell::Kind::Day) throw std::logic_error("not a date: " + name());
    return fromDayNumber(values_[i]);
}

TimeOfDay LedgerTable::time(int r, int c) const {
    const std::size_t i = at(r, c);
    if (kinds_[i] != Cell::Kind::ClockTime) throw std::logic_error("not a time: " + name());
    return TimeOfDay(values_[i]);
}

std::int64_t LedgerTable::textIndex(const std::string& text) {
    const auto next = static_cast<std::int64_t>(texts_.size());
    const auto [it, added] = textIndex_.try_emplace(text, next);
    if (added) texts_.push_back(&it->first);
    return it->second;
}

// Cells past the columns are dropped, missing ones are empty.
template <class It>
void LedgerTable::append(It first, It last) {
    aboutToChange();
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        if (first == last) {
            kinds_.push_back(Cell::Kind::Empty);
            values_.push_back(0);
            continue;
        }
        const Cell& cell = *first++;
        kinds_.push_back(cell.kind_);
        values_.push_back(cell.kind_ == Cell::Kind::Text ? textIndex(cell.text_) : cell.raw_);
    }
    ++rows_;
    changed(Change::RowAppended, rowCount() - 1);
}

void LedgerTable::appendRow(std::initializer_list<Cell> row) {
    append(row.begin(), row.end());
}

void LedgerTable::appendRow(const Row& row) {
    append(row.begin(), row.end());
}

void LedgerTable::removeRow(int r) {
    aboutToChange();
    const auto first = static_cast<std::ptrdiff_t>(at(r, 0));
    const auto width = static_cast<std::ptrdiff_t>(columns_.size());
    kinds_.erase(kinds_.begin() + first, kinds_.begin() + first + width);
    values_.erase(values_.begin() + first, values_.begin() + first + width);
    --rows_;
    const bool current = currentRow_ >= rowCount(), top = topRow_ >= rowCount();
    if (current) currentRow_ = rowCount() - 1;
    if (top) topRow_ = rowCount() - 1;
    changed(Change::RowRemoved, r);
    // A view follows the rows that moved into these places.
    if (current) changed(Change::CurrentRow, currentRow_);
    if (top) changed(Change::TopRow, topRow_);
}

Row LedgerTable::row(int r) const {
    Row cells(columns_.size());
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::size_t i = at(r, static_cast<int>(c));
        cells[c].kind_ = kinds_[i];
        if (kinds_[i] == Cell::Kind::Text) {
            cells[c].text_ = *texts_[static_cast<std::size_t>(values_[i])];
        } else {
            cells[c].raw_ = values_[i];
        }
    }
    return cells;
}

void LedgerTable::insertRow(int r, const Row& row) {
    aboutToChange();
    if (r == rowCount()) {
        appendRow(row);
        return;
    }
    const auto first = static_cast<std::ptrdiff_t>(at(r, 0));
    std::vector<Cell::Kind> kinds(columns_.size(), Cell::Kind::Empty);
    std::vector<std::int64_t> values(columns_.size(), 0);
    for (std::size_t c = 0; c < columns_.size() && c < row.size(); ++c) {
        kinds[c] = row[c].kind_;
        values[c] = row[c].kind_ == Cell::Kind::Text ? textIndex(row[c].text_) : row[c].raw_;
    }
    kinds_.insert(kinds_.begin() + first, kinds.begin(), kinds.end());
    values_.insert(values_.begin() + first, values.begin(), values.end());
    ++rows_;
    changed(Change::RowInserted, r);
}

void LedgerTable::reserve(int records) {
    // A few rows more: the day's deposits then do not move a full ledger.
    constexpr int kDeposits = 8;
    const auto cells = static_cast<std::size_t>(records + kDeposits) * columns_.size();
    kinds_.reserve(cells);
    values_.reserve(cells);
}

Money LedgerTable::runningTotal(int amount, int total, int from) {
    aboutToChange();
    Money running = from > 1 ? value(from - 1, total) : Money();
    if (from > rows_) return running;
    // Row after row by the table's stride: the cells of the first row checked
    // stand for the rest.
    const std::size_t stride = columns_.size();
    for (std::size_t a = at(from, amount), t = at(from, total); t < values_.size();
         a += stride, t += stride) {
        if (kinds_[a] == Cell::Kind::Amount) running += Money::fromRaw(values_[a]);
        kinds_[t] = Cell::Kind::Amount;
        values_[t] = running.raw();
    }
    if (from <= rows_) changed(Change::ValuesChanged, from);
    return running;
}

void LedgerTable::beginLoad() {
    loading_ = true;
}

void LedgerTable::endLoad() {
    loading_ = false;
    changed(Change::Reset, 0);
}

std::vector<std::string> LedgerTable::widestTexts(int c, int from) const {
    std::optional<std::int64_t> most, least;
    int fixedWidth = 0;  // a row with a date, time or position
    const std::size_t stride = columns_.size();
    const int first = std::max(from, 1);
    for (std::size_t r = static_cast<std::size_t>(first),
                     i = first <= rows_ ? at(first, c) : values_.size();
         i < values_.size(); ++r, i += stride) {
        switch (kinds_[i]) {
            case Cell::Kind::Amount:
                if (!most || values_[i] > *most) most = values_[i];
                if (!least || values_[i] < *least) least = values_[i];
                break;
            case Cell::Kind::Day:
            case Cell::Kind::ClockTime:
                if (fixedWidth == 0) fixedWidth = static_cast<int>(r);
                break;
            case Cell::Kind::Position:
                fixedWidth = static_cast<int>(r);  // the last has the most digits
                break;
            case Cell::Kind::Text:
            case Cell::Kind::Expected:
            case Cell::Kind::Empty:
                break;
        }
    }
    std::vector<std::string> out;
    if (most) out.push_back(Money::fromRaw(*most).currencyText());
    if (least && *least != *most) out.push_back(Money::fromRaw(*least).currencyText());
    if (fixedWidth > 0) out.push_back(text(fixedWidth, c));
    return out;
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

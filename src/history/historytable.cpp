#include "history/historytable.h"

#include <algorithm>

#include "core/utf8.h"
#include "ui/chartdata.h"

namespace zm {

namespace {

// Header backgrounds of the kind columns 2 to 6.
constexpr std::array<std::uint32_t, kHistoryKinds> kKindColours = {0xFFFFC0, 0xC0C0FF, 0xFFC0FF,
                                                                   0xC0FFC0, 0xC0FFFF};

std::chrono::year_month monthOf(Date d) {
    return d.year() / d.month();
}

}  // namespace

int monthsBetween(Date from, Date to) {
    const auto months = [](Date d) {
        return static_cast<int>(d.year()) * 12 + static_cast<int>(unsigned(d.month()));
    };
    return months(to) - months(from);
}

void HistoryTable::reset(const ThemeNames& themeNames) {
    const bool days = unit_ == Unit::Day;
    columns_ = {{days ? "日数" : "月数", 700, Align::Centre},
                {days ? "年月日" : "年月", 1900, Align::Centre},
                {"３５６歩", 1190, Align::Right},
                {"小銭清算", 1190, Align::Right}};
    for (const std::string& name : themeNames) {
        columns_.push_back({firstChars(name, 4), 1190, Align::Right});
    }
    columns_.push_back({"合計", 1190, Align::Right});
    columns_.push_back({"累計", 1320, Align::Right});
    kinds_.clear();
    booked_.clear();
    totals_.clear();
    running_.clear();
    topRow_ = 0;
    changed(Change::Reset);
}

std::optional<std::uint32_t> HistoryTable::headerColour(int column) const {
    const int kind = column - kFirstKindColumn;
    if (kind < 0 || kind >= kHistoryKinds) return std::nullopt;
    return kKindColours[static_cast<std::size_t>(kind)];
}

void HistoryTable::startBody(Date first, int rows) {
    first_ = first;
    const auto n = static_cast<std::size_t>(rows);
    kinds_.assign(n, {});
    booked_.assign(n, 0);
    totals_.assign(n, Money());
    running_.assign(n, Money());
}

void HistoryTable::book(int row, int kind, Money amount) {
    const auto r = static_cast<std::size_t>(row - 1);
    const auto k = static_cast<std::size_t>(kind);
    kinds_.at(r)[k] += amount;
    booked_[r] = static_cast<std::uint8_t>(booked_[r] | (1u << k));
}

void HistoryTable::endBody(const std::vector<Money>& totals) {
    Money sum;
    for (std::size_t r = 0; r < totals_.size(); ++r) {
        totals_[r] = totals.at(r);
        sum += totals_[r];
        running_[r] = sum;
    }
    changed(Change::Reset);
}

std::string HistoryTable::text(int row, int column) const {
    if (row == 0) return columns_.at(static_cast<std::size_t>(column)).header;
    const auto r = static_cast<std::size_t>(row - 1);
    switch (column) {
        case 0:
            return std::to_string(row);
        case 1:
            if (unit_ == Unit::Day) return dateText(addDays(first_, row - 1));
            return monthText(monthOf(first_) + std::chrono::months(row - 1));
        case kTotalColumn:
            return totals_.at(r).currencyText();
        case kRunningColumn:
            return running_.at(r).currencyText();
        default: {
            const auto k = static_cast<unsigned>(column - kFirstKindColumn);
            if ((booked_.at(r) & (1u << k)) == 0) return {};
            return kinds_[r][k].currencyText();
        }
    }
}

Money HistoryTable::value(int row, int column) const {
    const auto r = static_cast<std::size_t>(row - 1);
    if (column == kTotalColumn) return totals_.at(r);
    if (column == kRunningColumn) return running_.at(r);
    const int kind = column - kFirstKindColumn;
    if (kind < 0 || kind >= kHistoryKinds) return Money();
    return kinds_.at(r)[static_cast<std::size_t>(kind)];
}

OutTable HistoryTable::out(const std::vector<int>& rows, std::string title) const {
    OutTable table;
    table.title = std::move(title);
    for (const Column& column : columns_) {
        table.header.push_back(column.header);
        table.align.push_back(column.align);
    }
    auto add = [&](int row) {
        const auto r = static_cast<std::size_t>(row - 1);
        std::vector<OutCell>& cells = table.rows.emplace_back();
        cells.reserve(kColumns);
        cells.push_back(OutCell::ofCount(row));
        cells.push_back(unit_ == Unit::Day
                            ? OutCell::ofDay(addDays(first_, row - 1))
                            : OutCell::ofMonth(monthOf(first_) + std::chrono::months(row - 1)));
        for (unsigned k = 0; k < kHistoryKinds; ++k) {
            cells.push_back((booked_.at(r) & (1u << k)) == 0 ? OutCell()
                                                             : OutCell::ofAmount(kinds_[r][k]));
        }
        cells.push_back(OutCell::ofAmount(totals_[r]));
        cells.push_back(OutCell::ofAmount(running_[r]));
    };
    if (rows.empty()) {
        table.rows.reserve(totals_.size());
        for (int row = 1; row <= recordCount(); ++row) add(row);
    } else {
        for (int row : rows) add(row);
    }
    return table;
}

std::string HistoryTable::widestText(int column) const {
    if (recordCount() == 0) return {};
    if (column < kFirstKindColumn) return text(recordCount(), column);
    Money low, high;
    for (int r = 1; r <= recordCount(); ++r) {
        low = std::min(low, value(r, column));
        high = std::max(high, value(r, column));
    }
    std::string a = low.currencyText(), b = high.currencyText();
    return a.size() > b.size() ? a : b;
}

void HistoryTable::scrollToLast() {
    topRow_ = recordCount() == 0 ? 0 : rowCount() - 1;
    changed(Change::TopRow);
}

void HistoryTable::fillChart(ChartData& chart) const {
    const auto n = static_cast<std::size_t>(recordCount());
    const char* unitWord = unit_ == Unit::Day ? "日" : "ヶ月目";
    std::vector<std::string> labels;
    labels.reserve(n);
    std::vector<std::vector<double>> series(1 + kHistoryKinds, std::vector<double>(n));
    for (std::size_t r = 0; r < n; ++r) {
        labels.push_back(std::to_string(r + 1) + unitWord);
        series[0][r] = running_[r].toDouble();
        for (std::size_t k = 0; k < kHistoryKinds; ++k) series[1 + k][r] = kinds_[r][k].toDouble();
    }
    for (std::size_t k = 0; k < kHistoryKinds; ++k) {
        chart.setSeriesName(1 + k, columns_.at(kFirstKindColumn + k).header);
    }
    chart.setData(std::move(labels), std::move(series));
}

void HistoryTable::changed(Change c) {
    lastChange_ = c;
    notify();
}

ChartLook historyChartLook(HistoryTable::Unit unit) {
    ChartLook look;
    look.series.push_back({"累計", true, pageChartLook().series[0].rgb});
    const char* names[kHistoryKinds] = {"３５６歩", "小銭清算", "テーマ１", "テーマ２", "テーマ３"};
    for (std::size_t k = 0; k < kHistoryKinds; ++k) {
        look.series.push_back({names[k], false, kKindColours[k]});
    }
    look.xCaption = unit == HistoryTable::Unit::Day ? "日数" : "月数";
    look.pointUnit = unit == HistoryTable::Unit::Day ? "日" : "か月";
    look.labelTicks = true;
    return look;
}

void bookSources(const HistorySources& sources, HistoryTable& table, std::vector<Money>& totals,
                 const std::function<int(Date)>& rowOf) {
    for (const auto& source : sources.sources()) {
        for (const HistoryEntry& e : *source.entries) {
            const int row = rowOf(e.date);
            if (row < 0) continue;
            table.book(row + 1, source.kind, e.amount);
            totals[static_cast<std::size_t>(row)] += e.amount;
        }
    }
}

}  // namespace zm

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "ui/ledgertable.h"

namespace zm {

// A cell taken out of a table: the value behind what the grid shows, so that
// a copy or a CSV file never has to read a shown text back.
struct OutCell {
    enum class Kind : std::uint8_t { Empty, Text, Amount, Day, Month, ClockTime, Count, Expected };
    Kind kind = Kind::Empty;
    // raw Money units, day number, year*12+month-1, seconds, count, or the
    // value of an Expected cell (ledgertable.h)
    std::int64_t raw = 0;
    std::string text;      // Text only

    static OutCell ofText(std::string t) { return {Kind::Text, 0, std::move(t)}; }
    static OutCell ofAmount(Money m) { return {Kind::Amount, m.raw(), {}}; }
    static OutCell ofDay(Date d);
    static OutCell ofMonth(std::chrono::year_month ym);
    static OutCell ofTime(TimeOfDay t) { return {Kind::ClockTime, t.count(), {}}; }
    static OutCell ofCount(std::int64_t n) { return {Kind::Count, n, {}}; }

    // As the grid shows it: "¥1,234", "2026年01月02日", "2026年01月", "08:30:00".
    std::string shownText() const;
    // As a CSV file holds it: "1234", "2026-01-02", "2026-01", "08:30:00"; a
    // month a goal is expected in as the date of its first day, "2027-04-01",
    // and nothing for a goal reached or not foreseen; a text unchanged.
    std::string plainText() const;
};

// A table as it leaves the program: its header row and the chosen rows.
struct OutTable {
    std::string title;  // the page's title, for file names and reports
    std::vector<std::string> header;
    std::vector<Align> align;  // per column, as the grid aligns it
    std::vector<std::vector<OutCell>> rows;
};

// The records `rows` (1-based, in the given order) of a page's table; every
// record when `rows` is empty.
OutTable outTable(const LedgerTable& table, const std::vector<int>& rows, std::string title);

// Tab-separated, the header row first, the cells as shown, each line ended
// by LF: what a spreadsheet takes from the clipboard's plain text.
std::string toTsv(const OutTable& table);
// The same cells as an HTML table, so that a spreadsheet pastes them into cells.
std::string toHtml(const OutTable& table);
// RFC 4180 in UTF-8 with a byte-order mark and CR LF line ends, the header
// row first. Amounts are plain numbers, dates YYYY-MM-DD, times HH:MM:SS;
// a text a spreadsheet would take for a formula gets a leading apostrophe.
std::string toCsv(const OutTable& table);

// The name offered for a table's file: the title, with characters a file
// name cannot hold replaced, and the date, e.g. "小銭清算_20260102.csv".
std::string outFileName(std::string_view title, Date today, std::string_view extension);

}  // namespace zm

#include "ui/tableexport.h"

#include <cstdio>

namespace zm {

namespace {

std::chrono::year_month monthOf(std::int64_t raw) {
    return std::chrono::year(static_cast<int>(raw / 12)) /
           std::chrono::month(static_cast<unsigned>(raw % 12 + 1));
}

std::string isoDate(std::int64_t dayNo) {
    const Date d = fromDayNumber(dayNo);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

std::string isoMonth(std::int64_t raw) {
    const auto ym = monthOf(raw);
    char buf[24];
    std::snprintf(buf, sizeof buf, "%04d-%02u", static_cast<int>(ym.year()),
                  static_cast<unsigned>(ym.month()));
    return buf;
}

// A tab or a line break inside a cell would break the clipboard's rows.
void appendFlat(std::string& out, const std::string& text) {
    for (char ch : text) out += ch == '\t' || ch == '\r' || ch == '\n' ? ' ' : ch;
}

void appendEscaped(std::string& out, const std::string& text) {
    for (char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
}

// A spreadsheet reads a cell starting with one of these as a formula.
bool looksLikeFormula(const std::string& text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

void appendCsvField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char ch : field) {
        if (ch == '"') out += '"';
        out += ch;
    }
    out += '"';
}

template <class Cells, class Put>
void joinRows(std::string& out, const OutTable& table, Cells&& cellOf, Put&& put,
              std::string_view separator, std::string_view lineEnd) {
    auto line = [&](std::size_t count, auto&& nth) {
        for (std::size_t c = 0; c < count; ++c) {
            if (c > 0) out += separator;
            put(out, nth(c));
        }
        out += lineEnd;
    };
    line(table.header.size(), [&](std::size_t c) { return table.header[c]; });
    for (const auto& row : table.rows) {
        line(row.size(), [&](std::size_t c) { return cellOf(row[c]); });
    }
}

}  // namespace

OutCell OutCell::ofDay(Date d) {
    return {Kind::Day, dayNumber(d), {}};
}

OutCell OutCell::ofMonth(std::chrono::year_month ym) {
    return {Kind::Month,
            static_cast<std::int64_t>(static_cast<int>(ym.year())) * 12 +
                static_cast<std::int64_t>(static_cast<unsigned>(ym.month())) - 1,
            {}};
}

std::string OutCell::shownText() const {
    switch (kind) {
        case Kind::Text:
            return text;
        case Kind::Amount:
            return Money::fromRaw(raw).currencyText();
        case Kind::Day:
            return dateText(fromDayNumber(raw));
        case Kind::Month:
            return monthText(monthOf(raw));
        case Kind::ClockTime:
            return timeText(TimeOfDay(raw));
        case Kind::Count:
            return std::to_string(raw);
        case Kind::Expected:
            return expectedText(raw);
        case Kind::Empty:
            break;
    }
    return {};
}

std::string OutCell::plainText() const {
    switch (kind) {
        case Kind::Amount:
            return Money::fromRaw(raw).plainText();
        case Kind::Day:
            return isoDate(raw);
        case Kind::Month:
            return isoMonth(raw);
        case Kind::Expected:
            return raw < 0 ? std::string() : isoMonth(raw) + "-01";
        case Kind::Text:
        case Kind::ClockTime:
        case Kind::Count:
        case Kind::Empty:
            break;
    }
    return shownText();
}

namespace {

// A cell as its kind takes it out: the value behind it, not its text.
OutCell outCell(const LedgerTable& table, int r, int c) {
    switch (table.kind(r, c)) {
        case Cell::Kind::Text:
            return OutCell::ofText(table.text(r, c));
        case Cell::Kind::Amount:
            return OutCell::ofAmount(table.value(r, c));
        case Cell::Kind::Day:
            return OutCell::ofDay(table.date(r, c));
        case Cell::Kind::ClockTime:
            return OutCell::ofTime(table.time(r, c));
        case Cell::Kind::Position:
            return OutCell::ofCount(r);
        case Cell::Kind::Expected:
            return {OutCell::Kind::Expected, table.expected(r, c), {}};
        case Cell::Kind::Empty:
            break;
    }
    return {};
}

}  // namespace

OutTable outTable(const LedgerTable& table, const std::vector<int>& rows, std::string title) {
    OutTable out;
    out.title = std::move(title);
    for (const Column& column : table.columns()) {
        out.header.push_back(column.header);
        out.align.push_back(column.align);
    }
    const int columns = static_cast<int>(table.columns().size());
    auto add = [&](int r) {
        std::vector<OutCell>& cells = out.rows.emplace_back();
        cells.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            cells.push_back(outCell(table, r, c));
        }
    };
    if (rows.empty()) {
        out.rows.reserve(static_cast<std::size_t>(table.recordCount()));
        for (int r = 1; r <= table.recordCount(); ++r) add(r);
    } else {
        out.rows.reserve(rows.size());
        for (int r : rows) add(r);
    }
    return out;
}

std::string toTsv(const OutTable& table) {
    std::string out;
    joinRows(
        out, table, [](const OutCell& cell) { return cell.shownText(); }, appendFlat, "\t", "\n");
    return out;
}

std::string toHtml(const OutTable& table) {
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n<tr>";
    for (const std::string& h : table.header) {
        out += "<th>";
        appendEscaped(out, h);
        out += "</th>";
    }
    out += "</tr>\n";
    for (const auto& row : table.rows) {
        out += "<tr>";
        for (const OutCell& cell : row) {
            // The number behind an amount, for the spreadsheets that read it.
            if (cell.kind == OutCell::Kind::Amount || cell.kind == OutCell::Kind::Count) {
                out += "<td align=\"right\" sdval=\"" + cell.plainText() + "\">";
            } else {
                out += "<td>";
            }
            appendEscaped(out, cell.shownText());
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table></body></html>\n";
    return out;
}

std::string toCsv(const OutTable& table) {
    std::string out = "\xEF\xBB\xBF";
    out.reserve(64 + table.rows.size() * table.header.size() * 12);
    joinRows(
        out, table,
        [](const OutCell& cell) {
            if (cell.kind == OutCell::Kind::Text && looksLikeFormula(cell.text)) {
                return "'" + cell.text;
            }
            return cell.plainText();
        },
        appendCsvField, ",", "\r\n");
    return out;
}

std::string outFileName(std::string_view title, Date today, std::string_view extension) {
    std::string name;
    for (char ch : title) {
        const bool bad = static_cast<unsigned char>(ch) < 0x20 ||
                         std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos;
        name += bad ? '_' : ch;
    }
    if (name.empty() || name.front() == '.') name.insert(0, "_");
    char date[16];
    std::snprintf(date, sizeof date, "_%04d%02u%02u", static_cast<int>(today.year()),
                  static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
    return name + date + std::string(extension);
}

}  // namespace zm

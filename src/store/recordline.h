#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/money.h"

namespace zm {

// One raw field of a line: its text and whether it stood in double quotes.
struct RawField {
    std::string text;
    bool quoted = false;
};

// Splits one line (without its line end) into fields: blanks before a field
// are skipped; a quoted field runs to the next double quote (commas inside
// belong to it); any other field runs to the next comma, trailing blanks cut.
std::vector<RawField> splitRecordLine(std::string_view line);

// Builds one line of a data file: strings quoted, numbers plain, fields
// separated by single commas. text() has no line end; the writer adds CR LF.
class RecordLine {
public:
    RecordLine& str(std::string_view s);
    RecordLine& money(Money m);
    RecordLine& integer(std::int64_t n);
    RecordLine& number(double d);
    const std::string& text() const { return text_; }

private:
    void comma();
    std::string text_;
};

// A parsed record, its fields checked against a shape (see DataFolder::read).
struct Record {
    int line = 0;                      // 1-based line in the file
    std::vector<std::string> strings;  // the text of every field
    std::vector<Money> moneys;         // per field: the amount ('m'), else 0
    std::vector<double> numbers;       // per field: the number ('i', 'n'), else 0

    const std::string& str(std::size_t i) const { return strings[i]; }
    Money money(std::size_t i) const { return moneys[i]; }
    std::int64_t integer(std::size_t i) const { return static_cast<std::int64_t>(numbers[i]); }
    double number(std::size_t i) const { return numbers[i]; }
};

}  // namespace zm

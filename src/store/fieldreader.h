#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/money.h"
#include "store/cp932.h"
#include "store/decodedstrings.h"
#include "store/fileerror.h"
#include "store/foreachline.h"
#include "store/splitfields.h"

namespace zm {

// Reads the fields of one line of a data file, checking each as it goes: of
// decoded text, or of the file's own bytes, where only strings need decoding
// (dates, times and amounts are ASCII and the marks of a date). Every fault
// is a FileError naming the file and the line; read from the bytes, a fault
// is only a sign to read the decoded text instead, which names it.
class FieldReader {
public:
    // The most fields a line of any data file has.
    static constexpr int kMaxFields = 3;

    // Splits `text`, the line numbered `line` of the file `file`, into
    // exactly `count` fields. `codePage`: the line is the file's bytes, and
    // its strings are decoded through these; nullptr for decoded text.
    FieldReader(std::string_view file, int line, std::string_view text, int count,
                DecodedStrings* codePage = nullptr);

    Date date(int i) const;
    TimeOfDay time(int i) const;
    Money money(int i) const;
    std::string str(int i) const;
    // A plain decimal number, with a sign and an exponent if need be.
    double number(int i) const;
    // number() rounded to a whole one.
    std::int64_t integer(int i) const;

    // integer() from `lowest` to `highest`; beyond, a fault saying `beyond`
    // and the field.
    int integerWithin(int i, int lowest, int highest, std::string_view beyond) const;

    int line() const { return line_; }
    [[noreturn]] void fail(std::string reason) const;

private:
    std::string_view text(int i) const { return fields_[i].text; }
    std::string_view file_;
    int line_;
    FieldView fields_[kMaxFields];
    DecodedStrings* codePage_;
    const DateMarks* marks_;
};

// Calls f(fields) for every line of decoded text that is not blank, each
// read as `count` fields.
template <class F>
void forEachRecord(std::string_view file, std::string_view text, int count, F&& f) {
    forEachLine(text, [&](int line, std::string_view fields) {
        f(FieldReader(file, line, fields, count));
    });
}

// The reader of the first record of decoded text, as a file of one value
// holds it, once every line has been read as `count` fields and checked by
// `check`. A text without records is a FileError saying `missing`.
template <class F>
FieldReader firstRecord(std::string_view file, std::string_view text, int count,
                        std::string_view missing, F&& check) {
    std::optional<FieldReader> first;
    forEachRecord(file, text, count, [&](const FieldReader& fields) {
        check(fields);
        if (!first) first = fields;
    });
    if (!first) throw FileError(std::string(file), 0, std::string(missing));
    return *first;
}

}  // namespace zm

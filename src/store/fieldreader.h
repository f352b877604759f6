#pragma once

#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/money.h"
#include "store/cp932.h"
#include "store/decodedstrings.h"
#include "store/recordline.h"

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

}  // namespace zm

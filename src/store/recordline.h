#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "core/datetime.h"
#include "core/money.h"

namespace zm {

// One field of a line, a view into the line: its text and whether it stood
// in double quotes.
struct FieldView {
    std::string_view text;
    bool quoted = false;
};

// The longest string field a data file may hold, in characters: far beyond
// any name a person types, short enough that a damaged file cannot freeze a
// page. The reader and every input check use this one limit, so nothing the
// program writes is refused when it is read back.
inline constexpr std::size_t kMaxFieldChars = 4096;

// True when the text is no longer than a string field may be.
bool fitsFieldLength(std::string_view utf8);

// Where the first `mark` or control character stands in `text` (a tab is
// no control character here: it counts as a blank), or text.size(). Neither
// byte of a double-byte character in the code page is either.
std::size_t findMarkOrControl(std::string_view text, char mark);

// Splits one line (without its line end) into fields: blanks before a field
// are skipped; a quoted field runs to the next double quote (commas inside
// belong to it) and only blanks may follow it before the comma or the line's
// end; any other field runs to the next comma, trailing blanks cut, and
// holds no double quote. Stores at
// most `cap` fields in `out` and returns how many the line has; on a malformed
// line returns -1 and says why in `error`.
int splitFields(std::string_view line, FieldView* out, int cap, std::string& error);

// A short piece of a field for an error message: a damaged field can be huge.
std::string excerpt(std::string_view text);

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

// A short text's bytes hashed a word at a time, for the names a ledger
// repeats: the standard hash walks them byte by byte.
struct ShortTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const;
};

// Whole lines of a data file made straight in the code page's bytes from the
// values: the bytes RecordLine's text would encode to, each line ended by
// CR LF, without the text in between. A string the code page cannot carry
// makes the whole result fail (ok() false).
class Cp932Lines {
public:
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    Cp932Lines& str(std::string_view utf8);
    Cp932Lines& date(Date d);       // quoted, as str(dateText(d))
    Cp932Lines& time(TimeOfDay t);  // quoted, as str(timeText(t))
    Cp932Lines& money(Money m);
    void endLine();

    bool ok() const { return ok_; }
    const std::string& bytes() const { return bytes_; }

private:
    void comma();
    std::string bytes_;
    bool lineStarted_ = false;
    bool ok_ = true;
    // Where each string met so far stands encoded in bytes_: a ledger names
    // the same items again and again. Held to a few thousand names.
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>, ShortTextHash,
                       std::equal_to<>>
        encoded_;
};

}  // namespace zm

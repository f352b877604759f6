#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zm {

// One field of a line, a view into the line: its text and whether it stood
// in double quotes.
struct FieldView {
    std::string_view text;
    bool quoted = false;
};

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

}  // namespace zm

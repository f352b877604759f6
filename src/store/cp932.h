#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm {

// CP932 (the Windows Japanese code page) <-> UTF-8, through iconv.
// nullopt when the text cannot be converted.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
// utf8ToCp932() appended to `out`; false, `out` as it was, when it fails.
bool appendCp932(std::string& out, std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);
// Whether cp932ToUtf8() succeeds, without the text.
bool isCp932(std::string_view cp932);
// The number of characters cp932ToUtf8() gives, without the text; nullopt
// where it fails.
std::optional<std::size_t> cp932CharCount(std::string_view cp932);

// The marks of a date text, 年, 月 and 日, in the code page.
struct DateMarks {
    std::string year, month, day;
};
const DateMarks& cp932DateMarks();

// True when a data file can carry the text as one string field: it converts
// to CP932 and holds no double quote, no line break and no other control
// character but the tab. The length is checked on its own (kMaxFieldChars).
bool fitsStringField(std::string_view utf8);

}  // namespace zm

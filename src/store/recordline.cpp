#include "store/recordline.h"

#include <charconv>

namespace zm {

void RecordLine::comma() {
    if (!text_.empty()) {
        text_ += ',';
    } else {
        text_.reserve(64);  // room for a whole ledger line at once
    }
}

RecordLine& RecordLine::str(std::string_view s) {
    comma();
    text_ += '"';
    text_ += s;
    text_ += '"';
    return *this;
}

RecordLine& RecordLine::money(Money m) {
    comma();
    text_ += m.plainText();
    return *this;
}

RecordLine& RecordLine::integer(std::int64_t n) {
    comma();
    text_ += std::to_string(n);
    return *this;
}

RecordLine& RecordLine::number(double d) {
    comma();
    if (d == 0.0) d = 0.0;  // no "-0"
    // Shortest form that reads back as the same double, never with an exponent.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    text_.append(buf, res.ptr);
    return *this;
}

}  // namespace zm

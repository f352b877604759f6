#include "store/cp932lines.h"

#include <cstring>

#include "store/cp932.h"

namespace zm {

void Cp932Lines::comma() {
    if (lineStarted_) bytes_ += ',';
    lineStarted_ = true;
}

Cp932Lines& Cp932Lines::str(std::string_view utf8) {
    constexpr std::size_t kRemembered = 4096;
    comma();
    bytes_ += '"';
    const std::size_t start = bytes_.size();
    const auto known = encoded_.find(utf8);
    if (known != encoded_.end()) {
        const auto [from, size] = known->second;
        bytes_.resize(start + size);
        std::memcpy(bytes_.data() + start, bytes_.data() + from, size);
    } else if (!appendCp932(bytes_, utf8)) {
        ok_ = false;
    } else if (encoded_.size() < kRemembered) {
        encoded_.emplace(utf8, std::pair(start, bytes_.size() - start));
    }
    bytes_ += '"';
    return *this;
}

// A field of a fixed most size, with its comma and quotes, goes in with one
// append: a full ledger is tens of thousands of them.
template <class Put>
void Cp932Lines::field(bool quoted, Put put) {
    char buf[48];
    char* p = buf;
    if (lineStarted_) *p++ = ',';
    lineStarted_ = true;
    if (quoted) *p++ = '"';
    p = put(p);
    if (quoted) *p++ = '"';
    bytes_.append(buf, static_cast<std::size_t>(p - buf));
}

Cp932Lines& Cp932Lines::date(Date d) {
    static const DateMarks& marks = cp932DateMarks();
    static_assert(kDateTextRoom + 3 <= 48);
    char text[kDateTextRoom];
    const char* end = putDateText(text, d, marks.year, marks.month, marks.day);
    if (!end) return str(dateText(d));  // a year of another width: the long way
    field(true, [&](char* p) {
        const auto size = static_cast<std::size_t>(end - text);
        std::memcpy(p, text, size);
        return p + size;
    });
    return *this;
}

Cp932Lines& Cp932Lines::time(TimeOfDay t) {
    field(true, [t](char* p) { return putTimeText(p, t); });
    return *this;
}

Cp932Lines& Cp932Lines::money(Money m) {
    static_assert(Money::kPlainTextRoom + 1 <= 48);
    field(false, [m](char* p) { return m.putPlainText(p); });
    return *this;
}

void Cp932Lines::endLine() {
    bytes_ += "\r\n";
    lineStarted_ = false;
}

}  // namespace zm

#include "store/cp932lines.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "store/cp932.h"

namespace zm {

// The most a field of fixed width takes with its comma and quotes.
constexpr std::size_t kFieldRoom = 48;

void Cp932Lines::reserve(std::size_t bytes) {
    if (buffer_.size() < bytes) buffer_.resize(bytes);
}

void Cp932Lines::grow(std::size_t bytes) {
    buffer_.resize(std::max(buffer_.size() * 2, size_ + bytes + 256));
}

char* Cp932Lines::fieldStart() {
    char* p = room(kFieldRoom);
    if (lineStarted_) *p++ = ',';
    lineStarted_ = true;
    return p;
}

Cp932Lines& Cp932Lines::str(std::string_view utf8) {
    constexpr std::size_t kRemembered = 4096;
    const auto known = encoded_.find(utf8);
    std::string encoded;
    std::size_t from = 0, size = 0;
    if (known != encoded_.end()) {
        std::tie(from, size) = known->second;
    } else if (appendCp932(encoded, utf8)) {
        size = encoded.size();
    } else {
        ok_ = false;
    }
    char* p = room(size + 3);
    if (lineStarted_) *p++ = ',';
    lineStarted_ = true;
    *p++ = '"';
    const auto start = static_cast<std::size_t>(p - buffer_.data());
    std::memcpy(p, known != encoded_.end() ? buffer_.data() + from : encoded.data(), size);
    p += size;
    *p++ = '"';
    size_ = static_cast<std::size_t>(p - buffer_.data());
    if (known == encoded_.end() && ok_ && encoded_.size() < kRemembered) {
        encoded_.emplace(utf8, std::pair(start, size));
    }
    return *this;
}

Cp932Lines& Cp932Lines::date(Date d) {
    static const DateMarks& marks = cp932DateMarks();
    static_assert(kDateTextRoom + 3 <= kFieldRoom);
    const bool started = lineStarted_;
    char* p = fieldStart();
    *p++ = '"';
    p = putDateText(p, d, marks.year, marks.month, marks.day);
    if (!p) {  // a year of another width: the long way
        lineStarted_ = started;
        return str(dateText(d));
    }
    *p++ = '"';
    size_ = static_cast<std::size_t>(p - buffer_.data());
    return *this;
}

Cp932Lines& Cp932Lines::time(TimeOfDay t) {
    char* p = fieldStart();
    *p++ = '"';
    p = putTimeText(p, t);
    *p++ = '"';
    size_ = static_cast<std::size_t>(p - buffer_.data());
    return *this;
}

Cp932Lines& Cp932Lines::money(Money m) {
    static_assert(Money::kPlainTextRoom + 1 <= kFieldRoom);
    char* p = fieldStart();
    size_ = static_cast<std::size_t>(m.putPlainText(p) - buffer_.data());
    return *this;
}

void Cp932Lines::endLine() {
    std::memcpy(room(2), "\r\n", 2);
    size_ += 2;
    lineStarted_ = false;
}

}  // namespace zm

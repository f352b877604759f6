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

Cp932Lines& Cp932Lines::date(Date d) {
    static const DateMarks& marks = cp932DateMarks();
    const std::size_t start = bytes_.size();
    const bool started = lineStarted_;
    comma();
    bytes_ += '"';
    if (!appendDateText(bytes_, d, marks.year, marks.month, marks.day)) {
        bytes_.resize(start);  // a year of another width: the long way
        lineStarted_ = started;
        return str(dateText(d));
    }
    bytes_ += '"';
    return *this;
}

Cp932Lines& Cp932Lines::time(TimeOfDay t) {
    comma();
    bytes_ += '"';
    appendTimeText(bytes_, t);
    bytes_ += '"';
    return *this;
}

Cp932Lines& Cp932Lines::money(Money m) {
    comma();
    m.appendPlainText(bytes_);
    return *this;
}

void Cp932Lines::endLine() {
    bytes_ += "\r\n";
    lineStarted_ = false;
}

}  // namespace zm

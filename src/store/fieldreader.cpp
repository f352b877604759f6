#include "store/fieldreader.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "store/fieldlength.h"
#include "store/fileerror.h"
#include "store/splitfields.h"

namespace zm {

namespace {

// A plain decimal number, optionally with a sign and an exponent; no "inf", "nan" or blanks.
std::optional<double> parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("-0123456789.eE+") != std::string_view::npos)
        return std::nullopt;
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

FieldReader::FieldReader(std::string_view file, int line, std::string_view text, int count,
                         DecodedStrings* codePage)
    : file_(file),
      line_(line),
      codePage_(codePage),
      marks_(codePage ? &cp932DateMarks() : nullptr) {
    if (count > kMaxFields) throw std::invalid_argument("more fields than any data file has");
    std::string error;
    const int n = splitFields(text, fields_, count, error);
    if (n < 0) fail(error);
    if (n != count) {
        fail("項目の数が違います（" + std::to_string(count) + " 個のはずが " + std::to_string(n) +
             " 個）");
    }
}

Date FieldReader::date(int i) const {
    const auto d = marks_ ? parseDateText(text(i), marks_->year, marks_->month, marks_->day)
                          : parseDateText(text(i));
    if (!d) fail("日付が正しくありません：" + excerpt(text(i)));
    return *d;
}

TimeOfDay FieldReader::time(int i) const {
    const auto t = parseTimeText(text(i));
    if (!t) fail("時刻が正しくありません：" + excerpt(text(i)));
    return *t;
}

Money FieldReader::money(int i) const {
    const auto m = fields_[i].quoted ? std::nullopt : parsePlainMoney(text(i));
    if (!m) fail("金額が数値ではありません：" + excerpt(text(i)));
    return *m;
}

std::string FieldReader::str(int i) const {
    if (!codePage_) return std::string(text(i));
    std::string out;
    if (!codePage_->decode(text(i), out)) fail("");
    return out;
}

double FieldReader::number(int i) const {
    const auto v = fields_[i].quoted ? std::nullopt : parseNumber(text(i));
    if (!v || !std::isfinite(*v)) fail("数値ではありません：" + excerpt(text(i)));
    return *v;
}

std::int64_t FieldReader::integer(int i) const {
    // Halves go to the even neighbour, as the old program's integer conversion did.
    const double whole = std::nearbyint(number(i));
    if (!(std::fabs(whole) < 9223372036854775808.0))
        fail("数値が大きすぎます：" + excerpt(text(i)));
    return static_cast<std::int64_t>(whole);
}

int FieldReader::integerWithin(int i, int lowest, int highest, std::string_view beyond) const {
    const std::int64_t value = integer(i);
    if (value < lowest || value > highest) fail(std::string(beyond) + excerpt(text(i)));
    return static_cast<int>(value);
}

void FieldReader::fail(std::string reason) const {
    throw FileError(std::string(file_), line_, std::move(reason));
}

}  // namespace zm

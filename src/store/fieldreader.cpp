#include "store/fieldreader.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "store/fileerror.h"

namespace zm {

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

void FieldReader::fail(std::string reason) const {
    throw FileError(std::string(file_), line_, std::move(reason));
}

}  // namespace zm

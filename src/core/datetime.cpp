#include "core/datetime.h"

#include <cstdio>
#include <ctime>

namespace zm {

namespace {

// The number of `len` ASCII digits at pos, or -1.
int digitsAt(std::string_view text, std::size_t pos, std::size_t len) {
    int v = 0;
    for (std::size_t i = pos; i < pos + len; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

// `v` as exactly `width` decimal digits, zeros in front.
void putDigits(std::string& out, unsigned v, int width) {
    char digits[8];
    for (int i = width - 1; i >= 0; --i, v /= 10) digits[i] = static_cast<char>('0' + v % 10);
    out.append(digits, static_cast<std::size_t>(width));
}

constexpr std::string_view kYear = "年";
constexpr std::string_view kMonth = "月";
constexpr std::string_view kDay = "日";

}  // namespace

std::string dateText(Date d) {
    // Digit by digit: a full ledger is written and shown with tens of
    // thousands of these.
    const int y = static_cast<int>(d.year());
    if (y < 0 || y > 9999) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%04d年%02u月%02u日", y, static_cast<unsigned>(d.month()),
                      static_cast<unsigned>(d.day()));
        return buf;
    }
    std::string out;
    out.reserve(17);
    putDigits(out, static_cast<unsigned>(y), 4);
    out += kYear;
    putDigits(out, static_cast<unsigned>(d.month()), 2);
    out += kMonth;
    putDigits(out, static_cast<unsigned>(d.day()), 2);
    out += kDay;
    return out;
}

std::optional<Date> parseDateText(std::string_view text) {
    // "YYYY" 年 "MM" 月 "DD" 日, the marks three bytes each in UTF-8.
    if (text.size() != 4 + 3 + 2 + 3 + 2 + 3) return std::nullopt;
    if (text.substr(4, 3) != kYear || text.substr(9, 3) != kMonth || text.substr(14, 3) != kDay)
        return std::nullopt;
    const int y = digitsAt(text, 0, 4);
    const int m = digitsAt(text, 7, 2);
    const int d = digitsAt(text, 12, 2);
    if (y < 0 || m < 0 || d < 0) return std::nullopt;
    const Date date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                    std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string timeText(TimeOfDay t) {
    long long s = t.count() % 86400;
    if (s < 0) s += 86400;
    std::string out;
    putDigits(out, static_cast<unsigned>(s / 3600), 2);
    out += ':';
    putDigits(out, static_cast<unsigned>(s / 60 % 60), 2);
    out += ':';
    putDigits(out, static_cast<unsigned>(s % 60), 2);
    return out;
}

std::optional<TimeOfDay> parseTimeText(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
    const int h = digitsAt(text, 0, 2);
    const int m = digitsAt(text, 3, 2);
    const int s = digitsAt(text, 6, 2);
    if (h < 0 || h >= 24 || m < 0 || m >= 60 || s < 0 || s >= 60) return std::nullopt;
    return TimeOfDay{h * 3600 + m * 60 + s};
}

std::string monthText(std::chrono::year_month ym) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d年%02u月", static_cast<int>(ym.year()),
                  static_cast<unsigned>(ym.month()));
    return buf;
}

int daysBetween(Date from, Date to) {
    return static_cast<int>((std::chrono::sys_days(to) - std::chrono::sys_days(from)).count());
}

Date addDays(Date d, int days) {
    return Date(std::chrono::sys_days(d) + std::chrono::days(days));
}

namespace {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
}

}  // namespace

Moment SystemClock::moment() const {
    const std::tm tm = localNow();
    const int sec = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second still belongs to its minute
    return {Date{std::chrono::year{tm.tm_year + 1900},
                 std::chrono::month{static_cast<unsigned>(tm.tm_mon + 1)},
                 std::chrono::day{static_cast<unsigned>(tm.tm_mday)}},
            TimeOfDay(tm.tm_hour * 3600 + tm.tm_min * 60 + sec)};
}

}  // namespace zm

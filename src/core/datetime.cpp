#include "core/datetime.h"

#include <array>
#include <cstdio>
#include <cstring>
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

// "00" to "99" in a row: two digits at a time.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// `v` as exactly `width` decimal digits, zeros in front, written at p; the
// end of what was written. Two digits at a time: a deletion rewrites tens
// of thousands of dates and times.
char* putDigits(char* p, unsigned v, int width) {
    int i = width;
    for (; i >= 2; i -= 2, v /= 100) {
        std::memcpy(p + i - 2, kDigitPairs.data() + 2 * (v % 100), 2);
    }
    if (i == 1) p[0] = static_cast<char>('0' + v % 10);
    return p + width;
}

constexpr std::string_view kYear = "年";
constexpr std::string_view kMonth = "月";
constexpr std::string_view kDay = "日";

}  // namespace

std::string dateText(Date d) {
    // Digit by digit: a full ledger is written and shown with tens of
    // thousands of these.
    std::string out;
    out.reserve(17);
    if (appendDateText(out, d, kYear, kMonth, kDay)) return out;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d年%02u月%02u日", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

bool appendDateText(std::string& out, Date d, std::string_view year, std::string_view month,
                    std::string_view day) {
    // Made in place and appended once: a full ledger writes tens of thousands.
    char buf[kDateTextRoom];
    const char* end = putDateText(buf, d, year, month, day);
    if (!end) return false;
    out.append(buf, static_cast<std::size_t>(end - buf));
    return true;
}

char* putDateText(char* p, Date d, std::string_view year, std::string_view month,
                  std::string_view day) {
    const int y = static_cast<int>(d.year());
    if (y < 0 || y > 9999) return nullptr;
    // Marks take four bytes at most, in any encoding.
    if (year.size() > 4 || month.size() > 4 || day.size() > 4) return nullptr;
    const auto mark = [&p](std::string_view m) {
        if (m.size() == 2) {  // the code page's: a copy of fixed size, inlined
            std::memcpy(p, m.data(), 2);
        } else {
            std::memcpy(p, m.data(), m.size());
        }
        p += m.size();
    };
    p = putDigits(p, static_cast<unsigned>(y), 4);
    mark(year);
    p = putDigits(p, static_cast<unsigned>(d.month()), 2);
    mark(month);
    p = putDigits(p, static_cast<unsigned>(d.day()), 2);
    mark(day);
    return p;
}

std::optional<Date> parseDateText(std::string_view text) {
    return parseDateText(text, kYear, kMonth, kDay);
}

std::optional<Date> parseDateText(std::string_view text, std::string_view year,
                                  std::string_view month, std::string_view day) {
    // "YYYY" year "MM" month "DD" day.
    const std::size_t m = 4 + year.size();
    const std::size_t d = m + 2 + month.size();
    if (text.size() != d + 2 + day.size()) return std::nullopt;
    // Byte by byte: the marks are short, and a ledger has tens of thousands of dates.
    const auto markAt = [text](std::size_t at, std::string_view mark) {
        for (std::size_t i = 0; i < mark.size(); ++i) {
            if (text[at + i] != mark[i]) return false;
        }
        return true;
    };
    if (!markAt(4, year) || !markAt(m + 2, month) || !markAt(d + 2, day)) return std::nullopt;
    const int yy = digitsAt(text, 0, 4);
    const int mm = digitsAt(text, m, 2);
    const int dd = digitsAt(text, d, 2);
    if (yy < 0 || mm < 0 || dd < 0) return std::nullopt;
    const Date date{std::chrono::year{yy}, std::chrono::month{static_cast<unsigned>(mm)},
                    std::chrono::day{static_cast<unsigned>(dd)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string timeText(TimeOfDay t) {
    std::string out;
    appendTimeText(out, t);
    return out;
}

void appendTimeText(std::string& out, TimeOfDay t) {
    char buf[8];
    out.append(buf, static_cast<std::size_t>(putTimeText(buf, t) - buf));
}

char* putTimeText(char* p, TimeOfDay t) {
    long long s = t.count() % 86400;
    if (s < 0) s += 86400;
    p = putDigits(p, static_cast<unsigned>(s / 3600), 2);
    *p++ = ':';
    p = putDigits(p, static_cast<unsigned>(s / 60 % 60), 2);
    *p++ = ':';
    return putDigits(p, static_cast<unsigned>(s % 60), 2);
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

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

using Date = std::chrono::year_month_day;
using TimeOfDay = std::chrono::seconds;  // since midnight, 0 .. 86399

// "2005年01月01日"
std::string dateText(Date d);
// The digits of dateText() with the given marks for 年, 月 and 日 (the same
// characters in another encoding, four bytes each at most), appended to
// `out`; false for a year beyond 0 .. 9999, which has no fixed width.
bool appendDateText(std::string& out, Date d, std::string_view year, std::string_view month,
                    std::string_view day);
// The same written at `out`, which has room for kDateTextRoom bytes; returns
// the end of what was written, or nullptr where appendDateText() fails.
inline constexpr std::size_t kDateTextRoom = 4 + 2 + 2 + 3 * 4;
char* putDateText(char* out, Date d, std::string_view year, std::string_view month,
                  std::string_view day);
// Parses exactly "YYYY年MM月DD日" into a valid calendar date.
std::optional<Date> parseDateText(std::string_view text);
// The same with the given marks for 年, 月 and 日, as appendDateText() writes them.
std::optional<Date> parseDateText(std::string_view text, std::string_view year,
                                  std::string_view month, std::string_view day);
// "09:26:01"
std::string timeText(TimeOfDay t);
void appendTimeText(std::string& out, TimeOfDay t);
// The same 8 bytes written at `out`; returns their end.
char* putTimeText(char* out, TimeOfDay t);
// Accepts exactly "HH:MM:SS" on the 24-hour clock.
std::optional<TimeOfDay> parseTimeText(std::string_view text);
inline bool isTimeText(std::string_view text) {
    return parseTimeText(text).has_value();
}
// "2005年01月"
std::string monthText(std::chrono::year_month ym);

// Calendar-day boundaries from `from` to `to` (negative when `to` is earlier).
int daysBetween(Date from, Date to);
Date addDays(Date d, int days);
// Days since 1970-01-01, and back: a date kept as one number.
inline std::int64_t dayNumber(Date d) {
    return std::chrono::sys_days(d).time_since_epoch().count();
}
inline Date fromDayNumber(std::int64_t n) {
    return Date(std::chrono::sys_days(std::chrono::days(n)));
}

// A date and a time of day read together.
struct Moment {
    Date date{};
    TimeOfDay time{};
};

// Today's date and the time of day; tests use a set clock. A record takes its
// date and time from one moment(), so the two cannot straddle midnight.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Moment moment() const = 0;
    Date today() const { return moment().date; }
    TimeOfDay now() const { return moment().time; }
};

class SystemClock final : public Clock {
public:
    Moment moment() const override;
};

class FixedClock final : public Clock {
public:
    FixedClock(Date d, TimeOfDay t) : date_(d), time_(t) {}
    Moment moment() const override { return {date_, time_}; }
    void set(Date d, TimeOfDay t) {
        date_ = d;
        time_ = t;
    }

private:
    Date date_;
    TimeOfDay time_;
};

}  // namespace zm

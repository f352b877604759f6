#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

using Date = std::chrono::year_month_day;
using TimeOfDay = std::chrono::seconds;  // since midnight, 0 .. 86399

// "2005年01月01日"
std::string dateText(Date d);
// Parses exactly "YYYY年MM月DD日" into a valid calendar date.
std::optional<Date> parseDateText(std::string_view text);
// "09:26:01"
std::string timeText(TimeOfDay t);
// Accepts exactly "HH:MM:SS" on the 24-hour clock.
bool isTimeText(std::string_view text);
// "2005年01月"
std::string monthText(std::chrono::year_month ym);

// Calendar-day boundaries from `from` to `to` (negative when `to` is earlier).
int daysBetween(Date from, Date to);
Date addDays(Date d, int days);

// Today's date and the time of day; tests use a set clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
    virtual TimeOfDay now() const = 0;
};

class SystemClock final : public Clock {
public:
    Date today() const override;
    TimeOfDay now() const override;
};

class FixedClock final : public Clock {
public:
    FixedClock(Date d, TimeOfDay t) : date_(d), time_(t) {}
    Date today() const override { return date_; }
    TimeOfDay now() const override { return time_; }
    void set(Date d, TimeOfDay t) {
        date_ = d;
        time_ = t;
    }

private:
    Date date_;
    TimeOfDay time_;
};

}  // namespace zm

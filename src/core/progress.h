#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"

namespace zm {

// The pace at which the savings grow: what was put aside over the 90 days up
// to today (from 89 days before it), divided by 90. A deposit dated after
// today or before those days counts nothing; a negative one counts as it is.
class RecentPace {
public:
    static constexpr int kDays = 90;

    explicit RecentPace(Date today);
    void add(std::int64_t day, Money amount) {
        if (day >= first_ && day <= last_) total_ += amount;
    }
    void add(Date date, Money amount) { add(dayNumber(date), amount); }

    // The sum of the 90 days.
    Money total() const { return total_; }
    // The pace per day, rounded half up to whole yen.
    Money perDayInYen() const;
    // The day at which `missing` more has been saved at this pace: today
    // plus the missing amount divided by the pace, rounded up to whole days.
    // nullopt when the pace is not above zero, or the day lies past 9999.
    std::optional<Date> reaching(Money missing) const;

private:
    std::int64_t first_, last_;
    Money total_;
};

// The 365-step run at a glance.
struct RunProgress {
    int percent = 0;  // of the target days, rounded down, at most 100
    int day = 0;      // the day of the run its last deposit paid up to
    int target = 0;
    int streak = 0;   // days in a row with a deposit, up to today (or yesterday)
    int longest = 0;  // the longest such days in a row
};

// From the day numbers (dayNumber()) of the run's records, in ledger order:
// day 1 is the date of the first record, and each deposit pays every day up
// to its own. The streak ends today, or yesterday while today's deposit is
// not made yet.
RunProgress runProgress(std::vector<std::int64_t> days, int targetDays, Date today);

}  // namespace zm

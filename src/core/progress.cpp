#include "core/progress.h"

#include <algorithm>

namespace zm {

namespace {

constexpr Date kLastDay{std::chrono::year{9999}, std::chrono::December, std::chrono::day{31}};

// Products of amounts and days fit only in 128 bits.
__extension__ using Wide = __int128;

// a / b rounded towards minus infinity, b > 0.
Wide floorDiv(Wide a, Wide b) {
    const Wide q = a / b;
    return q * b > a ? q - 1 : q;
}

}  // namespace

RecentPace::RecentPace(Date today)
    : first_(dayNumber(today) - (kDays - 1)), last_(dayNumber(today)) {}

Money RecentPace::perDayInYen() const {
    // total / 90 in yen, halves up: floor(total / 90 + 1/2).
    const Wide unit = static_cast<Wide>(kDays) * Money::kScale;
    const Wide yen = floorDiv(2 * static_cast<Wide>(total_.raw()) + unit, 2 * unit);
    return Money::fromYen(static_cast<std::int64_t>(yen));
}

std::optional<Date> RecentPace::reaching(Money missing) const {
    if (total_ <= Money()) return std::nullopt;
    if (missing <= Money()) return fromDayNumber(last_);
    // missing / (total / 90), rounded up.
    const Wide scaled = static_cast<Wide>(missing.raw()) * kDays;
    const Wide days = -floorDiv(-scaled, total_.raw());
    if (days > dayNumber(kLastDay) - last_) return std::nullopt;
    return fromDayNumber(last_ + static_cast<std::int64_t>(days));
}

RunProgress runProgress(std::vector<std::int64_t> days, int targetDays, Date today) {
    RunProgress p;
    p.target = targetDays;
    if (days.empty()) return p;
    p.day = static_cast<int>(std::max<std::int64_t>(0, days.back() - days.front() + 1));
    if (targetDays > 0) {
        p.percent = static_cast<int>(
            std::min<std::int64_t>(100, static_cast<std::int64_t>(p.day) * 100 / targetDays));
    }

    // Runs of calendar days, each day once. A ledger is in date order but
    // for the odd record: only what follows the order is sorted, then merged.
    const auto unsorted = std::is_sorted_until(days.begin(), days.end());
    std::sort(unsorted, days.end());
    std::inplace_merge(days.begin(), unsorted, days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    const std::int64_t t = dayNumber(today);
    const bool todayPaid = std::binary_search(days.begin(), days.end(), t);
    const std::int64_t end = todayPaid ? t : t - 1;
    int run = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        run = i > 0 && days[i] == days[i - 1] + 1 ? run + 1 : 1;
        p.longest = std::max(p.longest, run);
        if (days[i] == end) p.streak = run;
    }
    return p;
}

}  // namespace zm

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"

namespace zm {
namespace {

constexpr Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

struct Deposit {
    Date date;
    Money amount;
};

TEST(Progress, PaceAndTheDayAGoalIsReached) {
    const Money yen1 = Money::fromYen(1);
    const struct {
        const char* what;
        Date today;
        std::vector<Deposit> deposits;
        Money missing;
        Money perDay;
        std::optional<Date> reached;
    } cases[] = {
        {"nothing saved", ymd(2026, 3, 5), {}, Money::fromYen(100), Money(), std::nullopt},
        {"the 90 days exactly: the 90th day before today counts nothing",
         ymd(2026, 3, 31),
         {{ymd(2026, 1, 1), Money::fromYen(900)},  // 89 days before: in
          {ymd(2025, 12, 31), Money::fromYen(9000)},
          {ymd(2026, 3, 31), Money::fromYen(900)}},
         Money::fromYen(200), Money::fromYen(20), ymd(2026, 4, 10)},
        {"a deposit dated after today counts nothing",
         ymd(2026, 3, 5),
         {{ymd(2026, 3, 6), Money::fromYen(9000)}, {ymd(2026, 3, 5), Money::fromYen(90)}},
         Money::fromYen(3), yen1, ymd(2026, 3, 8)},
        {"halves round up, the days round up",
         ymd(2026, 3, 5),
         {{ymd(2026, 3, 1), Money::fromYen(135)}},  // 1.5 a day
         Money::fromYen(4), Money::fromYen(2), ymd(2026, 3, 8)},
        {"a goal one yen away", ymd(2026, 3, 5), {{ymd(2026, 3, 5), Money::fromYen(9000)}}, yen1,
         Money::fromYen(100), ymd(2026, 3, 6)},
        {"a pace of ¥0.01 a day, and a leap day on the way",
         ymd(2028, 2, 1),
         {{ymd(2028, 1, 10), Money::fromRaw(9000)}},  // ¥0.90
         yen1, Money(), ymd(2028, 5, 11)},
        {"so far that no calendar has it", ymd(2026, 3, 5), {{ymd(2026, 3, 5), Money::fromRaw(90)}},
         Money::fromYen(1'000'000), Money(), std::nullopt},
        {"negative deposits count as they are",
         ymd(2026, 3, 5),
         {{ymd(2026, 3, 1), Money::fromYen(900)}, {ymd(2026, 3, 2), Money::fromYen(-990)}},
         yen1, Money::fromYen(-1), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecentPace pace(c.today);
        for (const Deposit& d : c.deposits) pace.add(d.date, d.amount);
        EXPECT_EQ(pace.perDayInYen(), c.perDay);
        EXPECT_EQ(pace.reaching(c.missing), c.reached);
    }
}

TEST(Progress, TheRunsDayPercentAndStreaks) {
    const auto days = [](std::initializer_list<Date> dates) {
        std::vector<std::int64_t> out;
        for (Date d : dates) out.push_back(dayNumber(d));
        return out;
    };
    const Date today = ymd(2026, 3, 5);
    const struct {
        const char* what;
        std::vector<std::int64_t> days;
        int target;
        RunProgress want;
    } cases[] = {
        {"an empty ledger", {}, 365, {0, 0, 365, 0, 0}},
        {"today's deposit made",
         days({ymd(2026, 3, 3), ymd(2026, 3, 4), ymd(2026, 3, 5)}),
         365,
         {0, 3, 365, 3, 3}},
        {"today's deposit not yet made: the streak ends yesterday",
         days({ymd(2026, 2, 1), ymd(2026, 3, 3), ymd(2026, 3, 4)}),
         30,
         {100, 32, 30, 2, 2}},
        {"one day missing breaks the streak",
         days({ymd(2026, 2, 26), ymd(2026, 2, 27), ymd(2026, 2, 28), ymd(2026, 3, 2),
               ymd(2026, 3, 3), ymd(2026, 3, 5)}),
         8,
         {100, 8, 8, 1, 3}},
        {"nothing yesterday or today: no streak; a run over a leap day, out of order",
         days({ymd(2028, 2, 28), ymd(2028, 2, 29), ymd(2028, 3, 1), ymd(2026, 3, 2)}),
         730,
         {0, 0, 730, 0, 3}},
        {"a deposit dated after today",
         days({ymd(2026, 3, 4), ymd(2026, 3, 5), ymd(2026, 3, 6)}),
         365,
         {0, 3, 365, 2, 3}},
        {"two deposits on one day count once", days({ymd(2026, 3, 5), ymd(2026, 3, 5)}), 3,
         {33, 1, 3, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RunProgress p = runProgress(c.days, c.target, today);
        EXPECT_EQ(p.percent, c.want.percent);
        EXPECT_EQ(p.day, c.want.day);
        EXPECT_EQ(p.target, c.want.target);
        EXPECT_EQ(p.streak, c.want.streak);
        EXPECT_EQ(p.longest, c.want.longest);
    }

    // A full ledger, a deposit every day up to today.
    std::vector<std::int64_t> full;
    for (int i = 32765; i >= 0; --i) full.push_back(dayNumber(today) - i);
    const RunProgress p = runProgress(full, 32766, today);
    EXPECT_EQ(p.day, 32766);
    EXPECT_EQ(p.percent, 100);
    EXPECT_EQ(p.streak, 32766);
    EXPECT_EQ(p.longest, 32766);
}

}  // namespace
}  // namespace zm

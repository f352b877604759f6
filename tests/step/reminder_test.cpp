// The daily reminder as the 365-step page sees it: the plan's text for a
// reminder, and the switch on the page.
#include <gtest/gtest.h>

#include <optional>

#include "step/steppage.h"
#include "support/world.h"

namespace zm::test {
namespace {

// Today is 2026年03月05日 on the World's clock.
TEST(StepReminderText, IsThePagesPlanOrNothing) {
    const struct {
        const char* ledger;
        std::optional<std::string> text;
    } cases[] = {
        {"\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月04日\",\"09:00:00\",9\n",
         "本日の入金予定は 5円 です"},
        {"\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"21:30:05\",2\n",
         "本日の入金予定は 5円 です\n3日からの滞納金が 7円 です\n合計金額は 12円 です"},
        {"", "本日の入金予定は 1円 です"},
        {"\"2026年03月04日\",\"09:00:00\",1\n\"2026年03月05日\",\"08:00:00\",1\n", std::nullopt},
        {"\"2005年01月01日\",\"09:26:01\",1\n\"2026年03月01日\",\"09:00:00\",2\n", std::nullopt},
    };
    for (const auto& c : cases) {
        World w;
        w.put(files::kEvery, c.ledger);
        EXPECT_EQ(StepPage::reminderText(w.folder, w.clock.today()), c.text) << c.ledger;
    }
}

struct FakeSwitch final : ReminderSwitch {
    ReminderChoice choice;
    std::string failure;
    std::vector<ReminderChoice> applied;

    ReminderChoice current() const override { return choice; }
    std::string apply(const ReminderChoice& c) override {
        applied.push_back(c);
        if (failure.empty()) choice = c;
        return failure;
    }
    std::string where() const override { return "timer file"; }
};

TEST(StepReminderSwitch, AppliesTheChoiceOrPutsTheOldOneBack) {
    constexpr ReminderChoice off2000{false, TimeOfDay{20 * 3600}}, on2000{true, off2000.at},
        on2130{true, TimeOfDay{21 * 3600 + 30 * 60}};
    const struct {
        ReminderChoice before;
        int tick;
        const char* time;
        const char* failure;
        std::vector<ReminderChoice> applied;
        ReminderChoice shown;  // afterwards
        const char* message;   // how the message shown begins, if any
    } cases[] = {
        {off2000, 1, "20:00", "", {on2000}, on2000, nullptr},
        {on2000, 1, "21:30", "", {on2130}, on2130, nullptr},
        {on2130, 1, "21:30", "", {}, on2130, nullptr},
        {off2000,
         1,
         "20:00",
         "書けません",
         {on2000},
         off2000,
         "毎日のお知らせを設定できませんでした。\r\n書けません"},
        {on2000, 1, "24:00", "", {}, on2000, "お知らせの時刻は"},
    };
    for (const auto& c : cases) {
        World w;
        StepPage page(w.services());
        FakeSwitch sw;
        sw.choice = c.before;
        sw.failure = c.failure;
        page.setReminderSwitch(sw);
        if (c.message) w.dialogs.answer(Answer::Ok);

        page.chkRemind.setValue(c.tick);
        page.txtRemindTime.setText(c.time);
        page.txtRemindTime_Change();

        EXPECT_EQ(sw.applied, c.applied) << c.time;
        EXPECT_EQ(page.chkRemind.value(), c.shown.on ? 1 : 0) << c.time;
        EXPECT_EQ(page.txtRemindTime.text(), timeText(c.shown.at).substr(0, 5));
        EXPECT_EQ(page.chkRemind.tooltip() == "timer file", c.shown.on);
        ASSERT_EQ(w.dialogs.shown.size(), c.message ? 1u : 0u) << c.time;
        if (c.message) {
            EXPECT_EQ(w.dialogs.shown[0].text.rfind(c.message, 0), 0u) << c.time;
        }
    }
}

}  // namespace
}  // namespace zm::test

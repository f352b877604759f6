// The daily reminder's switch on the 365-step page. The plan's text for a
// reminder is checked where it arrives, in tests/qt/remind_e2e_test.cpp.
#include <gtest/gtest.h>

#include "step/steppage.h"
#include "support/world.h"

namespace zm::test {
namespace {

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

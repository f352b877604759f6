// The daily reminder as the 365-step page sees it: the plan's text for a
// reminder, and the switch on the page.
#include <gtest/gtest.h>

#include <optional>

#include "step/steppage.h"
#include "store/fileerror.h"
#include "support/world.h"

namespace zm::test {
namespace {

// Today is 2026年03月05日 on the World's clock.
TEST(StepReminderText, IsThePagesPlanOrNothing) {
    const struct {
        const char* what;
        const char* ledger;
        std::optional<std::string> text;
    } cases[] = {
        {"last deposit yesterday",
         "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月04日\",\"09:00:00\",9\n",
         "本日の入金予定は 5円 です"},
        {"days missed", "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"21:30:05\",2\n",
         "本日の入金予定は 5円 です\n3日からの滞納金が 7円 です\n合計金額は 12円 です"},
        {"an empty ledger", "", "本日の入金予定は 1円 です"},
        {"deposit made today",
         "\"2026年03月04日\",\"09:00:00\",1\n\"2026年03月05日\",\"08:00:00\",1\n", std::nullopt},
        {"the shipped sample, days missed",
         "\"2005年01月01日\",\"09:26:01\",1\n\"2026年03月01日\",\"09:00:00\",2\n", std::nullopt},
    };
    for (const auto& c : cases) {
        World w;
        w.put(files::kEvery, c.ledger);
        EXPECT_EQ(StepPage::reminderText(w.folder, w.clock.today()), c.text) << c.what;
    }
}

TEST(StepReminderText, AMissingLedgerIsAnErrorAndIsNotCreated) {
    World w;
    EXPECT_THROW(StepPage::reminderText(w.folder, w.clock.today()), FileError);
    EXPECT_FALSE(w.folder.exists(files::kEvery));
}

// A switch that records what the page asks of it.
struct FakeSwitch final : ReminderSwitch {
    ReminderChoice choice;
    std::string failure;  // returned by apply() when set
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
    constexpr TimeOfDay k2000{20 * 3600};
    constexpr TimeOfDay k2130{21 * 3600 + 30 * 60};
    const struct {
        const char* what;
        ReminderChoice before;
        int tick;          // the check box's new value
        const char* time;  // the time box's new text
        const char* failure;
        std::vector<ReminderChoice> applied;
        ReminderChoice shown;  // what the page shows afterwards
        const char* message;   // the start of the message shown, if any
    } cases[] = {
        {"switched on", {false, k2000}, 1, "20:00", "", {{true, k2000}}, {true, k2000}, nullptr},
        {"time changed", {true, k2000}, 1, "21:30", "", {{true, k2130}}, {true, k2130}, nullptr},
        {"one-digit hour",
         {true, k2130},
         1,
         "9:05",
         "",
         {{true, TimeOfDay{9 * 3600 + 300}}},
         {true, TimeOfDay{9 * 3600 + 300}},
         nullptr},
        {"switched off", {true, k2130}, 0, "21:30", "", {{false, k2130}}, {false, k2130}, nullptr},
        {"nothing changed", {true, k2130}, 1, "21:30", "", {}, {true, k2130}, nullptr},
        {"cannot install",
         {false, k2000},
         1,
         "20:00",
         "書けません",
         {{true, k2000}},
         {false, k2000},
         "毎日のお知らせを設定できませんでした。\r\n書けません"},
        {"cannot remove",
         {true, k2000},
         0,
         "20:00",
         "消せません",
         {{false, k2000}},
         {true, k2000},
         "毎日のお知らせを解除できませんでした。\r\n消せません"},
        {"no such time", {true, k2000}, 1, "24:00", "", {}, {true, k2000}, "お知らせの時刻は"},
        {"not a time", {true, k2000}, 1, "20:0", "", {}, {true, k2000}, "お知らせの時刻は"},
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

        EXPECT_EQ(sw.applied, c.applied) << c.what;
        EXPECT_EQ(page.chkRemind.value(), c.shown.on ? 1 : 0) << c.what;
        EXPECT_EQ(page.txtRemindTime.text(), timeText(c.shown.at).substr(0, 5)) << c.what;
        ASSERT_EQ(w.dialogs.shown.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_EQ(w.dialogs.shown[0].text.rfind(c.message, 0), 0u) << c.what;
        }
        EXPECT_EQ(page.chkRemind.tooltip() == "timer file", c.shown.on) << c.what;
    }
}

}  // namespace
}  // namespace zm::test

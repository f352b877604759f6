#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/money.h"
#include "core/progress.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/services.h"

namespace zm {

struct GoalRecord;

// The savings goals: purposes with target amounts, each compared with
// everything saved so far. The page also carries the boxes and the button of
// the new start, whose handler belongs to the main form.
class GoalsPage {
public:
    // The running totals of the five savings pages.
    struct Totals {
        Money every;
        Money kozeni;
        std::array<Money, 3> theme;
    };
    // What the page reads of the savings pages, asked afresh each time.
    struct Sources {
        std::function<Totals()> totals;
        std::function<std::string(int theme)> themeName;  // theme 0..2
        // The pace of the five savings ledgers over the last 90 days.
        std::function<RecentPace()> pace;
    };

    GoalsPage(Services services, Sources sources);
    GoalsPage(const GoalsPage&) = delete;
    GoalsPage& operator=(const GoalsPage&) = delete;

    // Controls.
    LedgerTable msgMokuhyo{"msgMokuhyo", 16};
    Label lblSougaku{"lblSougaku", "¥2,500,000"};
    Label lblMokuSou{"lblMokuSou", "¥2,500,000"};
    Label lblSagaku{"lblSagaku", "¥2,500,000"};
    // The pace of the last 90 days: "1日あたり ¥N".
    Label lblPace{"lblPace"};
    TextBox txtInpMokuKou{"txtInpMokuKou"};
    TextBox txtInpMokuKin{"txtInpMokuKin"};
    Button cmdMokuHozon{"cmdMokuHozon", "貯金目的登録"};
    Button cmdMokuClr{"cmdMokuClr", "クリア"};
    // The new start: its frame, the names of themes 1 to 3 and the button.
    Frame fraNewStart{"fraNewStart", "現状のデータをクリアして新規にズメリ貯金をスタートします"};
    std::array<TextBox, 3> txtTemaMei{
        {TextBox{"txtTemaMei_1"}, TextBox{"txtTemaMei_2"}, TextBox{"txtTemaMei_3"}}};
    Button cmdNewStart{"cmdNewStart", "新規にズメリ貯金スタート"};
    // Beside the new start: opens the list of copies to put one back.
    Button cmdModosu{"cmdModosu", "データを戻す"};

    // The sum of every goal's target, as the list last showed it.
    Money mokuhyoTotal() const { return mokuhyoTotal_; }

    // The five running totals added in their fixed order; never stored, so it
    // always follows the pages.
    Money SavingsTotal() const;

    void InitMokuhyoGrid();
    // The goals' columns, then a row per goal measured against `savings`,
    // with the month it is expected in at `pace`: the page's table, or one
    // made to take the goals out.
    static void FillGoals(LedgerTable& table, const std::vector<GoalRecord>& goals, Money savings,
                          const RecentPace& pace);
    // Also measures the pace, which ShowSougaku() and a goal added then show.
    void LoadMokuhyoFile();
    void ShowSougaku();
    void UpdateSagaku();

    // Handlers.
    void cmdMokuHozon_Click();
    void cmdMokuClr_Click();
    void msgMokuhyo_DblClick();
    void txtInpMokuKou_KeyPress(int key);
    void txtInpMokuKin_KeyPress(int key);

private:
    // The typed target when both boxes are filled and the amount is a number.
    std::optional<Money> typedTarget() const;
    static void addGoalRow(LedgerTable& table, const GoalRecord& goal, Money savings,
                           const RecentPace& pace);
    void showMokuhyoTotal();

    Services s_;
    Sources sources_;
    Money mokuhyoTotal_;
    RecentPace pace_;
};

}  // namespace zm

#include "goals/goalspage.h"

#include <optional>
#include <utility>

#include "store/cp932.h"
#include "store/fieldlength.h"
#include "store/goalrecord.h"
#include "store/goalsfile.h"
#include "store/recordfile.h"
#include "ui/dialogs.h"
#include "ui/recordlimit.h"
#include "ui/rowdeletion.h"
#include "ui/shell.h"

namespace zm {

namespace {

// The amount the grid and the labels show, read back as the locale reads a
// currency text.
Money shownAmount(const Label& label) {
    return parseAmount(label.caption()).value_or(Money());
}

}  // namespace

GoalsPage::GoalsPage(Services services, Sources sources)
    : s_(services), sources_(std::move(sources)), pace_(services.clock.today()) {
    cmdModosu.setTooltip("バックアップのコピーを選んで、データをその時の状態に戻します");
}

Money GoalsPage::SavingsTotal() const {
    const Totals t = sources_.totals();
    // Given-up runs are kept apart in the history and are not part of it.
    return t.every + t.kozeni + t.theme[0] + t.theme[1] + t.theme[2];
}

namespace {

std::vector<Column> goalColumns() {
    return {{"達成", 800, Align::Centre},
            {"貯金目的", 6850, Align::Left},
            {"目標金額", 1700, Align::Right},
            {"達成まで", 1700, Align::Right},
            {"達成予定", 2100, Align::Centre}};
}

}  // namespace

void GoalsPage::InitMokuhyoGrid() {
    msgMokuhyo.reset(goalColumns());
}

void GoalsPage::FillGoals(LedgerTable& table, const std::vector<GoalRecord>& goals, Money savings,
                          const RecentPace& pace) {
    table.reset(goalColumns());
    table.beginLoad();
    for (const GoalRecord& goal : goals) addGoalRow(table, goal, savings, pace);
    table.endLoad();
}

void GoalsPage::addGoalRow(LedgerTable& table, const GoalRecord& goal, Money savings,
                           const RecentPace& pace) {
    const Money toGo = savings - goal.target;
    // Every goal is measured against the whole savings, met when they reach it.
    const bool reached = toGo >= Money();
    table.appendRow({reached ? "★" : "", goal.purpose, Cell(goal.target), Cell(toGo),
                     Cell::expected(reached, reached ? std::nullopt : pace.reaching(-toGo))});
}

void GoalsPage::showMokuhyoTotal() {
    lblMokuSou.setCaption(mokuhyoTotal_.currencyText());
}

void GoalsPage::LoadMokuhyoFile() {
    const Money savings = SavingsTotal();
    const auto goals = GoalsFile(s_.folder).readOrCreate();
    pace_ = sources_.pace();
    FillGoals(msgMokuhyo, goals.records, savings, pace_);
    mokuhyoTotal_ = goals.total;
    showMokuhyoTotal();
}

void GoalsPage::ShowSougaku() {
    lblSougaku.setCaption(SavingsTotal().currencyText());
    lblPace.setCaption("1日あたり " + pace_.perDayInYen().currencyText());
    for (int i = 0; i < 3; ++i) {
        txtTemaMei[static_cast<std::size_t>(i)].setText(sources_.themeName(i));
    }
}

void GoalsPage::UpdateSagaku() {
    lblSagaku.setCaption((shownAmount(lblMokuSou) - shownAmount(lblSougaku)).currencyText());
}

std::optional<Money> GoalsPage::typedTarget() const {
    if (txtInpMokuKou.text().empty() || txtInpMokuKin.text().empty()) return std::nullopt;
    return parseNumericAmount(txtInpMokuKin.text());
}

void GoalsPage::cmdMokuHozon_Click() {
    const Money savings = SavingsTotal();
    // Nothing typed, or no number: the goal is quietly not added.
    const std::optional<Money> target = typedTarget();
    if (!target) return;
    const std::string& purpose = txtInpMokuKou.text();
    if (refuseFieldText(s_.dialogs, "貯金目的", fitsStringField(purpose), fitsFieldLength(purpose)))
        return;
    if (refuseWhenFull(s_.dialogs, msgMokuhyo.recordCount(), kMaxRecords,
                       "貯金目的は 32,766 個までです。\r\n"
                       "使わない目的を削除してから登録してください。"))
        return;
    const auto total = Money::checkedAdd(mokuhyoTotal_, *target);
    if (!total || !Money::checkedSub(savings, *target) ||
        !Money::checkedSub(*total, shownAmount(lblSougaku))) {
        s_.dialogs.msgBox("金額が大きすぎて合計を計算できません。", "金額超過", Icon::Exclamation,
                          Buttons::Ok);
        return;
    }

    const GoalRecord goal{purpose, *target};
    GoalsFile(s_.folder).append(goal);
    s_.made("目的「" + purpose + "」の登録");
    addGoalRow(msgMokuhyo, goal, savings, pace_);
    mokuhyoTotal_ = *total;
    showMokuhyoTotal();
    UpdateSagaku();
    txtInpMokuKou.setText("");
    txtInpMokuKin.setText("");
    s_.shell.setFocus(txtInpMokuKou);
}

void GoalsPage::cmdMokuClr_Click() {
    if (s_.dialogs.msgBox("これまでのデータを削除してもいいですか？\r\n", "削除確認",
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    GoalsFile(s_.folder).empty();
    s_.made("目的のクリア");
    InitMokuhyoGrid();
    LoadMokuhyoFile();
    UpdateSagaku();
}

void GoalsPage::msgMokuhyo_DblClick() {
    std::string purpose;
    const auto question = [this, &purpose](int r) {
        purpose = msgMokuhyo.cell(r, 1).text;
        return purpose + " のデータを削除してもいいですか？\r\n";
    };
    const auto rewrite = [this](int r) {
        rewriteRowsExcept<GoalRecord>(GoalsFile(s_.folder), msgMokuhyo.recordCount(), r,
                                      [this](int i, GoalRecord& rec) {
                                          rec.purpose = msgMokuhyo.cell(i, 1).text;
                                          rec.target = msgMokuhyo.value(i, 2);
                                      });
    };
    if (deleteCurrentRow(msgMokuhyo, s_.dialogs, "最後の行はクリアボタンで削除してください",
                         question, rewrite) == 0)
        return;
    s_.made("目的「" + purpose + "」の削除");
    // Every row again from the file, against the savings of now.
    InitMokuhyoGrid();
    LoadMokuhyoFile();
    UpdateSagaku();
}

void GoalsPage::txtInpMokuKou_KeyPress(int key) {
    if (key == kEnterKey && !txtInpMokuKou.text().empty()) s_.shell.setFocus(txtInpMokuKin);
}

void GoalsPage::txtInpMokuKin_KeyPress(int key) {
    // Enter adds only what the button would add, and otherwise stays quiet.
    if (key == kEnterKey && typedTarget()) cmdMokuHozon_Click();
}

}  // namespace zm

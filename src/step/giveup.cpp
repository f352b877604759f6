// Giving up the current run of the 365-step savings and starting again from
// one yen, with or without keeping the run's total in the history.
#include "step/steppage.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/filenames.h"
#include "ui/dialogs.h"

namespace zm {

void StepPage::cmdEveryClr_Click() {
    if (s_.dialogs.msgBox("現在でギブアップして、また１円から始めますか？\r\n", "削除確認",
                          Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    const Answer keep = s_.dialogs.msgBox(
        "これまでがんばった分は残しますか？\r\n\r\n"
        "「はい」で今日までの合計を昨日の日付けで履歴保存します。\r\n"
        "「いいえ」で全てクリアしてスタートします。\r\n",
        "削除確認", Icon::Question, Buttons::YesNo);
    // Both files as this page shows them, or neither is written.
    s_.folder.checkUnchanged(files::kEveryHistory);
    s_.folder.checkUnchanged(files::kEvery);
    if (keep == Answer::Yes) {
        EveryHistoryFile(s_.folder).append(
            {addDays(s_.clock.today(), -1), TimeOfDay{0}, cumulative_});
    } else {
        EveryHistoryFile(s_.folder).empty();
        historyTotal_ = Money();
    }
    // Either answer ends the run. The ledger is emptied only now, once its
    // total is safe in the history: a failure or a crash while the question
    // is open loses nothing.
    EveryLedgerFile(s_.folder).empty();
    s_.made(keep == Answer::Yes ? "３６５歩のギブアップ（合計を履歴に保存）"
                                : "３６５歩のギブアップ（全てクリア）");

    resetEveryTable();
    loadEveryLedger();
    lblkeika.setCaption("1日");
    lblEvery_zen.setCaption(Money().currencyText());
    cumulative_ = Money();
    plan_.arrears = Money();
    plan_.plannedAmount = Money::fromYen(1);
    cmdEveryHozon.setEnabled(true);
    cmdEveryHozon2.setEnabled(true);

    hideEveryPlan();
    lblCmnt1[0].setCaption("本日の入金予定は");
    lblEvery_Kingaku.setCaption("1円");
    lblCmnt1[0].setVisible(true);
    lblCmnt1[1].setVisible(true);
    lblEvery_Kingaku.setVisible(true);
    showProgress();
}

}  // namespace zm

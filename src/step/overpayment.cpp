// The over-payment: more than the day's due amount put aside at once. The due
// amount is the day's 365-step deposit, the surplus goes to small change.
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/timedrecord.h"
#include "ui/dialogs.h"

namespace zm {

namespace {

// The answer's leading number less the due amount, in whole yen. The surplus
// is a 32-bit integer: an answer whose surplus does not fit counts as no
// number at all, that is 0.
std::int64_t surplusOf(const std::string& answer, Money due) {
    const auto fits = [](double v) {
        return v >= std::numeric_limits<std::int32_t>::min() &&
               v <= std::numeric_limits<std::int32_t>::max();
    };
    double surplus = std::nearbyint(leadingNumber(answer) - due.toDouble());
    if (!fits(surplus)) surplus = std::nearbyint(-due.toDouble());
    return static_cast<std::int64_t>(surplus);
}

}  // namespace

void StepPage::cmdEveryHozon2_Click() {
    if (!cmdEveryHozon2.enabled()) return;  // one deposit a day
    if (!surplus_) throw std::logic_error("over-payment without a place for the surplus");
    if (refuseFullLedger()) return;

    const std::string answer = s_.dialogs.inputBox(
        "入金金額を入力してください。\r\n\r\n３６５日貯金との差分は自動的に小銭清算貯金に記録します"
        "。",
        "差分あり入力");
    if (answer.empty()) return;

    const std::int64_t surplus = surplusOf(answer, due());
    if (surplus < 0) {
        s_.dialogs.msgBox(
            "ここで入力できるのは３６５日貯金入金分より入金量が多い場合のみです。\r\n\r\n" +
                std::to_string(-surplus) + "円 足りません。",
            "入金金額不足", Icon::Exclamation, Buttons::Ok);
        return;
    }
    if (surplus == 0) {
        s_.dialogs.msgBox("差分がない場合は通常の入金でＯＫです。\r\n\r\n", "差分なし",
                          Icon::Exclamation, Buttons::Ok);
        return;
    }
    const std::string surplusText = std::to_string(surplus);
    const std::string dueText = due().plainText();
    if (s_.dialogs.msgBox("今回の入金： " + answer + "円 - ３６５日貯金への入金： " + dueText +
                              "円 = " + surplusText + "円\r\n\r\n" + surplusText +
                              "円を小銭清算貯金に回します",
                          "確認", Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }

    const Money extra = Money::fromYen(surplus);
    // Both ledgers as the pages show them, or neither record is written.
    s_.folder.checkUnchanged(files::kEvery);
    if (!surplus_->canTake(extra)) return;
    // One moment for both records.
    const Moment moment = s_.clock.moment();
    surplus_->record(TimedRecord{moment.date, moment.time, extra});

    // From here the surplus is on file: a failure must not let the user
    // believe that nothing was recorded.
    try {
        surplus_->refresh();
        const TimedRecord due = depositDue(moment);
        s_.made("３６５歩の差分入金 " + due.amount.currencyText() + "（小銭清算へ " +
                    extra.currencyText() + "）",
                [this, shown = depositShown(due)](bool undone) {
                    shown(undone);
                    surplus_->refresh();
                });
    } catch (const FileError& e) {
        throw FileError(e.file(), e.line(),
                        e.reason() + "\r\n\r\n差分の " + surplusText + "円 は「" +
                            std::string(files::kKozeni) + "」に記録しました。\r\n「" +
                            std::string(files::kEvery) + "」には本日の " + dueText +
                            "円 を記録できませんでした。\r\n次に起動したとき本日入金済みに"
                            "なっていなければ、「入金」ボタンで入金してください。");
    }
}

}  // namespace zm

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "qt/chartview.h"
#include "qt/dataout.h"
#include "qt/ledgerview.h"
#include "qt/pageviews.h"
#include "qt/style.h"
#include "step/steppage.h"

namespace zm {

static void fillStepPage(QWidget* frame, StepPage& page, const Runner& run) {
    auto* title = makePageTitle("３６５歩のマーチ貯金");
    auto* table = new LedgerView(page.msgEvery, run, {});
    table->setLeastWidth(500);
    auto* chart = new ChartView(page.mctEvery);

    // The plan: three lines of text with the amounts between them.
    auto* plan = new QGroupBox("本日の予定");
    auto* planGrid = new QGridLayout(plan);
    QLabel* amounts[3] = {new QLabel, new QLabel, new QLabel};
    bindLabel(page.lblEvery_Kingaku, amounts[0]);
    bindLabel(page.lblEvery_Tainou, amounts[1]);
    bindLabel(page.lblEvery_Goukei, amounts[2]);
    for (int line = 0; line < 3; ++line) {
        auto* before = new QLabel;
        auto* after = new QLabel;
        bindLabel(page.lblCmnt1[static_cast<std::size_t>(line * 2)], before);
        bindLabel(page.lblCmnt1[static_cast<std::size_t>(line * 2 + 1)], after);
        styleAmount(amounts[line], 16);
        before->setStyleSheet("font-size: 14pt;");
        after->setStyleSheet("font-size: 14pt;");
        for (QLabel* piece : {before, amounts[line], after}) keepRoomWhenHidden(piece);
        planGrid->addWidget(before, line, 0, Qt::AlignRight);
        planGrid->addWidget(amounts[line], line, 1, Qt::AlignRight);
        planGrid->addWidget(after, line, 2, Qt::AlignLeft);
    }
    planGrid->setColumnStretch(3, 1);

    auto* deposit = new QPushButton;
    bindButton(page.cmdEveryHozon, deposit, run, [&page] { page.cmdEveryHozon_Click(); });
    styleMainButton(deposit);
    auto* overpay = new QPushButton;
    bindButton(page.cmdEveryHozon2, overpay, run, [&page] { page.cmdEveryHozon2_Click(); });
    auto* clear = new QPushButton;
    bindButton(page.cmdEveryClr, clear, run, [&page] { page.cmdEveryClr_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deposit);
    buttons->addWidget(overpay);
    buttons->addStretch();
    buttons->addWidget(clear);

    // Day count and total.
    auto* figures = new QGridLayout;
    auto* days = new QLabel;
    bindLabel(page.lblkeika, days);
    auto* total = new QLabel;
    bindLabel(page.lblEvery_zen, total);
    styleAmount(days, 14);
    styleAmount(total, 14);
    figures->addWidget(new QLabel("日数"), 0, 0);
    figures->addWidget(days, 0, 1, Qt::AlignRight);
    figures->addWidget(new QLabel("合計"), 1, 0);
    figures->addWidget(total, 1, 1, Qt::AlignRight);

    // The target-days calculator.
    auto* target = new QGroupBox("目標");
    auto* targetRow = new QHBoxLayout(target);
    auto* targetCaption = new QLabel("目標");
    targetCaption->setToolTip("目標日数を入れてＥｎｔｅｒキーを押してください");
    auto* nissuu = new QLineEdit;
    nissuu->setAccessibleName("目標日数");
    nissuu->setMaximumWidth(90);
    nissuu->setAlignment(Qt::AlignRight);
    bindTextBox(page.txtSetNissuu, nissuu, run,
                [&page](int key) { page.txtSetNissuu_KeyPress(key); });
    auto* kingaku = new QLabel;
    bindLabel(page.lblSetKingaku, kingaku);
    styleAmount(kingaku, 12);
    targetRow->addWidget(targetCaption);
    targetRow->addWidget(nissuu);
    targetRow->addWidget(new QLabel("日"));
    targetRow->addSpacing(12);
    targetRow->addWidget(new QLabel("金額"));
    targetRow->addWidget(kingaku);
    targetRow->addStretch();

    // The daily reminder.
    auto* remind = new QCheckBox("毎日お知らせ");
    bindCheckBox(page.chkRemind, remind, run, [&page] { page.chkRemind_Click(); });
    auto* remindTime = new QTimeEdit;
    remindTime->setAccessibleName("お知らせの時刻");
    bindTimeBox(page.txtRemindTime, remindTime, run, [&page] { page.txtRemindTime_Change(); });
    auto* remindRow = new QHBoxLayout;
    remindRow->addWidget(remind);
    remindRow->addWidget(remindTime);
    remindRow->addStretch();

    auto* side = new QVBoxLayout;
    side->addWidget(plan);
    side->addLayout(buttons);
    side->addLayout(figures);
    side->addWidget(target);
    side->addLayout(remindRow);
    side->addWidget(chart, 1);

    layOutLedgerPage(frame, title, table, side);
    offerPage(frame, {[] { return std::string("３６５歩のマーチ貯金"); },
                      {{"日数", &page.lblkeika}, {"合計", &page.lblEvery_zen}},
                      chart,
                      [&page] { return std::vector<OutTable>{outTable(page.msgEvery, {}, "")}; }});
}

QWidget* makeStepPageView(StepPage& page, const Runner& run) {
    return lazyPage(page.fraCyokin1,
                    [&page, run](QWidget* frame) { fillStepPage(frame, page, run); });
}

}  // namespace zm

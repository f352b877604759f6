// The 365-step page: the ledger, today's plan, the deposit buttons, the day
// count and total, the target calculator, the daily reminder and the chart.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "qt/access/readas.h"
#include "qt/binding/lazypage.h"
#include "qt/charts/chartview.h"
#include "qt/export/pageprint.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"
#include "step/steppage.h"

namespace zm {

namespace {

// Three lines of text with the amounts between them, and the run's progress.
QGroupBox* makePlan(StepPage& page) {
    auto* plan = new QGroupBox("本日の予定");
    auto* grid = new QGridLayout(plan);
    Label* amounts[3] = {&page.lblEvery_Kingaku, &page.lblEvery_Tainou, &page.lblEvery_Goukei};
    for (int line = 0; line < 3; ++line) {
        QLabel* before =
            makeText(page.lblCmnt1[static_cast<std::size_t>(line * 2)], points::kFigure);
        QLabel* amount = makeAmount(*amounts[line], points::kLarge);
        QLabel* after =
            makeText(page.lblCmnt1[static_cast<std::size_t>(line * 2 + 1)], points::kFigure);
        for (QLabel* piece : {before, amount, after}) keepRoomWhenHidden(piece);
        readAsOneSentence({before, amount, after});
        grid->addWidget(before, line, 0, Qt::AlignRight);
        grid->addWidget(amount, line, 1, Qt::AlignRight);
        grid->addWidget(after, line, 2, Qt::AlignLeft);
    }
    // How far the run has come, and the days in a row.
    grid->addWidget(makeText(page.lblProgress, points::kCaption), 3, 0, 1, 4, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);
    return plan;
}

QHBoxLayout* makeButtons(StepPage& page, const PageContext& context) {
    auto* deposit =
        makeButton(page.cmdEveryHozon, context, [&page] { page.cmdEveryHozon_Click(); });
    styleMainButton(deposit);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deposit);
    buttons->addWidget(
        makeButton(page.cmdEveryHozon2, context, [&page] { page.cmdEveryHozon2_Click(); }));
    buttons->addStretch();
    buttons->addWidget(
        makeButton(page.cmdEveryClr, context, [&page] { page.cmdEveryClr_Click(); }));
    return buttons;
}

QGroupBox* makeTarget(StepPage& page, const PageContext& context) {
    auto* target = new QGroupBox("目標");
    auto* row = new QHBoxLayout(target);
    auto* caption = new QLabel("目標");
    caption->setToolTip("目標日数を入れてＥｎｔｅｒキーを押してください");
    QLineEdit* days = makeAmountBox(
        page.txtSetNissuu, context, [&page](int key) { page.txtSetNissuu_KeyPress(key); },
        "目標日数", 90);
    row->addWidget(caption);
    row->addWidget(days);
    row->addWidget(new QLabel("日"));
    row->addSpacing(12);
    row->addWidget(new QLabel("金額"));
    row->addWidget(makeAmount(page.lblSetKingaku, points::kCaption));
    row->addStretch();
    return target;
}

QHBoxLayout* makeReminder(StepPage& page, const PageContext& context) {
    auto* remind = new QCheckBox("毎日お知らせ");
    bindCheckBox(page.chkRemind, remind, context.run, [&page] { page.chkRemind_Click(); });
    auto* time = new QTimeEdit;
    time->setAccessibleName("お知らせの時刻");
    bindTimeBox(page.txtRemindTime, time, context.run, [&page] { page.txtRemindTime_Change(); });
    auto* row = new QHBoxLayout;
    row->addWidget(remind);
    row->addWidget(time);
    row->addStretch();
    return row;
}

void fillStepPage(QWidget* frame, StepPage& page, const PageContext& context) {
    LedgerView* table = makeLedger(page.msgEvery, context);
    table->setLeastWidth(500);
    ChartView* chart = makeChart(page.mctEvery, context);

    auto* figures = new QGridLayout;
    addFigure(figures, 0, 0, new QLabel("日数"), page.lblkeika);
    addFigure(figures, 1, 0, new QLabel("合計"), page.lblEvery_zen);

    auto* side = new QVBoxLayout;
    side->addWidget(makePlan(page));
    side->addLayout(makeButtons(page, context));
    side->addLayout(figures);
    side->addWidget(makeTarget(page, context));
    side->addLayout(makeReminder(page, context));
    side->addWidget(chart, 1);

    layOutLedgerPage(frame, makePageTitle("３６５歩のマーチ貯金"), table, side);
    offerReport(frame, "３６５歩のマーチ貯金",
                {{"日数", &page.lblkeika}, {"合計", &page.lblEvery_zen}}, chart, page.msgEvery,
                context);
}

}  // namespace

QWidget* makeStepPageView(StepPage& page, const PageContext& context) {
    return pageView(page.fraCyokin1, page, context, fillStepPage);
}

}  // namespace zm

// The small-change page: the ledger, the amount and its deposit, the days
// since the last settlement, the five figures and the chart.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/access/readas.h"
#include "qt/binding/lazypage.h"
#include "qt/charts/chartview.h"
#include "qt/export/pageprint.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"
#include "smallchange/smallchangepage.h"

namespace zm {

namespace {

struct Figure {
    const char* caption;
    Label& label;
    int row, column;
};

QGroupBox* makeEntry(SmallChangePage& page, const PageContext& context) {
    auto* entry = new QGroupBox("清算");
    auto* row = new QHBoxLayout(entry);
    QLineEdit* amount = makeAmountBox(
        page.txtKozeni_Inp, context, [&page](int key) { page.txtKozeni_Inp_KeyPress(key); }, "金額",
        160, points::kFigure);
    auto* deposit =
        makeButton(page.cmdKozeniHozon, context, [&page] { page.cmdKozeniHozon_Click(); });
    styleMainButton(deposit);
    row->addWidget(new QLabel("金額"));
    row->addWidget(amount);
    row->addWidget(new QLabel("円"));
    row->addSpacing(12);
    row->addWidget(deposit);
    row->addStretch();
    return entry;
}

// The settlement notice, one line.
QWidget* makeNotice(SmallChangePage& page) {
    QLabel* since = makeText(page.lblCmnt2[0], points::kFigure);
    QLabel* days = makeAmount(page.lblKozeni_Keika, points::kLarge);
    QLabel* passed = makeText(page.lblCmnt2[1], points::kFigure);
    readAsOneSentence({since, days, passed});
    auto* line = new QHBoxLayout;
    for (QLabel* piece : {since, days, passed}) {
        keepRoomWhenHidden(piece);
        line->addWidget(piece);
    }
    line->addStretch();
    auto* notice = new QWidget;
    notice->setMinimumHeight(36);
    notice->setLayout(line);
    return notice;
}

void fillSmallChangePage(QWidget* frame, SmallChangePage& page, const PageContext& context) {
    LedgerView* table = makeLedger(
        page.msgKozeni, context, {.click = {}, .dblClick = [&page] { page.msgKozeni_DblClick(); }});
    table->setLeastWidth(500);
    ChartView* chart = makeChart(page.mctKozeni, context);

    // The five figures, each beside its caption.
    auto* figuresBox = new QGroupBox("集計");
    auto* figures = new QGridLayout(figuresBox);
    const Figure shown[] = {{"回数", page.lblKozeni_cnt, 0, 0},
                            {"合計", page.lblKozeni_zen, 0, 1},
                            {"最高", page.lblKozeni_Max, 1, 0},
                            {"最低", page.lblKozeni_Min, 1, 1},
                            {"平均", page.lblKozeni_Avg, 2, 0}};
    Figures reported;
    for (const Figure& f : shown) {
        addFigure(figures, f.row, f.column * 3, new QLabel(f.caption), f.label);
        reported.emplace_back(f.caption, &f.label);
    }
    figures->setColumnMinimumWidth(2, 24);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(4, 1);

    auto* clearRow = new QHBoxLayout;
    clearRow->addStretch();
    clearRow->addWidget(
        makeButton(page.cmdKozeniClr, context, [&page] { page.cmdKozeniClr_Click(); }));

    auto* side = new QVBoxLayout;
    side->addWidget(makeEntry(page, context));
    side->addWidget(makeNotice(page));
    side->addWidget(figuresBox);
    side->addLayout(clearRow);
    side->addWidget(chart, 1);

    layOutLedgerPage(frame, makePageTitle("小銭清算貯金"), table, side);
    offerReport(frame, "小銭清算貯金", std::move(reported), chart, page.msgKozeni, context);
}

}  // namespace

QWidget* makeSmallChangePageView(SmallChangePage& page, const PageContext& context) {
    return pageView(page.fraCyokin2, page, context, fillSmallChangePage);
}

}  // namespace zm

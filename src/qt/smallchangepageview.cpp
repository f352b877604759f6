#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/chartview.h"
#include "qt/dataout.h"
#include "qt/ledgerview.h"
#include "qt/pageviews.h"
#include "qt/style.h"
#include "smallchange/smallchangepage.h"

namespace zm {

static void fillSmallChangePage(QWidget* frame, SmallChangePage& page, const Runner& run) {
    auto* title = makePageTitle("小銭清算貯金");
    auto* table = new LedgerView(page.msgKozeni, run,
                                 {.click = {}, .dblClick = [&page] { page.msgKozeni_DblClick(); }});
    table->setLeastWidth(500);
    auto* chart = new ChartView(page.mctKozeni);

    // The amount and the deposit button.
    auto* entry = new QGroupBox("清算");
    auto* entryRow = new QHBoxLayout(entry);
    auto* amount = new QLineEdit;
    amount->setAccessibleName("金額");
    amount->setAlignment(Qt::AlignRight);
    amount->setMaximumWidth(160);
    amount->setStyleSheet("font-size: 14pt;");
    bindTextBox(page.txtKozeni_Inp, amount, run,
                [&page](int key) { page.txtKozeni_Inp_KeyPress(key); });
    auto* deposit = new QPushButton;
    bindButton(page.cmdKozeniHozon, deposit, run, [&page] { page.cmdKozeniHozon_Click(); });
    styleMainButton(deposit);
    entryRow->addWidget(new QLabel("金額"));
    entryRow->addWidget(amount);
    entryRow->addWidget(new QLabel("円"));
    entryRow->addSpacing(12);
    entryRow->addWidget(deposit);
    entryRow->addStretch();

    // The settlement notice, one line.
    auto* notice = new QHBoxLayout;
    auto* since = new QLabel;
    auto* days = new QLabel;
    auto* passed = new QLabel;
    bindLabel(page.lblCmnt2[0], since);
    bindLabel(page.lblKozeni_Keika, days);
    bindLabel(page.lblCmnt2[1], passed);
    since->setStyleSheet("font-size: 14pt;");
    passed->setStyleSheet("font-size: 14pt;");
    styleAmount(days, 16);
    for (QLabel* piece : {since, days, passed}) keepRoomWhenHidden(piece);
    notice->addWidget(since);
    notice->addWidget(days);
    notice->addWidget(passed);
    notice->addStretch();
    auto* noticeBox = new QWidget;
    noticeBox->setMinimumHeight(36);
    noticeBox->setLayout(notice);

    // The five figures, each beside its caption.
    auto* figuresBox = new QGroupBox("集計");
    auto* figures = new QGridLayout(figuresBox);
    struct Figure {
        const char* caption;
        Label& label;
        int row, column;
    };
    const Figure shown[] = {{"回数", page.lblKozeni_cnt, 0, 0},
                            {"合計", page.lblKozeni_zen, 0, 1},
                            {"最高", page.lblKozeni_Max, 1, 0},
                            {"最低", page.lblKozeni_Min, 1, 1},
                            {"平均", page.lblKozeni_Avg, 2, 0}};
    for (const Figure& f : shown) {
        auto* value = new QLabel;
        bindLabel(f.label, value);
        styleAmount(value, 14);
        figures->addWidget(new QLabel(f.caption), f.row, f.column * 3);
        figures->addWidget(value, f.row, f.column * 3 + 1, Qt::AlignRight);
    }
    figures->setColumnMinimumWidth(2, 24);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(4, 1);

    auto* clear = new QPushButton;
    bindButton(page.cmdKozeniClr, clear, run, [&page] { page.cmdKozeniClr_Click(); });
    auto* clearRow = new QHBoxLayout;
    clearRow->addStretch();
    clearRow->addWidget(clear);

    auto* side = new QVBoxLayout;
    side->addWidget(entry);
    side->addWidget(noticeBox);
    side->addWidget(figuresBox);
    side->addLayout(clearRow);
    side->addWidget(chart, 1);

    layOutLedgerPage(frame, title, table, side);
    PageOut out{[] { return std::string("小銭清算貯金"); },
                {},
                chart,
                [&page] { return std::vector<OutTable>{outTable(page.msgKozeni, {}, "")}; }};
    for (const Figure& f : shown) out.figures.emplace_back(f.caption, &f.label);
    offerPage(frame, std::move(out));
}

QWidget* makeSmallChangePageView(SmallChangePage& page, const Runner& run) {
    return lazyPage(page.fraCyokin2,
                    [&page, run](QWidget* frame) { fillSmallChangePage(frame, page, run); });
}

}  // namespace zm

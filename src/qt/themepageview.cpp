#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/chartview.h"
#include "qt/clicklabel.h"
#include "qt/dataout.h"
#include "qt/ledgerview.h"
#include "qt/pageviews.h"
#include "qt/style.h"
#include "theme/themepage.h"

namespace zm {

namespace {

// The picture and the name label rename the theme by the theme's own gesture;
// the logic decides which of the two events acts.
void bindRename(ClickLabel* widget, const Runner& run, std::function<void()> onClick,
                std::function<void()> onDblClick) {
    QObject::connect(widget, &ClickLabel::clicked, widget,
                     [run, onClick = std::move(onClick)] { run(onClick); });
    QObject::connect(widget, &ClickLabel::doubleClicked, widget,
                     [run, onDblClick = std::move(onDblClick)] { run(onDblClick); });
}

QLabel* caption(const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setStyleSheet("font-size: 12pt;");
    return label;
}

}  // namespace

static void fillThemePage(QWidget* frame, ThemePage& page, const Runner& run) {
    // Heading: the picture, the theme's name and the phrase under it.
    auto* picture = new ClickLabel;
    picture->setPixmap(QPixmap(":/images/theme.png"));
    picture->setFixedSize(64, 64);
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setAccessibleName("テーマ名の変更");
    picture->setCursor(Qt::PointingHandCursor);
    bindWidget(page.imgTema, picture);
    bindRename(
        picture, run, [&page] { page.imgTema_Click(); }, [&page] { page.imgTema_DblClick(); });

    auto* name = new ClickLabel;
    name->setStyleSheet("font-size: 20pt; font-weight: bold; color: #2d5f8b;");
    name->setCursor(Qt::PointingHandCursor);
    bindLabel(page.lblTemaMei, name);
    bindRename(
        name, run, [&page] { page.lblTemaMei_Click(); }, [&page] { page.lblTemaMei_DblClick(); });
    auto* phrase = new QLabel("でしっかり貯めよう！");
    phrase->setStyleSheet("font-size: 13pt; color: #5a6e80;");

    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(name);
    titles->addWidget(phrase);
    auto* heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addSpacing(8);
    heading->addLayout(titles);
    heading->addStretch();

    // The ledger with its count and total.
    auto* ledger =
        new LedgerView(page.msgLedger, run, {{}, [&page] { page.msgLedger_DblClick(); }});
    ledger->setLeastWidth(660);
    auto* count = new QLabel;
    bindLabel(page.lblCnt, count);
    styleAmount(count, 14);
    auto* total = new QLabel;
    bindLabel(page.lblZen, total);
    styleAmount(total, 14);
    auto* clear = new QPushButton;
    bindButton(page.cmdClr, clear, run, [&page] { page.cmdClr_Click(); });
    auto* figures = new QHBoxLayout;
    figures->addWidget(caption("回数"));
    figures->addWidget(count);
    figures->addSpacing(24);
    figures->addWidget(caption("合計"));
    figures->addWidget(total);
    figures->addStretch();
    figures->addWidget(clear);
    auto* left = new QVBoxLayout;
    left->addWidget(ledger, 1);
    left->addLayout(figures);

    // The entry: item and amount, the deposit, and the clear-items button
    // right under the item field.
    auto* item = new QLineEdit;
    item->setAccessibleName("項目");
    bindTextBox(page.txtKou, item, run, [&page](int key) { page.txtKou_KeyPress(key); });
    auto* amount = new QLineEdit;
    amount->setAccessibleName("金額");
    amount->setAlignment(Qt::AlignRight);
    amount->setMaximumWidth(140);
    bindTextBox(page.txtInp, amount, run, [&page](int key) { page.txtInp_KeyPress(key); });
    auto* deposit = new QPushButton;
    bindButton(page.cmdHozon, deposit, run, [&page] { page.cmdHozon_Click(); });
    styleMainButton(deposit);
    auto* clearItems = new QPushButton;
    clearItems->setIcon(QIcon(":/images/clearitems.png"));
    clearItems->setIconSize(QSize(24, 24));
    clearItems->setFixedSize(36, 32);
    clearItems->setAccessibleName("項目全クリア");
    bindButton(page.cmdClr2, clearItems, run, [&page] { page.cmdClr2_Click(); });

    auto* entry = new QGridLayout;
    entry->addWidget(caption("項目"), 0, 0);
    entry->addWidget(item, 0, 1, 1, 3);
    entry->addWidget(caption("金額"), 1, 0);
    entry->addWidget(amount, 1, 1);
    entry->addWidget(deposit, 1, 2, Qt::AlignLeft);
    entry->addWidget(clearItems, 1, 3, Qt::AlignRight | Qt::AlignTop);
    entry->setColumnStretch(2, 1);

    auto* items = new LedgerView(
        page.msgKou, run, {[&page] { page.msgKou_Click(); }, [&page] { page.msgKou_DblClick(); }});
    items->setAccessibleName("項目一覧");
    // The names take whatever width the amounts leave (once the columns exist).
    QObject::connect(items->model(), &QAbstractItemModel::modelReset, items, [items] {
        if (items->model()->columnCount() > 0) {
            items->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        }
    });
    auto* chart = new ChartView(page.mctTema);

    auto* right = new QVBoxLayout;
    right->addLayout(entry);
    right->addWidget(items, 1);
    right->addWidget(chart, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 5);
    body->addLayout(right, 4);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(heading);
    layout->addLayout(body, 1);
    setOutTitle(items, [&page] { return page.lblTemaMei.caption() + "の項目"; });
    offerPage(frame, {[&page] { return page.lblTemaMei.caption(); },
                      {{"回数", &page.lblCnt}, {"合計", &page.lblZen}},
                      chart,
                      [&page] { return std::vector<OutTable>{outTable(page.msgLedger, {}, "")}; }});
}

QWidget* makeThemePageView(ThemePage& page, const Runner& run) {
    return lazyPage(page.fraCyokin,
                    [&page, run](QWidget* frame) { fillThemePage(frame, page, run); });
}

}  // namespace zm

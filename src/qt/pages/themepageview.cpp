// A theme page: the picture and name that rename the theme, the ledger with
// its count and total, the item and amount with the deposit, the item list
// and the chart.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/access/readas.h"
#include "qt/binding/lazypage.h"
#include "qt/charts/chartview.h"
#include "qt/export/pageprint.h"
#include "qt/export/tableactions.h"
#include "qt/pages/clicklabel.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"
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

// The picture, the theme's name and the phrase under it.
QHBoxLayout* makeHeading(ThemePage& page, const PageContext& context) {
    auto* picture = new ClickLabel;
    picture->setPixmap(QPixmap(":/images/theme.png"));
    picture->setFixedSize(64, 64);
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setAccessibleName("テーマ名の変更");
    picture->setCursor(Qt::PointingHandCursor);
    bindWidget(page.imgTema, picture);
    bindRename(
        picture, context.run, [&page] { page.imgTema_Click(); },
        [&page] { page.imgTema_DblClick(); });

    auto* name = new ClickLabel;
    setTextStyle(name, points::kName, true, scheme().title);
    name->setCursor(Qt::PointingHandCursor);
    bindLabel(page.lblTemaMei, name);
    bindRename(
        name, context.run, [&page] { page.lblTemaMei_Click(); },
        [&page] { page.lblTemaMei_DblClick(); });
    auto* phrase = new QLabel("でしっかり貯めよう！");
    setTextStyle(phrase, points::kEntry, false, scheme().note);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(name);
    titles->addWidget(phrase);
    auto* heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addSpacing(8);
    heading->addLayout(titles);
    heading->addStretch();
    return heading;
}

// The ledger with its count, total and clear button.
QVBoxLayout* makeLedgerSide(ThemePage& page, const PageContext& context) {
    LedgerView* ledger =
        makeLedger(page.msgLedger, context, {{}, [&page] { page.msgLedger_DblClick(); }});
    ledger->setLeastWidth(660);
    auto* figures = new QHBoxLayout;
    for (auto [caption, figure] : {std::pair{"回数", &page.lblCnt}, {"合計", &page.lblZen}}) {
        if (figures->count() > 0) figures->addSpacing(24);
        QLabel* captionLabel = makeCaption(caption);
        QLabel* value = makeAmount(*figure, points::kFigure);
        readAsOneSentence({captionLabel, value}, " ");
        figures->addWidget(captionLabel);
        figures->addWidget(value);
    }
    figures->addStretch();
    figures->addWidget(makeButton(page.cmdClr, context, [&page] { page.cmdClr_Click(); }));
    auto* left = new QVBoxLayout;
    left->addWidget(ledger, 1);
    left->addLayout(figures);
    return left;
}

// The item and amount, the deposit, and the clear-items button right under
// the item field.
QGridLayout* makeEntry(ThemePage& page, const PageContext& context) {
    auto* item = new QLineEdit;
    item->setAccessibleName("項目");
    bindTextBox(page.txtKou, item, context.run, [&page](int key) { page.txtKou_KeyPress(key); });
    QLineEdit* amount = makeAmountBox(
        page.txtInp, context, [&page](int key) { page.txtInp_KeyPress(key); }, "金額", 140);
    auto* deposit = makeButton(page.cmdHozon, context, [&page] { page.cmdHozon_Click(); });
    styleMainButton(deposit);
    auto* clearItems = new QPushButton;
    clearItems->setIcon(QIcon(":/images/clearitems.png"));
    clearItems->setIconSize(QSize(24, 24));
    clearItems->setFixedSize(36, 32);
    clearItems->setAccessibleName("項目全クリア");
    bindButton(page.cmdClr2, clearItems, context.run, [&page] { page.cmdClr2_Click(); });

    auto* entry = new QGridLayout;
    entry->addWidget(makeCaption("項目"), 0, 0);
    entry->addWidget(item, 0, 1, 1, 3);
    entry->addWidget(makeCaption("金額"), 1, 0);
    entry->addWidget(amount, 1, 1);
    entry->addWidget(deposit, 1, 2, Qt::AlignLeft);
    entry->addWidget(clearItems, 1, 3, Qt::AlignRight | Qt::AlignTop);
    entry->setColumnStretch(2, 1);
    return entry;
}

void fillThemePage(QWidget* frame, ThemePage& page, const PageContext& context) {
    QHBoxLayout* heading = makeHeading(page, context);
    QVBoxLayout* left = makeLedgerSide(page, context);
    QGridLayout* entry = makeEntry(page, context);

    LedgerView* items =
        makeLedger(page.msgKou, context,
                   {[&page] { page.msgKou_Click(); }, [&page] { page.msgKou_DblClick(); }});
    items->setAccessibleName("項目一覧");
    // The names take whatever width the amounts leave (once the columns exist).
    QObject::connect(items->model(), &QAbstractItemModel::modelReset, items, [items] {
        if (items->model()->columnCount() > 0) {
            items->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        }
    });
    ChartView* chart = makeChart(page.mctTema, context);

    auto* right = new QVBoxLayout;
    right->addLayout(entry);
    right->addWidget(items, 1);
    right->addWidget(chart, 1);

    layOutPage(frame, heading, left, 5, right, 4);
    setOutTitle(items, [&page] { return page.lblTemaMei.caption() + "の項目"; });
    offerReport(
        frame, [&page] { return page.lblTemaMei.caption(); },
        {{"回数", &page.lblCnt}, {"合計", &page.lblZen}}, chart,
        [&page] { return outTable(page.msgLedger, {}, ""); }, context);
}

}  // namespace

QWidget* makeThemePageView(ThemePage& page, const PageContext& context) {
    return pageView(page.fraCyokin, page, context, fillThemePage);
}

}  // namespace zm
